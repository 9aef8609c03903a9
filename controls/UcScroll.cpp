#include "controls/UcScroll.h"

#include "controls/BagValues.h"
#include "controls/Trough.h"
#include "platform/ReportError.h"
#include "platform/SystemColors.h"
#include "platform/Twips.h"
#include "skin/ClsPictureDC.h"
#include "skin/SkinSet.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace {
const QString Module = QStringLiteral("UcScroll");

// Whole pixels of an element's box. A value far outside the range puts the thumb
// millions of pixels away; held within this bound it is still off the control, and the
// rectangle's edges cannot overflow.
QRect drawn(const QRectF &box)
{
    static constexpr double farOff = 1 << 24;
    const auto pixel = [](double v) { return roundHalfEven(std::clamp(v, -farOff, farOff)); };
    return QRect(pixel(box.x()), pixel(box.y()), pixel(box.width()), pixel(box.height()));
}
} // namespace

UcScroll::UcScroll(QWidget *parent) : QWidget(parent)
{
    for (auto &dc : m_pieces)
        dc = std::make_unique<ClsPictureDC>();
    m_clickTimer.setTimerType(Qt::PreciseTimer);
    m_clickTimer.stop();
    m_clickTimer.setInterval(333);
    connect(&m_clickTimer, &QTimer::timeout, this, &UcScroll::ClickTimer_Timer);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(150, 23);
}

UcScroll::~UcScroll() = default;

// ---- properties ----

void UcScroll::setValue(qint32 value)
{
    m_value = ScrollGeometry::clampValue(value, m_min, m_max);
    emit PropertyChanged(QStringLiteral("Value"));
    PositionThumb();
    QAccessibleValueChangeEvent changed(this, m_value);
    QAccessible::updateAccessibility(&changed);
    emit Change();
}

void UcScroll::setMin(qint32 value)
{
    if (value > m_max)
        m_max = ScrollGeometry::addClamped(value, 100);
    m_min = value;
    emit PropertyChanged(QStringLiteral("Min"));
}

void UcScroll::setMax(qint32 value)
{
    if (value < m_min)
        m_min = ScrollGeometry::addClamped(value, -100);
    m_max = value;
    emit PropertyChanged(QStringLiteral("Max"));
}

void UcScroll::setSmallChange(qint32 value)
{
    if (value < 1 || value > 32767)
        return;
    m_smallChange = value;
    emit PropertyChanged(QStringLiteral("SmallChange"));
}

void UcScroll::setLargeChange(qint32 value)
{
    if (value < 1 || value > 32767)
        return;
    m_largeChange = value;
    emit PropertyChanged(QStringLiteral("LargeChange"));
}

void UcScroll::setOrientation(qint16 value)
{
    m_orientation = value;
    emit PropertyChanged(QStringLiteral("Orientation"));
    GetThePict();
    UserResize();
    Repaint();
}

void UcScroll::setBorderStyle(qint16 value)
{
    if (value != 0 && value != 1)
        throw AppError(AppError::InvalidPropertyValue);
    m_bordered = value == 1;
    setContentsMargins(QMargins() + (m_bordered ? 1 : 0));
    emit PropertyChanged(QStringLiteral("BorderStyle"));
}

QRectF UcScroll::ImgThumb() const
{
    const QSizeF size = m_elements.thumb;
    return isHorizontal() ? QRectF(QPointF(m_thumbEdge, m_elements.leading.top()), size)
                          : QRectF(QPointF(m_elements.leading.left(), m_thumbEdge), size);
}

// ---- persistence ----

void UcScroll::ReadProperties(const PropertyBag &bag)
{
    using namespace BagValues;
    setBorderStyle(readInt16(bag, "BorderStyle", 0));
    m_orientation = readInt16(bag, "Orientation", 0);
    m_min = readInt32(bag, "Min", 0);
    m_max = readInt32(bag, "Max", 100);
    m_value = readInt32(bag, "Value", 0);
    m_smallChange = readInt32(bag, "SmallChange", 1);
    m_largeChange = readInt32(bag, "LargeChange", 10);
    GetThePict();
    Repaint();
}

void UcScroll::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty("BorderStyle", QVariant::fromValue(BorderStyle()), QVariant::fromValue(qint16(0)));
    bag.WriteProperty("Orientation", QVariant::fromValue(m_orientation), QVariant::fromValue(qint16(0)));
    bag.WriteProperty("Min", QVariant::fromValue(m_min), QVariant::fromValue(qint32(0)));
    bag.WriteProperty("Max", QVariant::fromValue(m_max), QVariant::fromValue(qint32(100)));
    bag.WriteProperty("Value", QVariant::fromValue(m_value), QVariant::fromValue(qint32(0)));
    bag.WriteProperty("SmallChange", QVariant::fromValue(m_smallChange), QVariant::fromValue(qint32(1)));
    bag.WriteProperty("LargeChange", QVariant::fromValue(m_largeChange), QVariant::fromValue(qint32(10)));
}

// ---- layout and painting ----

void UcScroll::PositionThumb()
{
    // A range of no length leaves the thumb where it is, silently.
    runReported(
        "PositionThumb", Module,
        [this] {
            const double lead = ScrollGeometry::leadingBound(isHorizontal(), m_elements);
            const double trail = ScrollGeometry::trailingBound(isHorizontal(), m_elements);
            setThumbLeadingEdge(ScrollGeometry::thumbEdge(m_value, m_min, m_max, lead, trail));
        },
        AppError::DivisionByZero);
}

void UcScroll::UserResize()
{
    runReported("UserResize", Module, [this] {
        using ScrollGeometry::MaxThicknessTwips;
        resize(ScrollGeometry::limitThickness(size(), isHorizontal(), MaxThicknessTwips));
        const int thicknessTwips = pixelsToTwips(isHorizontal() ? height() : width());
        m_elements = ScrollGeometry::layout(isHorizontal(), QSizeF(innerSize()), thicknessTwips);
        compose();
    });
}

void UcScroll::Repaint()
{
    if (m_painting)
        return;
    m_painting = true;
    runReported("Repaint", Module, [this] {
        m_track = QImage(innerSize(), QImage::Format_RGB32);
        m_track.fill(toQColor(SystemColors::ButtonFace));
        if (!piecesLoaded())
            GetThePict();
        const QSize inner(roundHalfEven(innerSize().width()), roundHalfEven(innerSize().height()));
        const auto pieces =
            Trough::layout(isHorizontal(), inner, piece(TrackTile).size(), piece(LeadCap).size(),
                           piece(EndCap).size(), isHorizontal() && m_bordered);
        Trough::paint(m_track, pieces, piece(TrackTile), piece(LeadCap), piece(EndCap));
        compose();
        PositionThumb();
    });
    m_painting = false;
}

void UcScroll::GetThePict()
{
    runReported("GetThePict", Module, [this] {
        const bool h = isHorizontal();
        loadPiece(TrackTile, h ? "MHSCROLL" : "VMIDSCROLL");
        loadPiece(LeadCap, h ? "HLEFT" : "VSCROLLBOTTOM");
        loadPiece(EndCap, h ? "HRIGHT" : "VSCROLLTOP");
        setArrowPicture(Element::Trailing, false);
        setArrowPicture(Element::Leading, false);
        m_thumbPicture = SkinSet::bitmap(h ? "THUMB" : "VTHUMB");
        compose();
    });
}

void UcScroll::setArrowPicture(Element arrow, bool pressed)
{
    static const char *const names[2][2][2] = {
        {{"VUPUP", "VUPDN"}, {"VDNUP", "VDNDN"}},           // vertical: leading, trailing
        {{"HLEFTUP", "HLEFTDN"}, {"HRIGHTUP", "HRIGHTDN"}}, // horizontal
    };
    const bool trailing = arrow == Element::Trailing;
    QImage picture = SkinSet::bitmap(names[isHorizontal()][trailing][pressed]);
    (trailing ? m_trailPicture : m_leadPicture) = std::move(picture);
    compose();
}

void UcScroll::setThumbLeadingEdge(double edge)
{
    m_thumbEdge = edge;
    compose();
}

void UcScroll::compose()
{
    if (m_track.isNull())
        return;
    m_surface = m_track;
    QPainter painter(&m_surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(drawn(ImgLeft()), m_leadPicture);
    painter.drawImage(drawn(ImgRight()), m_trailPicture);
    painter.drawImage(drawn(ImgThumb()), m_thumbPicture);
    painter.end();
    if (hasFocus())
        drawFocusMark();
    update();
}

// White under black dots around the track, so the mark shows on any skin.
void UcScroll::drawFocusMark()
{
    const QRect box = m_surface.rect().adjusted(0, 0, -1, -1);
    if (box.width() < 2 || box.height() < 2)
        return;
    QPainter painter(&m_surface);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(box);
}

void UcScroll::loadPiece(Slot slot, const QString &name)
{
    m_pieces[slot]->setStdBitmap(SkinSet::bitmap(name));
}

bool UcScroll::piecesLoaded() const
{
    return m_pieces[TrackTile]->hDC() != 0;
}

const QImage &UcScroll::piece(Slot slot) const
{
    return m_pieces[slot]->image();
}

void UcScroll::resizeEvent(QResizeEvent *)
{
    UserControl_Resize();
}

void UcScroll::UserControl_Resize()
{
    runReported("UserControl_Resize", Module, [this] {
        UserResize();
        Repaint();
    });
}

void UcScroll::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_bordered) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.drawImage(contentsRect().topLeft(), m_surface);
}
