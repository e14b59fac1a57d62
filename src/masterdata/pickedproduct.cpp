#include "masterdata/pickedproduct.h"

#include "core/numbers.h"
#include "core/sysdata.h"

PickedProduct pickedProduct(const TQuery& q, const QString& mode) {
    const auto text = [&q](const char16_t* field) { return q.field(field).asText(); };
    const QString price = text(mode == u"1" ? u"inprice" : u"outprice");
    return {text(u"prodID"),   text(u"prodBH"), text(u"prodName"),   text(u"type"),
            text(u"unitName"), price,           QStringLiteral("1"), price,
            text(u"remark"),   text(u"field1"), text(u"field2"),     text(u"company")};
}

ProductByCode productByCode(const QString& code, const QString& mode) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT prodID,prodBH,prodName,type,unitName,inprice,outprice,remark,"
                          "field1,field2,company FROM Fproduct WHERE prodBH=:prodBH "
                          "ORDER BY prodID LIMIT 2"));
    q.bind(u"prodBH", code);
    q.open();
    ProductByCode result;
    if (q.recordCount() == 1) {
        result.found = ProductByCode::Found::One;
        result.values = pickedProduct(q, mode);
    } else if (q.recordCount() > 1) {
        result.found = ProductByCode::Found::Several;
    }
    q.close();
    return result;
}

bool scannedCodeAsQuantity(const QString& typed) {
    constexpr qsizetype kShortestBarcode = 8;
    return typed.size() >= kShortestBarcode &&
           productByCode(typed, QString()).found != ProductByCode::Found::None;
}

bool tooLargeForAQuantity(const QString& typed) {
    const auto value = numbers::toDecimalOrZero(typed);
    return value && !numbers::fitsTheBook(*value);
}
