#pragma once

#include "core/decimal.h"
#include "core/ui/tform.h"
#include "documents/tradeposting.h"

class DocumentGrid;
class QComboBox;
class DateBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TfrmFindComp;
class TfrmFindProduct;
class TfrmPrintView;

// The entry window of a trade document: purchase, purchase return, sale or sale return, as
// its kind says. It keeps an unsaved document between showings and posts it through
// postTradeDocument; "打印" shows it in the print preview as it stands.
class TfrmTradeDocument : public TForm {
    Q_OBJECT
public:
    TfrmTradeDocument(const TradeKind& kind, TfrmFindProduct& products, TfrmFindComp& comps,
                      TfrmPrintView& preview, QWidget* parent = nullptr);

    const TradeKind& kind() const { return kind_; }
    // The unrounded sum of the line amounts.
    const Decimal& runningTotal() const { return runningTotal_; }

protected:
    void FormShow() override;
    bool FormClose() override;

private:
    QLayout* buildHeader();
    QLayout* buildFooter();
    void sgDataSetEditText(int row, int column);
    void CacuSumMoney(int row);
    void CacuTotalMoney();
    void txtMoneyChange(const QString& text);
    void checkSettled();
    void imgFindClick();
    void btnSaveClick();
    void Button1Click();
    // Posts the document and puts the window in the state the result asks for, without
    // closing it.
    PostResult save();
    TradeDocument document();
    void clearDocument();

    const TradeKind& kind_;
    TfrmFindComp& comps_;
    TfrmPrintView& preview_;
    Decimal runningTotal_;
    std::optional<documents::CodeOrigin> madeCode_; // the code shown when the window opened
    QTimer* settledCheck_;

    QLineEdit* txtCaption;
    QComboBox* cbHouse;
    QComboBox* cbEMp;
    QLineEdit* txtOrderCode;
    QLineEdit* txtCompName;
    QLineEdit* txtCompID;
    QToolButton* imgFind;
    DateBox* dtDate;
    DocumentGrid* sgData;
    QLineEdit* txtSumMoney;
    QLineEdit* txtMoney;
    QLineEdit* txtTotalMoney;
    QPushButton* Button1;
    QPushButton* btnSave;
};
