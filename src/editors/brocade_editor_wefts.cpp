// The brocade editor's wefts: the weft panels, their colours, the runs of every row of the
// grid and the colours of the floats that are too long.

#include <vector>

#include "editors/brocade_editor.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/view_frame_support.h"
#include "framework/gui/std_panel.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/tool_actions.h"

fw::Panel* TfrmBrocade::WeftPanel(int weft) const
{
    return weft >= 1 && weft <= WeftPanels ? weftPanels_[static_cast<std::size_t>(weft - 1)] : nullptr;
}

fw::Panel* TfrmBrocade::WeftCaptionPanel(int weft) const
{
    return weft >= 1 && weft <= WeftPanels ? weftCaptions_[static_cast<std::size_t>(weft - 1)] : nullptr;
}

void TfrmBrocade::SelectWeftPanel(fw::Panel* panel)
{
    const int weft = panel != nullptr ? static_cast<int>(panel->Tag()) : 0;
    if (WeftPanel(weft) != panel || panel == selectedWeft_) {
        return;
    }
    if (selectedWeft_ != nullptr) {
        selectedWeft_->SetBevelOuter(fw::PanelBevel::Lowered);
        selectedWeftCaption_->SetBevelOuter(fw::PanelBevel::None);
    }
    selectedWeft_ = panel;
    selectedWeftCaption_ = WeftCaptionPanel(weft);
    selectedWeft_->SetBevelOuter(fw::PanelBevel::Raised);
    selectedWeftCaption_->SetBevelOuter(fw::PanelBevel::Raised);
    framePattern->SetCurrentWeft(weft);
}

void TfrmBrocade::EditWeftColour(fw::Panel* panel)
{
    const int weft = panel != nullptr ? static_cast<int>(panel->Tag()) : 0;
    if (WeftPanel(weft) != panel) {
        return;
    }
    fw::Color colour = panel->Color();
    // Asked as the grid asks for its colours: through the host's colour dialog.
    if (PickViewColour(*framePattern, colour)) {
        SetWeftColour(weft, colour);
    }
}

void TfrmBrocade::SetWeftColour(int weft, TTWColour colour)
{
    framePattern->SetWeftColour(weft, colour);
    if (fw::Panel* panel = WeftPanel(weft)) {
        panel->SetColor(static_cast<fw::Color>(colour));
    }
    framePattern->Refresh();
}

void TfrmBrocade::RecomputeRuns()
{
    const int width = framePattern->GridWidth();
    const int height = framePattern->GridHeight();
    runs_.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        runs_.ComputeRow(y, [this, y](int x) { return framePattern->GetWeft(x, y); });
    }
}

void TfrmBrocade::RecomputeRow(int y)
{
    const int width = framePattern->GridWidth();
    if (runs_.Width() != width || runs_.Height() != framePattern->GridHeight()) {
        RecomputeRuns();
        return;
    }
    std::vector<TTWColour> before(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        before[static_cast<std::size_t>(x)] = LongFloatColour(x, y);
    }
    if (!runs_.ComputeRow(y, [this, y](int x) { return framePattern->GetWeft(x, y); }) || !markLongFloats_) {
        return;
    }
    // The cells whose mark changed with the run they belong to are drawn again once the
    // present change is over.
    for (int x = 0; x < width; ++x) {
        if (LongFloatColour(x, y) != before[static_cast<std::size_t>(x)]) {
            framePattern->RebuildSnapshotCell(x, y);
            framePattern->PostCellRepaint(x, y);
        }
    }
}

void TfrmBrocade::CellChanged(int, int y)
{
    if (!fillingGrid_) {
        RecomputeRow(y);
    }
}

TTWColour TfrmBrocade::LongFloatColour(int x, int y) const
{
    if (!markLongFloats_) {
        return NoColour;
    }
    const int run = runs_.Value(x, y);
    const TTWBrocadeSettings& settings = UserSettings().Brocade;
    if (run >= 10) {
        return settings.ShowLongFloat10 ? settings.ColLongFloat10 : NoColour;
    }
    if (run >= 8) {
        return settings.ShowLongFloat8 ? settings.ColLongFloat8 : NoColour;
    }
    if (run >= 6) {
        return settings.ShowLongFloat6 ? settings.ColLongFloat6 : NoColour;
    }
    if (run == 5) {
        return settings.ShowLongFloat4 ? settings.ColLongFloat4 : NoColour;
    }
    return NoColour;
}

void TfrmBrocade::SetMarkLongFloats(bool mark)
{
    if (mark == markLongFloats_) {
        return;
    }
    markLongFloats_ = mark;
    framePattern->Refresh();
    if (EditorHost() != nullptr) {
        ::NotifyMainForm(TWAction::ShowLongFloats, true, true, mark);
    }
}
