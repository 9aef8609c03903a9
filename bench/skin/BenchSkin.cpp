// A full paint of the 800 by 572 skinned main window (background tiles and frame) against a
// plain fill of the same surface, in the same run.
#include "skin/ClsSkin.h"
#include "skin/SkinnedWindow.h"

#include <QApplication>
#include <QPainter>
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

// Prints the usual table, then the skinned paint's time over the fill's.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fill = reporter.times["BM_PlainFill"], skinned = reporter.times["BM_SkinnedPaint"];
    if (fill > 0 && skinned > 0)
        std::printf("skinned paint %.3f ms (goal under 2 ms); ratio %.2f against a plain fill\n",
                    skinned / 1e6, skinned / fill);
    benchmark::Shutdown();
    return 0;
}
