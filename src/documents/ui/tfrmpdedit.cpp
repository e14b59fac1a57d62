#include "documents/ui/tfrmpdedit.h"

#include <QLabel>
#include <QLineEdit>

TfrmPDEdit::TfrmPDEdit(TfrmProdPD& productCount, QWidget* parent)
    : CountEntryForm(QStringLiteral("修改盘点"), productCount, parent) {
    setObjectName("frmPDEdit");
    lblHouseName = new QLabel;
    lblHouseName->setObjectName("lblHouseName");
    lblDate = new QLabel;
    lblDate->setObjectName("lblDate");
    placeHouseAndDate(lblHouseName, lblDate);
    // The remark belongs to the header, which this window never writes.
    txtRemark->setReadOnly(true);
}

void TfrmPDEdit::FormShow() {
    txtOrderID->setText(count_.orderID);
    lblHouseName->setText(count_.houseName);
    lblDate->setText(count_.optDate);
    lblUserName->setText(count_.userName);
    txtRemark->setText(count_.remark);
    LoadCategories();
    LoadCounted();
    LoadProducts();
}
