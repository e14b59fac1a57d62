#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The parts of a zip archive held in memory, unpacked one at a time by name.
class ZipParts {
public:
    explicit ZipParts(const QByteArray& bytes);
    ~ZipParts();
    ZipParts(const ZipParts&) = delete;
    ZipParts& operator=(const ZipParts&) = delete;

    // False when the bytes are not a zip archive.
    bool isOpen() const { return zip_ != nullptr; }
    // The unpacked part; nothing when it is absent, damaged or larger than maxBytes.
    std::optional<QByteArray> part(const QString& name, qsizetype maxBytes);

    // The position of the reader in the bytes, for minizip's callbacks.
    struct Cursor {
        const QByteArray* bytes;
        qsizetype at = 0;
    };

private:
    Cursor cursor_;
    void* zip_ = nullptr;
};
