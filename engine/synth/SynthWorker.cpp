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
        if (job.ahead) // only the newest text is worth a head start
            std::erase_if(m_queue, [](const SpeechJob &queued) { return queued.ahead; });
        m_queue.push_back(std::move(job));
    }
    m_wake.notify_all();
}

bool SynthWorker::cancelAll()
{
    std::deque<SpeechJob> dropped; // their files, never begun, go when this does
    std::lock_guard lock(m_mutex);
    dropped.swap(m_queue);
    m_ring.clear(); // the job under way sees its generation gone at its next step
    return m_recording;
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
            m_recording = job.writer != nullptr;
        }
        if (job.ahead) {
            Synthesis::synthesiseAhead(job, m_ring);
            continue;
        }
        markReading(job, job.reading);
        const JobOutcome outcome = Synthesis::create(job, m_ring)->run();
        markReading(job, 0);
        job.writer.reset();
        if (m_finished)
            m_finished(outcome);
        std::lock_guard lock(m_mutex);
        m_recording = false; // only now: a stop before this line still hears of the save
    }
}

// Word positions refer to the text of one reading; the marks say which one is heard.
void SynthWorker::markReading(const SpeechJob &job, qint32 reading)
{
    if (!job.writer)
        m_ring.pushEvent({m_ring.writePosition(), StreamEvent::Reading, reading, 0}, job.generation);
}
