#pragma once

#include <QEvent>

// What a window receives before it is moved or resized by a drag, so that it can
// refuse: an event filter that eats the event after calling ignore() refuses it.
class SystemCommandEvent : public QEvent
{
public:
    static constexpr int SizeCommand = 0xF000; // plus the border code 1 to 8 of the edge
    static constexpr int MoveCommand = 0xF010; // plus 2, the caption code, for a drag by the band

    explicit SystemCommandEvent(int command) : QEvent(eventType()), m_command(command) { setAccepted(true); }

    int command() const { return m_command; }
    bool isSizeCommand() const { return (m_command & 0xFFF0) == SizeCommand; }
    static QEvent::Type eventType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

private:
    int m_command;
};
