#include "engine/synth/Sentences.h"

namespace {
bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == u';';
}

bool closesSentence(QChar c)
{
    return c == u'"' || c == u'\'' || c == u')' || c == u']' || c == u'\u201D' || c == u'\u2019' ||
           c == u'\u00BB';
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// The end of the sentence that starts at `from`.
qsizetype sentenceEnd(const QString &text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isLineBreak(c))
            return i;
        if (!endsSentence(c))
            continue;
        qsizetype end = i + 1;
        while (end < text.size() && (endsSentence(text.at(end)) || closesSentence(text.at(end))))
            ++end;
        if (end == text.size() || text.at(end).isSpace())
            return end;
        i = end - 1;
    }
    return text.size();
}

qsizetype trimmedEnd(const QString &text, qsizetype from, qsizetype end)
{
    while (end > from && text.at(end - 1).isSpace())
        --end;
    return end;
}
} // namespace

namespace Sentences {

QList<Span> split(const QString &text)
{
    QList<Span> sentences;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        if (i == text.size())
            break;
        const qsizetype end = sentenceEnd(text, i);
        sentences.append({i, trimmedEnd(text, i, end)});
        i = end;
    }
    return sentences;
}

qsizetype indexAt(const QList<Span> &sentences, qsizetype position)
{
    if (sentences.isEmpty())
        return -1;
    for (qsizetype k = 0; k < sentences.size(); ++k)
        if (position < sentences.at(k).end)
            return k;
    return sentences.size();
}

} // namespace Sentences
