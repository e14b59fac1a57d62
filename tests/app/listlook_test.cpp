// Money in every list: two decimals, at the right, a minus sign kept; "￥" where the list's
// own form has it. Quantities at the right. Sorted lists show their arrow.
#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/ui/slotmodel.h"
#include "core/windowregistry.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QDialog>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

struct Shown {
    QString text;
    bool right = false;
};

// Lets the test ask a cell's delegate how it draws the cell.
struct DrawnCell : QStyledItemDelegate {
    static void init(QStyledItemDelegate& d, QStyleOptionViewItem& o, const QModelIndex& i) {
        (d.*(&DrawnCell::initStyleOption))(&o, i);
    }
};

// The cell of the row's field as drawn: its text and whether it stands at the right.
Shown shown(QTableView& view, int row, const QString& field) {
    const auto* model = qobject_cast<const SlotModel*>(view.model());
    if (!model) {
        ADD_FAILURE() << view.objectName().toStdString() << " shows no slot";
        return {};
    }
    int column = -1;
    for (int c = 0; c < int(model->columns().size()); ++c)
        if (model->columns()[std::size_t(c)].field == field)
            column = c;
    if (column < 0 || row >= model->rowCount()) {
        ADD_FAILURE() << view.objectName().toStdString() << " has no " << field.toStdString()
                      << " in row " << row;
        return {};
    }
    const QModelIndex index = model->index(row, column);
    auto* delegate = qobject_cast<QStyledItemDelegate*>(view.itemDelegateForIndex(index));
    QStyleOptionViewItem option;
    DrawnCell::init(*delegate, option, index);
    return {option.text, bool(option.displayAlignment & Qt::AlignRight)};
}

// The row whose field shows this text.
int rowOf(QTableView& view, const QString& field, const QString& text) {
    const auto* model = qobject_cast<const SlotModel*>(view.model());
    for (int c = 0; model && c < int(model->columns().size()); ++c)
        if (model->columns()[std::size_t(c)].field == field)
            for (int r = 0; r < model->rowCount(); ++r)
                if (model->index(r, c).data().toString() == text)
                    return r;
    ADD_FAILURE() << "no row with " << text.toStdString();
    return 0;
}

class ListLook : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        addHouse("总库");
        const long long hammer = addProduct("锤子", addCategory("工具"), "3", "12.5");
        exec("UPDATE Fproduct SET sumCount=-2 WHERE prodID=" + QString::number(hammer));
        const long long supplier = addSupplier("甲公司");
        exec("UPDATE Fsupplier SET exchMoney=-1500.5 WHERE compID=" + QString::number(supplier));
        exec("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,itmID,"
             "remark) VALUES('2026-03-10','','现金出款',-250,'','',1,'')");
        exec("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
             "VALUES('CJ1',1,'',1,'2026-03-10',900,600)");
        set = std::make_unique<WindowSet>();
    }
    void TearDown() override {
        set.reset();
        BookTest::TearDown();
    }
    // Opens the window and looks at its list.
    void look(const QString& window, const QString& list, std::function<void(QTableView&)> check) {
        modal_.expect(window, [&](QDialog& w) { check(drive::find<QTableView>(w, list)); });
        windows::open(window);
        modal_.expectAllShown();
    }

    std::unique_ptr<WindowSet> set;
};

TEST_F(ListLook, ProductListsShowPricesWithTwoDecimalsAtTheRight) {
    look("TfrmProduct", "dgProduct", [](QTableView& v) {
        EXPECT_EQ(shown(v, 0, "inprice").text, "￥3.00");
        EXPECT_EQ(shown(v, 0, "outprice").text, "￥12.50");
        EXPECT_TRUE(shown(v, 0, "outprice").right);
    });
    look("TfrmPInP", "dgProduct", [](QTableView& v) {
        EXPECT_EQ(shown(v, 0, "inprice").text, "￥3.00");
        EXPECT_TRUE(shown(v, 0, "inprice").right);
    });
    look("TfrmPoutP", "dgProduct",
         [](QTableView& v) { EXPECT_EQ(shown(v, 0, "outprice").text, "￥12.50"); });
    look("TfrmProdCount", "dgProduct", [](QTableView& v) {
        EXPECT_EQ(shown(v, 0, "outprice").text, "12.50");
        EXPECT_TRUE(shown(v, 0, "outprice").right);
        EXPECT_EQ(shown(v, 0, "sumCount").text, "-2");
        EXPECT_TRUE(shown(v, 0, "sumCount").right);
    });
}

TEST_F(ListLook, ThePickerShowsPricesWithTwoDecimalsAtTheRight) {
    modal_.expect("TfrmPurIn", [&](QDialog& w) {
        modal_.expect("TfrmFindProduct", [](QDialog& p) {
            QTableView& v = drive::find<QTableView>(p, "dgProduct");
            EXPECT_EQ(shown(v, 0, "inprice").text, "3.00");
            EXPECT_EQ(shown(v, 0, "outprice").text, "12.50");
            EXPECT_TRUE(shown(v, 0, "inprice").right);
        });
        auto& grid = drive::find<QTableView>(w, "sgData");
        drive::doubleClick(grid.viewport(), grid.visualRect(grid.model()->index(0, 3)).center());
    });
    windows::open("TfrmPurIn");
}

TEST_F(ListLook, BalancesAndAmountsKeepTheirMinusSignAtTheRight) {
    look("Tfrmysyf", "dgSupplier", [](QTableView& v) {
        const int row = rowOf(v, "compName", "甲公司");
        EXPECT_EQ(shown(v, row, "exchMoney").text, "￥-1500.50");
        EXPECT_TRUE(shown(v, row, "exchMoney").right);
    });
    look("TfrmCash", "dgitm", [](QTableView& v) {
        EXPECT_EQ(shown(v, 0, "je").text, "￥-250.00");
        EXPECT_TRUE(shown(v, 0, "je").right);
    });
}

TEST_F(ListLook, TradeStatisticsShowTheirMoneyAtTheRight) {
    look("TfrmTjSupplier", "dgOrder", [](QTableView& v) {
        EXPECT_EQ(shown(v, 0, "acMoney").text, "￥900.00");
        EXPECT_EQ(shown(v, 0, "je").text, "￥300.00");
        EXPECT_TRUE(shown(v, 0, "acMoney").right);
        EXPECT_TRUE(shown(v, 0, "je").right);
    });
}

TEST_F(ListLook, ASortedListShowsItsArrowUntilItIsLoadedAgain) {
    look("TfrmProduct", "dgProduct", [](QTableView& v) {
        QHeaderView& header = *v.horizontalHeader();
        EXPECT_FALSE(header.isSortIndicatorShown());
        const int names = 3;
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                          QPoint(header.sectionViewportPosition(names) + 5, 5));
        EXPECT_TRUE(header.isSortIndicatorShown());
        EXPECT_EQ(header.sortIndicatorSection(), names);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder); // the first click
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                          QPoint(header.sectionViewportPosition(names) + 5, 5));
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
        QTest::keyClick(v.window()->findChild<QWidget*>("txtKey"), Qt::Key_Return); // search
        EXPECT_FALSE(header.isSortIndicatorShown());
    });
}

} // namespace
