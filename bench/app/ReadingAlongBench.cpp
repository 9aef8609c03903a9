// What reading along costs the GUI thread: a reading with its words marked against the
// same reading with the marking disconnected, and the language list against the start.
#include "app/Main.h"
#include "app/WordHighlighter.h"
#include "engine/DirectSS.h"
#include "engine/audio/ClockAudioOutput.h"
#include "engine/synth/EspeakLanguages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {
// Lets the event loop run, timers and all, for a while.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// GUI-thread milliseconds per second of speech for one reading, played in 20 ms steps
// as a sound card would take it.
double guiMsPerSpeechSecond(bool marking)
{
    ClockAudioOutput *card = nullptr;
    AudioOutput::setFactoryForTests([&card] {
        auto made = std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Manual);
        card = made.get();
        return made;
    });
    Main window;
    window.show();
    if (!marking)
        QObject::disconnect(window.engine(), &DirectSS::WordHeard, nullptr, nullptr);
    window.RichTextBox1->setPlainText(
        QStringLiteral("The little fox ran down to the river to say hello to the fish. ").repeated(6));
    waitMs(100);
    bool ended = false;
    QObject::connect(window.engine(), &DirectSS::AudioStop, &window, [&ended] { ended = true; });
    window.cmdSpkText_Click();
    waitMs(100); // synthesis runs ahead on its own thread
    const double before = threadCpuMs();
    for (int i = 0; i < 10000 && !ended; ++i) {
        card->advance(card->sampleRate() / 50);
        waitMs(20);
    }
    const double spent = threadCpuMs() - before;
    const double seconds = double(card->playedSamples()) / card->sampleRate();
    AudioOutput::setFactoryForTests(
        [] { return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime); });
    return seconds > 0 ? spent / seconds : 0;
}

// The two readings take turns, so that a busy machine weighs on both alike.
void BM_ReadingMarkedAgainstPlain(benchmark::State &state)
{
    double plain = 0, marked = 0;
    for (auto _ : state)
        for (int turn = 0; turn < 4; ++turn) {
            plain += guiMsPerSpeechSecond(false);
            marked += guiMsPerSpeechSecond(true);
        }
    state.counters["plain_ms_per_s"] = plain / 4;
    state.counters["marked_ms_per_s"] = marked / 4;
}
BENCHMARK(BM_ReadingMarkedAgainstPlain)->Iterations(1)->Unit(benchmark::kMillisecond);

// One word marked and scrolled to, as each word report does.
void BM_MarkOneWord(benchmark::State &state)
{
    QTextEdit editor;
    editor.resize(400, 200);
    const QString text = QStringLiteral("The little fox ran down to the river. ").repeated(200);
    editor.setPlainText(text);
    editor.show();
    WordHighlighter highlighter(&editor);
    highlighter.expect(1, text);
    highlighter.readingHeard(1);
    int at = 0;
    for (auto _ : state) {
        highlighter.wordHeard(at % int(text.size() - 10), 3);
        at += 4;
    }
}
BENCHMARK(BM_MarkOneWord)->Unit(benchmark::kMicrosecond);

// The language voices are listed once, when the voice list is first filled at start.
void BM_ListLanguages(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(EspeakLanguages::list({}));
}
BENCHMARK(BM_ListLanguages)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace
