#include "engine/synth/QuietTail.h"

#include <cstdlib>

namespace {
// Quiet: below the loudest sample so far by 42 dB, where a level meter over
// 10 ms frames hears silence 40 dB below the loudest frame.
constexpr int quietRatio = 128;
} // namespace

bool QuietTail::take(const qint16 *samples, qint64 count, const Sink &sink)
{
    qint64 loudEnd = 0; // just after the last loud sample
    for (qint64 i = 0; i < count; ++i) {
        const int level = std::abs(int(samples[i]));
        if (level > m_peak)
            m_peak = level;
        if (level * quietRatio > m_peak && level > 0)
            loudEnd = i + 1;
    }
    if (loudEnd > 0) {
        if (!m_held.empty() && !sink(m_held.data(), qint64(m_held.size())))
            return false;
        m_held.clear();
        if (!sink(samples, loudEnd))
            return false;
    }
    m_held.insert(m_held.end(), samples + loudEnd, samples + count);
    return true;
}
