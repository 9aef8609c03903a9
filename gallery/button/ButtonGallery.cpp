// Writes the styled button's contact sheet: every look in every state on four outlines,
// with and without a picture and a two-line caption; and the buttons of the main window.
#include "controls/button/qxButtons_H.h"
#include "gallery/button/StarPicture.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {
constexpr int cellW = 130, cellH = 58, labelW = 150, headerH = 36;
const char *const stateNames[] = {"normal", "default frame", "hovered", "pressed", "checked", "disabled"};
const int shapes[] = {0, 2, 4, 8};

class DefaultHost : public qxButtons_H::Ambient
{
public:
    bool UserMode() const override { return true; }
    QString DisplayName() const override { return QStringLiteral("qxButtons"); }
    OleColor BackColor() const override { return 0xC8D0D4; }
    bool DisplayAsDefault() const override { return asDefault; }
    bool asDefault = false;
};

// A round sticker on a magenta background: the background becomes transparent.
QImage sticker(int size, QColor colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(colour);
    p.setPen(colour.darker(160));
    p.drawEllipse(QRect(2, 2, size - 5, size - 5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(size / 4, size / 4, size / 3, size / 3));
    return image;
}

void press(qxButtons_H *button)
{
    const QPoint centre = button->rect().center();
    QMouseEvent event(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

void hover(qxButtons_H *button)
{
    const QPoint centre = button->rect().center();
    QCursor::setPos(button->mapToGlobal(centre));
    QMouseEvent event(QEvent::MouseMove, centre, button->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

// The button as it would show: its surface inside its outline, on the container's colour.
void paste(QPainter &sheet, const qxButtons_H *button, QPoint at)
{
    sheet.save();
    sheet.translate(at);
    sheet.setClipRegion(button->outline());
    sheet.drawImage(0, 0, button->surface());
    sheet.restore();
}

void buildCell(QWidget &form, DefaultHost &host, int style, int state, int shape, bool withPicture,
               QPainter &sheet, QPoint at)
{
    auto *button = new qxButtons_H(&form, &host);
    button->ReadProperties(PropertyBag());
    button->setGeometry(10, 10, 110, shape == 8 ? 48 : 34);
    button->setFocusPolicy(Qt::NoFocus);
    button->setButtonStyle(style);
    button->setBackColor(style == 3 ? 0xE0E0E0 : 0x9DC8EE);
    if (style == 4) {
        button->setGradientColor(0xFFFFFF);
        button->setGradientMode(4);
    }
    button->setForeColor(0x202020);
    if (withPicture || shape == 8) {
        button->setPicture(shape == 8 ? starPicture(48) : sticker(16, QColor(40, 120, 220)));
        button->setPictureAlign(0);
    }
    button->setCaption(withPicture ? QStringLiteral("Open||File") : QStringLiteral("SPEAK"));
    if (shape == 8) {
        button->setButtonShape(8);
    } else if (shape) {
        button->setButtonShape(shape);
    }
    button->show();
    switch (state) {
    case 1:
        host.asDefault = true;
        button->AmbientChanged(QStringLiteral("DisplayAsDefault"));
        host.asDefault = false;
        break;
    case 2:
        hover(button);
        break;
    case 3:
        hover(button);
        press(button);
        break;
    case 4:
        button->setMode(1);
        button->setValue(true);
        break;
    case 5:
        button->setEnabled(false);
        break;
    default:
        break;
    }
    paste(sheet, button, at + QPoint(10, (cellH - button->height()) / 2));
    delete button;
}

void writeContactSheet(const QString &folder)
{
    DefaultHost host;
    QWidget form;
    form.resize(200, 100);
    form.show();
    QApplication::processEvents();
    const int columns = 8;
    const int rows = 8 * 6;
    QImage image(labelW + columns * cellW, headerH + rows * cellH, QImage::Format_RGB32);
    image.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter sheet(&image);
    sheet.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (int c = 0; c < columns; ++c)
        sheet.drawText(
            QRect(labelW + c * cellW, 0, cellW, headerH), Qt::AlignCenter | Qt::TextWordWrap,
            QStringLiteral("shape %1%2").arg(shapes[c / 2]).arg(c % 2 ? "\npicture, 2 lines" : ""));
    for (int style = 0; style < 8; ++style) {
        for (int state = 0; state < 6; ++state) {
            const int row = style * 6 + state;
            const int y = headerH + row * cellH;
            if (state == 0)
                sheet.fillRect(0, y, image.width(), 1, Qt::darkGray);
            sheet.drawText(QRect(6, y, labelW - 6, cellH), Qt::AlignVCenter,
                           QStringLiteral("style %1: %2").arg(style).arg(QLatin1String(stateNames[state])));
            for (int c = 0; c < columns; ++c)
                buildCell(form, host, style, state, shapes[c / 2], c % 2, sheet,
                          QPoint(labelW + c * cellW, y));
        }
    }
    sheet.end();
    image.save(folder + QStringLiteral("/contact-sheet.png"));
}

// The main window's own set: style 2 commands, style 3 format buttons, style 4 gradient picture buttons.
void writeMainWindowSet(const QString &folder)
{
    DefaultHost host;
    host.asDefault = false;
    QWidget form;
    form.resize(600, 200);
    form.setStyleSheet(QStringLiteral("background: #5a6a8f"));
    form.show();
    QApplication::processEvents();
    QImage image(600, 160, QImage::Format_RGB32);
    image.fill(QColor(90, 106, 143));
    QPainter sheet(&image);
    const char *commands[] = {"SPEAK", "PAUSE", "STOP", "ERASE", "RECORD", "SAVE"};
    for (int i = 0; i < 6; ++i) {
        auto *button = new qxButtons_H(&form, &host);
        button->ReadProperties(PropertyBag());
        button->setGeometry(0, 0, 90, 29);
        button->setButtonStyle(2);
        button->setBackColor(i == 2 ? 0x4040C0 : 0x30A030);
        button->setForeColor(0xFFFFFF);
        button->setHoverForeColor(0x80FFFF);
        QFont font(QStringLiteral("Comic Sans MS"), 10);
        font.setBold(true);
        button->setFont(font);
        button->setCaption(QLatin1String(commands[i]));
        button->show();
        if (i == 1)
            hover(button);
        if (i == 3) {
            hover(button);
            press(button);
        }
        if (i == 5)
            button->setEnabled(false);
        paste(sheet, button, QPoint(10 + i * 96, 10));
        delete button;
    }
    const char *format[] = {"F", "B", "I"};
    for (int i = 0; i < 3; ++i) {
        auto *button = new qxButtons_H(&form, &host);
        button->ReadProperties(PropertyBag());
        button->setGeometry(0, 0, 21, 29);
        button->setButtonStyle(3);
        QFont font(QStringLiteral("Times New Roman"), 12);
        font.setBold(i == 1);
        font.setItalic(i == 2);
        button->setFont(font);
        button->setCaption(QLatin1String(format[i]));
        button->show();
        if (i == 1) {
            button->setMode(1);
            button->setValue(true);
        }
        paste(sheet, button, QPoint(10 + i * 26, 60));
        delete button;
    }
    const QColor colours[] = {QColor(220, 160, 40), QColor(40, 160, 80), QColor(200, 60, 60),
                              QColor(60, 90, 200)};
    for (int i = 0; i < 4; ++i) {
        auto *button = new qxButtons_H(&form, &host);
        button->ReadProperties(PropertyBag());
        button->setGeometry(0, 0, 50, 37);
        button->setButtonStyle(4);
        button->setBackColor(0xD0D0D0);
        button->setGradientColor(0xFFFFFF);
        button->setGradientMode(4);
        button->setPicture(sticker(24, colours[i]));
        button->setPictureSize(1);
        button->setPictureAlign(4);
        button->setCaption(QString());
        button->show();
        if (i == 2)
            hover(button);
        paste(sheet, button, QPoint(100 + i * 56, 56));
        delete button;
    }
    sheet.end();
    image.save(folder + QStringLiteral("/main-window-set.png"));
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QString folder = QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") + QStringLiteral("/button");
    QDir().mkpath(folder);
    writeContactSheet(folder);
    writeMainWindowSet(folder);
    std::printf("wrote %s\n", qPrintable(folder));
    return 0;
}
