#include "editors/view_frame_support.h"

#include <optional>
#include <string>

#include "editors/weaving_image_frame_services.h"
#include "forms/form_kit.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/window_helpers.h"
#include "model/model_state.h"
#include "model/profile_targets.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"
#include "shell/pattern_base_form.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"

fw::Panel* NewViewPanel(fw::Component* owner, const char* name)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    panel->SetBevelOuter(fw::PanelBevel::None);
    return panel;
}

fw::SpeedButton* NewViewButton(fw::Component& frame, const char* name, const char* hint, std::int32_t actionId,
                               bool toggle)
{
    fw::SpeedButton* button = NewToolButton(frame, name, hint, ToolIcon(actionId));
    button->SetTag(actionId);
    if (toggle) {
        button->SetGroupIndex(actionId);
        button->SetAllowAllUp(true);
    }
    return button;
}

int LayViewButtons(fw::WinControl& column, std::initializer_list<fw::SpeedButton*> buttons,
                   const std::function<void(fw::Object* sender)>& click)
{
    int top = 2;
    for (fw::SpeedButton* button : buttons) {
        button->SetParent(&column);
        button->SetBounds(2, top, ViewButtonSize, ViewButtonSize - 1);
        button->SetOnClick(click);
        top += ViewButtonSize;
    }
    return top;
}

ITWEditorHost* EditorHostOf(const fw::Component& frame)
{
    for (fw::Component* owner = frame.Owner(); owner != nullptr; owner = owner->Owner()) {
        if (const auto* editor = dynamic_cast<const TfrmTWPatternBaseForm*>(owner)) {
            return editor->EditorHost();
        }
    }
    return nullptr;
}

bool PickViewColour(const fw::Component& frame, fw::Color& colour)
{
    if (const auto& pick = WeavingImageServices().PickColour) {
        return pick(colour);
    }
    ITWEditorHost* host = EditorHostOf(frame);
    const std::optional<bool> picked = host != nullptr ? host->PickColour(colour) : std::nullopt;
    return picked ? *picked : PickColourWithPlatformDialog(colour);
}

bool SaveViewPicture(const fw::Component& frame, const fw::Bitmap& picture)
{
    if (const auto& save = WeavingImageServices().SaveImage) {
        return save(picture);
    }
    ITWEditorHost* host = EditorHostOf(frame);
    const std::optional<bool> saved = host != nullptr ? host->SavePicture(picture) : std::nullopt;
    return saved ? *saved : SaveImageAsBitmapFile(picture);
}

void PrintViewPicture(const fw::Control& frame, const fw::Bitmap& picture)
{
    const auto& print = WeavingImageServices().PrintImage;
    print ? print(picture, frame) : PrintImageWithReport(picture, frame);
}

fw::Object* ProfileOfMenuItem(fw::Object* sender)
{
    auto* item = dynamic_cast<TEnhancedMenuItem*>(sender);
    return item != nullptr ? reinterpret_cast<fw::Object*>(item->Data) : nullptr;
}

void AddSavedProfileItems(fw::MenuItem& menu, TTWProfileKind kind, const std::function<void(fw::Object*)>& click)
{
    const TTWDesignProfileList& profiles = UserSettings().EditorProfiles();
    for (int i = 0; i < profiles.Count(); ++i) {
        TTWDesignProfileBase* profile = profiles.GetProfile(i);
        if (profile->Kind() != kind) {
            continue;
        }
        menu.Add(NewEnhancedMenuItem(nullptr, profile->Name, fw::scNone,
                                     reinterpret_cast<std::intptr_t>(static_cast<fw::Object*>(profile)),
                                     TWAction::ApplyProfile, 0, click, true, false));
    }
}

bool CaptureDisplayProfile(std::unique_ptr<TTWDesignProfileBase> profile, const ITWProfileTarget& frame)
{
    std::string name;
    if (!fw::InputQuery("Capture Profile", "Enter Name", name) || name.empty()) {
        return false;
    }
    profile->Name = name;
    profile->GetFrom(frame);
    UserSettings().EditorProfiles().Add(profile.release());
    return true;
}

void DropDownProfilePopup(const fw::Component& frame, fw::PopupMenu& menu, const fw::Control& ownButton)
{
    const fw::Control* anchor = &ownButton;
    if (ITWEditorHost* host = EditorHostOf(frame)) {
        if (const fw::Control* button = host->ProfileButton()) {
            anchor = button;
        }
    }
    const fw::Point at = anchor->ClientToScreen(fw::Point{0, anchor->Height()});
    menu.Popup(at.X, at.Y);
}
