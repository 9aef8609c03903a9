#include "EngineFixture.h"

#include "engine/VoiceCatalogue.h"
#include "engine/audio/ClockAudioOutput.h"
#include "engine/synth/SynthWorker.h"
#include "platform/AppError.h"

#include <QDir>
#include <QElapsedTimer>

using Pace = ClockAudioOutput::Pace;

namespace {
qint32 errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}
const QString hello = QStringLiteral("Hello, I am Mary.");
constexpr double helloSeconds = 2.08; // Mary at 150 words a minute, from her first sound to her last
} // namespace

class DirectSSTest : public EngineFixture
{
};

TEST_F(DirectSSTest, ListsVoicesOneBasedAndRejectsIndexesOutOfRange)
{
    makeEngine(Pace::Immediate);
    const qint32 count = engine->CountEngines();
    EXPECT_GT(count, 19) << "the languages of espeak-ng follow the catalogue's voices";
    EXPECT_EQ(engine->ModeName(1), "Mary");
    EXPECT_EQ(engine->ModeName(19), "Mike in Space");
    for (qint32 bad :
         {0, count + 1, -1, std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()}) {
        EXPECT_EQ(errorOf([&] { engine->ModeName(bad); }), DirectSS::InvalidArgument) << bad;
        EXPECT_EQ(errorOf([&] { engine->Select(bad); }), DirectSS::InvalidArgument) << bad;
    }
    try {
        engine->Select(count + 1);
        ADD_FAILURE() << "a voice beyond the last was accepted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.description().contains(QString::number(count + 1)));
        EXPECT_TRUE(e.description().contains(QStringLiteral("1 to %1").arg(count)));
    }
    engine->Select(2);
    EXPECT_EQ(engine->CurrentMode(), 2);
}

TEST_F(DirectSSTest, SpeakReturnsAtOnceAndOneAudioStopFollowsTheEnd)
{
    makeEngine(Pace::Manual);
    // The voice's library loads once, at the first speak; what must not wait is the speech.
    ASSERT_TRUE(SynthWorker::startError(VoiceCatalogue::voices().at(engine->CurrentMode() - 1)).isEmpty());
    QElapsedTimer timer;
    timer.start();
    engine->Speak(hello);
    EXPECT_LT(timer.elapsed(), 200);
    EXPECT_TRUE(engine->isSpeaking());
    playFor(0.5);
    EXPECT_TRUE(stops->isEmpty()) << "the event came before the sound had been played";
    ASSERT_TRUE(playToEnd());
    // The whole sentence was played: about 2.1 s at the default speed, no silence around it.
    EXPECT_NEAR(clock->writtenSamples() / double(clock->sampleRate()), helloSeconds, 0.3);
    QTest::qWait(100);
    EXPECT_EQ(stops->size(), 1);
    EXPECT_FALSE(engine->isSpeaking());
}

TEST_F(DirectSSTest, ASpeakWhileSpeakingQueuesAfterAndGivesOneAudioStop)
{
    makeEngine(Pace::Immediate);
    const QString first = QStringLiteral("One two.");
    const QString second = QStringLiteral("Three four five.");
    engine->Speak(first);
    engine->Speak(second);
    ASSERT_TRUE(stops->wait(10000));
    QTest::qWait(100);
    EXPECT_EQ(stops->size(), 1);
    QStringList heard;
    const QString *text = &first;
    int previous = -1;
    for (const auto &args : *words) {
        const int position = args.at(0).toInt();
        if (position < previous)
            text = &second; // positions restart with the second text
        previous = position;
        heard << text->mid(position, args.at(1).toInt());
    }
    EXPECT_EQ(heard, QStringList({"One", "two", "Three", "four", "five"}));
}

TEST_F(DirectSSTest, WordsArriveWithTheirPlaceInTheTextAsTheyAreHeard)
{
    makeEngine(Pace::Manual);
    const QString text = QString::fromUtf8("Grüße, my friend! Long sentences go on.");
    engine->Speak(text);
    QStringList heard;
    QObject::connect(engine.get(), &DirectSS::WordHeard,
                     [&](qint32 pos, qint32 len) { heard << text.mid(pos, len); });
    playFor(0.05);
    EXPECT_LE(heard.size(), 1) << "words were reported before they were heard";
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(heard.first(), QString::fromUtf8("Grüße"));
    EXPECT_TRUE(heard.contains("friend"));
    EXPECT_EQ(heard.last(), "on");
}

TEST_F(DirectSSTest, PauseHoldsTheSoundAndResumeCarriesOn)
{
    makeEngine(Pace::Manual);
    engine->Speak(hello);
    playFor(0.3);
    engine->AudioPause();
    EXPECT_TRUE(clock->isSuspended());
    const qint64 before = clock->playedSamples();
    playFor(3.0);
    EXPECT_EQ(clock->playedSamples(), before);
    EXPECT_TRUE(stops->isEmpty());
    EXPECT_EQ(engine->mouthShape(), 0);
    engine->AudioResume();
    EXPECT_FALSE(clock->isSuspended());
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(stops->size(), 1);
}

TEST_F(DirectSSTest, StopWhilePausedDiscardsTheQueueAndTheEventFollowsOnce)
{
    makeEngine(Pace::Manual);
    engine->Speak(QStringLiteral("This is a long text that we will never hear to the end. ").repeated(20));
    engine->Speak(QStringLiteral("Nor this one."));
    playFor(0.2);
    engine->AudioPause();
    engine->AudioReset();
    EXPECT_TRUE(stops->isEmpty()) << "the event comes through the event loop, not inside the call";
    ASSERT_TRUE(stops->wait(2000));
    playFor(2.0);
    EXPECT_EQ(stops->size(), 1);
    EXPECT_FALSE(engine->isSpeaking());
    EXPECT_EQ(clock->writtenSamples(), 0);
    // The engine speaks again normally afterwards.
    engine->Speak(QStringLiteral("Again."));
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(stops->size(), 2);
}

// While nothing plays, synthesis fills the ring and waits inside the synthesiser for room;
// a Speak() then must queue at once rather than wait on the synthesiser (that wait never
// ended: the ring drains only on this thread). Once for a Flite voice, once for espeak-ng.
TEST_F(DirectSSTest, SpeakWhileSynthesisWaitsForRoomReturnsAtOnce)
{
    makeEngine(Pace::Manual);
    for (int voice : {1, engine->CountEngines()}) {
        engine->Select(voice);
        engine->Speak(
            QStringLiteral("Here is a text that fills the ring while nothing plays. ").repeated(20));
        QTest::qWait(1500); // the ring holds two seconds: synthesis is waiting for room
        QElapsedTimer took;
        took.start();
        engine->Speak(QStringLiteral("And one more."));
        EXPECT_LT(took.elapsed(), 500) << "voice " << voice;
        engine->AudioReset();
        ASSERT_TRUE(stops->wait(2000));
    }
}

TEST_F(DirectSSTest, StopWhenIdleRaisesNoEvent)
{
    makeEngine(Pace::Immediate);
    engine->AudioReset();
    QTest::qWait(100);
    EXPECT_TRUE(stops->isEmpty());
}

TEST_F(DirectSSTest, LastErrorReadsUnexpectedOnlyForAnUnusableSetting)
{
    makeEngine(Pace::Immediate);
    // A language voice reaches twice its base pitch and no higher.
    const qint32 language = VoiceCatalogue::ownVoices() + 1;
    ASSERT_LT(VoiceCatalogue::maximumPitch(VoiceCatalogue::voices().at(language - 1)), 300);
    engine->Select(language);
    engine->setSpeed(170);
    engine->setPitch(300);
    engine->Speak(QStringLiteral("Hi."));
    EXPECT_EQ(engine->LastError(), qint32(0x8000FFFF));
    ASSERT_TRUE(stops->wait(5000));
    engine->setPitch(100);
    engine->Speak(QStringLiteral("Hi."));
    EXPECT_EQ(engine->LastError(), 0);
    engine->Select(1); // Mary reaches 300
    engine->setPitch(300);
    engine->Speak(QStringLiteral("Hi."));
    EXPECT_EQ(engine->LastError(), 0);
}

TEST_F(DirectSSTest, SlowSpeedsStretchTheSpeech)
{
    makeEngine(Pace::Immediate);
    const QString text = QStringLiteral("This sentence is spoken at two speeds.");
    engine->setSpeed(160);
    engine->Speak(text);
    ASSERT_TRUE(stops->wait(5000));
    const qint64 normal = clock->writtenSamples();
    engine->setSpeed(50);
    engine->Speak(text);
    ASSERT_TRUE(stops->wait(5000));
    const qint64 slow = clock->writtenSamples() - normal;
    EXPECT_NEAR(double(slow) / double(normal), 160.0 / 50.0, 0.6);
}

TEST_F(DirectSSTest, SilentClockKeepsRealTime)
{
    auto output = std::make_unique<ClockAudioOutput>(Pace::RealTime, QStringLiteral("no device here"));
    DirectSS silent(std::move(output));
    EXPECT_FALSE(silent.hasAudioDevice());
    EXPECT_EQ(silent.deviceError(), "no device here");
    EXPECT_EQ(silent.deviceErrorCode(), DirectSS::NoAudioDevice);
    QSignalSpy stop(&silent, &DirectSS::AudioStop);
    QElapsedTimer timer;
    timer.start();
    silent.Speak(hello);
    ASSERT_TRUE(stop.wait(5000));
    EXPECT_NEAR(timer.elapsed(), helloSeconds * 1000, 250);
}

TEST_F(DirectSSTest, TestFactoryGivesEveryNewEngineItsOutput)
{
    ClockAudioOutput *made = nullptr;
    AudioOutput::setFactoryForTests([&] {
        auto out = std::make_unique<ClockAudioOutput>(Pace::Immediate);
        made = out.get();
        return out;
    });
    {
        DirectSS fromFactory;
        EXPECT_NE(made, nullptr);
        QSignalSpy stop(&fromFactory, &DirectSS::AudioStop);
        fromFactory.Speak(QStringLiteral("Quick."));
        ASSERT_TRUE(stop.wait(5000));
        EXPECT_GT(made->writtenSamples(), 0);
    }
    AudioOutput::setFactoryForTests({});
}

TEST_F(DirectSSTest, MouthMovesWithTheSoundAndRestsWhenSilent)
{
    makeEngine(Pace::Manual);
    engine->show();
    EXPECT_EQ(engine->mouthSurface().size(), QSize(57, 41));
    const QImage rest = engine->mouthSurface();
    engine->Speak(QStringLiteral("Wow, a big round balloon flies above the sea!"));
    QSet<int> shapes;
    bool surfaceChanged = false;
    for (int i = 0; i < 100 && stops->isEmpty(); ++i) {
        playFor(0.04);
        shapes.insert(engine->mouthShape());
        surfaceChanged = surfaceChanged || engine->mouthSurface() != rest;
    }
    EXPECT_GE(shapes.size(), 5);
    EXPECT_TRUE(surfaceChanged);
    if (stops->isEmpty()) {
        ASSERT_TRUE(playToEnd());
    }
    QTest::qWait(200);
    EXPECT_EQ(engine->mouthShape(), 0);
    EXPECT_EQ(engine->mouthSurface(), rest);
}
