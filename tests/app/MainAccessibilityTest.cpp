// The main window as a screen reader and a keyboard meet it: every control named,
// with its role and actions; Tab in reading order; the shortcuts and the accessible
// press run the buttons' own handlers under the buttons' own enabled rules.
#include "app/About.h"
#include "app/Start.h"
#include "controls/UcCmd.h"
#include "tests/app/MainWindowFixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {
QAccessibleInterface *of(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface under `root` that stands for a widget the person can see.
void collect(QAccessibleInterface *root, QList<QAccessibleInterface *> &found)
{
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child || !child->object() || !child->object()->isWidgetType())
            continue;
        if (!static_cast<QWidget *>(child->object())->isVisible())
            continue;
        found.append(child);
        collect(child, found);
    }
}

bool pressable(QAccessibleInterface *face)
{
    QAccessibleActionInterface *actions = face->actionInterface();
    return actions && (actions->actionNames().contains(QAccessibleActionInterface::pressAction()) ||
                       actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
}

class MainAccessibility : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    Main &w() { return *window; }

    void key(QKeySequence keys)
    {
        const QKeyCombination combination = keys[0];
        QTest::keyClick(window->RichTextBox1, combination.key(), combination.keyboardModifiers());
        QApplication::processEvents();
    }

    void press(QWidget *button)
    {
        of(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QApplication::processEvents();
    }
};
} // namespace

TEST_F(MainAccessibility, EveryControlHasANameARoleAndItsActions)
{
    const std::map<QString, QAccessible::Role> roles{{"cmdSpkText", QAccessible::Button},
                                                     {"cmdBold", QAccessible::CheckBox},
                                                     {"cmdItalic", QAccessible::CheckBox},
                                                     {"cmdHelp", QAccessible::Button},
                                                     {"UcCmd1", QAccessible::Button},
                                                     {"scrSpeed", QAccessible::Slider},
                                                     {"scrPitch", QAccessible::Slider},
                                                     {"lstVoice", QAccessible::List},
                                                     {"RichTextBox1", QAccessible::EditableText},
                                                     {"txtFile", QAccessible::EditableText},
                                                     {"lblStatus", QAccessible::StaticText},
                                                     {"Label1", QAccessible::StaticText}};
    const std::map<QString, QString> names{{"cmdSpkText", "SPEAK"},
                                           {"cmdPauseText", "PAUSE"},
                                           {"cmdOpen", "Open File"},
                                           {"cmdAll", "Select All"},
                                           {"cmdAnim", "Show Animated Talking Character"},
                                           {"cmdHelp", "Help"},
                                           {"UcCmd1", "Close"},
                                           {"cmdBold", "Bold"},
                                           {"scrSpeed", "Adjust speaking speed"},
                                           {"lstVoice", "Select voice"},
                                           {"Label1", "SELECT VOICE"}};

    QList<QAccessibleInterface *> faces;
    collect(of(window.get()), faces);
    QStringList seen;
    for (QAccessibleInterface *face : faces) {
        auto *widget = static_cast<QWidget *>(face->object());
        const QString name = widget->objectName();
        seen += name;
        SCOPED_TRACE(name.toStdString());
        const bool focusable = widget->focusPolicy() & Qt::TabFocus;
        EXPECT_TRUE(!(focusable || face->role() == QAccessible::StaticText) ||
                    !face->text(QAccessible::Name).trimmed().isEmpty());
        EXPECT_EQ(face->role(), roles.count(name) ? roles.at(name) : face->role());
        EXPECT_EQ(face->text(QAccessible::Name),
                  names.count(name) ? names.at(name) : face->text(QAccessible::Name));
        const bool button = face->role() == QAccessible::Button || face->role() == QAccessible::CheckBox;
        EXPECT_EQ(button && pressable(face), button && widget->isEnabled());
        if (face->role() == QAccessible::Slider) {
            ASSERT_NE(face->valueInterface(), nullptr);
            EXPECT_TRUE(face->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::increaseAction()));
        }
    }
    for (const auto &entry : roles) {
        EXPECT_TRUE(seen.contains(entry.first)) << entry.first.toStdString() << " is not reached by the walk";
    }
    EXPECT_EQ(of(window->scrSpeed)->valueInterface()->currentValue().toInt(), window->scrSpeed->Value());
}

TEST_F(MainAccessibility, TabReachesEveryControlInReadingOrder)
{
    const QList<QWidget *> expected{
        w().cmdExit,   w().cmdHelp,      w().cmdAbout,     w().cmdOpen,      w().cmdCopy,      w().cmdPaste,
        w().cmdAll,    w().cmdAnim,      w().cmdForeColor, w().cmdBackColor, w().cmdFont,      w().cmdBold,
        w().cmdItalic, w().RichTextBox1, w().cmdSpkText,   w().cmdStopText,  w().cmdClearText, w().txtFile,
        w().cmdRec,    w().cmdSaveFile,  w().lstVoice,     w().scrSpeed,     w().scrPitch,     w().UcCmd3,
        w().UcCmd2,    w().UcCmd1};
    // PAUSE is left out while it is disabled, as Tab skips disabled controls.
    w().cmdExit->setFocus(Qt::TabFocusReason);
    QList<QWidget *> reached;
    for (int i = 0; i < expected.size(); ++i) {
        reached += QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(reached, expected);
    EXPECT_EQ(QApplication::focusWidget(), w().cmdExit); // round again
}

TEST_F(MainAccessibility, TipsNameTheKeys)
{
    EXPECT_EQ(w().cmdSpkText->toolTip(), "Speak the text (F5)");
    EXPECT_TRUE(w().cmdPauseText->toolTip().endsWith("(F6)"));
    EXPECT_TRUE(w().cmdStopText->toolTip().endsWith("(Esc)"));
    EXPECT_EQ(w().cmdOpen->toolTip(), "Open File (Ctrl+O)");
    EXPECT_TRUE(w().cmdRec->toolTip().endsWith("(Ctrl+R)"));
    EXPECT_EQ(w().cmdHelp->toolTip(), "Help (F1)");
}

// The same story told twice: by the keys, and by a screen reader's press action.
class SpeakPauseStop : public MainAccessibility, public ::testing::WithParamInterface<bool>
{
protected:
    void run(QKeySequence keys, QWidget *button) { GetParam() ? key(keys) : press(button); }
};

TEST_P(SpeakPauseStop, DriveTheSpeakingCommands)
{
    Main &m = w();
    run(QKeySequence(Qt::Key_F6), m.cmdPauseText); // PAUSE is disabled: nothing happens
    EXPECT_EQ(row(), stopped);
    run(QKeySequence(Qt::Key_F5), m.cmdSpkText); // no text yet: the button's own refusal
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Please Enter Some Text In the Text Box !");

    type("A rather long sentence that keeps the clown talking for a while.");
    run(QKeySequence(Qt::Key_F5), m.cmdSpkText);
    EXPECT_EQ(row(), speaking);
    settle();
    run(QKeySequence(Qt::Key_F6), m.cmdPauseText);
    EXPECT_EQ(row(), paused);
    EXPECT_TRUE(m.engine()->isPaused());
    run(QKeySequence(Qt::Key_F5), m.cmdSpkText); // SPEAK is disabled while paused
    EXPECT_EQ(row(), paused);
    run(QKeySequence(Qt::Key_F6), m.cmdPauseText);
    EXPECT_EQ(row(), speaking);
    run(QKeySequence(Qt::Key_Escape), m.cmdStopText);
    EXPECT_EQ(row(), stopped);
    EXPECT_FALSE(m.Timer1->isActive());
}

INSTANTIATE_TEST_SUITE_P(ByKeyAndByScreenReader, SpeakPauseStop, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Keys" : "PressAction"; });

TEST_F(MainAccessibility, OpenRecordAndHelpKeysRunTheirButtons)
{
    key(QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(dialogs.fileRequests.size(), 1);

    type("Hello.");
    key(QKeySequence(Qt::CTRL | Qt::Key_R)); // the file box is empty
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Please Enter A File Name To Save !");

    key(QKeySequence(Qt::Key_F1)); // no help file in this program folder
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[1].text.contains("Vocalino.chm")) << boxes.shown[1].text.toStdString();

    w().cmdRec->setEnabled(false);
    key(QKeySequence(Qt::CTRL | Qt::Key_R));
    w().cmdHelp->setEnabled(false);
    key(QKeySequence(Qt::Key_F1));
    EXPECT_EQ(boxes.shown.size(), 2);
}

TEST(StartAndAboutAccessibility, ButtonsAndPicturesAreNamed)
{
    Start start({});
    start.show();
    EXPECT_EQ(of(start.Command1)->role(), QAccessible::Button);
    EXPECT_EQ(of(start.Command1)->text(QAccessible::Name), "START");
    EXPECT_EQ(of(start.Command2)->text(QAccessible::Name), "CANCEL");
    EXPECT_FALSE(of(start.Image1)->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(start.Command1->focusPolicy() & Qt::TabFocus);

    About *box = About::showShared();
    EXPECT_EQ(of(box->Command1)->role(), QAccessible::Button);
    EXPECT_EQ(of(box->Command1)->text(QAccessible::Name), "Close");
    EXPECT_EQ(of(box->Label4)->role(), QAccessible::StaticText);
    EXPECT_EQ(of(box->Label4)->text(QAccessible::Name), About::WebAddress);
    EXPECT_FALSE(of(box->Image1)->text(QAccessible::Name).isEmpty());
    About::closeShared();
}
