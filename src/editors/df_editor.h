#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editors/block_frame_painter.h"
#include "model/pattern_base.h"
#include "model/weaving.h"
#include "shell/pattern_base_form.h"

class TILBrushPageControl;
class TILBrushPage;
class TILBrushPanel;
class TTWCardList;
class TTWDFPattern;
class TTWPalette;
class TTWPattern;
class TfrmBlockPattern;
class TfrmCardCompactBase;
class TfrmCardSetupCompact;
class TfrmTWPalette4x4;
class TfrmWeavingImage;

namespace fw {
class Button;
class Panel;
class SpeedButton;
} // namespace fw

// The editor window of double-face patterns in two, four or six colours. The weaver draws
// the design on a block grid (one column per card, one row per design row), sets the hole
// colours and threading of the cards in a row of card frames, and sees the woven band on
// the second page. The band, the print-out and the threaded-in save all come from the same
// conversion: 4-hole cards (6-hole with six colours), every design row woven as two picks
// (three with six colours), each card turning backwards where the cell differs from the
// row's parity.
//
// The window keeps its own design in the grid and the frames; a pattern handed to
// SetPattern stays the caller's. An MDI child of the main window, reaching the program only
// through its editor host. The 3/1 broken twill editor derives from it.
class TfrmTWDoublefaceNonMDI : public TfrmTWPatternBaseForm {
public:
    // A design of colourCount colours (2, 4 or 6; any other raises as SetColourCount does),
    // 8 cards by 12 rows, threaded by the user's DefaultThread.
    explicit TfrmTWDoublefaceNonMDI(fw::Component* owner, int colourCount = 2);
    ~TfrmTWDoublefaceNonMDI() override;

    std::string_view className() const override { return "TfrmTWDoublefaceNonMDI"; }

    // --- Components -------------------------------------------------------------------------
    TILBrushPageControl* const pcMain;
    TILBrushPage* const pgPattern;
    TILBrushPage* const pgImage;
    TILBrushPanel* const pnlImageTools;
    fw::Button* const btnImageRecreate;
    TILBrushPanel* const pnlTools;
    fw::Button* const btnSetPatternCol;
    fw::Button* const btnSetBackCol;
    fw::SpeedButton* const btnSelectPalette;
    fw::SpeedButton* const btnEditPalette;
    fw::SpeedButton* const btnSwapColours;
    fw::SpeedButton* const btnReplaceColours;
    fw::SpeedButton* const btnReplaceCol2;
    fw::SpeedButton* const btnConfig3Colour;
    // The primary (pattern) and secondary (background) colours; Tag: the palette index, -1
    // for none.
    fw::Panel* const pnlPatternCol;
    fw::Panel* const pnlBackCol;
    TfrmTWPalette4x4* const framePalette;
    TfrmCardSetupCompact* const frameCards;
    TfrmBlockPattern* const framePattern;
    TfrmWeavingImage* const frameWeaving;

    // --- The kind of design -------------------------------------------------------------------
    virtual std::string GetPatternKindName() const { return "Double-Face"; }
    // A new, empty pattern of the kind the window saves.
    virtual std::unique_ptr<TTWDFPattern> NewPattern() const;
    virtual bool IsTwill() const { return false; }
    // The pattern kind (PatternType...) the main window is told of.
    virtual int PatternKind() const { return PatternTypeDoubleFace; }

    // --- The design -----------------------------------------------------------------------------
    int ColourCount() const { return colourCount_; }
    // 2, 4 or 6: the grid's drawing, the card frames' holes and height follow (tall enough
    // for every hole and the row's buttons), and the design is emptied. Any other count raises a plain error and changes nothing.
    void SetColourCount(int count);
    // The grid and the card frames take the size; frames that come into being get the
    // colour setup and a threading.
    virtual void SetPatternSize(int width, int length);
    // The holes of the frame from the primary (P) and secondary (B) colours: (P, B),
    // (P, P, B, B) or (P, P, P, B, B, B).
    virtual void ApplyColourSetup(TfrmCardCompactBase& frame);
    // A cell changed on the grid; nothing here.
    virtual void CellChanged(int x, int y, bool value);
    // The twining marks of a cell: the frame's threading, the other one where the card turns
    // backwards.
    virtual void GetCellDrawInfo(TBlockCellInfo& info);
    // The cell record of four and six colours: the colours of the holes that show.
    void GetMultiColourCellInfo(TBlockCellInfo& info);
    // Shows a copy of the pattern (which stays the caller's).
    virtual void SetPattern(const TTWDFPattern& pattern);
    // The design as a pattern of the window's kind.
    virtual void GetDFPattern(TTWDFPattern& pattern);
    // Shows the window with the pattern (none: a new design) under the file name.
    void OpenPattern(const TTWDFPattern* pattern, const std::string& fileName);

    // --- The conversion ---------------------------------------------------------------------------
    // One card per column: TTWCard6 with six colours, else TTWCard4, holes from the frames.
    virtual void BuildCards(TTWCardList& cards);
    // The picks of one design row appended: two (three with six colours).
    virtual void BuildRowPicks(int row, TTWPattern& pattern);
    // The pattern's cards and picks made from the design. Answers the pick to weave on from:
    // the first (counted from 1) that weaves otherwise than the picks the pattern held
    // before, or the last when none does; the cards are the loom's to compare.
    virtual int BuildThreadedPattern(TTWPattern& pattern);
    // The band woven again from the design and shown.
    void RefreshWeavingImage();

    TTWPattern& ThreadedPattern() { return *threaded_; }
    TTWPalette& Palette();
    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    const TTWWeaving& ReverseWeaving() const { return *reverseWeaving_; }

    // --- Pages ------------------------------------------------------------------------------------
    bool ImageShown() const;
    // Shows the page as a click on its tab does (the image is woven first).
    void ShowPage(TILBrushPage* page);

    // --- ITWFormActions ---------------------------------------------------------------------------
    std::string GetNotes() override { return notes_; }
    void SetNotes(const std::string& notes) override { notes_ = notes; }
    std::string GetFileName() override { return fileName_; }
    std::string GetPatternName() override { return patternName_; }
    void SetPatternName(const std::string& name) override;

    // --- ITWActions -------------------------------------------------------------------------------
    // Always handled: the editor's own ids, the rest to the frame of the page shown.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    void PasteClip(fw::Object* source) override;

    bool CardListShown() const { return cardListShown_; }
    void SetCardListShown(bool show);

    // --- Colours ----------------------------------------------------------------------------------
    void SetColourPanel(fw::Panel* panel, int index);
    void ColourPanelClick(fw::Panel* panel);
    // Every frame, the colour panels and the palette frame take the palette again.
    void ApplyPalette();
    void btnSetPatternColClick();
    void btnSetBackColClick();
    void btnSwapColoursClick();
    void btnReplaceColoursClick();
    void btnReplaceCol2Click();
    void btnSelectPaletteClick();
    void btnEditPaletteClick();
    void btnConfig3ColourClick();
    // The cards set up for a three-colour design: pattern and two background colours.
    void ApplyThreeColourSetup(int pattern, int background1, int background2);

    // "Close form and lose changes?": only Yes lets the window close, and it is then freed.
    bool CloseQuery() override { return TfrmTWPatternBaseForm::CloseQuery() && ConfirmLosingChanges(); }

protected:
    void FormCreate() override;
    void DoClose(fw::CloseAction& action) override
    {
        TfrmTWPatternBaseForm::DoClose(action);
        FreeOnClose(action);
    }
    void DoActivate() override;

private:
    void BuildLayout();
    void BindEvents();
    // A hole's colour reached the grid: the column's real colours with two colours, the
    // plain black-on-white with more.
    void HoleColourChanged(TfrmCardCompactBase* frame, int hole);
    // Every column's grid colours again from the frames.
    void SyncColumnColours();
    // The default threading of a new card in the column.
    std::uint8_t DefaultThreading(int column) const;
    void SetHoleOfAllCards(bool primary);
    void UpdateCaption();
    void ProfileMenuForPage();

    // Commands (df_editor_actions.cpp).
    void RenamePattern();
    void SaveDesign();
    void PrintThreadingDiagram();
    void EditSize();
    void PrintActions();
    void RunSelvedgeGenerator();

    // The design's turning directions set again in a pattern that already has its shape,
    // answering the first pick (from 1) whose directions changed, or the last; nothing (and
    // nothing changed) when it has not the shape.
    std::optional<int> TurnDirectionsAgain(TTWPattern& pattern);
    // The reverse side woven, when the band changed since it last was.
    void WeaveStaleReverse();

    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
    std::unique_ptr<TTWPattern> threaded_;
    std::string patternName_;
    std::string notes_;
    std::string fileName_;
    int colourCount_ = 2;
    bool cardListShown_ = true;
    // The first pick (from 1) changed since the reverse side was last woven; 0 when none.
    int reverseStaleFrom_ = 1;
};

// The same window as a child of the main window, for the Create menu and the file loader.
class TfrmSimpleDoubleface : public TfrmTWDoublefaceNonMDI {
public:
    using TfrmTWDoublefaceNonMDI::TfrmTWDoublefaceNonMDI;
    std::string_view className() const override { return "TfrmSimpleDoubleface"; }
};
