#include "engine/VoiceCatalogue.h"

#include "engine/synth/EspeakLanguages.h"

#include <algorithm>
#include <cmath>
#include <future>

namespace {
constexpr int espeakSlowest = 80;

// Base pitches are the measured median F0 of each variant at espeak-ng's
// middle pitch; the male ones stay below 150 Hz so that 300 Hz is out of reach.
const QList<VoiceEntry> catalogue = {
    {QStringLiteral("Mary"), "en-us+f1", 179, VoiceEffect::None},
    {QStringLiteral("Mike"), "en-us+Mike", 92, VoiceEffect::None},
    {QStringLiteral("Sam"), "en-us+klatt", 103, VoiceEffect::None},
    {QStringLiteral("Mary (for Telephone)"), "en-us+f1", 179, VoiceEffect::Telephone},
    {QStringLiteral("Mike (for Telephone)"), "en-us+Mike", 92, VoiceEffect::Telephone},
    {QStringLiteral("Female Whisper"), "en-us+whisperf", 179, VoiceEffect::None},
    {QStringLiteral("Mary in Space"), "en-us+f1", 179, VoiceEffect::Space},
    {QStringLiteral("Mary in Hall"), "en-us+f1", 179, VoiceEffect::Hall},
    {QStringLiteral("Mary in Stadium"), "en-us+f1", 179, VoiceEffect::Stadium},
    {QStringLiteral("RoboSoft Six"), "en-us+robosoft6", 170, VoiceEffect::Robot6},
    {QStringLiteral("RoboSoft Five"), "en-us+robosoft5", 110, VoiceEffect::Robot5},
    {QStringLiteral("RoboSoft Four"), "en-us+robosoft4", 100, VoiceEffect::Robot4},
    {QStringLiteral("Male Whisper"), "en-us+whisper", 101, VoiceEffect::None},
    {QStringLiteral("RoboSoft One"), "en-us+robosoft", 75, VoiceEffect::Robot1},
    {QStringLiteral("RoboSoft Two"), "en-us+robosoft2", 170, VoiceEffect::Robot2},
    {QStringLiteral("RoboSoft Three"), "en-us+robosoft3", 100, VoiceEffect::Robot3},
    {QStringLiteral("Mike in Hall"), "en-us+Mike", 92, VoiceEffect::Hall},
    {QStringLiteral("Mike in Stadium"), "en-us+Mike", 92, VoiceEffect::Stadium},
    {QStringLiteral("Mike in Space"), "en-us+Mike", 92, VoiceEffect::Space},
};
// One voice for each further language espeak-ng speaks, after the catalogue's own.
QList<VoiceEntry> languageVoices()
{
    QStringList taken;
    for (const VoiceEntry &voice : catalogue)
        taken << voice.name;
    QList<VoiceEntry> voices;
    for (const EspeakLanguages::Language &language : EspeakLanguages::list(taken))
        voices.append({language.name, language.voice, EspeakLanguages::basePitch, VoiceEffect::None});
    return voices;
}
// Reading espeak-ng's voice files takes a while: it starts on its own thread at the first ask.
std::shared_future<QList<VoiceEntry>> &languagesBeingListed()
{
    static std::shared_future<QList<VoiceEntry>> listing =
        std::async(std::launch::async, languageVoices).share();
    return listing;
}
} // namespace

namespace VoiceCatalogue {

void prepare()
{
    languagesBeingListed();
}

const QList<VoiceEntry> &voices()
{
    static const QList<VoiceEntry> all = catalogue + languagesBeingListed().get();
    return all;
}

int minimumPitch(const VoiceEntry &voice)
{
    return (voice.basePitch + 1) / 2;
}

int maximumPitch(const VoiceEntry &voice)
{
    return voice.basePitch * 2;
}

VoiceSettings resolve(const VoiceEntry &voice, int wordsPerMinute, int pitchHertz)
{
    VoiceSettings settings;
    const int speed = std::clamp(wordsPerMinute, minimumSpeed, maximumSpeed);
    const int pitch = std::clamp(pitchHertz, minimumPitch(voice), maximumPitch(voice));
    settings.outOfRange = speed != wordsPerMinute || pitch != pitchHertz;

    settings.espeakRate = std::max(speed, espeakSlowest);
    settings.slowdown = speed < espeakSlowest ? double(espeakSlowest) / speed : 1.0;
    const double steps = 50.0 + 50.0 * std::log2(double(pitch) / voice.basePitch);
    settings.espeakPitch = std::clamp(int(std::lround(steps)), 0, 100);
    return settings;
}

} // namespace VoiceCatalogue
