// What a screen reader sees of the picture buttons and the skinned sliders, and
// how it works them; the keys and the focus mark that go with them.
#include "controls/UcCmd.h"
#include "controls/UcCmdAccessible.h"
#include "controls/UcScroll.h"
#include "controls/UcScrollAccessible.h"
#include "tests/support/CapturingEventLog.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class AccessibleControls : public ::testing::Test
{
protected:
    AccessibleControls()
    {
        UcCmdAccessible::install();
        UcScrollAccessible::install();
        host.resize(400, 300);
        button = new UcCmd(&host);
        button->setStyle(4);
        button->setCaption(QStringLiteral("Help"));
        button->resize(93, 19);
        scroll = new UcScroll(&host);
        scroll->resize(150, 23);
        scroll->setMax(300);
        scroll->setValue(140);
        host.show();
        QApplication::setActiveWindow(&host); // focus comes only to the active window
        QApplication::processEvents();
    }

    static QAccessibleInterface *of(QWidget *w) { return QAccessible::queryAccessibleInterface(w); }

    ScriptedMessageBoxes boxes;
    CapturingEventLog log;
    QWidget host;
    UcCmd *button = nullptr;
    UcScroll *scroll = nullptr;
};

// Pixels of the surface that differ between two looks of a control.
int changedPixels(const QImage &a, const QImage &b)
{
    int changed = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}
} // namespace

TEST_F(AccessibleControls, PictureButtonIsANamedButtonPressedLikeAClick)
{
    QAccessibleInterface *face = of(button);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), "Help");
    QAccessibleActionInterface *actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    QSignalSpy clicks(button, &UcCmd::Click);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);

    button->setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_TRUE(face->state().disabled);
}

TEST_F(AccessibleControls, BarePictureIsNamedByItsTipAndStylesGiveTheirRoles)
{
    button->setCaption(QString());
    button->setStyle(1);
    button->setToolTip(QStringLiteral("Close"));
    EXPECT_EQ(of(button)->text(QAccessible::Name), "Close");
    EXPECT_EQ(of(button)->role(), QAccessible::Button);

    button->setStyle(5);
    EXPECT_EQ(of(button)->role(), QAccessible::CheckBox);
    EXPECT_TRUE(of(button)->state().checkable);
    of(button)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(button->Value());
    EXPECT_TRUE(of(button)->state().checked);
    of(button)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(button->Value());

    button->setStyle(6);
    EXPECT_EQ(of(button)->role(), QAccessible::RadioButton);
}

TEST_F(AccessibleControls, KeysPressThePictureButtonAndItsFocusShows)
{
    QSignalSpy clicks(button, &UcCmd::Click);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks.size(), 2);

    button->clearFocus(); // the window gave it the focus when it was activated
    const QImage resting = button->surface().copy();
    button->setFocus();
    EXPECT_GT(changedPixels(resting, button->surface()), 20);
    button->clearFocus();
    EXPECT_EQ(changedPixels(resting, button->surface()), 0);
}

TEST_F(AccessibleControls, SliderShowsItsValueRangeAndStep)
{
    scroll->setAccessibleName(QStringLiteral("Speed"));
    QAccessibleInterface *face = of(scroll);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Slider);
    EXPECT_EQ(face->text(QAccessible::Name), "Speed");
    QAccessibleValueInterface *value = face->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 140);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 300);
    EXPECT_EQ(value->minimumStepSize().toInt(), 1);
    EXPECT_EQ(face->text(QAccessible::Value), "140");

    value->setCurrentValue(1000); // clamped as any other writer is
    EXPECT_EQ(scroll->Value(), 300);
}

TEST_F(AccessibleControls, SliderIncreasesAndDecreasesByActionAndByKey)
{
    QSignalSpy changes(scroll, &UcScroll::Change);
    QAccessibleActionInterface *actions = of(scroll)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::decreaseAction()));
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(scroll->Value(), 141);
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(scroll->Value(), 139);
    EXPECT_EQ(changes.size(), 3);

    scroll->setFocus();
    QTest::keyClick(scroll, Qt::Key_Right);
    EXPECT_EQ(scroll->Value(), 140);
    QTest::keyClick(scroll, Qt::Key_PageDown);
    EXPECT_EQ(scroll->Value(), 130);
    QTest::keyClick(scroll, Qt::Key_End);
    EXPECT_EQ(scroll->Value(), 300);
    QTest::keyClick(scroll, Qt::Key_Up); // already at the end
    EXPECT_EQ(scroll->Value(), 300);
    QTest::keyClick(scroll, Qt::Key_Home);
    EXPECT_EQ(scroll->Value(), 0);

    scroll->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(scroll->Value(), 0);
}

TEST_F(AccessibleControls, SliderFocusShowsAndGoesAgain)
{
    const QImage resting = scroll->surface().copy();
    scroll->setFocus();
    EXPECT_GT(changedPixels(resting, scroll->surface()), 50);
    scroll->clearFocus();
    EXPECT_EQ(changedPixels(resting, scroll->surface()), 0);
}
