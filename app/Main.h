#pragma once

#include "app/LevelDisplay.h"
#include "app/SentenceSteps.h"
#include "app/character/AudioStopTarget.h"
#include "platform/SystemColors.h"
#include "skin/SkinnedWindow.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

class AppError;
class ClsSkin;
class DirectSS;
class EditorCommands;
class EditorMenu;
class ReadingRuler;
class HTMLHelp;
class PictureBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextEdit;
class QTimer;
class UcCmd;
class UcScroll;
class WordHighlighter;
class WordSpeaker;
class frmAnim;
class qxButtons_H;

// The one working window: the editor, the voices, the sliders, the commands and the
// level display. It drives the engine on the character window and learns from it
// when the audio has stopped.
class Main : public SkinnedWindow, public AudioStopTarget
{
    Q_OBJECT

public:
    static constexpr qint32 SettingNotUsable = qint32(0x8000FFFF);

    // Builds the window from its form file and runs its load.
    explicit Main(QWidget *parent = nullptr);
    ~Main() override;

    // The speaking flags the character window reads and writes.
    qint16 recState = 0; // -1 while a recording is under way
    qint16 VState = 1;   // 1 not paused, 2 paused

    // Plays a wave file and returns when it has ended; a missing or unplayable file plays
    // nothing and is noted in the event log.
    void Roll(const QString &WaveFile);
    void Drawbox(float boxLeft, float BoxWidth, OleColor boxColor, float Value, qint16 Index);
    void applyAudioStop() override;
    void applyEngineFailure(qint32 code, const QString &text, const QString &recording) override;
    // Returns the pair the sliders hold afterwards.
    std::pair<qint16, qint16> GetVoiceDefaults(const QString &voiceName);

    // The character window, loaded hidden on first use; it hosts the engine.
    frmAnim *anim();
    DirectSS *engine();
    bool characterLoaded() const { return !m_anim.isNull(); }
    const LevelDisplay &levelDisplay() const { return m_levels; }
    const WordHighlighter &highlighter() const { return *m_highlighter; }
    // Says a word of the editor alone or in syllables (Ctrl+click, the editor's menu).
    WordSpeaker &words() { return *m_words; }
    const SentenceSteps &sentenceSteps() const { return m_steps; }
    const ReadingRuler &ruler() const { return *m_ruler; }

    // Controls, found by name once the form is built.
    QTextEdit *RichTextBox1 = nullptr;
    QTextEdit *RTFtemp = nullptr;
    QListWidget *lstVoice = nullptr;
    UcScroll *scrSpeed = nullptr;
    UcScroll *scrPitch = nullptr;
    qxButtons_H *cmdSpkText = nullptr, *cmdPauseText = nullptr, *cmdStopText = nullptr;
    qxButtons_H *cmdRec = nullptr, *cmdSaveFile = nullptr, *cmdClearText = nullptr;
    qxButtons_H *cmdOpen = nullptr, *cmdCopy = nullptr, *cmdPaste = nullptr, *cmdAll = nullptr;
    qxButtons_H *cmdFont = nullptr, *cmdBold = nullptr, *cmdItalic = nullptr;
    qxButtons_H *cmdForeColor = nullptr, *cmdBackColor = nullptr, *cmdAnim = nullptr;
    UcCmd *cmdHelp = nullptr, *cmdAbout = nullptr, *cmdExit = nullptr;
    UcCmd *UcCmd1 = nullptr, *UcCmd2 = nullptr, *UcCmd3 = nullptr;
    QLineEdit *txtFile = nullptr;
    QLabel *lblStatus = nullptr;
    PictureBox *Picture1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Command handlers.
    void cmdSpkText_Click();
    void cmdPauseText_Click();
    void cmdStopText_Click();
    void cmdRec_Click();
    void cmdSaveFile_Click();
    void cmdClearText_Click();
    void cmdOpen_Click();
    void cmdCopy_Click();
    void cmdPaste_Click();
    void cmdAll_Click();
    void cmdFont_Click();
    void cmdBold_Click();
    void cmdItalic_Click();
    void cmdForeColor_Click();
    void cmdBackColor_Click();
    void cmdAnim_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdExit_Click();
    void UcCmd1_Click();
    void UcCmd2_Click();
    void UcCmd3_Click();
    void lstVoice_Click();
    void Timer1_Timer();

    // Steering the reading, from the keyboard and the editor's context menu.
    // Reads the selection when there is one, else from the word at `position` (the caret's
    // place when none is given) to the end. Not while recording.
    void readFromHere(std::optional<int> position = std::nullopt);
    void readSelection();
    // Back, next or again, while reading or paused; nothing while recording.
    void stepSentence(SentenceSteps::Step step);
    bool canStepSentences() const;
    // Switched on while reading, the reading pauses at the end of the sentence being heard.
    void setStopAfterEachSentence(bool on);
    bool stopsAfterEachSentence() const { return m_oneSentence; }
    void setRulerShown(bool on);
    bool rulerShown() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFromForm();
    void findControls();
    void connectHandlers();
    static void installAccessibleControls();
    void setUpKeyboard();
    void nameUnlabelledControls();
    void setReadingOrder();
    void addShortcuts();
    void setUpWordSpeaking();
    void setUpHeadStart();
    void synthesiseAhead();
    void Form_Load();
    void applySkin();
    void fixWindowSize();
    void closeCompanions();
    void LoadVoices();
    void handVoiceToEngine();
    // Hands the engine the voice, speed and pitch, then gives the editor's text; no text is refused.
    std::optional<QString> textToRead();
    void checkEngine();
    void showStatus(const QString &text, OleColor color);
    void clearLevelDisplay();
    void tellOnceWhenNoSoundDevice();
    bool startRecording(const QString &path);
    void warnNotWritten(const QString &path, const QString &reason);
    void warn(const QString &text);
    // True, after telling the person, when the error is a synthesiser that cannot start.
    bool tellEngineFailure(const AppError &error);
    void addSteeringKeys();
    void readStretch(const Sentences::Span &stretch);
    // Speaks from this sentence of the steered reading, after what is under way when `replace`.
    void speakPiece(qsizetype sentence, bool replace);
    void speakPart(const Sentences::Span &part);
    void showSpeaking();
    void showResumed();
    // At the end of a piece's sound: true when the reading goes on or waits between sentences.
    bool goOnBetweenSentences();
    void holdBetweenSentences(qsizetype sentence);

    std::unique_ptr<ClsSkin> m_skin;
    std::unique_ptr<HTMLHelp> m_help;
    std::unique_ptr<EditorCommands> m_editor;
    std::unique_ptr<WordHighlighter> m_highlighter;
    std::unique_ptr<WordSpeaker> m_words;
    QPointer<frmAnim> m_anim;
    LevelDisplay m_levels;
    std::unique_ptr<ReadingRuler> m_ruler;
    std::unique_ptr<EditorMenu> m_menu;
    SentenceSteps m_steps;      // the reading the keys steer
    qsizetype m_pieceEnd = 0;   // where the piece being spoken ends in its text
    bool m_oneSentence = false; // stop after each sentence
    bool m_held = false;        // paused between sentences, with nothing under way
    int m_replacedStops = 0;    // stop reports of readings a step replaced, still to come
    bool m_toldNoSoundDevice = false;
    bool m_characterPlaced = false;
    QTimer *m_headStart = nullptr; // a pause in the writing lets the engine make the first sentence ahead
};
