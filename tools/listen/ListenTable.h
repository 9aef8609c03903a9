#pragma once

#include "tools/listen/WordErrorRate.h"

#include <QList>
#include <QString>

#include <optional>

// One voice as the listener heard it.
struct VoiceResult
{
    QString voice;
    QString synthesiser;
    WordErrors errors;
    std::optional<double> medianPitch; // none for a voice without a pitch (a whisper)
    double wordsPerMinute = 0;
    QString setting; // which take: "table 150/170"
    int limit = 0;   // most words it may lose, in percent; 0 for the voice's own limit
};

// The table the listener prints, and the most words each kind of voice may lose.
namespace ListenTable {
// Plain voices must be understood best; telephone, hall and whisper change the
// sound on purpose, stadiums, space and robots most of all.
int limitPercent(const QString &voice);
int limitPercent(const VoiceResult &result);
bool withinLimit(const VoiceResult &result);
QString format(const QList<VoiceResult> &results, bool withLimits);
} // namespace ListenTable
