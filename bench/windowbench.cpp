#include "windowbench.h"

#include "table.h"

#include "core/ui/modal.h"
#include "core/ui/tform.h"

#include <QApplication>
#include <QDialog>
#include <benchmark/benchmark.h>
#include <string>

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
    const char* reference; // the plain-table read of the same rows
};
const ShownWindow kWindows[] = {
    {"window-products", "TfrmProduct", "商品资料窗口 显示全部商品", "ref/products-all"},
    {"window-picker", "TfrmFindProduct", "商品选择窗口 显示全部商品", "ref/products-all"},
};

} // namespace

void registerWindows(Table& table) {
    static ShowOnly modal;
    setModal(&modal);
    for (const ShownWindow& w : kWindows) {
        TForm* form = windowOf(w.className);
        if (!form)
            continue;
        const std::string op = std::string("op/") + w.id;
        benchmark::RegisterBenchmark(op.c_str(),
                                     [form](benchmark::State& state) {
                                         for (auto _ : state) {
                                             form->showModal();
                                             QApplication::processEvents();
                                             benchmark::DoNotOptimize(form->grab());
                                             form->hide();
                                         }
                                     })
            ->MinTime(0.1)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
        table.add({op, w.label, w.reference, Target::List});
    }
}
