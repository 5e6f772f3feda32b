// The Windows menu (tiling, cascading and one item per editor window), the display-profile
// menu and the clip panel.

#include <cstdint>

#include "controls/brush_panel.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/window_helpers.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"

namespace {

// A Windows-menu item: its Tag holds the form, as the editors look it up; the reference
// notices a form that went without taking its item away.
class TTWWindowMenuItem : public fw::MenuItem {
public:
    explicit TTWWindowMenuItem(fw::Form* form) : form_(form) { SetTag(reinterpret_cast<std::intptr_t>(form)); }

    std::string_view className() const override { return "TTWWindowMenuItem"; }

    fw::Form* Form() const { return form_.Get(); }

private:
    fw::WeakRef<fw::Form> form_;
};

} // namespace

fw::MenuItem* TfrmTWMain::WindowMenuItem(const fw::Form* form) const
{
    if (form == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < mnuWindows->Count(); ++i) {
        fw::MenuItem* item = mnuWindows->Items(i);
        if (item->Tag() == reinterpret_cast<std::intptr_t>(form)) {
            return item;
        }
    }
    return nullptr;
}

fw::MenuItem* TfrmTWMain::AddWindowMenuItem(fw::Form* form)
{
    if (fw::MenuItem* existing = WindowMenuItem(form)) {
        return existing;
    }
    auto* item = new TTWWindowMenuItem(form);
    item->SetCaption(form->Caption());
    item->SetOnClick([this](fw::Object* sender) { WindowMenuItemClick(sender); });
    mnuWindows->Add(item);
    return item;
}

void TfrmTWMain::RemoveWindowMenuItem(fw::Form* form)
{
    delete WindowMenuItem(form);
}

void TfrmTWMain::UpdateWindowMenuCaption(fw::Form* form)
{
    if (fw::MenuItem* item = WindowMenuItem(form)) {
        item->SetCaption(form->Caption());
    }
}

void TfrmTWMain::WindowMenuItemClick(fw::Object* sender)
{
    auto* item = dynamic_cast<TTWWindowMenuItem*>(sender);
    fw::Form* form = item != nullptr ? item->Form() : nullptr;
    if (form == nullptr) {
        return;
    }
    if (form->WindowState() == fw::WindowState::Minimized) {
        const fw::Form* active = ActiveMDIChild();
        form->SetWindowState(active != nullptr ? active->WindowState() : fw::WindowState::Normal);
    }
    form->BringToFront();
    form->SetFocus();
}

void TfrmTWMain::mnuTileClick(fw::Object* sender)
{
    SetTileMode(sender == mnuTileVertical ? fw::TileMode::Vertical : fw::TileMode::Horizontal);
    Tile();
}

void TfrmTWMain::mnuCascadeClick()
{
    Cascade();
}

void TfrmTWMain::BuildProfileMenu(int kind)
{
    mnuSelectProfile->Clear();
    const fw::NotifyEvent click = [this](fw::Object* sender) { PerformToolAction(sender); };
    const TTWDesignProfileList& profiles = UserSettings().EditorProfiles();
    for (int i = 0; i < profiles.Count(); ++i) {
        TTWDesignProfileBase* profile = profiles.GetProfile(i);
        if (static_cast<int>(profile->Kind()) != kind) {
            continue;
        }
        mnuSelectProfile->Add(NewEnhancedMenuItem(nullptr, profile->Name, fw::scNone,
                                                  reinterpret_cast<std::intptr_t>(static_cast<fw::Object*>(profile)),
                                                  TWAction::ApplyProfile, 0, click, true, false));
    }
    if (kind == static_cast<int>(TTWProfileKind::WeavingImage)) {
        auto* line = new fw::MenuItem;
        line->SetCaption("-");
        mnuSelectProfile->Add(line);
        mnuSelectProfile->Add(NewEnhancedMenuItem(nullptr, "Standard Weaving Chart", fw::scNone, 0,
                                                  TWAction::ApplyProfile, 0, click, true, false));
    }
}

namespace {

// The saved profile an item of a profile menu offers, none for an item without one. The
// pointer is only compared, never followed: the profile may be gone.
const fw::Object* OfferedProfile(const fw::MenuItem& item)
{
    const auto* offering = dynamic_cast<const TEnhancedMenuItem*>(&item);
    return offering != nullptr ? reinterpret_cast<const fw::Object*>(offering->Data) : nullptr;
}

void RefreshProfileItems(fw::MenuItem& menu, const TTWDesignProfileList& profiles)
{
    for (int i = menu.Count() - 1; i >= 0; --i) {
        fw::MenuItem& item = *menu.Items(i);
        const fw::Object* offered = OfferedProfile(item);
        if (offered == nullptr) {
            continue;
        }
        TTWDesignProfileBase* profile = nullptr;
        for (int p = 0; p < profiles.Count() && profile == nullptr; ++p) {
            if (profiles.GetProfile(p) == offered) {
                profile = profiles.GetProfile(p);
            }
        }
        if (profile == nullptr) {
            menu.Delete(i);
        } else {
            item.SetCaption(profile->Name);
        }
    }
}

} // namespace

void TfrmTWMain::ProfilesChanged()
{
    const TTWDesignProfileList& profiles = UserSettings().EditorProfiles();
    RefreshProfileItems(*mnuSelectProfile, profiles);
    RefreshProfileItems(*pmDisplayProfiles->Items(), profiles);
}

void TfrmTWMain::ToggleClipPanel()
{
    SetClipPanelVisible(!pnlBitmapClips->Visible());
}

void TfrmTWMain::SetClipPanelVisible(bool visible)
{
    if (pnlBitmapClips->Visible() == visible) {
        return;
    }
    pnlBitmapClips->SetVisible(visible);
    SetToolState(TWAction::ClipPanel, true, pnlBitmapClips->Visible());
}
