// The main window for keyboards and screen readers: names, tips with their keys,
// the reading order of Tab, and the shortcuts.
#include "app/EditorCommands.h"
#include "app/Main.h"

#include "controls/UcCmd.h"
#include "controls/UcCmdAccessible.h"
#include "controls/UcScroll.h"
#include "controls/UcScrollAccessible.h"
#include "controls/button/qxButtonsAccessible.h"
#include "controls/button/qxButtons_H.h"
#include "skin/PictureBox.h"

#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTextEdit>

namespace {
QString withKey(const QString &tip, const QKeySequence &keys)
{
    return QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText));
}
} // namespace

void Main::installAccessibleControls()
{
    qxButtonsAccessible::install();
    UcCmdAccessible::install();
    UcScrollAccessible::install();
}

void Main::setUpKeyboard()
{
    nameUnlabelledControls();
    setReadingOrder();
    addShortcuts();
}

void Main::nameUnlabelledControls()
{
    RichTextBox1->setAccessibleName(QStringLiteral("Text to read"));
    txtFile->setAccessibleName(QStringLiteral("Wave file name"));
    lstVoice->setAccessibleName(QStringLiteral("Select voice"));
    scrSpeed->setAccessibleName(QStringLiteral("Adjust speaking speed"));
    scrPitch->setAccessibleName(QStringLiteral("Adjust voice tone"));
    Picture1->setAccessibleName(QStringLiteral("Sound level"));
    // A picture button is named by its tip, and so is one whose caption is a single
    // letter ("B" says little aloud); the key added to the tip below is no part of the name.
    for (qxButtons_H *button : findChildren<qxButtons_H *>())
        if (button->Caption().size() <= 1 && button->accessibleName().isEmpty() &&
            !button->toolTip().isEmpty())
            button->setAccessibleName(button->toolTip());
}

// Top to bottom, left to right: the window's buttons, the tool bar, the editor, the
// speaking and recording commands, the voices, the sliders, then the frame's buttons.
void Main::setReadingOrder()
{
    RTFtemp->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget *> order{
        cmdExit,    cmdHelp,      cmdAbout,     cmdOpen,      cmdCopy, cmdPaste,  cmdAll,
        cmdAnim,    cmdForeColor, cmdBackColor, cmdFont,      cmdBold, cmdItalic, RichTextBox1,
        cmdSpkText, cmdPauseText, cmdStopText,  cmdClearText, txtFile, cmdRec,    cmdSaveFile,
        lstVoice,   scrSpeed,     scrPitch,     UcCmd3,       UcCmd2,  UcCmd1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    RichTextBox1->setTabChangesFocus(true); // Tab leaves the editor rather than typing a tab
    // Their own frames hardly change with the focus on this skin; a dotted one shows it.
    const QString dotted = QStringLiteral("%1:focus { border: 2px dotted black; %2 }");
    RichTextBox1->setStyleSheet(dotted.arg(QLatin1String("QTextEdit"), QString()));
    m_editor->setPageColor(RichTextBox1->palette().color(QPalette::Base)); // painted under the sheet too
    lstVoice->setStyleSheet(dotted.arg(QLatin1String("QListWidget"), QString()));
    // A line edit's style sheet would paint it white: it keeps the colour of its form.
    txtFile->setStyleSheet(dotted.arg(
        QLatin1String("QLineEdit"),
        QStringLiteral("background-color: %1;").arg(txtFile->palette().color(QPalette::Base).name())));
}

void Main::addShortcuts()
{
    const struct
    {
        qxButtons_H *button;
        QKeySequence keys;
        const char *tip; // for buttons that show a caption and had no tip
    } styled[] = {
        {cmdSpkText, QKeySequence(Qt::Key_F5), "Speak the text"},
        {cmdPauseText, QKeySequence(Qt::Key_F6), "Pause or resume the speech"},
        {cmdStopText, QKeySequence(Qt::Key_Escape), "Stop the speech"},
        {cmdOpen, QKeySequence(Qt::CTRL | Qt::Key_O), ""},
        {cmdRec, QKeySequence(Qt::CTRL | Qt::Key_R), "Record the speech into the wave file"},
    };
    for (const auto &[button, keys, tip] : styled) {
        if (button->toolTip().isEmpty())
            button->setToolTip(QString::fromLatin1(tip));
        button->setToolTip(withKey(button->toolTip(), keys));
        // Through the button's own access-key path: a disabled button does nothing.
        connect(new QShortcut(keys, this), &QShortcut::activated, button,
                [b = button] { b->AccessKeyPress(' '); });
    }
    cmdHelp->setToolTip(withKey(QStringLiteral("Help"), QKeySequence(Qt::Key_F1)));
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, cmdHelp, &UcCmd::Press);
}
