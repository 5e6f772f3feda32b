#include "controls/tabbed_pages.h"

#include <algorithm>


TILBrushPageControl::TILBrushPageControl(fw::Component* owner)
    : fw::CustomControl(owner), pages_(std::make_unique<TILBrushPageList>(*this)), tabData_(this)
{
    SetControlState(ControlState() | fw::ControlStateFlag::Creating);
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::AcceptsControls);

    arrows_ = new TILTabScrollArrows(this);
    arrows_->SetVisible(false);
    arrows_->SetParent(this);
    arrows_->SetOnPrevious([this](fw::Object*) { ScrollTabsBack(); });
    arrows_->SetOnNext([this](fw::Object*) { ScrollTabsOn(); });

    tabCaptionPos_.SetHorzMargin(5);
    tabCaptionPos_.SetVertMargin(0);
    tabCaptionPos_.SetOnChange([this](fw::Object*) { CaptionLooksChanged(); });
    icons_.SetAlignHorz(THCanvasTextPosition::Left);
    icons_.SetOnChange([this](fw::Object*) {
        WatchImageList();
        CaptionLooksChanged();
    });

    SetBounds(Left(), Top(), 200, 100);
    SetControlState(ControlState().Exclude(fw::ControlStateFlag::Creating));
    PlaceArrows();
}

TILBrushPageControl::~TILBrushPageControl()
{
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    tabCaptionPos_.SetOnChange(nullptr);
    icons_.SetOnChange(nullptr);
    onChangingPage_ = nullptr;
    onPageChanged_ = nullptr;
    if (watchedImageList_ != nullptr) {
        RemoveFreeNotification(watchedImageList_);
        watchedImageList_ = nullptr;
    }
    // The pages go while everything they might ask about is still here.
    pages_.reset();
}

// --- State ---------------------------------------------------------------------------------------

bool TILBrushPageControl::Building() const
{
    if (Loading()) {
        return true;
    }
    // Forms built in code are loading as a whole until they finish.
    const auto* ownerControl = dynamic_cast<const fw::Control*>(Owner());
    return ownerControl != nullptr && ownerControl->Loading();
}

bool TILBrushPageControl::Destroying() const
{
    return ControlState().Contains(fw::ControlStateFlag::Destroying);
}

TILTabMetrics TILBrushPageControl::Metrics() const
{
    return TILTabMetrics{Width(), Height(), tabWidth_, tabHeight_};
}

TILTabRect TILBrushPageControl::TabStrip() const
{
    return TabStripRect(tabPosition_, Metrics(), showTabs_);
}

// --- Pages ---------------------------------------------------------------------------------------

void TILBrushPageControl::InsertPage(TILBrushPage* page)
{
    if (page == nullptr || page->control_ == this || Destroying()) {
        return;
    }
    page->control_ = this;
    page->SetGapSide(GapSideFacing(tabPosition_));
    page->SetHasGap(showTabs_);
    pages_->Add(page);
    if (page->pageIndex_ == -1) {
        page->pageIndex_ = pages_->IndexOf(page);
    }
    RebuildTabs();
}

void TILBrushPageControl::RemovePage(TILBrushPage* page)
{
    if (page == nullptr || page->control_ != this) {
        return;
    }
    page->control_ = nullptr;
    pages_->Remove(page);
    if (activePage_ == page) {
        activePage_ = nullptr;
    }
    if (!Destroying()) {
        RebuildTabs();
    }
}

void TILBrushPageControl::MovePage(TILBrushPage* page, int index)
{
    if (pages_->Move(page, index)) {
        pages_->Renumber();
        RebuildTabs();
    }
}

void TILBrushPageControl::SetActivePage(TILBrushPage* page)
{
    if (ControlState().Contains(fw::ControlStateFlag::Creating)) {
        return;
    }
    if (page != nullptr && page->control_ != this) {
        throw fw::EInvalidOperation("Cannot set page " + page->PageName() + " as the active page:\r\n"
                                    + "The page control " + Name() + " does not own the page.");
    }
    if (page == activePage_) {
        if (page != nullptr) {
            page->SetVisible(true);
        }
        return;
    }
    if (activePage_ != nullptr) {
        activePage_->SetVisible(false);
    }
    activePage_ = page;
    if (page != nullptr) {
        page->SetVisible(true);
    }
    if (Building() || Destroying()) {
        return;
    }
    fw::WeakRef<TILBrushPageControl> self(this);
    Invalidate();
    if (page != nullptr) {
        page->BringToFront();
        if (page->CanFocus()) {
            page->SetFocus();
        }
    }
    if (self && onPageChanged_) {
        const fw::NotifyEvent handler = onPageChanged_;
        handler(this);
    }
}

// --- Tab strip properties --------------------------------------------------------------------

void TILBrushPageControl::SetTabPosition(TILPageTabPosition position)
{
    tabPosition_ = position;
    ApplyGapSides();
    PlaceArrows();
    RebuildTabs();
    // The pages' area moves with the strip.
    Realign();
    fw::CustomControl::Invalidate();
}

void TILBrushPageControl::SetShowTabs(bool show)
{
    showTabs_ = show;
    RebuildTabs();
    ApplyGapSides();
    Realign();
    fw::CustomControl::Invalidate();
}

void TILBrushPageControl::SetTabWidth(int width)
{
    tabWidth_ = width;
    Realign();
    RebuildTabs();
    fw::CustomControl::Invalidate();
}

void TILBrushPageControl::SetTabHeight(int height)
{
    tabHeight_ = height;
    Realign();
    RebuildTabs();
    fw::CustomControl::Invalidate();
}

void TILBrushPageControl::SetAutoSizeTabs(bool autoSize)
{
    autoSizeTabs_ = autoSize;
    RebuildTabs();
}

void TILBrushPageControl::SetFirstTabSpace(int space)
{
    firstTabSpace_ = space;
    RebuildTabs();
}

void TILBrushPageControl::SetTabGap(int gap)
{
    tabGap_ = gap;
    RebuildTabs();
}

void TILBrushPageControl::SetOwnerTabColour(bool own)
{
    ownerTabColour_ = own;
    Invalidate();
}

void TILBrushPageControl::SetTabData(const TILBrushBevel& bevel)
{
    tabData_.Assign(&bevel);
}

void TILBrushPageControl::SetRoundedTabs(bool rounded)
{
    roundedTabs_ = rounded;
    Invalidate();
}

void TILBrushPageControl::SetHorzTabRounding(int rounding)
{
    horzTabRounding_ = rounding;
    Invalidate();
}

void TILBrushPageControl::SetVertTabRounding(int rounding)
{
    vertTabRounding_ = rounding;
    Invalidate();
}

void TILBrushPageControl::SetTabCaptionFont(const fw::Font& font)
{
    tabCaptionFont_ = font;
    CaptionLooksChanged();
}

void TILBrushPageControl::SetTabCaptionPos(const TILTextPosition& position)
{
    tabCaptionPos_.Assign(&position);
}

void TILBrushPageControl::SetIcons(const TILControlIcons& icons)
{
    icons_.Assign(&icons);
    RebuildTabs();
}

void TILBrushPageControl::CaptionLooksChanged()
{
    if (Building() || Destroying() || ControlState().Contains(fw::ControlStateFlag::Creating)) {
        return;
    }
    if (autoSizeTabs_) {
        RebuildTabs();
    }
    Invalidate();
}

void TILBrushPageControl::WatchImageList()
{
    fw::ImageList* list = icons_.ImageList();
    if (list == watchedImageList_) {
        return;
    }
    if (watchedImageList_ != nullptr) {
        RemoveFreeNotification(watchedImageList_);
    }
    watchedImageList_ = list;
    if (list != nullptr) {
        FreeNotification(list);
    }
}

void TILBrushPageControl::Notification(fw::Component* component, fw::Operation operation)
{
    fw::CustomControl::Notification(component, operation);
    if (operation == fw::Operation::Remove && component != nullptr
        && component == static_cast<fw::Component*>(watchedImageList_)) {
        watchedImageList_ = nullptr;
        icons_.SetImageList(nullptr);
    }
}

void TILBrushPageControl::ApplyGapSides()
{
    for (int index = 0; index < pages_->Count(); ++index) {
        TILBrushPage* page = pages_->Items(index);
        page->SetGapSide(GapSideFacing(tabPosition_));
        page->SetHasGap(showTabs_);
    }
}

// --- Layout ----------------------------------------------------------------------------------

void TILBrushPageControl::RebuildTabs()
{
    if (Destroying()) {
        return;
    }
    pages_->RebuildShown();
    firstShownTab_ = std::clamp(firstShownTab_, 0, std::max(0, pages_->ShownCount() - 1));
    LayoutTabs();
    FindLastFullyShownTab();
    UpdateArrows();
    PlaceArrows();
}

bool TILBrushPageControl::HasValidIcon(const TILBrushPage& page) const
{
    const fw::ImageList* list = icons_.ImageList();
    return list != nullptr && page.IconIndex() >= 0 && page.IconIndex() < list->Count();
}

int TILBrushPageControl::TabLength(const TILBrushPage& page, fw::Canvas& canvas) const
{
    const bool icon = HasValidIcon(page);
    const fw::ImageList* list = icons_.ImageList();
    if (IsVerticalStrip(tabPosition_)) {
        int length = canvas.TextHeight(page.PageName()) + 2 * tabCaptionPos_.VertMargin();
        if (icon && icons_.AlignVert() != TVCanvasTextPosition::Centre) {
            length += list->Height() + 2 * icons_.VertMargin();
        }
        return length;
    }
    int length = canvas.TextWidth(page.PageName()) + 2 * tabCaptionPos_.HorzMargin();
    if (icon && icons_.AlignHorz() != THCanvasTextPosition::Centre) {
        length += list->Width() + 2 * icons_.HorzMargin();
    }
    return length;
}

void TILBrushPageControl::LayoutTabs()
{
    const TILTabMetrics metrics = Metrics();
    const int defaultLength = IsVerticalStrip(tabPosition_) ? tabHeight_ : tabWidth_;
    fw::Canvas& canvas = Canvas();
    canvas.Font() = tabCaptionFont_;
    // Without a way to measure text (no paint backend yet) tabs keep their fixed length.
    const bool measure = autoSizeTabs_ && canvas.Backend() != nullptr;

    for (int index = 0; index < pages_->Count(); ++index) {
        TILBrushPage* page = pages_->Items(index);
        if (pages_->ShownIndexOf(page) < 0) {
            page->SetTabRect(TILTabRect{}, tabPosition_);
        }
    }
    int p = FirstTabStart(tabPosition_, metrics, firstTabSpace_);
    for (int index = 0; index < pages_->ShownCount(); ++index) {
        TILBrushPage* page = pages_->ShownItems(index);
        if (index < firstShownTab_) {
            page->SetTabRect(TILTabRect{}, tabPosition_);
            continue;
        }
        const int n = measure ? TabLength(*page, canvas) : defaultLength;
        page->SetTabRect(TabRectAt(tabPosition_, metrics, p, n), tabPosition_);
        p = NextTabStart(tabPosition_, p, n, tabGap_);
    }
    Invalidate();
}

void TILBrushPageControl::FindLastFullyShownTab()
{
    const TILTabMetrics metrics = Metrics();
    lastFullyShownTab_ = -1;
    for (int index = pages_->ShownCount() - 1; index >= firstShownTab_; --index) {
        const TILTabRect& tab = pages_->ShownItems(index)->TabRect();
        if (tab.Shown() && TabEndsInside(tabPosition_, metrics, tab)) {
            lastFullyShownTab_ = index;
            return;
        }
    }
}

void TILBrushPageControl::UpdateArrows()
{
    const int shownCount = pages_->ShownCount();
    const bool show = showTabs_ && (firstShownTab_ > 0 || lastFullyShownTab_ < shownCount - 1);
    arrows_->SetCanScroll(firstShownTab_ > 0, firstShownTab_ < shownCount - 1);
    if (arrows_->Visible() != show) {
        arrows_->SetVisible(show);
        Invalidate();
    }
    if (show) {
        // Above the pages, whichever was brought to the front last.
        arrows_->BringToFront();
    }
}

void TILBrushPageControl::PlaceArrows()
{
    arrows_->SetVertical(IsVerticalStrip(tabPosition_));
    arrows_->SetNextForward(!LaysOutBackwards(tabPosition_));
    arrows_->SetBoundsRect(TabArrowsBounds(tabPosition_, Metrics()));
}

void TILBrushPageControl::ScrollTabsBack()
{
    if (firstShownTab_ > 0) {
        --firstShownTab_;
        RebuildTabs();
    }
}

void TILBrushPageControl::ScrollTabsOn()
{
    if (firstShownTab_ < pages_->ShownCount() - 1) {
        ++firstShownTab_;
        RebuildTabs();
    }
}

// --- Framework overrides ------------------------------------------------------------------------

void TILBrushPageControl::Invalidate()
{
    if (showTabs_) {
        InvalidateRect(TabStrip().Exclusive());
    }
}

void TILBrushPageControl::AdjustClientRect(fw::Rect& rect)
{
    fw::CustomControl::AdjustClientRect(rect);
    if (!showTabs_) {
        return;
    }
    switch (SideOf(tabPosition_)) {
    case TILTabSide::Left: rect.Left += tabWidth_; break;
    case TILTabSide::Top: rect.Top += tabHeight_; break;
    case TILTabSide::Right: rect.Right -= tabWidth_; break;
    case TILTabSide::Bottom: rect.Bottom -= tabHeight_; break;
    }
}

void TILBrushPageControl::Loaded()
{
    fw::CustomControl::Loaded();
    // Pages that were still loading when they got this parent join now.
    for (fw::Control* child : std::vector<fw::Control*>(ControlList())) {
        if (auto* page = dynamic_cast<TILBrushPage*>(child); page != nullptr && page->control_ == nullptr) {
            InsertPage(page);
        }
    }
    SetShowTabs(showTabs_);
    pages_->RebuildShown();
    pages_->Renumber();
    RebuildTabs();
    if (activePage_ == nullptr) {
        SetActivePage(pages_->ShownCount() > 0 ? pages_->ShownItems(0) : nullptr);
    }
}

void TILBrushPageControl::Resize()
{
    RebuildTabs();
    PlaceArrows();
    // What the pages do not cover shows the parent's fill.
    fw::CustomControl::Invalidate();
    fw::CustomControl::Resize();
}

