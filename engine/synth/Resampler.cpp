#include "engine/synth/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <numeric>

namespace {
constexpr int halfWidth = 8; // input samples on each side of an output sample
constexpr int width = 2 * halfWidth;
constexpr double passBand = 0.92; // of the lower Nyquist frequency

// Four products at a time in one vector register (GCC's and Clang's vector
// extension): written as a plain loop, the compiler keeps to one at a time.
using Lanes = float __attribute__((vector_size(16)));
constexpr int laneCount = int(sizeof(Lanes) / sizeof(float));
static_assert(width % laneCount == 0);

float dot(const float *taps, const float *x)
{
    Lanes sum = {};
    for (int k = 0; k < width; k += laneCount) {
        Lanes a, b;
        std::memcpy(&a, taps + k, sizeof a);
        std::memcpy(&b, x + k, sizeof b);
        sum += a * b;
    }
    return (sum[0] + sum[1]) + (sum[2] + sum[3]);
}

double sinc(double x)
{
    return x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}
} // namespace

Resampler::Resampler(int fromRate, int toRate)
{
    const qint64 common = std::gcd(qint64(fromRate), qint64(toRate));
    m_up = int(toRate / common);
    m_down = int(fromRate / common);
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
    // The next output instant steps on without a division per sample.
    while (m_nextBase + halfWidth < available) {
        const float *taps = &m_taps[size_t(m_nextPhase * width)];
        const float *x = &m_history[size_t(m_nextBase - (halfWidth - 1) - m_historyStart)];
        out.push_back(qint16(std::lrint(std::clamp(dot(taps, x), -32768.0f, 32767.0f))));
        for (m_nextPhase += m_down; m_nextPhase >= m_up; m_nextPhase -= m_up)
            ++m_nextBase;
    }
    // Keep only what the next output sample still needs.
    const qint64 needed = m_nextBase - (halfWidth - 1);
    const qint64 drop = std::clamp<qint64>(needed - m_historyStart, 0, qint64(m_history.size()));
    m_history.erase(m_history.begin(), m_history.begin() + drop);
    m_historyStart += drop;
}
