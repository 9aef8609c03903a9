#include "engine/effects/SpaceEffect.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double sweepHz = 0.3;
constexpr double minDelayMs = 1.0;
constexpr double maxDelayMs = 7.0;
constexpr float flangeFeedback = 0.6f;
// Mixed in at equal strength, the sweeping notches hide the words' formants.
constexpr float flangeMix = 0.4f;
constexpr double echoSeconds = 0.27;
// Loud repeats are heard as words of their own; the echo stays in the background.
constexpr float echoFeedback = 0.15f;
constexpr float echoLevel = 0.06f;
} // namespace

SpaceEffect::SpaceEffect(int sampleRate)
    : m_rate(sampleRate), m_flange(int(maxDelayMs * sampleRate / 1000.0) + 4),
      m_echo(int(echoSeconds * sampleRate) + 1), m_echoDelay(int(echoSeconds * sampleRate))
{
}

void SpaceEffect::process(float *samples, int count)
{
    const double step = 2.0 * std::numbers::pi * sweepHz / m_rate;
    for (int i = 0; i < count; ++i) {
        const double sweep = 0.5 * (1.0 + std::sin(m_phase));
        m_phase = std::fmod(m_phase + step, 2.0 * std::numbers::pi);
        const double delay = (minDelayMs + sweep * (maxDelayMs - minDelayMs)) * m_rate / 1000.0;
        const float x = samples[i];
        const float flanged = m_flange.readFractional(delay);
        m_flange.write(x + flanged * flangeFeedback);
        const float metal = 0.55f * (x + flangeMix * flanged);
        const float echo = m_echo.read(m_echoDelay);
        m_echo.write(metal + echo * echoFeedback);
        samples[i] = 0.8f * (metal + echoLevel * echo);
    }
}
