#include "app/windowset.h"

#include "core/windowregistry.h"

#include <QString>

// Window headers, one block per area.
#include "masterdata/ui/tfrmfindproduct.h"

#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"

struct WindowSet::Windows {
    // One member per window, one block per area, in the order they are created.
    // masterdata: pickers
    TfrmFindProduct frmFindProduct;

    // documents: transfers
    TfrmPDB frmPDB{frmFindProduct};
    TfrmBsBy frmBsBy{frmFindProduct};
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

    // documents: transfers
    entry(windows_->frmPDB);
    entry(windows_->frmBsBy);
}

WindowSet::~WindowSet() = default;
