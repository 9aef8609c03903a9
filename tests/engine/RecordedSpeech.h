#pragma once

#include "engine/synth/VoiceEntry.h"

#include <QString>
#include <QtGlobal>

#include <vector>

namespace RecordedSpeech {
// The voice's own sound (its effect left out) for the text at the speed and
// pitch, recorded through the engine into a wave file and read back.
std::vector<qint16> synthesise(VoiceEntry voice, const QString &text, int speed, int pitch);
} // namespace RecordedSpeech
