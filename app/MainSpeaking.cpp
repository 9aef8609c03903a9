// Speaking: speak, pause and resume, stop, the end of the audio, the engine check and
// the level display.
#include "app/Main.h"

#include "app/PictureDrawing.h"
#include "app/WordHighlighter.h"
#include "skin/PictureBox.h"
#include "app/character/frmAnim.h"
#include "engine/DirectSS.h"
#include "controls/UcScroll.h"
#include "controls/button/qxButtons_H.h"
#include "platform/AppError.h"
#include "platform/MessageBoxes.h"

#include <QLabel>
#include <QListWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>

namespace {
const QString appTitle = QStringLiteral("Vocalino 5.0");
constexpr OleColor red = oleRgb(255, 0, 0);
constexpr OleColor yellow = oleRgb(255, 255, 0);
constexpr int headStartAfterMs = 400;
constexpr int headStartText = 1 << 16; // characters, far more than a first sentence
} // namespace

// A pause in the writing, another voice, speed or tone, or the end of a reading: the engine
// makes the first sentence ahead, so that SPEAK starts without waiting for the whole sentence.
void Main::setUpHeadStart()
{
    m_headStart = new QTimer(this);
    m_headStart->setSingleShot(true);
    m_headStart->setInterval(headStartAfterMs);
    connect(m_headStart, &QTimer::timeout, this, &Main::synthesiseAhead);
    const auto restart = [this] { m_headStart->start(); };
    connect(RichTextBox1, &QTextEdit::textChanged, m_headStart, restart);
    connect(lstVoice, &QListWidget::currentRowChanged, m_headStart, restart);
    connect(scrSpeed, &UcScroll::Change, m_headStart, restart);
    connect(scrPitch, &UcScroll::Change, m_headStart, restart);
}

void Main::synthesiseAhead()
{
    if (recState)
        return;
    // Only the first sentence is made: a long text's start is enough, not a copy of all of it.
    const QTextDocument *document = RichTextBox1->document();
    QString text;
    if (document->characterCount() <= headStartText) {
        text = document->toPlainText();
    } else {
        QTextCursor start(RichTextBox1->document());
        start.setPosition(headStartText, QTextCursor::KeepAnchor);
        text = start.selection().toPlainText();
    }
    engine()->SynthesiseAhead(text, lstVoice->currentRow() + 1, scrSpeed->Value(), scrPitch->Value());
}

void Main::warn(const QString &text)
{
    MessageBoxes::current().show(appTitle, text, MsgIcon::Warning, MsgButtons::Ok);
}

void Main::showStatus(const QString &text, OleColor color)
{
    lblStatus->setText(text);
    QPalette palette = lblStatus->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    lblStatus->setPalette(palette);
}

void Main::handVoiceToEngine()
{
    DirectSS *speech = engine();
    speech->Select(lstVoice->currentRow() + 1);
    speech->setSpeed(scrSpeed->Value());
    speech->setPitch(scrPitch->Value());
}

std::optional<QString> Main::textToRead()
{
    handVoiceToEngine();
    const QString text = RichTextBox1->toPlainText();
    if (text.isEmpty()) {
        warn(QStringLiteral("Please Enter Some Text In the Text Box !"));
        return std::nullopt;
    }
    return text;
}

void Main::cmdSpkText_Click()
{
    try {
        const std::optional<QString> text = textToRead();
        if (!text)
            return;
        m_steps.begin(*text, {0, text->size()});
        m_held = false;
        if (m_oneSentence) {
            speakPiece(0, false);
        } else {
            engine()->Speak(*text);
            m_highlighter->expect(engine()->LastReading(), *text);
            m_pieceEnd = text->size();
        }
        showSpeaking();
    } catch (const AppError &error) {
        tellEngineFailure(error); // other failures are read back from the last error below
    }
    checkEngine();
}

void Main::showSpeaking()
{
    Timer1->start();
    cmdPauseText->setEnabled(true);
    showStatus(QStringLiteral("SPEAKING"), yellow);
    cmdClearText->setEnabled(false);
    engine()->setVisible(true);
    tellOnceWhenNoSoundDevice();
}

void Main::tellOnceWhenNoSoundDevice()
{
    if (m_toldNoSoundDevice || engine()->hasAudioDevice())
        return;
    m_toldNoSoundDevice = true;
    warn(QStringLiteral("No sound device was found, so the speech cannot be heard.\r\n"
                        "Recording to a wave file still works."));
}

void Main::checkEngine()
{
    if (engine()->LastError() != SettingNotUsable)
        return;
    warn(QStringLiteral("This setting is not compatible with the selected\r\n"
                        "     Voice. Please try a different setting."));
    try {
        const auto [speed, pitch] = GetVoiceDefaults(engine()->ModeName(lstVoice->currentRow() + 1));
        scrSpeed->setValue(speed);
        scrPitch->setValue(pitch);
    } catch (const AppError &) {
        // No voice selected: the sliders stay as they are.
    }
}

void Main::cmdPauseText_Click()
{
    if (cmdPauseText->Caption() == QLatin1String("PAUSE")) {
        engine()->AudioPause();
        cmdPauseText->setCaption(QStringLiteral("RESUME"));
        cmdSpkText->setEnabled(false);
        Timer1->stop();
        VState = 2;
        showStatus(QStringLiteral("PAUSED"), yellow);
    } else if (m_held) { // waiting between sentences: the next one
        const std::optional<qsizetype> next = m_steps.after(m_pieceEnd);
        showResumed();
        if (next)
            speakPiece(*next, true);
    } else {
        engine()->AudioResume();
        showResumed();
    }
}

void Main::showResumed()
{
    m_held = false;
    cmdPauseText->setCaption(QStringLiteral("PAUSE"));
    cmdSpkText->setEnabled(true);
    Timer1->start();
    VState = 1;
    showStatus(QStringLiteral("SPEAKING"), yellow);
    engine()->setVisible(true);
}

void Main::cmdStopText_Click()
{
    engine()->AudioReset();
    m_highlighter->clear();
    m_steps.clear();
    m_held = false;
    if (!recState)
        engine()->setFileName(QString());
    Timer1->stop();
    cmdSpkText->setEnabled(true);
    cmdPauseText->setEnabled(false);
    cmdClearText->setEnabled(true);
    cmdPauseText->setCaption(QStringLiteral("PAUSE"));
    VState = 1;
    clearLevelDisplay();
    showStatus(QStringLiteral("STOPPED"), red);
}

void Main::applyAudioStop()
{
    // A reading that a step replaced: the new one is under way.
    if (m_replacedStops > 0 && engine()->isSpeaking()) {
        --m_replacedStops;
        return;
    }
    m_replacedStops = 0;
    if (goOnBetweenSentences())
        return;
    Timer1->stop();
    m_headStart->start(); // SPEAK may come again
    clearLevelDisplay();
    engine()->setVisible(false);
    if (!engine()->isSpeaking()) // a stop's late report must not end a reading begun since
        m_highlighter->clear();
    if (recState) {
        engine()->setFileName(QString());
        cmdSpkText->setEnabled(true);
        cmdPauseText->setEnabled(true);
        cmdClearText->setEnabled(true);
        recState = 0;
    }
    if (VState == 1) {
        cmdPauseText->setEnabled(false);
        cmdClearText->setEnabled(true);
    }
    if (VState == 2)
        showStatus(QStringLiteral("PAUSED"), yellow);
    else
        showStatus(QStringLiteral("STOPPED"), red);
}

void Main::clearLevelDisplay() { clearDrawing(*Picture1); }

void Main::Timer1_Timer()
{
    m_levels.tick(Picture1->Image(), Picture1->BackColor());
    Picture1->update();
}

void Main::Drawbox(float boxLeft, float BoxWidth, OleColor boxColor, float Value, qint16 Index)
{
    m_levels.Drawbox(Picture1->Image(), boxLeft, BoxWidth, boxColor, Value, Index);
    Picture1->update();
}
