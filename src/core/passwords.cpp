#include "core/passwords.h"

#include <QByteArray>
#include <cstring>
#include <sodium.h>
#include <stdexcept>

namespace passwords {

namespace {

// libsodium's interactive level: 2 passes over 64 MiB, above OWASP's floor for Argon2id and
// still well under a second for one login.
constexpr unsigned long long kPasses = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemory = crypto_pwhash_MEMLIMIT_INTERACTIVE;

void startSodium() {
    if (sodium_init() < 0)
        throw std::runtime_error("密码组件无法初始化");
}

QByteArray folded(const QString& typed) {
    QString text = typed.trimmed();
    for (QChar& c : text) {
        if (c.script() == QChar::Script_Latin)
            c = c.toCaseFolded();
    }
    return text.toUtf8();
}

} // namespace

QString hash(const QString& typed) {
    startSodium();
    QByteArray plain = folded(typed);
    char stored[crypto_pwhash_STRBYTES];
    const int failed = crypto_pwhash_str(
        stored, plain.constData(), static_cast<unsigned long long>(plain.size()), kPasses, kMemory);
    sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));
    if (failed != 0)
        throw std::runtime_error("内存不足，无法保存密码");
    return QString::fromLatin1(stored);
}

bool matches(const QString& typed, const QString& stored) {
    startSodium();
    const QByteArray text = stored.toLatin1();
    if (text.isEmpty() || text.size() >= crypto_pwhash_STRBYTES)
        return false;
    char buffer[crypto_pwhash_STRBYTES] = {};
    std::memcpy(buffer, text.constData(), static_cast<size_t>(text.size()));
    QByteArray plain = folded(typed);
    const bool ok = crypto_pwhash_str_verify(buffer, plain.constData(),
                                             static_cast<unsigned long long>(plain.size())) == 0;
    sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));
    return ok;
}

} // namespace passwords
