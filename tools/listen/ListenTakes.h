#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One voice at one setting, as the listener records and judges it.
struct ListenTake
{
    QString voice;
    QString setting; // "natural", "table" or "slow"
    int speed = 150;
    int pitch = 100;
    // The take whose length each recording is brought back to before it is heard,
    // for slowed speech: the recogniser was trained on natural rates.
    std::optional<qsizetype> lengthOf;
    int limitPercent = 20;
};

// Every voice at its natural rate and at its row of the defaults table, and the
// plain voices also at the speed slider's 100, the child's "slow".
namespace ListenTakes {
constexpr int slowSpeed = 100;
constexpr int slowLimitPercent = 25;
constexpr int lowestTone = 100; // the tone slider's bottom
QList<ListenTake> forVoices(const QStringList &voices);
} // namespace ListenTakes
