#pragma once

#include "documents/ui/documentgrid.h"
#include "support/drive.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// Working a document grid as a person does: put the cursor on a cell, type (the first key opens
// the cell, its text replaced), Enter.
namespace gridinput {

inline QLineEdit* editor(DocumentGrid& grid) {
    return qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
}

// Types the keys into the cell, replacing its text, without leaving the cell. An empty text
// is a blank typed and taken back.
inline void typeKeys(DocumentGrid& grid, int row, int column, const QString& text) {
    QLineEdit* box =
        grid.currentLine() == row && grid.currentColumn() == column ? editor(grid) : nullptr;
    QString rest = text;
    if (!box) {
        grid.setCurrentCell(row - 1, column);
        grid.setFocus();
        const qsizetype first = !text.isEmpty() && text[0].isHighSurrogate() ? 2 : 1;
        drive::keys(&grid, text.isEmpty() ? QStringLiteral(" ") : text.left(first));
        rest = text.mid(first);
        box = editor(grid);
    } else {
        box->selectAll();
    }
    if (!box) {
        ADD_FAILURE() << "cell " << row << "," << column << " did not open for typing";
        return;
    }
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        drive::keys(box, rest);
}

// Types the text into the cell and leaves it with Enter.
inline void type(DocumentGrid& grid, int row, int column, const QString& text) {
    typeKeys(grid, row, column, text);
    if (QLineEdit* box = editor(grid))
        QTest::keyClick(box, Qt::Key_Return);
}

inline void doubleClick(DocumentGrid& grid, int row, int column = DocumentGrid::ProdName) {
    drive::doubleClick(grid.viewport(),
                       grid.visualRect(grid.model()->index(row - 1, column)).center());
}

} // namespace gridinput
