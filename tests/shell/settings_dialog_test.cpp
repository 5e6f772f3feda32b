#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "controls/tabbed_pages.h"
#include "forms/combo_box.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_spin_edit.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/window_helpers.h"
#include "framework/report/report_paper.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/settings_dialog.h"
#include "shell_fixture.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"

using namespace shell_test;

namespace {

using Script = std::function<void(TfrmTWSettings& dialog)>;

class SettingsDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        previousPrinters_ = fw::SetPrinterListProvider([] { return fw::PrinterList{{"Office", "Studio"}, "Office"}; });
    }
    void TearDown() override
    {
        fw::SetPrinterListProvider(std::move(previousPrinters_));
        ShellTest::TearDown();
    }

    // Runs the dialog on the settings; the script plays the user and ends the dialog (an
    // accept unless it ends it itself).
    bool Run(TTWUserSettings& settings, const Script& script)
    {
        const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
            auto& dialog = dynamic_cast<TfrmTWSettings&>(form);
            script(dialog);
            if (dialog.GetModalResult() == fw::mrNone) {
                dialog.btnAccept->Click();
            }
        });
        return TfrmTWSettings::Execute(&Main(), settings);
    }

    // Settings that differ from the defaults in every value the dialog shows.
    std::unique_ptr<TTWUserSettings> Unusual() const
    {
        auto settings = std::make_unique<TTWUserSettings>(Folder());
        TTWUserSettings& s = *settings;
        s.System.CheckTVLReg = false;
        s.General.ShowNotes = TTWNotesMode::Floating;
        s.General.BackColour = 0x101010;
        s.General.LongFloat3Colour = 0x202020;
        s.General.LongFloat4Colour = 0x303030;
        s.General.LongFloat5Colour = 0x404040;
        s.General.GridHighlight = TTWGridHighlight{7, 9, 0x505050, 3};
        s.General.TwineUseDefault = false;
        s.General.STwineColour = 0x606060;
        s.General.ZTwineColour = 0x707070;
        s.General.CutSelection = false;
        s.Layout.SnapshotPanel = TTWSnapshotPanel{2, 3, 4};
        s.WeavingImage.GridColour = 0x808081;
        s.WeavingImage.TagColour = 0x909090;
        s.WeavingImage.ShowTurnDir = 2;
        s.ImageSizeRatios.Image = TTWImageRatio{4.5, 0.5, 2.25};
        s.ImageSizeRatios.DoubleFace = TTWCellRatio{3, 5.5};
        s.ImageSizeRatios.Brocade = TTWCellRatio{1.5, 4};
        s.ImageSizeRatios.Twill31 = TTWCellRatio{2.5, 7};
        s.DefaultRotations.Image = TTWOrientation::Horizontal;
        s.DefaultRotations.DoubleFace = TTWOrientation::Horizontal;
        s.DefaultRotations.Brocade = TTWOrientation::Horizontal;
        s.DefaultRotations.Twill31 = TTWOrientation::Horizontal;
        s.DoubleFace.DefaultThread = 1;
        s.BrokenTwill.ColourInterchange = TTWColourInterchange::Twist;
        s.BrokenTwill.DefaultTwill = TTWTwillDirection::Z;
        s.Brocade = TTWBrocadeSettings{true, false, true, true, 0xA0A0A0, 0xB0B0B0, 0xC0C0C0, 0xD0D0D0, 0};
        s.TwistPatterned = TTWTwistPatternedSettings{TTWOrientation::Horizontal, TTWCellRatio{4, 1.25}, true};
        s.Printer = TTWPrinterSettings{1, 9, 12};
        s.DefaultNotes = "Warp: wool\r\nWeft: linen";
        auto real = std::make_unique<TTWDesignProfileWeavingImage>();
        real->Name = "Wide view";
        s.EditorProfiles().Add(real.release());
        auto block = std::make_unique<TTWDesignProfileBlock>();
        block->Name = "close grid";
        s.EditorProfiles().Add(block.release());
        return settings;
    }

private:
    fw::PrinterListProvider previousPrinters_;
};

// Every value the dialog edits, side by side.
void ExpectSameSettings(const TTWUserSettings& a, const TTWUserSettings& b)
{
    EXPECT_EQ(a.System.CheckTVLReg, b.System.CheckTVLReg);
    EXPECT_EQ(a.General.ShowNotes, b.General.ShowNotes);
    EXPECT_EQ(a.General.BackColour, b.General.BackColour);
    EXPECT_EQ(a.General.LongFloat3Colour, b.General.LongFloat3Colour);
    EXPECT_EQ(a.General.LongFloat4Colour, b.General.LongFloat4Colour);
    EXPECT_EQ(a.General.LongFloat5Colour, b.General.LongFloat5Colour);
    EXPECT_EQ(a.General.GridHighlight.X, b.General.GridHighlight.X);
    EXPECT_EQ(a.General.GridHighlight.Y, b.General.GridHighlight.Y);
    EXPECT_EQ(a.General.GridHighlight.Colour, b.General.GridHighlight.Colour);
    EXPECT_EQ(a.General.GridHighlight.Width, b.General.GridHighlight.Width);
    EXPECT_EQ(a.General.TwineUseDefault, b.General.TwineUseDefault);
    EXPECT_EQ(a.General.STwineColour, b.General.STwineColour);
    EXPECT_EQ(a.General.ZTwineColour, b.General.ZTwineColour);
    EXPECT_EQ(a.General.CutSelection, b.General.CutSelection);
    EXPECT_EQ(a.Layout.SnapshotPanel.Pos, b.Layout.SnapshotPanel.Pos);
    EXPECT_EQ(a.Layout.SnapshotPanel.Vert, b.Layout.SnapshotPanel.Vert);
    EXPECT_EQ(a.Layout.SnapshotPanel.Horz, b.Layout.SnapshotPanel.Horz);
    EXPECT_EQ(a.WeavingImage.GridColour, b.WeavingImage.GridColour);
    EXPECT_EQ(a.WeavingImage.TagColour, b.WeavingImage.TagColour);
    EXPECT_EQ(a.WeavingImage.ShowTurnDir, b.WeavingImage.ShowTurnDir);
    EXPECT_EQ(a.ImageSizeRatios.Image.Width, b.ImageSizeRatios.Image.Width);
    EXPECT_EQ(a.ImageSizeRatios.Image.Centre, b.ImageSizeRatios.Image.Centre);
    EXPECT_EQ(a.ImageSizeRatios.Image.End, b.ImageSizeRatios.Image.End);
    for (const auto& [ra, rb] : {std::pair{a.ImageSizeRatios.DoubleFace, b.ImageSizeRatios.DoubleFace},
                                 std::pair{a.ImageSizeRatios.Brocade, b.ImageSizeRatios.Brocade},
                                 std::pair{a.ImageSizeRatios.Twill31, b.ImageSizeRatios.Twill31},
                                 std::pair{a.TwistPatterned.Ratio, b.TwistPatterned.Ratio}}) {
        EXPECT_EQ(ra.Width, rb.Width);
        EXPECT_EQ(ra.Height, rb.Height);
    }
    EXPECT_EQ(a.DefaultRotations.Image, b.DefaultRotations.Image);
    EXPECT_EQ(a.DefaultRotations.DoubleFace, b.DefaultRotations.DoubleFace);
    EXPECT_EQ(a.DefaultRotations.Brocade, b.DefaultRotations.Brocade);
    EXPECT_EQ(a.DefaultRotations.Twill31, b.DefaultRotations.Twill31);
    EXPECT_EQ(a.DoubleFace.DefaultThread, b.DoubleFace.DefaultThread);
    EXPECT_EQ(a.BrokenTwill.ColourInterchange, b.BrokenTwill.ColourInterchange);
    EXPECT_EQ(a.BrokenTwill.DefaultTwill, b.BrokenTwill.DefaultTwill);
    EXPECT_EQ(a.Brocade.ShowLongFloat4, b.Brocade.ShowLongFloat4);
    EXPECT_EQ(a.Brocade.ShowLongFloat6, b.Brocade.ShowLongFloat6);
    EXPECT_EQ(a.Brocade.ShowLongFloat8, b.Brocade.ShowLongFloat8);
    EXPECT_EQ(a.Brocade.ShowLongFloat10, b.Brocade.ShowLongFloat10);
    EXPECT_EQ(a.Brocade.ColLongFloat4, b.Brocade.ColLongFloat4);
    EXPECT_EQ(a.Brocade.ColLongFloat6, b.Brocade.ColLongFloat6);
    EXPECT_EQ(a.Brocade.ColLongFloat8, b.Brocade.ColLongFloat8);
    EXPECT_EQ(a.Brocade.ColLongFloat10, b.Brocade.ColLongFloat10);
    EXPECT_EQ(a.Brocade.DefaultThread, b.Brocade.DefaultThread);
    EXPECT_EQ(a.TwistPatterned.DefaultRotation, b.TwistPatterned.DefaultRotation);
    EXPECT_EQ(a.TwistPatterned.UseTwist, b.TwistPatterned.UseTwist);
    EXPECT_EQ(a.Printer.Index, b.Printer.Index);
    EXPECT_EQ(a.Printer.PaperSize, b.Printer.PaperSize);
    EXPECT_EQ(a.Printer.FontSize, b.Printer.FontSize);
    EXPECT_EQ(a.DefaultNotes, b.DefaultNotes);
}

std::vector<std::string> ProfileNames(const TTWUserSettings& settings)
{
    std::vector<std::string> names;
    for (int i = 0; i < settings.EditorProfiles().Count(); ++i) {
        names.push_back(settings.EditorProfiles().GetProfile(i)->Name);
    }
    return names;
}

std::vector<std::string> RowTexts(const TILTree& tree)
{
    std::vector<std::string> texts;
    for (TILTreeNode* row : tree.Root()->Children()) {
        texts.push_back(row->GetText());
    }
    return texts;
}

TILTreeNode* RowNamed(const TILTree& tree, const std::string& name)
{
    return tree.Root()->FindByText(0, name, true, false);
}

} // namespace

TEST_F(SettingsDialogTest, FillsFromTheSettingsAndStoresBackAnEqualSet)
{
    const std::unique_ptr<TTWUserSettings> source = Unusual();
    TfrmTWSettings dialog(&Main());
    dialog.FinishLoading();
    dialog.FillFromSettings(*source);
    EXPECT_EQ(dialog.edGridHighlightX->Text(), "7");
    EXPECT_EQ(dialog.cbGridHighlightWidth->Text(), "3 pixels");
    EXPECT_EQ(dialog.pnlBackColour->Color(), 0x101010u);
    EXPECT_EQ(dialog.edImgWidth->Text(), "4.5");
    EXPECT_EQ(dialog.edImgEndHeight->Text(), "2.25");
    EXPECT_EQ(dialog.cbImgOrientation->ItemIndex(), 1);
    EXPECT_TRUE(dialog.rbImgShowTurnAsBlock->Checked());
    EXPECT_TRUE(dialog.rb31UseCardTwist->Checked());
    EXPECT_TRUE(dialog.rb31OnePack->Checked()) << "not a setting: as designed";
    EXPECT_EQ(dialog.cbDefaultPrinter->Text(), "Studio");
    EXPECT_EQ(dialog.cbDefaultPaperSize->Text(), fw::PaperSizeName(9));
    EXPECT_EQ(dialog.edPrintFontSize->Value(), 12);
    EXPECT_EQ(dialog.edNotes->Text(), "Warp: wool\r\nWeft: linen");
    EXPECT_TRUE(dialog.rbShowNotesFloating->Checked());
    EXPECT_TRUE(dialog.rbSnapshotPanelHorizontal->Checked());
    EXPECT_TRUE(dialog.rbSnapshotPanelRight->Checked());
    EXPECT_TRUE(dialog.rbSnapshotPanelBottom->Checked());
    EXPECT_TRUE(dialog.rbDFDefaultThreadZ->Checked());
    EXPECT_TRUE(dialog.rbBrocadeDefaultThreadS->Checked());
    EXPECT_TRUE(dialog.chkBrocadeMarkLF8->Checked());
    EXPECT_FALSE(dialog.chkBrocadeMarkLF6->Checked());
    EXPECT_TRUE(dialog.rbTPUseTwist->Checked());
    EXPECT_FALSE(dialog.chkCheckAutoRegTVL->Checked());
    EXPECT_EQ(RowTexts(*dialog.lstProfiles), (std::vector<std::string>{"close grid", "Wide view"}));

    // Stored into settings that hold the defaults, every value comes back as it was.
    TTWUserSettings target(Folder());
    dialog.StoreToSettings(target);
    ExpectSameSettings(target, *source);

    // And the defaults go round unchanged too.
    const TTWUserSettings defaults(Folder());
    dialog.FillFromSettings(defaults);
    dialog.StoreToSettings(target);
    ExpectSameSettings(target, defaults);
}

TEST_F(SettingsDialogTest, PagesAndCaptionsAreTheSystemsOwn)
{
    TTWUserSettings settings(Folder());
    Run(settings, [&](TfrmTWSettings& dialog) {
        EXPECT_EQ(dialog.Caption(), "Settings");
        std::vector<std::string> pages;
        for (int i = 0; i < dialog.pcMain->PageCount(); ++i) {
            pages.push_back(dialog.pcMain->Page(i)->PageName());
        }
        EXPECT_EQ(pages, (std::vector<std::string>{"General", "Real Image Display", "3/1 Broken Twill",
                                                   "Display Profiles", "System", "Default Notes", "Layout",
                                                   "Doubleface Designer", "Brocade Designer", "Twist-Patterned"}));
        EXPECT_EQ(dialog.rbSnapshotPanelDynamic->Caption(), "Snapshot panel  changes orientation with the designer");
        EXPECT_EQ(dialog.rbSnapshotPanelVertical->Caption(), "Snapshot panel  is always vertical");
        EXPECT_EQ(dialog.rbSnapshotPanelHorizontal->Caption(), "Snapshot panel  is always horizontal");
        EXPECT_EQ(dialog.chkCheckAutoRegTVL->Caption(),
                  "When starting TVL, check whether TVL files have been registered with this desktop");
        EXPECT_EQ(dialog.rbImgShowTurnAsBlock->Caption(), "White and Black blocks");
        EXPECT_EQ(dialog.rbDFDefaultThreadSZ->Caption(), "Alternately S/Z-Threaded");
        EXPECT_EQ(dialog.chkBrocadeMarkLF10->Caption(), "10 or more warp threads");
        EXPECT_EQ(dialog.rbTPUseDirectionChange->Caption(), "Use change of turning direction");
        EXPECT_EQ(dialog.bntRenameProfile->Caption(), "Rename");
        EXPECT_EQ(dialog.btnDeleteDisplayProfile->Caption(), "Delete");
        for (TILComboBox* combo : {dialog.cbImgOrientation, dialog.cb31Orientation, dialog.cbDFOrientation,
                                   dialog.cbBrocadeOrientation, dialog.cbTPOrientation}) {
            ASSERT_EQ(combo->Items().Count(), 2);
            EXPECT_EQ(combo->Items().GetItem(0)->Caption(), "Vertical");
            EXPECT_EQ(combo->Items().GetItem(1)->Caption(), "Horizontal");
        }
        // Named as the table names them.
        for (const char* name : {"pnlBackColour", "edGridHighlightX", "cbGridHighlightWidth", "chkTwineColUseDefault",
                                 "rbAreaSelectCopy", "edImgCentreHeight", "rb31TwoPack", "lstProfiles",
                                 "edPrintFontSize", "edNotes", "rbSnapShotPanelTop", "pnlBrocadeLF10",
                                 "edTPRatioHeight"}) {
            EXPECT_NE(dialog.FindComponent(name), nullptr) << name;
        }
        dialog.btnCancel->Click();
    });
}

TEST_F(SettingsDialogTest, RatiosAreClampedAndTheEndMadeUpWhenTheCellIsTooLow)
{
    TTWUserSettings settings(Folder());
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        dialog.edImgWidth->SetText("0.5");
        dialog.edImgCentreHeight->SetText("0.2");
        dialog.edImgEndHeight->SetText("0.3");
        dialog.edDFRatioWidth->SetText("0.25");
        dialog.edDFRatioHeight->SetText("abc");
        dialog.ed31RatioWidth->SetText("-2");
        dialog.ed31RatioHeight->SetText("1");
        dialog.edBrocadeRatioWidth->SetText("7.5");
        dialog.edTPRatioHeight->SetText("0.999");
    }));
    EXPECT_EQ(settings.ImageSizeRatios.Image.Width, 1.0);
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0.2);
    EXPECT_EQ(settings.ImageSizeRatios.Image.End, 1.0);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Width, 1.0);
    EXPECT_EQ(settings.ImageSizeRatios.DoubleFace.Height, 1.0) << "not a number counts as 0";
    EXPECT_EQ(settings.ImageSizeRatios.Twill31.Width, 1.0);
    EXPECT_EQ(settings.ImageSizeRatios.Twill31.Height, 1.0);
    EXPECT_EQ(settings.ImageSizeRatios.Brocade.Width, 7.5);
    EXPECT_EQ(settings.TwistPatterned.Ratio.Height, 1.0);

    // Negative parts become 0; enough centre alone keeps the end at 0.
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        dialog.edImgCentreHeight->SetText("-1");
        dialog.edImgEndHeight->SetText("-4");
    }));
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 0.0);
    EXPECT_EQ(settings.ImageSizeRatios.Image.End, 1.0);
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        dialog.edImgCentreHeight->SetText("1.5");
        dialog.edImgEndHeight->SetText("-4");
    }));
    EXPECT_EQ(settings.ImageSizeRatios.Image.Centre, 1.5);
    EXPECT_EQ(settings.ImageSizeRatios.Image.End, 0.0);
}

TEST_F(SettingsDialogTest, GridHighlightSpacingThatIsNoNumberOrNegativeBecomesZero)
{
    TTWUserSettings settings(Folder());
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        dialog.edGridHighlightX->SetText("-3");
        dialog.edGridHighlightY->SetText("12");
        dialog.cbGridHighlightWidth->SetSelected(nullptr);
    }));
    EXPECT_EQ(settings.General.GridHighlight.X, 0);
    EXPECT_EQ(settings.General.GridHighlight.Y, 12);
    EXPECT_EQ(settings.General.GridHighlight.Width, 0) << "no width chosen";
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        EXPECT_EQ(dialog.cbGridHighlightWidth->Selected(), nullptr) << "no item carries width 0";
        dialog.edGridHighlightX->SetText("abc");
        dialog.edGridHighlightY->SetText("5 ");
        dialog.cbGridHighlightWidth->SelectByTag(5);
    }));
    EXPECT_EQ(settings.General.GridHighlight.X, 0);
    EXPECT_EQ(settings.General.GridHighlight.Y, 0);
    EXPECT_EQ(settings.General.GridHighlight.Width, 5);
}

TEST_F(SettingsDialogTest, CancelLeavesEverythingAsItWas)
{
    const std::unique_ptr<TTWUserSettings> source = Unusual();
    TTWUserSettings settings(Folder());
    settings.Assign(source.get());
    answers.push_back(fw::mrYes);
    EXPECT_FALSE(Run(settings, [&](TfrmTWSettings& dialog) {
        dialog.edGridHighlightX->SetText("2");
        dialog.chkCheckAutoRegTVL->SetChecked(true);
        dialog.edNotes->SetText("other");
        dialog.lstProfiles->SelectOnly(RowNamed(*dialog.lstProfiles, "Wide view"));
        dialog.btnDeleteDisplayProfileClick();
        TILTreeNode* block = RowNamed(*dialog.lstProfiles, "close grid");
        dialog.lstProfiles->SelectOnly(block);
        dialog.bntRenameProfileClick();
        ASSERT_TRUE(dialog.lstProfiles->Editing());
        dialog.lstProfiles->InlineEditor()->SetText("renamed");
        ASSERT_TRUE(dialog.lstProfiles->AcceptInlineEdit(true));
        fw::ProcessPostedMessages();
        EXPECT_EQ(RowTexts(*dialog.lstProfiles), (std::vector<std::string>{"renamed"}));
        dialog.btnCancel->Click();
    }));
    ExpectSameSettings(settings, *source);
    EXPECT_EQ(ProfileNames(settings), (std::vector<std::string>{"Wide view", "close grid"}));
}

TEST_F(SettingsDialogTest, ProfilesAreListedByNameRenamedInPlaceAndDeletedOnAccept)
{
    const std::unique_ptr<TTWUserSettings> source = Unusual();
    TTWUserSettings settings(Folder());
    settings.Assign(source.get());
    auto third = std::make_unique<TTWDesignProfileBlock>();
    third->Name = "Bold";
    settings.EditorProfiles().Add(third.release());
    answers = {fw::mrNo, fw::mrYes};
    ASSERT_TRUE(Run(settings, [&](TfrmTWSettings& dialog) {
        TILTree& list = *dialog.lstProfiles;
        EXPECT_EQ(RowTexts(list), (std::vector<std::string>{"Bold", "close grid", "Wide view"}))
            << "sorted by name, ignoring case";
        EXPECT_EQ(RowNamed(list, "Bold")->Object(), settings.EditorProfiles().GetProfile(2));
        // Without a selected row neither button does anything.
        list.DeselectAll();
        dialog.btnDeleteDisplayProfileClick();
        dialog.bntRenameProfileClick();
        EXPECT_TRUE(boxes.empty());
        EXPECT_FALSE(list.Editing());

        list.SelectOnly(RowNamed(list, "Bold"));
        dialog.btnDeleteDisplayProfileClick();
        EXPECT_EQ(list.Root()->GetCount(), 3) << "answered No";
        dialog.btnDeleteDisplayProfileClick();
        EXPECT_EQ(list.Root()->GetCount(), 2);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].Text, "Delete this profile?");
        EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::Yes));
        EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::No));
        EXPECT_EQ(settings.EditorProfiles().Count(), 3) << "nothing changes before Accept";

        list.SelectOnly(RowNamed(list, "Wide view"));
        dialog.bntRenameProfileClick();
        ASSERT_TRUE(list.Editing());
        EXPECT_EQ(list.InlineEditor()->Text(), "Wide view");
        list.InlineEditor()->SetText("Very wide view");
        ASSERT_TRUE(list.AcceptInlineEdit(true));
        fw::ProcessPostedMessages();
        EXPECT_EQ(settings.EditorProfiles().GetProfile(0)->Name, "Wide view");
    }));
    EXPECT_EQ(ProfileNames(settings), (std::vector<std::string>{"Very wide view", "close grid"}));
}

TEST_F(SettingsDialogTest, PrintersPaperSizesAndTheDefaultPrinter)
{
    TTWUserSettings settings(Folder());
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        const TILComboBoxItemCollection& printers = dialog.cbDefaultPrinter->Items();
        ASSERT_EQ(printers.Count(), 3);
        EXPECT_EQ(printers.GetItem(0)->Caption(), "Office");
        EXPECT_EQ(printers.GetItem(0)->Tag(), 0);
        EXPECT_EQ(printers.GetItem(1)->Tag(), 1);
        EXPECT_EQ(printers.GetItem(2)->Caption(), "<Default>");
        EXPECT_EQ(printers.GetItem(2)->Tag(), -1);
        EXPECT_EQ(dialog.cbDefaultPrinter->Selected(), printers.GetItem(2)) << "the default -1";
        const TILComboBoxItemCollection& papers = dialog.cbDefaultPaperSize->Items();
        ASSERT_EQ(papers.Count(), 28);
        for (int size = 0; size < 28; ++size) {
            EXPECT_EQ(papers.GetItem(size)->Tag(), size);
            EXPECT_EQ(papers.GetItem(size)->Caption(), fw::PaperSizeName(size));
            EXPECT_FALSE(papers.GetItem(size)->Caption().empty());
        }
        EXPECT_EQ(dialog.cbDefaultPaperSize->SelectedTag(), 0);
        EXPECT_EQ(dialog.edPrintFontSize->Value(), 10);
        dialog.cbDefaultPaperSize->SelectByTag(11);
        dialog.edPrintFontSize->SetText("30");
    }));
    EXPECT_EQ(settings.Printer.Index, -1);
    EXPECT_EQ(settings.Printer.PaperSize, 11);
    EXPECT_EQ(settings.Printer.FontSize, 14) << "the spin edit keeps to 6 .. 14";

    // A printer index the list does not have selects nothing, and nothing selected stores 0.
    settings.Printer.Index = 5;
    ASSERT_TRUE(Run(settings, [](TfrmTWSettings& dialog) {
        EXPECT_EQ(dialog.cbDefaultPrinter->Selected(), nullptr);
        dialog.cbDefaultPaperSize->SetSelected(nullptr);
        dialog.edNotes->SetText("   \r\n  ");
    }));
    EXPECT_EQ(settings.Printer.Index, 0);
    EXPECT_EQ(settings.Printer.PaperSize, 0);
    EXPECT_EQ(settings.DefaultNotes, "") << "blanks only are no notes";
}

TEST_F(SettingsDialogTest, ASwatchTakesAColourOnlyWhenTheColourDialogConfirms)
{
    TTWUserSettings settings(Folder());
    std::vector<fw::Color> asked;
    bool confirm = false;
    const fw::ScopedHandler colours(&fw::ColorDialog::SetHandler, [&](fw::ColorDialog& dialog) {
        asked.push_back(dialog.Color());
        dialog.SetColor(0x00AA00);
        return confirm;
    });
    ASSERT_TRUE(Run(settings, [&](TfrmTWSettings& dialog) {
        fw::TestDriver driver(dialog);
        driver.ClickOn(*dialog.pnlFloat4Col);
        EXPECT_EQ(dialog.pnlFloat4Col->Color(), 0x00FFFFu) << "cancelled";
        confirm = true;
        dialog.pcMain->SetActivePage(dialog.pgBrocade);
        driver.ClickOn(*dialog.pnlBrocadeLF6);
        EXPECT_EQ(dialog.pnlBrocadeLF6->Color(), 0x00AA00u);
        EXPECT_EQ(settings.Brocade.ColLongFloat6, 0x40BAE0u) << "nothing is stored before Accept";
    }));
    EXPECT_EQ(asked, (std::vector<fw::Color>{0x00FFFF, 0x40BAE0}));
    EXPECT_EQ(settings.General.LongFloat4Colour, 0x00FFFFu);
    EXPECT_EQ(settings.Brocade.ColLongFloat6, 0x00AA00u);
}

TEST_F(SettingsDialogTest, TheSettingsCommandRunsTheDialogAndTheProfileMenusForgetDeletedProfiles)
{
    RegisterSettingsDialog();
    TTWUserSettings& settings = UserSettings();
    const std::unique_ptr<TTWUserSettings> source = Unusual();
    settings.EditorProfiles().Assign(source->EditorProfiles());
    TfrmTWMain& main = ShownMain();
    main.BuildProfileMenu(static_cast<int>(TTWProfileKind::WeavingImage));
    fw::MenuItem& select = Item("mnuSelectProfile");
    ASSERT_EQ(select.Count(), 3);
    EXPECT_EQ(select.Items(0)->Caption(), "Wide view");
    // The profile menu of the tool button holds the same profile.
    main.pmDisplayProfiles->Items()->Add(NewEnhancedMenuItem(
        nullptr, "Wide view", fw::scNone,
        reinterpret_cast<std::intptr_t>(static_cast<fw::Object*>(settings.EditorProfiles().GetProfile(0))), 502, 0, {},
        true, false));

    answers.push_back(fw::mrYes);
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWSettings&>(form);
        EXPECT_EQ(dialog.Owner(), &main);
        dialog.edGridHighlightY->SetText("8");
        dialog.lstProfiles->SelectOnly(RowNamed(*dialog.lstProfiles, "Wide view"));
        dialog.btnDeleteDisplayProfileClick();
        dialog.btnAccept->Click();
    });
    Item("mnuSettings").Click();
    EXPECT_EQ(settings.General.GridHighlight.Y, 8);
    EXPECT_EQ(ProfileNames(settings), (std::vector<std::string>{"close grid"}));
    ASSERT_EQ(select.Count(), 2) << "the line and the standard chart stay";
    EXPECT_EQ(select.Items(1)->Caption(), "Standard Weaving Chart");
    EXPECT_EQ(main.pmDisplayProfiles->Items()->Count(), 0);
}

TEST_F(SettingsDialogTest, EveryPageRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    const std::unique_ptr<TTWUserSettings> source = Unusual();
    TTWUserSettings settings(Folder());
    settings.Assign(source.get());
    std::vector<std::pair<std::string, fw::Bitmap>> shots;
    Run(settings, [&](TfrmTWSettings& dialog) {
        for (int i = 0; i < dialog.pcMain->PageCount(); ++i) {
            TILBrushPage* page = dialog.pcMain->Page(i);
            dialog.pcMain->SetActivePage(page);
            // As the user does with the strip's arrows: the page's tab comes into view.
            while (i > dialog.pcMain->LastFullyShownTab() && dialog.pcMain->FirstShownTab() < i) {
                dialog.pcMain->ScrollTabsOn();
            }
            shots.emplace_back(page->Name(), fw::RenderToBitmap(dialog));
        }
        dialog.btnCancel->Click();
    });
    fw::SetDefaultPaintBackend(nullptr);
    ASSERT_EQ(shots.size(), 10u);
    const std::string folder = TAVELIN_SHELL_TEST_OUTPUT;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const std::string file = folder + "/settings_" + std::to_string(i + 1) + "_" + shots[i].first + ".png";
        EXPECT_TRUE(fw::BitmapToQImage(shots[i].second).save(QString::fromStdString(file)));
        if (i > 0) {
            EXPECT_FALSE(shots[i].second.SamePixels(shots[i - 1].second)) << "each page shows its own controls";
        }
    }
}
