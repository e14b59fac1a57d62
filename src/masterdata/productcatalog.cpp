#include "masterdata/productcatalog.h"

#include "core/sqltext.h"
#include "core/sysdata.h"
#include "masterdata/masterrows.h"

namespace catalog {

namespace {

const QString kProductList =
    QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate "
                   "WHERE Fproduct.cateID=Fprodcate.cateID");

// Runs a statement that writes in QueryCommon, which is closed again whatever happens.
template <typename Bind> int executeCommon(const QString& sql, Bind bind) {
    TQuery& q = sysData->QueryCommon;
    struct Closer {
        TQuery& q;
        ~Closer() { q.close(); }
    } closer{q};
    q.load(sql);
    bind(q);
    return q.execute();
}

QString priceOrZero(const QString& text) {
    return text.isEmpty() ? QStringLiteral("0.00") : text;
}

} // namespace

std::vector<FieldCaption> readFieldCaptions() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT fieldName,textValue FROM FConfig"));
    q.open();
    std::vector<FieldCaption> captions;
    for (; !q.eof(); q.next())
        captions.push_back({q.field(u"fieldName").asText(), q.field(u"textValue").asText()});
    q.close();
    return captions;
}

void loadProducts(TQuery& query, const QString& cateID) {
    if (cateID.isEmpty()) {
        query.load(kProductList);
    } else {
        query.load(kProductList + QStringLiteral(" AND Fproduct.cateID=:cateID"));
        query.bind(u"cateID", cateID);
    }
    query.open();
}

void searchProducts(TQuery& query, const QString& key) {
    const QString code = QStringLiteral("prodBH");
    const QString name = QStringLiteral("prodName");
    query.load(QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate "
                              "WHERE (Fproduct.cateID=Fprodcate.cateID) AND ((%1) OR (%2))")
                   .arg(searchCondition(code, key), searchCondition(name, key)));
    bindSearch(query, code, key);
    bindSearch(query, name, key);
    query.open();
}

std::optional<QString> productNamedByCode(const QString& prodBH, const QString& prodID) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT prodID,prodName FROM Fproduct WHERE prodBH=:prodBH "
                          "ORDER BY prodID"));
    q.bind(u"prodBH", prodBH);
    q.open();
    std::optional<QString> name;
    for (; !q.eof() && !name; q.next())
        if (q.field(u"prodID").asText() != prodID)
            name = q.field(u"prodName").asText();
    q.close();
    return name;
}

int writeProduct(const QString& sql, const ProductFields& f, const QString& prodID) {
    return executeCommon(sql, [&](TQuery& q) {
        q.bind(u"cateID", f.cateID);
        q.bind(u"prodBH", f.prodBH);
        q.bind(u"prodName", f.prodName);
        q.bind(u"type", f.type);
        q.bind(u"company", f.company);
        q.bind(u"unitName", f.unitName);
        q.bind(u"inprice", priceOrZero(f.inprice));
        q.bind(u"outprice", priceOrZero(f.outprice));
        q.bind(u"remark", f.remark);
        q.bind(u"field1", f.field1);
        q.bind(u"field2", f.field2);
        if (q.hasParameter(u"prodID"))
            q.bind(u"prodID", prodID);
    });
}

void holdCategory(TQuery& q, const QString& cateID) {
    if (!holdRow(q, QStringLiteral("Fprodcate"), QStringLiteral("cateID"), cateID,
                 RowHold::Referenced))
        throw Refusal(kCategoryGone);
}

std::optional<int> deleteProduct(const QString& prodID) {
    // A posting moving the product's stock holds it too: the stock read here stays as read.
    return masterrows::writeChecked([&] {
        return masterrows::deleteHeld(
            sysData->QueryCommon, masterrows::kProduct, prodID, [&](TQuery& q) {
                q.load(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=:prodID"));
                q.bind(u"prodID", prodID);
                q.open();
                const bool stocked = inStock(q.field(u"sumCount").asFloat());
                q.close();
                if (stocked)
                    throw Refusal(kProductInStock);
            });
    });
}

void loadCategories(TQuery& query) {
    query.load(QStringLiteral("SELECT cateID,cateName FROM Fprodcate order by cateID"));
    query.open();
}

bool categoryHasProducts(const QString& cateID) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT prodID FROM Fproduct WHERE cateID=:cateID LIMIT 1"));
    q.bind(u"cateID", cateID);
    q.open();
    const bool has = q.recordCount() > 0;
    q.close();
    return has;
}

int writeCategory(const QString& sql, const QString& cateName, const QString& cateID) {
    return executeCommon(sql, [&](TQuery& q) {
        q.bind(u"cateName", cateName);
        if (q.hasParameter(u"cateID"))
            q.bind(u"cateID", cateID);
    });
}

std::optional<int> deleteCategory(const QString& cateID) {
    // A product written into the category holds it referenced (holdCategory): once held here,
    // none can arrive before the deletion.
    return masterrows::writeChecked([&] {
        return masterrows::deleteHeld(sysData->QueryCommon, masterrows::kProductCategory, cateID,
                                      [&](TQuery&) {
                                          if (categoryHasProducts(cateID))
                                              throw Refusal(kCategoryHasProducts);
                                      });
    });
}

} // namespace catalog
