#include "framework/report/report_paper.h"

#include <QPrinterInfo>

#include <array>
#include <string_view>
#include <utility>

namespace fw {

namespace {

struct PaperSize {
    std::string_view Name;
    // Size 0 and Custom have no fixed size: the printer's own paper is used.
    std::optional<QPageSize::PageSizeId> PageSize;
};

// Index = the stored paper number. The small and the note variants are the same sheets
// as their plain ones; the sheets C, D and E are the ANSI sizes of those letters.
const std::array<PaperSize, PaperSizeCount> PaperSizes{{
    {"Default", std::nullopt},
    {"Letter", QPageSize::Letter},
    {"Letter Small", QPageSize::Letter},
    {"Tabloid", QPageSize::Tabloid},
    {"Ledger", QPageSize::Ledger},
    {"Legal", QPageSize::Legal},
    {"Statement", QPageSize::Statement},
    {"Executive", QPageSize::ExecutiveStandard},
    {"A3", QPageSize::A3},
    {"A4", QPageSize::A4},
    {"A4 Small", QPageSize::A4},
    {"A5", QPageSize::A5},
    {"B4", QPageSize::JisB4},
    {"B5", QPageSize::JisB5},
    {"Folio", QPageSize::Folio},
    {"Quarto", QPageSize::Quarto},
    {"10x14", QPageSize::Imperial10x14},
    {"11x17", QPageSize::Tabloid},
    {"Note", QPageSize::Note},
    {"Envelope #9", QPageSize::Envelope9},
    {"Envelope #10", QPageSize::Envelope10},
    {"Envelope #11", QPageSize::Envelope11},
    {"Envelope #12", QPageSize::Envelope12},
    {"Envelope #14", QPageSize::Envelope14},
    {"C size sheet", QPageSize::AnsiC},
    {"D size sheet", QPageSize::AnsiD},
    {"E size sheet", QPageSize::AnsiE},
    {"Custom", std::nullopt},
}};

bool InList(int paperSize)
{
    return paperSize >= 0 && paperSize < PaperSizeCount;
}

PrinterList SystemPrinters()
{
    PrinterList printers;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        printers.Names.push_back(name.toStdString());
    }
    printers.DefaultName = QPrinterInfo::defaultPrinterName().toStdString();
    return printers;
}

PrinterListProvider& Provider()
{
    static PrinterListProvider provider;
    return provider;
}

} // namespace

std::string PaperSizeName(int paperSize)
{
    return InList(paperSize) ? std::string(PaperSizes[static_cast<std::size_t>(paperSize)].Name) : std::string();
}

std::optional<QPageSize::PageSizeId> PaperSizeToPageSize(int paperSize)
{
    return InList(paperSize) ? PaperSizes[static_cast<std::size_t>(paperSize)].PageSize : std::nullopt;
}

PrinterListProvider SetPrinterListProvider(PrinterListProvider provider)
{
    return std::exchange(Provider(), std::move(provider));
}

PrinterList AvailablePrinters()
{
    return Provider() ? Provider()() : SystemPrinters();
}

std::string ChoosePrinterName(const PrinterList& printers, int printerIndex)
{
    if (printerIndex >= 0 && printerIndex < static_cast<int>(printers.Names.size())) {
        return printers.Names[static_cast<std::size_t>(printerIndex)];
    }
    if (!printers.DefaultName.empty()) {
        return printers.DefaultName;
    }
    return printers.Names.empty() ? std::string() : printers.Names.front();
}

} // namespace fw
