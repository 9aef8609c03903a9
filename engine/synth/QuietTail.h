#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

// Holds back the quiet samples at the end of what it was given (a pause, or a
// voice's faint decay after its last phone) until something louder follows, so
// that a reading can end with its last sound instead of after dead air.
class QuietTail
{
public:
    using Sink = std::function<bool(const qint16 *samples, qint64 count)>;

    // Passes on the samples held and the new ones up to the last loud one;
    // false when the sink refused them.
    bool take(const qint16 *samples, qint64 count, const Sink &sink);
    qint64 held() const { return qint64(m_held.size()); }

private:
    std::vector<qint16> m_held;
    int m_peak = 0; // the loudest sample so far
};
