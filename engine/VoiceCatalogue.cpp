#include "engine/VoiceCatalogue.h"

#include "engine/synth/EspeakLanguages.h"

#include <algorithm>
#include <future>

namespace {
constexpr auto flite = SynthKind::Flite;

// Base pitches are each voice's median F0 at its neutral pitch, measured on two
// sentences of a children's story with the autocorrelation tracker the engine
// tests use (slt 170 Hz, rms 103, kal16 88 at its own target of 95).
const QList<VoiceEntry> catalogue = {
    {QStringLiteral("Mary"), flite, "slt", 170, VoiceEffect::None},
    {QStringLiteral("Mike"), flite, "rms", 103, VoiceEffect::None},
    {QStringLiteral("Sam"), flite, "kal16", 88, VoiceEffect::None},
    {QStringLiteral("Mary (for Telephone)"), flite, "slt", 170, VoiceEffect::Telephone},
    {QStringLiteral("Mike (for Telephone)"), flite, "rms", 103, VoiceEffect::Telephone},
    {QStringLiteral("Female Whisper"), flite, "slt", 170, VoiceEffect::Whisper},
    {QStringLiteral("Mary in Space"), flite, "slt", 170, VoiceEffect::Space},
    {QStringLiteral("Mary in Hall"), flite, "slt", 170, VoiceEffect::Hall},
    {QStringLiteral("Mary in Stadium"), flite, "slt", 170, VoiceEffect::Stadium},
    {QStringLiteral("RoboSoft Six"), flite, "slt", 170, VoiceEffect::Robot6},
    {QStringLiteral("RoboSoft Five"), flite, "rms", 103, VoiceEffect::Robot5},
    {QStringLiteral("RoboSoft Four"), flite, "kal16", 88, VoiceEffect::Robot4},
    {QStringLiteral("Male Whisper"), flite, "rms", 103, VoiceEffect::Whisper},
    {QStringLiteral("RoboSoft One"), flite, "kal16", 88, VoiceEffect::Robot1},
    {QStringLiteral("RoboSoft Two"), flite, "slt", 170, VoiceEffect::Robot2},
    {QStringLiteral("RoboSoft Three"), flite, "rms", 103, VoiceEffect::Robot3},
    {QStringLiteral("Mike in Hall"), flite, "rms", 103, VoiceEffect::Hall},
    {QStringLiteral("Mike in Stadium"), flite, "rms", 103, VoiceEffect::Stadium},
    {QStringLiteral("Mike in Space"), flite, "rms", 103, VoiceEffect::Space},
};
// One voice for each further language espeak-ng speaks, after the catalogue's own.
QList<VoiceEntry> languageVoices()
{
    QStringList taken;
    for (const VoiceEntry &voice : catalogue)
        taken << voice.name;
    QList<VoiceEntry> voices;
    for (const EspeakLanguages::Language &language : EspeakLanguages::list(taken))
        voices.append({language.name, SynthKind::Espeak, language.voice, EspeakLanguages::basePitch,
                       VoiceEffect::None});
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

int ownVoices()
{
    return int(catalogue.size());
}

int minimumPitch(const VoiceEntry &voice)
{
    return (voice.basePitch + 1) / 2;
}

// Flite's voices reach the whole tone slider: slt and kal16 follow their own F0
// model up to it, rms's excitation is moved with his formants kept. espeak-ng
// goes no higher than double its voices' own pitch.
int maximumPitch(const VoiceEntry &voice)
{
    return voice.synth == SynthKind::Flite ? std::max(voice.basePitch * 2, highestTone) : voice.basePitch * 2;
}

VoiceSettings resolve(const VoiceEntry &voice, int wordsPerMinute, int pitchHertz)
{
    VoiceSettings settings;
    settings.wordsPerMinute = std::clamp(wordsPerMinute, minimumSpeed, maximumSpeed);
    settings.pitchHertz = std::clamp(pitchHertz, minimumPitch(voice), maximumPitch(voice));
    settings.outOfRange = settings.wordsPerMinute != wordsPerMinute || settings.pitchHertz != pitchHertz;
    return settings;
}

} // namespace VoiceCatalogue
