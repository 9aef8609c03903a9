#include "app/LevelDisplay.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {
int pixelOf(double units, double unitsSpan, int pixelSpan)
{
    if (unitsSpan <= 0)
        return 0;
    return int(std::floor(units * pixelSpan / unitsSpan));
}

int drawOneToTen() { return int(QRandomGenerator::global()->bounded(10)) + 1; }
} // namespace

double nextBarLevel(double level, int draw, double height)
{
    if (draw % 2 == 0)
        return std::max(0.0, level - draw);
    return std::min(height, level + draw);
}

OleColor barColor(int bar, double colorStep)
{
    const double v = (bar + 5) * colorStep;
    auto component = [](double c) { return int(std::clamp(c, 0.0, 255.0)); };
    return oleRgb(component(v + 30), component(v + 80), component(v - 50));
}

QRect drawboxPixels(double boxLeft, double boxWidth, double value, const LevelScale &scale)
{
    const long columns = std::lround(boxWidth);
    const double top = scale.height / 100.0 * value;
    if (columns < 1 || top >= scale.height)
        return {};
    // The vertical lines at boxLeft + 1 ... boxLeft + columns, from `top` down to the bottom.
    const int left = std::max(0, pixelOf(boxLeft + 1, scale.width, scale.pixelWidth));
    const int right = std::min(scale.pixelWidth - 1,
                               pixelOf(boxLeft + double(columns), scale.width, scale.pixelWidth));
    const int topRow = std::max(0, pixelOf(top, scale.height, scale.pixelHeight));
    if (right < left || topRow >= scale.pixelHeight)
        return {};
    return QRect(QPoint(left, topRow), QPoint(right, scale.pixelHeight - 1));
}

std::vector<int> segmentLineRows(const LevelScale &scale)
{
    std::vector<int> rows;
    for (double y = 1; y <= scale.height; y += 75) {
        const int row = pixelOf(y, scale.height, scale.pixelHeight);
        if (row < scale.pixelHeight && (rows.empty() || rows.back() != row))
            rows.push_back(row);
    }
    return rows;
}

void LevelDisplay::reset(const LevelScale &scale)
{
    m_scale = scale;
    m_barCount = 10;
    m_barWidth = float(scale.width / m_barCount);
    m_levels.fill(50.0f);
}

void LevelDisplay::tick(QImage &surface, OleColor background)
{
    m_colorStep = 255.0f / float(m_barCount + 5);
    surface.fill(toQColor(background));
    for (m_barIndex = 0; m_barIndex < m_barCount; ++m_barIndex) {
        const int draw = m_draw ? m_draw() : drawOneToTen();
        float &level = m_levels[m_barIndex];
        level = float(nextBarLevel(level, draw, m_scale.height));
        Drawbox(surface, float(m_barIndex) * m_barWidth, m_barWidth,
                barColor(m_barIndex, m_colorStep), level, m_barIndex);
    }
    const QRgb lineColor = toQColor(background).rgb();
    for (int row : segmentLineRows(m_scale)) {
        if (row < surface.height())
            std::fill_n(reinterpret_cast<QRgb *>(surface.scanLine(row)), surface.width(), lineColor);
    }
}

void LevelDisplay::Drawbox(QImage &surface, float boxLeft, float boxWidth, OleColor boxColor,
                           float value, qint16 /*index*/) const
{
    const QRect box = drawboxPixels(boxLeft, boxWidth, value, m_scale) & surface.rect();
    if (box.isEmpty())
        return;
    const QRgb color = toQColor(boxColor).rgb();
    for (int y = box.top(); y <= box.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(surface.scanLine(y)) + box.left(), box.width(), color);
}
