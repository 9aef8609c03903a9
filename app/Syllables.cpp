#include "app/Syllables.h"

#include "engine/synth/VoiceEntry.h"

#include <QDir>
#include <QFileInfo>

#include <hyphen.h>
#include <iconv.h>

#include <vector>

namespace {
constexpr qsizetype longestWord = 90; // libhyphen's own limit is a little over this, in bytes

// Converts UTF-8 to `charset`; empty when a letter has no place in it.
QByteArray converted(const QByteArray &utf8, const char *charset)
{
    iconv_t convert = iconv_open(charset, "UTF-8");
    if (convert == iconv_t(-1))
        return {};
    QByteArray in = utf8, out(utf8.size() * 4 + 4, '\0');
    char *from = in.data(), *to = out.data();
    size_t left = size_t(in.size()), room = size_t(out.size());
    const bool whole = iconv(convert, &from, &left, &to, &room) != size_t(-1) && left == 0;
    iconv_close(convert);
    return whole ? out.left(out.size() - qsizetype(room)) : QByteArray();
}

// Letters one by one, so the word keeps its length ("İ" would grow with QString::toLower).
QString lowered(const QString &word)
{
    QString low = word;
    for (QChar &c : low)
        c = c.toLower();
    return low;
}
} // namespace

Syllables::Syllables(const QString &patternFile)
{
    if (!patternFile.isEmpty())
        m_dict = hnj_hyphen_load(QFile::encodeName(patternFile).constData());
}

Syllables::~Syllables()
{
    if (m_dict)
        hnj_hyphen_free(m_dict);
}

QByteArray Syllables::encoded(const QString &word) const
{
    const QByteArray utf8 = lowered(word).toUtf8();
    return m_dict->utf8 ? utf8 : converted(utf8, m_dict->cset);
}

QStringList Syllables::split(const QString &word) const
{
    const QByteArray bytes = m_dict ? encoded(word) : QByteArray();
    if (bytes.isEmpty() || bytes.size() > longestWord)
        return {word};
    std::vector<char> hyphens(size_t(bytes.size()) + 5, '\0');
    char **rep = nullptr;
    int *pos = nullptr, *cut = nullptr;
    const int failed = hnj_hyphen_hyphenate2(m_dict, bytes.constData(), int(bytes.size()), hyphens.data(),
                                             nullptr, &rep, &pos, &cut);
    if (rep) { // replacements (German "Schiff-fahrt") change the letters: the word is split where written
        for (qsizetype i = 0; i < bytes.size(); ++i)
            free(rep[i]);
        free(rep);
        free(pos);
        free(cut);
    }
    if (failed)
        return {word};
    // A point after byte i: in a UTF-8 word, only the bytes of whole letters lie before it.
    QStringList parts;
    qsizetype taken = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        if (!(hyphens[size_t(i)] & 1) || (m_dict->utf8 && (bytes.at(i + 1) & 0xC0) == 0x80))
            continue;
        const qsizetype letters =
            m_dict->utf8 ? QString::fromUtf8(bytes.left(i + 1)).size() : qsizetype(i + 1);
        if (letters <= taken || letters >= word.size())
            continue;
        parts << word.mid(taken, letters - taken);
        taken = letters;
    }
    parts << word.mid(taken);
    return parts;
}

QString Syllables::patternFile(const QString &language, const QString &folder)
{
    const QStringList subtags = language.split(u'-');
    const QString lang = subtags.first().toLower();
    if (lang.isEmpty())
        return {};
    QStringList wanted;
    if (subtags.size() > 1)
        wanted << QStringLiteral("hyph_%1_%2.dic").arg(lang, subtags.at(1).toUpper());
    wanted << QStringLiteral("hyph_%1.dic").arg(lang)
           << QStringLiteral("hyph_%1_%2.dic").arg(lang, lang.toUpper());
    const QDir dir(folder);
    for (const QString &name : wanted)
        if (dir.exists(name))
            return dir.filePath(name);
    const QStringList any =
        dir.entryList({QStringLiteral("hyph_%1_*.dic").arg(lang)}, QDir::Files, QDir::Name);
    return any.isEmpty() ? QString() : dir.filePath(any.first());
}

QString Syllables::languageOf(const VoiceEntry &voice)
{
    if (voice.synth == SynthKind::Flite)
        return QStringLiteral("en-us");
    // "en-us+f1" is a variant of en-us; "roa/fr" is the French voice file.
    return QString::fromLatin1(voice.voice).section(u'+', 0, 0).section(u'/', -1);
}
