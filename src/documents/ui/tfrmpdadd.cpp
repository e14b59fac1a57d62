#include "documents/ui/tfrmpdadd.h"

#include "core/clock.h"
#include "core/sysdata.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

TfrmPDAdd::TfrmPDAdd(TfrmProdPD& productCount, QWidget* parent)
    : CountEntryForm(QStringLiteral("新增盘点单"), productCount, parent) {
    setObjectName("frmPDAdd");
    cbHouse = new QComboBox;
    cbHouse->setObjectName("cbHouse");
    cbHouse->setMinimumWidth(140);
    auto* date = new DateBox(QStringLiteral("dtDate"));
    dtDate = date;
    placeHouseAndDate(cbHouse, dtDate);
    connect(date, &DateBox::codeScanned, this, &TfrmPDAdd::takeScannedCode);

    connectGuarded(cbHouse, &QComboBox::currentIndexChanged, this, [this] { LoadProducts(); });
}

void TfrmPDAdd::FormShow() {
    headerWritten_ = false;
    lockHeader(false);
    codeMoment_ = environment::now();
    txtOrderID->setText(stockcount::countCode(codeMoment_));
    lblUserName->setText(userName_);
    dtDate->setDate(environment::now().date());
    LoadHouse();
    LoadCategories();
    sysData->QueryP1.close();
    sysData->QueryP2.close();
}

void TfrmPDAdd::LoadHouse() {
    const QSignalBlocker quiet(cbHouse);
    cbHouse->clear();
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT houseID,houseName FROM Fhouse"));
    q.open();
    for (; !q.eof(); q.next())
        cbHouse->addItem(q.field(u"houseName").asText(), q.field(u"houseID").asText());
    q.close();
    cbHouse->setCurrentIndex(-1);
}

QString TfrmPDAdd::houseID() const {
    return cbHouse->currentIndex() < 0 ? QString() : cbHouse->currentData().toString();
}

std::optional<stockcount::CountHeader> TfrmPDAdd::pendingHeader() const {
    if (headerWritten_)
        return std::nullopt;
    return stockcount::CountHeader{houseID(), txtRemark->text(), lblUserName->text(),
                                   dtDate->date(), stockcount::countOrigin(codeMoment_)};
}

void TfrmPDAdd::lineSaved() {
    headerWritten_ = true;
    lockHeader(true);
}

// What the header holds cannot change once it is written: a product of another warehouse
// would be counted against the wrong book quantity, a later remark or date would be lost.
void TfrmPDAdd::lockHeader(bool locked) {
    cbHouse->setEnabled(!locked);
    dtDate->setEnabled(!locked);
    txtRemark->setReadOnly(locked);
}
