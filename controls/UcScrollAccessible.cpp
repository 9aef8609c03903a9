#include "controls/UcScrollAccessible.h"

#include "controls/UcScroll.h"

namespace {
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String("UcScroll") || !object || !object->isWidgetType())
        return nullptr;
    return new UcScrollAccessible(static_cast<UcScroll *>(object));
}
} // namespace

UcScrollAccessible::UcScrollAccessible(UcScroll *slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

void UcScrollAccessible::install()
{
    QAccessible::installFactory(makeInterface);
}

UcScroll *UcScrollAccessible::slider() const
{
    return static_cast<UcScroll *>(widget());
}

void *UcScrollAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString UcScrollAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(slider()->Value());
    return QAccessibleWidget::text(t);
}

QStringList UcScrollAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (slider()->isEnabled())
        names = QStringList{increaseAction(), decreaseAction()} + names;
    return names;
}

void UcScrollAccessible::doAction(const QString &actionName)
{
    if (!slider()->isEnabled())
        return;
    if (actionName == increaseAction())
        slider()->Increase();
    else if (actionName == decreaseAction())
        slider()->Decrease();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList UcScrollAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == increaseAction())
        return {QStringLiteral("Right")};
    if (actionName == decreaseAction())
        return {QStringLiteral("Left")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

QVariant UcScrollAccessible::currentValue() const
{
    return slider()->Value();
}

void UcScrollAccessible::setCurrentValue(const QVariant &value)
{
    if (slider()->isEnabled())
        slider()->setValue(value.toInt()); // clamps to the range
}

QVariant UcScrollAccessible::maximumValue() const
{
    return slider()->Max();
}
QVariant UcScrollAccessible::minimumValue() const
{
    return slider()->Min();
}
QVariant UcScrollAccessible::minimumStepSize() const
{
    return slider()->SmallChange();
}
