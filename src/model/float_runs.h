#pragma once

#include <cstdint>
#include <vector>

class TTWWeaving;

// Marks the floats of a band while it is walked row by row: every run of three or more picks
// of one column with the same hole on top. Each column keeps the hole of its current run and
// the pick the run began at; a run is marked when it ends. That reads every cell once, so a
// band can be marked while its newest row is still in the cache, instead of in a pass of its
// own over the whole band.
class TTWFloatRuns {
public:
    // Starts a walk over the band, at its current width. Marks already in the band stay.
    void Start(TTWWeaving& weaving);
    // Takes in the next 0-based pick, from 0 on, in order.
    void Add(int pick);
    // Every run still open ends with the last pick added.
    void Finish();

private:
    // Fewer picks with one hole on top are no float.
    static constexpr int ShortestFloat = 3;

    void Mark(std::size_t column, int start, int end) const;

    TTWWeaving* weaving_ = nullptr;
    std::vector<int> runHole_;
    std::vector<int> runStart_;
    // Scratch rows: the holes of the pick taken in, and where a float ended the pick it
    // began at + 1.
    std::vector<int> holes_;
    std::vector<int> ended_;
    int picks_ = 0;
};
