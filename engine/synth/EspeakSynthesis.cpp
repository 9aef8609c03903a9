#include "engine/synth/EspeakSynthesis.h"

#include "engine/synth/TextChunker.h"
#include "engine/mouth/Viseme.h"

#include <espeak-ng/speak_lib.h>

#include "engine/EngineLog.h"

#include <cstring>
#include <mutex>



namespace {
// Short buffers: the first sound of a long text is not held back.
constexpr int bufferMs = 40;

std::mutex &espeakLock()
{
    static std::mutex lock;
    return lock;
}

struct Setup
{
    int rate = 0;
    QString error;
    QByteArray voice;
    int espeakRate = -1;
    int espeakPitch = -1;
};

Setup &setup()
{
    static Setup state;
    return state;
}

int trampoline(short *samples, int count, espeak_EVENT *events)
{
    auto *self = static_cast<EspeakSynthesis *>(events ? events->user_data : nullptr);
    return self ? self->onSamples(samples, count, events) : 1;
}

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, bufferMs, nullptr,
                                           espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
        if (rate <= 0) {
            setup().error = QStringLiteral("espeak-ng could not be initialised (no voice data?)");
            qCWarning(lcEngine) << setup().error;
            return;
        }
        espeak_SetSynthCallback(trampoline);
        setup().rate = rate;
    });
}

// Applies only what changed: selecting a voice reloads its files.
bool configure(const SpeechJob &job)
{
    Setup &s = setup();
    if (s.voice != job.voice.espeakVoice) {
        if (espeak_SetVoiceByName(job.voice.espeakVoice.constData()) != EE_OK)
            return false;
        s.voice = job.voice.espeakVoice;
        s.espeakRate = s.espeakPitch = -1;
    }
    if (s.espeakRate != job.settings.espeakRate)
        espeak_SetParameter(espeakRATE, job.settings.espeakRate, 0);
    if (s.espeakPitch != job.settings.espeakPitch)
        espeak_SetParameter(espeakPITCH, job.settings.espeakPitch, 0);
    s.espeakRate = job.settings.espeakRate;
    s.espeakPitch = job.settings.espeakPitch;
    return true;
}
} // namespace

std::mutex &EspeakSynthesis::libraryLock()
{
    return espeakLock();
}

int EspeakSynthesis::sampleRate()
{
    std::lock_guard lock(espeakLock());
    initialiseOnce();
    return setup().rate;
}

QString EspeakSynthesis::initialisationError()
{
    sampleRate();
    return setup().error;
}

EspeakSynthesis::EspeakSynthesis(SpeechJob &job, SampleRing &ring)
    : m_job(job), m_ring(ring), m_pipeline(sampleRate(), job.settings.slowdown, job.voice.effect),
      m_rate(sampleRate())
{
}

JobOutcome EspeakSynthesis::run()
{
    JobOutcome outcome{m_job.generation, m_job.writer != nullptr, {}};
    m_streamStart = m_job.writer ? 0 : m_ring.writePosition();
    if (m_rate <= 0) {
        outcome.error = initialisationError();
        return outcome;
    }
    const QString &text = m_job.text;
    for (qsizetype from = 0; from < text.size() && !m_stopped && stillWanted();) {
        const qsizetype to = TextChunker::nextEnd(text, from);
        if (!synthesisePiece(from, to))
            break;
        from = to;
    }
    if (!m_stopped && stillWanted())
        m_pipeline.finish([this](const qint16 *s, qint64 n) { return deliver(s, n); });
    if (!m_job.writer)
        pushShape(m_ring.writePosition(), int(Viseme::Rest));
    else if (!m_job.writer->commit())
        outcome.error = m_job.writer->error();
    return outcome;
}

bool EspeakSynthesis::synthesisePiece(qsizetype from, qsizetype to)
{
    const QString piece = m_job.text.mid(from, to - from);
    m_pieceOffset = from;
    m_pieceStart = m_synthesised;
    m_codePointOffsets.clear();
    for (qsizetype i = 0; i < piece.size(); ++i) {
        if (piece.at(i).isHighSurrogate()) {
            for (qsizetype j = 0; j < piece.size(); ++j)
                if (!piece.at(j).isLowSurrogate())
                    m_codePointOffsets.push_back(j);
            break;
        }
    }
    const QByteArray utf8 = piece.toUtf8();
    std::lock_guard lock(espeakLock());
    if (!configure(m_job)) {
        m_stopped = true;
        return false;
    }
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, this);
    return result == EE_OK && !m_stopped;
}

int EspeakSynthesis::onSamples(short *samples, int count, const espeak_EVENT *events)
{
    for (const espeak_EVENT *e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e)
        handleEvent(*e);
    if (samples && count > 0) {
        m_synthesised += count;
        if (!m_pipeline.feed(samples, count, [this](const qint16 *s, qint64 n) { return deliver(s, n); }))
            m_stopped = true;
    }
    if (!stillWanted())
        m_stopped = true;
    return m_stopped ? 1 : 0;
}

void EspeakSynthesis::handleEvent(const espeak_EVENT &event)
{
    if (m_job.writer)
        return; // nobody watches a recording
    switch (event.type) {
    case espeakEVENT_PHONEME: {
        char name[sizeof(event.id.string) + 1] = {};
        std::memcpy(name, event.id.string, sizeof(event.id.string));
        pushShape(streamPosition(event.audio_position), int(visemeForPhoneme(QString::fromLatin1(name))));
        break;
    }
    case espeakEVENT_WORD: {
        const int start = textPosition(event.text_position - 1);
        const int end = textPosition(event.text_position - 1 + event.length);
        m_ring.pushEvent({streamPosition(event.audio_position), StreamEvent::Word, start, end - start},
                         m_job.generation);
        break;
    }
    case espeakEVENT_END:
    case espeakEVENT_MSG_TERMINATED:
        pushShape(streamPosition(event.audio_position), int(Viseme::Rest));
        break;
    default:
        break;
    }
}

qint64 EspeakSynthesis::streamPosition(int audioMs) const
{
    const qint64 synthesised = m_pieceStart + qint64(audioMs) * m_rate / 1000;
    return m_streamStart + m_pipeline.outputPosition(synthesised);
}

int EspeakSynthesis::textPosition(int characterIndex) const
{
    qsizetype index = std::max(characterIndex, 0);
    if (!m_codePointOffsets.empty())
        index = index < qsizetype(m_codePointOffsets.size()) ? m_codePointOffsets[size_t(index)]
                                                              : m_job.text.size() - m_pieceOffset;
    return int(std::min<qsizetype>(m_pieceOffset + index, m_job.text.size()));
}

void EspeakSynthesis::pushShape(qint64 position, int shape)
{
    m_ring.pushEvent({position, StreamEvent::Shape, shape, 0}, m_job.generation);
}

bool EspeakSynthesis::deliver(const qint16 *samples, qint64 count)
{
    if (m_job.writer)
        return stillWanted() && m_job.writer->write(samples, count);
    return m_ring.push(samples, count, m_job.generation);
}

bool EspeakSynthesis::stillWanted() const
{
    return m_ring.generation() == m_job.generation;
}
