#include "forms/form_kit.h"

#include "framework/core/bitmap.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_speed_button.h"

fw::Button* NewFormButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                          int left, int top, int width)
{
    auto* button = new fw::Button(&owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetCaption(caption);
    button->SetBounds(left, top, width, FormButtonHeight);
    return button;
}

fw::Button* NewRowButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                         int rowHeight, fw::ModalResult result)
{
    fw::Button* button = NewFormButton(owner, parent, name, caption, 0, CentredButtonTop(rowHeight));
    button->SetAnchors(fw::Anchors{fw::AnchorKind::Top, fw::AnchorKind::Right});
    button->SetModalResult(result);
    return button;
}

fw::SpeedButton* NewToolButton(fw::Component& owner, const char* name, const char* hint, const fw::Bitmap& glyph)
{
    auto* button = new fw::SpeedButton(&owner);
    button->SetName(name);
    SetFormHint(*button, hint);
    button->SetFlat(true);
    button->SetGlyph(glyph);
    return button;
}

fw::SpeedButton* NewGlyphButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* hint,
                                const fw::Bitmap& glyph, const FormBounds& bounds)
{
    auto* button = new fw::SpeedButton(&owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    button->SetGlyph(glyph);
    SetFormHint(*button, hint);
    return button;
}

void SetFormHint(fw::Control& control, const char* hint)
{
    control.SetHint(hint);
    control.SetShowHint(hint[0] != '\0');
}

namespace {

fw::Label* NewTransparentLabel(fw::Component& owner, fw::WinControl* parent, const char* name)
{
    auto* label = new fw::Label(&owner);
    label->SetName(name);
    label->SetParent(parent);
    label->SetTransparent(true);
    return label;
}

} // namespace

fw::Label* NewFormLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                        int left, int top)
{
    fw::Label* label = NewTransparentLabel(owner, parent, name);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

fw::Label* NewFormLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                        const FormBounds& bounds)
{
    fw::Label* label = NewTransparentLabel(owner, parent, name);
    label->SetCaption(caption);
    label->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    return label;
}

fw::Label* NewCentredLabel(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                           const FormBounds& bounds)
{
    fw::Label* label = NewTransparentLabel(owner, parent, name);
    // Before the caption, so that the caption never sizes the label.
    label->SetAutoSize(false);
    label->SetAlignment(fw::Alignment::Center);
    label->SetCaption(caption);
    label->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    return label;
}

TILTreeDisplayOptions FlatListOptions()
{
    return TILTreeDisplayOptions{TILTreeDisplayOption::iltHorzGrid, TILTreeDisplayOption::iltVertGrid,
                                 TILTreeDisplayOption::iltResizeCol, TILTreeDisplayOption::iltNoTopLevelLine};
}

namespace {

TILTree* NewNamedList(fw::Component& owner, fw::WinControl* parent, const char* name)
{
    auto* list = new TILTree(&owner);
    list->SetName(name);
    list->SetParent(parent);
    return list;
}

} // namespace

TILTree* NewFormList(fw::Component& owner, fw::WinControl* parent, const char* name, TILTreeDisplayOptions options)
{
    TILTree* list = NewNamedList(owner, parent, name);
    list->SetAlign(fw::Align::Client);
    list->SetOptions(options);
    return list;
}

TILTree* NewFormList(fw::Component& owner, fw::WinControl* parent, const char* name, const FormBounds& bounds,
                     TILTreeDisplayOptions options)
{
    TILTree* list = NewNamedList(owner, parent, name);
    list->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    list->SetOptions(options);
    return list;
}
