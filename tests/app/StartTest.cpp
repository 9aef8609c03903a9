#include "app/SingleInstance.h"
#include "app/Start.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(StartWindow, LooksAsDesigned)
{
    Start start({});
    EXPECT_EQ(start.size(), QSize(581, 379));
    EXPECT_TRUE(start.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(start.palette().color(QPalette::Window), QColor(67, 83, 120));
    EXPECT_EQ(start.Command1->text(), "START");
    EXPECT_EQ(start.Command2->text(), "CANCEL");
    EXPECT_TRUE(start.Command1->styleSheet().contains("rgb(240, 247, 193)"));
    EXPECT_FALSE(start.Image1->pixmap().isNull());
    EXPECT_FALSE(start.Image2->pixmap().isNull());
    EXPECT_TRUE(start.rect().contains(start.Image2->geometry()));
}

TEST(StartWindow, CancelClosesWithoutLoadingTheMainWindow)
{
    int mainShown = 0;
    Start start([&] { ++mainShown; });
    start.show();
    start.Command2->click();
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(mainShown, 0);
}

TEST(StartWindow, StartClosesFirstThenShowsTheMainWindowWithoutEndingTheProgram)
{
    bool startWasClosed = false;
    bool quitDuringHandover = true;
    Start *startPtr = nullptr;
    Start start([&] {
        startWasClosed = !startPtr->isVisible();
        quitDuringHandover = QApplication::quitOnLastWindowClosed();
    });
    startPtr = &start;
    start.show();
    start.Command1->click();
    EXPECT_TRUE(startWasClosed);
    EXPECT_FALSE(quitDuringHandover);
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
}

TEST(StartWindow, SecondCopyIsToldAndRefused)
{
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    SingleInstance first(dir.path());
    SingleInstance second(dir.path());
    EXPECT_TRUE(Start::admitThisCopy(first));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(Start::admitThisCopy(second));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Vocalino 5.0 is Already Running !");
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
}

TEST(StartWindow, EnterStartsEscCancelsAndTabMovesBetweenThem)
{
    int mainShown = 0;
    Start start([&] { ++mainShown; });
    start.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&start));
    EXPECT_TRUE(start.Command1->hasFocus()) << "START has the focus when the window opens";
    QTest::keyClick(&start, Qt::Key_Escape);
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(mainShown, 0);

    start.show();
    QTest::keyClick(start.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(mainShown, 1);

    start.show();
    QTest::keyClick(start.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(mainShown, 2) << "the keypad's Enter too";

    // Tab goes to CANCEL and back; Enter works the one with the focus, as in any dialog.
    start.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&start));
    start.Command1->setFocus();
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(start.Command2->hasFocus());
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(start.Command1->hasFocus());
    QTest::keyClick(start.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(start.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(mainShown, 2) << "Enter on CANCEL cancels";
}

TEST(StartWindow, TheFocusedButtonShowsItsFocus)
{
    Start start({});
    start.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&start));
    start.Command1->setFocus();
    QApplication::processEvents();
    const QImage focused = start.Command1->grab().toImage();
    start.Command2->setFocus();
    QApplication::processEvents();
    const QImage unfocused = start.Command1->grab().toImage();
    // The dashed black frame: dark pixels along the edge that the unfocused button lacks.
    const auto darkOnEdge = [](const QImage &image) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, 0)) < 60 || qGray(image.pixel(x, 1)) < 60;
        return dark;
    };
    EXPECT_GT(darkOnEdge(focused), focused.width() / 4);
    EXPECT_EQ(darkOnEdge(unfocused), 0);
}
