// Engine speed and memory, each against its baseline in the same run.
#include "bench/support/BenchTimes.h"
#include "engine/DirectSS.h"
#include "engine/audio/ClockAudioOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <tuple>

namespace {
using Clock = std::chrono::steady_clock;

// Notes when the first samples reach it.
class TimingOutput : public ClockAudioOutput
{
public:
    TimingOutput() : ClockAudioOutput(Pace::RealTime) {}
    qint64 write(const qint16 *samples, qint64 count) override
    {
        if (!seen && count > 0) {
            first = Clock::now();
            seen = true;
        }
        return ClockAudioOutput::write(samples, count);
    }
    Clock::time_point first;
    bool seen = false;
};

QString textOfSize(qsizetype bytes)
{
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog near the river bank. ");
    return sentence.repeated(bytes / sentence.size() + 1).left(bytes);
}

QString wordsText(int words)
{
    const QStringList pool = {"the", "little", "robot", "walked", "along", "a", "sunny", "beach", "and",
                              "sang", "happy", "songs."};
    QStringList out;
    for (int i = 0; i < words; ++i)
        out << pool.at(i % pool.size());
    return out.join(' ');
}

double firstSamplesMs(const QString &text)
{
    auto output = std::make_unique<TimingOutput>();
    TimingOutput *timing = output.get();
    DirectSS engine(std::move(output));
    const auto start = Clock::now();
    engine.Speak(text);
    while (!timing->seen)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double ms = std::chrono::duration<double, std::milli>(timing->first - start).count();
    engine.AudioReset();
    return ms;
}

void BM_FirstSamples(benchmark::State &state)
{
    const QString text = textOfSize(state.range(0));
    const QString baseline = QStringLiteral("Hi.");
    double ours = 0, base = 0;
    for (auto _ : state) {
        ours += firstSamplesMs(text);
        base += firstSamplesMs(baseline);
    }
    const double n = double(state.iterations());
    state.counters["ms"] = ours / n;
    state.counters["baseline_ms"] = base / n;
    state.counters["ratio"] = ours / base;
}
BENCHMARK(BM_FirstSamples)->Arg(1024)->Arg(1024 * 1024)->Iterations(20)->Unit(benchmark::kMillisecond);

double recordSeconds(int voice, const QString &text, const QString &path)
{
    DirectSS engine(std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Immediate));
    QSignalSpy stop(&engine, &DirectSS::AudioStop);
    engine.Select(voice);
    engine.setSpeed(150);
    engine.setPitch(179);
    engine.setFileName(path);
    QElapsedTimer timer;
    timer.start();
    engine.Speak(text);
    stop.wait(600000);
    return timer.nsecsElapsed() / 1e9;
}

double espeakSeconds(const QString &textFile, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess espeak;
    espeak.start("espeak-ng", {"-v", "en-us+f1", "-s", "150", "-w", path, "-f", textFile});
    espeak.waitForFinished(600000);
    return timer.nsecsElapsed() / 1e9;
}

void BM_Record10000Words(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString text = wordsText(10000);
    const QString textFile = dir.filePath("words.txt");
    QFile f(textFile);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    f.close();
    double ours = 0, base = 0;
    for (auto _ : state) {
        ours += recordSeconds(int(state.range(0)), text, dir.filePath("ours.wav"));
        base += espeakSeconds(textFile, dir.filePath("ref.wav"));
    }
    state.counters["seconds"] = ours / double(state.iterations());
    state.counters["espeak_seconds"] = base / double(state.iterations());
    state.counters["ratio"] = ours / base;
    state.SetLabel(state.range(0) == 1 ? "Mary" : "Mary in Stadium");
}
BENCHMARK(BM_Record10000Words)->Arg(1)->Arg(9)->Iterations(1)->Unit(benchmark::kSecond);

double residentMb()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Peak resident memory above the idle engine while a 1 MB text runs for a few seconds.
void BM_PeakMemory1MB(benchmark::State &state)
{
    const bool recording = state.range(0) == 1;
    QTemporaryDir dir;
    const QString text = textOfSize(1024 * 1024);
    double peakAbove = 0, lateGrowth = 0;
    for (auto _ : state) {
        DirectSS engine(std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime));
        if (recording)
            engine.setFileName(dir.filePath("big.wav"));
        QCoreApplication::processEvents();
        const double idle = residentMb();
        engine.Speak(text);
        double peak = idle, atOneSecond = idle;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 4000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            peak = std::max(peak, residentMb());
            if (timer.elapsed() < 1000)
                atOneSecond = peak;
        }
        engine.AudioReset();
        peakAbove = peak - idle;
        lateGrowth = peak - atOneSecond;
    }
    state.counters["MB_above_idle"] = peakAbove;
    state.counters["MB_growth_after_1s"] = lateGrowth;
    state.SetLabel(recording ? "recording" : "speaking");
}
BENCHMARK(BM_PeakMemory1MB)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchResults r = BenchTimes::runAll(argc, argv);
    for (const char *size : {"1024", "1048576"}) {
        const std::string name = std::string("BM_FirstSamples/") + size + "/iterations:20";
        const double ms = r.counter(name, "ms"), base = r.counter(name, "baseline_ms");
        if (ms > 0)
            BenchTimes::row(std::string("SPEAK to first samples, ") + size + " byte text",
                            BenchTimes::amount(ms, "ms"), "\"Hi.\" " + BenchTimes::amount(base, "ms"),
                            r.counter(name, "ratio"), "under 30 ms", ms < 30);
    }
    for (const auto &[voice, goal, goalText] :
         {std::tuple{"1", 1.10, "ratio at most 1.10"}, {"9", 1.5, "ratio at most 1.5"}}) {
        const std::string name = std::string("BM_Record10000Words/") + voice + "/iterations:1";
        const double ratio = r.counter(name, "ratio");
        if (ratio > 0)
            BenchTimes::row(std::string("recording 10,000 words, voice ") + voice,
                            BenchTimes::amount(r.counter(name, "seconds"), "s", 2),
                            "espeak-ng alone " +
                                BenchTimes::amount(r.counter(name, "espeak_seconds"), "s", 2),
                            ratio, goalText, ratio <= goal);
    }
    for (const char *mode : {"0", "1"}) {
        const std::string name = std::string("BM_PeakMemory1MB/") + mode + "/iterations:1";
        const double above = r.counter(name, "MB_above_idle");
        if (r.counters.count(name))
            BenchTimes::row(std::string("peak memory, 1 MB text ") + (mode[0] == '1' ? "recorded" : "spoken"),
                            BenchTimes::amount(above, "MB above idle", 2), "the idle engine", -1, "under 64 MB",
                            above < 64);
    }
    benchmark::Shutdown();
    return 0;
}
