#pragma once

#include "platform/SystemColors.h"

#include <QImage>
#include <QtGlobal>

class PictureBox;

// One bitmap held in a memory device context of its own, so that painting code can copy
// from it at any time, with the bitmap's description and an optional transparent colour.
// The device context is the image itself; hDC() is its handle, 0 while nothing is held.
// The holder never frees a bitmap: an image handed to it is shared, not copied.
class ClsPictureDC
{
public:
    ClsPictureDC() = default;
    ClsPictureDC(const ClsPictureDC &) = delete;
    ClsPictureDC &operator=(const ClsPictureDC &) = delete;

    OleColor TransColor() const { return m_transColor; }
    void setTransColor(OleColor colour) { m_transColor = colour; }

    // Takes the bitmap into a fresh device context; TransColor is left alone.
    void setStdBitmap(const QImage &bitmap);
    // Flattens the box's persistent image into one plain bitmap (same pixels, same size),
    // makes it the box's picture, takes TransColor from the box's pixel (1, 1), then takes
    // the bitmap like setStdBitmap. Done in memory: no file is written.
    void setPictBitmap(PictureBox &box);

    quint32 hDC() const { return m_hDC; }
    qint32 bmType() const { return 0; }
    qint32 Width() const { return m_width; }
    qint32 Height() const { return m_height; }
    qint32 WidthBytes() const { return m_widthBytes; }
    qint16 Planes() const { return m_planes; }
    qint16 BitsPerPixel() const { return m_bitsPerPixel; }
    quint32 Bits() const { return 0; } // a device-dependent bitmap exposes no bits

    // The device context to copy from, or to draw into.
    const QImage &image() const { return m_dc; }
    QImage &image() { return m_dc; }

    // Bytes per scan line of a bitmap description: word aligned.
    static qint32 scanLineBytes(qint32 width, qint32 bitsPerPixel);

private:
    QImage m_dc;
    quint32 m_hDC = 0;
    qint32 m_width = 0;
    qint32 m_height = 0;
    qint32 m_widthBytes = 0;
    qint16 m_planes = 0;
    qint16 m_bitsPerPixel = 0;
    OleColor m_transColor = 0;
};
