#include "engine/synth/EspeakLanguages.h"

#include "engine/synth/EspeakSynthesis.h"

#include <QCollator>
#include <QLocale>
#include <QMap>
#include <QSet>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {
// The catalogue's own voices speak English in every accent already.
const QString servedLanguage = QStringLiteral("en");

struct Found
{
    QStringList codes; // the voice's languages, first the one it is made for
    QString englishName;
    QByteArray voice;
};

QString primarySubtag(const QString &code)
{
    return code.section(u'-', 0, 0).toLower();
}

// espeak_VOICE::languages: a priority byte and a name, repeated, ended by a zero byte.
QStringList languageCodes(const char *languages)
{
    QStringList codes;
    for (const char *p = languages; p && *p; p += std::strlen(p + 1) + 2)
        codes << QString::fromLatin1(p + 1);
    return codes;
}

QList<Found> listVoices()
{
    QList<Found> found;
    std::lock_guard lock(EspeakSynthesis::libraryLock());
    const espeak_VOICE **voices = espeak_ListVoices(nullptr);
    for (const espeak_VOICE **v = voices; v && *v; ++v) {
        const QStringList codes = languageCodes((*v)->languages);
        if (!codes.isEmpty() && (*v)->identifier)
            found.append({codes, QString::fromUtf8((*v)->name), QByteArray((*v)->identifier)});
    }
    return found;
}

// Of a language's voices, the one whose file is named after the language ("roa/fr"
// rather than "roa/fr-BE"), else the one with the plainest code.
bool plainer(const Found &a, const Found &b)
{
    const QString language = primarySubtag(a.codes.first());
    const bool aPlain = a.voice.split('/').last().toLower() == language.toLatin1();
    const bool bPlain = b.voice.split('/').last().toLower() == language.toLatin1();
    if (aPlain != bPlain)
        return aPlain;
    return a.codes.first().size() < b.codes.first().size();
}

// Only scripts that write names with a capital get one (Georgian, for one, does not).
QString capitalised(const QString &name, const QLocale &locale)
{
    if (name.isEmpty())
        return name;
    const QChar::Script script = name.at(0).script();
    if (script != QChar::Script_Latin && script != QChar::Script_Greek && script != QChar::Script_Cyrillic &&
        script != QChar::Script_Armenian)
        return name;
    const qsizetype firstLength = name.at(0).isHighSurrogate() ? 2 : 1;
    return locale.toUpper(name.left(firstLength)) + name.mid(firstLength);
}

QString espeakName(const Found &voice)
{
    return voice.englishName.simplified().replace(u'_', u' ').simplified();
}

QString displayName(const Found &voice)
{
    for (const QString &code : voice.codes)
        if (const QString name = EspeakLanguages::nativeName(code); !name.isEmpty())
            return name;
    return espeakName(voice);
}

// A second voice of a language Qt names alike (Western Armenian) goes by espeak-ng's name.
QString unique(QString name, const Found &voice, const QSet<QString> &taken)
{
    if (taken.contains(name))
        name = espeakName(voice);
    if (taken.contains(name))
        name += QStringLiteral(" (%1)").arg(voice.codes.first());
    return name;
}
} // namespace

QString EspeakLanguages::nativeName(const QString &languageCode)
{
    const QLocale::Language language = QLocale::codeToLanguage(primarySubtag(languageCode));
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return {};
    const QLocale usual(language);
    if (usual.language() != language)
        return {}; // Qt has no data for it
    const QString name = usual.nativeLanguageName();
    const QString country = usual.nativeTerritoryName();
    if (country.isEmpty() || !name.contains(country))
        return capitalised(name, usual);
    // Some locales name the language with their country ("español de España"):
    // another of its locales gives the plain name ("español") it begins with.
    QString shortest = name;
    for (const QLocale &locale :
         QLocale::matchingLocales(language, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString other = locale.nativeLanguageName();
        if (!other.isEmpty() && other.size() < shortest.size() && name.startsWith(other))
            shortest = other;
    }
    return capitalised(shortest, usual);
}

QList<EspeakLanguages::Language> EspeakLanguages::list(const QStringList &taken)
{
    if (!EspeakSynthesis::startError().isEmpty())
        return {};
    QMap<QString, Found> chosen; // by language
    for (const Found &voice : listVoices()) {
        const QString language = primarySubtag(voice.codes.first());
        if (language == servedLanguage)
            continue;
        auto it = chosen.find(language);
        if (it == chosen.end())
            chosen.insert(language, voice);
        else if (plainer(voice, *it))
            *it = voice;
    }
    QSet<QString> names(taken.begin(), taken.end());
    QList<Language> languages;
    for (const Found &voice : std::as_const(chosen)) {
        const QString name = unique(displayName(voice), voice, names);
        names.insert(name);
        languages.append({name, voice.voice});
    }
    QCollator collator;
    std::sort(languages.begin(), languages.end(),
              [&](const Language &a, const Language &b) { return collator.compare(a.name, b.name) < 0; });
    return languages;
}
