// The brocade grid: cells that carry their weft, drawn in the weft's colour over the warp
// colours of the cards below, and the row of card frames under the grid.

#include "editors/brocade_pattern_frame.h"

#include <algorithm>
#include <utility>

#include "editors/block_frame_painter.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "framework/core/system_colours.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/turning_codes.h"
#include "model/user_settings.h"

// --- The cell data -------------------------------------------------------------------------------

void TTWBrocadePatternAssociatedData::Assign(const fw::Persistent* source)
{
    if (const auto* cell = dynamic_cast<const TTWBrocadePatternAssociatedData*>(source)) {
        Weft = cell->Weft;
        return;
    }
    TTWBlockDesignAssociatedData::Assign(source);
}

const TTWBrocadePatternAssociatedData& TTWBrocadePatternAssociatedData::Class()
{
    static const TTWBrocadePatternAssociatedData instance;
    return instance;
}

// --- The frame ---------------------------------------------------------------------------------

TfrmBrocadePatternFrame::TfrmBrocadePatternFrame(fw::Component* owner)
    : TfrmBlockPattern(owner), frameCards(new TfrmCardSetupCompact(this))
{
    SetName("frmBrocadePattern");
    // The designs the base frame made carry no cell data: they are made again with the
    // brocade's.
    SetDesignItemClass(TTWBlockDesignItem());
    frameCards->SetName("frameCards");
    frameCards->SetParent(this);
    frameCards->SetAlign(fw::Align::Bottom);
    // Tall enough for every hole and the row's buttons below them.
    frameCards->SetHeight(std::max(CardRowHeight, frameCards->PreferredHeight()));
    // A frame that draws its cells one by one (a display profile may ask for it) shows them
    // in the same colours as the overview.
    OnAdjustCellInfo = [this](TBlockCellInfo& info) {
        const fw::Color colour = DisplayColour(info.Column, info.Row);
        info.FirstColour = colour;
        info.SecondColour = colour;
    };
}

TfrmBrocadePatternFrame::~TfrmBrocadePatternFrame()
{
    OnAdjustCellInfo = nullptr;
    OnCellColour = nullptr;
    OnRebuilding = nullptr;
}

TTWBrocadePatternAssociatedData* TfrmBrocadePatternFrame::CellData(int x, int y) const
{
    if (!IsCellInGrid(x, y)) {
        return nullptr;
    }
    // Reading makes a cell's data object when it has none yet; the cell itself is unchanged.
    auto& design = const_cast<TTWBlockDesignItem&>(CurrentDesign());
    return dynamic_cast<TTWBrocadePatternAssociatedData*>(design.GetCellData(x, y));
}

int TfrmBrocadePatternFrame::GetWeft(int x, int y) const
{
    const TTWBrocadePatternAssociatedData* data = CellData(x, y);
    return data != nullptr ? data->Weft : 0;
}

void TfrmBrocadePatternFrame::SetWeft(int x, int y, int weft)
{
    if (TTWBrocadePatternAssociatedData* data = CellData(x, y)) {
        data->Weft = weft;
    }
}

std::uint8_t TfrmBrocadePatternFrame::NewCardThreading(int position)
{
    switch (UserSettings().Brocade.DefaultThread) {
    case 1:
        return ThreadingZ;
    case 2:
        return position % 2 == 0 ? ThreadingS : ThreadingZ;
    default:
        return ThreadingS;
    }
}

void TfrmBrocadePatternFrame::SetGridWidth(int columns)
{
    if (columns < 0) {
        return;
    }
    BeginUpdate();
    const int before = frameCards->CardCount();
    frameCards->SetCardCount(columns);
    for (int i = before; i < frameCards->CardCount(); ++i) {
        TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
        for (int hole = 0; hole < frame->HoleCount(); ++hole) {
            frame->SetHoleColourIndex(hole, defaultColour_);
        }
        frame->SetThreading(NewCardThreading(i));
    }
    TfrmBlockPattern::SetGridWidth(columns);
    EndUpdate();
}

void TfrmBrocadePatternFrame::SetCell(int x, int y, bool value)
{
    // The weft goes in first: a set cell drawn over again takes the weft drawn with, though
    // the cell itself does not change.
    SetWeft(x, y, value ? currentWeft_ : 0);
    TfrmBlockPattern::SetCell(x, y, value);
}

void TfrmBrocadePatternFrame::ToggleCell(int x, int y)
{
    TfrmBlockPattern::ToggleCell(x, y);
    SetWeft(x, y, IsCellSet(x, y) ? currentWeft_ : 0);
}

void TfrmBrocadePatternFrame::ToggleCellAt(fw::Point cell)
{
    if (!IsCellInGrid(cell.X, cell.Y)) {
        return;
    }
    const int weft = GetWeft(cell.X, cell.Y);
    if (weft == 0 || weft == currentWeft_ || !IsCellSet(cell.X, cell.Y)) {
        ToggleCell(cell.X, cell.Y);
    } else {
        // Another weft's cell changes its weft, not its state: the editor hears it as a change
        // of that cell all the same, since its runs change.
        SetWeft(cell.X, cell.Y, currentWeft_);
        if (OnCellChanged) {
            OnCellChanged(cell.X, cell.Y, true);
        }
    }
    RebuildSnapshotCell(cell.X, cell.Y);
    DrawCell(cell.X, cell.Y);
}

bool TfrmBrocadePatternFrame::IsChangeAt(int x, int y) const
{
    if (!IsCellInGrid(x, y)) {
        return false;
    }
    if (y > 0) {
        return GetWeft(x, y) != GetWeft(x, y - 1);
    }
    return IsCellSet(x, 0);
}

fw::Color TfrmBrocadePatternFrame::GetCellColour(int x, int y) const
{
    if (!IsCellInGrid(x, y)) {
        return TfrmBlockPattern::GetCellColour(x, y);
    }
    const int weft = GetWeft(x, y);
    if (IsCellSet(x, y) && weft >= 1 && weft <= MaxWefts) {
        return static_cast<fw::Color>(weftColours_[static_cast<std::size_t>(weft - 1)]);
    }
    return BackgroundColour();
}

fw::Color TfrmBrocadePatternFrame::DisplayColour(int x, int y) const
{
    if (x < 0 || x >= frameCards->CardCount()) {
        return BackgroundColour();
    }
    if (OnCellColour) {
        const TTWColour answer = OnCellColour(const_cast<TfrmBrocadePatternFrame*>(this), x, y);
        if (answer != NoColour) {
            return static_cast<fw::Color>(answer);
        }
    }
    const int weft = GetWeft(x, y);
    if (weft >= 1 && weft <= MaxWefts) {
        return static_cast<fw::Color>(weftColours_[static_cast<std::size_t>(weft - 1)]);
    }
    const TTWColour warp = frameCards->GetCardFrame(x)->GetHoleColour(WarpHole(y));
    // A card without that hole shows nothing of its own.
    return warp != NoColour ? static_cast<fw::Color>(warp) : BackgroundColour();
}

void TfrmBrocadePatternFrame::RebuildSnapshot(bool force)
{
    if (UpdateCount() > 0 && !force) {
        return;
    }
    if (OnRebuilding) {
        OnRebuilding();
    }
    const int width = GridWidth();
    TBlockFramePainter::BuildSnapshot(SnapshotStorage(), Geometry(), [this, width](int y, std::uint32_t* colours) {
        for (int x = 0; x < width; ++x) {
            colours[x] = fw::ColorToRGB(DisplayColour(x, y));
        }
    });
    ShowSnapshot();
}

void TfrmBrocadePatternFrame::RebuildSnapshotCell(int x, int y)
{
    if (UpdateCount() > 0 || !IsCellInGrid(x, y)) {
        return;
    }
    TBlockFramePainter::SetSnapshotCell(SnapshotStorage(), Geometry(), x, y, DisplayColour(x, y));
    ShowSnapshot();
}

void TfrmBrocadePatternFrame::SetCurrentWeft(int weft)
{
    if (weft >= 1 && weft <= MaxWefts) {
        currentWeft_ = weft;
    }
}

TTWColour TfrmBrocadePatternFrame::WeftColour(int weft) const
{
    return weft >= 1 && weft <= MaxWefts ? weftColours_[static_cast<std::size_t>(weft - 1)] : NoColour;
}

void TfrmBrocadePatternFrame::SetWeftColour(int weft, TTWColour colour)
{
    if (weft >= 1 && weft <= MaxWefts) {
        weftColours_[static_cast<std::size_t>(weft - 1)] = colour;
    }
}

void TfrmBrocadePatternFrame::SetShowCards(bool show)
{
    if (show == showCards_) {
        return;
    }
    showCards_ = show;
    frameCards->SetVisible(show);
    ::NotifyMainForm(TWAction::CardList, true, true, show);
}

bool TfrmBrocadePatternFrame::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    if (actionId == TWAction::CardList) {
        SetShowCards(down);
        return true;
    }
    return TfrmBlockPattern::PerformAction(actionId, down, data);
}

void TfrmBrocadePatternFrame::GetToolActions(TTWToolActionList& list)
{
    TfrmBlockPattern::GetToolActions(list);
    list.SetAction(TWAction::CardList, true, showCards_);
}

void TfrmBrocadePatternFrame::FillPastedCellData(TTWBlockDesignAssociatedData* destination, int x,
                                                 TTWBlockDesignAssociatedData*, int y)
{
    if (auto* cell = dynamic_cast<TTWBrocadePatternAssociatedData*>(destination)) {
        cell->Weft = IsCellSet(x, y) ? currentWeft_ : 0;
    }
}

void TfrmBrocadePatternFrame::AfterImport(fw::Bitmap& bitmap)
{
    TfrmBlockPattern::AfterImport(bitmap);
    for (int x = 0; x < bitmap.Width(); ++x) {
        for (int y = 0; y < bitmap.Height(); ++y) {
            SetWeft(x, y, IsCellSet(x, y) ? currentWeft_ : 0);
        }
    }
}
