// The brocade editor's ground weave: imported from a pattern file of a kind that can be one,
// and removed again.

#include <memory>
#include <optional>
#include <string>

#include "editors/block_frame.h"
#include "editors/brocade_editor.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "framework/core/object.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "model/brocade_pattern.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "shell/editor_host.h"
#include "shell/tool_actions.h"

void TfrmBrocade::ReportGroundWeave() const
{
    // An editor without a host (one drawing a thumbnail) reaches nothing outside itself.
    if (EditorHost() == nullptr) {
        return;
    }
    ::NotifyMainForm(TWAction::ClearGroundWeave, pattern_->HasGroundWeave(), true, false);
}

void TfrmBrocade::ImportGroundWeave()
{
    std::string fileName;
    ITWEditorHost* host = EditorHost();
    const std::optional<bool> chosen = host != nullptr ? host->OpenPatternFile(fileName) : std::nullopt;
    bool accepted = false;
    if (chosen) {
        accepted = *chosen;
    } else {
        fw::OpenDialog dialog;
        dialog.SetTitle("Load Pattern");
        dialog.SetFilter("Patterns (*.tvl)|*.tvl|All files (*.*)|*.*");
        dialog.SetDefaultExt("tvl");
        accepted = dialog.Execute();
        fileName = dialog.FileName();
    }
    if (accepted) {
        ImportGroundWeave(fileName);
    }
}

void TfrmBrocade::ImportGroundWeave(const std::string& fileName)
{
    // The pattern read is this command's; it goes when the ground weave holds its copy.
    const std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(fileName);
    ImportGroundWeave(*loaded);
}

namespace {

// The picks the ground weaves. Brocade pick n lies over ground pick n, so the grid takes one
// row per woven pick. A pattern's own pick count is not always that: a six-colour double-face
// design counts two picks a row but weaves three, and a grid sized by the count would leave
// the last third of the ground without brocade rows.
int WovenPickCount(const TTWPatternBase& ground)
{
    const std::unique_ptr<TTWPatternBase> copy = fw::CloneOf(ground);
    TTWPattern woven;
    copy->ConvertToThreaded(woven);
    return woven.Picks().Count();
}

} // namespace

void TfrmBrocade::ImportGroundWeave(const TTWPatternBase& ground)
{
    if (!TTWBrocadePattern::IsGroundWeaveKind(ground.GetPatternType())) {
        fw::MessageDlg(std::string(NotAGroundWeaveText), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    const int cards = ground.GetCardCount();
    const int picks = WovenPickCount(ground);
    CheckDesignSize(cards, picks);
    const fw::ScopedCursor busy;
    {
        const TBlockPatternUpdate update(*framePattern);
        pattern_->SetGroundWeave(&ground);
        const TTWPatternBase& held = *pattern_->GroundWeave();
        if (const TTWCardList* groundCards = held.GetCards()) {
            LoadCards(*groundCards);
        }
        SetDesignSize(cards, picks);
        if (const TTWCardList* groundCards = held.GetCards()) {
            framePattern->frameCards->LoadFromCardList(*groundCards);
        }
        if (const TTWPalette* palette = held.GetPalette()) {
            pattern_->Palette().Assign(palette);
        }
        BindPalette();
        // The cards go into the pattern before the ground is woven on them: the ground's own
        // cards, as the card row now shows them.
        StoreGrid();
        WeaveFront();
    }
    if (ImagePageShown()) {
        RefreshPicture();
    }
    ReportGroundWeave();
}

void TfrmBrocade::RemoveGroundWeave()
{
    if (!pattern_->HasGroundWeave()) {
        return;
    }
    if (fw::MessageDlg(std::string(RemoveGroundWeaveText), fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    {
        const TBlockPatternUpdate update(*framePattern);
        pattern_->SetGroundWeave(nullptr);
        // Every hole of every card, whatever the ground's cards had: the plain warp of a new
        // brocade, threaded S and Z by turns.
        TfrmCardSetupCompact* row = framePattern->frameCards;
        for (int i = 0; i < row->CardCount(); ++i) {
            TfrmCardCompactBase* frame = row->GetCardFrame(i);
            for (int hole = 0; hole < frame->HoleCount(); ++hole) {
                frame->SetHoleColourIndex(hole, framePattern->DefaultColour());
            }
            frame->SetThreading(i % 2 == 0 ? ThreadingS : ThreadingZ);
        }
        // The picks of the ground go with it: every card turns forwards once a pick again.
        StoreGrid();
        WeaveFront();
    }
    ReportGroundWeave();
    if (ImagePageShown()) {
        RefreshPicture();
    }
}
