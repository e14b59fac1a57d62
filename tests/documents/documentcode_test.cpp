#include "documents/documentheader.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentCode, WritesEachPartWithoutLeadingZeros) {
    EXPECT_EQ(documents::documentCode("DB", QDateTime(QDate(2010, 3, 9), QTime(8, 5, 7))),
              "DB201039857");
    EXPECT_EQ(documents::documentCode("BY", QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59))),
              "BY20101231235959");
    EXPECT_EQ(documents::documentCode("BS", QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0))),
              "BS202611000");
}

TEST(DocumentCode, TwoMomentsCanGiveOneCode) {
    EXPECT_EQ(documents::documentCode("CJ", QDateTime(QDate(2010, 11, 1), QTime(1, 2, 3))),
              documents::documentCode("CJ", QDateTime(QDate(2010, 1, 11), QTime(1, 2, 3))));
}

} // namespace
