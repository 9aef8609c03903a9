#include "platform/RasterOps.h"

#include <algorithm>

quint32 RasterOps::combine(quint32 rop, quint32 pattern, quint32 source, quint32 dest)
{
    // The operation's index byte is its truth table over (P, S, D) = bit 2, 1, 0.
    const quint32 table = (rop >> 16) & 0xFF;
    quint32 result = 0;
    for (int minterm = 0; minterm < 8; ++minterm) {
        if (!(table & (1u << minterm)))
            continue;
        const quint32 p = (minterm & 4) ? pattern : ~pattern;
        const quint32 s = (minterm & 2) ? source : ~source;
        const quint32 d = (minterm & 1) ? dest : ~dest;
        result |= p & s & d;
    }
    return result;
}

void RasterOps::bitBlt(QImage &dest, int dx, int dy, int w, int h, const QImage &src, int sx, int sy,
                       quint32 rop, QRgb brush)
{
    if (dest.format() != QImage::Format_RGB32 && dest.format() != QImage::Format_ARGB32)
        dest = dest.convertToFormat(QImage::Format_RGB32);
    const QImage source = (src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_ARGB32)
                              ? src
                              : src.convertToFormat(QImage::Format_RGB32);
    // Clip against the destination, then the source, moving both origins together.
    const int left = std::max({0, -dx, -sx});
    const int top = std::max({0, -dy, -sy});
    const int right = std::min({w, dest.width() - dx, source.isNull() ? w : source.width() - sx});
    const int bottom = std::min({h, dest.height() - dy, source.isNull() ? h : source.height() - sy});
    for (int y = top; y < bottom; ++y) {
        auto *d = reinterpret_cast<quint32 *>(dest.scanLine(dy + y));
        const auto *s = source.isNull() ? nullptr : reinterpret_cast<const quint32 *>(source.constScanLine(sy + y));
        for (int x = left; x < right; ++x) {
            const quint32 sp = s ? s[sx + x] : 0;
            d[dx + x] = (combine(rop, brush, sp, d[dx + x]) & 0x00FFFFFFu) | 0xFF000000u;
        }
    }
}
