#pragma once

#include <QString>
#include <QStringList>

// How many words a listener got wrong: substitutions, deletions and
// insertions of the cheapest alignment, against the words said.
struct WordErrors
{
    int wrong = 0;
    int said = 0;

    WordErrors &operator+=(const WordErrors &other)
    {
        wrong += other.wrong;
        said += other.said;
        return *this;
    }
    double percent() const { return said > 0 ? 100.0 * wrong / said : 0.0; }
};

namespace WordErrorRate {
// Lower case words, without punctuation (an apostrophe inside a word stays).
QStringList words(const QString &text);
WordErrors compare(const QString &said, const QString &heard);
} // namespace WordErrorRate
