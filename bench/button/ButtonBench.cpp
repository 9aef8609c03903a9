// A full redraw of a 125 by 29 style 2 button with a gradient and a caption, against
// copying a ready image of the same size onto a surface; the ratio is printed at the end.
#include "controls/button/qxButtons_H.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QPainter>
#include "bench/support/BenchTimes.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {
QWidget *form = nullptr; // lives inside main, before the application goes

qxButtons_H &button()
{
    static qxButtons_H *b = [] {
        auto *created = new qxButtons_H(form);
        created->setGeometry(0, 0, 125, 29);
        created->setButtonStyle(2);
        created->setBackColor(0x30A030);
        created->setGradientColor(0xFFFFFF);
        created->setGradientMode(4);
        created->setForeColor(0xFFFFFF);
        created->setCaption(QStringLiteral("SPEAK"));
        form->show();
        QApplication::processEvents();
        return created;
    }();
    return *b;
}

void BM_FullRedraw(benchmark::State &state)
{
    qxButtons_H &b = button();
    for (auto _ : state) {
        b.Refresh();
        benchmark::DoNotOptimize(b.surface().constBits());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

void BM_CopyReadyImage(benchmark::State &state)
{
    const QImage ready = button().surface().copy();
    QImage target(ready.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, ready);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_CopyReadyImage)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    QWidget window;
    form = &window;
    auto times = BenchTimes::run(argc, argv, benchmark::ConsoleReporter::OO_Tabular);
    const double redraw = times["BM_FullRedraw"];
    const double copy = times["BM_CopyReadyImage"];
    if (redraw > 0 && copy > 0)
        BenchTimes::row("styled button full redraw", BenchTimes::amount(redraw, "us"),
                        "copy of a ready image " + BenchTimes::amount(copy, "us", 2), redraw / copy,
                        "under 300 us", redraw < 300);
    return 0;
}
