#include "engine/synth/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
std::vector<qint16> tone(double hertz, int rate, int count)
{
    std::vector<qint16> out(size_t(count), 0);
    for (int i = 0; i < count; ++i)
        out[size_t(i)] = qint16(std::lround(10000 * std::sin(2 * std::numbers::pi * hertz * i / rate)));
    return out;
}
} // namespace

// Flite's 16 kHz voices join the 22,050 Hz stream: same time, same tone.
TEST(Resampler, RaisesTheRateKeepingTimeAndToneInPiecesOfAnySize)
{
    for (double hertz : {200.0, 1000.0, 4000.0}) {
        const std::vector<qint16> in = tone(hertz, 16000, 16000);
        Resampler resampler(16000, 22050);
        std::vector<qint16> out;
        for (size_t at = 0; at < in.size();) {
            const size_t piece = std::min<size_t>(in.size() - at, 1 + at % 777); // uneven pieces
            resampler.process(in.data() + at, qint64(piece), out);
            at += piece;
        }
        resampler.flush(out);
        EXPECT_NEAR(double(out.size()), 22050, 30) << hertz;
        EXPECT_EQ(resampler.outputPosition(16000), 22050);
        const std::vector<qint16> expected = tone(hertz, 22050, 22050);
        double worst = 0;
        for (size_t i = 100; i + 100 < expected.size(); ++i)
            worst = std::max(worst, std::abs(double(out[i]) - expected[i]));
        EXPECT_LT(worst, 300) << hertz << " Hz"; // 3% of the amplitude
    }
}
