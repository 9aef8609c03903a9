#include "app/LevelDisplay.h"

#include <gtest/gtest.h>

namespace {
// The display's size: 2985 by 2085 twips, 199 by 139 pixels.
const LevelScale picture1{2985, 2085, 199, 139};

QImage surfaceOf(const LevelScale &scale)
{
    return QImage(scale.pixelWidth, scale.pixelHeight, QImage::Format_RGB32);
}
} // namespace

TEST(LevelDisplay, EvenDrawsLowerAndOddDrawsRaiseWithinZeroToHeight)
{
    EXPECT_EQ(nextBarLevel(50, 4, 2085), 46);
    EXPECT_EQ(nextBarLevel(50, 3, 2085), 53);
    EXPECT_EQ(nextBarLevel(3, 10, 2085), 0);
    EXPECT_EQ(nextBarLevel(2080, 9, 2085), 2085);
    EXPECT_EQ(nextBarLevel(0, 2, 2085), 0);
}

TEST(LevelDisplay, BarColoursFollowTheStepAndStayInRange)
{
    const double step = 255.0 / 15;
    EXPECT_EQ(barColor(0, step), oleRgb(115, 165, 35));
    EXPECT_EQ(barColor(9, step), oleRgb(255, 255, 188));
    EXPECT_EQ(barColor(6, step), oleRgb(217, 255, 137));
}

TEST(LevelDisplay, DrawboxFillsFromItsLevelDownAndNothingAtOneHundred)
{
    const QRect half = drawboxPixels(0, 298.5, 50, picture1);
    EXPECT_EQ(half.top(), 69);
    EXPECT_EQ(half.bottom(), 138);
    EXPECT_EQ(half.left(), 0);
    EXPECT_EQ(half.right(), 19);
    EXPECT_EQ(drawboxPixels(0, 298.5, 0, picture1).top(), 0);
    EXPECT_TRUE(drawboxPixels(0, 298.5, 100, picture1).isEmpty());
    EXPECT_TRUE(drawboxPixels(0, 298.5, 2085, picture1).isEmpty());
    // The last bar stays inside the display.
    EXPECT_EQ(drawboxPixels(9 * 298.5, 298.5, 0, picture1).right(), 198);
}

TEST(LevelDisplay, SegmentLinesEveryFiveHundredthsOfAnInch)
{
    const std::vector<int> rows = segmentLineRows(picture1);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 0);
    EXPECT_EQ(rows[1], 5);
    EXPECT_EQ(rows.size(), 28u); // y = 1, 76, ... 2026
    EXPECT_LT(rows.back(), 139);
}

TEST(LevelDisplay, TickMovesEveryBarAndDrawsItsColumns)
{
    LevelDisplay display;
    display.reset(picture1);
    EXPECT_EQ(display.barCount(), 10);
    EXPECT_FLOAT_EQ(display.barWidth(), 298.5f);
    int n = 0;
    display.setDrawSource([&n] { return (n++ % 2) ? 2 : 1; }); // +1, -2, +1, ...
    QImage surface = surfaceOf(picture1);
    const OleColor black = oleRgb(0, 0, 0);
    display.tick(surface, black);
    EXPECT_FLOAT_EQ(display.colorStep(), 17.0f);
    EXPECT_FLOAT_EQ(display.level(0), 51);
    EXPECT_FLOAT_EQ(display.level(1), 48);
    EXPECT_EQ(surface.pixel(10, 128), toQColor(barColor(0, 17)).rgb());
    EXPECT_EQ(surface.pixel(10, 20), QColor(Qt::black).rgb());
    EXPECT_EQ(surface.pixel(10, 5), QColor(Qt::black).rgb()); // a segment line cuts the bar
}

TEST(LevelDisplay, HighBarDisappearsAndLevelsNeverLeaveTheirRange)
{
    LevelDisplay display;
    display.reset(picture1);
    display.setLevel(3, 99);
    display.setDrawSource([] { return 1; });
    QImage surface = surfaceOf(picture1);
    display.tick(surface, oleRgb(0, 0, 0));
    EXPECT_FLOAT_EQ(display.level(3), 100);
    const int column = drawboxPixels(3 * 298.5, 298.5, 50, picture1).center().x();
    for (int y = 0; y < surface.height(); ++y)
        ASSERT_EQ(surface.pixel(column, y), QColor(Qt::black).rgb()) << y;

    LevelDisplay wild;
    wild.reset(picture1);
    QImage other = surfaceOf(picture1);
    for (int i = 0; i < 3000; ++i) {
        wild.tick(other, oleRgb(0, 0, 0));
        for (int b = 0; b < wild.barCount(); ++b) {
            ASSERT_GE(wild.level(b), 0);
            ASSERT_LE(wild.level(b), 2085);
        }
    }
}
