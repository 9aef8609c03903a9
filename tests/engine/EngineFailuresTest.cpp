// Every failure of a speech or a recording reaches the caller: the last error and its
// words are set, Failed() tells it once, and nothing is saved or reported as complete.
#include "EngineFixture.h"
#include "tests/support/StuckOutput.h"

#include "engine/VoiceCatalogue.h"
#include "engine/audio/SampleRing.h"
#include "engine/audio/WavePlayer.h"
#include "engine/synth/EspeakSynthesis.h"
#include "engine/synth/FliteVoices.h"
#include "engine/synth/SynthWorker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>

#include <espeak-ng/speak_lib.h>

extern "C" {
#include <flite/flite.h>
}

#include <cstdio>
#include <cstring>
#include <future>

using Pace = ClockAudioOutput::Pace;

namespace {
int voiceIndex(const QString &name)
{
    const QList<VoiceEntry> &voices = VoiceCatalogue::voices();
    for (int i = 0; i < voices.size(); ++i)
        if (voices[i].name == name)
            return i + 1;
    return 0;
}

// Flite fails an utterance whose pause insertion fails: this one fails on the word "Kaboom".
cst_uttfunc realPauseInsertion = nullptr;
cst_utterance *pausesFailingOnKaboom(cst_utterance *u)
{
    for (const cst_item *t = relation_head(utt_relation(u, "Token")); t; t = item_next(t))
        if (std::strcmp(item_feat_string(t, "name"), "Kaboom") == 0)
            return nullptr;
    return realPauseInsertion ? realPauseInsertion(u) : default_pause_insertion(u);
}

class FliteFailsOnKaboom
{
public:
    explicit FliteFailsOnKaboom(const QByteArray &voice)
    {
        const VoiceEntry &entry = VoiceCatalogue::voices().at(0);
        EXPECT_TRUE(SynthWorker::startError(entry).isEmpty());
        std::lock_guard lock(FliteVoices::lock());
        m_voice = FliteVoices::find(voice);
        const cst_val *own = feat_val(m_voice->features, "pause_insertion_func");
        realPauseInsertion = own ? val_uttfunc(own) : nullptr;
        feat_set(m_voice->features, "pause_insertion_func", uttfunc_val(pausesFailingOnKaboom));
    }
    ~FliteFailsOnKaboom()
    {
        std::lock_guard lock(FliteVoices::lock());
        if (realPauseInsertion)
            feat_set(m_voice->features, "pause_insertion_func", uttfunc_val(realPauseInsertion));
        else
            feat_remove(m_voice->features, "pause_insertion_func");
    }

private:
    cst_voice *m_voice = nullptr;
};

const QString kaboomStory = QStringLiteral("The first sentence is fine. Then Kaboom comes along. "
                                           "This last sentence is never heard.");
} // namespace

class EngineFailures : public EngineFixture
{
protected:
    void SetUp() override
    {
        makeEngine(Pace::Immediate);
        failures = std::make_unique<QSignalSpy>(engine.get(), &DirectSS::Failed);
    }
    QString failureText(qsizetype i) const { return failures->at(i).at(1).toString(); }

    std::unique_ptr<QSignalSpy> failures;
};

TEST_F(EngineFailures, ASentenceFliteFailsOnEndsTheSpeechWithTheEngineFailure)
{
    const FliteFailsOnKaboom kaboom("slt");
    engine->Speak(kaboomStory);
    ASSERT_TRUE(stops->wait(20000));
    QTest::qWait(50);
    EXPECT_EQ(engine->LastError(), DirectSS::EngineFailure);
    EXPECT_TRUE(engine->LastErrorText().contains("Kaboom comes along"))
        << engine->LastErrorText().toStdString();
    ASSERT_EQ(failures->size(), 1);
    EXPECT_EQ(failures->at(0).at(0).toInt(), DirectSS::EngineFailure);
    EXPECT_EQ(failureText(0), engine->LastErrorText());
    EXPECT_TRUE(failures->at(0).at(2).toString().isEmpty()) << "a speech has no file";
    EXPECT_EQ(stops->size(), 1);
    // What was spoken is the first sentence only, not the rest as if nothing had happened.
    const double seconds = clock->writtenSamples() / double(clock->sampleRate());
    EXPECT_GT(seconds, 0.8);
    EXPECT_LT(seconds, 4.5); // the whole story takes about 7

    // The next speech goes well and clears the error.
    engine->Speak(QStringLiteral("All is well."));
    ASSERT_TRUE(stops->wait(20000));
    EXPECT_EQ(engine->LastError(), 0);
    EXPECT_TRUE(engine->LastErrorText().isEmpty());
    EXPECT_EQ(failures->size(), 1);
}

TEST_F(EngineFailures, ARecordingFliteFailsOnIsNotSaved)
{
    const FliteFailsOnKaboom kaboom("slt");
    const QString target = dir.filePath("kaboom.wav");
    engine->setFileName(target);
    engine->Speak(kaboomStory);
    ASSERT_TRUE(stops->wait(20000));
    QTest::qWait(50);
    EXPECT_EQ(engine->LastError(), DirectSS::EngineFailure);
    EXPECT_FALSE(engine->recordingError().isEmpty());
    ASSERT_EQ(failures->size(), 1);
    EXPECT_EQ(failures->at(0).at(2).toString(), target);
    EXPECT_FALSE(QFile::exists(target)) << "a cut recording was saved as complete";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// STOP saves what was recorded so far, on the worker; when that save fails (its folder gone),
// the audio-stop comes once it has failed, with the file's code and words.
TEST_F(EngineFailures, AFailedSaveAfterStopReachesTheCaller)
{
    const QString folder = dir.filePath("box");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + "/story.wav";
    engine->setFileName(target);
    engine->Speak(QStringLiteral("Once more the little fox ran over the hill and far away. ").repeated(200));
    QTest::qWait(300); // some of it is recorded
    ASSERT_TRUE(QDir().rename(folder, folder + ".moved"));
    QElapsedTimer stop;
    stop.start();
    engine->AudioReset();
    EXPECT_LT(stop.elapsed(), 1000) << "STOP waited for the save";
    ASSERT_TRUE(stops->wait(20000));
    QTest::qWait(50);
    EXPECT_EQ(stops->size(), 1);
    const qint32 code = engine->LastError();
    EXPECT_TRUE(code == DirectSS::PathNotFound || code == DirectSS::WriteFault ||
                code == DirectSS::AccessDenied)
        << std::hex << code;
    EXPECT_TRUE(engine->LastErrorText().contains(target)) << engine->LastErrorText().toStdString();
    EXPECT_EQ(engine->recordingError(), engine->LastErrorText());
    ASSERT_EQ(failures->size(), 1);
    EXPECT_EQ(failures->at(0).at(0).toInt(), code);
    EXPECT_EQ(failures->at(0).at(2).toString(), target);
    EXPECT_EQ(QDir(folder + ".moved").entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(EngineFailures, AGoodSaveAfterStopTellsNoFailure)
{
    const QString target = dir.filePath("kept.wav");
    engine->setFileName(target);
    engine->Speak(QStringLiteral("Once more the little fox ran over the hill and far away. ").repeated(200));
    QTest::qWait(300);
    engine->AudioReset();
    ASSERT_TRUE(stops->wait(20000));
    EXPECT_GT(waveFrames(target), 0) << "the audio-stop came before what was recorded was saved";
    QTest::qWait(50);
    EXPECT_EQ(engine->LastError(), 0);
    EXPECT_TRUE(failures->isEmpty());
}


TEST(WavePlayerFailures, ASoundNeverPlayedIsATimeOutNotPlayed)
{
    QTemporaryDir dir;
    const QString path = StuckOutput::writeShortWave(dir.filePath("start.wav"));
    AudioOutput::setFactoryForTests([] { return std::make_unique<StuckOutput>(); });
    QString error;
    const WavePlayer::Result result = WavePlayer::playAndWait(path, &error);
    AudioOutput::setFactoryForTests({});
    EXPECT_EQ(result, WavePlayer::Result::TimedOut);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains("did not finish playing")) << error.toStdString();

    AudioOutput::setFactoryForTests([] { return std::make_unique<ClockAudioOutput>(Pace::RealTime); });
    EXPECT_EQ(WavePlayer::playAndWait(path), WavePlayer::Result::Played);
    AudioOutput::setFactoryForTests({});
    EXPECT_EQ(WavePlayer::playAndWait(dir.filePath("missing.wav"), &error), WavePlayer::Result::Unplayable);
}

// espeak-ng's state belongs to the process and these cases break it: they run in a child.
namespace {
constexpr const char *espeakChildFlag = "VOCALINO_ESPEAK_FAILURE_CHILD";

struct ChildResult
{
    qint32 code = -1;
    bool saved = true;
    QString text;
};

QMap<QString, ChildResult> runEspeakChild()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(espeakChildFlag, "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=EspeakFailures.DISABLED_Child", "--gtest_also_run_disabled_tests"});
    if (!child.waitForFinished(120000))
        child.kill();
    QMap<QString, ChildResult> results;
    for (const QString &line : QString::fromUtf8(child.readAllStandardOutput()).split('\n')) {
        if (!line.startsWith("RESULT "))
            continue;
        const QStringList parts = line.mid(7).split('|');
        if (parts.size() == 4)
            results[parts[0]] = {parts[1].toInt(), parts[2] == "1", parts[3]};
    }
    return results;
}
} // namespace

// Disabled: only the case below runs it, in a process of its own.
TEST(EspeakFailures, DISABLED_Child)
{
    if (!qEnvironmentVariableIsSet(espeakChildFlag))
        GTEST_SKIP() << "run by the other espeak-ng cases in a process of its own";
    QTemporaryDir dir;
    DirectSS engine(std::make_unique<ClockAudioOutput>(Pace::Immediate));
    QSignalSpy stops(&engine, &DirectSS::AudioStop);

    const auto record = [&](const QString &voice, const QString &text, const QString &file) {
        engine.Select(voiceIndex(voice));
        engine.setFileName(dir.filePath(file));
        engine.Speak(text);
        stops.wait(20000);
        std::printf("RESULT %s|%d|%d|%s\n", qPrintable(file), engine.LastError(),
                    int(QFile::exists(dir.filePath(file))), engine.LastErrorText().toUtf8().constData());
        std::fflush(stdout);
    };
    {
        // A language voice espeak-ng cannot select, recorded straight through the worker.
        SampleRing ring(SynthWorker::sampleRate());
        std::promise<JobOutcome> ended;
        SynthWorker worker(ring, [&](const JobOutcome &outcome) { ended.set_value(outcome); });
        SpeechJob job;
        job.text = QStringLiteral("Guten Morgen.");
        job.voice = VoiceCatalogue::voices().at(voiceIndex(QStringLiteral("Deutsch")) - 1);
        job.voice.name = QStringLiteral("Nowhere");
        job.voice.voice = "zz/nowhere";
        job.settings = VoiceCatalogue::resolve(job.voice, 150, job.voice.basePitch);
        job.writer = WaveWriter::open(dir.filePath("nowhere.wav"), SynthWorker::sampleRate());
        job.generation = ring.generation();
        auto future = ended.get_future();
        worker.enqueue(std::move(job));
        const JobOutcome outcome = future.get();
        std::printf("RESULT nowhere.wav|%d|%d|%s\n", outcome.code,
                    int(QFile::exists(dir.filePath("nowhere.wav"))), outcome.error.toUtf8().constData());
        std::fflush(stdout);
    }
    record(QStringLiteral("Français"), QStringLiteral("Bonjour."), QStringLiteral("fr.wav"));
    {
        // espeak-ng shut down under the engine: its next synthesis fails.
        std::lock_guard lock(EspeakSynthesis::libraryLock());
        espeak_Terminate();
    }
    record(QStringLiteral("Français"), QStringLiteral("Bonjour encore."), QStringLiteral("fr-failed.wav"));
}

TEST(EspeakFailures, AnUnusableVoiceAndAFailedSynthesisSaveNothingAndSetTheLastError)
{
    if (!voiceIndex(QStringLiteral("Deutsch")) || !voiceIndex(QStringLiteral("Français")))
        GTEST_SKIP() << "espeak-ng speaks no German or French here";
    const QMap<QString, ChildResult> results = runEspeakChild();
    ASSERT_EQ(results.size(), 3) << "the child did not finish";

    const ChildResult unusable = results.value("nowhere.wav");
    EXPECT_EQ(unusable.code, DirectSS::EngineFailure);
    EXPECT_FALSE(unusable.saved) << "an empty recording was saved";
    EXPECT_TRUE(unusable.text.contains("Nowhere")) << unusable.text.toStdString();

    const ChildResult french = results.value("fr.wav");
    EXPECT_EQ(french.code, 0) << french.text.toStdString();
    EXPECT_TRUE(french.saved);

    const ChildResult failed = results.value("fr-failed.wav");
    EXPECT_EQ(failed.code, DirectSS::EngineFailure);
    EXPECT_FALSE(failed.saved) << "a failed synthesis was saved as complete";
    EXPECT_TRUE(failed.text.contains("espeak-ng")) << failed.text.toStdString();
}

// SPEAK right after a stopped recording, before its save has ended: the recording's end is
// told first, once, and the new speech is spoken, not recorded into the old file.
TEST_F(EngineFailures, ASpeakBeforeTheStoppedRecordingIsSavedEndsItFirstAndOnce)
{
    const QString target = dir.filePath("first.wav");
    engine->setFileName(target);
    engine->Speak(QStringLiteral("Once more the little fox ran over the hill and far away. ").repeated(200));
    QTest::qWait(300);
    QStringList order;
    QObject::connect(engine.get(), &DirectSS::AudioStop, [&] {
        order << QStringLiteral("stop");
        engine->setFileName(QString()); // as the window ends a recording
    });
    engine->AudioReset();
    order << QStringLiteral("speak");
    engine->Speak(QStringLiteral("Now only spoken.")); // its save cannot have been reported yet
    ASSERT_TRUE(playToEnd());
    QTest::qWait(100);
    EXPECT_EQ(order, QStringList({"speak", "stop", "stop"}));
    EXPECT_GT(clock->writtenSamples(), 0) << "the new speech was recorded instead of spoken";
    EXPECT_GT(waveFrames(target), 0);
    EXPECT_TRUE(failures->isEmpty());
}
