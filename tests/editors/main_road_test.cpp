// The main road, as a weaver travels it: the program started with a threaded-in file on its
// command line shows the band the weaving computation gives; a new pattern is designed
// through the editor's commands, saved, opened again, exported as text and pictures and
// printed.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editors/card_setup_card.h"
#include "editors/card_setup_dialog.h"
#include "editors/card_setup_row.h"
#include "editors/pack_list_dialog.h"
#include "editors/pack_list_frame.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/string_list.h"
#include "framework/gui/control.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/report/report_output.h"
#include "framework/report/report_paper.h"
#include "model/model_state.h"
#include "model/pack.h"
#include "model/pattern_base.h"
#include "model/turning_text.h"
#include "shell/report_threading_dialog.h"
#include "treegrid/tree_grid.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::ActionsText;
using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowCount;

// A click on a speed button as the mouse gives it: a toggle goes down (or up) first.
void Press(fw::SpeedButton& button)
{
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<TTWPattern> ReadPattern(const std::filesystem::path& file)
{
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    auto* pattern = dynamic_cast<TTWPattern*>(read.get());
    if (pattern == nullptr) {
        ADD_FAILURE() << file << " holds no threaded-in pattern";
        return nullptr;
    }
    read.release();
    return std::unique_ptr<TTWPattern>(pattern);
}

// The pattern as its file holds it: written to a scratch file and read back as text.
std::string PatternText(TTWPattern& pattern, const std::filesystem::path& scratch)
{
    pattern.SaveToFile(scratch.string());
    return ReadFile(scratch);
}

// --- The program started with a file -----------------------------------------------------------

class MainRoadStartTest : public EditorProgramTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", sample_patterns::SamplePath(sample_patterns::SmallFile).string(), "notes.txt"};
        paintBackend = &qtBackend_;
        EditorProgramTest::SetUp();
    }
    void TearDown() override
    {
        fw::SyncQtPeers();
        EditorProgramTest::TearDown();
    }

private:
    fw::QtPaintBackend qtBackend_;
};

TEST_F(MainRoadStartTest, TheCommandLineFileOpensMaximisedAndItsBandShowsTheWovenColours)
{
    fw::ProcessPostedMessages();
    fw::SyncQtPeers();
    TfrmTWThreadedPattern* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    // Only the pattern file was opened; the text file was passed over.
    EXPECT_EQ(Main().MDIChildCount(), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor->WindowState(), fw::WindowState::Maximized);
    EXPECT_EQ(editor->Caption(), "Threaded Pattern: Small Diamonds");
    const std::filesystem::path file = sample_patterns::SamplePath(sample_patterns::SmallFile);
    EXPECT_EQ(editor->GetFileName(), file.string());
    EXPECT_EQ(Main().pnlPatternFileName->Caption(), file.string());

    // The band the model weaves from the file, independently of the editor.
    const std::unique_ptr<TTWPattern> pattern = ReadPattern(file);
    ASSERT_NE(pattern, nullptr);
    TTWWeaving woven;
    pattern->BuildWeaving(woven, nullptr, false, 0);

    // Zoomed in, as the weaver looks closely; the view shows the image from its start.
    for (int i = 0; i < 3; ++i) {
        Press(*Main().ToolButton(TWAction::ZoomIn));
    }
    ASSERT_EQ(editor->frmImage->GetZoom(), 4);
    fw::PaintPendingControls();
    TWeavingImageView& view = *editor->frmImage->imgWeaving;
    const fw::Bitmap shown = fw::RenderToBitmap(view);
    ASSERT_GT(shown.Width(), 0);
    const TWeavingImageGeometry geometry = editor->frmImage->Geometry(false);
    int sampled = 0;
    std::set<fw::Color> colours;
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            const TTWWeavingCell& cell = *woven.Cell(column, pick);
            const TWeavingCellPolygon polygon = geometry.CellPolygon(woven, cell);
            const fw::Point centre{(polygon[0].X + polygon[1].X + polygon[2].X + polygon[3].X) / 4,
                                   (polygon[0].Y + polygon[1].Y + polygon[2].Y + polygon[3].Y) / 4};
            const fw::Point scroll = editor->frmImage->scrImage->ScrollOffset();
            const fw::Point at{centre.X - scroll.X, centre.Y - scroll.Y};
            if (at.X < 0 || at.Y < 0 || at.X >= shown.Width() || at.Y >= shown.Height()) {
                continue;
            }
            // The centre lies inside its own cell ...
            const auto found = geometry.CellAt(woven, centre.X, centre.Y);
            ASSERT_TRUE(found.has_value());
            ASSERT_EQ(found->Column, column + 1);
            ASSERT_EQ(found->Pick, pick + 1);
            // ... and shows the colour the weaving gives it.
            EXPECT_EQ(shown.Pixel(at.X, at.Y), cell.Colour) << "column " << column + 1 << ", pick " << pick + 1;
            ++sampled;
            colours.insert(cell.Colour);
        }
    }
    // A good part of the small band is in view: a test that samples nothing proves nothing.
    EXPECT_GT(sampled, 50);
    // Both colours of the design and the black selvedges are among them.
    EXPECT_GE(colours.size(), 3U);
}

// --- Designing, saving, exporting and printing ---------------------------------------------------

class MainRoadTest : public EditorProgramTest {
protected:
    void SetUp() override
    {
        EditorProgramTest::SetUp();
        previousDialogs_ = fw::FileDialog::SetHandler([this](fw::FileDialog& dialog) {
            dialogTitles.push_back(dialog.Title());
            dialogFileNames.push_back(dialog.FileName());
            if (fileChoices.empty()) {
                return false;
            }
            const FileChoice choice = fileChoices.front();
            fileChoices.erase(fileChoices.begin());
            dialog.SetFileName(choice.Name.string());
            dialog.SetFilterIndex(choice.FilterIndex);
            return true;
        });
        previousPreview_ = fw::SetReportPreviewHandler([this](fw::Report& report) {
            ASSERT_FALSE(pdfFiles.empty());
            printedPages.push_back(static_cast<int>(fw::ExportReportToPdf(report, pdfFiles.front().string()).size()));
            pdfFiles.erase(pdfFiles.begin());
        });
        previousPrinters_ = fw::SetPrinterListProvider([] { return fw::PrinterList{}; });
    }
    void TearDown() override
    {
        fw::SetPrinterListProvider(std::move(previousPrinters_));
        fw::SetReportPreviewHandler(std::move(previousPreview_));
        fw::FileDialog::SetHandler(std::move(previousDialogs_));
        EditorProgramTest::TearDown();
    }

    struct FileChoice {
        std::filesystem::path Name;
        int FilterIndex = 1;
    };
    std::vector<FileChoice> fileChoices;
    std::vector<std::string> dialogTitles;
    // The file name each dialog proposed when it opened.
    std::vector<std::string> dialogFileNames;
    std::vector<std::filesystem::path> pdfFiles;
    std::vector<int> printedPages;

    // A command as the main window's tool bar gives it.
    void Command(int actionId) { Press(*Main().ToolButton(actionId)); }

private:
    fw::FileDialog::Handler previousDialogs_;
    fw::ReportPreviewHandler previousPreview_;
    fw::PrinterListProvider previousPrinters_;
};

TEST_F(MainRoadTest, ANewPatternIsDesignedSavedReopenedExportedAndPrinted)
{
    // File > Create > Threaded-in Pattern > 4 Holes.
    auto* create = dynamic_cast<fw::MenuItem*>(Main().FindComponent("mnuTheaded4Hole"));
    ASSERT_NE(create, nullptr);
    create->Click();
    TfrmTWThreadedPattern* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->HoleCount(), 4);

    // Cards: six cards, the last three Z-threaded, each hole a colour of its own.
    modalScript = [](fw::Form& form) {
        auto& setup = dynamic_cast<TfrmCardSetup2&>(form);
        setup.edCards->SetText("6");
        setup.btnSetCardCountClick();
        for (int card = 0; card < 6; ++card) {
            TfrmCardCompactBase* frame = setup.frameCards->GetCardFrame(card);
            frame->SetThreading(card < 3 ? ThreadingS : ThreadingZ);
            for (int hole = 0; hole < 4; ++hole) {
                frame->SetHoleColourIndex(hole, (hole + card) % 2 == 0 ? 15 : 4);
            }
        }
        setup.SetModalResult(fw::mrOk);
    };
    Command(TWAction::CardSetup);
    modalScript = {};
    ASSERT_EQ(modalForms, std::vector<std::string>{"TfrmCardSetup2"});
    TTWPattern& pattern = *editor->Pattern();
    ASSERT_EQ(pattern.Cards().Count(), 6);
    EXPECT_EQ(pattern.Cards().GetCard(4)->Threading(), ThreadingZ);
    EXPECT_EQ(pattern.Cards().GetCard(1)->HoleColour(0), 4);
    EXPECT_EQ(editor->frmCards->FrameCount(), 6);

    // Picks from the card frames, forwards and in reverse, one card turned the other way.
    Press(*editor->btnDoPick);
    Press(*editor->btnDoPick);
    editor->frmCards->GetFrame(0)->lblTurnDirClick();
    Press(*editor->btnDoPickReverse);
    EXPECT_EQ(ActionsText(*pattern.Picks().Items(0)), "1F 2F 3F 4F 5F 6F");
    EXPECT_EQ(ActionsText(*pattern.Picks().Items(2)), "1F 2B 3B 4B 5B 6B");

    // Corrections on the image: the action panel out of the way, a twist on card 2 in pick 1.
    Press(*editor->btnHideActionPanel);
    ASSERT_FALSE(editor->btnHideActionPanel->Down());
    Press(*editor->btnToggleTwist);
    ASSERT_TRUE(editor->btnToggleTwist->Down());
    editor->frmImage->SetZoom(4);
    {
        const TTWWeaving& band = editor->FrontWeaving();
        const TWeavingCellPolygon polygon = editor->frmImage->Geometry(false).CellPolygon(band, *band.Cell(1, 0));
        editor->ImageMouseDown(fw::MouseButton::Left, (polygon[0].X + polygon[2].X) / 2,
                               (polygon[0].Y + polygon[2].Y) / 2);
    }
    EXPECT_EQ(ActionsText(*pattern.Picks().Items(0)), "2T 1F 2F 3F 4F 5F 6F");
    Press(*editor->btnHideActionPanel);
    ASSERT_TRUE(editor->btnHideActionPanel->Down());

    // A pack of the Z cards, and a pick made from it.
    modalScript = [](fw::Form& form) {
        auto& packs = dynamic_cast<TfrmPackList&>(form);
        packs.btnAddPackClick();
        TILTree& grid = *packs.framePacks->lstPacks;
        TILTreeNode* row = grid.Root()->GetItem(0);
        row->SetCellText(0, "Zeds");
        for (int card = 4; card <= 6; ++card) {
            row->GetCellInfo(card)->SetInteger(0);
        }
        packs.SetModalResult(fw::mrOk);
    };
    Press(*editor->btnSetupPacks);
    modalScript = {};
    ASSERT_EQ(pattern.Packs().Count(), 1);
    EXPECT_EQ(pattern.Packs().Items(0)->RangeText(1, true), "4 - 6");
    Press(*editor->btnShowPacks);
    ASSERT_TRUE(editor->PacksShown());
    Press(*editor->btnDoPick);
    EXPECT_EQ(ActionsText(*pattern.Picks().Items(3)), "ZedsF");
    EXPECT_EQ(RowCount(*editor->lstPackActions), 4);

    // Undo takes the pack pick back; the pack stays for later.
    Command(TWAction::Undo);
    ASSERT_EQ(pattern.Picks().Count(), 3);
    EXPECT_FALSE(pattern.Picks().HasPackAction());
    Press(*editor->btnShowPacks);
    Press(*editor->btnDoPick);
    ASSERT_EQ(pattern.Picks().Count(), 4);
    Command(TWAction::PatternDetails);   // cancelled by the input handler's default: no rename
    editor->SetPatternName("Road Test");

    // Save.
    const std::filesystem::path saved = Folder() / "road.tvl";
    fileChoices.push_back(FileChoice{saved, 1});
    Command(TWAction::Save);
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(dialogTitles.back(), "Save Pattern");
    EXPECT_EQ(editor->GetFileName(), saved.string());
    EXPECT_EQ(Main().pnlPatternFileName->Caption(), saved.string());

    // Opened again in a fresh window, it is the same pattern.
    TfrmTWThreadedPattern& reopened = OpenFile(saved);
    ASSERT_NE(&reopened, editor);
    EXPECT_EQ(reopened.Caption(), "Threaded Pattern: Road Test");
    EXPECT_EQ(PatternText(*reopened.Pattern(), Folder() / "again.tvl"), ReadFile(saved));
    EXPECT_EQ(PatternText(pattern, Folder() / "original.tvl"), ReadFile(saved));
    EXPECT_EQ(RowCount(*reopened.lstActions), 4);
    Main().WindowMenuItem(editor)->Click();
    ASSERT_EQ(ActiveEditor(), editor);

    // The turning sequence as text: what the model lists for the band.
    const std::filesystem::path text = Folder() / "road.txt";
    fileChoices.push_back(FileChoice{text, 2});
    Command(TWAction::Save);
    ASSERT_TRUE(std::filesystem::exists(text));
    EXPECT_EQ(editor->GetFileName(), saved.string());
    TTWWeaving woven;
    pattern.BuildWeaving(woven, nullptr, false, 0);
    fw::StringList expected;
    BuildTurningSequence(woven, &pattern.Cards(), &pattern.Palette(), expected);
    fw::StringList written;
    written.LoadFromFile(text);
    EXPECT_EQ(written.Lines(), expected.Lines());
    EXPECT_GT(written.Count(), 4);

    // The band as pictures: JPEG, bitmap and GIF.
    const fw::Bitmap picture = editor->frmImage->RenderPicture(false);
    ASSERT_FALSE(picture.Empty());
    const std::filesystem::path jpeg = Folder() / "band.jpg";
    const std::filesystem::path bitmap = Folder() / "band.bmp";
    const std::filesystem::path gif = Folder() / "band";
    fileChoices.push_back(FileChoice{jpeg, 1});
    fileChoices.push_back(FileChoice{bitmap, 2});
    fileChoices.push_back(FileChoice{gif, 3});
    Command(TWAction::SaveImage);
    Command(TWAction::SaveImage);
    Command(TWAction::SaveImage);
    const fw::Bitmap bmp = fw::LoadBmpFromFile(bitmap.string());
    ASSERT_EQ(bmp.Width(), picture.Width());
    ASSERT_EQ(bmp.Height(), picture.Height());
    EXPECT_EQ(bmp.Pixel(picture.Width() / 2, picture.Height() / 2), picture.Pixel(picture.Width() / 2, picture.Height() / 2));
    const QImage jpegImage(QString::fromStdString(jpeg.string()));
    ASSERT_FALSE(jpegImage.isNull());
    EXPECT_EQ(jpegImage.width(), picture.Width());
    // A name without extension gets the format's.
    const QImage gifImage(QString::fromStdString(gif.string() + ".gif"));
    ASSERT_FALSE(gifImage.isNull());
    EXPECT_EQ(gifImage.height(), picture.Height());
    const fw::Color centre = picture.Pixel(picture.Width() / 2, picture.Height() / 2);
    const QRgb gifCentre = gifImage.pixel(picture.Width() / 2, picture.Height() / 2);
    EXPECT_EQ(static_cast<fw::Color>(qRed(gifCentre) | (qGreen(gifCentre) << 8) | (qBlue(gifCentre) << 16)), centre);

    // The threading diagram, printed.
    pdfFiles.push_back(Folder() / "threading.pdf");
    modalScript = [](fw::Form& form) {
        auto& diagram = dynamic_cast<TfrmTWPrintCards&>(form);
        diagram.btnAcceptClick();
        diagram.SetModalResult(fw::mrCancel);
    };
    Command(TWAction::ThreadingDiagram);
    // The turning sequence, printed with the band's picture.
    pdfFiles.push_back(Folder() / "turning.pdf");
    modalScript = [](fw::Form& form) {
        auto& display = dynamic_cast<TfrmActionDisplay&>(form);
        EXPECT_EQ(display.PrintRowCount(), 4);
        ASSERT_NE(display.PrintPicture(), nullptr);
        display.btnPrintClick();
        display.SetModalResult(fw::mrOk);
    };
    Command(TWAction::Print);
    modalScript = {};
    fw::ProcessPostedMessages();
    ASSERT_EQ(printedPages.size(), 2U);
    for (const char* name : {"threading.pdf", "turning.pdf"}) {
        const std::string pdf = ReadFile(Folder() / name);
        ASSERT_GT(pdf.size(), 1000U) << name;
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << name;
    }
    EXPECT_GE(printedPages[0], 1);
    EXPECT_GE(printedPages[1], 1);
}

TEST_F(MainRoadTest, CancelledDialogsChangeNothing)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    const std::string file = editor.GetFileName();
    Command(TWAction::Save);
    EXPECT_EQ(editor.GetFileName(), file);
    EXPECT_EQ(dialogTitles, std::vector<std::string>{"Save Pattern"});
    // The card setup cancelled: the cards and the band are as they were.
    const std::string before = PatternText(*editor.Pattern(), Folder() / "before.tvl");
    Command(TWAction::CardSetup);
    EXPECT_EQ(modalForms, std::vector<std::string>{"TfrmCardSetup2"});
    EXPECT_EQ(PatternText(*editor.Pattern(), Folder() / "after.tvl"), before);
    TTWWeaving woven;
    const std::unique_ptr<TTWPattern> read = ReadPattern(sample_patterns::SamplePath(sample_patterns::SmallFile));
    read->BuildWeaving(woven, nullptr, false, 0);
    ASSERT_EQ(editor.FrontWeaving().PickCount(), woven.PickCount());
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            ASSERT_EQ(editor.FrontWeaving().Cell(column, pick)->Colour, woven.Cell(column, pick)->Colour);
            ASSERT_EQ(editor.FrontWeaving().Cell(column, pick)->Hole, woven.Cell(column, pick)->Hole);
        }
    }
}

TEST_F(MainRoadTest, NamesAndNotesInAnyScriptSurviveSavingAndOpeningAgain)
{
    TfrmTWThreadedPattern& editor = NewEditor();
    const std::string name = "测试 Ωmega é 😀";
    const std::string notes = "Ωμέγα 测试\r\n😀 and é€\r\n\r\n&#937; is text";
    {
        // Typed into the name dialog.
        const fw::ScopedHandler typed(&fw::SetInputQueryHandler,
                                      [&](const fw::InputQueryRequest&, std::string& value) {
                                          value = name;
                                          return true;
                                      });
        Command(TWAction::PatternDetails);
    }
    ASSERT_EQ(editor.GetPatternName(), name);
    editor.SetNotes(notes);

    const std::filesystem::path saved = Folder() / "scripts.tvl";
    fileChoices.push_back(FileChoice{saved, 1});
    Command(TWAction::Save);
    TfrmTWThreadedPattern& reopened = OpenFile(saved);
    ASSERT_NE(&reopened, &editor);
    EXPECT_EQ(reopened.GetPatternName(), name);
    EXPECT_EQ(reopened.GetNotes(), notes);
    EXPECT_EQ(reopened.Caption(), "Threaded Pattern: " + name);

    // The file stays single-byte Windows-1252: é is its own byte, the rest are references.
    const std::string bytes = ReadFile(saved);
    EXPECT_NE(bytes.find("<![CDATA[&#27979;&#35797; &#937;mega \xE9 &#128512;]]>"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find('?'), std::string::npos) << "nothing was replaced";
    for (const unsigned char lead : {0xC3, 0xCE, 0xE6, 0xF0}) {
        EXPECT_EQ(bytes.find(static_cast<char>(lead)), std::string::npos) << "no UTF-8 in the file";
    }
}

TEST_F(MainRoadTest, AFileOpenedByARelativeNameIsSavedWhereItCameFrom)
{
    // As `./run.sh tests/data/band.tvl` from a checkout: a name relative to the folder the
    // program was started from, which is not the program's own folder.
    const std::filesystem::path bands = Folder() / "checkout" / "bands";
    std::filesystem::create_directories(bands);
    std::filesystem::copy_file(sample_patterns::SamplePath(sample_patterns::SmallFile), bands / "band.tvl");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(Folder() / "checkout");
    TfrmTWThreadedPattern& editor = OpenFile("bands/../bands/band.tvl");
    std::filesystem::current_path(before);

    const std::string absolute = (bands / "band.tvl").string();
    EXPECT_EQ(editor.GetFileName(), absolute);
    EXPECT_EQ(Main().pnlPatternFileName->Caption(), absolute);
    // Save proposes the file where it is, whatever the current folder is by now.
    Command(TWAction::Save);
    ASSERT_EQ(dialogFileNames.size(), 1u);
    EXPECT_EQ(dialogFileNames.front(), absolute);
}

TEST_F(MainRoadTest, SavingOverAReadOnlyFileIsRefusedAndLeavesItAlone)
{
    const std::filesystem::path locked = Folder() / "locked.tvl";
    std::filesystem::copy_file(sample_patterns::SamplePath(sample_patterns::SmallFile), locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                                             | std::filesystem::perms::others_read);
    const std::string before = ReadFile(locked);
    TfrmTWThreadedPattern& editor = OpenFile(locked);
    editor.SetPatternName("Changed");
    std::vector<std::string> errors;
    const fw::Application::ExceptionEvent previous = fw::App().OnException();
    fw::App().SetOnException([&](const std::exception& error) { errors.push_back(error.what()); });
    // The user says yes to the overwrite question; the save must still not replace the file.
    fileChoices.push_back(FileChoice{locked, 1});
    // As a click from the window system arrives: errors reach the program's handler.
    fw::GuardedCall([&] { Command(TWAction::Save); });
    fw::App().SetOnException(previous);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().find("Cannot create file \"" + locked.string() + "\". Permission denied"),
              std::string::npos)
        << errors.front();
    EXPECT_EQ(ReadFile(locked), before);
    EXPECT_EQ(std::filesystem::status(locked).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                  | std::filesystem::perms::others_read);
}

TEST_F(MainRoadTest, NotesTypedInTheNotesWindowAreSavedWithoutLeavingTheEditor)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    if (!frmTWNotes->Visible()) {
        Command(TWAction::Notes);
    }
    ASSERT_TRUE(frmTWNotes->Visible());
    fw::Memo& memo = *frmTWNotes->edNotes;
    // Docked, the notes window lives inside the main window: input goes through that.
    fw::TestDriver driver(frmTWNotes->HostDockSite() != nullptr ? static_cast<fw::Form&>(Main()) : *frmTWNotes);
    driver.ClickOn(memo);
    driver.PressKey(fw::VK_END, fw::ShiftState{fw::ShiftFlag::Ctrl});
    driver.PressKey(fw::VK_RETURN);
    driver.Type("Warp: wool");
    const std::string typed = memo.Text();
    ASSERT_NE(typed.find("Warp: wool"), std::string::npos);

    // Saved straight away, without leaving the editor (which would store the notes too).
    const std::filesystem::path saved = Folder() / "noted.tvl";
    fileChoices.push_back(FileChoice{saved, 1});
    Command(TWAction::Save);
    EXPECT_EQ(editor.GetNotes(), typed);
    TfrmTWThreadedPattern& reopened = OpenFile(saved);
    ASSERT_NE(&reopened, &editor);
    EXPECT_EQ(reopened.GetNotes(), typed);
}

TEST_F(MainRoadTest, TheNotesCommandShowsAndHidesTheNotesWindow)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    const bool shown = frmTWNotes->Visible();
    Command(TWAction::Notes);
    EXPECT_NE(frmTWNotes->Visible(), shown);
    editor.PerformAction(TWAction::Notes, false, nullptr);
    EXPECT_EQ(frmTWNotes->Visible(), shown);
}

} // namespace

namespace {

TEST_F(MainRoadStartTest, TheBandFillsTheRoomTheWindowGivesIt)
{
    fw::ProcessPostedMessages();
    TfrmTWThreadedPattern* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    TWeavingImageScroller& scroller = *editor->frmImage->scrImage;
    for (const fw::Size size : {fw::Size{1280, 900}, fw::Size{900, 640}, fw::Size{1280, 900}}) {
        Main().SetBounds(0, 0, size.Width, size.Height);
        fw::ProcessPostedMessages();
        fw::PaintPendingControls();
        EXPECT_EQ(scroller.View().BoundsRect(), scroller.BackgroundPanel().ClientRect())
            << "window " << size.Width << " x " << size.Height;
    }
    EXPECT_GT(scroller.View().Width(), 300);
}

} // namespace
