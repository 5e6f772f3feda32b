#pragma once

#include <cstddef>

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
