#include "engine/effects/LinearPrediction.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// A floor 40 dB under the frame's power keeps the recursion well conditioned.
constexpr double whiteNoiseCorrection = 1.0001;
} // namespace

LinearPrediction::LinearPrediction(int order, int sampleRate, double smoothingHz)
    : m_lagWindow(size_t(order) + 1), m_r(size_t(order) + 1), m_a(size_t(order) + 1),
      m_previous(size_t(order) + 1)
{
    for (int k = 0; k <= order; ++k) {
        const double x = 2.0 * std::numbers::pi * smoothingHz * k / sampleRate;
        m_lagWindow[size_t(k)] = std::exp(-0.5 * x * x);
    }
    m_lagWindow[0] = whiteNoiseCorrection;
    m_a[0] = 1.0;
}

double LinearPrediction::analyse(const float *frame, int length)
{
    autocorrelate(frame, length);
    if (m_r[0] <= 1e-12) {
        std::fill(m_a.begin() + 1, m_a.end(), 0.0);
        return 0.0;
    }
    for (size_t k = 0; k < m_r.size(); ++k)
        m_r[k] *= m_lagWindow[k];
    return levinsonDurbin();
}

void LinearPrediction::autocorrelate(const float *frame, int length)
{
    for (int k = 0; k <= order(); ++k) {
        double sum = 0;
        for (int n = k; n < length; ++n)
            sum += double(frame[n]) * frame[n - k];
        m_r[size_t(k)] = sum;
    }
}

double LinearPrediction::levinsonDurbin()
{
    const int p = order();
    std::fill(m_a.begin() + 1, m_a.end(), 0.0);
    double error = m_r[0];
    for (int i = 1; i <= p; ++i) {
        double acc = m_r[size_t(i)];
        for (int j = 1; j < i; ++j)
            acc += m_a[size_t(j)] * m_r[size_t(i - j)];
        const double k = -acc / error;
        std::copy(m_a.begin(), m_a.begin() + i, m_previous.begin());
        for (int j = 1; j < i; ++j)
            m_a[size_t(j)] = m_previous[size_t(j)] + k * m_previous[size_t(i - j)];
        m_a[size_t(i)] = k;
        error *= 1.0 - k * k;
        if (error <= 0)
            break;
    }
    return std::max(error, 0.0);
}
