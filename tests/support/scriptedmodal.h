#pragma once

#include "core/ui/modal.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

// Shows each modal window as a person would meet it: the window is shown (its show handler
// runs), the next script acts on it, and it is closed unless the script closed it. A window
// shown without a script fails the test.
class ScriptedModal : public Modal {
public:
    using Script = std::function<void(QDialog&)>;

    ~ScriptedModal() override;

    // The next modal window must be of this class (its metaobject class name).
    void expect(const QString& windowClass, Script script);
    template <typename Window> void expect(std::function<void(Window&)> script) {
        expect(QString::fromLatin1(Window::staticMetaObject.className()),
               [script](QDialog& w) { script(static_cast<Window&>(w)); });
    }
    // The window is shown and closed again without anything done in it.
    void expectOpenClose(const QString& windowClass) {
        expect(windowClass, [](QDialog&) {});
    }

    const QStringList& shownWindows() const { return shown_; }
    // Fails the test when a script is still waiting for its window.
    void expectAllShown();

    void showModal(QDialog& window) override;

private:
    struct Step {
        QString windowClass;
        Script script;
    };
    std::deque<Step> steps_;
    QStringList shown_;
};
