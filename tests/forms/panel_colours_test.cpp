#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_bevel.h"
#include "controls/brush_panel.h"
#include "controls/control_library.h"
#include "forms/default_panel_colours.h"
#include "controls/il_brush.h"
#include "framework/core/exceptions.h"
#include "framework/gui/std_panel.h"

namespace {

constexpr fw::Color Pink = 0xC0A0FF;
constexpr fw::Color Teal = 0x808000;
constexpr fw::Color Olive = 0x008080;

class PanelColoursTest : public testing::Test {
protected:
    void SetUp() override { InitControlLibrary(); }
    void TearDown() override { ShutdownControlLibrary(); }

    TILFormsDefaultPanelColours colours;
};

TEST_F(PanelColoursTest, NewColoursImposeNothing)
{
    EXPECT_EQ(colours.PanelColour(), 0u);
    EXPECT_EQ(colours.BevelLight(), 0u);
    EXPECT_EQ(colours.BevelDark(), 0u);
    EXPECT_FALSE(colours.PanelColourSet());
    EXPECT_FALSE(colours.BevelLightSet());
    EXPECT_FALSE(colours.BevelDarkSet());
    EXPECT_FALSE(colours.FillBrushSet());

    TILBrushBevel bevel;
    bevel.SetBevelLight(Pink);
    bevel.SetBevelDark(Teal);
    bevel.FillBrush().SetColour(Olive);
    colours.AssignTo(&bevel);
    EXPECT_EQ(bevel.BevelLight(), Pink);
    EXPECT_EQ(bevel.BevelDark(), Teal);
    EXPECT_EQ(bevel.FillBrush().Colour(), Olive);

    fw::Panel panel;
    panel.SetColor(Pink);
    colours.AssignTo(&panel);
    EXPECT_EQ(panel.Color(), Pink);
}

TEST_F(PanelColoursTest, ColourSettersMarkEveryValueButNoColour)
{
    colours.SetPanelColour(Teal);
    colours.SetBevelLight(0); // black is a colour like any other
    colours.SetBevelDark(fw::clBtnShadow);
    EXPECT_TRUE(colours.PanelColourSet());
    EXPECT_TRUE(colours.BevelLightSet());
    EXPECT_TRUE(colours.BevelDarkSet());

    colours.SetPanelColour(fw::clNone);
    colours.SetBevelLight(fw::clNone);
    colours.SetBevelDark(fw::clNone);
    EXPECT_FALSE(colours.PanelColourSet());
    EXPECT_FALSE(colours.BevelLightSet());
    EXPECT_FALSE(colours.BevelDarkSet());
    EXPECT_EQ(colours.PanelColour(), fw::clNone); // the value is stored all the same
}

TEST_F(PanelColoursTest, PanelColourReachesPlainPanelsOnlyWhileSet)
{
    fw::Panel panel;
    panel.SetColor(Pink);
    colours.SetPanelColour(Teal);
    colours.AssignTo(&panel);
    EXPECT_EQ(panel.Color(), Teal);

    panel.SetColor(Pink);
    colours.SetPanelColour(fw::clNone);
    colours.AssignTo(&panel);
    EXPECT_EQ(panel.Color(), Pink);
}

TEST_F(PanelColoursTest, PanelColourNeverReachesBrushPanelsOrBevels)
{
    colours.SetPanelColour(Teal);
    TILBrushPanel brushPanel;
    const fw::Color panelFill = brushPanel.DrawData().FillBrush().Colour();
    colours.AssignTo(&brushPanel);
    EXPECT_EQ(brushPanel.DrawData().FillBrush().Colour(), panelFill);

    TILBrushBevel bevel;
    colours.AssignTo(&bevel);
    EXPECT_EQ(bevel.FillBrush().Colour(), fw::clBtnFace);
}

TEST_F(PanelColoursTest, BevelsTakeOnlyTheSetValues)
{
    TILBrushBevel bevel;
    colours.SetBevelLight(Pink);
    colours.AssignTo(&bevel);
    EXPECT_EQ(bevel.BevelLight(), Pink);
    EXPECT_EQ(bevel.BevelDark(), fw::clBtnShadow);
    EXPECT_EQ(bevel.FillBrush().Colour(), fw::clBtnFace);

    colours.SetBevelDark(Teal);
    colours.FillBrush().SetColour(Olive);
    colours.AssignTo(&bevel);
    EXPECT_EQ(bevel.BevelDark(), Teal);
    EXPECT_EQ(bevel.FillBrush().Colour(), Olive);
}

TEST_F(PanelColoursTest, BevelIsRestyledLightThenDarkThenFill)
{
    TILBrushBevel bevel;
    std::vector<std::string> log;
    bevel.SetOnChange([&](fw::Object*) {
        log.push_back(std::to_string(bevel.BevelLight() == Pink) + std::to_string(bevel.BevelDark() == Teal)
                      + std::to_string(bevel.FillBrush().Colour() == Olive));
    });
    colours.SetBevelLight(Pink);
    colours.SetBevelDark(Teal);
    colours.FillBrush().SetColour(Olive);
    colours.AssignTo(&bevel);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "100");
    EXPECT_EQ(log[1], "110");
    EXPECT_EQ(log.back(), "111");
}

TEST_F(PanelColoursTest, BrushPanelsAreRestyledThroughTheirBevel)
{
    TILBrushPanel panel;
    colours.SetBevelLight(Pink);
    colours.SetBevelDark(Teal);
    colours.FillBrush().SetColour(Olive);
    colours.AssignTo(&panel);
    EXPECT_EQ(panel.DrawData().BevelLight(), Pink);
    EXPECT_EQ(panel.DrawData().BevelDark(), Teal);
    EXPECT_EQ(panel.DrawData().FillBrush().Colour(), Olive);
}

TEST_F(PanelColoursTest, ChangingTheFillBrushItselfMarksItSet)
{
    colours.FillBrush().SetColour(Teal);
    EXPECT_TRUE(colours.FillBrushSet());

    TILFormsDefaultPanelColours other;
    other.FillBrush().SetStyle(fw::BrushStyle::Cross);
    EXPECT_TRUE(other.FillBrushSet());

    TILFormsDefaultPanelColours third;
    third.FillBrush().SetSimpleBrush(true);
    EXPECT_TRUE(third.FillBrushSet());
}

TEST_F(PanelColoursTest, FillBrushPropertyCopiesOrOnlyClears)
{
    TILBrush given;
    given.SetColour(Pink);
    given.SetStyle(fw::BrushStyle::Horizontal);
    colours.SetFillBrush(&given);
    EXPECT_TRUE(colours.FillBrushSet());
    EXPECT_EQ(colours.FillBrush().Colour(), Pink);
    EXPECT_EQ(colours.FillBrush().Style(), fw::BrushStyle::Horizontal);
    EXPECT_NE(&colours.FillBrush(), &given);

    colours.SetFillBrush(nullptr);
    EXPECT_FALSE(colours.FillBrushSet());
    EXPECT_EQ(colours.FillBrush().Colour(), Pink);

    TILBrushBevel bevel;
    colours.AssignTo(&bevel);
    EXPECT_EQ(bevel.FillBrush().Colour(), fw::clBtnFace);
}

TEST_F(PanelColoursTest, AssignLetsFlagsFollowTheValues)
{
    TILFormsDefaultPanelColours source;
    source.SetPanelColour(Teal);
    source.SetBevelLight(Pink);
    source.SetBevelDark(fw::clNone);
    colours.SetBevelDark(Olive);

    colours.Assign(&source);
    EXPECT_EQ(colours.PanelColour(), Teal);
    EXPECT_TRUE(colours.PanelColourSet());
    EXPECT_EQ(colours.BevelLight(), Pink);
    EXPECT_TRUE(colours.BevelLightSet());
    EXPECT_EQ(colours.BevelDark(), fw::clNone);
    EXPECT_FALSE(colours.BevelDarkSet());
}

TEST_F(PanelColoursTest, AssignWithoutASetFillClearsTheFlagButKeepsTheBrush)
{
    colours.FillBrush().SetColour(Olive);
    colours.FillBrush().SetStyle(fw::BrushStyle::Vertical);
    TILFormsDefaultPanelColours source;
    source.FillBrush().SetColour(Pink);
    source.SetFillBrush(nullptr); // looks pink, but not set

    colours.Assign(&source);
    EXPECT_FALSE(colours.FillBrushSet());
    EXPECT_EQ(colours.FillBrush().Colour(), Olive);
    EXPECT_EQ(colours.FillBrush().Style(), fw::BrushStyle::Vertical);
}

TEST_F(PanelColoursTest, AssignWithASetFillCopiesIt)
{
    TILFormsDefaultPanelColours source;
    source.FillBrush().SetColour(Pink);
    source.FillBrush().SetStyle(fw::BrushStyle::DiagCross);
    colours.Assign(&source);
    EXPECT_TRUE(colours.FillBrushSet());
    EXPECT_EQ(colours.FillBrush().Colour(), Pink);
    EXPECT_EQ(colours.FillBrush().Style(), fw::BrushStyle::DiagCross);
}

TEST_F(PanelColoursTest, AssignFromAnythingElseIsIgnored)
{
    colours.SetBevelLight(Pink);
    TILBrush brush;
    brush.SetColour(Teal);
    EXPECT_NO_THROW(colours.Assign(&brush));
    EXPECT_NO_THROW(colours.Assign(nullptr));
    EXPECT_EQ(colours.BevelLight(), Pink);
    EXPECT_TRUE(colours.BevelLightSet());
    EXPECT_FALSE(colours.FillBrushSet());
}

TEST_F(PanelColoursTest, OtherTargetsGoToTheFramework)
{
    TILBrush brush;
    EXPECT_THROW(brush.Assign(&colours), fw::EConvertError);
}

} // namespace
