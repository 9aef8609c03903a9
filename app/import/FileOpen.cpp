#include "app/import/FileOpen.h"

#include "platform/CodePage.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QByteArray readUpTo(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes;
    char chunk[65536];
    while (bytes.size() < limit) {
        const qint64 got = file.read(chunk, std::min<qint64>(sizeof chunk, limit - bytes.size()));
        if (got <= 0)
            break;
        bytes.append(chunk, got);
    }
    return bytes;
}

QString decodeUtf16(QByteArrayView body, QStringConverter::Encoding order)
{
    QStringDecoder decoder(order, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(body.first(body.size() & ~qsizetype(1)));
    // Zero characters go, as they did when UTF-16 was read byte by byte.
    text.remove(QChar(0));
    return text;
}
} // namespace

QString decodeTextFile(const QByteArray &bytes)
{
    const auto byte = [&](qsizetype i) { return uchar(bytes.at(i)); };
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16LE);
    if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
        return decodeUtf16(QByteArrayView(bytes).sliced(2), QStringConverter::Utf16BE);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decodeWindows1252(bytes);
}

QString FileOpen(const QString &path)
{
    return decodeTextFile(readUpTo(path, maxTextFileBytes));
}
