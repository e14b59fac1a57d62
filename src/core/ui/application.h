#pragma once

class QApplication;

// What every run of the program sets before its first window: the application title, the
// Chinese face for every text and Qt's own Chinese button texts (确定/取消).
void setUpApplication(QApplication& application);
