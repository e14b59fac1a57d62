#pragma once

#include <functional>

class QLineEdit;
class QTableView;
class QWidget;

// A key that types text in from (a list, a tree) types it into the search box instead, the
// box's old text replaced: a code scanned there is searched for.
void typeIntoSearchBox(QWidget& from, QLineEdit& searchBox);

// A picker worked from the keyboard: in the search box Down or Page Down goes to the list; in
// the list Enter or Space chooses the current row and Up on the first row goes back to the box.
// A key that types text in the list types it into the box (typeIntoSearchBox): a code scanned
// with the list focused is searched for, never taken for the current row. The arrows move in the
// list as in any list, and Escape leaves the picker (TForm).
void chooseByKeys(QLineEdit& searchBox, QTableView& list, std::function<void()> choose);
