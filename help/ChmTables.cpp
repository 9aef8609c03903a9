#include "help/ChmTables.h"

#include "help/HelpText.h"

#include <QHash>

namespace {
constexpr qsizetype MaxStringLength = 64 * 1024;
constexpr qint64 MaxRecords = 100000;

QByteArray zeroTerminated(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

QString stripLeadingSlash(QString path)
{
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}
} // namespace

namespace ChmTables {

quint32 readU32(const QByteArray &data, qint64 at)
{
    if (at < 0 || at + 4 > data.size())
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 readU16(const QByteArray &data, qint64 at)
{
    if (at < 0 || at + 2 > data.size())
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

QString stringAt(const QByteArray &strings, qint64 offset, int codepage)
{
    if (offset < 0 || offset >= strings.size())
        return {};
    const qsizetype start = qsizetype(offset);
    qsizetype end = strings.indexOf('\0', start);
    if (end < 0)
        end = strings.size();
    return HelpText::decodeName(strings.mid(start, qMin(end - start, MaxStringLength)), codepage);
}

// #SYSTEM: a 32-bit version, then records of a 16-bit code, a 16-bit length and the data.
ChmSystemInfo parseSystem(const QByteArray &system)
{
    // The language may come after the texts it decodes: collect first, decode after.
    ChmSystemInfo info;
    QHash<quint16, QByteArray> texts;
    qint64 at = 4;
    for (qint64 n = 0; n < MaxRecords && at + 4 <= system.size(); ++n) {
        const quint16 code = readU16(system, at);
        const quint16 length = readU16(system, at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        if (code == 4 && length >= 4)
            info.language = readU32(system, at);
        else if (code <= 5)
            texts.insert(code, zeroTerminated(system.mid(at, length)));
        at += length;
    }
    const int codepage = HelpText::codepageForLanguage(info.language);
    const auto text = [&](quint16 code) { return HelpText::decodeName(texts.value(code), codepage); };
    info.contentsFile = stripLeadingSlash(text(0));
    info.indexFile = stripLeadingSlash(text(1));
    info.defaultTopic = stripLeadingSlash(text(2));
    info.title = text(3);
    info.defaultWindow = text(5);
    return info;
}

// #WINDOWS: a count, the size of one entry, then the entries with string offsets into #STRINGS.
QList<ChmWindowType> parseWindows(const QByteArray &windows, const QByteArray &strings, int codepage)
{
    QList<ChmWindowType> types;
    const quint32 count = readU32(windows, 0);
    const quint32 entrySize = readU32(windows, 4);
    if (entrySize < 0x70 || entrySize > 0x10000)
        return types;
    for (quint32 i = 0; i < count; ++i) {
        const qint64 base = 8 + qint64(i) * entrySize;
        if (base + entrySize > windows.size())
            break;
        ChmWindowType type;
        const auto text = [&](qint64 field) {
            return stringAt(strings, readU32(windows, base + field), codepage);
        };
        type.name = text(0x08);
        type.properties = readU32(windows, base + 0x10);
        type.caption = text(0x14);
        const qint32 left = qint32(readU32(windows, base + 0x20));
        const qint32 top = qint32(readU32(windows, base + 0x24));
        const qint32 right = qint32(readU32(windows, base + 0x28));
        const qint32 bottom = qint32(readU32(windows, base + 0x2C));
        if (right > left && bottom > top && right - left < 100000 && bottom - top < 100000)
            type.position = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        type.contentsFile = stripLeadingSlash(text(0x60));
        type.indexFile = stripLeadingSlash(text(0x64));
        type.defaultTopic = stripLeadingSlash(text(0x68));
        type.homeTopic = stripLeadingSlash(text(0x6C));
        if (!type.name.isEmpty())
            types.append(type);
    }
    return types;
}

// #IVB: the byte length of the pairs that follow, then (context number, #STRINGS offset) pairs.
QList<ChmContext> parseContextMap(const QByteArray &ivb, const QByteArray &strings, int codepage)
{
    QList<ChmContext> map;
    const qint64 length = qMin<qint64>(readU32(ivb, 0), ivb.size() - 4);
    for (qint64 at = 4; at + 8 <= 4 + length; at += 8)
        map.append({qint32(readU32(ivb, at)), stringAt(strings, readU32(ivb, at + 4), codepage)});
    return map;
}

} // namespace ChmTables
