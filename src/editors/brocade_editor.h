#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editors/brocade_runs.h"
#include "model/palette.h"
#include "shell/pattern_base_form.h"

class TILBrushPage;
class TILBrushPageControl;
class TILBrushPanel;
class TTWBrocadePattern;
class TTWCardList;
class TTWPatternBase;
class TTWWeaving;
class TfrmBrocadePatternFrame;
class TfrmCardCompactBase;
class TfrmTWBrocadeImage;
class TfrmTWPaletteFunctions;

namespace fw {
class Label;
class Panel;
} // namespace fw

// The editor window of brocade patterns: a grid in which every cell is a card in a pick, set
// where a brocade weft floats over the card (each set cell carrying one of the wefts A to E)
// and clear where the card ties the weft down; the row of card frames under the grid for
// the warp, whose colours the palette frame gives; an optional ground weave taken from
// another pattern file; and the real image of the result, the wefts over the woven ground.
//
// Brocade pick n is woven over pick n of the ground (pick 1 the grid's bottom row): with a
// ground weave its own picks, as its conversion into threaded-in form gives them, on the
// editor's cards; without one every card turns forwards once a pick. Importing a ground
// sizes the grid to the ground's cards and to the picks it weaves (not the design's own pick
// count, which for six-colour double-face is two a row where three are woven), so that
// every woven pick has its grid row.
//
// The window keeps its own copy of the pattern, the weft runs of the grid, and both sides of
// the band. It reaches the program only through its editor host.
class TfrmBrocade : public TfrmTWPatternBaseForm {
public:
    static constexpr int WeftPanels = 5;
    // The size of a new design.
    static constexpr int NewDesignWidth = 16;
    static constexpr int NewDesignPicks = 24;

    static constexpr std::string_view NotAGroundWeaveText =
        "This pattern cannot be used as a ground weave.\r\nThe ground weave must be a threaded-in, doubleface, "
        "twill, or twist-patterned design.";
    static constexpr std::string_view RemoveGroundWeaveText = "Remove the ground weave from the pattern?";

    // "Brocade Pattern", maximised, a new design of NewDesignWidth cards by NewDesignPicks
    // picks without a ground weave; the grid's ratios and orientation from the user's brocade
    // settings. Not shown.
    explicit TfrmBrocade(fw::Component* owner);
    // Leaves the Windows menu and the notes; the frames let go of the pattern and the bands.
    ~TfrmBrocade() override;

    std::string_view className() const override { return "TfrmBrocade"; }

    // --- Components -------------------------------------------------------------------------
    TILBrushPageControl* const pcMain;
    TILBrushPage* const pgPattern;
    TfrmBrocadePatternFrame* const framePattern;
    TILBrushPage* const pgImage;
    TfrmTWBrocadeImage* const frameWeaving;
    // Beside the grid: the wefts, one colour panel each (Tag: the weft number) with its
    // caption panel, and the warp's palette.
    TILBrushPanel* const pnlOptions;
    fw::Label* const lblWefts;
    fw::Panel* const pnlWeftA;
    fw::Panel* const pnlWeftB;
    fw::Panel* const pnlWeftC;
    fw::Panel* const pnlWeftD;
    fw::Panel* const pnlWeftE;
    fw::Panel* const pnlWeftACap;
    fw::Panel* const pnlWeftBCap;
    fw::Panel* const pnlWeftCCap;
    fw::Panel* const pnlWeftDCap;
    fw::Panel* const pnlWeftECap;
    fw::Label* const lblWarp;
    TILBrushPanel* const pnlColours;
    TfrmTWPaletteFunctions* const frameColours;

    // --- Showing a pattern ------------------------------------------------------------------
    // Stores the file name, shows the pattern when one is given (the caller keeps it), lets
    // the message queue run once and shows the window.
    void OpenPattern(const TTWBrocadePattern* pattern, const std::string& fileName);
    // The window's pattern becomes a copy of this one; the grid, the cards, the palette and
    // the wefts show it, and the ground is woven under it.
    void LoadPattern(const TTWBrocadePattern& pattern);
    // The pattern as last stored from the grid.
    const TTWBrocadePattern& Pattern() const { return *pattern_; }
    // The grid, the wefts and the cards into the pattern, and its threaded-in picks again.
    void StoreGrid();
    // The pattern's threaded-in picks: the ground weave's own on the pattern's cards, or
    // every card forwards once a pick without one.
    void BuildThreadedPicks();
    // Stores the grid, weaves both sides of the band and draws the image again.
    void RefreshPicture();
    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    const TTWWeaving& ReverseWeaving() const { return *reverseWeaving_; }

    bool ImagePageShown() const;
    // The pages as their tabs show them (the image page woven first).
    void ShowPatternPage();
    void ShowImagePage();

    // --- The ground weave (brocade_editor_ground.cpp) ------------------------------------------
    // Action 617: the data module's pattern dialog, then the file chosen.
    void ImportGroundWeave();
    // Takes the pattern of the file as the ground weave. A kind that cannot be one is
    // refused (NotAGroundWeaveText) before anything changes; a file that cannot be read
    // raises, changing nothing either.
    void ImportGroundWeave(const std::string& fileName);
    // The same with a pattern already read (the caller keeps it).
    void ImportGroundWeave(const TTWPatternBase& ground);
    // Action 618: asks first; the cards get the plain warp of a new brocade.
    void RemoveGroundWeave();

    // --- Wefts and runs (brocade_editor_wefts.cpp) ---------------------------------------------
    // The colour panel of a weft (1 to 5); none.
    fw::Panel* WeftPanel(int weft) const;
    fw::Panel* WeftCaptionPanel(int weft) const;
    // The panel's weft becomes the one the grid draws with.
    void SelectWeftPanel(fw::Panel* panel);
    // The colour dialog on the panel's colour; a colour chosen becomes the weft's.
    void EditWeftColour(fw::Panel* panel);
    void SetWeftColour(int weft, TTWColour colour);

    const TTWBrocadeData& Runs() const { return runs_; }
    // Every row's runs again, and one row's (drawing again the cells whose colour changed).
    void RecomputeRuns();
    void RecomputeRow(int y);
    bool MarkLongFloats() const { return markLongFloats_; }
    // The grid's own long-float colours, on the pattern page; reported as action 358.
    void SetMarkLongFloats(bool mark);
    // The colour a cell's run gives it while long floats are marked: NoColour for a run of 4
    // or less, for a length whose mark is switched off, and while nothing is marked.
    TTWColour LongFloatColour(int x, int y) const;

    // --- ITWFormActions ---------------------------------------------------------------------
    std::string GetNotes() override;
    void SetNotes(const std::string& notes) override;
    std::string GetFileName() override { return fileName_; }
    std::string GetPatternName() override;
    void SetPatternName(const std::string& name) override;

    // --- ITWActions (brocade_editor_actions.cpp) ---------------------------------------------
    // Always handled: the editor's own ids, the rest to the frame of the page shown.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    // Into the grid.
    void PasteClip(fw::Object* source) override;

protected:
    void FormCreate() override;
    // "Close form and lose changes?": only Yes lets the window close, and it is then freed.
    bool CloseQuery() override { return TfrmTWPatternBaseForm::CloseQuery() && ConfirmLosingChanges(); }
    void DoClose(fw::CloseAction& action) override
    {
        TfrmTWPatternBaseForm::DoClose(action);
        FreeOnClose(action);
    }
    void DoActivate() override;

private:
    void BuildLayout();
    void BindEvents();
    void UnbindEvents();
    void LoadCards(const TTWCardList& cards);
    // The weft threads 1 to 9 into the frame, 1 to 5 into the panels.
    void ShowWefts();
    // The cards' palette, bound to every part that shows it.
    void BindPalette();
    // Builds the front side and redraws the image when it is shown.
    void WeaveFront();
    void WeaveBoth();
    // A twist-patterned ground shows its design by the threads' slant alone.
    void ColourBySlant(TTWWeaving& weaving) const;
    void HoleColourChanged(TfrmCardCompactBase* frame, int hole);
    void CellChanged(int x, int y);
    void PageChanged();
    void BuildProfileMenu(bool image) const;
    void ReportGroundWeave() const;
    // A design of that many cards and picks would overflow what a brocade holds: raises.
    void CheckDesignSize(int cards, int picks) const;
    // Grid and run data of that size, the runs again.
    void SetDesignSize(int cards, int picks);

    // Commands (brocade_editor_actions.cpp).
    void RenamePattern();
    void EditCards();
    void SavePattern();
    void PrintThreadingCards();
    void EditSize();
    void PrintPattern();
    void LongFloatsCommand(bool down, fw::Object* data);

    std::unique_ptr<TTWBrocadePattern> pattern_;
    std::string fileName_;
    TTWBrocadeData runs_;
    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
    bool markLongFloats_ = false;
    fw::Panel* selectedWeft_ = nullptr;
    fw::Panel* selectedWeftCaption_ = nullptr;
    std::array<fw::Panel*, WeftPanels> weftPanels_{};
    std::array<fw::Panel*, WeftPanels> weftCaptions_{};
    // While a whole design goes into the grid, cell by cell: its runs are computed once at
    // the end.
    bool fillingGrid_ = false;
};
