#include "forms/combo_box.h"

#include <algorithm>

#include "controls/il_brush.h"
#include "controls/image_button.h"
#include "forms/combo_drop_down.h"
#include "framework/core/named_images.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_headings.h"

namespace {

constexpr int ArrowButtonWidth = 16;
constexpr int ArrowButtonInset = 2;
constexpr fw::Color ArrowTransparent = 0xFF00FF;
constexpr fw::Color DisabledBackground = 0xC6F0AC;
constexpr fw::Color DisabledText = 0x808080;

// The library's shared state: the default list colours and the arrow pictures.
struct ComboBoxLibrary {
    int starts = 0;
    std::unique_ptr<TILFormsDefaultComboBoxColours> colours;
    fw::Bitmap arrowDisabled;
    fw::Bitmap arrowInactive;
    fw::Bitmap arrowActive;
    fw::Bitmap arrowDown;
};

ComboBoxLibrary& Library()
{
    static ComboBoxLibrary library;
    return library;
}

fw::Bitmap NamedPicture(std::string_view name)
{
    const fw::Bitmap* picture = fw::FindNamedImage(name);
    return picture != nullptr ? *picture : fw::Bitmap();
}

void GiveArrowPictures(TILButton& button)
{
    ComboBoxLibrary& library = Library();
    if (library.starts == 0) {
        // Outside the library's life the program's named pictures serve directly.
        button.SetImageDisabled(NamedPicture("IMG_ILCB_ARROW_DISABLED"));
        button.SetImageInactive(NamedPicture("IMG_ILCB_ARROW_INACTIVE"));
        button.SetImageActive(NamedPicture("IMG_ILCB_ARROW_ACTIVE"));
        button.SetImageDown(NamedPicture("IMG_ILCB_ARROW_DOWN"));
        return;
    }
    button.SetImageDisabled(library.arrowDisabled);
    button.SetImageInactive(library.arrowInactive);
    button.SetImageActive(library.arrowActive);
    button.SetImageDown(library.arrowDown);
}

void CollectSelectable(const TILComboBoxItemCollection& items, std::vector<TILComboBoxItem*>& into)
{
    for (int i = 0; i < items.Count(); ++i) {
        TILComboBoxItem* item = items.GetItem(i);
        if (!item->Shown()) {
            continue;
        }
        if (item->Enabled()) {
            into.push_back(item);
        }
        CollectSelectable(item->Items(), into);
    }
}

} // namespace

// --- TILComboBoxListData -----------------------------------------------------------------------

TILComboBoxListData::TILComboBoxListData(fw::Component* owner)
    : TILTreeProperties(owner), drawDisabled_(std::make_unique<TILTreeColumnDrawData>())
{
    SetOptions(Options()
                   .Include(TILTreeDisplayOption::iltNoTopLevelLine)
                   .Include(TILTreeDisplayOption::iltDisallowDeselect)
                   .Include(TILTreeDisplayOption::iltTrack)
                   .Include(TILTreeDisplayOption::iltNoDoubleClick));
    drawDisabled_->Background().SetColour(DisabledBackground);
    fw::Font font = drawDisabled_->Font();
    font.Color = DisabledText;
    font.SetSize(8);
    font.Style = fw::FontStyles{};
    drawDisabled_->SetFont(font);
}

TILComboBoxListData::~TILComboBoxListData() = default;

void TILComboBoxListData::Assign(const fw::Persistent* source)
{
    TILTreeProperties::Assign(source);
    if (const auto* other = dynamic_cast<const TILComboBoxListData*>(source)) {
        autoWidth_ = other->autoWidth_;
        maximiseHeight_ = other->maximiseHeight_;
        minimiseHeight_ = other->minimiseHeight_;
        defaultColours_ = other->defaultColours_;
        width_ = other->width_;
        height_ = other->height_;
        drawDisabled_->Assign(other->drawDisabled_.get());
    }
}

// --- TILFormsDefaultComboBoxColours ------------------------------------------------------------

TILFormsDefaultComboBoxColours::TILFormsDefaultComboBoxColours()
    : drawDisabled_(std::make_unique<TILFormsDefaultTreeDrawColours>())
{
    TILBrush background;
    background.SetColour(DisabledBackground);
    drawDisabled_->SetFillBrush(&background);
    drawDisabled_->SetFontColour(DisabledText);
}

TILFormsDefaultComboBoxColours::~TILFormsDefaultComboBoxColours() = default;

void TILFormsDefaultComboBoxColours::Assign(const fw::Persistent* source)
{
    TILFormsDefaultTreeColours::Assign(source);
    if (const auto* other = dynamic_cast<const TILFormsDefaultComboBoxColours*>(source)) {
        drawDisabled_->Assign(other->drawDisabled_.get());
    }
}

void InitComboBoxLibrary()
{
    ComboBoxLibrary& library = Library();
    if (library.starts++ > 0) {
        return;
    }
    library.colours = std::make_unique<TILFormsDefaultComboBoxColours>();
    library.arrowDisabled = NamedPicture("IMG_ILCB_ARROW_DISABLED");
    library.arrowInactive = NamedPicture("IMG_ILCB_ARROW_INACTIVE");
    library.arrowActive = NamedPicture("IMG_ILCB_ARROW_ACTIVE");
    library.arrowDown = NamedPicture("IMG_ILCB_ARROW_DOWN");
}

void ShutdownComboBoxLibrary()
{
    ComboBoxLibrary& library = Library();
    if (library.starts == 0 || --library.starts > 0) {
        return;
    }
    library.colours.reset();
    library.arrowDisabled = fw::Bitmap();
    library.arrowInactive = fw::Bitmap();
    library.arrowActive = fw::Bitmap();
    library.arrowDown = fw::Bitmap();
}

TILFormsDefaultComboBoxColours* ComboBoxDefaultColours()
{
    return Library().colours.get();
}

// --- TILComboBox --------------------------------------------------------------------------------

TILComboBox::TILComboBox(fw::Component* owner)
    : fw::CustomControl(owner),
      items_(std::make_unique<TILComboBoxItemCollection>(this, nullptr)),
      listData_(std::make_unique<TILComboBoxListData>(this))
{
    SetControlStyle(ControlStyle().Exclude(fw::ControlStyleFlag::DoubleClicks));
    SetColor(fw::clWindow);
    SetTabStop(true);
    listData_->Headings().SetShow(false);
    listData_->Headings().SetHeight(16);
    listData_->Columns().Add();

    button_ = new TILButton(this);
    button_->SetName("btnArrow");
    button_->SetParent(this);
    button_->SetTransparent(ArrowTransparent);
    button_->SetReactTransparent(true);
    GiveArrowPictures(*button_);
    button_->SetOnClick([this](fw::Object*) { DropDown(); });
    fw::CustomControl::SetBounds(0, 0, 145, 21);
    PlaceButton();
}

TILComboBox::~TILComboBox()
{
    // Nothing the items or the list do from here on may reach the half-gone combo box.
    afterChange_ = nullptr;
    FreeDropDown();
    selected_ = nullptr;
    items_.reset();
}

void TILComboBox::SetCaptionIndex(int index)
{
    if (index == captionIndex_) {
        return;
    }
    captionIndex_ = index;
    Invalidate();
}

void TILComboBox::SetSelected(TILComboBoxItem* item)
{
    if (item == selected_) {
        return;
    }
    if (item != nullptr && (!item->Enabled() || !items_->Contains(item))) {
        return;
    }
    if (onCanSelect_ && !onCanSelect_(this, item)) {
        return;
    }
    if (onConfirmSelect_ && !onConfirmSelect_(this, item)) {
        return;
    }
    selected_ = item;
    const fw::WeakRef<TILComboBox> self(this);
    if (afterChange_) {
        afterChange_(this);
    }
    if (self) {
        Invalidate();
    }
}

int TILComboBox::ItemIndex() const
{
    return selected_ != nullptr ? selected_->Index() : -1;
}

void TILComboBox::SetItemIndex(int index)
{
    SetSelected(items_->GetItem(index));
}

TILComboBoxItem* TILComboBox::SelectByTag(int tag, int defaultIndex)
{
    if (TILComboBoxItem* item = items_->FindByTag(tag, true)) {
        SetSelected(item);
    } else {
        SetItemIndex(defaultIndex);
    }
    return selected_;
}

int TILComboBox::SelectedTag() const
{
    return selected_ != nullptr ? selected_->Tag() : 0;
}

std::string TILComboBox::Text() const
{
    return selected_ != nullptr ? selected_->Caption() : std::string();
}

bool TILComboBox::CanSelect(TILComboBoxItem* item)
{
    return !onCanSelect_ || onCanSelect_(this, item);
}

std::vector<TILComboBoxItem*> TILComboBox::SelectableItems() const
{
    std::vector<TILComboBoxItem*> items;
    CollectSelectable(*items_, items);
    return items;
}

// --- The drop-down ---------------------------------------------------------------------------------

bool TILComboBox::DroppedDown() const
{
    return dropDown_.Get() != nullptr;
}

TfrmILCBDropDownList* TILComboBox::DropDownWindow() const
{
    return dropDown_.Get();
}

void TILComboBox::DropDown()
{
    if (DroppedDown() || !Enabled()) {
        return;
    }
    if (lastClosed_ && fw::App().GetClock().Now() - *lastClosed_ < ComboBoxReopenGuard) {
        return;
    }
    const fw::WeakRef<TILComboBox> self(this);
    if (beforeSelect_) {
        beforeSelect_(this);
        if (!self || DroppedDown()) {
            return;
        }
    }
    auto* list = new TfrmILCBDropDownList(*this);
    dropDown_ = list;
    list->ShowForComboBox();
}

void TILComboBox::CloseUp()
{
    if (TfrmILCBDropDownList* list = dropDown_.Get()) {
        list->CloseList();
    }
}

void TILComboBox::DropDownClosed(TILComboBoxItem* chosen)
{
    FreeDropDown();
    lastClosed_ = fw::App().GetClock().Now();
    const fw::WeakRef<TILComboBox> self(this);
    // The item may have gone while the message waited.
    if (chosen != nullptr && items_->Contains(chosen) && CanSelect(chosen)) {
        SetSelected(chosen);
    }
    if (self && Showing() && CanFocus()) {
        SetFocus();
    }
}

void TILComboBox::FreeDropDown()
{
    // The reference goes first: whatever freeing the window sets off finds no list.
    TfrmILCBDropDownList* list = dropDown_.Get();
    dropDown_.Reset();
    delete list;
}

void TILComboBox::ItemLeaving(TILComboBoxItem* item)
{
    if (Destroying() || item == nullptr) {
        return;
    }
    // The open list shows rows of the items; it closes rather than show one that is gone.
    if (TfrmILCBDropDownList* list = dropDown_.Get()) {
        if (list->NodeOf(item) != nullptr || item->Contains(list->Choice())) {
            list->CloseList();
            FreeDropDown();
        }
    }
    if (selected_ != nullptr && item->Contains(selected_)) {
        selected_ = nullptr;
        const fw::WeakRef<TILComboBox> self(this);
        if (afterChange_) {
            afterChange_(this);
        }
        if (self) {
            Invalidate();
        }
    }
}

void TILComboBox::ItemCaptionChanged(TILComboBoxItem* item)
{
    if (item == selected_) {
        Invalidate();
    }
}

// --- Looks and input ----------------------------------------------------------------------------------

fw::Rect TILComboBox::TextRect() const
{
    return fw::Rect{3, 3, Width() - ArrowButtonWidth - 3, Height() - 3};
}

void TILComboBox::PlaceButton()
{
    if (button_ != nullptr) {
        button_->SetBounds(Width() - ArrowButtonInset - ArrowButtonWidth, ArrowButtonInset, ArrowButtonWidth,
                           std::max(Height() - 2 * ArrowButtonInset, 0));
    }
}

void TILComboBox::SetBounds(int left, int top, int width, int height)
{
    fw::CustomControl::SetBounds(left, top, width, height);
    PlaceButton();
}

void TILComboBox::SetEnabled(bool enabled)
{
    if (!enabled) {
        CloseUp();
    }
    fw::CustomControl::SetEnabled(enabled);
    if (button_ != nullptr) {
        button_->SetEnabled(enabled);
    }
    Invalidate();
}

void TILComboBox::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::WeakRef<TILComboBox> self(this);
    fw::CustomControl::MouseDown(button, shift, x, y);
    if (!self || button != fw::MouseButton::Left) {
        return;
    }
    if (CanFocus()) {
        SetFocus();
    }
    if (self && !DroppedDown()) {
        DropDown();
    }
}

void TILComboBox::KeyDown(int& key, fw::ShiftState shift)
{
    const fw::WeakRef<TILComboBox> self(this);
    fw::CustomControl::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
    const bool alt = shift.Contains(fw::ShiftFlag::Alt);
    if (key == fw::VK_F4 || (key == fw::VK_DOWN && alt)) {
        DropDown();
        key = 0;
        return;
    }
    if (key != fw::VK_UP && key != fw::VK_DOWN) {
        return;
    }
    const bool down = key == fw::VK_DOWN;
    key = 0;
    const std::vector<TILComboBoxItem*> items = SelectableItems();
    if (items.empty()) {
        return;
    }
    const auto at = std::find(items.begin(), items.end(), selected_);
    if (at == items.end()) {
        SetSelected(down ? items.front() : items.back());
    } else if (down && at + 1 != items.end()) {
        SetSelected(*(at + 1));
    } else if (!down && at != items.begin()) {
        SetSelected(*(at - 1));
    }
}

void TILComboBox::DoEnter()
{
    fw::CustomControl::DoEnter();
    Invalidate();
}

void TILComboBox::DoExit()
{
    fw::CustomControl::DoExit();
    Invalidate();
}

void TILComboBox::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case WM_ILCB_ITEMCHOSEN:
        DropDownClosed(reinterpret_cast<TILComboBoxItem*>(message.WParam));
        message.Result = 1;
        return;
    case WM_ILCB_CLOSEDNOCHOICE:
        DropDownClosed(nullptr);
        message.Result = 1;
        return;
    case fw::WM_GETDLGCODE:
        message.Result = fw::DLGC_WANTARROWS;
        return;
    case fw::WM_SETFOCUS:
    case fw::WM_KILLFOCUS:
        fw::CustomControl::Dispatch(message);
        Invalidate();
        return;
    default: break;
    }
    fw::CustomControl::Dispatch(message);
}

void TILComboBox::Paint()
{
    if (Loading()) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    const fw::Rect client = ClientRect();
    canvas.Brush() = fw::Brush{Color()};
    canvas.FillRect(client);
    canvas.DrawEdge(client, fw::EDGE_SUNKEN, fw::BF_RECT);
    if (EffectivePaintBackend() == nullptr) {
        return;
    }
    const fw::Rect rect = TextRect();
    canvas.Font() = Font();
    const bool focused = Focused();
    if (focused) {
        canvas.Brush() = fw::Brush{fw::clHighlight};
        canvas.Font().Color = fw::clHighlightText;
    } else {
        canvas.Brush().Style = fw::BrushStyle::Clear;
    }
    const int offset = (rect.Height() - canvas.TextHeight("X") + 1) / 2;
    const int y = rect.Top + std::max(offset, 0);
    const std::string caption = Text();
    if (Enabled()) {
        canvas.TextRect(rect, rect.Left + 1, y, caption);
    } else {
        canvas.Font().Color = fw::clBtnHighlight;
        canvas.TextRect(rect, rect.Left + 2, y + 1, caption);
        canvas.Brush().Style = fw::BrushStyle::Clear;
        canvas.Font().Color = fw::clBtnShadow;
        canvas.TextRect(rect, rect.Left + 1, y, caption);
    }
    if (focused) {
        canvas.DrawFocusRect(client);
    }
}
