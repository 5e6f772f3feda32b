#pragma once

#include <string>
#include <string_view>

namespace fw {
class Bitmap;
}

// What the turning-sequence report and the brocade report's ground section read from the
// turning-action display window (its list of picks and its printing options). The display
// window implements it; the reports never own it.
class ITWPrintActionSource {
public:
    virtual ~ITWPrintActionSource() = default;

    // The rows of the action list, in the order shown.
    virtual int PrintRowCount() const = 0;
    // The text of the row's cell in the column with that identifier: "PICK", "FORWARDS",
    // "BACKWARDS" or "TWIST"; "" for a row outside the list.
    virtual std::string PrintCell(int row, std::string_view columnId) const = 0;
    // Whether the pick list shown holds a twist anywhere.
    virtual bool PrintPicksHaveTwist() const = 0;
    // The band's picture; none when the display was given none.
    virtual const fw::Bitmap* PrintPicture() const = 0;
    // Whether "Print Image" is checked.
    virtual bool PrintImageChecked() const = 0;
};

// The bits of a column choice: which turning columns a report prints.
inline constexpr int PrintColumnForwards = 1;
inline constexpr int PrintColumnBackwards = 2;
inline constexpr int PrintColumnTwist = 4;
inline constexpr int PrintColumnsAll = PrintColumnForwards | PrintColumnBackwards | PrintColumnTwist;
