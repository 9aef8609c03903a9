// Writes the program's windows as the child sees them, drawn offscreen.
#include "app/Main.h"
#include "app/Start.h"
#include "app/character/frmAnim.h"
#include "engine/audio/ClockAudioOutput.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QTextEdit>

namespace {
// Nobody is there to answer: every box counts as answered with its first button.
class NoOneThere : public MessageBoxes
{
public:
    MsgAnswer show(const QString &, const QString &, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QString out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).filePath("app");
    QDir().mkpath(out);
    NoOneThere quiet;
    MessageBoxes::install(&quiet);
    AudioOutput::setFactoryForTests(
        [] { return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Manual); });

    Start start({});
    start.grab().save(out + "/start.png");

    Main window;
    window.grab().save(out + "/main.png");
    window.RichTextBox1->setPlainText(QStringLiteral("Hello! I am Vocalino."));
    window.cmdSpkText_Click();
    for (int i = 0; i < 40; ++i)
        window.Timer1_Timer();
    window.grab().save(out + "/main_speaking.png");
    window.cmdPauseText_Click();
    window.grab().save(out + "/main_paused.png");
    window.anim()->grab().save(out + "/frmAnim.png");
    window.cmdStopText_Click();
    MessageBoxes::install(nullptr);
    return 0;
}
