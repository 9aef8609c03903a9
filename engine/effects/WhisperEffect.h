#pragma once

#include "engine/effects/LinearPrediction.h"
#include "engine/effects/SoundEffect.h"

#include <cstdint>
#include <vector>

// Turns voiced speech into a whisper: each overlapping frame keeps its
// spectral envelope (linear prediction) and its loudness, but the all-pole
// filter is driven by white noise instead of the voice's own pulses.
// Output lags the input by one frame, and a frame's noise fills all of it,
// so the whisper may outlast the voice by two frames.
class WhisperEffect : public SoundEffect
{
public:
    explicit WhisperEffect(int sampleRate);
    void process(float *samples, int count) override;
    double tailSeconds() const override { return 2.0 * m_frame / m_rate; }

private:
    float take(float x);
    void finishHop();
    void synthesiseFrame(double gain);
    float noise();

    int m_rate;
    int m_hop;
    int m_frame;
    LinearPrediction m_predictor;
    std::vector<float> m_analysisWindow;
    std::vector<float> m_synthesisWindow;
    double m_analysisPower;     // sum of the squared analysis window
    std::vector<float> m_input; // the last frame, pre-emphasised
    std::vector<float> m_windowed;
    std::vector<double> m_synthesised;
    std::vector<double> m_history; // the synthesis filter's past outputs
    std::vector<float> m_overlap;  // frames added up, one frame long
    std::vector<float> m_ready;    // one finished hop, played while the next one fills
    int m_filled = 0;
    float m_lastInput = 0;
    float m_lastOutput = 0;
    std::uint32_t m_seed = 0x9e3779b9u;
};
