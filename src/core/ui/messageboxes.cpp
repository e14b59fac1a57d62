#include "core/ui/messageboxes.h"

#include "core/ui/scannerpace.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// A message about a scanned code comes up while the scanner may already be sending the next
// one, whose Enter closed it or answered it, and that code was lost without a word. A code's
// keys do nothing in the box; it stays up and says that the code was not taken.
class ScansKeptOut : public QObject {
public:
    explicit ScansKeptOut(QMessageBox& box) : QObject(&box), box_(box), pace_(1) {
        box.installEventFilter(this);
        for (QWidget* part : box.findChildren<QWidget*>())
            part->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A key comes first to the part with the focus; one that part leaves goes on to the box,
        // and must not be heard twice.
        QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : &box_;
        if (event->type() != QEvent::KeyPress || watched != first)
            return false;
        // The parts of the box hear the keys as one, so that a run is one run.
        switch (pace_.hear(static_cast<const QKeyEvent&>(*event), &box_)) {
        case ScannerPace::Heard::NextKey:
            return true;
        case ScannerPace::Heard::Code:
            box_.setInformativeText(
                QStringLiteral("刚扫描的“%1”未录入：请先关闭本提示，再重新扫描。")
                    .arg(pace_.code()));
            return true;
        default:
            return false;
        }
    }

private:
    QMessageBox& box_;
    ScannerPace pace_;
};

int ask(const QString& text, const QString& caption, QMessageBox::StandardButton preferred) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(preferred);
    box.setEscapeButton(QMessageBox::Cancel);
    new ScansKeptOut(box);
    return box.exec() == QMessageBox::Ok ? Messages::kOk : Messages::kCancel;
}

void tell(QMessageBox::Icon icon, const QString& text, const QString& caption) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    new ScansKeptOut(box);
    box.exec();
}

} // namespace

void MessageBoxes::notice(const QString& text, const QString& caption) {
    tell(QMessageBox::Information, text, caption);
}

void MessageBoxes::plainNotice(const QString& text, const QString& caption) {
    tell(QMessageBox::NoIcon, text, caption);
}

int MessageBoxes::question(const QString& text, const QString& caption) {
    return ask(text, caption, QMessageBox::Ok);
}

int MessageBoxes::cautiousQuestion(const QString& text, const QString& caption) {
    return ask(text, caption, QMessageBox::Cancel);
}

void MessageBoxes::errorReport(const QString& text) {
    tell(QMessageBox::Critical, text, kApplicationTitle);
}
