#include "app/character/AudioStopTarget.h"
#include "app/character/frmAnim.h"
#include "app/character/transparent.h"
#include "engine/audio/ClockAudioOutput.h"
#include "engine/DirectSS.h"
#include "platform/WindowCommands.h"
#include "skin/PictureBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
struct CountingTarget : AudioStopTarget
{
    void applyAudioStop() override { ++stops; }
    void applyEngineFailure(qint32, const QString &, const QString &) override { ++failures; }
    int stops = 0;
    int failures = 0;
};

class CharacterWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AudioOutput::setFactoryForTests(
            [] { return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Immediate); });
        window = std::make_unique<frmAnim>();
        window->setAudioStopTarget(&target);
    }
    void TearDown() override
    {
        window.reset();
        AudioOutput::setFactoryForTests({});
    }

    CountingTarget target;
    std::unique_ptr<frmAnim> window;
};
} // namespace

TEST_F(CharacterWindow, IsTheClownsSizeWithTheEngineOverItsMouthHidden)
{
    EXPECT_EQ(window->size(), QSize(212, 200));
    EXPECT_EQ(window->picMainSkin->pos(), QPoint(0, 0));
    EXPECT_EQ(window->picMainSkin->size(), QSize(212, 200));
    EXPECT_TRUE(window->picClown->isHidden());
    EXPECT_EQ(window->picClown->BackColor(), oleRgb(255, 228, 153));
    EXPECT_EQ(window->DirectSS1->geometry(), QRect(76, 120, 57, 41));
    EXPECT_TRUE(window->DirectSS1->isHidden());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CharacterWindow, ShapeIsTheClownsOutline)
{
    const QImage clown = frmAnim::characterPicture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(clown.size(), QSize(212, 200));
    const QRegion &shape = window->windowShape();
    const QRgb surround = clown.pixel(0, 0);
    int opaque = 0;
    for (int y = 0; y < clown.height(); ++y)
        for (int x = 0; x < clown.width(); ++x) {
            const bool inside = clown.pixel(x, y) != surround;
            opaque += inside;
            ASSERT_EQ(shape.contains(QPoint(x, y)), inside) << x << "," << y;
        }
    EXPECT_GT(opaque, 212 * 200 / 4);
    EXPECT_LT(opaque, 212 * 200);
    // One rectangle per run at most: never one per pixel.
    EXPECT_LE(shape.rectCount(), int(opaqueRuns(clown).size()));
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
}

TEST_F(CharacterWindow, AudioStopReachesTheMainWindow)
{
    window->DirectSS1->Speak(QStringLiteral("Hi."));
    for (int i = 0; i < 200 && target.stops == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(target.stops, 1);
}

TEST_F(CharacterWindow, AnyMouseButtonOnTheClownStartsAMove)
{
    window->move(100, 100);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mousePress(window->picMainSkin, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_TRUE(WindowCommands::isDragging(window.get()));
    QTest::mouseRelease(window->picMainSkin, Qt::LeftButton, {}, QPoint(100, 100));
}
