#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

#include "framework/core/system_colours.h"
#include "model/display_profile.h"

class ITWEditorHost;
class ITWProfileTarget;

namespace fw {
class Bitmap;
class Component;
class Control;
class MenuItem;
class Object;
class Panel;
class PopupMenu;
class SpeedButton;
class WinControl;
} // namespace fw

// What the view frames (the weaving image, the block-design grid) share: their tool column,
// the way they reach the host of the editor they are part of and its dialogs, and their
// display profiles.

// --- Parts -----------------------------------------------------------------------------------

// The side of a tool button of the frames' columns.
inline constexpr int ViewButtonSize = 23;

// A plain panel without caption or bevel.
fw::Panel* NewViewPanel(fw::Component* owner, const char* name);
// A flat tool button for the action, tagged with its id; a toggle is its own group.
fw::SpeedButton* NewViewButton(fw::Component& frame, const char* name, const char* hint, std::int32_t actionId,
                               bool toggle);
// Lines the buttons up in the column from its top, each clicking through the handler, and
// answers the first free top below them.
int LayViewButtons(fw::WinControl& column, std::initializer_list<fw::SpeedButton*> buttons,
                   const std::function<void(fw::Object* sender)>& click);

// --- The host and its dialogs ----------------------------------------------------------------

// The host of the editor the frame is part of; none for a frame on its own.
ITWEditorHost* EditorHostOf(const fw::Component& frame);
// Each dialog: the service a test installed for it, else the host's, else the stand-in.
bool PickViewColour(const fw::Component& frame, fw::Color& colour);
bool SaveViewPicture(const fw::Component& frame, const fw::Bitmap& picture);
void PrintViewPicture(const fw::Control& frame, const fw::Bitmap& picture);

// --- Display profiles ------------------------------------------------------------------------

// The profile a profile menu item carries; none.
fw::Object* ProfileOfMenuItem(fw::Object* sender);
// One item per saved profile of the kind, carrying it, each clicked by the handler.
void AddSavedProfileItems(fw::MenuItem& menu, TTWProfileKind kind, const std::function<void(fw::Object*)>& click);
// Asks for a name ("Capture Profile", "Enter Name"); with one, the profile reads the frame
// and joins the user's profiles. Answers whether it did.
bool CaptureDisplayProfile(std::unique_ptr<TTWDesignProfileBase> profile, const ITWProfileTarget& frame);
// Pops the menu up below the host's profile button, or below the frame's own without one.
void DropDownProfilePopup(const fw::Component& frame, fw::PopupMenu& menu, const fw::Control& ownButton);
