#pragma once

#include <QLoggingCategory>

// Why a synthesiser or a voice could not start (QT_LOGGING_RULES="vocalino.engine.synth.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcSynth)
