#include "FormantMeasure.h"
#include "SpeechMeasure.h"
#include "SpeechRecording.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/Synthesis.h"

#include <gtest/gtest.h>

#include <cstdio>

// The tone slider moves the pitch of Mary, Mike and Sam from 100 to 300 Hz and
// leaves their vocal tracts where they are: the first two formants stay within
// 6% of where they are at the voice's own pitch. Resampling Mike, as before,
// moved his F1 up by a fifth and his F2 down by a fifth at 300 Hz.
namespace {
const QString text = QStringLiteral("The little fox ran down to the river to drink the clear water. "
                                    "She saw a small red boat tied to an old tree.");

std::vector<qint16> recorded(const VoiceEntry &voice, int pitch)
{
    return SpeechRecording::record(voice, text, 150, pitch); // plain voices: no effect
}

class PitchRangeTest : public ::testing::TestWithParam<const char *>
{
};
} // namespace

TEST_P(PitchRangeTest, MedianF0FollowsTheSliderAndTheFormantsStay)
{
    const VoiceEntry *found = nullptr;
    for (const VoiceEntry &v : VoiceCatalogue::voices())
        if (v.name == QLatin1String(GetParam()))
            found = &v;
    ASSERT_NE(found, nullptr);
    const VoiceEntry &voice = *found;
    const int rate = Synthesis::sampleRate;
    const auto own = recorded(voice, voice.basePitch);
    const FormantMeasure::Formants ownFormants = FormantMeasure::formants(own, rate);
    std::printf("%s at its own %d Hz: median F0 %.0f Hz\n", GetParam(), voice.basePitch,
                SpeechMeasure::medianF0(own, rate));
    EXPECT_NEAR(SpeechMeasure::medianF0(own, rate), voice.basePitch, 0.1 * voice.basePitch);
    ASSERT_GT(ownFormants.first, 0);
    for (int pitch : {100, VoiceCatalogue::highestTone}) {
        const auto samples = recorded(voice, pitch);
        EXPECT_NEAR(SpeechMeasure::medianF0(samples, rate), pitch, 0.1 * pitch) << pitch;
        const FormantMeasure::Formants f = FormantMeasure::formants(samples, rate);
        std::printf("%s at %d Hz: median F0 %.0f Hz, F1 %.0f (own %.0f), F2 %.0f (own %.0f)\n", GetParam(),
                    pitch, SpeechMeasure::medianF0(samples, rate), f.first, ownFormants.first, f.second,
                    ownFormants.second);
        EXPECT_NEAR(f.first / ownFormants.first, 1.0, 0.06)
            << pitch << " Hz: F1 " << f.first << " against " << ownFormants.first;
        EXPECT_NEAR(f.second / ownFormants.second, 1.0, 0.06)
            << pitch << " Hz: F2 " << f.second << " against " << ownFormants.second;
    }
}

INSTANTIATE_TEST_SUITE_P(PlainVoices, PitchRangeTest, ::testing::Values("Mary", "Mike", "Sam"),
                         [](const auto &info) { return std::string(info.param); });
