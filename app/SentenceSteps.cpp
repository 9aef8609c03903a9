#include "app/SentenceSteps.h"

#include <algorithm>

namespace {
bool isWordLetter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'\'' || c == u'\u2019' || c == u'-';
}
} // namespace

void SentenceSteps::begin(const QString &text, Sentences::Span stretch)
{
    clear();
    m_text = text;
    m_stretch = stretch;
    for (Sentences::Span sentence : Sentences::split(text)) {
        sentence.start = std::max(sentence.start, stretch.start);
        sentence.end = std::min(sentence.end, stretch.end);
        if (sentence.start < sentence.end)
            m_sentences.append(sentence);
    }
}

void SentenceSteps::wordHeard(qsizetype position, qint64 played)
{
    if (position < m_stretch.start || position >= m_stretch.end)
        return;
    const qsizetype at = std::min(Sentences::indexAt(m_sentences, position), m_sentences.size() - 1);
    if (at < 0)
        return;
    if (at != m_current || m_heardFrom < 0) {
        m_current = at;
        m_heardFrom = played;
    }
}

void SentenceSteps::moveTo(qsizetype sentence)
{
    m_current = sentence;
    m_heardFrom = -1;
}

std::optional<qsizetype> SentenceSteps::target(Step step, qint64 played, int sampleRate) const
{
    if (m_sentences.isEmpty())
        return std::nullopt;
    switch (step) {
    case Step::Again:
        return m_current;
    case Step::Next:
        if (m_current + 1 < m_sentences.size())
            return m_current + 1;
        return std::nullopt;
    case Step::Back: {
        const qint64 heard = m_heardFrom < 0 ? 0 : played - m_heardFrom;
        if (heard * 1000 > qint64(backToStartMs) * sampleRate)
            return m_current;
        if (m_current > 0)
            return m_current - 1;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

Sentences::Span SentenceSteps::pieceFrom(qsizetype sentence, bool oneSentence) const
{
    if (sentence < 0 || sentence >= m_sentences.size())
        return m_stretch;
    const Sentences::Span &first = m_sentences.at(sentence);
    return {first.start, oneSentence ? first.end : m_stretch.end};
}

std::optional<qsizetype> SentenceSteps::after(qsizetype pieceEnd) const
{
    const qsizetype next = Sentences::indexAt(m_sentences, pieceEnd);
    if (next < 0 || next >= m_sentences.size())
        return std::nullopt;
    return next;
}

qsizetype SentenceSteps::wordStart(const QString &text, qsizetype position)
{
    qsizetype at = std::clamp<qsizetype>(position, 0, text.size());
    const auto onlyBlanksFrom = [&text](qsizetype from) {
        return std::all_of(text.begin() + from, text.end(), [](QChar c) { return c.isSpace(); });
    };
    if (onlyBlanksFrom(at)) // nothing left to read here: the last word
        while (at > 0 && (text.at(at - 1).isSpace() || !isWordLetter(text.at(at - 1))))
            --at;
    while (at > 0 && isWordLetter(text.at(at - 1)))
        --at;
    return at;
}
