#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "controls/brush_panel.h"
#include "forms/combo_box.h"
#include "framework/gui/std_label.h"
#include "framework/gui/test_driver.h"
#include "palette_test_support.h"
#include "shell/palette_frame.h"
#include "shell/palette_select_frame.h"

using namespace palette_test;

namespace {

class PaletteFrameTest : public PaletteTest {
protected:
    template <class Frame = TfrmPalette>
    Frame& NewFrame()
    {
        auto* frame = new Frame(&Host());
        frame->SetParent(&Host());
        frame->SetLeft(10);
        frame->SetTop(10);
        return *frame;
    }
};

// A data module that holds the program-wide colour dialog.
class ColourDataModule : public shell_test::FakeDataModule {
public:
    explicit ColourDataModule(fw::Component* owner) : FakeDataModule(owner), dlgColours(new fw::ColorDialog(this))
    {
        dlgColours->SetName("dlgColours");
    }
    fw::ColorDialog* const dlgColours;
};

std::vector<int> BorderedPanels(const TfrmPalette& frame)
{
    std::vector<int> bordered;
    for (int i = 0; i < TfrmPalette::ColourCount; ++i) {
        if (frame.GetColourPanel(i)->SingleBorder()) {
            bordered.push_back(i);
        }
    }
    return bordered;
}

} // namespace

TEST_F(PaletteFrameTest, SwatchesAreNumberedPanelsTaggedWithTheirIndex)
{
    TfrmPalette& frame = NewFrame();
    for (int i = 0; i < TfrmPalette::ColourCount; ++i) {
        TTWColourPanel* panel = frame.GetColourPanel(i);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->Name(), "ColPanel" + std::to_string(i + 1));
        EXPECT_EQ(panel->Tag(), i);
        EXPECT_EQ(panel->BevelOuter(), fw::PanelBevel::Lowered);
        EXPECT_EQ(panel->Parent(), static_cast<fw::WinControl*>(frame.ILBrushPanel1));
        EXPECT_EQ(frame.GetNumberLabel(i)->Caption(), std::to_string(i + 1));
        EXPECT_TRUE(frame.GetNumberLabel(i)->Visible());
    }
    EXPECT_EQ(frame.GetColourPanel(-1), nullptr);
    EXPECT_EQ(frame.GetColourPanel(16), nullptr);
    // Two rows of eight.
    EXPECT_EQ(frame.GetColourPanel(7)->Top(), frame.GetColourPanel(0)->Top());
    EXPECT_GT(frame.GetColourPanel(8)->Top(), frame.GetColourPanel(7)->Top());
    EXPECT_EQ(frame.GetColourPanel(8)->Left(), frame.GetColourPanel(0)->Left());
    EXPECT_FALSE(frame.Selectable());
    EXPECT_FALSE(frame.Editable());
}

TEST_F(PaletteFrameTest, ABoundPaletteShowsItsColoursAndTakesThoseSetOnTheSwatches)
{
    TfrmPalette& frame = NewFrame();
    auto palette = NumberedPalette("Autumn", 0x102030);
    palette->SetSize(4);
    frame.SetPalette(palette.get());
    EXPECT_EQ(frame.Palette(), palette.get());
    EXPECT_EQ(frame.GetColourPanel(0)->Color(), 0x102030u);
    EXPECT_EQ(frame.GetColourPanel(3)->Color(), 0x102033u);
    // Indices the palette lacks show no colour.
    EXPECT_EQ(frame.GetColourPanel(4)->Color(), NoColour);
    EXPECT_EQ(frame.GetColourPanel(15)->Color(), NoColour);

    frame.SetPanelColour(2, 0x00AA00);
    EXPECT_EQ(frame.GetColourPanel(2)->Color(), 0x00AA00u);
    EXPECT_EQ(palette->GetColour(2), 0x00AA00u);
    frame.SetPanelColour(16, 0x0000FF);
    frame.SetPanelColour(-1, 0x0000FF);
    EXPECT_EQ(palette->Size(), 4);

    // Unbound, the swatches keep their colours and the palette no longer follows them.
    frame.SetPalette(nullptr);
    EXPECT_EQ(frame.GetColourPanel(2)->Color(), 0x00AA00u);
    frame.SetPanelColour(1, 0x777777);
    EXPECT_EQ(palette->GetColour(1), 0x102031u);

    TTWPalette copy;
    frame.CopyToPalette(&copy);
    EXPECT_EQ(copy.GetColour(1), 0x777777u);
    EXPECT_EQ(copy.GetColour(2), 0x00AA00u);
    EXPECT_EQ(copy.GetColour(15), NoColour);
    frame.CopyToPalette(nullptr);
}

TEST_F(PaletteFrameTest, SelectingOutsideTheSwatchesSelectsNothing)
{
    TfrmPalette& frame = NewFrame();
    frame.SelectIndex(3);
    EXPECT_TRUE(BorderedPanels(frame).empty()) << "a frame that is not selectable selects nothing";
    frame.SetSelectable(true);
    frame.SelectIndex(16);
    frame.SelectIndex(-1);
    EXPECT_EQ(frame.SelectedIndex(), 0);
    EXPECT_EQ(frame.SelectedPanel(), nullptr);
    EXPECT_TRUE(BorderedPanels(frame).empty());

    frame.SelectIndex(5);
    EXPECT_EQ(frame.SelectedIndex(), 5);
    frame.SelectIndex(-1);
    EXPECT_EQ(frame.SelectedIndex(), 5);
    frame.SelectIndex(11);
    EXPECT_EQ(frame.SelectedIndex(), 11);
    EXPECT_EQ(BorderedPanels(frame), (std::vector<int>{11}));
}

TEST_F(PaletteFrameTest, TheSelectedSwatchIsDrawnInsideABlackBorder)
{
    TfrmPalette& frame = NewFrame();
    frame.SetSelectable(true);
    auto palette = NumberedPalette("Light", 0xE0E0E0);
    frame.SetPalette(palette.get());
    TTWColourPanel& panel = *frame.GetColourPanel(6);
    fw::Bitmap plain = fw::RenderToBitmap(panel);
    // Lowered: the shadow colour on the top-left edge.
    EXPECT_EQ(plain.Pixel(0, 0), fw::ColorToRGB(fw::clBtnShadow));

    fw::TestDriver driver(Host());
    driver.ClickOn(panel);
    EXPECT_EQ(frame.SelectedIndex(), 6);
    fw::Bitmap bordered = fw::RenderToBitmap(panel);
    EXPECT_EQ(bordered.Pixel(0, 0), 0x000000u);
    EXPECT_EQ(bordered.Pixel(panel.Width() - 1, panel.Height() / 2), 0x000000u);
    EXPECT_EQ(bordered.Pixel(1, 1), fw::ColorToRGB(fw::clBtnShadow));
    EXPECT_EQ(bordered.Pixel(panel.Width() / 2, panel.Height() / 2), 0xE0E0E6u);
}

TEST_F(PaletteFrameTest, ADoubleClickEditsTheColourOnlyWhenEditable)
{
    TfrmPalette& frame = NewFrame();
    auto palette = NumberedPalette("Bright", 0x200000);
    frame.SetPalette(palette.get());
    fw::TestDriver driver(Host());
    TTWColourPanel& panel = *frame.GetColourPanel(9);

    colourAnswers = {0x0000FFu};
    driver.DoubleClick(driver.CentreOf(panel));
    EXPECT_TRUE(coloursAsked.empty()) << "not editable";

    frame.SetEditable(true);
    driver.Advance(1000);
    driver.DoubleClick(driver.CentreOf(panel));
    EXPECT_EQ(coloursAsked, (std::vector<TTWColour>{0x200009u}));
    EXPECT_EQ(panel.Color(), 0x0000FFu);
    EXPECT_EQ(palette->GetColour(9), 0x0000FFu);

    colourAnswers = {std::nullopt};
    driver.Advance(1000);
    driver.DoubleClick(driver.CentreOf(panel));
    EXPECT_EQ(coloursAsked.size(), 2u);
    EXPECT_EQ(palette->GetColour(9), 0x0000FFu) << "a cancelled dialog changes nothing";
}

TEST_F(PaletteFrameTest, ColoursAreEditedInTheDataModulesDialog)
{
    TfrmTWMain& main = Main();
    auto* module = new ColourDataModule(&main);
    main.SetDataModule(module);
    TfrmPalette& frame = NewFrame();
    frame.SetEditable(true);
    colourAnswers = {0x123456u};
    frame.ChangeColourClick(frame.GetColourPanel(0));
    ASSERT_EQ(colourDialogs.size(), 1u);
    EXPECT_EQ(colourDialogs[0], module->dlgColours);
    EXPECT_EQ(frame.GetColourPanel(0)->Color(), 0x123456u);
    main.SetDataModule(nullptr);
    delete module;
}

TEST_F(PaletteFrameTest, TheFourByFourFrameReportsLeftAndRightButtonChoices)
{
    auto& frame = NewFrame<TfrmTWPalette4x4>();
    auto palette = NumberedPalette("Small", 0x000100);
    frame.SetPalette(palette.get());
    std::vector<std::tuple<std::string, TTWColour, int>> chosen;
    frame.SetOnSelectColour([&](TfrmTWPalette4x4* sender, TTWColour colour, int index) {
        EXPECT_EQ(sender, &frame);
        chosen.emplace_back("primary", colour, index);
    });
    frame.SetOnSelectAltColour([&](TfrmTWPalette4x4* sender, TTWColour colour, int index) {
        EXPECT_EQ(sender, &frame);
        chosen.emplace_back("secondary", colour, index);
    });
    EXPECT_FALSE(frame.GetNumberLabel(0)->Visible());
    EXPECT_FALSE(frame.Selectable());
    EXPECT_FALSE(frame.Editable());
    // Four rows of four.
    EXPECT_EQ(frame.GetColourPanel(3)->Top(), frame.GetColourPanel(0)->Top());
    EXPECT_EQ(frame.GetColourPanel(4)->Left(), frame.GetColourPanel(0)->Left());
    EXPECT_GT(frame.GetColourPanel(12)->Top(), frame.GetColourPanel(8)->Top());

    fw::TestDriver driver(Host());
    driver.ClickOn(*frame.GetColourPanel(5));
    driver.Click(driver.CentreOf(*frame.GetColourPanel(14)), fw::MouseButton::Right);
    // The right button pressed on a swatch and released elsewhere chooses nothing.
    driver.Press(driver.CentreOf(*frame.GetColourPanel(2)), fw::MouseButton::Right);
    driver.Release(fw::Point{500, 300}, fw::MouseButton::Right);
    EXPECT_EQ(chosen, (std::vector<std::tuple<std::string, TTWColour, int>>{{"primary", 0x000105u, 5},
                                                                          {"secondary", 0x00010Eu, 14}}));
    EXPECT_EQ(frame.SelectedPanel(), nullptr);
    EXPECT_TRUE(coloursAsked.empty());
}

TEST_F(PaletteFrameTest, TheChooserListsTheNamedPalettesAndShowsTheOneChosen)
{
    Palettes().Add(NumberedPalette("Spring", 0x001000).release());
    Palettes().Add(NumberedPalette("Autumn", 0x002000).release());
    auto& chooser = NewFrame<TfrmPaletteSel>();
    EXPECT_EQ(chooser.lblPalette->Caption(), "Current Palette");
    const TILComboBoxItemCollection& items = chooser.cbPalette->Items();
    ASSERT_EQ(items.Count(), 3);
    // In list order, not sorted.
    EXPECT_EQ(items.GetItem(0)->Caption(), "(Default)");
    EXPECT_EQ(items.GetItem(1)->Caption(), "Spring");
    EXPECT_EQ(items.GetItem(2)->Caption(), "Autumn");
    EXPECT_EQ(items.GetItem(2)->Data(), Palettes().Palettes(2));
    EXPECT_EQ(chooser.cbPalette->ItemIndex(), 0);
    EXPECT_EQ(chooser.framePalette->Palette(), Palettes().Palettes(0));
    EXPECT_EQ(chooser.framePalette->GetColourPanel(15)->Color(), 0xFFFFFFu);
    EXPECT_TRUE(chooser.PaletteChangeable());

    fw::TestDriver driver(Host());
    chooser.cbPalette->SetFocus();
    driver.PressKey(fw::VK_DOWN);
    EXPECT_EQ(chooser.cbPalette->ItemIndex(), 1);
    EXPECT_EQ(chooser.framePalette->Palette(), Palettes().Palettes(1));
    EXPECT_EQ(chooser.framePalette->GetColourPanel(3)->Color(), 0x001003u);

    chooser.SetPaletteChangeable(false);
    EXPECT_FALSE(chooser.PaletteChangeable());
    EXPECT_FALSE(chooser.cbPalette->Enabled());
}
