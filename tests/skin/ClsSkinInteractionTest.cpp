#include "SkinTestSupport.h"

#include "platform/WindowCommands.h"

#include <QLabel>
#include <QTest>

namespace {

using SkinGeometry::hitZone;

TEST(SkinZones, BoundariesInTheirOrder)
{
    const float w = 6000, h = 4500;                   // 400 by 300 pixels
    EXPECT_EQ(hitZone(3000, 60, w, h), HitTest::Top); // 60 below the top is still the top zone
    EXPECT_EQ(hitZone(3000, 61, w, h), HitTest::Client);
    EXPECT_EQ(hitZone(60, 30, w, h), HitTest::TopLeft); // X = 60 belongs to the left zones
    EXPECT_EQ(hitZone(61, 30, w, h), HitTest::Top);
    EXPECT_EQ(hitZone(5940, 30, w, h), HitTest::TopRight); // X = W - 60 belongs to the right zones
    EXPECT_EQ(hitZone(5939, 30, w, h), HitTest::Top);
    EXPECT_EQ(hitZone(60, 4440, w, h), HitTest::BottomLeft);
    EXPECT_EQ(hitZone(5940, 4440, w, h), HitTest::BottomRight);
    EXPECT_EQ(hitZone(5940, 2000, w, h), HitTest::Right);
    EXPECT_EQ(hitZone(60, 2000, w, h), HitTest::Left);
    EXPECT_EQ(hitZone(3000, 4440, w, h), HitTest::Bottom);
    EXPECT_EQ(hitZone(3000, 4439, w, h), HitTest::Client);
}

TEST(SkinZones, TinyWindowsTakeTheFirstRuleThatHolds)
{
    // W - 60 lies left of 60: a point can be in both; the top-left rule comes first
    EXPECT_EQ(hitZone(50, 50, 100, 100), HitTest::TopLeft);
    EXPECT_EQ(hitZone(50, 90, 100, 100), HitTest::BottomLeft);
    EXPECT_EQ(hitZone(70, 90, 100, 100), HitTest::BottomRight);
}

TEST(SkinZones, Cursors)
{
    using SkinGeometry::zoneCursor;
    EXPECT_EQ(zoneCursor(HitTest::Top), Qt::SizeVerCursor);
    EXPECT_EQ(zoneCursor(HitTest::Bottom), Qt::SizeVerCursor);
    EXPECT_EQ(zoneCursor(HitTest::TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(zoneCursor(HitTest::BottomRight), Qt::SizeFDiagCursor);
    EXPECT_EQ(zoneCursor(HitTest::TopRight), Qt::SizeBDiagCursor);
    EXPECT_EQ(zoneCursor(HitTest::BottomLeft), Qt::SizeBDiagCursor);
    EXPECT_EQ(zoneCursor(HitTest::Left), Qt::SizeHorCursor);
    EXPECT_EQ(zoneCursor(HitTest::Right), Qt::SizeHorCursor);
    EXPECT_EQ(zoneCursor(HitTest::Client), Qt::ArrowCursor);
}

TEST(SkinPresses, TheDragBandAndAroundIt)
{
    using SkinGeometry::Press;
    using SkinGeometry::pressAction;
    EXPECT_EQ(pressAction(1, 60, true, true, true), Press::Move);
    EXPECT_EQ(pressAction(1, 250, true, true, true), Press::Move);
    EXPECT_EQ(pressAction(1, 250.5f, true, true, true), Press::Resize);
    EXPECT_EQ(pressAction(1, 59.9f, true, true, true), Press::Resize);
    EXPECT_EQ(pressAction(2, 100, true, true, true), Press::Nothing);
    EXPECT_EQ(pressAction(1, 100, false, true, true), Press::Nothing);
    EXPECT_EQ(pressAction(1, 100, true, false, true), Press::Nothing);
    EXPECT_EQ(pressAction(1, 300, true, true, false), Press::Nothing);
    EXPECT_EQ(pressAction(1, 100, true, true, false), Press::Move);
}

class ClsSkinInteraction : public SkinnedWindowTest
{
protected:
    void SetUp() override
    {
        makeWindow(400, 300);
        window->move(100, 100);
        showWindow();
        recorder = std::make_unique<CommandRecorder>(window.get());
    }
    // Positions are given in twips, as the window's mouse events carry them.
    void moveTo(int xTwips, int yTwips) { QTest::mouseMove(window.get(), QPoint(xTwips / 15, yTwips / 15)); }
    void press(int xTwips, int yTwips, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window.get(), button, {}, QPoint(xTwips / 15, yTwips / 15));
    }
    void release(QPoint at) { QTest::mouseRelease(window.get(), Qt::LeftButton, {}, at); }

    std::unique_ptr<CommandRecorder> recorder;
};

TEST_F(ClsSkinInteraction, PointerShowsTheZone)
{
    moveTo(3000, 60);
    EXPECT_EQ(skin.pendingHitCode(), HitTest::Top);
    EXPECT_EQ(window->cursor().shape(), Qt::SizeVerCursor);
    moveTo(5985, 2250);
    EXPECT_EQ(skin.pendingHitCode(), HitTest::Right);
    EXPECT_EQ(window->cursor().shape(), Qt::SizeHorCursor);
    moveTo(3000, 2250);
    EXPECT_EQ(skin.pendingHitCode(), HitTest::Client);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor); // the default pointer again
}

TEST_F(ClsSkinInteraction, PressInTheBandMovesTheWindowEvenInTheEdgeZones)
{
    moveTo(30, 150); // left zone, inside the band
    press(30, 150);
    ASSERT_EQ(recorder->commands, QList<int>{0xF012});
    ASSERT_TRUE(WindowCommands::isDragging(window.get()));
    const QPoint start = window->pos();
    QTest::mouseMove(window.get(), QPoint(2 + 50, 10 + 20));
    EXPECT_EQ(window->pos(), start + QPoint(50, 20));
    release(QPoint(2, 10));
    EXPECT_FALSE(WindowCommands::isDragging(window.get()));
}

// Pixels are 15 twips: 16 pixels down (240 twips) is the last row of the band, 17 (255) below it.
TEST_F(ClsSkinInteraction, TheBandsLastRowMovesAndTheNextResizesByTheLastZone)
{
    moveTo(5985, 2250); // right edge zone
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(399, 16));
    release(QPoint(399, 16));
    EXPECT_EQ(recorder->commands, QList<int>{0xF012});
    recorder->commands.clear();

    moveTo(5985, 2250);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(399, 17)); // 255 twips
    EXPECT_EQ(recorder->commands, QList<int>{0xF000 + 2});                // the right border
    const QSize start = window->size();
    QTest::mouseMove(window.get(), QPoint(399 + 30, 17));
    EXPECT_EQ(window->size(), start + QSize(30, 0));
    release(QPoint(429, 17));
    QCoreApplication::processEvents();
    // the frame follows the new right edge
    EXPECT_EQ(at(429, 150), pieceAt("RIGHTFORM", 29, 0));
}

TEST_F(ClsSkinInteraction, ResizeByTheBottomRightCornerKeepsTheTopLeftCorner)
{
    moveTo(5990, 4490);
    EXPECT_EQ(skin.pendingHitCode(), HitTest::BottomRight);
    const QPoint origin = window->pos();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(399, 299));
    QTest::mouseMove(window.get(), QPoint(399 - 100, 299 - 50));
    release(QPoint(299, 249));
    EXPECT_EQ(window->size(), QSize(300, 250));
    EXPECT_EQ(window->pos(), origin);
}

TEST_F(ClsSkinInteraction, InteriorAndRightButtonDoNothing)
{
    moveTo(3000, 2250);
    press(3000, 2250);
    release(QPoint(200, 150));
    press(3000, 150, Qt::RightButton);
    QTest::mouseRelease(window.get(), Qt::RightButton, {}, QPoint(200, 10));
    EXPECT_TRUE(recorder->commands.isEmpty());
    EXPECT_FALSE(WindowCommands::isDragging(window.get()));
}

TEST_F(ClsSkinInteraction, NoMouseMoveYetSendsNothing)
{
    press(3000, 2250);
    release(QPoint(200, 150));
    EXPECT_EQ(skin.pendingHitCode(), 0);
    EXPECT_TRUE(recorder->commands.isEmpty());
}

TEST_F(ClsSkinInteraction, ResizeNotAllowed)
{
    auto *restore = new QWidget(window.get());
    restore->setProperty("Tag", QStringLiteral("RESTORE"));
    window->setCursor(Qt::CrossCursor);
    skin.setResizeFormAllow(false);
    EXPECT_FALSE(restore->isEnabled());
    moveTo(5985, 2250);
    EXPECT_EQ(window->cursor().shape(), Qt::CrossCursor); // the pointer never changes
    EXPECT_EQ(skin.pendingHitCode(), 0);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(399, 200));
    release(QPoint(399, 200));
    EXPECT_TRUE(recorder->commands.isEmpty());
    press(3000, 150); // the band still moves
    release(QPoint(200, 10));
    EXPECT_EQ(recorder->commands, QList<int>{0xF012});
    skin.setResizeFormAllow(true);
    EXPECT_TRUE(restore->isEnabled());
}

TEST_F(ClsSkinInteraction, MoveNotAllowed)
{
    skin.setMoveFormAllow(false);
    press(3000, 150);
    release(QPoint(200, 10));
    EXPECT_TRUE(recorder->commands.isEmpty());
    EXPECT_FALSE(WindowCommands::isDragging(window.get()));
}

TEST_F(ClsSkinInteraction, AWindowThatRefusesTheSizeCommandKeepsItsSizeButMoves)
{
    recorder = std::make_unique<CommandRecorder>(window.get(), true);
    const QSize size = window->size();
    moveTo(5990, 4490);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(399, 299));
    QTest::mouseMove(window.get(), QPoint(350, 250));
    release(QPoint(350, 250));
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(recorder->commands, QList<int>{0xF000 + 8});
    const QPoint start = window->pos();
    press(3000, 150);
    QTest::mouseMove(window.get(), QPoint(210, 20));
    release(QPoint(200, 10));
    EXPECT_EQ(window->pos(), start + QPoint(10, 10));
}

TEST_F(ClsSkinInteraction, BorderedWindowIsNeverMovedResizedOrLaidOut)
{
    window->setBorderStyle(1);
    QCoreApplication::processEvents();
    recorder = std::make_unique<CommandRecorder>(window.get());
    auto *close = new QWidget(window.get());
    close->setProperty("Tag", QStringLiteral("TOPCLOSE"));
    close->move(7, 7);
    moveTo(5985, 2250);
    EXPECT_EQ(skin.pendingHitCode(), 0);
    press(3000, 150);
    release(QPoint(200, 10));
    window->resize(450, 320);
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder->commands.isEmpty());
    EXPECT_EQ(close->pos(), QPoint(7, 7));
}

} // namespace
