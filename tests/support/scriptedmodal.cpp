#include "support/scriptedmodal.h"

#include <QApplication>
#include <gtest/gtest.h>

ScriptedModal::~ScriptedModal() = default;

void ScriptedModal::expect(const QString& windowClass, Script script) {
    steps_.push_back({windowClass, std::move(script)});
}

void ScriptedModal::expectAllShown() {
    for (const Step& s : steps_)
        ADD_FAILURE() << "window never shown: " << s.windowClass.toStdString();
    steps_.clear();
}

void ScriptedModal::showModal(QDialog& window) {
    const QString name = QString::fromLatin1(window.metaObject()->className());
    shown_ << name;
    Script script;
    if (steps_.empty()) {
        ADD_FAILURE() << "unexpected window: " << name.toStdString();
    } else if (steps_.front().windowClass != name) {
        ADD_FAILURE() << "expected window " << steps_.front().windowClass.toStdString()
                      << ", shown " << name.toStdString();
    } else {
        script = std::move(steps_.front().script);
        steps_.pop_front();
    }
    window.setModal(true);
    window.show();
    QApplication::processEvents();
    if (script)
        script(window);
    if (window.isVisible())
        window.close();
    if (window.isVisible()) {
        ADD_FAILURE() << name.toStdString() << " refused to close at the end of its script";
        window.hide();
    }
}
