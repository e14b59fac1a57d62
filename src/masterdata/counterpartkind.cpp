#include "masterdata/counterpartkind.h"

const CounterpartKind kSupplierKind{
    QStringLiteral("Fsupplier"),    &TsysData::QuerySupplier,
    QStringLiteral("供应商"),       QStringLiteral("供应商管理"),
    QStringLiteral("添加供应商"),   QStringLiteral("编辑供应商"),
    QStringLiteral("供  应  商："), QStringLiteral("普通供应商"),
    QStringLiteral("零散提供商"),   &kSupplierExport,
};

const CounterpartKind kCustomerKind{
    QStringLiteral("Fcustomer"),  &TsysData::QueryCustomer,
    QStringLiteral("客户"),       QStringLiteral("客户管理"),
    QStringLiteral("添加客户"),   QStringLiteral("客户修改"),
    QStringLiteral("客户名称："), QStringLiteral("普通客户"),
    QStringLiteral("零散客户"),   &kCustomerExport,
};

namespace {
QString quoted(const QString& name) {
    return u'"' + name + u'"';
}
} // namespace

const RowKind& CounterpartKind::rows() const {
    return table == masterrows::kSupplier.table ? masterrows::kSupplier : masterrows::kCustomer;
}

DialogKind CounterpartKind::addDialog() const {
    return {addCaption, QStringLiteral("添加(&A)"), insertStatement(), addedText(), true};
}

DialogKind CounterpartKind::editDialog() const {
    return {editCaption, QStringLiteral("修改(&S)"), updateStatement(), changedText(), false};
}

QString CounterpartKind::listStatement() const {
    return QStringLiteral("SELECT compID,compName,conperson,phone,address,bankName,bankCard,"
                          "exchMoney,remark FROM %1 WHERE compName LIKE :compName")
        .arg(table);
}

QString CounterpartKind::insertStatement() const {
    return QStringLiteral("INSERT INTO %1(compName,conperson,phone,address,bankName,bankCard,"
                          "remark) VALUES(:compName,:conperson,:phone,:address,:bankName,"
                          ":bankCard,:remark)")
        .arg(table);
}

QString CounterpartKind::updateStatement() const {
    return QStringLiteral("UPDATE %1 SET compName=:compName,conperson=:conperson,phone=:phone,"
                          "address=:address,bankName=:bankName,bankCard=:bankCard,"
                          "remark=:remark WHERE compID=:compID")
        .arg(table);
}

QString CounterpartKind::balanceStatement() const {
    return QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=:compID").arg(table);
}

QString CounterpartKind::countText(int rows) const {
    return QStringLiteral("当前满足条件的%1总数：%2").arg(noun).arg(rows);
}

QString CounterpartKind::emptyNameText() const {
    return QStringLiteral("请输入%1名称！").arg(noun);
}

QString CounterpartKind::addedText() const {
    return noun + QStringLiteral("添加成功！");
}

QString CounterpartKind::changedText() const {
    return noun + QStringLiteral("修改成功！");
}

QString CounterpartKind::nothingToEditText() const {
    return QStringLiteral("请选择要修改的%1！").arg(noun);
}

QString CounterpartKind::nothingToDeleteText() const {
    return QStringLiteral("请选择要删除的%1！").arg(noun);
}

QString CounterpartKind::casualOnEditText() const {
    return quoted(casualName) + QStringLiteral("作为%1使用，请勿修改！").arg(casualRole);
}

QString CounterpartKind::casualOnDeleteText() const {
    return quoted(casualName) + QStringLiteral("作为%1使用，请勿删除！").arg(casualRole);
}

QString CounterpartKind::openBalanceText(const QString& name) const {
    return noun + u'：' + quoted(name) + QStringLiteral("存在未结款项，不能删除！");
}

QString CounterpartKind::confirmDeleteText(const QString& name) const {
    return QStringLiteral("确定要删除") + noun + u'：' + quoted(name) + QStringLiteral("吗？");
}

QString CounterpartKind::deletedText() const {
    return noun + QStringLiteral("删除成功！");
}
