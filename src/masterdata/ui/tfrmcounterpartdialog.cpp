#include "masterdata/ui/tfrmcounterpartdialog.h"

#include "masterdata/counterpartkind.h"

namespace {

MasterForm counterpartForm(const CounterpartKind& kind) {
    // Phone and account numbers are texts like the rest: no digit of a long one is lost.
    return {
        &kind.rows(),
        QStringLiteral("compID"),
        kind.emptyNameText(),
        {{QStringLiteral("txtcompName"), kind.nameLabel, QStringLiteral("compName")},
         {QStringLiteral("txtaddress"), QStringLiteral("联系地址："), QStringLiteral("address")},
         {QStringLiteral("txtconperson"), QStringLiteral("联  系  人："),
          QStringLiteral("conperson")},
         {QStringLiteral("txtphone"), QStringLiteral("联系电话："), QStringLiteral("phone")},
         {QStringLiteral("txtbankName"), QStringLiteral("开户银行："), QStringLiteral("bankName")},
         {QStringLiteral("txtbankCard"), QStringLiteral("银行账号："), QStringLiteral("bankCard")},
         {QStringLiteral("txtremark"), QStringLiteral("备         注："),
          QStringLiteral("remark")}}};
}

} // namespace

TfrmSupplierAdd::TfrmSupplierAdd(QWidget* parent)
    : MasterDialog(kSupplierKind.addDialog(), counterpartForm(kSupplierKind), parent) {
    setObjectName(QStringLiteral("frmSupplierAdd"));
}

TfrmSupplierEdit::TfrmSupplierEdit(QWidget* parent)
    : MasterDialog(kSupplierKind.editDialog(), counterpartForm(kSupplierKind), parent) {
    setObjectName(QStringLiteral("frmSupplierEdit"));
}

TfrmCustAdd::TfrmCustAdd(QWidget* parent)
    : MasterDialog(kCustomerKind.addDialog(), counterpartForm(kCustomerKind), parent) {
    setObjectName(QStringLiteral("frmCustAdd"));
}

TfrmCustEdit::TfrmCustEdit(QWidget* parent)
    : MasterDialog(kCustomerKind.editDialog(), counterpartForm(kCustomerKind), parent) {
    setObjectName(QStringLiteral("frmCustEdit"));
}
