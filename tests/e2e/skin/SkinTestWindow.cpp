#include "SkinTestWindow.h"

#include "skin/SkinSet.h"

#include <QMouseEvent>

namespace {
// A caption button that closes or minimises its window when clicked.
class CaptionPicture : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
            return;
        if (property("Tag") == QLatin1String("TOPCLOSE"))
            window()->close();
        else if (property("Tag") == QLatin1String("MINIMISE"))
            window()->showMinimized();
    }
};
} // namespace

SkinTestWindow::SkinTestWindow(QWidget *parent) : SkinnedWindow(parent)
{
    setObjectName(QStringLiteral("SkinTestWindow"));
    setCaption(QStringLiteral("Vocalino 5.0"));
    setBorderStyle(0);
    resize(800, 572);
    setMinimumSize(280, 120);

    auto *caption = new QLabel(this);
    caption->setProperty("Tag", QStringLiteral("LblCaption"));
    caption->setFont(QFont(QStringLiteral("Comic Sans MS"), 14, QFont::Bold));
    caption->setGeometry(40, 9, 170, 28);
    caption->setAlignment(Qt::AlignCenter);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    captionButton("TOPCLOSE", "CLOSEUP", QStringLiteral("Close"));
    captionButton("RESTORE", "RESTOREUP", QStringLiteral("Maximize Window"));
    captionButton("MINIMISE", "MINIUP", QStringLiteral("Minimize Window"));

    m_skin.setTheForm(this);
    m_skin.SetFrmPict();
}

QLabel *SkinTestWindow::captionButton(const char *tag, const char *picture, const QString &tip)
{
    auto *button = new CaptionPicture(this);
    const QImage image = SkinSet::bitmap(QLatin1String(picture));
    button->setPixmap(QPixmap::fromImage(image));
    button->resize(24, 23);
    button->setScaledContents(true);
    button->setToolTip(tip);
    button->setProperty("Tag", QString::fromLatin1(tag));
    return button;
}
