#include "SpeechMeasure.h"
#include "SpeechRecording.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/Synthesis.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

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

std::vector<qint16> synthesise(VoiceEntry voice, const QString &text, int speed, int pitch)
{
    voice.effect = VoiceEffect::None;
    return SpeechRecording::record(voice, text, speed, pitch);
}

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
        // The speed is the words' rate; over a text its pauses take up to a sixth more time.
        EXPECT_NEAR(m.wordsPerMinute.at(speed), speed, 0.15 * speed) << "at speed " << speed;
    EXPECT_NEAR(m.f0AtBase, voice.basePitch, 0.1 * voice.basePitch);
    EXPECT_NEAR(m.f0AtDouble, 2 * voice.basePitch, 0.2 * voice.basePitch);
}

INSTANTIATE_TEST_SUITE_P(EveryVoice, VoiceMeasureTest, ::testing::Range(0, VoiceCatalogue::ownVoices()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             QString name = VoiceCatalogue::voices().at(info.param).name;
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return name.toStdString();
                         });
