#include "help/BinaryTables.h"

#include "help/ChmTables.h"

#include <QSet>

namespace {
using ChmTables::readU16;
using ChmTables::readU32;

constexpr quint32 None = 0xFFFFFFFF;
constexpr quint32 HasChildren = 0x4;
constexpr quint32 IsTopic = 0x8;
constexpr qint64 TocEntrySize = 0x14;
constexpr qint64 BTreeHeaderSize = 0x4C;
constexpr qint64 ListingHeaderSize = 0x0C;
constexpr qsizetype MaxKeywordLength = 1024;

bool fits(const QByteArray &data, qint64 at, qint64 size)
{
    return at >= 0 && size >= 0 && at + size <= data.size();
}

QString tidied(const QString &name)
{
    return SiteMap::decodeEntities(name).simplified();
}

// A zero-terminated UTF-16 text at `at`, moved past its terminator; nullopt when it runs out.
std::optional<QString> utf16At(const QByteArray &data, qint64 &at, qint64 limit)
{
    QString text;
    for (; at + 2 <= limit; at += 2) {
        const char16_t unit = readU16(data, at);
        if (unit == 0) {
            at += 2;
            return text;
        }
        if (text.size() < MaxKeywordLength)
            text.append(QChar(unit));
    }
    return std::nullopt;
}

struct KeywordReader
{
    const QByteArray &btree;
    const BinaryTables::Topics &topics;
    QList<SiteMapEntry> &entries;

    // Reads the entries of one listing block; false when the block is malformed.
    bool readBlock(qint64 block, qint64 blockSize)
    {
        const qint64 limit = block + blockSize;
        const quint16 count = readU16(btree, block + 2);
        qint64 at = block + ListingHeaderSize;
        for (quint16 i = 0; i < count && entries.size() < SiteMap::MaxEntries; ++i)
            if (!readEntry(at, limit))
                return false;
        return true;
    }

    bool readEntry(qint64 &at, qint64 limit)
    {
        const std::optional<QString> keyword = utf16At(btree, at, limit);
        if (!keyword || !fits(btree, at, 16) || at + 16 > limit)
            return false;
        const bool seeAlso = readU16(btree, at) == 2;
        const int depth = qMin<int>(readU16(btree, at + 2), SiteMap::MaxDepth);
        const quint32 lastPart = readU32(btree, at + 4);
        const quint32 count = readU32(btree, at + 12);
        at += 16;
        SiteMapEntry entry;
        entry.depth = depth;
        entry.name =
            tidied(depth > 0 && lastPart < quint32(keyword->size()) ? keyword->mid(lastPart) : *keyword);
        if (seeAlso) {
            if (!utf16At(btree, at, limit))
                return false;
        } else {
            if (count > quint32((limit - at) / 4))
                return false;
            for (quint32 n = 0; n < count; ++n, at += 4) {
                const QString path = topics.path(readU32(btree, at));
                if (!path.isEmpty() && !entry.topics.contains(path))
                    entry.topics.append(path);
            }
        }
        at += 8;
        if (at > limit)
            return false;
        if (!entry.name.isEmpty())
            entries.append(entry);
        return true;
    }
};
} // namespace

namespace BinaryTables {

QString Topics::path(quint32 topic) const
{
    const qint64 entry = qint64(topic) * 16;
    if (!fits(topics, entry, 16))
        return {};
    const qint64 url = readU32(topics, entry + 8);
    if (!fits(urlTable, url, 12))
        return {};
    const qint64 text = readU32(urlTable, url + 8);
    if (!fits(urlStrings, text, 9))
        return {};
    return ChmTables::stringAt(urlStrings, text + 8, codepage);
}

QString Topics::title(quint32 topic) const
{
    const qint64 entry = qint64(topic) * 16;
    if (!fits(topics, entry, 16))
        return {};
    const quint32 offset = readU32(topics, entry + 4);
    return offset == None ? QString() : tidied(ChmTables::stringAt(strings, offset, codepage));
}

QList<SiteMapEntry> contents(const QByteArray &tocIndex, const Topics &topics)
{
    QList<SiteMapEntry> entries;
    QSet<quint32> seen;
    QList<std::pair<quint32, int>> siblingsToCome; // one per level we went down, so bounded by the depth
    const auto valid = [&](quint32 at) {
        return at >= 16 && fits(tocIndex, at, TocEntrySize) && !seen.contains(at);
    };
    quint32 at = readU32(tocIndex, 0);
    int depth = 0;
    while (entries.size() < SiteMap::MaxEntries) {
        if (!valid(at)) {
            if (siblingsToCome.isEmpty())
                break;
            std::tie(at, depth) = siblingsToCome.takeLast();
            continue;
        }
        seen.insert(at);
        const quint32 flags = readU32(tocIndex, at + 4);
        const quint32 value = readU32(tocIndex, at + 8);
        SiteMapEntry entry;
        entry.depth = depth;
        if (flags & IsTopic) {
            entry.name = topics.title(value);
            if (const QString path = topics.path(value); !path.isEmpty())
                entry.topics.append(path);
        } else {
            entry.name = tidied(ChmTables::stringAt(topics.strings, value, topics.codepage));
        }
        if (!entry.name.isEmpty())
            entries.append(entry);
        const quint32 next = readU32(tocIndex, at + 0x10);
        const quint32 child =
            (flags & HasChildren) && fits(tocIndex, at, TocEntrySize + 4) ? readU32(tocIndex, at + 0x14) : 0;
        if (child != 0 && depth < SiteMap::MaxDepth) {
            siblingsToCome.append({next, depth});
            at = child;
            ++depth;
        } else {
            at = next;
        }
    }
    return entries;
}

QList<SiteMapEntry> keywordIndex(const QByteArray &btree, const Topics &topics)
{
    QList<SiteMapEntry> entries;
    const qint64 blockSize = readU16(btree, 4);
    if (readU16(btree, 0) != 0x293B || blockSize < ListingHeaderSize + 2 || btree.size() < BTreeHeaderSize)
        return entries;
    const qint64 blocks = (btree.size() - BTreeHeaderSize) / blockSize;
    const auto blockAt = [&](quint32 number) { return BTreeHeaderSize + qint64(number) * blockSize; };
    // The header names the last listing block; the first is found through the back links.
    quint32 first = readU32(btree, 0x16);
    if (first >= blocks)
        return entries;
    for (qint64 steps = 0; steps < blocks; ++steps) {
        const quint32 previous = readU32(btree, blockAt(first) + 4);
        if (previous >= blocks)
            break;
        first = previous;
    }
    KeywordReader reader{btree, topics, entries};
    QSet<quint32> seen;
    for (quint32 block = first; block < blocks && !seen.contains(block);
         block = readU32(btree, blockAt(block) + 8)) {
        seen.insert(block);
        if (!reader.readBlock(blockAt(block), blockSize))
            break;
    }
    return entries;
}

} // namespace BinaryTables
