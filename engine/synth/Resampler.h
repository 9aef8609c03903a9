#pragma once

#include <QtGlobal>

#include <vector>

// Streaming band-limited resampling by a fixed rational ratio (windowed sinc,
// one filter per output phase), so a voice of another rate joins the stream.
class Resampler
{
public:
    Resampler(int fromRate, int toRate);

    // Appends the output that the input so far allows to `out`.
    void process(const qint16 *in, qint64 count, std::vector<qint16> &out);
    // Pushes out what the filter still holds at the end of the input.
    void flush(std::vector<qint16> &out);
    // Where input sample n lands in the output.
    qint64 outputPosition(qint64 inputSample) const { return inputSample * m_up / m_down; }

private:
    void produce(std::vector<qint16> &out);

    int m_up; // output samples per m_down input samples
    int m_down;
    std::vector<float> m_taps; // m_up phases of `width` taps each
    std::vector<float> m_history;
    qint64 m_historyStart = 0; // input index of m_history[0]
    qint64 m_nextBase = 0; // input sample at or before the next output instant
    int m_nextPhase = 0;   // how far past it, in 1/m_up of an input sample
};
