#pragma once

#include "core/session.h"
#include "core/sysdata.h"
#include "documents/ui/tfrmpdadd.h"
#include "documents/ui/tfrmpdchinve.h"
#include "documents/ui/tfrmpdedit.h"
#include "documents/ui/tfrmprodpd.h"
#include "documents/ui/tfrmproductpd.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

// A book with two warehouses holding stock, the five count windows, and the gestures a
// person makes in them.
class CountBook : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        south = addHouse("南库");
        tools = addCategory("工具");
        paper = addCategory("纸品");
        hammer = addProduct("锤子", tools);
        saw = addProduct("锯子", tools);
        a4 = addProduct("A4纸", paper);
        stockIn(north, hammer, "5");
        stockIn(north, saw, "3");
        stockIn(north, a4, "10");
        stockIn(south, hammer, "7");
        session::setUser("1", "管理员");
        prodPD = std::make_unique<TfrmProdPD>();
        pdAdd = std::make_unique<TfrmPDAdd>(*prodPD);
        pdEdit = std::make_unique<TfrmPDEdit>(*prodPD);
        pdChInve = std::make_unique<TfrmPDChInve>(*prodPD);
        productPD = std::make_unique<TfrmProductPD>(*pdAdd, *pdEdit, *pdChInve);
    }
    void TearDown() override {
        productPD.reset();
        pdChInve.reset();
        pdEdit.reset();
        pdAdd.reset();
        prodPD.reset();
        session::clear();
        BookTest::TearDown();
    }

    // Goods come into a warehouse through a purchase, as posting leaves them.
    void stockIn(long long house, long long product, const QString& quantity) {
        const QString code = QStringLiteral("CJ-%1").arg(++purchases_);
        exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,"
                            "coMoney) VALUES('%1',%2,'',1,'2026-03-01',0,0)")
                 .arg(code)
                 .arg(house));
        exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('%1',%2,0,%3,0,'')")
                 .arg(code)
                 .arg(product)
                 .arg(quantity));
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+%1 WHERE prodID=%2")
                 .arg(quantity)
                 .arg(product));
    }
    QString stockOf(long long product) {
        return scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product));
    }

    static QTableView& list(QWidget& w, const QString& name) {
        return drive::find<QTableView>(w, name);
    }
    static QString cell(QTableView& view, int row, int column) {
        return view.model()->index(row, column).data().toString();
    }
    // The row whose column shows the text; -1 when none does.
    static int rowOf(QTableView& view, int column, const QString& text) {
        for (int r = 0; r < view.model()->rowCount(); ++r)
            if (cell(view, r, column) == text)
                return r;
        return -1;
    }
    static void clickRow(QTableView& view, int row) {
        const QRect at = view.visualRect(view.model()->index(row, 1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at.center());
    }
    static void doubleClickRow(QTableView& view, int row) {
        const QRect at = view.visualRect(view.model()->index(row, 1));
        drive::doubleClick(view.viewport(), at.center());
    }
    static QString labelOf(QWidget& w, const QString& boxName) {
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->buddy() && label->buddy()->objectName() == boxName)
                return label->text();
        return QString();
    }

    // In the product count window: types the counted quantity and confirms.
    void expectCount(const QString& quantity, const QString& expectedBook = QString()) {
        modal_.expect<TfrmProdPD>([quantity, expectedBook](TfrmProdPD& w) {
            if (!expectedBook.isNull()) {
                EXPECT_EQ(drive::find<QLineEdit>(w, "txtPCount").text(), expectedBook);
            }
            drive::type(w, "txtPDCount", quantity);
            drive::click(w, "btnOK");
        });
    }
    // In an entry window: double clicks the product named and counts it.
    void countProduct(QWidget& entry, const QString& name, const QString& quantity) {
        QTableView& products = list(entry, "dgProduct");
        const int row = rowOf(products, 2, name);
        ASSERT_GE(row, 0) << name.toStdString();
        expectCount(quantity);
        doubleClickRow(products, row);
    }
    struct Line {
        QString name;
        QString quantity;
    };
    // "新增盘点单" in the list window with the warehouse chosen; the script works in the window.
    void inNewCount(const QString& house, std::function<void(TfrmPDAdd&)> script) {
        modal_.expect<TfrmPDAdd>([house, script = std::move(script)](TfrmPDAdd& w) {
            drive::choose(drive::find<QComboBox>(w, "cbHouse"), house);
            script(w);
        });
        drive::click(*productPD, "tlAdd");
    }
    // A new count of the warehouse with these lines.
    void newCount(const QString& house, const std::vector<Line>& lines,
                  const QString& remark = QString()) {
        inNewCount(house, [this, lines, remark](TfrmPDAdd& w) {
            if (!remark.isEmpty())
                drive::type(w, "txtRemark", remark);
            for (const Line& line : lines)
                countProduct(w, line.name, line.quantity);
        });
    }
    // "开始盘点" on the list's first count; the script acts in the differences window.
    void startCount(std::function<void(TfrmPDChInve&)> script) {
        clickRow(list(*productPD, "dgPD"), 0);
        modal_.expect<TfrmPDChInve>(std::move(script));
        drive::click(*productPD, "tlStart");
    }
    // "修正库存" in the differences window, answering its question with yes.
    void correct(TfrmPDChInve& w) {
        messages_.answerOk();
        drive::click(w, "btnModify");
    }
    // The saw and the A4 paper carry barcodes, as a scanner reads them.
    void giveBarcodes() {
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(saw));
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='6907654321098' WHERE prodID=%1").arg(a4));
    }
    TfrmProductPD& countList() {
        productPD->show();
        return *productPD;
    }
    QString line(const QString& code, long long product, const char* column) {
        return scalar(QStringLiteral("SELECT %1 FROM OrderPDD WHERE orderID='%2' AND prodID=%3")
                          .arg(column)
                          .arg(code)
                          .arg(product));
    }

    static inline const QString kCode = QStringLiteral("PD2026315957");
    long long north = 0, south = 0, tools = 0, paper = 0, hammer = 0, saw = 0, a4 = 0;
    std::unique_ptr<TfrmProdPD> prodPD;
    std::unique_ptr<TfrmPDAdd> pdAdd;
    std::unique_ptr<TfrmPDEdit> pdEdit;
    std::unique_ptr<TfrmPDChInve> pdChInve;
    std::unique_ptr<TfrmProductPD> productPD;

private:
    int purchases_ = 0;
};
