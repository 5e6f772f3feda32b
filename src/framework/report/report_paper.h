#pragma once

#include <QPageSize>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// The paper sizes a report can ask for, numbered as the settings store them (the numbering
// of the original platform's printer drivers):
//   0 Default, 1 Letter, 2 Letter Small, 3 Tabloid, 4 Ledger, 5 Legal, 6 Statement,
//   7 Executive, 8 A3, 9 A4, 10 A4 Small, 11 A5, 12 B4, 13 B5, 14 Folio, 15 Quarto,
//   16 10x14, 17 11x17, 18 Note, 19 Envelope #9, 20 Envelope #10, 21 Envelope #11,
//   22 Envelope #12, 23 Envelope #14, 24 C size sheet, 25 D size sheet, 26 E size sheet,
//   27 Custom.
inline constexpr int PaperSizeCount = 28;

// The name of a paper size of that numbering; "" outside it.
std::string PaperSizeName(int paperSize);
// The Qt page size of a paper size; none for 0 (Default), 27 (Custom) and numbers outside
// the list, which all mean "whatever the printer uses".
std::optional<QPageSize::PageSizeId> PaperSizeToPageSize(int paperSize);

// The printers the system offers, in a stable order, and the default one ("" when the
// system names none).
struct PrinterList {
    std::vector<std::string> Names;
    std::string DefaultName;
};

// Where the printer list comes from: the system's (Qt's printer information) unless a test
// installs its own. Answers the previous provider; none restores the system's.
using PrinterListProvider = std::function<PrinterList()>;
PrinterListProvider SetPrinterListProvider(PrinterListProvider provider);
PrinterList AvailablePrinters();

// The printer a report's printer index names: the printer at that index, or the default
// printer for -1 and any index outside the list (the first printer when the system names
// no default); "" when there is no printer at all.
std::string ChoosePrinterName(const PrinterList& printers, int printerIndex);

} // namespace fw
