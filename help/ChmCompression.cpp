#include "help/ChmCompression.h"

#include "help/ChmTables.h"

namespace {
using ChmTables::readU32;

constexpr quint64 Frame = 0x8000;
constexpr quint64 LargestWindow = 0x200000;
constexpr qint64 ResetTableHeader = 0x28;

quint64 readU64(const QByteArray &data, qint64 at)
{
    return quint64(readU32(data, at)) | quint64(readU32(data, at + 4)) << 32;
}

bool controlIsSane(const QByteArray &control)
{
    if (control.size() < 0x18 || control.mid(4, 4) != "LZXC")
        return false;
    const quint32 version = readU32(control, 8);
    if (version != 1 && version != 2)
        return false;
    const quint64 unit = version == 2 ? Frame : 1;
    const quint64 resetInterval = readU32(control, 0xC) * unit;
    const quint64 window = readU32(control, 0x10) * unit;
    const bool windowIsPowerOfTwo =
        window >= Frame && window <= LargestWindow && (window & (window - 1)) == 0;
    return windowIsPowerOfTwo && resetInterval >= Frame && resetInterval % Frame == 0;
}

bool resetTableIsSane(const QByteArray &table, qint64 contentLength)
{
    if (table.size() < ResetTableHeader)
        return false;
    const quint64 blocks = readU32(table, 4);
    const quint64 entries = readU32(table, 0xC);
    const quint64 uncompressed = readU64(table, 0x10);
    const quint64 compressed = readU64(table, 0x18);
    if (readU32(table, 8) != 8 || readU64(table, 0x20) != Frame || entries < quint64(ResetTableHeader))
        return false;
    if (entries > quint64(table.size()) || blocks > (quint64(table.size()) - entries) / 8)
        return false;
    if (compressed > quint64(contentLength) || uncompressed > blocks * Frame)
        return false;
    quint64 previous = 0;
    for (quint64 block = 0; block < blocks; ++block) {
        const quint64 offset = readU64(table, qint64(entries + block * 8));
        if (offset < previous || offset > compressed)
            return false;
        previous = offset;
    }
    return true;
}
} // namespace

namespace ChmCompression {
bool tablesAgree(const QByteArray &control, const QByteArray &resetTable, qint64 contentLength)
{
    return controlIsSane(control) && resetTableIsSane(resetTable, contentLength);
}
} // namespace ChmCompression
