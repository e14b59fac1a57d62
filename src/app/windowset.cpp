#include "app/windowset.h"

#include "core/windowregistry.h"

#include <QString>

// Window headers, one block per area.
#include "core/ui/tfrmlogin.h"

// Master data: houses, counterparts, employees.
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmhouse.h"

#include "admin/ui/tfrmabout.h"

// documents
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"

// printing
#include "printing/ui/printer.h"
#include "printing/ui/tfrmfieldset.h"
#include "printing/ui/tfrmprintview.h"

// master data: products
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"

struct WindowSet::Windows {
    // One member per window, one block per area, in the order they are created.
    // core
    TfrmLogin frmLogin;

    // Master data: houses, counterparts, employees.
    TfrmHouse frmHouse;
    TfrmSupplier frmSupplier;
    TfrmCustomer frmCustomer;
    TfrmEmployee frmEmployee;

    // admin
    TfrmAbout frmAbout;

    // printing: before the documents, whose "打印" shows the preview
    std::unique_ptr<Printer> printer = systemPrinter();
    TfrmPrintView frmPrintView{*printer};
    TfrmFieldSet frmFieldSet;

    // documents: the pickers first, since the document windows show them
    TfrmFindProduct frmFindProduct;
    TfrmFindComp frmFindComp;
    TfrmPurIn frmPurIn{frmFindProduct, frmFindComp, frmPrintView};
    TfrmPurRet frmPurRet{frmFindProduct, frmFindComp, frmPrintView};
    TfrmSale frmSale{frmFindProduct, frmFindComp, frmPrintView};
    TfrmSaleT frmSaleT{frmFindProduct, frmFindComp, frmPrintView};

    // master data: products
    TfrmProdAdd frmProdAdd;
    TfrmProdEdit frmProdEdit;
    TfrmCateAdd frmCateAdd;
    TfrmCateEdit frmCateEdit;
    TfrmProduct frmProduct{frmProdAdd, frmProdEdit, frmCateAdd, frmCateEdit};
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
    // core
    entry(windows_->frmLogin);

    // Master data: houses, counterparts, employees.
    entry(windows_->frmHouse);
    entry(windows_->frmSupplier);
    entry(windows_->frmCustomer);
    entry(windows_->frmEmployee);

    // admin
    entry(windows_->frmAbout);

    // printing (the preview is shown by the documents with their page)
    entry(windows_->frmFieldSet);

    // documents
    entry(windows_->frmPurIn);
    entry(windows_->frmPurRet);
    entry(windows_->frmSale);
    entry(windows_->frmSaleT);

    // master data: products
    entry(windows_->frmProdAdd);
    entry(windows_->frmProdEdit);
    entry(windows_->frmCateAdd);
    entry(windows_->frmCateEdit);
    entry(windows_->frmProduct);
    // documents: transfers
    entry(windows_->frmPDB);
    entry(windows_->frmBsBy);
}

WindowSet::~WindowSet() {
    // The openers point at the windows that go now.
    windows::clearOpeners();
}
