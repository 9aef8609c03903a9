#include "engine/effects/Biquad.h"
#include "engine/effects/SoundEffect.h"
#include "engine/effects/SpeechPipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {
constexpr int rate = 22050;
constexpr int period = 176; // about 125 Hz, a man's voice
constexpr std::array<double, 3> formants = {700.0, 1200.0, 2600.0};

// A vowel as the voice makes it: a glottal pulse train through three formant resonances.
std::vector<float> vowel(double seconds)
{
    std::vector<Biquad> resonances;
    for (double f : formants)
        resonances.push_back(Biquad::bandPass(f, rate, 6.0));
    std::vector<float> s(size_t(seconds * rate));
    for (size_t n = 0; n < s.size(); ++n) {
        const float pulse = n % period == 0 ? 1.0f : 0.0f;
        float sum = 0;
        for (auto &r : resonances)
            sum += r.process(pulse);
        s[n] = 0.5f * sum;
    }
    return s;
}

std::vector<float> whispered(std::vector<float> s, int chunk = 0)
{
    auto whisper = SoundEffect::create(VoiceEffect::Whisper, rate);
    if (chunk <= 0)
        chunk = int(s.size());
    for (size_t at = 0; at < s.size(); at += size_t(chunk))
        whisper->process(s.data() + at, int(std::min(s.size() - at, size_t(chunk))));
    return s;
}

// The steady middle, well clear of the start and of the effect's delay.
std::vector<float> middle(const std::vector<float> &s)
{
    return {s.begin() + rate / 5, s.end() - rate / 10};
}

double power(const std::vector<float> &s)
{
    return std::inner_product(s.begin(), s.end(), s.begin(), 0.0) / double(s.size());
}

double correlationAt(const std::vector<float> &s, int lag)
{
    double cross = 0;
    for (size_t n = size_t(lag); n < s.size(); ++n)
        cross += double(s[n]) * s[n - size_t(lag)];
    return cross / (power(s) * double(s.size() - size_t(lag)));
}

// Share of the power that falls in a band around `hz`.
double bandShare(const std::vector<float> &s, double hz)
{
    Biquad band = Biquad::bandPass(hz, rate, 4.0);
    std::vector<float> filtered(s.size());
    for (size_t n = 0; n < s.size(); ++n)
        filtered[n] = band.process(s[n]);
    return power(filtered) / power(s);
}
} // namespace

TEST(WhisperEffect, TakesThePitchAwayButKeepsTheVowelAndItsLoudness)
{
    const auto voiced = middle(vowel(1.0));
    const auto whisper = middle(whispered(vowel(1.0)));

    EXPECT_GT(correlationAt(voiced, period), 0.9);
    EXPECT_LT(std::abs(correlationAt(whisper, period)), 0.25);

    const double loudness = std::sqrt(power(whisper) / power(voiced));
    EXPECT_GT(loudness, 0.8);
    EXPECT_LT(loudness, 1.25);

    for (double hz : {700.0, 1200.0, 2600.0, 1800.0, 5000.0}) {
        const double ratio = bandShare(whisper, hz) / bandShare(voiced, hz);
        EXPECT_GT(ratio, 0.65) << hz << " Hz";
        EXPECT_LT(ratio, 1.5) << hz << " Hz";
    }
    // Not a flat hiss: the strongest formant stands well above the highs.
    EXPECT_GT(bandShare(whisper, 2600.0), 4 * bandShare(whisper, 5000.0));
}

TEST(WhisperEffect, SilenceStaysSilentAndSpeechDiesAwayAfterItsTail)
{
    const auto quiet = whispered(std::vector<float>(size_t(rate), 0.0f));
    EXPECT_TRUE(std::all_of(quiet.begin(), quiet.end(), [](float x) { return x == 0.0f; }));

    auto s = vowel(0.5);
    s.resize(size_t(rate), 0.0f);
    auto whisper = SoundEffect::create(VoiceEffect::Whisper, rate);
    whisper->process(s.data(), int(s.size()));
    const size_t settled = size_t((0.5 + whisper->tailSeconds() + 0.01) * rate);
    float after = 0;
    for (size_t n = settled; n < s.size(); ++n)
        after = std::max(after, std::abs(s[n]));
    EXPECT_LT(after, 1e-4f);
    EXPECT_GT(whisper->tailSeconds(), 0.0);
}

TEST(WhisperEffect, ChunkSizesDoNotChangeTheSound)
{
    const auto whole = whispered(vowel(0.4));
    for (int chunk : {1, 7, 256, 1000})
        EXPECT_EQ(whispered(vowel(0.4), chunk), whole) << "chunks of " << chunk;
}

TEST(WhisperEffect, ThePipelineHandsOnTheDelayedLastFrames)
{
    const auto voiced = vowel(0.3);
    std::vector<qint16> in(voiced.size());
    for (size_t n = 0; n < in.size(); ++n)
        in[n] = qint16(std::lround(voiced[n] * 16000));
    std::vector<float> out;
    const SpeechPipeline::Sink sink = [&](const qint16 *samples, qint64 count) {
        for (qint64 i = 0; i < count; ++i)
            out.push_back(samples[i] / 16000.0f);
        return true;
    };
    SpeechPipeline pipeline(rate, 1.0, VoiceEffect::Whisper);
    ASSERT_TRUE(pipeline.feed(in.data(), qint64(in.size()), sink));
    ASSERT_TRUE(pipeline.finish(sink));
    // The delay holds back the end of the speech; the tail must bring it all out.
    const double energyIn = power(voiced) * double(voiced.size());
    const double energyOut = power(out) * double(out.size());
    EXPECT_NEAR(energyOut / energyIn, 1.0, 0.25);
}
