// The zip reader's functions the program calls, loaded when a spreadsheet is first imported.
#include "late/library.h"

#include <unzip.h>

extern "C" {
VESK_LATE(late::minizip(), unzFile, unzOpen2_64,
          (const void* path, zlib_filefunc64_def* pzlib_filefunc_def), (path, pzlib_filefunc_def))
VESK_LATE(late::minizip(), int, unzClose, (unzFile file), (file))
VESK_LATE(late::minizip(), int, unzLocateFile,
          (unzFile file, const char* szFileName, int iCaseSensitivity),
          (file, szFileName, iCaseSensitivity))
VESK_LATE(late::minizip(), int, unzOpenCurrentFile, (unzFile file), (file))
VESK_LATE(late::minizip(), int, unzReadCurrentFile, (unzFile file, voidp buf, unsigned len),
          (file, buf, len))
VESK_LATE(late::minizip(), int, unzCloseCurrentFile, (unzFile file), (file))
}
