#include "masterdata/ui/savefilechooser.h"

#include <QDir>
#include <QFileDialog>

namespace {

class DialogChooser : public SaveFileChooser {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, QDir::home().filePath(suggested),
                                            filter);
    }
};

DialogChooser dialogChooser;
SaveFileChooser* current = &dialogChooser;

} // namespace

SaveFileChooser& saveFileChooser() {
    return *current;
}

void setSaveFileChooser(SaveFileChooser* chooser) {
    current = chooser ? chooser : &dialogChooser;
}
