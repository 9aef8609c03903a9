#include "engine/synth/Pacing.h"

#include <algorithm>

namespace {
// Pauses as so many words' time at the speed (60 / wpm seconds a word): a
// clause's end (a colon, a cut) half a word, a sentence's or a line's end 0.9,
// a paragraph's 1.8. A sentence's end must stay longer than Sam's own comma
// pause, about 0.9 of a word (at 0.7 it was shorter, at 60 and at 250 words a
// minute); over a text of short sentences the rate stays within 12% of the slider's.
constexpr double clauseWords = 0.5;
constexpr double sentenceWords = 0.9;
constexpr double paragraphWords = 1.8;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool closesSentence(QChar c)
{
    return c == u'"' || c == u'\'' || c == u')' || c == u']' || c == u'\u201D' || c == u'\u2019' ||
           c == u'\u00BB';
}

bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == u';';
}
} // namespace

namespace Pacing {

Slowing slowing(double lengthening, double floor)
{
    Slowing s;
    s.own = std::min(lengthening, std::max(floor, 1e-3));
    s.pipeline = std::max(1.0, lengthening / s.own);
    return s;
}

Break breakAfter(const QString &text, qsizetype end)
{
    qsizetype next = end;
    int lineBreaks = 0;
    for (; next < text.size() && text.at(next).isSpace(); ++next) {
        const QChar c = text.at(next);
        const bool crBeforeLf = c == u'\r' && next + 1 < text.size() && text.at(next + 1) == u'\n';
        if (c == QChar::ParagraphSeparator)
            lineBreaks += 2;
        else if (isLineBreak(c) && !crBeforeLf)
            ++lineBreaks;
    }
    if (next == text.size())
        return Break::None;
    if (lineBreaks >= 2)
        return Break::Paragraph;
    if (lineBreaks == 1)
        return Break::Sentence; // a title or a list item pauses as a sentence does
    qsizetype last = end - 1;
    while (last >= 0 && closesSentence(text.at(last)))
        --last;
    if (last >= 0 && endsSentence(text.at(last)))
        return Break::Sentence;
    if (last >= 0 && (text.at(last) == u',' || text.at(last) == u':'))
        return Break::Clause;
    return Break::None;
}

double pauseSeconds(Break kind, int wordsPerMinute)
{
    const double word = 60.0 / std::max(wordsPerMinute, 1);
    switch (kind) {
    case Break::Clause:
        return clauseWords * word;
    case Break::Sentence:
        return sentenceWords * word;
    case Break::Paragraph:
        return paragraphWords * word;
    case Break::None:
        break;
    }
    return 0.0;
}

} // namespace Pacing
