// The libraries a start on a book kept on this computer does not need stay unloaded until used.
#include "core/connection.h"
#include "core/query.h"
#include "core/schema.h"
#include "late/library.h"
#include "support/serverbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Whether the process has the library of the file name in memory.
bool loaded(const char* file) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QByteArray("/") + file);
}

TEST(LateLibraries, AreLoadedOnlyWhenTheirWorkIsDone) {
    const char* const late[] = {"libpq.so", "libxlsxwriter.so", "libminizip.so"};
    for (const char* file : late)
        ASSERT_FALSE(loaded(file)) << file << " loaded before anything was opened";
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("kestdata.db"));
    schema::create(book);
    Connection embedded(book);
    ASSERT_TRUE(embedded.open()) << embedded.lastError().toStdString();
    TQuery q(embedded, QStringLiteral("QueryCommon"));
    q.load("SELECT COUNT(*) AS n FROM Fproduct");
    q.open();
    for (const char* file : late)
        EXPECT_FALSE(loaded(file)) << file << " loaded for a book on this computer";

    Connection server = Connection::server(ServerBook::clusterConninfo());
    ASSERT_TRUE(server.open()) << server.lastError().toStdString();
    EXPECT_TRUE(loaded("libpq.so"));
}

TEST(LateLibraries, OneThatCannotBeLoadedSaysWhyAndEndsTheProgramWhenCalled) {
    const late::Library missing("libvesk-nowhere.so.1");
    EXPECT_NE(missing.loadError().find("libvesk-nowhere.so.1"), std::string::npos)
        << missing.loadError();
    EXPECT_DEATH(missing.resolve<void (*)()>("anything"),
                 "无法载入程序所需的库：.*libvesk-nowhere");
    EXPECT_DEATH(late::libpq().resolve<void (*)()>("PQnoSuchFunction"),
                 "libpq.so.5 没有 PQnoSuchFunction");
}

} // namespace
