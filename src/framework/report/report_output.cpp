#include "framework/report/report_output.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>
#include <utility>

#include "framework/gui/qt_paint_backend.h"
#include "framework/report/report_pager.h"
#include "framework/report/report_painter.h"
#include "framework/report/report_paper.h"

namespace fw {

namespace {

ReportPreviewHandler& PreviewHandler()
{
    static ReportPreviewHandler handler;
    return handler;
}

ReportPrintHandler& PrintHandler()
{
    static ReportPrintHandler handler;
    return handler;
}

QString DocumentName(const Report& report)
{
    return QString::fromStdString(report.Title.empty() ? std::string("Report") : report.Title);
}

void QtPreview(Report& report)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        throw EReportError("A print preview cannot be shown without a screen.");
    }
    QPrinter printer(QPrinter::HighResolution);
    const std::string printerName = ChoosePrinterName(AvailablePrinters(), report.PrinterIndex);
    if (!printerName.empty()) {
        printer.setPrinterName(QString::fromStdString(printerName));
    }
    ApplyPaperSize(printer, report.PaperSize);
    printer.setDocName(DocumentName(report));

    QPrintPreviewDialog dialog(&printer);
    dialog.setWindowTitle(DocumentName(report));
    // Qt calls the slot from inside its own event handling, which must not see an error
    // pass through: the first one is kept and raised once the window has closed.
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&report, &failure](QPrinter* target) {
        if (failure) {
            return;
        }
        try {
            RenderReportOnPrinter(report, *target);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    dialog.exec();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void QtPrint(Report& report, const std::string& printerName)
{
    QPrinter printer(QPrinterInfo::printerInfo(QString::fromStdString(printerName)), QPrinter::HighResolution);
    ApplyPaperSize(printer, report.PaperSize);
    printer.setDocName(DocumentName(report));
    RenderReportOnPrinter(report, printer);
}

} // namespace

ReportPreviewHandler SetReportPreviewHandler(ReportPreviewHandler handler)
{
    return std::exchange(PreviewHandler(), std::move(handler));
}

ReportPrintHandler SetReportPrintHandler(ReportPrintHandler handler)
{
    return std::exchange(PrintHandler(), std::move(handler));
}

void PreviewReport(Report& report)
{
    if (PreviewHandler()) {
        PreviewHandler()(report);
    } else {
        QtPreview(report);
    }
}

void PrintReport(Report& report)
{
    const std::string printerName = ChoosePrinterName(AvailablePrinters(), report.PrinterIndex);
    if (printerName.empty()) {
        PreviewReport(report);
        return;
    }
    if (PrintHandler()) {
        PrintHandler()(report, printerName);
    } else {
        QtPrint(report, printerName);
    }
}

void ApplyPaperSize(QPrinter& printer, int paperSize)
{
    if (const auto pageSize = PaperSizeToPageSize(paperSize)) {
        printer.setPageSize(QPageSize(*pageSize));
    }
}

ReportPages RenderReportOnPrinter(Report& report, QPrinter& printer)
{
    // The report places everything from the paper's corner; its own margins apply.
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    ReportPageSetup& setup = report.PageSetup();
    setup.PageWidth = MillimetresToReportUnits(paper.width());
    setup.PageHeight = MillimetresToReportUnits(paper.height());

    QtPaintBackend fonts;
    ReportPages pages = PaginateReport(report, fonts);

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat) {
            throw EReportError("The report cannot be saved as " + printer.outputFileName().toStdString() + ".");
        }
        throw EReportError("The report cannot be printed on " + printer.printerName().toStdString() + ".");
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            printer.newPage();
        }
        painter.save();
        ScaleToReportUnits(painter, printer.resolution(), printer.resolution());
        PaintReportPage(painter, pages[i], fonts);
        painter.restore();
    }
    painter.end();
    return pages;
}

ReportPages ExportReportToPdf(Report& report, const std::string& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(fileName));
    printer.setDocName(DocumentName(report));
    ApplyPaperSize(printer, report.PaperSize);
    return RenderReportOnPrinter(report, printer);
}

} // namespace fw
