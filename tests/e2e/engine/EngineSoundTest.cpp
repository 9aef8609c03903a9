#include "PrivatePulse.h"

#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/WavePlayer.h"
#include "engine/audio/WaveWriter.h"
#include "engine/synth/FliteVoices.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>

namespace {
PrivatePulse *pulse = nullptr;
constexpr int captureRate = 22050;

// Starts the server before anything asks Qt for audio devices.
class PulseEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        pulse = new PrivatePulse;
        if (pulse->start())
            qputenv("PULSE_SERVER", pulse->server().toLocal8Bit());
        else {
            delete pulse;
            pulse = nullptr;
        }
    }
    void TearDown() override
    {
        if (pulse)
            pulse->stop();
        delete pulse;
        pulse = nullptr;
    }
};
const auto *registered = ::testing::AddGlobalTestEnvironment(new PulseEnvironment);

// Seconds of the capture whose 20 ms windows are louder than silence.
double loudSeconds(const std::vector<qint16> &s, size_t from = 0, size_t to = SIZE_MAX)
{
    const size_t window = captureRate / 50;
    int loud = 0;
    for (size_t w = from; w + window <= std::min(to, s.size()); w += window) {
        double sum = 0;
        for (size_t i = w; i < w + window; ++i)
            sum += double(s[i]) * s[i];
        if (std::sqrt(sum / double(window)) > 300)
            ++loud;
    }
    return loud * 0.02;
}

// First and last sample of sound in the capture.
std::pair<size_t, size_t> soundSpan(const std::vector<qint16> &s)
{
    size_t first = 0, last = 0;
    bool seen = false;
    for (size_t i = 0; i < s.size(); ++i)
        if (std::abs(s[i]) > 500) {
            if (!seen)
                first = i;
            seen = true;
            last = i;
        }
    return {first, last};
}

// Seconds from the first to the last sample of sound in a wave file.
double soundSeconds(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    std::vector<qint16> samples(size_t(info.frames));
    sf_read_short(file, samples.data(), info.frames);
    sf_close(file);
    const auto [first, last] = soundSpan(samples);
    return double(last - first) / info.samplerate;
}

#define NEED_PULSE()                                                                                         \
    if (!pulse)                                                                                              \
    GTEST_SKIP() << "pulseaudio could not be started"
} // namespace

TEST(EngineSound, HelloReachesTheSinkAsSpeech)
{
    NEED_PULSE();
    DirectSS engine;
    ASSERT_TRUE(engine.hasAudioDevice()) << engine.deviceError().toStdString();
    QSignalSpy stop(&engine, &DirectSS::AudioStop);
    pulse->startCapture();
    engine.Speak(QStringLiteral("Hello, I am Mary."));
    ASSERT_TRUE(stop.wait(10000));
    QTest::qWait(600);
    const auto samples = pulse->stopCapture();
    const auto [first, last] = soundSpan(samples);
    const double span = double(last - first) / captureRate;
    EXPECT_GT(span, 1.5);
    EXPECT_LT(span, 3.0);
    EXPECT_GT(loudSeconds(samples), 0.6);
    EXPECT_EQ(stop.size(), 1);
}

TEST(EngineSound, PauseGivesSilenceWhilePaused)
{
    NEED_PULSE();
    DirectSS engine;
    QSignalSpy stop(&engine, &DirectSS::AudioStop);
    pulse->startCapture();
    engine.Speak(QStringLiteral("We keep on talking and talking about many things, one after another, "
                                "without a break for quite a while."));
    // Pause once a few words have been heard (the first sink takes a moment to start).
    QSignalSpy words(&engine, &DirectSS::WordHeard);
    for (int i = 0; i < 100 && words.size() < 5; ++i)
        QTest::qWait(50);
    engine.AudioPause();
    QTest::qWait(2000);
    engine.AudioResume();
    ASSERT_TRUE(stop.wait(15000));
    QTest::qWait(500);
    const auto samples = pulse->stopCapture();
    // Speech has no silence near two seconds long: the longest gap is the pause.
    const auto [first, last] = soundSpan(samples);
    size_t longest = 0, gapStart = 0, runStart = first;
    for (size_t i = first; i <= last; ++i)
        if (std::abs(samples[i]) > 500) {
            if (i - runStart > longest) {
                longest = i - runStart;
                gapStart = runStart;
            }
            runStart = i;
        }
    EXPECT_NEAR(double(longest) / captureRate, 2.0, 0.35) << "heard " << words.size() << " words";
    EXPECT_GT(loudSeconds(samples, first, gapStart), 0.5);
    EXPECT_GT(loudSeconds(samples, gapStart + longest), 1.0);
}

TEST(EngineSound, RecordingAtFlitesOwnRateLastsAsLongAsFliteSays)
{
    QTemporaryDir dir;
    // One sentence: between sentences the engine pauses by the punctuation, and
    // the silence Flite puts around an utterance is not kept.
    const QString text = QStringLiteral("I can read a whole story to you, slowly or fast.");
    DirectSS engine;
    QSignalSpy stop(&engine, &DirectSS::AudioStop);
    engine.Select(1); // Mary, Flite's slt
    engine.setSpeed(int(std::lround(FliteVoices::naturalRate("slt"))));
    engine.setPitch(VoiceCatalogue::voices().at(0).basePitch);
    const QString ours = dir.filePath("ours.wav");
    engine.setFileName(ours);
    engine.Speak(text);
    ASSERT_TRUE(stop.wait(20000));
    EXPECT_EQ(engine.LastError(), 0);

    // Flite's program reads a file as the engine reads a text: an utterance a sentence.
    const QString textFile = dir.filePath("text.txt");
    QFile file(textFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    const QString reference = dir.filePath("flite.wav");
    QProcess flite;
    flite.start("flite", {"-voice", "slt", "-f", textFile, "-o", reference});
    ASSERT_TRUE(flite.waitForFinished(20000));
    ASSERT_GT(soundSeconds(reference), 1.0);
    EXPECT_NEAR(soundSeconds(ours), soundSeconds(reference), soundSeconds(reference) * 0.05);
}

// The test's audio server starts a new stream about a second late (so does paplay there):
// the player must wait for the whole sound rather than close the stream on time.
TEST(EngineSound, WavePlayerPlaysThroughTheSinkAndWaitsForTheEnd)
{
    NEED_PULSE();
    QTemporaryDir dir;
    const QString path = dir.filePath("tone.wav");
    {
        auto writer = WaveWriter::open(path, 22050);
        std::vector<qint16> tone(22050);
        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = qint16(8000 * std::sin(2 * M_PI * 440 * double(i) / 22050));
        writer->write(tone.data(), qint64(tone.size()));
        ASSERT_TRUE(writer->commit());
    }
    pulse->startCapture();
    QElapsedTimer timer;
    timer.start();
    WavePlayer::playAndWait(path);
    const qint64 took = timer.elapsed();
    QTest::qWait(400);
    const auto samples = pulse->stopCapture();
    EXPECT_GE(took, 900);
    EXPECT_LT(took, 3200);
    EXPECT_NEAR(loudSeconds(samples), 1.0, 0.15);

    timer.restart();
    WavePlayer::playAndWait(dir.filePath("missing.wav"));
    WavePlayer::playAndWait(dir.path()); // a folder is no wave file
    EXPECT_LT(timer.elapsed(), 100);
}
