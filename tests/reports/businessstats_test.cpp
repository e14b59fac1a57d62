#include "core/clock.h"
#include "core/sysdata.h"
#include "reports/ui/businessstats.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QBrush>
#include <QDateEdit>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>

namespace {

// A business statistics window on a book whose journal the test writes as posting and the
// cash entries do.
class BusinessStatsTest : public BookTest {
protected:
    void journal(const QString& date, const QString& kind, const QString& amount,
                 const QString& remark = "") {
        exec(QString("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,"
                     "compName,itmID,remark) VALUES('%1',NULL,'%2',%3,'张三',NULL,1,'%4')")
                 .arg(date, kind, amount, remark));
    }

    // The "金额" texts of the seven summary rows.
    static QStringList figures(BusinessStats& window) {
        auto& list = drive::find<QTreeWidget>(window, "lstItem");
        QStringList values;
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            values << list.topLevelItem(row)->text(1);
        return values;
    }
    static void choose(BusinessStats& window, int row) {
        auto& list = drive::find<QTreeWidget>(window, "lstItem");
        list.setCurrentItem(list.topLevelItem(row));
    }
    // The detail list as shown: one "date|kind|amount|handler|remark" text per row.
    static QStringList details(BusinessStats& window) {
        auto& grid = drive::find<QTableView>(window, "DBGrid2");
        QStringList rows;
        for (int r = 0; r < grid.model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid.model()->columnCount(); ++c)
                cells << grid.model()->index(r, c).data().toString();
            rows << cells.join('|');
        }
        rows.sort();
        return rows;
    }
    static QBrush amountBrush(BusinessStats& window, int row) {
        auto& grid = drive::find<QTableView>(window, "DBGrid2");
        return grid.model()->index(row, 2).data(Qt::ForegroundRole).value<QBrush>();
    }
};

TEST_F(BusinessStatsTest, TodayShowsIncomeExpensesAndProfitOfTheDayOnly) {
    journal("2026-03-15", "商品销售", "500");
    journal("2026-03-15", "采购进货", "-300");
    journal("2026-03-15", "现金出款", "-20", "房租");
    journal("2026-03-14", "商品销售", "999"); // yesterday
    journal("2026-03-16", "现金进款", "77");  // tomorrow
    TfrmTjToday window;
    window.show();

    EXPECT_EQ(window.windowTitle(), "当日营业统计");
    EXPECT_EQ(drive::find<QLabel>(window, "lblDate").text(), "2026-03-15");
    EXPECT_EQ(figures(window), (QStringList{"￥500.00", "￥500.00", "￥0.00", "￥320.00",
                                            "￥300.00", "￥20.00", "￥180.00"}));
    auto& list = drive::find<QTreeWidget>(window, "lstItem");
    EXPECT_EQ(list.topLevelItem(0)->text(0), "【收入类】");
    EXPECT_EQ(list.topLevelItem(1)->text(0), "      1.销售收入");
    EXPECT_EQ(list.topLevelItem(6)->text(0), "【总利润】");
}

TEST_F(BusinessStatsTest, ChoosingAFigureListsTheJournalRowsBehindIt) {
    journal("2026-03-15", "商品销售", "500");
    journal("2026-03-15", "采购退货", "40");
    journal("2026-03-15", "采购进货", "-300");
    journal("2026-03-15", "顾客退货", "-25");
    journal("2026-03-15", "现金出款", "-20", "房租");
    journal("2026-03-14", "现金出款", "-5");
    TfrmTjToday window;
    window.show();

    choose(window, 5);
    EXPECT_EQ(details(window), (QStringList{"2026-03-15|现金出款|￥20.00|张三|房租",
                                            "2026-03-15|顾客退货|￥25.00|张三|"}));
    EXPECT_EQ(amountBrush(window, 0).color(), QColor(Qt::red));

    choose(window, 0);
    EXPECT_EQ(details(window), (QStringList{"2026-03-15|商品销售|￥500.00|张三|",
                                            "2026-03-15|采购退货|￥40.00|张三|"}));
    EXPECT_EQ(amountBrush(window, 0).style(), Qt::NoBrush);

    choose(window, 3);
    EXPECT_EQ(details(window).size(), 3);
    choose(window, 2);
    EXPECT_EQ(details(window), QStringList{"2026-03-15|采购退货|￥40.00|张三|"});
    // The profit has no rows of its own: the list stays as it was.
    choose(window, 6);
    EXPECT_EQ(details(window), QStringList{"2026-03-15|采购退货|￥40.00|张三|"});
}

TEST_F(BusinessStatsTest, ALossShowsItsMinusSignAndTheCostInRed) {
    journal("2026-03-15", "采购进货", "-35");
    TfrmTjToday window;
    window.show();

    EXPECT_EQ(figures(window)[6], "￥-35.00");
    EXPECT_EQ(figures(window)[3], "￥35.00");
    choose(window, 4);
    EXPECT_EQ(details(window), QStringList{"2026-03-15|采购进货|￥35.00|张三|"});
    EXPECT_EQ(amountBrush(window, 0).color(), QColor(Qt::red));
}

TEST_F(BusinessStatsTest, LargeAndManySmallAmountsAddUpToTheCent) {
    // A 32-bit float holds neither 123456.79 nor the sum of ten 0.1s exactly.
    journal("2026-03-15", "商品销售", "123456.78");
    journal("2026-03-15", "商品销售", "0.01");
    for (int i = 0; i < 10; ++i)
        journal("2026-03-15", "现金进款", "0.1");
    journal("2026-03-15", "采购进货", "-99999.99");
    TfrmTjToday window;
    window.show();

    EXPECT_EQ(figures(window), (QStringList{"￥123457.79", "￥123456.79", "￥1.00", "￥99999.99",
                                            "￥99999.99", "￥0.00", "￥23457.80"}));
}

TEST_F(BusinessStatsTest, AnEmptyBookShowsZeros) {
    TfrmTjToday window;
    window.show();
    EXPECT_EQ(figures(window), QStringList(7, "￥0.00"));
}

TEST_F(BusinessStatsTest, TheMonthCoversItsFirstToItsLastDay) {
    journal("2026-02-28", "商品销售", "1");
    journal("2026-03-01", "商品销售", "10");
    journal("2026-03-31", "商品销售", "20");
    journal("2026-04-01", "商品销售", "100");
    TfrmTjMonth window;
    window.show();

    EXPECT_EQ(window.windowTitle(), "本月营业统计");
    EXPECT_EQ(drive::find<QLabel>(window, "lblBegin").text(), "2026-03-01");
    EXPECT_EQ(drive::find<QLabel>(window, "lblEnd").text(), "2026-03-31");
    EXPECT_EQ(figures(window)[1], "￥30.00");
    choose(window, 1);
    EXPECT_EQ(details(window), (QStringList{"2026-03-01|商品销售|￥10.00|张三|",
                                            "2026-03-31|商品销售|￥20.00|张三|"}));
}

TEST_F(BusinessStatsTest, TheMonthFollowsTheCalendarWhenShownAgain) {
    TfrmTjMonth window;
    environment::setFixedNow(QDateTime(QDate(2026, 1, 31), QTime(18, 0)));
    window.show();
    EXPECT_EQ(drive::find<QLabel>(window, "lblBegin").text(), "2026-01-01");
    EXPECT_EQ(drive::find<QLabel>(window, "lblEnd").text(), "2026-01-31");
    window.hide();

    environment::setFixedNow(QDateTime(QDate(2028, 2, 10), QTime(9, 0)));
    journal("2028-02-29", "现金进款", "8");
    window.show();
    EXPECT_EQ(drive::find<QLabel>(window, "lblEnd").text(), "2028-02-29");
    EXPECT_EQ(figures(window)[2], "￥8.00");
}

TEST_F(BusinessStatsTest, TheChosenPeriodStartsAMonthBackAndFollowsThePickers) {
    journal("2026-02-14", "商品销售", "1");
    journal("2026-02-15", "商品销售", "10");
    journal("2026-03-15", "现金出款", "-4");
    journal("2026-01-10", "商品销售", "200");
    TfrmOpenTJ window;
    window.show();

    EXPECT_EQ(window.windowTitle(), "经营情况统计");
    auto& begin = drive::find<QDateEdit>(window, "dtBegin");
    auto& end = drive::find<QDateEdit>(window, "dtEnd");
    EXPECT_EQ(begin.date(), QDate(2026, 2, 15));
    EXPECT_EQ(end.date(), QDate(2026, 3, 15));
    EXPECT_EQ(figures(window)[6], "￥6.00");

    // The details read the pickers at once; the figures wait for "查询(&F)".
    begin.setDate(QDate(2026, 1, 1));
    choose(window, 1);
    EXPECT_EQ(details(window).size(), 3);
    EXPECT_EQ(figures(window)[1], "￥10.00");
    drive::click(window, "Button1");
    EXPECT_EQ(figures(window)[1], "￥211.00");

    // A begin after the end finds nothing, without complaint.
    begin.setDate(QDate(2026, 4, 1));
    drive::click(window, "Button1");
    EXPECT_EQ(figures(window), QStringList(7, "￥0.00"));
    EXPECT_TRUE(messages_.shown().empty());
}

// 商品成本 listed, then 【总利润】 chosen and another period asked for: the cost rows of the
// period before stayed beside the new figures.
TEST_F(BusinessStatsTest, AFigureWithoutRowsKeepsNoneOfThePeriodBeforeWhenThePeriodChanges) {
    journal("2026-03-10", "采购进货", "-40");
    journal("2026-01-10", "采购进货", "-7");
    TfrmOpenTJ window;
    window.show();
    choose(window, 4);
    ASSERT_EQ(details(window).size(), 1);
    choose(window, 6);
    EXPECT_EQ(details(window).size(), 1); // choosing it leaves the list as it was
    drive::find<QDateEdit>(window, "dtBegin").setDate(QDate(2026, 1, 1));
    drive::find<QDateEdit>(window, "dtEnd").setDate(QDate(2026, 1, 31));
    drive::click(window, "Button1");
    EXPECT_EQ(figures(window)[4], "￥7.00");
    EXPECT_TRUE(details(window).isEmpty());
}

TEST_F(BusinessStatsTest, ShowingAgainRecomputesAndLetsAnyFigureBeChosen) {
    journal("2026-03-15", "商品销售", "50");
    TfrmTjToday window;
    window.show();
    choose(window, 1);
    window.hide();

    journal("2026-03-15", "商品销售", "25");
    window.show();
    EXPECT_EQ(figures(window)[1], "￥75.00");
    // The same figure chosen again lists the new rows.
    choose(window, 1);
    EXPECT_EQ(details(window).size(), 2);
}

} // namespace
