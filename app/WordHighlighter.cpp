#include "app/WordHighlighter.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace {
// Sunflower on dark pages, deep blue on light ones.
const QColor lightMark{255, 221, 0};
const QColor darkMark{20, 45, 140};
constexpr double readable = 4.5; // contrast wanted between text and the mark
constexpr double visible = 3.0;  // contrast wanted between the mark and the page
constexpr int scrollMargin = 4;

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

// The letter as the plain text handed to the engine has it.
QChar asPlainText(QChar c)
{
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar(0xfdd0) ||
        c == QChar(0xfdd1))
        return u'\n';
    return c == QChar::Nbsp ? QChar(u' ') : c;
}

const QColor &moreContrasting(const QColor &against, const QColor &a, const QColor &b)
{
    return WordHighlighter::contrast(against, a) >= WordHighlighter::contrast(against, b) ? a : b;
}
} // namespace

WordHighlighter::WordHighlighter(QTextEdit *editor, QObject *parent) : QObject(parent), m_editor(editor)
{
    // The document object is replaced by setDocument only, which the program never does.
    connect(editor->document(), &QTextDocument::contentsChange, this, &WordHighlighter::noteChange);
}

double WordHighlighter::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

WordHighlighter::MarkColours WordHighlighter::coloursFor(const QColor &background, const QColor &wordColour)
{
    QColor mark = moreContrasting(background, lightMark, darkMark);
    if (contrast(mark, background) < visible) // mid tones: black or white stands out more
        mark = moreContrasting(background, QColor(Qt::black), QColor(Qt::white));
    QColor text = wordColour;
    if (!text.isValid() || contrast(text, mark) < readable)
        text = moreContrasting(mark, QColor(Qt::black), QColor(Qt::white));
    return {mark, text};
}

void WordHighlighter::expect(qint32 reading, const QString &text)
{
    m_readings.push_back({reading, text, true});
}

void WordHighlighter::readingHeard(qint32 reading)
{
    m_heard = reading;
    // Readings are heard in the order they were handed over.
    std::erase_if(m_readings, [reading](const Reading &r) { return reading != 0 && r.number < reading; });
    removeMark();
}

void WordHighlighter::clear()
{
    m_readings.clear();
    m_heard = 0;
    removeMark();
}

WordHighlighter::Reading *WordHighlighter::current()
{
    for (Reading &reading : m_readings)
        if (reading.number == m_heard)
            return &reading;
    return nullptr;
}

void WordHighlighter::wordHeard(qint32 position, qint32 length)
{
    const Reading *reading = current();
    if (!m_editor || !reading || !reading->intact)
        return;
    QTextDocument *document = m_editor->document();
    const int end = position + length;
    if (position < 0 || length <= 0 || end > reading->text.size() || end >= document->characterCount())
        return;
    QTextCursor word(document);
    word.setPosition(position);
    word.setPosition(end, QTextCursor::KeepAnchor);
    showMark(word);
    scrollIntoView(word);
}

void WordHighlighter::showMark(const QTextCursor &word)
{
    const QColor wordColour = word.charFormat().foreground().style() == Qt::NoBrush
                                  ? m_editor->palette().color(QPalette::Text)
                                  : word.charFormat().foreground().color();
    const MarkColours colours = coloursFor(m_editor->palette().color(QPalette::Base), wordColour);
    QTextEdit::ExtraSelection selection;
    selection.cursor = word;
    selection.format.setBackground(colours.background);
    selection.format.setForeground(colours.text);
    m_editor->setExtraSelections({selection});
    m_mark = word;
}

void WordHighlighter::removeMark()
{
    if (m_mark.isNull())
        return;
    m_mark = QTextCursor();
    if (m_editor)
        m_editor->setExtraSelections({});
}

// Scrolls only as far as needed, and not at all while the word is in sight.
void WordHighlighter::scrollIntoView(const QTextCursor &word)
{
    QTextCursor start(word);
    start.setPosition(word.selectionStart());
    QTextCursor finish(word);
    finish.setPosition(word.selectionEnd());
    const QRect shown = m_editor->viewport()->rect();
    const QRect place = m_editor->cursorRect(start).united(m_editor->cursorRect(finish));
    QScrollBar *bar = m_editor->verticalScrollBar();
    if (place.top() < shown.top())
        bar->setValue(bar->value() - (shown.top() - place.top()) - scrollMargin);
    else if (place.bottom() > shown.bottom())
        bar->setValue(bar->value() +
                      std::min(place.bottom() - shown.bottom() + scrollMargin, place.top() - shown.top()));
}

void WordHighlighter::noteChange(int position, int removed, int added)
{
    bool currentSpoiled = false;
    for (Reading &reading : m_readings) {
        if (!reading.intact)
            continue;
        reading.intact = removed == added && stillMatches(reading, position, added);
        currentSpoiled = currentSpoiled || (!reading.intact && reading.number == m_heard);
    }
    if (currentSpoiled)
        removeMark();
}

// A change that only formats keeps the letters where they were.
bool WordHighlighter::stillMatches(const Reading &reading, int position, int count) const
{
    const QTextDocument *document = m_editor ? m_editor->document() : nullptr;
    if (!document || position < 0)
        return false;
    // The document ends in a paragraph mark that the plain text does not have.
    const int last = std::min<int>(position + count, int(reading.text.size()));
    if (document->characterCount() - 1 != reading.text.size())
        return false;
    for (int i = position; i < last; ++i)
        if (asPlainText(document->characterAt(i)) != reading.text.at(i))
            return false;
    return true;
}
