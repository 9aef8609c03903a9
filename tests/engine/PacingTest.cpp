#include "SpeechMeasure.h"
#include "SpeechRecording.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/Pacing.h"
#include "engine/synth/Synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numeric>

// The speed slider is the rate of the words, for every Flite voice and at
// every speed; pauses follow the punctuation and scale with the speed.
namespace {
// 37 words, no comma.
const QString longSentence = QStringLiteral(
    "The small brown rabbit hopped out of the tall grass and looked around the quiet garden for something "
    "good to eat before the farmer and his two big dogs came back from the market in the town.");
// Six short sentences, 32 words.
const QString shortSentences = QStringLiteral(
    "The sun came up over the hill. A little bird sang in the tree. The children ran down to the lake. "
    "They threw stones into the water. A duck swam away. Then it began to rain.");

const VoiceEntry &voiceNamed(const QString &name)
{
    for (const VoiceEntry &v : VoiceCatalogue::voices())
        if (v.name == name)
            return v;
    return VoiceCatalogue::voices().front();
}

std::vector<qint16> record(const QString &voiceName, const QString &text, int speed)
{
    const VoiceEntry &voice = voiceNamed(voiceName);
    return SpeechRecording::record(voice, text, speed, voice.basePitch);
}

double wordsPerMinute(const QString &text, const std::vector<qint16> &samples)
{
    const double seconds = SpeechMeasure::speechSeconds(samples, Synthesis::sampleRate);
    return seconds > 0 ? double(text.split(u' ', Qt::SkipEmptyParts).size()) * 60.0 / seconds : 0.0;
}

// The sounding part of a recording's last `seconds`, as 10 ms levels.
std::vector<double> lastLevels(const std::vector<qint16> &samples, double seconds)
{
    const std::vector<double> all = SpeechMeasure::levels(samples, Synthesis::sampleRate);
    const auto end =
        size_t(std::lround(SpeechMeasure::lastSoundSeconds(samples, Synthesis::sampleRate) / 0.01));
    const auto count = std::min(end, size_t(std::lround(seconds / 0.01)));
    return {all.begin() + std::ptrdiff_t(end - count), all.begin() + std::ptrdiff_t(end)};
}

double correlation(const std::vector<double> &a, const std::vector<double> &b)
{
    const size_t n = std::min(a.size(), b.size());
    const double ma = std::accumulate(a.begin(), a.begin() + std::ptrdiff_t(n), 0.0) / double(n);
    const double mb = std::accumulate(b.begin(), b.begin() + std::ptrdiff_t(n), 0.0) / double(n);
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < n; ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb + 1e-12);
}

class FliteSpeed : public ::testing::TestWithParam<const char *>
{
};
} // namespace

TEST(Pacing, PausesFollowThePunctuationNotTheTextAroundIt)
{
    using Pacing::Break;
    const QString text =
        QStringLiteral("Hi, you. Yes; no! \"Why?\" Well:\nA title\n\nNext part, and\r\nmore\u2029End");
    const auto after = [&](const char *piece) {
        return Pacing::breakAfter(text,
                                  text.indexOf(QString::fromUtf8(piece)) + qsizetype(std::strlen(piece)));
    };
    EXPECT_EQ(after("Hi,"), Break::Clause);
    EXPECT_EQ(after("you."), Break::Sentence);
    EXPECT_EQ(after("Yes;"), Break::Sentence);
    EXPECT_EQ(after("no!"), Break::Sentence);
    EXPECT_EQ(after("\"Why?\""), Break::Sentence) << "a closing quote stays with its sentence";
    EXPECT_EQ(after("A title"), Break::Paragraph);
    EXPECT_EQ(after("Well:"), Break::Sentence) << "a line end pauses without a full stop";
    EXPECT_EQ(after("Next part"), Break::None) << "no pause inside a sentence";
    EXPECT_EQ(after("and"), Break::Sentence) << "CR LF is one line break";
    EXPECT_EQ(after("more"), Break::Paragraph);
    EXPECT_EQ(Pacing::breakAfter(text, text.size()), Break::None) << "nothing waits after the last word";
    EXPECT_EQ(Pacing::breakAfter(QStringLiteral("The end.  \n\n "), 8), Break::None);
    for (int speed : {50, 60, 150, 250, 270}) {
        EXPECT_LT(Pacing::pauseSeconds(Break::Clause, speed), Pacing::pauseSeconds(Break::Sentence, speed));
        EXPECT_LT(Pacing::pauseSeconds(Break::Sentence, speed),
                  Pacing::pauseSeconds(Break::Paragraph, speed));
        EXPECT_DOUBLE_EQ(Pacing::pauseSeconds(Break::Sentence, speed / 2 * 2) * 2,
                         Pacing::pauseSeconds(Break::Sentence, speed / 2))
            << "half the speed, twice the pause";
    }
}

TEST(Pacing, SlowingLengthensInTheSynthesiserDownToItsFloorThenInThePipeline)
{
    const auto at = [](double lengthening) { return Pacing::slowing(lengthening, 2.0); };
    EXPECT_DOUBLE_EQ(at(0.8).own, 0.8);
    EXPECT_DOUBLE_EQ(at(0.8).pipeline, 1.0);
    EXPECT_DOUBLE_EQ(at(2.0).own, 2.0);
    EXPECT_DOUBLE_EQ(at(2.0).pipeline, 1.0);
    EXPECT_DOUBLE_EQ(at(3.0).own, 2.0);
    EXPECT_DOUBLE_EQ(at(3.0).pipeline, 1.5);
}

TEST_P(FliteSpeed, WordsAMinuteFollowTheSliderWithinASentenceAndOverAText)
{
    const QString voice = QString::fromLatin1(GetParam());
    for (int speed : {50, 100, 150, 200, 270}) {
        const double within = wordsPerMinute(longSentence, record(voice, longSentence, speed));
        EXPECT_NEAR(within, speed, 0.12 * speed) << "within a sentence at " << speed;
        const double over = wordsPerMinute(shortSentences, record(voice, shortSentences, speed));
        EXPECT_NEAR(over, speed, 0.15 * speed) << "over short sentences at " << speed;
    }
}

TEST_P(FliteSpeed, CommaPausesLessThanASentenceEndAndThatLessThanAParagraph)
{
    const QString voice = QString::fromLatin1(GetParam());
    const QString text =
        QStringLiteral("The green frog sat on a leaf in the pond, and the fish swam below. "
                       "The sun went down behind the hills.\n\nNight came to the quiet pond.");
    for (int speed : {60, 250}) {
        const std::vector<double> pauses =
            SpeechMeasure::pauses(record(voice, text, speed), Synthesis::sampleRate);
        // The three longest silences, in the order heard: comma, full stop, paragraph.
        std::vector<size_t> order(pauses.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pauses[a] > pauses[b]; });
        ASSERT_GE(order.size(), 3u);
        order.resize(3);
        std::sort(order.begin(), order.end());
        EXPECT_LT(pauses[order[0]], pauses[order[1]]) << "comma against full stop at " << speed;
        EXPECT_LT(pauses[order[1]], pauses[order[2]]) << "full stop against paragraph at " << speed;
    }
}

INSTANTIATE_TEST_SUITE_P(Voices, FliteSpeed, ::testing::Values("Mary", "Mike", "Sam"));

// Half the speed, the pause between two sentences is about twice as long.
TEST(Pacing, PausesScaleWithTheSpeed)
{
    const QString text = QStringLiteral("The dog ran home. The cat sat down by the door.");
    for (const char *voice : {"Mary", "Sam"}) {
        const double fast = SpeechMeasure::longestPause(record(voice, text, 200), Synthesis::sampleRate);
        const double slow = SpeechMeasure::longestPause(record(voice, text, 100), Synthesis::sampleRate);
        EXPECT_GT(slow, 1.6 * fast) << voice;
        EXPECT_LT(slow, 2.5 * fast) << voice;
    }
}

// A sentence is said whole wherever it stands: first in a text it sounds as it does second.
TEST(Pacing, ALongFirstSentenceSoundsAsItDoesSecond)
{
    const QString sentence = QStringLiteral(
        "When the clock in the hall struck nine the children climbed the stairs, brushed their "
        "teeth and listened to one more story about the moon.");
    ASSERT_EQ(sentence.split(u' ').size(), 25);
    const auto first = record("Mary", sentence, 100);
    const auto second = record("Mary", QStringLiteral("Good night. ") + sentence, 100);
    const double seconds = SpeechMeasure::speechSeconds(first, Synthesis::sampleRate);
    ASSERT_GT(seconds, 5.0);
    const auto alone = lastLevels(first, seconds);
    const auto after = lastLevels(second, seconds);
    EXPECT_GT(correlation(alone, after), 0.97);
    std::vector<qint16> tail(second.end() - std::ptrdiff_t(first.size()), second.end());
    EXPECT_NEAR(SpeechMeasure::speechSeconds(tail, Synthesis::sampleRate), seconds, 0.03);
}
