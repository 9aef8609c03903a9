// A window of styled buttons for trying them with a real mouse and keyboard (and for
// screens.sh under Xvfb): every Click is printed with the button's name.
#include "controls/button/modQxTimer.h"
#include "gallery/button/StarPicture.h"
#include "controls/button/qxButtons_H.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {
qxButtons_H *place(QWidget *form, const QString &name, QRect geometry, int style, OleColor back)
{
    auto *button = new qxButtons_H(form);
    button->setObjectName(name);
    button->ReadProperties(PropertyBag());
    button->setGeometry(geometry);
    button->setButtonStyle(style);
    button->setBackColor(back);
    button->setCaption(name);
    QObject::connect(button, &qxButtons_H::Click, [button] {
        std::printf("Click %s value=%d\n", qPrintable(button->objectName()), int(button->Value()));
        std::fflush(stdout);
    });
    QObject::connect(button, &qxButtons_H::MouseOnButton, [button](bool on) {
        std::printf("MouseOnButton %s %d\n", qPrintable(button->objectName()), int(on));
        std::fflush(stdout);
    });
    return button;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    QWidget form;
    form.setWindowTitle(QStringLiteral("Styled buttons"));
    form.setFixedSize(420, 200);
    form.setStyleSheet(QStringLiteral("QWidget { background: #5a6a8f; }"));
    QFont big(QStringLiteral("Comic Sans MS"), 10);
    big.setBold(true);
    int x = 10;
    for (const char *name : {"SPEAK", "PAUSE", "STOP"}) {
        auto *button =
            place(&form, QLatin1String(name), {x, 10, 90, 29}, 2, name[1] == 'T' ? 0x4040C0 : 0x30A030);
        button->setFont(big);
        button->setForeColor(0xFFFFFF);
        x += 100;
    }
    x = 10;
    for (const char *name : {"F", "B", "I"}) {
        auto *button = place(&form, QLatin1String(name), {x, 60, 21, 29}, 3, 0x8000000F);
        button->setFont(QFont(QStringLiteral("Times New Roman"), 12, QFont::Bold));
        if (name[0] != 'F')
            button->setMode(1);
        x += 26;
    }
    for (int i = 0; i < 3; ++i) {
        auto *option =
            place(&form, QStringLiteral("Option%1").arg(i + 1), {100 + i * 70, 60, 64, 29}, 6, 0xD0D0D0);
        option->setMode(2);
    }
    auto *round = place(&form, QStringLiteral("ROUND"), {10, 110, 110, 40}, 2, 0xE0A040);
    round->setButtonShape(4);
    auto *slant = place(&form, QStringLiteral("NEXT"), {130, 110, 100, 30}, 7, 0xC08040);
    slant->setButtonShape(2);
    auto *shaped = place(&form, QStringLiteral("STAR"), {250, 100, 70, 70}, 0, 0x9DC8EE);
    shaped->setPicture(starPicture(64));
    shaped->setButtonShape(8);
    modQxTimer::FixWindowSize(&form);
    form.move(0, 0);
    form.show();
    return app.exec();
}
