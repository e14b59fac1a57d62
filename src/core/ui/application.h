#pragma once

class QApplication;
class QIcon;

// The program's own icon, every size drawn for it.
QIcon applicationIcon();

// What every run of the program sets before its first window: the application title, the
// Chinese face for every text and Qt's own Chinese button texts (确定/取消), the
// names of the user's folders, every window's icon, what a scanner sends after a code and
// what the wheel does over a box the person is not in.
void setUpApplication(QApplication& application);
