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
    for (TTWWeavingCell& cell : cells_) {
        cell.ClearFloat();
    }
    for (int column = 0; column < width_; ++column) {
        MarkColumnFloats(column);
    }
}

void TTWWeaving::MarkColumnFloats(int column)
{
    // A run grows while each pick has the same hole on top as both its neighbours; because
    // the picks that qualify overlap, a run is always one unbroken stretch of picks.
    int runStart = -1;
    int runEnd = -1;
    const auto closeRun = [&]() {
        for (int pick = runStart; pick <= runEnd; ++pick) {
            Cell(column, pick)->SetFloat(runStart, runEnd);
        }
        runStart = -1;
    };
    for (int pick = 1; pick < pickCount_; ++pick) {
        const int hole = Cell(column, pick)->Hole;
        const bool sameAsNeighbours = pick + 1 < pickCount_ && Cell(column, pick - 1)->Hole == hole &&
                                      Cell(column, pick + 1)->Hole == hole;
        if (sameAsNeighbours) {
            if (runStart < 0) {
                runStart = pick - 1;
            }
            runEnd = pick + 1;
        } else if (runStart >= 0) {
            closeRun();
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
