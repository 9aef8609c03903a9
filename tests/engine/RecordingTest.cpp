#include "EngineFixture.h"

#include "platform/AppError.h"

#include <QDir>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

using Pace = ClockAudioOutput::Pace;

class RecordingTest : public EngineFixture
{
protected:
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(RecordingTest, RecordsAValidWaveAndTheEventFollowsWhenComplete)
{
    makeEngine(Pace::Manual); // a recording does not wait for the speakers
    const QString target = dir.filePath("hello.wav");
    engine->setFileName(target);
    QString atStop;
    int framesAtStop = -1;
    QObject::connect(engine.get(), &DirectSS::AudioStop, [&] {
        framesAtStop = int(waveFrames(target));
        atStop = filesInDir().join(',');
    });
    engine->Speak(QStringLiteral("Hello, I am Mary."));
    ASSERT_TRUE(stops->wait(10000));
    int rate = 0, channels = 0, format = 0;
    const qint64 frames = waveFrames(target, &rate, &channels, &format);
    EXPECT_EQ(framesAtStop, frames) << "the event came before the file was complete";
    EXPECT_EQ(atStop, "hello.wav");
    EXPECT_EQ(rate, engine->sampleRate());
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_NEAR(frames / double(rate), 2.08, 0.1); // Mary at 150 words a minute, no silence around her words
    EXPECT_EQ(clock->writtenSamples(), 0) << "a recording must not reach the speakers";
    EXPECT_EQ(stops->size(), 1);
}

TEST_F(RecordingTest, EmptyFileNameReturnsToTheSpeakers)
{
    makeEngine(Pace::Immediate);
    engine->setFileName(dir.filePath("a.wav"));
    engine->Speak(QStringLiteral("One."));
    ASSERT_TRUE(stops->wait(10000));
    engine->setFileName(QString());
    engine->Speak(QStringLiteral("Two."));
    ASSERT_TRUE(stops->wait(10000));
    EXPECT_GT(clock->writtenSamples(), 0);
    EXPECT_EQ(filesInDir(), QStringList({"a.wav"}));
}

TEST_F(RecordingTest, StopDuringARecordingKeepsWhatWasRecordedAsAValidFile)
{
    makeEngine(Pace::Manual);
    const QString target = dir.filePath("long.wav");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    engine->setFileName(target);
    engine->Speak(QStringLiteral("This is a very long story that goes on and on. ").repeated(400));
    // Let some of it reach the file being written, unnamed or hidden; the target stays the old one meanwhile.
    const auto recorded = [&] {
        qint64 largest = 0;
        for (const QFileInfo &fd :
             QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget().startsWith(dir.path()) && !fd.symLinkTarget().endsWith("/long.wav"))
                largest = std::max(largest, QFileInfo(fd.absoluteFilePath()).size());
        return largest;
    };
    for (int i = 0; i < 200 && recorded() < 10000; ++i)
        QTest::qWait(25);
    ASSERT_GE(recorded(), 10000);
    EXPECT_EQ(QFileInfo(target).size(), 3);
    engine->AudioReset();
    ASSERT_TRUE(stops->wait(3000));
    const qint64 frames = waveFrames(target);
    EXPECT_GT(frames, 0);
    EXPECT_EQ(filesInDir(), QStringList({"long.wav"}));
    QTest::qWait(100);
    EXPECT_EQ(stops->size(), 1);
    EXPECT_EQ(engine->FileName(), target) << "the stop leaves the output file to its caller";
}

TEST_F(RecordingTest, UnwritablePathFailsTheSpeakAndChangesNothing)
{
    makeEngine(Pace::Immediate);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    for (const QString &bad : {dir.filePath("folder.wav"), dir.filePath("missing/x.wav")}) {
        engine->setFileName(bad);
        try {
            engine->Speak(QStringLiteral("Nothing."));
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const AppError &e) {
            EXPECT_TRUE(e.description().contains(bad)) << e.description().toStdString();
            EXPECT_LT(e.number(), 0) << "an engine code, 0x8007....";
        }
        EXPECT_FALSE(engine->isSpeaking());
    }
    QTest::qWait(100);
    EXPECT_TRUE(stops->isEmpty());
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.wav")).isDir());
    EXPECT_EQ(filesInDir(), QStringList());
}

TEST_F(RecordingTest, EffectsReachTheRecording)
{
    makeEngine(Pace::Immediate);
    const QString dry = dir.filePath("dry.wav");
    const QString wet = dir.filePath("wet.wav");
    engine->setFileName(dry);
    engine->Speak(QStringLiteral("Hello."));
    ASSERT_TRUE(stops->wait(10000));
    engine->Select(9); // Mary in Stadium
    engine->setFileName(wet);
    engine->Speak(QStringLiteral("Hello."));
    ASSERT_TRUE(stops->wait(10000));
    // The stadium's reverberation and echo ring on well after the word.
    EXPECT_GT(waveFrames(wet), waveFrames(dry) + engine->sampleRate());
}
