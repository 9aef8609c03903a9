#pragma once

#include <QString>
#include <QStringList>

struct VoiceEntry;
typedef struct _HyphenDict HyphenDict;

// Splits a word at its hyphenation points (libhyphen with Debian's patterns), the nearest
// a program gets to its syllables. Without patterns the word stays whole.
class Syllables
{
public:
    static constexpr const char *patternFolder = "/usr/share/hyphen";

    // An empty or unreadable file gives no patterns.
    explicit Syllables(const QString &patternFile);
    ~Syllables();
    Syllables(const Syllables &) = delete;
    Syllables &operator=(const Syllables &) = delete;

    bool hasPatterns() const { return m_dict != nullptr; }
    // The word's parts, in order, joining back to the word as written.
    QStringList split(const QString &word) const;

    // The patterns of a language ("en-us", "fr", "pt-br") in `folder`; empty when it has none.
    static QString patternFile(const QString &language, const QString &folder = QLatin1String(patternFolder));
    // The language a voice speaks: Flite's voices are American English; espeak-ng's name theirs.
    static QString languageOf(const VoiceEntry &voice);

private:
    QByteArray encoded(const QString &word) const;

    HyphenDict *m_dict = nullptr;
};
