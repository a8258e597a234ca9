// SPDX-License-Identifier: GPL-3.0-or-later
// Calculate on a 50-letter phrase, the longest the window passes, beside a baseline that only
// copies a text of the trace's length.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cipher/cipher.h"

namespace {

// Fifty letters, so nothing is dropped and every letter is traced.
const std::u16string kPhrase = u"thequickbrownfoxjumpsoverthelazydogvenividivicixyz";

// cppcheck-suppress constParameterCallback ; the benchmark's loop changes its state
void Calculate50Letters(benchmark::State& state) {
    cipher::CodeBuffer codes{};
    for (auto _ : state) {
        cipher::FormFields fields{kPhrase, u"29", u"", u""};
        cipher::Calculate(fields, codes);
        benchmark::DoNotOptimize(fields.log.data());
    }
}
BENCHMARK(Calculate50Letters);

// The floor: allocating and copying a text as long as a 50-letter trace.
// cppcheck-suppress constParameterCallback ; the benchmark's loop changes its state
void CopyTraceSizedText(benchmark::State& state) {
    cipher::FormFields sample{kPhrase, u"29", u"", u""};
    cipher::CodeBuffer codes{};
    cipher::Calculate(sample, codes);
    for (auto _ : state) {
        std::u16string copy = sample.log;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyTraceSizedText);

// The console report, keeping each benchmark's mean time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean") {
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    double Time(const std::string& name) const { return m_times.at(name); }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("Calculate on 50 letters: %.2f us, %.1f times the copy of a trace-sized text\n",
                reporter.Time("Calculate50Letters") / 1000.0,
                reporter.Time("Calculate50Letters") / reporter.Time("CopyTraceSizedText"));
    benchmark::Shutdown();
    return 0;
}
