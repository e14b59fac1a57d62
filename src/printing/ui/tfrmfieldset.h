#pragma once

#include "core/ui/tform.h"
#include "printing/printsettings.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmFieldEdit;

// The print layout settings on three pages that save independently: margins and the header
// and footer switches, the printed fields with their order, captions and widths, and the
// document titles. Closing the window saves nothing.
class TfrmFieldSet : public TForm {
    Q_OBJECT
public:
    explicit TfrmFieldSet(QWidget* parent = nullptr);

    // The columns of the field list.
    enum Column { IsShow, Caption, Width, Sort, FieldName };

protected:
    void FormShow() override;

private:
    QWidget* buildTablePage();
    QWidget* buildFieldPage();
    QWidget* buildTitlePage();

    void LoadField();
    void marginChange(QLineEdit* box);
    void Button1Click();
    void lsvFieldClick();
    void move(int step);
    void btnSaveClick();
    void BitBtn3Click();
    void Button4Click();
    // Everything of the two entries but their sort values changes places.
    void swapEntries(QTreeWidgetItem* a, QTreeWidgetItem* b);
    int selectedPosition() const;

    TfrmFieldEdit* frmFieldEdit;
    bool marking_ = false; // lsvFieldClick is writing the first column

    QTabWidget* PageControl1;
    QLineEdit* txtTop;
    QLineEdit* txtLeft;
    std::array<QCheckBox*, printing::kSwitches> switches_{};
    QPushButton* Button1;
    QPushButton* Button3;
    QTreeWidget* lsvField;
    QPushButton* BitBtn3;
    QPushButton* btnUp;
    QPushButton* Button2;
    QPushButton* btnSave;
    std::array<QLineEdit*, printing::kTitles> titles_{};
    QPushButton* Button4;
    QPushButton* Button5;
};
