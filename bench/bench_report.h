#pragma once

// What the benchmark programs share for their summaries: the times of the runs, numbers and
// columns for the report, and the heap and resident-memory figures they measure.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <charconv>
#include <cstddef>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bench {

inline std::string Fixed(double value, int decimals)
{
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    return std::string(digits, result.ptr);
}

inline std::string PadLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

inline std::string PadRight(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// How a figure stands against its target, for the end of a summary line.
inline std::string Verdict(std::string_view target, bool met)
{
    return "  (target: " + std::string(target) + (met ? ", met)" : ", MISSED)");
}

// Keeps the time of every benchmark (milliseconds as the benchmark's unit gives them) while
// the console shows the runs as usual. A benchmark with arguments is kept under its name, a
// slash and the arguments ("Paint/real:1"); of repeated runs only the named aggregate counts.
class CapturingReporter : public benchmark::ConsoleReporter {
public:
    explicit CapturingReporter(std::string aggregate = "mean") : aggregate_(std::move(aggregate)) {}

    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.error_occurred) {
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != aggregate_) {
                continue;
            }
            std::string key = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                key += "/" + run.run_name.args;
            }
            times_[key] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(reports);
    }

    // The time of a benchmark, or -1 when it did not run (filtered out, or failed).
    double Time(const std::string& name) const
    {
        const auto found = times_.find(name);
        return found == times_.end() ? -1 : found->second;
    }

private:
    std::string aggregate_;
    std::map<std::string, double> times_;
};

// Runs the benchmarks the command line selects through the reporter; false when the command
// line holds arguments the library does not know (they have been reported).
inline bool RunBenchmarks(int& argc, char** argv, CapturingReporter& reporter)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return false;
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

// The bytes the heap hands out now.
inline std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A value of /proc/self/status in bytes (kB there), such as "VmRSS" or "VmHWM".
inline std::size_t ProcStatus(std::string_view key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key)) {
            std::size_t kilobytes = 0;
            std::string_view rest = std::string_view(line).substr(key.size());
            while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == ':')) {
                rest.remove_prefix(1);
            }
            std::from_chars(rest.data(), rest.data() + rest.size(), kilobytes);
            return kilobytes * 1024;
        }
    }
    return 0;
}

// Clears the high-water mark of the resident size, so that it tells the peak from now on.
inline bool ResetPeakResident()
{
    std::ofstream refs("/proc/self/clear_refs");
    refs << "5";
    refs.flush();
    return refs.good();
}

} // namespace bench
