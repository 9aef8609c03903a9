#include "engine/synth/SynthWorker.h"

#include "engine/audio/SampleRing.h"
#include "engine/synth/Synthesis.h"

SynthWorker::SynthWorker(SampleRing &ring, Finished finished)
    : m_ring(ring), m_finished(std::move(finished)), m_thread([this] { run(); })
{
}

SynthWorker::~SynthWorker()
{
    cancelAll();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

int SynthWorker::sampleRate()
{
    return Synthesis::sampleRate;
}

QString SynthWorker::startError(const VoiceEntry &voice)
{
    return Synthesis::startError(voice);
}

void SynthWorker::enqueue(SpeechJob job)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_wake.notify_all();
}

void SynthWorker::cancelAll()
{
    std::deque<SpeechJob> dropped;
    std::unique_lock lock(m_mutex);
    dropped.swap(m_queue);
    m_ring.clear();
    m_idle.wait(lock, [this] { return !m_busy; });
}

void SynthWorker::run()
{
    for (;;) {
        SpeechJob job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || !m_queue.empty(); });
            if (m_quit)
                return;
            job = std::move(m_queue.front());
            m_queue.pop_front();
            if (job.generation != m_ring.generation())
                continue;
            m_busy = true;
        }
        markReading(job, job.reading);
        const JobOutcome outcome = Synthesis::create(job, m_ring)->run();
        markReading(job, 0);
        job.writer.reset();
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_idle.notify_all();
        if (m_finished)
            m_finished(outcome);
    }
}

// Word positions refer to the text of one reading; the marks say which one is heard.
void SynthWorker::markReading(const SpeechJob &job, qint32 reading)
{
    if (!job.writer)
        m_ring.pushEvent({m_ring.writePosition(), StreamEvent::Reading, reading, 0}, job.generation);
}
