// Real output: paper sizes, the choice of printer, the preview and print seams, PDF files
// and pages painted by Qt.

#include <gtest/gtest.h>

#include <QImage>
#include <QPageSize>
#include <QPrinter>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/gui/dialogs.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/report/report_model.h"
#include "framework/report/report_output.h"
#include "framework/report/report_pager.h"
#include "framework/report/report_painter.h"
#include "framework/report/report_paper.h"
#include "framework/report/report_test_tools.h"

namespace {

using fw::ReportBand;
using fw::ReportBandType;

std::filesystem::path OutputFolder()
{
    std::filesystem::path folder = std::filesystem::path(TAVELIN_REPORT_TEST_OUTPUT) / "report_output";
    std::filesystem::create_directories(folder);
    return folder;
}

// A report of `rows` rows of 300 units under a title: three rows fit a page, so 7 rows
// make three pages. Each row shows a text, a filled circle, a dotted line and a picture.
class SampleReport {
public:
    explicit SampleReport(int rows)
    {
        ReportBand* title = report.AddBand(ReportBandType::Title, "Title");
        title->Height = 40;
        auto* heading = title->AddLabel("Heading");
        heading->Caption = "Sample Report";
        heading->Font.SetSize(16);
        heading->Font.Style.Bold = true;
        heading->Alignment = fw::Alignment::Center;
        heading->SetBounds(0, 0, 645, 30);

        ReportBand* footer = report.AddBand(ReportBandType::PageFooter, "Footer");
        footer->Height = 20;
        auto* page = footer->AddSysData("PageNo");
        page->Text = "Page ";
        page->SetBounds(0, 4, 200, 16);

        ReportBand* detail = report.AddBand(ReportBandType::Detail, "Detail");
        detail->Height = 300;
        auto* text = detail->AddLabel("RowText");
        text->SetBounds(0, 0, 300, 20);
        auto* circle = detail->AddShape("Circle");
        circle->Shape = fw::ReportShapeType::Circle;
        circle->BrushColor = 0x0000FF;
        circle->SetBounds(0, 30, 100, 100);
        auto* line = detail->AddShape("Line");
        line->Shape = fw::ReportShapeType::HorizontalLine;
        line->PenStyle = fw::PenStyle::Dot;
        line->SetBounds(0, 150, 645, 5);
        fw::Bitmap picture(4, 2);
        picture.FillRect(fw::Rect{0, 0, 2, 2}, 0xFF0000);
        picture.FillRect(fw::Rect{2, 0, 4, 2}, 0x00FF00);
        auto* image = detail->AddImage("Picture");
        image->SetPicture(picture);
        image->Stretch = true;
        image->SetBounds(200, 30, 200, 100);

        report.SetOnStartReport([this](fw::Report&) { row_ = 0; });
        report.SetOnNeedData([this, rows](fw::Report&, bool& more) { more = row_ < rows; });
        detail->SetBeforePrint([this, text](ReportBand&, bool&) { text->Caption = "Row " + std::to_string(++row_); });
    }

    fw::Report report;

private:
    int row_ = 0;
};

// --- Paper and printers --------------------------------------------------------------------------

TEST(ReportPaperTest, StoredPaperNumbersMapToQtPageSizes)
{
    EXPECT_EQ(fw::PaperSizeToPageSize(9), QPageSize::A4);
    EXPECT_EQ(fw::PaperSizeToPageSize(1), QPageSize::Letter);
    EXPECT_EQ(fw::PaperSizeToPageSize(5), QPageSize::Legal);
    EXPECT_EQ(fw::PaperSizeToPageSize(8), QPageSize::A3);
    EXPECT_EQ(fw::PaperSizeToPageSize(11), QPageSize::A5);
    EXPECT_EQ(fw::PaperSizeToPageSize(20), QPageSize::Envelope10);
    EXPECT_EQ(fw::PaperSizeToPageSize(26), QPageSize::AnsiE);
    // The printer's own paper.
    EXPECT_FALSE(fw::PaperSizeToPageSize(0).has_value());
    EXPECT_FALSE(fw::PaperSizeToPageSize(27).has_value());
    EXPECT_FALSE(fw::PaperSizeToPageSize(-1).has_value());
    EXPECT_FALSE(fw::PaperSizeToPageSize(28).has_value());
}

TEST(ReportPaperTest, EveryFixedPaperSizeHasTheSizeItsNameSays)
{
    // Width x height in points (1/72 inch) of a selection, as the paper's name defines it.
    const std::vector<std::tuple<int, const char*, int, int>> papers{
        {2, "Letter Small", 612, 792}, {3, "Tabloid", 792, 1224},   {6, "Statement", 396, 612},
        {7, "Executive", 522, 756},    {10, "A4 Small", 595, 842},  {16, "10x14", 720, 1008},
        {17, "11x17", 792, 1224},      {18, "Note", 612, 792},      {24, "C size sheet", 1224, 1584},
    };
    for (const auto& [number, name, width, height] : papers) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fw::PaperSizeName(number), name);
        const auto id = fw::PaperSizeToPageSize(number);
        ASSERT_TRUE(id.has_value());
        const QSize points = QPageSize(*id).sizePoints();
        EXPECT_EQ(std::min(points.width(), points.height()), width);
        EXPECT_EQ(std::max(points.width(), points.height()), height);
    }
    EXPECT_EQ(fw::PaperSizeName(0), "Default");
    EXPECT_EQ(fw::PaperSizeName(27), "Custom");
    EXPECT_EQ(fw::PaperSizeName(28), "");
}

TEST(ReportPaperTest, APrinterIndexOutsideTheListMeansTheDefaultPrinter)
{
    const fw::PrinterList printers{{"Office", "Loom room", "Attic"}, "Loom room"};
    EXPECT_EQ(fw::ChoosePrinterName(printers, 0), "Office");
    EXPECT_EQ(fw::ChoosePrinterName(printers, 2), "Attic");
    EXPECT_EQ(fw::ChoosePrinterName(printers, -1), "Loom room");
    EXPECT_EQ(fw::ChoosePrinterName(printers, 3), "Loom room");
    EXPECT_EQ(fw::ChoosePrinterName(printers, 99), "Loom room");
    // No default named: the first printer.
    EXPECT_EQ(fw::ChoosePrinterName(fw::PrinterList{{"Office", "Attic"}, ""}, 7), "Office");
    EXPECT_EQ(fw::ChoosePrinterName(fw::PrinterList{}, -1), "");
    EXPECT_EQ(fw::ChoosePrinterName(fw::PrinterList{}, 0), "");
}

// --- Preview and print seams ---------------------------------------------------------------------

class ReportSeamTest : public ::testing::Test {
protected:
    void InstallPrinters(fw::PrinterList printers)
    {
        fw::SetPrinterListProvider([printers] { return printers; });
    }
    void TearDown() override { fw::SetPrinterListProvider({}); }

    fw::ScopedHandler<fw::ReportPreviewHandler> preview{&fw::SetReportPreviewHandler,
                                                        [this](fw::Report& report) { previewed.push_back(&report); }};
    fw::ScopedHandler<fw::ReportPrintHandler> print{
        &fw::SetReportPrintHandler,
        [this](fw::Report&, const std::string& printerName) { printedOn.push_back(printerName); }};
    std::vector<fw::Report*> previewed;
    std::vector<std::string> printedOn;
};

TEST_F(ReportSeamTest, PrintGoesToThePrinterOfTheReportsIndex)
{
    InstallPrinters({{"Office", "Attic"}, "Attic"});
    SampleReport sample(1);
    sample.report.PrinterIndex = 0;

    fw::PrintReport(sample.report);

    EXPECT_EQ(printedOn, (std::vector<std::string>{"Office"}));
    EXPECT_TRUE(previewed.empty());
}

TEST_F(ReportSeamTest, ABadPrinterIndexFallsBackToTheDefaultPrinter)
{
    InstallPrinters({{"Office", "Attic"}, "Attic"});
    SampleReport sample(1);
    sample.report.PrinterIndex = 5;
    fw::PrintReport(sample.report);
    sample.report.PrinterIndex = -1;
    fw::PrintReport(sample.report);

    EXPECT_EQ(printedOn, (std::vector<std::string>{"Attic", "Attic"}));
}

TEST_F(ReportSeamTest, WithoutAnyPrinterPrintOpensThePreview)
{
    InstallPrinters({});
    SampleReport sample(1);

    fw::PrintReport(sample.report);

    EXPECT_TRUE(printedOn.empty());
    ASSERT_EQ(previewed.size(), 1u);
    EXPECT_EQ(previewed[0], &sample.report);
}

TEST_F(ReportSeamTest, PreviewGoesThroughItsHandler)
{
    SampleReport sample(1);
    fw::PreviewReport(sample.report);
    EXPECT_EQ(previewed.size(), 1u);
}

TEST(ReportPreviewTest, WithoutAHandlerAndWithoutAScreenThePreviewRefusesInsteadOfWaitingForever)
{
    SampleReport sample(1);
    EXPECT_THROW(fw::PreviewReport(sample.report), fw::EReportError);
}

// --- PDF -----------------------------------------------------------------------------------------

TEST(ReportPdfTest, AThreePageReportGivesAThreePagePdfOnA4)
{
    SampleReport sample(7);
    sample.report.PaperSize = 9;
    const std::filesystem::path file = OutputFolder() / "three_pages.pdf";
    std::filesystem::remove(file);

    const fw::ReportPages pages = fw::ExportReportToPdf(sample.report, file.string());

    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2].CountBands("Detail"), 1);
    // The report was laid out on the printer's A4 paper.
    EXPECT_EQ(sample.report.PageSetup().PageWidth, 794);
    EXPECT_EQ(sample.report.PageSetup().PageHeight, 1123);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(report_test::CountPdfPageObjects(file), 3);
    if (!report_test::HaveTool("pdfinfo")) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    const auto info = report_test::ReadPdfInfo(file);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->Pages, 3);
    EXPECT_NE(info->PageSize.find("595"), std::string::npos) << info->PageSize;
    EXPECT_NE(info->PageSize.find("842"), std::string::npos) << info->PageSize;
}

TEST(ReportPdfTest, TheReportsPaperDecidesThePageSize)
{
    SampleReport sample(4);
    sample.report.PaperSize = 1;
    const std::filesystem::path file = OutputFolder() / "letter.pdf";

    const fw::ReportPages pages = fw::ExportReportToPdf(sample.report, file.string());

    // Letter is 8.5 x 11 inches: 816 x 1056 units. Its body is shorter than A4's: two rows
    // fit under the title and three on a further page, so four rows take two pages.
    EXPECT_EQ(sample.report.PageSetup().PageWidth, 816);
    EXPECT_EQ(sample.report.PageSetup().PageHeight, 1056);
    EXPECT_EQ(pages.size(), 2u);
    EXPECT_EQ(report_test::CountPdfPageObjects(file), 2);
    if (!report_test::HaveTool("pdfinfo")) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    const auto info = report_test::ReadPdfInfo(file);
    ASSERT_TRUE(info.has_value());
    EXPECT_NE(info->PageSize.find("612 x 792"), std::string::npos) << info->PageSize;
}

TEST(ReportPdfTest, AFileThatCannotBeWrittenRaises)
{
    SampleReport sample(1);
    EXPECT_THROW(fw::ExportReportToPdf(sample.report, "/nonexistent-folder/report.pdf"), fw::EReportError);
}

TEST(ReportPdfTest, ThePdfPagesShowWhatThePagesHold)
{
    SampleReport sample(3);
    sample.report.PaperSize = 9;
    const std::filesystem::path file = OutputFolder() / "sample.pdf";
    fw::ExportReportToPdf(sample.report, file.string());
    if (!report_test::HaveTool("pdftoppm")) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    const std::filesystem::path prefix = OutputFolder() / "sample";
    ASSERT_TRUE(report_test::PdfToPng(file, prefix, 96));
    QImage page(QString::fromStdString(prefix.string() + "-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width(), 794);
    // The red circle of the first row: its centre lies at (74 + 50, 60 + 40 + 30 + 50).
    const QColor centre = page.pixelColor(124, 180);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 60);
    // The picture: blue on its left half, green on its right (stretched 4 x 2 -> 200 x 100).
    const QColor left = page.pixelColor(74 + 200 + 50, 130 + 50);
    const QColor right = page.pixelColor(74 + 200 + 150, 130 + 50);
    EXPECT_GT(left.blue(), 200);
    EXPECT_LT(left.green(), 60);
    EXPECT_GT(right.green(), 200);
    EXPECT_LT(right.blue(), 60);
    // Outside anything printed the paper stays white.
    EXPECT_EQ(page.pixelColor(40, 500), QColor(Qt::white));
}

// --- Pages painted by Qt -------------------------------------------------------------------------

class ReportPainterTest : public ::testing::Test {
protected:
    fw::ReportPageLayout PageWith(std::vector<fw::PlacedItem> items)
    {
        fw::ReportPageLayout page;
        page.Number = 1;
        page.Width = 200;
        page.Height = 100;
        page.Items = std::move(items);
        return page;
    }

    static fw::PlacedItem Shape(fw::ReportShapeType type, fw::Rect bounds)
    {
        fw::PlacedItem item;
        item.Kind = fw::PlacedItemKind::Shape;
        item.Shape = type;
        item.Bounds = bounds;
        return item;
    }

    static bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

    fw::QtPaintBackend fonts;
};

TEST_F(ReportPainterTest, ARectangleIsOutlinedByThePenAndFilledByTheBrush)
{
    fw::PlacedItem box = Shape(fw::ReportShapeType::Rectangle, fw::Rect{10, 10, 50, 40});
    box.BrushColor = 0x00FF00;
    const QImage image = fw::RenderReportPage(PageWith({box}), fonts);

    EXPECT_EQ(image.size(), QSize(200, 100));
    EXPECT_TRUE(Dark(image, 10, 25));
    EXPECT_TRUE(Dark(image, 49, 25));
    EXPECT_EQ(image.pixelColor(30, 25), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(51, 25), QColor(Qt::white));
}

TEST_F(ReportPainterTest, AClearBrushLeavesTheInsideAlone)
{
    fw::PlacedItem box = Shape(fw::ReportShapeType::Rectangle, fw::Rect{10, 10, 50, 40});
    box.BrushStyle = fw::BrushStyle::Clear;
    const QImage image = fw::RenderReportPage(PageWith({box}), fonts);

    EXPECT_TRUE(Dark(image, 10, 25));
    EXPECT_EQ(image.pixelColor(30, 25), QColor(Qt::white));
}

TEST_F(ReportPainterTest, ACircleFillsItsMiddleButNotItsCorners)
{
    fw::PlacedItem hole = Shape(fw::ReportShapeType::Circle, fw::Rect{10, 10, 50, 50});
    hole.BrushColor = 0x0000FF;
    const QImage image = fw::RenderReportPage(PageWith({hole}), fonts);

    EXPECT_EQ(image.pixelColor(30, 30), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(11, 11), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(48, 48), QColor(Qt::white));
}

TEST_F(ReportPainterTest, ADottedLineLeavesGapsASolidOneDoesNot)
{
    fw::PlacedItem dotted = Shape(fw::ReportShapeType::HorizontalLine, fw::Rect{0, 10, 200, 11});
    dotted.PenStyle = fw::PenStyle::Dot;
    fw::PlacedItem solid = Shape(fw::ReportShapeType::HorizontalLine, fw::Rect{0, 50, 200, 51});
    const QImage image = fw::RenderReportPage(PageWith({dotted, solid}), fonts, 192);

    // At 192 dpi a unit is two pixels: the lines lie on rows 21 and 101.
    int dottedInk = 0;
    int solidInk = 0;
    for (int x = 10; x < 390; ++x) {
        dottedInk += Dark(image, x, 21) ? 1 : 0;
        solidInk += Dark(image, x, 101) ? 1 : 0;
    }
    EXPECT_EQ(solidInk, 380);
    EXPECT_GT(dottedInk, 60);
    EXPECT_LT(dottedInk, 320);
}

TEST_F(ReportPainterTest, APictureIsCutAtItsBoxUnlessStretched)
{
    fw::Bitmap picture(40, 40);
    picture.FillRect(picture.Bounds(), 0x000000);
    fw::PlacedItem cut;
    cut.Kind = fw::PlacedItemKind::Image;
    cut.Picture = std::make_shared<const fw::Bitmap>(picture);
    cut.Bounds = fw::Rect{0, 0, 20, 20};
    fw::PlacedItem stretched = cut;
    stretched.Stretch = true;
    stretched.Bounds = fw::Rect{100, 0, 180, 80};
    const QImage image = fw::RenderReportPage(PageWith({cut, stretched}), fonts);

    EXPECT_TRUE(Dark(image, 19, 19));
    EXPECT_FALSE(Dark(image, 21, 21));
    EXPECT_TRUE(Dark(image, 179, 79));
    EXPECT_FALSE(Dark(image, 181, 50));
}

TEST_F(ReportPainterTest, TextStaysBetweenTheSidesOfItsLabel)
{
    fw::PlacedItem text;
    text.Kind = fw::PlacedItemKind::Text;
    text.Lines = {"WWWWWWWWWWWWWWWWWWWWWWWWWWWW"};
    text.Font.SetSize(12);
    text.Font.Color = fw::clBlack;
    text.LineHeight = 20;
    text.Bounds = fw::Rect{20, 10, 80, 30};
    const QImage image = fw::RenderReportPage(PageWith({text}), fonts);

    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (Dark(image, x, y)) {
                (x >= 20 && x < 80 ? inside : outside) += 1;
            }
        }
    }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

TEST_F(ReportPainterTest, ALaidOutReportRendersToAPicture)
{
    SampleReport sample(2);
    const fw::ReportPages pages = fw::PaginateReport(sample.report, fonts);
    ASSERT_EQ(pages.size(), 1u);
    const QImage image = fw::RenderReportPage(pages[0], fonts);
    ASSERT_TRUE(image.save(QString::fromStdString((OutputFolder() / "sample_page.png").string())));
    // The red circle of the second row: centre (124, 60 + 40 + 300 + 80).
    EXPECT_EQ(image.pixelColor(124, 480), QColor(255, 0, 0));
}

} // namespace
