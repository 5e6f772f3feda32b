#pragma once

// Compares two woven bands cell for cell, every field a cell holds, so that a difference
// names the column, the pick and the field.

#include <gtest/gtest.h>

#include <string>

#include "model/weaving.h"

namespace same_band {

inline std::string Describe(const TTWWeaving& band, const TTWWeavingCell& cell)
{
    return "column " + std::to_string(cell.Column()) + " pick " + std::to_string(cell.Pick()) + " colour "
           + std::to_string(cell.Colour) + " slant " + std::to_string(cell.Slant) + " hole "
           + std::to_string(cell.Hole) + " dir " + std::to_string(cell.TurnDir) + " reversal "
           + std::to_string(cell.Reversal) + " twisted " + std::to_string(cell.Twisted) + " float "
           + std::to_string(cell.InFloat) + " " + std::to_string(cell.FloatStartPick()) + ".."
           + std::to_string(band.FloatEndPick(cell)) + (cell.IsFloatStart() ? " first" : "");
}

inline void ExpectSameBand(const TTWWeaving& expected, const TTWWeaving& band)
{
    ASSERT_EQ(expected.Width(), band.Width());
    ASSERT_EQ(expected.PickCount(), band.PickCount());
    ASSERT_EQ(expected.Reverse(), band.Reverse());
    for (int pick = 0; pick < expected.PickCount(); ++pick) {
        for (int column = 0; column < expected.Width(); ++column) {
            ASSERT_EQ(Describe(expected, *expected.Cell(column, pick)), Describe(band, *band.Cell(column, pick)));
        }
    }
}

} // namespace same_band
