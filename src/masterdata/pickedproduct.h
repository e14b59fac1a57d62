#pragma once

#include <QString>
#include <array>

class TQuery;

// A product as the product picker hands it to a document row, in grid column order:
// prodID, prodBH, prodName, type, unitName, price, "1", price, remark, field1, field2, company.
// The price is the purchase price in mode "1", the sale price in any other mode.
using PickedProduct = std::array<QString, 12>;

// The picked values of the slot's current row (which holds every Fproduct column named above).
PickedProduct pickedProduct(const TQuery& q, const QString& mode);

// What a code typed or scanned into a document row finds.
struct ProductByCode {
    enum class Found { One, None, Several } found = Found::None;
    PickedProduct values; // when found is One
};

// The product whose code is exactly this text (letters in either case).
ProductByCode productByCode(const QString& code, const QString& mode);

// Whether digits typed where a quantity belongs are a scanned barcode rather than a quantity:
// as long as the shortest barcode (EAN-8, eight digits) and a product's code. Shorter codes are
// taken for quantities: a shop that numbers its products 1, 2, 3 types those all day.
bool scannedCodeAsQuantity(const QString& typed);
// Whether such a code is also no quantity the book can keep (thirteen digits and more: EAN-13,
// ITF-14), so that there is nothing to ask: it is a code.
bool tooLargeForAQuantity(const QString& typed);
