// qxButtons_H: state, properties and their rules.
#include "controls/button/modQxTimer.h"
#include "controls/button/qxButtons_H.h"

#include "platform/MessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>

namespace {
const QString designCaption = QStringLiteral("qxButtons_H");

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

qxButtons_H::qxButtons_H(QWidget *parent, Ambient *ambient) : QWidget(parent), m_ambient(ambient)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_containerBack = TranslateColor(ambientBackColor());
    refreshColors();
    RebuildFont();
    CreateBuffer();
    BuildOutline();
    CalcLayout(false);
}

qxButtons_H::~qxButtons_H()
{
    if (m_timerRunning)
        modQxTimer::KillTimer(this, modQxTimer::HoverTimerId);
    if (m_mode == OptionMode)
        OptionToggle(-1); // the group never keeps a destroyed member
}

void qxButtons_H::setAmbient(Ambient *ambient)
{
    m_ambient = ambient;
}

bool qxButtons_H::userMode() const
{
    return m_ambient ? m_ambient->UserMode() : true;
}

QString qxButtons_H::displayName() const
{
    return m_ambient ? m_ambient->DisplayName() : objectName();
}

OleColor qxButtons_H::ambientBackColor() const
{
    if (m_ambient)
        return m_ambient->BackColor();
    if (const QWidget *parent = parentWidget())
        return fromQColor(parent->palette().color(parent->backgroundRole()));
    return SystemColors::ButtonFace;
}

bool qxButtons_H::displayAsDefault() const
{
    return m_ambient ? m_ambient->DisplayAsDefault() : hasFocus();
}

void qxButtons_H::designMessage(const QString &text) const
{
    if (!userMode())
        MessageBoxes::current().show(designCaption, text, MsgIcon::Information, MsgButtons::Ok);
}

void qxButtons_H::setFlag(quint16 flag, bool on)
{
    m_state = on ? (m_state | flag) : (m_state & ~flag);
}

void qxButtons_H::AmbientChanged(const QString &name)
{
    if (name.compare(QLatin1String("DisplayAsDefault"), Qt::CaseInsensitive) == 0) {
        setFlag(DefaultFrame, displayAsDefault() && (m_showFocusRect || !userMode()));
        const bool customDesign = m_shape >= 7 && !userMode();
        if (customDesign)
            m_timerRunning = has(DefaultFrame);
        RedrawButton();
        if (customDesign)
            m_timerRunning = false;
    } else if (name.compare(QLatin1String("BackColor"), Qt::CaseInsensitive) == 0) {
        m_containerBack = TranslateColor(ambientBackColor());
        if (m_shape >= 4 || m_buttonStyle == 5)
            RedrawButton();
    }
}

void qxButtons_H::setButtonStyle(int style)
{
    if (!inRange(style, 0, 7))
        return;
    const int old = m_buttonStyle;
    m_buttonStyle = style;
    if (m_shape <= 3 || ((old == 5 || style == 5) && m_shape <= 6))
        BuildOutline();
    CalcLayout(false);
    refreshColors();
    RedrawButton();
}

void qxButtons_H::setMode(int mode)
{
    if (!inRange(mode, 0, 2))
        return;
    if (m_mode == OptionMode && mode != OptionMode)
        OptionToggle(-1);
    if (mode == OptionMode && m_mode != OptionMode)
        OptionToggle(1);
    if (mode == CommandMode && m_mode != CommandMode)
        setValue(false);
    m_mode = mode;
    RedrawButton();
}

QChar qxButtons_H::FindAccessKey(const QString &caption)
{
    // Read the way the caption is shown: "&&" is a literal ampersand, and of
    // several marked letters the last one wins.
    QChar key;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            key = caption[i + 1];
        ++i;
    }
    return key;
}

void qxButtons_H::setCaption(const QString &caption)
{
    m_accessKey = FindAccessKey(caption);
    updateAccessShortcut();
    m_caption = caption;
    CalcLayout(false);
    RedrawButton();
    QAccessibleEvent renamed(this, QAccessible::NameChanged); // PAUSE becomes RESUME for the reader too
    QAccessible::updateAccessibility(&renamed);
}

void qxButtons_H::setCaptionAlign(int align)
{
    if (!inRange(align, 0, 2))
        return;
    if (align != 2 && m_pictureAlign > 3 && m_pictureWidth > 0) {
        designMessage(QStringLiteral("When button images are aligned top/bottom center, \r\n"
                                     "button captions can only be center aligned"));
        return;
    }
    m_captionAlign = align;
    CalcLayout(false);
    RedrawButton();
}

void qxButtons_H::setCaptionStyle(int style)
{
    if (!inRange(style, 0, 2))
        return;
    m_captionStyle = style;
    if (!m_caption.isEmpty()) {
        CalcLayout(false);
        RedrawButton();
    }
}

void qxButtons_H::setCustomClick(int shift)
{
    if (!inRange(shift, 0, 8))
        return;
    if (shift != 0 && m_shape < 7)
        designMessage(
            QStringLiteral("This property has no effect unless the Button Shape is a custom shape."));
    m_customClick = shift;
}

void qxButtons_H::setButtonShape(int shape)
{
    if (!inRange(shape, 0, 8))
        return;
    if (shape >= 7) {
        if (m_pictureWidth == 0 || m_pictureKind == Icon) {
            designMessage(
                QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));
            return;
        }
        if (PictureSize() != 4) {
            DelayDrawing(true);
            setPictureSize(4);
            m_delay = false;
        }
    }
    m_shape = shape;
    m_captionAlign = 2;
    ResizeHandling();
    DelayDrawing(false);
}

void qxButtons_H::setPicture(const PictureRef &picture)
{
    storePicture(picture);
    afterNewPicture();
}

void qxButtons_H::setPicture(const QImage &image, PictureKind kind, const PictureRef &source)
{
    storePicture(image, kind, source);
    afterNewPicture();
}

void qxButtons_H::storePicture(const PictureRef &picture)
{
    QImage image;
    if (!picture.isNull())
        image.load(picture.source);
    const QString suffix = picture.source.section(QLatin1Char('.'), -1).toLower();
    const bool icon = suffix == QLatin1String("ico") || suffix == QLatin1String("cur");
    storePicture(image, icon ? Icon : Bitmap, picture); // a missing file keeps its name for saving
}

void qxButtons_H::storePicture(const QImage &image, PictureKind kind, const PictureRef &source)
{
    m_pictureRef = source;
    m_pictureKind = kind;
    if (image.isNull()) {
        m_picture = QImage();
    } else if (kind == Icon) {
        m_picture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else if (image.hasAlphaChannel()) {
        // Bitmaps have no alpha: transparent parts become the top-left background colour.
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb corner = argb.pixel(0, 0);
        m_picture = QImage(argb.size(), QImage::Format_RGB32);
        m_picture.fill(qAlpha(corner) < 128 ? QColor(255, 0, 255) : QColor(corner));
        QPainter(&m_picture).drawImage(0, 0, argb);
    } else {
        m_picture = image.convertToFormat(QImage::Format_RGB32);
    }
}

void qxButtons_H::afterNewPicture()
{
    if (m_picturePixels == 0)
        m_picturePixels = 16;
    readPictureInfo();
    if (m_shape <= 6) {
        CalcLayout(true);
        RedrawButton();
        return;
    }
    if (m_pictureWidth == 0) {
        m_shape = 0;
    } else if (m_pictureKind == Icon) {
        m_shape = 0;
        designMessage(QStringLiteral("Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
                                     "Button was changed to Rectangular shaped."));
    }
    ResizeHandling();
}

void qxButtons_H::readPictureInfo()
{
    m_mask = QImage();
    if (m_picture.isNull()) {
        m_pictureWidth = m_pictureHeight = 0;
        m_pictureKind = Bitmap;
        return;
    }
    m_pictureWidth = m_picture.width();
    m_pictureHeight = m_picture.height();
}

void qxButtons_H::setPictureAlign(int align)
{
    if (!inRange(align, 0, 5))
        return;
    m_pictureAlign = align;
    if (align >= 4)
        m_captionAlign = 2;
    CalcLayout(false);
    RedrawButton();
}

int qxButtons_H::PictureSize() const
{
    return PicturePixels() / 8 - 2;
}

void qxButtons_H::setPictureSize(int size)
{
    if (!inRange(size, 0, 4))
        return;
    if (m_shape >= 7) {
        designMessage(QStringLiteral("The picture size cannot be changed for Shaped buttons"));
        return;
    }
    m_picturePixels = 16 + 8 * size;
    CalcLayout(true);
    RedrawButton();
}

void qxButtons_H::setShowFocusRect(bool show)
{
    m_showFocusRect = show;
    if (has(DefaultFrame) && userMode()) {
        setFlag(DefaultFrame, false);
        RedrawButton();
    } else if (has(DefaultFrame)) {
        designMessage(
            QStringLiteral("The focus rectangle may appear on default buttons ONLY while in design mode, "
                           "\r\nbut will not appear when the form is running."));
    } else {
        RedrawButton();
    }
}

void qxButtons_H::setValue(bool value)
{
    if (value && m_mode == CommandMode) {
        designMessage(QStringLiteral("This property is not applicable for command button modes."));
        return;
    }
    m_value = value;
    if (value && m_mode == OptionMode)
        OptionToggle(0);
    RedrawButton();
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleStateChangeEvent changed(this, checked);
    QAccessible::updateAccessibility(&changed);
}

int qxButtons_H::FontStyle() const
{
    const QFont f = font();
    return (f.bold() ? 2 : 0) | (f.italic() ? 4 : 0) | (f.underline() ? 8 : 0);
}

void qxButtons_H::setFontStyle(int style)
{
    QFont f = font();
    f.setBold(style & 2);
    f.setItalic(style & 4);
    f.setUnderline(style & 8);
    setFont(f); // the font change rebuilds, lays out and redraws
}

void qxButtons_H::Refresh()
{
    m_delay = false;
    RedrawButton();
}

void qxButtons_H::DelayDrawing(bool delay)
{
    m_delay = delay;
    if (!delay)
        Refresh();
}
