// Process start to the start-up window shown, against a bare Qt window started the same way.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {
QString binary(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

double medianStartMs(const QString &program, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VOCALINO_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return -1;
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_ProcessStartToStartWindow(benchmark::State &state)
{
    double program = 0, bare = 0;
    for (auto _ : state) {
        bare = medianStartMs(binary("startup_bare_window"), 15);
        program = medianStartMs(binary("vocalino"), 15);
    }
    if (program < 0 || bare < 0) {
        state.SkipWithError("a program did not start and quit cleanly");
        return;
    }
    state.counters["vocalino_ms"] = program;
    state.counters["bare_window_ms"] = bare;
    state.counters["ratio"] = program / bare;
    std::printf("start-up window shown: %.1f ms, bare Qt window %.1f ms, ratio %.2f (goal at most 1.5)\n",
                program, bare, program / bare);
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
