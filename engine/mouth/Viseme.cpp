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

Viseme visemeForFlitePhone(const char *phone)
{
    struct Entry
    {
        const char *phone;
        Viseme shape;
    };
    static constexpr Entry table[] = {
        {"pau", Viseme::Rest},   {"h#", Viseme::Rest},    {"m", Viseme::Closed},   {"b", Viseme::Closed},
        {"p", Viseme::Closed},   {"aa", Viseme::Open},    {"ae", Viseme::Open},    {"ah", Viseme::Open},
        {"ay", Viseme::Open},    {"aw", Viseme::Open},    {"hh", Viseme::Open},    {"ao", Viseme::Round},
        {"ow", Viseme::Round},   {"oy", Viseme::Round},   {"uh", Viseme::Pucker},  {"uw", Viseme::Pucker},
        {"w", Viseme::Pucker},   {"r", Viseme::Pucker},   {"er", Viseme::Pucker},  {"axr", Viseme::Pucker},
        {"f", Viseme::LipBite},  {"v", Viseme::LipBite},  {"l", Viseme::Tongue},   {"th", Viseme::Tongue},
        {"dh", Viseme::Tongue},  {"n", Viseme::Tongue},   {"t", Viseme::Tongue},   {"d", Viseme::Tongue},
        {"s", Viseme::Teeth},    {"z", Viseme::Teeth},    {"sh", Viseme::Teeth},   {"zh", Viseme::Teeth},
        {"ch", Viseme::Teeth},   {"jh", Viseme::Teeth},
    };
    if (!phone || !*phone)
        return Viseme::Rest;
    for (const Entry &e : table)
        if (qstrcmp(e.phone, phone) == 0)
            return e.shape;
    return Viseme::Wide; // eh, ey, ih, iy, ax, y, k, g, ng
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
