#pragma once

#include <QtGlobal>

#include <vector>

// Measures on synthesised speech: where the speech lies (without leading and
// trailing silence) and its median fundamental frequency.
namespace SpeechMeasure {
// Seconds from the first to the last frame louder than the silence threshold.
double speechSeconds(const std::vector<qint16> &samples, int sampleRate);
// Seconds of the longest silence between the first and the last sound.
double longestPause(const std::vector<qint16> &samples, int sampleRate);
// Seconds of every silence between the first and the last sound, in order.
std::vector<double> pauses(const std::vector<qint16> &samples, int sampleRate);
// Seconds from the start to the end of the last frame louder than the silence threshold.
double lastSoundSeconds(const std::vector<qint16> &samples, int sampleRate);
// Level in dB of each 10 ms frame.
std::vector<double> levels(const std::vector<qint16> &samples, int sampleRate);
// Median F0 in hertz over voiced frames (normalised autocorrelation, 50..500 Hz); 0 when none.
double medianF0(const std::vector<qint16> &samples, int sampleRate);
} // namespace SpeechMeasure
