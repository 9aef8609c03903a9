#pragma once

#include "engine/effects/DelayLine.h"
#include "engine/effects/SoundEffect.h"

#include <array>
#include <vector>

// A room: parallel damped combs into series all-passes (Schroeder/Moorer),
// with, for a stadium, a late discrete echo off the far stands.
class ReverbEffect : public SoundEffect
{
public:
    struct Room
    {
        double size;           // scales the comb delays
        double decaySeconds;   // time to fall by 60 dB
        double wet;
        double echoSeconds;    // 0 for none
        double echoFeedback;
        double echoLevel;
    };
    static Room hall();
    static Room stadium();

    ReverbEffect(int sampleRate, const Room &room);
    void process(float *samples, int count) override;
    double tailSeconds() const override;

private:
    struct Comb
    {
        DelayLine line;
        int delay;
        float feedback;
        float damped = 0;
    };
    struct AllPass
    {
        DelayLine line;
        int delay;
    };

    Room m_room;
    std::vector<Comb> m_combs;
    std::vector<AllPass> m_allPasses;
    DelayLine m_echo;
    int m_echoDelay = 0;
};
