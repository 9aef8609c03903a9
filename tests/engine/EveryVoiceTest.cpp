#include "EngineFixture.h"

#include "engine/VoiceCatalogue.h"

#include <QRegularExpression>

using Pace = ClockAudioOutput::Pace;

// What the program relies on holds for every voice, whichever synthesiser
// speaks it and whatever effect follows.
class EveryVoiceTest : public EngineFixture, public ::testing::WithParamInterface<int>
{
};

TEST_P(EveryVoiceTest, WordsMatchTheTextAndTheMouthMovesThenRestsAfterOneStop)
{
    makeEngine(Pace::Manual);
    engine->Select(GetParam());
    engine->show();
    // Accents and emoji (two UTF-16 units each) before the words.
    const QString text =
        QString::fromUtf8("Grüße \xF0\x9F\x98\x80 Anna, the big \xF0\x9F\x90\x9F fish swims home.");
    QStringList heard;
    QObject::connect(engine.get(), &DirectSS::WordHeard,
                     [&](qint32 position, qint32 length) { heard << text.mid(position, length); });
    engine->Speak(text);
    QSet<int> shapes;
    for (int i = 0; i < 150 && stops->isEmpty(); ++i) {
        playFor(0.04);
        shapes.insert(engine->mouthShape());
    }
    if (stops->isEmpty()) {
        ASSERT_TRUE(playToEnd());
    }
    QTest::qWait(200);
    EXPECT_EQ(stops->size(), 1);
    EXPECT_GE(shapes.size(), 4);
    EXPECT_EQ(engine->mouthShape(), 0);
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.first(), QString::fromUtf8("Grüße"));
    for (const char *word : {"Anna", "big", "fish", "swims", "home"})
        EXPECT_TRUE(heard.contains(QString::fromLatin1(word)))
            << word << " in " << heard.join('|').toStdString();
}

TEST_P(EveryVoiceTest, RecordsAValidWaveAndStopsOnce)
{
    makeEngine(Pace::Immediate);
    engine->Select(GetParam());
    const QString target = dir.filePath("voice.wav");
    engine->setFileName(target);
    engine->Speak(QStringLiteral("One little step."));
    ASSERT_TRUE(stops->wait(20000));
    int rate = 0, channels = 0;
    const qint64 frames = waveFrames(target, &rate, &channels);
    EXPECT_GT(frames, rate / 2);
    EXPECT_EQ(rate, engine->sampleRate());
    EXPECT_EQ(channels, 1);
    EXPECT_TRUE(engine->recordingError().isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"voice.wav"}));
    QTest::qWait(100);
    EXPECT_EQ(stops->size(), 1);
    EXPECT_EQ(clock->writtenSamples(), 0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryVoiceTest, ::testing::Range(1, VoiceCatalogue::ownVoices() + 1),
                         [](const ::testing::TestParamInfo<int> &info) {
                             QString name = VoiceCatalogue::voices().at(info.param - 1).name;
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return name.toStdString();
                         });
