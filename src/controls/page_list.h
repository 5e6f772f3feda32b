#pragma once

#include <vector>

#include "framework/core/object.h"

class TILBrushPage;
class TILBrushPageControl;

// The pages of a page control: all of them in PageIndex order, and those that show a tab
// (HidePage false) in the same order. Destroying the list clears the control's ActivePage
// and frees the pages, the last first.
class TILBrushPageList : public fw::Persistent {
public:
    explicit TILBrushPageList(TILBrushPageControl& control);
    ~TILBrushPageList() override;

    std::string_view className() const override { return "TILBrushPageList"; }

    TILBrushPageControl& Control() const { return *control_; }

    int Count() const { return static_cast<int>(pages_.size()); }
    // None outside 0 .. Count - 1.
    TILBrushPage* Items(int index) const;
    int IndexOf(const TILBrushPage* page) const;

    int ShownCount() const { return static_cast<int>(shown_.size()); }
    TILBrushPage* ShownItems(int index) const;
    int ShownIndexOf(const TILBrushPage* page) const;

    // The page after (before) the given one, going round at the end; from none (or a page
    // not in the list) the first (last) page. None when the list is empty.
    TILBrushPage* NextPage(const TILBrushPage* page) const;
    TILBrushPage* PreviousPage(const TILBrushPage* page) const;
    // The same among the pages that show a tab, hidden ones skipped; the given page may be
    // hidden itself. None when no page shows a tab.
    TILBrushPage* NextShownPage(const TILBrushPage* page) const;
    TILBrushPage* PreviousShownPage(const TILBrushPage* page) const;

private:
    friend class TILBrushPageControl;

    void Add(TILBrushPage* page);
    void Remove(TILBrushPage* page);
    // Moves the page to the index; false when it is not there or the index is invalid or
    // the same.
    bool Move(TILBrushPage* page, int index);
    void RebuildShown();
    // PageIndex 0, 1, 2 ... in list order.
    void Renumber();
    TILBrushPage* StepShown(const TILBrushPage* page, int step) const;

    TILBrushPageControl* control_;
    std::vector<TILBrushPage*> pages_;
    std::vector<TILBrushPage*> shown_;
};
