#pragma once

#include "framework/report/report_model.h"
#include "framework/report/report_pages.h"

namespace fw {

class PaintBackend;

// A report that would run past this many pages is a report that never ends (a need-data
// handler that always answers "more"): the run stops with an EReportError.
inline constexpr int MaxReportPages = 10000;
// Detail rows in a row that print nothing or take no room: as many again means the run
// would never end, and it stops with an EReportError.
inline constexpr int MaxEmptyReportRows = 100000;

// Runs the report's events and lays it out into pages, measuring text with the backend
// (at 96 pixels per inch, so one pixel is one report unit).
//
// The run: the page number becomes 1; OnStartReport; the title band and its children;
// then, while OnNeedData answers more, every detail band with its children; the page footer
// ends every page. For each band whose turn it is: nothing when it is disabled; otherwise
// BeforePrint (which may change it or suppress it), its height (the designed one, grown by
// stretching labels), then, when it does not fit above the page footer and the page
// already holds another band, a new page; the band is placed and AfterPrint follows. A band
// taller than an empty page is placed on that page as far as it goes, so every band makes
// progress and a report whose rows end always ends. The page footer sits at the bottom of
// the printable area; its height is kept free on every page.
//
// Events see the number of the page being filled in Report::PageNumber(); a band's
// BeforePrint runs before the pager knows whether the band still fits, so it sees the page
// the previous band went on.
ReportPages PaginateReport(Report& report, PaintBackend& backend);

} // namespace fw
