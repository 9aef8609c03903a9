#include "tests/app/MainWindowFixture.h"

#include "controls/UcCmd.h"
#include "platform/SystemCommandEvent.h"
#include "platform/WindowCommands.h"
#include "skin/PictureBox.h"

#include <QLineEdit>

using MainLayout = MainWindowFixture;

namespace {
QRect twipsRect(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}
} // namespace

TEST_F(MainLayout, ControlsSitWhereTheFormPutsThem)
{
    Main &w = *window;
    EXPECT_EQ(w.size(), QSize(800, 572));
    EXPECT_EQ(w.RichTextBox1->geometry(), twipsRect(900, 1980, 6135, 3045));
    EXPECT_EQ(w.Picture1->geometry(), twipsRect(8040, 1800, 2985, 2085));
    EXPECT_EQ(w.cmdSpkText->geometry(), twipsRect(1020, 5760, 1875, 435));
    EXPECT_EQ(w.cmdStopText->geometry(), twipsRect(1740, 6240, 1155, 435));
    EXPECT_EQ(w.txtFile->geometry(), twipsRect(1020, 6780, 3255, 345));
    EXPECT_EQ(w.lstVoice->geometry(), twipsRect(4500, 6540, 2415, 1110));
    EXPECT_EQ(w.lblStatus->geometry(), twipsRect(5220, 5760, 1530, 390));
    EXPECT_EQ(w.cmdAnim->geometry(), twipsRect(4140, 1320, 600, 600));
    EXPECT_EQ(w.scrSpeed->geometry(), twipsRect(8160, 5415, 2805, 345));
    EXPECT_EQ(w.scrPitch->geometry(), twipsRect(8160, 6765, 2760, 345));
    EXPECT_EQ(w.cmdExit->pos(), QPoint(20, 40));
    EXPECT_EQ(w.cmdAbout->pos(), QPoint(308, 40));
}

TEST_F(MainLayout, CaptionsTipsFontsAndColours)
{
    Main &w = *window;
    EXPECT_EQ(w.cmdSpkText->Caption(), "SPEAK");
    EXPECT_EQ(w.cmdPauseText->Caption(), "PAUSE");
    EXPECT_EQ(w.cmdRec->Caption(), "RECORD");
    EXPECT_EQ(w.cmdSaveFile->Caption(), "SAVE");
    EXPECT_EQ(w.cmdClearText->Caption(), "ERASE");
    EXPECT_EQ(w.cmdOpen->toolTip(), "Open File (Ctrl+O)"); // the tip names the shortcut
    EXPECT_EQ(w.cmdAll->toolTip(), "Select All");
    EXPECT_EQ(w.cmdAnim->toolTip(), "Show Animated Talking Character");
    EXPECT_EQ(w.UcCmd2->toolTip(), "Maximize Window");
    EXPECT_EQ(w.cmdFont->Font().family(), "Times New Roman");
    EXPECT_EQ(w.cmdHelp->Caption(), "Help");
    EXPECT_EQ(w.UcCmd1->Style(), 1);
    EXPECT_EQ(w.UcCmd3->Style(), 3);
    EXPECT_EQ(w.lblStatus->font().family(), "Impact");
    EXPECT_EQ(w.lblStatus->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(w.lstVoice->font().family(), "Verdana");
    EXPECT_EQ(w.lstVoice->palette().color(QPalette::Base), QColor(64, 64, 64));
    EXPECT_EQ(w.RichTextBox1->palette().color(QPalette::Base), QColor(90, 106, 143));
    EXPECT_EQ(w.scrSpeed->Min(), 50);
    EXPECT_EQ(w.scrSpeed->Max(), 270);
    EXPECT_EQ(w.scrPitch->Min(), 100);
    EXPECT_EQ(w.scrPitch->SmallChange(), 10);
    EXPECT_EQ(w.Timer1->interval(), 1);
    EXPECT_TRUE(w.RTFtemp->isHidden());
}

TEST_F(MainLayout, EdgeDragIsRefusedButTheBandStillMoves)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    SystemCommandEvent size(SystemCommandEvent::SizeCommand + 2);
    QCoreApplication::sendEvent(window.get(), &size);
    EXPECT_FALSE(size.isAccepted());
    SystemCommandEvent move(SystemCommandEvent::MoveCommand + 2);
    QCoreApplication::sendEvent(window.get(), &move);
    EXPECT_TRUE(move.isAccepted());

    const QSize before = window->size();
    EXPECT_FALSE(WindowCommands::startResize(window.get(), HitTest::BottomRight, window->geometry().bottomRight()));
    EXPECT_EQ(window->size(), before);
    EXPECT_TRUE(WindowCommands::startMove(window.get(), window->geometry().topLeft() + QPoint(300, 10)));
}
