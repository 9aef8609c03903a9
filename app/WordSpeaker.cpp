#include "app/WordSpeaker.h"

#include "app/Syllables.h"
#include "app/WordHighlighter.h"
#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "platform/AppError.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <thread>
#include <utility>

namespace {
bool isWordLetter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == QChar(0x2019);
}
} // namespace

WordSpeaker::WordSpeaker(QTextEdit *editor, std::function<DirectSS *()> engine, QObject *parent)
    : QObject(parent), m_editor(editor), m_engine(std::move(engine))
{
    editor->viewport()->installEventFilter(this);
}

WordSpeaker::~WordSpeaker() = default;

QTextCursor WordSpeaker::wordAt(QTextDocument *document, int position)
{
    const QTextBlock block = document->findBlock(position);
    const QString text = block.text();
    const int at = position - block.position();
    const auto letter = [&](int i) {
        if (i < 0 || i >= text.size())
            return false;
        // An apostrophe belongs to the word only between two letters ("don't").
        return isWordLetter(text.at(i)) || (isApostrophe(text.at(i)) && i > 0 && i + 1 < text.size() &&
                                            isWordLetter(text.at(i - 1)) && isWordLetter(text.at(i + 1)));
    };
    int start = letter(at) ? at : (letter(at - 1) ? at - 1 : -1);
    if (start < 0)
        return {};
    int end = start;
    while (letter(start - 1))
        --start;
    while (letter(end))
        ++end;
    QTextCursor word(document);
    word.setPosition(block.position() + start);
    word.setPosition(block.position() + end, QTextCursor::KeepAnchor);
    return word;
}

QTextCursor WordSpeaker::wordUnder(QPoint point) const
{
    const QTextCursor near = m_editor->cursorForPosition(point);
    const QTextCursor word = wordAt(m_editor->document(), near.position());
    if (word.isNull())
        return {};
    // The point must lie on the word's letters, not past the end of its line.
    QTextCursor first(word), last(word);
    first.setPosition(word.selectionStart());
    last.setPosition(word.selectionEnd());
    const QRect from = m_editor->cursorRect(first), to = m_editor->cursorRect(last);
    const QRect place(QPoint(from.left(), from.top()), QPoint(to.right(), to.bottom()));
    return place.contains(point) ? word : QTextCursor();
}

std::optional<QStringList> WordSpeaker::partsOf(const QString &word)
{
    const DirectSS *engine = m_engine();
    const VoiceEntry &voice = VoiceCatalogue::voices().at(engine->CurrentMode() - 1);
    const QString file = Syllables::patternFile(Syllables::languageOf(voice));
    auto &patterns = m_patterns[file];
    if (!patterns.valid()) {
        // On a thread of its own, left to finish alone: closing the window never waits for it.
        std::packaged_task<std::shared_ptr<Syllables>()> read(
            [file] { return std::make_shared<Syllables>(file); });
        patterns = read.get_future().share();
        std::thread(std::move(read)).detach();
    }
    if (patterns.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return std::nullopt;
    return patterns.get()->split(word);
}

bool WordSpeaker::refused(const QTextCursor &word) const
{
    if (word.isNull() || !word.hasSelection() || !m_editor)
        return true;
    const DirectSS *engine = m_engine();
    return engine->isSpeaking() || !engine->FileName().isEmpty();
}

bool WordSpeaker::sayWord(const QTextCursor &word)
{
    return !refused(word) && say(word, {word.selectedText()});
}

bool WordSpeaker::saySyllables(const QTextCursor &word)
{
    if (refused(word))
        return false;
    m_waiting = {};
    if (const auto parts = partsOf(word.selectedText()))
        return say(word, *parts);
    m_waiting = word;
    sayWhenPatternsAreRead();
    return true;
}

void WordSpeaker::sayWhenPatternsAreRead()
{
    QTimer::singleShot(50, this, [this] {
        if (m_waiting.isNull())
            return;
        const auto parts = partsOf(m_waiting.selectedText());
        if (!parts) {
            sayWhenPatternsAreRead();
            return;
        }
        const QTextCursor word = std::exchange(m_waiting, {});
        if (!refused(word))
            say(word, *parts);
    });
}

bool WordSpeaker::say(const QTextCursor &word, const QStringList &parts)
{
    DirectSS *engine = m_engine();
    connectEngine(engine);
    finished();
    int at = word.selectionStart();
    try {
        for (const QString &part : parts) {
            engine->SpeakAfter(m_parts.empty() ? 0 : gapMs, part);
            QTextCursor place(word.document());
            place.setPosition(at);
            place.setPosition(at + int(part.size()), QTextCursor::KeepAnchor);
            m_parts.push_back({engine->LastReading(), place});
            at += int(part.size());
        }
    } catch (const AppError &) {
        // A synthesiser that cannot start: what was handed over is said, the rest is not.
    }
    engine->setVisible(true);
    return !m_parts.empty();
}

void WordSpeaker::connectEngine(DirectSS *engine)
{
    if (m_connected == engine)
        return;
    m_connected = engine;
    connect(engine, &DirectSS::ReadingHeard, this, &WordSpeaker::readingHeard);
    connect(engine, &DirectSS::WordHeard, this, &WordSpeaker::wordHeard);
    connect(engine, &DirectSS::AudioStop, this, &WordSpeaker::finished);
}

// A part is lit from its first sound; the silence before it shows nothing lit.
void WordSpeaker::readingHeard(qint32 reading)
{
    m_heard = reading;
    light({});
}

void WordSpeaker::wordHeard()
{
    for (const Part &part : m_parts)
        if (part.reading == m_heard)
            light(part.place);
}

void WordSpeaker::finished()
{
    m_parts.clear();
    m_heard = 0;
    light({});
}

void WordSpeaker::light(const QTextCursor &place)
{
    if (!m_editor || (place.isNull() && m_lit.isNull()))
        return;
    m_lit = place;
    if (place.isNull()) {
        m_editor->setExtraSelections({});
        return;
    }
    const QColor wordColour = place.charFormat().foreground().style() == Qt::NoBrush
                                  ? m_editor->palette().color(QPalette::Text)
                                  : place.charFormat().foreground().color();
    const auto colours = WordHighlighter::coloursFor(m_editor->palette().color(QPalette::Base), wordColour);
    QTextEdit::ExtraSelection mark;
    mark.cursor = place;
    mark.format.setBackground(colours.background);
    mark.format.setForeground(colours.text);
    m_editor->setExtraSelections({mark});
}

void WordSpeaker::addTo(QMenu *menu, const QTextCursor &word)
{
    if (!word.isNull())
        partsOf(word.selectedText()); // starts reading the patterns while the menu is open
    menu->addSeparator();
    // The tab sets the way in apart, where a menu shows keys.
    QAction *whole = menu->addAction(tr("Say this word") + QStringLiteral("\tCtrl+Click"), this,
                                     [this, word] { sayWord(word); });
    QAction *slowly = menu->addAction(tr("Say it in syllables"), this, [this, word] { saySyllables(word); });
    const bool usable = !refused(word);
    whole->setEnabled(usable);
    slowly->setEnabled(usable);
}

// Ctrl+click says the word under the pointer, and leaves the caret where it was.
bool WordSpeaker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_editor && watched == m_editor->viewport()) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (click->button() == Qt::LeftButton && click->modifiers() == Qt::ControlModifier) {
            sayWord(wordUnder(click->position().toPoint()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
