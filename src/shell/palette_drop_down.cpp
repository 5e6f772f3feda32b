#include "shell/palette_drop_down.h"

#include <algorithm>

#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/form.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"

namespace {

constexpr int ButtonWidth = 17;
constexpr int TextMargin = 4;

bool HasBackend(const fw::Control& control)
{
    return control.EffectivePaintBackend() != nullptr;
}

} // namespace

// --- TTWDropDownList ----------------------------------------------------------------------------

TTWDropDownList::TTWDropDownList(fw::Component* owner) : fw::CustomControl(owner)
{
    SetControlStyle(ControlStyle().Include(fw::ControlStyleFlag::Opaque).Exclude(fw::ControlStyleFlag::DoubleClicks));
    SetTabStop(true);
    SetColor(fw::clWindow);
    SetBounds(0, 0, 145, 21);
}

TTWDropDownList::~TTWDropDownList()
{
    delete list_.Get();
}

void TTWDropDownList::AddItem(std::string text, fw::Object* data)
{
    items_.push_back(Item{std::move(text), data});
    if (TTWDropDownListBox* list = list_.Get()) {
        list->Invalidate();
    }
}

void TTWDropDownList::Clear()
{
    CloseList();
    items_.clear();
    itemIndex_ = -1;
    highlighted_ = -1;
    Invalidate();
}

std::string TTWDropDownList::ItemText(int index) const
{
    return index >= 0 && index < ItemCount() ? items_[static_cast<std::size_t>(index)].Text : std::string();
}

fw::Object* TTWDropDownList::ItemObject(int index) const
{
    return index >= 0 && index < ItemCount() ? items_[static_cast<std::size_t>(index)].Data : nullptr;
}

void TTWDropDownList::SetItemIndex(int index)
{
    if (index < 0 || index >= ItemCount()) {
        index = -1;
    }
    if (index != itemIndex_) {
        itemIndex_ = index;
        Invalidate();
    }
}

int TTWDropDownList::EntryHeight() const
{
    fw::PaintBackend* backend = EffectivePaintBackend();
    return backend != nullptr ? backend->TextExtent(Font(), "Ag").Height + 2 : 15;
}

bool TTWDropDownList::DroppedDown() const
{
    return list_.Get() != nullptr;
}

TTWDropDownListBox* TTWDropDownList::DroppedList() const
{
    return list_.Get();
}

void TTWDropDownList::SetDroppedDown(bool dropped)
{
    if (dropped == DroppedDown()) {
        return;
    }
    if (!dropped) {
        CloseList();
        return;
    }
    fw::Form* form = fw::ParentFormOf(*this);
    if (form == nullptr || items_.empty() || !Enabled()) {
        return;
    }
    highlighted_ = itemIndex_ >= 0 ? itemIndex_ : 0;
    const int top = std::clamp(highlighted_ - VisibleEntries + 1, 0, std::max(0, ItemCount() - VisibleEntries));
    auto* list = new TTWDropDownListBox(*this, top);
    const int shown = std::min(ItemCount(), VisibleEntries);
    const int height = shown * EntryHeight() + 2;
    // Below the field, or above it when the form has no room below.
    const fw::Point below = form->ScreenToClient(ClientToScreen(fw::Point{0, Height()}));
    int listTop = below.Y;
    if (listTop + height > form->ClientHeight() && below.Y - Height() - height >= 0) {
        listTop = below.Y - Height() - height;
    }
    list->SetBounds(below.X, listTop, Width(), height);
    list->SetParent(form);
    list->BringToFront();
    list_ = list;
    Invalidate();
}

void TTWDropDownList::CloseList()
{
    if (TTWDropDownListBox* list = list_.Get()) {
        list_.Reset();
        list->SetMouseCapture(false);
        delete list;
        Invalidate();
    }
}

void TTWDropDownList::Choose(int index)
{
    if (index < 0 || index >= ItemCount() || index == itemIndex_) {
        return;
    }
    SetItemIndex(index);
    if (onChange_) {
        onChange_(this);
    }
}

void TTWDropDownList::Highlight(int index)
{
    if (index < 0 || index >= ItemCount()) {
        return;
    }
    highlighted_ = index;
    if (TTWDropDownListBox* list = list_.Get()) {
        list->ShowEntry(index);
        list->Invalidate();
    }
}

void TTWDropDownList::SetEnabled(bool enabled)
{
    if (!enabled) {
        CloseList();
    }
    fw::CustomControl::SetEnabled(enabled);
    Invalidate();
}

void TTWDropDownList::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    fw::WeakRef<TTWDropDownList> self(this);
    if (button == fw::MouseButton::Left) {
        if (CanFocus()) {
            SetFocus();
        }
        if (self) {
            SetDroppedDown(!DroppedDown());
        }
    }
    if (self) {
        fw::CustomControl::MouseDown(button, shift, x, y);
    }
}

void TTWDropDownList::MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    fw::WeakRef<TTWDropDownList> self(this);
    fw::CustomControl::MouseUp(button, shift, x, y);
    // The press that opened the list held the mouse for the field until now; from here the
    // list holds it, so that the next press, wherever it lands, reaches the list.
    if (self) {
        if (TTWDropDownListBox* list = list_.Get()) {
            list->SetMouseCapture(true);
        }
    }
}

void TTWDropDownList::KeyDown(int& key, fw::ShiftState shift)
{
    fw::WeakRef<TTWDropDownList> self(this);
    fw::CustomControl::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
    const bool dropped = DroppedDown();
    const int current = dropped ? highlighted_ : itemIndex_;
    switch (key) {
    case fw::VK_UP:
    case fw::VK_DOWN: {
        if (key == fw::VK_DOWN && shift.Contains(fw::ShiftFlag::Alt)) {
            SetDroppedDown(!dropped);
            break;
        }
        const int step = key == fw::VK_DOWN ? 1 : -1;
        const int next = current < 0 ? 0 : std::clamp(current + step, 0, ItemCount() - 1);
        if (dropped) {
            Highlight(next);
        } else {
            Choose(next);
        }
        break;
    }
    case fw::VK_F4: SetDroppedDown(!dropped); break;
    case fw::VK_RETURN:
        if (!dropped) {
            return;
        }
        CloseList();
        Choose(current);
        break;
    case fw::VK_ESCAPE:
        if (!dropped) {
            return;
        }
        CloseList();
        break;
    default: return;
    }
    key = 0;
}

void TTWDropDownList::DoExit()
{
    CloseList();
    fw::CustomControl::DoExit();
}

void TTWDropDownList::Dispatch(fw::Message& message)
{
    if (message.Msg == fw::WM_GETDLGCODE) {
        // Enter and Esc belong to the open list, not to the form's default and cancel buttons.
        message.Result = fw::DLGC_WANTARROWS | (DroppedDown() ? fw::DLGC_WANTALLKEYS : 0);
        return;
    }
    fw::CustomControl::Dispatch(message);
}

void TTWDropDownList::Paint()
{
    fw::Canvas& canvas = Canvas();
    const fw::Rect client = ClientRect();
    canvas.Brush() = fw::Brush{Enabled() ? fw::clWindow : fw::clBtnFace};
    canvas.FillRect(client);
    fw::DrawBevelFrame(canvas, client, fw::clBtnShadow, fw::clBtnHighlight, 1);

    const fw::Rect button{client.Right - 1 - ButtonWidth, 1, client.Right - 1, client.Bottom - 1};
    canvas.Brush() = fw::Brush{fw::clBtnFace};
    canvas.FillRect(button);
    fw::DrawBevelFrame(canvas, button, fw::clBtnHighlight, fw::clBtnShadow, 1);
    const fw::Bitmap* arrow = fw::FindNamedImage(Enabled() ? "IMG_ILCB_ARROW_INACTIVE" : "IMG_ILCB_ARROW_DISABLED");
    if (arrow != nullptr) {
        canvas.Draw(button.Left + (button.Width() - arrow->Width()) / 2,
                    button.Top + (button.Height() - arrow->Height()) / 2, *arrow);
    }

    if (itemIndex_ < 0 || !HasBackend(*this)) {
        return;
    }
    const fw::Rect field{2, 2, button.Left - 1, client.Bottom - 2};
    canvas.Font() = Font();
    // The chosen entry shows selected while the closed field has the focus.
    if (Focused() && !DroppedDown() && Enabled()) {
        canvas.Brush() = fw::Brush{fw::clHighlight};
        canvas.FillRect(field);
        canvas.Font().Color = fw::clHighlightText;
    } else if (!Enabled()) {
        canvas.Font().Color = fw::clGrayText;
    }
    canvas.Brush().Style = fw::BrushStyle::Clear;
    const std::string text = Text();
    const int y = field.Top + (field.Height() - canvas.TextHeight(text)) / 2;
    canvas.TextRect(field, field.Left + TextMargin - 2, y, text);
}

// --- TTWDropDownListBox -------------------------------------------------------------------------

TTWDropDownListBox::TTWDropDownListBox(TTWDropDownList& owner, int topIndex)
    : fw::CustomControl(&owner), field_(owner), topIndex_(topIndex)
{
    // The list decides itself when it lets the mouse go: at the end of a choice, or when a
    // press outside it closes it.
    SetControlStyle(fw::ControlStyle{fw::ControlStyleFlag::Opaque});
    SetColor(fw::clWindow);
    SetFont(owner.Font());
}

int TTWDropDownListBox::ShownEntries() const
{
    return std::min(field_.ItemCount() - topIndex_, TTWDropDownList::VisibleEntries);
}

void TTWDropDownListBox::ShowEntry(int index)
{
    if (index < topIndex_) {
        topIndex_ = index;
    } else if (index >= topIndex_ + TTWDropDownList::VisibleEntries) {
        topIndex_ = index - TTWDropDownList::VisibleEntries + 1;
    }
}

int TTWDropDownListBox::EntryAt(int x, int y) const
{
    if (x < 1 || x >= Width() - 1 || y < 1) {
        return -1;
    }
    const int row = (y - 1) / field_.EntryHeight();
    return row < ShownEntries() ? topIndex_ + row : -1;
}

void TTWDropDownListBox::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        field_.CloseList();
        return;
    }
    if (const int entry = EntryAt(x, y); entry >= 0) {
        field_.Highlight(entry);
    }
    fw::CustomControl::MouseDown(button, shift, x, y);
}

void TTWDropDownListBox::MouseMove(fw::ShiftState shift, int x, int y)
{
    if (const int entry = EntryAt(x, y); entry >= 0 && entry != field_.HighlightedIndex()) {
        field_.Highlight(entry);
    }
    fw::CustomControl::MouseMove(shift, x, y);
}

void TTWDropDownListBox::MouseUp(fw::MouseButton button, fw::ShiftState, int x, int y)
{
    const int entry = button == fw::MouseButton::Left ? EntryAt(x, y) : -1;
    if (entry < 0) {
        return;
    }
    // Closing frees this list: take what is needed first.
    TTWDropDownList& field = field_;
    field.CloseList();
    field.Choose(entry);
}

bool TTWDropDownListBox::DoMouseWheel(fw::ShiftState, int wheelDelta, fw::Point)
{
    const int most = std::max(0, field_.ItemCount() - TTWDropDownList::VisibleEntries);
    topIndex_ = std::clamp(topIndex_ + (wheelDelta > 0 ? -1 : 1), 0, most);
    Invalidate();
    return true;
}

void TTWDropDownListBox::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{fw::clWindow};
    canvas.FillRect(ClientRect());
    fw::DrawBevelFrame(canvas, ClientRect(), fw::clWindowFrame, fw::clWindowFrame, 1);
    if (!HasBackend(*this)) {
        return;
    }
    const int entryHeight = field_.EntryHeight();
    canvas.Font() = Font();
    for (int row = 0; row < ShownEntries(); ++row) {
        const int index = topIndex_ + row;
        const fw::Rect entry{1, 1 + row * entryHeight, Width() - 1, 1 + (row + 1) * entryHeight};
        const bool highlighted = index == field_.HighlightedIndex();
        canvas.Brush() = fw::Brush{highlighted ? fw::clHighlight : fw::clWindow};
        canvas.FillRect(entry);
        canvas.Font().Color = highlighted ? fw::clHighlightText : fw::clWindowText;
        canvas.Brush().Style = fw::BrushStyle::Clear;
        const std::string text = field_.ItemText(index);
        canvas.TextRect(entry, entry.Left + TextMargin - 1, entry.Top + (entryHeight - canvas.TextHeight(text)) / 2,
                        text);
    }
}
