#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "support/booktest.h"

namespace {

class DocumentWindows : public BookTest {};

TEST_F(DocumentWindows, TheMainWindowOpensEachTradeWindowByItsClassName) {
    WindowSet set;
    for (const char* name : {"TfrmPurIn", "TfrmPurRet", "TfrmSale", "TfrmSaleT"}) {
        modal_.expectOpenClose(name);
        EXPECT_TRUE(windows::open(name)) << name;
    }
    EXPECT_EQ(modal_.shownWindows(),
              QStringList({"TfrmPurIn", "TfrmPurRet", "TfrmSale", "TfrmSaleT"}));
    EXPECT_FALSE(windows::hasOpener("TfrmFindProduct"));
    EXPECT_FALSE(windows::hasOpener("TfrmFindComp"));
}

} // namespace
