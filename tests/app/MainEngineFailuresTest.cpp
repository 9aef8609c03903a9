// What the window says when the engine fails after SPEAK or RECORD returned, and when the
// start sound is never played: a warning box in the failure's own words.
#include "tests/app/MainWindowFixture.h"

#include "tests/support/StuckOutput.h"

using MainEngineFailures = MainWindowFixture;

TEST_F(MainEngineFailures, AStartSoundTheDeviceNeverPlaysIsToldNotTakenAsPlayed)
{
    const QString path = StuckOutput::writeShortWave(programDir.filePath("start.wav"));
    AudioOutput::setFactoryForTests([] { return std::make_unique<StuckOutput>(); });
    window->Roll(path);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.contains("did not finish playing")) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(path));
}

// The engine's report travels through the character window to the main window's box.
TEST_F(MainEngineFailures, ASpeechOrARecordingThatFailedOnTheWayIsToldInItsWords)
{
    const QString why = QStringLiteral("Flite could not speak the sentence \"Then Kaboom comes along.\"");
    emit window->engine()->Failed(DirectSS::EngineFailure, why, QString());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("Vocalino cannot speak: " + why))
        << boxes.shown[0].text.toStdString();

    const QString file = programDir.filePath("story.wav");
    const QString full = QStringLiteral("Writing \"%1\" failed: No space left on device").arg(file);
    emit window->engine()->Failed(DirectSS::DiskFull, full, file);
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[1].text.contains("cannot be written")) << boxes.shown[1].text.toStdString();
    EXPECT_TRUE(boxes.shown[1].text.contains(full));
    EXPECT_EQ(row(), stopped) << "a report changes no state";
}
