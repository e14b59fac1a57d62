#include "table.h"

#include <cstdio>

bool Table::ReportContext(const Context& context) {
    std::fprintf(stderr, "%d CPUs at %.0f MHz; timing %zu operations...\n",
                 context.cpu_info.num_cpus, context.cpu_info.cycles_per_second / 1e6, rows_.size());
    return true;
}

void Table::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.aggregate_name != "median")
            continue;
        Median& m = medians_[run.run_name.function_name];
        m.milliseconds = run.GetAdjustedRealTime() *
                         benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                         benchmark::GetTimeUnitMultiplier(run.time_unit);
        const auto rows = run.counters.find("rows");
        if (rows != run.counters.end())
            m.rows = rows->second.value;
        std::fprintf(stderr, "  %-28s %10.3f ms\n", run.run_name.function_name.c_str(),
                     m.milliseconds);
    }
}

namespace {

const char* targetText(Target target, double rows) {
    switch (target) {
    case Target::Write:
        return "<=3x";
    case Target::List:
        return rows >= 0 && rows <= 300 ? "<=3x,<=50ms" : "<=3x";
    case Target::Figure:
        return "<=50ms";
    case Target::Startup:
        return "<=1.5x";
    }
    return "";
}

bool met(Target target, double ms, double ratio, double rows) {
    switch (target) {
    case Target::Write:
        return ratio <= 3;
    case Target::List:
        return ratio <= 3 && (rows > 300 || ms <= 50);
    case Target::Figure:
        return ms <= 50;
    case Target::Startup:
        return ratio <= 1.5;
    }
    return false;
}

} // namespace

void Table::print() {
    std::printf("%-22s %8s %11s  %-22s %11s %7s  %-12s %-4s %s\n", "operation", "rows", "median ms",
                "reference", "ref ms", "ratio", "target", "met", "what");
    for (const Row& row : rows_) {
        const Median op = medians_[row.op];
        const Median ref = row.reference.empty() ? Median() : medians_[row.reference];
        const double ratio = ref.milliseconds > 0 ? op.milliseconds / ref.milliseconds : 0;
        const bool ok = op.milliseconds >= 0 && met(row.target, op.milliseconds, ratio, op.rows);
        allMet_ = allMet_ && ok;
        std::printf("%-22s %8.0f %11.3f  %-22s %11.3f %7.2f  %-12s %-4s %s\n",
                    row.op.substr(3).c_str(), op.rows, op.milliseconds,
                    row.reference.empty() ? "-" : row.reference.substr(4).c_str(), ref.milliseconds,
                    ratio, targetText(row.target, op.rows), ok ? "yes" : "NO", row.label.c_str());
    }
    const bool memoryOk = memory_ > 0 && memory_ <= 150;
    allMet_ = allMet_ && memoryOk;
    std::printf("%-22s %8.0f %11.1f  %-22s %11s %7s  %-12s %-4s %s\n", "memory-product-list",
                memoryRows_, memory_, "-", "-", "-", "<=150MB", memoryOk ? "yes" : "NO",
                "商品列表全部打开时的常驻内存 (MB)");
}
