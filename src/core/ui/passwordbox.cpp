#include "core/ui/passwordbox.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace {

class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

QLineEdit* passwordBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    auto* style = new StarPasswordStyle;
    style->setParent(box);
    box->setStyle(style);
    box->setMinimumWidth(200);
    return box;
}
