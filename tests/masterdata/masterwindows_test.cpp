#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "support/booktest.h"

#include <QDialog>

namespace {

class MasterWindows : public BookTest {};

TEST_F(MasterWindows, TheMainWindowOpensEachOneByItsClassNameWithItsCaption) {
    WindowSet set;
    const std::vector<std::pair<QString, QString>> expected{{"TfrmHouse", "仓库管理"},
                                                            {"TfrmSupplier", "供应商管理"},
                                                            {"TfrmCustomer", "客户管理"},
                                                            {"TfrmEmployee", "员工管理"}};
    for (const auto& [windowClass, caption] : expected) {
        modal_.expect(windowClass, [caption](QDialog& w) { EXPECT_EQ(w.windowTitle(), caption); });
        EXPECT_TRUE(windows::open(windowClass)) << windowClass.toStdString();
    }
}

} // namespace
