#include "model/float_runs.h"

#include "model/weaving.h"

void TTWFloatRuns::Start(TTWWeaving& weaving, int firstPick)
{
    weaving_ = &weaving;
    const auto width = static_cast<std::size_t>(weaving.Width());
    runHole_.assign(width, 0);
    runStart_.assign(width, 0);
    markFrom_.assign(width, 0);
    holes_.assign(width, 0);
    ended_.assign(width, 0);
    firstPick_ = firstPick;
    picks_ = firstPick;
    if (firstPick > 0) {
        for (std::size_t column = 0; column < width; ++column) {
            TakeUpRun(column, firstPick);
        }
    }
}

void TTWFloatRuns::TakeUpRun(std::size_t column, int firstPick)
{
    const int col = static_cast<int>(column);
    TTWWeavingCell& last = *weaving_->Cell(col, firstPick - 1);
    const int hole = last.Hole;
    int start = firstPick - 1;
    if (last.InFloat) {
        // A marked run is whole: it begins where its float does.
        start = last.FloatStartPick();
    } else {
        // An unmarked one is shorter than a float, but looking back costs nothing in that case.
        while (start > 0 && weaving_->Cell(col, start - 1)->Hole == hole) {
            --start;
        }
    }
    runHole_[column] = hole;
    runStart_[column] = start;
    if (last.InFloat && firstPick - start >= ShortestFloat) {
        // The rows before make a float on their own, and it begins at the same pick: its
        // cells stay marked, and only its first cell learns a new end later.
        markFrom_[column] = firstPick;
        return;
    }
    // The run may end up shorter than a float: whatever marks its cells hold go.
    for (int pick = start; pick < firstPick; ++pick) {
        weaving_->Cell(col, pick)->ClearFloat();
    }
    markFrom_[column] = start;
}

void TTWFloatRuns::Add(int pick)
{
    const std::size_t width = runStart_.size();
    const TTWWeavingCell* row = weaving_->AllCells().data() + static_cast<std::size_t>(pick) * width;
    // Plain pointers: the vectors' own would be loaded again after every store.
    int* holes = holes_.data();
    int* runHoles = runHole_.data();
    int* runStarts = runStart_.data();
    int* ended = ended_.data();
    picks_ = pick + 1;
    // The holes are gathered into a plain row of numbers first: every column is then worked
    // on alike, without a branch, which the compiler turns into vector instructions that take
    // several columns at once.
    for (std::size_t column = 0; column < width; ++column) {
        holes[column] = row[column].Hole;
    }
    if (pick == 0) {
        for (std::size_t column = 0; column < width; ++column) {
            runHoles[column] = holes[column];
            runStarts[column] = 0;
        }
        return;
    }
    for (std::size_t column = 0; column < width; ++column) {
        const int start = runStarts[column];
        const bool ends = holes[column] != runHoles[column];
        // A float that ends leaves its first pick + 1 behind, anything else 0.
        ended[column] = ends && pick - start >= ShortestFloat ? start + 1 : 0;
        runStarts[column] = ends ? pick : start;
        runHoles[column] = holes[column];
    }
    for (std::size_t column = 0; column < width; ++column) {
        if (ended[column] != 0) {
            const int start = ended[column] - 1;
            Mark(column, start, pick - 1, start >= firstPick_ ? start : markFrom_[column]);
        }
    }
}

void TTWFloatRuns::Finish()
{
    for (std::size_t column = 0; column < runStart_.size(); ++column) {
        const int start = runStart_[column];
        if (picks_ - start >= ShortestFloat) {
            Mark(column, start, picks_ - 1, start >= firstPick_ ? start : markFrom_[column]);
        }
    }
}

void TTWFloatRuns::Mark(std::size_t column, int start, int end, int from) const
{
    const std::size_t width = runStart_.size();
    TTWWeavingCell* first = weaving_->AllCells().data() + static_cast<std::size_t>(start) * width + column;
    TTWWeavingCell* cell = first + static_cast<std::size_t>(from - start) * width;
    for (int pick = from; pick <= end; ++pick, cell += width) {
        cell->SetFloat(start);
    }
    first->SetFloatEnd(end);
}
