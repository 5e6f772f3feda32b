#pragma once

#include "editors/weaving_image_frame_geometry.h"
#include "framework/core/canvas.h"

class TTWCardList;
class TTWWeaving;

// The cards beside the band whose threading the front image shows: the left selvedge, the
// main cards and the right selvedge, each none when there is none.
struct TWeavingImageCardLists {
    const TTWCardList* Left = nullptr;
    const TTWCardList* Main = nullptr;
    const TTWCardList* Right = nullptr;
};

// The front image around its cells: the margins with the pick and card numbers, and the rows
// of squares that show how each card is threaded. (The reverse image has neither.)
class TWeavingImageMargins {
public:
    // pickTags and cardThreading are the frame's options; the tag margins need cells at least
    // 5 pixels wide, the threading rows a main card list with cards.
    TWeavingImageMargins(const TWeavingImageGeometry& geometry, bool pickTags, bool cardThreading,
                         const TWeavingImageCardLists& cards);

    bool HasTagMargins() const { return tagMargins_; }
    bool HasThreadingRows() const { return threadingRows_; }
    // The whole image: the cell area, the tag margins and the threading rows.
    fw::Size ImageSize() const;
    // Where the threading rows begin: below the cell area and the tag margin (vertical), or
    // right of them (horizontal).
    int ThreadingStart() const;

    // Draws what of the margins and rows lies near the area (image coordinates) onto the
    // canvas, shifted by offset.
    void Draw(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving, fw::Color backColour,
              const fw::Rect& area) const;

private:
    void DrawPickTags(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving, fw::Color backColour,
                      const fw::Rect& area) const;
    void DrawPickNumbers(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving, const fw::Rect& area) const;
    void DrawCardNumbers(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const;
    void DrawCardArrow(fw::Canvas& canvas, fw::Point offset) const;
    void DrawThreadingRows(fw::Canvas& canvas, fw::Point offset, fw::Color backColour, const fw::Rect& area) const;

    const TWeavingImageGeometry& geometry_;
    TWeavingImageCardLists cards_;
    bool tagMargins_ = false;
    bool threadingRows_ = false;
    int holeRows_ = 0;
};
