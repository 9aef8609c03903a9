#include "engine/audio/ClockAudioOutput.h"
#include "engine/audio/WavePlayer.h"
#include "engine/audio/WaveWriter.h"
#include "engine/mouth/MouthPainter.h"
#include "engine/mouth/Viseme.h"
#include "tests/support/CapturingEventLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sndfile.h>

namespace {
QString writeStereo(const QString &path, int frames)
{
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<qint16> data;
    for (int i = 0; i < frames; ++i) {
        data.push_back(1000);
        data.push_back(3000);
    }
    sf_writef_short(file, data.data(), frames);
    sf_close(file);
    return path;
}

struct FactoryScope
{
    explicit FactoryScope(ClockAudioOutput::Pace pace)
    {
        AudioOutput::setFactoryForTests([pace] { return std::make_unique<ClockAudioOutput>(pace); });
    }
    ~FactoryScope() { AudioOutput::setFactoryForTests({}); }
};
} // namespace

TEST(WavePlayer, LoadsAnyWaveAsMono)
{
    QTemporaryDir dir;
    const auto sound = WavePlayer::load(writeStereo(dir.filePath("s.wav"), 800));
    EXPECT_EQ(sound.sampleRate, 8000);
    ASSERT_EQ(sound.samples.size(), 800u);
    EXPECT_EQ(sound.samples.front(), 2000);

    QFile junk(dir.filePath("junk.wav"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("RIFF\x10\0\0\0WAVEfmt garbage that is no wave file");
    junk.close();
    EXPECT_TRUE(WavePlayer::load(junk.fileName()).samples.empty());
    EXPECT_TRUE(WavePlayer::load(dir.filePath("missing.wav")).samples.empty());
}

TEST(WavePlayer, WaitsForTheClockAndNeverHangsOnADrivenSink)
{
    QTemporaryDir dir;
    const QString path = writeStereo(dir.filePath("half.wav"), 4000); // half a second
    {
        FactoryScope scope(ClockAudioOutput::Pace::RealTime);
        QElapsedTimer timer;
        timer.start();
        WavePlayer::playAndWait(path);
        EXPECT_GE(timer.elapsed(), 450);
        EXPECT_LT(timer.elapsed(), 1200);
    }
    for (auto pace : {ClockAudioOutput::Pace::Manual, ClockAudioOutput::Pace::Immediate}) {
        FactoryScope scope(pace);
        QElapsedTimer timer;
        timer.start();
        WavePlayer::playAndWait(path);
        WavePlayer::playAndWait(dir.filePath("missing.wav"));
        EXPECT_LT(timer.elapsed(), 200);
    }
}

TEST(ClockAudioOutput, RealTimeClockPlaysAtPaceAndHoldsWhileSuspended)
{
    ClockAudioOutput out(ClockAudioOutput::Pace::RealTime);
    out.start(10000);
    std::vector<qint16> data(20000);
    qint64 written = out.write(data.data(), qint64(data.size()));
    EXPECT_EQ(written, 2500) << "a quarter second of buffer";
    QThread::msleep(100);
    EXPECT_NEAR(double(out.playedSamples()), 1000, 400);
    out.suspend();
    const qint64 held = out.playedSamples();
    QThread::msleep(100);
    EXPECT_EQ(out.playedSamples(), held);
    out.resume();
    QThread::msleep(400);
    EXPECT_EQ(out.playedSamples(), 2500) << "never beyond what was written";
    out.reset();
    EXPECT_EQ(out.playedSamples(), 0);
}

TEST(AudioOutput, WithoutADeviceTheSilentClockRunsAndTheLogHearsOnce)
{
    CapturingEventLog log;
    auto first = AudioOutput::create();
    if (first->isDevice())
        GTEST_SKIP() << "an audio server is reachable here";
    auto second = AudioOutput::create();
    EXPECT_TRUE(first->deviceError().contains("pipewire-pulse or pulseaudio")) << "the packages that give sound";
    EXPECT_TRUE(first->followsClock());
    EXPECT_LE(log.entries.size(), 1);
    for (const auto &e : log.entries) {
        EXPECT_EQ(e.type, 1);
        EXPECT_TRUE(e.text.contains("No audio output device"));
    }
}

TEST(Viseme, PhonemesGiveTheirMouthShapes)
{
    EXPECT_EQ(visemeForPhoneme("_:"), Viseme::Rest);
    EXPECT_EQ(visemeForPhoneme(""), Viseme::Rest);
    EXPECT_EQ(visemeForPhoneme("m"), Viseme::Closed);
    EXPECT_EQ(visemeForPhoneme("a#"), Viseme::Open);
    EXPECT_EQ(visemeForPhoneme("i:"), Viseme::Wide);
    EXPECT_EQ(visemeForPhoneme("oU"), Viseme::Round);
    EXPECT_EQ(visemeForPhoneme("u:"), Viseme::Pucker);
    EXPECT_EQ(visemeForPhoneme("f"), Viseme::LipBite);
    EXPECT_EQ(visemeForPhoneme("l"), Viseme::Tongue);
    EXPECT_EQ(visemeForPhoneme("tS"), Viseme::Teeth);
    EXPECT_EQ(visemeForPhoneme("dZ"), Viseme::Teeth);
    EXPECT_EQ(visemeForPhoneme("d"), Viseme::Tongue);
}

TEST(MouthPainter, EveryShapeLooksDifferentAndOpenShapesShowTheInside)
{
    QList<QImage> images;
    for (int s = int(Viseme::Closed); s < visemeCount; ++s)
        images << MouthPainter::render(QSize(57, 41), Viseme(s), visemeOpenness(Viseme(s)));
    for (qsizetype i = 0; i < images.size(); ++i)
        for (qsizetype j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << i + 1 << " and " << j + 1;
    // The open mouth shows teeth (near white) and the dark inside.
    const QImage open = MouthPainter::render(QSize(57, 41), Viseme::Open, 1.0);
    bool white = false, dark = false;
    for (int y = 0; y < open.height(); ++y)
        for (int x = 0; x < open.width(); ++x) {
            const QColor c = open.pixelColor(x, y);
            if (c.alpha() < 255)
                continue;
            white = white || (c.red() > 240 && c.green() > 240 && c.blue() > 230);
            dark = dark || (c.red() < 90 && c.green() < 30);
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(dark);
    // Around the lips the face of the character shows through.
    EXPECT_EQ(open.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(open.pixelColor(56, 40).alpha(), 0);
}
