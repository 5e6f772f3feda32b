// Command routing and tool states: the handler every tagged command control shares, and the
// states the editors report back for the tool buttons and menu items.

#include <cstdint>
#include <functional>

#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/window_helpers.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"

namespace {

// Every speed button with a tag on the panels of the tool bar, in order, until visit
// answers false.
void ForEachToolButton(const fw::WinControl& bar, const std::function<bool(fw::SpeedButton&)>& visit)
{
    for (fw::Control* band : bar.ControlList()) {
        const auto* panel = dynamic_cast<const fw::WinControl*>(band);
        if (panel == nullptr) {
            continue;
        }
        for (fw::Control* control : panel->ControlList()) {
            auto* button = dynamic_cast<fw::SpeedButton*>(control);
            if (button != nullptr && button->Tag() > 0 && !visit(*button)) {
                return;
            }
        }
    }
}

void SetButtonState(fw::SpeedButton& button, bool enabled, bool down)
{
    button.SetEnabled(enabled);
    button.SetDown(down);
    // A disabled command explains nothing: its hint goes with it.
    button.SetShowHint(enabled);
}

void DisableButton(fw::SpeedButton& button)
{
    button.SetEnabled(false);
    button.SetShowHint(false);
}

} // namespace

bool TfrmTWMain::SkipsChildrenOf(const fw::MenuItem& item) const
{
    // The Create and Windows menus hold no editor commands. The profile items are made for
    // the active editor by BuildProfileMenu and no editor reports them, so a refresh would
    // only grey them out.
    return &item == mnuCreate || &item == mnuWindows || &item == mnuSelectProfile;
}

void TfrmTWMain::PerformToolAction(fw::Object* sender)
{
    fw::Form* child = ActiveMDIChild();
    if (child == nullptr) {
        return;
    }
    bool down = false;
    std::intptr_t tag = 0;
    fw::Object* data = nullptr;
    if (auto* button = dynamic_cast<fw::SpeedButton*>(sender)) {
        down = button->Down();
        tag = button->Tag();
    } else if (auto* item = dynamic_cast<fw::MenuItem*>(sender)) {
        // The check mark is still the one from before the click.
        down = !item->Checked();
        tag = item->Tag();
        if (auto* enhanced = dynamic_cast<TEnhancedMenuItem*>(item)) {
            data = reinterpret_cast<fw::Object*>(enhanced->Data);
        }
    } else if (auto* control = dynamic_cast<fw::Control*>(sender)) {
        tag = control->Tag();
    }
    RememberCommandControl(dynamic_cast<fw::Component*>(sender));
    if (auto* actions = dynamic_cast<ITWActions*>(child)) {
        actions->PerformAction(static_cast<std::int32_t>(tag), down, data);
    }
}

void TfrmTWMain::ApplyToolActions(const TTWToolActionList* list)
{
    ForEachToolButton(*ctrlTools, [list](fw::SpeedButton& button) {
        const TTWToolAction* action = list != nullptr ? list->Find(static_cast<std::int32_t>(button.Tag())) : nullptr;
        if (action != nullptr) {
            SetButtonState(button, action->Enabled, action->Down);
        } else {
            DisableButton(button);
        }
        return true;
    });
    mnuMain->Walk(
        [list](fw::MenuItem& item) {
            if (item.Tag() <= 0) {
                return;
            }
            const TTWToolAction* action = list != nullptr ? list->Find(static_cast<std::int32_t>(item.Tag())) : nullptr;
            if (action != nullptr) {
                item.SetEnabled(action->Enabled);
                item.SetChecked(action->Down);
            } else {
                item.SetEnabled(false);
            }
        },
        [this](const fw::MenuItem& item) { return SkipsChildrenOf(item); });
}

void TfrmTWMain::SetToolState(std::int32_t id, bool enabled, bool down)
{
    if (fw::SpeedButton* button = ToolButton(id)) {
        SetButtonState(*button, enabled, down);
    }
    if (fw::MenuItem* item = CommandItem(id)) {
        item->SetEnabled(enabled);
        item->SetChecked(down);
    }
}

fw::SpeedButton* TfrmTWMain::ToolButton(std::int32_t id) const
{
    fw::SpeedButton* found = nullptr;
    ForEachToolButton(*ctrlTools, [&found, id](fw::SpeedButton& button) {
        if (button.Tag() == id) {
            found = &button;
        }
        return found == nullptr;
    });
    return found;
}

fw::MenuItem* TfrmTWMain::CommandItem(std::int32_t id) const
{
    fw::MenuItem* found = nullptr;
    mnuMain->Walk(
        [&found, id](fw::MenuItem& item) {
            if (found == nullptr && item.Tag() == id && id > 0) {
                found = &item;
            }
        },
        [this](const fw::MenuItem& item) { return SkipsChildrenOf(item); });
    return found;
}

ITWActions* TfrmTWMain::GetActiveActions() const
{
    return dynamic_cast<ITWActions*>(ActiveMDIChild());
}

void TfrmTWMain::RememberCommandControl(fw::Component* control)
{
    if (lastCommandControl_ == control) {
        return;
    }
    if (lastCommandControl_ != nullptr) {
        RemoveFreeNotification(lastCommandControl_);
    }
    lastCommandControl_ = control;
    if (control != nullptr) {
        FreeNotification(control);
    }
}
