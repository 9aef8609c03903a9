#pragma once

#include <QAccessibleWidget>

class UcScroll;

// A skinned scroll bar as a screen reader meets it: a slider with its value,
// its range and its step, moved up or down one small change at a time.
class UcScrollAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit UcScrollAccessible(UcScroll *slider);

    // Makes every skinned slider answer for itself; installing twice is harmless.
    static void install();

    void *interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    UcScroll *slider() const;
};
