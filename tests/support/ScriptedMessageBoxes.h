#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <deque>

// Stands in for the person in front of the message boxes: records each box and
// gives the answers the test queued (the first button when none is queued).
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString caption;
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    ScriptedMessageBoxes() { MessageBoxes::install(this); }
    ~ScriptedMessageBoxes() override { MessageBoxes::install(nullptr); }

    MsgAnswer show(const QString &caption, const QString &text, MsgIcon icon, MsgButtons buttons) override;
    void answer(MsgAnswer next) { m_answers.push_back(next); }

    QList<Shown> shown;

private:
    std::deque<MsgAnswer> m_answers;
};
