#pragma once

#include "engine/effects/LinearPrediction.h"

#include <QtGlobal>

#include <deque>
#include <vector>

struct sonicStreamStruct;

// Moves a voice's pitch (and slows it) without moving its formants: each
// stretch of speech is inverse-filtered by its own all-pole model, sonic shifts
// and slows what is left (the glottal excitation, nearly flat), and the model
// of the moment the excitation came from filters it again. Resampling the
// whole sound instead would move the vocal tract with the pitch: a chipmunk.
class FormantKeepingShift
{
public:
    FormantKeepingShift(int sampleRate, double slowdown, double pitchShift);
    ~FormantKeepingShift();
    FormantKeepingShift(const FormantKeepingShift &) = delete;
    FormantKeepingShift &operator=(const FormantKeepingShift &) = delete;

    // Takes samples; what is ready comes out in out (replaced, maybe empty).
    void feed(const qint16 *samples, int count, std::vector<qint16> &out);
    // Everything still held.
    void finish(std::vector<qint16> &out);

private:
    struct Model
    {
        qint64 start; // first input sample the model was fitted to
        std::vector<double> a;
    };
    void analyseBlock();
    void drain(std::vector<qint16> &out);
    const std::vector<double> &modelAt(qint64 inputSample);

    double m_slowdown;
    int m_block;
    LinearPrediction m_prediction;
    sonicStreamStruct *m_sonic;
    std::vector<float> m_history; // the last two blocks of input, for the analysis window
    std::vector<float> m_window;
    std::vector<float> m_pending;          // input not yet a whole block
    std::vector<double> m_inverseMemory;   // past input samples, newest first
    std::vector<double> m_synthesisMemory; // past output samples, newest first
    std::deque<Model> m_models;
    std::vector<float> m_residual;
    std::vector<float> m_shifted;
    qint64 m_fed = 0;      // input samples taken
    qint64 m_analysed = 0; // input samples inverse-filtered
    qint64 m_produced = 0; // output samples filtered again
};
