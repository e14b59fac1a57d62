#include "masterdata/ui/masterdialog.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "masterdata/ui/listwindowparts.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MasterDialog::MasterDialog(DialogKind kind, MasterForm form, QWidget* parent)
    : TForm(parent), kind_(std::move(kind)), form_(std::move(form)) {
    setWindowTitle(kind_.caption);
    auto* layout = new QFormLayout;
    for (const MasterBox& box : form_.boxes) {
        Input input{&box};
        auto* label = new QLabel(box.label);
        auto* row = new QHBoxLayout;
        if (box.type == MasterBox::Type::Choice) {
            auto* group = new QButtonGroup(this);
            for (const auto& [name, text] : box.choices) {
                auto* option = new QRadioButton(text);
                option->setObjectName(name);
                group->addButton(option);
                row->addWidget(option);
                input.options.push_back(option);
            }
            input.options.front()->setChecked(true);
            label->setBuddy(input.options.front());
            row->addStretch();
        } else if (box.type == MasterBox::Type::Number) {
            auto* edit = new NumberEdit(box.replacement);
            edit->setText(box.replacement);
            edit->setMaximumWidth(100);
            connectGuarded(edit, &QLineEdit::textChanged, this,
                           [edit, &box](const QString&) { checkNumber(*edit, box.replacement); });
            input.edit = edit;
        } else {
            input.edit = new QLineEdit;
            input.edit->setMinimumWidth(280);
        }
        if (input.edit) {
            input.edit->setObjectName(box.name);
            label->setBuddy(input.edit);
            row->addWidget(input.edit);
            if (!box.suffix.isEmpty()) {
                row->addWidget(new QLabel(box.suffix));
                row->addStretch();
            }
        }
        layout->addRow(label, row);
        inputs_.push_back(std::move(input));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = listparts::dialogButton(*buttons, QStringLiteral("btnOK"), kind_.okText, true);
    btnClose = listparts::dialogButton(*buttons, QStringLiteral("btnClose"),
                                       QStringLiteral("关闭(&C)"), false);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(layout);
    outer->addLayout(buttons);

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this](bool) { close(); });
}

void MasterDialog::checkNumber(QLineEdit& edit, const QString& replacement) {
    // NumberEdit has already replaced a non-number; an empty box is no number either.
    if (edit.text().trimmed().isEmpty())
        edit.setText(replacement);
    if (edit.text() == replacement)
        edit.selectAll();
}

QString MasterDialog::value(const Input& input) const {
    if (input.edit)
        return input.edit->text().trimmed();
    for (std::size_t i = 0; i < input.options.size(); ++i)
        if (input.options[i]->isChecked())
            return input.box->choices[i].second;
    return input.box->choices.back().second;
}

void MasterDialog::setValue(const Input& input, const QString& value) {
    if (input.edit) {
        input.edit->setText(value);
        return;
    }
    const bool first = value == input.box->choices.front().second;
    (first ? input.options.front() : input.options.back())->setChecked(true);
}

void MasterDialog::empty(const Input& input) {
    if (input.edit)
        input.edit->setText(input.box->replacement); // empty but for number boxes
    // A choice stays as it was, ready for the next row.
}

void MasterDialog::setRow(const QString& key, const TQuery& values) {
    shown_ = masterrows::shownRow(*form_.rows, key, values);
    for (const Input& input : inputs_)
        setValue(input, values.field(input.box->parameter).asText());
}

void MasterDialog::FormShow() {
    saved_ = false;
    stale_ = false;
    inputs_.front().edit->setFocus();
}

void MasterDialog::btnOKClick() {
    NumberEdit::judgeAll(*this);
    QLineEdit* name = inputs_.front().edit;
    if (name->text().trimmed().isEmpty()) {
        notice(form_.emptyNameText);
        name->setFocus();
        return;
    }
    TQuery& q = sysData->QueryCommon;
    const std::optional<int> written = masterrows::writeChecked([&] {
        masterrows::requireAsShown(q, shown_);
        q.load(kind_.statement);
        for (const Input& input : inputs_)
            q.bind(input.box->parameter, value(input)); // texts as typed: long numbers stay whole
        if (q.hasParameter(form_.keyParameter))
            q.bind(form_.keyParameter, shown_.key);
        const int rows = q.execute();
        q.close();
        return rows;
    });
    if (!written) {
        // Changed or removed meanwhile: nothing written, and what was typed stays.
        stale_ = true;
        return;
    }
    if (*written > 0) {
        saved_ = true;
        if (kind_.emptiesAfterSave)
            for (const Input& input : inputs_)
                empty(input);
        notice(kind_.success);
    }
    close();
}
