#include "tools/rasterise/Rasteriser.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QStringList args(const char *line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '));
}

TEST(Rasteriser, ParsesJobsAndRefusesMalformedOnes)
{
    const auto job = parseRasterJob(args("a.svg b.bmp 90x13 8 key=FF00FF"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->width, 90);
    EXPECT_EQ(job->height, 13);
    EXPECT_EQ(job->depth, 8);
    ASSERT_TRUE(job->key);
    EXPECT_EQ(*job->key, qRgb(255, 0, 255));
    EXPECT_FALSE(parseRasterJob(args("a.svg b.bmp 212x200 24"))->key);
    for (const char *bad : {"a.svg b.bmp 90x13 16", "a.svg b.png 16x16 30", "a.svg b.bmp 0x13 8",
                            "a.svg b.bmp 90 8", "a.svg b.bmp 90x13", "a.svg b.bmp 90x13 8 key=FF00",
                            "a.svg b.bmp 90x13 8 colour=FF00FF", "a.svg b.bmp 99999x1 8"})
        EXPECT_FALSE(parseRasterJob(args(bad))) << bad;
}

TEST(Rasteriser, KeyedEdgesAreEitherKeyOrOpaque)
{
    QImage argb(4, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(0, 0, 0, 0));
    argb.setPixel(1, 0, qRgba(255, 0, 0, 127));
    argb.setPixel(2, 0, qRgba(0, 255, 0, 128));
    argb.setPixel(3, 0, qRgba(0, 0, 255, 255));
    const QImage flat = flattenOnKey(argb, qRgb(255, 0, 255));
    EXPECT_EQ(flat.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(flat.pixel(1, 0), qRgb(255, 0, 255));
    EXPECT_EQ(flat.pixel(2, 0), qRgb(0, 255, 0));
    EXPECT_EQ(flat.pixel(3, 0), qRgb(0, 0, 255));
}

TEST(Rasteriser, PalettesAreExactUpTo256Colours)
{
    QImage few(16, 16, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i)
        few.setPixel(i % 16, i / 16, qRgb(i, 255 - i, (i * 7) & 0xFF));
    const QImage indexed = toPalette(few);
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(indexed.pixel(i % 16, i / 16), few.pixel(i % 16, i / 16)) << i;
}

TEST(Rasteriser, ManyColoursAreReducedToTheNearest)
{
    QImage many(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            many.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    const QImage indexed = toPalette(many);
    EXPECT_LE(indexed.colorCount(), 256);
    for (int y = 0; y < 64; y += 9)
        for (int x = 0; x < 64; x += 9) {
            const QRgb a = many.pixel(x, y), b = indexed.pixel(x, y);
            EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)),
                      24)
                << x << "," << y;
        }
}

TEST(Rasteriser, WritesBitmapsOfTheAskedSizeAndDepth)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("dot.svg"));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">
                  <circle cx="5" cy="5" r="3" fill="#00ff00"/></svg>)");
    file.close();
    QString error;
    for (int depth : {8, 24}) {
        RasterJob job{
            svg, dir.filePath(QStringLiteral("dot%1.bmp").arg(depth)), 20, 10, depth, qRgb(255, 0, 255)};
        ASSERT_TRUE(writeBitmap(job, &error)) << qPrintable(error);
        const QImage back(job.target);
        EXPECT_EQ(back.size(), QSize(20, 10));
        EXPECT_EQ(back.bitPlaneCount(), depth);
        QFile written(job.target); // two colours still make an 8-bit file when 8 bits are asked for
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(qFromLittleEndian<quint16>(written.read(30).constData() + 28), depth);
        EXPECT_EQ(back.pixel(1, 1), qRgb(255, 0, 255));
        EXPECT_EQ(back.pixel(10, 5), qRgb(0, 255, 0));
    }
    // Icons keep the drawing's transparency instead of a key colour.
    RasterJob icon{svg, dir.filePath(QStringLiteral("dot.png")), 16, 16, 32, {}};
    ASSERT_TRUE(writeBitmap(icon, &error)) << qPrintable(error);
    const QImage back(icon.target);
    EXPECT_EQ(back.size(), QSize(16, 16));
    EXPECT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(8, 8), qRgb(0, 255, 0));
    EXPECT_FALSE(writeBitmap(
        {dir.filePath(QStringLiteral("none.svg")), dir.filePath(QStringLiteral("x.bmp")), 4, 4, 24, {}},
        &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
