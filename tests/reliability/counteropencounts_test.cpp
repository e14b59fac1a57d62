// The check of the counts the counters left open, on a book arranged by hand against one log:
// the book as reported passes, and each way a count can differ from the reports is named.
#include "reliability/counteropencounts.h"
#include "support/booktest.h"

namespace {

// Four counters' count lines. c1 opens PD1, counts product 1 twice (the second replaces the
// first) and product 2, then is refused a line; c2's count PD2 is corrected; c3 is killed while
// opening a count, c4 loses its connection while opening one; c5's correction of PD5 is cut.
constexpr char kLog[] = R"(B c1-1 countline code=new house=1 prod=1 book=3 counted=4
D c1-1 PD1 countline
B c1-2 countline code=PD1 house=1 prod=2 book=0 counted=2.25
D c1-2 PD1 countline
B c1-3 countline code=PD1 house=1 prod=1 book=3 counted=5
D c1-3 PD1 countline
B c1-4 countline code=PD1 house=1 prod=2 book=0 counted=9
F c1-4 held 该盘点单已不存在
B c2-1 countline code=new house=2 prod=1 book=3 counted=1
D c2-1 PD2 countline
B c2-2 correct code=PD2 house=2 lines=1:3:1
D c2-2 PD2 correct
B c3-1 countline code=new house=1 prod=2 book=0 counted=6
B c4-1 countline code=new house=1 prod=3 book=0 counted=7
F c4-1 lost 与服务器的连接已中断
B c5-1 countline code=new house=2 prod=4 book=1 counted=2
D c5-1 PD5 countline
B c5-2 correct code=PD5 house=2 lines=4:1:2
)";

class CounterOpenCounts : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        if (HasFatalFailure())
            return;
        // c3's count was written before the kill; c4's was not; c5's correction was not.
        exec("INSERT INTO OrderPD(orderID,houseID,remark) VALUES('PD1',1,'c1-1'),"
             "('PD3',1,'c3-1'),('PD5',2,'c5-1')");
        exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('PD1',1,3,5),"
             "('PD1',2,0,2.25),('PD3',2,0,6),('PD5',4,1,2)");
        exec("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) "
             "VALUES('PD2',2,'盘点','2026-03-15')");
    }

    QString faults() const {
        return counters::openCountFaults(counters::readLog(QByteArray(kLog))).join(u'\n');
    }
};

TEST_F(CounterOpenCounts, TheBookAsReportedPasses) {
    EXPECT_EQ(faults(), QString());
}

TEST_F(CounterOpenCounts, ACutOpeningAndACutCorrectionMayHaveBeenDone) {
    exec("DELETE FROM OrderPD WHERE orderID IN ('PD3','PD5')");
    exec("DELETE FROM OrderPDD WHERE orderID IN ('PD3','PD5')");
    exec("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) "
         "VALUES('PD5',2,'盘点','2026-03-15')");
    EXPECT_EQ(faults(), QString());
}

TEST_F(CounterOpenCounts, ALineReportedDoneIsMissing) {
    exec("DELETE FROM OrderPDD WHERE orderID='PD1' AND prodID=2");
    EXPECT_EQ(faults(), "c1-2 (countline, done as PD1) is missing from the count PD1");
}

TEST_F(CounterOpenCounts, ACutCorrectionNotInTheBookLeftItsCountWhole) {
    exec("DELETE FROM OrderPDD WHERE orderID='PD5'");
    EXPECT_EQ(faults(), "c5-1 (countline, done as PD5) is missing from the count PD5");
}

TEST_F(CounterOpenCounts, TheSecondCountOfAProductReplacesTheFirst) {
    exec("UPDATE OrderPDD SET pdcount=4 WHERE orderID='PD1' AND prodID=1");
    EXPECT_EQ(faults(), "c1-1 (countline, done as PD1) is still in the count PD1, counted again "
                        "since\nc1-3 (countline, done as PD1) is missing from the count PD1 "
                        "(replaced)");
}

TEST_F(CounterOpenCounts, ARefusedLineIsNotInTheBook) {
    exec("UPDATE OrderPDD SET pdcount=9 WHERE orderID='PD1' AND prodID=2");
    EXPECT_EQ(faults(), "c1-4 (countline, refused) is in the count PD1 although refused\n"
                        "c1-2 (countline, done as PD1) is missing from the count PD1 (replaced)");
}

TEST_F(CounterOpenCounts, ALineInAnotherCountIsNamed) {
    exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('PD5',2,0,6),"
         "('PD5',3,0,8)");
    EXPECT_EQ(faults(), "the count PD5 holds product 2 as 0:6, reported for other counts by c3-1 "
                        "(countline, cut off)\nthe count PD5 holds product 3 as 0:8, which no "
                        "counter reported");
}

TEST_F(CounterOpenCounts, ACorrectedCountIsGoneWhole) {
    exec("INSERT INTO OrderPD(orderID,houseID,remark) VALUES('PD2',2,'c2-1')");
    exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('PD2',1,3,1)");
    EXPECT_EQ(faults(), "c2-2 (correct, done as PD2) left its count open\n"
                        "c2-2 (correct, done as PD2) left 1 of its count's lines");
}

TEST_F(CounterOpenCounts, HeadersOfAnotherOrWithoutTheirLineAndCountsOfNoOneAreNamed) {
    exec("UPDATE OrderPD SET remark='c9-1', houseID=2 WHERE orderID='PD1'");
    exec("INSERT INTO OrderPD(orderID,houseID,remark) VALUES('PD4',1,'c4-1')");
    exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('PD8',1,0,1)");
    EXPECT_EQ(faults(), "c1-1 (countline, done as PD1) opened the count PD1 remarked \"c9-1\"\n"
                        "c4-1 (countline, failed, connection lost) is missing from the count PD4\n"
                        "the book holds a count of no counter's operation: PD8 without a header "
                        "with 1 products");
}

} // namespace
