#pragma once

#include "engine/effects/SoundEffect.h"

// Turns voiced speech into a whisper.
class WhisperEffect : public SoundEffect
{
public:
    explicit WhisperEffect(int sampleRate);
    void process(float *samples, int count) override;

private:
    int m_rate;
};
