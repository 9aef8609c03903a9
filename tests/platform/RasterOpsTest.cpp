#include "platform/RasterOps.h"

#include <gtest/gtest.h>

namespace {
QImage filled(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}
} // namespace

TEST(RasterOps, CombinesLikeGdi)
{
    const quint32 d = 0x00123456, s = 0x00F0F0F0, p = 0x000F0F0F;
    EXPECT_EQ(RasterOps::combine(RasterOps::SrcCopy, p, s, d), s);
    EXPECT_EQ(RasterOps::combine(RasterOps::SrcAnd, p, s, d), s & d);
    EXPECT_EQ(RasterOps::combine(RasterOps::SrcPaint, p, s, d), s | d);
    EXPECT_EQ(RasterOps::combine(RasterOps::MergePaint, p, s, d), ~s | d);
    EXPECT_EQ(RasterOps::combine(RasterOps::DestAndNotSrc, p, s, d), d & ~s);
    EXPECT_EQ(RasterOps::combine(RasterOps::BrushWhereSrcBlack, p, s, d), p ^ (s & (d ^ p)));
}

TEST(RasterOps, GreyBrushWhereTheMaskIsBlack)
{
    QImage dest = filled(4, 1, qRgb(10, 20, 30));
    QImage mask = filled(4, 1, qRgb(255, 255, 255));
    mask.setPixel(1, 0, qRgb(0, 0, 0));
    RasterOps::bitBlt(dest, 0, 0, 4, 1, mask, 0, 0, RasterOps::BrushWhereSrcBlack, qRgb(128, 128, 128));
    EXPECT_EQ(dest.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(dest.pixel(1, 0), qRgb(128, 128, 128));
}

TEST(RasterOps, ClipsBothImages)
{
    QImage dest = filled(3, 3, qRgb(0, 0, 0));
    const QImage src = filled(2, 2, qRgb(255, 0, 0));
    RasterOps::bitBlt(dest, 2, -1, 5, 5, src, 0, 0, RasterOps::SrcCopy);
    EXPECT_EQ(dest.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(dest.pixel(2, 1), qRgb(0, 0, 0)); // source ran out after one row
    EXPECT_EQ(dest.pixel(1, 0), qRgb(0, 0, 0));

    QImage indexed = dest.convertToFormat(QImage::Format_Indexed8);
    RasterOps::bitBlt(indexed, 0, 0, 1, 1, src, 0, 0, RasterOps::SrcCopy);
    EXPECT_EQ(indexed.format(), QImage::Format_RGB32);
    EXPECT_EQ(indexed.pixel(0, 0), qRgb(255, 0, 0));
}
