// Writes every skinned control in each of its states as PNG files under OUTDIR/controls/.
#include "controls/UcCmd.h"
#include "controls/UcProgress.h"
#include "controls/UcScroll.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <vector>

namespace {

struct Shot
{
    QString name;
    QImage image;
};

void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// One sheet: each shot at 1:1 and enlarged three times, with its name.
QImage sheet(const std::vector<Shot> &shots)
{
    constexpr int zoom = 3;
    int width = 0, height = 10;
    for (const Shot &s : shots) {
        width = std::max(width, s.image.width() * (1 + zoom) + 260);
        height += s.image.height() * zoom + 20;
    }
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(QColor(60, 60, 90));
    QPainter p(&out);
    int y = 10;
    for (const Shot &s : shots) {
        p.setPen(Qt::white);
        p.drawText(10, y + 14, s.name);
        p.drawImage(200, y, s.image);
        p.drawImage(QRect(210 + s.image.width(), y, s.image.width() * zoom, s.image.height() * zoom),
                    s.image);
        y += s.image.height() * zoom + 20;
    }
    return out;
}

std::vector<Shot> buttons(QWidget &window)
{
    std::vector<Shot> shots;
    const char *captions[] = {"Plain", "", "", "", "Help", "Loud", "Pick me"};
    for (int style = 0; style <= 6; ++style) {
        auto *cmd = new UcCmd(&window);
        cmd->setStyle(style);
        cmd->setCaption(captions[style]);
        cmd->show();
        const QString name = QStringLiteral("UcCmd style %1").arg(style);
        shots.push_back({name + " rest", cmd->surface()});
        const QPoint middle = cmd->pictureBox().center();
        send(cmd, QEvent::MouseButtonPress, middle, Qt::LeftButton);
        shots.push_back({name + (style >= 5 ? " selected" : " pressed"), cmd->surface()});
        send(cmd, QEvent::MouseButtonRelease, middle, Qt::NoButton);
        cmd->setEnabled(false);
        shots.push_back({name + " disabled", cmd->surface()});
        if (style == 4) {
            cmd->setEnabled(true);
            cmd->setScaleFactor(2);
            shots.push_back({name + " scale 2", cmd->surface()});
        }
        delete cmd;
    }
    return shots;
}

std::vector<Shot> scrollBars(QWidget &window)
{
    std::vector<Shot> shots;
    for (const int orientation : {0, 1}) {
        UcScroll scroll(&window);
        scroll.setOrientation(qint16(orientation));
        scroll.resize(orientation == 0 ? QSize(150, 23) : QSize(23, 150));
        scroll.show();
        const QString name =
            orientation == 0 ? QStringLiteral("UcScroll horizontal") : QStringLiteral("UcScroll vertical");
        for (const int value : {0, 50, 100}) {
            scroll.setValue(value);
            shots.push_back({QStringLiteral("%1 at %2").arg(name).arg(value), scroll.surface()});
        }
        const QPoint arrow = scroll.ImgRight().center().toPoint();
        send(&scroll, QEvent::MouseButtonPress, arrow, Qt::LeftButton);
        shots.push_back({name + " arrow held", scroll.surface()});
        send(&scroll, QEvent::MouseButtonRelease, arrow, Qt::NoButton);
    }
    return shots;
}

std::vector<Shot> progressBars(QWidget &window)
{
    std::vector<Shot> shots;
    UcProgress bar(&window);
    bar.resize(200, 13);
    bar.show();
    for (const int value : {0, 50, 76, 77, 100}) {
        bar.setValue(value);
        shots.push_back({QStringLiteral("UcProgress at %1").arg(value), bar.surface()});
    }
    bar.setOrientation(1);
    bar.resize(13, 94);
    for (const int value : {0, 50, 100}) {
        bar.setValue(value);
        shots.push_back({QStringLiteral("UcProgress vertical at %1").arg(value), bar.surface()});
    }
    return shots;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery_controls OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/controls"));
    QDir().mkpath(out.path());
    QWidget window;
    window.resize(600, 400);
    window.show();
    bool ok = sheet(buttons(window)).save(out.filePath("UcCmd.png"));
    ok = sheet(scrollBars(window)).save(out.filePath("UcScroll.png")) && ok;
    ok = sheet(progressBars(window)).save(out.filePath("UcProgress.png")) && ok;
    std::printf("gallery_controls: %s\n", qPrintable(out.path()));
    return ok ? 0 : 1;
}
