#include "controls/UcCmd.h"

#include "controls/BagValues.h"
#include "platform/AppError.h"
#include "platform/Twips.h"
#include "skin/SkinSet.h"

#include <QApplication>
#include <QScopeGuard>

namespace {
// The caption colour of a disabled control: the inactive caption text.
constexpr int InactiveCaptionText = 19;

struct StylePictures
{
    const char *tag;
    const char *up;
    const char *down;
};

const StylePictures &picturesOf(int style)
{
    static const StylePictures table[] = {
        {"", "", ""},
        {"TOPCLOSE", "CLOSEUP", "CLOSEDN"},
        {"RESTORE", "RESTOREUP", "RESTOREDN"},
        {"MINIMISE", "MINIUP", "MINIDN"},
        {"BOUTON", "BUTTONUP", "BUTTONDN"},
        {"CHECKBUTTON", "CHECKOFF", "CHECKON"},
        {"OPTBUTTON", "RADIOOFF", "RADIOON"},
    };
    return table[style];
}
} // namespace

UcCmd::UcCmd(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true); // MouseMove is raised without a button held too
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_captionColour = SkinSet::colour(SkinSet::RestingColour);
    m_picture1Twips = CmdGeometry::NoPictureTwips;
    resize(40, 20);
}

void UcCmd::setBorderStyle(qint16 value)
{
    if (value != 0 && value != 1)
        throw AppError(AppError::InvalidPropertyValue);
    m_bordered = value == 1;
    emit PropertyChanged(QStringLiteral("BorderStyle"));
    compose();
}

void UcCmd::setEnabled(bool enabled)
{
    const bool unchanged = Enabled() == enabled;
    QWidget::setEnabled(enabled); // a change colours the caption through changeEvent
    if (unchanged)
        showEnabled();
}

void UcCmd::showEnabled()
{
    setCaptionColour(Enabled() ? SkinSet::colour(SkinSet::CaptionColour)
                               : SystemColors::byIndex(InactiveCaptionText));
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void UcCmd::setPictureUP(const QString &name)
{
    setPicture(m_pictureUpName, "PictureUP", m_upPicture, name);
}

void UcCmd::setPictureDN(const QString &name)
{
    setPicture(m_pictureDnName, "PictureDN", m_downPicture, name);
}

// Every picture goes through Picture1 first, so the one loaded last measures the layout.
void UcCmd::setPicture(QString &field, const char *property, QImage &shown, const QString &name)
{
    field = name;
    emit PropertyChanged(QString::fromLatin1(property));
    loadPicture1(name);
    shown = m_picture1;
    RePaint();
}

void UcCmd::loadPicture1(const QString &name)
{
    loadInto(m_picture1, name);
    m_picture1Twips = m_picture1.size() * TwipsPerPixel;
}

// No name means no picture; an unknown one fails before anything is shown.
void UcCmd::loadInto(QImage &picture, const QString &name)
{
    picture = name.isEmpty() ? QImage() : SkinSet::bitmap(name);
}

void UcCmd::setStyle(qint32 style)
{
    m_style = style;
    emit PropertyChanged(QStringLiteral("Style"));
    if (style >= 0 && style <= 6) {
        const StylePictures &pictures = picturesOf(style);
        m_tag = QString::fromLatin1(pictures.tag);
        m_captionShown = !CmdGeometry::isCaptionButton(style);
        if (style == 4)
            setCaptionColour(SkinSet::colour(SkinSet::CaptionColour));
        if (style == 6)
            setOptionGroup(QStringLiteral("OPT1"));
        if (CmdGeometry::captionBeside(style))
            setValue(false);
        if (style != 0) { // the down picture first: the up picture measures the button
            setPictureDN(QString::fromLatin1(pictures.down));
            setPictureUP(QString::fromLatin1(pictures.up));
        }
        if (CmdGeometry::captionBeside(style))
            m_background = SkinSet::bitmap(QStringLiteral("SBACKGROUND"));
    }
    RePaint();
}

void UcCmd::setCaption(const QString &caption)
{
    m_caption = caption;
    emit PropertyChanged(QStringLiteral("Caption"));
    RePaint();
}

void UcCmd::setScaleFactor(double value)
{
    m_scaleFactor = CmdGeometry::storedScaleFactor(m_style, value);
    emit PropertyChanged(QStringLiteral("ScaleFactor"));
    RePaint();
}

void UcCmd::setValue(bool value)
{
    m_value = value;
    emit PropertyChanged(QStringLiteral("Value"));
    RePaint();
}

void UcCmd::setOptionGroup(const QString &group)
{
    m_optionGroup = group;
    emit PropertyChanged(QStringLiteral("OptionGroup"));
}

void UcCmd::setCaptionColour(OleColor colour)
{
    m_captionColour = colour;
    compose();
}

QWidget &UcCmd::host() const
{
    if (!parentWidget())
        throw AppError(AppError::NotYetPlaced);
    return *parentWidget();
}

// ---- persistence ----

namespace {
QFont ambientFont(const QWidget *control)
{
    return control->parentWidget() ? control->parentWidget()->font() : QApplication::font();
}
} // namespace

void UcCmd::ReadProperties(const PropertyBag &bag)
{
    using namespace BagValues;
    m_loading = true;
    const auto done = qScopeGuard([this] { m_loading = false; });
    setBorderStyle(readInt16(bag, "BorderStyle", 0));
    QWidget::setEnabled(readBool(bag, "Enabled", true));
    m_pictureUpName = readString(bag, "PictureUP", {});
    m_pictureDnName = readString(bag, "PictureDN", {});
    m_style = readInt32(bag, "Style", 0);
    m_scaleFactor = readDouble(bag, "ScaleFactor", 1);
    setFont(readFont(bag, "Font", ambientFont(this)));
    m_caption = readString(bag, "Caption", {});
    m_value = readBool(bag, "Value", false);
    m_optionGroup = readString(bag, "OptionGroup", {});

    setCaptionColour(Enabled() ? SkinSet::colour(SkinSet::RestingColour)
                               : SystemColors::byIndex(InactiveCaptionText));
    if (!m_pictureUpName.isEmpty()) {
        loadPicture1(m_pictureUpName);
        m_upPicture = m_picture1;
    }
    if (!m_pictureDnName.isEmpty())
        loadInto(m_downPicture, m_pictureDnName); // Picture1 keeps the up picture
    m_background =
        CmdGeometry::captionBeside(m_style) ? SkinSet::bitmap(QStringLiteral("SBACKGROUND")) : QImage();
    m_loading = false;
    RePaint();
}

void UcCmd::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty("BorderStyle", QVariant::fromValue(BorderStyle()), QVariant::fromValue(qint16(0)));
    bag.WriteProperty("Enabled", Enabled(), true);
    bag.WriteProperty("ScaleFactor", m_scaleFactor, 1.0);
    bag.WriteProperty("PictureUP", m_pictureUpName, QString());
    bag.WriteProperty("PictureDN", m_pictureDnName, QString());
    bag.WriteProperty("Style", QVariant::fromValue(m_style), QVariant::fromValue(qint32(0)));
    bag.WriteProperty("Font", font(), ambientFont(this));
    bag.WriteProperty("Caption", m_caption, QString());
    bag.WriteProperty("Value", m_value, false);
    bag.WriteProperty("OptionGroup", m_optionGroup, QString());
}
