#pragma once

#include "engine/effects/FormantKeepingShift.h"
#include "engine/effects/SoundEffect.h"
#include "engine/effects/VoiceEffect.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

struct sonicStreamStruct;

// What happens to synthesised samples on the way out: slowed down below the
// synthesiser's slowest clean rate (sonic), or, where the synthesiser cannot
// move the pitch, slowed and moved with the formants kept; then the voice's
// effect, then back to 16 bits.
class SpeechPipeline
{
public:
    // Takes samples; false stops the pipeline (the speech was stopped).
    using Sink = std::function<bool(const qint16 *samples, qint64 count)>;

    SpeechPipeline(int sampleRate, double slowdown, VoiceEffect effect, double pitchShift = 1.0);
    ~SpeechPipeline();
    SpeechPipeline(const SpeechPipeline &) = delete;
    SpeechPipeline &operator=(const SpeechPipeline &) = delete;

    bool feed(const qint16 *samples, qint64 count, const Sink &sink);
    // Flushes the stretcher and lets the effect ring out.
    bool finish(const Sink &sink);
    // Where a synthesised sample lands in the pipeline's output.
    qint64 outputPosition(qint64 synthesisedSample) const;

private:
    bool shift(const qint16 *samples, qint64 count, const Sink &sink);
    bool stretch(const qint16 *samples, qint64 count, const Sink &sink);
    bool drainStretcher(const Sink &sink);
    bool applyEffect(const qint16 *samples, qint64 count, const Sink &sink);
    bool ringOut(const Sink &sink);

    int m_rate;
    double m_slowdown;
    sonicStreamStruct *m_stretcher = nullptr;
    std::unique_ptr<FormantKeepingShift> m_shift;
    std::vector<qint16> m_shifted;
    std::unique_ptr<SoundEffect> m_effect;
    std::vector<float> m_floats;
    std::vector<qint16> m_shorts;
};
