#pragma once

#include "engine/audio/AudioOutput.h"

#include <QString>

#include <atomic>

#include <memory>
#include <mutex>
#include <vector>

class QObject;
class QThread;
class QTimer;
class SampleRing;

// Moves the ring's samples into the output. An output that keeps time by itself
// is fed from a thread of its own, so that a busy window never leaves the sound
// without samples; one a test advances by hand is fed on the thread that made
// the feeder, when it looks. The output is only ever used on its feeding thread.
// A new generation of the ring (a stop) empties the output before anything of
// the new one reaches it.
class OutputFeeder
{
public:
    struct Progress
    {
        qint64 handed = 0;    // samples of the ring's current generation given to the output
        qint64 played = 0;    // of those, the ones heard
        bool drained = false; // the ring and the feeder are empty, and all of it was heard
    };

    OutputFeeder(std::unique_ptr<AudioOutput> output, SampleRing &ring, int sampleRate);
    ~OutputFeeder();
    OutputFeeder(const OutputFeeder &) = delete;
    OutputFeeder &operator=(const OutputFeeder &) = delete;

    Progress progress();
    // Samples came, the ring was cleared or the pause changed: feed now.
    void wake();
    void setPaused(bool paused);
    bool isDevice() const;
    QString deviceError() const;

private:
    void pass();
    void restartOutput(quint64 generation);
    void applyPause();
    bool moveSamples();
    bool onFeedingThread() const;
    void noteDevice();

    std::unique_ptr<AudioOutput> m_output;
    SampleRing &m_ring;
    std::unique_ptr<QThread> m_thread;     // none: fed on the owner's thread
    QObject *m_context = nullptr;          // lives on the feeding thread, which deletes it
    QTimer *m_timer = nullptr;             // a child of m_context
    bool m_outputPaused = false;           // feeding thread only
    std::atomic_bool m_wantPaused = false; // set by the owner without waiting for a pass
    mutable std::mutex m_mutex;            // guards what follows
    std::vector<qint16> m_carry;           // popped from the ring, not yet taken by the output
    quint64 m_generation = 0;
    qint64 m_handed = 0;
    qint64 m_played = 0;
    bool m_isDevice = false;
    QString m_deviceError;
};
