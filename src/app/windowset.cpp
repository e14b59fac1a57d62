#include "app/windowset.h"

#include "core/windowregistry.h"

#include <QString>

// Window headers, one block per area.
#include "core/ui/tfrmlogin.h"

#include "admin/ui/tfrmabout.h"

struct WindowSet::Windows {
    // One member per window, one block per area, in the order they are created.
    // core
    TfrmLogin frmLogin;

    // admin
    TfrmAbout frmAbout;
};

namespace {

// Registers how the main window opens a window: by its class name.
template <typename Window> void entry(Window& window) {
    windows::registerOpener(QString::fromLatin1(Window::staticMetaObject.className()),
                            [&window] { window.showModal(); });
}

} // namespace

WindowSet::WindowSet() : windows_(std::make_unique<Windows>()) {
    // One block per area: entry(windows_->frmHouse); …
    // core
    entry(windows_->frmLogin);

    // admin
    entry(windows_->frmAbout);
}

WindowSet::~WindowSet() {
    // The openers point at the windows that go now.
    windows::clearOpeners();
}
