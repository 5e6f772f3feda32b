#include "framework/report/report_pager.h"

#include <algorithm>
#include <string>

#include "framework/core/paint_backend.h"

namespace fw {

std::string PlacedItem::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += Lines[i];
    }
    return text;
}

const PlacedItem* ReportPageLayout::FindItem(std::string_view name) const
{
    for (const PlacedItem& item : Items) {
        if (item.Name == name) {
            return &item;
        }
    }
    return nullptr;
}

const PlacedBand* ReportPageLayout::FindBand(std::string_view name) const
{
    for (const PlacedBand& band : Bands) {
        if (band.Name == name) {
            return &band;
        }
    }
    return nullptr;
}

int ReportPageLayout::CountItems(std::string_view name) const
{
    return static_cast<int>(std::count_if(Items.begin(), Items.end(), [name](const PlacedItem& item) {
        return item.Name == name;
    }));
}

int ReportPageLayout::CountBands(std::string_view name) const
{
    return static_cast<int>(std::count_if(Bands.begin(), Bands.end(), [name](const PlacedBand& band) {
        return band.Name == name;
    }));
}

std::vector<const PlacedItem*> ReportPageLayout::ItemsNamed(std::string_view name) const
{
    std::vector<const PlacedItem*> found;
    for (const PlacedItem& item : Items) {
        if (item.Name == name) {
            found.push_back(&item);
        }
    }
    return found;
}

namespace {

// The items of one band laid out from the band's top-left corner, and the height the band
// takes with its stretching labels.
struct BandLayout {
    std::vector<PlacedItem> Items;
    int Height = 0;
};

class Pager {
public:
    Pager(Report& report, PaintBackend& backend) : report_(report), backend_(backend) {}

    ReportPages Run()
    {
        for (const auto& band : report_.Bands()) {
            band->SetPrintedHeight(0);
        }
        report_.SetPageNumber(1);
        try {
            if (report_.OnStartReport()) {
                report_.OnStartReport()(report_);
            }
            StartPage(1);
            if (ReportBand* title = report_.TitleBand()) {
                PrintChain(*title);
            }
            PrintRows();
            FinishPage();
        } catch (...) {
            report_.SetPageNumber(0);
            throw;
        }
        report_.SetPageNumber(0);
        return std::move(pages_);
    }

private:
    void PrintRows()
    {
        const ReportNeedData needData = report_.OnNeedData();
        int rows = 0;
        int emptyRows = 0;
        for (;;) {
            bool more = false;
            if (needData) {
                needData(report_, more);
            } else {
                more = rows == 0;
            }
            if (!more) {
                return;
            }
            ++rows;
            int height = 0;
            const std::vector<ReportBand*> details = report_.DetailBands();
            for (ReportBand* detail : details) {
                height += PrintChain(*detail);
            }
            // A row that takes no room brings the end of the page no nearer: endless such
            // rows would never fill a page, so the page limit could not stop them.
            emptyRows = height > 0 ? 0 : emptyRows + 1;
            if (emptyRows > MaxEmptyReportRows) {
                throw EReportError("The report asks for row after row and prints nothing in them; it cannot end.");
            }
        }
    }

    // The band, then its children in chain order. Answers the height they took.
    int PrintChain(ReportBand& first)
    {
        int height = 0;
        for (ReportBand* band = &first; band != nullptr; band = band->ChildBand()) {
            height += PrintBand(*band);
        }
        return height;
    }

    // Answers the height the band took: 0 when it did not print.
    int PrintBand(ReportBand& band)
    {
        if (!band.Enabled) {
            return 0;
        }
        bool print = true;
        if (band.BeforePrint()) {
            band.BeforePrint()(band, print);
        }
        if (!print || !band.Enabled) {
            if (band.AfterPrint()) {
                band.AfterPrint()(band, false);
            }
            return 0;
        }
        BandLayout layout = LayOut(band);
        if (y_ + layout.Height > BodyBottom() && pageHasBody_) {
            FinishPage();
            StartPage(report_.PageNumber() + 1);
            // The page number changed: a page number on the band must show the new one.
            layout = LayOut(band);
        }
        Place(band, layout, y_);
        y_ += layout.Height;
        pageHasBody_ = true;
        if (band.AfterPrint()) {
            band.AfterPrint()(band, true);
        }
        return layout.Height;
    }

    void StartPage(int number)
    {
        if (number > MaxReportPages) {
            throw EReportError("The report runs beyond " + std::to_string(MaxReportPages) + " pages; it cannot end.");
        }
        report_.SetPageNumber(number);
        const ReportPageSetup& setup = report_.PageSetup();
        ReportPageLayout page;
        page.Number = number;
        page.Width = setup.PageWidth;
        page.Height = setup.PageHeight;
        pages_.push_back(std::move(page));
        y_ = setup.TopMargin;
        pageHasBody_ = false;
        ReportBand* footer = report_.PageFooterBand();
        footerReserve_ = footer != nullptr && footer->Enabled ? std::max(0, footer->Height) : 0;
    }

    void FinishPage()
    {
        ReportBand* footer = report_.PageFooterBand();
        if (footer == nullptr || !footer->Enabled) {
            return;
        }
        bool print = true;
        if (footer->BeforePrint()) {
            footer->BeforePrint()(*footer, print);
        }
        if (print && footer->Enabled) {
            BandLayout layout = LayOut(*footer);
            const ReportPageSetup& setup = report_.PageSetup();
            Place(*footer, layout, setup.PageHeight - setup.BottomMargin - layout.Height);
        }
        if (footer->AfterPrint()) {
            footer->AfterPrint()(*footer, print);
        }
    }

    int BodyBottom() const
    {
        const ReportPageSetup& setup = report_.PageSetup();
        return setup.PageHeight - setup.BottomMargin - footerReserve_;
    }

    void Place(ReportBand& band, BandLayout& layout, int top)
    {
        ReportPageLayout& page = pages_.back();
        const int left = report_.PageSetup().LeftMargin;
        for (PlacedItem& item : layout.Items) {
            item.Bounds.Left += left;
            item.Bounds.Right += left;
            item.Bounds.Top += top;
            item.Bounds.Bottom += top;
            page.Items.push_back(std::move(item));
        }
        page.Bands.push_back(PlacedBand{band.Name(), band.Type(), top, layout.Height});
        band.SetPrintedHeight(layout.Height);
    }

    BandLayout LayOut(const ReportBand& band)
    {
        BandLayout layout;
        layout.Height = std::max(0, band.Height);
        for (const auto& control : band.Controls()) {
            if (!control->Enabled) {
                continue;
            }
            switch (control->Kind()) {
            case ReportControlKind::Label:
                LayOutLabel(static_cast<const ReportLabel&>(*control), layout);
                break;
            case ReportControlKind::SysData:
                LayOutSysData(static_cast<const ReportSysData&>(*control), layout);
                break;
            case ReportControlKind::Shape:
                LayOutShape(static_cast<const ReportShape&>(*control), layout);
                break;
            case ReportControlKind::Image:
                LayOutImage(static_cast<const ReportImage&>(*control), layout);
                break;
            }
        }
        return layout;
    }

    static Rect BoxOf(const ReportControl& control, int height)
    {
        return Rect{control.Left, control.Top, control.Left + std::max(0, control.Width),
                    control.Top + std::max(0, height)};
    }

    int LineHeightOf(const Font& font) { return backend_.TextExtent(font, "").Height; }

    // The text item of a label or a system-data field: its name, font and alignment, and the
    // height of a line in that font; the lines and the box are the caller's.
    template <class TextControl>
    PlacedItem TextItemOf(const TextControl& control)
    {
        PlacedItem item;
        item.Kind = PlacedItemKind::Text;
        item.Name = control.Name();
        item.Font = control.Font;
        item.Alignment = control.Alignment;
        item.LineHeight = LineHeightOf(control.Font);
        return item;
    }

    void LayOutLabel(const ReportLabel& label, BandLayout& layout)
    {
        PlacedItem item = TextItemOf(label);
        if (label.WordWrap) {
            const Font& font = label.Font;
            const auto measure = [this, &font](std::string_view text) { return backend_.TextExtent(font, text).Width; };
            item.Lines = WrapLabelText(label.Caption, std::max(1, label.Width), measure);
        } else {
            item.Lines = SplitLabelLines(label.Caption);
        }
        int height = label.Height;
        if (label.AutoStretch) {
            height = std::max(height, item.LineHeight * static_cast<int>(item.Lines.size()));
            layout.Height = std::max(layout.Height, label.Top + height);
        }
        item.Bounds = BoxOf(label, height);
        layout.Items.push_back(std::move(item));
    }

    void LayOutSysData(const ReportSysData& data, BandLayout& layout)
    {
        PlacedItem item = TextItemOf(data);
        switch (data.Data) {
        case ReportSysDataKind::PageNumber:
            item.Lines = {data.Text + std::to_string(report_.PageNumber())};
            break;
        }
        item.Bounds = BoxOf(data, data.Height);
        layout.Items.push_back(std::move(item));
    }

    static void LayOutShape(const ReportShape& shape, BandLayout& layout)
    {
        PlacedItem item;
        item.Kind = PlacedItemKind::Shape;
        item.Name = shape.Name();
        item.Bounds = BoxOf(shape, shape.Height);
        item.Shape = shape.Shape;
        item.BrushColor = shape.BrushColor;
        item.BrushStyle = shape.BrushStyle;
        item.PenColor = shape.PenColor;
        item.PenStyle = shape.PenStyle;
        item.PenWidth = std::max(1, shape.PenWidth);
        layout.Items.push_back(std::move(item));
    }

    static void LayOutImage(const ReportImage& image, BandLayout& layout)
    {
        if (!image.HasPicture() || image.Width <= 0 || image.Height <= 0) {
            return;
        }
        PlacedItem item;
        item.Kind = PlacedItemKind::Image;
        item.Name = image.Name();
        item.Bounds = BoxOf(image, image.Height);
        item.Picture = image.Picture();
        item.Stretch = image.Stretch;
        layout.Items.push_back(std::move(item));
    }

    Report& report_;
    PaintBackend& backend_;
    ReportPages pages_;
    int y_ = 0;
    int footerReserve_ = 0;
    bool pageHasBody_ = false;
};

} // namespace

ReportPages PaginateReport(Report& report, PaintBackend& backend)
{
    return Pager(report, backend).Run();
}

} // namespace fw
