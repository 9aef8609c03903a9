#include "engine/synth/EspeakSynthesis.h"

#include "engine/synth/SynthLog.h"
#include "engine/synth/TextChunker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace {
// Short buffers: the first sound of a long text is not held back.
constexpr int bufferMs = 40;
constexpr int espeakSlowest = 80;

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
        if (rate <= 0)
            setup().error = QStringLiteral("espeak-ng could not be initialised (no voice data?)");
        else if (rate != Synthesis::sampleRate)
            setup().error = QStringLiteral("espeak-ng speaks at %1 Hz, not at the engine's rate").arg(rate);
        if (!setup().error.isEmpty()) {
            qCWarning(lcSynth) << setup().error;
            return;
        }
        espeak_SetSynthCallback(trampoline);
        setup().rate = rate;
    });
}

// Applies only what changed: selecting a voice reloads its files.
bool configure(const QByteArray &voice, const EspeakSynthesis::Controls &controls)
{
    Setup &s = setup();
    if (s.voice != voice) {
        if (espeak_SetVoiceByName(voice.constData()) != EE_OK)
            return false;
        s.voice = voice;
        s.espeakRate = s.espeakPitch = -1;
    }
    if (s.espeakRate != controls.rate)
        espeak_SetParameter(espeakRATE, controls.rate, 0);
    if (s.espeakPitch != controls.pitch)
        espeak_SetParameter(espeakPITCH, controls.pitch, 0);
    s.espeakRate = controls.rate;
    s.espeakPitch = controls.pitch;
    return true;
}
} // namespace

std::mutex &EspeakSynthesis::libraryLock()
{
    return espeakLock();
}

EspeakSynthesis::Controls EspeakSynthesis::controls(const VoiceEntry &voice, const VoiceSettings &settings)
{
    Controls c;
    const int speed = std::max(settings.wordsPerMinute, 1);
    c.rate = std::max(speed, espeakSlowest);
    c.slowdown = speed < espeakSlowest ? double(espeakSlowest) / speed : 1.0;
    // espeak-ng's pitch 0..100 scales the voice's pitch by 2^((p - 50) / 50).
    const double steps = 50.0 + 50.0 * std::log2(double(settings.pitchHertz) / voice.basePitch);
    c.pitch = std::clamp(int(std::lround(steps)), 0, 100);
    return c;
}

// Not under the library's lock: the worker holds that while it waits for room in the ring,
// and a Speak() on the GUI thread waiting for it would never let the ring drain.
QString EspeakSynthesis::startError()
{
    initialiseOnce();
    return setup().error;
}

EspeakSynthesis::EspeakSynthesis(SpeechJob &job, SampleRing &ring)
    : Synthesis(job, ring, controls(job.voice, job.settings).slowdown),
      m_controls(controls(job.voice, job.settings))
{
}

void EspeakSynthesis::synthesise()
{
    const QString &text = job().text;
    for (qsizetype from = 0; from < text.size() && !stopped();) {
        const qsizetype to = TextChunker::nextEnd(text, from);
        if (!synthesisePiece(from, to))
            break;
        from = to;
    }
}

bool EspeakSynthesis::synthesisePiece(qsizetype from, qsizetype to)
{
    const QString piece = job().text.mid(from, to - from);
    m_pieceOffset = from;
    m_pieceStart = synthesised();
    m_codePointOffsets.clear();
    if (std::any_of(piece.begin(), piece.end(), [](QChar c) { return c.isHighSurrogate(); }))
        for (qsizetype j = 0; j < piece.size(); ++j)
            if (!piece.at(j).isLowSurrogate())
                m_codePointOffsets.push_back(j);
    const QByteArray utf8 = piece.toUtf8();
    std::lock_guard lock(espeakLock());
    if (!configure(job().voice.voice, m_controls)) {
        fail(QStringLiteral("espeak-ng cannot load the voice of %1 (%2)")
                 .arg(job().voice.name, QString::fromLatin1(job().voice.voice)));
        return false;
    }
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, this);
    if (result != EE_OK)
        fail(QStringLiteral("espeak-ng stopped speaking %1 with error %2").arg(job().voice.name).arg(int(result)));
    return result == EE_OK && !stopped();
}

int EspeakSynthesis::onSamples(short *samples, int count, const espeak_EVENT *events)
{
    for (const espeak_EVENT *e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e)
        handleEvent(*e);
    if (samples && count > 0)
        feed(samples, count);
    return stopped() ? 1 : 0;
}

void EspeakSynthesis::handleEvent(const espeak_EVENT &event)
{
    if (!watched())
        return;
    switch (event.type) {
    case espeakEVENT_PHONEME: {
        char name[sizeof(event.id.string) + 1] = {};
        std::memcpy(name, event.id.string, sizeof(event.id.string));
        pushShape(positionOf(event.audio_position), visemeForPhoneme(QString::fromLatin1(name)));
        break;
    }
    case espeakEVENT_WORD: {
        const int start = textPosition(event.text_position - 1);
        const int end = textPosition(event.text_position - 1 + event.length);
        pushWord(positionOf(event.audio_position), start, end - start);
        break;
    }
    case espeakEVENT_END:
    case espeakEVENT_MSG_TERMINATED:
        pushShape(positionOf(event.audio_position), Viseme::Rest);
        break;
    default:
        break;
    }
}

qint64 EspeakSynthesis::positionOf(int audioMs) const
{
    return streamPosition(m_pieceStart + qint64(audioMs) * sampleRate / 1000);
}

int EspeakSynthesis::textPosition(int characterIndex) const
{
    qsizetype index = std::max(characterIndex, 0);
    if (!m_codePointOffsets.empty())
        index = index < qsizetype(m_codePointOffsets.size()) ? m_codePointOffsets[size_t(index)]
                                                             : job().text.size() - m_pieceOffset;
    return int(std::min<qsizetype>(m_pieceOffset + index, job().text.size()));
}
