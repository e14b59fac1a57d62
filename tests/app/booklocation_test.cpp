#include "app/booklocation.h"
#include "core/clock.h"
#include "core/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contentsOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An installation in a temporary folder: bin/ for the program, share/vesk/ with the template,
// and a data folder that does not exist yet.
class BookLocation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkpath("bin");
        QDir(root_.path()).mkpath("share/vesk");
        schema::create(places_.templateFile);
        template_ = contentsOf(places_.templateFile);
        ASSERT_FALSE(template_.isEmpty());
    }
    QString path(const QString& relative) const { return root_.path() + u'/' + relative; }
    // As the program starts: a lost book is asked about, and answered as answer says.
    QString locate() {
        return booklocation::locate(places_, [this](const QString& lost) {
            asked_ << lost;
            return answer_;
        });
    }
    QStringList dataFolderFiles() const {
        return QDir(places_.dataFolder).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir root_;
    booklocation::Places places_{path("bin/"), path("data/Vesk/vesk"),
                                 path("share/vesk/kestdata.db")};
    QByteArray template_;
    QStringList asked_;
    bool answer_ = false;
};

TEST_F(BookLocation, ABookBesideTheProgramIsAPortableCopyAndTheDataFolderStaysUntouched) {
    write(path("bin/kestdata.db"), "the shop's own book");
    EXPECT_EQ(locate(), path("bin/kestdata.db"));
    EXPECT_FALSE(QFileInfo::exists(places_.dataFolder));
    EXPECT_EQ(contentsOf(path("bin/kestdata.db")), "the shop's own book");
}

TEST_F(BookLocation, TheFirstStartCopiesTheTemplateIntoTheDataFolderForTheOwnerAlone) {
    const QString book = locate();
    EXPECT_EQ(book, path("data/Vesk/vesk/kestdata.db"));
    EXPECT_EQ(contentsOf(book), template_);
    EXPECT_EQ(dataFolderFiles(), QStringList({"kestdata.db"})) << "no temporary copy is left";
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
    EXPECT_EQ(QFileInfo(book).permissions() & ownerGroupOther,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(QFileInfo::exists(path("bin/kestdata.db"))) << "never beside the program";
    EXPECT_EQ(contentsOf(places_.templateFile), template_);
}

TEST_F(BookLocation, TheUsersBookIsFoundAgainAndNeverReplacedByTheTemplate) {
    const QString book = locate();
    write(book, "a year of purchases");
    EXPECT_EQ(locate(), book);
    EXPECT_EQ(contentsOf(book), "a year of purchases");
    EXPECT_EQ(dataFolderFiles(), QStringList({"kestdata.db"}));
}

// A book the data folder held is gone (moved, deleted, the folder restored without it): an
// empty one made in its place without a word took the shop's next sales, and the owner's
// password was the seeded one again.
TEST_F(BookLocation, ABookThatWasThereAndIsGoneIsReplacedOnlyWhenThePersonSaysSo) {
    const QString book = locate();
    EXPECT_TRUE(asked_.isEmpty()) << "the first start makes the book without asking";
    QFile::remove(book);

    EXPECT_EQ(locate(), book);
    EXPECT_EQ(asked_, QStringList({book}));
    EXPECT_TRUE(dataFolderFiles().isEmpty()) << "opening it reports the missing book";
    // Asked again at the next start, until the book is back or a new one is wanted.
    EXPECT_EQ(locate(), book);
    EXPECT_EQ(asked_.size(), 2);
    answer_ = true;
    EXPECT_EQ(locate(), book);
    EXPECT_EQ(contentsOf(book), template_);
    // The new book is the one held now: found again without a question.
    EXPECT_EQ(locate(), book);
    EXPECT_EQ(asked_.size(), 3);
}

TEST_F(BookLocation, WithoutTheTemplateNothingIsMadeAndOpeningReportsTheMissingBook) {
    QFile::remove(places_.templateFile);
    EXPECT_EQ(locate(), path("data/Vesk/vesk/kestdata.db"));
    EXPECT_TRUE(dataFolderFiles().isEmpty());
}

TEST_F(BookLocation, CopyingTheTemplateRefusesAnExistingTargetAndAMissingTemplate) {
    QDir().mkpath(places_.dataFolder);
    const QString target = places_.dataFolder + "/kestdata.db";
    write(target, "kept");
    EXPECT_FALSE(booklocation::copyTemplate(places_.templateFile, target));
    EXPECT_EQ(contentsOf(target), "kept");
    EXPECT_FALSE(booklocation::copyTemplate(path("share/vesk/missing.db"), target + "2"));
    EXPECT_EQ(dataFolderFiles(), QStringList({"kestdata.db"}));
}

TEST(BookPlaces, AnInstalledProgramTakesTheTemplateFromShareAndKeepsTheBookInTheUsersFolder) {
    environment::setApplicationDirectory("/usr/bin/");
    const booklocation::Places places = booklocation::standardPlaces();
    environment::setApplicationDirectory({});
    EXPECT_EQ(places.applicationDirectory, "/usr/bin/");
    EXPECT_EQ(places.templateFile, "/usr/share/vesk/kestdata.db");
    EXPECT_EQ(places.dataFolder, qEnvironmentVariable("XDG_DATA_HOME") + "/Vesk/vesk");
}

} // namespace
