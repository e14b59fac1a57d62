#include "admin/bookfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admintest.h"
#include "core/schema.h"
#include "core/sysdata.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {

class Restore : public AdminTest {
protected:
    void show() {
        window_.show();
        ASSERT_TRUE(window_.isVisible());
    }
    QLineEdit& path() { return drive::find<QLineEdit>(window_, "txtPath"); }
    // Types the path and presses 还原(&R); a file there brings the question, answered OK.
    void restoreFrom(const QString& file) {
        drive::type(path(), file);
        if (QFileInfo(file.trimmed()).isFile())
            messages_.answerOk();
        drive::click(window_, "btnRestore");
    }
    static QString asked(const QString& file) {
        return "确定要用备份“" + file +
               "”还原吗？还原后当前账簿的内容将被该备份替换，备份之后录入的数据将全部丢失。";
    }
    // A copy of the book as it is now, made while its connection is closed.
    QString backUp(const QString& name) {
        data_->myCon.close();
        const QString file = directory() + name;
        EXPECT_TRUE(QFile::copy(bookPath(), file));
        return file;
    }
    // A backup of the book holding 一号库, with 二号库 added to the book since.
    QString backUpThenAddAHouse() {
        addHouse("一号库");
        const QString file = backUp("保存的.bak");
        addHouse("二号库");
        return file;
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The book is closed and byte for byte what it was.
    void expectBookUnchanged(const QByteArray& before) {
        data_->myCon.close();
        EXPECT_EQ(contents(bookPath()), before);
        EXPECT_EQ(QDir(directory()).entryList(QDir::Files).filter("kestdata").size(), 1)
            << "no temporary copy is left beside the book";
    }

    TfrmRestoreData window_;
};

TEST_F(Restore, ReplacesTheBookByTheChosenBackupAndTheNextStatementReadsIt) {
    const QString file = backUpThenAddAHouse();
    show();
    EXPECT_EQ(window_.windowTitle(), "数据还原");
    EXPECT_EQ(drive::find<QLabel>(window_, "lblPath").text(), "数据路径：");
    EXPECT_FALSE(data_->myCon.isOpen());
    restoreFrom("  " + file + " ");
    EXPECT_EQ(messages_.texts(), QStringList({asked(file), "数据还原成功!"}));
    EXPECT_EQ(messages_.shown().front().form, ScriptedMessages::Form::CautiousQuestion);
    EXPECT_EQ(drive::find<QProgressBar>(window_, "pbProgress").value(), 0);
    EXPECT_EQ(count("Fhouse"), 1);
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
    data_->myCon.close();
    EXPECT_EQ(QDir(directory()).entryList(QDir::Files).filter("kestdata").size(), 1)
        << "no temporary copy is left beside the book";
}

TEST_F(Restore, BrowsingOffersBackupFilesAndPutsTheChosenNameInThePathBox) {
    show();
    fileDialogs_.choose(directory() + "a.bak");
    drive::click(window_, "btnBrowse");
    EXPECT_EQ(path().text(), directory() + "a.bak");
    EXPECT_EQ(fileDialogs_.filters(), QStringList({"备份文件 (*.bak)"}));
    fileDialogs_.cancel();
    drive::click(window_, "btnBrowse");
    EXPECT_EQ(path().text(), directory() + "a.bak") << "cancelling keeps the path";
}

TEST_F(Restore, AnEmptyPathAsksForAFile) {
    show();
    restoreFrom("   ");
    EXPECT_EQ(messages_.texts(), QStringList({"请选择数据文件!"}));
}

TEST_F(Restore, AMissingFileFailsAndLeavesTheBookAsItWas) {
    addHouse("一号库");
    show();
    const QByteArray before = contents(bookPath());
    restoreFrom(directory() + "无此文件.bak");
    EXPECT_EQ(messages_.last(), "数据还原失败，请检查路径是否存在？");
    expectBookUnchanged(before);
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
}

// Everything written since the backup would go: the person is asked first, Cancel the default.
// Another copy of the program writing into the book (an import, an initialisation) holds it
// for a moment: the restore waits for it to end.
TEST_F(Restore, ARestoreWaitsForAnotherCopysWriteToEnd) {
    const QString file = backUpThenAddAHouse();
    Connection other(bookPath());
    other.run("BEGIN IMMEDIATE");
    other.run("INSERT INTO Fhouse(houseName) VALUES('别处')");
    std::thread ending([&other] {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        other.run("COMMIT");
    });
    show();
    restoreFrom(file);
    ending.join();
    EXPECT_EQ(messages_.last(), "数据还原成功!");
    EXPECT_EQ(scalar("SELECT group_concat(houseName) FROM Fhouse"), "一号库");
}

// One that goes on far longer: the restore gives up, says why (the path is not at fault),
// and the book is as it was.
TEST_F(Restore, ARestoreThatCannotHaveTheBookSaysWhyAndLeavesItAsItWas) {
    const QString file = backUpThenAddAHouse();
    Connection other(bookPath());
    other.run("BEGIN IMMEDIATE");
    show();
    restoreFrom(file);
    other.run("ROLLBACK");
    EXPECT_EQ(messages_.last(), "数据还原失败：账簿正被其他程序占用\n当前账簿未作任何改动。");
    EXPECT_EQ(scalar("SELECT group_concat(houseName) FROM Fhouse"), "一号库,二号库");
}

TEST_F(Restore, CancellingTheQuestionLeavesTheBookAsItWas) {
    const QString file = backUpThenAddAHouse();
    show();
    const QByteArray before = contents(bookPath());
    drive::type(path(), file);
    messages_.answerCancel();
    drive::click(window_, "btnRestore");
    EXPECT_EQ(messages_.texts(), QStringList({asked(file)}));
    expectBookUnchanged(before);
    EXPECT_EQ(count("Fhouse"), 2);
}

TEST_F(Restore, AFileThatIsNotAnIntactBookOfOursIsRefusedAndTheBookStays) {
    addHouse("一号库");
    const QString good = backUp("good.bak");

    const QString text = directory() + "text.bak";
    write(text, QByteArray(8192, 'x'));

    // A database of another program: no application id of ours.
    const QString foreign = directory() + "foreign.bak";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1)", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    // One of ours with pages damaged in the middle.
    QByteArray bytes = contents(good);
    ASSERT_GT(bytes.size(), 8 * 4096);
    for (qsizetype i = 3 * 4096 + 100; i < 6 * 4096; ++i)
        bytes[i] = char(0x5a);
    const QString damaged = directory() + "damaged.bak";
    write(damaged, bytes);

    show();
    const QByteArray before = contents(bookPath());
    for (const QString& file : {text, foreign, damaged}) {
        restoreFrom(file);
        EXPECT_EQ(messages_.last(), "所选文件不是本程序完好的账簿备份。\n当前账簿未作任何改动。")
            << file.toStdString();
        EXPECT_FALSE(bookfile::isIntactBook(file)) << file.toStdString();
    }
    expectBookUnchanged(before);
    EXPECT_TRUE(bookfile::isIntactBook(good));
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
}

TEST_F(Restore, ABackupIsCheckedAsItLiesNotWithALogBesideIt) {
    const QString file = backUp("plain.bak");
    // A stray log beside the chosen file must neither be read nor spoil the check.
    write(file + "-wal", QByteArray(4096, 'w'));
    EXPECT_TRUE(bookfile::isIntactBook(file));
    EXPECT_EQ(contents(file + "-wal"), QByteArray(4096, 'w'));
    EXPECT_FALSE(QFile::exists(file + "-shm"));
}

TEST_F(Restore, ABookOpenElsewhereIsReplacedWholeAndTheOtherConnectionReadsTheRestoredBook) {
    addHouse("一号库");
    const QString file = backUp("good.bak");
    sqlite3* other = nullptr;
    ASSERT_EQ(
        sqlite3_open_v2(bookPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
        SQLITE_OK);
    const auto run = [other](const char* sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(other, sql, nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
    };
    // The other connection's commit is still in the log, not in the file.
    run("INSERT INTO Fhouse(houseName) VALUES('x')");
    ASSERT_GT(QFileInfo(bookPath() + "-wal").size(), 0);
    show();
    restoreFrom(file);
    EXPECT_EQ(messages_.texts(), QStringList({asked(file), "数据还原成功!"}));
    EXPECT_EQ(count("Fhouse WHERE houseName='x'"), 0);
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
    // The other connection goes on in the restored book.
    run("INSERT INTO Fhouse(houseName) VALUES('y')");
    sqlite3_close_v2(other);
    EXPECT_EQ(scalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(count("Fhouse"), 2);
}

TEST_F(Restore, ABackupOfAnotherStructureOrANewerVersionIsRefusedAndTheBookStays) {
    addHouse("一号库");
    const auto spoilt = [this](const QString& name, const char* sql) {
        const QString file = backUp(name);
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        return file;
    };
    const QString newer = spoilt("newer.bak", "PRAGMA user_version = 99");
    const QString dropped = spoilt("dropped.bak", "DROP TABLE OrderPDD");
    const QString both = spoilt("both.bak", "PRAGMA user_version = 99; DROP TABLE OrderPDD");
    const QString extra = spoilt("extra.bak", "CREATE TRIGGER tExtra AFTER INSERT ON Fhouse "
                                              "BEGIN DELETE FROM Fproduct; END");
    const QString older = spoilt("older.bak", "PRAGMA user_version = 2");
    show();
    const QByteArray before = contents(bookPath());
    restoreFrom(newer);
    EXPECT_EQ(messages_.last(), "所选备份由较新版本的程序建立（账簿版本 99，本程序为 6），请先更新"
                                "程序。\n当前账簿未作任何改动。");
    restoreFrom(both);
    EXPECT_TRUE(messages_.last().startsWith("所选备份由较新版本的程序建立"));
    restoreFrom(dropped);
    EXPECT_EQ(messages_.last(), "所选备份的账簿结构与其版本不符（缺少 table OrderPDD）。\n"
                                "当前账簿未作任何改动。");
    restoreFrom(extra);
    EXPECT_EQ(messages_.last(), "所选备份的账簿结构与其版本不符（多出 trigger tExtra）。\n"
                                "当前账簿未作任何改动。");
    // Said to be of version 2, but already holding what version 3 adds: its upgrade fails.
    restoreFrom(older);
    EXPECT_TRUE(messages_.last().startsWith("所选备份的账簿结构与其版本不符"))
        << messages_.last().toStdString();
    expectBookUnchanged(before);
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
}

TEST_F(Restore, ABackupOfAnEarlierVersionIsUpgradedAsItIsRestoredAndItsBooksAgree) {
    const QString file = directory() + "v2.bak";
    ASSERT_TRUE(QFile::copy(VESK_FIXTURES "/kestdata-v2.db", file));
    show();
    restoreFrom(file);
    // Nothing but the success: the books check found the books in agreement.
    EXPECT_EQ(messages_.texts(), QStringList({asked(file), "数据还原成功!"}));
    EXPECT_EQ(scalar("PRAGMA user_version"), "6");
    EXPECT_EQ(count("OrderPur"), 18);
    EXPECT_EQ(count("FSettle"), 2);
    EXPECT_TRUE(bookfile::isIntactBook(file)) << "the backup itself is only read";
    data_->myCon.close();
    EXPECT_EQ(QDir(directory()).entryList(QDir::Files).filter("restore-").size(), 0);
}

TEST_F(Restore, ARestoredBookWhoseBooksDisagreeIsReportedAtOnce) {
    addHouse("一号库");
    const long long product = addProduct("矿泉水");
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=7 WHERE prodID=%1").arg(product));
    const QString file = backUp("off.bak");
    show();
    restoreFrom(file);
    ASSERT_EQ(messages_.texts().size(), 3);
    EXPECT_EQ(messages_.texts()[1], "数据还原成功!");
    EXPECT_TRUE(
        messages_.texts()[2].startsWith("账簿检查完毕，发现1处账目与单据不符。\n商品“矿泉水”"))
        << messages_.texts()[2].toStdString();
}

} // namespace
