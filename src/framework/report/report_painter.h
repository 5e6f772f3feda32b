#pragma once

#include <QImage>

#include "framework/report/report_pages.h"

class QPainter;

namespace fw {

class QtPaintBackend;

// Draws a laid-out page on a painter whose coordinates are report units (1/96 inch) from
// the paper's top-left corner: scale the painter first (ScaleToReportUnits) when its device
// has another resolution. The paper itself is not painted. Fonts are the backend's own, so
// text sits where the pager measured it.
void PaintReportPage(QPainter& painter, const ReportPageLayout& page, QtPaintBackend& fonts);

// Scales a painter on a device of that resolution (dots per inch) to report units.
void ScaleToReportUnits(QPainter& painter, double dotsPerInchX, double dotsPerInchY);

// The page on white paper at that resolution, for looking at a report without a printer.
QImage RenderReportPage(const ReportPageLayout& page, QtPaintBackend& fonts, int dotsPerInch = 96);

} // namespace fw
