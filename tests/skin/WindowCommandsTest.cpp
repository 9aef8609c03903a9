#include "platform/WindowCommands.h"

#include "SkinTestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace {

using WindowCommands::resizedGeometry;

TEST(WindowCommands, SystemCommandCodes)
{
    EXPECT_EQ(WindowCommands::moveCommand(), 0xF012);
    EXPECT_EQ(WindowCommands::sizeCommand(HitTest::Left), 0xF001);
    EXPECT_EQ(WindowCommands::sizeCommand(HitTest::Top), 0xF003);
    EXPECT_EQ(WindowCommands::sizeCommand(HitTest::BottomRight), 0xF008);
}

TEST(WindowCommands, ResizingKeepsTheOppositeEdges)
{
    const QRect start(100, 100, 400, 300);
    const QSize none(0, 0), huge(16777215, 16777215);
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::BottomRight, none, huge), QRect(100, 100, 430, 340));
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::TopLeft, none, huge), QRect(130, 140, 370, 260));
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::Top, none, huge), QRect(100, 140, 400, 260));
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::Left, none, huge), QRect(130, 100, 370, 300));
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::TopRight, none, huge), QRect(100, 140, 430, 260));
    EXPECT_EQ(resizedGeometry(start, {30, 40}, HitTest::BottomLeft, none, huge), QRect(130, 100, 370, 340));
}

TEST(WindowCommands, ResizingStopsAtTheSizeLimits)
{
    const QRect start(100, 100, 400, 300);
    // dragged past the opposite edge: the window keeps its minimum, the far edge stays put
    EXPECT_EQ(resizedGeometry(start, {-1000, -1000}, HitTest::BottomRight, {50, 40}, {900, 900}),
              QRect(100, 100, 50, 40));
    EXPECT_EQ(resizedGeometry(start, {1000, 1000}, HitTest::TopLeft, {0, 0}, {900, 900}),
              QRect(499, 399, 1, 1));
    EXPECT_EQ(resizedGeometry(start, {2000, 0}, HitTest::Right, {0, 0}, {600, 600}),
              QRect(100, 100, 600, 300));
    // far drags never overflow
    EXPECT_EQ(
        resizedGeometry(start, {2147483647, 2147483647}, HitTest::BottomRight, {0, 0}, {16777215, 16777215}),
        QRect(100, 100, 16777215, 16777215));
}

TEST(WindowCommands, OtherCodesDoNothing)
{
    QWidget window;
    window.show();
    CommandRecorder recorder(&window);
    for (int code : {0, 1, 2, 9, 18, -5})
        EXPECT_FALSE(WindowCommands::startResize(&window, code, QPoint())) << code;
    EXPECT_FALSE(WindowCommands::startMove(nullptr, QPoint()));
    EXPECT_TRUE(recorder.commands.isEmpty());
}

TEST(WindowCommands, RefusedSizeCommandStartsNoDrag)
{
    QWidget window;
    window.show();
    CommandRecorder recorder(&window, true);
    EXPECT_FALSE(WindowCommands::startResize(&window, HitTest::Right, QPoint()));
    EXPECT_FALSE(WindowCommands::isDragging(&window));
    EXPECT_EQ(recorder.commands, QList<int>{0xF002});
    EXPECT_TRUE(WindowCommands::startMove(&window, window.mapToGlobal(QPoint(5, 5))));
    EXPECT_TRUE(WindowCommands::isDragging(&window));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(WindowCommands::isDragging(&window));
}

TEST(WindowCommands, ASecondDragReplacesTheFirst)
{
    QWidget window;
    window.resize(200, 100);
    window.show();
    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(10, 10));
    WindowCommands::startResize(&window, HitTest::Right, window.mapToGlobal(QPoint(199, 50)));
    WindowCommands::startMove(&window, window.mapToGlobal(QPoint(10, 10)));
    QTest::mouseMove(&window, QPoint(20, 15));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(window.size(), QSize(200, 100));
    EXPECT_EQ(window.pos(), start + QPoint(10, 5));
    EXPECT_FALSE(WindowCommands::isDragging(&window));
}

TEST(WindowCommands, ADragByTheRightButtonEndsWhenItComesUp)
{
    QWidget window;
    window.resize(200, 100);
    window.show();
    const QPoint start = window.pos();
    const QPoint origin = window.mapToGlobal(QPoint(0, 0)); // fixed while the window moves
    WindowCommands::startMove(&window, origin + QPoint(10, 10));
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, origin + at, Qt::RightButton, held, {});
        QCoreApplication::sendEvent(&window, &event);
    };
    send(QEvent::MouseMove, QPoint(30, 20), Qt::RightButton);
    send(QEvent::MouseButtonRelease, QPoint(30, 20), Qt::NoButton);
    EXPECT_FALSE(WindowCommands::isDragging(&window));
    const QPoint moved = window.pos();
    EXPECT_EQ(moved, start + QPoint(20, 10));
    send(QEvent::MouseMove, QPoint(60, 60), Qt::NoButton);
    EXPECT_EQ(window.pos(), moved);
}

} // namespace
