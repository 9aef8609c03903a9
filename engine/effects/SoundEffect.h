#pragma once

#include "engine/effects/VoiceEffect.h"

#include <memory>

// Signal processing on synthesised speech, in place on samples in -1..1.
// The same chain serves playback and recording.
class SoundEffect
{
public:
    virtual ~SoundEffect() = default;
    virtual void process(float *samples, int count) = 0;
    // How long the effect keeps sounding after its input falls silent.
    virtual double tailSeconds() const { return 0.0; }

    // nullptr for a voice without treatment.
    static std::unique_ptr<SoundEffect> create(VoiceEffect effect, int sampleRate);
};
