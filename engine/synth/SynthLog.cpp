#include "engine/synth/SynthLog.h"

Q_LOGGING_CATEGORY(lcSynth, "vocalino.engine.synth", QtWarningMsg)
