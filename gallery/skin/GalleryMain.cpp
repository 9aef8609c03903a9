// Writes every skin piece and picture (1:1 beside 4x), a contact sheet, the pieces put
// together as the controls draw them, and the skinned test window, as PNG files.
#include "../../tests/e2e/skin/SkinTestWindow.h"

#include "platform/Fonts.h"
#include "skin/SkinSet.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>

namespace {

const QColor Backdrop(120, 120, 128);

QImage sideBySide(const QImage &piece, int zoom)
{
    const int gap = 8;
    QImage out(piece.width() * (zoom + 1) + gap * 3, piece.height() * zoom + gap * 2, QImage::Format_RGB32);
    out.fill(Backdrop);
    QPainter p(&out);
    p.drawImage(gap, gap, piece);
    p.drawImage(QRect(piece.width() + gap * 2, gap, piece.width() * zoom, piece.height() * zoom), piece);
    return out;
}

QImage contactSheet(const QString &folder, int zoom, int columns)
{
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    const int cell = 128 * 2 + 24;
    const int rows = int((names.size() + columns - 1) / columns);
    QImage sheet(columns * cell, rows * (cell + 16), QImage::Format_RGB32);
    sheet.fill(Backdrop);
    QPainter p(&sheet);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (int i = 0; i < names.size(); ++i) {
        const QImage piece(folder + QLatin1Char('/') + names[i]);
        const int x = (i % columns) * cell, y = (i / columns) * (cell + 16);
        const int z = std::max(1, std::min(zoom, (cell - 16) / std::max(piece.width(), piece.height())));
        p.drawImage(QRect(x + 8, y + 8, piece.width() * z, piece.height() * z), piece);
        p.setPen(Qt::white);
        p.drawText(x + 8, y + cell + 6,
                   QStringLiteral("%1  %2x%3 %4 bit")
                       .arg(names[i].section('.', 0, 0))
                       .arg(piece.width())
                       .arg(piece.height())
                       .arg(piece.bitPlaneCount()));
    }
    return sheet;
}

// The scroll bar, progress bar and buttons put together roughly as the controls draw them.
QImage controlsInPlace()
{
    const auto piece = [](const char *name) { return SkinSet::bitmap(QLatin1String(name)); };
    QImage out(420, 220, QImage::Format_RGB32);
    QPainter p(&out);
    for (int x = 0; x < out.width(); x += 128)
        for (int y = 0; y < out.height(); y += 128)
            p.drawImage(x, y, piece("BACKGROUND"));
    // a horizontal slider of 187 by 23 pixels
    const int sx = 20, sy = 20, sw = 187, sh = 23;
    p.setClipRect(QRect(sx, sy, sw, sh)); // the control clips its last tile
    for (int x = 0; x <= sw; x += 104)
        p.drawImage(QRect(sx + x, sy, 104, sh), piece("MHSCROLL"));
    p.drawImage(QRect(sx + sw - 36, sy, 36, sh), piece("HRIGHT"));
    p.drawImage(QRect(sx, sy, 36, sh), piece("HLEFT"));
    p.drawImage(QRectF(sx + 2, sy + 3.5, 20, 16), piece("HLEFTUP"));
    p.drawImage(QRectF(sx + sw - 22, sy + 3.5, 20, 16), piece("HRIGHTDN"));
    p.drawImage(QRectF(sx + 80, sy + 3.5, 20, 16), piece("THUMB"));
    // a vertical slider
    const int vx = 380, vy = 20, vw = 23, vh = 180;
    p.setClipRect(QRect(vx, vy, vw, vh));
    for (int y = 0; y <= vh; y += 104)
        p.drawImage(QRect(vx, vy + y, vw, 104), piece("VMIDSCROLL"));
    p.drawImage(QRect(vx, vy, vw, 36), piece("VSCROLLTOP"));
    p.drawImage(QRect(vx, vy + vh - 36, vw, 36), piece("VSCROLLBOTTOM"));
    p.drawImage(QRectF(vx + 3.5, vy + 2, 16, 20), piece("VUPUP"));
    p.drawImage(QRectF(vx + 3.5, vy + vh - 22, 16, 20), piece("VDNUP"));
    p.drawImage(QRectF(vx + 3.5, vy + 70, 16, 20), piece("VTHUMB"));
    // a progress bar of 200 pixels at 76 %, with its see-through colour keyed out
    const int px = 20, py = 70, pw = 200, ph = 13;
    p.setClipRect(QRect(px, py, pw, ph));
    for (int x = 0; x <= pw; x += 55)
        p.drawImage(QRect(px + x, py, 55, ph), piece("HBPROGMID"));
    p.drawImage(QRect(px + pw - 18, py, 18, ph), piece("HBPROGRIGHT"));
    p.drawImage(QRect(px, py, 17, ph), piece("HBPROGLEFT"));
    QImage bar = piece("HPROGRESS").convertToFormat(QImage::Format_ARGB32);
    const QRgb key = bar.pixel(1, 1);
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            if (bar.pixel(x, y) == key)
                bar.setPixel(x, y, 0);
    p.drawImage(QRect(px + 4, py, 152, ph), bar);
    p.setClipping(false);
    // push buttons with their captions, at rest and pressed
    p.setFont(QFont(QStringLiteral("Comic Sans MS"), 9, QFont::Bold));
    const struct
    {
        const char *picture;
        OleColor colour;
        const char *caption;
        int x;
    } buttons[] = {
        {"BUTTONUP", SkinSet::colour(SkinSet::CaptionColour), "Help", 20},
        {"BUTTONDN", SkinSet::colour(SkinSet::PressedColour), "About", 130},
    };
    for (const auto &b : buttons) {
        const QRect box(b.x, 110, 93, 19);
        p.drawImage(box, piece(b.picture));
        p.setPen(toQColor(b.colour));
        p.drawText(box, Qt::AlignCenter, QLatin1String(b.caption));
    }
    // check boxes and option buttons on their own background
    p.drawImage(QRect(20, 150, 200, 50), piece("SBACKGROUND"), QRect(0, 0, 200, 50));
    const char *boxes[] = {"CHECKOFF", "CHECKON", "RADIOOFF", "RADIOON"};
    for (int i = 0; i < 4; ++i)
        p.drawImage(30 + i * 45, 168, piece(boxes[i]));
    // caption buttons on the top band
    p.drawImage(QRect(240, 100, 120, 41), piece("TOPFORM"));
    const char *caps[] = {"MINIUP", "RESTOREUP", "CLOSEUP", "MINIDN", "RESTOREDN", "CLOSEDN"};
    for (int i = 0; i < 3; ++i)
        p.drawImage(QRect(250 + i * 30, 104, 24, 23), piece(caps[i]));
    p.drawImage(QRect(240, 150, 120, 41), piece("TOPFORM"));
    for (int i = 0; i < 3; ++i)
        p.drawImage(QRect(250 + i * 30, 154, 24, 23), piece(caps[3 + i]));
    return out;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery_skin OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/skin");
    bool ok =
        QDir().mkpath(out + QStringLiteral("/pieces")) && QDir().mkpath(out + QStringLiteral("/pictures"));
    for (const QString &folder : {QStringLiteral("skin"), QStringLiteral("pictures")}) {
        const QString from = QStringLiteral(":/") + folder;
        for (const QString &name : QDir(from).entryList(QDir::Files)) {
            const QImage piece(from + QLatin1Char('/') + name);
            const QString target = out + (folder == QLatin1String("skin") ? QStringLiteral("/pieces/")
                                                                          : QStringLiteral("/pictures/"));
            ok &= save(sideBySide(piece, 4), target + name.section('.', 0, 0) + QStringLiteral(".png"));
        }
    }
    ok &= save(contactSheet(QStringLiteral(":/skin"), 4, 6), out + QStringLiteral("/contact_sheet.png"));
    ok &= save(contactSheet(QStringLiteral(":/pictures"), 2, 4), out + QStringLiteral("/pictures_sheet.png"));
    ok &= save(controlsInPlace(), out + QStringLiteral("/controls_in_place.png"));
    {
        SkinTestWindow window;
        window.show();
        QApplication::processEvents();
        ok &= save(window.grab().toImage(), out + QStringLiteral("/window.png"));
        window.resize(240, 130);
        QApplication::processEvents();
        ok &= save(window.grab().toImage(), out + QStringLiteral("/window_narrow.png"));
    }
    return ok ? 0 : 1;
}
