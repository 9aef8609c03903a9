#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCursor>

#include <vector>

class QTextEdit;

// Marks the word being heard in the editor. The mark is a view-only extra
// selection: the document's own format is never touched. Word positions refer
// to the text handed to the engine for one reading; a reading whose text has
// been edited since is no longer marked.
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

    // A reading handed to the engine, by its number, with the text it was given.
    void expect(qint32 reading, const QString &text);
    // The reading whose words follow; 0 when none is heard.
    void readingHeard(qint32 reading);
    void wordHeard(qint32 position, qint32 length);
    // Speech over: forget every reading and take the mark away.
    void clear();

    bool isMarking() const { return !m_mark.isNull(); }
    // The marked word's place in the document (a null cursor when nothing is marked).
    const QTextCursor &mark() const { return m_mark; }

    // A mark that stands out from the background, with text that reads on it; the
    // word keeps its own colour where that reads well enough.
    static MarkColours coloursFor(const QColor &background, const QColor &wordColour);
    static double contrast(const QColor &a, const QColor &b);

private:
    struct Reading
    {
        qint32 number = 0;
        QString text;
        bool intact = true;
    };

    void noteChange(int position, int removed, int added);
    bool stillMatches(const Reading &reading, int position, int count) const;
    Reading *current();
    void showMark(const QTextCursor &word);
    void removeMark();
    void scrollIntoView(const QTextCursor &word);

    QPointer<QTextEdit> m_editor;
    std::vector<Reading> m_readings; // handed over and not yet done, oldest first
    qint32 m_heard = 0;              // the reading being heard, 0 for none
    QTextCursor m_mark;
};
