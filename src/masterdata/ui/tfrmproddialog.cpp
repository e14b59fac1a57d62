#include "masterdata/ui/tfrmproddialog.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/strayscans.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

const ProdDialogKind kAdd{QStringLiteral("添加商品"), QStringLiteral("添加(&A)"),
                          catalog::kInsertProduct, QStringLiteral("添加成功！"), true};
const ProdDialogKind kEdit{QStringLiteral("修改商品"), QStringLiteral(" 修改(&S)"),
                           catalog::kUpdateProduct, QStringLiteral("商品修改成功！"), false};

} // namespace

TfrmProdAdd::TfrmProdAdd(QWidget* parent) : TfrmProdDialog(kAdd, parent) {}
TfrmProdEdit::TfrmProdEdit(QWidget* parent) : TfrmProdDialog(kEdit, parent) {}

TfrmProdDialog::TfrmProdDialog(const ProdDialogKind& kind, QWidget* parent)
    : TForm(parent), kind_(kind) {
    setWindowTitle(kind.caption);

    lblCate_ = new QLabel(QStringLiteral("商品分类："), this);
    lblCate_->setObjectName(QStringLiteral("lblCate"));
    cbCate_ = new QComboBox(this);
    cbCate_->setObjectName(QStringLiteral("cbCate"));
    cbCate_->setMinimumContentsLength(12);
    lblCate_->setBuddy(cbCate_);

    // In input order; the labels read the program's own captions until FConfig renames them.
    addBox("prodBH", "txtProdBH", "lblProdBH", "商品编号", new QLineEdit(this));
    addBox("prodName", "txtProdName", "lblProdName", "商品名称", new QLineEdit(this));
    addBox("type", "txtType", "lblType", "规格/型号", new QLineEdit(this));
    addBox("unitName", "txtunitName", "lblunitName", "单位", new QLineEdit(this));
    addBox("company", "txtCompany", "lblCompany", "厂家", new QLineEdit(this));
    // A price box empties itself as soon as its text is no number.
    addBox("inprice", "txtInprice", "lblinprice", "进价", new NumberEdit(QString(), this));
    addBox("outprice", "txtOutprice", "lbloutprice", "售价", new NumberEdit(QString(), this));
    addBox("field1", "txtfield1", "lblfield1", "批号", new QLineEdit(this));
    addBox("field2", "txtfield2", "lblfield2", "有效期", new QLineEdit(this));
    addBox("remark", "txtremark", "lblremark", "备注", new QLineEdit(this));

    btnOK_ = new QPushButton(kind.okText, this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnOK_->setDefault(true);
    btnClose_ = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));

    // Two fields a row, read left to right in input order; the remark takes a whole row.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(lblCate_, 0, 0);
    grid->addWidget(cbCate_, 0, 1);
    for (std::size_t i = 0; i + 1 < boxes_.size(); ++i) {
        const int cell = int(i) + 1;
        grid->addWidget(boxes_[i].label, cell / 2, (cell % 2) * 2);
        grid->addWidget(boxes_[i].edit, cell / 2, (cell % 2) * 2 + 1);
    }
    const Box& last = boxes_.back();
    grid->addWidget(last.label, int(boxes_.size() + 1) / 2, 0);
    grid->addWidget(last.edit, int(boxes_.size() + 1) / 2, 1, 1, 3);
    grid->setColumnMinimumWidth(1, 180);
    grid->setColumnMinimumWidth(3, 180);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QWidget* previous = cbCate_;
    for (const Box& b : boxes_) {
        setTabOrder(previous, b.edit);
        previous = b.edit;
    }
    setTabOrder(previous, btnOK_);
    setTabOrder(btnOK_, btnClose_);

    connectGuarded(btnOK_, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    connectGuarded(btnClose_, &QPushButton::clicked, this, [this](bool) { close(); });
    // A code scanned into a price (the code box was meant) would be saved as the price.
    std::vector<QWidget*> texts;
    for (const Box& b : boxes_)
        if (!qobject_cast<NumberEdit*>(b.edit))
            texts.push_back(b.edit);
    refuseScans(*this, std::move(texts));
}

void TfrmProdDialog::addBox(const QString& fieldName, const QString& boxName,
                            const QString& labelName, const QString& caption, QLineEdit* edit) {
    edit->setObjectName(boxName);
    auto* label = new QLabel(caption + u'：', this);
    label->setObjectName(labelName);
    label->setBuddy(edit);
    boxes_.push_back({fieldName, label, edit});
}

const TfrmProdDialog::Box& TfrmProdDialog::boxOf(const QString& fieldName) const {
    for (const Box& b : boxes_)
        if (b.fieldName == fieldName)
            return b;
    throw std::logic_error("no such product field");
}

void TfrmProdDialog::setCategory(const QString& cateID) {
    cateID_ = cateID;
    cbCate_->setCurrentIndex(cbCate_->findData(cateID));
}

void TfrmProdDialog::setProduct(const QString& prodID, const catalog::ProductFields& f) {
    shown_ = {&masterrows::kProduct,
              prodID,
              {f.cateID, f.prodBH, f.prodName, f.type, f.company, f.unitName, f.inprice, f.outprice,
               f.remark, f.field1, f.field2}};
    setCategory(f.cateID);
    boxOf("prodBH").edit->setText(f.prodBH);
    boxOf("prodName").edit->setText(f.prodName);
    boxOf("type").edit->setText(f.type);
    boxOf("company").edit->setText(f.company);
    boxOf("unitName").edit->setText(f.unitName);
    boxOf("inprice").edit->setText(f.inprice);
    boxOf("outprice").edit->setText(f.outprice);
    boxOf("remark").edit->setText(f.remark);
    boxOf("field1").edit->setText(f.field1);
    boxOf("field2").edit->setText(f.field2);
}

void TfrmProdDialog::FormShow() {
    saved_ = false;
    stale_ = false;
    for (const catalog::FieldCaption& c : catalog::readFieldCaptions()) {
        // The prices keep their fixed labels; a document line's quantity and amount have none.
        if (c.fieldName.compare(u"inprice", Qt::CaseInsensitive) == 0 ||
            c.fieldName.compare(u"outprice", Qt::CaseInsensitive) == 0)
            continue;
        for (const Box& b : boxes_)
            if (b.fieldName.compare(c.fieldName, Qt::CaseInsensitive) == 0)
                b.label->setText(c.textValue + u'：');
    }
    LoadCategories();
}

bool TfrmProdDialog::FormClose() {
    // The list shows the same choice when the dialog is opened again.
    cateID_ = cbCate_->currentData().toString();
    return true;
}

void TfrmProdDialog::LoadCategories() {
    TQuery& q = sysData->QueryCate;
    catalog::loadCategories(q);
    cbCate_->clear();
    for (; !q.eof(); q.next())
        cbCate_->addItem(q.field(u"cateName").asText(), q.field(u"cateID").asText());
    q.first();
    // A category that no longer exists leaves the list showing none.
    cbCate_->setCurrentIndex(cbCate_->findData(cateID_));
}

// A code another product has already: a scan of it can then not tell the two apart and asks
// to choose with F2 at every sale. Some shops mean it (one code on two packings), so it is
// asked, not refused; a code the product had when shown is not asked about again.
bool TfrmProdDialog::codeMeant(const QString& prodBH) {
    if (prodBH.isEmpty() || (shown_.kind && prodBH == shown_.values.value(1).trimmed()))
        return true;
    const auto other = catalog::productNamedByCode(prodBH, shown_.key);
    if (!other || messages().cautiousQuestion(
                      QStringLiteral("编号“%1”已是商品“%2”的编号，两个商品用同一编号，扫描时须按F2"
                                     "选择。仍要保存吗？")
                          .arg(prodBH, *other),
                      QStringLiteral("信息提示")) == Messages::kOk)
        return true;
    boxOf("prodBH").edit->setFocus();
    return false;
}

void TfrmProdDialog::btnOKClick() {
    NumberEdit::judgeAll(*this);
    if (cbCate_->currentIndex() < 0) {
        notice(QStringLiteral("请选择商品分类！"));
        cbCate_->setFocus();
        return;
    }
    const Box& name = boxOf("prodName");
    if (name.edit->text().trimmed().isEmpty()) {
        notice(name.label->text() + QStringLiteral("不能为空！"));
        name.edit->setFocus();
        return;
    }
    auto text = [this](const char* fieldName) { return boxOf(fieldName).edit->text().trimmed(); };
    const catalog::ProductFields fields{cbCate_->currentData().toString(),
                                        text("prodBH"),
                                        text("prodName"),
                                        text("type"),
                                        text("company"),
                                        text("unitName"),
                                        text("inprice"),
                                        text("outprice"),
                                        text("remark"),
                                        text("field1"),
                                        text("field2")};
    if (!codeMeant(fields.prodBH))
        return;
    TQuery& q = sysData->QueryCommon;
    const std::optional<int> written = masterrows::writeChecked([&] {
        masterrows::requireAsShown(q, shown_);
        catalog::holdCategory(q, fields.cateID);
        return catalog::writeProduct(kind_.sql, fields, shown_.key);
    });
    if (!written) {
        // Nothing written; the boxes keep what was typed, the category list what is left.
        stale_ = true;
        cateID_ = fields.cateID;
        LoadCategories();
        return;
    }
    if (*written > 0) {
        saved_ = true;
        if (kind_.emptiesAfterSave)
            for (const Box& b : boxes_)
                b.edit->clear();
        notice(kind_.success);
    }
    boxOf("prodBH").edit->setFocus();
    close();
}
