#pragma once

#include <QAccessibleWidget>

// What a screen reader learns of a button drawn by the program itself: a push,
// check or option button, named by its caption or, without one, by its tip, and
// pressed or toggled through the control's own click while it is enabled.
class AccessibleButton : public QAccessibleWidget
{
public:
    explicit AccessibleButton(QWidget *button);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

protected:
    enum class Kind { Push, Check, Option };
    virtual Kind kind() const = 0;
    virtual QString caption() const = 0; // as shown, without access-key marks
    virtual bool checked() const = 0;
    virtual void press() = 0; // the control refuses it while disabled
};
