#include "controls/CmdGeometry.h"
#include "controls/ProgressGeometry.h"
#include "controls/ScrollGeometry.h"
#include "controls/Trough.h"
#include "platform/AppError.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ScrollGeometry;

TEST(ScrollGeometry, HorizontalExampleOf150By23Pixels)
{
    const Elements e = layout(true, QSizeF(150, 23), 345); // k = 6.9 rounded = 7
    EXPECT_EQ(e.leading, QRectF(2, 3.5, 20, 16));
    EXPECT_EQ(e.trailing, QRectF(128, 3.5, 20, 16));
    EXPECT_EQ(e.thumb, QSizeF(20, 16));
    const double lead = leadingBound(true, e);
    const double trail = trailingBound(true, e);
    EXPECT_EQ(lead, 22);
    EXPECT_EQ(trail, 108);
    EXPECT_EQ(thumbEdge(0, 0, 100, lead, trail), 22);
    EXPECT_EQ(thumbEdge(100, 0, 100, lead, trail), 108);
    EXPECT_EQ(thumbEdge(50, 0, 100, lead, trail), 65);
    EXPECT_DOUBLE_EQ(thumbEdge(1, 0, 3, lead, trail), 22 + 86.0 / 3); // not rounded
}

TEST(ScrollGeometry, VerticalUsesTheWidthAndAShorterFactor)
{
    const Elements e = layout(false, QSizeF(23, 150), 345);
    EXPECT_DOUBLE_EQ(e.leading.height(), 16 * 4 / 3.5);
    EXPECT_EQ(e.leading.topLeft(), QPointF(3.5, 2));
    EXPECT_DOUBLE_EQ(e.trailing.top(), 150 - 16 * 4 / 3.5 - 2);
    EXPECT_DOUBLE_EQ(leadingBound(false, e), 2 + 16 * 4 / 3.5);
    EXPECT_DOUBLE_EQ(trailingBound(false, e), 150 - 2 * (16 * 4 / 3.5) - 2);
}

TEST(ScrollGeometry, EqualBoundsHaveNoPlacementOrDragValue)
{
    EXPECT_THROW(thumbEdge(5, 7, 7, 22, 108), AppError);
    try {
        dragValue(40, 30, 30, 0, 100);
        FAIL();
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), AppError::DivisionByZero);
    }
}

TEST(ScrollGeometry, DraggingToEitherBoundGivesExactlyMinOrMax)
{
    EXPECT_EQ(dragValue(22, 22, 108, -7, 1234567), -7);
    EXPECT_EQ(dragValue(108, 22, 108, -7, 1234567), 1234567);
    EXPECT_EQ(dragValue(65, 22, 108, 0, 100), 50);
    EXPECT_EQ(dragValue(23, 22, 102, 0, 40), 0); // 0.5 to even
    EXPECT_EQ(dragValue(25, 22, 102, 0, 40), 2); // 1.5 to even
    EXPECT_EQ(dragValue(108, 22, 108, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()),
              std::numeric_limits<qint32>::max());
}

TEST(ScrollGeometry, ClampRaisesToMinThenLowersToMax)
{
    EXPECT_EQ(clampValue(-5, 0, 100), 0);
    EXPECT_EQ(clampValue(500, 0, 100), 100);
    EXPECT_EQ(clampValue(7, 10, 5), 5); // min above max: max wins
    EXPECT_EQ(clampValue(0, 10, 5), 5);
    EXPECT_EQ(addClamped(std::numeric_limits<qint32>::max(), 32767), std::numeric_limits<qint32>::max());
    EXPECT_EQ(addClamped(std::numeric_limits<qint32>::min(), -1), std::numeric_limits<qint32>::min());
    EXPECT_EQ(addClamped(5, -10), -5);
}

TEST(ScrollGeometry, ThicknessLimitKeepsWholePixelsNotAboveIt)
{
    EXPECT_EQ(limitPixels(23, 350), 23); // 345 twips
    EXPECT_EQ(limitPixels(24, 350), 23);
    EXPECT_EQ(limitPixels(60, 400), 26); // 390 twips, the largest not above 400
    EXPECT_EQ(limitPixels(10, 400), 10);
}

TEST(Trough, HorizontalTilesAndCapsOfTheScrollBar)
{
    const auto pieces =
        Trough::layout(true, QSize(150, 23), QSize(104, 25), QSize(30, 25), QSize(30, 25), false);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].dest, QRect(0, 0, 104, 23));
    EXPECT_EQ(pieces[1].dest, QRect(104, 0, 104, 23));
    EXPECT_EQ(pieces[2].slot, Trough::Slot::EndCap); // right cap drawn first without a border
    EXPECT_EQ(pieces[2].dest, QRect(114, 0, 36, 23));
    EXPECT_EQ(pieces[3].slot, Trough::Slot::LeadCap);
    EXPECT_EQ(pieces[3].dest, QRect(0, 0, 36, 23));

    const auto bordered =
        Trough::layout(true, QSize(150, 23), QSize(104, 25), QSize(30, 25), QSize(30, 25), true);
    EXPECT_EQ(bordered[2].slot, Trough::Slot::LeadCap);
    EXPECT_EQ(bordered[3].dest, QRect(114, 0, 36, 21));
}

TEST(Trough, ProgressCapsAre17And18PixelsWide)
{
    const auto pieces =
        Trough::layout(true, QSize(200, 13), QSize(55, 13), QSize(14, 13), QSize(15, 13), false);
    ASSERT_EQ(pieces.size(), 5u + 2u); // 200 / 55 = 3.6 rounds to 4: five tiles
    EXPECT_EQ(pieces.back().dest, QRect(0, 0, 17, 13));
    EXPECT_EQ(pieces[pieces.size() - 2].dest, QRect(182, 0, 18, 13));
}

TEST(Trough, VerticalTopCapThenBottomCap)
{
    const auto pieces =
        Trough::layout(false, QSize(23, 150), QSize(25, 104), QSize(25, 30), QSize(25, 30), true);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[1].dest, QRect(0, 104, 23, 104));
    EXPECT_EQ(pieces[2].slot, Trough::Slot::EndCap);
    EXPECT_EQ(pieces[2].dest, QRect(0, 0, 23, 30));
    EXPECT_EQ(pieces[3].dest, QRect(0, 120, 23, 30));
    EXPECT_THROW(Trough::layout(false, QSize(23, 150), QSize(25, 0), {}, {}, false), AppError);
}

TEST(ProgressGeometry, HorizontalFillsOf200Pixels)
{
    using namespace ProgressGeometry;
    const auto bar = [](qint32 value) {
        return horizontalBar(200, 13, horizontalLength(value, 0, 100, 200));
    };
    EXPECT_EQ(bar(50), QRect(4, 0, 100, 13)); // 4..104
    EXPECT_EQ(bar(80), QRect(0, 0, 160, 13)); // 0..160
    EXPECT_EQ(bar(76), QRect(4, 0, 152, 13)); // 4..156
    EXPECT_EQ(bar(77), QRect(0, 0, 154, 13)); // 0..154
    EXPECT_EQ(bar(100), QRect(0, 0, 200, 13));
    EXPECT_EQ(bar(0).width(), 0);
    EXPECT_THROW(horizontalLength(3, 3, 3, 200), AppError);
}

TEST(ProgressGeometry, VerticalBarRunsUpFromItsBaseLine)
{
    using namespace ProgressGeometry;
    const int length = verticalLength(50, 0, 100, 94);
    EXPECT_EQ(length, -45);
    EXPECT_EQ(verticalBar(13, 94, length), QRect(0, 90, 13, -45));
    EXPECT_EQ(verticalLength(0, 0, 100, 94), 0);
}

TEST(CmdGeometry, PushButtonAtScaleFactorTwo)
{
    const auto l = CmdGeometry::layout(4, QSize(1395, 285), 2, QSizeF(450, 195));
    EXPECT_EQ(l.width, 2790);
    EXPECT_EQ(l.height, 570);
    EXPECT_EQ(l.pictureWidth, 2790);
    EXPECT_EQ(l.caption, QPointF((2790 - 450) / 2.0, (570 - 195) / 2.0));
}

TEST(CmdGeometry, CheckBoxCarriesItsCaptionBeside)
{
    const auto l = CmdGeometry::layout(5, QSize(210, 210), 1, QSizeF(600, 195));
    EXPECT_EQ(l.width, 830); // 210 + 20 + 600
    EXPECT_EQ(l.pictureWidth, 210);
    EXPECT_EQ(l.caption.x(), 230);
    const auto none = CmdGeometry::layout(0, CmdGeometry::NoPictureTwips, 1.5, QSizeF(300, 100));
    EXPECT_EQ(none.width, 900);
    EXPECT_EQ(none.height, 450);
    EXPECT_EQ(CmdGeometry::layout(0, QSize(15, 15), 2.5, {}).width, 38); // 37.5 to even
}

TEST(CmdGeometry, ScaleFactorOfBoxesIsAtMostThree)
{
    EXPECT_EQ(CmdGeometry::storedScaleFactor(5, 5), 3);
    EXPECT_EQ(CmdGeometry::storedScaleFactor(6, 3.5), 3);
    EXPECT_EQ(CmdGeometry::storedScaleFactor(4, 5), 5);
}
