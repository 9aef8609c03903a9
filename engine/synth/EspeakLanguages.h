#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The languages espeak-ng speaks on this machine, one voice each, named in the
// language's own words ("Français", "Deutsch", "日本語") and in alphabetical order.
class EspeakLanguages
{
public:
    struct Language
    {
        QString name;
        QByteArray voice; // the voice file espeak-ng loads, such as "roa/fr"
    };

    // Measured median F0 of espeak-ng's plain voice at its middle pitch; the
    // language voices share the plain voice's pitch.
    static constexpr int basePitch = 101;

    // Languages other than those already served (English), named apart from `taken`.
    static QList<Language> list(const QStringList &taken);

    // The language's name in its own words, or an empty string when Qt has none.
    static QString nativeName(const QString &languageCode);
};
