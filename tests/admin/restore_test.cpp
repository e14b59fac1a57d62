#include "admin/bookfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admintest.h"
#include "core/schema.h"
#include "core/sysdata.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <sqlite3.h>

namespace {

class Restore : public AdminTest {
protected:
    void show() {
        window_.show();
        ASSERT_TRUE(window_.isVisible());
    }
    QLineEdit& path() { return drive::find<QLineEdit>(window_, "txtPath"); }
    void restoreFrom(const QString& file) {
        drive::type(path(), file);
        drive::click(window_, "btnRestore");
    }
    // A copy of the book as it is now, made while its connection is closed.
    QString backUp(const QString& name) {
        data_->myCon.close();
        const QString file = directory() + name;
        EXPECT_TRUE(QFile::copy(bookPath(), file));
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
    addHouse("一号库");
    const QString file = backUp("保存的.bak");
    addHouse("二号库");
    show();
    EXPECT_EQ(window_.windowTitle(), "数据还原");
    EXPECT_EQ(drive::find<QLabel>(window_, "lblPath").text(), "数据路径：");
    EXPECT_FALSE(data_->myCon.isOpen());
    restoreFrom("  " + file + " ");
    EXPECT_EQ(messages_.texts(), QStringList({"数据还原成功!"}));
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
        EXPECT_EQ(messages_.last(), "数据还原失败，请检查路径是否存在？") << file.toStdString();
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

TEST_F(Restore, ABookWhoseLogIsHeldOpenElsewhereIsNotReplaced) {
    const QString file = backUp("good.bak");
    sqlite3* other = nullptr;
    ASSERT_EQ(
        sqlite3_open_v2(bookPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "PRAGMA journal_mode=WAL; INSERT INTO Fhouse(houseName,resperson,"
                           "phone,address,remark) VALUES('x','','','','')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    show();
    const QByteArray before = contents(bookPath());
    restoreFrom(file);
    EXPECT_EQ(messages_.last(), "数据还原失败，请检查路径是否存在？");
    EXPECT_EQ(contents(bookPath()), before) << "a log of the old book would spoil the new one";
    sqlite3_close_v2(other);
    EXPECT_EQ(count("Fhouse WHERE houseName='x'"), 1);
}

} // namespace
