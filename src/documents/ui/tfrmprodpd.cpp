#include "documents/ui/tfrmprodpd.h"

#include "core/messages.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "masterdata/pickedproduct.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* readOnlyBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

void addRow(QFormLayout& form, const QString& text, QWidget* box) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    form.addRow(label, box);
}

} // namespace

TfrmProdPD::TfrmProdPD(QWidget* parent) : TForm(parent) {
    setObjectName("frmProdPD");
    setWindowTitle(QStringLiteral("商品盘点"));

    txtProdBH = readOnlyBox("txtProdBH");
    txtProdName = readOnlyBox("txtProdName");
    txtType = readOnlyBox("txtType");
    txtUnitName = readOnlyBox("txtUnitName");
    txtPCount = readOnlyBox("txtPCount");
    txtPCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtPDCount = new NumberEdit(QString());
    txtPDCount->setObjectName("txtPDCount");

    auto* form = new QFormLayout;
    addRow(*form, QStringLiteral("商品编号："), txtProdBH);
    addRow(*form, QStringLiteral("商品名称："), txtProdName);
    addRow(*form, QStringLiteral("规格型号："), txtType);
    addRow(*form, QStringLiteral("单         位："), txtUnitName);
    addRow(*form, QStringLiteral("库存数量："), txtPCount);
    addRow(*form, QStringLiteral("盘点数量："), txtPDCount);

    btnOK = new QPushButton(QStringLiteral("确定(&O)"));
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    setCommonKey(*btnOK, CommonKey::Save);
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"));
    btnClose->setObjectName("btnClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    txtPDCount->installEventFilter(this);
    connectGuarded(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

bool TfrmProdPD::countProduct(const QString& orderID, const CountedProduct& product,
                              const std::optional<stockcount::CountHeader>& header) {
    orderID_ = orderID;
    prodID_ = product.prodID;
    asListed_.reset();
    if (product.listedLine)
        asListed_ = stockcount::ShownLine{product.prodID, product.pcount, product.pdcount};
    header_ = header;
    txtProdBH->setText(product.prodBH);
    txtProdName->setText(product.prodName);
    txtType->setText(product.type);
    txtUnitName->setText(product.unitName);
    txtPCount->setText(product.pcount);
    txtPDCount->setText(product.pdcount);
    proposed_ = product.pdcount;
    showModal();
    return saved_;
}

void TfrmProdPD::FormShow() {
    saved_ = false;
    scan_ = ScannedKeys();
    txtPDCount->setFocus();
    txtPDCount->selectAll();
}

bool TfrmProdPD::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtPDCount || event->type() != QEvent::KeyPress)
        return TForm::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // At a scanner's pace any code is no count, though it be digits alone and no product's
    // code: the box gets back what it held before the code.
    switch (pace_.hear(key, txtPDCount)) {
    case ScannerPace::Heard::FirstKey:
        beforeScan_ = txtPDCount->text();
        break;
    case ScannerPace::Heard::Code:
        scan_ = ScannedKeys();
        txtPDCount->setText(beforeScan_);
        runGuarded([this] { notACount(pace_.code()); });
        return true;
    default:
        break;
    }
    if (!scan_.active()) {
        // Only as the first key, the proposed count still selected: a letter typed after
        // digits is the box's own business.
        if (key.text().isEmpty() || !key.text().front().isLetter() ||
            txtPDCount->selectedText() != txtPDCount->text())
            return TForm::eventFilter(watched, event);
        scan_.begin(key.text());
        return true;
    }
    const ScannedKeys::Took took = scan_.take(key);
    if (took == ScannedKeys::Took::Code)
        runGuarded([this] { notACount(scan_.code()); });
    return took != ScannedKeys::Took::Nothing || TForm::eventFilter(watched, event);
}

void TfrmProdPD::notACount(const QString& code) {
    notice(QStringLiteral("“%1”不是盘点数量，请先输入本商品的盘点数量并确定，再扫描下一个商品！")
               .arg(code));
    txtPDCount->setFocus();
    txtPDCount->selectAll();
}

bool TfrmProdPD::countIsMeant(const QString& counted) {
    if (counted == proposed_.trimmed() || !scannedCodeAsQuantity(counted))
        return true;
    // A code too large for any count is said to be none, as when a scanner's pace tells it.
    const bool noCount = tooLargeForAQuantity(counted);
    if (!noCount &&
        messages().cautiousQuestion(
            QStringLiteral("盘点数量“%1”是商品的编号，确定作为盘点数量保存吗？").arg(counted),
            kInfoCaption) == Messages::kOk)
        return true;
    txtPDCount->setText(proposed_);
    if (noCount) {
        notACount(counted);
        return false;
    }
    txtPDCount->setFocus();
    txtPDCount->selectAll();
    return false;
}

void TfrmProdPD::btnOKClick() {
    NumberEdit::judgeAll(*this);
    if (txtPDCount->text().trimmed().isEmpty()) {
        notice(QStringLiteral("请输入盘点数量！"));
        txtPDCount->setFocus();
        return;
    }
    if (!countIsMeant(txtPDCount->text().trimmed()))
        return;
    QString written;
    switch (stockcount::saveLine(orderID_, prodID_, txtPCount->text(), txtPDCount->text(), header_,
                                 &written, asListed_)) {
    case stockcount::LineResult::Saved:
        saved_ = true;
        if (written != orderID_.trimmed())
            notice(documents::movedCodeNotice(orderID_.trimmed(), written));
        orderID_ = written;
        break;
    case stockcount::LineResult::CodeInUse:
        notice(QStringLiteral("盘点单号") + orderID_.trimmed() +
               QStringLiteral("已被使用，请关闭窗口后重新新增盘点单！"));
        break;
    case stockcount::LineResult::NotANumber:
        notice(QStringLiteral("盘点数量不是有效的数值！"));
        txtPDCount->setFocus();
        return;
    case stockcount::LineResult::Gone:
        notice(QStringLiteral("该盘点单已被其他用户修正或删除，本次盘点未保存！"));
        break;
    case stockcount::LineResult::ProductGone:
        notice(QStringLiteral("该商品已被其他用户删除，本次盘点未保存！"));
        break;
    case stockcount::LineResult::CountedElsewhere:
        notice(QStringLiteral("该商品已在本仓库的盘点单") + written +
               QStringLiteral("中盘点，请在该盘点单中修改其盘点数量，本次盘点未保存！"));
        break;
    case stockcount::LineResult::LineChanged:
        notice(QStringLiteral("该盘点商品已被其他用户修改或删除，本次盘点未保存！"));
        break;
    case stockcount::LineResult::NotWritten:
        break;
    case stockcount::LineResult::Broken:
        return; // what was typed stays for the person to save again or look
    }
    close();
}
