#include "controls/button/qxButtonsAccessible.h"

#include "controls/button/qxButtons_H.h"

namespace {
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String("qxButtons_H") || !object || !object->isWidgetType())
        return nullptr;
    return new qxButtonsAccessible(static_cast<qxButtons_H *>(object));
}

// "&&" shows one ampersand; a single one only marks the access key.
QString withoutAccessMark(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption.at(i);
    }
    return shown;
}
} // namespace

qxButtonsAccessible::qxButtonsAccessible(qxButtons_H *button) : AccessibleButton(button) {}

void qxButtonsAccessible::install()
{
    QAccessible::installFactory(makeInterface);
}

qxButtons_H *qxButtonsAccessible::button() const
{
    return static_cast<qxButtons_H *>(widget());
}

QString qxButtonsAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Accelerator && !button()->AccessKey().isNull())
        return QStringLiteral("Alt+") + button()->AccessKey().toUpper();
    return AccessibleButton::text(t);
}

QAccessible::State qxButtonsAccessible::state() const
{
    QAccessible::State s = AccessibleButton::state();
    s.pressed = (button()->stateFlags() & qxButtons_H::Pressed) != 0;
    return s;
}

AccessibleButton::Kind qxButtonsAccessible::kind() const
{
    switch (button()->Mode()) {
    case qxButtons_H::CheckMode:
        return Kind::Check;
    case qxButtons_H::OptionMode:
        return Kind::Option;
    default:
        return Kind::Push;
    }
}

QString qxButtonsAccessible::caption() const
{
    return withoutAccessMark(button()->Caption());
}
bool qxButtonsAccessible::checked() const
{
    return button()->Value();
}
// The access key's path: refused while disabled, then the click.
void qxButtonsAccessible::press()
{
    button()->AccessKeyPress(' ');
}
