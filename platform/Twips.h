#pragma once

#include <QtGlobal>

// 15 twips to a device-independent pixel.
constexpr int TwipsPerPixel = 15;

// Rounds half to even, clamped to the 32-bit range (never undefined).
qint32 roundHalfEven(double value);
int twipsToPixels(double twips);
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }
