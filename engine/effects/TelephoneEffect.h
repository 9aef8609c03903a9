#pragma once

#include "engine/effects/Biquad.h"
#include "engine/effects/SoundEffect.h"

#include <array>

// The telephone band (300-3400 Hz, steep on both sides) and a touch of the
// soft clipping of a cheap earpiece.
class TelephoneEffect : public SoundEffect
{
public:
    explicit TelephoneEffect(int sampleRate);
    void process(float *samples, int count) override;

private:
    std::array<Biquad, 2> m_highPass;
    std::array<Biquad, 2> m_lowPass;
};
