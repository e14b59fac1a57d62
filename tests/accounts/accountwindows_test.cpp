#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrmjk.h"
#include "accounts/ui/tfrmysyf.h"
#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "documents/tradeposting.h"
#include "masterdata/masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/tradedocuments.h"

#include <QTableView>

namespace {

using namespace masterlists;

class AccountWindows : public BookTest {};

TEST_F(AccountWindows, TheMainWindowOpensEachAccountsWindowByItsClassName) {
    WindowSet set;
    const QStringList names{"Tfrmysyf", "TfrmCash", "TfrmGDZC"};
    for (const QString& name : names) {
        modal_.expectOpenClose(name);
        EXPECT_TRUE(windows::open(name)) << name.toStdString();
    }
    EXPECT_EQ(modal_.shownWindows(), names);
    for (const char* dialog : {"TfrmJK", "TfrmInAdd", "TfrmItm", "TfrmAssAdd", "TfrmAssCateAdd"})
        EXPECT_FALSE(windows::hasOpener(dialog)) << dialog;
}

TEST_F(AccountWindows, APostedPurchaseIsOwedToItsSupplierAndPaidFromTheCashAccount) {
    const long long supplier = addSupplier("华强电子");
    const long long product = addProduct("螺丝");
    TradeDocument d = tradeDocument("CJ2026315905", {addHouse("总仓"), "总仓"},
                                    {supplier, "华强电子"}, {{product, "12.5", "10"}});
    d.money = "25";
    messages_.answerOk();
    ASSERT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), d), PostResult::Posted);
    messages_.clear();

    TfrmCash cash;
    cash.show();
    auto& accounts = drive::find<QTableView>(cash, "dgitm");
    EXPECT_EQ(column(accounts, 1).first(), "￥-125.00");
    clickRow(accounts, 0);
    EXPECT_EQ(column(drive::find<QTableView>(cash, "dgBank"), 1), QStringList({"CJ2026315905"}));

    Tfrmysyf ysyf;
    ysyf.show();
    auto& list = drive::find<QTableView>(ysyf, "dgSupplier");
    EXPECT_EQ(column(list, 1).last(), "￥100.00");
    clickRow(list, 1);
    modal_.expect<TfrmJK>([](TfrmJK& jk) {
        drive::type(jk, "txtJK", "100");
        drive::click(jk, "Button1");
    });
    drive::click(ysyf, "tlAdd");
    EXPECT_EQ(column(list, 1).last(), "￥0.00");
    // Settling records no second payment: the journal already has the whole amount.
    cash.close();
    cash.show();
    EXPECT_EQ(column(accounts, 1).first(), "￥-125.00");
}

} // namespace
