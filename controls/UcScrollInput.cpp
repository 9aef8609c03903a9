// The pointer and the auto-repeat timer of UcScroll.
#include "controls/UcScroll.h"

#include "platform/ReportError.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
const QString Module = QStringLiteral("UcScroll");
}

UcScroll::Element UcScroll::elementAt(QPointF inner) const
{
    if (ImgThumb().contains(inner))
        return Element::Thumb;
    if (ImgRight().contains(inner))
        return Element::Trailing;
    if (ImgLeft().contains(inner))
        return Element::Leading;
    return Element::None;
}

// An element that is pressed keeps the pointer until every button is up, as a
// captured image would.
void UcScroll::mousePressEvent(QMouseEvent *event)
{
    if (m_pressed != Element::None)
        return;
    const QPointF inner = event->position() - contentsRect().topLeft();
    m_pressed = elementAt(inner);
    switch (m_pressed) {
    case Element::Thumb:
        ImgThumb_MouseDown(inner - ImgThumb().topLeft());
        break;
    case Element::Leading:
    case Element::Trailing:
        arrowDown(m_pressed);
        break;
    case Element::None:
        UserControl_MouseDown(inner);
        break;
    }
}

void UcScroll::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed == Element::Thumb)
        ImgThumb_MouseMove(event->position() - contentsRect().topLeft() - ImgThumb().topLeft());
}

void UcScroll::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        return;
    const Element released = std::exchange(m_pressed, Element::None);
    const QPointF inner = event->position() - contentsRect().topLeft();
    if (released == Element::Thumb) {
        m_dragging = false;
    } else if (released == Element::Leading || released == Element::Trailing) {
        arrowUp(released);
        const QRectF box = released == Element::Leading ? ImgLeft() : ImgRight();
        if (box.contains(inner)) // a click only when released over the arrow
            arrowClick(released);
    }
}

void UcScroll::arrowDown(Element arrow)
{
    setArrowPicture(arrow, true);
    m_repeatUp = arrow == Element::Trailing;
    m_clickTimer.setInterval(333);
    m_clickTimer.start();
    m_ticks = 0;
}

void UcScroll::arrowUp(Element arrow)
{
    m_clickTimer.stop();
    setArrowPicture(arrow, false);
}

void UcScroll::arrowClick(Element arrow)
{
    stepBy(arrow == Element::Trailing ? m_smallChange : -qint64(m_smallChange));
}

void UcScroll::stepBy(qint64 delta)
{
    setValue(ScrollGeometry::addClamped(m_value, delta));
}

void UcScroll::ClickTimer_Timer()
{
    runReported("ClickTimer_Timer", Module, [this] {
        stepBy(m_repeatUp ? m_smallChange : -qint64(m_smallChange));
        ++m_ticks;
        if (m_ticks > 3)
            m_clickTimer.setInterval(3);
    });
}

void UcScroll::UserControl_MouseDown(QPointF inner)
{
    runReported("UserControl_MouseDown", Module, [this, inner] {
        const double pointer = isHorizontal() ? inner.x() : inner.y();
        stepBy(pointer > m_thumbEdge ? m_largeChange : -qint64(m_largeChange));
    });
}

void UcScroll::ImgThumb_MouseDown(QPointF inThumb)
{
    runReported("ImgThumb_MouseDown", Module, [this, inThumb] {
        m_dragging = true;
        if (isHorizontal())
            m_grabX = roundHalfEven(inThumb.x());
        else
            m_grabY = roundHalfEven(inThumb.y());
        m_lastThumb = roundHalfEven(m_thumbEdge);
    });
}

void UcScroll::ImgThumb_MouseMove(QPointF inThumb)
{
    runReported("ImgThumb_MouseMove", Module, [this, inThumb] {
        if (!m_dragging)
            return;
        const bool h = isHorizontal();
        const int d = roundHalfEven(ScrollGeometry::leadingBound(h, m_elements));
        const int f = roundHalfEven(ScrollGeometry::trailingBound(h, m_elements));
        const double pointer = h ? inThumb.x() : inThumb.y();
        int t = roundHalfEven(pointer + m_thumbEdge - (h ? m_grabX : m_grabY));
        t = std::max(std::min(t, f), d);
        if (t == m_lastThumb)
            return;
        setThumbLeadingEdge(t);
        m_lastThumb = t;
        setValue(ScrollGeometry::dragValue(t, d, f, m_min, m_max));
        emit Scroll();
    });
}

void UcScroll::Increase()
{
    stepBy(m_smallChange);
}
void UcScroll::Decrease()
{
    stepBy(-qint64(m_smallChange));
}

// The keys of a slider: arrows a small change, page keys a large one, Home and End the ends.
void UcScroll::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        Increase();
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        Decrease();
        break;
    case Qt::Key_PageUp:
        stepBy(m_largeChange);
        break;
    case Qt::Key_PageDown:
        stepBy(-qint64(m_largeChange));
        break;
    case Qt::Key_Home:
        setValue(m_min);
        break;
    case Qt::Key_End:
        setValue(m_max);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void UcScroll::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    compose();
}

void UcScroll::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    compose();
}
