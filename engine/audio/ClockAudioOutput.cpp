#include "engine/audio/ClockAudioOutput.h"

#include <algorithm>
#include <limits>

namespace {
// As much as a sound card's buffer holds ahead of what is heard.
constexpr double bufferSeconds = 0.25;
} // namespace

ClockAudioOutput::ClockAudioOutput(Pace pace, QString deviceError)
    : m_pace(pace), m_deviceError(std::move(deviceError))
{
}

void ClockAudioOutput::start(int sampleRate)
{
    m_rate = sampleRate;
    reset();
}

qint64 ClockAudioOutput::freeSamples() const
{
    if (m_pace == Pace::Immediate)
        return std::numeric_limits<qint32>::max();
    catchUp();
    const qint64 capacity = qint64(bufferSeconds * m_rate);
    return std::max<qint64>(0, capacity - (m_written.load() - m_played.load()));
}

qint64 ClockAudioOutput::write(const qint16 *, qint64 count)
{
    catchUp();
    const qint64 taken = std::min(count, freeSamples());
    if (taken > 0 && m_firstWriteMs < 0)
        m_firstWriteMs = QElapsedTimer().msecsSinceReference();
    if (taken > 0 && m_written == m_played)
        restartClock(); // after a gap the clock starts from this sample, not before it
    m_written += taken;
    if (m_pace == Pace::Immediate)
        m_played = m_written.load();
    return taken;
}

qint64 ClockAudioOutput::playedSamples() const
{
    catchUp();
    return m_played;
}

void ClockAudioOutput::suspend()
{
    catchUp();
    m_suspended = true;
    m_base = m_played.load();
}

void ClockAudioOutput::resume()
{
    if (!m_suspended)
        return;
    m_suspended = false;
    restartClock();
}

void ClockAudioOutput::reset()
{
    m_written = 0;
    m_played = 0;
    m_suspended = false;
    m_firstWriteMs = -1;
    restartClock();
}

void ClockAudioOutput::advance(qint64 samples)
{
    if (!m_suspended)
        m_played = std::min(m_written.load(), m_played.load() + std::max<qint64>(samples, 0));
}

void ClockAudioOutput::restartClock()
{
    m_base = m_played.load();
    m_clock.restart();
}

void ClockAudioOutput::catchUp() const
{
    if (m_pace != Pace::RealTime || m_suspended || !m_clock.isValid())
        return;
    m_played = std::min(m_written.load(), m_base + m_clock.nsecsElapsed() / 1000 * m_rate / 1000000);
}
