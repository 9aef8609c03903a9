#pragma once

#include "platform/AccessibleButton.h"

class qxButtons_H;

// A styled button as a screen reader meets it: a push, check or option button by
// its mode, pressed through the same path as its access key.
class qxButtonsAccessible : public AccessibleButton
{
public:
    explicit qxButtonsAccessible(qxButtons_H *button);

    // Makes every styled button answer for itself; installing twice is harmless.
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

protected:
    Kind kind() const override;
    QString caption() const override;
    bool checked() const override;
    void press() override;

private:
    qxButtons_H *button() const;
};
