// The printed picture: one page when fitted, slices down to its last row otherwise, and
// the details dialog that asks for its title.

#include <gtest/gtest.h>

#include <string>

#include "controls/check_box.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/test_driver.h"
#include "shell/report_picture.h"
#include "shell/report_picture_dialog.h"
#include "report_test_support.h"

namespace {

using report_forms_test::ReportFormTest;

// On A4 with the 24-unit footer a page holds 1123 - 120 - 24 = 979 rows of picture. The
// title band without a description is 34 high, and a correction of half its height in
// millimetres (4.5, rounded to 4) leaves 979 - 34 - 4 = 941 rows on the first page.
constexpr int FullPageRows = 979;
constexpr int FirstPageRows = 941;

// Every row y of the picture has its own colour: y in the red and green bytes.
fw::Bitmap RowCodedPicture(int width, int height)
{
    fw::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        picture.FillRect(fw::Rect{0, y, width, y + 1}, static_cast<fw::Color>(y & 0xFFFF));
    }
    return picture;
}

int RowOf(const fw::Bitmap& slice, int y)
{
    return static_cast<int>(slice.Pixel(0, y) & 0xFFFF);
}

// 80 lines of description: the title band alone is taller than the first page's body, which
// leaves the picture band no height there.
std::string PageFillingDescription()
{
    std::string description;
    for (int i = 0; i < 80; ++i) {
        description += "line " + std::to_string(i) + "\n";
    }
    return description;
}

class ReportPictureTest : public ReportFormTest {
protected:
    // The picture slices printed, page by page.
    std::vector<const fw::PlacedItem*> Slices() const { return AllItems("imgPattern"); }
};

TEST_F(ReportPictureTest, ATallPictureContinuesOnFurtherPagesUntilItsLastRow)
{
    const fw::Bitmap picture = RowCodedPicture(300, 2500);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Snake skin", false, true, "");

    ASSERT_EQ(pages.size(), 3u);
    const auto slices = Slices();
    ASSERT_EQ(slices.size(), 3u);
    const std::vector<int> heights{FirstPageRows, FullPageRows, 2500 - FirstPageRows - FullPageRows};
    int row = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        SCOPED_TRACE(i);
        const fw::Bitmap& slice = *slices[i]->Picture;
        EXPECT_EQ(slice.Height(), heights[i]);
        EXPECT_EQ(slice.Width(), 300);
        EXPECT_EQ(slices[i]->Bounds.Height(), heights[i]);
        EXPECT_FALSE(slices[i]->Stretch);
        // Each slice goes on where the one before ended.
        EXPECT_EQ(RowOf(slice, 0), row);
        EXPECT_EQ(RowOf(slice, slice.Height() - 1), row + heights[i] - 1);
        row += heights[i];
        EXPECT_EQ(pages[i].CountItems("imgPattern"), 1);
    }
    EXPECT_EQ(row, 2500);
    // The first slice fills the first page down to the footer, the others start at the top.
    EXPECT_EQ(pages[0].FindBand("qrbImage")->Top, 60 + 34);
    EXPECT_EQ(pages[1].FindBand("qrbImage")->Top, 60);
    EXPECT_EQ(pages[1].FindBand("qrbImage")->Height, FullPageRows);
    EXPECT_EQ(pages[0].CountBands("qrbTitle"), 1);
    EXPECT_EQ(pages[1].CountBands("qrbTitle"), 0);
}

TEST_F(ReportPictureTest, SizeToFitPutsThePictureOnOnePage)
{
    const fw::Bitmap picture = RowCodedPicture(2000, 3000);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Snake skin", true, true, "");

    ASSERT_EQ(pages.size(), 1u);
    const auto slices = Slices();
    ASSERT_EQ(slices.size(), 1u);
    EXPECT_TRUE(slices[0]->Stretch);
    // Shrunk into 645 x 941 keeping its proportions: the height decides.
    EXPECT_EQ(slices[0]->Bounds.Height(), FirstPageRows);
    EXPECT_EQ(slices[0]->Bounds.Width(), 627);
    // The whole picture is handed over to be scaled.
    EXPECT_EQ(slices[0]->Picture->Height(), 3000);
}

TEST_F(ReportPictureTest, APictureThatFitsKeepsItsSize)
{
    const fw::Bitmap picture = RowCodedPicture(100, 80);
    for (const bool fit : {true, false}) {
        SCOPED_TRACE(fit);
        TfrmTWPrintImage form;
        form.PrintImage(&picture, "Small", fit, true, "");
        ASSERT_EQ(pages.size(), 1u);
        const auto slices = Slices();
        ASSERT_EQ(slices.size(), 1u);
        EXPECT_EQ(slices[0]->Bounds.Width(), 100);
        EXPECT_EQ(slices[0]->Bounds.Height(), 80);
    }
}

TEST_F(ReportPictureTest, TheTitleAndDescriptionPrintAboveThePicture)
{
    const fw::Bitmap picture = RowCodedPicture(50, 50);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Snake skin", false, true, "Warp: wool\r\nWeft: linen");

    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Snake skin"}));
    EXPECT_EQ(AllTexts("lblDescription"), (std::vector<std::string>{"Warp: wool\nWeft: linen"}));
    EXPECT_EQ(AllItems("lblTitle").front()->Alignment, fw::Alignment::Center);
    // Two lines of description stretch the title band: 30 + 2 x 13 = 56 > 54.
    EXPECT_EQ(pages.at(0).FindBand("qrbTitle")->Height, 56);
    EXPECT_EQ(pages[0].FindBand("qrbImage")->Top, 60 + 56);
}

TEST_F(ReportPictureTest, ABlankDescriptionIsLeftOutAndTheTitleBandShrinks)
{
    const fw::Bitmap picture = RowCodedPicture(50, 50);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Snake skin", false, true, "   ");

    EXPECT_FALSE(form.lblDescription->Enabled);
    EXPECT_TRUE(AllItems("lblDescription").empty());
    EXPECT_EQ(pages.at(0).FindBand("qrbTitle")->Height, 34);
}

TEST_F(ReportPictureTest, ATitleFillingTheFirstPageStartsThePictureOnTheNextAndTheReportEnds)
{
    const std::string description = PageFillingDescription();
    const fw::Bitmap picture = RowCodedPicture(200, 1500);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Long story", false, true, description);

    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].CountItems("imgPattern"), 0);
    const auto slices = Slices();
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[0]->Picture->Height(), FullPageRows);
    EXPECT_EQ(RowOf(*slices[1]->Picture, 0), FullPageRows);
    EXPECT_EQ(slices[1]->Picture->Height(), 1500 - FullPageRows);
}

TEST_F(ReportPictureTest, ATitleFillingTheFirstPageFitsThePictureOnTheNext)
{
    const std::string description = PageFillingDescription();
    const fw::Bitmap picture = RowCodedPicture(200, 3000);
    TfrmTWPrintImage form;

    form.PrintImage(&picture, "Long story", true, true, description);

    ASSERT_EQ(pages.size(), 2u);
    const auto slices = Slices();
    ASSERT_EQ(slices.size(), 1u);
    EXPECT_EQ(slices[0]->Bounds.Height(), FullPageRows);
    EXPECT_EQ(pages[1].CountItems("imgPattern"), 1);
}

TEST_F(ReportPictureTest, EveryRunOfTheReportPrintsThePictureFromItsTop)
{
    const fw::Bitmap picture = RowCodedPicture(100, 1500);
    TfrmTWPrintImage form;
    form.PrintImage(&picture, "Again", false, true, "");
    const std::size_t firstRun = pages.size();

    // The preview lays the report out again whenever it repaints.
    const fw::ReportPages again = fw::PaginateReport(form.qrReport, backend);

    EXPECT_EQ(firstRun, 2u);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(RowOf(*again[0].FindItem("imgPattern")->Picture, 0), 0);
}

TEST_F(ReportPictureTest, WithoutAPictureOnlyTheTitlePrints)
{
    TfrmTWPrintImage form;
    form.PrintImage(nullptr, "Nothing", false, true, "");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Slices().empty());
    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Nothing"}));
}

TEST_F(ReportPictureTest, TheDetailsDialogAsksForTheTitleAndPrintsWhenAccepted)
{
    const fw::Bitmap picture = RowCodedPicture(2000, 3000);
    TfrmTWPrintImage form;
    std::vector<std::string> shown;
    fw::Form::SetModalRunner([&shown](fw::Form& dialog) {
        auto& details = dynamic_cast<TfrmTWPrintImageInfo&>(dialog);
        shown = {details.Caption(), details.edTitle->Text(), details.edDescription->Text(),
                 details.chkSizeToFit->Caption(), details.chkSizeToFit->Checked() ? "fit" : "own size"};
        details.edTitle->SetText("  Snake skin  ");
        details.edDescription->SetText(" A band for Anna ");
        details.chkSizeToFit->SetChecked(false);
        details.btnAccept->Click();
    });

    PrintWithDetails(form, &picture, true);

    EXPECT_EQ(shown,
              (std::vector<std::string>{"Image Details", "", "", "Size image to fit one page", "fit"}));
    ASSERT_EQ(previews, 1);
    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Snake skin"}));
    EXPECT_EQ(AllTexts("lblDescription"), (std::vector<std::string>{"A band for Anna"}));
    // Not fitted: the picture runs over several pages.
    EXPECT_GT(pages.size(), 1u);
    // The dialog belongs to the report form.
    EXPECT_EQ(form.DetailsDialog().Owner(), &form);
}

TEST_F(ReportPictureTest, TheDescriptionTakesSeveralTypedLinesAndEnterDoesNotAccept)
{
    const fw::Bitmap picture = RowCodedPicture(40, 40);
    TfrmTWPrintImage form;
    fw::ModalResult afterEnter = fw::mrNone;
    fw::Form::SetModalRunner([&afterEnter](fw::Form& dialog) {
        auto& details = dynamic_cast<TfrmTWPrintImageInfo&>(dialog);
        fw::TestDriver driver(details);
        driver.ClickOn(*details.edTitle);
        driver.Type("Snake skin");
        driver.ClickOn(*details.edDescription);
        driver.Type("Warp: wool");
        driver.PressKey(fw::VK_RETURN);
        afterEnter = details.GetModalResult();
        driver.Type("Weft: linen ");
        driver.PressKey(fw::VK_RETURN);
        details.btnAccept->Click();
    });

    PrintWithDetails(form, &picture, true);

    EXPECT_EQ(afterEnter, fw::mrNone) << "Enter in the description breaks the line";
    EXPECT_EQ(form.DetailsDialog().edDescription->Text(), "Warp: wool\r\nWeft: linen \r\n");
    EXPECT_EQ(form.DetailsDialog().Description(), "Warp: wool\r\nWeft: linen");
    ASSERT_EQ(previews, 1);
    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Snake skin"}));
    EXPECT_EQ(AllTexts("lblDescription"), (std::vector<std::string>{"Warp: wool\nWeft: linen"}));
}

// The details dialog as the real Qt text backend draws it, written out for a look.
TEST_F(ReportPictureTest, TheDetailsDialogRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    TfrmTWPrintImage form;
    fw::Bitmap picture;
    fw::Form::SetModalRunner([&picture](fw::Form& dialog) {
        auto& details = dynamic_cast<TfrmTWPrintImageInfo&>(dialog);
        details.edTitle->SetText("Snake skin");
        details.edDescription->SetText("A band in chevrons for Anna's christening gown, woven in fine "
                                       "linen with a border of silk.\nTwo colours only.");
        picture = fw::RenderToBitmap(details);
        details.btnCancel->Click();
    });

    PrintWithDetails(form, nullptr, true);

    const std::string file = (report_forms_test::OutputFolder() / "image_details_dialog.png").string();
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(file)));
    EXPECT_EQ(picture.Width(), form.DetailsDialog().Width());
    EXPECT_EQ(picture.Height(), form.DetailsDialog().Height());
}

TEST_F(ReportPictureTest, ACancelledDetailsDialogPrintsNothing)
{
    const fw::Bitmap picture = RowCodedPicture(20, 20);
    TfrmTWPrintImage form;
    fw::Form::SetModalRunner([](fw::Form& dialog) { dynamic_cast<TfrmTWPrintImageInfo&>(dialog).btnCancel->Click(); });

    PrintWithDetails(form, &picture, true);

    EXPECT_EQ(previews, 0);
}

} // namespace
