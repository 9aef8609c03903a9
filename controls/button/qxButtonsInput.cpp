// qxButtons_H: mouse, keyboard, focus, access keys, hover tracking, drag and drop, option groups.
#include "controls/button/modQxTimer.h"
#include "controls/button/qxButtons_H.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace {
constexpr short leftButton = 1;
constexpr short keySpace = 32, keyShift = 16, keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40;

bool isArrow(short code)
{
    return code >= keyLeft && code <= keyDown;
}
QByteArray memberKey(int index)
{
    return QByteArray::number(index) + "qx_Obj";
}
} // namespace

short qxButtons_H::vbShift(Qt::KeyboardModifiers modifiers)
{
    return short((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                 (modifiers & Qt::AltModifier ? 4 : 0));
}

short qxButtons_H::vbButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

short qxButtons_H::vbKeyCode(const QKeyEvent *event)
{
    const int key = event->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return short(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return short(112 + key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space:
        return keySpace;
    case Qt::Key_Shift:
        return keyShift;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Left:
        return keyLeft;
    case Qt::Key_Up:
        return keyUp;
    case Qt::Key_Right:
        return keyRight;
    case Qt::Key_Down:
        return keyDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    default:
        return 0;
    }
}

void qxButtons_H::InternalClick()
{
    if (m_lastButton != leftButton)
        return;
    if (m_mode != CommandMode) {
        if (m_mode == OptionMode && m_value)
            return; // already the selected one
        setValue(!m_value);
    }
    emit Click();
}

void qxButtons_H::mouseDownHandling(short button, short shift, QPointF pos)
{
    m_lastButton = button;
    if (button == leftButton) {
        setFlag(Pressed, true);
        m_keyOrMouseDown = true;
        m_delay = false;
        RedrawButton(); // Qt grabs the mouse for us until the release
    }
    emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void qxButtons_H::mousePressEvent(QMouseEvent *event)
{
    m_pressSeen = true;
    m_afterDoubleClick = false;
    mouseDownHandling(vbButton(event->button()), vbShift(event->modifiers()), event->position());
}

void qxButtons_H::mouseReleaseEvent(QMouseEvent *event)
{
    const short button = vbButton(event->button());
    const QPointF pos = event->position();
    m_keyOrMouseDown = false;
    if (button == leftButton) {
        setFlag(Pressed, false);
        m_delay = false;
        if (m_mode == CommandMode)
            RedrawButton();
    }
    emit MouseUp(button, vbShift(event->modifiers()), float(pos.x()), float(pos.y()));
    m_lastButton = button;
    const QRegion area = m_outline.isEmpty() ? QRegion(rect()) : m_outline;
    const bool clicks = m_pressSeen && !m_afterDoubleClick && area.contains(pos.toPoint());
    m_pressSeen = false;
    m_afterDoubleClick = false;
    const bool valueBefore = m_value;
    if (clicks)
        InternalClick();
    if (m_mode != CommandMode && m_value == valueBefore)
        RedrawButton(); // no value change to redraw a released check or option button
}

void qxButtons_H::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    m_pressSeen = true;
    m_afterDoubleClick = true;
    emit DoubleClick(m_lastButton);
    if (m_lastButton == leftButton) {
        mouseDownHandling(leftButton, 0, pos);
        m_lastButton = -1;
    } else {
        emit MouseDown(m_lastButton, 0, float(pos.x()), float(pos.y()));
    }
}

void qxButtons_H::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_timerRunning && QApplication::widgetAt(QCursor::pos()) == this) {
        startHover();
        if (event->buttons() & Qt::LeftButton)
            m_keyOrMouseDown = true;
        RedrawButton();
    }
    const QPointF pos = event->position();
    emit MouseMove(short(vbButton(Qt::LeftButton) * bool(event->buttons() & Qt::LeftButton) |
                         vbButton(Qt::RightButton) * bool(event->buttons() & Qt::RightButton) |
                         vbButton(Qt::MiddleButton) * bool(event->buttons() & Qt::MiddleButton)),
                   vbShift(event->modifiers()), float(pos.x()), float(pos.y()));
}

void qxButtons_H::startHover()
{
    setFlag(Hovered, true);
    emit MouseOnButton(true);
    setProperty("qx_ClassID", QVariant::fromValue(QPointer<qxButtons_H>(this)));
    setProperty("qx_TimerID", modQxTimer::HoverTimerId);
    modQxTimer::SetTimer(this, modQxTimer::HoverTimerId, modQxTimer::HoverInterval);
    m_timerRunning = true;
    m_delay = false;
}

void qxButtons_H::HoverTimerTick(int timerId)
{
    if (QApplication::widgetAt(QCursor::pos()) == this)
        return;
    modQxTimer::KillTimer(this, timerId);
    setFlag(Hovered, false);
    m_timerRunning = false;
    m_delay = false;
    emit MouseOnButton(false);
    m_keyOrMouseDown = false;
    RedrawButton();
}

void qxButtons_H::keyPressEvent(QKeyEvent *event)
{
    short code = vbKeyCode(event);
    const short shift = vbShift(event->modifiers());
    if (isArrow(code)) {
        postArrowToContainer(event->key());
        moveFocusToSibling(code == keyRight || code == keyDown);
        code = 0;
    } else if (code == keySpace && !has(Pressed)) {
        setFlag(Hovered, true);
        m_keyOrMouseDown = true;
        setFlag(Pressed, true);
        RedrawButton();
        if (!m_timerRunning)
            setFlag(Hovered, false);
    }
    if (code != 0)
        emit KeyDown(code, shift);
    if (!event->text().isEmpty())
        emit KeyPress(short(event->text().at(0).unicode()));
    if (isArrow(vbKeyCode(event)) || vbKeyCode(event) == keySpace)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void qxButtons_H::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) // the host raises no key up while a key repeats
        return;
    m_keyOrMouseDown = false;
    short code = vbKeyCode(event);
    const short shift = vbShift(event->modifiers());
    if (code == keySpace && has(Pressed)) {
        setFlag(Pressed, false);
        m_lastButton = leftButton;
        if (m_mode == CommandMode) {
            RedrawButton();
        } else {
            emit KeyUp(code, shift);
            code = 0;
        }
        InternalClick();
    } else if (isArrow(code)) {
        code = 0;
        if (m_mode == OptionMode && !m_value) {
            m_lastButton = leftButton;
            InternalClick();
        }
    } else if (code == keyShift) {
        code = 0;
    }
    if (code != 0)
        emit KeyUp(code, shift);
}

void qxButtons_H::postArrowToContainer(int key)
{
    QWidget *target = container();
    if (!target)
        return;
    // Repeat count 1 and the key's scan code, as the key data of a real key press.
    const quint32 scan = key == Qt::Key_Right  ? 0x4D
                         : key == Qt::Key_Down ? 0x50
                         : key == Qt::Key_Left ? 0x4B
                                               : 0x48;
    const quint32 virtualKey = key == Qt::Key_Right  ? 39
                               : key == Qt::Key_Down ? 40
                               : key == Qt::Key_Left ? 37
                                                     : 38;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, scan, virtualKey,
                                                      0, QString(), false, 1));
}

void qxButtons_H::moveFocusToSibling(bool forward)
{
    // What the container's dialog navigation does on other platforms: the next
    // focusable control of the same container takes the focus.
    QWidget *candidate = forward ? nextInFocusChain() : previousInFocusChain();
    while (candidate && candidate != this) {
        if (candidate->parentWidget() == parentWidget() && candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
    }
}

void qxButtons_H::updateAccessShortcut()
{
    delete m_accessShortcut;
    m_accessShortcut = nullptr;
    if (m_accessKey.isNull() || !m_accessKey.isPrint())
        return;
    const QChar key = m_accessKey.toUpper();
    m_accessShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(key.unicode())), this);
    connect(m_accessShortcut, &QShortcut::activated, this, [this] { AccessKeyPress(m_accessKey.unicode()); });
}

void qxButtons_H::setDefault(bool isDefault)
{
    delete m_defaultShortcut;
    delete m_enterShortcut;
    m_defaultShortcut = m_enterShortcut = nullptr;
    if (!isDefault)
        return;
    m_defaultShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_enterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    for (QShortcut *shortcut : {m_defaultShortcut, m_enterShortcut})
        connect(shortcut, &QShortcut::activated, this, [this] { AccessKeyPress(13); });
}

void qxButtons_H::setCancel(bool isCancel)
{
    delete m_cancelShortcut;
    m_cancelShortcut = nullptr;
    if (!isCancel)
        return;
    m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(m_cancelShortcut, &QShortcut::activated, this, [this] { AccessKeyPress(27); });
}

void qxButtons_H::AccessKeyPress(int keyAscii)
{
    if (!isEnabled())
        return;
    const bool enterOrEscape = keyAscii == 13 || keyAscii == 27;
    if (enterOrEscape && m_mode != CommandMode)
        return;
    if (!enterOrEscape && !has(DefaultFrame))
        RedrawButton();
    m_lastButton = leftButton;
    InternalClick();
}

void qxButtons_H::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!m_ambient)
        AmbientChanged(QStringLiteral("DisplayAsDefault"));
    if (m_mode == OptionMode && !m_value) {
        bool anySelected = false;
        OptionToggle(2, &anySelected);
        if (!anySelected) {
            m_lastButton = leftButton;
            InternalClick();
        }
    }
}

void qxButtons_H::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (!m_ambient)
        AmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void qxButtons_H::OptionToggle(int action, bool *anySelected)
{
    if (anySelected)
        *anySelected = false;
    try {
        QWidget *group = container();
        if (!group)
            return;
        const int count = group->property("qx_OptCount").toInt();
        auto member = [&](int n) { return group->property(memberKey(n)).value<QPointer<qxButtons_H>>(); };
        int own = 0;
        for (int n = 1; n <= count; ++n)
            if (member(n) == this)
                own = n;
        if ((action == 1 || count > 0) && m_value) {
            for (int n = 1; n <= count; ++n)
                if (const QPointer<qxButtons_H> other = member(n); other && other != this)
                    other->setValue(false);
        }
        if (action == 1 && own == 0) { // joining twice would list us twice
            group->setProperty("qx_OptCount", count + 1);
            group->setProperty(memberKey(count + 1), QVariant::fromValue(QPointer<qxButtons_H>(this)));
        } else if (action == -1 && own > 0) { // a non-member leaving must not drop the last member
            for (int n = own; n < count; ++n)
                group->setProperty(memberKey(n), group->property(memberKey(n + 1)));
            group->setProperty(memberKey(count), QVariant());
            group->setProperty("qx_OptCount", count == 1 ? QVariant() : QVariant(count - 1));
        } else if (action == 2 && anySelected) {
            for (int n = 1; n <= count; ++n)
                if (const QPointer<qxButtons_H> other = member(n); other && other->Value())
                    *anySelected = true;
        }
    } catch (...) { // the group routine never reports
    }
}
