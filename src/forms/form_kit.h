#pragma once

#include "framework/gui/dialogs.h"
#include "treegrid/tree_grid.h"

namespace fw {
class Bitmap;
class Button;
class Component;
class Control;
class Label;
class SpeedButton;
class WinControl;
} // namespace fw

// The controls windows build themselves from, made the one way every window makes them.
// Each is owned by the given owner (which frees it) and, where a parent is given, shown on
// that parent; the caller keeps the pointer.

// Where a control sits on its parent, in the parent's client coordinates.
struct FormBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// --- Buttons ---------------------------------------------------------------------------------

// The size of a standard push button; rows of buttons are laid out by it.
inline constexpr int FormButtonWidth = 75;
inline constexpr int FormButtonHeight = 25;

// The top that centres a standard button in a row (a panel) that high.
constexpr int CentredButtonTop(int rowHeight)
{
    return (rowHeight - FormButtonHeight) / 2;
}

// A push button with the caption at (left, top), standard height and width wide.
fw::Button* NewFormButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                          int left, int top, int width = FormButtonWidth);

// A standard button for a row that is lined up along its right edge once made (its left is
// for the line-up to set): vertically centred in a row rowHeight high, and anchored to the
// top right so that it keeps its place when the row widens with its window.
fw::Button* NewRowButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                         int rowHeight, fw::ModalResult result = fw::mrNone);

// A flat glyph button for a tool column: the column that lines its buttons up gives it its
// parent and place later.
fw::SpeedButton* NewToolButton(fw::Component& owner, const char* name, const char* hint, const fw::Bitmap& glyph);

// A raised glyph button at its place on a panel.
fw::SpeedButton* NewGlyphButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* hint,
                                const fw::Bitmap& glyph, const FormBounds& bounds);

// Gives the control its hint, shown as the mouse rests on the control exactly when there is
// one (the control then no longer follows its parent's choice). The glyph buttons above take
// theirs this way.
void SetFormHint(fw::Control& control, const char* hint);

// SetFormHint where the control is made: answers the control.
template <class ControlClass>
ControlClass* WithHint(ControlClass* control, const char* hint)
{
    SetFormHint(*control, hint);
    return control;
}

// --- Labels ----------------------------------------------------------------------------------

// A transparent label (what lies beneath shows around its text) with its top left corner at
// (left, top), sized to its caption.
fw::Label* NewFormLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                        int left, int top);

// The same label given its bounds: they hold until the caption or the font changes, when
// the label sizes itself to its text again.
fw::Label* NewFormLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                        const FormBounds& bounds);

// A transparent label that keeps its bounds whatever its caption, the caption centred across
// it: a row of a narrow frame whose text changes while the frame stays put.
fw::Label* NewCentredLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                           const FormBounds& bounds);

// --- Tree-grid lists -------------------------------------------------------------------------

// How the lists of rows look: grid lines across and down, columns the user can widen, and
// no tree line at the top level, so that rows read as a table rather than as a tree. Lists
// that need more add to it (operator|).
TILTreeDisplayOptions FlatListOptions();

// A tree-grid list filling its parent.
TILTree* NewFormList(fw::Component& owner, fw::WinControl* parent, const char* name,
                     TILTreeDisplayOptions options = FlatListOptions());

// A tree-grid list at its place on the parent.
TILTree* NewFormList(fw::Component& owner, fw::WinControl* parent, const char* name, const FormBounds& bounds,
                     TILTreeDisplayOptions options = FlatListOptions());
