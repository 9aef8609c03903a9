#pragma once

#include <QList>
#include <QString>

// Where a text's sentences lie, for everything that steps, marks or times a
// reading sentence by sentence. A sentence ends after . ! ? or ; followed by a
// blank (closing quotes and brackets stay with it), at a line break, or at the
// end of the text; blanks between sentences belong to none.
namespace Sentences {
struct Span
{
    qsizetype start = 0;
    qsizetype end = 0; // exclusive, after the closing punctuation
    bool operator==(const Span &) const = default;
};
QList<Span> split(const QString &text);
// The index of the sentence that holds `position`, or the one after it when the
// position falls between sentences; -1 for an empty list, size() past the last.
qsizetype indexAt(const QList<Span> &sentences, qsizetype position);
} // namespace Sentences
