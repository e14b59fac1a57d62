#pragma once

#include "masterdata/importkind.h"

struct CounterpartKind;

// The imports of the master lists, each reading back what the list's export writes: the
// products (naming their category; a category the book lacks is made), the suppliers and the
// customers (named uniquely: a name the book holds is skipped, so a list imported twice is
// not doubled).
const ImportKind& productImport();
const ImportKind& counterpartImport(const CounterpartKind& kind);

// Where products that name no category go.
inline const QString kNoCategory = QStringLiteral("未分类");
