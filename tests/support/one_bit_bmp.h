#pragma once

// Picture files as other programs write them, for the tests of what reads them.

#include <cstdint>
#include <string>
#include <vector>

namespace test_bmp {

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A 1-bit BMP as other programs write it, rows given top first as strings of '#' (bit
// set) and '.'; the palette gives the colours of bit 0 and bit 1 as 0x00RRGGBB.
inline std::vector<std::uint8_t> OneBitBmp(const std::vector<std::string>& rows, std::uint32_t colour0,
                                    std::uint32_t colour1, bool topDown)
{
    const int width = static_cast<int>(rows.front().size());
    const int height = static_cast<int>(rows.size());
    const std::size_t stride = static_cast<std::size_t>((width + 31) / 32 * 4);
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, 0); // file size, often wrong in the wild: not relied on
    Put32(out, 0);
    Put32(out, 14 + 40 + 8);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(out, 1);
    Put16(out, 1);
    for (int i = 0; i < 6; ++i) {
        Put32(out, 0);
    }
    Put32(out, colour0);
    Put32(out, colour1);
    for (int i = 0; i < height; ++i) {
        const std::string& row = rows[static_cast<std::size_t>(topDown ? i : height - 1 - i)];
        std::vector<std::uint8_t> packed(stride, 0);
        for (int x = 0; x < width; ++x) {
            if (row[static_cast<std::size_t>(x)] == '#') {
                packed[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

} // namespace test_bmp
