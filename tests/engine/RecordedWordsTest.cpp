#include "EngineFixture.h"

using Pace = ClockAudioOutput::Pace;

namespace {
// The first sample louder than a whisper.
qint64 firstSound(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    std::vector<qint16> samples(size_t(info.frames));
    sf_read_short(file, samples.data(), info.frames);
    sf_close(file);
    const auto loud =
        std::find_if(samples.begin(), samples.end(), [](qint16 s) { return std::abs(s) > 300; });
    return loud == samples.end() ? -1 : qint64(loud - samples.begin());
}
} // namespace

class RecordedWordsTest : public EngineFixture
{
};

TEST_F(RecordedWordsTest, ARecordingKeepsItsWordsAtTheirSamplesInTheFile)
{
    makeEngine(Pace::Manual);
    const QString text = QStringLiteral("Seven swans swim slowly.");
    const QString target = dir.filePath("swans.wav");
    engine->setFileName(target);
    engine->SpeakAfter(500, text);
    ASSERT_TRUE(stops->wait(10000));
    EXPECT_TRUE(words->isEmpty()) << "a recording reports no words as heard through the speakers";
    const std::vector<RecordedWord> &heard = engine->recordedWords();
    ASSERT_EQ(heard.size(), 4u);
    QStringList said;
    for (const RecordedWord &word : heard)
        said << text.mid(word.start, word.length);
    EXPECT_EQ(said, QStringList({"Seven", "swans", "swim", "slowly"}));
    for (size_t i = 1; i < heard.size(); ++i)
        EXPECT_GT(heard[i].sample, heard[i - 1].sample);
    EXPECT_EQ(engine->recordedFrames(), waveFrames(target));
    // The silence asked for comes first; the first word is where the sound begins.
    const qint64 sound = firstSound(target);
    EXPECT_GE(sound, engine->sampleRate() / 2);
    EXPECT_NEAR(double(heard.front().sample), double(sound), engine->sampleRate() * 0.05);

    engine->setFileName(QString());
    engine->Speak(QStringLiteral("Hello."));
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(engine->recordedWords().size(), 4u) << "speaking aloud keeps the last recording's words";
}
