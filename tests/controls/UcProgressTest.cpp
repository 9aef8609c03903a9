#include "controls/UcProgress.h"
#include "controls/ProgressGeometry.h"
#include "platform/AppError.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// GDI's stretch without smoothing: each destination pixel takes the source pixel under its centre.
QImage nearestStretch(const QImage &source, QSize size)
{
    QImage out(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            out.setPixel(x, y,
                         source.pixel(int((x + 0.5) * source.width() / size.width()),
                                      int((y + 0.5) * source.height() / size.height())));
    return out;
}

class UcProgressTest : public ::testing::Test
{
protected:
    UcProgressTest()
    {
        host.resize(400, 300);
        bar = new UcProgress(&host);
        bar->resize(200, 13);
        host.show();
    }

    // The trough alone, as an empty bar shows it.
    QImage trough()
    {
        const qint32 value = bar->Value();
        bar->setValue(bar->Min());
        QImage empty = bar->surface();
        bar->setValue(value);
        return empty;
    }

    // Every pixel inside `dest` shows the trough where the stretched mask is white and
    // the stretched sprite where it is black; outside, the trough.
    void expectBarAt(const QImage &empty, QRect dest, bool flipped)
    {
        const QImage &s = bar->surface();
        const QImage mask = nearestStretch(bar->mask(), dest.size()).mirrored(false, flipped);
        const QImage sprite = nearestStretch(bar->sprite(), dest.size()).mirrored(false, flipped);
        int mismatches = 0, opaque = 0;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                QRgb expected = empty.pixel(x, y);
                if (dest.contains(x, y)) {
                    const QPoint in(x - dest.x(), y - dest.y());
                    if (qRed(mask.pixel(in)) == 0) {
                        expected = sprite.pixel(in);
                        ++opaque;
                    }
                }
                mismatches += (s.pixel(x, y) & RGB_MASK) != (expected & RGB_MASK);
            }
        EXPECT_EQ(mismatches, 0);
        EXPECT_GT(opaque, 0);
    }

    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    QWidget host;
    UcProgress *bar = nullptr;
};

} // namespace

TEST(ProgressMask, TheColourAtOneOneIsTransparentNotTheCorner)
{
    QImage sprite(4, 3, QImage::Format_RGB32);
    sprite.fill(qRgb(0, 255, 0));
    sprite.setPixel(0, 0, qRgb(200, 10, 10));
    sprite.setPixel(3, 2, qRgb(1, 2, 3));
    QImage mask;
    ProgressGeometry::maskSprite(sprite, mask);
    EXPECT_EQ(mask.pixel(0, 0) & RGB_MASK, 0u);
    EXPECT_EQ(sprite.pixel(0, 0) & RGB_MASK, qRgb(200, 10, 10) & RGB_MASK);
    EXPECT_EQ(mask.pixel(1, 1) & RGB_MASK, 0xFFFFFFu);
    EXPECT_EQ(sprite.pixel(2, 1) & RGB_MASK, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(3, 2) & RGB_MASK, 0u);

    QImage tiny(1, 5, QImage::Format_RGB32);
    EXPECT_THROW(ProgressGeometry::maskSprite(tiny, mask), AppError);
}

TEST_F(UcProgressTest, BuildsItsMaskFromTheBarPicture)
{
    bar->Refresh();
    ASSERT_EQ(bar->mask().size(), QSize(90, 13));
    EXPECT_EQ(bar->mask().pixel(1, 1) & RGB_MASK, 0xFFFFFFu);
    int black = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 90; ++x)
            black += (bar->mask().pixel(x, y) & RGB_MASK) == 0;
    EXPECT_GT(black, 0); // the bar has an opaque part
}

TEST_F(UcProgressTest, HorizontalFillsLayTheBarOverTheTrough)
{
    const QImage empty = trough();
    bar->setValue(50);
    expectBarAt(empty, QRect(4, 0, 100, 13), false);
    bar->setValue(80);
    expectBarAt(empty, QRect(0, 0, 160, 13), false);
    bar->setValue(76);
    expectBarAt(empty, QRect(4, 0, 152, 13), false);
    bar->setValue(77);
    expectBarAt(empty, QRect(0, 0, 154, 13), false);
    bar->setValue(100);
    expectBarAt(empty, QRect(0, 0, 200, 13), false);
}

TEST_F(UcProgressTest, VerticalBarGrowsUpwardsFlipped)
{
    bar->setOrientation(1);
    bar->resize(13, 94);
    const QImage empty = trough();
    bar->setValue(50);
    expectBarAt(empty, QRect(0, 45, 13, 45), true); // from the base line at 90 up by 45
}

TEST_F(UcProgressTest, ABarLongerThanTheControlIsStretchedWholeThenCut)
{
    const QImage empty = trough();
    PropertyBag bag;
    bag.WriteProperty("Max", QVariant::fromValue(qint32(10)));
    bag.WriteProperty("Value", QVariant::fromValue(qint32(47))); // loading does not check the range
    bar->ReadProperties(bag);
    bar->Refresh();
    expectBarAt(empty, QRect(0, 0, 940, 13), false);

    bar->setOrientation(1);
    bar->resize(13, 94);
    const QImage upright = trough();
    bag.WriteProperty("Orientation", QVariant::fromValue(qint16(1)));
    bar->ReadProperties(bag);
    bar->Refresh();
    expectBarAt(upright, QRect(0, 90 - 423, 13, 423), true); // 4.7 times the 90 pixels above the base line
}

TEST_F(UcProgressTest, ValuesOutsideTheRangeAreIgnored)
{
    bar->setValue(40);
    const QImage before = bar->surface();
    QSignalSpy changed(bar, &UcProgress::PropertyChanged);
    bar->setValue(101);
    bar->setValue(-1);
    EXPECT_EQ(bar->Value(), 40);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(bar->surface(), before);

    bar->setMin(-5);
    EXPECT_EQ(bar->Min(), 0);
    bar->setMax(-3); // no check against Min
    EXPECT_EQ(bar->Max(), -3);
    EXPECT_EQ(bar->Value(), 40);
}

TEST_F(UcProgressTest, EqualBoundsReportEachRepaintAndShowAnEmptyBar)
{
    const QImage empty = trough();
    PropertyBag bag;
    bag.WriteProperty("Min", QVariant::fromValue(qint32(5)));
    bag.WriteProperty("Max", QVariant::fromValue(qint32(5)));
    bag.WriteProperty("Value", QVariant::fromValue(qint32(5)));
    bar->ReadProperties(bag);
    EXPECT_TRUE(boxes.shown.isEmpty()); // loading does not repaint
    bar->Refresh();
    bar->Refresh();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].caption, "ERROR - 11 - GetHorizontalPos - UcProgress");
    EXPECT_EQ(bar->surface(), empty);
}

namespace {
// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

TEST_F(UcProgressTest, LayoutAloneNeitherRepaintsNorPaints)
{
    QCoreApplication::processEvents();
    PaintCounter counter(bar);
    PropertyBag bag;
    bag.WriteProperty("Value", QVariant::fromValue(qint32(60)));
    bar->ReadProperties(bag); // the new value is not drawn until something repaints
    bar->UserResize();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    bar->Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(UcProgressTest, ThicknessIsLimitedOnResize)
{
    bar->resize(200, 60);
    EXPECT_EQ(bar->height(), 26); // 390 twips, the whole pixels within 400
    bar->setOrientation(1);
    bar->resize(40, 120);
    EXPECT_EQ(bar->width(), 26);
    EXPECT_EQ(bar->surface().size(), QSize(26, 120));
}

TEST_F(UcProgressTest, StoresOnlyWhatDiffersFromItsDefaults)
{
    PropertyBag empty;
    bar->WriteProperties(empty);
    EXPECT_TRUE(empty.isEmpty());
    bar->setMax(250);
    bar->setValue(120);
    bar->setOrientation(2);
    PropertyBag bag;
    bar->WriteProperties(bag);
    ASSERT_EQ(bag.entries().size(), 3u);
    EXPECT_EQ(bag.entries()[0].key, "Orientation");
    EXPECT_EQ(bag.entries()[0].value.typeId(), QMetaType::Short);
    EXPECT_EQ(bag.entries()[1].key, "Max");
    EXPECT_EQ(bag.entries()[2].key, "Value");

    UcProgress loaded(&host);
    PropertyBag unchecked;
    unchecked.WriteProperty("Min", QVariant::fromValue(qint32(-9))); // stored values are not checked
    loaded.ReadProperties(unchecked);
    EXPECT_EQ(loaded.Min(), -9);
}
