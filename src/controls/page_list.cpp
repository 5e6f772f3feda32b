#include "controls/page_list.h"

#include <algorithm>

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"

TILBrushPageList::TILBrushPageList(TILBrushPageControl& control) : control_(&control) {}

TILBrushPageList::~TILBrushPageList()
{
    control_->ForgetActivePage();
    shown_.clear();
    while (!pages_.empty()) {
        TILBrushPage* page = pages_.back();
        pages_.pop_back();
        // The page is leaving a control that is going: it must not call back.
        page->control_ = nullptr;
        delete page;
    }
}

TILBrushPage* TILBrushPageList::Items(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return pages_[static_cast<std::size_t>(index)];
}

int TILBrushPageList::IndexOf(const TILBrushPage* page) const
{
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

TILBrushPage* TILBrushPageList::ShownItems(int index) const
{
    if (index < 0 || index >= ShownCount()) {
        return nullptr;
    }
    return shown_[static_cast<std::size_t>(index)];
}

int TILBrushPageList::ShownIndexOf(const TILBrushPage* page) const
{
    const auto found = std::find(shown_.begin(), shown_.end(), page);
    return found == shown_.end() ? -1 : static_cast<int>(found - shown_.begin());
}

TILBrushPage* TILBrushPageList::NextPage(const TILBrushPage* page) const
{
    if (pages_.empty()) {
        return nullptr;
    }
    const int index = IndexOf(page);
    return Items(index < 0 ? 0 : (index + 1) % Count());
}

TILBrushPage* TILBrushPageList::PreviousPage(const TILBrushPage* page) const
{
    if (pages_.empty()) {
        return nullptr;
    }
    const int index = IndexOf(page);
    return Items(index < 0 ? Count() - 1 : (index + Count() - 1) % Count());
}

TILBrushPage* TILBrushPageList::StepShown(const TILBrushPage* page, int step) const
{
    const int count = Count();
    if (count == 0) {
        return nullptr;
    }
    int index = IndexOf(page);
    if (index < 0) {
        // From outside the list: one step before the first (or after the last) page.
        index = step > 0 ? -1 : count;
    }
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        TILBrushPage* candidate = pages_[static_cast<std::size_t>(index)];
        if (ShownIndexOf(candidate) >= 0) {
            return candidate;
        }
    }
    return nullptr;
}

TILBrushPage* TILBrushPageList::NextShownPage(const TILBrushPage* page) const
{
    return StepShown(page, 1);
}

TILBrushPage* TILBrushPageList::PreviousShownPage(const TILBrushPage* page) const
{
    return StepShown(page, -1);
}

void TILBrushPageList::Add(TILBrushPage* page)
{
    if (IndexOf(page) < 0) {
        pages_.push_back(page);
    }
}

void TILBrushPageList::Remove(TILBrushPage* page)
{
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    shown_.erase(std::remove(shown_.begin(), shown_.end(), page), shown_.end());
}

bool TILBrushPageList::Move(TILBrushPage* page, int index)
{
    const int from = IndexOf(page);
    if (from < 0 || index < 0 || index >= Count() || index == from) {
        return false;
    }
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + index, page);
    return true;
}

void TILBrushPageList::RebuildShown()
{
    shown_.clear();
    for (TILBrushPage* page : pages_) {
        if (!page->HidePage()) {
            shown_.push_back(page);
        }
    }
}

void TILBrushPageList::Renumber()
{
    for (std::size_t index = 0; index < pages_.size(); ++index) {
        pages_[index]->pageIndex_ = static_cast<int>(index);
    }
}
