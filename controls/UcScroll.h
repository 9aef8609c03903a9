#pragma once

#include "controls/ScrollGeometry.h"
#include "platform/PropertyBag.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class ClsPictureDC;

// A scroll bar drawn from skin pieces: two arrows and a thumb over a tiled track.
// The main window uses two as its speed and pitch sliders. The smaller value is at
// the leading end (left, or top). Inside the control everything is in pixels of its
// inner area; the element boxes are kept fractional and rounded only to draw.
class UcScroll : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qint32 Value READ Value WRITE setValue NOTIFY Change)

public:
    enum class Element { None, Leading, Trailing, Thumb };

    explicit UcScroll(QWidget *parent = nullptr);
    ~UcScroll() override;

    qint32 Value() const { return m_value; }
    void setValue(qint32 value); // clamps; always raises Change
    qint32 Min() const { return m_min; }
    void setMin(qint32 value);
    qint32 Max() const { return m_max; }
    void setMax(qint32 value);
    qint32 SmallChange() const { return m_smallChange; }
    void setSmallChange(qint32 value); // outside 1..32767 ignored
    qint32 LargeChange() const { return m_largeChange; }
    void setLargeChange(qint32 value);
    qint16 Orientation() const { return m_orientation; }
    void setOrientation(qint16 value); // 0 horizontal, anything else vertical
    qint16 BorderStyle() const { return m_bordered ? 1 : 0; }
    void setBorderStyle(qint16 value); // 0 none, 1 single line; no layout by itself

    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    // The procedures of the control; each catches and reports its own failures.
    void PositionThumb();
    void UserResize();
    void Repaint();
    void GetThePict();
    void ClickTimer_Timer(); // one tick of the arrow auto-repeat
    // One small change up or down, as an arrow click; for the keyboard and screen readers.
    void Increase();
    void Decrease();

    // Element boxes in inner pixels, as the pointer meets them.
    QRectF ImgLeft() const { return m_elements.leading; }
    QRectF ImgRight() const { return m_elements.trailing; }
    QRectF ImgThumb() const;
    bool isHorizontal() const { return m_orientation == 0; }
    bool isDragging() const { return m_dragging; }
    const QTimer &clickTimer() const { return m_clickTimer; }
    // What is on screen: the track and the three images, inner pixels.
    const QImage &surface() const { return m_surface; }
    QSize innerSize() const { return contentsRect().size(); }

signals:
    void Change();
    void Scroll();
    void PropertyChanged(const QString &name); // the form must be saved again

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    enum Slot { TrackTile, LeadCap, EndCap };

    // Pointer handlers (UcScrollInput.cpp); positions in inner pixels.
    Element elementAt(QPointF inner) const;
    void arrowDown(Element arrow);
    void arrowUp(Element arrow);
    void arrowClick(Element arrow);
    void ImgThumb_MouseDown(QPointF inThumb);
    void ImgThumb_MouseMove(QPointF inThumb);
    void UserControl_MouseDown(QPointF inner);
    void UserControl_Resize();
    void stepBy(qint64 delta);

    void loadPiece(Slot slot, const QString &name);
    bool piecesLoaded() const;
    const QImage &piece(Slot slot) const;
    void setArrowPicture(Element arrow, bool pressed);
    double thumbLeadingEdge() const { return m_thumbEdge; }
    void setThumbLeadingEdge(double edge);
    void compose();
    void drawFocusMark();

    qint32 m_value = 0;
    qint32 m_min = 0;
    qint32 m_max = 100;
    qint32 m_smallChange = 1;
    qint32 m_largeChange = 10;
    qint16 m_orientation = 0;
    bool m_bordered = false;

    bool m_repeatUp = false;
    qint32 m_ticks = 0;
    bool m_dragging = false;
    qint32 m_grabX = 0;
    qint32 m_grabY = 0;
    qint32 m_lastThumb = 0;
    bool m_painting = false;
    Element m_pressed = Element::None;

    QTimer m_clickTimer;
    std::array<std::unique_ptr<ClsPictureDC>, 3> m_pieces;
    QImage m_leadPicture, m_trailPicture, m_thumbPicture;
    ScrollGeometry::Elements m_elements;
    double m_thumbEdge = 0;
    QImage m_track;   // what Repaint drew: background, tiles and caps
    QImage m_surface; // the track with the images on top
};
