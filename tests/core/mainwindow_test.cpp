#include "core/mainentries.h"
#include "logintest.h"

#include <QGroupBox>

namespace {

// The permission and dispatch table the main window must follow:
// the code that enables each entry, its icon, menu entry and tool button, and what it opens.
struct Expected {
    int code;
    const char* icon;
    const char* menu;
    const char* tool;
    const char* opens;
};
constexpr int kFree = mainentries::kAlwaysEnabled;
const std::vector<Expected> kTable = {
    {18, "imgHouse", "仓库设置(&H)", "", "TfrmHouse"},
    {19, "imgProduct", "商品设置(&P)", "", "TfrmProduct"},
    {20, "imgSupplier", "供货商设置(&S)", "", "TfrmSupplier"},
    {21, "imgCustomer", "客户设置(&C)", "", "TfrmCustomer"},
    {22, "imgEmployee", "员工设置(&E)", "", "TfrmEmployee"},
    {0, "", "期初库存(&O)", "", "OpeningStock"},
    {0, "imgPurIn", "采购进货(&I)", "", "TfrmPurIn"},
    {1, "imgPurT", "采购退货(&T)", "", "TfrmPurRet"},
    {3, "imgSale", "商品销售(&S)", "", "TfrmSale"},
    {4, "imgSaleT", "顾客退货(&T)", "", "TfrmSaleT"},
    {2, "imgPinP", "进价查询(&T)", "", "TfrmPInP"},
    {5, "imgPoutP", "售价查询(&C)", "", "TfrmPoutP"},
    {6, "imgPordCount", "商品库存(&P)", "", "TfrmProdCount"},
    {7, "imgPorductPD", "库存盘点(&G)", "", "TfrmProductPD"},
    {8, "imgPDB", "库存调拨(&D)", "", "TfrmPDB"},
    {9, "imgBsby", "报损报溢(&B)", "", "TfrmBsBy"},
    {10, "imgYsyf", "应收应付(&W)", "", "Tfrmysyf"},
    {11, "imgCash", "现金银行(&B)", "", "TfrmCash"},
    {12, "imgGDZC", "固定资产(&Z)", "", "TfrmGDZC"},
    {13, "imgOpenTj", "销售营业分析(&F)", "营业统计", "TfrmOpenTJ"},
    {27, "", "当日营业统计", "当日营业", "TfrmTjToday"},
    {28, "", "本月营业统计", "本月统计", "TfrmTjMonth"},
    {16, "", "商品销售分析(&T)", "", "TfrmTjProd"},
    {29, "", "采购单据查询", "采购单", "TfrmTjPurQ"},
    {30, "", "采购退货单据查询", "", "TfrmOrderPurTQ"},
    {31, "", "销售单据查询", "销售单", "TfrmOrderSaleQ"},
    {32, "", "销售退货单据查询", "", "TfrmOrderSaleTQ"},
    {33, "", "库存调拨单据查询", "", "TfrmOrderDBQ"},
    {34, "", "报损报溢单据查询", "", "TfrmOrderBsbyQ"},
    {17, "", "单据综合查询(&G)", "综合查询", "TfrmOrderTJ"},
    {14, "", "商品采购统计(&P)", "", "TfrmTjSupplier"},
    {15, "", "商品销售统计(&D)", "", "TfrmTjSale"},
    {kFree, "", "", " 单据设置 ", "TfrmFieldSet"},
    {23, "", "用户管理(&U)", "", "TfrmUser"},
    {kFree, "", "修改密码(&C)", "", "TfrmChangePwd"},
    {24, "", "数据备份(&B)", "", "TfrmBackData"},
    {25, "", "数据还原(&R)", "", "TfrmRestoreData"},
    {kFree, "", "账簿检查(&K)", "", "TfrmBooksCheck"},
    {26, "", "系统初始化(&I)", "", "SystemInitialisation"},
    {kFree, "", "关于...(&A)", "", "TfrmAbout"},
    {kFree, "", "退出系统(&X)", "", ""},
};

QStringList windowClasses() {
    QStringList classes;
    for (const Expected& e : kTable)
        if (*e.opens)
            classes << e.opens;
    return classes;
}

class MainWindow : public LoginTest {
protected:
    // Every icon, menu entry and tool button with the code that enables it.
    struct Control {
        QString name;
        int code;
        std::function<void()> use;
        std::function<bool()> enabled;
    };
    std::vector<Control> controls() {
        std::vector<Control> all;
        for (const Expected& e : kTable) {
            if (*e.icon) {
                QToolButton* b = &icon(e.icon);
                all.push_back(
                    {e.icon, e.code, [b] { drive::click(*b); }, [b] { return b->isEnabled(); }});
            }
            if (*e.menu) {
                QAction* a = &menuEntry(e.menu);
                all.push_back(
                    {e.menu, e.code, [a] { a->trigger(); }, [a] { return a->isEnabled(); }});
            }
            if (*e.tool) {
                QToolButton* b = &toolButton(e.tool);
                all.push_back(
                    {e.tool, e.code, [b] { drive::click(*b); }, [b] { return b->isEnabled(); }});
            }
        }
        return all;
    }
    QStringList enabledControls() {
        QStringList names;
        for (const Control& c : controls())
            if (c.enabled())
                names << c.name;
        return names;
    }
};

TEST(MainEntries, AreThePermissionAndDispatchTable) {
    const auto& entries = mainentries::entries();
    ASSERT_EQ(entries.size(), kTable.size());
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        const Expected& want = kTable[i];
        const mainentries::Entry& got = entries[i];
        SCOPED_TRACE(got.menu.toStdString() + got.tool.toStdString());
        EXPECT_EQ(got.code, want.code);
        EXPECT_EQ(got.icon, want.icon);
        EXPECT_EQ(got.menu, want.menu);
        EXPECT_EQ(got.tool, want.tool);
        EXPECT_EQ(got.opens, want.opens);
    }
    // Every code from 0 to 34 enables something.
    for (int code = 0; code < mainentries::kCodeCount; ++code)
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [code](const auto& e) {
            return e.code == code;
        })) << code;
}

TEST_F(MainWindow, HoldsItsMenusToolBarAndIconGroupsInOrderWithTheirTexts) {
    showLoggedIn("管理员", "admin");
    QStringList menus;
    for (QAction* top : main_.menuBar()->actions()) {
        QStringList items;
        for (QAction* a : top->menu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        menus << top->text() + ": " + items.join(", ");
    }
    EXPECT_EQ(
        menus,
        QStringList({
            "系统维护(&T): 用户管理(&U), 修改密码(&C), -, 数据备份(&B), 数据还原(&R), "
            "账簿检查(&K), 系统初始化(&I), -, 退出系统(&X)",
            "基础设置(&B): 仓库设置(&H), 商品设置(&P), -, 供货商设置(&S), 客户设置(&C), -, "
            "员工设置(&E), -, 期初库存(&O)",
            "进货管理(&P): 采购进货(&I), 采购退货(&T), -, 进价查询(&T)",
            "销售管理(&S): 商品销售(&S), 顾客退货(&T), -, 售价查询(&C)",
            "库存管理(&I): 商品库存(&P), 库存盘点(&G), -, 库存调拨(&D), 报损报溢(&B)",
            "账务管理(&A): 应收应付(&W), 现金银行(&B), -, 固定资产(&Z)",
            "统计查询(&Q): 采购单据查询, 采购退货单据查询, -, 销售单据查询, 销售退货单据查询, "
            "-, 库存调拨单据查询, 报损报溢单据查询, 单据综合查询(&G), -, 商品采购统计(&P), "
            "商品销售统计(&D), -, 当日营业统计, 本月营业统计, 商品销售分析(&T), "
            "销售营业分析(&F)",
            "帮助(&H): 关于...(&A)",
        }));

    QStringList tools;
    for (QAction* a : drive::find<QToolBar>(main_, "tlbMain").actions())
        tools << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(tools, QStringList({"采购单", "销售单", "综合查询", "-", "当日营业", "本月统计",
                                  "营业统计", "-", " 单据设置 "}));

    QStringList groups;
    for (QGroupBox* box : main_.findChildren<QGroupBox*>()) {
        QStringList icons;
        for (QToolButton* b : box->findChildren<QToolButton*>())
            icons << b->objectName() + " " + b->text();
        groups << box->title() + ": " + icons.join(", ");
    }
    EXPECT_EQ(groups, QStringList({
                          "【进货管理】: imgPurIn 采购进货, imgPurT 采购退货, imgPinP 进价查询",
                          "【销售管理】: imgSale 商品销售, imgSaleT 销售退货, imgPoutP 售价查询",
                          "【库存管理】: imgPordCount 商品库存, imgPorductPD 库存盘点, imgPDB "
                          "库存调拨, imgBsby 报损报溢",
                          "【账务管理】: imgYsyf 应收应付, imgCash 现金银行, imgGDZC 固定资产, "
                          "imgOpenTj 营业统计",
                          "【基础设置】: imgHouse 仓      库, imgProduct 商      品, imgSupplier "
                          "供应商, imgCustomer 客    户, imgEmployee 员     工",
                      }));
}

TEST_F(MainWindow, AUserWithoutPermissionRowsGetsOnlyTheFreeEntriesAndTheyWork) {
    addUser("新手", "x");
    showLoggedIn("新手", "x");
    EXPECT_EQ(enabledControls(), QStringList({" 单据设置 ", "修改密码(&C)", "账簿检查(&K)",
                                              "关于...(&A)", "退出系统(&X)"}));
    recordOpening(windowClasses());
    for (const Control& c : controls())
        if (c.name != "退出系统(&X)")
            c.use();
    EXPECT_EQ(opened_,
              QStringList({"TfrmFieldSet", "TfrmChangePwd", "TfrmBooksCheck", "TfrmAbout"}))
        << "a disabled entry opens nothing";
    EXPECT_EQ(session::userName(), "新手") << "what the password window reads";
    menuEntry("退出系统(&X)").trigger();
    EXPECT_FALSE(main_.isVisible());
}

TEST_F(MainWindow, OnlyCode13EnablesTheStatisticsIconMenuEntryAndToolButtonAllOpeningOneWindow) {
    grant(addUser("统计员", "tj"), 13);
    showLoggedIn("统计员", "tj");
    recordOpening(windowClasses());
    drive::click(icon("imgOpenTj"));
    menuEntry("销售营业分析(&F)").trigger();
    drive::click(toolButton("营业统计"));
    EXPECT_EQ(opened_, QStringList({"TfrmOpenTJ", "TfrmOpenTJ", "TfrmOpenTJ"}));
    EXPECT_EQ(enabledControls(),
              QStringList({"imgOpenTj", "销售营业分析(&F)", "营业统计", " 单据设置 ",
                           "修改密码(&C)", "账簿检查(&K)", "关于...(&A)", "退出系统(&X)"}));
}

// Taken back at another counter while the user is logged in here: the entries enabled at the
// login still opened the windows (数据还原 and 系统初始化 among them).
TEST_F(MainWindow, AnEntryWhosePermissionWasTakenBackMeanwhileOpensNothingAndTheEntriesFollow) {
    const long long user = addUser("统计员", "tj");
    grant(user, 13);
    grant(user, 6);
    showLoggedIn("统计员", "tj");
    recordOpening(windowClasses());
    exec(QStringLiteral("DELETE FROM perms WHERE userID=%1 AND perm=13").arg(user));
    grant(user, 25);

    drive::click(icon("imgOpenTj"));
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_EQ(messages_.last(), "您已没有使用此功能的权限，请与管理员联系！");
    EXPECT_FALSE(toolButton("营业统计").isEnabled());
    EXPECT_TRUE(menuEntry("数据还原(&R)").isEnabled()); // granted meanwhile
    drive::click(icon("imgPordCount"));
    EXPECT_EQ(opened_, QStringList({"TfrmProdCount"}));
}

TEST_F(MainWindow, CodesOutsideTheRangeAndDuplicatesDoNoHarm) {
    const long long user = addUser("库管", "kg");
    for (int code : {6, 6, 35, -1, 99})
        grant(user, code);
    showLoggedIn("库管", "kg");
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(enabledControls().mid(0, 2), QStringList({"imgPordCount", "商品库存(&P)"}));
    EXPECT_EQ(enabledControls().size(), 7);
}

TEST_F(MainWindow, EveryIconMenuEntryAndToolButtonOpensItsWindow) {
    showLoggedIn("管理员", "admin");
    recordOpening(windowClasses());
    QStringList expected;
    for (const Expected& e : kTable) {
        const int uses = (*e.icon ? 1 : 0) + (*e.menu ? 1 : 0) + (*e.tool ? 1 : 0);
        for (int i = 0; i < uses && *e.opens; ++i)
            expected << e.opens;
    }
    for (const Control& c : controls())
        if (c.name != "退出系统(&X)")
            c.use();
    EXPECT_EQ(opened_, expected);
    EXPECT_TRUE(main_.isVisible());
}

TEST_F(MainWindow, AnEntryWhoseWindowIsNotBuiltYetDoesNothing) {
    showLoggedIn("管理员", "admin");
    drive::click(icon("imgHouse"));
    menuEntry("系统初始化(&I)").trigger();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_TRUE(modal_.shownWindows() == QStringList({"TfrmLogin"}));
    EXPECT_TRUE(main_.isVisible());
}

TEST_F(MainWindow, ExitEndsTheProgramAtOnceWithoutAQuestion) {
    showLoggedIn("管理员", "admin");
    menuEntry("退出系统(&X)").trigger();
    EXPECT_FALSE(main_.isVisible());
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(MainWindow, PermissionsThatCannotBeReadAreReportedAndLeaveTheEntriesDisabled) {
    exec("DROP TABLE perms");
    showLoggedIn("管理员", "admin");
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::ErrorReport);
    EXPECT_TRUE(messages_.last().contains("perms")) << messages_.last().toStdString();
    EXPECT_EQ(enabledControls().size(), 5);
    EXPECT_EQ(drive::find<QLabel>(main_, "lblUser").text(), "当前用户：【管理员】");
}

} // namespace
