#pragma once

#include <QByteArray>

// How fast espeak-ng's words come in a language against the rate it is asked for. Its rate
// counts words of its own measure, so a language of short words (French) comes out up to half
// as fast again in the language's own words, and one of long words (Finnish) a third slower.
// Words a minute = a * rate^(1 + b); a language not measured has a = 1, b = 0.
namespace LanguageRates {
struct Curve
{
    double a = 1.0;
    double b = 0.0;
};

// The curve of a voice file, such as "roa/fr".
Curve of(const QByteArray &voice);
// Words a minute of the language's words at espeak-ng's rate `rate`.
double wordsAt(const Curve &curve, double rate);
// The rate at which the language's words come at `wordsPerMinute`.
double rateFor(const Curve &curve, double wordsPerMinute);
} // namespace LanguageRates
