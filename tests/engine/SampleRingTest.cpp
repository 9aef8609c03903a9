#include "engine/audio/SampleRing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>

TEST(SampleRing, KeepsOrderAcrossTheWrap)
{
    SampleRing ring(5);
    const quint64 gen = ring.generation();
    const qint16 first[] = {1, 2, 3, 4};
    ASSERT_TRUE(ring.push(first, 4, gen));
    qint16 out[8] = {};
    EXPECT_EQ(ring.pop(out, 3), 3);
    const qint16 second[] = {5, 6, 7};
    ASSERT_TRUE(ring.push(second, 3, gen));
    EXPECT_EQ(ring.available(), 4);
    EXPECT_EQ(ring.pop(out, 8), 4);
    EXPECT_EQ(std::vector<qint16>(out, out + 4), (std::vector<qint16>{4, 5, 6, 7}));
    EXPECT_EQ(ring.writePosition(), 7);
}

TEST(SampleRing, ProducerWaitsWhileFullSoMemoryStaysBounded)
{
    SampleRing ring(100);
    const quint64 gen = ring.generation();
    std::vector<qint16> data(1000);
    std::iota(data.begin(), data.end(), 0);
    std::atomic_bool done = false;
    std::thread producer([&] {
        ring.push(data.data(), qint64(data.size()), gen);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(done);
    EXPECT_EQ(ring.available(), 100);

    std::vector<qint16> received;
    qint16 block[64];
    while (received.size() < data.size()) {
        const qint64 n = ring.pop(block, 64);
        received.insert(received.end(), block, block + n);
        EXPECT_LE(ring.available(), 100);
    }
    producer.join();
    EXPECT_EQ(received, data);
}

TEST(SampleRing, ClearReleasesABlockedProducerAndRefusesItsStaleData)
{
    SampleRing ring(10);
    const quint64 gen = ring.generation();
    std::vector<qint16> data(50, 7);
    std::atomic_bool accepted = true;
    std::thread producer([&] { accepted = ring.push(data.data(), 50, gen); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ring.clear();
    producer.join();
    EXPECT_FALSE(accepted);
    EXPECT_EQ(ring.available(), 0);
    EXPECT_NE(ring.generation(), gen);
    EXPECT_FALSE(ring.push(data.data(), 1, gen));
    ring.pushEvent({0, StreamEvent::Word, 1, 2}, gen);
    EXPECT_TRUE(ring.takeEvents().empty());
}

TEST(SampleRing, EventsAndDataCallbackFromEmptyOnly)
{
    SampleRing ring(10);
    int calls = 0;
    ring.setDataCallback([&] { ++calls; });
    const quint64 gen = ring.generation();
    const qint16 s[] = {1, 2};
    ring.push(s, 2, gen);
    ring.push(s, 2, gen);
    EXPECT_EQ(calls, 1);
    ring.pushEvent({3, StreamEvent::Shape, 2, 0}, gen);
    const auto events = ring.takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].sample, 3);
    EXPECT_TRUE(ring.takeEvents().empty());
}

// A consumer still on the old generation takes nothing of the next speech's start.
TEST(SampleRing, PopForAnOldGenerationTakesNothingOfTheNewOne)
{
    SampleRing ring(10);
    const quint64 old = ring.generation();
    const qint16 s[] = {1, 2, 3};
    ring.push(s, 3, old);
    ring.clear();
    const quint64 next = ring.generation();
    ring.push(s + 1, 2, next);
    qint16 out[4] = {};
    EXPECT_EQ(ring.pop(out, 4, old), 0);
    EXPECT_EQ(ring.available(), 2);
    ASSERT_EQ(ring.pop(out, 4, next), 2);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[1], 3);
}
