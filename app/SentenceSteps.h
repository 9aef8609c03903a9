#pragma once

#include "engine/synth/Sentences.h"

#include <QList>
#include <QString>

#include <optional>

// Where a reading stands sentence by sentence, and where the child's steps take it.
// A reading is a stretch of the editor's text; its sentences are cut to the stretch,
// and the steps never leave it.
class SentenceSteps
{
public:
    enum class Step { Back, Next, Again };

    // Heard for longer than this, a sentence is gone back to rather than left.
    static constexpr int backToStartMs = 1000;

    void begin(const QString &text, Sentences::Span stretch);
    void clear() { *this = SentenceSteps(); }
    bool isEmpty() const { return m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    const Sentences::Span &stretch() const { return m_stretch; }
    const QList<Sentences::Span> &sentences() const { return m_sentences; }
    qsizetype current() const { return m_current; }

    // A word at this place of the text was heard when `played` samples had been played.
    void wordHeard(qsizetype position, qint64 played);
    // The reading starts again at this sentence; nothing of it is heard yet.
    void moveTo(qsizetype sentence);
    // Where a step goes, or none at the first or the last sentence.
    std::optional<qsizetype> target(Step step, qint64 played, int sampleRate) const;
    // What to speak from this sentence: that sentence alone or the rest of the stretch.
    Sentences::Span pieceFrom(qsizetype sentence, bool oneSentence) const;
    // The sentence after a piece that ended here, if the stretch goes on.
    std::optional<qsizetype> after(qsizetype pieceEnd) const;

    // The start of the word at (or touching) `position`; past the last word, the last word's start.
    static qsizetype wordStart(const QString &text, qsizetype position);

private:
    QString m_text;
    Sentences::Span m_stretch;
    QList<Sentences::Span> m_sentences;
    qsizetype m_current = 0;
    qint64 m_heardFrom = -1; // played samples when the current sentence's first word was heard
};
