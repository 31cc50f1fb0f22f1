// The figures of the performance table that `make bench` ends with: each one
// the ratio of one of our benchmarks to a reference benchmark timed in the
// same run.
//
// A benchmark program with figures replaces benchmark_main with
// OSTREL_BENCH_MAIN(rows). Its benchmarks then run in rounds (repetitions,
// interleaved in random order so that a burst of load on this shared machine
// hits both sides of a ratio alike), and every round's CPU time per
// iteration is kept. CPU time rather than wall time: the machines are shared,
// and waiting for the processor or the disk is no work of ours. Each figure
// is median(ours) / median(reference); min and median of both sides are
// printed beside it so that the noise is visible.
//
// The rows go to stdout, and are appended to the file named by the
// environment variable OSTREL_BENCH_TABLE when it is set: scripts/bench.sh
// prints that file, sorted by row number, as the table at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace figures {

// Rounds when the command line does not ask for another number.
constexpr int kDefaultRounds = 7;

struct Row {
    int order;              // place in the table (the order)
    const char* figure;     // the table's first column
    const char* ours;       // benchmark function names
    const char* reference;  //
    const char* goal;       // e.g. "≤ 0.6"
    // Wall-clock time instead of CPU time, for benchmarks whose work is done
    // by other processes (they time themselves: UseManualTime).
    bool wallClock = false;
};

// CPU milliseconds per iteration of every round, by benchmark function name.
class Collector : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, std::vector<double>> rounds;
    std::map<std::string, std::vector<double>> wallRounds;

    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate) {
                // One line per benchmark is enough beside the table.
                if (run.aggregate_name == "median") shown.push_back(run);
                continue;
            }
            if (run.error_occurred) continue;
            const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            rounds[run.run_name.function_name].push_back(run.GetAdjustedCPUTime() * toMs);
            wallRounds[run.run_name.function_name].push_back(run.GetAdjustedRealTime() * toMs);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }
};

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline std::string Times(const std::vector<double>& v) {
    char text[64];
    snprintf(text, sizeof text, "%.3g / %.3g ms", *std::min_element(v.begin(), v.end()), Median(v));
    return text;
}

inline std::string FormatRow(const Row& row, const Collector& collector) {
    const auto& kept = row.wallClock ? collector.wallRounds : collector.rounds;
    auto ours = kept.find(row.ours);
    auto reference = kept.find(row.reference);
    std::string line = std::string("| ") + row.figure + " | ";
    if (ours == kept.end() || reference == kept.end()) {
        return line + "not measured (benchmark skipped or filtered out) | " + row.goal + " | | |";
    }
    char ratio[32];
    snprintf(ratio, sizeof ratio, "%.2f", Median(ours->second) / Median(reference->second));
    return line + ratio + " | " + row.goal + " | " + Times(ours->second) + " | " +
           Times(reference->second) + " |";
}

inline bool HasFlag(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; i++) {
        if (strncmp(argv[i], name, strlen(name)) == 0) return true;
    }
    return false;
}

inline int Main(int argc, char** argv, const Row* rows, size_t rowCount) {
    // Rounds and interleaving unless the command line says otherwise.
    std::vector<char*> args(argv, argv + argc);
    static char repetitions[48];
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    snprintf(repetitions, sizeof repetitions, "--benchmark_repetitions=%d", kDefaultRounds);
    if (!HasFlag(argc, argv, "--benchmark_repetitions")) args.push_back(repetitions);
    if (!HasFlag(argc, argv, "--benchmark_enable_random_interleaving")) {
        args.push_back(interleave);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const char* tablePath = getenv("OSTREL_BENCH_TABLE");
    FILE* table = tablePath && *tablePath ? fopen(tablePath, "a") : nullptr;
    printf("\nFigures (CPU time per run unless the row says wall clock; ours and reference as "
           "min / median of the rounds):\n");
    for (size_t i = 0; i < rowCount; i++) {
        std::string line = FormatRow(rows[i], collector);
        printf("%s\n", line.c_str());
        if (table) fprintf(table, "%02d %s\n", rows[i].order, line.c_str());
    }
    if (table) fclose(table);
    return 0;
}

}  // namespace figures

#define OSTREL_BENCH_MAIN(rows)                                                 \
    int main(int argc, char** argv) {                                           \
        return figures::Main(argc, argv, rows, sizeof(rows) / sizeof(rows[0])); \
    }
