#pragma once

#include "engine/audio/AudioOutput.h"
#include "engine/audio/ClockAudioOutput.h"

#include <QAudioDevice>

#include <memory>

class QAudioSink;
class QIODevice;

// The audio server's default output through QAudioSink, fed in push mode.
// When the sink cannot be opened it falls back to the silent clock.
class QtAudioOutput : public AudioOutput
{
public:
    explicit QtAudioOutput(QAudioDevice device);
    ~QtAudioOutput() override;

    void start(int sampleRate) override;
    qint64 freeSamples() const override;
    qint64 write(const qint16 *samples, qint64 count) override;
    qint64 playedSamples() const override;
    void suspend() override;
    void resume() override;
    void reset() override;
    bool isDevice() const override { return !m_fallback; }
    QString deviceError() const override;

private:
    void openSink();
    void fallBack(const QString &reason);

    QAudioDevice m_device;
    int m_rate = 22050;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice *m_io = nullptr; // owned by the sink
    qint64 m_written = 0;
    bool m_suspended = false;
    std::unique_ptr<ClockAudioOutput> m_fallback;
};
