#include "engine/effects/Biquad.h"

#include <cmath>
#include <numbers>

namespace {
struct Shape
{
    double cosw, alpha;
};

Shape shapeOf(double frequency, double sampleRate, double q)
{
    const double w = 2.0 * std::numbers::pi * frequency / sampleRate;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
}
} // namespace

Biquad Biquad::lowPass(double cutoff, double sampleRate, double q)
{
    const Shape s = shapeOf(cutoff, sampleRate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0 = (1 - s.cosw) / 2 / a0;
    f.b1 = (1 - s.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * s.cosw / a0;
    f.a2 = (1 - s.alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double cutoff, double sampleRate, double q)
{
    const Shape s = shapeOf(cutoff, sampleRate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0 = (1 + s.cosw) / 2 / a0;
    f.b1 = -(1 + s.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * s.cosw / a0;
    f.a2 = (1 - s.alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double centre, double sampleRate, double q)
{
    const Shape s = shapeOf(centre, sampleRate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0 = s.alpha / a0;
    f.b1 = 0;
    f.b2 = -s.alpha / a0;
    f.a1 = -2 * s.cosw / a0;
    f.a2 = (1 - s.alpha) / a0;
    return f;
}
