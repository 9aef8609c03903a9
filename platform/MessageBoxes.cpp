#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageBoxes *installedBoxes = nullptr;

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MsgAnswer fromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Ok;
    }
}
} // namespace

MessageBoxes &MessageBoxes::current()
{
    static QtMessageBoxes qtBoxes;
    return installedBoxes ? *installedBoxes : qtBoxes;
}

void MessageBoxes::install(MessageBoxes *boxes) { installedBoxes = boxes; }

MsgAnswer QtMessageBoxes::show(const QString &caption, const QString &text, MsgIcon icon,
                               MsgButtons buttons)
{
    QMessageBox box(toQtIcon(icon), caption, text, toQtButtons(buttons),
                    QApplication::activeWindow());
    return fromQtButton(box.exec());
}
