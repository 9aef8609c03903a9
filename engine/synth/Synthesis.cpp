#include "engine/synth/Synthesis.h"

#include "engine/audio/SampleRing.h"
#include "engine/synth/EspeakSynthesis.h"
#include "engine/synth/FliteSynthesis.h"
#include "engine/synth/Sentences.h"
#include "engine/synth/TextChunker.h"

#include <algorithm>
#include <vector>

std::unique_ptr<Synthesis> Synthesis::create(SpeechJob &job, SampleRing &ring)
{
    if (job.voice.synth == SynthKind::Flite)
        return std::make_unique<FliteSynthesis>(job, ring);
    return std::make_unique<EspeakSynthesis>(job, ring);
}

QString Synthesis::startError(const VoiceEntry &voice)
{
    return voice.synth == SynthKind::Flite ? FliteSynthesis::startError(voice.voice)
                                           : EspeakSynthesis::startError();
}

void Synthesis::synthesiseAhead(SpeechJob &job, SampleRing &ring)
{
    if (job.voice.synth == SynthKind::Flite && startError(job.voice).isEmpty())
        FliteSynthesis(job, ring).synthesiseAhead();
}

Synthesis::Synthesis(SpeechJob &job, SampleRing &ring, double slowdown, double pitchShift)
    : m_job(job), m_ring(ring), m_pipeline(sampleRate, slowdown, job.voice.effect, pitchShift),
      m_slowdown(slowdown)
{
}

// Pieces of at most TextChunker's length, cut further into their sentences:
// each sentence is said whole (only one too long for a piece is cut at a blank).
void Synthesis::synthesise()
{
    if (!begin()) {
        stop();
        return;
    }
    const QString &text = m_job.text;
    for (qsizetype from = 0; from < text.size() && !stopped();) {
        const qsizetype to = TextChunker::nextEnd(text, from);
        for (const Sentences::Span &span : Sentences::split(text.mid(from, to - from))) {
            if (stopped())
                return;
            speak(PieceText(text, from + span.start, from + span.end));
            const qint64 silence = pauseSamples(Pacing::breakAfter(text, from + span.end));
            if (silence > 0 && !stopped())
                pause(silence);
        }
        from = to;
    }
    if (!stopped())
        end();
}

std::optional<PieceText> Synthesis::firstSentence() const
{
    const QString &text = m_job.text;
    const QList<Sentences::Span> spans = Sentences::split(text.left(TextChunker::nextEnd(text, 0)));
    if (spans.empty())
        return std::nullopt;
    return PieceText(text, spans.front().start, spans.front().end);
}

qint64 Synthesis::pauseSamples(Pacing::Break kind) const
{
    const double seconds = Pacing::pauseSeconds(kind, m_job.settings.wordsPerMinute);
    return qint64(seconds * sampleRate / m_slowdown);
}

void Synthesis::pause(qint64 count)
{
    static const std::vector<qint16> silence(1024, 0);
    for (qint64 left = count; left > 0 && !stopped(); left -= qint64(silence.size()))
        feed(silence.data(), std::min<qint64>(left, qint64(silence.size())));
}

JobOutcome Synthesis::run()
{
    JobOutcome outcome;
    outcome.generation = m_job.generation;
    outcome.recorded = m_job.writer != nullptr;
    outcome.recording = m_job.writer ? m_job.writer->target() : QString();
    m_streamStart = m_job.writer ? 0 : m_ring.writePosition();
    const QString error = startError(m_job.voice);
    if (error.isEmpty()) {
        leadInSilence();
        synthesise();
    } else {
        fail(error);
    }
    if (!stopped())
        m_pipeline.finish([this](const qint16 *s, qint64 n) { return deliver(s, n); });
    if (!m_job.writer)
        pushShape(m_ring.writePosition(), Viseme::Rest);
    if (!m_failure.isEmpty()) {
        outcome.error = m_failure;
        outcome.code = JobOutcome::engineFailure;
        if (m_job.writer)
            m_job.writer->discard(); // a cut speech is not a recording of the text
    } else if (m_job.writer && !m_job.writer->commit()) {
        outcome.error = m_job.writer->error();
        outcome.code = m_job.writer->errorCode();
    }
    if (m_job.writer) {
        outcome.words = std::move(m_recordedWords);
        outcome.frames = m_job.writer->frames();
    }
    return outcome;
}

// Stream positions of the speech count from after the silence.
void Synthesis::leadInSilence()
{
    const std::vector<qint16> silence(size_t(std::max<qint64>(0, m_job.silenceBefore)), 0);
    if (!silence.empty() && deliver(silence.data(), qint64(silence.size())))
        m_streamStart += qint64(silence.size());
}

bool Synthesis::feed(const qint16 *samples, qint64 count)
{
    m_synthesised += count;
    const auto pipeline = [this](const qint16 *s, qint64 n) {
        return m_pipeline.feed(s, n, [this](const qint16 *d, qint64 k) { return deliver(d, k); });
    };
    if (!m_quietTail.take(samples, count, pipeline))
        m_stopped = true;
    return !stopped();
}

qint64 Synthesis::streamPosition(qint64 synthesisedSample) const
{
    return m_streamStart + m_pipeline.outputPosition(synthesisedSample);
}

void Synthesis::pushShape(qint64 position, Viseme shape)
{
    if (m_job.writer)
        return; // a recording has no mouth
    m_ring.pushEvent({position, StreamEvent::Shape, int(shape), 0}, m_job.generation);
}

void Synthesis::pushWord(qint64 position, int start, int length)
{
    if (m_job.writer) {
        m_recordedWords.push_back({position, start, length});
        return;
    }
    m_ring.pushEvent({position, StreamEvent::Word, start, length}, m_job.generation);
}

bool Synthesis::stopped()
{
    if (!stillWanted())
        m_stopped = true;
    return m_stopped;
}

void Synthesis::fail(const QString &why)
{
    if (stopped())
        return; // an abandoned job's trouble is nobody's news
    m_failure = why;
    m_stopped = true;
}

bool Synthesis::deliver(const qint16 *samples, qint64 count)
{
    if (m_job.writer)
        return stillWanted() && m_job.writer->write(samples, count);
    return m_ring.push(samples, count, m_job.generation);
}

bool Synthesis::stillWanted() const
{
    return m_ring.generation() == m_job.generation;
}
