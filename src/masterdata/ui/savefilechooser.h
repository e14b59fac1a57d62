#pragma once

#include <QString>

class QWidget;

// Where the user picks the file a list is saved to: the program asks with a file dialog,
// the tests answer from a script.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    // The chosen file, or empty when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
};

SaveFileChooser& saveFileChooser();
// Null returns to the file dialog.
void setSaveFileChooser(SaveFileChooser* chooser);
