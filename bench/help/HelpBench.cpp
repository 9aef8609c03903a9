// Opening the help window on context 1: file open, map lookup, first topic shown.
// Baseline: showing the same topic's HTML, read from a plain file, in a bare text browser.
#include "bench/support/BenchTimes.h"
#include "help/ChmFile.h"
#include "help/HelpSystem.h"
#include "help/HelpViewer.h"
#include "help/HtmlHelpApi.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
QString helpFile() { return programFile(QStringLiteral("help/Vocalino.chm")) + QStringLiteral(">Main"); }

void BM_BaselinePlainTopic(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString topic = dir.filePath(QStringLiteral("main.htm"));
    {
        const auto chm = ChmFile::open(programFile(QStringLiteral("help/Vocalino.chm")));
        QFile file(topic);
        file.open(QIODevice::WriteOnly);
        file.write(chm->read(QStringLiteral("main.htm")).value_or(QByteArray()));
    }
    for (auto _ : state) {
        QFile file(topic);
        file.open(QIODevice::ReadOnly);
        QTextBrowser browser;
        browser.setHtml(QString::fromUtf8(file.readAll()));
        browser.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(browser.document()->blockCount());
    }
}

void BM_HelpWindowOnContextOne(benchmark::State &state)
{
    for (auto _ : state) {
        const qint32 handle = HtmlHelp(0, helpFile(), HH::HELP_CONTEXT, qint32(1));
        QApplication::processEvents();
        benchmark::DoNotOptimize(handle);
        state.PauseTiming();
        HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{});
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// Prints each run and, at the end, the ratio of the help window to its baseline.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.benchmark_name().find("Baseline") != std::string::npos)
                m_baseline = seconds;
            else
                m_measured = seconds;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        BenchTimes::row("help window on context 1", BenchTimes::amount(m_measured * 1000, "ms"),
                        "the topic in a bare text browser " + BenchTimes::amount(m_baseline * 1000, "ms"),
                        m_baseline > 0 ? m_measured / m_baseline : 0, "under 300 ms", m_measured < 0.3);
    }

private:
    double m_baseline = 0;
    double m_measured = 0;
};
} // namespace

BENCHMARK(BM_BaselinePlainTopic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HelpWindowOnContextOne)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
