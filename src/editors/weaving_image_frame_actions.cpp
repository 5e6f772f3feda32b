// The weaving-image frame's commands: the action ids its host passes on, the tool states it
// reports, the display profiles, and saving, printing and copying its picture.

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editors/weaving_image_frame.h"
#include "editors/view_frame_support.h"
#include "editors/weaving_image_frame_services.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/window_helpers.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"

namespace {

constexpr const char* StandardChartCaption = "Standard Weaving Chart";

// The saved weaving-image profiles, a line, then the standard chart (no data), each clicked
// by the handler.
void AddProfileItems(fw::MenuItem& menu, const fw::NotifyEvent& click)
{
    AddSavedProfileItems(menu, TTWProfileKind::WeavingImage, click);
    auto* line = new fw::MenuItem;
    line->SetCaption("-");
    menu.Add(line);
    menu.Add(NewEnhancedMenuItem(nullptr, StandardChartCaption, fw::scNone, 0, TWAction::ApplyProfile, 0, click, true,
                                 false));
}

} // namespace

bool TfrmWeavingImage::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    switch (actionId) {
    case TWAction::GridColour:
        PickGridColour();
        break;
    case TWAction::ZoomIn:
        if (zoom_ < MaxZoom) {
            SetZoom(zoom_ + 1);
        }
        break;
    case TWAction::ZoomOut:
        if (zoom_ > MinZoom) {
            SetZoom(zoom_ - 1);
        }
        break;
    case TWAction::DisplayRatios:
        EditSizeRatios();
        break;
    case TWAction::Rotate:
        SetHorizontal(!horizontal_);
        break;
    case TWAction::BlockPattern:
        SetRealImage(!realImage_);
        break;
    case TWAction::ShowTwining:
        SetShowTwining(down);
        break;
    case TWAction::ShowGrid:
        SetShowGrid(down);
        break;
    case TWAction::ShowDirectionChanges:
        SetMarkDirChanges(down);
        break;
    case TWAction::ShowColours:
        SetShowColours(down);
        break;
    case TWAction::ShowCardTwists:
        SetMarkTwists(down);
        break;
    case TWAction::ShowReverse:
        SetShowReverse(down);
        break;
    case TWAction::ShowLongFloats:
        SetMarkLongFloats(down);
        break;
    case TWAction::ShowIdlingCards:
        SetMarkIdle(down);
        break;
    case TWAction::ShowGridTags:
        SetShowPickTags(down);
        break;
    case TWAction::ShowCardThreading:
        SetShowCardThreading(down);
        break;
    case TWAction::ShowGridHighlights:
        SetGridHighlights(down);
        break;
    case TWAction::ShowUppermostHole:
        SetTagType(tagType_ == TTWTagType::Hole ? TTWTagType::None : TTWTagType::Hole);
        break;
    case TWAction::ShowTurningDirection:
        SetTagType(tagType_ == TTWTagType::Turn ? TTWTagType::None : TTWTagType::Turn);
        break;
    case TWAction::SaveImage: {
        const fw::Bitmap picture = RenderPicture(false);
        if (!picture.Empty()) {
            SavePicture(picture);
        }
        break;
    }
    case TWAction::PrintImage: {
        const fw::Bitmap picture = RenderPicture(false);
        if (!picture.Empty()) {
            PrintViewPicture(*this, picture);
        }
        break;
    }
    case TWAction::CopyImage: {
        const fw::Bitmap picture = RenderPicture(false);
        if (!picture.Empty()) {
            fw::GetClipboard().SetBitmap(picture);
        }
        break;
    }
    case TWAction::CaptureProfile:
        CaptureProfile();
        break;
    case TWAction::SelectProfile:
        DropDownProfileMenu();
        break;
    case TWAction::ApplyProfile:
        ApplyProfile(data);
        break;
    default:
        // Commands of other views pass through here too; they are not this frame's to do.
        break;
    }
    return true;
}

void TfrmWeavingImage::GetToolActions(TTWToolActionList& list)
{
    list.EnableActions({TWAction::ZoomIn, TWAction::ZoomOut, TWAction::GridColour, TWAction::DisplayRatios,
                        TWAction::Rotate, TWAction::SaveImage, TWAction::PrintImage, TWAction::CopyImage,
                        TWAction::CaptureProfile, TWAction::SelectProfile});
    list.SetAction(TWAction::BlockPattern, true, !realImage_);
    list.SetAction(TWAction::ShowTwining, !realImage_, showTwining_);
    list.SetAction(TWAction::ShowGrid, true, showGrid_);
    list.SetAction(TWAction::ShowGridHighlights, true, gridHighlights_);
    list.SetAction(TWAction::ShowDirectionChanges, true, markDirChanges_);
    list.SetAction(TWAction::ShowColours, true, showColours_);
    list.SetAction(TWAction::ShowCardTwists, true, markTwists_);
    list.SetAction(TWAction::ShowReverse, true, showReverse_);
    list.SetAction(TWAction::ShowGridTags, true, showPickTags_);
    list.SetAction(TWAction::ShowCardThreading, true, showCardThreading_);
    list.SetAction(TWAction::ShowLongFloats, true, markLongFloats_);
    list.SetAction(TWAction::ShowIdlingCards, true, markIdle_);
    list.SetAction(TWAction::ShowUppermostHole, true, tagType_ == TTWTagType::Hole);
    list.SetAction(TWAction::ShowTurningDirection, true, tagType_ == TTWTagType::Turn);
    RefillMainWindowProfileMenus();
}

// --- Dialogs ------------------------------------------------------------------------------------

// Each dialog: the service installed for it (tests script them), else the host's, else the
// stand-in.

bool TfrmWeavingImage::PickColour(fw::Color& colour)
{
    return PickViewColour(*this, colour);
}

bool TfrmWeavingImage::SavePicture(const fw::Bitmap& picture)
{
    return SaveViewPicture(*this, picture);
}

bool TfrmWeavingImage::RunSizeRatios(double& width, double& centre, double& end)
{
    if (const auto& edit = WeavingImageServices().EditSizeRatios) {
        return edit(width, centre, end);
    }
    ITWEditorHost* host = EditorHostOf(*this);
    const std::optional<bool> accepted = host != nullptr ? host->EditSizeRatios(width, centre, end) : std::nullopt;
    return accepted ? *accepted : SizeRatiosNotAvailable(width, centre, end);
}

void TfrmWeavingImage::PickGridColour()
{
    fw::Color colour = GetGridColour();
    if (PickColour(colour)) {
        SetGridColour(colour);
    }
}

void TfrmWeavingImage::EditSizeRatios()
{
    double width = widthRatio_;
    double centre = heightRatio_;
    double end = slantRatio_;
    if (RunSizeRatios(width, centre, end)) {
        SetCellRatios(width, centre, end);
    }
}

// --- Display profiles -------------------------------------------------------------------------

void TfrmWeavingImage::FillProfileMenu()
{
    pmProfiles->Items()->Clear();
    AddProfileItems(*pmProfiles->Items(), [this](fw::Object* sender) { ApplyProfile(ProfileOfMenuItem(sender)); });
    btnSelectProfile->SetEnabled(pmProfiles->Items()->Count() > 0);
}

void TfrmWeavingImage::RefillMainWindowProfileMenus()
{
    ITWEditorHost* host = EditorHostOf(*this);
    if (host == nullptr || silent_) {
        return;
    }
    host->RefillProfilePopup(
        [](fw::MenuItem& items, const std::function<void(fw::Object*)>& click) { AddProfileItems(items, click); });
}

void TfrmWeavingImage::CaptureProfile()
{
    if (!CaptureDisplayProfile(std::make_unique<TTWDesignProfileWeavingImage>(), *this)) {
        return;
    }
    FillProfileMenu();
    RefillMainWindowProfileMenus();
    ITWEditorHost* host = EditorHostOf(*this);
    if (host != nullptr && !silent_) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::WeavingImage));
    }
}

void TfrmWeavingImage::DropDownProfileMenu()
{
    FillProfileMenu();
    DropDownProfilePopup(*this, *pmProfiles, *btnSelectProfile);
}

void TfrmWeavingImage::ApplyProfile(fw::Object* data)
{
    if (auto* profile = dynamic_cast<TTWDesignProfileBase*>(data)) {
        profile->ApplyTo(*this);
    } else {
        ApplyStandardWeavingChart();
    }
}

void TfrmWeavingImage::ApplyStandardWeavingChart()
{
    BeginUpdate();
    StoreCellRatios(2.0, 0.0, 2.0);
    SetZoom(6);
    SetShowColours(false);
    SetShowGrid(true);
    SetGridHighlights(false);
    SetGridColour(fw::clBlack);
    SetTagType(TTWTagType::Turn);
    SetMarkDirChanges(false);
    SetMarkTwists(true);
    SetMarkLongFloats(false);
    SetMarkIdle(false);
    SetShowTwining(false);
    SetShowPickTags(true);
    SetShowCardThreading(true);
    SetImageType(TTWImageType::Block);
    EndUpdate();
}

void TfrmWeavingImage::ButtonClicked(fw::Object* sender)
{
    auto* button = dynamic_cast<fw::SpeedButton*>(sender);
    if (button != nullptr) {
        PerformAction(static_cast<std::int32_t>(button->Tag()), button->Down(), nullptr);
    }
}
