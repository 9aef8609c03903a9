#include "engine/mouth/Viseme.h"

Viseme visemeForPhoneme(const QString &phoneme)
{
    if (phoneme.isEmpty() || phoneme.startsWith(u'_'))
        return Viseme::Rest;
    const QChar c = phoneme.at(0);
    switch (c.unicode()) {
    case 'm': case 'b': case 'p':
        return Viseme::Closed;
    case 'a': case 'A': case 'V': case '&': case 'h':
        return Viseme::Open;
    case 'e': case 'E': case 'i': case 'I': case 'j': case '@': case '3': case 'k': case 'g': case 'N':
        return Viseme::Wide;
    case 'o': case 'O': case '0':
        return Viseme::Round;
    case 'u': case 'U': case 'w': case 'r':
        return Viseme::Pucker;
    case 'f': case 'v':
        return Viseme::LipBite;
    case 'l': case 'T': case 'D': case 'n': case 't': case 'd':
        if (phoneme.startsWith(QStringLiteral("tS")) || phoneme.startsWith(QStringLiteral("dZ")))
            return Viseme::Teeth;
        return Viseme::Tongue;
    case 's': case 'z': case 'S': case 'Z': case 'x':
        return Viseme::Teeth;
    default:
        return Viseme::Wide;
    }
}

double visemeOpenness(Viseme shape)
{
    switch (shape) {
    case Viseme::Rest: return 0.0;
    case Viseme::Closed: return 0.0;
    case Viseme::Open: return 1.0;
    case Viseme::Wide: return 0.45;
    case Viseme::Round: return 0.8;
    case Viseme::Pucker: return 0.4;
    case Viseme::LipBite: return 0.2;
    case Viseme::Tongue: return 0.5;
    case Viseme::Teeth: return 0.15;
    }
    return 0.0;
}
