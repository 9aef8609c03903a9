#include "engine/synth/TextChunker.h"

namespace {
bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == u';' || c == u'\n';
}
} // namespace

namespace TextChunker {

qsizetype nextEnd(const QString &text, qsizetype from, qsizetype limit)
{
    const qsizetype size = text.size();
    const qsizetype hardEnd = std::min(size, from + std::max<qsizetype>(limit, 2));
    if (hardEnd == size)
        return size;
    qsizetype lastSentence = -1;
    qsizetype lastBlank = -1;
    for (qsizetype i = from; i < hardEnd; ++i) {
        const QChar c = text.at(i);
        if (endsSentence(c) && text.at(i + 1).isSpace())
            lastSentence = i + 1;
        if (c.isSpace())
            lastBlank = i + 1;
    }
    if (lastSentence > from)
        return lastSentence;
    if (lastBlank > from)
        return lastBlank;
    // No blank at all: never cut a surrogate pair in two.
    if (text.at(hardEnd - 1).isHighSurrogate())
        return hardEnd - 1;
    return hardEnd;
}

} // namespace TextChunker
