#include "engine/VoiceCatalogue.h"
#include "engine/synth/EspeakSynthesis.h"
#include "engine/synth/FliteVoices.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

namespace {
const VoiceEntry &voice(const QString &name)
{
    for (const VoiceEntry &v : VoiceCatalogue::voices())
        if (v.name == name)
            return v;
    throw std::runtime_error("no such voice");
}

// The voice names and their default speed and pitch, in the order the program lists them.
struct Default
{
    const char *name;
    int speed;
    int pitch;
};
const Default defaults[] = {
    {"Mary", 150, 170},
    {"Mike", 170, 90},
    {"Sam", 150, 120},
    {"Mary (for Telephone)", 150, 170},
    {"Mike (for Telephone)", 150, 110},
    {"Female Whisper", 150, 170},
    {"Mary in Space", 150, 200},
    {"Mary in Hall", 150, 170},
    {"Mary in Stadium", 150, 170},
    {"RoboSoft Six", 150, 170},
    {"RoboSoft Five", 130, 130},
    {"RoboSoft Four", 140, 120},
    {"Male Whisper", 120, 100},
    {"RoboSoft One", 120, 100},
    {"RoboSoft Two", 140, 170},
    {"RoboSoft Three", 140, 90},
    {"Mike in Hall", 150, 90},
    {"Mike in Stadium", 130, 120},
    {"Mike in Space", 150, 90},
};
} // namespace

TEST(VoiceCatalogue, ListsTheNineteenVoicesInOrderFirst)
{
    const auto &voices = VoiceCatalogue::voices();
    ASSERT_GE(voices.size(), 19);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(voices.at(i).name, QString::fromUtf8(defaults[i].name)) << i;
}

TEST(VoiceCatalogue, EveryDefaultWorksWithoutTheWarning)
{
    for (const Default &d : defaults) {
        // The pitch slider cannot go below 100.
        const int pitch = std::max(d.pitch, 100);
        EXPECT_FALSE(VoiceCatalogue::resolve(voice(d.name), d.speed, pitch).outOfRange) << d.name;
    }
}

// Every tone of the slider, for every catalogue voice; espeak-ng's language
// voices still cannot go above double their pitch, and say so.
TEST(VoiceCatalogue, EveryToneOfTheSliderWorksForTheCatalogueVoicesOnly)
{
    for (const VoiceEntry &v : VoiceCatalogue::voices().mid(0, VoiceCatalogue::ownVoices()))
        for (int pitch = 100; pitch <= VoiceCatalogue::highestTone; pitch += 10) {
            const VoiceSettings s = VoiceCatalogue::resolve(v, 150, pitch);
            EXPECT_FALSE(s.outOfRange) << v.name.toStdString() << " " << pitch;
            EXPECT_EQ(s.pitchHertz, pitch);
        }
    ASSERT_GT(VoiceCatalogue::voices().size(), VoiceCatalogue::ownVoices()) << "espeak-ng lists no language";
    const VoiceEntry &language = VoiceCatalogue::voices().at(VoiceCatalogue::ownVoices());
    const VoiceSettings tooHigh = VoiceCatalogue::resolve(language, 150, VoiceCatalogue::highestTone);
    EXPECT_TRUE(tooHigh.outOfRange) << language.name.toStdString();
    EXPECT_EQ(tooHigh.pitchHertz, 2 * language.basePitch);
}

TEST(VoiceCatalogue, EverySpeedOfTheSliderWorksForEveryVoice)
{
    for (const VoiceEntry &v : VoiceCatalogue::voices())
        for (int speed = 50; speed <= 270; speed += 10) {
            const VoiceSettings s = VoiceCatalogue::resolve(v, speed, v.basePitch);
            EXPECT_FALSE(s.outOfRange);
            EXPECT_EQ(s.wordsPerMinute, speed);
        }
}

TEST(VoiceCatalogue, FliteSpeedIsStretchThenThePipelineAndPitchIsAShareOfTheBase)
{
    const VoiceEntry &mary = voice("Mary");
    const double natural = FliteVoices::naturalRate(mary.voice);
    ASSERT_GT(natural, 100);
    for (int speed : {50, 60, 100, 150, 250, 270}) {
        const auto c = FliteVoices::controls(mary, VoiceCatalogue::resolve(mary, speed, mary.basePitch));
        EXPECT_LE(c.durationStretch, FliteVoices::cleanestStretch);
        EXPECT_GE(c.slowdown, 1.0);
        // The pipeline slows only what Flite cannot.
        if (c.slowdown > 1.0) {
            EXPECT_DOUBLE_EQ(c.durationStretch, FliteVoices::cleanestStretch) << speed;
        }
        EXPECT_NEAR(natural / (c.durationStretch * c.slowdown), speed, 0.01) << speed;
        EXPECT_DOUBLE_EQ(c.f0Factor, 1.0);
    }
    EXPECT_DOUBLE_EQ(FliteVoices::controls(mary, VoiceCatalogue::resolve(mary, 150, 340)).f0Factor, 2.0);
    // rms keeps its own F0, so the pipeline moves Mike's pitch.
    const VoiceEntry &mike = voice("Mike");
    const auto high = FliteVoices::controls(mike, VoiceCatalogue::resolve(mike, 150, 2 * mike.basePitch));
    EXPECT_DOUBLE_EQ(high.pitchShift, 2.0);
    EXPECT_DOUBLE_EQ(high.f0Factor, 1.0);
}

TEST(VoiceCatalogue, EspeakPitchMapsOntoItsScaleAndSlowSpeedsOntoSonic)
{
    const VoiceEntry robot{QStringLiteral("robot"), SynthKind::Espeak, "en-us+robosoft", 100,
                           VoiceEffect::None};
    const auto at = [&](int speed, int pitch) {
        return EspeakSynthesis::controls(robot, VoiceCatalogue::resolve(robot, speed, pitch));
    };
    EXPECT_EQ(at(150, 100).pitch, 50);
    EXPECT_EQ(at(150, 200).pitch, 100);
    EXPECT_EQ(at(150, 50).pitch, 0);
    EXPECT_EQ(at(150, 300).pitch, 100) << "clamped to the voice's top";
    EXPECT_EQ(at(150, 10).pitch, 0);
    EXPECT_EQ(at(150, 100).rate, 150);
    EXPECT_EQ(at(50, 100).rate, 80);
    EXPECT_NEAR(80.0 / at(50, 100).slowdown, 50, 0.01);
}

TEST(VoiceCatalogue, SpeedOutsideTheEngineRangeIsClampedAndFlagged)
{
    const VoiceSettings slow = VoiceCatalogue::resolve(voice("Mary"), 5, 170);
    EXPECT_TRUE(slow.outOfRange);
    EXPECT_EQ(slow.wordsPerMinute, VoiceCatalogue::minimumSpeed);
    const VoiceSettings fast = VoiceCatalogue::resolve(voice("Mary"), 100000, 170);
    EXPECT_TRUE(fast.outOfRange);
    EXPECT_EQ(fast.wordsPerMinute, VoiceCatalogue::maximumSpeed);
    EXPECT_TRUE(VoiceCatalogue::resolve(voice("Mary"), std::numeric_limits<int>::min(), 170).outOfRange);
    const VoiceSettings tooHigh = VoiceCatalogue::resolve(voice("Mike"), 150, 1000);
    EXPECT_TRUE(tooHigh.outOfRange);
    EXPECT_EQ(tooHigh.pitchHertz, VoiceCatalogue::maximumPitch(voice("Mike")));
    EXPECT_EQ(VoiceCatalogue::maximumPitch(voice("Mike")), VoiceCatalogue::highestTone);
}

TEST(VoiceCatalogue, VoicesAreDistinctInVoiceOrTreatment)
{
    const auto &voices = VoiceCatalogue::voices();
    for (qsizetype i = 0; i < voices.size(); ++i)
        for (qsizetype j = i + 1; j < voices.size(); ++j)
            EXPECT_FALSE(voices[i].synth == voices[j].synth && voices[i].voice == voices[j].voice &&
                         voices[i].effect == voices[j].effect)
                << voices[i].name.toStdString() << " / " << voices[j].name.toStdString();
}
