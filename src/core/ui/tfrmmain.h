#pragma once

#include <QMainWindow>
#include <vector>

class QAction;
class QLabel;
namespace mainentries {
struct Entry;
}

// The main window: the hub from which every function window is opened. Showing it runs the
// login first; it appears, maximised, only after a successful one, with exactly the entries
// of the user's permission codes enabled.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    // Shows the window after a successful login; stays hidden when the login was left.
    void setVisible(bool visible) override;

private:
    QAction* makeAction(const mainentries::Entry& entry, const QString& text);
    // The menus, tool bar, icons and status bar, made once the login has succeeded: nobody
    // sees the window before, and the login window comes up sooner.
    void Build();
    void CreateMenus();
    void CreateToolBar();
    void CreateIcons();
    void CreateStatusBar();
    bool Login();
    // Enables the entries of the codes the book grants the user; whether asked is one of them.
    bool SetPerm(int asked = -1);
    void Open(const mainentries::Entry& entry);

    struct Controlled {
        int code;
        QAction* action;
    };
    std::vector<Controlled> controlled_;
    QLabel* lblUser = nullptr;
    bool loggedIn_ = false;
};
