#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_bevel.h"
#include "controls/brush_fill.h"
#include "controls/brush_panel.h"
#include "controls/control_library.h"
#include "forms/forms_default_style.h"
#include "controls/il_brush.h"
#include "controls/position.h"
#include "controls/scroll_box.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_properties.h"

namespace {

constexpr fw::Color Pink = 0xC0A0FF;
constexpr fw::Color Teal = 0x808000;
constexpr fw::Color Olive = 0x008080;
constexpr fw::Color Navy = 0x800000;

class DefaultStyleTest : public testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        InitTreeGridLibrary();
    }
    void TearDown() override
    {
        ShutdownTreeGridLibrary();
        ShutdownControlLibrary();
    }

    // A style that sets every panel value.
    void SetEveryPanelValue()
    {
        style.Panels().SetPanelColour(Teal);
        style.Panels().SetBevelLight(Pink);
        style.Panels().SetBevelDark(Navy);
        style.Panels().FillBrush().SetColour(Olive);
    }

    TILFormsDefaultStyle style;
};

TEST_F(DefaultStyleTest, ANewStyleImposesNoPanelValuesButTheTreeDefaults)
{
    EXPECT_FALSE(style.Panels().PanelColourSet());
    EXPECT_FALSE(style.Panels().BevelLightSet());
    EXPECT_FALSE(style.Panels().BevelDarkSet());
    EXPECT_FALSE(style.Panels().FillBrushSet());
    EXPECT_EQ(style.Trees().ColourLine(), 0x008000u);
    EXPECT_EQ(style.Trees().ColourButton(), 0xFFFFFFu);
    EXPECT_FALSE(style.Trees().GridPenSet());

    TILBrushPanel panel;
    const TILBrushBevel designed(nullptr);
    style.AssignTo(&panel);
    EXPECT_EQ(panel.DrawData().BevelLight(), designed.BevelLight());
    EXPECT_EQ(panel.DrawData().BevelDark(), designed.BevelDark());
    EXPECT_EQ(panel.DrawData().FillBrush().Colour(), designed.FillBrush().Colour());
}

TEST_F(DefaultStyleTest, TreesAlwaysTakeTheTreeColours)
{
    TILTree tree;
    tree.SetColourLine(Pink);
    tree.SetDefaultColoursID(4); // a stored scheme does not protect a tree here
    style.AssignTo(&tree);
    EXPECT_EQ(tree.ColourLine(), 0x008000u);

    style.Trees().SetColourLine(fw::clNone);
    tree.SetColourLine(Pink);
    style.AssignTo(&tree);
    EXPECT_EQ(tree.ColourLine(), Pink);
}

TEST_F(DefaultStyleTest, TreesAreNotRestyledAsPanels)
{
    SetEveryPanelValue();
    TILTree tree;
    style.AssignTo(&tree);
    // The tree's background comes from the tree colours' normal fill, not the panel colour.
    EXPECT_EQ(tree.Color(), 0xC6F0ACu);
    EXPECT_EQ(tree.Color(), style.Trees().DrawNormal().FillBrush()->Colour());
}

TEST_F(DefaultStyleTest, PanelsBevelsAndPlainPanelsTakeThePanelValues)
{
    SetEveryPanelValue();

    TILBrushPanel brushPanel;
    style.AssignTo(&brushPanel);
    EXPECT_EQ(brushPanel.DrawData().BevelLight(), Pink);
    EXPECT_EQ(brushPanel.DrawData().BevelDark(), Navy);
    EXPECT_EQ(brushPanel.DrawData().FillBrush().Colour(), Olive);

    TILBrushBevel bevel;
    style.AssignTo(&bevel);
    EXPECT_EQ(bevel.BevelLight(), Pink);
    EXPECT_EQ(bevel.FillBrush().Colour(), Olive);

    fw::Panel panel;
    style.AssignTo(&panel);
    EXPECT_EQ(panel.Color(), Teal);
}

TEST_F(DefaultStyleTest, ScrollBoxesTakeTheFillOnlyWhenItIsSet)
{
    TILScrollBox box;
    box.Background().SetColour(Pink);
    style.Panels().SetBevelLight(Navy);
    style.AssignTo(&box);
    EXPECT_EQ(box.Background().Colour(), Pink);

    style.Panels().FillBrush().SetColour(Olive);
    style.Panels().FillBrush().SetStyle(fw::BrushStyle::Cross);
    style.AssignTo(&box);
    EXPECT_EQ(box.Background().Colour(), Olive);
    EXPECT_EQ(box.Background().Style(), fw::BrushStyle::Cross);
}

TEST_F(DefaultStyleTest, BrushesAndBrushFillsTakeTheFillOnlyWhenItIsSet)
{
    TILBrush brush;
    brush.SetColour(Pink);
    TILBrushFill fill;
    fill.Brush().SetColour(Pink);
    style.AssignTo(&brush);
    style.AssignTo(&fill);
    EXPECT_EQ(brush.Colour(), Pink);
    EXPECT_EQ(fill.Brush().Colour(), Pink);

    TILBrush given;
    given.SetColour(Teal);
    style.Panels().SetFillBrush(&given);
    style.AssignTo(&brush);
    style.AssignTo(&fill);
    EXPECT_EQ(brush.Colour(), Teal);
    EXPECT_EQ(fill.Brush().Colour(), Teal);
}

TEST_F(DefaultStyleTest, AnythingElseIsLeftAlone)
{
    SetEveryPanelValue();
    TILTextPosition position;
    fw::Button button;
    button.SetColor(Pink);
    EXPECT_NO_THROW(style.AssignTo(&position));
    EXPECT_NO_THROW(style.AssignTo(&button));
    EXPECT_NO_THROW(style.AssignTo(nullptr));
    EXPECT_EQ(button.Color(), Pink);
}

TEST_F(DefaultStyleTest, AssigningAStyleToAControlImposesIt)
{
    SetEveryPanelValue();
    TILBrushPanel panel;
    panel.Assign(&style);
    EXPECT_EQ(panel.DrawData().BevelLight(), Pink);
}

TEST_F(DefaultStyleTest, SettingPartsCopiesIntoTheOwnedObjects)
{
    TILFormsDefaultPanelColours* ownPanels = &style.Panels();
    TILFormsDefaultTreeColours* ownTrees = &style.Trees();

    TILFormsDefaultPanelColours panels;
    panels.SetBevelDark(Teal);
    TILFormsDefaultTreeColours trees;
    trees.SetColourButton(Pink);
    style.SetPanels(panels);
    style.SetTrees(trees);

    EXPECT_EQ(&style.Panels(), ownPanels);
    EXPECT_EQ(&style.Trees(), ownTrees);
    EXPECT_EQ(style.Panels().BevelDark(), Teal);
    EXPECT_EQ(style.Trees().ColourButton(), Pink);
    panels.SetBevelDark(Olive);
    EXPECT_EQ(style.Panels().BevelDark(), Teal);
}

TEST_F(DefaultStyleTest, AssignCopiesBothPartsFromAnotherStyleOnly)
{
    TILFormsDefaultStyle source;
    source.Panels().SetBevelLight(Navy);
    source.Trees().SetColourLine(Olive);
    style.Assign(&source);
    EXPECT_EQ(style.Panels().BevelLight(), Navy);
    EXPECT_TRUE(style.Panels().BevelLightSet());
    EXPECT_EQ(style.Trees().ColourLine(), Olive);

    TILFormsDefaultPanelColours stranger;
    stranger.SetBevelLight(Pink);
    EXPECT_NO_THROW(style.Assign(&stranger));
    EXPECT_EQ(style.Panels().BevelLight(), Navy);
}

TEST_F(DefaultStyleTest, ApplyToControlsGoesFirstToLast)
{
    TILBrushBevel first;
    TILBrushBevel second;
    std::vector<std::string> log;
    first.SetOnChange([&](fw::Object*) { log.emplace_back("first"); });
    second.SetOnChange([&](fw::Object*) { log.emplace_back("second"); });
    style.Panels().SetBevelLight(Pink);

    ApplyToControls(style, {&second, nullptr, &first});
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(first.BevelLight(), Pink);
    EXPECT_EQ(second.BevelLight(), Pink);
}

TEST_F(DefaultStyleTest, AnEmptyControlListChangesNothing)
{
    SetEveryPanelValue();
    std::vector<fw::Persistent*> none;
    EXPECT_NO_THROW(ApplyToControls(style, none));
    EXPECT_NO_THROW(ApplyToControls(style, {}));
}

TEST(GlobalDefaultStyle, LivesFromTheFirstStartToTheBalancingShutDown)
{
    ASSERT_EQ(FormsDefaultStyle(), nullptr);
    InitFormsDefaultStyle();
    TILFormsDefaultStyle* style = FormsDefaultStyle();
    ASSERT_NE(style, nullptr);
    EXPECT_FALSE(style->Panels().FillBrushSet());
    EXPECT_EQ(style->Trees().ColourLine(), 0x008000u);

    InitFormsDefaultStyle();
    EXPECT_EQ(FormsDefaultStyle(), style);
    ShutdownFormsDefaultStyle();
    EXPECT_EQ(FormsDefaultStyle(), style);
    ShutdownFormsDefaultStyle();
    EXPECT_EQ(FormsDefaultStyle(), nullptr);
    ShutdownFormsDefaultStyle(); // unbalanced: nothing happens
    EXPECT_EQ(FormsDefaultStyle(), nullptr);
}

TEST(GlobalDefaultStyle, ResetForTestsStartsFromTheStartUpValues)
{
    InitFormsDefaultStyle();
    FormsDefaultStyle()->Panels().SetBevelDark(Pink);
    ResetFormsDefaultStyleForTests();
    ASSERT_NE(FormsDefaultStyle(), nullptr);
    EXPECT_FALSE(FormsDefaultStyle()->Panels().BevelDarkSet());
    ShutdownFormsDefaultStyle();
    EXPECT_EQ(FormsDefaultStyle(), nullptr);
}

} // namespace
