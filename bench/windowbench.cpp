#include "windowbench.h"

#include "reads.h"
#include "table.h"

#include "core/sysdata.h"
#include "core/ui/modal.h"
#include "core/ui/tform.h"
#include "core/windowregistry.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// Shows a window and returns at once, so that the bench can paint and hide it again.
class ShowOnly : public Modal {
public:
    void showModal(QDialog& window) override { window.show(); }
};

TForm* windowOf(const char* className) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm*>(widget);
            form && qstrcmp(form->metaObject()->className(), className) == 0)
            return form;
    return nullptr;
}

// Windows are made the first time the program needs them: the main window's entries are opened
// once and hidden again, the sale window making the product picker it works with.
void makeWindows() {
    for (const char* entry : {"TfrmProduct", "TfrmSale"})
        if (windows::open(QString::fromLatin1(entry)))
            if (TForm* form = windowOf(entry))
                form->hide();
}

struct ShownWindow {
    const char* id;
    const char* className;
    const char* label;
    const char* reference; // the plain table holding the same rows
};
const ShownWindow kWindows[] = {
    {"window-products", "TfrmProduct", "商品资料窗口 显示全部商品", "benchRef_products_all"},
};

// A scanner's keys: each key pressed and released, then Enter.
void send(QWidget& box, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&box, &release);
}

// Shown as to a person: what the showing queues (the focus going to the search box) done.
void shown(TForm& picker) {
    picker.showModal();
    QApplication::processEvents();
}

void scan(QLineEdit& box, const QString& code) {
    box.selectAll(); // as after the last scan: the next code replaces it
    for (const QChar c : code)
        send(box, c.toUpper().unicode(), c);
    send(box, Qt::Key_Return);
}

// A code scanned into the product picker's search box, key by key, against the same code put
// into the box and searched by Enter alone: the keys before Enter should cost next to nothing.
void registerScan(Table& table) {
    TForm* picker = windowOf("TfrmFindProduct");
    if (!picker)
        return;
    auto* box = picker->findChild<QLineEdit*>(QStringLiteral("txtKey"));
    const QString code = QStringLiteral("SP054321");
    table.add(
        "scan-picker", "商品选择窗口 扫描一个编号", Target::List,
        [picker, box, code] {
            shown(*picker);
            scan(*box, code);
            picker->hide();
            return sysData->QueryProduct.recordCount();
        },
        [picker, box, code] {
            shown(*picker);
            box->setText(code);
            send(*box, Qt::Key_Return);
            picker->hide();
            return sysData->QueryProduct.recordCount();
        });
}

} // namespace

void registerWindows(Table& table) {
    static ShowOnly modal;
    setModal(&modal);
    makeWindows();
    for (const ShownWindow& w : kWindows) {
        TForm* form = windowOf(w.className);
        if (!form)
            continue;
        const Read plain{w.id, w.label, &sysData->QueryCommon,
                         QStringLiteral("SELECT * FROM %1").arg(QString::fromLatin1(w.reference))};
        table.add(
            w.id, w.label, Target::List,
            [form] {
                form->showModal();
                QApplication::processEvents();
                benchmark::DoNotOptimize(form->grab());
                form->hide();
                return sysData->QueryProduct.recordCount();
            },
            [plain] { return plain.run(); });
    }
    registerScan(table);
}
