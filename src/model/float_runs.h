#pragma once

#include <cstdint>
#include <vector>

class TTWWeaving;

// Marks the floats of a band while it is walked row by row: every run of three or more picks
// of one column with the same hole on top. Each column keeps the hole of its current run and
// the pick the run began at; a run is marked when it ends. That reads every cell once, so a
// band can be marked while its newest row is still in the cache, instead of in a pass of its
// own over the whole band.
//
// A walk may also begin at a later pick, when the band is woven again from there: the rows
// before keep their marks, except for each column's run that reaches the row before the
// walk's first pick. That run goes on into the new rows or ends there, so it is taken up
// again from its first pick; its cells are not marked again where they already belong to a
// float that begins where the run does.
class TTWFloatRuns {
public:
    // Starts a walk over the band, at its current width, from the 0-based pick on; the band
    // holds its rows up to that pick, marked as a whole band is (see above).
    void Start(TTWWeaving& weaving, int firstPick = 0);
    // Takes in the next 0-based pick, from the first one on, in order.
    void Add(int pick);
    // Every run still open ends with the last pick added.
    void Finish();

private:
    // Fewer picks with one hole on top are no float.
    static constexpr int ShortestFloat = 3;

    // Takes up, at the walk's first pick, the run of the column that reaches the row before.
    void TakeUpRun(std::size_t column, int firstPick);
    // Marks the run [start, end] of the column as a float; its cells before the pick from
    // belong to it already.
    void Mark(std::size_t column, int start, int end, int from) const;

    TTWWeaving* weaving_ = nullptr;
    std::vector<int> runHole_;
    std::vector<int> runStart_;
    // For each column, the first pick of its current run not yet marked as part of it.
    std::vector<int> markFrom_;
    // Scratch rows: the holes of the pick taken in, and where a float ended the pick it
    // began at + 1.
    std::vector<int> holes_;
    std::vector<int> ended_;
    int firstPick_ = 0;
    int picks_ = 0;
};
