#pragma once

class QWidget;

// The styled buttons' hover timer, and the procedure with which the main window
// refuses to be resized.
class modQxTimer
{
public:
    static constexpr int HoverTimerId = 237;
    static constexpr int HoverInterval = 50; // milliseconds

    // A timer on `window` that calls TimerProc(window) every `interval` ms until killed.
    static void SetTimer(QWidget *window, int id, int interval);
    static void KillTimer(QWidget *window, int id);
    static bool TimerRunning(const QWidget *window, int id);
    // Hands the tick to the button named by the window's "qx_ClassID" and "qx_TimerID".
    static void TimerProc(QWidget *window);

    // From now on the window refuses the size command (every other command passes);
    // the refusal goes when the window is destroyed or released.
    static void FixWindowSize(QWidget *window);
    static void ReleaseWindowSize(QWidget *window);
    static bool WindowSizeFixed(const QWidget *window);
};
