// Bad input typed into the windows as a person would: every number box and grid number cell
// gets letters, signs, exponents, full-width digits and blanks; every text box gets long,
// quoted, SQL-like and rare texts. Nothing crashes, nothing is stored but what was typed,
// and the books agree afterwards.
#include "core/sysdata.h"
#include "documents/gridinput.h"
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmcounterpartdialog.h"
#include "masterdata/ui/tfrmempdialog.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "masterdata/ui/tfrmhousedialog.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "printing/ui/tfrmprintview.h"
#include "reliability/windowinput.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QComboBox>
#include <QTableView>
#include <functional>
#include <memory>

namespace {

class WindowInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        house = addHouse("总库");
        addHouse("分库");
        addEmployee("张三");
        hammer = addProduct("锤子", addCategory("工具"), "12.5", "20");
        addSupplier("甲公司");
        addCustomer("甲商店");
        products = std::make_unique<TfrmFindProduct>();
        comps = std::make_unique<TfrmFindComp>();
        preview = std::make_unique<TfrmPrintView>(printer);
    }
    void TearDown() override {
        windows.clear();
        preview.reset();
        comps.reset();
        products.reset();
        WindowInputTest::TearDown();
    }

    void pickProduct(DocumentGrid& grid, int row) {
        modal_.expect<TfrmFindProduct>([](TfrmFindProduct& p) {
            auto& list = drive::find<QTableView>(p, "dgProduct");
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(0, 3)).center());
        });
        gridinput::doubleClick(grid, row);
    }
    void pickCounterpart(QWidget& w) {
        modal_.expect<TfrmFindComp>([](TfrmFindComp& p) {
            auto& list = drive::find<QTableView>(p, "dgSupplier");
            const int last = list.model()->rowCount() - 1;
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(last, 1)).center());
        });
        drive::click(w, "imgFind");
    }
    // A trade window showing a whole document: warehouse, counterpart, the hammer on row 1.
    template <typename Window> Window& tradeWindow() {
        auto w = std::make_unique<Window>(*products, *comps, *preview);
        Window& window = *w;
        windows.push_back(std::move(w));
        window.show();
        fill(window);
        return window;
    }
    void fill(QWidget& w) {
        drive::choose(drive::find<QComboBox>(w, "cbHouse"), "总库");
        pickCounterpart(w);
        pickProduct(grid(w), 1);
    }
    static DocumentGrid& grid(QWidget& w) { return drive::find<DocumentGrid>(w, "sgData"); }
    void save(QWidget& w) {
        messages_.answerOk();
        drive::click(w, "btnSave");
    }
    // A stock window shown with its warehouse boxes chosen and the hammer on row 1.
    template <typename Window>
    Window& stockWindow(std::initializer_list<std::pair<const char*, QString>> houses) {
        auto owned = std::make_unique<Window>(*products);
        Window& w = *owned;
        windows.push_back(std::move(owned));
        w.show();
        for (const auto& [box, name] : houses)
            drive::choose(drive::find<QComboBox>(w, box), name);
        pickProduct(grid(w), 1);
        return w;
    }
    // The first line's price, quantity and amount hold a number or nothing after each nasty
    // text typed into them; then the line is 3 at 2 and the document is saved.
    void typeNastyNumbersAndSave(QWidget& w) {
        for (int column : {DocumentGrid::Price, DocumentGrid::Quantity, DocumentGrid::Amount})
            for (const QString& text : nastyNumbers()) {
                gridinput::type(grid(w), 1, column, text);
                EXPECT_TRUE(holdsNumberOrNothing(grid(w).text(1, column)))
                    << text.left(20).toStdString();
            }
        gridinput::type(grid(w), 1, DocumentGrid::Quantity, "3");
        gridinput::type(grid(w), 1, DocumentGrid::Price, "2");
        gridinput::type(grid(w), 1, DocumentGrid::Amount, "2");
        save(w);
        EXPECT_EQ(messages_.last(), "单据保存成功！");
    }

    long long house = 0, hammer = 0;
    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    TestPrinter printer;
    std::unique_ptr<TfrmPrintView> preview;
    std::vector<std::unique_ptr<QWidget>> windows;
};

TEST_F(WindowInput, TradeGridCellsAndTheSettledBoxNeverHoldANonNumberAndTheDocumentStillSaves) {
    for (TfrmTradeDocument* w : std::initializer_list<TfrmTradeDocument*>{
             &tradeWindow<TfrmPurIn>(), &tradeWindow<TfrmSaleT>()}) {
        DocumentGrid& g = grid(*w);
        for (int column : {DocumentGrid::Price, DocumentGrid::Quantity, DocumentGrid::Amount}) {
            for (const QString& text : nastyNumbers()) {
                gridinput::type(g, 1, column, text);
                const std::string what =
                    "column " + std::to_string(column) + " '" + text.left(20).toStdString() + "'";
                EXPECT_TRUE(holdsNumberOrNothing(g.text(1, column)))
                    << what << " left " << g.text(1, column).left(20).toStdString();
                EXPECT_TRUE(holdsNumberOrNothing(g.text(1, DocumentGrid::Amount))) << what;
                EXPECT_TRUE(holdsNumberOrNothing(drive::find<QLineEdit>(*w, "txtSumMoney").text()))
                    << what;
            }
        }
        QLineEdit& settled = drive::find<QLineEdit>(*w, "txtMoney");
        for (const QString& text : nastyNumbers()) {
            enter(settled, text);
            EXPECT_TRUE(holdsNumberOrNothing(settled.text())) << text.left(20).toStdString();
        }
        gridinput::type(g, 1, DocumentGrid::Price, "12.5");
        gridinput::type(g, 1, DocumentGrid::Quantity, "4");
        retype(settled, "20");
        EXPECT_EQ(drive::find<QLineEdit>(*w, "txtSumMoney").text(), "50.00");
        save(*w);
        EXPECT_EQ(messages_.last(), "单据保存成功！");
    }
    EXPECT_EQ(number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(hammer)),
              8);
    expectNoErrorReport();
    expectBooksAgree();
}

TEST_F(WindowInput, TextsTypedIntoATradeDocumentAreStoredAsTyped) {
    auto& w = tradeWindow<TfrmPurIn>();
    int serial = 0;
    for (const QString& text : boxTexts()) {
        if (serial++ > 0) {
            w.show();
            fill(w);
        }
        const QString code = QStringLiteral("CJ-%1-").arg(serial) + text.left(30);
        enter(drive::find<QLineEdit>(w, "txtOrderCode"), code);
        enter(*drive::find<QComboBox>(w, "cbEMp").lineEdit(), text);
        gridinput::typeKeys(grid(w), 1, DocumentGrid::Remark, QString());
        if (QLineEdit* cell = gridinput::editor(grid(w))) {
            enter(*cell, text);
            QTest::keyClick(cell, Qt::Key_Return);
        }
        save(w);
        ASSERT_EQ(messages_.last(), "单据保存成功！") << text.left(20).toStdString();
        TQuery q(sysData->myCon, "check");
        q.load(
            "SELECT h.empName, d.remark FROM OrderPur h JOIN OrderPurD d ON d.orderID = h.orderID "
            "WHERE h.orderID = :code");
        q.bind(u"code", code.trimmed());
        q.open();
        ASSERT_EQ(q.recordCount(), 1) << code.left(40).toStdString();
        EXPECT_EQ(q.field(u"empName").asText(), text.trimmed()) << text.left(20).toStdString();
        EXPECT_EQ(q.field(u"remark").asText(), text.trimmed()) << text.left(20).toStdString();
    }
    EXPECT_EQ(count("Fproduct"), 1);
    expectNoErrorReport();
    expectBooksAgree();
}

TEST_F(WindowInput, LossQuantitiesNeverHoldANonNumberAndTheReportStillSaves) {
    typeNastyNumbersAndSave(stockWindow<TfrmBsBy>({{"cbHouseIn", "总库"}}));
    EXPECT_EQ(number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(hammer)),
              -3);
    expectNoErrorReport();
    expectBooksAgree();
}

TEST_F(WindowInput, TransferCellsNeverHoldANonNumberAndTheTransferStillSaves) {
    typeNastyNumbersAndSave(stockWindow<TfrmPDB>({{"cbHouseOut", "总库"}, {"cbHouseIn", "分库"}}));
    EXPECT_EQ(number("SELECT sumCount FROM VInveHouse WHERE houseID=2"), 3);
    expectNoErrorReport();
    expectBooksAgree();
}

TEST_F(WindowInput, ThePickerSearchTakesAnyKeyAsTextAndTheWildcardsAsTheSearchRuleSays) {
    products->show();
    QLineEdit& key = drive::find<QLineEdit>(*products, "txtKey");
    auto& list = drive::find<QTableView>(*products, "dgProduct");
    const auto found = [&](const QString& text) {
        enter(key, text);
        QTest::keyClick(&key, Qt::Key_Return);
        return list.model()->rowCount();
    };
    // "%" + key + "%": a percent sign matches any text, an underscore any one character.
    const ExpectedRows expected{
        {"锤", 1}, {"%", 1}, {"_", 1}, {"锤_", 1}, {"'; DROP TABLE Fproduct;--", 0}};
    for (const QString& text : boxTexts())
        EXPECT_EQ(found(text), expectedRows(expected, text)) << quoted(text);
    for (const auto& [text, rows] : expected)
        EXPECT_EQ(found(text), rows) << quoted(text);
    EXPECT_EQ(count("Fproduct"), 1);
    expectNoErrorReport();
}

// Every add dialog of the master data, with the table its rows go to.
struct DialogCase {
    const char* table;
    std::function<std::unique_ptr<TForm>()> make;
};

TEST_F(WindowInput, EveryBoxOfEveryMasterDialogKeepsTextsAsTypedAndNumbersAsNumbers) {
    const std::vector<DialogCase> dialogs{
        {"Fhouse", [] { return std::make_unique<TfrmHouseAdd>(); }},
        {"Fsupplier", [] { return std::make_unique<TfrmSupplierAdd>(); }},
        {"Fcustomer", [] { return std::make_unique<TfrmCustAdd>(); }},
        {"Femployee", [] { return std::make_unique<TfrmEmpAdd>(); }},
        {"Fproduct", [] { return std::make_unique<TfrmProdAdd>(); }},
    };
    int tried = 0, verified = 0;
    for (const DialogCase& c : dialogs) {
        const std::unique_ptr<TForm> dialog = c.make();
        const QStringList texts = boxTexts();
        const QStringList numbers = nastyNumbers();
        for (int i = 0; i < texts.size(); ++i) {
            dialog->show();
            if (auto* category = dialog->findChild<QComboBox*>("cbCate"))
                drive::choose(*category, "工具");
            QStringList kept;
            int box = 0;
            bool blankBox = false;
            for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
                if (!edit->isVisible() || edit->isReadOnly() ||
                    qobject_cast<QComboBox*>(edit->parentWidget()))
                    continue;
                // The first box is the name: always a text; the others take turns.
                const QString text = box++ % 2 == 0 ? texts[(i + box) % texts.size()]
                                                    : numbers[(i + box) % numbers.size()];
                enter(*edit, text);
                ++tried;
                blankBox = blankBox || edit->text().trimmed().isEmpty();
                // A number box stores what it holds as a number, not as the text typed.
                if (edit->text() == text && !edit->inherits("NumberEdit"))
                    kept << text.trimmed();
                else
                    EXPECT_TRUE(holdsNumberOrNothing(edit->text()))
                        << c.table << " " << edit->objectName().toStdString() << " holds "
                        << edit->text().left(20).toStdString();
            }
            const long long before = count(c.table);
            drive::click(*dialog, "btnOK");
            if (count(c.table) == before) {
                // Refused, which is right only for a name left blank by a blank "number".
                EXPECT_TRUE(messages_.last().endsWith("不能为空！"))
                    << c.table << ": " << messages_.last().toStdString();
                EXPECT_TRUE(blankBox) << c.table;
                dialog->close();
                continue;
            }
            ASSERT_EQ(count(c.table), before + 1) << c.table;
            // The new row holds every text kept in a box, exactly.
            TQuery q(sysData->myCon, "row");
            q.load(QStringLiteral("SELECT * FROM %1 WHERE rowid = (SELECT max(rowid) FROM %1)")
                       .arg(c.table));
            q.open();
            QStringList stored;
            for (int col = 0; col < q.result().columnCount(); ++col)
                stored << q.result().text(0, col);
            for (const QString& text : kept) {
                if (text.isEmpty())
                    continue;
                ++verified;
                EXPECT_TRUE(stored.contains(text))
                    << c.table << " lost '" << text.left(20).toStdString() << "'";
            }
            dialog->close();
        }
    }
    expectNoErrorReport();
    EXPECT_GT(verified, tried / 3);
    std::cout << tried << " boxes filled in the master dialogs, " << verified
              << " texts found stored exactly\n";
}

} // namespace
