#include "skin/BmpDecoder.h"

#include <algorithm>

namespace {
constexpr int fileHeaderSize = 14;
constexpr int largestSide = 16384;

quint32 read32(const QByteArray &data, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 read16(const QByteArray &data, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

struct Header
{
    qint64 pixelsAt = 0;
    qint64 paletteAt = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    int paletteSize = 0;
};

bool readHeader(const QByteArray &file, Header &h)
{
    if (file.size() < fileHeaderSize + 40 || file[0] != 'B' || file[1] != 'M')
        return false;
    const quint32 infoSize = read32(file, 14);
    const qint32 height = qint32(read32(file, 22));
    h.pixelsAt = read32(file, 10);
    h.paletteAt = fileHeaderSize + qint64(infoSize);
    h.width = qint32(read32(file, 18));
    h.topDown = height < 0;
    const qint64 rows = h.topDown ? -qint64(height) : qint64(height);
    h.height = rows > largestSide ? 0 : int(rows);
    const quint32 compression = read32(file, 30);
    const quint32 used = read32(file, 46);
    h.bitsPerPixel = read16(file, 28);
    const quint32 fullPalette = h.bitsPerPixel <= 8 ? 1u << h.bitsPerPixel : 0;
    h.paletteSize = int(used == 0 ? fullPalette : std::min(used, fullPalette));
    return infoSize >= 40 && compression == 0 && h.width > 0 && h.width <= largestSide && h.height > 0 &&
           h.height <= largestSide && (h.bitsPerPixel == 24 || h.bitsPerPixel == 8 || h.bitsPerPixel == 4 || h.bitsPerPixel == 1);
}

// Spreads 1, 4 or 8-bit palette indexes to one byte each; false when one lies outside the palette.
bool unpackIndexes(const uchar *row, uchar *out, const Header &h)
{
    const int bits = h.bitsPerPixel;
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < h.width; ++x) {
        const int shift = (perByte - 1 - x % perByte) * bits;
        const int index = (row[x / perByte] >> shift) & mask;
        if (index >= h.paletteSize)
            return false;
        out[x] = uchar(index);
    }
    return true;
}

QImage decodePixels(const QByteArray &file, const Header &h)
{
    const qint64 stride = ((qint64(h.width) * h.bitsPerPixel + 31) / 32) * 4;
    if (h.pixelsAt < h.paletteAt || h.pixelsAt + stride * h.height > file.size())
        return {};
    const bool indexed = h.bitsPerPixel != 24;
    QImage image(h.width, h.height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (indexed) {
        if (h.paletteAt + qint64(h.paletteSize) * 4 > h.pixelsAt)
            return {};
        QList<QRgb> table(h.paletteSize);
        for (int i = 0; i < h.paletteSize; ++i)
            table[i] = 0xFF000000u | (read32(file, h.paletteAt + i * 4) & 0x00FFFFFFu);
        image.setColorTable(table);
    }
    for (int y = 0; y < h.height; ++y) {
        const auto *row = reinterpret_cast<const uchar *>(file.constData() + h.pixelsAt +
                                                           stride * (h.topDown ? y : h.height - 1 - y));
        uchar *out = image.scanLine(y);
        if (indexed) {
            if (!unpackIndexes(row, out, h))
                return {};
            continue;
        }
        auto *pixels = reinterpret_cast<QRgb *>(out);
        for (int x = 0; x < h.width; ++x)
            pixels[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
    return image;
}
} // namespace

QImage BmpDecoder::decode(const QByteArray &file)
{
    Header header;
    if (!readHeader(file, header))
        return {};
    return decodePixels(file, header);
}
