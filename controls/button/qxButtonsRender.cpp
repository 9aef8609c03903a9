// qxButtons_H: the off-screen buffer, colour arithmetic, face, gradient, border lines, caption and picture.
#include "controls/button/qxButtons_H.h"

#include "platform/RasterOps.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr OleColor grey = 0x808080;
constexpr OleColor white = 0xFFFFFF;

QColor qc(OleColor color)
{
    return toQColor(color);
}
} // namespace

void qxButtons_H::ResizeHandling()
{
    CreateBuffer();
    if (m_delay)
        return;
    BuildOutline();
    CreateBuffer(); // the outline may have resized the control
    CalcLayout(true);
    RedrawButton();
}

void qxButtons_H::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_buildingOutline)
        CreateBuffer();
    else
        ResizeHandling();
}

void qxButtons_H::CreateBuffer()
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (m_buffer.size() == size)
        return;
    m_buffer = QImage(size, QImage::Format_RGB32);
    m_buffer.fill(qc(m_containerBack));
    m_surface = m_buffer.copy();
}

void qxButtons_H::PresentBuffer()
{
    if (m_surface.size() != m_buffer.size() || m_surface.format() != m_buffer.format())
        m_surface = m_buffer.copy();
    else
        std::memcpy(m_surface.bits(), m_buffer.constBits(), size_t(m_buffer.sizeInBytes()));
}

void qxButtons_H::RebuildFont()
{
    m_drawFont = font();
    const double points = font().pointSizeF();
    if (points > 0) // 20 twips to a point, 15 twips to a pixel
        m_drawFont.setPixelSize(std::max(1, roundHalfEven(points * 20.0 / TwipsPerPixel)));
}

void qxButtons_H::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_surface);
}

void qxButtons_H::RedrawButton()
{
    if (m_delay || m_buffer.isNull())
        return;
    if (!m_buildingOutline && m_buffer.size() != QSize(std::max(1, width()), std::max(1, height()))) {
        ResizeHandling(); // a hidden control hears of its new size only when shown
        return;
    }
    ++m_redraws;
    PaintPass pass;
    pass.lines.fill(NoLine);
    {
        QPainter p(&m_buffer);
        p.setFont(m_drawFont);
        switch (m_buttonStyle) {
        case 2:
            PaintStyle2(p, pass);
            break;
        case 3:
            PaintStyle3(p, pass);
            break;
        case 7:
            PaintStyle7(p, pass);
            break;
        default:
            PaintClassic(p, pass);
            break;
        }
    }
    if (pass.cont == 0)
        return; // the custom click shift showed the buffer itself
    PresentBuffer();
    if (pass.cont > 1 && m_shape >= 4)
        DrawRegionFrame(pass.lines[12]);
    update();
}

QPoint qxButtons_H::customClickOffset() const
{
    static constexpr QPoint offsets[] = {{0, 0},  {0, -1}, {1, -1}, {-1, -1}, {1, 1},
                                         {-1, 1}, {1, 0},  {0, 1},  {-1, 0}};
    return offsets[std::clamp(m_customClick, 0, 8)];
}

bool qxButtons_H::CustomClickShift()
{
    if (m_mode != CommandMode || m_customClick == 0)
        return false;
    if (pressedAndHovered() && !has(Shifted)) {
        move(pos() + customClickOffset());
        setFlag(Shifted, true);
        PresentBuffer();
        update();
        return true;
    }
    if (!pressedAndHovered() && has(Shifted)) {
        move(pos() - customClickOffset());
        setFlag(Shifted, false);
    }
    return false;
}

void qxButtons_H::shadeRing(QPainter &p, const QRegion &inner)
{
    // White at the top to grey at the bottom; what follows is clipped to `inner`.
    p.setClipRegion(m_outline);
    PaintGradient(p, white, grey, 3, rect());
    p.setClipRegion(inner);
}

void qxButtons_H::PrepareShape(QPainter &p)
{
    p.fillRect(rect(), qc(m_containerBack)); // what the outline leaves out shows the container
    const bool lit = has(Hovered) || has(Pressed) || m_value;
    if (m_buttonStyle == 5 && lit && ((m_shape != 6 && m_shape != 7) || m_value)) {
        shadeRing(p, m_inner2);
    } else if ((m_shape == 4 || m_shape == 5) && m_buttonStyle != 5) {
        shadeRing(p, m_inner2);
    } else if (m_shape == 8) {
        shadeRing(p, m_inner2);
    } else if (m_shape == 6) {
        p.setClipRegion(m_outline);
        p.fillRect(rect(), Qt::black);
        p.setClipRegion(m_inner1);
    } else {
        p.setClipRegion(m_outline);
    }
}

void qxButtons_H::PaintBackground(QPainter &p, OleColor fill, OleColor gradient, PaintPass &pass)
{
    if (CustomClickShift()) {
        pass.cont = 0;
        return;
    }
    PrepareShape(p);
    pass.state = pressedAndHovered() ? 2 : (has(DefaultFrame) ? 1 : 0);
    const bool hoverFill =
        has(Hovered) && !(has(Pressed) && m_mode == CommandMode) && !(m_mode != CommandMode && m_value);
    const OleColor colour = hoverFill ? m_hoverFace : fill;
    const int h = height();
    if (m_value || m_shape >= 7 || m_gradientMode == 0) {
        if (m_buttonStyle == 2 && (isEnabled() || m_mode != CommandMode)) {
            for (int y = 0; y < h; ++y) // darkens by 25 from top to bottom
                p.fillRect(0, y, width(), 1, qc(ShiftColor(colour, roundHalfEven(-25.0 / h * y), true)));
        } else {
            p.fillRect(rect(), qc(colour));
        }
    } else if (!has(Hovered) || pressedAndHovered() || m_gradientColor == m_hoverBackColor) {
        PaintGradient(p, colour, gradient == NoLine ? colour : gradient, m_gradientMode, rect());
    } else {
        p.fillRect(rect(), qc(m_hoverFace));
    }
}

void qxButtons_H::PaintGradient(QPainter &p, OleColor from, OleColor to, int mode, const QRect &area)
{
    const bool vertical = mode == 1 || mode == 2; // vertical bands stepping left to right
    const int extent = vertical ? area.width() : area.height();
    const QSize screen =
        QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    const int band = GradientBandSize(vertical ? screen.width() : screen.height(), extent);
    const int bands = (extent + band - 1) / band;
    std::vector<OleColor> table = GradientTable(from, to, bands);
    if (mode == 2 || mode == 4)
        std::reverse(table.begin(), table.end());
    for (int i = 0; i < bands; ++i) {
        const QRect strip = vertical ? QRect(area.left() + i * band, area.top(), band, area.height())
                                     : QRect(area.left(), area.top() + i * band, area.width(), band);
        p.fillRect(strip, qc(table[size_t(i)]));
    }
}

void qxButtons_H::DrawBorderLines(QPainter &p, const Slots &lines)
{
    const int w = width();
    const int h = height();
    const int left = m_bodyLeft;
    const int right = m_bodyRight == 0 ? w : m_bodyRight;
    // The body's outermost pixel at row y, for straight and slanted sides alike.
    auto xl = [&](int y) { return (y * left) / (h + 1); };
    auto xr = [&](int y) { return std::min(w - 1, right + (y * (w - right)) / (h + 1)); };
    auto line = [&](OleColor c, int x1, int y1, int x2, int y2) {
        if (c == NoLine)
            return;
        if (x1 == x2 || y1 == y2) {
            p.fillRect(
                QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
                qc(c));
        } else {
            p.setPen(qc(c));
            p.drawLine(x1, y1, x2, y2);
        }
    };
    for (int path = 0; path < 3; ++path) {
        const int k = 2 - path; // slots 1..4 inset 2, 5..8 inset 1, 9..12 outermost
        const int top = k;
        const int bottom = h - 1 - k;
        if (bottom <= top)
            continue;
        const OleColor *s = &lines[size_t(1 + path * 4)];
        // Each segment owns the corner it starts from: left up, top right, right down, bottom left.
        line(s[0], xl(bottom) + k, bottom, xl(top + 1) + k, top + 1);
        line(s[1], xl(top) + k, top, xr(top) - k - 1, top);
        line(s[2], xr(top) - k, top, xr(bottom - 1) - k, bottom - 1);
        line(s[3], xr(bottom) - k, bottom, xl(bottom) + k + 1, bottom);
    }
}

void qxButtons_H::DrawCaption(QPainter &p, OleColor face, OleColor disabledColor, bool pressedOffset)
{
    QRect caption = m_captionRect;
    QRect picture = m_pictureRect;
    if ((pressedOffset || pressedAndHovered()) && m_buttonStyle != 3) {
        const QPoint offset(m_shape <= 3 ? 1 : 0, 1);
        caption.translate(offset);
        picture.translate(offset);
    }
    if (!(m_shape >= 7 && m_value))
        DrawPicture(p, picture);
    if (m_caption.isEmpty() || (m_shape >= 5 && !m_value))
        return;
    const QString text = QString(m_caption).replace(QLatin1String("||"), QLatin1String("\n"));
    const int align =
        m_captionAlign == 0 ? Qt::AlignLeft : (m_captionAlign == 1 ? Qt::AlignRight : Qt::AlignHCenter);
    const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::AlignTop | align;
    auto draw = [&](OleColor colour, int dx, int dy) {
        p.setPen(qc(colour));
        p.drawText(caption.translated(dx, dy), flags, text);
    };
    if (isEnabled()) {
        const OleColor colour = hoveredUnpressed() ? m_hoverForeColor : m_foreColor;
        if (m_captionStyle == 0) {
            draw(colour, 0, 0);
            return;
        }
        const int sign = m_captionStyle == 1 ? -1 : 1;
        draw(ShiftColor(face, sign * 40), -1, 0);
        draw(ShiftColor(face, -sign * 40), 1, 2);
        draw(colour, 0, 1);
    } else if (disabledColor == NoLine || m_gradientMode != 0) {
        draw(white, 1, 1); // engraved
        draw(grey, 0, 0);
    } else {
        draw(disabledColor, 0, 0);
    }
}

void qxButtons_H::DrawPicture(QPainter &p, QRect target)
{
    if (m_pictureWidth == 0 || m_picture.isNull())
        return;
    if (m_shape >= 7) {
        target = rect();
        if (pressedAndHovered())
            target.adjust(1, 1, -1, -1);
    }
    if (target.isEmpty())
        return;
    QImage sprite;
    if (m_pictureKind == Icon) {
        sprite = m_picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        const QSize built = m_shape >= 7 ? size() : m_pictureRect.size();
        if (m_mask.isNull() || m_mask.size() != built)
            m_mask = PictureMask(m_picture, built);
        QSize requested = m_mask.size();
        if (target.width() < requested.width() || target.height() < requested.height())
            requested = PictureFit(requested, target.size());
        // The top-left colour is transparent: those pixels leave the face as it is.
        sprite = m_mask.scaled(requested, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
        const QRgb transparent = m_mask.pixel(0, 0);
        for (int y = 0; y < sprite.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(sprite.scanLine(y));
            for (int x = 0; x < sprite.width(); ++x)
                if (line[x] == transparent)
                    line[x] = 0;
        }
    }
    if (isEnabled()) {
        p.drawImage(target.topLeft(), sprite);
        return;
    }
    // Disabled: dark parts show grey, white parts leave the face unchanged.
    QImage scratch(target.size(), QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter(&scratch).drawImage(0, 0, sprite);
    QImage work = m_buffer.copy(target);
    RasterOps::bitBlt(work, 0, 0, work.width(), work.height(), scratch, 0, 0, RasterOps::BrushWhereSrcBlack,
                      qRgb(128, 128, 128));
    p.drawImage(target.topLeft(), work);
}

void qxButtons_H::DrawFocusMark(QPainter &p, OleColor color)
{
    if (!has(DefaultFrame) || m_shape > 6 || (m_buttonStyle == 2 && m_shape >= 4))
        return;
    const bool xorMark = color == NoLine;
    p.save();
    p.setClipping(false);
    if (xorMark)
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor pen = xorMark ? QColor(Qt::white) : qc(color);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            p.fillRect(x, y, 1, 1, pen);
    };
    const int w = width();
    const int h = height();
    if (m_shape >= 1 && m_shape <= 3) {
        const int right = m_bodyRight == 0 ? w : m_bodyRight;
        auto xl = [&](int y) { return (y * m_bodyLeft) / (h + 1) + 4; };
        auto xr = [&](int y) { return std::min(w - 1, right + (y * (w - right)) / (h + 1)) - 4; };
        for (int x = xl(4); x <= xr(4); ++x) {
            dot(x, 4);
            dot(x, h - 5);
        }
        for (int y = 5; y < h - 5; y += 2) { // along a 45 degree side x + y keeps its parity
            p.fillRect(xl(y), y, 1, 1, pen);
            p.fillRect(xr(y), y, 1, 1, pen);
        }
    } else {
        QRect mark = m_captionRect.isEmpty()
                         ? m_pictureRect.intersected(rect().adjusted(4, 4, -4, -4))
                         : m_captionRect.adjusted(-2, -1, 2, 1).intersected(rect().adjusted(3, 3, -3, -3));
        if ((m_value || pressedAndHovered()) && m_buttonStyle != 3)
            mark.translate(m_shape <= 3 ? 1 : 0, 1);
        for (int x = mark.left(); x <= mark.right(); ++x) {
            dot(x, mark.top());
            dot(x, mark.bottom());
        }
        for (int y = mark.top() + 1; y < mark.bottom(); ++y) {
            dot(mark.left(), y);
            dot(mark.right(), y);
        }
    }
    p.restore();
}

void qxButtons_H::DrawRegionFrame(OleColor color)
{
    if (color == NoLine)
        return;
    QRegion frame;
    if (m_shape <= 6 || hoveredUnpressed())
        frame = m_outline - m_inner1;
    else if (has(DefaultFrame))
        frame = m_shape == 8 ? m_inner2 - Erode(m_inner2, 1) : m_inner1 - m_inner2;
    else
        return;
    QPainter p(&m_surface);
    p.setClipRegion(frame);
    p.fillRect(rect(), qc(color));
}

void qxButtons_H::cornerPixels(QPainter &p, const std::vector<std::pair<QPoint, OleColor>> &pixels)
{
    for (const auto &[point, colour] : pixels)
        p.fillRect(point.x(), point.y(), 1, 1, qc(colour));
}
