#include "table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

double threadCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

// The wall time of one run, and in cpu the processor time the run's thread took: on a
// machine shared with builds the two part, and the latter says what the operation costs.
double millisecondsOf(const Table::Run& run, int& rows, double* cpu = nullptr) {
    const double cpuStart = threadCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    rows = run();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (cpu)
        *cpu = threadCpuMilliseconds() - cpuStart;
    return ms;
}

double median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* targetText(Target target, int rows) {
    switch (target) {
    case Target::Write:
        return "<=3x";
    case Target::List:
        return rows <= 300 ? "<=3x,<=50ms" : "<=3x";
    case Target::Figure:
        return "<=50ms";
    case Target::Startup:
        return "<=1.5x";
    case Target::Whole:
        return "<=10s";
    case Target::Import:
        return "<=3s";
    }
    return "";
}

bool met(Target target, double ms, double ratio, int rows) {
    switch (target) {
    case Target::Write:
        return ratio <= 3;
    case Target::List:
        return ratio <= 3 && (rows > 300 || ms <= 50);
    case Target::Figure:
        return ms <= 50;
    case Target::Startup:
        return ratio <= 1.5;
    case Target::Whole:
        return ms <= 10000;
    case Target::Import:
        return ms <= 3000;
    }
    return false;
}

} // namespace

void Table::add(const std::string& id, const std::string& label, Target target, Run operation,
                Run reference) {
    rows_.reserve(64);
    if (rows_.size() == rows_.capacity())
        throw std::logic_error("too many operations");
    rows_.push_back({id, label, target, bool(reference), {}, {}, {}, -1});
    Row* row = &rows_.back();
    // Writes, imports, start-ups and passes over the book are timed one run at a time; lists
    // for a tenth of a second at least.
    const bool single = target == Target::Write || target == Target::Startup ||
                        target == Target::Whole || target == Target::Import;
    auto* b = benchmark::RegisterBenchmark(
        id.c_str(), [row, operation, reference](benchmark::State& state) {
            for (auto _ : state) {
                int rows = 0;
                double cpu = 0;
                const double ms = millisecondsOf(operation, rows, &cpu);
                state.SetIterationTime(ms / 1000);
                row->times.push_back(ms);
                row->cpuTimes.push_back(cpu);
                row->rows = rows;
                if (reference) {
                    int referenceRows = 0;
                    row->referenceTimes.push_back(millisecondsOf(reference, referenceRows));
                }
            }
        });
    b->UseManualTime()->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    if (single)
        b->Iterations(1)->Repetitions(target == Target::Startup  ? 9
                                      : target == Target::Whole  ? 5
                                      : target == Target::Import ? kImportRuns
                                                                 : 41);
    else
        b->MinTime(0.1)->Repetitions(5);
}

bool Table::ReportContext(const Context& context) {
    std::fprintf(stderr, "%d CPUs; timing %zu operations...\n", context.cpu_info.num_cpus,
                 rows_.size());
    return true;
}

void Table::ReportRuns(const std::vector<BenchmarkReporter::Run>& runs) {
    for (const BenchmarkReporter::Run& run : runs)
        if (run.aggregate_name == "median")
            std::fprintf(stderr, "  %-24s done\n", run.run_name.function_name.c_str());
}

void Table::print() {
    std::printf("%-22s %7s %11s %9s %11s %8s  %-12s %-4s %s\n", "operation", "rows", "median ms",
                "cpu ms", "ref ms", "ratio", "target", "met", "what");
    for (const Row& row : rows_) {
        const double ms = median(row.times);
        const double reference = row.hasReference ? median(row.referenceTimes) : -1;
        const double ratio = reference > 0 ? ms / reference : 0;
        const bool ok = ms >= 0 && met(row.target, ms, ratio, row.rows);
        allMet_ = allMet_ && ok;
        char ref[32] = "-", rat[32] = "-";
        if (row.hasReference) {
            std::snprintf(ref, sizeof ref, "%.3f", reference);
            std::snprintf(rat, sizeof rat, "%.2f", ratio);
        }
        std::printf("%-22s %7d %11.3f %9.1f %11s %8s  %-12s %-4s %s\n", row.id.c_str(), row.rows,
                    ms, median(row.cpuTimes), ref, rat, targetText(row.target, row.rows),
                    ok ? "yes" : "NO", row.label.c_str());
    }
    const bool memoryOk = memory_ > 0 && memory_ <= 150;
    allMet_ = allMet_ && memoryOk;
    std::printf("%-22s %7.0f %11.1f %9s %11s %8s  %-12s %-4s %s\n", "memory-product-list",
                memoryRows_, memory_, "-", "-", "-", "<=150MB", memoryOk ? "yes" : "NO",
                "商品列表全部打开时的常驻内存 (MB)");
}
