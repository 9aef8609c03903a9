#include "tests/app/MainWindowFixture.h"

#include "app/About.h"
#include "engine/synth/FliteHeadStart.h"
#include "skin/PictureBox.h"


using MainSpeaking = MainWindowFixture;

TEST_F(MainSpeaking, LoadsStoppedWithTheFirstVoiceAndTheCharacterHidden)
{
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(window->characterLoaded());
    EXPECT_FALSE(window->anim()->isVisible());
    ASSERT_GT(window->lstVoice->count(), 0);
    EXPECT_EQ(window->lstVoice->currentRow(), 0);
    EXPECT_EQ(window->lstVoice->item(0)->text(), window->engine()->ModeName(1));
    EXPECT_TRUE(window->cmdBold->Value());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(MainSpeaking, SpeakThenTheTextEndsByItself)
{
    type("Hello there.");
    window->cmdSpkText_Click();
    EXPECT_EQ(row(), speaking);
    EXPECT_FALSE(window->engine()->isHidden());
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(window->engine()->isHidden());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// A pause in the writing lets the engine make the first sentence ahead, and SPEAK takes it;
// another voice chosen after that makes it again for that voice.
TEST_F(MainSpeaking, APauseInTheWritingMakesTheFirstSentenceAheadForSpeak)
{
    const auto holds = [] {
        return FliteHeadStart::holds();
    };
    const auto waitForHeadStart = [&] {
        for (int i = 0; i < 1000 && !holds(); ++i)
            QTest::qWait(10);
        return holds();
    };
    FliteHeadStart::keep(nullptr, {});
    type("The little fox ran down to the river. She saw a boat.");
    ASSERT_TRUE(waitForHeadStart());
    window->cmdSpkText_Click();
    ASSERT_TRUE(playToEnd());
    EXPECT_FALSE(holds()) << "SPEAK started from it";
    window->lstVoice->setCurrentRow(rowOfVoice(window->lstVoice, "Sam"));
    EXPECT_TRUE(waitForHeadStart()) << "made again for Sam";
    EXPECT_EQ(row(), stopped);

    // A long text: made from its start, taken by SPEAK of the whole.
    FliteHeadStart::keep(nullptr, {});
    type(QStringLiteral("A very long story begins here. ") +
         QStringLiteral("And then it goes on and on. ").repeated(5000));
    ASSERT_TRUE(waitForHeadStart());
    window->cmdSpkText_Click();
    settle();
    EXPECT_FALSE(holds()) << "SPEAK of the long text started from it";
    window->cmdStopText_Click();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// The top of the tone slider is a voice every Flite voice reaches, Mike's too.
TEST_F(MainSpeaking, MikeAtTheTopOfTheToneSliderSpeaksWithNoWarning)
{
    const int mike = rowOfVoice(window->lstVoice, "Mike");
    ASSERT_GE(mike, 0);
    window->lstVoice->setCurrentRow(mike);
    window->scrPitch->setValue(window->scrPitch->Max());
    ASSERT_EQ(window->scrPitch->Value(), 300);
    type("A high voice, and still mine.");
    window->cmdSpkText_Click();
    EXPECT_EQ(row(), speaking);
    EXPECT_NE(window->engine()->LastError(), Main::SettingNotUsable);
    EXPECT_EQ(window->engine()->Pitch(), 300);
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(window->scrPitch->Value(), 300) << "the slider stays where the child put it";
}

TEST_F(MainSpeaking, EmptyTextIsRefusedButWhitespaceSpeaks)
{
    window->cmdSpkText_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Please Enter Some Text In the Text Box !");
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(row(), stopped);

    type("   ");
    window->cmdSpkText_Click();
    EXPECT_EQ(row(), speaking);
    EXPECT_TRUE(window->engine()->isSpeaking());
}

TEST_F(MainSpeaking, SpeakWhileSpeakingIssuesTheTextAgain)
{
    type("One two three.");
    window->cmdSpkText_Click();
    settle();
    window->cmdSpkText_Click();
    EXPECT_EQ(row(), speaking);
    // Both utterances are queued: the first end of audio comes only after both.
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(stops->size(), 1);
    EXPECT_EQ(row(), stopped);
}

TEST_F(MainSpeaking, PauseResumeAndStop)
{
    type("A rather long sentence that keeps the clown talking for a while.");
    window->cmdSpkText_Click();
    settle();
    window->cmdPauseText_Click();
    EXPECT_EQ(row(), paused);
    EXPECT_TRUE(window->engine()->isPaused());

    window->cmdPauseText_Click();
    EXPECT_EQ(row(), speaking);
    EXPECT_FALSE(window->engine()->isHidden());

    window->cmdStopText_Click();
    EXPECT_EQ(row(), stopped);
    ASSERT_TRUE(playToEnd(5)); // the end of audio after a stop keeps the state
    EXPECT_EQ(row(), stopped);
}

TEST_F(MainSpeaking, PauseThenStopLeavesPauseDisabledAndTheNextEndShowsStopped)
{
    type("Pausing and then stopping.");
    window->cmdSpkText_Click();
    settle();
    window->cmdPauseText_Click();
    window->cmdStopText_Click();
    EXPECT_EQ(row(), stopped);
    EXPECT_EQ(window->cmdPauseText->Caption(), "PAUSE");
    playToEnd(5);

    window->cmdSpkText_Click();
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(row(), stopped);
}

TEST_F(MainSpeaking, AudioStopWhilePausedKeepsPaused)
{
    type("Hello.");
    window->cmdSpkText_Click();
    settle();
    window->cmdPauseText_Click();
    window->applyAudioStop();
    EXPECT_EQ(row().status, "PAUSED");
    EXPECT_EQ(window->VState, 2);
    EXPECT_TRUE(window->cmdPauseText->isEnabled());
    EXPECT_TRUE(window->engine()->isHidden());
}

TEST_F(MainSpeaking, LevelDisplayRunsWhileSpeakingAndIsClearedAtTheEnd)
{
    type("Some words for the bars.");
    window->cmdSpkText_Click();
    window->Timer1_Timer();
    const QImage &drawn = window->Picture1->Image();
    bool coloured = false;
    for (int x = 0; x < drawn.width() && !coloured; ++x)
        coloured = drawn.pixel(x, drawn.height() - 2) != QColor(Qt::black).rgb();
    EXPECT_TRUE(coloured);
    ASSERT_TRUE(playToEnd());
    const QImage cleared = window->Picture1->Image();
    for (int x = 0; x < cleared.width(); ++x)
        ASSERT_EQ(cleared.pixel(x, cleared.height() - 2), QColor(Qt::black).rgb());
}

TEST_F(MainSpeaking, CharacterButtonShowsInFrontAndHides)
{
    window->cmdAnim_Click();
    EXPECT_TRUE(window->anim()->isVisible());
    EXPECT_EQ(window->cmdAnim->BackColor(), oleRgb(255, 255, 0));
    window->cmdAnim_Click();
    EXPECT_FALSE(window->anim()->isVisible());
    EXPECT_EQ(window->cmdAnim->BackColor(), oleRgb(224, 224, 224));
}

TEST_F(MainSpeaking, ClosingTakesTheCharacterWindowAlong)
{
    window->cmdAnim_Click();
    window->show();
    window->cmdExit_Click();
    EXPECT_FALSE(window->anim()->isVisible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainSpeaking, CaptionButtonsCloseMinimiseAndMaximiseDoesNothing)
{
    window->show();
    const QRect before = window->geometry();
    window->UcCmd2_Click();
    EXPECT_EQ(window->geometry(), before);
    EXPECT_TRUE(window->isVisible());
    window->UcCmd1_Click();
    EXPECT_FALSE(window->isVisible());
}

class MainWithoutSoundCard : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        withDevice = false;
        MainWindowFixture::SetUp();
    }
};

TEST_F(MainWithoutSoundCard, FirstSpeakTellsOnceThatRecordingStillWorks)
{
    type("Hello.");
    window->cmdSpkText_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.contains("No sound device"));
    EXPECT_TRUE(boxes.shown[0].text.contains("Recording to a wave file still works"));
    EXPECT_EQ(row(), speaking);
    playToEnd();
    window->cmdSpkText_Click();
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(MainSpeaking, AboutBoxIsSharedAndClosesWithTheWindow)
{
    window->show();
    window->cmdAbout_Click();
    About *first = About::shared();
    ASSERT_NE(first, nullptr);
    window->cmdAbout_Click();
    EXPECT_EQ(About::shared(), first);
    EXPECT_TRUE(first->isVisible());
    window->close();
    EXPECT_TRUE(About::shared() == nullptr || !About::shared()->isVisible());
}
