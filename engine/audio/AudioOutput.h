#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

// Where the engine's 16-bit mono samples go: the audio device, or a clock that
// consumes them (silently at real time, at once, or when a test says so).
// Lives on the GUI thread.
class AudioOutput
{
public:
    using Factory = std::function<std::unique_ptr<AudioOutput>()>;

    virtual ~AudioOutput() = default;

    // Opens the stream at this rate; position restarts at 0.
    virtual void start(int sampleRate) = 0;
    // How many samples write() would take now.
    virtual qint64 freeSamples() const = 0;
    // Hands samples over; returns how many were taken.
    virtual qint64 write(const qint16 *samples, qint64 count) = 0;
    // Samples actually played since start() (never more than written).
    virtual qint64 playedSamples() const = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
    // Drops everything not yet played; position restarts at 0.
    virtual void reset() = 0;

    // False when this output only keeps time (no sound reaches anyone).
    virtual bool isDevice() const { return false; }
    // Why no device was reached; empty when there is one or none was wanted.
    virtual QString deviceError() const { return {}; }
    // False for an output a test drives by hand: nobody should wait on it.
    virtual bool followsClock() const { return true; }

    // The device when one is reachable, else the silent real-time clock
    // (the failure is written to the event log once). A test factory wins.
    static std::unique_ptr<AudioOutput> create();
    // Every output created from now on comes from this factory; an empty one
    // puts the real device back.
    static void setFactoryForTests(Factory factory);

protected:
    // The event log hears of an unreachable device once per run.
    static void logDeviceFailure(const QString &reason);
};
