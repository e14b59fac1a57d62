#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "support/booktest.h"

namespace {

using documents::documentCode;

TEST(DocumentCode, WritesEachPartWithoutLeadingZeros) {
    EXPECT_EQ(documentCode("CJ", QDateTime(QDate(2010, 3, 9), QTime(8, 5, 7))), "CJ201039857");
    EXPECT_EQ(documentCode("XS", QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59))),
              "XS20101231235959");
    EXPECT_EQ(documentCode("DB", QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0))), "DB202611000");
}

TEST(DocumentCode, TwoMomentsCanShareACode) {
    EXPECT_EQ(documentCode("CJ", QDateTime(QDate(2010, 11, 1), QTime(1, 2, 3))),
              documentCode("CJ", QDateTime(QDate(2010, 1, 11), QTime(1, 2, 3))));
}

class DocumentTitle : public BookTest {};

TEST_F(DocumentTitle, TheLastRowWinsAndNoRowGivesNothing) {
    EXPECT_EQ(documents::documentTitle("saleT"), "顾客退货单");
    exec("INSERT INTO Ftitle(pur,purT,sale,saleT,db,bsby) VALUES('进货单','','','','','')");
    EXPECT_EQ(documents::documentTitle("pur"), "进货单");
    exec("DELETE FROM Ftitle");
    EXPECT_FALSE(documents::documentTitle("pur").has_value());
}

} // namespace
