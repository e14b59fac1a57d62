#pragma once

#include "printing/printpage.h"

#include <QString>
#include <optional>

class TQuery;
struct QueryKind;

// The printed page of a saved trade document, reprinted from its query window: the kind's
// title line, the document's header row and the lines the window shows (the open result of
// `lines`, walked in its order). The total always prints. Nothing when the document is gone.
std::optional<PrintPage> reprintPage(const QueryKind& kind, const QString& orderID,
                                     const TQuery& lines);
