#include "app/SingleInstance.h"
#include "app/Start.h"
#include "app/program/MainWindowLibrary.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>

namespace {
// Ties the windows to the menu entry (Wayland's app id) and gives them the clown's icon: the
// theme's where the package is installed, else the icons that sit beside the program's folder.
void setDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("vocalino")); // resources/desktop/vocalino.desktop
    QIcon beside;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file =
            programFile(QStringLiteral("../icons/hicolor/%1x%1/apps/vocalino.png").arg(size));
        if (QFile::exists(file))
            beside.addFile(file);
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vocalino"), beside));
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vocalino"));
    setDesktopIdentity();
    installFontSubstitutions();

    SingleInstance lock;
    if (!Start::admitThisCopy(lock))
        return 0;

    Start start([] {
        if (!MainWindowLibrary().showMainWindow())
            QCoreApplication::exit(1);
    });
    start.show();
    // Lets the start-up benchmark time process start to the first window shown.
    if (qEnvironmentVariableIsSet("VOCALINO_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    else // the voices are listed while the child looks at the start-up window
        QTimer::singleShot(50, [] { MainWindowLibrary().prepare(); });
    return QApplication::exec();
}
