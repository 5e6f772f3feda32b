#pragma once

#include <string>

#include "controls/brush_panel.h"
#include "controls/tab_geometry.h"

class TILBrushPageControl;

// One page of a TILBrushPageControl: a brush panel that fills the control's client area
// and shows while it is the active page. Its tab carries PageName (and an icon); the page's
// edge that faces the tab strip opens where its tab meets it.
//
// A page joins the control that becomes its parent (or, while it is being loaded, when the
// loading ends) and leaves it when it gets another parent or is freed.
class TILBrushPage : public TILBrushPanel {
public:
    // Hidden, aligned to fill its parent's client area, named after its class without the
    // leading "T" and the first number that no other component of the owner uses.
    explicit TILBrushPage(fw::Component* owner = nullptr);
    ~TILBrushPage() override;

    std::string_view className() const override { return "TILBrushPage"; }

    const std::string& PageName() const { return pageName_; }
    // Stores the name and lays the tabs out again.
    void SetPageName(const std::string& name);

    // The page's place among its control's pages; -1 until it joins one.
    int PageIndex() const { return pageIndex_; }
    // On a page of a control: moves it to that place (an index outside the pages is
    // ignored) and renumbers every page. Otherwise the index is only stored.
    void SetPageIndex(int index);

    // A hidden page has no tab. The active page cannot be hidden: the call is ignored.
    bool HidePage() const { return hidePage_; }
    void SetHidePage(bool hide);

    // The control that takes the focus when the page is focused; forgotten when freed.
    fw::WinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(fw::WinControl* control);

    // The icon of the tab in the control's icon list; -1 for none.
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);

    // The control this page belongs to, none before it joins one.
    TILBrushPageControl* PageControl() const { return control_; }
    // Where the page's tab lies in the control (all -1 when the tab is not shown).
    const TILTabRect& TabRect() const { return tabRect_; }

    void Loaded() override;
    void SetParent(fw::WinControl* parent) override;
    void Dispatch(fw::Message& message) override;

protected:
    void Notification(fw::Component* component, fw::Operation operation) override;
    // A tab in the page's own colour repaints with it.
    void BrushChanged() override;

private:
    friend class TILBrushPageControl;
    friend class TILBrushPageList;

    // Stores the tab and opens the page's edge along it.
    void SetTabRect(const TILTabRect& rect, TILPageTabPosition position);
    void JoinParentControl();
    // Whether the window the page is shown in is visible.
    bool FormVisible() const;

    std::string pageName_ = "New Page";
    int pageIndex_ = -1;
    bool hidePage_ = false;
    fw::WinControl* focusControl_ = nullptr;
    int iconIndex_ = -1;
    TILBrushPageControl* control_ = nullptr;
    TILTabRect tabRect_;
};
