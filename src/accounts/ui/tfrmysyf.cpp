#include "accounts/ui/tfrmysyf.h"

#include "accounts/ui/tfrmjk.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "masterdata/ui/listexporter.h"
#include "masterdata/ui/listwindowparts.h"
#include "masterdata/ui/pickerkeys.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

Tfrmysyf::Tfrmysyf(QWidget* parent) : TForm(parent), frmJK(new TfrmJK(this)) {
    setObjectName(QStringLiteral("frmysyf"));
    setWindowTitle(QStringLiteral("应收应付"));
    resize(900, 520);

    auto* bar = new QHBoxLayout;
    tlAdd = listparts::toolButton(*bar, QStringLiteral("tlAdd"), QStringLiteral("结款"),
                                  QStyle::SP_DialogApplyButton);
    tlExcel = listparts::toolButton(*bar, QStringLiteral("tlExcel"), QStringLiteral("导出Excel "),
                                    QStyle::SP_DialogSaveButton);
    tlExit = listparts::toolButton(*bar, QStringLiteral("tlExit"), QStringLiteral("退出"),
                                   QStyle::SP_DialogCloseButton);
    bar->addStretch();

    txtKey = new QLineEdit;
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setMaxLength(kMaxSearchKeyLength);
    txtKey->setMaximumWidth(220);
    auto* lblKey = new QLabel(QStringLiteral("单位名称："));
    lblKey->setBuddy(txtKey);
    cbType = new QComboBox;
    cbType->setObjectName(QStringLiteral("cbType"));
    cbType->addItems({QStringLiteral("供 应 商"), QStringLiteral("客    户")});
    auto* lblType = new QLabel(QStringLiteral("单位类型："));
    lblType->setBuddy(cbType);
    btnFind = new QPushButton(QStringLiteral("查询(&Q)"));
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setDefault(true); // Enter searches
    setCommonKey(*txtKey, CommonKey::FindBox);
    setCommonKey(*btnFind, CommonKey::Search);
    auto* filter = new QHBoxLayout;
    filter->addWidget(lblKey);
    filter->addWidget(txtKey);
    filter->addWidget(lblType);
    filter->addWidget(cbType);
    filter->addWidget(btnFind);
    filter->addStretch();

    dgSupplier = listparts::listView(this, QStringLiteral("dgSupplier"));
    showSlot(*dgSupplier, sysData->QueryYsYf,
             {{"compName", "往来单位", Draw::Text, 200},
              {"exchMoney", "欠款金额", Draw::Money, 110},
              {"conperson", "联系人", Draw::Text, 90},
              {"phone", "联系电话", Draw::Text, 120},
              {"address", "联系地址"}});
    dgSupplier->horizontalHeader()->setSectionsClickable(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(filter);
    layout->addWidget(dgSupplier);

    // A name typed, or a code scanned, with the list focused is searched for. Enter settles
    // with the highlighted row: pressing 查询 instead would reload the list and move the
    // highlight to the first row.
    typeIntoSearchBox(*dgSupplier, *txtKey);
    listparts::actOnRow(*dgSupplier, [this] { tlAddClick(); });

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this](bool) { tlAddClick(); });
    connectGuarded(tlExcel, &QToolButton::clicked, this,
                   [](bool) { exportList(kReceivablesExport, &sysData->QueryYsYf); });
    connectGuarded(tlExit, &QToolButton::clicked, this, [this](bool) { close(); });
    connectGuarded(btnFind, &QPushButton::clicked, this, [this](bool) { btnFindClick(); });
    connectGuarded(cbType, &QComboBox::currentIndexChanged, this, [this](int) { btnFindClick(); });
    connectGuarded(dgSupplier->horizontalHeader(), &QHeaderView::sectionClicked, this,
                   [this](int section) { dgSupplierTitleClick(section); });
}

bool Tfrmysyf::suppliers() const {
    return cbType->currentIndex() <= 0;
}

void Tfrmysyf::FormShow() {
    {
        const QSignalBlocker quiet(cbType);
        cbType->setCurrentIndex(0);
    }
    ascending_ = true;
    btnFindClick();
    // A person opening the window types the name of whom to settle with first.
    txtKey->setFocus();
    txtKey->selectAll();
}

void Tfrmysyf::btnFindClick() {
    TQuery& q = sysData->QueryYsYf;
    q.load(suppliers() ? QStringLiteral("SELECT compID,compName,conperson,phone,address,exchMoney "
                                        "FROM Fsupplier WHERE compName LIKE :compName")
                       : QStringLiteral("SELECT compID,compName,conperson,phone,address,exchMoney "
                                        "FROM Fcustomer WHERE compName LIKE :compName"));
    q.bind(u"compName", likePattern(txtKey->text()));
    q.open();
}

void Tfrmysyf::dgSupplierTitleClick(int section) {
    const auto* model = qobject_cast<SlotModel*>(dgSupplier->model());
    TQuery& q = sysData->QueryYsYf;
    if (!q.isOpen() || section < 0 || section >= int(model->columns().size()))
        return;
    // The highlighted counterpart stays highlighted at its new place: 结款 acts on it.
    const QString compID = q.eof() ? QString() : q.field(u"compID").asText();
    q.sort(model->columns()[std::size_t(section)].field +
           (ascending_ ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
    ascending_ = !ascending_;
    q.locate(u"compID", compID);
}

void Tfrmysyf::tlAddClick() {
    const TQuery& q = sysData->QueryYsYf;
    if (q.recordCount() <= 0) {
        notice(QStringLiteral("请选择要结算的记录！"));
        return;
    }
    if (numbers::isZeroToTheCent(q.field(u"exchMoney").asFloat())) {
        notice(QStringLiteral("此记录无欠款信息不能结算！"));
        return;
    }
    const QString compID = q.field(u"compID").asText();
    frmJK->setCounterpart(suppliers() ? QStringLiteral("1") : QStringLiteral("2"), compID,
                          q.field(u"compName").asText(), q.field(u"exchMoney").asText());
    frmJK->showModal();
    if (frmJK->settled() || frmJK->stale()) {
        btnFindClick();
        // The highlight stays on whom was settled with: on the first row, the next Enter
        // offered that one's whole balance.
        sysData->QueryYsYf.locate(u"compID", compID);
    }
}
