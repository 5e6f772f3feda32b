#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editors/df_editor.h"
#include "framework/core/bitmap.h"
#include "framework/gui/message.h"

class TILRadioButton;
class TTWTwillBlockDesignItem;
struct TBlockArea;

namespace fw {
class Label;
} // namespace fw

// The editor window of 3/1 broken twill patterns: the double-face editor on a staggered grid
// (an odd column starts half a row later, so its row 0 has no cell), with a second layer of
// long-float marks over the cells, a choice of background twill (S or Z) and its own
// conversion into turning actions, built card column by card column: every card keeps the
// two-forwards, two-backwards rhythm of the twill, reverses at every row where its colour
// stays, and reverses within a row at a long float.
class TfrmTWDoubleFaceTwillNonMDI : public TfrmTWDoublefaceNonMDI {
public:
    explicit TfrmTWDoubleFaceTwillNonMDI(fw::Component* owner, int colourCount = 2);
    ~TfrmTWDoubleFaceTwillNonMDI() override;

    std::string_view className() const override { return "TfrmTWDoubleFaceTwillNonMDI"; }

    // --- Components -------------------------------------------------------------------------
    // Long-float mode: the mouse edits the marks instead of the cells (a toggle).
    fw::SpeedButton* const btnSetLongFloats;
    // The marks shown over the cells (a toggle).
    fw::SpeedButton* const btnMarkLongFloats;
    fw::SpeedButton* const btnClearLongFloats;
    fw::Panel* const pnlBackgroundTwill;
    fw::Label* const lblBackgroundTwill;
    TILRadioButton* const rbBackgroundSTwill;
    TILRadioButton* const rbBackgroundZTwill;

    // --- The kind of design -------------------------------------------------------------------
    std::string GetPatternKindName() const override { return "3/1 Broken Twill"; }
    std::unique_ptr<TTWDFPattern> NewPattern() const override;
    bool IsTwill() const override { return true; }
    int PatternKind() const override { return PatternTypeBrokenTwill; }

    // --- The design ---------------------------------------------------------------------------
    // Anything but a 3/1 broken twill raises. The cells, the cards, the marks and the
    // background twill; with two colours each card frame takes the two holes that carry the
    // card's colours in its place of the twill's four-card repeat.
    void SetPattern(const TTWDFPattern& pattern) override;
    // Into anything but a 3/1 broken twill raises. The design, its marks and its background.
    void GetDFPattern(TTWDFPattern& pattern) override;

    // False outside the grid.
    bool IsLongFloat(int x, int y) const;
    // Inside the grid only; a mark in row 0 of an odd column is refused (that cell is not
    // woven).
    void SetLongFloat(int x, int y, bool value);
    bool LongFloatMode() const { return longFloatMode_; }
    void SetLongFloatMode(bool on);
    bool MarkLongFloats() const { return markLongFloats_; }
    // Shows or hides the marks; the grid is drawn again.
    void SetMarkLongFloats(bool on);
    // Asks first; Yes clears every mark of the grid.
    void btnClearLongFloatsClick();

    bool ZTwillBackground() const;
    void SetZTwillBackground(bool z);

    // Every even column moves down one row, cells and marks, as one undo step: the top cell
    // becomes background and the lowest one drops out.
    void Realign();

    // --- The conversion (twill_editor_picks.cpp) -------------------------------------------------
    // With two colours one 4-hole card per column, primary (P) and secondary (B) colour in
    // the holes by the column's place in the repeat: (P, P, B, B), (B, P, P, B), (B, B, P, P),
    // (B, P, P, B); other counts as the double-face editor.
    void BuildCards(TTWCardList& cards) override;
    // The cards, then the picks column by column.
    int BuildThreadedPattern(TTWPattern& pattern) override;
    // Appends the turns (and twists) of one card column to the pattern's picks, making picks
    // as needed.
    void BuildColumnPicks(int column, TTWPattern& pattern) const;

    // --- ITWActions ---------------------------------------------------------------------------
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;

    // Halves a picture's height before it is imported: bitmap row y goes onto row y div 2
    // (so each row takes the later of its pair), and the odd row out at the end is dropped.
    static void HalveRows(fw::Bitmap& bitmap);

private:
    void BuildTwillLayout();
    void BindTwillEvents();
    TTWTwillBlockDesignItem& TwillDesign();
    const TTWTwillBlockDesignItem& TwillDesign() const;
    void DrawLongFloatMarks(const TBlockCellInfo& info, fw::Canvas& canvas) const;
    // The grid's mouse in long-float mode; false leaves the event to the grid.
    bool CellMouse(fw::MouseButton button, fw::ShiftState shift, fw::Point cell, bool press);
    // A mark changed by the mouse, drawn again when it changed.
    void ChangeMarkAt(fw::Point cell, bool value);
    void ClearLongFloats(const TBlockArea& region);

    bool longFloatMode_ = false;
    bool markLongFloats_ = false;
};

// The same window as a child of the main window, for the Create menu and the file loader.
class TfrmTWDoubleFaceTwill : public TfrmTWDoubleFaceTwillNonMDI {
public:
    using TfrmTWDoubleFaceTwillNonMDI::TfrmTWDoubleFaceTwillNonMDI;
    std::string_view className() const override { return "TfrmTWDoubleFaceTwill"; }
};
