// The pager: which bands go on which page, where, with which items. Text is measured by
// the fake backend: 6 units a character, 13 a line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/paint_backend.h"
#include "framework/report/report_model.h"
#include "framework/report/report_pager.h"

namespace {

using fw::ReportBand;
using fw::ReportBandType;
using fw::ReportPages;

// A4 in report units with the default margins: the body runs from 60 to 1123 - 60 = 1063,
// less the footer's height.
constexpr int TopMargin = 60;
constexpr int PageBottom = 1123 - 60;

class ReportPagerTest : public ::testing::Test {
protected:
    // A footer of height 20 showing "Page n" and a detail band of the height that prints
    // rowCount rows.
    void BuildRows(int rowCount, int rowHeight)
    {
        footer = report.AddBand(ReportBandType::PageFooter, "Footer");
        footer->Height = 20;
        auto* page = footer->AddSysData("PageNo");
        page->Text = "Page ";
        page->SetBounds(0, 2, 100, 16);
        detail = report.AddBand(ReportBandType::Detail, "Detail");
        detail->Height = rowHeight;
        auto* text = detail->AddLabel("RowText");
        text->SetBounds(0, 0, 200, rowHeight);
        report.SetOnNeedData([this, rowCount](fw::Report&, bool& more) { more = rowsAsked++ < rowCount; });
        detail->SetBeforePrint(
            [this, text](ReportBand&, bool&) { text->Caption = "Row " + std::to_string(rowsAsked); });
    }

    ReportPages Run() { return fw::PaginateReport(report, backend); }

    // The number of times a band printed on each page.
    static std::vector<int> BandsPerPage(const ReportPages& pages, const std::string& name)
    {
        std::vector<int> counts;
        for (const auto& page : pages) {
            counts.push_back(page.CountBands(name));
        }
        return counts;
    }

    fw::FakePaintBackend backend;
    fw::Report report;
    ReportBand* footer = nullptr;
    ReportBand* detail = nullptr;
    int rowsAsked = 0;
};

TEST_F(ReportPagerTest, TitlePrintsOnceOnTheFirstPageAndTheFooterOnEveryPage)
{
    ReportBand* title = report.AddBand(ReportBandType::Title, "Title");
    title->Height = 50;
    title->AddLabel("Heading")->Caption = "Threads";
    BuildRows(20, 100);

    const ReportPages pages = Run();

    // The body ends at 1063 - 20: nine rows of 100 fit under the title (110 .. 1010), and
    // nine on each further page (60 .. 960).
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(BandsPerPage(pages, "Title"), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(BandsPerPage(pages, "Detail"), (std::vector<int>{9, 9, 2}));
    EXPECT_EQ(BandsPerPage(pages, "Footer"), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(pages[0].FindBand("Title")->Top, TopMargin);
    EXPECT_EQ(pages[0].FindBand("Detail")->Top, TopMargin + 50);
    EXPECT_EQ(pages[1].FindBand("Detail")->Top, TopMargin);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].Number, static_cast<int>(i) + 1);
        EXPECT_EQ(pages[i].FindBand("Footer")->Top, PageBottom - 20);
        ASSERT_NE(pages[i].FindItem("PageNo"), nullptr);
        EXPECT_EQ(pages[i].FindItem("PageNo")->Text(), "Page " + std::to_string(i + 1));
    }
    EXPECT_EQ(pages[0].FindItem("Heading")->Text(), "Threads");
    EXPECT_EQ(pages[2].ItemsNamed("RowText").back()->Text(), "Row 20");
}

TEST_F(ReportPagerTest, ItemsArePlacedFromTheLeftMarginAndTheBandTop)
{
    BuildRows(2, 30);
    auto* mark = detail->AddShape("Mark");
    mark->SetBounds(10, 5, 40, 20);

    const ReportPages pages = Run();

    const auto marks = pages.at(0).ItemsNamed("Mark");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->Bounds, (fw::Rect{74 + 10, TopMargin + 5, 74 + 50, TopMargin + 25}));
    EXPECT_EQ(marks[1]->Bounds, (fw::Rect{74 + 10, TopMargin + 35, 74 + 50, TopMargin + 55}));
    EXPECT_EQ(pages[0].Width, 794);
    EXPECT_EQ(pages[0].Height, 1123);
}

TEST_F(ReportPagerTest, ABandThatDoesNotFitMovesWholeToTheNextPage)
{
    BuildRows(0, 10);
    report.SetOnNeedData([this](fw::Report&, bool& more) { more = rowsAsked++ < 2; });
    // 800 + 800 cannot share a body of 1063 - 20 - 60 = 983 units.
    detail->Height = 800;

    const ReportPages pages = Run();

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].FindBand("Detail")->Top, TopMargin);
    EXPECT_EQ(pages[1].FindBand("Detail")->Top, TopMargin);
    // The row text of the second row went with its band.
    EXPECT_EQ(pages[1].FindItem("RowText")->Text(), "Row 2");
    EXPECT_EQ(pages[1].FindItem("RowText")->Bounds.Top, TopMargin);
}

TEST_F(ReportPagerTest, ABandTallerThanAPageTakesAPageOfItsOwnAndTheReportEnds)
{
    BuildRows(3, 5000);

    const ReportPages pages = Run();

    ASSERT_EQ(pages.size(), 3u);
    for (const auto& page : pages) {
        EXPECT_EQ(page.CountBands("Detail"), 1);
        EXPECT_EQ(page.FindBand("Detail")->Top, TopMargin);
    }
}

TEST_F(ReportPagerTest, ASuppressedBandTakesNoSpaceAndHearsItDidNotPrint)
{
    BuildRows(3, 30);
    ReportBand* extra = report.AddBand(ReportBandType::Detail, "Extra");
    extra->Height = 40;
    std::vector<bool> afterPrint;
    extra->SetBeforePrint([this](ReportBand&, bool& print) { print = rowsAsked != 2; });
    extra->SetAfterPrint([&afterPrint](ReportBand&, bool printed) { afterPrint.push_back(printed); });

    const ReportPages pages = Run();

    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::pair<std::string, int>> order;
    for (const auto& band : pages[0].Bands) {
        if (band.Type == ReportBandType::Detail) {
            order.emplace_back(band.Name, band.Top);
        }
    }
    // Row 2's extra band is left out: row 3 follows row 2's detail band directly.
    const std::vector<std::pair<std::string, int>> expected{
        {"Detail", 60}, {"Extra", 90}, {"Detail", 130}, {"Detail", 160}, {"Extra", 190}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(afterPrint, (std::vector<bool>{true, false, true}));
}

TEST_F(ReportPagerTest, DisabledBandsAndControlsDoNotPrintAndAreNotAsked)
{
    BuildRows(2, 30);
    auto* hidden = detail->AddLabel("Hidden");
    hidden->Caption = "never";
    hidden->Enabled = false;
    ReportBand* off = report.AddBand(ReportBandType::Detail, "Off");
    off->Height = 40;
    off->Enabled = false;
    int asked = 0;
    off->SetBeforePrint([&asked](ReportBand&, bool&) { ++asked; });

    const ReportPages pages = Run();

    EXPECT_EQ(pages.at(0).CountBands("Off"), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(pages[0].CountItems("Hidden"), 0);
    EXPECT_EQ(pages[0].CountItems("RowText"), 2);
}

TEST_F(ReportPagerTest, ABandSwitchedOffInItsOwnBeforePrintDoesNotPrint)
{
    BuildRows(2, 30);
    detail->SetBeforePrint([](ReportBand& band, bool&) { band.Enabled = false; });

    const ReportPages pages = Run();

    EXPECT_EQ(pages.at(0).CountBands("Detail"), 0);
}

TEST_F(ReportPagerTest, AStretchingLabelGrowsItsBandButNotTheDesignedHeight)
{
    BuildRows(2, 15);
    auto* notes = detail->AddLabel("Notes");
    // 10 characters a line: "aaaa bbbb" and "cccc dddd".
    notes->SetBounds(100, 2, 60, 13);
    notes->Caption = "aaaa bbbb cccc dddd";
    notes->WordWrap = true;
    notes->AutoStretch = true;

    const ReportPages pages = Run();

    const auto& bands = pages.at(0).Bands;
    ASSERT_GE(bands.size(), 2u);
    EXPECT_EQ(bands[0].Height, 2 + 2 * 13);
    EXPECT_EQ(bands[1].Top, TopMargin + 28);
    const fw::PlacedItem* item = pages[0].FindItem("Notes");
    EXPECT_EQ(item->Lines, (std::vector<std::string>{"aaaa bbbb", "cccc dddd"}));
    EXPECT_EQ(item->Bounds.Height(), 26);
    EXPECT_EQ(item->LineHeight, 13);
    EXPECT_EQ(detail->Height, 15);
    EXPECT_EQ(detail->PrintedHeight(), 28);
}

TEST_F(ReportPagerTest, AWrappingLabelWithoutStretchKeepsItsBandHeight)
{
    BuildRows(2, 15);
    auto* notes = detail->AddLabel("Notes");
    notes->SetBounds(100, 2, 60, 13);
    notes->Caption = "aaaa bbbb cccc dddd";
    notes->WordWrap = true;

    const ReportPages pages = Run();

    EXPECT_EQ(pages.at(0).Bands[0].Height, 15);
    EXPECT_EQ(pages[0].FindItem("Notes")->Lines.size(), 2u);
    EXPECT_EQ(pages[0].FindItem("Notes")->Bounds.Height(), 13);
}

TEST_F(ReportPagerTest, LineBreaksStartNewLinesWithoutWordWrap)
{
    BuildRows(1, 30);
    auto* notes = detail->AddLabel("Notes");
    notes->SetBounds(0, 0, 10, 13);
    notes->Caption = "first line\r\nsecond line";
    notes->Alignment = fw::Alignment::RightJustify;

    const ReportPages pages = Run();

    const fw::PlacedItem* item = pages.at(0).FindItem("Notes");
    EXPECT_EQ(item->Lines, (std::vector<std::string>{"first line", "second line"}));
    EXPECT_EQ(item->Alignment, fw::Alignment::RightJustify);
}

TEST_F(ReportPagerTest, ChildBandsFollowTheirParentEvenWhenTheParentIsSuppressed)
{
    ReportBand* title = report.AddBand(ReportBandType::Title, "Title");
    title->Height = 10;
    report.AddChildBand(title, "TitleChild")->Height = 10;
    BuildRows(2, 10);
    ReportBand* first = report.AddChildBand(detail, "First");
    first->Height = 5;
    report.AddChildBand(first, "Second")->Height = 5;
    detail->SetBeforePrint([this](ReportBand&, bool& print) { print = rowsAsked != 1; });

    const ReportPages pages = Run();

    std::vector<std::string> order;
    for (const auto& band : pages.at(0).Bands) {
        order.push_back(band.Name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Title", "TitleChild", "First", "Second", "Detail", "First", "Second",
                                               "Footer"}));
    EXPECT_EQ(first->ParentBand(), detail);
    EXPECT_EQ(detail->ChildBand(), first);
}

TEST_F(ReportPagerTest, EventsReadTheNumberOfThePageBeingFilled)
{
    BuildRows(4, 400);
    std::vector<int> detailPages;
    std::vector<int> footerPages;
    std::vector<int> afterPages;
    detail->SetBeforePrint([&](ReportBand&, bool&) { detailPages.push_back(report.PageNumber()); });
    detail->SetAfterPrint([&](ReportBand&, bool) { afterPages.push_back(report.PageNumber()); });
    footer->SetBeforePrint([&](ReportBand&, bool&) { footerPages.push_back(report.PageNumber()); });
    int startPage = -1;
    report.SetOnStartReport([&](fw::Report&) { startPage = report.PageNumber(); });

    const ReportPages pages = Run();

    // Two rows of 400 fit a page. BeforePrint runs before the pager knows whether the band
    // fits, so the third row asks on page 1 and prints on page 2.
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(startPage, 1);
    EXPECT_EQ(detailPages, (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(afterPages, (std::vector<int>{1, 1, 2, 2}));
    EXPECT_EQ(footerPages, (std::vector<int>{1, 2}));
    EXPECT_EQ(report.PageNumber(), 0);
}

TEST_F(ReportPagerTest, WithoutANeedDataHandlerTheDetailBandsPrintOnce)
{
    ReportBand* only = report.AddBand(ReportBandType::Detail, "Only");
    only->Height = 10;

    const ReportPages pages = Run();

    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].CountBands("Only"), 1);
}

TEST_F(ReportPagerTest, ADisabledFooterLeavesItsRoomToTheBody)
{
    BuildRows(20, 100);
    footer->Enabled = false;

    const ReportPages pages = Run();

    // Without the footer's 20 units the body ends at 1063: ten rows fit a page.
    EXPECT_EQ(BandsPerPage(pages, "Detail"), (std::vector<int>{10, 10}));
    EXPECT_EQ(BandsPerPage(pages, "Footer"), (std::vector<int>{0, 0}));
}

TEST_F(ReportPagerTest, AFooterSuppressedOnOnePageStillKeepsItsRoom)
{
    BuildRows(20, 100);
    footer->SetBeforePrint([this](ReportBand&, bool& print) { print = report.PageNumber() != 2; });

    const ReportPages pages = Run();

    EXPECT_EQ(BandsPerPage(pages, "Footer"), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(BandsPerPage(pages, "Detail"), (std::vector<int>{9, 9, 2}));
}

TEST_F(ReportPagerTest, PageNumbersCarryTheirPrefix)
{
    BuildRows(1, 10);
    static_cast<fw::ReportSysData*>(footer->FindControl("PageNo"))->Text = "Spring band: Page ";

    const ReportPages pages = Run();

    EXPECT_EQ(pages.at(0).FindItem("PageNo")->Text(), "Spring band: Page 1");
}

TEST_F(ReportPagerTest, ImagesPrintWithTheirSizeStretchAndPicture)
{
    BuildRows(1, 100);
    fw::Bitmap picture(30, 20);
    picture.SetPixel(0, 0, 0x0000FF);
    auto* stretched = detail->AddImage("Stretched");
    stretched->SetPicture(picture);
    stretched->Stretch = true;
    stretched->SetBounds(0, 0, 60, 40);
    auto* empty = detail->AddImage("Empty");
    empty->SetBounds(0, 0, 60, 40);
    auto* flat = detail->AddImage("Flat");
    flat->SetPicture(picture);
    flat->SetBounds(0, 0, 0, 40);

    const ReportPages pages = Run();

    const fw::PlacedItem* item = pages.at(0).FindItem("Stretched");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Kind, fw::PlacedItemKind::Image);
    EXPECT_TRUE(item->Stretch);
    EXPECT_EQ(item->Bounds.Width(), 60);
    EXPECT_EQ(item->Bounds.Height(), 40);
    ASSERT_NE(item->Picture, nullptr);
    EXPECT_EQ(item->Picture->Pixel(0, 0), 0x0000FFu);
    // No picture, or no room: nothing to print.
    EXPECT_EQ(pages[0].CountItems("Empty"), 0);
    EXPECT_EQ(pages[0].CountItems("Flat"), 0);
}

TEST_F(ReportPagerTest, APictureChangedAfterLayoutLeavesTheLaidOutPageAlone)
{
    BuildRows(1, 100);
    auto* image = detail->AddImage("Image");
    image->SetBounds(0, 0, 10, 10);
    image->SetPicture(fw::Bitmap(10, 10));

    const ReportPages pages = Run();
    fw::Bitmap black(10, 10);
    black.FillRect(black.Bounds(), 0);
    image->SetPicture(black);

    EXPECT_EQ(pages.at(0).FindItem("Image")->Picture->Pixel(5, 5), fw::Bitmap::White);
}

TEST_F(ReportPagerTest, ShapesKeepTheirPenAndBrush)
{
    BuildRows(1, 30);
    auto* hole = detail->AddShape("Hole");
    hole->Shape = fw::ReportShapeType::Circle;
    hole->BrushColor = 0x00FF00;
    hole->PenStyle = fw::PenStyle::Dot;
    hole->PenWidth = 0;
    hole->SetBounds(0, 0, 16, 16);

    const ReportPages pages = Run();

    const fw::PlacedItem* item = pages.at(0).FindItem("Hole");
    EXPECT_EQ(item->Kind, fw::PlacedItemKind::Shape);
    EXPECT_EQ(item->Shape, fw::ReportShapeType::Circle);
    EXPECT_EQ(item->BrushColor, 0x00FF00u);
    EXPECT_EQ(item->PenStyle, fw::PenStyle::Dot);
    // A pen is at least one unit wide.
    EXPECT_EQ(item->PenWidth, 1);
}

TEST_F(ReportPagerTest, ARunAgainStartsAfresh)
{
    BuildRows(3, 30);
    report.SetOnStartReport([this](fw::Report&) { rowsAsked = 0; });

    const ReportPages first = Run();
    const ReportPages second = Run();

    EXPECT_EQ(first.at(0).CountBands("Detail"), 3);
    EXPECT_EQ(second.at(0).CountBands("Detail"), 3);
}

TEST_F(ReportPagerTest, AReportThatNeverStopsAskingForRowsIsStopped)
{
    BuildRows(0, 2000);
    report.SetOnNeedData([](fw::Report&, bool& more) { more = true; });

    EXPECT_THROW(Run(), fw::EReportError);
    EXPECT_EQ(report.PageNumber(), 0);
}

TEST_F(ReportPagerTest, RowsThatNeverPrintAnythingAreStopped)
{
    BuildRows(0, 20);
    report.SetOnNeedData([](fw::Report&, bool& more) { more = true; });
    detail->SetBeforePrint([](ReportBand&, bool& print) { print = false; });

    EXPECT_THROW(Run(), fw::EReportError);
}

TEST_F(ReportPagerTest, RowsThatTakeNoRoomAreStoppedToo)
{
    // A band of no height prints, yet never fills a page: without a stop it would run for
    // ever on page 1.
    BuildRows(0, 0);
    report.SetOnNeedData([](fw::Report&, bool& more) { more = true; });

    EXPECT_THROW(Run(), fw::EReportError);
}

TEST_F(ReportPagerTest, TheFooterTakesItsRoomFromEachPageAsTheReportLeavesIt)
{
    BuildRows(20, 100);
    // From page 2 on the footer is twice as tall: one row less fits there.
    footer->SetAfterPrint([this](ReportBand& band, bool) { band.Height = 120; });

    const ReportPages pages = Run();

    EXPECT_EQ(BandsPerPage(pages, "Detail"), (std::vector<int>{9, 8, 3}));
    EXPECT_EQ(pages.at(1).FindBand("Footer")->Top, PageBottom - 120);
}

TEST(ReportModelTest, ATitleAndAFooterAreSingle)
{
    fw::Report report;
    report.AddBand(ReportBandType::Title, "Title");
    report.AddBand(ReportBandType::PageFooter, "Footer");
    EXPECT_THROW(report.AddBand(ReportBandType::Title, "Again"), fw::EReportError);
    EXPECT_THROW(report.AddBand(ReportBandType::PageFooter, "Again"), fw::EReportError);
    EXPECT_THROW(report.AddBand(ReportBandType::Child, "Orphan"), fw::EReportError);
}

TEST(ReportModelTest, AChildHangsFromOneBandOfItsOwnReport)
{
    fw::Report report;
    fw::Report other;
    ReportBand* detail = report.AddBand(ReportBandType::Detail, "Detail");
    ReportBand* child = report.AddChildBand(detail, "Child");
    EXPECT_EQ(child->Type(), ReportBandType::Child);
    EXPECT_THROW(report.AddChildBand(detail, "Second"), fw::EReportError);
    EXPECT_THROW(other.AddChildBand(detail, "Foreign"), fw::EReportError);
    EXPECT_THROW(report.AddChildBand(nullptr, "None"), fw::EReportError);
    EXPECT_EQ(report.FindBand("Child"), child);
    EXPECT_EQ(report.FindBand("Missing"), nullptr);
}

TEST(ReportModelTest, PaperSizesBecomeReportUnits)
{
    const fw::ReportPageSetup a4 = fw::ReportPageSetup::FromMillimetres(210, 297);
    EXPECT_EQ(a4.PageWidth, 794);
    EXPECT_EQ(a4.PageHeight, 1123);
    EXPECT_EQ(a4.ContentWidth(), 645);
    EXPECT_EQ(fw::MillimetresToReportUnits(25.4), 96);
    EXPECT_EQ(fw::ReportPageSetup(), a4);
}

} // namespace
