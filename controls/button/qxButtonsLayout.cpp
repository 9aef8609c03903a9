// qxButtons_H: where caption and picture go, the picture mask, and the window outline of each shape.
#include "controls/button/qxButtons_H.h"

#include "platform/Twips.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace {
constexpr int textFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;

// Pixels with x + y below `cut` go at each of the four corners.
QRegion cutCorners(const QRect &rect, int cut)
{
    QRegion region(rect);
    for (int y = 0; y < cut; ++y) {
        const int run = cut - y;
        region -= QRegion(rect.left(), rect.top() + y, run, 1);
        region -= QRegion(rect.right() - run + 1, rect.top() + y, run, 1);
        region -= QRegion(rect.left(), rect.bottom() - y, run, 1);
        region -= QRegion(rect.right() - run + 1, rect.bottom() - y, run, 1);
    }
    return region;
}
} // namespace

QSize qxButtons_H::PictureFit(QSize picture, QSize available)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return {0, 0};
    const double scale =
        std::min(double(available.width()) / picture.width(), double(available.height()) / picture.height());
    return {roundHalfEven(picture.width() * scale), roundHalfEven(picture.height() * scale)};
}

int qxButtons_H::WidenForSlant(int width, int height)
{
    const int slant = height + 1;
    if (width - slant > 4)
        return width;
    const int steps = (slant + 4 - width) / 5 + 1;
    return width + 5 * steps;
}

qxButtons_H::Span qxButtons_H::UsableSpan(int shape, int width, int bodyLeft, int bodyRight)
{
    const int leftStart = bodyLeft - bodyLeft / 3 + 3; // a third into the slant, plus 3
    const int rightEnd = bodyRight + (width - bodyRight) / 3;
    switch (shape) {
    case 1:
        return {leftStart, width - leftStart, width};
    case 2:
        return {0, rightEnd, rightEnd};
    case 3:
        return {leftStart, rightEnd - leftStart, rightEnd};
    case 7:
    case 8:
        return {3, bodyRight - 3, bodyRight - 3};
    default:
        return {0, bodyRight, width};
    }
}

QImage qxButtons_H::PictureMask(const QImage &picture, QSize size)
{
    if (picture.isNull() || size.width() <= 0 || size.height() <= 0)
        return {};
    QImage mask = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    const QRgb background = mask.pixel(0, 0);
    auto near = [](int a, int b) { return std::abs(a - b) <= 3; };
    for (int y = 0; y < mask.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            const QRgb c = line[x];
            if (near(qRed(c), qRed(background)) && near(qGreen(c), qGreen(background)) &&
                near(qBlue(c), qBlue(background)))
                line[x] = background;
        }
    }
    return mask;
}

QRegion qxButtons_H::OpaqueRegion(const QImage &mask)
{
    if (mask.isNull())
        return {};
    const QRgb background = mask.pixel(0, 0);
    std::vector<QRect> runs;
    for (int y = 0; y < mask.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            while (x < mask.width() && line[x] == background)
                ++x;
            const int start = x;
            while (x < mask.width() && line[x] != background)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

QRegion qxButtons_H::Erode(const QRegion &region, int pixels)
{
    // Each pass keeps the pixels whose eight neighbours are all inside.
    QRegion result = region;
    for (int pass = 0; pass < pixels; ++pass) {
        QRegion next = result;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy)
                    next &= result.translated(dx, dy);
        result = next;
    }
    return result;
}

void qxButtons_H::CalcLayout(bool rebuildMask)
{
    const int w = width();
    const int h = height();
    const Span span = UsableSpan(m_shape, w, m_bodyLeft, m_bodyRight == 0 ? w : m_bodyRight);
    const int ps = PicturePixels();
    const bool picture = m_pictureWidth > 0;
    const bool inLayout = picture && ps <= 32 && m_shape <= 6;
    const bool beside = inLayout && m_pictureAlign <= 3;
    const bool stacked = inLayout && m_pictureAlign >= 4;

    QSize text;
    if (!m_caption.isEmpty()) {
        const int mw = std::max(1, span.w - (beside ? ps : 0) - 8);
        const int mh = std::max(1, h - 8 - (stacked ? ps : 0));
        text = QFontMetrics(m_drawFont)
                   .boundingRect(QRect(0, 0, mw, mh), textFlags,
                                 QString(m_caption).replace(QLatin1String("||"), QLatin1String("\n")))
                   .size();
        if (m_captionStyle != 0)
            text += QSize(2, 2);
    }
    const int cw = text.width();
    const int ch = text.height();
    const int left = span.x0 + 4;
    const int right = span.xr - 4;
    const int centred = span.x0 + (span.w - cw) / 2;
    int cx = m_captionAlign == 0 ? left : (m_captionAlign == 1 ? right - cw : centred);
    int cy = (h - ch) / 2;
    QRect pic;

    if (beside) {
        int align = m_pictureAlign;
        if (m_caption.isEmpty() && (align == 1 || align == 3))
            align = align == 1 ? 0 : 2; // next to nothing: at the edge
        const int group = ps + 4 + cw;
        int px = 0;
        switch (align) {
        case 0:
            px = left;
            cx = m_captionAlign == 2 ? std::max(px + ps + 4, centred)
                                     : (m_captionAlign == 0 ? px + ps + 4 : cx);
            break;
        case 2:
            px = right - ps;
            cx = m_captionAlign == 2 ? std::min(px - 4 - cw, centred)
                                     : (m_captionAlign == 1 ? px - 4 - cw : cx);
            break;
        case 1:
            px = m_captionAlign == 0 ? left
                                     : (m_captionAlign == 1 ? right - group : span.x0 + (span.w - group) / 2);
            cx = px + ps + 4;
            break;
        default:
            cx = m_captionAlign == 0 ? left
                                     : (m_captionAlign == 1 ? right - group : span.x0 + (span.w - group) / 2);
            px = cx + cw + 4;
            break;
        }
        pic = QRect(px, (h - ps) / 2, ps, ps);
    } else if (stacked) {
        cx = centred;
        const int total = ps + (ch > 0 ? 2 + ch : 0);
        const int top = (h - total) / 2;
        const int px = span.x0 + (span.w - ps) / 2;
        if (m_pictureAlign == 4) {
            pic = QRect(px, top, ps, ps);
            cy = top + ps + 2;
        } else {
            cy = top;
            pic = QRect(px, top + (ch > 0 ? ch + 2 : 0), ps, ps);
        }
    } else if (picture) {
        if (m_shape >= 7) {
            pic = rect();
        } else if (ps == 40) {
            const int inset = m_shape == 6 ? 1 : 3;
            pic = rect().adjusted(inset, inset, -inset, -inset);
        } else {
            const QSize fit = PictureFit({m_pictureWidth, m_pictureHeight}, {w - 12, h - 12});
            pic = QRect((w - fit.width()) / 2, (h - fit.height()) / 2, fit.width(), fit.height());
        }
    }
    m_captionRect = QRect(cx, cy, cw, ch);
    m_pictureRect = pic;
    if (rebuildMask && m_shape < 7)
        m_mask = QImage(); // drawn again at the new size on the next pass
}

int qxButtons_H::cornerCut() const
{
    switch (m_buttonStyle) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 3:
        return isEnabled() ? 1 : 0;
    case 7:
        return 2;
    default:
        return 0;
    }
}

void qxButtons_H::buildSlantedOutline()
{
    int w = width();
    const int h = height();
    const int widened = WidenForSlant(w, h);
    if (widened != w) {
        resize(widened, h);
        w = widened;
    }
    const int slant = h + 1;
    m_bodyLeft = (m_shape == 1 || m_shape == 3) ? slant : 0;
    m_bodyRight = (m_shape == 2 || m_shape == 3) ? w - slant : w;
    const QPolygon polygon(
        {QPoint(0, 0), QPoint(m_bodyLeft, h + 1), QPoint(w + 1, h + 1), QPoint(m_bodyRight + 1, 0)});
    m_outline = QRegion(polygon) & QRegion(0, 0, w, h);
}

void qxButtons_H::buildCustomOutline()
{
    if (m_pictureWidth == 0 || m_pictureKind == Icon)
        return;
    const QSize fit = PictureFit({m_pictureWidth, m_pictureHeight}, size());
    if (fit.isEmpty())
        return;
    if (fit != size())
        resize(fit);
    m_mask = PictureMask(m_picture, fit);
    m_outline = OpaqueRegion(m_mask);
    if (m_outline.isEmpty())
        m_outline = QRegion(rect());
}

void qxButtons_H::BuildOutline()
{
    m_buildingOutline = true;
    const bool delayed = m_delay;
    m_delay = true;
    m_bodyLeft = 0;
    m_bodyRight = 0;
    const QRect client = rect();
    if (m_shape == 0) {
        m_outline = cutCorners(client, cornerCut());
    } else if (m_shape <= 3) {
        buildSlantedOutline();
    } else if (m_shape <= 6) {
        m_outline = QRegion(client, QRegion::Ellipse);
    } else {
        m_outline = QRegion(client);
        buildCustomOutline();
    }
    if (m_shape >= 4 && m_shape <= 6) {
        m_inner1 = QRegion(client.adjusted(1, 1, -1, -1), QRegion::Ellipse);
        m_inner2 = QRegion(client.adjusted(2, 2, -2, -2), QRegion::Ellipse);
    } else {
        m_inner1 = Erode(m_outline, 1);
        m_inner2 = Erode(m_outline, 2);
    }
    if (m_bodyRight == 0)
        m_bodyRight = width();
    m_width = width();
    m_height = height();
    setMask(m_outline);
    m_delay = delayed;
    m_buildingOutline = false;
}
