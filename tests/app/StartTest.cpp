#include "app/SingleInstance.h"
#include "app/Start.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
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
