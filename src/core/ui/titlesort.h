#pragma once

class QTableView;

// Which direction the first click on a grid's titles sorts.
enum class FirstSort { Ascending, Descending };

// A click on a column title sorts the grid's slot by that column, the direction flipping at
// each click (one direction flag per grid, shared by all its columns, kept for the grid's
// life); the selected row stays selected. The view must show a SlotModel (showSlot).
void sortByTitleClicks(QTableView& view, FirstSort first = FirstSort::Ascending);
