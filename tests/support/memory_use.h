#pragma once

#include <charconv>
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

// The bytes the heap has handed out and not taken back yet, in any build: the address
// sanitizer keeps its own heap and counts it; otherwise glibc's allocator tells, large blocks
// (which it maps on their own) included.
inline std::size_t HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// How far the process's resident memory rose above where it stood when this was made, at its
// highest: what a step held for a moment counts too, though it gave it all back.
class PeakResidentGrowth {
public:
    PeakResidentGrowth()
    {
        // The kernel's high-water mark starts again from the present size.
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = Status("VmHWM");
    }

    std::size_t Bytes() const
    {
        const std::size_t peak = Status("VmHWM");
        return peak > start_ ? peak - start_ : 0;
    }

private:
    // A value of /proc/self/status in bytes (kB there).
    static std::size_t Status(std::string_view key)
    {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':') {
                const std::size_t digits = line.find_first_of("0123456789");
                std::size_t kilobytes = 0;
                if (digits != std::string::npos) {
                    std::from_chars(line.data() + digits, line.data() + line.size(), kilobytes);
                }
                return kilobytes * 1024;
            }
        }
        return 0;
    }

    std::size_t start_ = 0;
};
