#include "skin/BmpDecoder.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(BmpDecoder, GivesWhatQtsReaderGivesForEveryShippedBitmap)
{
    int checked = 0;
    for (const QString &folder : {QStringLiteral(":/skin"), QStringLiteral(":/pictures")}) {
        QDirIterator it(folder);
        while (it.hasNext()) {
            const QString path = it.next();
            const QImage ours = BmpDecoder::decode(resource(path));
            const QImage qts(path);
            ASSERT_FALSE(ours.isNull()) << path.toStdString();
            EXPECT_EQ(ours.format(), qts.format()) << path.toStdString();
            EXPECT_EQ(ours.convertToFormat(QImage::Format_RGB32), qts.convertToFormat(QImage::Format_RGB32))
                << path.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(BmpDecoder, RefusesWhatItCannotReadSafely)
{
    const QByteArray good = resource(QStringLiteral(":/skin/TOPLEFT.bmp"));
    ASSERT_FALSE(BmpDecoder::decode(good).isNull());
    EXPECT_TRUE(BmpDecoder::decode(QByteArray()).isNull());
    EXPECT_TRUE(BmpDecoder::decode(good.left(good.size() - 1)).isNull()); // pixels cut short
    QByteArray huge = good;
    huge[22] = char(0xFF), huge[23] = char(0xFF), huge[24] = char(0xFF), huge[25] = char(0x7F);
    EXPECT_TRUE(BmpDecoder::decode(huge).isNull());
    QByteArray lowest = good; // the most negative height must not overflow
    lowest[22] = 0, lowest[23] = 0, lowest[24] = 0, lowest[25] = char(0x80);
    EXPECT_TRUE(BmpDecoder::decode(lowest).isNull());
    QByteArray compressed = good;
    compressed[30] = 1;
    EXPECT_TRUE(BmpDecoder::decode(compressed).isNull());
}

TEST(BmpDecoder, EightBitPixelsOutsideThePaletteAreRefused)
{
    QByteArray eight = resource(QStringLiteral(":/skin/VTHUMB.bmp"));
    ASSERT_EQ(BmpDecoder::decode(eight).format(), QImage::Format_Indexed8);
    eight[46] = 2, eight[47] = 0, eight[48] = 0, eight[49] = 0; // two colours only
    const qsizetype pixelsAt = qsizetype(uchar(eight[10])) | qsizetype(uchar(eight[11])) << 8;
    eight[pixelsAt] = char(200);
    EXPECT_TRUE(BmpDecoder::decode(eight).isNull());
}
