#include "masterdata/ui/tfrmhousedialog.h"

namespace {

MasterForm houseForm() {
    return {
        &masterrows::kHouse,
        QStringLiteral("houseID"),
        QStringLiteral("请输入仓库名称！"),
        {{QStringLiteral("txtHouseName"), QStringLiteral("仓库名称："),
          QStringLiteral("houseName")},
         {QStringLiteral("txtAddress"), QStringLiteral("仓库地址："), QStringLiteral("address")},
         {QStringLiteral("txtResperson"), QStringLiteral("负  责  人："),
          QStringLiteral("resperson")},
         {QStringLiteral("txtphone"), QStringLiteral("联系电话："), QStringLiteral("phone")},
         {QStringLiteral("txtRemark"), QStringLiteral("备        注："),
          QStringLiteral("remark")}}};
}

DialogKind addHouse() {
    return {QStringLiteral("添加仓库"), QStringLiteral("添加(&O)"),
            QStringLiteral("INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
                           "VALUES(:houseName,:resperson,:phone,:address,:remark)"),
            QStringLiteral("添加成功！"), true};
}

DialogKind editHouse() {
    return {QStringLiteral("编辑仓库"), QStringLiteral("修改(&O)"),
            QStringLiteral("UPDATE Fhouse SET houseName=:houseName,resperson=:resperson,"
                           "phone=:phone,address=:address,remark=:remark WHERE houseID=:houseID"),
            QStringLiteral("修改成功！"), false};
}

} // namespace

TfrmHouseAdd::TfrmHouseAdd(QWidget* parent) : MasterDialog(addHouse(), houseForm(), parent) {
    setObjectName(QStringLiteral("frmHouseAdd"));
}

TfrmHouseEdit::TfrmHouseEdit(QWidget* parent) : MasterDialog(editHouse(), houseForm(), parent) {
    setObjectName(QStringLiteral("frmHouseEdit"));
}
