#pragma once

#include <QLoggingCategory>

// Developer diagnostics of the engine (QT_LOGGING_RULES="vocalino.engine.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcEngine)
