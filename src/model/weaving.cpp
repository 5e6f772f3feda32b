#include "model/weaving.h"

#include <algorithm>

#include "foundation/generic_exception.h"
#include "framework/core/list.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "model/turning_text.h"

void TTWWeavingCell::Assign(const TTWWeavingCell& source)
{
    Colour = source.Colour;
    Slant = source.Slant;
    Hole = source.Hole;
    Reversal = source.Reversal;
    Twisted = source.Twisted;
    TurnDir = source.TurnDir;
    InFloat = source.InFloat;
}

void TTWWeavingCell::SetFloat(int startPick, int endPick)
{
    InFloat = true;
    floatStart_ = startPick;
    floatEnd_ = endPick;
}

void TTWWeavingCell::ClearFloat()
{
    InFloat = false;
    floatStart_ = -1;
    floatEnd_ = -1;
}

void TTWWeaving::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TTWWeaving*>(source)) {
        if (other != this) {
            cells_ = other->cells_;
            width_ = other->width_;
            pickCount_ = other->pickCount_;
            reverse_ = other->reverse_;
        }
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWWeaving::Clear()
{
    cells_.clear();
    pickCount_ = 0;
    width_ = 0;
}

void TTWWeaving::SetWidth(int width)
{
    if (width == width_) {
        return;
    }
    if (width < 0 || width > MaxWidth) {
        throw TGenericException::CreateFromSender(
            "Invalid width of a woven band: " + fw::IntToStr(width) + ".\r\nThe width must lie between 0 and " +
                fw::IntToStr(MaxWidth) + ".",
            nullptr, this, "SetWidth");
    }
    if (pickCount_ > 0) {
        // The rows lie one after the other in one block: a new width would tear them apart.
        throw TGenericException::CreateFromSender("The width of a woven band cannot change while it holds picks.",
                                                  nullptr, this, "SetWidth");
    }
    width_ = width;
}

void TTWWeaving::ReservePicks(int pickCount)
{
    if (pickCount > MaxPicks || static_cast<std::int64_t>(pickCount) * width_ > MaxCells) {
        throw TGenericException::CreateFromSender("The woven band is too large: " + fw::IntToStr(pickCount) +
                                                      " picks of " + fw::IntToStr(width_) + " cards.",
                                                  nullptr, this, "ReservePicks");
    }
    if (pickCount > 0) {
        cells_.reserve(static_cast<size_t>(pickCount) * static_cast<size_t>(width_));
    }
}

TTWWeavingPick TTWWeaving::AddPick()
{
    if (pickCount_ >= MaxPicks || static_cast<std::int64_t>(pickCount_ + 1) * width_ > MaxCells) {
        throw TGenericException::CreateFromSender("The woven band is too large: more than " +
                                                      fw::IntToStr(pickCount_) + " picks of " +
                                                      fw::IntToStr(width_) + " cards.",
                                                  nullptr, this, "AddPick");
    }
    const int pick = pickCount_;
    for (int column = 0; column < width_; ++column) {
        cells_.emplace_back(column, pick);
    }
    ++pickCount_;
    return Picks(pick);
}

TTWWeavingPick TTWWeaving::Picks(int index)
{
    if (index < 0 || index >= pickCount_) {
        fw::RaiseListIndexError(index);
    }
    const size_t first = static_cast<size_t>(index) * static_cast<size_t>(width_);
    return TTWWeavingPick(std::span<TTWWeavingCell>(cells_).subspan(first, static_cast<size_t>(width_)), index);
}

TTWConstWeavingPick TTWWeaving::Picks(int index) const
{
    if (index < 0 || index >= pickCount_) {
        fw::RaiseListIndexError(index);
    }
    const size_t first = static_cast<size_t>(index) * static_cast<size_t>(width_);
    return TTWConstWeavingPick(std::span<const TTWWeavingCell>(cells_).subspan(first, static_cast<size_t>(width_)),
                               index);
}

TTWWeavingCell* TTWWeaving::Cell(int column, int pick)
{
    if (column < 0 || column >= width_ || pick < 0 || pick >= pickCount_) {
        return nullptr;
    }
    return &cells_[static_cast<size_t>(pick) * static_cast<size_t>(width_) + static_cast<size_t>(column)];
}

const TTWWeavingCell* TTWWeaving::Cell(int column, int pick) const
{
    return const_cast<TTWWeaving*>(this)->Cell(column, pick);
}

const TTWWeavingCell* TTWWeaving::FloatStart(const TTWWeavingCell& cell) const
{
    return cell.InFloat ? Cell(cell.Column(), cell.FloatStartPick()) : nullptr;
}

const TTWWeavingCell* TTWWeaving::FloatEnd(const TTWWeavingCell& cell) const
{
    return cell.InFloat ? Cell(cell.Column(), cell.FloatEndPick()) : nullptr;
}

void TTWWeaving::MarkFloats()
{
    // The band is walked row by row, as it lies in memory, with the run of each column kept
    // on the side: walking it column by column would touch a new row of a large band at every
    // step. Each column still sees its picks in order, so its runs are the same.
    //
    // A run grows while each pick has the same hole on top as both its neighbours; because
    // the picks that qualify overlap, a run is always one unbroken stretch of picks.
    const auto width = static_cast<size_t>(width_);
    const auto rowAt = [this, width](int pick) { return cells_.data() + static_cast<size_t>(pick) * width; };
    // A cell without a mark is left untouched: a newly woven band has none, and its memory
    // then only needs to be read.
    const auto clearRow = [&rowAt, width](int pick) {
        TTWWeavingCell* cells = rowAt(pick);
        for (size_t column = 0; column < width; ++column) {
            TTWWeavingCell& cell = cells[column];
            if (cell.InFloat || cell.FloatStartPick() != -1 || cell.FloatEndPick() != -1) {
                cell.ClearFloat();
            }
        }
    };
    std::vector<int> runStart(width, -1);
    std::vector<int> runEnd(width, -1);
    const auto closeRun = [&](size_t column) {
        const int start = runStart[column];
        const int end = runEnd[column];
        for (int pick = start; pick <= end; ++pick) {
            rowAt(pick)[column].SetFloat(start, end);
        }
        runStart[column] = -1;
    };

    // Marks from an earlier run are cleared one row ahead of the rows compared, so every row
    // is clear before a run that reaches it is closed.
    for (int pick = 0; pick < std::min(pickCount_, 2); ++pick) {
        clearRow(pick);
    }
    for (int pick = 1; pick + 1 < pickCount_; ++pick) {
        clearRow(pick + 1);
        const TTWWeavingCell* previous = rowAt(pick - 1);
        const TTWWeavingCell* current = rowAt(pick);
        const TTWWeavingCell* next = rowAt(pick + 1);
        for (size_t column = 0; column < width; ++column) {
            const std::uint8_t hole = current[column].Hole;
            // Whether a pick continues a run is too random to guess, so the run is updated
            // by selection rather than by branching; only the end of a run branches.
            const bool sameAsNeighbours = (previous[column].Hole == hole) & (next[column].Hole == hole);
            const int start = runStart[column];
            runStart[column] = sameAsNeighbours && start < 0 ? pick - 1 : start;
            runEnd[column] = sameAsNeighbours ? pick + 1 : runEnd[column];
            if (!sameAsNeighbours && start >= 0) {
                closeRun(column);
            }
        }
    }
    // The last pick has no neighbour after it: a run still open ends with it.
    for (size_t column = 0; column < width; ++column) {
        if (runStart[column] >= 0) {
            closeRun(column);
        }
    }
}

void TTWWeaving::SetHoleColour(int column, int hole, TTWColour colour)
{
    if (column < 0 || column >= width_) {
        return;
    }
    for (int pick = 0; pick < pickCount_; ++pick) {
        TTWWeavingCell* cell = Cell(column, pick);
        if (cell->Hole == hole) {
            cell->Colour = colour;
        }
    }
}

void TTWWeaving::SaveTurningSequence(const std::string& fileName, const TTWCardList* cards,
                                     const TTWPalette* palette) const
{
    fw::StringList lines;
    BuildTurningSequence(*this, cards, palette, lines);
    lines.SaveToFile(fileName);
}
