#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/form.h"
#include "framework/gui/image_list.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

// A 12 x 12 glyph: a black square on a magenta ground (the bottom-left pixel), with a white
// dot that is no ink for the embossed picture.
Bitmap SquareGlyph()
{
    Bitmap glyph(12, 12);
    glyph.FillRect(glyph.Bounds(), clFuchsia);
    glyph.FillRect(Rect{3, 3, 9, 9}, clBlack);
    glyph.SetPixel(5, 5, clWhite);
    return glyph;
}

int CountColour(const Bitmap& picture, Color colour)
{
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            count += picture.Pixel(x, y) == ColorToRGB(colour) ? 1 : 0;
        }
    }
    return count;
}

// A tool panel with a few buttons that log their clicks with the Down they see.
class ToolForm : public Form {
public:
    explicit ToolForm(std::vector<std::string>& log)
    {
        SetBounds(0, 0, 200, 60);
        panel = new Panel(this);
        panel->SetParent(this);
        panel->SetAlign(Align::Client);
        for (int i = 0; i < 3; ++i) {
            auto* button = new SpeedButton(this);
            button->SetParent(panel);
            button->SetLeft(5 + i * 23);
            button->SetTop(5);
            button->SetOnClick([&log, i, button](Object*) {
                log.push_back("click " + std::to_string(i) + (button->Down() ? " down" : " up"));
            });
            buttons.push_back(button);
        }
        FinishLoading();
    }
    Panel* panel;
    std::vector<SpeedButton*> buttons;
};

class SpeedButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearPostedMessages();
        form = std::make_unique<ToolForm>(log);
        form->Show();
        driver = std::make_unique<TestDriver>(*form);
    }
    void TearDown() override
    {
        driver.reset();
        form.reset();
        ClearPostedMessages();
    }
    SpeedButton& Button(int i) { return *form->buttons[static_cast<std::size_t>(i)]; }

    std::vector<std::string> log;
    std::unique_ptr<ToolForm> form;
    std::unique_ptr<TestDriver> driver;
};

} // namespace

TEST_F(SpeedButtonTest, APlainButtonClicksOnAReleaseOverItAndSpringsBack)
{
    EXPECT_EQ(Button(0).Width(), 23);
    EXPECT_EQ(Button(0).Height(), 22);
    const Point centre = driver->CentreOf(Button(0));
    driver->Press(centre);
    EXPECT_TRUE(Button(0).ShowsPushed());
    driver->MoveTo(Point{centre.X + 40, centre.Y});
    EXPECT_FALSE(Button(0).ShowsPushed()) << "pushed only while the pointer is over it";
    driver->Release(Point{centre.X + 40, centre.Y});
    EXPECT_TRUE(log.empty()) << "released elsewhere: no click";

    driver->Click(centre);
    driver->Click(centre);
    EXPECT_EQ(log, (std::vector<std::string>{"click 0 up", "click 0 up"})) << "two quick clicks are two clicks";
    EXPECT_FALSE(Button(0).Down());
    Button(0).SetDown(true);
    EXPECT_FALSE(Button(0).Down()) << "a button of no group is never down";
}

TEST_F(SpeedButtonTest, AnIndependentToggleFlipsAndTheClickSeesTheNewState)
{
    Button(1).SetGroupIndex(351);
    Button(1).SetAllowAllUp(true);
    driver->ClickOn(Button(1));
    EXPECT_TRUE(Button(1).Down());
    driver->ClickOn(Button(1));
    EXPECT_FALSE(Button(1).Down());
    EXPECT_EQ(log, (std::vector<std::string>{"click 1 down", "click 1 up"}));

    // From code the state changes without any click, and so does Enabled.
    log.clear();
    Button(1).SetDown(true);
    Button(1).SetEnabled(false);
    Button(1).SetDown(false);
    Button(1).SetEnabled(true);
    EXPECT_TRUE(log.empty());
    Button(1).SetEnabled(false);
    driver->ClickOn(Button(1));
    EXPECT_TRUE(log.empty()) << "a disabled button takes no clicks";
    EXPECT_FALSE(Button(1).Down());
}

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDownUnlessAllMayBeUp)
{
    for (int i = 0; i < 3; ++i) {
        Button(i).SetGroupIndex(7);
    }
    driver->ClickOn(Button(0));
    driver->ClickOn(Button(2));
    EXPECT_FALSE(Button(0).Down());
    EXPECT_TRUE(Button(2).Down());
    // The down one clicked again stays down but still clicks.
    driver->ClickOn(Button(2));
    EXPECT_TRUE(Button(2).Down());
    EXPECT_EQ(log, (std::vector<std::string>{"click 0 down", "click 2 down", "click 2 down"}));
    // From code as well: it cannot be raised, another one going down raises it.
    Button(2).SetDown(false);
    EXPECT_TRUE(Button(2).Down());
    Button(1).SetDown(true);
    EXPECT_FALSE(Button(2).Down());
    EXPECT_TRUE(Button(1).Down());

    // AllowAllUp is the group's: set on one, the others follow.
    Button(0).SetAllowAllUp(true);
    EXPECT_TRUE(Button(1).AllowAllUp());
    driver->ClickOn(Button(1));
    EXPECT_FALSE(Button(1).Down());
    // Other groups are not touched.
    Button(0).SetGroupIndex(8);
    Button(0).SetDown(true);
    Button(2).SetDown(true);
    EXPECT_TRUE(Button(0).Down());
}

TEST_F(SpeedButtonTest, FlatButtonsShowAnEdgeOnlyUnderThePointerOrWhenDown)
{
    SpeedButton& button = Button(0);
    button.SetFlat(true);
    const Color face = ColorToRGB(clBtnFace);
    auto topLeft = [&] { return RenderToBitmap(button).Pixel(0, 0); };
    EXPECT_EQ(topLeft(), face) << "the panel shows through a flat button";
    driver->MoveTo(driver->CentreOf(button));
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(topLeft(), ColorToRGB(clBtnHighlight)) << "raised under the pointer";
    driver->MoveTo(Point{190, 50});
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(topLeft(), face);

    // Down: a sunken edge and a checked light face.
    button.SetGroupIndex(1);
    button.SetAllowAllUp(true);
    button.SetDown(true);
    const Bitmap down = RenderToBitmap(button);
    EXPECT_EQ(down.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(down.Pixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(down.Pixel(3, 2), face);

    // The raised look of a plain button.
    SpeedButton& plain = Button(2);
    const Bitmap raised = RenderToBitmap(plain);
    EXPECT_EQ(raised.Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(raised.Pixel(22, 21), ColorToRGB(cl3DDkShadow));
}

TEST_F(SpeedButtonTest, TheGlyphComesFromTheImageListOrTheBitmapAndIsEmbossedWhenDisabled)
{
    SpeedButton& button = Button(0);
    button.SetGlyph(SquareGlyph());
    Bitmap picture = RenderToBitmap(button);
    // Centred: (23 - 12) / 2 = 5 across, (22 - 12) / 2 = 5 down; the ground is transparent.
    EXPECT_EQ(CountColour(picture, clBlack), 35);
    EXPECT_EQ(picture.Pixel(8, 8), 0x000000u);
    EXPECT_EQ(CountColour(picture, clFuchsia), 0);

    // Pushed, it moves one pixel right and down.
    driver->Press(driver->CentreOf(button));
    picture = RenderToBitmap(button);
    EXPECT_EQ(picture.Pixel(8, 8), ColorToRGB(clBtnFace)) << "the glyph's corner moved away";
    EXPECT_EQ(picture.Pixel(14, 14), 0x000000u);
    driver->Release(driver->CentreOf(button));

    // Disabled: no black at all, the square's shape in shadow with a highlight one pixel
    // below and right of it; the white dot is no ink.
    button.SetEnabled(false);
    picture = RenderToBitmap(button);
    EXPECT_EQ(CountColour(picture, clBlack), 0);
    EXPECT_EQ(picture.Pixel(8, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(14, 14), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(picture.Pixel(10, 10), ColorToRGB(clBtnHighlight))
        << "the white pixel is no ink: its neighbour's highlight shows there, not the shadow";

    // An image list's picture wins over the bitmap; a freed list is forgotten.
    auto* images = new ImageList(16, 16);
    Bitmap red(16, 16);
    red.FillRect(red.Bounds(), clRed);
    images->Add(red);
    button.SetEnabled(true);
    button.SetImages(images);
    button.SetImageIndex(0);
    EXPECT_EQ(CountColour(RenderToBitmap(button), clRed), 256);
    button.SetImageIndex(5);
    EXPECT_EQ(CountColour(RenderToBitmap(button), clRed), 0) << "no such picture: the bitmap glyph";
    button.SetImageIndex(0);
    delete images;
    EXPECT_EQ(button.Images(), nullptr);
    EXPECT_EQ(CountColour(RenderToBitmap(button), clBlack), 35);
}

TEST_F(SpeedButtonTest, TheHintShowsWhenShowHintIsSet)
{
    App().SetHintPause(500);
    SpeedButton& button = Button(0);
    button.SetHint("Open file");
    button.SetShowHint(true);
    driver->MoveTo(driver->CentreOf(button));
    driver->Advance(500);
    HintWindow& hint = driver->Router().GetHintWindow();
    EXPECT_TRUE(hint.Active());
    EXPECT_EQ(hint.Text(), "Open file");

    Button(1).SetHint("Save");
    Button(1).SetShowHint(false);
    driver->MoveTo(driver->CentreOf(Button(1)));
    driver->Advance(2000);
    EXPECT_FALSE(hint.Active()) << "no hint without ShowHint";
}
