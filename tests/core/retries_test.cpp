#include "core/dberror.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "support/booktest.h"

// A conflict with another counter is run again, unseen, a bounded number of times; anything
// else reaches the caller at once.
namespace {

class Retries : public BookTest {};

TEST_F(Retries, AConflictIsRunAgainUntilTheWorkSucceeds) {
    int runs = 0;
    const int result = transactions::retryingConflicts(sysData->myCon, [&] {
        Transaction t(sysData->myCon);
        exec("INSERT INTO Fhouse(houseName) VALUES('仓')");
        if (++runs < 3)
            throw DbError("deadlock detected", DbError::Kind::Conflict);
        t.commit();
        return runs;
    });
    EXPECT_EQ(result, 3);
    EXPECT_EQ(count("Fhouse"), 1); // the undone runs left nothing
}

TEST_F(Retries, AConflictThatPersistsReachesTheCallerAfterTheLastAttempt) {
    int runs = 0;
    EXPECT_THROW(transactions::retryingConflicts(sysData->myCon,
                                                 [&] {
                                                     ++runs;
                                                     throw DbError("busy", DbError::Kind::Conflict);
                                                 }),
                 DbError);
    EXPECT_EQ(runs, transactions::kAttempts);
}

TEST_F(Retries, AFailureIsNotRunAgain) {
    int runs = 0;
    EXPECT_THROW(transactions::retryingConflicts(sysData->myCon,
                                                 [&] {
                                                     ++runs;
                                                     throw DbError("UNIQUE constraint failed");
                                                 }),
                 DbError);
    EXPECT_EQ(runs, 1);
}

TEST_F(Retries, InsideAnOuterTransactionTheConflictGoesToTheCaller) {
    // Running the inner work again could not undo what the outer one did before it.
    Transaction outer(sysData->myCon);
    int runs = 0;
    EXPECT_THROW(transactions::retryingConflicts(sysData->myCon,
                                                 [&] {
                                                     Transaction inner(sysData->myCon);
                                                     ++runs;
                                                     throw DbError("busy", DbError::Kind::Conflict);
                                                 }),
                 DbError);
    EXPECT_EQ(runs, 1);
}

} // namespace
