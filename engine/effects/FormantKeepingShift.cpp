#include "engine/effects/FormantKeepingShift.h"

#include <sonic.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double blockSeconds = 0.010; // a model for each 10 ms
constexpr double smoothingHz = 60.0;   // keeps a high voice's harmonics out of the model
constexpr int readSize = 1024;

int orderFor(int sampleRate)
{
    return 6 +
           sampleRate / 1000; // a little above the usual, so that less of the tract stays in the excitation
}

qint16 toShort(double x)
{
    return qint16(std::lround(std::clamp(x, -32768.0, 32767.0)));
}
} // namespace

FormantKeepingShift::FormantKeepingShift(int sampleRate, double slowdown, double pitchShift)
    : m_slowdown(slowdown), m_block(std::max(1, int(blockSeconds * sampleRate))),
      m_prediction(orderFor(sampleRate), sampleRate, smoothingHz), m_sonic(sonicCreateStream(sampleRate, 1)),
      m_history(size_t(2 * m_block), 0.0f), m_window(size_t(2 * m_block)),
      m_inverseMemory(size_t(orderFor(sampleRate)), 0.0),
      m_synthesisMemory(size_t(orderFor(sampleRate)), 0.0), m_shifted(readSize)
{
    sonicSetSpeed(m_sonic, float(1.0 / slowdown));
    sonicSetPitch(m_sonic, float(pitchShift));
    for (size_t i = 0; i < m_window.size(); ++i)
        m_window[i] =
            float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (double(i) + 0.5) / double(m_window.size())));
}

FormantKeepingShift::~FormantKeepingShift()
{
    sonicDestroyStream(m_sonic);
}

void FormantKeepingShift::feed(const qint16 *samples, int count, std::vector<qint16> &out)
{
    out.clear();
    m_fed += count;
    for (int i = 0; i < count; ++i) {
        m_pending.push_back(float(samples[i]));
        if (int(m_pending.size()) == m_block)
            analyseBlock();
    }
    drain(out);
}

void FormantKeepingShift::finish(std::vector<qint16> &out)
{
    out.clear();
    if (!m_pending.empty()) {
        m_pending.resize(size_t(m_block), 0.0f);
        analyseBlock();
    }
    sonicFlushStream(m_sonic);
    drain(out);
    // The last block was filled up with silence: none of it is the speech's.
    const qint64 wanted = qint64(std::llround(double(m_fed) * m_slowdown));
    const qint64 extra = std::min<qint64>(m_produced - wanted, qint64(out.size()));
    if (extra > 0)
        out.resize(out.size() - size_t(extra));
}

// Fits a model to the block and the one before it, and inverse-filters the block with it.
void FormantKeepingShift::analyseBlock()
{
    std::copy(m_history.begin() + m_block, m_history.end(), m_history.begin());
    std::copy(m_pending.begin(), m_pending.end(), m_history.begin() + m_block);
    m_pending.clear();
    std::vector<float> windowed(m_history.size());
    for (size_t i = 0; i < windowed.size(); ++i)
        windowed[i] = m_history[i] * m_window[i];
    m_prediction.analyse(windowed.data(), int(windowed.size()));
    const std::vector<double> &a = m_prediction.coefficients();
    m_models.push_back({m_analysed, a});
    m_residual.resize(size_t(m_block));
    for (int n = 0; n < m_block; ++n) {
        const double x = m_history[size_t(m_block + n)];
        double e = x;
        for (size_t k = 1; k < a.size(); ++k)
            e += a[k] * m_inverseMemory[k - 1];
        std::rotate(m_inverseMemory.rbegin(), m_inverseMemory.rbegin() + 1, m_inverseMemory.rend());
        m_inverseMemory[0] = x;
        m_residual[size_t(n)] = float(e / 32768.0);
    }
    m_analysed += m_block;
    sonicWriteFloatToStream(m_sonic, m_residual.data(), m_block);
}

// The model of the input the output sample was slowed from.
const std::vector<double> &FormantKeepingShift::modelAt(qint64 inputSample)
{
    while (m_models.size() > 1 && m_models[1].start <= inputSample)
        m_models.pop_front();
    return m_models.front().a;
}

void FormantKeepingShift::drain(std::vector<qint16> &out)
{
    int got = 0;
    while ((got = sonicReadFloatFromStream(m_sonic, m_shifted.data(), readSize)) > 0) {
        for (int n = 0; n < got; ++n) {
            const std::vector<double> &a = modelAt(qint64(double(m_produced) / m_slowdown));
            double y = double(m_shifted[size_t(n)]) * 32768.0;
            for (size_t k = 1; k < a.size(); ++k)
                y -= a[k] * m_synthesisMemory[k - 1];
            std::rotate(m_synthesisMemory.rbegin(), m_synthesisMemory.rbegin() + 1, m_synthesisMemory.rend());
            m_synthesisMemory[0] = y;
            out.push_back(toShort(y));
            ++m_produced;
        }
    }
}
