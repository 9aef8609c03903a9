#include "engine/audio/QtAudioOutput.h"

#include <QAudioSink>

#include <algorithm>

QtAudioOutput::QtAudioOutput(QAudioDevice device) : m_device(std::move(device)) {}

QtAudioOutput::~QtAudioOutput()
{
    if (m_sink)
        m_sink->stop();
}

void QtAudioOutput::start(int sampleRate)
{
    m_rate = sampleRate;
    if (m_fallback) {
        m_fallback->start(sampleRate);
        return;
    }
    openSink();
}

void QtAudioOutput::openSink()
{
    if (m_sink)
        m_sink->stop();
    QAudioFormat format;
    format.setSampleRate(m_rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!m_device.isFormatSupported(format)) {
        fallBack(QStringLiteral("The audio device \"%1\" cannot play 16-bit mono at %2 Hz")
                     .arg(m_device.description())
                     .arg(m_rate));
        return;
    }
    // The backend's own buffer size: a larger one stalls the pulse stream's start.
    m_sink = std::make_unique<QAudioSink>(m_device, format);
    m_written = 0;
    m_io = m_sink->start();
    if (!m_io || m_sink->error() != QAudio::NoError) {
        fallBack(QStringLiteral("The audio device \"%1\" could not be opened (error %2)")
                     .arg(m_device.description())
                     .arg(int(m_sink->error())));
        return;
    }
    if (m_suspended)
        m_sink->suspend();
}

void QtAudioOutput::fallBack(const QString &reason)
{
    m_sink.reset();
    m_io = nullptr;
    m_fallback = std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime, reason);
    m_fallback->start(m_rate);
    if (m_suspended)
        m_fallback->suspend();
    logDeviceFailure(reason);
}

qint64 QtAudioOutput::freeSamples() const
{
    if (m_fallback)
        return m_fallback->freeSamples();
    return m_sink ? m_sink->bytesFree() / 2 : 0;
}

qint64 QtAudioOutput::write(const qint16 *samples, qint64 count)
{
    if (m_fallback)
        return m_fallback->write(samples, count);
    if (!m_io)
        return 0;
    const qint64 bytes = std::min<qint64>(count, freeSamples()) * 2;
    const qint64 done = bytes > 0 ? m_io->write(reinterpret_cast<const char *>(samples), bytes) : 0;
    const qint64 taken = std::max<qint64>(done, 0) / 2;
    m_written += taken;
    return taken;
}

qint64 QtAudioOutput::playedSamples() const
{
    if (m_fallback)
        return m_fallback->playedSamples();
    if (!m_sink)
        return 0;
    // Rounded: the sink counts whole microseconds, which may fall a hair short of the last sample.
    return std::min(m_written, (m_sink->processedUSecs() * m_rate + 500000) / 1000000);
}

void QtAudioOutput::suspend()
{
    m_suspended = true;
    if (m_fallback)
        m_fallback->suspend();
    else if (m_sink)
        m_sink->suspend();
}

void QtAudioOutput::resume()
{
    m_suspended = false;
    if (m_fallback)
        m_fallback->resume();
    else if (m_sink)
        m_sink->resume();
}

void QtAudioOutput::reset()
{
    m_suspended = false;
    if (m_fallback)
        m_fallback->reset();
    else
        openSink();
}

QString QtAudioOutput::deviceError() const
{
    return m_fallback ? m_fallback->deviceError() : QString();
}
