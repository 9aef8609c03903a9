#include "engine/effects/RobotEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>

RobotEffect::Model RobotEffect::model(int number)
{
    switch (number) {
    case 1: return {30.0, 0.6, 0.0, 0.0f, 1, 16};
    case 2: return {0.0, 0.0, 4.0, 0.7f, 1, 16};
    case 3: return {60.0, 1.0, 0.0, 0.0f, 2, 8};
    case 4: return {0.0, 0.0, 9.0, 0.5f, 2, 16};
    case 5: return {110.0, 0.5, 2.5, 0.6f, 1, 16};
    default: return {0.0, 0.0, 0.0, 0.0f, 2, 9};
    }
}

RobotEffect::RobotEffect(int sampleRate, const Model &model)
    : m_rate(sampleRate), m_model(model), m_comb(int(model.combMs * sampleRate / 1000.0) + 1),
      m_combDelay(std::max(1, int(model.combMs * sampleRate / 1000.0)))
{
}

void RobotEffect::process(float *samples, int count)
{
    const double step = 2.0 * std::numbers::pi * m_model.ringHz / m_rate;
    const float levels = float(1 << (std::clamp(m_model.bits, 2, 16) - 1));
    for (int i = 0; i < count; ++i) {
        float x = samples[i];
        if (m_model.ringHz > 0) {
            const float carrier = float(std::sin(m_phase));
            m_phase = std::fmod(m_phase + step, 2.0 * std::numbers::pi);
            x = float(x * (1.0 - m_model.ringMix) + x * carrier * m_model.ringMix);
        }
        if (m_model.combMs > 0) {
            const float delayed = m_comb.read(m_combDelay);
            m_comb.write(x + delayed * m_model.combFeedback);
            x = 0.5f * (x + delayed);
        }
        if (m_model.holdSamples > 1) {
            if (m_held++ % m_model.holdSamples == 0)
                m_hold = x;
            x = m_hold;
        }
        if (m_model.bits < 16)
            x = std::round(x * levels) / levels;
        samples[i] = x;
    }
}
