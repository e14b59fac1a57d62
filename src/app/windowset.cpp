#include "app/windowset.h"

#include "core/windowregistry.h"

#include <QString>

// Window headers, one block per area.
#include "core/ui/tfrmlogin.h"

// Master data: houses, counterparts, employees.
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmhouse.h"

#include "admin/systeminitialisation.h"
#include "admin/ui/tfrmabout.h"
#include "admin/ui/tfrmbackdata.h"
#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"
#include "core/mainentries.h"

// documents
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"

// documents: stock
#include "documents/ui/tfrmpdadd.h"
#include "documents/ui/tfrmpdchinve.h"
#include "documents/ui/tfrmpdedit.h"
#include "documents/ui/tfrmpricelookup.h"
#include "documents/ui/tfrmprodcount.h"
#include "documents/ui/tfrmprodpd.h"
#include "documents/ui/tfrmproductpd.h"
// printing
#include "printing/ui/printer.h"
#include "printing/ui/tfrmfieldset.h"
#include "printing/ui/tfrmprintview.h"

// master data: products
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"

// accounts
#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrmgdzc.h"
#include "accounts/ui/tfrmysyf.h"
// reports: statistics
#include "reports/ui/businessstats.h"
#include "reports/ui/tfrmtjprod.h"
// reports
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tradestatswindows.h"

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
    TfrmUserAdd frmUserAdd;
    TfrmUser frmUser{frmUserAdd};
    TfrmChangePwd frmChangePwd;
    TfrmFile frmFile;
    TfrmBackData frmBackData{frmFile};
    TfrmRestoreData frmRestoreData;

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

    // accounts: each window owns its dialogs
    Tfrmysyf frmysyf;
    TfrmCash frmCash;
    TfrmGDZC frmGDZC;
    // reports: statistics
    TfrmTjToday frmTjToday;
    TfrmTjMonth frmTjMonth;
    TfrmOpenTJ frmOpenTJ;
    TfrmTjProd frmTjProd;
    // reports
    TfrmTjPurQ frmTjPurQ;
    TfrmOrderPurTQ frmOrderPurTQ;
    TfrmOrderSaleQ frmOrderSaleQ;
    TfrmOrderSaleTQ frmOrderSaleTQ;
    TfrmOrderDBQ frmOrderDBQ;
    TfrmOrderBsbyQ frmOrderBsbyQ;
    TfrmOrderTJ frmOrderTJ;
    TfrmTjSupplier frmTjSupplier;
    TfrmTjSale frmTjSale;
    // documents: stock
    TfrmPInP frmPInP;
    TfrmPoutP frmPoutP;
    TfrmProdCount frmProdCount;
    TfrmProdPD frmProdPD;
    TfrmPDAdd frmPDAdd{frmProdPD};
    TfrmPDEdit frmPDEdit{frmProdPD};
    TfrmPDChInve frmPDChInve{frmProdPD};
    TfrmProductPD frmProductPD{frmPDAdd, frmPDEdit, frmPDChInve};
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
    entry(windows_->frmUser);
    entry(windows_->frmChangePwd);
    entry(windows_->frmBackData);
    entry(windows_->frmRestoreData);
    windows::registerOpener(mainentries::kSystemInitialisation,
                            [] { systeminitialisation::run(); });

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

    // accounts
    entry(windows_->frmysyf);
    entry(windows_->frmCash);
    entry(windows_->frmGDZC);
    // reports: statistics
    entry(windows_->frmTjToday);
    entry(windows_->frmTjMonth);
    entry(windows_->frmOpenTJ);
    entry(windows_->frmTjProd);
    // reports
    entry(windows_->frmTjPurQ);
    entry(windows_->frmOrderPurTQ);
    entry(windows_->frmOrderSaleQ);
    entry(windows_->frmOrderSaleTQ);
    entry(windows_->frmOrderDBQ);
    entry(windows_->frmOrderBsbyQ);
    entry(windows_->frmOrderTJ);
    entry(windows_->frmTjSupplier);
    entry(windows_->frmTjSale);
    // documents: stock
    entry(windows_->frmPInP);
    entry(windows_->frmPoutP);
    entry(windows_->frmProdCount);
    entry(windows_->frmProductPD);
}

WindowSet::~WindowSet() {
    // The openers point at the windows that go now.
    windows::clearOpeners();
}
