#pragma once

#include <vector>

// An all-pole model of one frame: autocorrelation, a lag window that keeps
// single harmonics of a high voice out of the envelope, then Levinson-Durbin.
class LinearPrediction
{
public:
    // smoothingHz: width in hertz of the Gaussian lag window.
    LinearPrediction(int order, int sampleRate, double smoothingHz = 60.0);

    // Fits the model to a windowed frame; returns the prediction error energy,
    // 0 for a silent frame (the coefficients are then a pass-through).
    double analyse(const float *frame, int length);
    // a[0] = 1; the synthesis filter is 1 / (1 + a[1] z^-1 + ... + a[p] z^-p).
    const std::vector<double> &coefficients() const { return m_a; }
    int order() const { return int(m_a.size()) - 1; }

private:
    void autocorrelate(const float *frame, int length);
    double levinsonDurbin();

    std::vector<double> m_lagWindow;
    std::vector<double> m_r;
    std::vector<double> m_a;
    std::vector<double> m_previous;
};
