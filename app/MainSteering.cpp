// Steering the reading: read from here, read the selection, a sentence back, on or
// again, stopping after each sentence, and the keys for them and for the ruler.
#include "app/Main.h"

#include "app/EditorMenu.h"
#include "app/ReadingRuler.h"
#include "app/WordHighlighter.h"
#include "app/character/frmAnim.h"
#include "controls/button/qxButtons_H.h"
#include "engine/DirectSS.h"
#include "platform/AppError.h"

#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

void Main::addSteeringKeys()
{
    m_ruler = std::make_unique<ReadingRuler>(RichTextBox1, *m_highlighter);
    m_menu = std::make_unique<EditorMenu>(*this);
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_F5), [this] { readFromHere(); }},
        {QKeySequence(Qt::ALT | Qt::Key_Left), [this] { stepSentence(SentenceSteps::Step::Back); }},
        {QKeySequence(Qt::ALT | Qt::Key_Right), [this] { stepSentence(SentenceSteps::Step::Next); }},
        {QKeySequence(Qt::Key_F7), [this] { stepSentence(SentenceSteps::Step::Again); }},
        {QKeySequence(Qt::Key_F8), [this] { setRulerShown(!rulerShown()); }},
    };
    for (const auto &[sequence, action] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);
    // The highlighter tells where the reading is; the steps learn its sentence from it.
    connect(m_highlighter.get(), &WordHighlighter::marksChanged, this, [this] {
        const QTextCursor &mark = m_highlighter->mark();
        if (!mark.isNull() && characterLoaded())
            m_steps.wordHeard(mark.selectionStart(), engine()->playedSamples());
    });
}

void Main::setStopAfterEachSentence(bool on)
{
    m_oneSentence = on;
    const QTextCursor word = m_highlighter->mark(); // a copy: the mark goes with the reading
    if (!on || !canStepSentences() || m_held || VState == 2 || word.isNull())
        return;
    // What is queued runs past the sentence: the rest of it is spoken again alone, from this word.
    const qsizetype sentence = m_steps.current();
    try {
        ++m_replacedStops;
        engine()->AudioReset();
        m_highlighter->clear();
        speakPart({word.selectionStart(), m_steps.pieceFrom(sentence, true).end});
        m_steps.moveTo(sentence);
        m_pieceEnd = m_steps.pieceFrom(sentence, true).end;
    } catch (const AppError &error) {
        tellEngineFailure(error);
    }
}

void Main::setRulerShown(bool on)
{
    m_ruler->setShown(on);
}

bool Main::rulerShown() const
{
    return m_ruler->isShown();
}

void Main::readFromHere(std::optional<int> position)
{
    const QTextCursor caret = RichTextBox1->textCursor();
    if (caret.hasSelection() && !position)
        return readSelection();
    const QString text = RichTextBox1->toPlainText();
    const qsizetype from = SentenceSteps::wordStart(text, position.value_or(caret.position()));
    readStretch({from, text.size()});
}

void Main::readSelection()
{
    const QTextCursor caret = RichTextBox1->textCursor();
    if (caret.hasSelection())
        readStretch({caret.selectionStart(), caret.selectionEnd()});
}

// Like SPEAK, for a stretch of the text; it takes the place of a reading under way.
void Main::readStretch(const Sentences::Span &stretch)
{
    if (recState)
        return;
    try {
        const std::optional<QString> text = textToRead();
        if (!text)
            return;
        m_steps.begin(*text, stretch);
        speakPiece(0, true);
        showResumed(); // from a pause too
        showSpeaking();
    } catch (const AppError &error) {
        tellEngineFailure(error);
    }
    checkEngine();
}

bool Main::canStepSentences() const
{
    return !recState && !m_steps.isEmpty() && (m_held || (m_anim && m_anim->DirectSS1->isSpeaking()));
}

void Main::stepSentence(SentenceSteps::Step step)
{
    if (!canStepSentences())
        return;
    const std::optional<qsizetype> target =
        m_steps.target(step, engine()->playedSamples(), engine()->sampleRate());
    if (!target)
        return;
    try {
        handVoiceToEngine(); // a sentence said again takes the sliders as they are now
        speakPiece(*target, true);
        showResumed();
    } catch (const AppError &error) {
        tellEngineFailure(error);
    }
    checkEngine();
}

void Main::speakPiece(qsizetype sentence, bool replace)
{
    const Sentences::Span piece = m_steps.pieceFrom(sentence, m_oneSentence);
    if (replace) {
        if (engine()->isSpeaking())
            ++m_replacedStops; // its stop report must not end the new reading
        engine()->AudioReset();
        m_highlighter->clear();
    }
    // The sentence alone first, then the rest: a short first piece is heard soonest.
    const Sentences::Span first = m_steps.pieceFrom(sentence, true);
    for (const Sentences::Span &part : {first, Sentences::Span{first.end, piece.end}})
        if (part.start < part.end)
            speakPart(part);
    m_steps.moveTo(sentence);
    m_pieceEnd = piece.end;
    m_held = false;
}

void Main::speakPart(const Sentences::Span &part)
{
    const QString &text = m_steps.text();
    engine()->Speak(text.mid(part.start, part.end - part.start));
    m_highlighter->expect(engine()->LastReading(), text, part);
}

bool Main::goOnBetweenSentences()
{
    if (recState || m_steps.isEmpty() || engine()->isSpeaking())
        return false;
    const std::optional<qsizetype> next = m_steps.after(m_pieceEnd);
    if (!next) {
        m_steps.clear();
        return false;
    }
    if (VState == 2) { // paused as the piece ended: RESUME goes on from here
        m_held = true;
        return false;
    }
    try {
        if (m_oneSentence)
            holdBetweenSentences(m_steps.current());
        else
            speakPiece(*next, false);
    } catch (const AppError &error) {
        tellEngineFailure(error);
        return false;
    }
    return true;
}

// As PAUSE leaves the window, with nothing under way in the engine.
void Main::holdBetweenSentences(qsizetype sentence)
{
    cmdPauseText->setCaption(QStringLiteral("RESUME"));
    cmdSpkText->setEnabled(false);
    Timer1->stop();
    VState = 2;
    showStatus(QStringLiteral("PAUSED"), oleRgb(255, 255, 0));
    m_held = true;
    if (sentence >= 0 && sentence < m_steps.sentences().size())
        m_highlighter->holdBand(m_steps.sentences().at(sentence));
}
