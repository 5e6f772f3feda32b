#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "shell/pattern_base_form.h"

class TILBrushPage;
class TILBrushPageControl;
class TTWPattern;
class TTWWarpTwinedPattern;
class TTWWeaving;
class TfrmBlockPattern;
class TfrmWeavingImage;
struct TBlockCellInfo;

// The editor window of a twist-patterned (warp-twined) design: a two-state grid in which
// every column is a four-hole card with its own S or Z threading, woven with every card
// turning forwards, the design made either by reversing cards where a cell is set or by
// twisting them where a column changes. The grid is drawn on the pattern page; the image
// page shows the band it weaves, front and reverse.
//
// The window keeps a copy of the pattern it is given, the threaded-in form it weaves the
// band from, and both bands. It reaches the program only through its editor host.
class TfrmTWWarpTwinedPatternNonMDI : public TfrmTWPatternBaseForm {
public:
    // "Twist-Patterned", maximised; its parts built, the grid set up from the user's
    // twist-patterned settings, the image showing the block chart without a grid. Not shown.
    explicit TfrmTWWarpTwinedPatternNonMDI(fw::Component* owner);
    // Leaves the Windows menu and the notes; the frames let go of the bands first.
    ~TfrmTWWarpTwinedPatternNonMDI() override;

    std::string_view className() const override { return "TfrmTWWarpTwinedPatternNonMDI"; }

    // --- Components -------------------------------------------------------------------------
    TILBrushPageControl* const pcMain;
    TILBrushPage* const pgPattern;
    TfrmBlockPattern* const framePattern;
    TILBrushPage* const pgImage;
    TfrmWeavingImage* const frameWeaving;

    // --- Showing a pattern ------------------------------------------------------------------
    // Stores the file name, shows the pattern when one is given (the caller keeps it), lets
    // the message queue run once and shows the window.
    void OpenPattern(const TTWWarpTwinedPattern* pattern, const std::string& fileName);
    // The window's pattern becomes a copy of this one (palette included), and the grid takes
    // its size and cells; the caption, the Windows menu and the notes follow.
    void LoadPattern(const TTWWarpTwinedPattern& pattern);
    // The window's pattern as the grid shows it now: size and cells taken from the grid, the
    // cards, selvedges, name and notes as they are.
    const TTWWarpTwinedPattern& GetPattern();
    // The pattern as last loaded or saved, without the grid's edits.
    const TTWWarpTwinedPattern& Pattern() const { return *pattern_; }
    // Its cards and threading, which the size dialog edits in place.
    TTWWarpTwinedPattern& EditablePattern() { return *pattern_; }

    // The threaded-in form and the bands, as last built.
    const TTWPattern& ThreadedPattern() const { return *threaded_; }
    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    const TTWWeaving& ReverseWeaving() const { return *reverseWeaving_; }

    // --- Weaving the grid -------------------------------------------------------------------
    // The threaded-in form again from the grid: one four-hole card per column, holes all at
    // palette index 0 and threaded as the pattern's card of that column; the pattern's
    // selvedges; one pick per row. With the twist setting every card turns forwards and is
    // twisted where its column changes; otherwise a card turns backwards where the cell and
    // its Z threading disagree. Answers the pick to weave on from (TTWPattern::Rebuild).
    int BuildThreadedPattern();
    // Weaves both bands from the grid (palette entry 0 white) and redraws the image.
    void RefreshWeavingImage();
    // Shows a page; the image page is woven afresh before it comes into view.
    void ShowPatternPage();
    void ShowImagePage();
    bool ImagePageShown() const;

    // The grid's record adjuster: a set cell is marked "\" over the whole cell, a clear one
    // "/", which is how the card lies whichever its threading.
    virtual void GetCellDrawInfo(TBlockCellInfo& info);

    // --- ITWFormActions ---------------------------------------------------------------------
    std::string GetNotes() override;
    void SetNotes(const std::string& notes) override;
    std::string GetFileName() override { return fileName_; }
    std::string GetPatternName() override;
    void SetPatternName(const std::string& name) override;

    // --- ITWActions -------------------------------------------------------------------------
    // The editor's own commands (name, save, notes, size, print); every other id goes to the
    // frame of the page shown. Always handled.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    // Into the grid, only while it is shown.
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
    // Commands (twist_editor_actions.cpp).
    void RenamePattern();
    void SavePattern();
    void ToggleNotes();
    void EditSize();
    void PrintActions();

    // The pattern's size and cells from the grid.
    void UpdatePatternFromGrid();
    void PageChanged();
    void BuildProfileMenu(bool image) const;

    std::string fileName_;
    std::unique_ptr<TTWWarpTwinedPattern> pattern_;
    std::unique_ptr<TTWPattern> threaded_;
    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
};

// The same editor as a child window of the main window; the main window's Create menu and
// the file loader open this one.
class TfrmTWWarpTwinedPattern final : public TfrmTWWarpTwinedPatternNonMDI {
public:
    explicit TfrmTWWarpTwinedPattern(fw::Component* owner) : TfrmTWWarpTwinedPatternNonMDI(owner) {}

    std::string_view className() const override { return "TfrmTWWarpTwinedPattern"; }
};
