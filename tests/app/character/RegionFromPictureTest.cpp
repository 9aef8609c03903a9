#include "app/character/transparent.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
// Rows of a picture: '.' is the transparent colour (that of the top-left pixel), '#' opaque.
QImage pictureOf(const std::vector<const char *> &rows)
{
    const int width = int(strlen(rows[0]));
    QImage image(width, int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, rows[y][x] == '.' ? qRgb(255, 228, 153) : qRgb(200, 0, 0));
    return image;
}
} // namespace

TEST(RegionFromPicture, RunsEndAtTheRightEdgeAndSkipTransparentRows)
{
    const QImage picture = pictureOf({
        "..##.",
        "...##",
        ".....",
        "#.#.#",
    });
    const std::vector<QRect> runs = opaqueRuns(picture);
    const std::vector<QRect> expected{QRect(2, 0, 2, 1), QRect(3, 1, 2, 1), QRect(0, 3, 1, 1),
                                      QRect(2, 3, 1, 1), QRect(4, 3, 1, 1)};
    EXPECT_EQ(runs, expected);

    const QRegion region = RegionFromPicture(picture);
    EXPECT_TRUE(region.contains(QPoint(4, 1)));
    EXPECT_FALSE(region.contains(QPoint(0, 2))); // the row after a run ending at the edge
    EXPECT_FALSE(region.contains(QPoint(4, 2)));
    EXPECT_FALSE(region.contains(QPoint(1, 3)));
}

TEST(RegionFromPicture, TheTopLeftColourIsTransparentWhateverItIs)
{
    QImage picture = pictureOf({"#..", "..#"});
    // The top-left pixel is opaque-coloured, so that colour is the transparent one here.
    EXPECT_EQ(opaqueRuns(picture), (std::vector<QRect>{QRect(1, 0, 2, 1), QRect(0, 1, 2, 1)}));
}

TEST(RegionFromPicture, PictureOfOnlyTheTransparentColourGivesNoRegion)
{
    EXPECT_TRUE(RegionFromPicture(pictureOf({"....", "...."})).isEmpty());
    EXPECT_TRUE(RegionFromPicture(QImage()).isEmpty());
}
