#pragma once

// What the tests of bad input typed into the windows share: the texts a box can hold, typing
// or pasting them as a person would, and the checks that end every such test.
#include "core/numbers.h"
#include "core/sysdata.h"
#include "core/ui/numberedit.h"
#include "documents/bookscheck.h"
#include "reliability/nastytexts.h"
#include "reliability/typing.h"
#include "support/booktest.h"

#include <QLineEdit>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <utility>
#include <vector>

inline bool holdsNumberOrNothing(const QString& text) {
    return text.trimmed().isEmpty() || numbers::isNumber(text.trimmed());
}

// Texts a line edit can hold (a typed newline is the Enter key).
inline QStringList boxTexts() {
    QStringList texts = nastyTexts();
    texts.removeIf([](const QString& t) { return t.contains(u'\n'); });
    return texts;
}

// Rows a search key finds: those its table names; a text the table leaves out is held by no
// name searched, so it finds none.
using ExpectedRows = std::vector<std::pair<QString, int>>;
inline int expectedRows(const ExpectedRows& table, const QString& text) {
    for (const auto& [key, rows] : table)
        if (key == text)
            return rows;
    return 0;
}

// Long texts come pasted, the rest typed key by key; then the box is left, as a person moves
// on, and a number box judges what it holds.
inline void enter(QLineEdit& box, const QString& text) {
    if (text.size() > 100) {
        box.setFocus();
        box.selectAll();
        box.insert(text);
    } else {
        retype(box, text);
    }
    if (auto* number = qobject_cast<NumberEdit*>(&box))
        number->judge();
}

// The first characters of a text, for a failure message.
inline std::string quoted(const QString& text) {
    return "'" + text.left(20).toStdString() + (text.size() > 20 ? "…'" : "'");
}

// A click near the left edge of the row's first shown cell: a column widened by a long text
// may reach past the viewport.
inline void clickRow(QTableView& view, int row) {
    int column = 0;
    while (view.isColumnHidden(column))
        ++column;
    const QRect cell = view.visualRect(view.model()->index(row, column));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() + 4, cell.center().y()));
}

class WindowInputTest : public BookTest {
protected:
    // Nothing typed may end in the program-wide error report.
    void expectNoErrorReport() {
        for (const auto& s : messages_.shown())
            EXPECT_NE(s.form, ScriptedMessages::Form::ErrorReport) << s.text.toStdString();
    }
    void expectBooksAgree() {
        for (const auto& d : checkBooks(sysData->myCon))
            ADD_FAILURE() << d.text().toStdString();
    }
    // The row counts of the tables, as one text to compare before and after an operation.
    QString rowCounts(const QStringList& tables) {
        QStringList counts;
        for (const QString& table : tables)
            counts << table + u'=' + QString::number(count(table));
        return counts.join(u' ');
    }
    // Whether the message was shown since the list of messages was last cleared.
    bool wasShown(const QString& text) const { return messages_.texts().contains(text); }
};
