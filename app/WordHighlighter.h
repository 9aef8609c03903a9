#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include "engine/synth/Sentences.h"

#include <optional>
#include <vector>

// Marks the word being heard in the editor, over a soft band on the rest of its
// sentence. The marks are view-only extra selections: the document's own format
// is never touched. A reading is the editor's text, of which the engine was given
// one stretch; word positions are reported within that stretch. A reading whose
// text has been edited since is no longer marked.
class WordHighlighter : public QObject
{
    Q_OBJECT

public:
    struct MarkColours
    {
        QColor background;
        QColor text;
    };

    explicit WordHighlighter(QTextEdit *editor, QObject *parent = nullptr);

    // A reading handed to the engine, by its number: the editor's text and the stretch
    // of it the engine was given (all of it when none is named).
    void expect(qint32 reading, const QString &text, std::optional<Sentences::Span> spoken = {});
    // The reading whose words follow; 0 when none is heard.
    void readingHeard(qint32 reading);
    void wordHeard(qint32 position, qint32 length);
    // Speech over: forget every reading and take the mark away.
    void clear();
    // Between sentences read one at a time: the band alone on the sentence just heard.
    void holdBand(const Sentences::Span &sentence);

    bool isMarking() const { return !m_mark.isNull(); }
    // The marked word's place in the document (a null cursor when nothing is marked).
    const QTextCursor &mark() const { return m_mark; }
    // The band's sentence, word included (a null cursor when there is no band).
    const QTextCursor &band() const { return m_band; }

    // A mark that stands out from the background, with text that reads on it; the
    // word keeps its own colour where that reads well enough.
    static MarkColours coloursFor(const QColor &background, const QColor &wordColour);
    // The sentence's band: a soft shift of the page away from the text, with the text
    // colour to show on it (the text's own where it reads well enough).
    static MarkColours bandFor(const QColor &page, const QColor &text);
    static double contrast(const QColor &a, const QColor &b);

signals:
    // The word mark or the band moved or went away.
    void marksChanged();

private:
    struct Reading
    {
        qint32 number = 0;
        QString text;
        Sentences::Span spoken;
        QList<Sentences::Span> sentences; // of the spoken stretch, cut to it
        bool intact = true;
    };

    void noteChange(int position, int removed, int added);
    bool stillMatches(const Reading &reading, int position, int count) const;
    Reading *current();
    void showMark(const Reading &reading, const QTextCursor &word);
    QList<QTextEdit::ExtraSelection> bandAround(const QTextCursor &sentence, const QTextCursor &word) const;
    QColor colourAt(const QTextCursor &place) const;
    QTextCursor span(qsizetype start, qsizetype end) const;
    void removeMark();
    void scrollIntoView(const QTextCursor &word);

    QPointer<QTextEdit> m_editor;
    std::vector<Reading> m_readings; // handed over and not yet done, oldest first
    qint32 m_heard = 0;              // the reading being heard, 0 for none
    QTextCursor m_mark;
    QTextCursor m_band;
};
