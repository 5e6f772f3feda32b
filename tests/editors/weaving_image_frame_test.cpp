// The weaving-image frame as its host and the main window see it: its options and what it
// reports, its commands, display profiles, sizes, the reverse side and the mouse.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/bmp_codec.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/window_helpers.h"
#include "model/display_profile.h"
#include "support/scratch_folder.h"
#include "weaving_image_test_support.h"

namespace {

using weaving_image_test::FrameTest;
using weaving_image_test::MakeWeaving;
using weaving_image_test::Report;

class WeavingImageFrameTest : public FrameTest {
protected:
    WeavingImageFrameTest()
    {
        frame = std::make_unique<TfrmWeavingImage>();
        weaving = MakeWeaving(5, 8, [](TTWWeavingCell& cell) { cell.Colour = 0x336699; });
        reverse = MakeWeaving(5, 8, [](TTWWeavingCell& cell) { cell.Colour = 0x996633; });
        frame->SetWeaving(weaving.get());
        reports.clear();
    }

    std::vector<int> ReportedIds() const
    {
        std::vector<int> ids;
        for (const Report& report : reports) {
            ids.push_back(report.Id);
        }
        return ids;
    }

    std::unique_ptr<TfrmWeavingImage> frame;
    std::unique_ptr<TTWWeaving> weaving;
    std::unique_ptr<TTWWeaving> reverse;
};

// --- Construction ---------------------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, StartsFromTheSettings)
{
    Settings().ImageSizeRatios.Image = TTWImageRatio{2.5, 1.0, 4.0};
    Settings().DefaultRotations.Image = TTWOrientation::Horizontal;
    Settings().WeavingImage.GridColour = 0x123456;
    Settings().WeavingImage.TagColour = 0x00AA00;
    Settings().General.BackColour = 0x445566;
    TfrmWeavingImage fresh;
    EXPECT_DOUBLE_EQ(fresh.GetWidthRatio(), 2.5);
    EXPECT_DOUBLE_EQ(fresh.GetHeightRatio(), 1.0);
    EXPECT_DOUBLE_EQ(fresh.GetSlantRatio(), 4.0);
    EXPECT_EQ(fresh.GetOrientation(), TTWOrientation::Horizontal);
    EXPECT_TRUE(fresh.imgOrientHorizontal->Visible());
    EXPECT_FALSE(fresh.imgOrientVertical->Visible());
    EXPECT_EQ(fresh.GetGridColour(), 0x123456u);
    EXPECT_EQ(fresh.LabelFont().Name, "Arial");
    EXPECT_EQ(fresh.LabelFont().Color, 0x00AA00u);
    EXPECT_EQ(fresh.imgWeaving->Color(), 0x445566u);
    EXPECT_EQ(fresh.imgReverse->Color(), 0x445566u);
    EXPECT_EQ(fresh.GetZoom(), 1);
    EXPECT_EQ(fresh.GetImageType(), TTWImageType::Real);
    EXPECT_TRUE(fresh.GetShowGrid());
    EXPECT_TRUE(fresh.GetShowColours());
    EXPECT_TRUE(fresh.GetShowTwining());
    EXPECT_FALSE(fresh.GetShowReverse());
    EXPECT_EQ(fresh.GetTagType(), TTWTagType::None);
    EXPECT_FALSE(fresh.pnlLeft->Visible());
    EXPECT_FALSE(fresh.btnShowReverse->Visible());
    // The profile menu holds at least the standard chart.
    EXPECT_GE(fresh.pmProfiles->Items()->Count(), 2);
    EXPECT_TRUE(fresh.btnSelectProfile->Enabled());
}

TEST_F(WeavingImageFrameTest, SizesFollowZoomAndRatiosRoundedHalfToEven)
{
    frame->SetCellRatios(2.5, 0.5, 5.0);
    EXPECT_EQ(frame->CellWidth(), 2);
    EXPECT_EQ(frame->CellHeight(), 0);
    EXPECT_EQ(frame->SlantDepth(), 5);
    frame->SetZoom(3);
    EXPECT_EQ(frame->CellWidth(), 8);
    EXPECT_EQ(frame->CellHeight(), 2);
    EXPECT_EQ(frame->SlantDepth(), 15);
    // The image takes the new size: 5 columns of 8, 8 picks of 17 and one slant more.
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{5 * 8 + 1, 8 * 17 + 15}));
}

TEST_F(WeavingImageFrameTest, RatiosOfZeroOrLessStillGiveDrawableCells)
{
    frame->SetCellRatios(0.0, -2.0, -1.0);
    EXPECT_EQ(frame->CellWidth(), 1);
    EXPECT_EQ(frame->CellHeight(), 0);
    EXPECT_EQ(frame->SlantDepth(), 1);
    // The mouse can be mapped, and the picture drawn.
    frame->HoverAt(false, 0, 5);
    EXPECT_EQ(frame->CellUnderMouse(), weaving->Cell(0, 4));
    EXPECT_FALSE(frame->RenderPicture(false).Empty());
}

TEST_F(WeavingImageFrameTest, TagOffsetsCentreTheLetterInTheCell)
{
    // The fixed-metric backend: "X" is 6 x 13. Zoom 3: W = 9, H = 0, D = 15; the tag font
    // height is (2D) div 3 + H = 10.
    frame->SetZoom(3);
    EXPECT_EQ(frame->LabelFont().Height, 10);
    EXPECT_TRUE(frame->LabelsReadable());
    // Real image: -(H + 2D) + (H + 2D - th) / 2 = -30 + 8.
    EXPECT_EQ(frame->TagOffset(), (fw::Point{1, -30 + 8}));
    frame->SetRealImage(false);
    // The block chart's cells are only H + D deep: the offset must follow the switch.
    EXPECT_EQ(frame->TagOffset(), (fw::Point{1, -15 + 1}));
    frame->SetRealImage(true);
    EXPECT_EQ(frame->TagOffset(), (fw::Point{1, -22}));
    frame->SetHorizontal(true);
    // Horizontal: the font is W high; x = -(H + 2D) + (H + 2D - tw) / 2, y = (W - th) / 2.
    EXPECT_EQ(frame->LabelFont().Height, 9);
    EXPECT_EQ(frame->TagOffset(), (fw::Point{-30 + 12, (9 - 13) / 2}));
    // Small cells: the letters would be unreadable.
    frame->SetZoom(1);
    EXPECT_FALSE(frame->LabelsReadable());
}

// --- Options and their reports ----------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, EachOptionReportsItsActionWhenItChanges)
{
    frame->SetShowGrid(false);
    frame->SetMarkDirChanges(true);
    frame->SetShowColours(false);
    frame->SetMarkTwists(true);
    frame->SetMarkLongFloats(true);
    frame->SetMarkIdle(true);
    frame->SetShowPickTags(true);
    frame->SetShowCardThreading(true);
    frame->SetGridHighlights(true);
    const std::vector<Report> expected = {{351, true, false}, {352, true, true}, {353, true, false},
                                          {354, true, true},  {358, true, true}, {360, true, true},
                                          {361, true, true},  {362, true, true}, {363, true, true}};
    EXPECT_EQ(reports, expected);
    EXPECT_FALSE(frame->btnGrid->Down());
    EXPECT_TRUE(frame->btnMarkDirChanges->Down());
    EXPECT_FALSE(frame->btnNoColours->Down());
    EXPECT_TRUE(frame->btnMarkTwists->Down());
    EXPECT_TRUE(frame->btnMarkLongFloats->Down());
    EXPECT_TRUE(frame->btnMarkIdle->Down());
}

TEST_F(WeavingImageFrameTest, AnUnchangedOptionNeitherRedrawsNorReports)
{
    frame->imgWeaving->Update();
    const int paints = frame->imgWeaving->PaintCount();
    frame->SetShowGrid(true);
    frame->SetShowColours(true);
    frame->SetMarkTwists(false);
    frame->SetShowTwining(true);
    frame->SetShowReverse(false);
    frame->SetTagType(TTWTagType::None);
    frame->SetImageType(TTWImageType::Real);
    frame->SetGridHighlights(false);
    frame->SetShowPickTags(false);
    frame->SetZoom(1);
    fw::PaintPendingControls();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(frame->imgWeaving->PaintCount(), paints);
    // A change does redraw.
    frame->SetShowGrid(false);
    fw::PaintPendingControls();
    EXPECT_GT(frame->imgWeaving->PaintCount(), paints);
}

TEST_F(WeavingImageFrameTest, ASilentFrameReportsNothing)
{
    frame->SetSilent(true);
    frame->SetShowGrid(false);
    frame->SetTagType(TTWTagType::Hole);
    frame->SetRealImage(false);
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(frame->GetShowGrid());
}

TEST_F(WeavingImageFrameTest, TwiningIsOfferedOnlyInTheBlockChart)
{
    frame->SetShowTwining(false);
    EXPECT_EQ(reports.back(), (Report{350, false, false}));
    EXPECT_FALSE(frame->btnShowThreading->Enabled());
    reports.clear();
    frame->SetRealImage(false);
    EXPECT_EQ(reports, (std::vector<Report>{{304, true, true}, {350, true, false}}));
    EXPECT_TRUE(frame->btnShowThreading->Enabled());
    EXPECT_TRUE(frame->btnToggleImageType->Down());
}

TEST_F(WeavingImageFrameTest, TagTypesPressTheirButtonsAndReportBoth)
{
    frame->SetTagType(TTWTagType::Hole);
    EXPECT_TRUE(frame->btnShowTags->Down());
    EXPECT_FALSE(frame->btnTagsShowDir->Down());
    EXPECT_EQ(reports, (std::vector<Report>{{355, true, true}, {357, true, false}}));
    reports.clear();
    frame->SetTagType(TTWTagType::Turn);
    EXPECT_FALSE(frame->btnShowTags->Down());
    EXPECT_TRUE(frame->btnTagsShowDir->Down());
    EXPECT_EQ(reports, (std::vector<Report>{{355, true, false}, {357, true, true}}));
    // With the letter display the twining stays.
    EXPECT_TRUE(frame->GetShowTwining());
}

TEST_F(WeavingImageFrameTest, DirectionLinesAndTwiningLinesExcludeEachOther)
{
    Settings().WeavingImage.ShowTurnDir = 1;
    frame->SetTagType(TTWTagType::Turn);
    EXPECT_FALSE(frame->GetShowTwining());
    frame->SetShowTwining(true);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::None);
    // Other displays leave both.
    Settings().WeavingImage.ShowTurnDir = 2;
    frame->SetTagType(TTWTagType::Turn);
    EXPECT_TRUE(frame->GetShowTwining());
    EXPECT_EQ(frame->GetTagType(), TTWTagType::Turn);
}

TEST_F(WeavingImageFrameTest, UpdateBracketsRedrawOnce)
{
    frame->imgWeaving->Update();
    const int paints = frame->imgWeaving->PaintCount();
    frame->BeginUpdate();
    frame->BeginUpdate();
    frame->SetZoom(4);
    frame->SetShowGrid(false);
    frame->SetRealImage(false);
    frame->EndUpdate();
    fw::PaintPendingControls();
    EXPECT_EQ(frame->imgWeaving->PaintCount(), paints);
    // The sizes waited too.
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{5 * 3 + 1, 8 * 5 + 5}));
    frame->EndUpdate();
    fw::PaintPendingControls();
    EXPECT_EQ(frame->imgWeaving->PaintCount(), paints + 1);
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{5 * 12 + 1, 8 * 20}));
}

TEST_F(WeavingImageFrameTest, NoWeavingOrAnEmptyOneShowsNoImage)
{
    frame->SetWeaving(nullptr);
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{0, 0}));
    EXPECT_TRUE(frame->RenderPicture(false).Empty());
    TTWWeaving empty;
    empty.SetWidth(4);
    frame->SetWeaving(&empty);
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{0, 0}));
    // Nothing to copy: the clipboard keeps what it had.
    fw::GetClipboard().SetAsText("kept");
    EXPECT_TRUE(frame->PerformAction(TWAction::CopyImage, false, nullptr));
    EXPECT_EQ(fw::GetClipboard().AsText(), "kept");
}

// --- The reverse side ----------------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, TheReverseIsOfferedOnlyWithAReverseWeaving)
{
    frame->SetReverseAvailable(reverse.get());
    EXPECT_TRUE(frame->btnShowReverse->Visible());
    frame->SetShowReverse(true);
    EXPECT_TRUE(frame->pnlImageReverse->Visible());
    EXPECT_TRUE(frame->spltImages->Visible());
    EXPECT_EQ(frame->scrReverse->ImageSize(), (fw::Size{5 * 3 + 1, 8 * 5 + 5}));
    EXPECT_EQ(reports.back(), (Report{356, true, true}));
    frame->SetReverseAvailable(nullptr);
    EXPECT_FALSE(frame->btnShowReverse->Visible());
    EXPECT_FALSE(frame->GetShowReverse());
    EXPECT_FALSE(frame->pnlImageReverse->Visible());
    EXPECT_EQ(reports.back(), (Report{356, true, false}));
}

TEST_F(WeavingImageFrameTest, TheReverseTakesHalfTheRoomBesideOrBelowTheFront)
{
    frame->SetBounds(0, 0, 600, 400);
    frame->SetReverseAvailable(reverse.get());
    frame->SetShowReverse(true);
    EXPECT_EQ(frame->pnlImage->Align(), fw::Align::Left);
    EXPECT_EQ(frame->pnlImage->Width(), frame->pnlImages->ClientWidth() / 2);
    EXPECT_GT(frame->pnlImageReverse->Width(), 200);
    // Turned, the front keeps its share: half of the height now, the splitter between.
    frame->SetHorizontal(true);
    EXPECT_EQ(frame->pnlImage->Align(), fw::Align::Top);
    EXPECT_EQ(frame->spltImages->Align(), fw::Align::Top);
    EXPECT_NEAR(frame->pnlImage->Height(), frame->pnlImages->ClientHeight() / 2, 1);
    EXPECT_EQ(frame->spltImages->Top(), frame->pnlImage->Height());
    EXPECT_GT(frame->pnlImageReverse->Height(), 150);
    frame->SetShowReverse(false);
    EXPECT_EQ(frame->pnlImage->Align(), fw::Align::Client);
    EXPECT_EQ(frame->pnlImage->Width(), frame->pnlImages->ClientWidth());
}

TEST_F(WeavingImageFrameTest, ThePictureOfTheReverseIsItsOwnBand)
{
    frame->SetReverseAvailable(reverse.get());
    const auto count = [](const fw::Bitmap& picture, fw::Color colour) {
        int found = 0;
        for (const std::uint32_t pixel : picture.Pixels()) {
            found += pixel == colour ? 1 : 0;
        }
        return found;
    };
    // Drawn even while the reverse panel is hidden: saving and printing may ask for it.
    const fw::Bitmap back = frame->RenderPicture(true);
    ASSERT_FALSE(back.Empty());
    EXPECT_GT(count(back, 0x996633), 40);
    EXPECT_EQ(count(back, 0x336699), 0);
    const fw::Bitmap front = frame->RenderPicture(false);
    EXPECT_GT(count(front, 0x336699), 40);
    EXPECT_EQ(count(front, 0x996633), 0);
}

// --- The mouse -----------------------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, HoverShowsColumnAndPickAndTheReverseCountsFromTheOtherSide)
{
    frame->SetReverseAvailable(reverse.get());
    frame->SetShowReverse(true);
    frame->SetRealImage(false);
    // Block chart, W = 3, Q = 5: column 2, pick 8 is the top row's second cell.
    frame->HoverAt(false, 4, 1);
    EXPECT_EQ(frame->pnlPos->Caption(), "2 / 8");
    EXPECT_EQ(frame->CellUnderMouse(), weaving->Cell(1, 7));
    frame->HoverAt(true, 4, 1);
    EXPECT_EQ(frame->pnlPosReverse->Caption(), "4 / 8");
    EXPECT_EQ(frame->ReverseCellUnderMouse(), reverse->Cell(1, 7));
    // Off the band: no cell, an empty panel.
    frame->HoverAt(false, 200, 1);
    EXPECT_EQ(frame->pnlPos->Caption(), "");
    EXPECT_EQ(frame->CellUnderMouse(), nullptr);
}

TEST_F(WeavingImageFrameTest, TheMouseOverTheViewFindsTheCellAtTheScrollPosition)
{
    frame->SetBounds(0, 0, 200, 100);
    frame->SetZoom(3);
    frame->SetRealImage(false);
    int hostX = -1;
    int hostY = -1;
    const TTWWeavingCell* seenByHost = nullptr;
    frame->SetOnImageMouseMove([&](fw::Object*, fw::ShiftState, int x, int y) {
        hostX = x;
        hostY = y;
        seenByHost = frame->CellUnderMouse();
    });
    fw::TestDriver driver(*frame);
    frame->scrImage->ScrollTo(fw::Point{0, 30});
    ASSERT_EQ(frame->scrImage->ScrollOffset().Y, 30);
    // W = 9, Q = 15: image point (10, 35) is column 2, pick 8 - 2 = 6.
    const fw::Point at = driver.PointOf(*frame->imgWeaving, fw::Point{10, 5});
    driver.MoveTo(at);
    EXPECT_EQ(hostX, 10);
    EXPECT_EQ(hostY, 35);
    EXPECT_EQ(seenByHost, weaving->Cell(1, 5));
    EXPECT_EQ(frame->pnlPos->Caption(), "2 / 6");
}

// --- Commands ------------------------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, EveryCommandIsHandledAndUnknownOnesChangeNothing)
{
    EXPECT_TRUE(frame->PerformAction(359, true, nullptr));
    EXPECT_TRUE(frame->PerformAction(1, true, nullptr));
    EXPECT_TRUE(frame->PerformAction(99999, false, nullptr));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(frame->GetZoom(), 1);
}

TEST_F(WeavingImageFrameTest, ZoomStaysBetweenOneAndTen)
{
    for (int i = 0; i < 12; ++i) {
        frame->PerformAction(TWAction::ZoomIn, false, nullptr);
    }
    EXPECT_EQ(frame->GetZoom(), 10);
    for (int i = 0; i < 12; ++i) {
        frame->PerformAction(TWAction::ZoomOut, false, nullptr);
    }
    EXPECT_EQ(frame->GetZoom(), 1);
    frame->SetZoom(0);
    frame->SetZoom(-3);
    EXPECT_EQ(frame->GetZoom(), 1);
    // The frame's own buttons do the same.
    frame->btnEnlarge->Click();
    EXPECT_EQ(frame->GetZoom(), 2);
    frame->btnReduce->Click();
    EXPECT_EQ(frame->GetZoom(), 1);
}

TEST_F(WeavingImageFrameTest, ToggleCommandsSetTheirOptionToDown)
{
    const std::pair<int, bool (TfrmWeavingImage::*)() const> options[] = {
        {351, &TfrmWeavingImage::GetShowGrid},      {352, &TfrmWeavingImage::GetMarkDirChanges},
        {353, &TfrmWeavingImage::GetShowColours},   {354, &TfrmWeavingImage::GetMarkTwists},
        {356, &TfrmWeavingImage::GetShowReverse},   {358, &TfrmWeavingImage::GetMarkLongFloats},
        {360, &TfrmWeavingImage::GetMarkIdle},      {361, &TfrmWeavingImage::GetShowPickTags},
        {362, &TfrmWeavingImage::GetShowCardThreading}, {363, &TfrmWeavingImage::GetGridHighlights},
        {350, &TfrmWeavingImage::GetShowTwining}};
    for (const auto& [id, get] : options) {
        frame->PerformAction(id, true, nullptr);
        EXPECT_TRUE((frame.get()->*get)()) << id;
        frame->PerformAction(id, false, nullptr);
        EXPECT_FALSE((frame.get()->*get)()) << id;
    }
    frame->PerformAction(TWAction::Rotate, false, nullptr);
    EXPECT_TRUE(frame->Horizontal());
    frame->PerformAction(TWAction::BlockPattern, false, nullptr);
    EXPECT_FALSE(frame->RealImage());
}

TEST_F(WeavingImageFrameTest, TagCommandsToggleTheirTagType)
{
    frame->PerformAction(355, true, nullptr);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::Hole);
    frame->PerformAction(357, true, nullptr);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::Turn);
    frame->PerformAction(357, false, nullptr);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::None);
    frame->PerformAction(355, true, nullptr);
    frame->PerformAction(355, false, nullptr);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::None);
}

TEST_F(WeavingImageFrameTest, ToolActionsTellTheState)
{
    frame->SetRealImage(false);
    frame->SetTagType(TTWTagType::Hole);
    frame->SetMarkIdle(true);
    TTWToolActionList list;
    frame->GetToolActions(list);
    for (const int id : {300, 301, 208, 302, 303, 400, 401, 402, 500, 501}) {
        const TTWToolAction* action = list.Find(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(action->Enabled) << id;
        EXPECT_FALSE(action->Down) << id;
    }
    const auto state = [&](int id) {
        const TTWToolAction* action = list.Find(id);
        return action != nullptr ? std::pair{action->Enabled, action->Down} : std::pair{false, false};
    };
    EXPECT_EQ(state(304), std::pair(true, true));
    EXPECT_EQ(state(350), std::pair(true, true));
    EXPECT_EQ(state(351), std::pair(true, true));
    EXPECT_EQ(state(360), std::pair(true, true));
    EXPECT_EQ(state(358), std::pair(true, false));
    EXPECT_EQ(state(355), std::pair(true, true));
    EXPECT_EQ(state(357), std::pair(true, false));
    EXPECT_EQ(list.Find(359), nullptr);
    // In the real image the twining command is greyed.
    frame->SetRealImage(true);
    TTWToolActionList real;
    frame->GetToolActions(real);
    EXPECT_FALSE(real.Find(350)->Enabled);
    EXPECT_FALSE(real.Find(304)->Down);
}

TEST_F(WeavingImageFrameTest, CopyPutsTheFrontPictureOnTheClipboard)
{
    fw::GetClipboard().Clear();
    frame->PerformAction(TWAction::CopyImage, false, nullptr);
    ASSERT_TRUE(fw::GetClipboard().HasBitmap());
    EXPECT_TRUE(fw::GetClipboard().GetBitmap().SamePixels(frame->RenderPicture(false)));
}

TEST_F(WeavingImageFrameTest, SaveAndPrintHandTheFrontPictureToTheirServices)
{
    fw::Bitmap saved;
    fw::Bitmap printed;
    const fw::Control* printedOver = nullptr;
    WeavingImageServices().SaveImage = [&](const fw::Bitmap& picture) {
        saved = picture;
        return true;
    };
    WeavingImageServices().PrintImage = [&](const fw::Bitmap& picture, const fw::Control& over) {
        printed = picture;
        printedOver = &over;
    };
    frame->SetShowPickTags(true);
    frame->SetZoom(2);
    frame->PerformAction(TWAction::SaveImage, false, nullptr);
    frame->PerformAction(TWAction::PrintImage, false, nullptr);
    const fw::Bitmap expected = frame->RenderPicture(false);
    EXPECT_TRUE(saved.SamePixels(expected));
    EXPECT_TRUE(printed.SamePixels(expected));
    EXPECT_EQ(printedOver, frame.get());
}

TEST_F(WeavingImageFrameTest, GridColourComesFromTheColourDialog)
{
    fw::Color offered = 0;
    WeavingImageServices().PickColour = [&](fw::Color& colour) {
        offered = colour;
        colour = 0x00FF80;
        return true;
    };
    frame->PerformAction(TWAction::GridColour, false, nullptr);
    EXPECT_EQ(offered, 0x808080u);
    EXPECT_EQ(frame->GetGridColour(), 0x00FF80u);
    EXPECT_EQ(frame->pnlGridColour->Color(), 0x00FF80u);
    // Cancelled: nothing changes.
    WeavingImageServices().PickColour = [](fw::Color& colour) {
        colour = 0x0000FF;
        return false;
    };
    frame->PerformAction(TWAction::GridColour, false, nullptr);
    EXPECT_EQ(frame->GetGridColour(), 0x00FF80u);
}

TEST_F(WeavingImageFrameTest, TheStandInColourDialogIsThePlatformOne)
{
    const fw::ScopedHandler<fw::ColorDialog::Handler> script(&fw::ColorDialog::SetHandler,
                                                             [](fw::ColorDialog& dialog) {
                                                                 EXPECT_EQ(dialog.Color(), 0x808080u);
                                                                 dialog.SetColor(0x112233);
                                                                 return true;
                                                             });
    frame->PerformAction(TWAction::GridColour, false, nullptr);
    EXPECT_EQ(frame->GetGridColour(), 0x112233u);
}

TEST_F(WeavingImageFrameTest, SizeRatiosAcceptedRecomputeTheSizes)
{
    WeavingImageServices().EditSizeRatios = [](double& width, double& centre, double& end) {
        EXPECT_DOUBLE_EQ(width, 3.0);
        EXPECT_DOUBLE_EQ(centre, 0.0);
        EXPECT_DOUBLE_EQ(end, 5.0);
        width = 4;
        centre = 2;
        end = 3;
        return true;
    };
    frame->PerformAction(TWAction::DisplayRatios, false, nullptr);
    EXPECT_EQ(frame->CellWidth(), 4);
    EXPECT_EQ(frame->CellHeight(), 2);
    EXPECT_EQ(frame->SlantDepth(), 3);
    EXPECT_EQ(frame->scrImage->ImageSize(), (fw::Size{21, 8 * 5 + 3}));
    WeavingImageServices().EditSizeRatios = [](double& width, double&, double&) {
        width = 9;
        return false;
    };
    frame->PerformAction(TWAction::DisplayRatios, false, nullptr);
    EXPECT_DOUBLE_EQ(frame->GetWidthRatio(), 4.0);
}

TEST_F(WeavingImageFrameTest, WithoutTheDataModuleTheImageIsSavedAsABitmapFile)
{
    const std::filesystem::path folder = UniqueScratchFolder("weaving_image");
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "band.bmp").string();
    const fw::ScopedHandler<fw::FileDialog::Handler> script(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
        EXPECT_EQ(dialog.Kind(), fw::FileDialogKind::SavePicture);
        EXPECT_EQ(dialog.Title(), "Save Image");
        dialog.SetFileName(file);
        return true;
    });
    frame->PerformAction(TWAction::SaveImage, false, nullptr);
    EXPECT_TRUE(fw::LoadBmpFromFile(file).SamePixels(frame->RenderPicture(false)));
    std::filesystem::remove_all(folder);
}

TEST_F(WeavingImageFrameTest, WithoutTheRatioDialogTheUserIsToldAndNothingChanges)
{
    std::vector<std::string> texts;
    const fw::ScopedHandler<fw::MessageBoxHandler> boxes(&fw::SetMessageBoxHandler,
                                                         [&](const fw::MessageBoxRequest& request) {
                                                             texts.push_back(request.Text);
                                                             return fw::mrOk;
                                                         });
    frame->PerformAction(TWAction::DisplayRatios, false, nullptr);
    EXPECT_EQ(texts, std::vector<std::string>{"The size ratio dialog is not available yet."});
    EXPECT_DOUBLE_EQ(frame->GetWidthRatio(), 3.0);
}

// --- Display profiles ------------------------------------------------------------------------------

TEST_F(WeavingImageFrameTest, TheStandardWeavingChart)
{
    frame->SetMarkLongFloats(true);
    frame->SetMarkIdle(true);
    frame->SetMarkDirChanges(true);
    frame->SetGridHighlights(true);
    frame->SetShowGrid(false);
    frame->imgWeaving->Update();
    const int paints = frame->imgWeaving->PaintCount();
    frame->PerformAction(TWAction::ApplyProfile, false, nullptr);
    EXPECT_DOUBLE_EQ(frame->GetWidthRatio(), 2.0);
    EXPECT_DOUBLE_EQ(frame->GetHeightRatio(), 0.0);
    EXPECT_DOUBLE_EQ(frame->GetSlantRatio(), 2.0);
    EXPECT_EQ(frame->GetZoom(), 6);
    EXPECT_EQ(frame->CellWidth(), 12);
    EXPECT_EQ(frame->SlantDepth(), 12);
    EXPECT_FALSE(frame->GetShowColours());
    EXPECT_TRUE(frame->GetShowGrid());
    EXPECT_FALSE(frame->GetGridHighlights());
    EXPECT_EQ(frame->GetGridColour(), 0u);
    EXPECT_EQ(frame->GetTagType(), TTWTagType::Turn);
    EXPECT_FALSE(frame->GetMarkDirChanges());
    EXPECT_TRUE(frame->GetMarkTwists());
    EXPECT_FALSE(frame->GetMarkLongFloats());
    EXPECT_FALSE(frame->GetMarkIdle());
    EXPECT_FALSE(frame->GetShowTwining());
    EXPECT_TRUE(frame->GetShowPickTags());
    EXPECT_TRUE(frame->GetShowCardThreading());
    EXPECT_EQ(frame->GetImageType(), TTWImageType::Block);
    fw::PaintPendingControls();
    EXPECT_EQ(frame->imgWeaving->PaintCount(), paints + 1);
}

TEST_F(WeavingImageFrameTest, ACapturedProfileAppliesBack)
{
    frame->SetZoom(3);
    frame->SetHorizontal(true);
    frame->SetMarkTwists(true);
    frame->SetTagType(TTWTagType::Hole);
    const fw::ScopedHandler<fw::InputQueryHandler> script(
        &fw::SetInputQueryHandler, [](const fw::InputQueryRequest& request, std::string& value) {
            EXPECT_EQ(request.Caption, "Capture Profile");
            EXPECT_EQ(request.Prompt, "Enter Name");
            value = "Wide";
            return true;
        });
    const int before = Settings().EditorProfiles().Count();
    frame->PerformAction(TWAction::CaptureProfile, false, nullptr);
    ASSERT_EQ(Settings().EditorProfiles().Count(), before + 1);
    auto* profile = dynamic_cast<TTWDesignProfileWeavingImage*>(Settings().EditorProfiles().GetProfile(before));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->Name, "Wide");
    EXPECT_EQ(profile->Zoom, 3);
    EXPECT_EQ(profile->Orientation, TTWOrientation::Horizontal);
    EXPECT_TRUE(profile->MarkTwists);
    // The menu offers it first, before the line and the standard chart.
    ASSERT_EQ(frame->pmProfiles->Items()->Count(), 3);
    EXPECT_EQ(frame->pmProfiles->Items()->Items(0)->Caption(), "Wide");
    EXPECT_EQ(frame->pmProfiles->Items()->Items(2)->Caption(), "Standard Weaving Chart");
    // Change everything back by hand, then choose the profile's item.
    frame->SetZoom(1);
    frame->SetHorizontal(false);
    frame->SetMarkTwists(false);
    frame->SetTagType(TTWTagType::None);
    frame->pmProfiles->Items()->Items(0)->Click();
    EXPECT_EQ(frame->GetZoom(), 3);
    EXPECT_TRUE(frame->Horizontal());
    EXPECT_TRUE(frame->GetMarkTwists());
    EXPECT_EQ(frame->GetTagType(), TTWTagType::Hole);
    // And through the command with the profile as data.
    frame->SetZoom(5);
    frame->PerformAction(TWAction::ApplyProfile, false, profile);
    EXPECT_EQ(frame->GetZoom(), 3);
}

TEST_F(WeavingImageFrameTest, ACancelledCaptureAddsNoProfile)
{
    const fw::ScopedHandler<fw::InputQueryHandler> script(&fw::SetInputQueryHandler,
                                                          [](const fw::InputQueryRequest&, std::string&) {
                                                              return false;
                                                          });
    const int before = Settings().EditorProfiles().Count();
    frame->PerformAction(TWAction::CaptureProfile, false, nullptr);
    EXPECT_EQ(Settings().EditorProfiles().Count(), before);
}

TEST_F(WeavingImageFrameTest, TheProfileMenuDropsDownBelowTheButton)
{
    fw::PopupMenu* shown = nullptr;
    const fw::PopupMenu::ScopedHandler script([&](fw::PopupMenu& menu, fw::Point) { shown = &menu; });
    frame->PerformAction(TWAction::SelectProfile, false, nullptr);
    EXPECT_EQ(shown, frame->pmProfiles);
}

} // namespace
