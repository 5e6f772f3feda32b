#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/gui/form.h"
#include "shell/tool_actions.h"

class TILBrushPage;
class TILBrushPageControl;
class TTWCardList;
class TTWDFPattern;
class TTWPalette;
class TTWPattern;
class TTWWeaving;
class TfrmBlockPattern;
class TfrmWeavingImage;

// A two-colour double-face design on a page of its own, with the band it weaves on a second
// page: the frame the lettered-band editor shows its generated design in. The design page
// holds a block grid (one column per card, two picks per row); the image page weaves it with
// one four-hole card per column, holes A and B in palette colour 0 and C and D in colour 1,
// threaded all S, all Z or alternating. A host may give its own cards and palette instead.
//
// The main window's commands reach the frame of the page shown (ITWActions).
class TframeTWDoubleFace : public fw::Frame, public ITWActions {
public:
    // The grid set up from the user's double-face settings (ratios, rotation, threading), the
    // design page shown.
    explicit TframeTWDoubleFace(fw::Component* owner = nullptr);
    ~TframeTWDoubleFace() override;

    std::string_view className() const override { return "TframeTWDoubleFace"; }

    TILBrushPageControl* const pcDoubleFace;
    TILBrushPage* const pgDesign;
    TfrmBlockPattern* const framePattern;
    TILBrushPage* const pgImage;
    TfrmWeavingImage* const frameImage;

    // 0 all S, 1 all Z, 2 alternating (S on even columns, Z on odd ones).
    std::uint8_t ThreadingMode() const { return threadingMode_; }
    void SetThreadingMode(std::uint8_t mode) { threadingMode_ = mode; }
    // Cards and a palette of the host's, used instead of the frame's own while set and not
    // empty; none here. Not owned.
    void SetHostCards(const TTWCardList* cards) { hostCards_ = cards; }
    void SetHostPalette(TTWPalette* palette) { hostPalette_ = palette; }

    // The host's cards when it gave any, else one four-hole card per column.
    void BuildCards(TTWCardList& cards) const;
    // Cards and two picks per grid row from row 0 upwards, each card turning backwards where
    // the cell differs from the row being odd. Name, palette and selvedges stay.
    void BuildThreadedPattern(TTWPattern& pattern) const;
    // The design as a two-colour double-face pattern: size and cells from the grid, the cards,
    // the selvedges of the frame's threaded-in form.
    void GetDFPattern(TTWDFPattern& pattern) const;
    // Weaves both sides again (black on white without a host palette) and shows them.
    void RefreshWeavingImage();

    bool ImageShown() const;
    // Shows the page as a click on its tab does (the image is woven first).
    void ShowPage(TILBrushPage* page);

    const TTWPattern& ThreadedPattern() const { return *threaded_; }
    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    const TTWWeaving& ReverseWeaving() const { return *reverseWeaving_; }

    // --- ITWActions --------------------------------------------------------------------------
    // To the frame of the page shown; always handled.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    // Into the grid, only while it is shown.
    void PasteClip(fw::Object* source) override;

private:
    // The palette the band is woven in.
    TTWPalette* WeavingPalette() const;

    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
    std::unique_ptr<TTWPattern> threaded_;
    const TTWCardList* hostCards_ = nullptr;
    TTWPalette* hostPalette_ = nullptr;
    std::uint8_t threadingMode_ = 0;
};
