#include "tests/support/ScriptedMessageBoxes.h"

MsgAnswer ScriptedMessageBoxes::show(const QString &caption, const QString &text, MsgIcon icon,
                                     MsgButtons buttons)
{
    shown.append({caption, text, icon, buttons});
    if (!m_answers.empty()) {
        const MsgAnswer next = m_answers.front();
        m_answers.pop_front();
        return next;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
}
