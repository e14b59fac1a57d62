#pragma once

#include "core/ui/scannedkeys.h"
#include "core/ui/scannerpace.h"

#include <QDate>
#include <QDateEdit>
#include <QString>

// A date box of a form: the date as yyyy-MM-dd with a calendar to pick from. Tab leaves it for
// the next box, as in every other box (Left and Right move between its year, month and day),
// and a product's code scanned into it by mistake changes no date: at the code's Enter the
// date is put back as it was and the code handed on (codeScanned), so that a document window
// takes it as its next line. A click on the year, the month or the day selects it, so that
// what is typed next replaces it.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(const QString& name, QWidget* parent = nullptr);

    // Keys typed before an Enter that no person types into a date: a letter, or more digits
    // than a whole date has. Keys at a scanner's pace are a code whatever they are (a shop's
    // own eight-digit codes read as a date).
    static bool isCode(const QString& typed);

signals:
    void codeScanned(const QString& code);

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The text of the box is its own child, which takes the clicks.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The keys typed since the last Enter or other key, and the date before the first of them.
    ScannedKeys typed_;
    ScannerPace pace_;
    QDate before_;
};
