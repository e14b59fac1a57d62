#include "windowbench.h"

#include "reads.h"
#include "table.h"

#include "core/sysdata.h"
#include "core/ui/modal.h"
#include "core/ui/tform.h"

#include <QApplication>
#include <QDialog>
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

struct ShownWindow {
    const char* id;
    const char* className;
    const char* label;
    const char* reference; // the plain table holding the same rows
};
const ShownWindow kWindows[] = {
    {"window-products", "TfrmProduct", "商品资料窗口 显示全部商品", "benchRef_products_all"},
    {"window-picker", "TfrmFindProduct", "商品选择窗口 显示全部商品", "benchRef_products_all"},
};

} // namespace

void registerWindows(Table& table) {
    static ShowOnly modal;
    setModal(&modal);
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
}
