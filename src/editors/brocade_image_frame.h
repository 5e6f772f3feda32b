#pragma once

#include <string_view>

#include "editors/weaving_image_frame.h"

class TTWBrocadePattern;

// The rectangle of the image that a brocade weft floating over the columns first..last
// (1-based columns of the band) in one pick (1-based) covers: across the band from the
// first column's edge to the last one's, and along it exactly one pick's step, the
// middle of the pick's band. The cells' shapes reach half a slant beyond that step on
// each side (the real image's slanted ends; none in the block chart), so the bar is the
// cells' outline inset by that much, and the bars of one column in following picks meet
// without a gap. Right and bottom edges exclusive.
fw::Rect BrocadeWeftBar(const TWeavingImageGeometry& geometry, int pick, int firstColumn, int lastColumn);

// The real image of the brocade editor: the woven ground, and over it the brocade wefts,
// one bar per run of a weft in each brocade pick, in the weft's colour. Brocade pick i lies
// over pick i of the band (both counted from 1), and card c over the band's column of that
// card, past the left selvedge; a brocade pick beyond the band's picks, and a run beyond its
// columns, has no ground to lie on and is not drawn. The wefts float on the front: the
// reverse side shows the ground alone.
class TfrmTWBrocadeImage : public TfrmWeavingImage {
public:
    explicit TfrmTWBrocadeImage(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TfrmTWBrocadeImage"; }

    // The pattern whose wefts are drawn (not owned; none: the ground alone).
    const TTWBrocadePattern* BrocadePattern() const { return pattern_; }
    void SetBrocadePattern(const TTWBrocadePattern* pattern) { pattern_ = pattern; }

    // The ground's cells, then, on the front, the wefts of the picks near the area.
    void DrawTo(fw::Color gridColour, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                const TTWWeaving* weaving) override;

private:
    void DrawWefts(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area, const TTWWeaving& weaving) const;

    const TTWBrocadePattern* pattern_ = nullptr;
};
