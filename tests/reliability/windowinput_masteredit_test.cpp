// The master data edit dialogs, reached from their lists as a person reaches them: every text
// box takes the nasty texts and the row keeps them as typed (trimmed), every number box takes
// the nasty numbers and holds a number or its own replacement, and only the row edited changes.
#include "core/sysdata.h"
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"
#include "reliability/windowinput.h"
#include "support/drive.h"

#include <QAction>
#include <QComboBox>
#include <QTableView>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <iostream>
#include <memory>

namespace {

// The boxes a person types into: visible, writable, not the edit line of a drop-down list.
QList<QLineEdit*> typingBoxes(QWidget& dialog) {
    QList<QLineEdit*> boxes;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->isVisible() && !edit->isReadOnly() &&
            !qobject_cast<QComboBox*>(edit->parentWidget()))
            boxes << edit;
    return boxes;
}

bool isNumberBox(const QLineEdit& box) {
    return box.inherits("NumberEdit");
}

// One master list with its edit dialog.
struct EditCase {
    const char* table;
    const char* keyColumn;
    const char* listName;   // the list's grid
    const char* editDialog; // the edit dialog's class
    QString saved;          // what a changed row reports
    QString blankName;      // what a blank name reports
    std::function<std::unique_ptr<QWidget>()> make;
    TQuery& (*slot)(); // the slot the list shows
    bool searchFirst;  // the list is empty until its first search
};

class MasterEditInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        tools = addCategory("工具");
        addCategory("杂项");
        prodAdd = std::make_unique<TfrmProdAdd>();
        prodEdit = std::make_unique<TfrmProdEdit>();
        cateAdd = std::make_unique<TfrmCateAdd>();
        cateEdit = std::make_unique<TfrmCateEdit>();
    }
    void TearDown() override {
        cateEdit.reset();
        cateAdd.reset();
        prodEdit.reset();
        prodAdd.reset();
        WindowInputTest::TearDown();
    }

    std::unique_ptr<QWidget> productWindow() {
        return std::make_unique<TfrmProduct>(*prodAdd, *prodEdit, *cateAdd, *cateEdit);
    }

    // Shows the list with the row of this key current, as a click on it makes it.
    void selectRow(QWidget& list, const EditCase& c, const QString& key) {
        list.hide();
        list.show();
        if (c.searchFirst) {
            drive::type(list, "txtKey", "");
            drive::click(list, "Button1");
        }
        const TQuery& q = c.slot();
        const int column = q.result().column(QString::fromLatin1(c.keyColumn));
        ASSERT_GE(column, 0);
        for (int r = 0; r < q.recordCount(); ++r)
            if (q.result().text(r, column) == key) {
                clickRow(drive::find<QTableView>(list, c.listName), r);
                return;
            }
        FAIL() << "row " << key.toStdString() << " not listed in " << c.table;
    }

    QString stored(const EditCase& c, const QString& column, const QString& key) {
        TQuery q(sysData->myCon, "stored");
        q.load(QStringLiteral("SELECT %1 FROM %2 WHERE %3=:key").arg(column, c.table, c.keyColumn));
        q.bind(u"key", key);
        q.open();
        return q.eof() ? QStringLiteral("<gone>") : q.result().text(0, 0);
    }
    // Every field of the row, as one text.
    QString wholeRow(const EditCase& c, const QString& key) {
        TQuery q(sysData->myCon, "row");
        q.load(QStringLiteral("SELECT * FROM %1 WHERE %2=:key").arg(c.table, c.keyColumn));
        q.bind(u"key", key);
        q.open();
        QStringList fields;
        for (int column = 0; !q.eof() && column < q.result().columnCount(); ++column)
            fields << q.result().text(0, column);
        return fields.join(u'|');
    }

    long long tools = 0;
    std::unique_ptr<TfrmProdAdd> prodAdd;
    std::unique_ptr<TfrmProdEdit> prodEdit;
    std::unique_ptr<TfrmCateAdd> cateAdd;
    std::unique_ptr<TfrmCateEdit> cateEdit;
};

TEST_F(MasterEditInput, EveryEditDialogStoresTextsAsTypedAndNumbersAsNumbersInTheRowEdited) {
    const std::vector<EditCase> cases{
        {"Fhouse", "houseID", "dgHouse", "TfrmHouseEdit", "修改成功！", "请输入仓库名称！",
         [] { return std::make_unique<TfrmHouse>(); },
         []() -> TQuery& { return sysData->QueryHouse; }, false},
        {"Fsupplier", "compID", "dgData", "TfrmSupplierEdit", "供应商修改成功！",
         "请输入供应商名称！", [] { return std::make_unique<TfrmSupplier>(); },
         []() -> TQuery& { return sysData->QuerySupplier; }, true},
        {"Fcustomer", "compID", "dgData", "TfrmCustEdit", "客户修改成功！", "请输入客户名称！",
         [] { return std::make_unique<TfrmCustomer>(); },
         []() -> TQuery& { return sysData->QueryCustomer; }, true},
        {"Femployee", "empID", "dgEmp", "TfrmEmpEdit", "修改成功！", "请输入员工姓名！",
         [] { return std::make_unique<TfrmEmployee>(); },
         []() -> TQuery& { return sysData->QueryEmployee; }, false},
        {"Fproduct", "prodID", "dgProduct", "TfrmProdEdit", "商品修改成功！",
         "商品名称：不能为空！", [this] { return productWindow(); },
         []() -> TQuery& { return sysData->QueryProduct; }, true},
    };
    const QStringList texts = boxTexts();
    const QStringList numbers = nastyNumbers();
    // Each round types two numbers into a number box, so that all of them come round; the
    // texts move on by one box a round, so that every box sees most of them and the boxes
    // of a dialog all of them.
    const int rounds = int((numbers.size() + 1) / 2);
    int typed = 0, checked = 0;
    for (const EditCase& c : cases) {
        // Two rows, so that an edit reaching the wrong row shows.
        const QString table = QString::fromLatin1(c.table);
        const auto add = [&](const QString& name) {
            if (table == u"Fhouse")
                return addHouse(name);
            if (table == u"Fsupplier")
                return addSupplier(name);
            if (table == u"Fcustomer")
                return addCustomer(name);
            if (table == u"Femployee")
                return addEmployee(name);
            return addProduct(name, tools);
        };
        const QString key = QString::number(add("编辑前"));
        const QString other = QString::number(add("旁边的"));
        const QString otherRow = wholeRow(c, other);
        const long long rows = count(table);
        const std::unique_ptr<QWidget> list = c.make();
        for (int i = 0; i < rounds; ++i) {
            // What each box held when "修改" was pressed, by the column it fills.
            std::vector<std::pair<QString, QString>> expected;
            std::vector<QString> numberColumns;
            modal_.expect(QString::fromLatin1(c.editDialog), [&](QDialog& d) {
                int box = 0;
                for (QLineEdit* edit : typingBoxes(d)) {
                    ++box;
                    const QString column = edit->objectName().mid(3); // txtHouseName: houseName
                    if (isNumberBox(*edit)) {
                        for (int n : {2 * i + box, 2 * i + box + 1}) {
                            enter(*edit, numbers[n % numbers.size()]);
                            EXPECT_TRUE(holdsNumberOrNothing(edit->text()))
                                << c.table << " " << column.toStdString() << " holds "
                                << quoted(edit->text());
                        }
                        numberColumns.push_back(column);
                        expected.emplace_back(column, edit->text().trimmed());
                    } else {
                        const QString text = texts[(i + box) % texts.size()];
                        enter(*edit, text);
                        EXPECT_EQ(edit->text(), text) << c.table << " " << column.toStdString();
                        expected.emplace_back(column, text.trimmed());
                    }
                    ++typed;
                }
                drive::click(d, "btnOK");
            });
            messages_.clear();
            selectRow(*list, c, key);
            drive::click(*list, "tlEdit");
            ASSERT_EQ(messages_.last(), c.saved) << c.table << " round " << i;
            for (const auto& [column, text] : expected) {
                const QString value = stored(c, column, key);
                ++checked;
                if (std::find(numberColumns.begin(), numberColumns.end(), column) ==
                    numberColumns.end()) {
                    EXPECT_EQ(value, text) << c.table << "." << column.toStdString() << " typed "
                                           << quoted(text) << " stored " << quoted(value);
                    continue;
                }
                // An empty price box stores 0; the book keeps what the box held, as a number.
                const double held = numbers::toFloatOrZero(text).value_or(NAN);
                EXPECT_NEAR(value.toDouble(), held, 1e-12 * std::max(1.0, std::abs(held)))
                    << c.table << "." << column.toStdString() << " held " << quoted(text)
                    << " stored " << quoted(value);
            }
            EXPECT_EQ(count(table), rows) << c.table;
            EXPECT_EQ(wholeRow(c, other), otherRow) << c.table << " round " << i;
        }
        // A blank name is refused with the dialog's own words and leaves the row as it was.
        const QString before = wholeRow(c, key);
        modal_.expect(QString::fromLatin1(c.editDialog), [&](QDialog& d) {
            QLineEdit* name = typingBoxes(d).value(table == u"Fproduct" ? 1 : 0);
            ASSERT_NE(name, nullptr);
            enter(*name, "  \t ");
            drive::click(d, "btnOK");
            EXPECT_EQ(messages_.last(), c.blankName);
            EXPECT_EQ(d.focusWidget(), name) << c.table;
        });
        selectRow(*list, c, key);
        drive::click(*list, "tlEdit");
        EXPECT_EQ(wholeRow(c, key), before) << c.table;
        EXPECT_EQ(count(table), rows) << c.table;
    }
    expectNoErrorReport();
    std::cout << typed << " boxes typed into the master edit dialogs, " << checked
              << " stored values checked\n";
}

TEST_F(MasterEditInput, ACategoryRenamedToAnyTextKeepsItExactlyAndABlankNameIsRefused) {
    auto window = productWindow();
    auto& tree = drive::find<QTreeWidget>(*window, "tvCategory");
    const QString key = QString::number(tools);
    QString name = "工具";
    const QString others =
        scalar("SELECT group_concat(cateName) FROM Fprodcate WHERE cateID<>" + key);
    const QStringList texts = boxTexts() << QStringLiteral("  \t ");
    window->show();
    for (const QString& text : texts) {
        const auto nodes = tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(nodes.size(), 1) << quoted(name);
        tree.setCurrentItem(nodes.first());
        modal_.expect<TfrmCateEdit>([&](TfrmCateEdit& d) {
            EXPECT_EQ(drive::find<QLineEdit>(d, "txtCateName").text(), name);
            enter(drive::find<QLineEdit>(d, "txtCateName"), text);
            drive::click(d, "btnAdd");
        });
        window->findChild<QAction*>("E1")->trigger();
        if (text.trimmed().isEmpty()) {
            EXPECT_EQ(messages_.last(), "请输入分类名称！");
        } else {
            EXPECT_EQ(messages_.last(), "分类名称修改成功！") << quoted(text);
            name = text.trimmed();
        }
        EXPECT_EQ(scalar("SELECT cateName FROM Fprodcate WHERE cateID=" + key), name);
        EXPECT_EQ(count("Fprodcate"), 2);
        EXPECT_EQ(scalar("SELECT group_concat(cateName) FROM Fprodcate WHERE cateID<>" + key),
                  others);
    }
    expectNoErrorReport();
}

} // namespace
