#include "tools/listen/Recording.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr double hopSeconds = 0.01;
constexpr double windowSeconds = 0.025;
constexpr double lowestPitch = 60.0;
constexpr double highestPitch = 500.0;
constexpr double silenceBelowLoudest = 0.018; // -35 dB
constexpr double voicedAboveLoudest = 0.1;    // -20 dB: the vowels, not the breath
constexpr double voicedCorrelation = 0.7;
// Of peaks nearly as good as the best, the shortest period wins, so a
// strong second period does not halve the pitch.
constexpr double nearlyBest = 0.85;
constexpr double voicedShareForPitch = 0.1;
} // namespace

std::optional<double> Recording::medianPitch(std::vector<double> pitches, int speechFrames)
{
    if (pitches.empty() || double(pitches.size()) < voicedShareForPitch * speechFrames)
        return std::nullopt;
    std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
    return pitches[pitches.size() / 2];
}

std::optional<Recording> Recording::load(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return std::nullopt;
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<float> mono(size_t(info.frames));
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = frames[i * size_t(info.channels)];
    return Recording(std::move(mono), info.samplerate);
}

Recording::Recording(std::vector<float> samples, int rate)
    : m_samples(std::move(samples)), m_rate(rate),
      m_frame(size_t(windowSeconds * rate) + size_t(rate / lowestPitch) + 1), m_hop(size_t(hopSeconds * rate))
{
    for (size_t at = 0; at + m_hop <= m_samples.size(); at += m_hop)
        m_loudest = std::max(m_loudest, level(at, m_hop));
}

double Recording::level(size_t start, size_t length) const
{
    double sum = 0;
    for (size_t n = start; n < start + length; ++n)
        sum += double(m_samples[n]) * m_samples[n];
    return std::sqrt(sum / double(length));
}

double Recording::speechSeconds() const
{
    std::optional<size_t> first;
    size_t last = 0;
    for (size_t at = 0; at + m_hop <= m_samples.size(); at += m_hop)
        if (level(at, m_hop) > m_loudest * silenceBelowLoudest) {
            first = first.value_or(at);
            last = at + m_hop;
        }
    return first ? double(last - *first) / m_rate : 0.0;
}

int Recording::speechFrames() const
{
    int count = 0;
    for (size_t at = 0; at + m_hop <= m_samples.size(); at += m_hop)
        count += level(at, m_hop) > m_loudest * silenceBelowLoudest ? 1 : 0;
    return count;
}

std::vector<double> Recording::pitches() const
{
    std::vector<double> found;
    for (size_t at = 0; at + m_frame <= m_samples.size(); at += m_hop)
        if (level(at, m_frame) > m_loudest * voicedAboveLoudest)
            if (const auto f0 = framePitch(at))
                found.push_back(*f0);
    return found;
}

// Normalised cross-correlation of a window against itself one period later.
std::optional<double> Recording::framePitch(size_t start) const
{
    const int shortest = int(m_rate / highestPitch);
    const int longest = int(m_rate / lowestPitch);
    const size_t width = m_frame - size_t(longest) - 1;
    const float *x = m_samples.data() + start;
    double own = 0, shifted = 0;
    for (size_t n = 0; n < width; ++n)
        own += double(x[n]) * x[n];
    for (size_t n = size_t(shortest); n < size_t(shortest) + width; ++n)
        shifted += double(x[n]) * x[n];
    std::vector<double> nccf(size_t(longest) + 2, 0.0);
    for (int lag = shortest; lag <= longest + 1; ++lag) {
        double cross = 0;
        for (size_t n = 0; n < width; ++n)
            cross += double(x[n]) * x[n + size_t(lag)];
        nccf[size_t(lag)] = own > 0 && shifted > 0 ? cross / std::sqrt(own * shifted) : 0.0;
        if (lag <= longest)
            shifted += double(x[width + size_t(lag)]) * x[width + size_t(lag)] - double(x[lag]) * x[lag];
    }
    const double best = *std::max_element(nccf.begin() + shortest, nccf.begin() + longest + 1);
    if (best < voicedCorrelation)
        return std::nullopt;
    for (int lag = shortest + 1; lag <= longest; ++lag) {
        const double here = nccf[size_t(lag)], before = nccf[size_t(lag - 1)], after = nccf[size_t(lag + 1)];
        if (here >= best * nearlyBest && here >= before && here >= after) {
            const double bend = before - 2 * here + after;
            const double offset = bend < 0 ? 0.5 * (before - after) / bend : 0.0;
            return m_rate / (lag + offset);
        }
    }
    return std::nullopt;
}
