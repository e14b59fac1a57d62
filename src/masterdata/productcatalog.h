#pragma once

#include "core/numbers.h"

#include <QString>
#include <optional>
#include <vector>

class TQuery;

// The statements that keep the product categories and the product master. Short-lived
// statements run in QueryCommon and close it again; the lists stay open in the slot given.
namespace catalog {

inline const QString kProductInStock = QStringLiteral("此商品库存量大于0，不能删除！");
inline const QString kCategoryHasProducts = QStringLiteral("此分类下存在商品信息，不能删除！");
inline const QString kCategoryGone =
    QStringLiteral("所选商品分类已被其他用户删除，请重新选择商品分类！");

// One row of FConfig: a product field and the caption the user gave it.
struct FieldCaption {
    QString fieldName;
    QString textValue;
};
// Every FConfig row, in the order the book returns them.
std::vector<FieldCaption> readFieldCaptions();

// The products of one category (every category when cateID is empty), joined with their
// category's name; products whose category is gone drop out.
void loadProducts(TQuery& query, const QString& cateID);
// Every product whose code or name contains the key; "%" and "_" act as wildcards.
void searchProducts(TQuery& query, const QString& key);

// The texts of a product as typed (trimmed); an empty price is stored as 0.
struct ProductFields {
    QString cateID, prodBH, prodName, type, company, unitName, inprice, outprice, remark, field1,
        field2;
};
inline const QString kInsertProduct = QStringLiteral(
    "INSERT INTO Fproduct(cateID,prodBH,prodName,type,company,unitName,inprice,outprice,remark,"
    "field1,field2) VALUES(:cateID,:prodBH,:prodName,:type,:company,:unitName,:inprice,"
    ":outprice,:remark,:field1,:field2)");
inline const QString kUpdateProduct = QStringLiteral(
    "UPDATE Fproduct SET cateID=:cateID,prodBH=:prodBH,prodName=:prodName,type=:type,"
    "company=:company,unitName=:unitName,inprice=:inprice,outprice=:outprice,remark=:remark,"
    "field1=:field1,field2=:field2 WHERE prodID=:prodID");
// The name of another product than prodID (empty: any) whose code is prodBH, found as a
// scanned code finds its product; nothing when none has it.
std::optional<QString> productNamedByCode(const QString& prodBH, const QString& prodID);
// Runs kInsertProduct or kUpdateProduct (which names the product by prodID); rows affected.
int writeProduct(const QString& sql, const ProductFields& fields, const QString& prodID);
// Holds the category a product is written into, so that no other counter deletes it before
// the product is in; a Refusal when it is gone already.
void holdCategory(TQuery& q, const QString& cateID);
// Whether a product's stock counts as above 0: by half a millionth at least, since a book may
// hold a hair of binary fractions (3.55E-15) where the documents cancel out.
inline bool inStock(double sumCount) {
    return sumCount >= numbers::kHalfAMillionth;
}
// Deletes the product inside one writing transaction on the product held, unless it is in
// stock by then; a refusal is told to the person (nullopt). Otherwise the rows deleted.
std::optional<int> deleteProduct(const QString& prodID);

// The categories in the order of their keys, for the tree and the category lists.
void loadCategories(TQuery& query);
bool categoryHasProducts(const QString& cateID);
inline const QString kInsertCategory =
    QStringLiteral("INSERT INTO Fprodcate(cateName) VALUES(:cateName)");
inline const QString kRenameCategory =
    QStringLiteral("UPDATE Fprodcate SET cateName=:cateName WHERE cateID=:cateID");
// Runs kInsertCategory or kRenameCategory (which names the category by cateID); rows affected.
int writeCategory(const QString& sql, const QString& cateName, const QString& cateID);
// Deletes the category inside one writing transaction on the category held, unless a product
// names it by then; a refusal is told to the person (nullopt). Otherwise the rows deleted.
std::optional<int> deleteCategory(const QString& cateID);

} // namespace catalog
