#pragma once

#include "core/ui/scannedkeys.h"
#include "core/ui/scannerpace.h"
#include "core/ui/tform.h"
#include "documents/stockcount.h"

#include <optional>

class QLineEdit;
class QPushButton;
class NumberEdit;

// The product and the quantities of one counted line, as the window shows them.
struct CountedProduct {
    QString prodID;
    QString prodBH;
    QString prodName;
    QString type;
    QString unitName;
    QString pcount;  // the book quantity
    QString pdcount; // the counted quantity proposed
    // A line of the count as a list shows it, edited: another counter's count or deletion of
    // it since is not written over.
    bool listedLine = false;
};

// "商品盘点": the counted quantity of one product of a count, written at "确定(&O)". A count
// not yet written gets its header with its first line.
class TfrmProdPD : public TForm {
    Q_OBJECT
public:
    explicit TfrmProdPD(QWidget* parent = nullptr);

    // Shows the window for this line; true when it saved. With a header, the count's header
    // is written with the line.
    bool countProduct(const QString& orderID, const CountedProduct& product,
                      const std::optional<stockcount::CountHeader>& header = std::nullopt);
    bool saved() const { return saved_; }
    // The count's code as saved: a new count's code moves on when another document holds it.
    const QString& orderID() const { return orderID_; }

protected:
    void FormShow() override;
    // A code scanned into the counted quantity (a letter as its first key, or any keys at a
    // scanner's pace) is no quantity: the box keeps its count and the person is told at its
    // Enter.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnOKClick();
    // A barcode of digits that is a product's code is saved as the count only when the person
    // says so.
    bool countIsMeant(const QString& counted);
    void notACount(const QString& code);

    QString orderID_;
    QString prodID_;
    std::optional<stockcount::ShownLine> asListed_;
    std::optional<stockcount::CountHeader> header_;
    bool saved_ = false;
    QString proposed_;
    ScannedKeys scan_;
    ScannerPace pace_;
    QString beforeScan_;

    QLineEdit* txtProdBH;
    QLineEdit* txtProdName;
    QLineEdit* txtType;
    QLineEdit* txtUnitName;
    QLineEdit* txtPCount;
    NumberEdit* txtPDCount;
    QPushButton* btnOK;
    QPushButton* btnClose;
};
