// A full paint of the 800 by 572 skinned main window (background tiles and frame) against a
// plain fill of the same surface, in the same run.
#include "skin/ClsSkin.h"
#include "skin/SkinnedWindow.h"

#include <QApplication>
#include <QPainter>
#include "bench/support/BenchTimes.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

struct Window
{
    Window()
    {
        form.setBorderStyle(0);
        form.resize(800, 572);
        skin.setTheForm(&form);
        skin.SetFrmPict();
        form.surface();
    }
    SkinnedWindow form;
    ClsSkin skin;
};

void BM_PlainFill(benchmark::State &state)
{
    Window window;
    for (auto _ : state) {
        QPainter painter(&window.form.surface());
        painter.fillRect(window.form.rect(), QColor(214, 240, 255));
        painter.end();
        benchmark::DoNotOptimize(window.form.surface().constBits());
    }
}
BENCHMARK(BM_PlainFill);

void BM_SkinnedPaint(benchmark::State &state)
{
    Window window;
    for (auto _ : state) {
        emit window.form.Paint();
        benchmark::DoNotOptimize(window.form.surface().constBits());
    }
}
BENCHMARK(BM_SkinnedPaint);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto times = BenchTimes::run(argc, argv);
    const double fill = times["BM_PlainFill"], skinned = times["BM_SkinnedPaint"];
    if (fill > 0 && skinned > 0)
        BenchTimes::row("skinned window paint", BenchTimes::amount(skinned / 1e6, "ms", 3),
                        "plain fill " + BenchTimes::amount(fill / 1e6, "ms", 3), skinned / fill, "under 2 ms",
                        skinned / 1e6 < 2);
    benchmark::Shutdown();
    return 0;
}
