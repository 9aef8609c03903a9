#include "RecordedSpeech.h"
#include "SpeechMeasure.h"

#include "engine/VoiceCatalogue.h"
#include "engine/audio/SampleRing.h"
#include "engine/synth/FliteVoices.h"
#include "engine/synth/Synthesis.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <map>

// Speed and pitch keep their meaning for every voice: words a minute measured
// on a 300-word story (speech without leading and trailing silence), median F0
// at the base pitch and at its double. Measured on the synthesiser's own sound:
// a whisper has no F0 and a stadium's tail is no speech, so the voice's effect
// is left out; voices sharing a synthesiser voice share one measurement.
namespace {
constexpr int wordsInStory = 300;
const QString pitchText = QStringLiteral("The little fox ran down to the river to drink the clear water. "
                                         "She saw a small red boat tied to an old tree.");

QString story()
{
    QFile file(QStringLiteral(VOCALINO_TEST_DATA "/engine/story300.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

using RecordedSpeech::synthesise;

struct Measured
{
    std::map<int, double> wordsPerMinute; // by asked speed
    double f0AtBase = 0;
    double f0AtDouble = 0;
};

const Measured &measure(const VoiceEntry &voice, const std::vector<int> &speeds)
{
    static std::map<QString, Measured> cache;
    const QString key = QString::fromLatin1(voice.voice) + QString::number(int(voice.synth)) +
                        QString::number(voice.basePitch);
    Measured &m = cache[key];
    for (int speed : speeds)
        if (!m.wordsPerMinute.count(speed)) {
            const double seconds = SpeechMeasure::speechSeconds(
                synthesise(voice, story(), speed, voice.basePitch), Synthesis::sampleRate);
            m.wordsPerMinute[speed] = seconds > 0 ? wordsInStory * 60.0 / seconds : 0;
        }
    if (m.f0AtBase == 0) {
        const int rate = Synthesis::sampleRate;
        m.f0AtBase = SpeechMeasure::medianF0(synthesise(voice, pitchText, 150, voice.basePitch), rate);
        m.f0AtDouble = SpeechMeasure::medianF0(synthesise(voice, pitchText, 150, 2 * voice.basePitch), rate);
    }
    return m;
}

std::vector<int> speedsToCheck()
{
    // The sanitised build synthesises several times slower; the ends of the range show the same faults.
#ifdef VOCALINO_SANITIZED
    return {60, 250};
#else
    return {60, 150, 250};
#endif
}
} // namespace

// Slowed, a Flite voice pauses longer between sentences rather than drawl its
// words, streaming (slt) or not (kal16).
TEST(SlowReading, PausesGrowBetweenTheSentences)
{
    const QString text = QStringLiteral("The dog ran home. The cat sat down by the door.");
    for (const VoiceEntry &voice : VoiceCatalogue::voices()) {
        if (voice.name != u"Mary" && voice.name != u"Sam")
            continue;
        const int natural = int(FliteVoices::naturalRate(voice.voice));
        const auto own = synthesise(voice, text, natural, voice.basePitch);
        const auto slow = synthesise(voice, text, natural / 2, voice.basePitch);
        const int rate = Synthesis::sampleRate;
        // Half the speed: the pause grows by more than twice (about 3.5 times).
        EXPECT_GT(SpeechMeasure::longestPause(slow, rate), 2.5 * SpeechMeasure::longestPause(own, rate))
            << voice.name.toStdString();
    }
}

class VoiceMeasureTest : public ::testing::TestWithParam<int>
{
};

TEST_P(VoiceMeasureTest, SpeedInWordsPerMinuteAndPitchInHertzHold)
{
    const VoiceEntry &voice = VoiceCatalogue::voices().at(GetParam());
    SCOPED_TRACE(voice.name.toStdString());
    ASSERT_EQ(story().split(u' ', Qt::SkipEmptyParts).size(), wordsInStory);
    const Measured &m = measure(voice, speedsToCheck());
    for (int speed : speedsToCheck())
        EXPECT_NEAR(m.wordsPerMinute.at(speed), speed, 0.1 * speed) << "at speed " << speed;
    EXPECT_NEAR(m.f0AtBase, voice.basePitch, 0.1 * voice.basePitch);
    EXPECT_NEAR(m.f0AtDouble, 2 * voice.basePitch, 0.2 * voice.basePitch);
}

INSTANTIATE_TEST_SUITE_P(EveryVoice, VoiceMeasureTest, ::testing::Range(0, VoiceCatalogue::ownVoices()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             QString name = VoiceCatalogue::voices().at(info.param).name;
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return name.toStdString();
                         });
