// Layout, the option group and the surface of UcCmd.
#include "controls/UcCmd.h"

#include "platform/ReportError.h"
#include "platform/Twips.h"
#include "skin/SkinGeometry.h"

#include <QEvent>
#include <QPainter>

namespace {
const QString Module = QStringLiteral("UcCmd");
}

void UcCmd::RePaint()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    runReported(
        "RePaint", Module, [this] { layOut(); }, AppError::NotYetPlaced);
    m_layingOut = false;
}

void UcCmd::layOut()
{
    if (m_pictureUpName.isEmpty())
        m_picture1Twips = CmdGeometry::NoPictureTwips;
    m_layout = CmdGeometry::layout(m_style, m_picture1Twips, m_scaleFactor, captionSizeTwips());
    resize(twipsToPixels(m_layout.width), twipsToPixels(m_layout.height));
    m_downShown = false;
    m_upShown = true;
    switch (m_style) {
    case 1:
    case 2:
    case 3:
        placeCaptionButton();
        break;
    case 6:
        if (m_value) // an unselected member leaves its group alone, so any stored selection survives loading
            ResetParent();
        [[fallthrough]];
    case 5:
        showValue();
        break;
    default:
        break;
    }
    compose();
}

void UcCmd::placeCaptionButton()
{
    m_captionShown = false;
    const int windowWidth = pixelsToTwips(host().width());
    const int left = SkinGeometry::captionLeft(windowWidth, pixelsToTwips(width()), m_style);
    move(twipsToPixels(left), twipsToPixels(SkinGeometry::CaptionTop));
}

void UcCmd::showValue()
{
    m_captionShown = true;
    showUp(!m_value);
}

void UcCmd::showUp(bool up)
{
    m_upShown = up;
    m_downShown = !up;
    compose();
}

QSizeF UcCmd::captionSizeTwips() const
{
    const QSize text = fontMetrics().size(0, m_caption);
    return QSizeF(pixelsToTwips(text.width()), pixelsToTwips(text.height()));
}

void UcCmd::ResetParent()
{
    runReported(
        "ResetParent", Module,
        [this] {
            const bool own = m_value;
            QWidget &window = *host().window();
            for (QWidget *control : window.findChildren<QWidget *>()) {
                if (control->property("Tag").toString() != QLatin1String("OPTBUTTON"))
                    continue;
                const QVariant group = control->property("OptionGroup");
                if (!group.isValid())
                    throw AppError(438, QStringLiteral("Object doesn't support this property or method"));
                if (group.toString() == m_optionGroup) // exact, case-sensitive
                    control->setProperty("Value", false);
            }
            setValue(own);
        },
        AppError::NotYetPlaced);
}

QRect UcCmd::pictureBox() const
{
    return QRect(0, 0, twipsToPixels(m_layout.pictureWidth), twipsToPixels(m_layout.pictureHeight));
}

QRect UcCmd::captionBox() const
{
    const QSize text = fontMetrics().size(0, m_caption);
    return QRect(QPoint(roundHalfEven(m_layout.caption.x() / TwipsPerPixel),
                        roundHalfEven(m_layout.caption.y() / TwipsPerPixel)),
                 text);
}

QSize UcCmd::sizeTwips() const
{
    return QSize(pixelsToTwips(width()), pixelsToTwips(height()));
}

void UcCmd::compose()
{
    if (m_surface.size() != size())
        m_surface = QImage(size(), QImage::Format_RGB32);
    if (m_surface.isNull())
        return;
    m_surface.fill(toQColor(SystemColors::ButtonFace));
    QPainter painter(&m_surface);
    if (!m_background.isNull())
        painter.drawImage(0, 0, m_background);
    const QImage &shown = m_downShown ? m_downPicture : m_upPicture;
    if ((m_upShown || m_downShown) && !shown.isNull())
        painter.drawImage(pictureBox(), shown);
    if (m_captionShown && !m_caption.isEmpty()) {
        painter.setFont(font());
        painter.setPen(toQColor(m_captionColour));
        painter.drawText(captionBox(), Qt::AlignLeft | Qt::AlignTop, m_caption);
    }
    if (m_bordered) {
        painter.setPen(Qt::black);
        painter.drawRect(m_surface.rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus())
        drawFocusMark(painter);
    painter.end();
    update();
}

// White under black dots, so the mark shows on any skin picture.
void UcCmd::drawFocusMark(QPainter &painter)
{
    const QRect picture = pictureBox();
    const bool onPicture = (m_upShown || m_downShown) && picture.width() > 8 && picture.height() > 8;
    const QRect box = (onPicture ? picture : m_surface.rect()).adjusted(2, 2, -3, -3);
    if (box.width() < 2 || box.height() < 2)
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(box);
}

void UcCmd::showEvent(QShowEvent *)
{
    if (!m_painted) { // the first paint lays the control out; later ones only copy
        m_painted = true;
        RePaint();
    }
}

void UcCmd::resizeEvent(QResizeEvent *)
{
    RePaint();
}

void UcCmd::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && !m_loading) {
        emit PropertyChanged(QStringLiteral("Font"));
        RePaint();
    }
    if (event->type() == QEvent::EnabledChange && !m_loading)
        showEnabled();
    QWidget::changeEvent(event);
}

void UcCmd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}
