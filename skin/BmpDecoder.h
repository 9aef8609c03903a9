#pragma once

#include <QByteArray>
#include <QImage>

// Reads the uncompressed 24-bit and palette (1, 4, 8-bit) bitmaps the build writes, without going
// through Qt's image plugins: loading those cost the start-up window more than
// the pictures themselves. Anything else, or anything malformed, gives a null image.
class BmpDecoder
{
public:
    static QImage decode(const QByteArray &file);
};
