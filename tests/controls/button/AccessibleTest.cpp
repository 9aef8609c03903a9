// What a screen reader sees of a styled button and how it presses it.
#include "controls/button/qxButtonsAccessible.h"
#include "tests/controls/button/ButtonTestSupport.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QAccessible>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QAccessibleInterface *of(qxButtons_H *button)
{
    return QAccessible::queryAccessibleInterface(button);
}

// Installed before any button exists, as the program does.
const bool installed = [] {
    qxButtonsAccessible::install();
    return true;
}();
} // namespace

TEST(qxButtonsAccessible, CaptionNamesTheButtonWithoutItsAccessMark)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 90, 30});
    button->setCaption(QStringLiteral("&Speak && listen"));
    form.show();
    QAccessibleInterface *face = of(button);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), "Speak & listen");
    EXPECT_EQ(face->text(QAccessible::Accelerator), "Alt+S");
    EXPECT_FALSE(face->state().checkable);

    button->setCaption(QString());
    button->setToolTip(QStringLiteral("Open File"));
    EXPECT_EQ(face->text(QAccessible::Name), "Open File");
    button->setAccessibleName(QStringLiteral("Open a file"));
    EXPECT_EQ(face->text(QAccessible::Name), "Open a file");
    EXPECT_EQ(face->text(QAccessible::Description), "Open File");
}

TEST(qxButtonsAccessible, PressRunsTheClickOnlyWhileEnabled)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 90, 30});
    button->setCaption(QStringLiteral("SPEAK"));
    form.show();
    QSignalSpy clicks(button, &qxButtons_H::Click);
    QAccessibleActionInterface *actions = of(button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);

    button->setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_TRUE(of(button)->state().disabled);
}

TEST(qxButtonsAccessible, CheckAndOptionModesAreCheckBoxesAndOptionButtons)
{
    ScriptedMessageBoxes boxes;
    Form form;
    qxButtons_H *bold = form.add({10, 10, 30, 30});
    bold->setMode(qxButtons_H::CheckMode);
    bold->setCaption(QStringLiteral("B"));
    qxButtons_H *option = form.add({50, 10, 30, 30});
    option->setMode(qxButtons_H::OptionMode);
    form.show();

    QAccessibleInterface *face = of(bold);
    EXPECT_EQ(face->role(), QAccessible::CheckBox);
    EXPECT_TRUE(face->state().checkable);
    EXPECT_FALSE(face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(bold->Value());
    EXPECT_TRUE(face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(bold->Value());

    EXPECT_EQ(of(option)->role(), QAccessible::RadioButton);
}

TEST(qxButtonsAccessible, FocusedButtonShowsItsFocusMark)
{
    Form form;
    qxButtons_H *first = form.add({10, 10, 90, 30});
    first->setCaption(QStringLiteral("ONE"));
    qxButtons_H *second = form.add({110, 10, 90, 30});
    second->setCaption(QStringLiteral("TWO"));
    form.show();
    first->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(first->stateFlags() & qxButtons_H::DefaultFrame);
    EXPECT_TRUE(of(first)->state().focused);
    second->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(first->stateFlags() & qxButtons_H::DefaultFrame);
    EXPECT_TRUE(second->stateFlags() & qxButtons_H::DefaultFrame);
}
