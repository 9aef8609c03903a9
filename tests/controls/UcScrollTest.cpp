#include "controls/UcScroll.h"
#include "platform/AppError.h"
#include "platform/Twips.h"
#include "skin/SkinSet.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace ControlInput;

namespace {

class UcScrollTest : public ::testing::Test
{
protected:
    UcScrollTest()
    {
        host.resize(400, 300);
        scroll = new UcScroll(&host);
        scroll->resize(150, 23); // 345 twips high
        host.show();
    }

    QPointF centreOf(const QRectF &box) const { return box.center(); }

    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    QWidget host;
    UcScroll *scroll = nullptr;
};

QImage stretched(const QString &piece, QSize size)
{
    return SkinSet::bitmap(piece)
        .convertToFormat(QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

TEST_F(UcScrollTest, LaysOutTheHorizontalExample)
{
    EXPECT_EQ(scroll->ImgLeft(), QRectF(2, 3.5, 20, 16));
    EXPECT_EQ(scroll->ImgRight(), QRectF(128, 3.5, 20, 16));
    EXPECT_EQ(scroll->ImgThumb(), QRectF(22, 3.5, 20, 16));
    scroll->setValue(100);
    EXPECT_EQ(scroll->ImgThumb().left(), 108);
    scroll->setValue(50);
    EXPECT_EQ(scroll->ImgThumb().left(), 65);
}

TEST_F(UcScrollTest, PaintsTilesCapsAndImagesOnItsSurface)
{
    const QImage &s = scroll->surface();
    ASSERT_EQ(s.size(), QSize(150, 23));
    const QImage tile = stretched("MHSCROLL", QSize(104, 23));
    const QImage leftCap = stretched("HLEFT", QSize(36, 23));
    const QImage rightCap = stretched("HRIGHT", QSize(36, 23));
    EXPECT_EQ(s.pixel(0, 0), leftCap.pixel(0, 0));
    EXPECT_EQ(s.pixel(1, 22), leftCap.pixel(1, 22));
    EXPECT_EQ(s.pixel(149, 0), rightCap.pixel(35, 0));
    EXPECT_EQ(s.pixel(114, 1), rightCap.pixel(0, 1));
    EXPECT_EQ(s.pixel(60, 1), tile.pixel(60, 1)); // first tile, above the thumb
    EXPECT_EQ(s.pixel(110, 1), tile.pixel(6, 1)); // second tile starts at 104

    const QImage thumb = stretched("THUMB", QSize(20, 16));
    EXPECT_EQ(s.pixel(22 + 10, 4 + 8), thumb.pixel(10, 8)); // top 3.5 drawn at 4
    const QImage arrow = stretched("HRIGHTUP", QSize(20, 16));
    EXPECT_EQ(s.pixel(128 + 5, 4 + 5), arrow.pixel(5, 5));
}

TEST_F(UcScrollTest, ValueWritesClampAndAlwaysRaiseChange)
{
    QSignalSpy change(scroll, &UcScroll::Change);
    scroll->setValue(-5);
    EXPECT_EQ(scroll->Value(), 0);
    scroll->setValue(500);
    EXPECT_EQ(scroll->Value(), 100);
    scroll->setValue(100);
    EXPECT_EQ(change.count(), 3); // the same value again still raises Change

    PropertyBag bag;
    bag.WriteProperty("Min", QVariant::fromValue(qint32(10)));
    bag.WriteProperty("Max", QVariant::fromValue(qint32(5)));
    bag.WriteProperty("Value", QVariant::fromValue(qint32(7)));
    scroll->ReadProperties(bag);
    EXPECT_EQ(scroll->Value(), 7); // loading assigns without checks
    scroll->setValue(7);
    EXPECT_EQ(scroll->Value(), 5);
    scroll->setValue(-100);
    EXPECT_EQ(scroll->Value(), 5);
}

TEST_F(UcScrollTest, MinAndMaxMakeRoomButMoveNothing)
{
    scroll->setValue(50);
    QSignalSpy change(scroll, &UcScroll::Change);
    scroll->setMin(150);
    EXPECT_EQ(scroll->Max(), 250);
    EXPECT_EQ(scroll->Min(), 150);
    EXPECT_EQ(scroll->Value(), 50);
    EXPECT_EQ(scroll->ImgThumb().left(), 65);
    scroll->setMin(0);
    scroll->setMax(-10);
    EXPECT_EQ(scroll->Min(), -110);
    EXPECT_EQ(scroll->Max(), -10);
    EXPECT_EQ(scroll->Value(), 50);
    EXPECT_EQ(change.count(), 0);

    scroll->setMax(std::numeric_limits<qint32>::min() + 5); // done wide: no wrap-around
    EXPECT_EQ(scroll->Min(), std::numeric_limits<qint32>::min());
}

TEST_F(UcScrollTest, StepsOutsideTheirRangeAreIgnored)
{
    scroll->setSmallChange(0);
    scroll->setSmallChange(40000);
    scroll->setLargeChange(-3);
    EXPECT_EQ(scroll->SmallChange(), 1);
    EXPECT_EQ(scroll->LargeChange(), 10);
    scroll->setSmallChange(32767);
    scroll->setLargeChange(1);
    EXPECT_EQ(scroll->SmallChange(), 32767);
    EXPECT_EQ(scroll->LargeChange(), 1);
}

TEST_F(UcScrollTest, TrackClicksStepUpOnlyStrictlyPastTheThumb)
{
    scroll->setValue(50);          // thumb at 65..85, 3.5..19.5
    click(scroll, QPointF(65, 1)); // exactly at the thumb's left edge, above it
    EXPECT_EQ(scroll->Value(), 40);
    click(scroll, QPointF(100, 1));
    EXPECT_EQ(scroll->Value(), 50);
    click(scroll, QPointF(65.5, 21));
    EXPECT_EQ(scroll->Value(), 60);
    click(scroll, QPointF(1, 10), Qt::RightButton); // any button
    EXPECT_EQ(scroll->Value(), 50);
}

TEST_F(UcScrollTest, ArrowClicksStepOnceAndAtTheEndStillRaiseChange)
{
    click(scroll, centreOf(scroll->ImgRight()));
    EXPECT_EQ(scroll->Value(), 1);
    click(scroll, centreOf(scroll->ImgLeft()));
    click(scroll, centreOf(scroll->ImgLeft()));
    EXPECT_EQ(scroll->Value(), 0);

    scroll->setValue(100);
    QSignalSpy change(scroll, &UcScroll::Change);
    click(scroll, centreOf(scroll->ImgRight()));
    EXPECT_EQ(scroll->Value(), 100);
    EXPECT_EQ(change.count(), 1);
}

TEST_F(UcScrollTest, HeldArrowShowsItsPressedPictureAndRepeats)
{
    const QPointF arrow = centreOf(scroll->ImgRight());
    press(scroll, arrow);
    const QImage down = stretched("HRIGHTDN", QSize(20, 16));
    EXPECT_EQ(scroll->surface().pixel(128 + 6, 4 + 6), down.pixel(6, 6));
    EXPECT_TRUE(scroll->clickTimer().isActive());
    EXPECT_EQ(scroll->clickTimer().interval(), 333);

    for (int tick = 1; tick <= 3; ++tick) {
        scroll->ClickTimer_Timer();
        EXPECT_EQ(scroll->clickTimer().interval(), 333) << tick;
    }
    EXPECT_EQ(scroll->Value(), 3);
    scroll->ClickTimer_Timer(); // the fourth tick switches to the fast rate
    EXPECT_EQ(scroll->clickTimer().interval(), 3);
    release(scroll, arrow);
    EXPECT_FALSE(scroll->clickTimer().isActive());
    EXPECT_EQ(scroll->Value(), 5); // four ticks and the click
    const QImage up = stretched("HRIGHTUP", QSize(20, 16));
    EXPECT_EQ(scroll->surface().pixel(128 + 6, 4 + 6), up.pixel(6, 6));

    press(scroll, centreOf(scroll->ImgLeft())); // the next press starts slow again
    EXPECT_EQ(scroll->clickTimer().interval(), 333);
    scroll->ClickTimer_Timer();
    EXPECT_EQ(scroll->Value(), 4);
    release(scroll, QPointF(75, 1)); // released off the arrow: no click step
    EXPECT_EQ(scroll->Value(), 4);
}

TEST_F(UcScrollTest, AutoRepeatFollowsTheClockInRealTime)
{
    scroll->setMax(100000);
    const QPointF arrow = centreOf(scroll->ImgRight());
    QElapsedTimer clock;
    press(scroll, arrow);
    clock.start();
    QTest::qWait(500);
    const qint64 early = clock.elapsed();
    const qint32 atHalfSecond = scroll->Value();
    while (clock.elapsed() < 1150)
        QTest::qWait(5);
    const qint32 beforeFastRate = scroll->Value();
    const qint64 late = clock.elapsed();
    while (clock.elapsed() < 1500)
        QTest::qWait(5);
    const qint32 fast = scroll->Value();
    release(scroll, arrow);
    if (early < 650) { // generous: a loaded machine may oversleep
        EXPECT_EQ(atHalfSecond, 1);
    }
    if (late < 1300) {
        EXPECT_EQ(beforeFastRate, 3);
    }
    EXPECT_GE(fast, 10); // 3 ms steps from 1332 ms on
    EXPECT_EQ(scroll->Value(), fast + 1);
}

TEST_F(UcScrollTest, DraggingReachesExactlyMinAndMaxAndScrollsAfterChange)
{
    scroll->setMin(-7);
    scroll->setMax(1234);
    scroll->setValue(300);
    QStringList order;
    QObject::connect(scroll, &UcScroll::Change, [&] { order << "Change"; });
    QObject::connect(scroll, &UcScroll::Scroll, [&] { order << "Scroll"; });

    const QPointF grab = centreOf(scroll->ImgThumb());
    press(scroll, grab);
    EXPECT_TRUE(scroll->isDragging());
    move(scroll, QPointF(400, 200)); // far beyond the trailing end
    EXPECT_EQ(scroll->Value(), 1234);
    EXPECT_EQ(scroll->ImgThumb().left(), 108);
    EXPECT_EQ(order, (QStringList{"Change", "Scroll"}));
    move(scroll, QPointF(400, 10)); // already there: nothing more
    EXPECT_EQ(order.size(), 2);
    move(scroll, QPointF(-300, 10));
    EXPECT_EQ(scroll->Value(), -7);
    move(scroll, QPointF(75, 10)); // grabbed 10 in: the thumb's edge to 65, the middle
    EXPECT_EQ(scroll->Value(), roundHalfEven(0.5 * 1241 - 7));
    release(scroll, QPointF(0, 0));
    EXPECT_FALSE(scroll->isDragging());
    const qint32 settled = scroll->Value();
    move(scroll, QPointF(400, 10));
    EXPECT_EQ(scroll->Value(), settled);
}

TEST_F(UcScrollTest, ADragWithoutFreeTrackIsReported)
{
    scroll->setValue(50);
    scroll->setMax(0);      // no range: the thumb stays at 65 on later placements
    scroll->resize(64, 23); // 64 - 2 - 20 - 20 = 22: both bounds at 22
    EXPECT_EQ(scroll->ImgThumb().left(), 65);
    QSignalSpy scrolled(scroll, &UcScroll::Scroll);
    press(scroll, QPointF(66, 10));
    move(scroll, QPointF(40, 10));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - 11 - ImgThumb_MouseMove - UcScroll");
    EXPECT_EQ(scrolled.count(), 0);
}

TEST_F(UcScrollTest, ThicknessIsLimitedOnResize)
{
    scroll->resize(150, 40);
    EXPECT_EQ(scroll->height(), 23); // 345 twips: the whole pixels within 350
    scroll->setOrientation(1);
    scroll->resize(60, 200);
    EXPECT_EQ(scroll->width(), 23);
    EXPECT_EQ(scroll->height(), 200);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(UcScrollTest, VerticalBarGrowsDownwardsAndDragsToBothEnds)
{
    scroll->setOrientation(1);
    scroll->resize(23, 150);
    const double length = 16 * 4 / 3.5;
    EXPECT_DOUBLE_EQ(scroll->ImgThumb().top(), 2 + length);
    scroll->setValue(100);
    EXPECT_DOUBLE_EQ(scroll->ImgThumb().top(), 150 - 2 - 2 * length);
    const QImage cap = stretched("VSCROLLTOP", QSize(23, 30));
    EXPECT_EQ(scroll->surface().pixel(0, 0), cap.pixel(0, 0));

    press(scroll, centreOf(scroll->ImgThumb()));
    move(scroll, QPointF(10, -500));
    EXPECT_EQ(scroll->Value(), 0);
    move(scroll, QPointF(10, 500));
    EXPECT_EQ(scroll->Value(), 100);
    release(scroll, QPointF(10, 500));

    click(scroll, QPointF(1, 60)); // above the thumb
    EXPECT_EQ(scroll->Value(), 90);
}

TEST_F(UcScrollTest, StoresOnlyWhatDiffersFromItsDefaults)
{
    PropertyBag empty;
    scroll->WriteProperties(empty);
    EXPECT_TRUE(empty.isEmpty());

    scroll->setBorderStyle(1);
    scroll->setMax(200);
    scroll->setValue(150);
    scroll->setLargeChange(25);
    PropertyBag bag;
    scroll->WriteProperties(bag);
    ASSERT_EQ(bag.entries().size(), 4u);
    EXPECT_EQ(bag.entries()[0].key, "BorderStyle");
    EXPECT_EQ(bag.entries()[0].value.typeId(), QMetaType::Short);
    EXPECT_EQ(bag.entries()[1].key, "Max");
    EXPECT_EQ(bag.entries()[2].key, "Value");
    EXPECT_EQ(bag.entries()[3].key, "LargeChange");
    EXPECT_EQ(bag.entries()[3].value.typeId(), QMetaType::Int);

    UcScroll loaded(&host);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.BorderStyle(), 1);
    EXPECT_EQ(loaded.Max(), 200);
    EXPECT_EQ(loaded.Value(), 150);
    EXPECT_EQ(loaded.LargeChange(), 25);
    EXPECT_EQ(loaded.innerSize(), QSize(148, 21));
}

TEST_F(UcScrollTest, AStoredValueOfTheWrongTypeFailsLoading)
{
    PropertyBag bag;
    bag.WriteProperty("Orientation", QVariant::fromValue(qint32(70000)));
    EXPECT_THROW(scroll->ReadProperties(bag), AppError);
    PropertyBag text;
    text.WriteProperty("Min", QStringLiteral("low"));
    EXPECT_THROW(scroll->ReadProperties(text), AppError);
    EXPECT_THROW(scroll->setBorderStyle(2), AppError);
}

TEST_F(UcScrollTest, WritingTheSameValuePlacesTheThumbAgain)
{
    scroll->setValue(50);
    scroll->setMax(200); // a range write leaves the thumb where it was
    ASSERT_EQ(scroll->ImgThumb().left(), 65);
    scroll->setValue(50);
    EXPECT_EQ(scroll->ImgThumb().left(), 43.5); // 22 + 50 / 200 of the 86-pixel track
    const QImage thumb = stretched("THUMB", QSize(20, 16));
    EXPECT_EQ(scroll->surface().pixel(44 + 10, 4 + 8), thumb.pixel(10, 8));
}
