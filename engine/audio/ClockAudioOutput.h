#pragma once

#include "engine/audio/AudioOutput.h"

#include <QElapsedTimer>

#include <atomic>

// An output that only keeps time: the silent clock at real-time pace when no
// device can be reached, or one that consumes everything at once, or one a
// test advances by hand. Its counts may be read from any thread.
class ClockAudioOutput : public AudioOutput
{
public:
    enum class Pace { RealTime, Immediate, Manual };

    explicit ClockAudioOutput(Pace pace, QString deviceError = {});

    void start(int sampleRate) override;
    qint64 freeSamples() const override;
    qint64 write(const qint16 *samples, qint64 count) override;
    qint64 playedSamples() const override;
    void suspend() override;
    void resume() override;
    void reset() override;
    QString deviceError() const override { return m_deviceError; }
    bool followsClock() const override { return m_pace != Pace::Manual; }

    // Manual pace: plays this many more of the samples written (never beyond them).
    void advance(qint64 samples);
    bool isSuspended() const { return m_suspended; }
    qint64 writtenSamples() const { return m_written; }
    int sampleRate() const { return m_rate; }
    // Timestamp (ms of a steady clock) of the first write since start or reset, -1 before.
    qint64 firstWriteMs() const { return m_firstWriteMs; }

private:
    void catchUp() const;
    void restartClock();

    Pace m_pace;
    QString m_deviceError;
    int m_rate = 22050;
    std::atomic<qint64> m_written = 0;
    mutable std::atomic<qint64> m_played = 0;
    qint64 m_base = 0; // played when the clock last started
    bool m_suspended = false;
    std::atomic<qint64> m_firstWriteMs = -1;
    mutable QElapsedTimer m_clock;
};
