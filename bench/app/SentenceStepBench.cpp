// How soon a sentence step is heard: from Alt+Right to the first sample of the next
// sentence at the sound card, against SPEAK's own time to its first sample, same run.
#include "app/Main.h"
#include "engine/audio/ClockAudioOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {
QElapsedTimer benchClock;

// A sound card at real-time pace that notes when the first sample reaches it after each reset.
class TimedCard : public ClockAudioOutput
{
public:
    TimedCard() : ClockAudioOutput(Pace::RealTime) {}
    qint64 write(const qint16 *samples, qint64 count) override
    {
        const qint64 taken = ClockAudioOutput::write(samples, count);
        if (taken > 0 && firstNs < 0)
            firstNs = benchClock.nsecsElapsed();
        return taken;
    }
    void reset() override
    {
        ClockAudioOutput::reset();
        firstNs = -1;
    }
    qint64 firstNs = -1;
};

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Milliseconds from `act` to the first sample at the card, waiting at most two seconds.
template <typename Act> double toFirstSample(TimedCard &card, Act act)
{
    const qint64 from = benchClock.nsecsElapsed();
    card.firstNs = -1;
    act();
    while (card.firstNs < 0 && benchClock.nsecsElapsed() - from < 2'000'000'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return card.firstNs < 0 ? 2000.0 : double(card.firstNs - from) / 1e6;
}

double p95(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[std::min(times.size() - 1, times.size() * 95 / 100)];
}

constexpr int runs = 20;

// Both measures take turns in one window, so that a busy machine weighs on both alike.
void BM_SentenceStepAgainstSpeak(benchmark::State &state)
{
    benchClock.start();
    TimedCard *card = nullptr;
    AudioOutput::setFactoryForTests([&card] {
        auto made = std::make_unique<TimedCard>();
        card = made.get();
        return made;
    });
    std::vector<double> speak, step;
    for (auto _ : state) {
        Main window;
        window.show();
        QApplication::setActiveWindow(&window);
        window.RichTextBox1->setFocus();
        window.RichTextBox1->setPlainText(
            QStringLiteral("The little fox ran down to the river to say hello to the fish. ")
                .repeated(runs + 2));
        for (int i = 0; i < runs; ++i) {
            window.cmdStopText_Click();
            waitMs(50);
            speak.push_back(toFirstSample(*card, [&window] { window.cmdSpkText_Click(); }));
            waitMs(300); // a sentence under way, as when the child presses the key
            step.push_back(toFirstSample(
                *card, [&window] { QTest::keyClick(window.RichTextBox1, Qt::Key_Right, Qt::AltModifier); }));
            waitMs(100);
        }
        window.cmdStopText_Click();
        waitMs(50);
    }
    state.counters["speak_p95_ms"] = p95(speak);
    state.counters["step_p95_ms"] = p95(step);
    AudioOutput::setFactoryForTests(
        [] { return std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::RealTime); });
}
BENCHMARK(BM_SentenceStepAgainstSpeak)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
