#include "SkinTestWindow.h"

#include "platform/Fonts.h"

#include <QApplication>
#include <QScreen>

// Shows the skinned test window at the position given as "X,Y" (100,100 when none).
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    SkinTestWindow window;
    QPoint at(100, 100);
    if (argc > 1) {
        const QStringList xy = QString::fromLocal8Bit(argv[1]).split(QLatin1Char(','));
        if (xy.size() == 2)
            at = QPoint(xy[0].toInt(), xy[1].toInt());
    }
    window.move(at);
    window.show();
    return app.exec();
}
