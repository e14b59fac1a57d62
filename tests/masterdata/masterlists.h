#pragma once

#include <QCoreApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

// Using a master-data list as a person does: clicking rows and column titles, reading what
// the grid shows.
namespace masterlists {

// Empties the box and types the text: Latin keys one by one, Chinese as an input method
// commits it, so that every change handler runs as it does for a person.
inline void type(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    for (qsizetype i = 0; i < text.size();) {
        qsizetype j = i;
        const bool latin = text[i].unicode() < 0x80;
        while (j < text.size() && (text[j].unicode() < 0x80) == latin)
            ++j;
        if (latin) {
            QTest::keyClicks(&box, text.mid(i, j - i));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text.mid(i, j - i));
            QCoreApplication::sendEvent(&box, &commit);
        }
        i = j;
    }
}

inline void type(QWidget& window, const QString& name, const QString& text) {
    QLineEdit* box = window.findChild<QLineEdit*>(name);
    ASSERT_TRUE(box) << "no box " << name.toStdString();
    type(*box, text);
}

inline QPoint cellCentre(QTableView& view, int row) {
    return view.visualRect(view.model()->index(row, 0)).center();
}

inline void clickRow(QTableView& view, int row) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCentre(view, row));
}

// Press, release, the second press that makes it a double click, release.
inline void doubleClickRow(QTableView& view, int row) {
    const QPoint at = cellCentre(view, row);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
}

inline void clickTitle(QTableView& view, int section) {
    QHeaderView& header = *view.horizontalHeader();
    const QPoint at(header.sectionViewportPosition(section) + header.sectionSize(section) / 2,
                    header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
}

// The text of the label that names the box (its buddy); empty when none does.
inline QString labelOf(QWidget& window, const QString& boxName) {
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() && label->buddy()->objectName() == boxName)
            return label->text();
    return QString();
}

// The texts of one grid column, top to bottom.
inline QStringList column(QTableView& view, int c) {
    QStringList values;
    for (int r = 0; r < view.model()->rowCount(); ++r)
        values << view.model()->index(r, c).data().toString();
    return values;
}

// The row the grid shows as selected, -1 when none.
inline int selectedRow(QTableView& view) {
    const QModelIndexList rows = view.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace masterlists
