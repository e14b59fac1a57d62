#pragma once

#include "core/ui/tform.h"
#include "masterdata/masterrows.h"
#include "masterdata/productcatalog.h"

#include <QString>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What tells the add dialog from the edit dialog: texts and the statement that saves.
struct ProdDialogKind {
    QString caption;
    QString okText;
    QString sql;
    QString success;
    bool emptiesAfterSave; // the add dialog starts the next product from empty boxes
};

// The product dialog: a category and the ten product fields, their labels captioned from
// FConfig. It keeps its box contents and its category between openings.
class TfrmProdDialog : public TForm {
    Q_OBJECT
public:
    // Chooses the category by its key; shown once the list is filled on opening.
    void setCategory(const QString& cateID);
    // Fills the boxes from a product as the list shows it; the edit dialog saves over the
    // product prodID, unless another counter has changed or removed it since.
    void setProduct(const QString& prodID, const catalog::ProductFields& fields);
    // Set by a save that changed a row since the dialog was last shown.
    bool saved() const { return saved_; }
    // Set when a save found the product or its category changed or removed by another
    // counter: the list that showed them is out of date.
    bool stale() const { return stale_; }

protected:
    TfrmProdDialog(const ProdDialogKind& kind, QWidget* parent);
    void FormShow() override;
    bool FormClose() override;

private:
    struct Box {
        QString fieldName;
        QLabel* label;
        QLineEdit* edit;
    };
    void addBox(const QString& fieldName, const QString& boxName, const QString& labelName,
                const QString& caption, QLineEdit* edit);
    const Box& boxOf(const QString& fieldName) const;
    void LoadCategories();
    // False when the code is another product's and the person would rather change it.
    bool codeMeant(const QString& prodBH);
    void btnOKClick();

    const ProdDialogKind& kind_;
    QLabel* lblCate_;
    QComboBox* cbCate_;
    std::vector<Box> boxes_;
    QPushButton* btnOK_;
    QPushButton* btnClose_;
    QString cateID_;
    masterrows::ShownRow shown_;
    bool saved_ = false;
    bool stale_ = false;
};

class TfrmProdAdd : public TfrmProdDialog {
    Q_OBJECT
public:
    explicit TfrmProdAdd(QWidget* parent = nullptr);
};

class TfrmProdEdit : public TfrmProdDialog {
    Q_OBJECT
public:
    explicit TfrmProdEdit(QWidget* parent = nullptr);
};
