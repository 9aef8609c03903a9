#pragma once

#include <QString>

#include <optional>
#include <vector>

// One recorded sentence, read back as mono samples, and what can be told
// from the sound alone: how long the speech lasts and how high the voice is.
class Recording
{
public:
    static std::optional<Recording> load(const QString &path);

    const std::vector<float> &samples() const { return m_samples; }
    int rate() const { return m_rate; }
    // From the first to the last frame that is not silence.
    double speechSeconds() const;
    // The fundamental frequency of every clearly voiced frame, in hertz.
    std::vector<double> pitches() const;
    // How many 10 ms stretches are loud enough to be speech (voiced or not).
    int speechFrames() const;
    // The median of pitches found in so many frames of speech; none when too few
    // were voiced for a pitch (a whisper's would be noise).
    static std::optional<double> medianPitch(std::vector<double> pitches, int speechFrames);

private:
    Recording(std::vector<float> samples, int rate);
    double level(size_t start, size_t length) const;
    std::optional<double> framePitch(size_t start) const;

    std::vector<float> m_samples;
    int m_rate;
    size_t m_frame;
    size_t m_hop;
    double m_loudest = 0;
};
