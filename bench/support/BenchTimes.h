#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// Prints the usual table and keeps each benchmark's real time per iteration, in
// that benchmark's own unit, so that main() can print ratios against a baseline
// measured in the same run.
class BenchTimes : public benchmark::ConsoleReporter
{
public:
    explicit BenchTimes(OutputOptions options = OO_Defaults) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    // Runs the benchmarks the command line selects and returns their times.
    static std::map<std::string, double> run(int &argc, char **argv, OutputOptions options = OO_Defaults)
    {
        benchmark::Initialize(&argc, argv);
        BenchTimes reporter(options);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        return reporter.times;
    }

    std::map<std::string, double> times;
};
