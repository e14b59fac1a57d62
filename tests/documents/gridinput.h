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

// Types the keys into the cell, replacing its text, without leaving the cell. A cell not yet
// open is opened by typing a blank, which the text then replaces.
inline void typeKeys(DocumentGrid& grid, int row, int column, const QString& text) {
    if (grid.currentLine() != row || grid.currentColumn() != column || !editor(grid)) {
        grid.setCurrentCell(row - 1, column);
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Space);
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
