#include "admin/bookfile.h"
#include "admin/ui/tfrmbackdata.h"
#include "admin/ui/tfrmfile.h"
#include "admintest.h"
#include "core/clock.h"
#include "core/sysdata.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

class Backup : public AdminTest {
protected:
    void show() {
        window_->show();
        ASSERT_TRUE(window_->isVisible());
    }
    QLineEdit& path() { return drive::find<QLineEdit>(*window_, "txtPath"); }
    void backUpTo(const QString& target) {
        drive::type(path(), target);
        drive::click(*window_, "btnBackup");
    }
    // Clicks the directory in the chooser's tree, once the model has read the folders on its
    // way and the tree shows it.
    static void clickDirectory(TfrmFile& w, const QString& directory) {
        auto& tree = drive::find<QTreeView>(w, "tvDir");
        auto* model = qobject_cast<QFileSystemModel*>(tree.model());
        ASSERT_NE(model, nullptr);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        const auto place = [&] { // an index goes stale as rows come in: asked afresh each time
            tree.scrollTo(model->index(directory));
            return tree.visualRect(model->index(directory));
        };
        const QDeadlineTimer failsafe(60000); // the model's reading thread may be slow to start
        while (place().isEmpty() && !failsafe.hasExpired())
            loaded.wait(100); // rows may also come in without a folder finished: look again
        ASSERT_FALSE(place().isEmpty()) << "the tree never showed the directory";
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, place().center());
        ASSERT_EQ(model->filePath(tree.currentIndex()), directory);
    }

    TfrmFile chooser_;
    // Made after the fixture has fixed the clock and the program's directory, as at start-up.
    std::unique_ptr<TfrmBackData> window_;

    void SetUp() override {
        AdminTest::SetUp();
        window_ = std::make_unique<TfrmBackData>(chooser_, environment::now());
    }
    void TearDown() override {
        window_.reset();
        AdminTest::TearDown();
    }
    // The names of the warehouses in a backup file, read from the file alone.
    static QString housesIn(const QString& file) {
        sqlite3* db = nullptr;
        const QByteArray uri = "file:" + QFile::encodeName(file) + "?immutable=1";
        QString names;
        sqlite3_stmt* s = nullptr;
        if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                            nullptr) == SQLITE_OK &&
            sqlite3_prepare_v2(db, "SELECT group_concat(houseName, '') FROM Fhouse", -1, &s,
                               nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            names = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        sqlite3_close(db);
        return names;
    }
};

TEST(BookFile, TheTimeStampWritesYearMonthDayHourAndMinuteWithoutLeadingZeros) {
    EXPECT_EQ(bookfile::timeStamp(QDateTime(QDate(2010, 3, 3), QTime(14, 5, 59))), "201033145");
    EXPECT_EQ(bookfile::timeStamp(QDateTime(QDate(2026, 12, 31), QTime(0, 0))), "202612310"
                                                                                "0");
    EXPECT_EQ(bookfile::backupName("/d/", QDateTime(QDate(2026, 3, 15), QTime(9, 5, 7))),
              "/d/202631595.bak");
}

TEST_F(Backup, ProposesTheStartUpTimeBesideTheProgramEvenWhenShownAnHourLater) {
    environment::setFixedNow(kNow.addSecs(3600));
    show();
    EXPECT_EQ(window_->windowTitle(), "数据备份");
    EXPECT_EQ(path().text(), directory() + "202631595.bak");
    EXPECT_EQ(drive::find<QLabel>(*window_, "lblPath").buddy(), &path());
    EXPECT_EQ(drive::find<QLabel>(*window_, "lblProgress").text(), "备份进度：");
    EXPECT_FALSE(data_->myCon.isOpen()) << "the book is closed while the window is shown";
}

TEST_F(Backup, ProposesTheBooksFolderWhenTheBookLivesAwayFromTheProgram) {
    addHouse("一号库");
    QTemporaryDir program;
    environment::setApplicationDirectory(program.path() + u'/');
    window_ = std::make_unique<TfrmBackData>(chooser_, environment::now());
    show();
    EXPECT_EQ(path().text(), directory() + "202631595.bak");
    drive::click(*window_, "btnBackup");
    EXPECT_EQ(messages_.last(), "数据备份成功!");
    EXPECT_EQ(housesIn(directory() + "202631595.bak"), "一号库");
    EXPECT_TRUE(QDir(program.path()).isEmpty()) << "nothing lands beside the program";
}

TEST_F(Backup, CopiesTheWholeBookToTheFileAndTheNextStatementOpensTheBookAgain) {
    addHouse("一号库");
    show();
    drive::click(*window_, "btnBackup");
    EXPECT_EQ(messages_.texts(), QStringList({"数据备份成功!"}));
    const QString target = directory() + "202631595.bak";
    EXPECT_TRUE(bookfile::isIntactBook(target));
    EXPECT_EQ(housesIn(target), "一号库");
    // One file, kept without a log: it reads anywhere as it lies.
    EXPECT_EQ(contents(target).at(18), 1);
    EXPECT_FALSE(QFile::exists(target + "-wal"));
    EXPECT_EQ(drive::find<QProgressBar>(*window_, "pbProgress").value(), 0);
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
}

// The proposed name is the program's start: a shop whose program runs for days backs up under
// it each evening. An earlier backup there is overwritten only when the person says so.
TEST_F(Backup, ABackupOverAnEarlierOneAsksFirstAndCancelKeepsTheEarlierOne) {
    addHouse("一号库");
    show();
    const QString target = directory() + "202631595.bak";
    drive::click(*window_, "btnBackup");
    window_->close();
    addHouse("二号库");
    environment::setFixedNow(kNow.addDays(1));
    show();
    messages_.answerCancel();
    drive::click(*window_, "btnBackup");
    ASSERT_NE(messages_.lastShown(), nullptr);
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::CautiousQuestion);
    EXPECT_EQ(messages_.last(),
              "备份文件“" + target + "”已存在，覆盖后其中原有的备份将丢失。确定要覆盖它吗？");
    EXPECT_EQ(housesIn(target), "一号库") << "the earlier backup is kept";

    messages_.answerOk();
    drive::click(*window_, "btnBackup");
    EXPECT_EQ(messages_.last(), "数据备份成功!");
    EXPECT_EQ(housesIn(target), "一号库二号库");
    EXPECT_EQ(QDir(directory()).entryList({"*.bak"}).size(), 1);
}

TEST_F(Backup, CancellingTheChooserEmptiesThePathAndTheBackupThenAsksForALocation) {
    show();
    modal_.expect<TfrmFile>([](TfrmFile& w) {
        EXPECT_EQ(w.windowTitle(), "备份文件位置");
        drive::click(w, "btnCancel");
    });
    drive::click(*window_, "btnBrowse");
    EXPECT_TRUE(path().text().isEmpty());
    drive::click(*window_, "btnBackup");
    EXPECT_EQ(messages_.last(), "请选择备份位置!");
    EXPECT_TRUE(QDir(directory()).entryList({"*.bak"}).isEmpty());
}

TEST_F(Backup, AChosenDirectoryGetsAFreshTimeStamp) {
    QDir(directory()).mkdir("备份");
    const QString chosen = directory() + "备份";
    show();
    environment::setFixedNow(QDateTime(QDate(2026, 4, 1), QTime(18, 30, 2)));
    modal_.expect<TfrmFile>([&](TfrmFile& w) {
        clickDirectory(w, chosen);
        drive::click(w, "btnSelect");
    });
    drive::click(*window_, "btnBrowse");
    EXPECT_EQ(path().text(), chosen + "/20264118"
                                      "30.bak");
    drive::click(*window_, "btnBackup");
    EXPECT_EQ(messages_.last(), "数据备份成功!");
    EXPECT_TRUE(bookfile::isIntactBook(chosen + "/2026411830.bak"));
}

TEST_F(Backup, AMissingDirectoryFailsWithoutLeavingAFile) {
    show();
    backUpTo(directory() + "无此目录/x.bak");
    EXPECT_EQ(messages_.last(), "备份失败，请检查备份路径是否存在？");
    EXPECT_FALSE(QFile::exists(directory() + "无此目录"));
}

// A backup onto a stick that fills up: the person learns why, and no part of a file is left.
TEST_F(Backup, ABackupTheDiskCannotTakeSaysWhyAndLeavesNoFile) {
    for (int i = 0; i < 200; ++i)
        addHouse(QStringLiteral("仓库%1").arg(i) + QString(200, QChar(u'库')));
    show();
    const QString target = directory() + "full.bak";
    // Files of this process may grow to 64 kB, room for the book's shared-memory file when it is
    // opened again; the book itself is only read.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    backUpTo(target);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);
    // The disk is named (full, or failing as a stick pulled out), not the path.
    EXPECT_TRUE(messages_.last().startsWith("备份失败：") && messages_.last().contains("磁盘"))
        << messages_.last().toStdString();
    EXPECT_TRUE(messages_.last().endsWith("当前账簿未作任何改动。"));
    EXPECT_EQ(QDir(directory()).entryList({"full.bak*"}, QDir::Files), QStringList());
    EXPECT_EQ(count("Fhouse"), 200);
}

TEST_F(Backup, ABookInUseElsewhereIsCopiedWithWhatTheOtherCopyCommitted) {
    const QString target = directory() + "old.bak";
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older backup");
    }
    // Another copy of the program holds the book open with a change still in its log.
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
    ASSERT_GT(QFileInfo(bookPath() + "-wal").size(), 0);
    messages_.answerOk(); // replacing the older backup
    backUpTo(target);
    EXPECT_EQ(messages_.last(), "数据备份成功!");
    EXPECT_EQ(housesIn(target), "x");
    sqlite3_close_v2(other);
}

TEST_F(Backup, TheBookItselfOrAFileTheEngineKeepsBesideItIsNoPlaceForABackup) {
    addHouse("一号库");
    show();
    // A second name of the book's own file: the book's name in other letters on a stick that
    // does not tell case is one, and a link another.
    ASSERT_EQ(::link(QFile::encodeName(bookPath()).constData(),
                     QFile::encodeName(directory() + "linked.db").constData()),
              0);
    for (const QString& target :
         {bookPath(), bookPath() + "-wal", bookPath() + "-shm", directory() + "./kestdata.db",
          directory() + "linked.db", directory() + "KESTDATA.DB", bookPath() + "-WAL"}) {
        backUpTo(target);
        EXPECT_EQ(messages_.last(),
                  "所选文件就是当前账簿，请另选备份文件。\n当前账簿未作任何改动。")
            << target.toStdString();
    }
    EXPECT_EQ(scalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(count("Fhouse WHERE houseName='一号库'"), 1);
}

// Two counters, one shared folder, one minute: each copy is written under a name of its own,
// so neither removes nor renames the other's half-written file.
TEST_F(Backup, TwoBackupsToOneNameAtOnceAreEachWrittenWhole) {
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
         "INSERT INTO Fhouse(houseName) SELECT substr(hex(zeroblob(500)), 1, 1000) FROM n");
    const QString target = directory() + "202631510.bak";
    bool second = false;
    bookfile::Outcome inner;
    const bookfile::Outcome outer = bookfile::backUp(data_->myCon, target, [&](int percent) {
        if (percent >= 50 && !second) {
            second = true;
            inner = bookfile::backUp(data_->myCon, target, [](int) {});
        }
    });
    ASSERT_TRUE(second);
    EXPECT_TRUE(inner.done) << inner.refusal.toStdString();
    EXPECT_TRUE(outer.done) << outer.refusal.toStdString();
    EXPECT_EQ(housesIn(target).size(), 400 * 1000);
    EXPECT_EQ(QDir(directory()).entryList({"*.bak*"}, QDir::Files), QStringList{"202631510.bak"});
}

TEST_F(Backup, TheWindowCannotBeClosedWhileACopyRuns) {
    show();
    bool tried = false;
    bool closedDuringCopy = false;
    // Events run between the pieces: a close request then must not end the window.
    auto& bar = drive::find<QProgressBar>(*window_, "pbProgress");
    QObject::connect(&bar, &QProgressBar::valueChanged, window_.get(), [&](int value) {
        if (value > 0 && !tried) {
            tried = true;
            window_->close();
            closedDuringCopy = !window_->isVisible();
        }
    });
    drive::click(*window_, "btnBackup");
    EXPECT_TRUE(tried);
    EXPECT_FALSE(closedDuringCopy);
    EXPECT_EQ(messages_.last(), "数据备份成功!");
    window_->close();
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(Backup, TheProgressRisesPieceByPieceThroughEveryPercentAndEndsAtZero) {
    // Well over a hundred pages, so that each percent is a piece of its own.
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
         "INSERT INTO Fhouse(houseName) SELECT substr(hex(zeroblob(500)), 1, 1000) FROM n");
    std::vector<int> told;
    ASSERT_TRUE(bookfile::backUp(data_->myCon, directory() + "p.bak", [&](int percent) {
                    told.push_back(percent);
                }).done);
    ASSERT_GE(told.size(), 102u) << "the start, a hundred pieces or more, the end";
    EXPECT_EQ(told.front(), 0);
    EXPECT_EQ(told.back(), 0);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end() - 1));
    for (int percent = 0; percent < 100; ++percent)
        EXPECT_NE(std::find(told.begin(), told.end(), percent), told.end()) << percent;
    EXPECT_EQ(told[told.size() - 2], 99) << "the last piece starts short of the whole";
    EXPECT_EQ(housesIn(directory() + "p.bak").size(), 400 * 1000);
}

} // namespace
