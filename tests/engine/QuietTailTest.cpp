#include "engine/synth/QuietTail.h"

#include <gtest/gtest.h>

// Quiet samples wait for something louder; what is still quiet at the end never plays.
TEST(QuietTail, HoldsQuietSamplesUntilALouderOneFollows)
{
    QuietTail tail;
    std::vector<qint16> passed;
    const auto sink = [&](const qint16 *s, qint64 n) {
        passed.insert(passed.end(), s, s + n);
        return true;
    };
    const std::vector<qint16> word = {0, 12000, -20000, 8000, 50, -40, 0};
    ASSERT_TRUE(tail.take(word.data(), qint64(word.size()), sink));
    EXPECT_EQ(passed, (std::vector<qint16>{0, 12000, -20000, 8000})) << "the faint decay waits";
    EXPECT_EQ(tail.held(), 3);
    const std::vector<qint16> pause(100, 0);
    ASSERT_TRUE(tail.take(pause.data(), qint64(pause.size()), sink));
    EXPECT_EQ(passed.size(), 4u);
    const std::vector<qint16> next = {3000, 0};
    ASSERT_TRUE(tail.take(next.data(), qint64(next.size()), sink));
    // Everything in its order, the pause included, up to the new loud sample.
    ASSERT_EQ(passed.size(), 4u + 3u + 100u + 1u);
    EXPECT_EQ(passed[4], 50);
    EXPECT_EQ(passed.back(), 3000);
    EXPECT_EQ(tail.held(), 1);
}

TEST(QuietTail, ARefusingSinkIsReported)
{
    QuietTail tail;
    const std::vector<qint16> loud = {1000, 2000};
    EXPECT_FALSE(tail.take(loud.data(), 2, [](const qint16 *, qint64) { return false; }));
}
