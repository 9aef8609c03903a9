#pragma once

#include <QString>

class QWidget;

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The one way the program asks a person something. The program installs the
// Qt implementation; tests install a scripted double.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const QString &caption, const QString &text, MsgIcon icon,
                           MsgButtons buttons) = 0;

    static MessageBoxes &current();
    // Not owned; nullptr puts the Qt implementation back.
    static void install(MessageBoxes *boxes);
};

class QtMessageBoxes : public MessageBoxes
{
public:
    MsgAnswer show(const QString &caption, const QString &text, MsgIcon icon,
                   MsgButtons buttons) override;
};
