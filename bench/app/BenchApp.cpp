// The main window's speed: the level display's tick, a click while speaking, and the
// windows' start, each against its baseline in the same run.
#include "app/LevelDisplay.h"
#include "app/Main.h"
#include "app/Start.h"
#include "bench/support/BenchTimes.h"
#include "controls/button/qxButtons_H.h"
#include "engine/audio/ClockAudioOutput.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
class NoOneThere : public MessageBoxes
{
public:
    MsgAnswer show(const QString &, const QString &, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};

const LevelScale picture1{2985, 2085, 199, 139};

void BM_PlainFillOfPicture1(benchmark::State &state)
{
    QImage surface(picture1.pixelWidth, picture1.pixelHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        surface.fill(Qt::black);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_PlainFillOfPicture1);

void BM_LevelDisplayTick(benchmark::State &state)
{
    QImage surface(picture1.pixelWidth, picture1.pixelHeight, QImage::Format_RGB32);
    LevelDisplay display;
    display.reset(picture1);
    for (auto _ : state) {
        display.tick(surface, 0);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_LevelDisplayTick);

// Milliseconds from posting a click on STOP to its handler, 99th percentile of 200 clicks.
double clickLatencyP99(bool speaking)
{
    Main window;
    window.show();
    std::vector<double> latencies;
    QElapsedTimer clock;
    QObject::connect(window.cmdStopText, &qxButtons_H::Click, &window,
                     [&] { latencies.push_back(clock.nsecsElapsed() / 1e6); });
    window.RichTextBox1->setPlainText(QString("A long text for the clown to read aloud. ").repeated(50));
    const QPointF at(10, 10);
    for (int i = 0; i < 200; ++i) {
        if (speaking)
            window.cmdSpkText_Click();
        for (int t = 0; t < 5; ++t)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        clock.start();
        QCoreApplication::postEvent(window.cmdStopText, new QMouseEvent(QEvent::MouseButtonPress, at, at, at,
                                                                        Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(
            window.cmdStopText,
            new QMouseEvent(QEvent::MouseButtonRelease, at, at, at, Qt::LeftButton, Qt::NoButton, {}));
        const auto before = latencies.size();
        while (latencies.size() == before && clock.elapsed() < 1000)
            QCoreApplication::processEvents();
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies.empty() ? 0 : latencies[latencies.size() * 99 / 100];
}

void BM_StopClickIdleP99(benchmark::State &state)
{
    double p99 = 0;
    for (auto _ : state)
        p99 = clickLatencyP99(false);
    state.counters["p99_ms"] = p99;
}
BENCHMARK(BM_StopClickIdleP99)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StopClickWhileSpeakingP99(benchmark::State &state)
{
    double p99 = 0;
    for (auto _ : state)
        p99 = clickLatencyP99(true);
    state.counters["p99_ms"] = p99;
}
BENCHMARK(BM_StopClickWhileSpeakingP99)->Iterations(1)->Unit(benchmark::kMillisecond);

template <typename Window, typename Make> void showAndPaint(benchmark::State &state, Make make)
{
    for (auto _ : state) {
        std::unique_ptr<Window> window = make();
        window->show();
        window->grab(); // the first full paint
        QCoreApplication::processEvents();
    }
}

void BM_BareWindowShown(benchmark::State &state)
{
    showAndPaint<QWidget>(state, [] {
        auto w = std::make_unique<QWidget>();
        w->resize(581, 379);
        return w;
    });
}
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond);

void BM_StartWindowShown(benchmark::State &state)
{
    showAndPaint<Start>(state, [] { return std::make_unique<Start>(std::function<void()>{}); });
}
BENCHMARK(BM_StartWindowShown)->Unit(benchmark::kMillisecond);

void BM_MainWindowShown(benchmark::State &state)
{
    showAndPaint<Main>(state, [] { return std::make_unique<Main>(); });
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

struct Ratios : benchmark::ConsoleReporter
{
    std::map<std::string, double> times, p99;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
            if (run.counters.count("p99_ms"))
                p99[run.benchmark_name()] = run.counters.at("p99_ms");
            for (const char *counter : {"plain_ms_per_s", "marked_ms_per_s", "speak_p95_ms", "step_p95_ms"})
                if (run.counters.count(counter))
                    p99[counter] = run.counters.at(counter);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double t(const std::string &prefix) const
    {
        for (const auto &[name, value] : times)
            if (name.rfind(prefix, 0) == 0)
                return value;
        return 0;
    }
    double p(const std::string &prefix) const
    {
        for (const auto &[name, value] : p99)
            if (name.rfind(prefix, 0) == 0)
                return value;
        return 0;
    }
};
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    NoOneThere quiet;
    MessageBoxes::install(&quiet);
    QTemporaryDir noStartSound; // START to Main is measured without the sound's own length
    setProgramFolder(noStartSound.path());
    AudioOutput::setFactoryForTests(
        [] { return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime); });

    benchmark::Initialize(&argc, argv);
    Ratios reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double tick = reporter.t("BM_LevelDisplayTick"), fill = reporter.t("BM_PlainFillOfPicture1");
    BenchTimes::row("level display tick", BenchTimes::amount(tick / 1e6, "ms", 4),
                    "plain fill " + BenchTimes::amount(fill / 1e6, "ms", 4), fill > 0 ? tick / fill : 0,
                    "under 0.2 ms", tick > 0 && tick / 1e6 < 0.2);
    const double idle = reporter.p("BM_StopClickIdleP99"), busy = reporter.p("BM_StopClickWhileSpeakingP99");
    BenchTimes::row("STOP click p99 while speaking", BenchTimes::amount(busy, "ms", 2),
                    "idle " + BenchTimes::amount(idle, "ms", 2), idle > 0 ? busy / idle : 0, "under 16 ms",
                    busy > 0 && busy < 16);
    const double bare = reporter.t("BM_BareWindowShown"), start = reporter.t("BM_StartWindowShown");
    BenchTimes::row("start-up window built and shown", BenchTimes::amount(start, "ms", 2),
                    "bare window " + BenchTimes::amount(bare, "ms", 2), bare > 0 ? start / bare : 0,
                    "ratio at most 1.5", bare > 0 && start / bare <= 1.5);
    const double main = reporter.t("BM_MainWindowShown");
    BenchTimes::row("main window built and shown", BenchTimes::amount(main, "ms", 2),
                    "bare window " + BenchTimes::amount(bare, "ms", 2), bare > 0 ? main / bare : 0,
                    "under 300 ms", main > 0 && main < 300);
    const double plain = reporter.p("plain_ms_per_s"), marked = reporter.p("marked_ms_per_s");
    BenchTimes::row("GUI thread per second of speech, words marked", BenchTimes::amount(marked, "ms", 2),
                    "unmarked " + BenchTimes::amount(plain, "ms", 2), plain > 0 ? marked / plain : 0,
                    "ratio under 1.01", plain > 0 && marked / plain < 1.01);
    const double speak = reporter.p("speak_p95_ms"), step = reporter.p("step_p95_ms");
    BenchTimes::row("Alt+Right to the next sentence's first sample, p95 of 20",
                    BenchTimes::amount(step, "ms", 2),
                    "SPEAK to its first sample " + BenchTimes::amount(speak, "ms", 2),
                    speak > 0 ? step / speak : 0, "under 150 ms", step > 0 && step < 150);
    const double languages = reporter.t("BM_ListLanguages");
    BenchTimes::row("listing the languages, if it were on START to Main", BenchTimes::amount(languages, "ms", 2),
                    "Main shown " + BenchTimes::amount(main, "ms", 2), main > 0 ? (main + languages) / main : 0,
                    "done while the start-up window shows", true);
    MessageBoxes::install(nullptr);
    return 0;
}
