#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// What an operation must reach.
enum class Target {
    Write,   // at most 3x a one-row durable commit
    List,    // at most 3x reading its rows from a plain table; 50 ms for a few hundred rows
    Figure,  // sums and statistics: at most 50 ms
    Startup, // at most 1.5x a bare Qt window
};

// Collects the median of every benchmark and prints one row per operation: its median, its
// reference's median, the ratio and whether the target is met.
class Table : public benchmark::BenchmarkReporter {
public:
    struct Row {
        std::string op;
        std::string label;
        std::string reference; // empty: measured against the target alone
        Target target;
    };
    void add(Row row) { rows_.push_back(std::move(row)); }
    void addMemory(double megabytes, double rows) {
        memory_ = megabytes;
        memoryRows_ = rows;
    }

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;

    void print();
    bool allMet() const { return allMet_; }

private:
    struct Median {
        double milliseconds = -1;
        double rows = -1;
    };
    std::vector<Row> rows_;
    std::map<std::string, Median> medians_;
    double memory_ = -1;
    double memoryRows_ = -1;
    bool allMet_ = true;
};
