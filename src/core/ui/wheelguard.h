#pragma once

#include <QObject>

// The wheel turned over a choice box or a number or date box the person is not in changes
// nothing: scrolling a window with the pointer resting on 单据类型 turned a loss into an
// overflow, and on a warehouse box moved a document's goods to another warehouse, without a
// word. Turned in a box that has the focus, the wheel still steps through it.
class WheelGuard : public QObject {
public:
    // Watches the wheel over every such box for as long as the application lives.
    static void watchApplication();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
