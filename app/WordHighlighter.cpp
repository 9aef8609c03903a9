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
// The band: the page darkened under light text, a pale sky under dark text.
const QColor paleSky{150, 200, 255};
constexpr double darkening = 0.35;
constexpr double skyShare = 0.45;
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

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto mix = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    const QColor a = from.toRgb(), b = to.toRgb();
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
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

WordHighlighter::MarkColours WordHighlighter::bandFor(const QColor &page, const QColor &text)
{
    const QColor shown = text.isValid() ? text : QColor(Qt::black);
    const QColor band = luminance(shown) > luminance(page) ? mixed(page, Qt::black, darkening)
                                                           : mixed(page, paleSky, skyShare);
    if (contrast(shown, band) >= readable)
        return {band, shown};
    return {band, moreContrasting(band, QColor(Qt::black), QColor(Qt::white))};
}

void WordHighlighter::expect(qint32 reading, const QString &text, std::optional<Sentences::Span> spoken)
{
    const Sentences::Span stretch = spoken.value_or(Sentences::Span{0, text.size()});
    QList<Sentences::Span> sentences;
    for (Sentences::Span sentence : Sentences::split(text)) {
        sentence.start = std::max(sentence.start, stretch.start);
        sentence.end = std::min(sentence.end, stretch.end);
        if (sentence.start < sentence.end)
            sentences.append(sentence);
    }
    m_readings.push_back({reading, text, stretch, sentences, true});
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
    const qint64 start = qint64(position) + reading->spoken.start, end = start + length;
    if (position < 0 || length <= 0 || end > reading->spoken.end ||
        end >= m_editor->document()->characterCount())
        return;
    const QTextCursor word = span(start, end);
    showMark(*reading, word);
    scrollIntoView(word);
}

QTextCursor WordHighlighter::span(qsizetype start, qsizetype end) const
{
    QTextCursor cursor(m_editor->document());
    cursor.setPosition(int(start));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    return cursor;
}

QColor WordHighlighter::colourAt(const QTextCursor &place) const
{
    QTextCursor first(place);
    first.setPosition(place.selectionStart());
    first.setPosition(place.selectionStart() + 1, QTextCursor::KeepAnchor); // the format of its first letter
    const QBrush brush = first.charFormat().foreground();
    return brush.style() == Qt::NoBrush ? m_editor->palette().color(QPalette::Text) : brush.color();
}

void WordHighlighter::showMark(const Reading &reading, const QTextCursor &word)
{
    const qsizetype at = Sentences::indexAt(reading.sentences, word.selectionStart());
    const QTextCursor sentence = at >= 0 && at < reading.sentences.size()
                                     ? span(reading.sentences.at(at).start, reading.sentences.at(at).end)
                                     : word;
    const QList<QTextEdit::ExtraSelection> band = bandAround(sentence, word);
    // The word is marked on the band, so it is judged against the band.
    const QColor under =
        band.isEmpty() ? m_editor->palette().color(QPalette::Base) : band.first().format.background().color();
    const MarkColours colours = coloursFor(under, colourAt(word));
    QTextEdit::ExtraSelection selection;
    selection.cursor = word;
    selection.format.setBackground(colours.background);
    selection.format.setForeground(colours.text);
    m_editor->setExtraSelections(QList<QTextEdit::ExtraSelection>{selection} + band);
    m_mark = word;
    m_band = sentence;
    emit marksChanged();
}

// The band on the sentence on either side of the word, so that the two never overlap.
QList<QTextEdit::ExtraSelection> WordHighlighter::bandAround(const QTextCursor &sentence,
                                                             const QTextCursor &word) const
{
    const MarkColours colours = bandFor(m_editor->palette().color(QPalette::Base), colourAt(sentence));
    QList<QTextEdit::ExtraSelection> pieces;
    const std::pair<int, int> sides[] = {
        {sentence.selectionStart(), word.isNull() ? sentence.selectionEnd() : word.selectionStart()},
        {word.isNull() ? sentence.selectionEnd() : word.selectionEnd(), sentence.selectionEnd()}};
    for (const auto &[start, end] : sides) {
        if (start >= end)
            continue;
        QTextEdit::ExtraSelection piece;
        piece.cursor = span(start, end);
        piece.format.setBackground(colours.background);
        piece.format.setForeground(colours.text);
        pieces.append(piece);
    }
    return pieces;
}

void WordHighlighter::holdBand(const Sentences::Span &sentence)
{
    if (!m_editor || sentence.end >= m_editor->document()->characterCount() || sentence.start >= sentence.end)
        return;
    m_mark = QTextCursor();
    m_band = span(sentence.start, sentence.end);
    m_editor->setExtraSelections(bandAround(m_band, QTextCursor()));
    emit marksChanged();
}

void WordHighlighter::removeMark()
{
    if (m_mark.isNull() && m_band.isNull())
        return;
    m_mark = QTextCursor();
    m_band = QTextCursor();
    if (m_editor)
        m_editor->setExtraSelections({});
    emit marksChanged();
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
    // A band held between sentences has no reading left to spoil: any new letters end it.
    if (currentSpoiled || (m_mark.isNull() && removed != added))
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
