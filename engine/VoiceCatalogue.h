#pragma once

#include "engine/synth/VoiceEntry.h"

#include <QList>

namespace VoiceCatalogue {
// Starts listing espeak-ng's languages in the background, so that voices() finds them ready.
void prepare();
const QList<VoiceEntry> &voices();
// The catalogue's own voices come first; the language voices follow them.
int ownVoices();
int minimumPitch(const VoiceEntry &voice);
int maximumPitch(const VoiceEntry &voice);
constexpr int minimumSpeed = 20;
// The tone slider's top, in hertz: every Flite voice reaches it.
constexpr int highestTone = 300;
constexpr int maximumSpeed = 450;
// Every voice spans half to double its own pitch, a Flite voice up to at least
// highestTone; the rest is clamped and flagged.
VoiceSettings resolve(const VoiceEntry &voice, int wordsPerMinute, int pitchHertz);
} // namespace VoiceCatalogue
