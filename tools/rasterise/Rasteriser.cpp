#include "tools/rasterise/Rasteriser.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

std::optional<RasterJob> parseRasterJob(const QStringList &arguments)
{
    if (arguments.size() < 4 || arguments.size() > 5)
        return std::nullopt;
    RasterJob job;
    job.source = arguments[0];
    job.target = arguments[1];
    const QStringList size = arguments[2].split(QLatin1Char('x'));
    bool okW = false, okH = false, okD = false;
    if (size.size() == 2) {
        job.width = size[0].toInt(&okW);
        job.height = size[1].toInt(&okH);
    }
    job.depth = arguments[3].toInt(&okD);
    if (!okW || !okH || !okD || job.width <= 0 || job.height <= 0 || job.width > 4096 || job.height > 4096 ||
        (job.depth != 8 && job.depth != 24 && job.depth != 32))
        return std::nullopt;
    if (arguments.size() == 5) {
        const QString &k = arguments[4];
        bool okK = false;
        const uint rgb = k.startsWith(QLatin1String("key=")) ? k.mid(4).toUInt(&okK, 16) : 0;
        if (!okK || k.size() != 10)
            return std::nullopt;
        job.key = qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
    }
    return job;
}

QImage flattenOnKey(const QImage &argb, QRgb key)
{
    QImage out(argb.size(), QImage::Format_RGB32);
    const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        auto *o = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = in[x];
            o[x] = qAlpha(p) < 128 ? key : qRgb(qRed(p), qGreen(p), qBlue(p));
        }
    }
    return out;
}

QImage renderSvgWithAlpha(const QString &source, int width, int height)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return {};
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return canvas;
}

QImage renderSvg(const QString &source, int width, int height, std::optional<QRgb> key)
{
    const QImage canvas = renderSvgWithAlpha(source, width, height);
    if (canvas.isNull())
        return {};
    if (key)
        return flattenOnKey(canvas, *key);
    // Unkeyed pictures cover their whole box; anything left open reads as white.
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, canvas);
    return out;
}

static int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

namespace {

struct Weighted
{
    QRgb colour;
    qint64 count;
};

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

// The channel along which a box of colours spreads most, and how far.
std::pair<int, int> widestChannel(const QList<Weighted> &box)
{
    std::pair<int, int> best{0, -1};
    for (int which = 0; which < 3; ++which) {
        int lo = 255, hi = 0;
        for (const Weighted &w : box)
            lo = std::min(lo, channel(w.colour, which)), hi = std::max(hi, channel(w.colour, which));
        if (hi - lo > best.second)
            best = {which, hi - lo};
    }
    return best;
}

} // namespace

// Median cut: the box that spreads most is split at its weighted median until there are
// 256 boxes; each gives the weighted mean of its colours.
static QList<QRgb> medianCutPalette(const QImage &image)
{
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QList<QList<Weighted>> boxes(1);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        boxes[0].append({it.key(), it.value()});
    while (boxes.size() < 256) {
        qsizetype widest = -1;
        int spread = 0, along = 0;
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2)
                continue;
            const auto [which, range] = widestChannel(boxes[i]);
            if (range > spread)
                widest = i, spread = range, along = which;
        }
        if (widest < 0)
            break;
        QList<Weighted> &box = boxes[widest];
        std::sort(box.begin(), box.end(), [along](const Weighted &a, const Weighted &b) {
            return channel(a.colour, along) < channel(b.colour, along);
        });
        qint64 total = 0, half = 0;
        for (const Weighted &w : box)
            total += w.count;
        qsizetype cut = 1;
        for (; cut < box.size() - 1; ++cut) {
            half += box[cut - 1].count;
            if (half * 2 >= total)
                break;
        }
        QList<Weighted> upper = box.mid(cut);
        box.resize(cut);
        boxes.append(upper);
    }
    QList<QRgb> palette;
    for (const auto &box : boxes) {
        qint64 r = 0, g = 0, b = 0, n = 0;
        for (const Weighted &w : box)
            r += qRed(w.colour) * w.count, g += qGreen(w.colour) * w.count, b += qBlue(w.colour) * w.count,
                n += w.count;
        palette.append(qRgb(int(r / n), int(g / n), int(b / n)));
    }
    return palette;
}

QImage toPalette(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette;
    QHash<QRgb, int> exact;
    for (int y = 0; y < image.height() && palette.size() <= 256; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xFF000000u;
            if (!exact.contains(p)) {
                exact.insert(p, int(palette.size()));
                palette.append(p);
                if (palette.size() > 256)
                    break;
            }
        }
    const bool fits = palette.size() <= 256;
    if (!fits)
        palette = medianCutPalette(image);
    QImage out(image.size(), QImage::Format_Indexed8);
    // A table of 16 colours or fewer would be written as a 4-bit file; the piece promises 8 bits.
    QList<QRgb> table = palette;
    while (table.size() <= 16)
        table.append(qRgb(0, 0, 0));
    out.setColorTable(table);
    QHash<QRgb, int> nearest = fits ? exact : QHash<QRgb, int>{};
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xFF000000u;
            auto it = nearest.constFind(p);
            if (it == nearest.cend()) {
                int best = 0;
                for (int i = 1; i < palette.size(); ++i)
                    if (distance(p, palette[i]) < distance(p, palette[best]))
                        best = i;
                it = nearest.insert(p, best);
            }
            line[x] = uchar(*it);
        }
    }
    return out;
}

bool writeBitmap(const RasterJob &job, QString *error)
{
    // Depth 32 makes an icon: a PNG that keeps the drawing's transparency.
    const bool icon = job.depth == 32;
    QImage image = icon ? renderSvgWithAlpha(job.source, job.width, job.height)
                        : renderSvg(job.source, job.width, job.height, job.key);
    if (image.isNull()) {
        *error = QStringLiteral("cannot read %1").arg(job.source);
        return false;
    }
    if (job.depth == 8)
        image = toPalette(image);
    if (!image.save(job.target, icon ? "PNG" : "BMP")) {
        *error = QStringLiteral("cannot write %1").arg(job.target);
        return false;
    }
    return true;
}
