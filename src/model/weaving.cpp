#include "model/weaving.h"

#include <algorithm>

#include "foundation/generic_exception.h"
#include "framework/core/list.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "model/float_runs.h"
#include "model/loom_record.h"
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

TTWWeaving::TTWWeaving() = default;

TTWWeaving::~TTWWeaving() = default;

void TTWWeaving::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TTWWeaving*>(source)) {
        if (other != this) {
            loomRecord_.reset();
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
    loomRecord_.reset();
    cells_.Clear();
    pickCount_ = 0;
    width_ = 0;
}

void TTWWeaving::DropPicksFrom(int pick)
{
    if (pick < 0 || pick >= pickCount_) {
        return;
    }
    pickCount_ = pick;
    cells_.Shrink(static_cast<size_t>(pick) * static_cast<size_t>(width_));
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
    const size_t needed = static_cast<size_t>(std::max(pickCount, 0)) * static_cast<size_t>(width_);
    if (needed > cells_.capacity()) {
        // A band mostly grows one pick at a time: a block a little larger than asked for
        // serves the next picks too. Its pages the system gives only once they are written.
        cells_.Reserve(std::max(needed, cells_.capacity() + cells_.capacity() / 4));
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
    // Rows made by anyone but the loom are not what the loom left.
    loomRecord_.reset();
    const int pick = pickCount_;
    if (static_cast<size_t>(pick + 1) * static_cast<size_t>(width_) > cells_.capacity()) {
        ReservePicks(pick + 1);
    }
    cells_.Append(static_cast<size_t>(width_),
                  [pick](size_t column) { return TTWWeavingCell(static_cast<int>(column), pick); });
    ++pickCount_;
    return Picks(pick);
}

TTWWeavingPick TTWWeaving::Picks(int index)
{
    if (index < 0 || index >= pickCount_) {
        fw::RaiseListIndexError(index);
    }
    const size_t first = static_cast<size_t>(index) * static_cast<size_t>(width_);
    return TTWWeavingPick(AllCells().subspan(first, static_cast<size_t>(width_)), index);
}

TTWConstWeavingPick TTWWeaving::Picks(int index) const
{
    if (index < 0 || index >= pickCount_) {
        fw::RaiseListIndexError(index);
    }
    const size_t first = static_cast<size_t>(index) * static_cast<size_t>(width_);
    return TTWConstWeavingPick(AllCells().subspan(first, static_cast<size_t>(width_)), index);
}

TTWWeavingCell* TTWWeaving::Cell(int column, int pick)
{
    if (column < 0 || column >= width_ || pick < 0 || pick >= pickCount_) {
        return nullptr;
    }
    return &cells_.data()[static_cast<size_t>(pick) * static_cast<size_t>(width_) + static_cast<size_t>(column)];
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
    return cell.InFloat ? Cell(cell.Column(), FloatEndPick(cell)) : nullptr;
}

int TTWWeaving::FloatEndPick(const TTWWeavingCell& cell) const
{
    const TTWWeavingCell* start = FloatStart(cell);
    return start != nullptr ? start->FloatEndPick() : -1;
}

int TTWWeaving::FloatLength(const TTWWeavingCell& cell) const
{
    return cell.InFloat ? FloatEndPick(cell) - cell.FloatStartPick() + 1 : 1;
}

void TTWWeaving::MarkFloats()
{
    // Each row is cleared of earlier marks just before it is taken in: a run is marked only
    // once it has ended, so it never reaches a row that is still to be cleared. A cell
    // without a mark is left untouched: a newly woven band has none, and its memory then only
    // needs to be read.
    loomRecord_.reset();
    const auto width = static_cast<size_t>(width_);
    TTWFloatRuns runs;
    runs.Start(*this);
    for (int pick = 0; pick < pickCount_; ++pick) {
        TTWWeavingCell* cells = cells_.data() + static_cast<size_t>(pick) * width;
        for (size_t column = 0; column < width; ++column) {
            TTWWeavingCell& cell = cells[column];
            if (cell.HasFloatMarks()) {
                cell.ClearFloat();
            }
        }
        runs.Add(pick);
    }
    runs.Finish();
}

void TTWWeaving::SetHoleColour(int column, int hole, TTWColour colour)
{
    if (column < 0 || column >= width_) {
        return;
    }
    loomRecord_.reset();
    for (int pick = 0; pick < pickCount_; ++pick) {
        TTWWeavingCell* cell = Cell(column, pick);
        if (cell->Hole == hole) {
            cell->Colour = colour;
        }
    }
}

std::unique_ptr<TTWLoomRecord> TTWWeaving::TakeLoomRecord()
{
    return std::move(loomRecord_);
}

void TTWWeaving::KeepLoomRecord(std::unique_ptr<TTWLoomRecord> record)
{
    loomRecord_ = std::move(record);
}

void TTWWeaving::SaveTurningSequence(const std::string& fileName, const TTWCardList* cards,
                                     const TTWPalette* palette) const
{
    fw::StringList lines;
    BuildTurningSequence(*this, cards, palette, lines);
    lines.SaveToFile(fileName);
}
