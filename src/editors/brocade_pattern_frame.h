#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "editors/block_frame.h"
#include "model/block_design.h"
#include "model/palette.h"

class TfrmBrocadePatternFrame;
class TfrmCardSetupCompact;

// The data of one cell of a brocade grid: the weft that floats over the card in that pick,
// 0 where the card ties the weft down (or the cell is clear).
class TTWBrocadePatternAssociatedData : public TTWBlockDesignAssociatedData {
public:
    std::string_view className() const override { return "TTWBrocadePatternAssociatedData"; }
    fw::Object* NewInstance() const override { return new TTWBrocadePatternAssociatedData; }
    // The weft number from another brocade cell; any other cell data as the base class takes it.
    void Assign(const fw::Persistent* source) override;

    // One object of the class, standing for it where a data class is asked for.
    static const TTWBrocadePatternAssociatedData& Class();

    int Weft = 0;
};

// Asked for the colour a cell of the card row shows before its own colour: NoColour for
// none (the cell then shows its weft's colour, or the warp colour of its card).
using TTWBrocadeCellColourEvent = std::function<TTWColour(TfrmBrocadePatternFrame* sender, int column, int row)>;

// The brocade editor's grid: the block-design frame in which every set cell carries the
// weft (1 to 9) that floats over that card in that pick, drawn in the weft's colour, while a
// clear cell (a tie-down) shows the warp colour of its card: the hole that a card turning
// forwards once a pick brings up, (4 - row mod 4) mod 4, that is A, D, C, B up the grid. The
// row of card frames under the grid holds the cards' threading and hole colours.
//
// The mouse draws in the current weft: a click on a cell of another weft gives it the
// current weft instead of clearing it. Imports and pasted cells without data of their own
// are woven in the current weft.
class TfrmBrocadePatternFrame : public TfrmBlockPattern {
public:
    static constexpr int MaxWefts = 9;
    // The palette index of the holes of new cards.
    static constexpr int DefaultColourIndex = 15;
    static constexpr int CardRowHeight = 71;

    explicit TfrmBrocadePatternFrame(fw::Component* owner = nullptr);
    ~TfrmBrocadePatternFrame() override;

    std::string_view className() const override { return "TfrmBrocadePatternFrame"; }

    // The cards, one frame per grid column, under the grid.
    TfrmCardSetupCompact* const frameCards;

    // --- The grid ----------------------------------------------------------------------
    // The card row first takes as many frames (new ones with every hole at the default
    // colour index and the threading the user's setting gives new brocade cards), then the
    // grid its width.
    void SetGridWidth(int columns) override;
    // Stores the current weft in a cell set (0 in a cell cleared) even when the cell keeps
    // its state, then sets it as the base frame does.
    void SetCell(int x, int y, bool value) override;
    // The weft follows the cell: the current one when set, 0 when cleared.
    void ToggleCell(int x, int y) override;
    // A cell of the current weft (or none) is toggled; a cell of another weft takes the
    // current weft and stays set. The cell is drawn again.
    void ToggleCellAt(fw::Point cell) override;
    // Inside the grid: whether the weft differs from the one below it (row 0: whether the
    // cell is set).
    bool IsChangeAt(int x, int y) const override;
    // A set cell with a weft of 1 to 9: the weft's colour; any other cell of the grid the
    // background colour (a clip shows the wefts on white).
    fw::Color GetCellColour(int x, int y) const override;
    TTWBlockDataClass GetAssociatedDataClass() const override { return &TTWBrocadePatternAssociatedData::Class(); }
    // The overview (and the main image stretched from it) in the display colours.
    void RebuildSnapshot(bool force = false) override;
    void RebuildSnapshotCell(int x, int y) override;

    // The weft a cell carries; 0 outside the grid.
    int GetWeft(int x, int y) const;
    // The cell's weft alone, its state left as it is; nothing outside the grid.
    void SetWeft(int x, int y, int weft);

    // What a cell shows: its weft's colour (unless the cell colour event answers first) for
    // a weft of 1 or more; otherwise, within the card row, the event's answer or the warp
    // colour; beyond the card row the background colour.
    fw::Color DisplayColour(int x, int y) const;
    // The hole whose warp colour a clear cell of the row shows.
    static int WarpHole(int row) { return (4 - row % 4) % 4; }

    // --- Wefts -------------------------------------------------------------------------
    int CurrentWeft() const { return currentWeft_; }
    // 1 to 9; others are ignored.
    void SetCurrentWeft(int weft);
    // Weft n's colour (n from 1 to 9); NoColour outside.
    TTWColour WeftColour(int weft) const;
    void SetWeftColour(int weft, TTWColour colour);

    // The palette index new cards' holes take.
    int DefaultColour() const { return defaultColour_; }

    // --- The card row (action 305) -------------------------------------------------------
    bool ShowCards() const { return showCards_; }
    void SetShowCards(bool show);

    // Asked for every cell of the card row before its own colour.
    TTWBrocadeCellColourEvent OnCellColour;
    // Before the whole overview is built again: whatever a cell's colour depends on besides
    // the cell itself (the editor's runs) is brought up to date here, after any change of
    // many cells at once (undo, a shift, a paste).
    std::function<void()> OnRebuilding;

    // --- ITWActions ----------------------------------------------------------------------
    // 305 shows or hides the card row; the rest goes to the base frame.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;

protected:
    // A pasted cell without data of its own: the current weft when set, 0 when clear.
    void FillPastedCellData(TTWBlockDesignAssociatedData* destination, int x, TTWBlockDesignAssociatedData* source,
                            int y) override;
    // Every cell of an imported picture is woven in the current weft.
    void AfterImport(fw::Bitmap& bitmap) override;

private:
    TTWBrocadePatternAssociatedData* CellData(int x, int y) const;
    // The threading of a new card at the 0-based position, by the user's setting.
    static std::uint8_t NewCardThreading(int position);

    int defaultColour_ = DefaultColourIndex;
    int currentWeft_ = 1;
    std::array<TTWColour, MaxWefts> weftColours_{};
    bool showCards_ = true;
};
