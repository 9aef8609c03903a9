#pragma once

#include "platform/SystemColors.h"

#include <QImage>
#include <QRect>
#include <array>
#include <functional>
#include <vector>

// How the level display's drawing units (twips) map onto its surface's pixels.
struct LevelScale
{
    double width = 0;  // in drawing units
    double height = 0; // in drawing units
    int pixelWidth = 0;
    int pixelHeight = 0;
};

// One step of a bar's level: an even draw lowers it (not below 0), an odd one raises it
// (not above the display's height).
double nextBarLevel(double level, int draw, double height);
// Bar b's colour: v = (b + 5) * colorStep, then (v + 30, v + 80, v - 50), each kept in 0..255.
OleColor barColor(int bar, double colorStep);
// The pixels one Drawbox call covers; empty when the level is 100 or more.
QRect drawboxPixels(double boxLeft, double boxWidth, double value, const LevelScale &scale);
// The pixel rows of the lines that cut the bars into segments: y = 1, 76, 151 ... up to the height.
std::vector<int> segmentLineRows(const LevelScale &scale);

// The small animated level display: ten bars that wander at random on every tick.
class LevelDisplay
{
public:
    static constexpr int MaxBars = 100;

    // Starting values: ten bars across the display's width, every level at 50.
    void reset(const LevelScale &scale);
    // Clears the surface to `background`, moves and draws every bar, then the segment lines.
    void tick(QImage &surface, OleColor background);
    void Drawbox(QImage &surface, float boxLeft, float boxWidth, OleColor boxColor, float value,
                 qint16 index) const;

    int barCount() const { return m_barCount; }
    float barWidth() const { return m_barWidth; }
    float colorStep() const { return m_colorStep; }
    float level(int bar) const { return m_levels.at(bar); }
    void setLevel(int bar, float level) { m_levels.at(bar) = level; }
    // Draws one number from 1 to 10; tests give their own sequence.
    void setDrawSource(std::function<int()> source) { m_draw = std::move(source); }

private:
    LevelScale m_scale;
    int m_barCount = 10;
    float m_barWidth = 0;
    float m_colorStep = 0;
    std::array<float, MaxBars> m_levels{};
    qint16 m_barIndex = 0;
    std::function<int()> m_draw;
};
