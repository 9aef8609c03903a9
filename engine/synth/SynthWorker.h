#pragma once

#include "engine/synth/SpeechJob.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SampleRing;

// The thread that synthesises. espeak-ng's state is global to the process,
// so every worker takes one lock around it; jobs run in the order given,
// a piece of text at a time, into the ring (playing) or a wave file.
class SynthWorker
{
public:
    // Called on the worker thread when a job has ended, however it ended.
    using Finished = std::function<void(const JobOutcome &)>;

    SynthWorker(SampleRing &ring, Finished finished);
    ~SynthWorker();

    // espeak-ng's output rate; initialises it on first use.
    static int sampleRate();
    static bool available();

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
