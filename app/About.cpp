#include "app/About.h"

#include "platform/Twips.h"

#include <QDesktopServices>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace {
QPointer<About> &theBox()
{
    static QPointer<About> box;
    return box;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
} // namespace

About *About::showShared()
{
    if (!theBox())
        theBox() = new About;
    theBox()->show();
    theBox()->raise();
    theBox()->activateWindow();
    return theBox();
}

void About::closeShared()
{
    if (theBox())
        theBox()->close();
}

About *About::shared() { return theBox(); }

About::About() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" About Vocalino 5.0"));
    setFixedSize(twipsToPixels(5295), twipsToPixels(4590));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(248, 192, 78));
    background.setColor(QPalette::WindowText, Qt::black);
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/about.bmp")));
    Image1->setGeometry(twipsRect(240, 240, 1800, 1800));
    Image1->setAccessibleName(QStringLiteral("Vocalino"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::RichText);
    Label1->setWordWrap(true);
    Label1->setText(QStringLiteral("<p style='font-size:18pt'><b>Vocalino 5.0</b></p>"
                                   "<p>Version 5.0</p>"
                                   "<p>The talking text program for children, made by the Vocalino team.</p>"
                                   "<p>Free software: GNU GPL version 3 or later.</p>"));
    Label1->setFont(QFont(QStringLiteral("Comic Sans MS"), 10));
    Label1->setGeometry(twipsRect(2280, 240, 2775, 2400));

    Label4 = new QLabel(WebAddress, this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(QFont(QStringLiteral("Verdana"), 9, -1, false));
    QFont underlined = Label4->font();
    underlined.setUnderline(true);
    Label4->setFont(underlined);
    QPalette link = Label4->palette();
    link.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label4->setPalette(link);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setGeometry(twipsRect(240, 2880, 4815, 360));
    // Reached by Tab and opened with Enter or Space like a button; a dotted frame shows the focus.
    Label4->setFocusPolicy(Qt::StrongFocus);
    Label4->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted #000080; }"));
    Label4->setAccessibleName(WebAddress);
    Label4->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(3720, 3720, 1335, 495));
    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);
}

void About::Command1_Click() { close(); }

// Any way that opens the address in a visible browser window serves: the desktop's browser does.
void About::Label4_Click() { QDesktopServices::openUrl(QUrl(WebAddress)); }

bool About::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Label4)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        Label4_Click();
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            break;
        Label4_Click();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
