#include "engine/effects/WhisperEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double hopSeconds = 0.010; // 20 ms frames, half overlapping: they follow a consonant
constexpr float emphasis = 0.9f;
// Noise for the filter to settle on before the frame starts, so no frame opens with a click.
constexpr int settleSamples = 64;

std::vector<float> periodicHann(int length)
{
    std::vector<float> w(static_cast<size_t>(length));
    for (int n = 0; n < length; ++n)
        w[size_t(n)] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / length));
    return w;
}
} // namespace

WhisperEffect::WhisperEffect(int sampleRate)
    : m_rate(sampleRate), m_hop(std::max(8, int(std::lround(hopSeconds * sampleRate)))), m_frame(2 * m_hop),
      m_predictor(sampleRate / 1000 + 8, sampleRate), m_analysisWindow(periodicHann(m_frame)),
      m_synthesisWindow(size_t(m_frame)), m_input(size_t(m_frame)), m_windowed(size_t(m_frame)),
      m_synthesised(size_t(m_frame + settleSamples)), m_history(size_t(m_predictor.order())),
      m_overlap(size_t(m_frame)), m_ready(size_t(m_hop))
{
    m_analysisPower = 0;
    for (int n = 0; n < m_frame; ++n) {
        m_analysisPower += double(m_analysisWindow[size_t(n)]) * m_analysisWindow[size_t(n)];
        // Independent noise frames add up in power: the square root of a Hann keeps it level.
        m_synthesisWindow[size_t(n)] = std::sqrt(m_analysisWindow[size_t(n)]);
    }
}

void WhisperEffect::process(float *samples, int count)
{
    for (int i = 0; i < count; ++i)
        samples[i] = take(samples[i]);
}

float WhisperEffect::take(float x)
{
    const float out = m_ready[size_t(m_filled)] + emphasis * m_lastOutput;
    m_lastOutput = out;
    m_input[size_t(m_hop + m_filled)] = x - emphasis * m_lastInput;
    m_lastInput = x;
    if (++m_filled == m_hop) {
        finishHop();
        m_filled = 0;
    }
    return out;
}

void WhisperEffect::finishHop()
{
    for (int n = 0; n < m_frame; ++n)
        m_windowed[size_t(n)] = m_input[size_t(n)] * m_analysisWindow[size_t(n)];
    const double error = m_predictor.analyse(m_windowed.data(), m_frame);
    if (error > 0)
        synthesiseFrame(std::sqrt(error / m_analysisPower));

    std::copy(m_overlap.begin(), m_overlap.begin() + m_hop, m_ready.begin());
    std::copy(m_overlap.begin() + m_hop, m_overlap.end(), m_overlap.begin());
    std::fill(m_overlap.begin() + m_hop, m_overlap.end(), 0.0f);
    std::copy(m_input.begin() + m_hop, m_input.end(), m_input.begin());
}

void WhisperEffect::synthesiseFrame(double gain)
{
    const auto &a = m_predictor.coefficients();
    const int order = m_predictor.order();
    std::fill(m_history.begin(), m_history.end(), 0.0);
    int newest = 0;
    for (int n = 0; n < m_frame + settleSamples; ++n) {
        double y = gain * noise();
        for (int k = 1; k <= order; ++k) {
            int index = newest - k;
            if (index < 0)
                index += order;
            y -= a[size_t(k)] * m_history[size_t(index)];
        }
        m_history[size_t(newest)] = y;
        if (++newest == order)
            newest = 0;
        m_synthesised[size_t(n)] = y;
    }
    for (int n = 0; n < m_frame; ++n)
        m_overlap[size_t(n)] +=
            float(m_synthesised[size_t(n + settleSamples)]) * m_synthesisWindow[size_t(n)];
}

// Uniform white noise of unit variance from a small xorshift, the same on every run.
float WhisperEffect::noise()
{
    m_seed ^= m_seed << 13;
    m_seed ^= m_seed >> 17;
    m_seed ^= m_seed << 5;
    constexpr float toUnit = 1.0f / 4294967296.0f;
    return (float(m_seed) * toUnit - 0.5f) * 3.4641016f;
}
