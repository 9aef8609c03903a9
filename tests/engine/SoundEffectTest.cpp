#include "engine/effects/SoundEffect.h"
#include "engine/effects/SpeechPipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr int rate = 22050;

std::vector<float> sine(double hz, int count, float level = 0.5f)
{
    std::vector<float> s(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        s[size_t(i)] = level * float(std::sin(2 * std::numbers::pi * hz * i / rate));
    return s;
}

// A voice-like buzz: the harmonics of `hz` up to 4 kHz, falling as a glottal source does.
std::vector<float> buzz(double hz, int count)
{
    std::vector<float> s(static_cast<size_t>(count), 0.0f);
    for (int h = 1; h * hz < 4000; ++h)
        for (int i = 0; i < count; ++i)
            s[size_t(i)] += 0.3f / float(h) * float(std::sin(2 * std::numbers::pi * h * hz * i / rate));
    return s;
}

double rms(const std::vector<float> &s, size_t from = 0, size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

std::vector<float> through(VoiceEffect effect, std::vector<float> samples)
{
    auto fx = SoundEffect::create(effect, rate);
    fx->process(samples.data(), int(samples.size()));
    return samples;
}

// An impulse followed by silence, to hear how long the effect rings.
std::vector<float> impulseResponse(VoiceEffect effect, double seconds)
{
    std::vector<float> s(size_t(seconds * rate), 0.0f);
    s[0] = 0.9f;
    return through(effect, s);
}

// Reverberation time of the room's tail: how fast its level falls between
// two late stretches, well after the direct sound and the first echoes.
double reverberationSeconds(const std::vector<float> &ir)
{
    const double early = rms(ir, rate, rate + rate / 5);
    const double late = rms(ir, 2 * rate, 2 * rate + rate / 5);
    const double dbPerSecond = 20.0 * std::log10(early / late);
    return 60.0 / dbPerSecond;
}

double gainAt(VoiceEffect effect, double hz)
{
    const auto out = through(effect, sine(hz, rate / 2, 0.05f));
    return rms(out, rate / 4) / rms(sine(hz, rate / 2, 0.05f), rate / 4);
}
} // namespace

TEST(SoundEffect, TelephoneKeepsTheVoiceBandAndCutsOutsideIt)
{
    const double band = gainAt(VoiceEffect::Telephone, 1000);
    EXPECT_GT(band, 0.4);
    EXPECT_LT(gainAt(VoiceEffect::Telephone, 100), band * 0.1);
    EXPECT_LT(gainAt(VoiceEffect::Telephone, 7000), band * 0.1);
}

TEST(SoundEffect, HallRingsAndStadiumRingsLongerWithALateEcho)
{
    const auto hall = impulseResponse(VoiceEffect::Hall, 4.0);
    const auto stadium = impulseResponse(VoiceEffect::Stadium, 4.0);
    // Still sounding half a second after the impulse (a dead room falls far lower), and fading.
    EXPECT_GT(rms(hall, rate / 2, rate), rms(hall, 1, rate / 2) * 0.02);
    EXPECT_LT(rms(hall, 3 * rate, 4 * rate), rms(hall, rate / 2, rate));
    EXPECT_GT(rms(stadium, 2 * rate, 3 * rate), rms(hall, 2 * rate, 3 * rate) * 2);
    // The echo off the far stands comes about 0.42 s later as a burst.
    const size_t echo = size_t(0.42 * rate);
    EXPECT_GT(rms(stadium, echo, echo + 200), rms(stadium, echo - 400, echo - 200) * 1.5);
}

TEST(SoundEffect, HallAndStadiumKeepTheirReverberationTimes)
{
    const double hall = reverberationSeconds(impulseResponse(VoiceEffect::Hall, 6.0));
    const double stadium = reverberationSeconds(impulseResponse(VoiceEffect::Stadium, 6.0));
    EXPECT_GT(hall, 1.2);
    EXPECT_LT(hall, 2.2);
    // Long enough to be a stadium, short enough that the words stay.
    EXPECT_GT(stadium, 2.0);
    EXPECT_LT(stadium, 3.2);
}

TEST(SoundEffect, SpaceSweepsAndEchoes)
{
    const auto out = through(VoiceEffect::Space, sine(440, rate * 2));
    // The flanger makes the level of a steady tone swing as it sweeps.
    double low = 1e9, high = 0;
    for (int w = 0; w < 16; ++w) {
        const double level =
            rms(out, size_t(rate / 4 + w * rate / 10), size_t(rate / 4 + w * rate / 10 + 500));
        low = std::min(low, level);
        high = std::max(high, level);
    }
    EXPECT_GT(high, low * 1.3);
    const auto ir = impulseResponse(VoiceEffect::Space, 1.5);
    const size_t echo = size_t(0.27 * rate);
    EXPECT_GT(rms(ir, echo - 20, echo + 400), 1e-3);
}

TEST(SoundEffect, SixRobotsSoundApart)
{
    const std::vector<VoiceEffect> robots = {VoiceEffect::Robot1, VoiceEffect::Robot2, VoiceEffect::Robot3,
                                             VoiceEffect::Robot4, VoiceEffect::Robot5, VoiceEffect::Robot6};
    std::vector<std::vector<float>> outs;
    const auto input = buzz(180, rate / 2);
    for (VoiceEffect r : robots)
        outs.push_back(through(r, input));
    for (size_t i = 0; i < outs.size(); ++i) {
        std::vector<float> diff(outs[i].size());
        for (size_t k = 0; k < diff.size(); ++k)
            diff[k] = outs[i][k] - input[k];
        EXPECT_GT(rms(diff), 0.02) << "robot " << i + 1 << " leaves the voice untouched";
        for (size_t j = i + 1; j < outs.size(); ++j) {
            for (size_t k = 0; k < diff.size(); ++k)
                diff[k] = outs[i][k] - outs[j][k];
            EXPECT_GT(rms(diff), 0.02) << "robots " << i + 1 << " and " << j + 1;
        }
    }
}

TEST(SoundEffect, EveryEffectStaysFiniteAndBoundedOnLoudInput)
{
    for (int e = int(VoiceEffect::Telephone); e <= int(VoiceEffect::Whisper); ++e) {
        std::vector<float> loud = sine(300, rate, 1.0f);
        for (size_t i = 0; i < loud.size(); i += 7)
            loud[i] = (i % 2) ? 1.0f : -1.0f;
        const auto out = through(VoiceEffect(e), loud);
        for (float x : out) {
            ASSERT_TRUE(std::isfinite(x)) << e;
            ASSERT_LT(std::abs(x), 8.0f) << e;
        }
    }
    EXPECT_EQ(SoundEffect::create(VoiceEffect::None, rate), nullptr);
}

TEST(SpeechPipeline, SlowsDownWithoutLosingSoundAndMapsPositions)
{
    SpeechPipeline pipeline(rate, 2.0, VoiceEffect::None);
    std::vector<qint16> in(rate);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = qint16(8000 * std::sin(2 * std::numbers::pi * 150 * double(i) / rate));
    qint64 out = 0;
    const SpeechPipeline::Sink sink = [&](const qint16 *, qint64 n) {
        out += n;
        return true;
    };
    ASSERT_TRUE(pipeline.feed(in.data(), qint64(in.size()), sink));
    ASSERT_TRUE(pipeline.finish(sink));
    EXPECT_NEAR(double(out), 2.0 * rate, 0.03 * rate);
    EXPECT_EQ(pipeline.outputPosition(1000), 2000);
}

TEST(SpeechPipeline, EffectTailIsFlushedAndAStoppedSinkEndsIt)
{
    SpeechPipeline pipeline(rate, 1.0, VoiceEffect::Stadium);
    std::vector<qint16> in(rate / 10, 12000);
    qint64 out = 0;
    ASSERT_TRUE(pipeline.feed(in.data(), qint64(in.size()), [&](const qint16 *, qint64 n) {
        out += n;
        return true;
    }));
    ASSERT_TRUE(pipeline.finish([&](const qint16 *, qint64 n) {
        out += n;
        return true;
    }));
    EXPECT_GT(out, qint64(in.size()) + rate); // the stadium keeps sounding for seconds

    SpeechPipeline stopped(rate, 1.0, VoiceEffect::Hall);
    int calls = 0;
    EXPECT_FALSE(stopped.finish([&](const qint16 *, qint64) { return ++calls > 1 ? false : true; }));
    EXPECT_EQ(calls, 2);
}
