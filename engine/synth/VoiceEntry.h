#pragma once

#include "engine/effects/VoiceEffect.h"

#include <QByteArray>
#include <QString>

// The library that makes a voice's sound.
enum class SynthKind {
    Espeak, // voice: espeak-ng's language+variant, e.g. "en-us+f1"
    Flite,  // voice: a registered Flite voice, e.g. "slt"
};

struct VoiceEntry
{
    QString name;
    SynthKind synth;
    QByteArray voice; // the synthesiser's own name for it
    int basePitch;    // measured median F0 in hertz at the synthesiser's neutral pitch
    VoiceEffect effect;
};

// What a speak call actually uses after the voice's limits are applied.
struct VoiceSettings
{
    int wordsPerMinute = 150;
    int pitchHertz = 170;
    bool outOfRange = false; // the asked speed or pitch was not usable
};
