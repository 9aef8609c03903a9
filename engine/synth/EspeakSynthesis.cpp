#include "engine/synth/EspeakSynthesis.h"

#include "engine/synth/LanguageRates.h"
#include "engine/synth/Pacing.h"
#include "engine/synth/SynthLog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace {
// Short buffers: the first sound of a long text is not held back.
constexpr int bufferMs = 40;
constexpr int espeakSlowest = 80;
constexpr int espeakFastest = 450;

std::mutex &espeakLock()
{
    static std::mutex lock;
    return lock;
}

struct Setup
{
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
    // The rate at which the language's own words come at the slider's speed; below
    // espeak-ng's slowest the pipeline slows it.
    const LanguageRates::Curve curve = LanguageRates::of(voice.voice);
    const double speed = std::max(settings.wordsPerMinute, 1);
    const double rate = LanguageRates::rateFor(curve, speed);
    const Pacing::Slowing slowing =
        Pacing::slowing(LanguageRates::wordsAt(curve, espeakSlowest) / speed, 1.0);
    c.rate = slowing.pipeline > 1.0 ? espeakSlowest : std::min(int(std::lround(rate)), espeakFastest);
    c.slowdown = slowing.pipeline;
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
    : EspeakSynthesis(job, ring, controls(job.voice, job.settings))
{
}

EspeakSynthesis::EspeakSynthesis(SpeechJob &job, SampleRing &ring, const Controls &controls)
    : Synthesis(job, ring, controls.slowdown), m_controls(controls)
{
}

// Without espeak-ng's own pause at the end: the shared loop pauses by the punctuation.
void EspeakSynthesis::speak(const PieceText &piece)
{
    m_piece = &piece;
    m_pieceStart = synthesised();
    std::lock_guard lock(espeakLock());
    if (!configure(job().voice.voice, m_controls)) {
        fail(QStringLiteral("espeak-ng cannot load the voice of %1 (%2)")
                 .arg(job().voice.name, QString::fromLatin1(job().voice.voice)));
        m_piece = nullptr;
        return;
    }
    const espeak_ERROR result = espeak_Synth(piece.utf8().constData(), size_t(piece.utf8().size()) + 1, 0,
                                             POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, this);
    if (result != EE_OK)
        fail(QStringLiteral("espeak-ng stopped speaking %1 with error %2").arg(job().voice.name).arg(int(result)));
    m_piece = nullptr;
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
        const int start = m_piece->atCharacter(event.text_position - 1);
        const int end = m_piece->atCharacter(event.text_position - 1 + event.length);
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
