#include "tools/toolbook.h"

#include <cstdio>
#include <unistd.h>

namespace toolbook {

namespace {

std::vector<long long> keys(const QString& sql) {
    std::vector<long long> result;
    TQuery& q = sysData->QueryCommon;
    q.load(sql);
    for (q.open(); !q.eof(); q.next())
        result.push_back(q.field(u"k").asInteger());
    q.close();
    return result;
}

} // namespace

std::unique_ptr<TsysData> open(const QString& book) {
    const QString server = QStringLiteral("server:");
    auto data = book.startsWith(server)
                    ? std::make_unique<TsysData>(TsysData::Server{book.mid(server.size())})
                    : std::make_unique<TsysData>(book + u'/');
    if (!data->connect()) {
        std::fprintf(stderr, "%s\n", qPrintable(data->lastError()));
        return nullptr;
    }
    sysData = data.get();
    return data;
}

World readWorld() {
    return {keys("SELECT houseID AS k FROM Fhouse"), keys("SELECT prodID AS k FROM Fproduct"),
            keys("SELECT compID AS k FROM Fsupplier"), keys("SELECT compID AS k FROM Fcustomer"),
            keys("SELECT itmID AS k FROM Fitem")};
}

bool say(const QByteArray& line) {
    const QByteArray whole = line + '\n';
    return write(STDOUT_FILENO, whole.constData(), std::size_t(whole.size())) == whole.size();
}

} // namespace toolbook
