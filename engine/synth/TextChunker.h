#pragma once

#include <QString>

// Splits a text into the pieces synthesis takes one at a time: whole sentences
// up to maxLength characters (or a cut at a blank), so the first sound comes
// quickly whatever the length of the text. Few cuts keep the pauses between
// sentences as espeak-ng makes them in one run.
namespace TextChunker {
constexpr qsizetype maxLength = 600;
// The end (exclusive) of the piece that starts at `from`.
qsizetype nextEnd(const QString &text, qsizetype from, qsizetype limit = maxLength);
} // namespace TextChunker
