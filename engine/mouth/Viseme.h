#pragma once

#include <QString>

// Mouth shapes, from the sounds that make them.
enum class Viseme {
    Rest,    // closed, at rest
    Closed,  // m, b, p: lips pressed
    Open,    // a: jaw down
    Wide,    // e, i: spread lips, teeth showing
    Round,   // o: rounded
    Pucker,  // u, w: small and rounded
    LipBite, // f, v: upper teeth on the lower lip
    Tongue,  // l, th, n, t, d: tongue behind the teeth
    Teeth,   // s, z, sh, ch: teeth together
};
constexpr int visemeCount = 9;

// Shape for an espeak-ng phoneme mnemonic (e.g. "a#", "oU", "S", "_:").
Viseme visemeForPhoneme(const QString &phoneme);
// Shape for a phone of Flite's US English set (e.g. "aa", "ow", "sh", "pau").
Viseme visemeForFlitePhone(const char *phone);
// How far the jaw is open for a shape, 0 to 1.
double visemeOpenness(Viseme shape);
