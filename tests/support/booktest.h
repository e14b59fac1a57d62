#pragma once

#include "support/scriptedfiledialogs.h"
#include "support/scriptedmessages.h"
#include "support/scriptedmodal.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TsysData;

// A test on a fresh book: its own database file in a temporary directory (which is also the
// program's directory), the data module open on it, scripted messages and modal windows,
// and the clock fixed at kNow.
class BookTest : public ::testing::Test {
public:
    static inline const QDateTime kNow{QDate(2026, 3, 15), QTime(9, 5, 7)};

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL directly, outside the slots, to arrange or inspect the book.
    void exec(const QString& sql);
    // The first field of the first row as text ("" when there is none).
    QString scalar(const QString& sql);
    double number(const QString& sql) { return scalar(sql).toDouble(); }
    long long count(const QString& tableOrWhere);

    // Arranging master rows; each returns the new key.
    long long addHouse(const QString& name);
    long long addCategory(const QString& name);
    long long addProduct(const QString& name, long long cateID = 1, const QString& inprice = "10",
                         const QString& outprice = "15");
    long long addSupplier(const QString& name);
    long long addCustomer(const QString& name);
    long long addEmployee(const QString& name);

    QString directory() const { return dir_.path() + u'/'; }

    ScriptedMessages messages_;
    ScriptedModal modal_;
    ScriptedFileDialogs fileDialogs_;
    std::unique_ptr<TsysData> data_;

private:
    QTemporaryDir dir_;
};
