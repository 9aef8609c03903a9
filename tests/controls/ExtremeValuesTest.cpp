// Legal but extreme ranges and values on the skinned slider and progress bar: no undefined
// behaviour (the sanitized run aborts on it) and no drawing work beyond the control's size.
#include "controls/UcProgress.h"
#include "controls/UcScroll.h"
#include "platform/PropertyBag.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {
constexpr qint32 lowest = std::numeric_limits<qint32>::min();
constexpr qint32 highest = std::numeric_limits<qint32>::max();

PropertyBag range(qint32 min, qint32 max, qint32 value, qint16 orientation = 0)
{
    PropertyBag bag;
    bag.WriteProperty("Orientation", QVariant::fromValue(orientation));
    bag.WriteProperty("Min", QVariant::fromValue(min));
    bag.WriteProperty("Max", QVariant::fromValue(max));
    bag.WriteProperty("Value", QVariant::fromValue(value));
    return bag;
}

class ExtremeValues : public ::testing::Test
{
protected:
    ExtremeValues()
    {
        host.resize(400, 300);
        scroll->resize(150, 23);
        bar->resize(200, 13);
        host.show();
    }

    ScriptedMessageBoxes boxes; // a range of no length is reported; the test does not mind
    CapturingEventLog log;
    QWidget host;
    UcScroll *scroll = new UcScroll(&host);
    UcProgress *bar = new UcProgress(&host);
};
} // namespace

TEST_F(ExtremeValues, SliderNearTheIntegerLimitsThenASmallMax)
{
    scroll->setMax(highest);
    scroll->setValue(highest - 1);
    scroll->setMax(10); // the value stays where it was, far past the new end
    scroll->Repaint();
    EXPECT_EQ(scroll->Value(), highest - 1);
    EXPECT_EQ(scroll->surface().size(), QSize(150, 23));
    scroll->setValue(highest);
    EXPECT_EQ(scroll->Value(), 10);
    EXPECT_EQ(scroll->ImgThumb().left(), 108); // at the far end of the track
    scroll->setMin(lowest);
    scroll->setValue(lowest);
    EXPECT_EQ(scroll->ImgThumb().left(), 22);
    scroll->ReadProperties(range(lowest, highest, highest));
    scroll->setMin(highest);
    scroll->setMax(lowest);
    scroll->Repaint();
    EXPECT_EQ(scroll->surface().size(), QSize(150, 23));
}

TEST_F(ExtremeValues, ABarFarLongerThanTheControlFillsItAndStopsThere)
{
    bar->ReadProperties(range(0, 1, highest));
    bar->Refresh();
    EXPECT_EQ(bar->surface().size(), QSize(200, 13));
    const QImage longBar = bar->surface();
    bar->ReadProperties(range(0, 1, highest / 2));
    bar->Refresh();
    EXPECT_EQ(bar->surface(), longBar);         // both show the first column of the picture only
    bar->ReadProperties(range(10, 20, lowest)); // below Min: a negative length
    bar->Refresh();
    bar->ReadProperties(range(0, 1, lowest, 1));
    bar->setOrientation(1);
    bar->Refresh();
    bar->ReadProperties(range(0, 1, highest, 1));
    bar->Refresh();
    EXPECT_EQ(bar->surface().size(), bar->size());
}

TEST_F(ExtremeValues, RandomExtremesOnBothControlsRepaintSafely)
{
    const qint32 extremes[] = {lowest, lowest + 1, -101, -1, 0, 1, 100, highest - 100, highest - 1, highest};
    std::mt19937 random(20261208);
    const auto pick = [&] {
        return random() % 3 ? extremes[random() % std::size(extremes)] : qint32(quint32(random()));
    };
    for (int round = 0; round < 200; ++round) {
        const qint16 orientation = qint16(random() % 2);
        scroll->ReadProperties(range(pick(), pick(), pick(), orientation));
        scroll->setMax(pick());
        scroll->setMin(pick());
        scroll->setValue(pick());
        scroll->Repaint();
        bar->ReadProperties(range(pick(), pick(), pick(), orientation));
        if (round % 10 == 0)
            bar->setOrientation(orientation);
        bar->Refresh();
        bar->setValue(pick());
        ASSERT_LE(bar->surface().width() * bar->surface().height(), 200 * 200);
    }
}
