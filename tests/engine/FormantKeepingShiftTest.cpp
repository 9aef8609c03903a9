#include "FormantMeasure.h"
#include "SpeechMeasure.h"

#include "engine/effects/SpeechPipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr int rate = 22050;

// A vowel-like sound: a pulse train at f0 through two resonances (700 and 1800 Hz).
std::vector<qint16> vowel(double f0, double seconds)
{
    std::vector<double> x(size_t(seconds * rate), 0.0);
    const double period = rate / f0;
    for (double t = 0; t < double(x.size()); t += period)
        x[size_t(t)] = 1.0;
    for (double hz : {700.0, 1800.0}) {
        const double r = std::exp(-std::numbers::pi * 80.0 / rate);
        const double a1 = -2 * r * std::cos(2 * std::numbers::pi * hz / rate), a2 = r * r;
        double y1 = 0, y2 = 0;
        for (double &v : x) {
            const double y = v - a1 * y1 - a2 * y2;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    double peak = 0;
    for (double v : x)
        peak = std::max(peak, std::abs(v));
    std::vector<qint16> out(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        out[i] = qint16(std::lround(12000 * x[i] / peak));
    return out;
}

std::vector<qint16> throughPipeline(const std::vector<qint16> &in, double slowdown, double pitchShift)
{
    SpeechPipeline pipeline(rate, slowdown, VoiceEffect::None, pitchShift);
    std::vector<qint16> out;
    const SpeechPipeline::Sink sink = [&](const qint16 *s, qint64 n) {
        out.insert(out.end(), s, s + n);
        return true;
    };
    EXPECT_TRUE(pipeline.feed(in.data(), qint64(in.size()), sink));
    EXPECT_TRUE(pipeline.finish(sink));
    return out;
}
} // namespace

TEST(FormantKeepingShift, MovesThePitchAndKeepsTheResonancesAndTheLength)
{
    const auto in = vowel(120, 1.0);
    const FormantMeasure::Formants own = FormantMeasure::formants(in, rate);
    for (double shift : {0.8, 2.5}) {
        const auto out = throughPipeline(in, 1.0, shift);
        EXPECT_NEAR(double(out.size()), double(in.size()), 0.03 * rate) << shift;
        EXPECT_NEAR(SpeechMeasure::medianF0(out, rate), 120 * shift, 0.05 * 120 * shift) << shift;
        const FormantMeasure::Formants f = FormantMeasure::formants(out, rate);
        EXPECT_NEAR(f.first / own.first, 1.0, 0.06) << shift << ": " << f.first << " against " << own.first;
        EXPECT_NEAR(f.second / own.second, 1.0, 0.06)
            << shift << ": " << f.second << " against " << own.second;
    }
}

TEST(FormantKeepingShift, SlowsAsTheStretcherDoesAndAStoppedSinkEndsIt)
{
    const auto in = vowel(110, 1.0);
    const auto out = throughPipeline(in, 1.5, 2.0);
    EXPECT_NEAR(double(out.size()), 1.5 * double(in.size()), 0.03 * rate);
    EXPECT_NEAR(SpeechMeasure::medianF0(out, rate), 220, 11);

    SpeechPipeline stopped(rate, 1.0, VoiceEffect::None, 2.0);
    int calls = 0;
    EXPECT_FALSE(
        stopped.feed(in.data(), qint64(in.size()), [&](const qint16 *, qint64) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST(FormantKeepingShift, SilenceStaysSilent)
{
    const std::vector<qint16> in(rate / 2, 0);
    const auto out = throughPipeline(in, 1.0, 3.0);
    EXPECT_NEAR(double(out.size()), double(in.size()), 0.03 * rate);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](qint16 s) { return s == 0; }));
}
