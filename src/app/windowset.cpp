#include "app/windowset.h"

#include "core/mainentries.h"
#include "core/ui/tfrmlogin.h"
#include "core/windowregistry.h"

#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"

#include "printing/ui/printer.h"
#include "printing/ui/tfrmfieldset.h"
#include "printing/ui/tfrmprintview.h"

#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdadd.h"
#include "documents/ui/tfrmpdb.h"
#include "documents/ui/tfrmpdchinve.h"
#include "documents/ui/tfrmpdedit.h"
#include "documents/ui/tfrmpricelookup.h"
#include "documents/ui/tfrmprodcount.h"
#include "documents/ui/tfrmprodpd.h"
#include "documents/ui/tfrmproductpd.h"
#include "documents/ui/tradewindows.h"

#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrmgdzc.h"
#include "accounts/ui/tfrmysyf.h"

#include "reports/ui/businessstats.h"
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tfrmtjprod.h"
#include "reports/ui/tradestatswindows.h"

#include "admin/systeminitialisation.h"
#include "admin/ui/tfrmabout.h"
#include "admin/ui/tfrmbackdata.h"
#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"

#include <QString>

// One block per area, in the order they are created: a window comes after those it shows.
struct WindowSet::Windows {
    TfrmLogin frmLogin;

    // master data; the pickers serve the document windows
    TfrmHouse frmHouse;
    TfrmProdAdd frmProdAdd;
    TfrmProdEdit frmProdEdit;
    TfrmCateAdd frmCateAdd;
    TfrmCateEdit frmCateEdit;
    TfrmProduct frmProduct{frmProdAdd, frmProdEdit, frmCateAdd, frmCateEdit};
    TfrmSupplier frmSupplier;
    TfrmCustomer frmCustomer;
    TfrmEmployee frmEmployee;
    TfrmFindProduct frmFindProduct;
    TfrmFindComp frmFindComp;

    // printing: the preview serves the trade windows
    std::unique_ptr<Printer> printer = systemPrinter();
    TfrmPrintView frmPrintView{*printer};
    TfrmFieldSet frmFieldSet;

    // documents
    TfrmPurIn frmPurIn{frmFindProduct, frmFindComp, frmPrintView};
    TfrmPurRet frmPurRet{frmFindProduct, frmFindComp, frmPrintView};
    TfrmSale frmSale{frmFindProduct, frmFindComp, frmPrintView};
    TfrmSaleT frmSaleT{frmFindProduct, frmFindComp, frmPrintView};
    TfrmPDB frmPDB{frmFindProduct};
    TfrmBsBy frmBsBy{frmFindProduct};
    TfrmPInP frmPInP;
    TfrmPoutP frmPoutP;
    TfrmProdCount frmProdCount;
    TfrmProdPD frmProdPD;
    TfrmPDAdd frmPDAdd{frmProdPD};
    TfrmPDEdit frmPDEdit{frmProdPD};
    TfrmPDChInve frmPDChInve{frmProdPD};
    TfrmProductPD frmProductPD{frmPDAdd, frmPDEdit, frmPDChInve};

    // accounts: each window owns its dialogs
    Tfrmysyf frmysyf;
    TfrmCash frmCash;
    TfrmGDZC frmGDZC;

    // reports
    TfrmTjPurQ frmTjPurQ{&frmPrintView};
    TfrmOrderPurTQ frmOrderPurTQ{&frmPrintView};
    TfrmOrderSaleQ frmOrderSaleQ{&frmPrintView};
    TfrmOrderSaleTQ frmOrderSaleTQ{&frmPrintView};
    TfrmOrderDBQ frmOrderDBQ;
    TfrmOrderBsbyQ frmOrderBsbyQ;
    TfrmOrderTJ frmOrderTJ;
    TfrmTjSupplier frmTjSupplier;
    TfrmTjSale frmTjSale;
    TfrmTjToday frmTjToday;
    TfrmTjMonth frmTjMonth;
    TfrmOpenTJ frmOpenTJ;
    TfrmTjProd frmTjProd;

    // admin
    TfrmUserAdd frmUserAdd;
    TfrmUser frmUser{frmUserAdd};
    TfrmChangePwd frmChangePwd;
    TfrmFile frmFile;
    TfrmBackData frmBackData{frmFile};
    TfrmRestoreData frmRestoreData;
    TfrmAbout frmAbout;
};

namespace {

// Registers how the main window opens a window: by its class name.
template <typename... Window> void entries(Window&... window) {
    (windows::registerOpener(QString::fromLatin1(Window::staticMetaObject.className()),
                             [&window] { window.showModal(); }),
     ...);
}

} // namespace

WindowSet::WindowSet() : windows_(std::make_unique<Windows>()) {
    Windows& w = *windows_;
    entries(w.frmLogin);
    entries(w.frmHouse, w.frmProduct, w.frmProdAdd, w.frmProdEdit, w.frmCateAdd, w.frmCateEdit,
            w.frmSupplier, w.frmCustomer, w.frmEmployee);
    entries(w.frmFieldSet);
    entries(w.frmPurIn, w.frmPurRet, w.frmSale, w.frmSaleT, w.frmPDB, w.frmBsBy, w.frmPInP,
            w.frmPoutP, w.frmProdCount, w.frmProductPD);
    entries(w.frmysyf, w.frmCash, w.frmGDZC);
    entries(w.frmTjPurQ, w.frmOrderPurTQ, w.frmOrderSaleQ, w.frmOrderSaleTQ, w.frmOrderDBQ,
            w.frmOrderBsbyQ, w.frmOrderTJ, w.frmTjSupplier, w.frmTjSale, w.frmTjToday, w.frmTjMonth,
            w.frmOpenTJ, w.frmTjProd);
    entries(w.frmUser, w.frmChangePwd, w.frmBackData, w.frmRestoreData, w.frmAbout);
    windows::registerOpener(mainentries::kSystemInitialisation,
                            [] { systeminitialisation::run(); });
}

WindowSet::~WindowSet() {
    // The openers point at the windows that go now.
    windows::clearOpeners();
}
