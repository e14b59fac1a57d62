#pragma once

#include "documents/ui/documentgrid.h"
#include "support/gestures.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// Working a document grid as a person does: put the cursor on a cell, press F2, type, Enter.
namespace gridinput {

inline QLineEdit* editor(DocumentGrid& grid) {
    return qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
}

// Types the keys into the cell's open editor, replacing its text, without leaving the cell.
inline void typeKeys(DocumentGrid& grid, int row, int column, const QString& text) {
    if (grid.currentLine() != row || grid.currentColumn() != column || !editor(grid)) {
        grid.setCurrentCell(row - 1, column);
        QTest::keyClick(&grid, Qt::Key_F2);
    }
    QLineEdit* box = editor(grid);
    if (!box) {
        ADD_FAILURE() << "cell " << row << "," << column << " did not open for typing";
        return;
    }
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        drive::keys(box, text);
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
