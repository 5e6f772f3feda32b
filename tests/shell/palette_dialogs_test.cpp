#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "forms/combo_box.h"
#include "forms/combo_drop_down.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/test_driver.h"
#include "palette_test_support.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_select_frame.h"

using namespace palette_test;

namespace {

class ColourSelectionTest : public PaletteTest {};
class PaletteEditingTest : public PaletteTest {};

TfrmPalette& Colours(TfrmColourSel& dialog)
{
    return *dialog.framePalette->framePalette;
}

// The right edge of a button, and the place of the next one to its left.
void ExpectButtonsFromRight(const TILBrushPanel& panel, const fw::Button& first, const fw::Button& second)
{
    EXPECT_EQ(first.Left() + first.Width(), panel.ClientWidth() - 5);
    EXPECT_EQ(second.Left() + second.Width(), first.Left() - 5);
}

} // namespace

TEST_F(ColourSelectionTest, WithoutEditingAClickPicksTheColourAtOnce)
{
    TfrmTWMain& main = Main();
    auto palette = NumberedPalette("Pattern", 0x300000);
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        EXPECT_EQ(dialog.Caption(), "Colour Selection");
        EXPECT_EQ(dialog.Owner(), &main);
        EXPECT_EQ(Colours(dialog).Palette(), palette.get());
        EXPECT_EQ(Colours(dialog).GetColourPanel(8)->Color(), 0x300008u);
        EXPECT_EQ(Colours(dialog).SelectedIndex(), 4);
        EXPECT_TRUE(Colours(dialog).Selectable());
        EXPECT_FALSE(Colours(dialog).Editable());
        EXPECT_FALSE(dialog.btnSelect->Visible());
        EXPECT_FALSE(dialog.framePalette->cbPalette->Enabled());
        EXPECT_EQ(dialog.btnCancel->Left() + dialog.btnCancel->Width(), dialog.pnlTBottom->ClientWidth() - 5);

        fw::TestDriver driver(dialog);
        driver.ClickOn(*Colours(dialog).GetColourPanel(7));
        EXPECT_EQ(dialog.GetModalResult(), fw::mrOk);
    });
    EXPECT_EQ(TfrmColourSel::Execute(palette.get(), 4, &main, false, false), 7);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(coloursAsked.empty());
    EXPECT_EQ(main.FindComponent("frmColourSel"), nullptr);
}

TEST_F(ColourSelectionTest, CancellingAnswersMinusOne)
{
    auto palette = NumberedPalette("Pattern", 0x300000);
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        Colours(dialog).SelectIndex(9);
        EXPECT_TRUE(dialog.ClickCancelButton());
    });
    EXPECT_EQ(TfrmColourSel::Execute(palette.get(), 2, &Main(), true, false), -1);
}

TEST_F(ColourSelectionTest, WithEditingAClickSelectsADoubleClickEditsAndSelectPicks)
{
    auto palette = NumberedPalette("Pattern", 0x300000);
    colourAnswers = {0x00FF00u};
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        EXPECT_TRUE(dialog.btnSelect->Visible());
        EXPECT_TRUE(Colours(dialog).Editable());
        ExpectButtonsFromRight(*dialog.pnlTBottom, *dialog.btnCancel, *dialog.btnSelect);

        fw::TestDriver driver(dialog);
        TTWColourPanel& panel = *Colours(dialog).GetColourPanel(2);
        driver.ClickOn(panel);
        EXPECT_EQ(dialog.GetModalResult(), fw::mrNone) << "a click only selects";
        EXPECT_EQ(Colours(dialog).SelectedIndex(), 2);
        driver.Advance(1000);
        driver.DoubleClick(driver.CentreOf(panel));
        EXPECT_EQ(dialog.GetModalResult(), fw::mrNone);
        EXPECT_EQ(panel.Color(), 0x00FF00u);
        driver.ClickOn(*dialog.btnSelect);
    });
    EXPECT_EQ(TfrmColourSel::Execute(palette.get(), -1, &Main(), true, false), 2);
    EXPECT_EQ(coloursAsked, (std::vector<TTWColour>{0x300002u}));
    // The palette shown takes the colour edited on it.
    EXPECT_EQ(palette->GetColour(2), 0x00FF00u);
}

TEST_F(ColourSelectionTest, SelectWithoutASelectedColourPicksTheFirst)
{
    auto palette = NumberedPalette("Pattern", 0x300000);
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        EXPECT_EQ(Colours(dialog).SelectedPanel(), nullptr);
        dialog.btnSelect->Click();
    });
    EXPECT_EQ(TfrmColourSel::Execute(palette.get(), -1, &Main(), true, false), 0);
}

TEST_F(ColourSelectionTest, WithPaletteChangeAnotherNamedPaletteMayBeShown)
{
    Palettes().Add(NumberedPalette("Sea", 0x500000).release());
    auto palette = NumberedPalette("Pattern", 0x300000);
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        TILComboBox& list = *dialog.framePalette->cbPalette;
        EXPECT_TRUE(list.Enabled());
        fw::TestDriver driver(dialog);
        list.SetFocus();
        driver.PressKey(fw::VK_DOWN);
        EXPECT_EQ(Colours(dialog).Palette(), Palettes().Palettes(1));
        EXPECT_EQ(Colours(dialog).GetColourPanel(1)->Color(), 0x500001u);
        // Without colour editing a double click picks too.
        driver.DoubleClick(driver.CentreOf(*Colours(dialog).GetColourPanel(12)));
    });
    EXPECT_EQ(TfrmColourSel::Execute(palette.get(), 0, &Main(), false, true), 12);
}

TEST_F(PaletteEditingTest, EditsStayOnTheSwatchesUntilAccepted)
{
    TfrmTWMain& main = Main();
    auto palette = NumberedPalette("  Meadow ", 0x004000);
    colourAnswers = {0xABCDEFu};
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        EXPECT_EQ(dialog.Caption(), "Palette Settings");
        EXPECT_EQ(dialog.BorderStyle(), fw::FormBorderStyle::Dialog);
        EXPECT_EQ(dialog.Owner(), &main);
        EXPECT_EQ(dialog.lblCaption->Caption(), "Palette Name");
        EXPECT_TRUE(dialog.edName->Visible());
        EXPECT_EQ(dialog.edName->Text(), "  Meadow ");
        EXPECT_EQ(dialog.framePalette->Palette(), nullptr) << "the swatches hold the edits";
        EXPECT_TRUE(dialog.framePalette->Editable());
        EXPECT_EQ(dialog.framePalette->GetColourPanel(5)->Color(), 0x004005u);
        EXPECT_EQ(dialog.Height(), dialog.framePalette->Top() + dialog.framePalette->Height() + 10
                                       + dialog.pnlTBottom->Height());
        ExpectButtonsFromRight(*dialog.pnlTBottom, *dialog.btnCancel, *dialog.btnAccept);

        fw::TestDriver driver(dialog);
        driver.DoubleClick(driver.CentreOf(*dialog.framePalette->GetColourPanel(5)));
        EXPECT_EQ(palette->GetColour(5), 0x004005u);
        dialog.edName->SetText(" Sea  ");
        driver.ClickOn(*dialog.btnAccept);
    });
    EXPECT_TRUE(TfrmTWEditPalette::Execute(*palette, &main, true));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(palette->Name(), "Sea");
    EXPECT_EQ(palette->GetColour(5), 0xABCDEFu);
    EXPECT_EQ(palette->GetColour(6), 0x004006u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PaletteEditingTest, CancellingLeavesThePaletteUntouched)
{
    auto palette = NumberedPalette("Meadow", 0x004000);
    colourAnswers = {0xABCDEFu};
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        fw::TestDriver driver(dialog);
        driver.DoubleClick(driver.CentreOf(*dialog.framePalette->GetColourPanel(0)));
        EXPECT_EQ(dialog.framePalette->GetColourPanel(0)->Color(), 0xABCDEFu);
        dialog.edName->SetText("Other");
        EXPECT_TRUE(dialog.ClickCancelButton());
    });
    EXPECT_FALSE(TfrmTWEditPalette::Execute(*palette, &Main(), true));
    EXPECT_EQ(palette->Name(), "Meadow");
    EXPECT_EQ(palette->GetColour(0), 0x004000u);
}

TEST_F(PaletteEditingTest, AnEmptyNameIsRefusedOnlyWhileTheNameShows)
{
    auto palette = NumberedPalette("Meadow", 0x004000);
    std::vector<fw::ModalResult> afterRefusal;
    const fw::ScopedHandler named(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        dialog.edName->SetText("   ");
        dialog.btnAccept->Click();
        afterRefusal.push_back(dialog.GetModalResult());
        EXPECT_TRUE(dialog.edName->Focused());
        dialog.edName->SetText("Field");
        dialog.btnAccept->Click();
    });
    EXPECT_TRUE(TfrmTWEditPalette::Execute(*palette, &Main(), true));
    EXPECT_EQ(afterRefusal, (std::vector<fw::ModalResult>{fw::mrNone}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Please enter a name for the palette."}));
    EXPECT_EQ(boxes.back().Buttons, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    EXPECT_EQ(palette->Name(), "Field");

    // A blank name that does not show is neither checked nor edited: it comes back trimmed.
    auto unnamed = NumberedPalette("   ", 0x006000);
    const fw::ScopedHandler colours(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        EXPECT_FALSE(dialog.edName->Visible());
        EXPECT_EQ(dialog.lblCaption->Caption(), "Palette Colours");
        dialog.btnAccept->Click();
    });
    EXPECT_TRUE(TfrmTWEditPalette::Execute(*unnamed, &Main(), false));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(unnamed->Name(), "");
}

// The colour selection with its palette list dropped down, as the real Qt text backend draws
// it, written out for a look.
TEST_F(ColourSelectionTest, TheDialogRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    Palettes().Add(NumberedPalette("Sea", 0x500000).release());
    Palettes().Add(NumberedPalette("Heath", 0x00A000).release());
    fw::Bitmap closed;
    fw::Bitmap dropped;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        closed = fw::RenderToBitmap(dialog);
        TILComboBox& list = *dialog.framePalette->cbPalette;
        list.DropDown();
        TfrmILCBDropDownList* down = list.DropDownWindow();
        ASSERT_NE(down, nullptr);
        dropped = fw::RenderToBitmap(*down);
        // The palettes' own window opens right below the combo box, as wide as it, one row
        // per palette.
        const fw::Point below = list.ClientToScreen(fw::Point{0, list.Height()});
        EXPECT_EQ(down->Left(), below.X);
        EXPECT_EQ(down->Top(), below.Y);
        EXPECT_EQ(down->Width(), list.Width());
        EXPECT_EQ(down->treeItems->Root()->GetCount(), 3);
        list.CloseUp();
        EXPECT_TRUE(dialog.ClickCancelButton());
    });
    TfrmColourSel::Execute(PaletteList().DefaultPalette(), 5, &Main(), true, true);

    const std::string folder = TAVELIN_SHELL_TEST_OUTPUT;
    EXPECT_TRUE(fw::BitmapToQImage(closed).save(QString::fromStdString(folder + "/colour_selection.png")));
    EXPECT_TRUE(fw::BitmapToQImage(dropped).save(QString::fromStdString(folder + "/colour_selection_list.png")));
}
