#include "late/library.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace late {

const std::string& Library::loadError() const {
    std::call_once(loading_, [this] {
        handle_ = dlopen(soname_, RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* why = dlerror();
            error_ = why ? why : soname_;
        }
    });
    return error_;
}

void* Library::symbol(const char* name) const {
    std::string missing = loadError();
    void* found = handle_ ? dlsym(handle_, name) : nullptr;
    if (!found) {
        if (missing.empty())
            missing = std::string(soname_) + " 没有 " + name;
        std::fprintf(stderr, "无法载入程序所需的库：%s\n", missing.c_str());
        std::abort();
    }
    return found;
}

const Library& libpq() {
    static const Library library("libpq.so.5");
    return library;
}

const Library& xlsxwriter() {
    static const Library library("libxlsxwriter.so.4");
    return library;
}

const Library& minizip() {
    static const Library library("libminizip.so.1");
    return library;
}

} // namespace late
