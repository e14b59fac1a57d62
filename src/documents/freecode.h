#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// Codes are made from the moment a window is shown, to the second, so two counters showing one
// window in the same second make the same code. A code the window made moves on to the next
// free moment when saving; a code the person typed never moves.
namespace documents {

// The prefix and moment a window made its code from. A document carries it while the person
// leaves the code as shown.
struct CodeOrigin {
    QString prefix;
    QDateTime moment;
    QString suffix = {}; // after the moment: "-1" for the first of a numbered run

    QString code() const;
};

// The origin while the box still holds the code made from it; none once the person changed it.
std::optional<CodeOrigin> unchangedOrigin(const std::optional<CodeOrigin>& made,
                                          const QString& shownCode);

// Whether a document header of any kind, or a stock count, holds this code.
bool codeTaken(const QString& code);

// Runs writeHeader (true when it wrote the header row) inside the caller's transaction under
// the code, or, for a window-made code another document holds, under the code of the next
// free moment: one second later, two, ... A holder that commits while this header is written
// is met by the unique key and also moves the code on. The code written under; nothing when
// writeHeader wrote no row.
std::optional<QString> writeUnderFreeCode(const QString& code,
                                          const std::optional<CodeOrigin>& origin,
                                          const std::function<bool(const QString&)>& writeHeader);

// The saving notice: "单据保存成功！", and a second line when the code had to move.
QString savedNotice(const QString& shownCode, const QString& writtenCode);
// The second line alone: the code the window showed was taken and the one saved under.
QString movedCodeNotice(const QString& shownCode, const QString& writtenCode);

} // namespace documents
