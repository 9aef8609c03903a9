#include "platform/AccessibleButton.h"

#include <QWidget>

AccessibleButton::AccessibleButton(QWidget *button) : QAccessibleWidget(button, QAccessible::Button) {}

QAccessible::Role AccessibleButton::role() const
{
    switch (kind()) {
    case Kind::Check:
        return QAccessible::CheckBox;
    case Kind::Option:
        return QAccessible::RadioButton;
    default:
        return QAccessible::Button;
    }
}

QString AccessibleButton::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        return caption().isEmpty() ? widget()->toolTip() : caption();
    case QAccessible::Description:
        return widget()->accessibleDescription().isEmpty() ? widget()->toolTip()
                                                           : widget()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleButton::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (kind() != Kind::Push) {
        s.checkable = true;
        s.checked = checked();
    }
    return s;
}

QStringList AccessibleButton::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(kind() == Kind::Push ? pressAction() : toggleAction());
    return names;
}

void AccessibleButton::doAction(const QString &actionName)
{
    if (actionName == pressAction() || actionName == toggleAction())
        press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleButton::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction() || actionName == toggleAction())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
