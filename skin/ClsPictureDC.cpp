#include "skin/ClsPictureDC.h"

#include "skin/PictureBox.h"

namespace {

// Each assignment builds a new device context with a handle of its own; never 0.
quint32 nextDeviceContext()
{
    static quint32 last = 0;
    if (++last == 0)
        ++last;
    return last;
}

// RGB32 carries 24 bits of colour, as the 24-bit pieces it holds; palettes keep 8.
qint16 colourDepth(const QImage &image)
{
    return image.isNull() ? 0 : qint16(image.bitPlaneCount());
}

} // namespace

void ClsPictureDC::setStdBitmap(const QImage &bitmap)
{
    m_dc = bitmap;
    m_hDC = nextDeviceContext();
    m_width = bitmap.width();
    m_height = bitmap.height();
    m_bitsPerPixel = colourDepth(bitmap);
    m_planes = bitmap.isNull() ? 0 : 1;
    m_widthBytes = scanLineBytes(m_width, m_bitsPerPixel);
}

void ClsPictureDC::setPictBitmap(PictureBox &box)
{
    const QImage flat = box.Image().convertToFormat(QImage::Format_RGB32);
    box.setPicture(flat);
    m_transColor = box.Point(1, 1);
    setStdBitmap(box.Picture());
}

qint32 ClsPictureDC::scanLineBytes(qint32 width, qint32 bitsPerPixel)
{
    return qint32((qint64(width) * bitsPerPixel + 15) / 16 * 2);
}
