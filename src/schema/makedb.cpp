// Writes a new, empty book: vesk-makedb PATH for the embedded engine, or
// vesk-makedb --server CONNINFO into an empty database on a PostgreSQL server, which with
// --from PATH receives every row of the embedded book at PATH.
#include "core/dberror.h"
#include "core/schema.h"
#include "schema/movebook.h"
#include "schema/serverschema.h"

#include <cstdio>
#include <cstring>

namespace {

int failed(const std::string& reason) {
    std::fprintf(stderr, "vesk-makedb: %s\n", reason.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool server = (argc == 3 || argc == 5) && std::strcmp(argv[1], "--server") == 0;
    const bool moving = server && argc == 5 && std::strcmp(argv[3], "--from") == 0;
    // An option it does not know (--help) is no book's path: it would have become one.
    const bool path = argc == 2 && argv[1][0] != '-';
    if (!path && !(server && (argc == 3 || moving))) {
        std::fprintf(stderr, "usage: vesk-makedb PATH\n       vesk-makedb --server CONNINFO\n"
                             "       vesk-makedb --server CONNINFO --from PATH\n");
        return 2;
    }
    if (moving) {
        const bookmove::Outcome outcome =
            bookmove::moveToServer(QString::fromLocal8Bit(argv[4]), argv[2]);
        return outcome.done ? 0 : failed(outcome.refusal.toStdString() + "未作任何改动。");
    }
    if (server) {
        const std::string error = schema::createOnServer(argv[2]);
        return error.empty() ? 0 : failed(error);
    }
    try {
        schema::create(QString::fromLocal8Bit(argv[1]));
    } catch (const DbError& e) {
        return failed(e.what());
    }
    return 0;
}
