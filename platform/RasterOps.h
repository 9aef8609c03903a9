#pragma once

#include <QImage>
#include <QRect>

// GDI's ternary raster operations, exact per pixel on 32-bit images.
class RasterOps
{
public:
    static constexpr quint32 SrcCopy = 0x00CC0020;
    static constexpr quint32 SrcAnd = 0x008800C6;
    static constexpr quint32 SrcPaint = 0x00EE0086;
    static constexpr quint32 SrcInvert = 0x00660046;
    static constexpr quint32 MergePaint = 0x00BB0226; // (NOT source) OR dest
    static constexpr quint32 NotSrcCopy = 0x00330008;
    static constexpr quint32 DestAndNotSrc = 0x00220326;
    static constexpr quint32 PatCopy = 0x00F00021;
    static constexpr quint32 BrushWhereSrcBlack = 0x00B8074A; // P xor (S and (D xor P))

    // Combines `src` at (sx, sy) into the w by h rectangle of `dest` at (dx, dy),
    // with `brush` as the pattern. Both rectangles are clipped to their images;
    // the alpha channel of the result is opaque. `dest` becomes RGB32 if it is not 32-bit.
    static void bitBlt(QImage &dest, int dx, int dy, int w, int h, const QImage &src, int sx, int sy,
                       quint32 rop, QRgb brush = 0);

    // The raster operation's result on one pixel: bits of pattern, source, dest.
    static quint32 combine(quint32 rop, quint32 pattern, quint32 source, quint32 dest);
};
