#pragma once

#include "documents/stockdocument.h"

// What became of saving a transfer or a loss/overflow; the window puts the focus and empties
// itself accordingly.
enum class StockSaveResult {
    NoHouseOut,      // "请选择调出仓库！": focus to cbHouseOut
    NoHouseIn,       // "请选择调入仓库！" or "请选择<label>!": focus to cbHouseIn
    SameHouses,      // the two warehouses have one name: focus to cbHouseIn
    NoOrderCode,     // "请输入单据号！": focus to the code
    UnknownProduct,  // a row names a product the book does not know: the message names it
    BeyondRange,     // a row's quantity the book cannot keep: the message names it
    Cancelled,       // the confirmation was answered with Cancel
    Saved,           // "单据保存成功！": empty and close the window
    NothingInserted, // the header wrote no row: empty and close, without a message
    Failed,          // "单据保存出现异常！": nothing written, the window stays as it was
};

// Checks, confirms and saves a transfer in one transaction: the header and its lines. No
// stock, balance or journal moves; per-warehouse stock follows from the rows.
StockSaveResult saveTransfer(const TransferDocument& document);

// Checks, confirms and saves a loss or overflow in one transaction: the header, its lines and
// the stock of each line's product, lowered for a loss and raised for an overflow.
StockSaveResult saveLossOverflow(const LossOverflowDocument& document);
