#pragma once

#include "platform/AccessibleButton.h"

class UcCmd;

// A skin-picture button as a screen reader meets it: a push, check or option
// button by its style, pressed as a click would.
class UcCmdAccessible : public AccessibleButton
{
public:
    explicit UcCmdAccessible(UcCmd *button);

    // Makes every picture button answer for itself; installing twice is harmless.
    static void install();

protected:
    Kind kind() const override;
    QString caption() const override;
    bool checked() const override;
    void press() override;

private:
    UcCmd *button() const;
};
