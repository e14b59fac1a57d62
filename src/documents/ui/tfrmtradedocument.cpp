#include "documents/ui/tfrmtradedocument.h"

#include "core/clock.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/scannerpace.h"
#include "core/ui/strayscans.h"
#include "documents/documentheader.h"
#include "documents/tradeprint.h"
#include "documents/ui/documentgrid.h"
#include "documents/ui/documentlists.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "printing/ui/tfrmprintview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

QLabel* labelFor(QWidget* box, const QString& text, const char* name) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setBuddy(box);
    return label;
}

QLineEdit* amountBox(const char* name) {
    auto* box = new QLineEdit(numbers::fixed2(Decimal()));
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus); // Tab from the grid goes on to the amount settled
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMaximumWidth(140);
    return box;
}

} // namespace

TfrmTradeDocument::TfrmTradeDocument(const TradeKind& kind, TfrmFindProduct& products,
                                     TfrmFindComp& comps, TfrmPrintView& preview, QWidget* parent)
    : TForm(parent), kind_(kind), comps_(comps), preview_(preview) {
    setObjectName(kind.windowClass);
    setWindowTitle(kind.caption);

    txtCaption = new QLineEdit;
    txtCaption->setObjectName("txtCaption");
    txtCaption->setAlignment(Qt::AlignCenter);
    txtCaption->setFrame(false);
    QFont large = txtCaption->font();
    large.setPointSize(20);
    large.setBold(true);
    txtCaption->setFont(large);

    sgData = new DocumentGrid(products, kind.productMode);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtCaption);
    layout->addLayout(buildHeader());
    layout->addWidget(sgData);
    layout->addLayout(buildFooter());
    resize(1000, sizeHint().height());
    // So does one scanned anywhere else outside the lines.
    new StrayScans(*this, {sgData},
                   [this](const QString& code) { sgData->enterScannedCode(code); });

    connectGuarded(sgData, &DocumentGrid::cellEdited, this,
                   [this](int row, int column) { sgDataSetEditText(row, column); });
    // A picked line's amount follows the same rule as a typed one: a price of more than two
    // decimals would otherwise count in the total as more than the amount shown.
    connectGuarded(sgData, &DocumentGrid::productPicked, this, [this](int row) {
        CacuSumMoney(row);
        CacuTotalMoney();
    });
    connectGuarded(txtMoney, &QLineEdit::textChanged, this,
                   [this](const QString& text) { txtMoneyChange(text); });
    settledCheck_ = new QTimer(this);
    settledCheck_->setObjectName("settledCheck");
    settledCheck_->setSingleShot(true);
    settledCheck_->setInterval(std::chrono::milliseconds(2 * ScannerPace::kScannerGapMs));
    connectGuarded(settledCheck_, &QTimer::timeout, this, [this] { checkSettled(); });
    connectGuarded(imgFind, &QToolButton::clicked, this, [this](bool) { imgFindClick(); });
    connectGuarded(btnSave, &QPushButton::clicked, this, [this](bool) { btnSaveClick(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
}

QLayout* TfrmTradeDocument::buildHeader() {
    cbHouse = new QComboBox;
    cbHouse->setObjectName("cbHouse");
    cbHouse->setMinimumWidth(160);
    cbEMp = new QComboBox;
    cbEMp->setObjectName("cbEMp");
    cbEMp->setEditable(true);
    cbEMp->setInsertPolicy(QComboBox::NoInsert);
    cbEMp->setMinimumWidth(140);
    txtOrderCode = new QLineEdit;
    txtOrderCode->setObjectName("txtOrderCode");
    QPalette red = txtOrderCode->palette();
    red.setColor(QPalette::Text, Qt::red);
    txtOrderCode->setPalette(red);
    txtCompName = new QLineEdit;
    txtCompName->setObjectName("txtCompName");
    txtCompName->setReadOnly(true);
    txtCompID = new QLineEdit(this);
    txtCompID->setObjectName("txtCompID");
    txtCompID->hide();
    imgFind = new QToolButton;
    imgFind->setObjectName("imgFind");
    imgFind->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    // An icon alone names nothing to a screen reader or a person new to the window.
    imgFind->setAccessibleName(QStringLiteral("查找往来单位"));
    imgFind->setToolTip(QStringLiteral("查找往来单位（F3）"));
    setCommonKey(*imgFind, CommonKey::PickCounterpart);
    dtDate = new DateBox(QStringLiteral("dtDate"));
    // A code scanned into the date becomes the next line.
    connect(dtDate, &DateBox::codeScanned, sgData, &DocumentGrid::enterScannedCode);

    auto* comp = new QHBoxLayout;
    comp->setSpacing(2);
    comp->addWidget(txtCompName, 1);
    comp->addWidget(imgFind);

    auto* grid = new QGridLayout;
    grid->addWidget(labelFor(cbHouse, kind_.houseLabel, "lblHouse"), 0, 0);
    grid->addWidget(cbHouse, 0, 1);
    grid->addWidget(labelFor(cbEMp, QStringLiteral("经办人："), "lblEmp"), 0, 2);
    grid->addWidget(cbEMp, 0, 3);
    grid->addWidget(labelFor(txtOrderCode, QStringLiteral("单  据  号："), "lblOrderCode"), 0, 4);
    grid->addWidget(txtOrderCode, 0, 5);
    grid->addWidget(labelFor(txtCompName, kind_.counterpartLabel, "lblComp"), 1, 0);
    grid->addLayout(comp, 1, 1, 1, 3);
    grid->addWidget(labelFor(dtDate, kind_.dateLabel, "lblDate"), 1, 4);
    grid->addWidget(dtDate, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    return grid;
}

QLayout* TfrmTradeDocument::buildFooter() {
    txtSumMoney = amountBox("txtSumMoney");
    auto* settled = new NumberEdit(QStringLiteral("0"));
    settled->setShowsCents(true);
    settled->setText(numbers::fixed2(Decimal()));
    txtMoney = settled;
    txtMoney->setObjectName("txtMoney");
    txtMoney->setMaximumWidth(140);
    txtTotalMoney = amountBox("txtTotalMoney");
    Button1 = new QPushButton(QStringLiteral("打印"));
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    setCommonKey(*Button1, CommonKey::Print);
    btnSave = new QPushButton(QStringLiteral("保存"));
    btnSave->setObjectName("btnSave");
    btnSave->setDefault(true);
    setCommonKey(*btnSave, CommonKey::Save);

    auto* footer = new QHBoxLayout;
    footer->addWidget(labelFor(txtSumMoney, kind_.dueLabel, "lblSumMoney"));
    footer->addWidget(txtSumMoney);
    footer->addSpacing(16);
    footer->addWidget(labelFor(txtMoney, kind_.settledLabel, "lblMoney"));
    footer->addWidget(txtMoney);
    footer->addSpacing(16);
    footer->addWidget(labelFor(txtTotalMoney, QStringLiteral("合计金额："), "lblTotalMoney"));
    footer->addWidget(txtTotalMoney);
    footer->addStretch(1);
    footer->addWidget(Button1);
    footer->addWidget(btnSave);
    return footer;
}

void TfrmTradeDocument::FormShow() {
    if (const auto title = documents::documentTitle(kind_.titleColumn))
        txtCaption->setText(*title);
    sgData->loadCaptions();
    documents::loadHouses(*cbHouse, sysData->QueryHouse);
    documents::loadEmployees(*cbEMp);
    const QDateTime now = environment::now();
    // A document kept from the last showing keeps the date it was entered with.
    if (!sgData->anyText(DocumentGrid::ProdBH))
        dtDate->setDate(now.date());
    madeCode_ = documents::CodeOrigin{kind_.prefix, now};
    txtOrderCode->setText(documents::documentCode(kind_.prefix, now));
    documents::startWhereNeeded({cbHouse}, *sgData);
}

bool TfrmTradeDocument::FormClose() {
    sgData->finishEditing();
    if (!(Decimal() < runningTotal_))
        return true;
    if (confirmed(QStringLiteral("数据已经更改，放弃保存吗？")))
        clearDocument();
    else
        save();
    return true;
}

void TfrmTradeDocument::sgDataSetEditText(int row, int column) {
    // A row emptied with its name takes its amount out of the total at once: left in, it
    // would be posted as due with no line to show for it.
    if (!sgData->checkEditedCell(row, column)) {
        CacuTotalMoney();
        return;
    }
    const bool number = column == DocumentGrid::Price || column == DocumentGrid::Quantity ||
                        column == DocumentGrid::Amount;
    // An empty cell keeps the old amount; "-" or ".5" on the way waits for the next key.
    if (number && (sgData->text(row, column).trimmed().isEmpty() ||
                   !numbers::toDecimalOrZero(sgData->text(row, column))))
        return;
    CacuSumMoney(row);
    CacuTotalMoney();
}

// The line amount, exact to the cent: price times quantity, halves to the even cent.
void TfrmTradeDocument::CacuSumMoney(int row) {
    const auto price = numbers::toDecimalOrZero(sgData->text(row, DocumentGrid::Price).trimmed());
    const auto quantity =
        numbers::toDecimalOrZero(sgData->text(row, DocumentGrid::Quantity).trimmed());
    QString amount = QStringLiteral("0");
    try {
        if (price && quantity)
            amount = (*price * *quantity).cents().toString();
    } catch (const std::overflow_error&) {
        // Beyond what any amount can be: the line counts as nothing.
    }
    sgData->setText(row, DocumentGrid::Amount, amount);
}

void TfrmTradeDocument::CacuTotalMoney() {
    Decimal total;
    try {
        for (int row = 1; row <= DocumentGrid::kRows; ++row) {
            // A row without a product is no line: it is not stored, so it counts in no total.
            const QString amount = sgData->text(row, DocumentGrid::Amount).trimmed();
            if (amount.isEmpty() || sgData->text(row, DocumentGrid::ProdID).trimmed().isEmpty())
                continue;
            const auto value = Decimal::parse(amount);
            if (!value) {
                runningTotal_ = Decimal();
                return;
            }
            total += *value;
        }
    } catch (const std::overflow_error&) {
        runningTotal_ = Decimal();
        return;
    }
    runningTotal_ = total;
    txtSumMoney->setText(numbers::fixed2(total));
    txtTotalMoney->setText(txtSumMoney->text());
}

void TfrmTradeDocument::txtMoneyChange(const QString& text) {
    if (text != txtMoney->text()) // a replacement already ran the check on its own text
        return;
    // Judged once the keys pause: a code of digits scanned into the box is a number growing
    // key by key, and told mid-code that it exceeded the amount due, the person saw a message
    // take the rest of the code and its Enter while the box kept the code's first digits as
    // the amount settled. A scanner's keys come faster than this, and its Enter puts the
    // box's text back (StrayScans); a person sees the message as the key is typed.
    settledCheck_->start();
}

void TfrmTradeDocument::checkSettled() {
    const QString typed = txtMoney->text().trimmed();
    const auto settled = Decimal::parse(typed);
    if (!settled) // empty, or on the way to a number: the box judges it when left
        return;
    if (runningTotal_ < *settled) {
        notice(QStringLiteral("您输入的\"实付金额\"大于\"应付金额\"！"));
        txtMoney->setFocus();
    }
}

void TfrmTradeDocument::imgFindClick() {
    comps_.setMode(kind_.counterpartMode);
    comps_.showModal();
    if (comps_.chosen() != 1)
        return;
    txtCompID->setText(comps_.compID());
    txtCompName->setText(comps_.compName());
}

void TfrmTradeDocument::btnSaveClick() {
    const PostResult result = save();
    if (result == PostResult::Posted || result == PostResult::NothingInserted)
        close();
}

// The document as it stands, saved or not; printing changes nothing in the window. A row that
// names no product of the book is no line and counts in no total, so a page printing it would
// not add up: it is named as on saving instead.
void TfrmTradeDocument::Button1Click() {
    const TradeDocument d = document();
    if (const int row = d.firstRowWithoutProduct()) {
        notice(rowWithoutProductMessage(row));
        sgData->editCell(row, DocumentGrid::ProdBH);
        return;
    }
    preview_.showPage(tradePrintPage(kind_, txtCaption->text(), d));
}

PostResult TfrmTradeDocument::save() {
    // An amount settled typed just before 保存 is warned about before the posting is asked for.
    if (settledCheck_->isActive()) {
        settledCheck_->stop();
        checkSettled();
    }
    const TradeDocument d = document();
    const PostResult result = postTradeDocument(kind_, d);
    switch (result) {
    case PostResult::NoHouse:
        cbHouse->setFocus();
        break;
    case PostResult::NoOrderCode:
        txtOrderCode->setFocus();
        break;
    case PostResult::Posted:
    case PostResult::NothingInserted:
        clearDocument();
        break;
    case PostResult::UnknownProduct:
        sgData->editCell(d.firstRowWithoutProduct(), DocumentGrid::ProdBH);
        break;
    case PostResult::BeyondRange:
        sgData->editCell(d.firstRowBeyondRange(), DocumentGrid::Quantity);
        break;
    case PostResult::NoCounterpart:
    case PostResult::NoLines:
    case PostResult::Cancelled:
    case PostResult::Failed:
        break;
    }
    return result;
}

// The document as it stands once the person's typing in a cell or box is judged.
TradeDocument TfrmTradeDocument::document() {
    sgData->finishEditing();
    NumberEdit::judgeAll(*this);
    TradeDocument d;
    d.houseName = cbHouse->currentText();
    d.houseID = documents::chosenHouseID(*cbHouse);
    d.orderCode = txtOrderCode->text();
    d.codeOrigin = documents::unchangedOrigin(madeCode_, d.orderCode);
    d.compID = txtCompID->text();
    d.compName = txtCompName->text();
    d.empName = cbEMp->currentText();
    d.date = dtDate->date();
    // The amount due as stored: the total to the cent, not the box's two decimals.
    d.sumMoney = runningTotal_.cents().toString();
    d.money = txtMoney->text();
    d.runningTotal = runningTotal_;
    for (int row = 1; row <= TradeDocument::kRows; ++row)
        for (int column = 1; column <= TradeDocument::kColumns; ++column)
            d.cell(row, column) = sgData->text(row, column);
    return d;
}

void TfrmTradeDocument::clearDocument() {
    sgData->clearLines();
    txtCompName->clear();
    txtCompID->clear();
    runningTotal_ = Decimal();
    const QString zero = numbers::fixed2(Decimal());
    txtSumMoney->setText(zero);
    txtMoney->setText(zero);
    txtTotalMoney->setText(zero);
}
