#pragma once

#include <QString>
#include <optional>

// The starting speed and pitch of the voices the program knows by name.
struct VoiceSetting
{
    qint16 speed = 0;
    qint16 pitch = 0;
    bool operator==(const VoiceSetting &other) const = default;
};

// Looks the engine's voice name up exactly: case and blanks count.
std::optional<VoiceSetting> knownVoiceDefaults(const QString &voiceName);
