#pragma once

#include <functional>

class QLineEdit;
class QTableView;

// A picker worked from the keyboard: in the search box Down or Page Down goes to the list; in
// the list Enter or Space chooses the current row and Up on the first row goes back to the box.
// A key that types text in the list types it into the box instead, anew: a code scanned with
// the list focused is searched for, never taken for the current row. The arrows move in the
// list as in any list, and Escape leaves the picker (TForm).
void chooseByKeys(QLineEdit& searchBox, QTableView& list, std::function<void()> choose);
