// Writes a new, empty book: vesk-makedb PATH
#include "core/dberror.h"
#include "core/schema.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-makedb PATH\n");
        return 2;
    }
    try {
        schema::create(QString::fromLocal8Bit(argv[1]));
    } catch (const DbError& e) {
        std::fprintf(stderr, "vesk-makedb: %s\n", e.what());
        return 1;
    }
    return 0;
}
