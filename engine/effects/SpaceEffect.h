#pragma once

#include "engine/effects/DelayLine.h"
#include "engine/effects/SoundEffect.h"

// Metallic space radio: a slow, deep flanger with strong feedback and a
// repeating echo behind it.
class SpaceEffect : public SoundEffect
{
public:
    explicit SpaceEffect(int sampleRate);
    void process(float *samples, int count) override;
    double tailSeconds() const override { return 2.0; }

private:
    int m_rate;
    DelayLine m_flange;
    DelayLine m_echo;
    int m_echoDelay;
    double m_phase = 0;
};
