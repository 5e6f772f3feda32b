#pragma once

#include <functional>
#include <string>

#include "framework/report/report_model.h"
#include "framework/report/report_pages.h"

class QPrinter;

namespace fw {

// Showing, printing and saving reports through Qt Print Support.
//
// Preview and Print go through replaceable handlers, as every dialog of the program does:
// tests install handlers that lay the report out and look at the pages, so no window ever
// waits for a user there. Without a handler, Preview opens Qt's print preview window (which
// zooms, turns pages and prints) and Print prints on the chosen printer.

// Shows the report in a preview window. The window lays the report out again for the
// paper its printer uses each time it repaints, so the report's events run each time.
// On a platform without a screen (Qt's offscreen platform) no window could ever close:
// without a handler the preview raises EReportError there.
void PreviewReport(Report& report);
// Prints the report on the printer its PrinterIndex names (the default printer for -1 or
// an index outside the printer list); with no printer at all, the preview opens instead.
void PrintReport(Report& report);

using ReportPreviewHandler = std::function<void(Report& report)>;
using ReportPrintHandler = std::function<void(Report& report, const std::string& printerName)>;
// Each answers the previous handler; none restores Qt's.
ReportPreviewHandler SetReportPreviewHandler(ReportPreviewHandler handler);
ReportPrintHandler SetReportPrintHandler(ReportPrintHandler handler);

// Sets the printer's paper from the report's paper number (see report_paper.h); the
// numbers that mean "the printer's own" leave it as it is.
void ApplyPaperSize(QPrinter& printer, int paperSize);
// Takes the size of the printer's paper into the report (the margins stay), lays the
// report out and prints every page on the printer. Answers the pages printed.
ReportPages RenderReportOnPrinter(Report& report, QPrinter& printer);
// Saves the report as a PDF file on the report's paper (the default paper of a PDF
// printer for the numbers without a fixed size); answers the pages written. A file that
// cannot be written raises EReportError.
ReportPages ExportReportToPdf(Report& report, const std::string& fileName);

} // namespace fw
