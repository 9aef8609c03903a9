#pragma once

#include <QtGlobal>

#include <vector>

// Where a voice's vocal tract resonates, told from its sound: the all-pole
// envelope of every loud frame, averaged in decibels, so that the harmonics of
// a high voice fall out and the resonances the sentence's vowels share stay.
namespace FormantMeasure {
struct Formants
{
    double first = 0; // hertz; 0 when none was found
    double second = 0;
};
Formants formants(const std::vector<qint16> &samples, int sampleRate);
} // namespace FormantMeasure
