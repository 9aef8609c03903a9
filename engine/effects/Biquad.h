#pragma once

// One second-order filter section (the usual audio cookbook forms).
class Biquad
{
public:
    static Biquad lowPass(double cutoff, double sampleRate, double q = 0.7071);
    static Biquad highPass(double cutoff, double sampleRate, double q = 0.7071);
    static Biquad bandPass(double centre, double sampleRate, double q);

    float process(float x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return float(y);
    }

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};
