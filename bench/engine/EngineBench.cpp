// Engine speed and memory, each against its baseline in the same run.
#include "bench/support/BenchTimes.h"
#include "engine/DirectSS.h"
#include "engine/VoiceCatalogue.h"
#include "engine/audio/ClockAudioOutput.h"
#include "engine/synth/FliteHeadStart.h"
#include "engine/synth/FliteVoices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>
#include <thread>
#include <tuple>

extern "C" {
#include <flite/flite.h>
}

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

// Sentences of 12 words.
QString textOfSize(qsizetype bytes)
{
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog near the river. ");
    return sentence.repeated(bytes / sentence.size() + 1).left(bytes);
}

QString wordsText(int words)
{
    const QStringList pool = {"the",   "little", "robot", "walked", "along", "a",
                              "sunny", "beach",  "and",   "sang",   "happy", "songs."};
    QStringList out;
    for (int i = 0; i < words; ++i)
        out << pool.at(i % pool.size());
    return out.join(' ');
}

QString firstSentence(int words)
{
    QStringList out;
    const QStringList pool = {"the",   "little", "robot", "walked", "along", "a",
                              "sunny", "beach",  "and",   "sang",   "happy", "songs"};
    for (int i = 0; i < words; ++i)
        out << pool.at(i % pool.size());
    return out.join(' ') + u'.';
}

// A story whose first sentence runs on for `words` words before its first full stop.
QString longFirstSentence(int words)
{
    return firstSentence(words) + QStringLiteral(" ") + textOfSize(1024);
}

bool holdsHeadStart()
{
    return FliteHeadStart::holds();
}

// With `ahead`, the first sentence is made during a pause in the writing, as the window
// has the engine do, before SPEAK.
double firstSamplesMs(const QString &text, bool ahead = false)
{
    auto output = std::make_unique<TimingOutput>();
    TimingOutput *timing = output.get();
    DirectSS engine(std::move(output));
    if (ahead) {
        engine.SynthesiseAhead(text, engine.CurrentMode(), engine.Speed(), engine.Pitch());
        while (!holdsHeadStart())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto start = Clock::now();
    engine.Speak(text);
    // Waits for the engine's ticks without spinning: a busy loop here took a
    // core from the synthesis it measures.
    while (!timing->seen)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = std::chrono::duration<double, std::milli>(timing->first - start).count();
    engine.AudioReset();
    return ms;
}

int firstStream(const cst_wave *, int, int, int, cst_audio_streaming_info *info)
{
    *static_cast<Clock::time_point *>(info->userdata) = Clock::now();
    return CST_AUDIO_STREAM_STOP;
}

// Flite's own time from a sentence to its first streamed sample, with the voice
// set up as Mary speaks at the engine's default speed.
double fliteFirstStreamMs(const QString &sentence)
{
    FliteVoices::initialise("slt");
    std::lock_guard lock(FliteVoices::lock());
    cst_voice *voice = FliteVoices::find("slt");
    FliteVoices::apply(
        "slt", FliteVoices::controls(VoiceCatalogue::voices().at(0),
                                     VoiceCatalogue::resolve(VoiceCatalogue::voices().at(0), 150, 170)));
    Clock::time_point first{};
    cst_audio_streaming_info *info = new_audio_streaming_info();
    info->asc = firstStream;
    info->userdata = &first;
    feat_set(voice->features, "streaming_info", audio_streaming_info_val(info));
    const auto start = Clock::now();
    delete_wave(flite_text_to_wave(sentence.toUtf8().constData(), voice));
    feat_remove(voice->features, "streaming_info");
    return std::chrono::duration<double, std::milli>(first - start).count();
}

// Mary, her first sentence said whole: a 1 KB text of 12-word sentences, and first
// sentences of 25 and 80 words, against Flite's own first streamed sample of the same
// first sentence.
void BM_FirstSamples(benchmark::State &state)
{
    const int words = int(state.range(0));
    const QString text = words == 12 ? textOfSize(1024) : longFirstSentence(words);
    double ours = 0, base = 0;
    for (auto _ : state) {
        ours += firstSamplesMs(text);
        base += fliteFirstStreamMs(words == 12 ? text.section(u'.', 0, 0) + u'.' : firstSentence(words));
    }
    const double n = double(state.iterations());
    state.counters["ms"] = ours / n;
    state.counters["baseline_ms"] = base / n;
    state.counters["ratio"] = ours / base;
}
BENCHMARK(BM_FirstSamples)->Arg(12)->Arg(25)->Arg(80)->Iterations(20)->Unit(benchmark::kMillisecond);

// The same 1 KB text, its first sentence made during a pause in the writing.
void BM_FirstSamplesAhead(benchmark::State &state)
{
    const QString text = textOfSize(1024);
    double ours = 0, base = 0;
    for (auto _ : state) {
        ours += firstSamplesMs(text, true);
        base += fliteFirstStreamMs(text.section(u'.', 0, 0) + u'.');
    }
    const double n = double(state.iterations());
    state.counters["ms"] = ours / n;
    state.counters["baseline_ms"] = base / n;
    state.counters["ratio"] = ours / base;
}
BENCHMARK(BM_FirstSamplesAhead)->Iterations(20)->Unit(benchmark::kMillisecond);

// A 1 MB text starts as soon as a short one.
void BM_FirstSamples1MB(benchmark::State &state)
{
    const QString text = textOfSize(1024 * 1024);
    double ours = 0, base = 0;
    for (auto _ : state) {
        ours += firstSamplesMs(text);
        base += firstSamplesMs(QStringLiteral("Hi."));
    }
    const double n = double(state.iterations());
    state.counters["ms"] = ours / n;
    state.counters["baseline_ms"] = base / n;
    state.counters["ratio"] = ours / base;
}
BENCHMARK(BM_FirstSamples1MB)->Iterations(20)->Unit(benchmark::kMillisecond);

double waveFrames(const QString &path)
{
    QFile file(path);
    // 16-bit mono with a 44-byte header, as both writers make it.
    return file.exists() ? double(file.size() - 44) / 2.0 : 0.0;
}

double waveRate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray header = file.read(28);
    return header.size() < 28 ? 1 : double(qFromLittleEndian<quint32>(header.constData() + 24));
}

// Seconds of synthesis per second of speech, so that the speaking rate does not matter.
double recordCost(int voice, int speed, const QString &text, const QString &path)
{
    DirectSS engine(std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Immediate));
    QSignalSpy stop(&engine, &DirectSS::AudioStop);
    engine.Select(voice);
    engine.setSpeed(speed);
    engine.setPitch(VoiceCatalogue::voices().at(voice - 1).basePitch);
    engine.setFileName(path);
    QElapsedTimer timer;
    timer.start();
    engine.Speak(text);
    stop.wait(600000);
    return timer.nsecsElapsed() / 1e9 / (waveFrames(path) / waveRate(path));
}

// Flite's own program, with the duration_stretch the engine gives the voice at that speed.
double fliteCost(int voice, int speed, const QString &textFile, const QString &path)
{
    const VoiceEntry &entry = VoiceCatalogue::voices().at(voice - 1);
    const auto controls =
        FliteVoices::controls(entry, VoiceCatalogue::resolve(entry, speed, entry.basePitch));
    const double stretch =
        controls.durationStretch * FliteVoices::playbackRate(entry.voice) / FliteVoices::voiceRate;
    QElapsedTimer timer;
    timer.start();
    QProcess flite;
    flite.start("flite", {"-voice", QString::fromLatin1(entry.voice), "--setf",
                          QStringLiteral("duration_stretch=%1").arg(stretch), "-f", textFile, "-o", path});
    flite.waitForFinished(600000);
    return timer.nsecsElapsed() / 1e9 / (waveFrames(path) / waveRate(path));
}

// Mary, Mary in Stadium and Sam recording 2,000 words against Flite's own program,
// and Mary at the child's slow 100 against Flite stretched as much.
void BM_Record2000Words(benchmark::State &state)
{
    const int voice = int(state.range(0));
    const int speed = int(state.range(1));
    const QByteArray fliteVoice = VoiceCatalogue::voices().at(voice - 1).voice;
    QTemporaryDir dir;
    const QString text = wordsText(2000);
    const QString textFile = dir.filePath("words.txt");
    QFile f(textFile);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    f.close();
    // The best run of each: a recording that takes under a second (Sam's) moved
    // its ratio by a third from one run to the next on stray scheduling delays.
    double ours = std::numeric_limits<double>::max(), base = ours;
    for (auto _ : state) {
        ours = std::min(ours, recordCost(voice, speed, text, dir.filePath("ours.wav")));
        base = std::min(base, fliteCost(voice, speed, textFile, dir.filePath("ref.wav")));
    }
    state.counters["cost"] = ours;
    state.counters["flite_cost"] = base;
    state.counters["ratio"] = ours / base;
    state.SetLabel(VoiceCatalogue::voices().at(voice - 1).name.toStdString() + " at " +
                   std::to_string(speed) + " vs flite -voice " + fliteVoice.toStdString());
}
constexpr int recordRuns = 5;
BENCHMARK(BM_Record2000Words)
    ->Args({1, 150})
    ->Args({9, 150})
    ->Args({1, 100})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_Record2000Words)->Args({3, 150})->Iterations(recordRuns)->Unit(benchmark::kSecond);

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

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[size_t(std::ceil(share * double(values.size()))) - 1];
}

double percentile99(const std::vector<double> &values)
{
    return percentile(values, 0.99);
}

// Words without a full stop: one long utterance for the synthesiser to prepare.
QString oneSentence(int words)
{
    return wordsText(words).remove(u'.') + QStringLiteral(".");
}

// STOP's time on the window's thread, 50 tries each: during a long Sam sentence, while Flite
// prepares a 500-word utterance for Mary, and while a recording of a 1 MB text runs (its last
// save follows the stop). The baseline is SPEAK's own time in the same tries.
constexpr int stopTries = 50;
void BM_StopAtOnce(benchmark::State &state)
{
    const int which = int(state.range(0));
    const int voice = which == 0 ? 3 : 1;
    const QString text = which == 0 ? oneSentence(300) : which == 1 ? oneSentence(500) : textOfSize(1024 * 1024);
    const int waitMs = which == 0 ? 30 : which == 1 ? 100 : 300;
    QTemporaryDir dir;
    DirectSS engine(std::make_unique<ClockAudioOutput>(which == 2 ? ClockAudioOutput::Pace::Immediate
                                                                  : ClockAudioOutput::Pace::RealTime));
    QSignalSpy stopped(&engine, &DirectSS::AudioStop);
    engine.Select(voice);
    std::vector<double> stops, speaks;
    for (auto _ : state) {
        for (int i = 0; i < stopTries; ++i) {
            if (which == 2)
                engine.setFileName(dir.filePath("big.wav"));
            QElapsedTimer timer;
            timer.start();
            engine.Speak(text);
            speaks.push_back(double(timer.nsecsElapsed()) / 1e6);
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < waitMs)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const qsizetype before = stopped.size();
            timer.restart();
            engine.AudioReset();
            stops.push_back(double(timer.nsecsElapsed()) / 1e6);
            while (stopped.size() == before && stopped.wait(60000)) {
            }
        }
    }
    state.counters["stop_p99_ms"] = percentile99(stops);
    state.counters["speak_p99_ms"] = percentile99(speaks);
    state.counters["stop_median_ms"] = percentile(stops, 0.5); // the run's noise shows in p99 first
    state.counters["speak_median_ms"] = percentile(speaks, 0.5);
    state.counters["ratio"] = percentile99(stops) / std::max(percentile99(speaks), 1e-6);
    state.SetLabel(which == 0 ? "long Sam sentence" : which == 1 ? "500-word Flite utterance" : "recording 1 MB");
}
BENCHMARK(BM_StopAtOnce)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchResults r = BenchTimes::runAll(argc, argv);
    for (const char *words : {"12", "25", "80"}) {
        const std::string name = std::string("BM_FirstSamples/") + words + "/iterations:20";
        const double ms = r.counter(name, "ms"), base = r.counter(name, "baseline_ms"),
                     ratio = r.counter(name, "ratio");
        const bool short12 = words[0] == '1';
        if (ms > 0)
            BenchTimes::row(
                std::string("SPEAK to first samples with Mary, ") +
                    (short12 ? "1 KB text, 12-word first sentence"
                             : std::string(words) + "-word first sentence"),
                BenchTimes::amount(ms, "ms"),
                "Flite's first streamed sample " + BenchTimes::amount(base, "ms"),
                ratio, short12 ? "under 30 ms" : "ratio at most 1.2", short12 ? ms < 30 : ratio <= 1.2);
    }
    {
        const std::string name = "BM_FirstSamplesAhead/iterations:20";
        const double ms = r.counter(name, "ms");
        if (ms > 0)
            BenchTimes::row("SPEAK to first samples with Mary, 1 KB text, 12-word first sentence made during a "
                            "pause in the writing",
                            BenchTimes::amount(ms, "ms"),
                            "Flite's first streamed sample " + BenchTimes::amount(r.counter(name, "baseline_ms"), "ms"),
                            r.counter(name, "ratio"), "under 30 ms", ms < 30);
    }
    {
        const std::string name = "BM_FirstSamples1MB/iterations:20";
        const double ms = r.counter(name, "ms");
        if (ms > 0)
            BenchTimes::row("SPEAK to first samples with Mary, 1 MB text", BenchTimes::amount(ms, "ms"),
                            "\"Hi.\" " + BenchTimes::amount(r.counter(name, "baseline_ms"), "ms"),
                            r.counter(name, "ratio"), "under 30 ms", ms < 30);
    }
    for (const auto &[voice, speed, runs, goal, goalText] :
         {std::tuple{"1", "150", 1, 1.10, "ratio at most 1.10"},
          {"9", "150", 1, 1.5, "ratio at most 1.5"},
          {"1", "100", 1, 1.5, "ratio at most 1.5"},
          {"3", "150", recordRuns, 1.10, "ratio at most 1.10"}}) {
        const std::string name =
            std::string("BM_Record2000Words/") + voice + "/" + speed + "/iterations:" + std::to_string(runs);
        const double ratio = r.counter(name, "ratio");
        if (ratio > 0)
            BenchTimes::row(std::string("recording 2,000 words, voice ") + voice + " at " + speed +
                                ", synthesis s per s of speech",
                            BenchTimes::amount(r.counter(name, "cost"), "", 4),
                            "flite alone " + BenchTimes::amount(r.counter(name, "flite_cost"), "", 4), ratio,
                            goalText, ratio <= goal);
    }
    for (const char *mode : {"0", "1"}) {
        const std::string name = std::string("BM_PeakMemory1MB/") + mode + "/iterations:1";
        const double above = r.counter(name, "MB_above_idle");
        if (r.counters.count(name))
            BenchTimes::row(std::string("peak memory, 1 MB text ") + (mode[0] == '1' ? "recorded" : "spoken"),
                            BenchTimes::amount(above, "MB above idle", 2), "the idle engine", -1,
                            "under 64 MB", above < 64);
    }
    for (const char *which : {"0", "1", "2"}) {
        const std::string name = std::string("BM_StopAtOnce/") + which + "/iterations:1";
        if (!r.counters.count(name))
            continue;
        const double stop = r.counter(name, "stop_p99_ms");
        const char *during = which[0] == '0'   ? "a long Sam sentence"
                             : which[0] == '1' ? "a 500-word Flite utterance"
                                               : "the last save of a 1 MB recording";
        BenchTimes::row(std::string("STOP p99 of 50 during ") + during, BenchTimes::amount(stop, "ms"),
                        "SPEAK p99 " + BenchTimes::amount(r.counter(name, "speak_p99_ms"), "ms"),
                        r.counter(name, "ratio"), "under 16 ms", stop < 16);
    }
    benchmark::Shutdown();
    return 0;
}
