#include "tools/rasterise/Rasteriser.h"

#include <QGuiApplication>
#include <cstdio>

// usage: vocalino_rasterise SOURCE.svg TARGET.bmp|TARGET.png WIDTHxHEIGHT DEPTH [key=RRGGBB]
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const auto job = parseRasterJob(app.arguments().mid(1));
    if (!job) {
        std::fprintf(stderr,
                     "usage: vocalino_rasterise SOURCE.svg TARGET WIDTHxHEIGHT 8|24|32 [key=RRGGBB]\n");
        return 2;
    }
    QString error;
    if (!writeBitmap(*job, &error)) {
        std::fprintf(stderr, "vocalino_rasterise: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
