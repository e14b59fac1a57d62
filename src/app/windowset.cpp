#include "app/windowset.h"

#include "app/onfirstuse.h"
#include "core/clock.h"

#include "core/mainentries.h"
#include "core/ui/tfrmlogin.h"
#include "core/windowregistry.h"

#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmimport.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"

#include "printing/ui/printer.h"
#include "printing/ui/tfrmfieldset.h"
#include "printing/ui/tfrmprintview.h"

#include "documents/openingstock.h"
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
#include "admin/ui/tfrmbookscheck.h"
#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"

#include <QDateTime>
#include <QString>

namespace {

template <typename Window> using Made = typename OnFirstUse<Window>::Make;

// Makes the window from the windows (or the printer) it works with, each made first if need be.
template <typename Window, typename... Needs> Made<Window> from(Needs&... needs) {
    return [&needs...] { return std::make_unique<Window>(*needs...); };
}

// A query window that reprints through the preview.
template <typename Window> Made<Window> previewing(OnFirstUse<TfrmPrintView>& preview) {
    return [&preview] { return std::make_unique<Window>(&*preview); };
}

// Registers how the main window opens a window: by its class name.
template <typename... Window> void entries(OnFirstUse<Window>&... window) {
    (windows::registerOpener(QString::fromLatin1(Window::staticMetaObject.className()),
                             [&window] { window->showModal(); }),
     ...);
}

} // namespace

// One block per area; a window comes after those it works with, so it goes before them.
struct WindowSet::Windows {
    explicit Windows(const QDateTime& startedAt) : startedAt(startedAt) {}
    const QDateTime startedAt;

    OnFirstUse<TfrmLogin> frmLogin{from<TfrmLogin>()};

    // master data; the pickers serve the document windows
    OnFirstUse<TfrmHouse> frmHouse{from<TfrmHouse>()};
    OnFirstUse<TfrmProdAdd> frmProdAdd{from<TfrmProdAdd>()};
    OnFirstUse<TfrmProdEdit> frmProdEdit{from<TfrmProdEdit>()};
    OnFirstUse<TfrmCateAdd> frmCateAdd{from<TfrmCateAdd>()};
    OnFirstUse<TfrmCateEdit> frmCateEdit{from<TfrmCateEdit>()};
    OnFirstUse<TfrmProduct> frmProduct{
        from<TfrmProduct>(frmProdAdd, frmProdEdit, frmCateAdd, frmCateEdit)};
    OnFirstUse<TfrmSupplier> frmSupplier{from<TfrmSupplier>()};
    OnFirstUse<TfrmCustomer> frmCustomer{from<TfrmCustomer>()};
    OnFirstUse<TfrmEmployee> frmEmployee{from<TfrmEmployee>()};
    OnFirstUse<TfrmFindProduct> frmFindProduct{from<TfrmFindProduct>()};
    OnFirstUse<TfrmFindComp> frmFindComp{from<TfrmFindComp>()};

    // printing: the preview serves the trade windows
    OnFirstUse<Printer> printer{systemPrinter};
    OnFirstUse<TfrmPrintView> frmPrintView{from<TfrmPrintView>(printer)};
    OnFirstUse<TfrmFieldSet> frmFieldSet{from<TfrmFieldSet>()};

    // documents
    OnFirstUse<TfrmPurIn> frmPurIn{from<TfrmPurIn>(frmFindProduct, frmFindComp, frmPrintView)};
    OnFirstUse<TfrmPurRet> frmPurRet{from<TfrmPurRet>(frmFindProduct, frmFindComp, frmPrintView)};
    OnFirstUse<TfrmSale> frmSale{from<TfrmSale>(frmFindProduct, frmFindComp, frmPrintView)};
    OnFirstUse<TfrmSaleT> frmSaleT{from<TfrmSaleT>(frmFindProduct, frmFindComp, frmPrintView)};
    OnFirstUse<TfrmPDB> frmPDB{from<TfrmPDB>(frmFindProduct)};
    OnFirstUse<TfrmBsBy> frmBsBy{from<TfrmBsBy>(frmFindProduct)};
    OnFirstUse<TfrmPInP> frmPInP{from<TfrmPInP>()};
    OnFirstUse<TfrmPoutP> frmPoutP{from<TfrmPoutP>()};
    OnFirstUse<TfrmProdCount> frmProdCount{from<TfrmProdCount>()};
    OnFirstUse<TfrmProdPD> frmProdPD{from<TfrmProdPD>()};
    OnFirstUse<TfrmPDAdd> frmPDAdd{from<TfrmPDAdd>(frmProdPD)};
    OnFirstUse<TfrmPDEdit> frmPDEdit{from<TfrmPDEdit>(frmProdPD)};
    OnFirstUse<TfrmPDChInve> frmPDChInve{from<TfrmPDChInve>(frmProdPD)};
    OnFirstUse<TfrmProductPD> frmProductPD{from<TfrmProductPD>(frmPDAdd, frmPDEdit, frmPDChInve)};
    OnFirstUse<TfrmImport> frmOpeningStock{from<TfrmImport>()};

    // accounts: each window owns its dialogs
    OnFirstUse<Tfrmysyf> frmysyf{from<Tfrmysyf>()};
    OnFirstUse<TfrmCash> frmCash{from<TfrmCash>()};
    OnFirstUse<TfrmGDZC> frmGDZC{from<TfrmGDZC>()};

    // reports
    OnFirstUse<TfrmTjPurQ> frmTjPurQ{previewing<TfrmTjPurQ>(frmPrintView)};
    OnFirstUse<TfrmOrderPurTQ> frmOrderPurTQ{previewing<TfrmOrderPurTQ>(frmPrintView)};
    OnFirstUse<TfrmOrderSaleQ> frmOrderSaleQ{previewing<TfrmOrderSaleQ>(frmPrintView)};
    OnFirstUse<TfrmOrderSaleTQ> frmOrderSaleTQ{previewing<TfrmOrderSaleTQ>(frmPrintView)};
    OnFirstUse<TfrmOrderDBQ> frmOrderDBQ{from<TfrmOrderDBQ>()};
    OnFirstUse<TfrmOrderBsbyQ> frmOrderBsbyQ{from<TfrmOrderBsbyQ>()};
    OnFirstUse<TfrmOrderTJ> frmOrderTJ{from<TfrmOrderTJ>()};
    OnFirstUse<TfrmTjSupplier> frmTjSupplier{from<TfrmTjSupplier>()};
    OnFirstUse<TfrmTjSale> frmTjSale{from<TfrmTjSale>()};
    OnFirstUse<TfrmTjToday> frmTjToday{from<TfrmTjToday>()};
    OnFirstUse<TfrmTjMonth> frmTjMonth{from<TfrmTjMonth>()};
    OnFirstUse<TfrmOpenTJ> frmOpenTJ{from<TfrmOpenTJ>()};
    OnFirstUse<TfrmTjProd> frmTjProd{from<TfrmTjProd>()};

    // admin; the backup proposes the start-up time however late it is first shown
    OnFirstUse<TfrmUserAdd> frmUserAdd{from<TfrmUserAdd>()};
    OnFirstUse<TfrmUser> frmUser{from<TfrmUser>(frmUserAdd)};
    OnFirstUse<TfrmChangePwd> frmChangePwd{from<TfrmChangePwd>()};
    OnFirstUse<TfrmFile> frmFile{from<TfrmFile>()};
    OnFirstUse<TfrmBackData> frmBackData{
        [this] { return std::make_unique<TfrmBackData>(*frmFile, startedAt); }};
    OnFirstUse<TfrmRestoreData> frmRestoreData{from<TfrmRestoreData>()};
    OnFirstUse<TfrmBooksCheck> frmBooksCheck{from<TfrmBooksCheck>()};
    OnFirstUse<TfrmAbout> frmAbout{from<TfrmAbout>()};
};

WindowSet::WindowSet() : windows_(std::make_unique<Windows>(environment::now())) {
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
    entries(w.frmUser, w.frmChangePwd, w.frmBackData, w.frmRestoreData, w.frmBooksCheck,
            w.frmAbout);
    windows::registerOpener(mainentries::kOpeningStock,
                            [&w] { w.frmOpeningStock->run(openingStockImport()); });
    windows::registerOpener(mainentries::kSystemInitialisation,
                            [] { systeminitialisation::run(); });
}

WindowSet::~WindowSet() {
    // The openers point at the windows that go now.
    windows::clearOpeners();
}
