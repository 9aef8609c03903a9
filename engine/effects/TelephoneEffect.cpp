#include "engine/effects/TelephoneEffect.h"

#include <cmath>

TelephoneEffect::TelephoneEffect(int sampleRate)
{
    for (auto &f : m_highPass)
        f = Biquad::highPass(300.0, sampleRate);
    for (auto &f : m_lowPass)
        f = Biquad::lowPass(3400.0, sampleRate);
}

void TelephoneEffect::process(float *samples, int count)
{
    static const float drive = 2.0f;
    static const float norm = 1.0f / std::tanh(drive);
    for (int i = 0; i < count; ++i) {
        float x = samples[i];
        for (auto &f : m_highPass)
            x = f.process(x);
        for (auto &f : m_lowPass)
            x = f.process(x);
        samples[i] = std::tanh(drive * x * 1.4f) * norm * 0.6f;
    }
}
