#include "ButtonTestSupport.h"

#include "controls/button/modQxTimer.h"
#include "platform/SystemCommandEvent.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Writes down the control's events in the order they come.
struct EventTrail
{
    explicit EventTrail(qxButtons_H *button)
    {
        QObject::connect(button, &qxButtons_H::MouseDown,
                         [this](short b, short, float, float) { add("MouseDown", b); });
        QObject::connect(button, &qxButtons_H::MouseUp,
                         [this](short b, short, float, float) { add("MouseUp", b); });
        QObject::connect(button, &qxButtons_H::KeyDown, [this](short k, short) { add("KeyDown", k); });
        QObject::connect(button, &qxButtons_H::KeyUp, [this](short k, short) { add("KeyUp", k); });
        QObject::connect(button, &qxButtons_H::DoubleClick, [this](short b) { add("DoubleClick", b); });
        QObject::connect(button, &qxButtons_H::Click, [this, button] {
            events << (button->Mode() == 0 ? QStringLiteral("Click")
                                           : QStringLiteral("Click=%1").arg(button->Value()));
        });
    }
    void add(const char *name, int argument)
    {
        events << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(argument);
    }
    QStringList events;
};

QPointer<qxButtons_H> memberOf(QWidget *container, int n)
{
    return container->property(QByteArray::number(n) + "qx_Obj").value<QPointer<qxButtons_H>>();
}
} // namespace

TEST(ButtonInput, MouseClickOrderAndCheckValue)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 24});
    EventTrail trail(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(trail.events, (QStringList{"MouseDown(1)", "MouseUp(1)", "Click"}));

    trail.events.clear();
    button->setMode(1);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(trail.events, (QStringList{"MouseDown(1)", "MouseUp(1)", "Click=1"}));
    EXPECT_FALSE(button->stateFlags() & qxButtons_H::Pressed);
}

TEST(ButtonInput, RightClickAndReleaseOutsideGiveNoClick)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 24});
    EventTrail trail(button);
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(40, 12));
    EXPECT_EQ(trail.events, (QStringList{"MouseDown(2)", "MouseUp(2)"}));
    trail.events.clear();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_EQ(trail.events, (QStringList{"MouseDown(1)", "MouseUp(1)"}));
}

TEST(ButtonInput, DoubleClickRaisesItsOwnEventAndNoSecondClick)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 24});
    EventTrail trail(button);
    // What the window system sends for a double click: the second press comes as a double click.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(trail.events.count(QStringLiteral("Click")), 1);
    EXPECT_TRUE(trail.events.contains(QStringLiteral("DoubleClick(1)")));
    EXPECT_EQ(trail.events.last(), QStringLiteral("MouseUp(1)"));
}

TEST(ButtonInput, SpaceBarOrderDependsOnMode)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 24});
    EventTrail trail(button);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(button->stateFlags() & qxButtons_H::Pressed);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(trail.events, (QStringList{"KeyDown(32)", "Click", "KeyUp(32)"}));

    for (int mode : {1, 2}) {
        trail.events.clear();
        button->setMode(mode);
        button->setValue(false);
        QTest::keyClick(button, Qt::Key_Space);
        EXPECT_EQ(trail.events, (QStringList{"KeyDown(32)", "KeyUp(32)", "Click=1"})) << "mode " << mode;
    }
}

TEST(ButtonInput, ArrowKeysRaiseNoKeyDownAndMoveTheOptionSelection)
{
    Form form;
    qxButtons_H *first = form.add({10, 10, 80, 24});
    qxButtons_H *second = form.add({10, 40, 80, 24});
    for (qxButtons_H *b : {first, second})
        b->setMode(2);
    first->setValue(true);
    form.show();
    first->setFocus();
    EventTrail trail(first);
    QSignalSpy arrived(second, &qxButtons_H::Click);
    QTest::keyPress(first, Qt::Key_Right);
    EXPECT_FALSE(trail.events.contains(QStringLiteral("KeyDown(39)")));
    ASSERT_EQ(QApplication::focusWidget(), second);
    QTest::keyRelease(second, Qt::Key_Right);
    EXPECT_TRUE(second->Value());
    EXPECT_FALSE(first->Value());
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_TRUE(trail.events.isEmpty());
}

TEST(ButtonInput, AccessKeysAndTheirExceptions)
{
    Form form;
    qxButtons_H *check = form.add({10, 10, 80, 24});
    check->setMode(1);
    QSignalSpy checkClicks(check, &qxButtons_H::Click);
    check->AccessKeyPress(27);
    check->AccessKeyPress(13);
    EXPECT_EQ(checkClicks.count(), 0);
    EXPECT_FALSE(check->Value());
    check->AccessKeyPress('A');
    EXPECT_EQ(checkClicks.count(), 1);
    EXPECT_TRUE(check->Value());

    qxButtons_H *command = form.add({10, 40, 80, 24});
    QSignalSpy commandClicks(command, &qxButtons_H::Click);
    command->AccessKeyPress(27);
    EXPECT_EQ(commandClicks.count(), 1);
    command->setEnabled(false);
    command->AccessKeyPress('S');
    EXPECT_EQ(commandClicks.count(), 1);
}

TEST(ButtonInput, SelectedOptionClickedAgainRaisesNothing)
{
    Form form;
    qxButtons_H *a = form.add({10, 10, 80, 24});
    qxButtons_H *b = form.add({10, 40, 80, 24});
    a->setMode(2);
    b->setMode(2);
    a->setValue(true);
    QSignalSpy clicks(a, &qxButtons_H::Click);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(a->Value());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(a->Value());
}

TEST(ButtonOptionGroup, LeavingAndDestroyedMembersCloseTheGap)
{
    Form form;
    qxButtons_H *one = form.add({0, 0, 50, 20});
    qxButtons_H *two = form.add({0, 20, 50, 20});
    qxButtons_H *three = form.add({0, 40, 50, 20});
    for (qxButtons_H *b : {one, two, three})
        b->setMode(2);
    EXPECT_EQ(form.window.property("qx_OptCount").toInt(), 3);
    two->setMode(1);
    EXPECT_EQ(form.window.property("qx_OptCount").toInt(), 2);
    EXPECT_EQ(memberOf(&form.window, 1), one);
    EXPECT_EQ(memberOf(&form.window, 2), three);
    EXPECT_FALSE(form.window.property("3qx_Obj").isValid());

    two->OptionToggle(-1); // not a member: nobody else is dropped
    EXPECT_EQ(form.window.property("qx_OptCount").toInt(), 2);
    one->OptionToggle(1); // already a member: not listed twice
    EXPECT_EQ(form.window.property("qx_OptCount").toInt(), 2);

    delete one;
    EXPECT_EQ(form.window.property("qx_OptCount").toInt(), 1);
    EXPECT_EQ(memberOf(&form.window, 1), three);
    delete three;
    EXPECT_FALSE(form.window.property("qx_OptCount").isValid());
}

TEST(ButtonOptionGroup, ContainerDestroyedWithItsMembers)
{
    auto *container = new QWidget;
    for (int i = 0; i < 3; ++i)
        (new qxButtons_H(container))->setMode(2);
    delete container; // must not reach a destroyed member
    SUCCEED();
}

TEST(ButtonOptionGroup, GotFocusSelectsTheFirstOptionOfAnEmptyGroup)
{
    Form form;
    qxButtons_H *a = form.add({10, 10, 80, 24});
    qxButtons_H *b = form.add({10, 40, 80, 24});
    a->setMode(2);
    b->setMode(2);
    form.show(); // the first control takes the focus and so selects itself
    ASSERT_EQ(QApplication::focusWidget(), a);
    EXPECT_TRUE(a->Value());
    b->setFocus(); // a member is selected already: focus alone changes nothing
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(a->Value());
}

TEST(ButtonHover, EntersOnceAndLeavesWithinTheTimerInterval)
{
    Form form;
    qxButtons_H *button = form.add({50, 50, 80, 24});
    form.show();
    QSignalSpy onButton(button, &qxButtons_H::MouseOnButton);
    hover(button);
    moveOver(button, {10, 10});
    ASSERT_EQ(onButton.count(), 1);
    EXPECT_TRUE(onButton[0][0].toBool());
    EXPECT_TRUE(modQxTimer::TimerRunning(button, 237));
    EXPECT_EQ(button->property("qx_TimerID").toInt(), 237);

    QCursor::setPos(form.window.mapToGlobal(QPoint(300, 250)));
    EXPECT_EQ(onButton.count(), 1); // not on a mouse message: the timer notices
    QTRY_COMPARE_WITH_TIMEOUT(onButton.count(), 2, 500);
    EXPECT_FALSE(onButton[1][0].toBool());
    EXPECT_FALSE(button->stateFlags() & qxButtons_H::Hovered);
    EXPECT_FALSE(button->hoverTimerRunning());
}

TEST(ButtonInput, CustomClickShiftsTheWindowWhilePressedUnderTheCursor)
{
    Form form;
    qxButtons_H *button = form.add({50, 50, 80, 24});
    button->setCustomClick(4);
    form.show();
    hover(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(51, 51));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(button->pos(), QPoint(50, 50));
}

TEST(FixedWindowSize, RefusesOnlyTheSizeCommand)
{
    QWidget window;
    modQxTimer::FixWindowSize(&window);
    modQxTimer::FixWindowSize(&window); // once is enough
    EXPECT_TRUE(modQxTimer::WindowSizeFixed(&window));
    SystemCommandEvent size(SystemCommandEvent::SizeCommand + 8);
    QApplication::sendEvent(&window, &size);
    EXPECT_FALSE(size.isAccepted());
    SystemCommandEvent move(SystemCommandEvent::MoveCommand + 2);
    QApplication::sendEvent(&window, &move);
    EXPECT_TRUE(move.isAccepted());

    modQxTimer::ReleaseWindowSize(&window);
    SystemCommandEvent again(SystemCommandEvent::SizeCommand + 1);
    QApplication::sendEvent(&window, &again);
    EXPECT_TRUE(again.isAccepted());
}

TEST(ButtonInput, DropsAreRaisedAsOleEventsWithTheirEffect)
{
    Form form;
    qxButtons_H *button = form.add({10, 10, 80, 24});
    button->setOLEDropMode(1);
    QStringList seen;
    QObject::connect(button, &qxButtons_H::OLEDragOver,
                     [&](const QMimeData *data, int &effect, short, short, float, float, short state) {
                         seen << QStringLiteral("over %1 %2").arg(state).arg(data ? data->text() : QString());
                         effect = 0; // refuse it
                     });
    QMimeData data;
    data.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(seen, QStringList{"over 0 hello"});
    EXPECT_FALSE(enter.isAccepted());
}
