#include "controls/UcProgress.h"

#include "controls/BagValues.h"
#include "controls/ProgressGeometry.h"
#include "controls/ScrollGeometry.h"
#include "controls/StretchRop.h"
#include "controls/Trough.h"
#include "platform/RasterOps.h"
#include "platform/ReportError.h"
#include "platform/SystemColors.h"
#include "skin/ClsPictureDC.h"
#include "skin/PictureBox.h"
#include "skin/SkinSet.h"

#include <QPainter>

namespace {
const QString Module = QStringLiteral("UcProgress");
}

UcProgress::UcProgress(QWidget *parent) : QWidget(parent)
{
    for (auto &dc : m_pieces)
        dc = std::make_unique<ClsPictureDC>();
    m_pictBar = new PictureBox(this);
    m_pictBar->hide();
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 13);
}

UcProgress::~UcProgress() = default;

const QImage &UcProgress::sprite() const
{
    return m_pieces[Sprite]->image();
}
const QImage &UcProgress::mask() const
{
    return m_pieces[Mask]->image();
}

// ---- properties ----

void UcProgress::setMin(qint32 value)
{
    m_min = value < 0 ? 0 : value;
    emit PropertyChanged(QStringLiteral("Min"));
}

void UcProgress::setMax(qint32 value)
{
    m_max = value;
    emit PropertyChanged(QStringLiteral("Max"));
}

void UcProgress::setValue(qint32 value)
{
    if (value > m_max || value < m_min)
        return;
    m_value = value;
    emit PropertyChanged(QStringLiteral("Value"));
    Repaint();
}

void UcProgress::setOrientation(qint16 value)
{
    m_orientation = value;
    emit PropertyChanged(QStringLiteral("Orientation"));
    GetThePict();
    UserResize();
    Repaint();
}

void UcProgress::ReadProperties(const PropertyBag &bag)
{
    using namespace BagValues;
    m_orientation = readInt16(bag, "Orientation", 0);
    m_min = readInt32(bag, "Min", 0);
    m_max = readInt32(bag, "Max", 100);
    m_value = readInt32(bag, "Value", 0);
}

void UcProgress::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty("Orientation", QVariant::fromValue(m_orientation), QVariant::fromValue(qint16(0)));
    bag.WriteProperty("Min", QVariant::fromValue(m_min), QVariant::fromValue(qint32(0)));
    bag.WriteProperty("Max", QVariant::fromValue(m_max), QVariant::fromValue(qint32(100)));
    bag.WriteProperty("Value", QVariant::fromValue(m_value), QVariant::fromValue(qint32(0)));
}

// ---- procedures ----

void UcProgress::UserResize()
{
    runReported("UserResize", Module, [this] {
        using ProgressGeometry::MaxThicknessTwips;
        resize(ScrollGeometry::limitThickness(size(), isHorizontal(), MaxThicknessTwips));
        m_pictDC = QImage(innerSize(), QImage::Format_RGB32);
    });
}

void UcProgress::GetThePict()
{
    runReported("GetThePict", Module, [this] {
        const bool h = isHorizontal();
        loadPiece(Tile, h ? "HBPROGMID" : "VBPROGMID");
        loadPiece(LeadCap, h ? "HBPROGLEFT" : "VPROGDN");
        loadPiece(EndCap, h ? "HBPROGRIGHT" : "VPROGUP");
        m_pictBar->setPicture(SkinSet::bitmap(h ? "HPROGRESS" : "VPROGRESS"));
        m_pieces[Sprite]->setPictBitmap(*m_pictBar);
        m_pieces[Mask]->setPictBitmap(*m_pictBar);
        MaskSprite();
    });
}

void UcProgress::loadPiece(Slot slot, const QString &name)
{
    m_pieces[slot]->setStdBitmap(SkinSet::bitmap(name));
}

void UcProgress::MaskSprite()
{
    runReported("MaskSprite", Module,
                [this] { ProgressGeometry::maskSprite(m_pieces[Sprite]->image(), m_pieces[Mask]->image()); });
}

void UcProgress::Repaint()
{
    if (m_painting)
        return;
    m_painting = true;
    runReported("Repaint", Module, [this] {
        if (m_pictDC.size() != innerSize())
            m_pictDC = QImage(innerSize(), QImage::Format_RGB32);
        m_pictDC.fill(toQColor(SystemColors::ButtonFace));
        if (m_pieces[Tile]->hDC() == 0)
            GetThePict();
        const auto pieces =
            Trough::layout(isHorizontal(), innerSize(), m_pieces[Tile]->image().size(),
                           m_pieces[LeadCap]->image().size(), m_pieces[EndCap]->image().size(), false);
        Trough::paint(m_pictDC, pieces, m_pieces[Tile]->image(), m_pieces[LeadCap]->image(),
                      m_pieces[EndCap]->image());
        CopyTransPict();
    });
    m_painting = false;
}

int UcProgress::GetHorizontalPos()
{
    return runReportedValue<int>("GetHorizontalPos", Module, [this] {
        return ProgressGeometry::horizontalLength(m_value, m_min, m_max, innerSize().width());
    });
}

int UcProgress::GetVerticalPos()
{
    return runReportedValue<int>("GetVerticalPos", Module, [this] {
        return ProgressGeometry::verticalLength(m_value, m_min, m_max, innerSize().height());
    });
}

void UcProgress::CopyTransPict()
{
    runReported("CopyTransPict", Module, [this] {
        const QSizeF inner = innerSize();
        const QRect bar =
            isHorizontal()
                ? ProgressGeometry::horizontalBar(inner.width(), inner.height(), GetHorizontalPos())
                : ProgressGeometry::verticalBar(inner.width(), inner.height(), GetVerticalPos());
        stretchRop(m_pictDC, bar, mask(), RasterOps::MergePaint);
        stretchRop(m_pictDC, bar, sprite(), RasterOps::SrcAnd);
        m_surface = m_pictDC.copy(); // one copy to the screen: no flicker between trough and bar
        update();
    });
}

// ---- events ----

void UcProgress::UserControl_Resize()
{
    runReported("UserControl_Resize", Module, [this] { UserResize(); });
}

void UcProgress::resizeEvent(QResizeEvent *)
{
    UserControl_Resize();
    Repaint(); // the paint that follows every size change
}

void UcProgress::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}
