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
    // Drops the queue and tells the job under way to stop, without waiting for it:
    // it winds down on the worker (a recording stopped this way is saved with what it
    // holds) and reports its end like any other. True when that job is a recording,
    // whose end then tells how its last save went.
    bool cancelAll();

private:
    void run();
    JobOutcome perform(SpeechJob &job);
    void markReading(const SpeechJob &job, qint32 reading);

    SampleRing &m_ring;
    Finished m_finished;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SpeechJob> m_queue;
    bool m_recording = false; // the job under way writes a file
    bool m_quit = false;
    std::thread m_thread;
};
