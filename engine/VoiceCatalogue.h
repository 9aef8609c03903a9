#pragma once

#include <QList>
#include <QString>

// The sound treatment a voice gets after synthesis.
enum class VoiceEffect {
    None,
    Telephone,
    Hall,
    Stadium,
    Space,
    Robot1,
    Robot2,
    Robot3,
    Robot4,
    Robot5,
    Robot6,
    Whisper,
};

struct VoiceEntry
{
    QString name;
    QByteArray espeakVoice; // language+variant given to espeak-ng
    int basePitch;          // hertz at espeak-ng's middle pitch
    VoiceEffect effect;
};

// What a speak call actually uses after the voice's limits are applied.
struct VoiceSettings
{
    int espeakRate = 175;    // words a minute given to espeak-ng (80..450)
    int espeakPitch = 50;    // 0..100
    double slowdown = 1.0;   // extra time stretch below espeak-ng's slowest rate
    bool outOfRange = false; // the asked speed or pitch was not usable
};

namespace VoiceCatalogue {
// Starts listing espeak-ng's languages in the background, so that voices() finds them ready.
void prepare();
const QList<VoiceEntry> &voices();
int minimumPitch(const VoiceEntry &voice);
int maximumPitch(const VoiceEntry &voice);
constexpr int minimumSpeed = 20;
constexpr int maximumSpeed = 450;
// espeak-ng's pitch control spans half to double the voice's own pitch.
VoiceSettings resolve(const VoiceEntry &voice, int wordsPerMinute, int pitchHertz);
} // namespace VoiceCatalogue
