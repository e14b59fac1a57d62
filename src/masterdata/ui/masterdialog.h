#pragma once

#include "core/ui/tform.h"
#include "masterdata/dialogkind.h"
#include "masterdata/masterrows.h"

#include <QString>
#include <utility>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TQuery;

// One input of a master dialog: the control's name (a choice names each of its buttons
// instead), its label, and the statement parameter it fills (the result field of the same
// name fills it when editing).
struct MasterBox {
    enum class Type { Text, Number, Choice };
    QString name;
    QString label;
    QString parameter;
    Type type = Type::Text;
    // Number: the text that replaces what is not a number (and an emptied box); it is
    // also the box's text at first and after an add.
    QString replacement = {};
    QString suffix = {}; // shown after the box ("%")
    // Choice: radio buttons (name, text), the first checked at first; a stored value other
    // than the first text checks the last.
    std::vector<std::pair<QString, QString>> choices = {};
};

// The boxes of one kind of master row, the first being its name, which must not be empty.
struct MasterForm {
    const RowKind* rows;  // the table; its key column names the edited row
    QString keyParameter; // houseID, compID, empID
    QString emptyNameText;
    std::vector<MasterBox> boxes;
};

// A master data dialog: boxes, the default button that runs the one statement, and the
// close button. Every add and edit dialog of the master data is this design, told apart by
// its form and its kind; subclasses carry the class names.
class MasterDialog : public TForm {
    Q_OBJECT
public:
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Set when a save found the edited row changed or removed by another counter: the list
    // that showed it is out of date.
    bool stale() const { return stale_; }
    // Holds the key of the row to edit and fills the boxes from the current row of values,
    // which a save compares with the row in the book before writing over it.
    void setRow(const QString& key, const TQuery& values);

protected:
    MasterDialog(DialogKind kind, MasterForm form, QWidget* parent);
    void FormShow() override;

private:
    struct Input {
        const MasterBox* box;
        QLineEdit* edit = nullptr;               // Text and Number
        std::vector<QRadioButton*> options = {}; // Choice
    };
    void btnOKClick();
    // A number box emptied or given a non-number shows its replacement, selected, so that
    // the next keys type over it.
    static void checkNumber(QLineEdit& edit, const QString& replacement);
    QString value(const Input& input) const;
    void setValue(const Input& input, const QString& value);
    void empty(const Input& input);

    const DialogKind kind_;
    const MasterForm form_;
    std::vector<Input> inputs_;
    QPushButton* btnOK;
    QPushButton* btnClose;
    masterrows::ShownRow shown_;
    bool saved_ = false;
    bool stale_ = false;
};
