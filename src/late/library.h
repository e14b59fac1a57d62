#pragma once

#include <mutex>
#include <string>

namespace late {

// A shared library loaded the first time one of its functions is called, not when the program
// starts: a start pays for every library the program links, and these bring twenty more of
// their own (Kerberos, LDAP, TLS, a cryptography library). The program calls their functions
// as their headers declare them; each is defined once in this folder (VESK_LATE), calling the
// library's own, found by name on its first call.
class Library {
public:
    explicit Library(const char* soname) : soname_(soname) {}

    // Loads the library if it is not loaded yet; why it could not be, or empty.
    const std::string& loadError() const;

    // The library's function of the name. A library or function missing ends the program with
    // the reason: the package installs them, and what starts a library's work (connecting to a
    // server, an export, an import) asks loadError first, so that the person is told instead.
    template <typename Function> Function resolve(const char* name) const {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    void* symbol(const char* name) const;

    const char* soname_;
    mutable std::once_flag loading_;
    mutable void* handle_ = nullptr;
    mutable std::string error_;
};

const Library& libpq();
const Library& xlsxwriter();
const Library& minizip();

} // namespace late

// Defines the declared function name, of the type and parameters, as the library's own called
// with the arguments.
#define VESK_LATE(library, type, name, parameters, arguments)                                      \
    type name parameters {                                                                         \
        static const auto real = (library).resolve<decltype(&name)>(#name);                        \
        return real arguments;                                                                     \
    }
