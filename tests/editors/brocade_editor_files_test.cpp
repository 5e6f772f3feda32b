// The brocade editor in the real program, offscreen: the sample (a brocade over a
// double-face ground) given on the command line opens in the editor; saved, it is the
// file byte for byte, wefts and their colours included; a cell clicked is saved as the
// model writes that design; the band shown is the model's threaded-in conversion woven,
// with the wefts over it on the front alone; and the pattern prints with the ground's turns.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "brocade_editor_test_support.h"
#include "controls/check_box.h"
#include "editors/brocade_image_frame.h"
#include "editors/brocade_print_dialog.h"
#include "editors/picture_image.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/gui/control.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/report/report_output.h"
#include "framework/report/report_paper.h"
#include "framework/report/report_test_tools.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/browser_thumbnails.h"
#include "shell/report_brocade.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_grid.h"

namespace {

using brocade_editor_test::BrocadeEditorTest;
using brocade_editor_test::GridRows;

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<TTWBrocadePattern> ReadBrocade(const std::filesystem::path& file)
{
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    auto* brocade = dynamic_cast<TTWBrocadePattern*>(read.get());
    if (brocade == nullptr) {
        ADD_FAILURE() << file << " holds no brocade";
        return nullptr;
    }
    read.release();
    return std::unique_ptr<TTWBrocadePattern>(brocade);
}

void SavePng(const fw::Bitmap& picture, const std::string& name)
{
    const std::string path = std::string(TAVELIN_EDITORS_TEST_OUTPUT) + "/" + name;
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path))) << path;
}

// A click on a tool button as the mouse gives it.
void Press(fw::SpeedButton& button)
{
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
}

class BrocadeStartTest : public BrocadeEditorTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", Sample().string()};
        paintBackend = &qtBackend_;
        BrocadeEditorTest::SetUp();
        previousPreview_ = fw::SetReportPreviewHandler([this](fw::Report& report) {
            ++previews;
            if (pdfFile.empty()) {
                return;
            }
            pages = fw::ExportReportToPdf(report, pdfFile.string());
        });
        previousPrinters_ = fw::SetPrinterListProvider([] { return fw::PrinterList{}; });
        fw::ProcessPostedMessages();
        fw::SyncQtPeers();
    }
    void TearDown() override
    {
        fw::SetPrinterListProvider(std::move(previousPrinters_));
        fw::SetReportPreviewHandler(std::move(previousPreview_));
        fw::SyncQtPeers();
        BrocadeEditorTest::TearDown();
    }

    static std::filesystem::path Sample() { return sample_patterns::SamplePath(sample_patterns::BrocadeFile); }

    // A command as the main window's tool bar gives it.
    void Command(int actionId) { Press(*Main().ToolButton(actionId)); }

    void SaveAs(const std::filesystem::path& file)
    {
        ChooseFile(file);
        Command(TWAction::Save);
    }

    std::filesystem::path pdfFile;
    fw::ReportPages pages;
    int previews = 0;

private:
    fw::QtPaintBackend qtBackend_;
    fw::ReportPreviewHandler previousPreview_;
    fw::PrinterListProvider previousPrinters_;
};

TEST_F(BrocadeStartTest, TheSampleSavesBackByteForByteAndAClickedCellIsSavedAsTheModelWritesIt)
{
    TfrmBrocade* editor = ActiveBrocade();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Main().MDIChildCount(), 1);
    EXPECT_EQ(editor->Caption(), "Brocade Pattern: Brocade Diamond");
    EXPECT_EQ(editor->GetFileName(), Sample().string());
    const std::unique_ptr<TTWBrocadePattern> design = ReadBrocade(Sample());
    ASSERT_NE(design, nullptr);
    ASSERT_EQ(editor->framePattern->GridWidth(), design->Width());
    ASSERT_EQ(editor->framePattern->GridHeight(), design->BrocadePicks().Count());
    for (int y = 0; y < design->BrocadePicks().Count(); ++y) {
        std::string row;
        for (int x = 0; x < design->Width(); ++x) {
            const TTWBrocadePick& pick = *design->BrocadePicks().Items(y);
            row += pick.IsTieDown(x) ? '.' : static_cast<char>('A' + pick.GetWeft(x) - 1);
        }
        EXPECT_EQ(GridRows(*editor)[static_cast<std::size_t>(y)], row) << y;
    }
    // The file's wefts are the panels' colours.
    EXPECT_EQ(editor->pnlWeftA->Color(), sample_patterns::BrocadeGold);
    EXPECT_EQ(editor->pnlWeftB->Color(), sample_patterns::BrocadeRed);
    TTWToolActionList tools;
    editor->GetToolActions(tools);
    EXPECT_TRUE(tools.Find(TWAction::ClearGroundWeave)->Enabled);

    // Saved as it is: the file again, byte for byte.
    const std::filesystem::path same = Folder() / "same.tvl";
    SaveAs(same);
    EXPECT_EQ(dialogTitles.back(), "Save Pattern");
    EXPECT_EQ(ReadBytes(same), ReadBytes(Sample()));
    EXPECT_EQ(editor->GetFileName(), same.string());

    // A tie-down clicked in weft B, through the grid's own view.
    editor->pnlWeftB->Click();
    const fw::Point at = brocade_editor_test::CellCentre(*editor, 0, 10);
    ASSERT_FALSE(editor->framePattern->IsCellSet(0, 10));
    TWeavingImageView& view = *editor->framePattern->imgMain;
    view.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, at.X, at.Y);
    view.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, at.X, at.Y);
    ASSERT_TRUE(editor->framePattern->IsCellSet(0, 10));
    const std::filesystem::path changed = Folder() / "changed.tvl";
    SaveAs(changed);
    design->BrocadePicks().Items(10)->SetTieDown(0, false);
    design->BrocadePicks().Items(10)->SetWeft(0, 2);
    const std::filesystem::path expected = Folder() / "expected.tvl";
    design->SaveToFile(expected.string());
    EXPECT_EQ(ReadBytes(changed), ReadBytes(expected));

    // Opened again in a window of its own and saved again: the same bytes.
    TfrmBrocade& again = OpenBrocade(changed);
    ASSERT_NE(&again, editor);
    const std::filesystem::path resaved = Folder() / "resaved.tvl";
    SaveAs(resaved);
    EXPECT_EQ(ReadBytes(resaved), ReadBytes(changed));
}

TEST_F(BrocadeStartTest, TheBandShownIsTheConversionWovenWithTheWeftsOverItsFront)
{
    TfrmBrocade* editor = ActiveBrocade();
    ASSERT_NE(editor, nullptr);
    editor->ShowImagePage();
    Command(TWAction::ZoomIn);
    Command(TWAction::ZoomIn);
    ASSERT_EQ(editor->frameWeaving->GetZoom(), 3);

    // The model's own road: the brocade read from the file, converted into threaded-in form
    // (the ground's picks on the brocade's cards) and woven.
    const std::unique_ptr<TTWBrocadePattern> brocade = ReadBrocade(Sample());
    ASSERT_NE(brocade, nullptr);
    brocade->BuildThreadedPicks();
    TTWPattern converted;
    brocade->ConvertToThreaded(converted);
    converted.Palette().Assign(&brocade->Palette());
    TTWWeaving woven;
    converted.BuildWeaving(woven, nullptr, false, 0);
    const TTWWeaving& shown = editor->FrontWeaving();
    ASSERT_EQ(editor->frameWeaving->Weaving(), &shown);
    ASSERT_EQ(shown.Width(), woven.Width());
    ASSERT_EQ(shown.PickCount(), woven.PickCount());
    ASSERT_EQ(woven.PickCount(), sample_patterns::BrocadePicks);
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            const TTWWeavingCell& want = *woven.Cell(column, pick);
            const TTWWeavingCell& got = *shown.Cell(column, pick);
            ASSERT_EQ(got.Colour, want.Colour) << column << "," << pick;
            ASSERT_EQ(got.Slant, want.Slant) << column << "," << pick;
            ASSERT_EQ(got.Hole, want.Hole) << column << "," << pick;
            ASSERT_EQ(got.TurnDir, want.TurnDir) << column << "," << pick;
        }
    }

    // The picture: every run's bar in its weft's colour, every tie-down showing the ground.
    const fw::Bitmap picture = editor->frameWeaving->RenderPicture(false);
    SavePng(picture, "brocade_real_image.png");
    const TWeavingImageGeometry geometry = editor->frameWeaving->Geometry(false);
    int bars = 0;
    int tieDowns = 0;
    for (int index = 0; index < brocade->BrocadePicks().Count(); ++index) {
        const TTWBrocadePick& pick = *brocade->BrocadePicks().Items(index);
        for (int card = pick.FindNextWeftStart(-1); card < pick.Width(); card = pick.FindNextWeftStart(card)) {
            const int end = pick.GetWeftRunEnd(card);
            const fw::Rect bar = BrocadeWeftBar(geometry, index + 1, card + 1, end + 1);
            EXPECT_EQ(picture.Pixel((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2), pick.GetWeftColour(card))
                << "pick " << index + 1 << " card " << card + 1;
            ++bars;
            card = end;
        }
        for (int card = 0; card < pick.Width(); ++card) {
            const bool between = card > 0 && card + 1 < pick.Width() && !pick.IsTieDown(card - 1)
                                 && !pick.IsTieDown(card + 1);
            if (!pick.IsTieDown(card) || !between) {
                continue;
            }
            // A tie-down between two floats: the middle of its cell, away from the bars.
            const TTWWeavingCell& cell = *shown.Cell(card, index);
            const TWeavingCellPolygon polygon = geometry.CellPolygon(shown, cell);
            const fw::Point centre{(polygon[0].X + polygon[1].X + polygon[2].X + polygon[3].X) / 4,
                                   (polygon[0].Y + polygon[1].Y + polygon[2].Y + polygon[3].Y) / 4};
            EXPECT_EQ(picture.Pixel(centre.X, centre.Y), cell.Colour) << "pick " << index + 1 << " card " << card;
            ++tieDowns;
        }
    }
    EXPECT_GT(bars, 30);
    EXPECT_GT(tieDowns, 10);

    // What the view shows on the screen is the same picture.
    fw::PaintPendingControls();
    fw::SyncQtPeers();
    const fw::Bitmap onScreen = fw::RenderToBitmap(*editor->frameWeaving->imgWeaving);
    const TTWBrocadePick& middle = *brocade->BrocadePicks().Items(16);
    const int start = middle.FindNextWeftStart(-1);
    const fw::Rect bar = BrocadeWeftBar(geometry, 17, start + 1, middle.GetWeftRunEnd(start) + 1);
    const fw::Point scroll = editor->frameWeaving->scrImage->ScrollOffset();
    const fw::Point inView{(bar.Left + bar.Right) / 2 - scroll.X, (bar.Top + bar.Bottom) / 2 - scroll.Y};
    ASSERT_LT(inView.Y, onScreen.Height());
    EXPECT_EQ(onScreen.Pixel(inView.X, inView.Y), sample_patterns::BrocadeGold);

    // The reverse side: the ground alone.
    Command(TWAction::ShowReverse);
    ASSERT_TRUE(editor->frameWeaving->GetShowReverse());
    const fw::Bitmap reverse = editor->frameWeaving->RenderPicture(true);
    ASSERT_FALSE(reverse.Empty());
    int gold = 0;
    for (int y = 0; y < reverse.Height(); ++y) {
        for (int x = 0; x < reverse.Width(); ++x) {
            gold += reverse.Pixel(x, y) == sample_patterns::BrocadeGold ? 1 : 0;
        }
    }
    EXPECT_EQ(gold, 0);
}

TEST_F(BrocadeStartTest, ThePatternPrintsEveryPickWithItsWeftsAndTheGroundsTurns)
{
    TfrmBrocade* editor = ActiveBrocade();
    ASSERT_NE(editor, nullptr);
    UserSettings().Printer.PaperSize = 9;
    pdfFile = std::filesystem::path(TAVELIN_EDITORS_TEST_OUTPUT) / "brocade_print.pdf";
    std::filesystem::remove(pdfFile);
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmGenerateBrocade&>(form);
        EXPECT_EQ(dialog.Caption(), "Brocade Pattern");
        // With a ground weave it is included, and then both numbers start at 1.
        EXPECT_TRUE(dialog.chkIncludeGround->Checked());
        EXPECT_FALSE(dialog.edFirstPick->Enabled());
        EXPECT_EQ(dialog.edFirstCard->Text(), "1");
        EXPECT_TRUE(dialog.chkGroundShowTwist->Enabled());
        // The grid's picture, fitted into its panel.
        EXPECT_TRUE(dialog.imgPattern->Visible());
        EXPECT_EQ(dialog.pnlImage->Caption(), "");
        EXPECT_LE(dialog.imgPattern->Width(), TfrmGenerateBrocade::PictureWidth);
        EXPECT_EQ(dialog.imgPattern->Height(), TfrmGenerateBrocade::PictureHeight);
        dialog.btnPrintClick();
        ASSERT_NE(dialog.GroundDisplay(), nullptr);
        // A double-face ground lists the first of each row's two picks.
        EXPECT_TRUE(dialog.GroundDisplay()->EveryOtherPick());
        EXPECT_FALSE(dialog.GroundDisplay()->Visible());
        dialog.SetModalResult(fw::mrCancel);
    };
    Command(TWAction::Print);
    ASSERT_EQ(modalForms.back(), "TfrmGenerateBrocade");
    ASSERT_EQ(previews, 1);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(report_test::CountPdfPageObjects(pdfFile), static_cast<int>(pages.size()));

    // One row a pick and weft used, the pick numbered once; the ground's turns under its
    // last row, those of the pick of that number.
    std::vector<std::string> pickNumbers;
    std::vector<std::string> wefts;
    std::vector<std::string> groundForwards;
    for (const auto& page : pages) {
        for (const fw::PlacedItem* item : page.ItemsNamed("lblPick")) {
            pickNumbers.push_back(item->Text());
        }
        for (const fw::PlacedItem* item : page.ItemsNamed("lblWeft")) {
            wefts.push_back(item->Text());
        }
        for (const fw::PlacedItem* item : page.ItemsNamed("lblGroundF")) {
            groundForwards.push_back(item->Text());
        }
    }
    const int picks = sample_patterns::BrocadePicks;
    ASSERT_EQ(groundForwards.size(), static_cast<std::size_t>(picks));
    ASSERT_EQ(wefts.size(), static_cast<std::size_t>(2 * picks));
    EXPECT_EQ(wefts[0], "A");
    EXPECT_EQ(wefts[1], "B");
    EXPECT_EQ(pickNumbers.front(), "1");
    // Picks 1 and 2 weave one double-face row alike, and print its turns alike.
    const TTWActionList& first = editor->Pattern().Picks().GetPick(0)->Actions();
    EXPECT_EQ(groundForwards[0],
              first.RangeTexts(sample_patterns::BrocadeCards, true, 1, &editor->Pattern().Packs()).Forwards);
    EXPECT_EQ(groundForwards[1], groundForwards[0]);
    EXPECT_NE(groundForwards[2], groundForwards[0]);

    // The printed page, looked at: rendered when poppler is there (the CI image has it).
    ASSERT_TRUE(report_test::HaveTool("pdftoppm"));
    const std::filesystem::path prefix = std::filesystem::path(TAVELIN_EDITORS_TEST_OUTPUT) / "brocade_print";
    ASSERT_TRUE(report_test::PdfToPng(pdfFile, prefix, 96));
    QImage page(QString::fromStdString(prefix.string() + "-1.png"));
    ASSERT_FALSE(page.isNull());
    // Ink on the page: the rows of text and lines are there.
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2) {
        for (int x = 0; x < page.width(); x += 2) {
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 500);

    // The ground's cards, packs and picks are the brocade's now, as the ground weaves them.
    const TTWPatternBase& ground = *editor->Pattern().GroundWeave();
    TTWPattern groundOwn;
    const_cast<TTWPatternBase&>(ground).ConvertToThreaded(groundOwn);
    ASSERT_EQ(editor->Pattern().Picks().Count(), groundOwn.Picks().Count());
    for (int i = 0; i < groundOwn.Picks().Count(); ++i) {
        EXPECT_EQ(threaded_editor_test::ActionsText(*editor->Pattern().Picks().GetPick(i)),
                  threaded_editor_test::ActionsText(*groundOwn.Picks().GetPick(i)));
    }
}

TEST_F(BrocadeStartTest, TheBrowsersThumbnailShowsTheWeftsOverTheGroundAndLeavesNoWindowBehind)
{
    const std::unique_ptr<TTWBrocadePattern> brocade = ReadBrocade(Sample());
    ASSERT_NE(brocade, nullptr);
    const int windows = Main().MDIChildCount();
    RecordToolReports();
    const fw::Bitmap thumbnail = MakeThumbnail(*brocade);
    SavePng(thumbnail, "brocade_thumbnail.png");
    EXPECT_EQ(Main().MDIChildCount(), windows);
    // The hidden editor told the main window nothing.
    EXPECT_TRUE(reports.empty());
    ASSERT_FALSE(thumbnail.Empty());
    EXPECT_LE(thumbnail.Width(), ThumbnailMaxWidth);
    int gold = 0;
    int red = 0;
    for (int y = 0; y < thumbnail.Height(); ++y) {
        for (int x = 0; x < thumbnail.Width(); ++x) {
            gold += thumbnail.Pixel(x, y) == sample_patterns::BrocadeGold ? 1 : 0;
            red += thumbnail.Pixel(x, y) == sample_patterns::BrocadeRed ? 1 : 0;
        }
    }
    EXPECT_GT(gold, 50);
    EXPECT_GT(red, 20);
}

TEST_F(BrocadeEditorTest, WithoutTheGroundTheNumbersAreTheWeaversAndANumberOf0PrintsNothing)
{
    TfrmBrocade& editor = NewBrocade();
    int previews = 0;
    const fw::ScopedHandler preview(&fw::SetReportPreviewHandler, [&](fw::Report&) { ++previews; });
    const fw::ScopedHandler printers(&fw::SetPrinterListProvider, [] { return fw::PrinterList{}; });
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmGenerateBrocade&>(form);
        EXPECT_FALSE(dialog.chkIncludeGround->Checked());
        EXPECT_TRUE(dialog.edFirstPick->Enabled());
        EXPECT_FALSE(dialog.chkGroundShowFwd->Enabled());
        dialog.edFirstPick->SetText("0");
        dialog.btnPrintClick();
        EXPECT_EQ(dialog.Report(), nullptr);
        dialog.edFirstPick->SetText("5");
        dialog.edFirstCard->SetText("0");
        dialog.btnPrintClick();
        EXPECT_EQ(dialog.Report(), nullptr);
        dialog.edFirstCard->SetText("3");
        dialog.btnPrintClick();
        EXPECT_NE(dialog.Report(), nullptr);
        EXPECT_EQ(dialog.GroundDisplay(), nullptr);
    };
    editor.PerformAction(TWAction::Print, false, nullptr);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid pick number.", "Invalid card number."}));
    EXPECT_EQ(previews, 1);
}

TEST_F(BrocadeEditorTest, APictureLargerThanItsPanelIsShrunkAndASmallerOneKeepsItsSizeBothCentred)
{
    TTWBrocadePattern pattern;
    TfrmGenerateBrocade dialog(nullptr);
    dialog.FinishLoading();
    const fw::Bitmap wide(200, 100);
    dialog.Setup(pattern, &wide);
    EXPECT_EQ(dialog.imgPattern->Width(), 99);
    EXPECT_EQ(dialog.imgPattern->Height(), 50);
    EXPECT_EQ(dialog.imgPattern->Left(), 1);
    EXPECT_EQ(dialog.imgPattern->Top(), 1 + 7);
    const fw::Bitmap small(30, 20);
    dialog.Setup(pattern, &small);
    EXPECT_EQ(dialog.imgPattern->Width(), 30);
    EXPECT_EQ(dialog.imgPattern->Height(), 20);
    EXPECT_EQ(dialog.imgPattern->Left(), 1 + 34);
    EXPECT_EQ(dialog.imgPattern->Top(), 1 + 22);
    dialog.Setup(pattern, nullptr);
    EXPECT_FALSE(dialog.imgPattern->Visible());
    EXPECT_EQ(dialog.pnlImage->Caption(), "No Image");
}

TEST_F(BrocadeEditorTest, WeftsBeyondTheFiveOfThePanelsKeepTheirColoursThroughASave)
{
    std::unique_ptr<TTWBrocadePattern> design = brocade_editor_test::Design({"AG..", "..BG"});
    for (int weft = 6; weft <= 7; ++weft) {
        auto thread = std::make_unique<TTWThread>();
        thread->Name = "Extra";
        thread->Colour = 0x101010 * static_cast<TTWColour>(weft);
        design->Wefts().Add(thread.release());
    }
    design->Wefts().GetItem(2)->Description = "Silk";
    const std::filesystem::path file = Folder() / "seven.tvl";
    design->SaveToFile(file.string());
    TfrmBrocade& editor = OpenBrocade(file);
    EXPECT_EQ(editor.framePattern->WeftColour(7), 0x707070u);
    const std::filesystem::path saved = Folder() / "seven_saved.tvl";
    ChooseFile(saved);
    editor.PerformAction(TWAction::Save, false, nullptr);
    const std::unique_ptr<TTWBrocadePattern> read = ReadBrocade(saved);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Wefts().Count(), 7);
    EXPECT_EQ(read->Wefts().GetItem(6)->Colour, 0x707070u);
    EXPECT_EQ(read->Wefts().GetItem(2)->Description, "Silk");
    EXPECT_EQ(read->Wefts().GetItem(2)->Name, "Weft C");
    EXPECT_EQ(read->BrocadePicks().Items(0)->GetWeft(1), 7);
}

} // namespace
