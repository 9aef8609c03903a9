#pragma once

#include "engine/synth/VoiceEntry.h"

#include <QString>

#include <vector>

// A text recorded by the voice's synthesiser as a job records it, read back from the wave file.
namespace SpeechRecording {
std::vector<qint16> record(const VoiceEntry &voice, const QString &text, int speed, int pitch);
} // namespace SpeechRecording
