#include "engine/mouth/MouthPainter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
const QColor lip(0xc8, 0x3c, 0x4a);
const QColor lipDark(0x7a, 0x1c, 0x26);
const QColor inside(0x4a, 0x0c, 0x14);
const QColor tooth(0xfb, 0xfb, 0xf4);
const QColor tongue(0xe8, 0x6a, 0x7a);

struct Geometry
{
    double halfWidth;  // of the lips, as a share of the surface's width
    double open;       // of the mouth, as a share of the surface's height
    bool upperTeeth;
    bool lowerTeeth;
    bool tongueUp;
};

Geometry geometryFor(Viseme shape, double openness)
{
    const double jaw = std::clamp(openness, 0.0, 1.0);
    switch (shape) {
    case Viseme::Rest: return {0.36, 0.0, false, false, false};
    case Viseme::Closed: return {0.32, 0.0, false, false, false};
    case Viseme::Open: return {0.36, 0.18 + 0.42 * jaw, true, false, false};
    case Viseme::Wide: return {0.44, 0.10 + 0.2 * jaw, true, true, false};
    case Viseme::Round: return {0.24, 0.16 + 0.34 * jaw, false, false, false};
    case Viseme::Pucker: return {0.16, 0.10 + 0.2 * jaw, false, false, false};
    case Viseme::LipBite: return {0.34, 0.12, true, false, false};
    case Viseme::Tongue: return {0.36, 0.14 + 0.3 * jaw, true, false, true};
    case Viseme::Teeth: return {0.42, 0.16, true, true, false};
    }
    return {0.36, 0.0, false, false, false};
}

QPainterPath mouthOpening(QPointF centre, double halfWidth, double open)
{
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y());
    path.cubicTo(centre.x() - halfWidth * 0.5, centre.y() - open * 0.55, centre.x() + halfWidth * 0.5,
                 centre.y() - open * 0.55, centre.x() + halfWidth, centre.y());
    path.cubicTo(centre.x() + halfWidth * 0.5, centre.y() + open * 1.1, centre.x() - halfWidth * 0.5,
                 centre.y() + open * 1.1, centre.x() - halfWidth, centre.y());
    path.closeSubpath();
    return path;
}

void paintClosed(QPainter &p, QPointF c, double halfWidth, double h, bool smile)
{
    QPainterPath lips = mouthOpening(c, halfWidth, h * 0.16);
    p.setPen(QPen(lipDark, 1.0));
    p.setBrush(lip);
    p.drawPath(lips);
    // Where the lips meet; at rest the corners turn up a little.
    const double lift = smile ? h * 0.06 : 0.0;
    QPainterPath line;
    line.moveTo(c.x() - halfWidth, c.y() - lift);
    line.quadTo(c.x(), c.y() + h * 0.05 + lift, c.x() + halfWidth, c.y() - lift);
    p.setPen(QPen(lipDark, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
}

void paintTeeth(QPainter &p, const QRectF &bounds, double open, const Geometry &g)
{
    const double upper = g.lowerTeeth ? open * 0.55 : std::max(2.0, open * 0.3);
    if (g.upperTeeth)
        p.fillRect(QRectF(bounds.left(), bounds.top(), bounds.width(), upper), tooth);
    if (g.lowerTeeth)
        p.fillRect(QRectF(bounds.left(), bounds.bottom() - open * 0.5, bounds.width(), open), tooth);
    if (g.upperTeeth && g.lowerTeeth) {
        p.setPen(QPen(QColor(0xb8, 0xb0, 0xa8), 0.8));
        p.drawLine(QPointF(bounds.left(), bounds.top() + upper), QPointF(bounds.right(), bounds.top() + upper));
        p.setPen(Qt::NoPen);
    }
}

void paintOpen(QPainter &p, QPointF c, Viseme shape, const Geometry &g, double w, double h)
{
    const double halfWidth = g.halfWidth * w;
    const double open = g.open * h;
    const QPainterPath opening = mouthOpening(c, halfWidth, open);
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawPath(opening);

    p.save();
    p.setClipPath(opening);
    const QRectF bounds = opening.boundingRect();
    if (shape != Viseme::Teeth) {
        p.setBrush(tongue);
        const double tongueTop = g.tongueUp ? bounds.top() + open * 0.25 : bounds.bottom() - open * 0.45;
        p.drawEllipse(QRectF(c.x() - halfWidth * 0.6, tongueTop, halfWidth * 1.2, open * 1.2));
    }
    if (shape != Viseme::LipBite)
        paintTeeth(p, bounds, open, g);
    p.restore();

    // The lips: a rim around the opening, thinner when the mouth is nearly shut.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lip, std::clamp(open * 0.35, 1.6, h * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(opening);
    p.setPen(QPen(lipDark, 1.0));
    p.drawPath(mouthOpening(c, halfWidth + h * 0.045, open + h * 0.06));
    if (shape == Viseme::LipBite) {
        // The upper teeth rest on the lower lip.
        p.setPen(QPen(QColor(0xb8, 0xb0, 0xa8), 0.6));
        p.setBrush(tooth);
        p.drawRoundedRect(QRectF(c.x() - halfWidth * 0.55, c.y() - open * 0.3, halfWidth * 1.1, open * 0.9 + 2), 1.5, 1.5);
    }
}
} // namespace

namespace MouthPainter {

void paint(QImage &surface, Viseme shape, double openness)
{
    QPainter p(&surface);
    p.setRenderHint(QPainter::Antialiasing);
    // Only the mouth is drawn: the character's face shows around it.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(surface.rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const double w = surface.width();
    const double h = surface.height();
    const Geometry g = geometryFor(shape, openness);
    const QPointF centre(w / 2.0, h * 0.42);
    if (g.open <= 0.0)
        paintClosed(p, centre, g.halfWidth * w, h, shape == Viseme::Rest);
    else
        paintOpen(p, centre, shape, g, w, h);
}

QImage render(QSize size, Viseme shape, double openness)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    paint(image, shape, openness);
    return image;
}

} // namespace MouthPainter
