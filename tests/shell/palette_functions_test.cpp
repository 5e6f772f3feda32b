#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/brush_panel.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/test_driver.h"
#include "model/card.h"
#include "model/card_list.h"
#include "palette_test_support.h"
#include "shell/palette_colour_select_dialog.h"
#include "forms/combo_box.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_functions_frame.h"
#include "shell/palette_list_window.h"
#include "shell/palette_select_frame.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

using namespace palette_test;

namespace {

// A row of card-setup frames that records what it is asked to do.
class FakeCardSetup : public ITWCardSetupColours {
public:
    void SwapColoursSelected(int colour1, int colour2) override { calls.emplace_back("swap", colour1, colour2); }
    void ReplaceColourSelected(int oldColour, int newColour) override
    {
        calls.emplace_back("replace", oldColour, newColour);
    }
    void SetColourIndexSources(ColourIndexSource first, ColourIndexSource second) override
    {
        primary = std::move(first);
        secondary = std::move(second);
    }

    std::vector<std::tuple<std::string, int, int>> calls;
    ColourIndexSource primary;
    ColourIndexSource secondary;
};

class PaletteFunctionsTest : public PaletteTest {
protected:
    void SetUp() override
    {
        PaletteTest::SetUp();
        palette = NumberedPalette("Pattern", 0x400000);
        // Two four-hole cards: holes A..D of the first 1, 2, 3, 4; of the second 4, 3, 2, 1.
        for (int card = 0; card < 2; ++card) {
            std::unique_ptr<TTWCardBase> made = CreateCard(4);
            for (int hole = 0; hole < 4; ++hole) {
                made->SetHoleColour(hole, card == 0 ? hole + 1 : 4 - hole);
            }
            cards.Add(made.release());
        }
        frame = new TfrmTWPaletteFunctions(&Host());
        frame->SetParent(&Host());
        frame->SetBounds(10, 10, frame->Width(), frame->Height());
        frame->SetOnPaletteChanged([this](TfrmTWPaletteFunctions* sender) {
            EXPECT_EQ(sender, frame);
            ++paletteChanges;
        });
        frame->SetPalette(palette.get());
        frame->SetCardList(&cards);
        frame->SetCardSetup(&setup1);
        frame->SetCardSetup2(&setup2);
        paletteChanges = 0;
    }

    std::vector<int> HoleColours() const
    {
        std::vector<int> colours;
        for (int card = 0; card < cards.Count(); ++card) {
            for (int hole = 0; hole < 4; ++hole) {
                colours.push_back(cards.GetCard(card)->HoleColour(hole));
            }
        }
        return colours;
    }

    // Chooses the colours as the user does: left and right button on the 4 x 4 swatches.
    void ChooseColours(int primary, int secondary)
    {
        fw::TestDriver driver(Host());
        driver.ClickOn(*frame->framePalette->GetColourPanel(primary));
        driver.Click(driver.CentreOf(*frame->framePalette->GetColourPanel(secondary)), fw::MouseButton::Right);
    }

    std::unique_ptr<TTWPalette> palette;
    TTWCardList cards;
    FakeCardSetup setup1;
    FakeCardSetup setup2;
    TfrmTWPaletteFunctions* frame = nullptr;
    int paletteChanges = 0;
};

} // namespace

TEST_F(PaletteFunctionsTest, TheButtonsCarryTheirHintsAndNoColourIsChosenAtFirst)
{
    const std::vector<std::pair<fw::SpeedButton*, std::string>> hints{
        {frame->btnSelectPalette, "Select new palette"},
        {frame->btnEditPalette, "Edit palette colours"},
        {frame->btnSwapColours, "Swap primary and secondary colours"},
        {frame->btnReplaceColours, "Replace secondary with primary colour"},
        {frame->btnReplaceCol2, "Replace primary with secondary colour"},
        {frame->btnSwapColourSel, ""}};
    for (const auto& [button, hint] : hints) {
        EXPECT_EQ(button->Hint(), hint) << button->Name();
        EXPECT_FALSE(button->Glyph().Empty()) << button->Name();
        EXPECT_EQ(button->Parent(), static_cast<fw::WinControl*>(frame->pnlColours));
    }
    EXPECT_EQ(frame->pnlColour1->Hint(), "Primary colour");
    EXPECT_EQ(frame->pnlColour2->Hint(), "Secondary colour");
    EXPECT_EQ(frame->GetPrimaryIndex(), -1);
    EXPECT_EQ(frame->GetSecondaryIndex(), -1);
    EXPECT_EQ(frame->pnlColour1->Color(), NoColour);
    EXPECT_EQ(frame->framePalette->Palette(), palette.get());
    EXPECT_EQ(frame->framePalette->GetColourPanel(10)->Color(), 0x40000Au);

    // No palette given changes nothing.
    frame->SetPalette(nullptr);
    EXPECT_EQ(frame->Palette(), palette.get());
    EXPECT_EQ(paletteChanges, 0);
}

TEST_F(PaletteFunctionsTest, LeftAndRightClicksChooseThePrimaryAndSecondaryColour)
{
    std::vector<std::tuple<std::string, TTWColour, int>> reported;
    frame->SetOnPrimaryColour([&](TfrmTWPalette4x4* sender, TTWColour colour, int index) {
        EXPECT_EQ(sender, frame->framePalette);
        reported.emplace_back("primary", colour, index);
    });
    frame->SetOnSecondaryColour([&](TfrmTWPalette4x4* sender, TTWColour colour, int index) {
        EXPECT_EQ(sender, frame->framePalette);
        reported.emplace_back("secondary", colour, index);
    });
    ChooseColours(3, 12);
    EXPECT_EQ(frame->GetPrimaryIndex(), 3);
    EXPECT_EQ(frame->GetSecondaryIndex(), 12);
    EXPECT_EQ(frame->pnlColour1->Color(), 0x400003u);
    EXPECT_EQ(frame->pnlColour2->Color(), 0x40000Cu);
    EXPECT_EQ(reported, (std::vector<std::tuple<std::string, TTWColour, int>>{{"primary", 0x400003u, 3},
                                                                             {"secondary", 0x40000Cu, 12}}));
    // The card-setup rows read the same indices.
    EXPECT_EQ(setup1.primary(), 3);
    EXPECT_EQ(setup2.secondary(), 12);
}

TEST_F(PaletteFunctionsTest, SwapAndReplaceDoNothingWhileAColourIsNotChosen)
{
    const std::vector<int> before = HoleColours();
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->framePalette->GetColourPanel(2));
    for (fw::SpeedButton* button : {frame->btnSwapColours, frame->btnReplaceColours, frame->btnReplaceCol2}) {
        driver.ClickOn(*button);
    }
    EXPECT_EQ(HoleColours(), before);
    EXPECT_TRUE(setup1.calls.empty());
    EXPECT_TRUE(setup2.calls.empty());
    EXPECT_EQ(paletteChanges, 0);
}

TEST_F(PaletteFunctionsTest, SwapExchangesTheTwoIndicesInTheCardsAndTheSelectedCards)
{
    ChooseColours(1, 4);
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->btnSwapColours);
    EXPECT_EQ(HoleColours(), (std::vector<int>{4, 2, 3, 1, 1, 3, 2, 4}));
    const std::vector<std::tuple<std::string, int, int>> swapped{{"swap", 1, 4}};
    EXPECT_EQ(setup1.calls, swapped);
    EXPECT_EQ(setup2.calls, swapped);
    EXPECT_EQ(paletteChanges, 1);
}

TEST_F(PaletteFunctionsTest, ReplaceGivesOneIndexThePlaceOfTheOtherEachWay)
{
    ChooseColours(2, 3);
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->btnReplaceColours);
    EXPECT_EQ(HoleColours(), (std::vector<int>{1, 2, 2, 4, 4, 2, 2, 1}));
    driver.ClickOn(*frame->btnReplaceCol2);
    EXPECT_EQ(HoleColours(), (std::vector<int>{1, 3, 3, 4, 4, 3, 3, 1}));
    EXPECT_EQ(setup1.calls, (std::vector<std::tuple<std::string, int, int>>{{"replace", 3, 2}, {"replace", 2, 3}}));
    EXPECT_EQ(setup2.calls, setup1.calls);
    EXPECT_EQ(paletteChanges, 2);

    // Unbound rows and list hear nothing more.
    frame->SetCardSetup(nullptr);
    frame->SetCardSetup2(nullptr);
    frame->SetCardList(nullptr);
    driver.ClickOn(*frame->btnReplaceColours);
    EXPECT_EQ(setup1.calls.size(), 2u);
    EXPECT_EQ(HoleColours(), (std::vector<int>{1, 3, 3, 4, 4, 3, 3, 1}));
}

TEST_F(PaletteFunctionsTest, SwappingTheChoicesLeavesAnUnchosenSecondaryInTheButtonFace)
{
    fw::TestDriver driver(Host());
    driver.Click(driver.CentreOf(*frame->framePalette->GetColourPanel(6)), fw::MouseButton::Right);
    driver.ClickOn(*frame->btnSwapColourSel);
    EXPECT_EQ(frame->GetPrimaryIndex(), 6);
    EXPECT_EQ(frame->GetSecondaryIndex(), -1);
    EXPECT_EQ(frame->pnlColour1->Color(), 0x400006u);
    EXPECT_EQ(frame->pnlColour2->Color(), fw::clBtnFace);

    driver.ClickOn(*frame->framePalette->GetColourPanel(0));
    driver.Click(driver.CentreOf(*frame->framePalette->GetColourPanel(9)), fw::MouseButton::Right);
    driver.ClickOn(*frame->btnSwapColourSel);
    EXPECT_EQ(frame->GetPrimaryIndex(), 9);
    EXPECT_EQ(frame->GetSecondaryIndex(), 0);
    EXPECT_EQ(frame->pnlColour1->Color(), 0x400009u);
    EXPECT_EQ(frame->pnlColour2->Color(), 0x400000u);
}

TEST_F(PaletteFunctionsTest, AColourPanelClickPicksItsColourFromTheColourSelection)
{
    ChooseColours(5, 7);
    Host().SetBounds(200, 150, 600, 400);
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmColourSel&>(form);
        EXPECT_EQ(dialog.Owner(), &Host());
        EXPECT_EQ(dialog.Left(), 200 + (600 - dialog.Width()) / 2);
        TfrmPalette& colours = *dialog.framePalette->framePalette;
        EXPECT_EQ(colours.Palette(), palette.get());
        EXPECT_FALSE(colours.Editable());
        EXPECT_FALSE(dialog.framePalette->cbPalette->Enabled());
        if (runs == 1) {
            EXPECT_EQ(colours.SelectedIndex(), 7);
            fw::TestDriver driver(dialog);
            driver.ClickOn(*colours.GetColourPanel(14));
        } else {
            EXPECT_TRUE(dialog.ClickCancelButton());
        }
    });
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->pnlColour2);
    EXPECT_EQ(frame->GetSecondaryIndex(), 14);
    EXPECT_EQ(frame->pnlColour2->Color(), 0x40000Eu);
    // Cancelled: the panel keeps its colour.
    driver.ClickOn(*frame->pnlColour1);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(frame->GetPrimaryIndex(), 5);
    EXPECT_EQ(frame->pnlColour1->Color(), 0x400005u);
}

TEST_F(PaletteFunctionsTest, ANamedPaletteChosenFromTheListGivesItsNameAndColours)
{
    Palettes().Add(NumberedPalette("Heath", 0x00A000).release());
    ChooseColours(1, 2);
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        EXPECT_TRUE(window.SelectMode());
        EXPECT_EQ(window.Palettes(), &PaletteList());
        window.treeList->SelectOnly(window.treeList->Root()->FindByText(0, "Heath", true, false));
        window.btnSelect->Click();
    });
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->btnSelectPalette);
    EXPECT_EQ(palette->Name(), "Heath");
    EXPECT_EQ(palette->GetColour(1), 0x00A001u);
    EXPECT_NE(palette.get(), Palettes().FindByName("Heath")) << "copied, not shared";
    EXPECT_EQ(frame->pnlColour1->Color(), 0x00A001u);
    EXPECT_EQ(frame->framePalette->GetColourPanel(8)->Color(), 0x00A008u);
    EXPECT_EQ(paletteChanges, 1);
}

TEST_F(PaletteFunctionsTest, EditingThePaletteColoursRefreshesTheFrame)
{
    ChooseColours(4, 0);
    colourAnswers = {0x0000C0u};
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        EXPECT_FALSE(dialog.edName->Visible());
        dialog.framePalette->ChangeColourClick(dialog.framePalette->GetColourPanel(4));
        dialog.btnAccept->Click();
    });
    fw::TestDriver driver(Host());
    driver.ClickOn(*frame->btnEditPalette);
    EXPECT_EQ(palette->GetColour(4), 0x0000C0u);
    EXPECT_EQ(palette->Name(), "Pattern");
    EXPECT_EQ(frame->pnlColour1->Color(), 0x0000C0u);
    EXPECT_EQ(frame->framePalette->GetColourPanel(4)->Color(), 0x0000C0u);
    EXPECT_EQ(paletteChanges, 1);
}

TEST_F(PaletteFunctionsTest, ACardSetupRowOutlivingTheFrameHearsThatNothingIsChosen)
{
    ChooseColours(8, 9);
    EXPECT_EQ(setup1.primary(), 8);
    delete frame;
    frame = nullptr;
    EXPECT_EQ(setup1.primary(), -1);
    EXPECT_EQ(setup1.secondary(), -1);
}

// The frame as the real Qt backend draws it, written out for a look.
TEST_F(PaletteFunctionsTest, TheFrameRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    TTWPaletteList& list = Palettes();
    palette->Assign(list.DefaultPalette());
    frame->SetPalette(palette.get());
    ChooseColours(12, 14);
    const fw::Bitmap picture = fw::RenderToBitmap(*frame);
    const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/palette_functions.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path)));
    const fw::Point primary{frame->pnlColour1->Left() + frame->pnlColour1->Width() / 2,
                            frame->pnlColour1->Top() + frame->pnlColour1->Height() / 2};
    EXPECT_EQ(picture.Pixel(primary.X, primary.Y), 0xFF0000u);
}
