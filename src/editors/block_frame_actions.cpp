// The block-design frame's commands as the main window passes them on, the tool states it
// reports, the display profiles, and saving, printing and copying its image.

#include <functional>
#include <memory>

#include "editors/block_frame.h"
#include "editors/block_size_dialog.h"
#include "editors/view_frame_support.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_speed_button.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"


ITWEditorHost* TfrmBlockPattern::Host() const
{
    return EditorHostOf(*this);
}

bool TfrmBlockPattern::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::GridColour:
        PickGridColour();
        break;
    case TWAction::ZoomIn:
        SetZoom(zoom_ + 1);
        break;
    case TWAction::ZoomOut:
        SetZoom(zoom_ - 1);
        break;
    case TWAction::DisplayRatios:
        EditBlockSize();
        break;
    case TWAction::Rotate:
        SetOrientation(orientation_ == TTWOrientation::Horizontal ? TTWOrientation::Vertical
                                                                   : TTWOrientation::Horizontal);
        break;
    case TWAction::ShowTwining:
        SetShowTwist(down);
        break;
    case TWAction::ShowGrid:
        SetShowGrid(down);
        break;
    case TWAction::ShowUnderlyingBlockPattern:
        SetShowBasicPattern(down);
        break;
    case TWAction::ShowGridTags:
        SetShowPickTags(down);
        break;
    case TWAction::ShowGridHighlights:
        SetShowGridHighlights(down);
        break;
    case TWAction::SaveImage:
        SaveImage();
        break;
    case TWAction::PrintImage:
        PrintImage();
        break;
    case TWAction::CopyImage:
        if (const fw::Bitmap picture = MainImage(); !picture.Empty()) {
            fw::GetClipboard().SetBitmap(picture);
        }
        break;
    case TWAction::CaptureProfile:
        CaptureProfile();
        break;
    case TWAction::SelectProfile:
        DropDownProfileMenu();
        break;
    case TWAction::ApplyProfile:
        ApplyProfile(data);
        break;
    case TWAction::ImportBitmap:
        ImportBitmap();
        break;
    case TWAction::ShiftLeft:
        ShiftOnScreen(-1, 0);
        break;
    case TWAction::ShiftRight:
        ShiftOnScreen(1, 0);
        break;
    case TWAction::ShiftUp:
        ShiftOnScreen(0, -1);
        break;
    case TWAction::ShiftDown:
        ShiftOnScreen(0, 1);
        break;
    case TWAction::Invert:
        Invert();
        break;
    case TWAction::ClearDesign:
        Clear();
        break;
    case TWAction::MirrorHorizontal:
        MirrorOnScreen(true);
        break;
    case TWAction::MirrorVertical:
        MirrorOnScreen(false);
        break;
    case TWAction::Undo:
        Undo();
        break;
    case TWAction::SelectArea:
        SetEditMode(editMode_ == 1 ? 0 : 1);
        break;
    case TWAction::ClipPanel:
        if (ITWEditorHost* host = Host()) {
            host->ToggleClipPanel();
        }
        break;
    case TWAction::CopySelection:
        CopyArea();
        break;
    case TWAction::UndoArea:
        UndoArea();
        break;
    case TWAction::CutSelection:
        CutArea();
        break;
    default:
        // Redo and realignment belong to no grid, and other views' commands pass here too.
        break;
    }
    return true;
}

void TfrmBlockPattern::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::ZoomIn, TWAction::ZoomOut, TWAction::DisplayRatios, TWAction::Rotate,
                        TWAction::SaveImage, TWAction::PrintImage, TWAction::CopyImage, TWAction::ImportBitmap,
                        TWAction::ShiftLeft, TWAction::ShiftUp, TWAction::ShiftDown, TWAction::ShiftRight,
                        TWAction::Invert, TWAction::ClearDesign, TWAction::MirrorHorizontal,
                        TWAction::MirrorVertical, TWAction::Undo, TWAction::ClipPanel, TWAction::GridColour,
                        TWAction::CaptureProfile, TWAction::SelectProfile});
    list.SetAction(TWAction::ShowGrid, true, showGrid_);
    list.SetAction(TWAction::ShowGridHighlights, true, showGridHighlights_);
    list.SetAction(TWAction::ShowGridTags, true, showPickTags_);
    if (!staggered_) {
        const bool area = editMode_ == 1;
        list.SetAction(TWAction::ShowTwining, true, showTwist_);
        list.SetAction(TWAction::SelectArea, true, area);
        list.SetAction(TWAction::CopySelection, area, false);
        list.SetAction(TWAction::CutSelection, area, false);
        list.SetAction(TWAction::UndoArea, area, false);
        if (!simpleDraw_) {
            list.SetAction(TWAction::ShowUnderlyingBlockPattern, true, showBasicPattern_);
        }
    }
    RefillMainWindowProfileMenus();
}

// --- Dialogs ------------------------------------------------------------------------------------

void TfrmBlockPattern::PickGridColour()
{
    fw::Color colour = gridColour_;
    if (PickViewColour(*this, colour)) {
        SetGridColour(colour);
    }
}

void TfrmBlockPattern::EditBlockSize()
{
    double width = baseWidth_;
    double height = baseHeight_;
    if (!TfrmBlockSize::Execute(width, height, this)) {
        return;
    }
    // The dialog takes any positive ratio; the cell sizes never fall below one pixel.
    baseWidth_ = width;
    baseHeight_ = height;
    UpdateGeometry();
    Refresh();
}

void TfrmBlockPattern::SaveImage()
{
    if (const fw::Bitmap picture = MainImage(); !picture.Empty()) {
        SaveViewPicture(*this, picture);
    }
}

void TfrmBlockPattern::PrintImage()
{
    if (const fw::Bitmap picture = MainImage(); !picture.Empty()) {
        PrintViewPicture(*this, picture);
    }
}

// --- Display profiles -------------------------------------------------------------------------

void TfrmBlockPattern::FillProfileMenu()
{
    pmProfiles->Items()->Clear();
    AddSavedProfileItems(*pmProfiles->Items(), TTWProfileKind::Block,
                         [this](fw::Object* sender) { ApplyProfile(ProfileOfMenuItem(sender)); });
    btnSelectProfile->SetEnabled(pmProfiles->Items()->Count() > 0);
}

void TfrmBlockPattern::RefillMainWindowProfileMenus()
{
    if (ITWEditorHost* host = Host()) {
        host->RefillProfilePopup([](fw::MenuItem& items, const std::function<void(fw::Object*)>& click) {
            AddSavedProfileItems(items, TTWProfileKind::Block, click);
        });
    }
}

void TfrmBlockPattern::CaptureProfile()
{
    if (!CaptureDisplayProfile(std::make_unique<TTWDesignProfileBlock>(), *this)) {
        return;
    }
    FillProfileMenu();
    RefillMainWindowProfileMenus();
    if (ITWEditorHost* host = Host()) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::Block));
    }
}

void TfrmBlockPattern::DropDownProfileMenu()
{
    FillProfileMenu();
    DropDownProfilePopup(*this, *pmProfiles, *btnSelectProfile);
}

void TfrmBlockPattern::ApplyProfile(fw::Object* data)
{
    if (auto* profile = dynamic_cast<TTWDesignProfileBlock*>(data)) {
        profile->ApplyTo(*this);
    }
}

void TfrmBlockPattern::ButtonClicked(fw::Object* sender)
{
    auto* button = dynamic_cast<fw::SpeedButton*>(sender);
    if (button == nullptr) {
        return;
    }
    if (button == btnRedo) {
        Redo();
        return;
    }
    PerformAction(static_cast<std::int32_t>(button->Tag()), button->Down(), nullptr);
}
