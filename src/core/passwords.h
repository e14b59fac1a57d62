#pragma once

#include <QString>

// Passwords are kept as salted Argon2id hashes, never as typed. Blanks around a password and
// the case of Latin letters do not matter: both are folded away before hashing and verifying.
namespace passwords {

// The stored form of a typed password (a fresh salt each time).
QString hash(const QString& typed);
// Whether the typed password is the one the stored form was made from; false for any stored
// text that is not such a hash.
bool matches(const QString& typed, const QString& stored);

} // namespace passwords
