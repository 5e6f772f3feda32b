// The page every report shares, and the rules the report forms have in common.

#include <gtest/gtest.h>

#include <memory>

#include "shell/report_template.h"
#include "report_test_support.h"

namespace {

using report_forms_test::ReportFormTest;

class ReportTemplateTest : public ReportFormTest {};

TEST_F(ReportTemplateTest, EveryPageEndsWithThePageNumberALineAndTheVersion)
{
    TfrmPrintTemplate form;
    fw::ReportBand* detail = form.qrReport.AddBand(fw::ReportBandType::Detail, "Rows");
    detail->Height = 600;
    int rows = 0;
    form.qrReport.SetOnNeedData([&rows](fw::Report&, bool& more) { more = rows++ < 3; });

    form.PreviewOrPrint(true);

    ASSERT_EQ(previews, 1);
    ASSERT_EQ(pages.size(), 3u);
    for (const auto& page : pages) {
        const fw::PlacedBand* footer = page.FindBand("qrbFooter");
        ASSERT_NE(footer, nullptr);
        // At the bottom of the printable area of an A4 page.
        EXPECT_EQ(footer->Top + footer->Height, 1123 - 60);
        EXPECT_EQ(page.FindItem("lblPage")->Text(), "Page " + std::to_string(page.Number));
        const fw::PlacedItem* version = page.FindItem("lblVersion");
        EXPECT_EQ(version->Text(), "Tavelin V1.17");
        EXPECT_EQ(version->Alignment, fw::Alignment::RightJustify);
        // The version ends at the right edge of the printable width.
        EXPECT_EQ(version->Bounds.Right, 74 + 645);
        const fw::PlacedItem* line = page.FindItem("QRShape1");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Shape, fw::ReportShapeType::HorizontalLine);
        EXPECT_EQ(line->Bounds.Width(), 645);
    }
}

TEST_F(ReportTemplateTest, PrinterAndPaperComeFromTheUsersSettings)
{
    UserSettings().Printer.Index = 2;
    UserSettings().Printer.PaperSize = 9;

    TfrmPrintTemplate form;

    EXPECT_EQ(form.qrReport.PrinterIndex, 2);
    EXPECT_EQ(form.qrReport.PaperSize, 9);
}

TEST_F(ReportTemplateTest, PrintingWithoutAPrinterOpensThePreview)
{
    TfrmPrintTemplate form;
    form.PreviewOrPrint(false);
    EXPECT_EQ(previews, 1);
}

TEST_F(ReportTemplateTest, PrintingGoesToThePrinterOfTheSettings)
{
    fw::SetPrinterListProvider([] { return fw::PrinterList{{"Office", "Attic"}, "Office"}; });
    std::vector<std::string> printedOn;
    fw::ScopedHandler<fw::ReportPrintHandler> print(&fw::SetReportPrintHandler,
                                                    [&printedOn](fw::Report&, const std::string& printer) {
                                                        printedOn.push_back(printer);
                                                    });
    UserSettings().Printer.Index = 1;
    TfrmPrintTemplate attic;
    attic.PreviewOrPrint(false);
    // An index the printer list does not have: the default printer.
    UserSettings().Printer.Index = 7;
    TfrmPrintTemplate fallback;
    fallback.PreviewOrPrint(false);

    EXPECT_EQ(printedOn, (std::vector<std::string>{"Attic", "Office"}));
    EXPECT_EQ(previews, 0);
}

TEST_F(ReportTemplateTest, ClosingTheFormFreesIt)
{
    auto* form = new TfrmPrintTemplate;
    form->FinishLoading();
    const fw::WeakRef<TfrmPrintTemplate> alive(form);

    form->Close();
    fw::ProcessPostedMessages();

    EXPECT_FALSE(alive);
}

TEST(PrintBandHeightTest, TheFontSizeGivesTheBandHeight)
{
    const std::vector<std::pair<int, int>> table{{6, 10},  {7, 11},  {8, 13},  {9, 14}, {10, 15},
                                                 {11, 16}, {12, 17}, {13, 19}, {14, 20}};
    for (const auto& [size, height] : table) {
        EXPECT_EQ(PrintBandHeight(size, 99), height) << "size " << size;
    }
    // Any other size keeps the designed height.
    EXPECT_EQ(PrintBandHeight(15, 21), 21);
    EXPECT_EQ(PrintBandHeight(5, 21), 21);
    EXPECT_EQ(PrintBandHeight(0, 18), 18);
}

TEST(ShowPictureInBandTest, APictureIsFittedInto643By200AndTheBandIsFiveTaller)
{
    fw::Report report;
    fw::ReportBand* band = report.AddBand(fw::ReportBandType::Detail, "Picture");
    fw::ReportImage* image = band->AddImage("Image");
    image->Top = 2;

    ShowPictureInBand(*band, *image, fw::Bitmap(1000, 100));
    EXPECT_EQ(image->Width, 643);
    EXPECT_EQ(image->Height, 64);
    EXPECT_TRUE(image->Stretch);
    EXPECT_EQ(band->Height, 2 + 64 + 5);

    ShowPictureInBand(*band, *image, fw::Bitmap(120, 400));
    EXPECT_EQ(image->Width, 60);
    EXPECT_EQ(image->Height, 200);

    // A picture that fits keeps its size.
    ShowPictureInBand(*band, *image, fw::Bitmap(100, 50));
    EXPECT_EQ(image->Width, 100);
    EXPECT_EQ(image->Height, 50);
    EXPECT_EQ(band->Height, 57);
    ASSERT_TRUE(image->HasPicture());
    EXPECT_EQ(image->Picture()->Width(), 100);
}

} // namespace
