#include "tools/listen/ListenTakes.h"

#include "app/VoiceDefaults.h"
#include "engine/VoiceCatalogue.h"
#include "engine/synth/FliteVoices.h"
#include "tools/listen/ListenTable.h"

#include <algorithm>
#include <cmath>

namespace {
const VoiceEntry *entryOf(const QString &name)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        if (voice.name == name)
            return &voice;
    return nullptr;
}

bool isPlain(const QString &name)
{
    return name == QLatin1String("Mary") || name == QLatin1String("Mike") || name == QLatin1String("Sam");
}
} // namespace

namespace ListenTakes {

QList<ListenTake> forVoices(const QStringList &voices)
{
    QList<ListenTake> takes;
    for (const QString &name : voices) {
        const VoiceEntry *voice = entryOf(name);
        const int own = voice ? voice->basePitch : lowestTone;
        const double natural = voice ? FliteVoices::naturalRate(voice->voice) : 0.0;
        const int limit = ListenTable::limitPercent(name);
        std::optional<qsizetype> naturalTake;
        if (natural > 0) {
            naturalTake = takes.size();
            takes.append(
                {name, QStringLiteral("natural"), int(std::lround(natural)), own, std::nullopt, limit});
        }
        const VoiceSetting table = knownVoiceDefaults(name).value_or(VoiceSetting{150, qint16(own)});
        const int tablePitch = std::max<int>(table.pitch, lowestTone);
        // The table's speeds lie below the voices' own: its words are really slowed now, so
        // they too are heard at the natural length (Mary at 150 missed 26.7% of the guard's
        // words as recorded, 14.2% at her own rate).
        const auto slowedFrom = natural > table.speed ? naturalTake : std::nullopt;
        takes.append({name, QStringLiteral("table"), table.speed, tablePitch, slowedFrom, limit});
        if (isPlain(name))
            takes.append({name, QStringLiteral("slow"), slowSpeed, tablePitch,
                          naturalTake.value_or(takes.size() - 1), slowLimitPercent});
    }
    return takes;
}

} // namespace ListenTakes
