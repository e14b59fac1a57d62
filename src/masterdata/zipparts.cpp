#include "masterdata/zipparts.h"

#include "late/library.h"

#include <algorithm>
#include <cstring>
#include <unzip.h>

namespace {

using Cursor = ZipParts::Cursor;

// minizip reads through these callbacks; the "file name" it is given is the cursor itself.
voidpf ZCALLBACK openMemory(voidpf, const void* cursor, int) {
    return const_cast<void*>(cursor);
}

uLong ZCALLBACK readMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* c = static_cast<Cursor*>(stream);
    const qsizetype left = std::max<qsizetype>(0, c->bytes->size() - c->at);
    const qsizetype n = std::min<qsizetype>(left, qsizetype(size));
    if (n > 0)
        std::memcpy(buffer, c->bytes->constData() + c->at, std::size_t(n));
    c->at += n;
    return uLong(n);
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK tellMemory(voidpf, voidpf stream) {
    return ZPOS64_T(static_cast<Cursor*>(stream)->at);
}

long ZCALLBACK seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* c = static_cast<Cursor*>(stream);
    const qsizetype size = c->bytes->size();
    if (offset > ZPOS64_T(size))
        return -1;
    const auto o = qsizetype(offset);
    qsizetype to = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        to = o;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        to = c->at + o;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        to = size + o;
        break;
    default:
        return -1;
    }
    if (to < 0 || to > size)
        return -1;
    c->at = to;
    return 0;
}

int ZCALLBACK closeMemory(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK noError(voidpf, voidpf) {
    return 0;
}

} // namespace

ZipParts::ZipParts(const QByteArray& bytes) : cursor_{&bytes} {
    zlib_filefunc64_def functions{openMemory, readMemory,  writeNothing, tellMemory,
                                  seekMemory, closeMemory, noError,      nullptr};
    // Without its reader the file reads as no spreadsheet, told as such.
    if (late::minizip().loadError().empty())
        zip_ = unzOpen2_64(&cursor_, &functions);
}

ZipParts::~ZipParts() {
    if (zip_)
        unzClose(zip_);
}

std::optional<QByteArray> ZipParts::part(const QString& name, qsizetype maxBytes) {
    if (!zip_ || unzLocateFile(zip_, name.toUtf8().constData(), 1) != UNZ_OK)
        return std::nullopt;
    if (unzOpenCurrentFile(zip_) != UNZ_OK)
        return std::nullopt;
    // The size the archive claims is not trusted: reading stops at the limit whatever it says.
    QByteArray out;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const int n = unzReadCurrentFile(zip_, buffer, sizeof buffer);
        if (n < 0 || out.size() + n > maxBytes) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        out.append(buffer, n);
    }
    // Closing checks the part's checksum once it was read to the end.
    if (unzCloseCurrentFile(zip_) != UNZ_OK)
        ok = false;
    if (!ok)
        return std::nullopt;
    return out;
}
