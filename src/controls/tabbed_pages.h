#pragma once

#include <functional>
#include <memory>

#include "controls/brush_bevel.h"
#include "controls/brush_page.h"
#include "controls/control_brush.h"
#include "controls/page_list.h"
#include "controls/position.h"
#include "controls/tab_geometry.h"
#include "controls/tab_scroll_arrows.h"
#include "framework/gui/control.h"
#include "framework/gui/image_list.h"

// The owner-drawn page control: a strip of tabs on any side of the control, laid out from
// either end of it, over pages that are brush panels. Tabs may be auto-sized to their
// captions (and icons), have rounded outer corners and scroll with a pair of arrows when
// they do not fit. The active page's edge opens where its tab meets it.
//
// Only the strip is the control's own painting: the pages fill the rest of the control and
// paint themselves.
class TILBrushPageControl : public fw::CustomControl, public TILBrushControl {
public:
    // Asked before a click on a tab makes its page active; false keeps the current page.
    using ChangingPageEvent = std::function<bool(TILBrushPageControl* sender, TILBrushPage* newPage)>;

    // 200 x 100, tabs 75 x 20 along the top from the left, auto-sized and rounded.
    explicit TILBrushPageControl(fw::Component* owner = nullptr);
    ~TILBrushPageControl() override;

    std::string_view className() const override { return "TILBrushPageControl"; }

    // --- Pages -------------------------------------------------------------------------------
    TILBrushPageList& Pages() { return *pages_; }
    const TILBrushPageList& Pages() const { return *pages_; }
    int PageCount() const { return pages_->Count(); }
    TILBrushPage* Page(int index) const { return pages_->Items(index); }

    TILBrushPage* ActivePage() const { return activePage_; }
    // Hides the old page and shows the new one; after loading it also repaints the strip,
    // brings the page to the front, focuses it when it can take the focus and fires
    // OnPageChanged. The current page is only made visible again. A page of another control
    // raises EInvalidOperation and changes nothing.
    void SetActivePage(TILBrushPage* page);

    // The shown page after (or before) the active one, going round, made active; when it
    // has no FocusControl the focus moves on in tab order. What Ctrl+Tab and Ctrl+Shift+Tab
    // do while the focus is inside the control.
    void SelectNextPage(bool forward);

    // --- The tab strip ------------------------------------------------------------------------
    TILPageTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TILPageTabPosition position);
    bool ShowTabs() const { return showTabs_; }
    void SetShowTabs(bool show);
    // The strip's breadth on a left or right side, and the length of a tab that is not
    // auto-sized on a top or bottom side.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    // The strip's breadth on a top or bottom side, and the length of a tab that is not
    // auto-sized on a left or right side.
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int height);
    bool AutoSizeTabs() const { return autoSizeTabs_; }
    void SetAutoSizeTabs(bool autoSize);
    // Pixels before the first tab, and between tabs.
    int FirstTabSpace() const { return firstTabSpace_; }
    void SetFirstTabSpace(int space);
    int TabGap() const { return tabGap_; }
    void SetTabGap(int gap);

    // Tabs take their page's fill, or else TabData's.
    bool OwnerTabColour() const { return ownerTabColour_; }
    void SetOwnerTabColour(bool own);
    // Fill and edges of the tabs; its changes repaint the strip.
    TILBrushBevel& TabData() { return tabData_; }
    const TILBrushBevel& TabData() const { return tabData_; }
    void SetTabData(const TILBrushBevel& bevel);
    bool RoundedTabs() const { return roundedTabs_; }
    void SetRoundedTabs(bool rounded);
    int HorzTabRounding() const { return horzTabRounding_; }
    void SetHorzTabRounding(int rounding);
    int VertTabRounding() const { return vertTabRounding_; }
    void SetVertTabRounding(int rounding);

    // The captions' font and place in their tabs; changes re-lay auto-sized tabs.
    const fw::Font& TabCaptionFont() const { return tabCaptionFont_; }
    void SetTabCaptionFont(const fw::Font& font);
    TILTextPosition& TabCaptionPos() { return tabCaptionPos_; }
    const TILTextPosition& TabCaptionPos() const { return tabCaptionPos_; }
    void SetTabCaptionPos(const TILTextPosition& position);
    // The icons of the tabs and where they sit in them.
    TILControlIcons& Icons() { return icons_; }
    const TILControlIcons& Icons() const { return icons_; }
    void SetIcons(const TILControlIcons& icons);

    // The strip's rectangle in the control (all -1 when the tabs are hidden).
    TILTabRect TabStrip() const;
    // The first shown tab that the strip starts with, and the last one that fits wholly;
    // -1 when none fits.
    int FirstShownTab() const { return firstShownTab_; }
    int LastFullyShownTab() const { return lastFullyShownTab_; }
    // What the arrows do: bring the previous (next) shown tab to the start of the strip.
    void ScrollTabsBack();
    void ScrollTabsOn();
    TILTabScrollArrows& ScrollArrows() const { return *arrows_; }
    // The enabled page whose drawn tab holds the point (the active tab first); none else.
    TILBrushPage* TabAt(fw::Point point) const;

    // --- Events ------------------------------------------------------------------------------
    const ChangingPageEvent& OnChangingPage() const { return onChangingPage_; }
    void SetOnChangingPage(ChangingPageEvent handler) { onChangingPage_ = std::move(handler); }
    const fw::NotifyEvent& OnPageChanged() const { return onPageChanged_; }
    void SetOnPageChanged(fw::NotifyEvent handler) { onPageChanged_ = std::move(handler); }

    // --- Framework overrides ---------------------------------------------------------------
    // Repaints only the tab strip; the pages repaint themselves.
    void Invalidate() override;
    // The client area less the strip: what the pages fill.
    void AdjustClientRect(fw::Rect& rect) override;
    void Loaded() override;
    void Resize() override;
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void Click() override;
    void Dispatch(fw::Message& message) override;

    // --- TILBrushControl -------------------------------------------------------------------
    TILBrushControl* ParentControl() const override;
    bool Windowed() const override { return true; }
    void InvalidateControl() override { Invalidate(); }
    void RealignControl() override { Realign(); }
    // The parent's fill: children that follow their parent's brush paint as the control's
    // parent does.
    const fw::Brush* ControlBrush() const override;

protected:
    void Paint() override;
    void EraseBackground() override;
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    friend class TILBrushPage;
    friend class TILBrushPageList;

    // Pages joining and leaving, and their changes.
    void InsertPage(TILBrushPage* page);
    void RemovePage(TILBrushPage* page);
    void MovePage(TILBrushPage* page, int index);
    void ForgetActivePage() { activePage_ = nullptr; }

    // Loading (the control or the form it is built on) or being created or destroyed.
    bool Building() const;
    bool Destroying() const;
    // The shown list, the first shown tab, the layout, the last fully shown tab, the arrows.
    void RebuildTabs();
    void LayoutTabs();
    int TabLength(const TILBrushPage& page, fw::Canvas& canvas) const;
    void FindLastFullyShownTab();
    void UpdateArrows();
    void PlaceArrows();
    void ApplyGapSides();
    void CaptionLooksChanged();
    void WatchImageList();
    TILTabMetrics Metrics() const;
    bool HasValidIcon(const TILBrushPage& page) const;
    bool FocusInside() const;
    void DrawTab(fw::Canvas& canvas, TILBrushPage& page, int dx, int dy);

    // A child owned as a component: freed with the other children.
    TILTabScrollArrows* arrows_ = nullptr;
    std::unique_ptr<TILBrushPageList> pages_;
    TILBrushBevel tabData_;
    int tabWidth_ = 75;
    int tabHeight_ = 20;
    TILPageTabPosition tabPosition_ = TILPageTabPosition::TopLeft;
    bool autoSizeTabs_ = true;
    bool ownerTabColour_ = true;
    fw::Font tabCaptionFont_;
    bool showTabs_ = true;
    int firstTabSpace_ = 0;
    int tabGap_ = 0;
    TILTextPosition tabCaptionPos_;
    bool roundedTabs_ = true;
    int horzTabRounding_ = 5;
    int vertTabRounding_ = 5;
    TILBrushPage* activePage_ = nullptr;
    ChangingPageEvent onChangingPage_;
    fw::NotifyEvent onPageChanged_;
    fw::WeakRef<TILBrushPage> clickedPage_;
    int firstShownTab_ = 0;
    int lastFullyShownTab_ = -1;
    TILControlIcons icons_;
    fw::ImageList* watchedImageList_ = nullptr;
    mutable fw::Brush parentBrush_;
};
