#pragma once

class Table;

// Times showing the windows that list the whole book: from the show until the window is
// painted with its rows; and a code scanned into the product picker. Windows not in this build
// are left out.
void registerWindows(Table& table);
