#include "masterdata/ui/tfrmempdialog.h"

namespace {

MasterForm employeeForm() {
    using Type = MasterBox::Type;
    return {&masterrows::kEmployee,
            QStringLiteral("empID"),
            QStringLiteral("请输入员工姓名！"),
            {{QStringLiteral("txtEmpName"), QStringLiteral("姓名："), QStringLiteral("empName")},
             {QString(),
              QStringLiteral("性别："),
              QStringLiteral("sex"),
              Type::Choice,
              {},
              {},
              {{QStringLiteral("optMan"), QStringLiteral("男")},
               {QStringLiteral("optWoman"), QStringLiteral("女")}}},
             {QStringLiteral("txtBirth"), QStringLiteral("生日："), QStringLiteral("birth")},
             {QStringLiteral("txtPhone"), QStringLiteral("电话："), QStringLiteral("phone")},
             {QStringLiteral("txtAddress"), QStringLiteral("地址："), QStringLiteral("address")},
             {QStringLiteral("txtrewdis"), QStringLiteral("提成："), QStringLiteral("rewdis"),
              Type::Number, QStringLiteral("0.0"), QStringLiteral("%")},
             {QStringLiteral("txtremark"), QStringLiteral("备注："), QStringLiteral("remark")}}};
}

DialogKind addEmp() {
    return {QStringLiteral("添加员工"), QStringLiteral("添加(&A)"),
            QStringLiteral("INSERT INTO Femployee(empName,sex,birth,phone,address,rewdis,remark) "
                           "VALUES(:empName,:sex,:birth,:phone,:address,:rewdis,:remark)"),
            QStringLiteral("添加成功！"), true};
}

DialogKind editEmp() {
    return {QStringLiteral("修改员工"), QStringLiteral("修改(&M)"),
            QStringLiteral("UPDATE Femployee SET empName=:empName,sex=:sex,birth=:birth,"
                           "phone=:phone,address=:address,rewdis=:rewdis,remark=:remark "
                           "WHERE empID=:empID"),
            QStringLiteral("修改成功！"), false};
}

} // namespace

TfrmEmpAdd::TfrmEmpAdd(QWidget* parent) : MasterDialog(addEmp(), employeeForm(), parent) {
    setObjectName(QStringLiteral("frmEmpAdd"));
}

TfrmEmpEdit::TfrmEmpEdit(QWidget* parent) : MasterDialog(editEmp(), employeeForm(), parent) {
    setObjectName(QStringLiteral("frmEmpEdit"));
}
