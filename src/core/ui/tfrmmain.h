#pragma once

#include <QMainWindow>

// The main window: the hub from which every function window is opened.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
};
