#pragma once

#include <QImage>
#include <QWidget>

// A window that keeps a persistent surface image, its device context: drawing code draws
// into surface() whenever it runs and calls update(); painting only copies the surface to
// the screen. It raises the window events a skin listens to, with mouse positions in twips
// from the top-left corner of the client area.
//
// Paint is raised when the window is shown (never from inside painting), Resize on every
// size change. A window without a border (BorderStyle 0) has no system frame.
class SkinnedWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SkinnedWindow(QWidget *parent = nullptr);

    // The surface, always the size of the window; growing keeps what was drawn.
    QImage &surface();

    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Mouse button codes of the events: 1 left, 2 right, 4 middle; shift 1, ctrl 2, alt 4.
    static int buttonCode(Qt::MouseButtons buttons);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

signals:
    void Paint();
    void Resize();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_surface;
    int m_borderStyle = 2; // sizable, as a new window
};
