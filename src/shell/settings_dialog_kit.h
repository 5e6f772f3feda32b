#pragma once

#include "forms/form_kit.h"

class TILBrushPage;
class TILBrushPageControl;
class TILBrushPanel;
class TILCheckBox;
class TILComboBox;
class TILRadioButton;

namespace fw {
class Edit;
class Label;
} // namespace fw

// The pieces the settings dialog's pages are made of. Each is owned by the dialog and shown
// on the given parent; positions are in the parent's client coordinates.

// The height of one row of a group: an edit, a combo box, a check box or a radio button.
inline constexpr int SettingsRowHeight = 24;
// Where a group's first row starts below its caption.
inline constexpr int SettingsGroupFirstRow = 24;

// A page of the page control with its tab caption.
TILBrushPage* NewSettingsPage(fw::Component& owner, TILBrushPageControl& pages, const char* name,
                              const char* pageName);

// A framed group with its caption at the top left. Radio buttons in one group are exclusive
// of each other and of no others: the group is their parent.
TILBrushPanel* NewSettingsGroup(fw::Component& owner, fw::WinControl* parent, const char* caption,
                                const FormBounds& bounds);

TILRadioButton* NewSettingsRadio(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                                 int left, int top, int width);
TILCheckBox* NewSettingsCheck(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                              int left, int top, int width);
fw::Edit* NewSettingsEdit(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top,
                          int width);
TILComboBox* NewSettingsCombo(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top,
                              int width);
// A fixed list of "Vertical" then "Horizontal", chosen by index.
TILComboBox* NewOrientationCombo(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top,
                                 int width);
// The label of a row: transparent, its text centred on the row's height.
fw::Label* NewRowLabel(fw::Component& owner, fw::WinControl* parent, const char* caption, int left, int top);
