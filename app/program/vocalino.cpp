#include "app/Main.h"
#include "app/SingleInstance.h"
#include "app/Start.h"
#include "engine/VoiceCatalogue.h"
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

    VoiceCatalogue::prepare(); // while the child looks at the start-up window
    Start start([] {
        auto *main = new Main;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
    });
    start.show();
    // Lets the start-up benchmark time process start to the first window shown.
    if (qEnvironmentVariableIsSet("VOCALINO_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int result = QApplication::exec();
    VoiceCatalogue::voices(); // the listing thread ends before the program's statics go
    return result;
}
