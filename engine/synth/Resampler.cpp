#include "engine/synth/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace {
constexpr int halfWidth = 8; // input samples on each side of an output sample
constexpr int width = 2 * halfWidth;
constexpr double passBand = 0.92; // of the lower Nyquist frequency

double sinc(double x)
{
    return x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}
} // namespace

Resampler::Resampler(int fromRate, int toRate)
{
    const qint64 common = std::gcd(qint64(fromRate), qint64(toRate));
    m_up = toRate / common;
    m_down = fromRate / common;
    const double cutoff = passBand * std::min(1.0, double(toRate) / fromRate);
    m_taps.resize(size_t(m_up * width));
    for (qint64 phase = 0; phase < m_up; ++phase) {
        const double fraction = double(phase) / double(m_up);
        for (int k = 0; k < width; ++k) {
            const double x = double(k - halfWidth + 1) - fraction; // distance from the output instant
            const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * x / halfWidth);
            m_taps[size_t(phase * width + k)] = float(cutoff * sinc(cutoff * x) * window);
        }
    }
    m_history.assign(size_t(halfWidth - 1), 0.0f); // silence before the first sample
    m_historyStart = -(halfWidth - 1);
}

void Resampler::process(const qint16 *in, qint64 count, std::vector<qint16> &out)
{
    for (qint64 i = 0; i < count; ++i)
        m_history.push_back(float(in[i]));
    produce(out);
}

void Resampler::flush(std::vector<qint16> &out)
{
    m_history.insert(m_history.end(), size_t(width), 0.0f);
    produce(out);
}

void Resampler::produce(std::vector<qint16> &out)
{
    const qint64 available = m_historyStart + qint64(m_history.size()); // input samples held up to here
    for (;;) {
        const qint64 position = m_nextOutput * m_down; // in units of 1/m_up input samples
        const qint64 base = position / m_up;
        if (base + halfWidth >= available)
            break;
        const float *taps = &m_taps[size_t((position % m_up) * width)];
        const float *x = &m_history[size_t(base - (halfWidth - 1) - m_historyStart)];
        float sum = 0.0f;
        for (int k = 0; k < width; ++k)
            sum += taps[k] * x[k];
        out.push_back(qint16(std::lround(std::clamp(sum, -32768.0f, 32767.0f))));
        ++m_nextOutput;
    }
    // Keep only what the next output sample still needs.
    const qint64 needed = (m_nextOutput * m_down) / m_up - (halfWidth - 1);
    const qint64 drop = std::clamp<qint64>(needed - m_historyStart, 0, qint64(m_history.size()));
    m_history.erase(m_history.begin(), m_history.begin() + drop);
    m_historyStart += drop;
}
