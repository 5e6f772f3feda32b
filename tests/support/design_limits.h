#pragma once

#include <cstdint>
#include <string>

#include "model/pattern_limits.h"

// The most rows a design as wide as a pattern may be holds.
inline constexpr int FullWidthRows = static_cast<int>(MaxDesignCells / MaxPatternCards);

// The refusal of a design of more cells than a file may hold, spelt out as the user reads it:
// "Pattern too large (<width> x <length> cells).\r\nA pattern has at most <limit> cells."
inline std::string TooManyCells(std::int64_t width, std::int64_t length)
{
    return "Pattern too large (" + std::to_string(width) + " x " + std::to_string(length)
           + " cells).\r\nA pattern has at most " + std::to_string(MaxDesignCells) + " cells.";
}
