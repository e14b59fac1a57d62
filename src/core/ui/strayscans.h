#pragma once

#include "core/ui/scannerpace.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

class QWidget;

// A product's code that a scanner sends anywhere in a window but where codes belong (a
// document's lines, a count's name box and product list): a box of the header, the title, the
// amount settled, a remark, a button. It is told by its pace (ScannerPace). The box gets back what
// it held before the code's first key, the Enter presses no button (保存 and then its
// confirmation were one scan away), and the code is handed on to where codes belong. The date
// box has a rule of its own (DateBox).
class StrayScans : public QObject {
    Q_OBJECT
public:
    // Watches every widget of the window that takes the focus but the homes and what they
    // hold, as the window is first shown, so that the boxes of the window's kind are watched
    // too; a code scanned into one of them is handed to take.
    StrayScans(QWidget& window, std::vector<QWidget*> homes,
               std::function<void(const QString&)> take);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool takesStrayKeys(const QWidget& widget) const;
    void watchWindow();
    QWidget& window_;
    std::vector<QWidget*> homes_;
    std::function<void(const QString&)> take_;
    bool watching_ = false;
    ScannerPace pace_;
    // The box the keys of the run under way go into, and what it held before them.
    QPointer<QWidget> box_;
    QVariant before_;
};

// A window with no place for a product's code (an amount to settle or to enter, an asset's
// value): a code scanned into any of its boxes but the texts, where a scanned tag or receipt
// number may be meant, is not taken. The box gets back what it held, the Enter presses no
// button (an 8-digit code was an amount, entered at once), and the person is told.
void refuseScans(QWidget& window, std::vector<QWidget*> texts = {});
