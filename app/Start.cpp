#include "app/Start.h"

#include "app/SingleInstance.h"
#include "platform/MessageBoxes.h"
#include "platform/Twips.h"
#include "skin/SkinSet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace {
const QString appTitle = QStringLiteral("Vocalino 5.0");

QLabel *pictureLabel(QWidget *parent, const QString &picture, QPoint at)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(SkinSet::picture(picture)));
    label->move(at);
    label->adjustSize();
    return label;
}
} // namespace

Start::Start(std::function<void()> showMain, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_showMain(std::move(showMain))
{
    setObjectName(QStringLiteral("Start"));
    setWindowTitle(appTitle);
    setFixedSize(twipsToPixels(8715), twipsToPixels(5685));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(67, 83, 120));
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = pictureLabel(this, QStringLiteral("start1"), {7, 40});
    Image2 = pictureLabel(this, QStringLiteral("start2"), {414, 40});
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image1->setAccessibleName(QStringLiteral("Vocalino's clown says hello"));
    Image2->setAccessibleName(QStringLiteral("Welcome to Vocalino 5.0"));
    Command1 = graphicalButton(QStringLiteral("START"), {width() / 2 - 150, height() - 80, 130, 44});
    Command2 = graphicalButton(QStringLiteral("CANCEL"), {width() / 2 + 20, height() - 80, 130, 44});
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    connect(Command1, &QPushButton::clicked, this, &Start::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Start::Command2_Click);
    setTabOrder(Command1, Command2);
    Command1->setFocus();
}

void Start::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateWindow(); // frameless, it would otherwise wait for a click before taking keys
    if (focusWidget() != Command2)
        Command1->setFocus();
}

void Start::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        (focusWidget() == Command2 ? Command2 : Command1)->click();
        break;
    case Qt::Key_Escape:
        Command2->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

QPushButton *Start::graphicalButton(const QString &caption, QRect place)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(place);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: rgb(240, 247, 193); border: 2px outset rgb(200, 207, 153);"
        " font: bold 12pt \"Comic Sans MS\"; color: black; }"
        "QPushButton:pressed { border-style: inset; }"
        "QPushButton:focus { border: 2px dashed black; }"));
    return button;
}

bool Start::admitThisCopy(SingleInstance &lock)
{
    if (lock.acquire())
        return true;
    MessageBoxes::current().show(appTitle, QStringLiteral("Vocalino 5.0 is Already Running !"),
                                 MsgIcon::None, MsgButtons::Ok);
    return false;
}

void Start::Command1_Click()
{
    // For the moment between the two windows no window is open; that must not end the program.
    const bool quitWhenLastCloses = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    close();
    if (m_showMain)
        m_showMain();
    QApplication::setQuitOnLastWindowClosed(quitWhenLastCloses);
}

void Start::Command2_Click() { close(); }
