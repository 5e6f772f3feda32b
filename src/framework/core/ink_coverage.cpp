#include "framework/core/ink_coverage.h"

#include <algorithm>

namespace fw {

InkCoverage::InkCoverage(const Rect& box) : box_(box.IsEmpty() ? Rect{} : box)
{
    levels_.assign(static_cast<std::size_t>(box_.Width()) * static_cast<std::size_t>(box_.Height()), 0);
}

InkCoverage InkCoverage::FromRegion(const Region& ink)
{
    InkCoverage coverage(ink.Bounds());
    ink.ForEachSpanIn(coverage.box_, [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            std::uint8_t* row = coverage.Row(y);
            std::fill(row + (left - coverage.box_.Left), row + (right - coverage.box_.Left), Full);
        }
    });
    return coverage;
}

std::uint8_t InkCoverage::At(int x, int y) const
{
    if (x < box_.Left || x >= box_.Right || y < box_.Top || y >= box_.Bottom) {
        return 0;
    }
    return levels_[Offset(x, y)];
}

Region InkCoverage::Covered(std::uint8_t level) const
{
    level = std::max<std::uint8_t>(level, 1);
    std::vector<std::vector<Region::Span>> rows(static_cast<std::size_t>(box_.Height()));
    for (int y = box_.Top; y < box_.Bottom; ++y) {
        const std::uint8_t* levels = Row(y);
        std::vector<Region::Span>& spans = rows[static_cast<std::size_t>(y - box_.Top)];
        int x = 0;
        while (x < box_.Width()) {
            while (x < box_.Width() && levels[x] < level) {
                ++x;
            }
            const int start = x;
            while (x < box_.Width() && levels[x] >= level) {
                ++x;
            }
            if (x > start) {
                spans.push_back(Region::Span{box_.Left + start, box_.Left + x});
            }
        }
    }
    return Region::FromRows(box_.Top, rows);
}

} // namespace fw
