#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/exceptions.h"
#include "framework/gui/std_label.h"

// The model of a banded report: a page of bands, each band a strip of printable controls.
// It holds no Qt types: the pager (report_pager.h) runs its events and lays it out into
// pages of placed items, and only the painter and the output layer speak to Qt.
//
// Every position and size is in report units of 1/96 inch, so a unit is a screen pixel
// and fonts measured for the screen measure the same here. Control positions are relative
// to their band; bands have the width of the page's printable area.

namespace fw {

// A report that cannot be laid out, or a report model used wrongly.
FW_DECLARE_EXCEPTION(EReportError, Exception);

class Report;
class ReportBand;

// Paper and margins in report units. The defaults are A4 with 74 + 75 units (about 19.5 mm)
// at the sides, which leaves 645 units of printable width, and 60 units at the top and at
// the bottom (120 together).
struct ReportPageSetup {
    int PageWidth = 794;
    int PageHeight = 1123;
    int LeftMargin = 74;
    int RightMargin = 75;
    int TopMargin = 60;
    int BottomMargin = 60;

    int ContentWidth() const { return PageWidth - LeftMargin - RightMargin; }
    // A page of the given paper size in millimetres, with the default margins.
    static ReportPageSetup FromMillimetres(double width, double height);
    friend bool operator==(const ReportPageSetup&, const ReportPageSetup&) = default;
};

// Millimetres to report units, rounded to the nearest unit.
int MillimetresToReportUnits(double millimetres);

// --- Controls --------------------------------------------------------------------------------

enum class ReportControlKind { Label, Shape, Image, SysData };

// Something printable on a band. A disabled control does not print.
class ReportControl {
public:
    virtual ~ReportControl() = default;
    ReportControl(const ReportControl&) = delete;
    ReportControl& operator=(const ReportControl&) = delete;

    virtual ReportControlKind Kind() const = 0;

    const std::string& Name() const { return name_; }
    ReportBand& Band() const { return *band_; }

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Enabled = true;

    void SetBounds(int left, int top, int width, int height)
    {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

protected:
    ReportControl(ReportBand& band, std::string name) : name_(std::move(name)), band_(&band) {}

private:
    std::string name_;
    ReportBand* band_;
};

// Text in a font, aligned across the label's width. With WordWrap the caption wraps at
// blanks to the width; with AutoStretch the label grows downwards to show every line, and
// its band grows with it. Line breaks in the caption always start a new line.
class ReportLabel : public ReportControl {
public:
    ReportLabel(ReportBand& band, std::string name) : ReportControl(band, std::move(name)) {}
    ReportControlKind Kind() const override { return ReportControlKind::Label; }

    std::string Caption;
    fw::Font Font;
    fw::Alignment Alignment = fw::Alignment::LeftJustify;
    bool WordWrap = false;
    bool AutoStretch = false;
};

enum class ReportShapeType { HorizontalLine, VerticalLine, Rectangle, Circle };

// A line through the middle of the control's box (across or down), a rectangle filling the
// box, or the circle (ellipse) inscribed in it. The pen outlines, the brush fills.
class ReportShape : public ReportControl {
public:
    ReportShape(ReportBand& band, std::string name) : ReportControl(band, std::move(name)) {}
    ReportControlKind Kind() const override { return ReportControlKind::Shape; }

    ReportShapeType Shape = ReportShapeType::Rectangle;
    fw::Color BrushColor = clWhite;
    // Solid or Clear; hatches are not offered.
    fw::BrushStyle BrushStyle = fw::BrushStyle::Solid;
    fw::Color PenColor = clBlack;
    // Solid or Dot; Clear draws no outline.
    fw::PenStyle PenStyle = fw::PenStyle::Solid;
    int PenWidth = 1;
};

// A picture in the control's box: drawn at its own size from the top-left corner and cut
// at the box, or with Stretch scaled to fill the box.
class ReportImage : public ReportControl {
public:
    ReportImage(ReportBand& band, std::string name) : ReportControl(band, std::move(name)) {}
    ReportControlKind Kind() const override { return ReportControlKind::Image; }

    // A copy of the picture; an empty picture prints nothing.
    void SetPicture(const Bitmap& picture) { picture_ = std::make_shared<const Bitmap>(picture); }
    void ClearPicture() { picture_.reset(); }
    // None when no picture was given. Pages share the bitmap, so a picture changed later
    // leaves pages laid out before untouched.
    const std::shared_ptr<const Bitmap>& Picture() const { return picture_; }
    bool HasPicture() const { return picture_ != nullptr && !picture_->Empty(); }

    bool Stretch = false;

private:
    std::shared_ptr<const Bitmap> picture_;
};

enum class ReportSysDataKind { PageNumber };

// Data the report supplies as it prints: the number of the page, after the Text prefix.
class ReportSysData : public ReportControl {
public:
    ReportSysData(ReportBand& band, std::string name) : ReportControl(band, std::move(name)) {}
    ReportControlKind Kind() const override { return ReportControlKind::SysData; }

    ReportSysDataKind Data = ReportSysDataKind::PageNumber;
    std::string Text;
    fw::Font Font;
    fw::Alignment Alignment = fw::Alignment::LeftJustify;
};

// --- Bands -----------------------------------------------------------------------------------

// Title: once, at the top of the first page. Detail: once per data row. Child: right after
// its parent band, each time the parent's turn comes (whether or not the parent itself
// printed: each band decides for itself). PageFooter: at the bottom of every page.
enum class ReportBandType { Title, Detail, Child, PageFooter };

// BeforePrint may change the band and its controls, or suppress the band for this turn by
// setting print to false; a suppressed band takes no space. AfterPrint follows, told
// whether the band printed.
using ReportBandBeforePrint = std::function<void(ReportBand& band, bool& print)>;
using ReportBandAfterPrint = std::function<void(ReportBand& band, bool printed)>;

class ReportBand {
public:
    ReportBand(Report& report, ReportBandType type, std::string name);
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    Report& Owner() const { return *report_; }
    ReportBandType Type() const { return type_; }
    const std::string& Name() const { return name_; }

    // The designed height; BeforePrint may change it. Stretching controls print the band
    // taller without changing it (see PrintedHeight).
    int Height = 0;
    // A disabled band does not print, and its BeforePrint is not asked.
    bool Enabled = true;

    // The height the band took the last time it printed (0 when it has not printed).
    int PrintedHeight() const { return printedHeight_; }
    void SetPrintedHeight(int height) { printedHeight_ = height; }

    // Controls, owned by the band, in the order added (later ones print over earlier ones).
    ReportLabel* AddLabel(std::string name);
    ReportShape* AddShape(std::string name);
    ReportImage* AddImage(std::string name);
    ReportSysData* AddSysData(std::string name);
    const std::vector<std::unique_ptr<ReportControl>>& Controls() const { return controls_; }
    // The first control of that name, none.
    ReportControl* FindControl(std::string_view name) const;

    // The chain: a child band's parent, and the child band that follows this one.
    ReportBand* ParentBand() const { return parent_; }
    ReportBand* ChildBand() const { return child_; }

    const ReportBandBeforePrint& BeforePrint() const { return beforePrint_; }
    void SetBeforePrint(ReportBandBeforePrint handler) { beforePrint_ = std::move(handler); }
    const ReportBandAfterPrint& AfterPrint() const { return afterPrint_; }
    void SetAfterPrint(ReportBandAfterPrint handler) { afterPrint_ = std::move(handler); }

private:
    friend class Report;
    template <class Control>
    Control* Add(std::string name);

    Report* report_;
    ReportBandType type_;
    std::string name_;
    int printedHeight_ = 0;
    std::vector<std::unique_ptr<ReportControl>> controls_;
    ReportBand* parent_ = nullptr;
    ReportBand* child_ = nullptr;
    ReportBandBeforePrint beforePrint_;
    ReportBandAfterPrint afterPrint_;
};

// --- The report ------------------------------------------------------------------------------

// Asked before each detail row; more := whether another row follows.
using ReportNeedData = std::function<void(Report& report, bool& more)>;
using ReportNotify = std::function<void(Report& report)>;

// One column, portrait. The report owns its bands. A run (see report_pager.h) asks
// OnStartReport first, prints the title band and its children on page 1, then asks
// OnNeedData before each detail row and prints every detail band with its children for
// the row; every page ends with the page footer. Without an OnNeedData handler the detail
// bands print once.
class Report {
public:
    Report() = default;
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Title and page-footer bands: one of each at most (another raises EReportError).
    // Detail bands: any number, printed in the order added.
    ReportBand* AddBand(ReportBandType type, std::string name);
    // A child band hanging from the parent (which must belong to this report and must not
    // have a child yet).
    ReportBand* AddChildBand(ReportBand* parent, std::string name);

    ReportBand* TitleBand() const { return title_; }
    ReportBand* PageFooterBand() const { return footer_; }
    const std::vector<ReportBand*>& DetailBands() const { return details_; }
    const std::vector<std::unique_ptr<ReportBand>>& Bands() const { return bands_; }
    ReportBand* FindBand(std::string_view name) const;

    ReportPageSetup& PageSetup() { return pageSetup_; }
    const ReportPageSetup& PageSetup() const { return pageSetup_; }
    // The page height in report units: what the report's events plan their bands with.
    int ReportHeight() const { return pageSetup_.PageHeight; }
    int ContentWidth() const { return pageSetup_.ContentWidth(); }

    // The printer to use: an index into the printer list, -1 (or any index outside it) for
    // the default printer.
    int PrinterIndex = -1;
    // The paper in the 0..27 numbering of report_paper.h; 0 and 27 take the printer's own.
    int PaperSize = 0;
    // What the preview window and the print job are called.
    std::string Title;

    const ReportNotify& OnStartReport() const { return onStartReport_; }
    void SetOnStartReport(ReportNotify handler) { onStartReport_ = std::move(handler); }
    const ReportNeedData& OnNeedData() const { return onNeedData_; }
    void SetOnNeedData(ReportNeedData handler) { onNeedData_ = std::move(handler); }

    // The number of the page being laid out (1 for the first), 0 outside a run.
    int PageNumber() const { return pageNumber_; }
    void SetPageNumber(int number) { pageNumber_ = number; }

private:
    ReportBand* Adopt(std::unique_ptr<ReportBand> band);

    std::vector<std::unique_ptr<ReportBand>> bands_;
    ReportBand* title_ = nullptr;
    ReportBand* footer_ = nullptr;
    std::vector<ReportBand*> details_;
    ReportPageSetup pageSetup_;
    ReportNotify onStartReport_;
    ReportNeedData onNeedData_;
    int pageNumber_ = 0;
};

} // namespace fw
