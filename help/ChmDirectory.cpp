#include "help/ChmDirectory.h"

#include "help/ChmTables.h"

#include <QSet>

namespace {
using ChmTables::readU32;

constexpr quint32 NoChunk = 0xFFFFFFFF;
constexpr qint64 HeaderLength = 0x58;
constexpr qint64 ChunkHeader = 0x14;
constexpr qint64 LargestChunk = 0x100000;

qint64 readI64(const QByteArray &data, qint64 at)
{
    const quint64 value = quint64(readU32(data, at)) | quint64(readU32(data, at + 4)) << 32;
    return value > quint64(std::numeric_limits<qint64>::max()) ? -1 : qint64(value);
}
} // namespace

namespace ChmDirectory {

qint64 neededLength(const QByteArray &header)
{
    const qint64 offset = readI64(header, 0x48);
    const qint64 length = readI64(header, 0x50);
    if (offset < 0 || length < 0 || offset > std::numeric_limits<qint64>::max() - length)
        return HeaderLength;
    return offset + length;
}

bool listingEnds(const QByteArray &file)
{
    if (file.size() < HeaderLength || !file.startsWith("ITSF"))
        return false;
    const qint64 directory = readI64(file, 0x48);
    if (directory < HeaderLength || directory + 0x30 > file.size() || file.mid(directory, 4) != "ITSP")
        return false;
    const qint64 chunks = directory + readU32(file, directory + 8);
    const qint64 chunkSize = readU32(file, directory + 0x10);
    const quint32 count = readU32(file, directory + 0x2C);
    if (chunkSize <= ChunkHeader || chunkSize > LargestChunk)
        return false;
    QSet<quint32> seen;
    for (quint32 chunk = readU32(file, directory + 0x20); chunk != NoChunk;
         chunk = readU32(file, chunks + qint64(chunk) * chunkSize + 0x10)) {
        const qint64 at = chunks + qint64(chunk) * chunkSize;
        if (chunk >= count || seen.contains(chunk) || at + chunkSize > file.size())
            return false;
        if (file.mid(at, 4) != "PMGL" || readU32(file, at + 4) > chunkSize - ChunkHeader)
            return false;
        seen.insert(chunk);
    }
    return true;
}

} // namespace ChmDirectory
