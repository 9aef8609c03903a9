#include "EngineFixture.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/FliteHeadStart.h"


// The first sentence made ahead is the one heard when SPEAK asks for the same text with the
// same voice and settings, and only then.
namespace {
const QString story = QStringLiteral("The little fox ran down to the river to drink. She saw a small red boat "
                                     "tied to an old tree, and she sat down beside it.");

bool holdsHeadStart()
{
    return FliteHeadStart::holds();
}
} // namespace

class HeadStartTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        FliteHeadStart::keep(nullptr, {}); // what an earlier test left
    }

    void makeMaryEngine()
    {
        makeEngine(ClockAudioOutput::Pace::Manual);
        engine->Select(mary);
        engine->setSpeed(speed);
        engine->setPitch(pitch);
    }

    bool waitForHeadStart()
    {
        for (int i = 0; i < 1000 && !holdsHeadStart(); ++i)
            QTest::qWait(10);
        return holdsHeadStart();
    }

    struct Heard
    {
        QList<QList<QVariant>> words; // text position and length, in the order heard
        qint64 samples = 0;
        bool operator==(const Heard &) const = default;
    };

    Heard speakToEnd(const QString &text)
    {
        words->clear();
        const qint64 before = clock->writtenSamples();
        engine->Speak(text);
        EXPECT_TRUE(playToEnd());
        return {*words, clock->writtenSamples() - before};
    }

    static constexpr int mary = 1, speed = 150, pitch = 170;
};

TEST_F(HeadStartTest, TheSameTextAndSettingsStartFromTheSentenceMadeAheadAndSoundTheSame)
{
    makeMaryEngine();
    const Heard cold = speakToEnd(story);
    ASSERT_FALSE(cold.words.isEmpty());

    makeMaryEngine();
    engine->SynthesiseAhead(story, mary, speed, pitch);
    ASSERT_TRUE(waitForHeadStart());
    const Heard warm = speakToEnd(story);
    EXPECT_FALSE(holdsHeadStart()) << "the reading took the sentence made ahead";
    EXPECT_EQ(warm, cold) << "the same words at the same places, and as many samples";
}

TEST_F(HeadStartTest, AnotherSpeedOrTextDoesNotTakeIt)
{
    makeMaryEngine();
    engine->SynthesiseAhead(story, mary, speed, pitch);
    ASSERT_TRUE(waitForHeadStart());
    engine->setSpeed(speed + 50);
    speakToEnd(story);
    EXPECT_TRUE(holdsHeadStart()) << "made at another speed";
    engine->setSpeed(speed);
    speakToEnd(QStringLiteral("A different first sentence. ") + story);
    EXPECT_TRUE(holdsHeadStart()) << "made for another first sentence";
}

TEST_F(HeadStartTest, NothingIsMadeAheadWhileSpeakingOrRecordingOrForAVoiceThatCannot)
{
    makeMaryEngine();
    engine->Speak(story);
    engine->SynthesiseAhead(QStringLiteral("Something else to say."), mary, speed, pitch);
    playToEnd();
    engine->setFileName(dir.filePath("take.wav"));
    engine->SynthesiseAhead(QStringLiteral("Something else to say."), mary, speed, pitch);
    engine->setFileName(QString());
    engine->SynthesiseAhead(story, mary, 100000, pitch);
    QTest::qWait(300);
    EXPECT_FALSE(holdsHeadStart());
}
