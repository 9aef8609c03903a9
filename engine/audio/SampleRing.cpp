#include "engine/audio/SampleRing.h"

#include <algorithm>

SampleRing::SampleRing(qint64 capacity) : m_buffer(size_t(std::max<qint64>(capacity, 1))) {}

bool SampleRing::push(const qint16 *samples, qint64 count, quint64 generation)
{
    const qint64 size = capacity();
    while (count > 0) {
        bool wasEmpty = false;
        {
            std::unique_lock lock(m_mutex);
            m_space.wait(lock, [&] { return m_count < size || m_generation != generation; });
            if (m_generation != generation)
                return false;
            wasEmpty = m_count == 0;
            const qint64 chunk = std::min(count, size - m_count);
            for (qint64 i = 0; i < chunk; ++i)
                m_buffer[size_t((m_readIndex + m_count + i) % size)] = samples[i];
            m_count += chunk;
            m_written += chunk;
            samples += chunk;
            count -= chunk;
        }
        if (wasEmpty && m_onData)
            m_onData();
    }
    return m_generation == generation;
}

void SampleRing::pushEvent(const StreamEvent &event, quint64 generation)
{
    std::lock_guard lock(m_mutex);
    if (m_generation == generation)
        m_events.push_back(event);
}

qint64 SampleRing::writePosition() const
{
    std::lock_guard lock(m_mutex);
    return m_written;
}

qint64 SampleRing::pop(qint16 *out, qint64 max)
{
    return pop(out, max, m_generation.load());
}

qint64 SampleRing::pop(qint16 *out, qint64 max, quint64 generation)
{
    std::lock_guard lock(m_mutex);
    if (m_generation != generation)
        return 0;
    const qint64 size = capacity();
    const qint64 chunk = std::min(max, m_count);
    for (qint64 i = 0; i < chunk; ++i)
        out[i] = m_buffer[size_t((m_readIndex + i) % size)];
    m_readIndex = (m_readIndex + chunk) % size;
    m_count -= chunk;
    if (chunk > 0)
        m_space.notify_all();
    return chunk;
}

qint64 SampleRing::available() const
{
    std::lock_guard lock(m_mutex);
    return m_count;
}

std::vector<StreamEvent> SampleRing::takeEvents()
{
    std::lock_guard lock(m_mutex);
    std::vector<StreamEvent> events(m_events.begin(), m_events.end());
    m_events.clear();
    return events;
}

void SampleRing::clear()
{
    std::lock_guard lock(m_mutex);
    ++m_generation;
    m_readIndex = 0;
    m_count = 0;
    m_written = 0;
    m_events.clear();
    m_space.notify_all();
}
