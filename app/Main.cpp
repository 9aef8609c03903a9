#include "app/Main.h"

#include "app/EditorCommands.h"
#include "app/EditorMenu.h"
#include "app/FormBuilder.h"
#include "app/PictureDrawing.h"
#include "app/ReadingRuler.h"
#include "app/WordHighlighter.h"
#include "app/WordSpeaker.h"
#include "app/character/frmAnim.h"
#include "controls/UcCmd.h"
#include "controls/UcScroll.h"
#include "controls/button/qxButtons_H.h"
#include "engine/DirectSS.h"
#include "help/HTMLHelp.h"
#include "platform/FormFile.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "skin/ClsSkin.h"
#include "skin/PictureBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <QTimer>

Main::Main(QWidget *parent) : SkinnedWindow(parent)
{
    installAccessibleControls(); // before any control exists, so none is described generically
    setBorderStyle(0);
    buildFromForm();
    findControls();
    connectHandlers();
    setUpKeyboard();
    setUpWordSpeaking();
    setUpHeadStart();
    addSteeringKeys();
    Form_Load();
}

Main::~Main()
{
    delete m_anim.data();
}

void Main::buildFromForm()
{
    FormBuilder().build(FormFile::load(QStringLiteral(":/forms/Main.form")), this);
    setFixedSize(size());
}

namespace {
template <typename T> T *control(QWidget *window, const char *name)
{
    auto *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        throw AppError(AppError::NotYetPlaced,
                       QStringLiteral("The window has no %1").arg(QLatin1String(name)));
    return found;
}
} // namespace

void Main::findControls()
{
    RichTextBox1 = control<QTextEdit>(this, "RichTextBox1");
    RTFtemp = control<QTextEdit>(this, "RTFtemp");
    lstVoice = control<QListWidget>(this, "lstVoice");
    scrSpeed = control<UcScroll>(this, "scrSpeed");
    scrPitch = control<UcScroll>(this, "scrPitch");
    for (auto [button, name] : {std::pair{&cmdSpkText, "cmdSpkText"},
                                {&cmdPauseText, "cmdPauseText"},
                                {&cmdStopText, "cmdStopText"},
                                {&cmdRec, "cmdRec"},
                                {&cmdSaveFile, "cmdSaveFile"},
                                {&cmdClearText, "cmdClearText"},
                                {&cmdOpen, "cmdOpen"},
                                {&cmdCopy, "cmdCopy"},
                                {&cmdPaste, "cmdPaste"},
                                {&cmdAll, "cmdAll"},
                                {&cmdFont, "cmdFont"},
                                {&cmdBold, "cmdBold"},
                                {&cmdItalic, "cmdItalic"},
                                {&cmdForeColor, "cmdForeColor"},
                                {&cmdBackColor, "cmdBackColor"},
                                {&cmdAnim, "cmdAnim"}})
        *button = control<qxButtons_H>(this, name);
    for (auto [button, name] : {std::pair{&cmdHelp, "cmdHelp"},
                                {&cmdAbout, "cmdAbout"},
                                {&cmdExit, "cmdExit"},
                                {&UcCmd1, "UcCmd1"},
                                {&UcCmd2, "UcCmd2"},
                                {&UcCmd3, "UcCmd3"}})
        *button = control<UcCmd>(this, name);
    txtFile = control<QLineEdit>(this, "txtFile");
    lblStatus = control<QLabel>(this, "lblStatus");
    Picture1 = control<PictureBox>(this, "Picture1");
    Timer1 = control<QTimer>(this, "Timer1");
    m_editor = std::make_unique<EditorCommands>(RichTextBox1);
    m_highlighter = std::make_unique<WordHighlighter>(RichTextBox1);
}

void Main::connectHandlers()
{
    const std::pair<qxButtons_H *, void (Main::*)()> styled[] = {
        {cmdSpkText, &Main::cmdSpkText_Click},     {cmdPauseText, &Main::cmdPauseText_Click},
        {cmdStopText, &Main::cmdStopText_Click},   {cmdRec, &Main::cmdRec_Click},
        {cmdSaveFile, &Main::cmdSaveFile_Click},   {cmdClearText, &Main::cmdClearText_Click},
        {cmdOpen, &Main::cmdOpen_Click},           {cmdCopy, &Main::cmdCopy_Click},
        {cmdPaste, &Main::cmdPaste_Click},         {cmdAll, &Main::cmdAll_Click},
        {cmdFont, &Main::cmdFont_Click},           {cmdBold, &Main::cmdBold_Click},
        {cmdItalic, &Main::cmdItalic_Click},       {cmdForeColor, &Main::cmdForeColor_Click},
        {cmdBackColor, &Main::cmdBackColor_Click}, {cmdAnim, &Main::cmdAnim_Click}};
    for (const auto &[button, handler] : styled)
        connect(button, &qxButtons_H::Click, this, handler);
    const std::pair<UcCmd *, void (Main::*)()> images[] = {
        {cmdHelp, &Main::cmdHelp_Click}, {cmdAbout, &Main::cmdAbout_Click}, {cmdExit, &Main::cmdExit_Click},
        {UcCmd1, &Main::UcCmd1_Click},   {UcCmd2, &Main::UcCmd2_Click},     {UcCmd3, &Main::UcCmd3_Click}};
    for (const auto &[button, handler] : images)
        connect(button, &UcCmd::Click, this, handler);
    // The list's click also comes when the program sets the selection.
    connect(lstVoice, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstVoice_Click();
    });
    // A click on the voice already chosen brings its speed and pitch back too.
    connect(lstVoice, &QListWidget::itemClicked, this, [this] { lstVoice_Click(); });
    connect(Timer1, &QTimer::timeout, this, &Main::Timer1_Timer);
}

void Main::Form_Load()
{
    applySkin();
    Roll(programFile(QStringLiteral("audio/start.wav")));
    m_levels.reset({double(pixelsToTwips(Picture1->width())), double(pixelsToTwips(Picture1->height())),
                    Picture1->width(), Picture1->height()});
    scrSpeed->setValue(140);
    scrPitch->setValue(169);
    Timer1->stop();
    cmdPauseText->setEnabled(false);
    fixWindowSize();
    VState = 1;
    recState = 0;
    LoadVoices();
    m_editor->setStartingFormat();
    cmdBold->setValue(true);
}

frmAnim *Main::anim()
{
    if (!m_anim) {
        m_anim = new frmAnim();
        m_anim->setAudioStopTarget(this);
        // The words are marked as they are heard, with the mouth and the level display.
        connect(m_anim->DirectSS1, &DirectSS::ReadingHeard, m_highlighter.get(),
                &WordHighlighter::readingHeard);
        connect(m_anim->DirectSS1, &DirectSS::WordHeard, m_highlighter.get(), &WordHighlighter::wordHeard);
    }
    return m_anim;
}

DirectSS *Main::engine()
{
    return anim()->DirectSS1;
}

void Main::closeEvent(QCloseEvent *event)
{
    closeCompanions();
    SkinnedWindow::closeEvent(event);
}
