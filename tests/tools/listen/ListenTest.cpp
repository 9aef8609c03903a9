#include "tools/listen/ListenTable.h"
#include "tools/listen/ListenTakes.h"
#include "tools/listen/Recording.h"
#include "tools/listen/WordErrorRate.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {
constexpr int rate = 16000;

// A voiced vowel at `hz` with a second harmonic stronger than the first, as
// real voices often have, between stretches of silence.
std::vector<float> vowelInSilence(double hz, double silence, double vowel)
{
    std::vector<float> s(size_t((2 * silence + vowel) * rate), 0.0f);
    for (size_t n = size_t(silence * rate); n < size_t((silence + vowel) * rate); ++n) {
        const double t = double(n) / rate;
        s[n] = float(0.2 * std::sin(2 * std::numbers::pi * hz * t) +
                     0.3 * std::sin(4 * std::numbers::pi * hz * t) +
                     0.1 * std::sin(6 * std::numbers::pi * hz * t));
    }
    return s;
}

std::optional<Recording> recorded(const std::vector<float> &samples)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.wav");
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return Recording::load(path);
}
} // namespace

TEST(WordErrorRate, CountsTheCheapestEditsIgnoringCaseAndPunctuation)
{
    EXPECT_EQ(WordErrorRate::compare("The dog's ball, Tom!", "the dog's ball tom").wrong, 0);
    EXPECT_EQ(WordErrorRate::words("It's red-and-blue."), QStringList({"it's", "red", "and", "blue"}));

    // One substitution, one deletion, one insertion.
    const WordErrors e =
        WordErrorRate::compare("a small bird sang in the tree", "a tall bird sang in tree today");
    EXPECT_EQ(e.wrong, 3);
    EXPECT_EQ(e.said, 7);

    // Nothing heard loses every word; extra words can push past 100%.
    EXPECT_DOUBLE_EQ(WordErrorRate::compare("look at the stars", "").percent(), 100.0);
    EXPECT_GT(WordErrorRate::compare("hi", "oh hi there you").percent(), 100.0);

    WordErrors sum;
    sum += {1, 4};
    sum += {0, 6};
    EXPECT_DOUBLE_EQ(sum.percent(), 10.0);
}

TEST(Recording, FindsThePitchOfAVoiceAndTheSpeechBetweenSilences)
{
    for (double hz : {95.0, 180.0, 340.0}) {
        const auto recording = recorded(vowelInSilence(hz, 0.5, 1.0));
        ASSERT_TRUE(recording);
        const auto pitches = recording->pitches();
        ASSERT_GT(pitches.size(), 50u) << hz;
        std::vector<double> sorted = pitches;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_NEAR(sorted[sorted.size() / 2], hz, hz * 0.02);
        EXPECT_NEAR(recording->speechSeconds(), 1.0, 0.06) << hz;
    }
    EXPECT_FALSE(Recording::load("/nonexistent/none.wav"));
}

TEST(Recording, NoiseHasNoPitch)
{
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.1f);
    std::vector<float> s(static_cast<size_t>(rate));
    for (float &x : s)
        x = noise(random);
    const auto recording = recorded(s);
    ASSERT_TRUE(recording);
    EXPECT_LT(double(recording->pitches().size()), 0.1 * recording->speechFrames());
}

TEST(ListenTable, EachKindOfVoiceHasItsLimit)
{
    for (const char *plain : {"Mary", "Mike", "Sam"})
        EXPECT_EQ(ListenTable::limitPercent(plain), 20);
    for (const char *changed : {"Mary (for Telephone)", "Mike in Hall", "Female Whisper", "Male Whisper"})
        EXPECT_EQ(ListenTable::limitPercent(changed), 35);
    for (const char *strong : {"Mary in Stadium", "Mike in Space", "RoboSoft Four"})
        EXPECT_EQ(ListenTable::limitPercent(strong), 50);

    EXPECT_TRUE(ListenTable::withinLimit({"Mary", "", {20, 100}, 170.0, 150.0, "", 0}));
    EXPECT_FALSE(ListenTable::withinLimit({"Mary", "", {21, 100}, 170.0, 150.0, "", 0}));
    EXPECT_FALSE(ListenTable::withinLimit({"Mike", "", {21, 100}, 100.0, 150.0, "", 0}));
    EXPECT_FALSE(ListenTable::withinLimit({"Mike (for Telephone)", "", {36, 100}, 100.0, 150.0, "", 0}));

    const QList<VoiceResult> results = {{"Mary", "flite", {1, 10}, 178.0, 151.0, "", 0},
                                        {"Female Whisper", "", {9, 20}, std::nullopt, 140.0, "", 0},
                                        {"Mary", "flite", {5, 20}, 178.0, 151.0, "", 0}};
    const QString table = ListenTable::format(results, true);
    EXPECT_TRUE(table.section('\n', 2, 2).contains("TOO MANY")) << table.toStdString();
    EXPECT_TRUE(table.section('\n', 1, 1).endsWith("ok")) << table.toStdString();
    EXPECT_TRUE(table.section('\n', 3, 3).contains("TOO MANY")) << table.toStdString();
    EXPECT_TRUE(table.section('\n', 1, 1).contains("10.0")) << table.toStdString();
    EXPECT_TRUE(table.section('\n', 2, 2).contains(" - ")) << table.toStdString();
}

// Every voice at its natural rate and as the program starts it; the plain
// voices also slowed to 100, heard at the length of their table take.
TEST(ListenTakes, NaturalAndTableForEveryVoiceAndSlowForThePlainOnes)
{
    const QList<ListenTake> takes = ListenTakes::forVoices({"Mary", "Mike", "Mary in Hall"});
    ASSERT_EQ(takes.size(), 8);
    QStringList settings;
    for (const ListenTake &t : takes)
        settings += t.voice + " " + t.setting;
    EXPECT_EQ(settings, QStringList({"Mary natural", "Mary table", "Mary slow", "Mike natural", "Mike table",
                                     "Mike slow", "Mary in Hall natural", "Mary in Hall table"}));
    EXPECT_NEAR(takes[0].speed, 229, 2) << "slt's own rate within a sentence";
    EXPECT_EQ(takes[0].pitch, 170);
    EXPECT_EQ(takes[1].speed, 150);
    EXPECT_EQ(takes[4].speed, 170);
    EXPECT_EQ(takes[4].pitch, 100) << "Mike's table pitch of 90 is below the tone slider";
    for (qsizetype slow : {2, 5}) {
        EXPECT_EQ(takes[slow].speed, 100);
        EXPECT_EQ(takes[slow].pitch, takes[slow - 1].pitch);
        ASSERT_TRUE(takes[slow].lengthOf);
        EXPECT_EQ(*takes[slow].lengthOf, slow - 2) << "brought back to the natural take's length";
        ASSERT_TRUE(takes[slow - 1].lengthOf) << "the table's speed is below the voice's own";
        EXPECT_EQ(*takes[slow - 1].lengthOf, slow - 2);
        EXPECT_EQ(takes[slow].limitPercent, 25);
    }
    EXPECT_EQ(takes[7].limitPercent, 35);
    ASSERT_TRUE(takes[7].lengthOf);
    EXPECT_EQ(*takes[7].lengthOf, 6);
    EXPECT_FALSE(takes[6].lengthOf) << "the natural take is heard as recorded";

    VoiceResult slowed{"Mary", "", {24, 100}, 170.0, 100.0, "slow 100/170", 25};
    EXPECT_TRUE(ListenTable::withinLimit(slowed));
    slowed.errors.wrong = 26;
    EXPECT_FALSE(ListenTable::withinLimit(slowed));
    EXPECT_TRUE(ListenTable::format({slowed}, true).contains("slow 100/170"));
}
