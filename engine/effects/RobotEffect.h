#pragma once

#include "engine/effects/DelayLine.h"
#include "engine/effects/SoundEffect.h"

// Machine voices: ring modulation, a short metallic resonator and coarse
// sampling, mixed per model so the six robots sound apart.
class RobotEffect : public SoundEffect
{
public:
    struct Model
    {
        double ringHz;      // 0 for no ring modulation
        double ringMix;
        double combMs;      // 0 for no resonator
        float combFeedback;
        int holdSamples;    // sample-and-hold length, 1 for none
        int bits;           // quantisation depth, 16 for none
    };
    static Model model(int number); // 1..6

    RobotEffect(int sampleRate, const Model &model);
    void process(float *samples, int count) override;
    double tailSeconds() const override { return m_model.combMs > 0 ? 0.2 : 0.0; }

private:
    int m_rate;
    Model m_model;
    DelayLine m_comb;
    int m_combDelay;
    double m_phase = 0;
    int m_held = 0;
    float m_hold = 0;
};
