#pragma once

class QTableView;

// A click on a column title sorts the grid's slot by that column, the direction flipping at
// each click (one direction flag per grid, shared by all its columns). The view must show a
// SlotModel (showSlot).
void sortByTitleClicks(QTableView& view);
