#pragma once

#include "masterdata/importkind.h"

// The opening stock of a new book, read from a sheet of product code, warehouse, quantity and
// cost price: posted as purchases from the casual supplier through the ordinary posting, ten
// lines each, one warehouse per document, each fully paid so that no balance moves, every
// line remarked "期初库存". Nothing is posted while a row is bad, unless the person chooses
// to skip the bad rows.
const ImportKind& openingStockImport();

inline const QString kOpeningStockRemark = QStringLiteral("期初库存");
