#pragma once

// What the benchmark programs share for their summaries: numbers and columns for the report,
// and the heap and resident-memory figures they measure.

#include <malloc.h>

#include <charconv>
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>

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
