#include "SpeechMeasure.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double frameSeconds = 0.010;
constexpr double windowSeconds = 0.040;
constexpr double silenceDb = -40.0; // below the loudest frame
constexpr double voicedCorrelation = 0.6;
constexpr double octaveShare = 0.85;
constexpr int analysisRate = 8000;

// Low-passed by a moving average and decimated, so the pitch search stays cheap.
std::vector<float> decimated(const std::vector<qint16> &samples, int sampleRate, int *rate)
{
    const int step = std::max(1, sampleRate / analysisRate);
    *rate = sampleRate / step;
    std::vector<float> out;
    out.reserve(samples.size() / size_t(step) + 1);
    for (size_t i = 0; i + size_t(step) <= samples.size(); i += size_t(step)) {
        float sum = 0;
        for (int k = 0; k < step; ++k)
            sum += samples[i + size_t(k)];
        out.push_back(sum / float(step));
    }
    return out;
}

std::vector<double> frameLevels(const std::vector<qint16> &samples, int frame)
{
    std::vector<double> levels;
    for (size_t start = 0; start + size_t(frame) <= samples.size(); start += size_t(frame)) {
        double energy = 0;
        for (int i = 0; i < frame; ++i)
            energy += double(samples[start + size_t(i)]) * samples[start + size_t(i)];
        levels.push_back(10.0 * std::log10(energy / frame + 1e-9));
    }
    return levels;
}

// Each frame louder than the silence threshold, which lies below the loudest frame.
std::vector<bool> soundingFrames(const std::vector<qint16> &samples, int sampleRate)
{
    const std::vector<double> levels = frameLevels(samples, int(frameSeconds * sampleRate));
    std::vector<bool> sounding;
    if (levels.empty())
        return sounding;
    const double threshold = *std::max_element(levels.begin(), levels.end()) + silenceDb;
    for (double level : levels)
        sounding.push_back(level > threshold);
    return sounding;
}

// Peak of the normalised autocorrelation within the F0 range; its lag, or 0 when unvoiced.
double periodOf(const float *x, int window, int minLag, int maxLag)
{
    std::vector<double> r(size_t(maxLag + 1), 0.0);
    double best = 0;
    for (int lag = minLag; lag <= maxLag; ++lag) {
        double cross = 0, a = 0, b = 0;
        for (int i = 0; i + lag < window; ++i) {
            cross += double(x[i]) * x[i + lag];
            a += double(x[i]) * x[i];
            b += double(x[i + lag]) * x[i + lag];
        }
        r[size_t(lag)] = cross / std::sqrt(a * b + 1e-9);
        best = std::max(best, r[size_t(lag)]);
    }
    if (best < voicedCorrelation)
        return 0;
    // The first strong peak, so that a multiple of the period is not taken for it.
    for (int lag = minLag + 1; lag < maxLag; ++lag)
        if (r[size_t(lag)] >= octaveShare * best && r[size_t(lag)] >= r[size_t(lag - 1)] &&
            r[size_t(lag)] >= r[size_t(lag + 1)])
            return lag;
    return 0;
}
} // namespace

namespace SpeechMeasure {

double speechSeconds(const std::vector<qint16> &samples, int sampleRate)
{
    const std::vector<bool> sounding = soundingFrames(samples, sampleRate);
    const auto first = std::find(sounding.begin(), sounding.end(), true);
    const auto last = std::find(sounding.rbegin(), sounding.rend(), true);
    if (first == sounding.end())
        return 0;
    return double(std::distance(first, last.base())) * frameSeconds;
}

double longestPause(const std::vector<qint16> &samples, int sampleRate)
{
    const std::vector<double> all = pauses(samples, sampleRate);
    return all.empty() ? 0.0 : *std::max_element(all.begin(), all.end());
}

std::vector<double> pauses(const std::vector<qint16> &samples, int sampleRate)
{
    const std::vector<bool> sounding = soundingFrames(samples, sampleRate);
    auto frame = std::find(sounding.begin(), sounding.end(), true);
    const auto end = std::find(sounding.rbegin(), sounding.rend(), true).base();
    std::vector<double> found;
    while (frame < end) {
        const auto silent = std::find(frame, end, false);
        frame = std::find(silent, end, true);
        if (frame > silent)
            found.push_back(double(std::distance(silent, frame)) * frameSeconds);
    }
    return found;
}

double lastSoundSeconds(const std::vector<qint16> &samples, int sampleRate)
{
    const std::vector<bool> sounding = soundingFrames(samples, sampleRate);
    const auto last = std::find(sounding.rbegin(), sounding.rend(), true);
    return double(std::distance(sounding.begin(), last.base())) * frameSeconds;
}

std::vector<double> levels(const std::vector<qint16> &samples, int sampleRate)
{
    return frameLevels(samples, int(frameSeconds * sampleRate));
}

double medianF0(const std::vector<qint16> &original, int originalRate)
{
    int sampleRate = 0;
    const std::vector<float> samples = decimated(original, originalRate, &sampleRate);
    const int hop = int(frameSeconds * sampleRate);
    const int window = int(windowSeconds * sampleRate);
    const int minLag = sampleRate / 500;
    const int maxLag = sampleRate / 50;
    const std::vector<double> levels = frameLevels(original, int(frameSeconds * originalRate));
    if (levels.empty())
        return 0;
    const double loud = *std::max_element(levels.begin(), levels.end()) - 25.0;
    std::vector<double> f0;
    for (size_t start = 0, frame = 0; start + size_t(window) <= samples.size();
         start += size_t(hop), ++frame) {
        if (frame >= levels.size() || levels[frame] < loud)
            continue;
        const double lag = periodOf(samples.data() + start, window, minLag, maxLag);
        if (lag > 0)
            f0.push_back(double(sampleRate) / lag);
    }
    if (f0.empty())
        return 0;
    std::nth_element(f0.begin(), f0.begin() + f0.size() / 2, f0.end());
    return f0[f0.size() / 2];
}

} // namespace SpeechMeasure
