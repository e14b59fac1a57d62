#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "support/booktest.h"

#include <QDialog>
#include <QTreeWidget>

namespace {

class StatsWindows : public BookTest {};

TEST_F(StatsWindows, TheMainWindowOpensEachOneByItsClassNameAndItComputesAtOnce) {
    exec("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,itmID,remark) "
         "VALUES('2026-03-15','商品销售',12.5,'张三',1,'')");
    WindowSet set;
    const std::vector<std::pair<QString, QString>> expected{{"TfrmTjToday", "当日营业统计"},
                                                            {"TfrmTjMonth", "本月营业统计"},
                                                            {"TfrmOpenTJ", "经营情况统计"}};
    for (const auto& [windowClass, caption] : expected) {
        modal_.expect(windowClass, [caption](QDialog& w) {
            EXPECT_EQ(w.windowTitle(), caption);
            auto* list = w.findChild<QTreeWidget*>("lstItem");
            ASSERT_TRUE(list);
            EXPECT_EQ(list->topLevelItem(6)->text(1), "￥12.50");
        });
        EXPECT_TRUE(windows::open(windowClass)) << windowClass.toStdString();
    }
    modal_.expect("TfrmTjProd", [](QDialog& w) { EXPECT_EQ(w.windowTitle(), "商品销售分析"); });
    EXPECT_TRUE(windows::open("TfrmTjProd"));
}

} // namespace
