#pragma once

#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// Something heard at a given sample of the stream: a phoneme (mouth shape), a word,
// or the start of a reading (its number; 0 when a reading has ended).
struct StreamEvent
{
    enum Kind { Shape, Word, Reading };
    qint64 sample = 0;
    Kind kind = Shape;
    int first = 0;  // mouth shape, the word's position in the text, or the reading's number
    int second = 0; // the word's length
};

// The bounded buffer between the synthesis thread and playback. The producer
// blocks while it is full, so a long text never fills memory; clear() drops
// everything and turns away the producer's stale pushes by generation.
class SampleRing
{
public:
    explicit SampleRing(qint64 capacity);

    quint64 generation() const { return m_generation.load(); }
    // Blocks while full. False when the generation is no longer current.
    bool push(const qint16 *samples, qint64 count, quint64 generation);
    void pushEvent(const StreamEvent &event, quint64 generation);
    // Samples pushed since the last clear: the stream position of the producer.
    qint64 writePosition() const;

    // Consumer side, never blocks.
    qint64 pop(qint16 *out, qint64 max);
    // Nothing unless the samples are still of this generation: a consumer that has not yet
    // caught up with a clear() never takes the next speech's start for the old one's.
    qint64 pop(qint16 *out, qint64 max, quint64 generation);
    qint64 available() const;
    std::vector<StreamEvent> takeEvents();

    void clear();
    // Called by the producer when the buffer goes from empty to holding data.
    void setDataCallback(std::function<void()> callback) { m_onData = std::move(callback); }
    qint64 capacity() const { return qint64(m_buffer.size()); }

private:
    std::vector<qint16> m_buffer;
    std::deque<StreamEvent> m_events;
    qint64 m_readIndex = 0;
    qint64 m_count = 0;
    qint64 m_written = 0;
    std::atomic<quint64> m_generation{1};
    mutable std::mutex m_mutex;
    std::condition_variable m_space;
    std::function<void()> m_onData;
};
