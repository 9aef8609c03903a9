#pragma once

#include <QObject>

// While it lives, the application takes no input from the person (mouse, keys, wheel,
// touch, closing windows) but keeps handling everything else, so windows keep painting
// and timers keep running. Swallowed input is dropped, not replayed afterwards.
class UserInputBlocker : public QObject
{
    Q_OBJECT
public:
    UserInputBlocker();
    ~UserInputBlocker() override;

    static bool isUserInput(int eventType);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
