#include "app/Main.h"
#include "app/Start.h"
#include "app/character/frmAnim.h"
#include "engine/DirectSS.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowCommands.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <gtest/gtest.h>

// The program as a child meets it, under a real Wayland compositor: weston_session.sh starts
// weston and the sink, and checks afterwards that the speech reached the sink.
namespace {
bool exposed(QWidget *window)
{
    return QTest::qWaitFor([window] { return window->windowHandle() && window->windowHandle()->isExposed(); },
                           10000);
}
} // namespace

TEST(UnderWayland, StartOpensMainSpeakSpeaksAndTheClownOpens)
{
    ASSERT_EQ(QGuiApplication::platformName(), "wayland") << "weston_session.sh runs this under Wayland";
    ScriptedMessageBoxes boxes;
    setProgramFolder(QCoreApplication::applicationDirPath());
    QPointer<Main> main;
    Start start([&] {
        main = new Main;
        main->show();
    });
    start.show();
    ASSERT_TRUE(exposed(&start)) << "the compositor never showed the start-up window";
    start.Command1->click(); // START
    ASSERT_TRUE(main);
    ASSERT_TRUE(exposed(main)) << "the compositor never showed the main window";
    EXPECT_TRUE(main->engine()->hasAudioDevice()) << main->engine()->deviceError().toStdString();

    main->RichTextBox1->setPlainText(QStringLiteral("Hello! I am Vocalino, the talking clown."));
    main->cmdSpkText_Click(); // SPEAK
    EXPECT_TRUE(main->engine()->isSpeaking());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->engine()->isSpeaking(); }, 60000)) << "never stopped";
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();

    // The clown opens wherever the compositor puts it, and is shown there.
    main->cmdAnim_Click();
    ASSERT_TRUE(exposed(main->anim())) << "the compositor never showed the clown";
    // A drag is the compositor's: no window of ours is left following the mouse.
    WindowCommands::startMove(main->anim(), main->anim()->geometry().center());
    EXPECT_FALSE(WindowCommands::isDragging(main->anim()));
    main->close();
    delete main.data();
}
