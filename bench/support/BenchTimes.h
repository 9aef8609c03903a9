#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// What a run measured: each benchmark's real time per iteration, in its own unit, and its counters.
struct BenchResults
{
    std::map<std::string, double> times;
    std::map<std::string, std::map<std::string, double>> counters;

    // A counter of a benchmark, 0 when it did not run.
    double counter(const std::string &benchmarkName, const std::string &key) const
    {
        const auto found = counters.find(benchmarkName);
        if (found == counters.end() || !found->second.count(key))
            return 0;
        return found->second.at(key);
    }
};

// Prints the usual table and keeps each benchmark's real time per iteration, in
// that benchmark's own unit, and its counters, so that main() can print ratios against
// a baseline measured in the same run.
class BenchTimes : public benchmark::ConsoleReporter
{
public:
    explicit BenchTimes(OutputOptions options = OO_Defaults) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            results.times[run.benchmark_name()] = run.GetAdjustedRealTime();
            for (const auto &[key, counter] : run.counters)
                results.counters[run.benchmark_name()][key] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Runs the benchmarks the command line selects and returns their times.
    static std::map<std::string, double> run(int &argc, char **argv, OutputOptions options = OO_Defaults)
    {
        return runAll(argc, argv, options).times;
    }

    // The same, keeping the counters as well.
    static BenchResults runAll(int &argc, char **argv, OutputOptions options = OO_Defaults)
    {
        benchmark::Initialize(&argc, argv);
        BenchTimes reporter(options);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        return reporter.results;
    }

    // One figure for scripts/bench's closing table: what was measured, against which
    // baseline, the ratio, the goal and whether it was met. The line is both readable
    // and collected by scripts/bench ("bench-row|" and fields separated by "|"). A negative
    // ratio means the figure has none (an amount above its baseline, for instance).
    static void row(const std::string &figure, const std::string &measured, const std::string &baseline,
                    double ratio, const std::string &goal, bool met)
    {
        const std::string ratioText = ratio < 0 ? "-" : amount(ratio, "", 2);
        std::printf("bench-row|%s|%s|%s|%s|%s|%s\n", figure.c_str(), measured.c_str(), baseline.c_str(),
                    ratioText.c_str(), goal.c_str(), met ? "met" : "NOT met");
        std::fflush(stdout);
    }

    // "12.3 ms" and the like, for the table's cells.
    static std::string amount(double value, const char *unit, int decimals = 1)
    {
        char text[64];
        if (*unit)
            std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
        else
            std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }

    BenchResults results;
};
