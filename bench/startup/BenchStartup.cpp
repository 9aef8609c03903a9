// Process start to the start-up window shown, against a bare Qt window started the same way.
#include "bench/support/BenchTimes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
QString binary(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// Milliseconds from starting the program to its end, the program quitting once its first window is shown.
double startMs(const QString &program, const QString &preload = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VOCALINO_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    if (!preload.isEmpty())
        env.insert(QStringLiteral("LD_PRELOAD"), preload);
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() || times.front() < 0 ? -1 : times[times.size() / 2];
}

void BM_ProcessStartToStartWindow(benchmark::State &state)
{
    // The main window's library preloaded shows what start-up cost when the program was linked with it.
    const QString mainLibrary = QDir::cleanPath(binary("../lib/vocalino/vocalino-main.so"));
    std::vector<double> bare, program, eager;
    for (auto _ : state) {
        for (int i = 0; i < 21; ++i) { // taken in turn, so that a busy moment of the machine hits all three
            bare.push_back(startMs(binary("startup_bare_window")));
            program.push_back(startMs(binary("vocalino")));
            eager.push_back(startMs(binary("vocalino"), mainLibrary));
        }
    }
    const double bareMs = median(bare), programMs = median(program), eagerMs = median(eager);
    if (programMs < 0 || bareMs < 0) {
        state.SkipWithError("a program did not start and quit cleanly");
        return;
    }
    state.counters["vocalino_ms"] = programMs;
    state.counters["bare_window_ms"] = bareMs;
    state.counters["ratio"] = programMs / bareMs;
    BenchTimes::row("process start to start-up window", BenchTimes::amount(programMs, "ms"),
                    "bare Qt window started the same way " + BenchTimes::amount(bareMs, "ms"),
                    programMs / bareMs, "ratio at most 1.3", programMs / bareMs <= 1.3);
    if (eagerMs > 0)
        BenchTimes::row("the same with the main window's libraries loaded at start",
                        BenchTimes::amount(eagerMs, "ms"),
                        "bare Qt window started the same way " + BenchTimes::amount(bareMs, "ms"),
                        eagerMs / bareMs, "none (shows what loading later saves)", true);
}
BENCHMARK(BM_ProcessStartToStartWindow)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
