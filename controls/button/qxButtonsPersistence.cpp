// qxButtons_H: a newly placed control, loading and saving its settings, host notifications.
#include "controls/button/qxButtons_H.h"

#include "platform/AppError.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMdiArea>
#include <QPixmap>
#include <functional>

namespace {
// Colours are 32-bit: form files hold them as colours, older bags as signed numbers.
OleColor colorFrom(const QVariant &value)
{
    return OleColor(quint64(value.toLongLong()) & 0xFFFFFFFFu);
}
QVariant colorValue(OleColor color)
{
    return QVariant::fromValue(quint32(color));
}
QVariant int16(int value)
{
    return QVariant::fromValue(qint16(value));
}

// One of the final loading steps: a failure is noted and the next step still runs.
void guarded(const std::function<void()> &step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}
// The host's cursor numbers: 0 default ... 15 size all; 99 is the custom icon.
Qt::CursorShape cursorFor(int pointer)
{
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

void qxButtons_H::InitProperties()
{
    m_caption = displayName();
    m_accessKey = FindAccessKey(m_caption);
    updateAccessShortcut();
    m_captionAlign = 2;
    m_showFocusRect = true;
    m_hoverForeColor = SystemColors::ButtonText;
    m_hoverBackColor = SystemColors::ButtonFace;
    m_backColor = SystemColors::ButtonFace;
    const QWidget *form = window();
    if (form && form != this && !form->findChild<QMdiArea *>()) // not a multiple-document frame
        setFont(form->font());
    m_containerBack = TranslateColor(ambientBackColor());
    refreshColors();
    ResizeHandling();
}

void qxButtons_H::ReadProperties(const PropertyBag &bag)
{
    m_containerBack = TranslateColor(ambientBackColor());
    DelayDrawing(true);
    m_caption = bag.ReadProperty(QStringLiteral("Caption"), QString()).toString();
    m_captionAlign = bag.ReadProperty(QStringLiteral("CapAlign"), 2).toInt();
    m_buttonStyle = bag.ReadProperty(QStringLiteral("BackStyle"), 0).toInt();
    m_shape = bag.ReadProperty(QStringLiteral("Shape"), 0).toInt();
    m_gradientMode = bag.ReadProperty(QStringLiteral("Gradient"), 0).toInt();
    m_gradientColor =
        colorFrom(bag.ReadProperty(QStringLiteral("cGradient"), colorValue(SystemColors::ButtonFace)));
    m_foreColor = colorFrom(bag.ReadProperty(QStringLiteral("cFore"), colorValue(SystemColors::ButtonText)));
    const QVariant savedFont = bag.ReadProperty(QStringLiteral("Font"));
    if (savedFont.typeId() == QMetaType::QFont)
        setFont(savedFont.value<QFont>());
    m_showFocusRect = bag.ReadProperty(QStringLiteral("Focus"), true).toBool();
    m_mode = bag.ReadProperty(QStringLiteral("Mode"), 0).toInt();
    m_value = bag.ReadProperty(QStringLiteral("Value"), false).toBool();
    m_customClick = bag.ReadProperty(QStringLiteral("CustomClick"), 0).toInt();
    const PictureRef image = bag.ReadProperty(QStringLiteral("Image")).value<PictureRef>();
    if (!image.isNull())
        storePicture(image); // the final steps read it, check the shape and lay out
    m_picturePixels = bag.ReadProperty(QStringLiteral("ImgSize"), 16).toInt();
    m_pictureAlign = bag.ReadProperty(QStringLiteral("ImgAlign"), 0).toInt();
    m_hoverForeColor =
        colorFrom(bag.ReadProperty(QStringLiteral("cFHover"), colorValue(SystemColors::ButtonText)));
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    m_backColor = colorFrom(bag.ReadProperty(QStringLiteral("cBack"), colorValue(ambientBackColor())));
    m_hoverBackColor = colorFrom(bag.ReadProperty(QStringLiteral("cBHover"), colorValue(m_backColor)));
    m_hoverLocks = bag.ReadProperty(QStringLiteral("LockHover"), 0).toInt();
    m_captionStyle = bag.ReadProperty(QStringLiteral("CapStyle"), 0).toInt();
    setMouseIcon(bag.ReadProperty(QStringLiteral("mIcon")).value<PictureRef>());
    setMousePointer(bag.ReadProperty(QStringLiteral("mPointer"), 0).toInt());
    applyLoadedFinalSteps();
}

void qxButtons_H::applyLoadedFinalSteps()
{
    // Saved data may hold anything: out-of-range numbers fall back to the defaults.
    auto clampTo = [](int &field, int high, int fallback) {
        if (field < 0 || field > high)
            field = fallback;
    };
    clampTo(m_captionAlign, 2, 2);
    clampTo(m_buttonStyle, 7, 0);
    clampTo(m_shape, 8, 0);
    clampTo(m_gradientMode, 4, 0);
    clampTo(m_mode, 2, 0);
    clampTo(m_customClick, 8, 0);
    clampTo(m_pictureAlign, 5, 0);
    clampTo(m_hoverLocks, 3, 0);
    clampTo(m_captionStyle, 2, 0);
    if (m_picturePixels < 16 || m_picturePixels > 48 || m_picturePixels % 8 != 0)
        m_picturePixels = 16;
    if (m_mode == CommandMode)
        m_value = false;

    guarded([this] { readPictureInfo(); });
    guarded([this] { refreshColors(); });
    guarded([this] { setCaption(m_caption); });
    guarded([this] {
        if (m_mode == OptionMode)
            OptionToggle(1);
    });
    m_delay = false;
    guarded([this] { ResizeHandling(); });
}

void qxButtons_H::WriteProperties(PropertyBag &bag) const
{
    const QWidget *parent = parentWidget();
    const QFont inherited = parent ? parent->font() : QApplication::font();
    bag.WriteProperty(QStringLiteral("caption"), m_caption, QString());
    bag.WriteProperty(QStringLiteral("capalign"), int16(m_captionAlign), int16(2));
    bag.WriteProperty(QStringLiteral("backstyle"), int16(m_buttonStyle), int16(0));
    bag.WriteProperty(QStringLiteral("shape"), int16(m_shape), int16(0));
    bag.WriteProperty(QStringLiteral("font"), font(), inherited);
    bag.WriteProperty(QStringLiteral("cfore"), colorValue(m_foreColor), colorValue(SystemColors::ButtonText));
    bag.WriteProperty(QStringLiteral("cfhover"), colorValue(m_hoverForeColor),
                      colorValue(SystemColors::ButtonText));
    bag.WriteProperty(QStringLiteral("cbhover"), colorValue(m_hoverBackColor), colorValue(m_backColor));
    bag.WriteProperty(QStringLiteral("focus"), m_showFocusRect, true);
    bag.WriteProperty(QStringLiteral("lockhover"), int16(m_hoverLocks), int16(0));
    bag.WriteProperty(QStringLiteral("cgradient"), colorValue(m_gradientColor),
                      colorValue(SystemColors::ButtonFace));
    bag.WriteProperty(QStringLiteral("gradient"), int16(m_gradientMode), int16(0));
    bag.WriteProperty(QStringLiteral("capstyle"), int16(m_captionStyle), int16(0));
    bag.WriteProperty(QStringLiteral("mode"), int16(m_mode));
    bag.WriteProperty(QStringLiteral("value"), m_value);
    bag.WriteProperty(QStringLiteral("customclick"), int16(m_customClick), int16(0));
    bag.WriteProperty(QStringLiteral("imgalign"), int16(m_pictureAlign), int16(0));
    bag.WriteProperty(QStringLiteral("image"), QVariant::fromValue(m_pictureRef),
                      QVariant::fromValue(PictureRef()));
    bag.WriteProperty(QStringLiteral("imgsize"), int16(PicturePixels()), int16(16));
    bag.WriteProperty(QStringLiteral("enabled"), isEnabled(), true);
    bag.WriteProperty(QStringLiteral("cback"), colorValue(m_backColor));
    bag.WriteProperty(QStringLiteral("mpointer"), int16(m_mousePointer), int16(0));
    bag.WriteProperty(QStringLiteral("micon"), QVariant::fromValue(m_mouseIcon),
                      QVariant::fromValue(PictureRef()));
}

void qxButtons_H::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (m_buttonStyle == 3 && m_mode == CommandMode && m_shape <= 3) {
            const bool alreadySuspended = m_delay; // loading ends its own suspension
            DelayDrawing(true);
            BuildOutline(); // style 3 cuts its corners only while enabled
            CalcLayout(false);
            if (!alreadySuspended)
                DelayDrawing(false);
        } else {
            RedrawButton();
        }
    } else if (event->type() == QEvent::FontChange) {
        RebuildFont();
        CalcLayout(false);
        RedrawButton();
    } else if (event->type() == QEvent::ParentChange) {
        m_containerBack = TranslateColor(ambientBackColor());
    }
}

void qxButtons_H::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!userMode() && m_showFocusRect && displayAsDefault())
        setFlag(DefaultFrame, true);
    RedrawButton();
}

void qxButtons_H::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer != 99)
        setCursor(cursorFor(pointer));
}

void qxButtons_H::setMouseIcon(const PictureRef &icon)
{
    if (icon.isNull()) {
        m_mouseIcon = icon;
        return;
    }
    const QPixmap pixmap(icon.source);
    if (pixmap.isNull()) {
        if (!userMode())
            MessageBoxes::current().show(QStringLiteral("Select .ico Or .cur Files Only"),
                                         QStringLiteral("Invalid picture"), MsgIcon::Information,
                                         MsgButtons::Ok);
        return;
    }
    m_mouseIcon = icon;
    m_mousePointer = 99;
    setCursor(QCursor(pixmap));
}
