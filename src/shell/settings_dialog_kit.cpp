#include "shell/settings_dialog_kit.h"

#include "controls/brush_page.h"
#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "controls/tabbed_pages.h"
#include "forms/combo_box.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"

namespace {

constexpr int ControlHeight = 21;
constexpr int CheckHeight = 17;
constexpr int CaptionLeft = 8;
constexpr int CaptionTop = 5;

} // namespace

TILBrushPage* NewSettingsPage(fw::Component& owner, TILBrushPageControl& pages, const char* name, const char* pageName)
{
    auto* page = new TILBrushPage(&owner);
    page->SetName(name);
    page->SetPageName(pageName);
    page->SetParent(&pages);
    return page;
}

TILBrushPanel* NewSettingsGroup(fw::Component& owner, fw::WinControl* parent, const char* caption,
                                const FormBounds& bounds)
{
    auto* group = new TILBrushPanel(&owner);
    group->SetParent(parent);
    group->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    // An etched frame on the page's own fill.
    group->SetParentBrush(true);
    group->DrawData().SetBevelOuter(TBevelCut::Lowered);
    group->DrawData().SetBevelInner(TBevelCut::Raised);
    fw::Label* label = NewFormLabel(owner, group, "", caption, CaptionLeft, CaptionTop);
    fw::Font font = label->Font();
    font.Style.Bold = true;
    label->SetFont(font);
    return group;
}

TILRadioButton* NewSettingsRadio(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                                 int left, int top, int width)
{
    auto* radio = new TILRadioButton(&owner);
    radio->SetName(name);
    radio->SetParent(parent);
    radio->SetCaption(caption);
    radio->SetBounds(left, top, width, CheckHeight);
    return radio;
}

TILCheckBox* NewSettingsCheck(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                              int left, int top, int width)
{
    auto* check = new TILCheckBox(&owner);
    check->SetName(name);
    check->SetParent(parent);
    check->SetCaption(caption);
    check->SetBounds(left, top, width, CheckHeight);
    return check;
}

fw::Edit* NewSettingsEdit(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top, int width)
{
    auto* edit = new fw::Edit(&owner);
    edit->SetName(name);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, ControlHeight);
    return edit;
}

TILComboBox* NewSettingsCombo(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top,
                              int width)
{
    auto* combo = new TILComboBox(&owner);
    combo->SetName(name);
    combo->SetParent(parent);
    combo->SetBounds(left, top, width, ControlHeight);
    return combo;
}

TILComboBox* NewOrientationCombo(fw::Component& owner, fw::WinControl* parent, const char* name, int left, int top,
                                 int width)
{
    TILComboBox* combo = NewSettingsCombo(owner, parent, name, left, top, width);
    combo->Items().Add("Vertical", 0);
    combo->Items().Add("Horizontal", 1);
    return combo;
}

fw::Label* NewRowLabel(fw::Component& owner, fw::WinControl* parent, const char* caption, int left, int top)
{
    return NewFormLabel(owner, parent, "", caption, left, top + 3);
}
