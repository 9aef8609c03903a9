#include "FormantMeasure.h"

#include "engine/effects/LinearPrediction.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {
constexpr double frameSeconds = 0.030;
constexpr double hopSeconds = 0.010;
constexpr double loudDb = -20.0;           // frames within this of the loudest are vowels, mostly
constexpr double smoothingHz = 100.0;      // blurs the harmonics of a voice up to 300 Hz
constexpr double lowestHz = 350.0;         // above a 300 Hz voice's fundamental, which is no formant
constexpr double firstToSecondHz = 1000.0; // a man's, a woman's F1 lies below, F2 above
constexpr double highestHz = 3000.0;
constexpr double stepHz = 10.0;
constexpr double preEmphasis = 0.97;

double levelDb(const std::vector<qint16> &samples, size_t start, size_t length)
{
    double energy = 0;
    for (size_t i = start; i < start + length; ++i)
        energy += double(samples[i]) * samples[i];
    return 10.0 * std::log10(energy / double(length) + 1e-9);
}

// Adds the power of 1 / A(e^jw) at each analysis frequency.
void addEnvelope(const std::vector<double> &a, int sampleRate, std::vector<double> &power)
{
    for (size_t bin = 0; bin < power.size(); ++bin) {
        const double w = 2.0 * std::numbers::pi * (lowestHz + double(bin) * stepHz) / sampleRate;
        std::complex<double> response = 0;
        for (size_t k = 0; k < a.size(); ++k)
            response += a[k] * std::polar(1.0, -w * double(k));
        power[bin] += 1.0 / (std::norm(response) + 1e-12);
    }
}

// The power-weighted mean frequency of the envelope within a band.
double centroid(const std::vector<double> &power, double fromHz, double toHz)
{
    double weighted = 0, total = 0;
    for (size_t bin = 0; bin < power.size(); ++bin) {
        const double hz = lowestHz + double(bin) * stepHz;
        if (hz >= fromHz && hz < toHz) {
            weighted += hz * power[bin];
            total += power[bin];
        }
    }
    return total > 0 ? weighted / total : 0.0;
}
} // namespace

namespace FormantMeasure {

Formants formants(const std::vector<qint16> &samples, int sampleRate)
{
    const size_t frame = size_t(frameSeconds * sampleRate);
    const size_t hop = size_t(hopSeconds * sampleRate);
    if (samples.size() <= frame)
        return {};
    double loudest = -1e9;
    for (size_t start = 1; start + frame <= samples.size(); start += hop)
        loudest = std::max(loudest, levelDb(samples, start, frame));
    LinearPrediction model(2 + sampleRate / 1000, sampleRate, smoothingHz);
    std::vector<double> power(size_t((highestHz - lowestHz) / stepHz) + 1, 0.0);
    std::vector<float> windowed(frame);
    for (size_t start = 1; start + frame <= samples.size(); start += hop) {
        if (levelDb(samples, start, frame) < loudest + loudDb)
            continue;
        for (size_t i = 0; i < frame; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(i) / double(frame - 1));
            windowed[i] = float((samples[start + i] - preEmphasis * samples[start + i - 1]) * hann);
        }
        if (model.analyse(windowed.data(), int(frame)) > 0)
            addEnvelope(model.coefficients(), sampleRate, power);
    }
    return {centroid(power, lowestHz, firstToSecondHz), centroid(power, firstToSecondHz, highestHz)};
}

} // namespace FormantMeasure
