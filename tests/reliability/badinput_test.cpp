// Bad input as a person would type it: the number boxes, the data module's bindings and the
// posting procedures behind the document windows.
#include "accounts/cashbook.h"
#include "accounts/settlement.h"
#include "core/numbers.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/numberedit.h"
#include "documents/bookscheck.h"
#include "documents/stockcount.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reliability/nastytexts.h"
#include "reliability/typing.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/tradedocuments.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

class BadInput : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        other = addHouse("分库");
        pen = addProduct("笔");
        supplier = addSupplier("甲公司");
    }

    // A purchase of 2 pens at 5, as the window holds it.
    TradeDocument purchase(const QString& code) {
        return tradeDocument(code, {house, "总库"}, {supplier, "甲公司"}, {{pen, "5", "2"}});
    }

    // Everything posting could have touched, in one text.
    QString footprint() {
        return scalar("SELECT (SELECT COUNT(*) FROM OrderPur) || '/' || (SELECT COUNT(*) FROM "
                      "OrderPurD) || '/' || (SELECT COUNT(*) FROM OrderDB) || '/' || (SELECT "
                      "COUNT(*) FROM OrderDBD) || '/' || (SELECT COUNT(*) FROM OrderBsBy) || '/' "
                      "|| (SELECT COUNT(*) FROM OrderBsByD) || '/' || (SELECT COUNT(*) FROM "
                      "FitemBank) || '/' || (SELECT SUM(sumCount) FROM Fproduct) || '/' || "
                      "(SELECT SUM(exchMoney) FROM Fsupplier)");
    }

    void expectBooksAgree() {
        for (const auto& d : checkBooks(sysData->myCon))
            ADD_FAILURE() << d.text().toStdString();
    }

    long long house = 0, other = 0, pen = 0, supplier = 0;
};

bool isRefusedAsNumber(const QString& t) {
    return !t.trimmed().isEmpty() && !numbers::isNumber(t.trimmed());
}

TEST_F(BadInput, ANumberBoxNeverHoldsANonNumberOnceLeftWhateverIsTypedOrPasted) {
    NumberEdit box;
    box.show();
    for (const QString& text : nastyNumbers()) {
        retype(box, text);
        // What is typed is a number, or still on the way to one, until the box is left.
        EXPECT_TRUE(numbers::isOnTheWayToNumber(box.text().trimmed()))
            << "typed " << text.left(20).toStdString() << ", box shows "
            << box.text().left(20).toStdString();
        box.judge();
        const QString shown = box.text();
        EXPECT_TRUE(shown.trimmed().isEmpty() || numbers::isNumber(shown.trimmed()))
            << "typed and left " << text.left(20).toStdString() << ", box shows "
            << shown.left(20).toStdString();
        // Pasted at once and left: a number stays as typed (its wide digits narrowed, the
        // separators between its digits dropped), anything else becomes "0".
        box.clear();
        box.insert(text);
        box.judge();
        const QString narrow = numbers::narrowed(text).remove(u',').remove(u' ');
        EXPECT_EQ(box.text(), isRefusedAsNumber(narrow) ? QStringLiteral("0") : narrow)
            << "pasted " << text.left(20).toStdString();
    }
    retype(box, "12.5");
    EXPECT_EQ(box.text(), "12.5");
    // What a Chinese input method types in its wide mode, or with its own punctuation, is the
    // number it stands for: left as "0", a paid amount would be saved as nothing paid.
    retype(box, "１２３");
    EXPECT_EQ(box.text(), "123");
    retype(box, "１２。５");
    EXPECT_EQ(box.text(), "12.5");
    retype(box, "－０．２５");
    EXPECT_EQ(box.text(), "-0.25");
    // Digits grouped as people write amounts are the number they group: were the separator a
    // key that can never make a number, "1,200" would become "0" then "0200", saved as 200.
    retype(box, "1,200");
    EXPECT_EQ(box.text(), "1200");
    retype(box, "１，２００．５０");
    EXPECT_EQ(box.text(), "1200.50");
    retype(box, "1 500");
    EXPECT_EQ(box.text(), "1500");
    box.setText("1200");
    box.setCursorPosition(1);
    box.insert(",");
    box.insert("3");
    EXPECT_EQ(box.text(), "13200"); // the cursor stays where the separator was typed
    // A key that can never make a number replaces the text at once: "1.2." becomes "0", and
    // the 3 typed after it is kept.
    retype(box, "1.2.3");
    EXPECT_EQ(box.text(), "03");
}

TEST_F(BadInput, EveryTextReachesTheBookExactlyAsBoundAndSqlTextStaysText) {
    TQuery& q = sysData->QueryCommon;
    for (const QString& text : nastyTexts()) {
        q.load("INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
               "VALUES(:houseName,'','','','')");
        q.bind(u"houseName", text);
        ASSERT_EQ(q.execute(), 1);
        q.load("SELECT houseName FROM Fhouse WHERE houseID=last_insert_rowid()");
        q.open();
        EXPECT_EQ(q.field(u"houseName").asText(), text) << text.left(20).toStdString();
        // As a search key, with the two "%" of every search.
        q.load("SELECT COUNT(*) AS n FROM Fhouse WHERE houseName LIKE :key");
        q.bind(u"key", likePattern(text));
        q.open();
        EXPECT_GE(q.field(u"n").asInteger(), 1) << text.left(20).toStdString();
    }
    q.close();
    EXPECT_EQ(count("Fproduct"), 1);
    EXPECT_EQ(count("Fhouse"), 2 + nastyTexts().size());
}

TEST_F(BadInput, TextsOfEveryKindArePostedAndStoredAsTypedTrimmed) {
    int serial = 0;
    for (const QString& text : nastyTexts()) {
        TradeDocument d = purchase(QStringLiteral("CJ%1").arg(++serial));
        d.empName = text;
        d.compName = u' ' + text + u' ';
        d.cell(1, 9) = text;
        messages_.answerOk();
        ASSERT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), d), PostResult::Posted);
        const QString code = d.orderCode;
        const QString expected = text.trimmed();
        TQuery q(sysData->myCon, "check");
        q.load("SELECT h.empName, d.remark, b.compName FROM OrderPur h, OrderPurD d, FitemBank b "
               "WHERE h.orderID=:code AND d.orderID=h.orderID AND b.orderCode=h.orderID");
        q.bind(u"code", code);
        q.open();
        ASSERT_EQ(q.recordCount(), 1);
        EXPECT_EQ(q.field(u"empName").asText(), expected) << text.left(20).toStdString();
        EXPECT_EQ(q.field(u"remark").asText(), expected);
        EXPECT_EQ(q.field(u"compName").asText(), expected);
    }
    // A code is text too: quotes, SQL and a rare character are a document's name like any other.
    for (const QString& code : QStringList{"'; DROP TABLE Fproduct;--", "𠮷-1", "100%_"}) {
        messages_.answerOk();
        EXPECT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), purchase(code)),
                  PostResult::Posted);
        EXPECT_EQ(count(QStringLiteral("OrderPur WHERE orderID='%1'")
                            .arg(QString(code).replace("'", "''"))),
                  1);
    }
    EXPECT_EQ(count("Fproduct"), 1);
    expectBooksAgree();
}

// The number rule as a person may read it: an optional sign, digits with at most one point,
// an optional exponent, and a finite value; nothing for any other text.
std::optional<double> byTheNumberRule(const QString& text) {
    static const QRegularExpression rule(QRegularExpression::anchoredPattern(
        QStringLiteral("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?")));
    if (!rule.match(text).hasMatch())
        return std::nullopt;
    const double value = std::strtod(text.toLatin1().constData(), nullptr);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// A cell posts when its trimmed text is a number its column can hold: the product key the key of
// a product in the book, the quantity below 10^12 in magnitude; any other text refuses the
// whole document.
TEST_F(BadInput, ANumberCellThatIsNoNumberRefusesTheWholeDocumentAndWritesNothing) {
    // The grid columns of a line, the line table's column each goes to, and what the picker
    // and the window put there for two pens at 5.
    struct Cell {
        int column;
        const char* stored;
        double value;
    };
    const Cell cells[] = {
        {1, "prodID", double(pen)}, {6, "price", 5}, {7, "pcount", 2}, {8, "sumMoney", 10}};
    int serial = 0, posted = 0, refused = 0;
    for (const Cell& typed : cells) {
        const int column = typed.column;
        for (const QString& text : nastyNumbers()) {
            if (column == 1 && text.trimmed().isEmpty())
                continue; // no product ID: a row typed by hand, not a line
            TradeDocument d = purchase(QStringLiteral("CJ%1").arg(++serial));
            d.cell(1, column) = text;
            const std::optional<double> value = byTheNumberRule(text.trimmed());
            // A product ID must name the product; a whole number naming none is refused too.
            const bool fits = value && (column != 1 || *value == double(pen)) &&
                              (column != 7 || std::abs(*value) < 1e12);
            // A quantity too large for the book is named before anything is asked.
            const bool tooLarge = column == 7 && value && std::abs(*value) >= 1e12;
            const std::string what =
                "column " + std::to_string(column) + " '" + text.left(20).toStdString() + "'";
            const QString before = footprint();
            const double penBefore =
                number("SELECT sumCount FROM Fproduct WHERE prodID=" + QString::number(pen));
            if (!tooLarge)
                messages_.answerOk();
            const PostResult result = postTradeDocument(tradeKind(TradeKindId::Purchase), d);
            if (!fits) {
                ++refused;
                EXPECT_EQ(result, tooLarge ? PostResult::BeyondRange : PostResult::Failed) << what;
                EXPECT_EQ(messages_.last(), tooLarge ? "第1行的数量超出范围，请输入正确的数量！"
                                                     : "单据保存出现异常！")
                    << what;
                EXPECT_EQ(footprint(), before) << what;
                continue;
            }
            ++posted;
            ASSERT_EQ(result, PostResult::Posted) << what;
            // The line holds the number typed, the others as the picker left them.
            TQuery q(sysData->myCon, "line");
            q.load("SELECT prodID, price, pcount, sumMoney FROM OrderPurD WHERE orderID=:code");
            q.bind(u"code", d.orderCode);
            q.open();
            ASSERT_EQ(q.recordCount(), 1) << what;
            for (const Cell& cell : cells)
                EXPECT_DOUBLE_EQ(q.field(QString::fromLatin1(cell.stored)).asFloat(),
                                 cell.column == column ? *value : cell.value)
                    << what << ", " << cell.stored;
            // The pen's stock moved by the quantity stored.
            const double moved = column == 7 ? *value : 2;
            // (read back as text of 15 significant digits)
            EXPECT_NEAR(
                number("SELECT sumCount FROM Fproduct WHERE prodID=" + QString::number(pen)),
                penBefore + moved, 1e-6)
                << what;
        }
    }
    EXPECT_GT(posted, 0);
    EXPECT_GT(refused, 0);
    expectBooksAgree();
}

TEST_F(BadInput, AnAmountSettledThatIsNoNumberIsRefusedBlanksMeanNothingSettled) {
    int serial = 0;
    for (const QString& text : nastyNumbers()) {
        TradeDocument d = purchase(QStringLiteral("CJ%1").arg(++serial));
        d.money = text;
        const QString before = footprint();
        messages_.answerOk();
        const PostResult result = postTradeDocument(tradeKind(TradeKindId::Purchase), d);
        const std::string what = "'" + text.left(20).toStdString() + "'";
        if (text.trimmed().isEmpty()) {
            EXPECT_EQ(result, PostResult::Posted) << what;
        } else if (!Decimal::parse(text.trimmed())) {
            EXPECT_EQ(result, PostResult::Failed) << what;
            EXPECT_EQ(footprint(), before) << what;
        }
    }
    expectBooksAgree();
}

TEST_F(BadInput, StockDocumentsRefuseBadQuantitiesWhole) {
    for (const QString& text : QStringList{"abc", "1e999", "１２３", "", "NaN"}) {
        TransferDocument t;
        t.houseOutName = "总库";
        t.houseOutID = QString::number(house);
        t.houseInName = "分库";
        t.houseInID = QString::number(other);
        t.orderCode = "DB-" + text;
        t.date = QDate(2026, 3, 15);
        t.cell(1, 1) = QString::number(pen);
        t.cell(1, 6) = "5";
        t.cell(1, 7) = "1";
        t.cell(1, 8) = "5";
        t.cell(2, 1) = QString::number(pen);
        t.cell(2, 6) = "5";
        t.cell(2, 7) = text;
        t.cell(2, 8) = "5";
        LossOverflowDocument l;
        l.type = StockKindId::Overflow;
        l.houseName = "总库";
        l.houseID = QString::number(house);
        l.orderCode = "BY-" + text;
        l.date = QDate(2026, 3, 15);
        l.cells = t.cells;
        const QString before = footprint();
        messages_.answerOk(2);
        EXPECT_EQ(saveTransfer(t), StockSaveResult::Failed) << text.toStdString();
        EXPECT_EQ(saveLossOverflow(l), StockSaveResult::Failed) << text.toStdString();
        EXPECT_EQ(footprint(), before) << text.toStdString();
    }
    expectBooksAgree();
}

// The warehouse and account totals are kept in millionths in 64-bit integers: a larger
// number would be cut short there without a word, and a balance would lose its cents.
TEST_F(BadInput, AmountsAndCountedQuantitiesBeyondWhatTheTotalsCarryAreRefusedWhole) {
    const QString largest = "999999999999.99";
    const QStringList beyond{"1000000000000", "-1000000000000", "1e12", "123456789012345678.25",
                             QString(30, u'8')};
    const QString before = footprint();
    for (const QString& text : beyond) {
        const std::string what = text.toStdString();
        EXPECT_EQ(accounts::settleBalance("1", QString::number(supplier), text),
                  accounts::Write::Refused)
            << what;
        EXPECT_EQ(messages_.last(), "结算金额不是有效的数字！") << what;
        EXPECT_EQ(accounts::addCashEntry({true, "1", text, "张三", ""}), accounts::Write::Refused)
            << what;
        EXPECT_EQ(messages_.last(), "金额不是有效的数字！") << what;
        EXPECT_EQ(stockcount::saveLine(
                      "PD1", QString::number(pen), "0", text,
                      stockcount::CountHeader{QString::number(house), "", "", QDate(2026, 3, 15)}),
                  stockcount::LineResult::NotANumber)
            << what;
    }
    EXPECT_EQ(footprint(), before);
    EXPECT_EQ(count("OrderPD"), 0);

    EXPECT_EQ(accounts::settleBalance("1", QString::number(supplier), "-" + largest),
              accounts::Write::Done);
    EXPECT_EQ(accounts::addCashEntry({true, "1", largest, "张三", ""}), accounts::Write::Done);
    EXPECT_EQ(stockcount::saveLine(
                  "PD1", QString::number(pen), "0", largest,
                  stockcount::CountHeader{QString::number(house), "", "", QDate(2026, 3, 15)}),
              stockcount::LineResult::Saved);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier)),
        largest);
    EXPECT_EQ(scalar("SELECT je FROM VitemBank WHERE itmID=1"), largest);
    ASSERT_EQ(stockcount::correctStock("PD1", QString::number(house), "2026-03-15",
                                       {{QString::number(pen), "0", largest}}),
              stockcount::CorrectionResult::Corrected);
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM VInveHouse WHERE prodID=%1").arg(pen)),
              largest);
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen)),
              largest);
    EXPECT_TRUE(checkBooks(sysData->myCon).empty());
}

// The same limit for what documents move: a line's quantity and the amount the journal
// records. A document carrying more is refused whole: a quantity before anything is asked,
// its row named; an amount as any failed posting is.
TEST_F(BadInput, DocumentsMovingMoreThanTheTotalsCarryAreRefusedWhole) {
    const QStringList beyond{"1000000000000", "-1e12", "123456789012345678", QString(30, u'8')};
    int serial = 0;
    for (const QString& text : beyond) {
        const std::string what = text.toStdString();
        const QString before = footprint();
        TradeDocument quantity = purchase(QStringLiteral("CJ%1").arg(++serial));
        quantity.cell(1, 7) = text;
        TradeDocument due = purchase(QStringLiteral("CJ%1").arg(++serial));
        due.cell(1, 8) = text;
        due.sumMoney = text;
        EXPECT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), quantity),
                  PostResult::BeyondRange)
            << what;
        EXPECT_EQ(messages_.last(), "第1行的数量超出范围，请输入正确的数量！") << what;
        messages_.answerOk();
        EXPECT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), due), PostResult::Failed)
            << what;
        EXPECT_EQ(messages_.last(), "单据保存出现异常！") << what;
        TransferDocument t;
        t.houseOutName = "总库";
        t.houseOutID = QString::number(house);
        t.houseInName = "分库";
        t.houseInID = QString::number(other);
        t.orderCode = QStringLiteral("DB%1").arg(serial);
        t.date = QDate(2026, 3, 15);
        t.cell(1, 1) = QString::number(pen);
        t.cell(1, 7) = text;
        LossOverflowDocument l;
        l.type = StockKindId::Loss;
        l.houseName = "总库";
        l.houseID = QString::number(house);
        l.orderCode = QStringLiteral("BS%1").arg(serial);
        l.date = QDate(2026, 3, 15);
        l.cells = t.cells;
        EXPECT_EQ(saveTransfer(t), StockSaveResult::BeyondRange) << what;
        EXPECT_EQ(saveLossOverflow(l), StockSaveResult::BeyondRange) << what;
        EXPECT_EQ(footprint(), before) << what;
    }

    TradeDocument largest = purchase("CJ-largest");
    largest.cell(1, 7) = "999999999999";
    messages_.answerOk();
    EXPECT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), largest), PostResult::Posted);
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM VInveHouse WHERE prodID=%1").arg(pen)),
              "999999999999");
    expectBooksAgree();
}

// The account list is read when the entry dialog opens; the account may be gone by the time
// the entry is written.
TEST_F(BadInput, AnEntryIntoAnAccountThatIsGoneOrNoAccountWritesNothing) {
    ASSERT_EQ(accounts::insertAccount("工商银行", ""), accounts::Write::Done);
    const QString bank = scalar("SELECT MAX(itmID) FROM Fitem");
    ASSERT_TRUE(accounts::deleteAccount(bank, "工商银行"));
    messages_.clear();
    for (const QString& itmID : {bank, QStringLiteral("abc"), QString(), QStringLiteral("0")}) {
        EXPECT_EQ(accounts::addCashEntry({true, itmID, "12.5", "张三", ""}),
                  accounts::Write::Outdated)
            << itmID.toStdString();
        EXPECT_EQ(count("FitemBank"), 0) << itmID.toStdString();
        EXPECT_EQ(messages_.last(), "所选账户已被其他用户删除，请重新选择账户！");
    }
    EXPECT_EQ(accounts::addCashEntry({false, "1", "12.5", "张三", ""}), accounts::Write::Done);
    EXPECT_EQ(scalar("SELECT itmID || ' ' || sumMoney FROM FitemBank"), "1 -12.5");
}

} // namespace
