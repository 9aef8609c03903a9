#include "controls/UcCmdAccessible.h"

#include "controls/UcCmd.h"

namespace {
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String("UcCmd") || !object || !object->isWidgetType())
        return nullptr;
    return new UcCmdAccessible(static_cast<UcCmd *>(object));
}
} // namespace

UcCmdAccessible::UcCmdAccessible(UcCmd *button) : AccessibleButton(button) {}

void UcCmdAccessible::install()
{
    QAccessible::installFactory(makeInterface);
}

UcCmd *UcCmdAccessible::button() const
{
    return static_cast<UcCmd *>(widget());
}

AccessibleButton::Kind UcCmdAccessible::kind() const
{
    switch (button()->Style()) {
    case 5:
        return Kind::Check;
    case 6:
        return Kind::Option;
    default:
        return Kind::Push;
    }
}

QString UcCmdAccessible::caption() const
{
    return button()->Caption();
}
bool UcCmdAccessible::checked() const
{
    return button()->Value();
}
void UcCmdAccessible::press()
{
    button()->Press();
}
