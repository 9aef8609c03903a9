#include "app/character/frmAnim.h"

#include "app/character/AudioStopTarget.h"
#include "app/character/transparent.h"
#include "engine/DirectSS.h"
#include "platform/SystemColors.h"
#include "platform/Twips.h"
#include "platform/WindowCommands.h"
#include "skin/PictureBox.h"

#include <QEvent>
#include <QMouseEvent>

frmAnim::frmAnim(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      picClown(new PictureBox(this)),
      picMainSkin(new PictureBox(this)),
      DirectSS1(new DirectSS(this))
{
    setObjectName(QStringLiteral("frmAnim"));
    setWindowTitle(QStringLiteral("Vocalino 5.0"));
    picClown->setObjectName(QStringLiteral("picClown"));
    picMainSkin->setObjectName(QStringLiteral("picMainSkin"));
    DirectSS1->setObjectName(QStringLiteral("DirectSS1"));
    connect(DirectSS1, &DirectSS::AudioStop, this, &frmAnim::DirectSS1_AudioStop);
    connect(DirectSS1, &DirectSS::Failed, this, &frmAnim::DirectSS1_Failed);
    picMainSkin->installEventFilter(this);
    Form_Load();
}

frmAnim::~frmAnim() = default;

QImage frmAnim::characterPicture()
{
    return QImage(QStringLiteral(":/pictures/clown.bmp"));
}

void frmAnim::Form_Load()
{
    picClown->setBackColor(oleRgb(255, 228, 153));
    picClown->setPicture(characterPicture());
    picClown->hide();

    // The box sizes itself to its picture and keeps what is drawn on it; its units are pixels.
    picMainSkin->move(0, 0);
    picMainSkin->setPicture(picClown->Picture());
    setFixedSize(picMainSkin->size());

    DirectSS1->setGeometry(twipsToPixels(1140), twipsToPixels(1800), twipsToPixels(855),
                           twipsToPixels(615));
    DirectSS1->raise();
    DirectSS1->hide();

    m_shape = RegionFromPicture(*picMainSkin);
    if (!m_shape.isEmpty())
        setMask(m_shape);
}

bool frmAnim::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picMainSkin && event->type() == QEvent::MouseButtonPress)
        picMainSkin_MouseDown(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
    return QWidget::eventFilter(watched, event);
}

void frmAnim::picMainSkin_MouseDown(QPoint pressedAt)
{
    // Any button moves the window, as a drag by a caption would.
    WindowCommands::startMove(this, pressedAt);
}

void frmAnim::DirectSS1_AudioStop(qint32, qint32)
{
    if (m_target)
        m_target->applyAudioStop();
}

void frmAnim::DirectSS1_Failed(qint32 code, const QString &text, const QString &recording)
{
    if (m_target)
        m_target->applyEngineFailure(code, text, recording);
}
