#include "app/VoiceDefaults.h"

#include <array>

namespace {
struct KnownVoice
{
    const char *name;
    VoiceSetting setting;
};

// Pitches below the pitch slider's minimum are kept as given: the slider clamps them.
constexpr std::array<KnownVoice, 19> knownVoices{{
    {"Mary", {150, 170}},
    {"Mike", {170, 90}},
    {"Sam", {150, 120}},
    {"Mary (for Telephone)", {150, 170}},
    {"Mike (for Telephone)", {150, 110}},
    {"Female Whisper", {150, 170}},
    {"Mary in Space", {150, 200}},
    {"Mary in Hall", {150, 170}},
    {"Mary in Stadium", {150, 170}},
    {"RoboSoft Six", {150, 170}},
    {"RoboSoft Five", {130, 130}},
    {"RoboSoft Four", {140, 120}},
    {"Male Whisper", {120, 100}},
    {"RoboSoft One", {120, 100}},
    {"RoboSoft Two", {140, 170}},
    {"RoboSoft Three", {140, 90}},
    {"Mike in Hall", {150, 90}},
    {"Mike in Stadium", {130, 120}},
    {"Mike in Space", {150, 90}},
}};
} // namespace

std::optional<VoiceSetting> knownVoiceDefaults(const QString &voiceName)
{
    for (const KnownVoice &voice : knownVoices) {
        if (voiceName == QLatin1String(voice.name))
            return voice.setting;
    }
    return std::nullopt;
}
