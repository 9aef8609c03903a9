#include "app/VoiceDefaults.h"

#include <gtest/gtest.h>

TEST(VoiceDefaults, KnownNamesGiveTheirPair)
{
    EXPECT_EQ(knownVoiceDefaults("Mike"), (VoiceSetting{170, 90}));
    EXPECT_EQ(knownVoiceDefaults("RoboSoft Five"), (VoiceSetting{130, 130}));
    EXPECT_EQ(knownVoiceDefaults("Mary in Space"), (VoiceSetting{150, 200}));
    EXPECT_EQ(knownVoiceDefaults("Mike (for Telephone)"), (VoiceSetting{150, 110}));
    EXPECT_EQ(knownVoiceDefaults("Male Whisper"), (VoiceSetting{120, 100}));
    EXPECT_EQ(knownVoiceDefaults("Mike in Stadium"), (VoiceSetting{130, 120}));
}

TEST(VoiceDefaults, NamesMatchExactlyAndInFull)
{
    EXPECT_FALSE(knownVoiceDefaults("mary"));
    EXPECT_FALSE(knownVoiceDefaults("Mary "));
    EXPECT_FALSE(knownVoiceDefaults(" Mary"));
    EXPECT_FALSE(knownVoiceDefaults("Mary in"));
    EXPECT_FALSE(knownVoiceDefaults(""));
    EXPECT_FALSE(knownVoiceDefaults("en-us"));
}
