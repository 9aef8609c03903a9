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
        if (natural > 0)
            takes.append(
                {name, QStringLiteral("natural"), int(std::lround(natural)), own, std::nullopt, limit});
        const VoiceSetting table = knownVoiceDefaults(name).value_or(VoiceSetting{150, qint16(own)});
        const int tablePitch = std::max<int>(table.pitch, lowestTone);
        takes.append({name, QStringLiteral("table"), table.speed, tablePitch, std::nullopt, limit});
        if (isPlain(name))
            takes.append(
                {name, QStringLiteral("slow"), slowSpeed, tablePitch, takes.size() - 1, slowLimitPercent});
    }
    return takes;
}

} // namespace ListenTakes
