#pragma once

#include "platform/SystemColors.h"

#include <QImage>
#include <QWidget>

// A picture box: a persistent surface (its device context) that painting only copies
// to the screen. Drawing units are twips unless the box is told to use pixels.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    // Sizes the box to a picture and shows it.
    void setPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture; }
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool ScaleInPixels() const { return m_scaleInPixels; }
    void setScaleInPixels(bool pixels) { m_scaleInPixels = pixels; }
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Clears the drawing: the picture, or the background colour when there is none.
    void Cls();
    QImage &surface() { return m_surface; }
    const QImage &surface() const { return m_surface; }
    // Call after drawing into the surface.
    void surfaceChanged() { update(); }

signals:
    void MouseDown(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    OleColor m_backColor = SystemColors::ButtonFace;
    QImage m_picture;
    QImage m_surface;
    bool m_autoSize = false;
    bool m_scaleInPixels = false;
};
