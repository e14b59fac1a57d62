#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "support/booktest.h"

namespace {

class DocumentTitle : public BookTest {};

TEST_F(DocumentTitle, TheLastRowWinsAndNoRowGivesNothing) {
    EXPECT_EQ(documents::documentTitle("saleT"), "顾客退货单");
    exec("INSERT INTO Ftitle(pur,purT,sale,saleT,db,bsby) VALUES('进货单','','','','','')");
    EXPECT_EQ(documents::documentTitle("pur"), "进货单");
    exec("DELETE FROM Ftitle");
    EXPECT_FALSE(documents::documentTitle("pur").has_value());
}

} // namespace
