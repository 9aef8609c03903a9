#include "app/SingleInstance.h"
#include "app/Start.h"
#include "app/program/MainWindowLibrary.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vocalino"));
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
