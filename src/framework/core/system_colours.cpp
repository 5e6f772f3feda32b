#include "framework/core/system_colours.h"

#include <array>

namespace fw {

namespace {

// Indexed by the platform's system colour numbers; see the header for the names.
constexpr std::array<Color, SystemColorCount> SystemColors = {
    0xC8C8C8, // 0 scroll bar
    0x000000, // 1 desktop background
    0xD1B499, // 2 active caption
    0xDBCDBF, // 3 inactive caption
    0xF0F0F0, // 4 menu
    0xFFFFFF, // 5 window
    0x646464, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0x000000, // 9 caption text
    0xB4B4B4, // 10 active border
    0xFCF7F4, // 11 inactive border
    0xABABAB, // 12 application work space
    0xD77800, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xF0F0F0, // 15 button face
    0xA0A0A0, // 16 button shadow
    0x6D6D6D, // 17 grey text
    0x000000, // 18 button text
    0x000000, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x696969, // 21 3-D dark shadow
    0xE3E3E3, // 22 3-D light
    0x000000, // 23 hint text
    0xE1FFFF, // 24 hint background
    0x000000, // 25 (not used)
    0xCC6600, // 26 hot-tracked item
    0xEAD1B9, // 27 active caption gradient
    0xF2E4D7, // 28 inactive caption gradient
    0xD77800, // 29 menu highlight
    0xF0F0F0, // 30 menu bar
};

} // namespace

Color SysColor(int index)
{
    if (index < 0 || index >= SystemColorCount) {
        return 0;
    }
    return SystemColors[static_cast<std::size_t>(index)];
}

Color ColorToRGB(Color colour)
{
    if (IsSystemColor(colour)) {
        return SysColor(static_cast<int>(colour & 0xFF));
    }
    return colour & 0x00FFFFFF;
}

} // namespace fw
