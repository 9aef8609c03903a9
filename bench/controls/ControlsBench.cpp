// A thumb drag step and a progress repaint, each against filling a bare image of
// the same size in the same process; the ratios are printed at the end.
#include "controls/UcProgress.h"
#include "controls/UcScroll.h"

#include <QApplication>
#include <QMouseEvent>
#include "bench/support/BenchTimes.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

void send(QWidget *w, QEvent::Type type, QPointF pos, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void fillImage(benchmark::State &state, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    int shade = 0;
    for (auto _ : state) {
        image.fill(QColor(shade, 0, 0));
        shade = (shade + 1) & 0xFF;
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A drag step from a pointer move: thumb moved, value written and clamped, thumb placed
// again, Change and Scroll raised, the surface composed.
void BM_ScrollDragStep(benchmark::State &state)
{
    QWidget host;
    auto *scroll = new UcScroll(&host);
    scroll->resize(150, 23);
    scroll->setMax(450);
    host.show();
    long scrolls = 0;
    QObject::connect(scroll, &UcScroll::Scroll, [&] { ++scrolls; });
    send(scroll, QEvent::MouseButtonPress, scroll->ImgThumb().center(), Qt::LeftButton);
    int x = 30;
    for (auto _ : state) {
        x = x >= 140 ? 30 : x + 1; // a new place on every step
        send(scroll, QEvent::MouseMove, QPointF(x, 10), Qt::LeftButton);
    }
    send(scroll, QEvent::MouseButtonRelease, QPointF(x, 10), Qt::NoButton);
    if (scrolls < state.iterations() / 2) // the bounds clamp a few steps to no move
        state.SkipWithError("the drag did not move the thumb");
}
BENCHMARK(BM_ScrollDragStep)->Unit(benchmark::kMicrosecond);

void BM_ScrollRepaint(benchmark::State &state)
{
    QWidget host;
    auto *scroll = new UcScroll(&host);
    scroll->resize(150, 23);
    host.show();
    for (auto _ : state)
        scroll->Repaint();
}
BENCHMARK(BM_ScrollRepaint)->Unit(benchmark::kMicrosecond);

void BM_FillScrollSizedImage(benchmark::State &state)
{
    fillImage(state, QSize(150, 23));
}
BENCHMARK(BM_FillScrollSizedImage)->Unit(benchmark::kMicrosecond);

void BM_ProgressRepaint(benchmark::State &state)
{
    QWidget host;
    auto *bar = new UcProgress(&host);
    bar->resize(200, 13);
    host.show();
    int value = 0;
    for (auto _ : state) {
        value = (value + 7) % 101;
        bar->setValue(value); // an accepted write repaints
    }
}
BENCHMARK(BM_ProgressRepaint)->Unit(benchmark::kMicrosecond);

void BM_FillProgressSizedImage(benchmark::State &state)
{
    fillImage(state, QSize(200, 13));
}
BENCHMARK(BM_FillProgressSizedImage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto t = BenchTimes::run(argc, argv);
    // A figure without a goal of its own is there to compare runs; it is met by being measured.
    const auto ratio = [&](const char *figure, const char *what, const char *baseline, double goalUs) {
        if (t.count(what) && t.count(baseline))
            BenchTimes::row(figure, BenchTimes::amount(t.at(what), "us"),
                            "fill of an image of its size " + BenchTimes::amount(t.at(baseline), "us", 2),
                            t.at(what) / t.at(baseline),
                            goalUs > 0 ? "under " + BenchTimes::amount(goalUs, "us", 0)
                                       : "none (for comparison)",
                            goalUs <= 0 || t.at(what) < goalUs);
    };
    ratio("scroll bar drag step", "BM_ScrollDragStep", "BM_FillScrollSizedImage", 500);
    ratio("scroll bar full repaint", "BM_ScrollRepaint", "BM_FillScrollSizedImage", 0);
    ratio("progress bar repaint", "BM_ProgressRepaint", "BM_FillProgressSizedImage", 0);
    benchmark::Shutdown();
    return 0;
}
