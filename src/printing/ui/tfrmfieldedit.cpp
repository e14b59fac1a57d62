#include "printing/ui/tfrmfieldedit.h"

#include "core/messages.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "printing/printsettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmFieldEdit::TfrmFieldEdit(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmFieldEdit"));
    setWindowTitle(QStringLiteral("修改字段名称"));

    txtField = new QLineEdit;
    txtField->setObjectName(QStringLiteral("txtField"));
    txtFieldWidth = new QLineEdit;
    txtFieldWidth->setObjectName(QStringLiteral("txtFieldWidth"));
    takeNumbers(*txtFieldWidth);
    auto* lblField = new QLabel(QStringLiteral("字段名称："));
    lblField->setObjectName(QStringLiteral("lblField"));
    lblField->setBuddy(txtField);
    auto* lblWidth = new QLabel(QStringLiteral("字段宽度："));
    lblWidth->setObjectName(QStringLiteral("lblFieldWidth"));
    lblWidth->setBuddy(txtFieldWidth);
    auto* lblUnit = new QLabel(QStringLiteral("(毫米)    "));
    lblUnit->setObjectName(QStringLiteral("lblUnit"));
    lblUnit->setBuddy(txtFieldWidth);

    auto* grid = new QGridLayout;
    grid->addWidget(lblField, 0, 0);
    grid->addWidget(txtField, 0, 1, 1, 2);
    grid->addWidget(lblWidth, 1, 0);
    grid->addWidget(txtFieldWidth, 1, 1);
    grid->addWidget(lblUnit, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("btnOK"), QStringLiteral("修改(&C)"));
    btnOK = buttons.action;
    btnClose = buttons.close;

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
}

void TfrmFieldEdit::setField(const QString& fieldName, const QString& caption,
                             const QString& width) {
    fieldName_ = fieldName;
    txtField->setText(caption);
    txtFieldWidth->setText(width);
}

void TfrmFieldEdit::btnOKClick() {
    const QString caption = txtField->text().trimmed();
    if (caption.isEmpty()) {
        notice(QStringLiteral("字段名称不能为空！"));
        txtField->setFocus();
        return;
    }
    // The book keeps whole millimetres; a width it cannot print is refused here.
    const auto width = printing::millimetres(txtFieldWidth->text(), 1, printing::kMaxMillimetres);
    if (!width) {
        notice(QStringLiteral("字段宽度必须是1到%1之间的整数（毫米）！")
                   .arg(printing::kMaxMillimetres));
        txtFieldWidth->setFocus();
        return;
    }
    if (printing::saveFieldCaption(fieldName_, caption, *width))
        notice(QStringLiteral("修改成功！"));
    close();
}
