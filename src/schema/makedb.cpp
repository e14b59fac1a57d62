// Writes a new, empty book: vesk-makedb PATH for the embedded engine, or
// vesk-makedb --server CONNINFO into an empty database on a PostgreSQL server.
#include "core/dberror.h"
#include "core/schema.h"
#include "schema/serverschema.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool server = argc == 3 && std::strcmp(argv[1], "--server") == 0;
    if (argc != 2 && !server) {
        std::fprintf(stderr, "usage: vesk-makedb PATH\n       vesk-makedb --server CONNINFO\n");
        return 2;
    }
    if (server) {
        const std::string error = schema::createOnServer(argv[2]);
        if (!error.empty()) {
            std::fprintf(stderr, "vesk-makedb: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    try {
        schema::create(QString::fromLocal8Bit(argv[1]));
    } catch (const DbError& e) {
        std::fprintf(stderr, "vesk-makedb: %s\n", e.what());
        return 1;
    }
    return 0;
}
