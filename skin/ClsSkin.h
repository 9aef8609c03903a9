#pragma once

#include "skin/ClsPictureDC.h"
#include "skin/SkinnedWindow.h"

#include <QObject>
#include <QPointer>
#include <array>

// Gives one window a skin: a tiled background and, on a borderless window, a frame of
// edge and corner pieces; lets the user move and resize the borderless window by its edges
// and a band below the top; shows, places and enables the caption controls it finds among
// the window's controls by their "Tag" property.
class ClsSkin : public QObject
{
    Q_OBJECT
public:
    // The nine holders, in the order SetFrmPict loads them.
    enum Piece {
        Background,
        TopLeft,
        TopRight,
        BottomLeft,
        BottomRight,
        TopForm,
        BottomForm,
        RightForm,
        LeftForm
    };
    static constexpr int PieceCount = 9;
    static const char *pieceName(Piece piece);

    explicit ClsSkin(QObject *parent = nullptr);

    SkinnedWindow *TheForm() const { return m_form; }
    // Connects the skin to the window's Paint, Resize, MouseMove and MouseDown events.
    void setTheForm(SkinnedWindow *form);

    bool MinimiseAllow() const { return m_minimiseAllow; }
    void setMinimiseAllow(bool allow);
    bool CloseButtonAllow() const { return m_closeButtonAllow; }
    void setCloseButtonAllow(bool allow);
    bool ResizeFormAllow() const { return m_resizeFormAllow; }
    void setResizeFormAllow(bool allow);
    bool MoveFormAllow() const { return m_moveFormAllow; }
    void setMoveFormAllow(bool allow) { m_moveFormAllow = allow; }

    void SetFrmBackPict(); // background only; hides the caption controls
    void SetFrmPict();     // all nine pieces; shows the caption controls

    const ClsPictureDC &holder(Piece piece) const { return m_holders[piece]; }
    int pendingHitCode() const { return m_pendingHitCode; }

private:
    void TheForm_Paint();
    void TheForm_Resize();
    void TheForm_MouseMove(int button, int shift, float x, float y);
    void TheForm_MouseDown(int button, int shift, float x, float y);
    void paintSteps();
    void TileBlt(SkinnedWindow *form, const ClsPictureDC *holder);
    void CopyToFormCorner(SkinnedWindow *form);
    void FormResize(QPoint pressedAt);
    void MoveForm(QPoint pressedAt);
    void ResizeControls(SkinnedWindow *form);
    void HideControls(bool visible);
    void FormResizeSet(bool enabled);
    void ClosedButtonSet(bool enabled);
    void MinimiseButtonSet(bool enabled);
    void enableTagged(const QString &procedure, const QString &tag, bool enabled);

    QPointer<SkinnedWindow> m_form;
    std::array<ClsPictureDC, PieceCount> m_holders;
    bool m_moveFormAllow = true;
    bool m_resizeFormAllow = true;
    int m_pendingHitCode = 0;
    bool m_minimiseAllow = false;
    bool m_closeButtonAllow = false;
    bool m_layoutBusy = false;
};
