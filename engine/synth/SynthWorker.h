#pragma once

#include "engine/synth/SpeechJob.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SampleRing;

// The engine's synthesis thread: jobs run in the order given, each through
// its voice's synthesiser, into the ring (playing) or a wave file.
class SynthWorker
{
public:
    // Called on the worker thread when a job has ended, however it ended.
    using Finished = std::function<void(const JobOutcome &)>;

    SynthWorker(SampleRing &ring, Finished finished);
    ~SynthWorker();

    static int sampleRate();
    // Empty when the voice's synthesiser can speak, else why not.
    static QString startError(const VoiceEntry &voice);

    void enqueue(SpeechJob job);
    // Drops the queue and stops the job under way; returns once it has wound
    // down (a recording stopped this way is committed with what it holds).
    void cancelAll();

private:
    void run();
    JobOutcome perform(SpeechJob &job);
    void markReading(const SpeechJob &job, qint32 reading);

    SampleRing &m_ring;
    Finished m_finished;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<SpeechJob> m_queue;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;
};
