#pragma once

#include "platform/SystemColors.h"

#include <QImage>
#include <QWidget>

// A picture box that keeps its drawing: its persistent image is the picture plus
// whatever was drawn on it, and painting only copies that image to the screen.
// It sizes itself to its picture; when sized otherwise, its persistent image follows its size,
// keeping what was drawn and showing the background colour in the new part.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    void setPicture(const QImage &picture); // also starts a fresh persistent image from it

    // The persistent image; draw on it, then update().
    QImage &Image() { return m_image; }
    const QImage &Image() const { return m_image; }

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor colour);

    // The colour at (x, y) of the persistent image; 0xFFFFFFFF outside it, as GetPixel.
    OleColor Point(int x, int y) const;

    QSize sizeHint() const override { return m_image.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_picture;
    QImage m_image;
    OleColor m_backColor = 0x00FFFFFF;
};

// GetPixel's answer outside a picture.
constexpr OleColor InvalidColour = 0xFFFFFFFF;
OleColor pixelColour(const QImage &image, int x, int y);
