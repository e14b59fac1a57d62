#pragma once

#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

// How often an import is timed: each run needs a workbook of codes new to the book.
inline constexpr int kImportRuns = 5;

// What an operation must reach.
enum class Target {
    Write,   // at most 3x a one-row durable commit
    List,    // at most 3x reading its rows from a plain table; 50 ms for a few hundred rows
    Figure,  // sums and statistics: at most 50 ms
    Startup, // at most 1.5x a bare Qt window
    Whole,   // a pass over the whole book (the books check): at most 10 s
    Import,  // a catalogue of 10,000 products: at most 3 s ("a few seconds")
};

// One row per operation: the median of its single runs, the median of its reference's runs
// (each run right after one of the operation's, so that both meet the same machine: the disk
// of a shared machine flushes in 0.2 ms one minute and in 4 ms the next), the ratio, and
// whether the target is met. As the benchmark library's reporter it only shows progress.
class Table : public benchmark::BenchmarkReporter {
public:
    // Runs the operation once and returns the rows it listed (0 for a write).
    using Run = std::function<int()>;

    // Registers the operation and its reference (none: measured against the target alone).
    void add(const std::string& id, const std::string& label, Target target, Run operation,
             Run reference = {});
    // A measurement taken elsewhere (the resident memory).
    void addMemory(double megabytes, double rows) {
        memory_ = megabytes;
        memoryRows_ = rows;
    }

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<BenchmarkReporter::Run>& runs) override;

    void print();
    bool allMet() const { return allMet_; }

private:
    struct Row {
        std::string id;
        std::string label;
        Target target;
        bool hasReference;
        std::vector<double> times, referenceTimes, cpuTimes; // milliseconds
        int rows = -1;
    };
    std::vector<Row> rows_; // never reallocated once the benchmarks run
    double memory_ = -1;
    double memoryRows_ = -1;
    bool allMet_ = true;
};
