#pragma once

#include "documents/tradedocument.h"
#include "documents/tradekind.h"

#include <optional>

// What became of a posting; the window puts the focus and empties itself accordingly.
enum class PostResult {
    NoHouse,         // "请选择仓库！": focus to the warehouse
    NoOrderCode,     // "请输入单据号！": focus to the code
    NoCounterpart,   // the kind's message, focus stays
    UnknownProduct,  // a row names a product the book does not know: the message names it
    BeyondRange,     // a row's quantity the book cannot keep: the message names it
    NoLines,         // "请输入商品信息明细！"
    Cancelled,       // the confirmation was answered with Cancel
    Posted,          // "单据保存成功！": empty and close the window
    NothingInserted, // the header wrote no row: empty and close, without a message
    Failed,          // "单据保存出现异常！": nothing written, the window stays as it was
};

// Checks, confirms and posts a trade document in one transaction: the header, its lines, the
// stock of each line's product, the counterpart's balance and the journal row.
PostResult postTradeDocument(const TradeKind& kind, const TradeDocument& document);

// The writing part of the posting, without checks, question or message, for a caller that
// posts several documents in one transaction of its own. The code the document was written
// under (the next free one when its window-made code is taken); nothing when the header wrote
// no row (nothing else is written then). A database error throws.
std::optional<QString> writeTradeDocument(const TradeKind& kind, const TradeDocument& document);
