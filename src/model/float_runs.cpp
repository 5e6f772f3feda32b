#include "model/float_runs.h"

#include "model/weaving.h"

void TTWFloatRuns::Start(TTWWeaving& weaving)
{
    weaving_ = &weaving;
    const auto width = static_cast<std::size_t>(weaving.Width());
    runHole_.assign(width, 0);
    runStart_.assign(width, 0);
    holes_.assign(width, 0);
    ended_.assign(width, 0);
    picks_ = 0;
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
            Mark(column, ended[column] - 1, pick - 1);
        }
    }
}

void TTWFloatRuns::Finish()
{
    for (std::size_t column = 0; column < runStart_.size(); ++column) {
        if (picks_ - runStart_[column] >= ShortestFloat) {
            Mark(column, runStart_[column], picks_ - 1);
        }
    }
}

void TTWFloatRuns::Mark(std::size_t column, int start, int end) const
{
    const std::size_t width = runStart_.size();
    TTWWeavingCell* cell = weaving_->AllCells().data() + static_cast<std::size_t>(start) * width + column;
    for (int pick = start; pick <= end; ++pick, cell += width) {
        cell->SetFloat(start, end);
    }
}
