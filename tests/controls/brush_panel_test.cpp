#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "controls/brush_panel.h"
#include "controls/control_library.h"
#include "controls/panel_component_info.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"

namespace {

constexpr fw::Color Red = 0x0000FF;
constexpr fw::Color Green = 0x00FF00;
constexpr fw::Color Blue = 0xFF0000;
constexpr fw::Color Black = 0x000000;
constexpr fw::Color Light = 0x00FFFF;
constexpr fw::Color Dark = 0x808000;

class BrushPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend);
    }
    void TearDown() override
    {
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    // A panel with distinct bevel colours, so every pixel tells where it came from.
    static void Colour(TILBrushPanel& panel, fw::Color fill)
    {
        panel.DrawData().FillBrush().SetColour(fill);
        panel.DrawData().SetBevelLight(Light);
        panel.DrawData().SetBevelDark(Dark);
    }

    // A panel on the parent (which owns it) at bounds, coloured as Colour does.
    static TILBrushPanel* AddColouredPanel(fw::WinControl& parent, const fw::Rect& bounds, fw::Color fill)
    {
        auto* panel = new TILBrushPanel(&parent);
        panel->SetParent(&parent);
        panel->SetBoundsRect(bounds);
        Colour(*panel, fill);
        return panel;
    }

    fw::FakePaintBackend backend;
};

// --- Layout ----------------------------------------------------------------------------------

TEST_F(BrushPanelTest, NewAlignedPanelIsOwnedNamedPlacedAndAligned)
{
    fw::Component owner;
    fw::CustomControl host;
    host.SetBounds(0, 0, 100, 80);
    TILBrushPanel* panel = NewAlignedBrushPanel(owner, &host, "pnlButtons", fw::Align::Bottom);
    EXPECT_EQ(panel->Owner(), &owner);
    EXPECT_EQ(panel->Name(), "pnlButtons");
    EXPECT_EQ(panel->Parent(), &host);
    EXPECT_EQ(panel->Align(), fw::Align::Bottom);
    EXPECT_EQ(panel->BoundsRect(), (fw::Rect{0, 50, 100, 80})) << "its 30 pixels along the bottom";
}

TEST_F(BrushPanelTest, NewPanelHasTheDocumentedLooks)
{
    TILBrushPanel panel;
    EXPECT_EQ(panel.Width(), 100);
    EXPECT_EQ(panel.Height(), 30);
    EXPECT_EQ(panel.DrawData().BevelOuter(), TBevelCut::Raised);
    EXPECT_EQ(panel.DrawData().BevelInner(), TBevelCut::None);
    EXPECT_EQ(panel.Color(), fw::clBtnFace);
    EXPECT_FALSE(panel.ParentColor());
    EXPECT_FALSE(panel.ParentFont());
    EXPECT_FALSE(panel.Rounded());
    EXPECT_FALSE(panel.HasGap());
    EXPECT_TRUE(panel.ControlStyle().Contains(fw::ControlStyleFlag::AcceptsControls));
    EXPECT_FALSE(panel.ControlStyle().Contains(fw::ControlStyleFlag::Opaque));
}

TEST_F(BrushPanelTest, AlignedChildrenKeepOffBorderAndBothRings)
{
    TILBrushPanel panel;
    panel.SetBounds(0, 0, 100, 60);
    auto* child = new fw::CustomControl(&panel);
    child->SetParent(&panel);
    child->SetAlign(fw::Align::Client);

    panel.DrawData().SetBevelOuter(TBevelCut::Raised);
    panel.DrawData().SetBevelInner(TBevelCut::Lowered);
    panel.DrawData().SetBevelWidth(2);
    panel.SetBorderWidth(3);

    EXPECT_EQ(child->BoundsRect(), (fw::Rect{7, 7, 93, 53}));
    EXPECT_EQ(panel.GetInnerClientRect(), (fw::Rect{7, 7, 93, 53}));

    // Each change of what the area depends on lays the children out again.
    panel.SetBorderWidth(0);
    EXPECT_EQ(child->BoundsRect(), (fw::Rect{4, 4, 96, 56}));
    panel.DrawData().SetBevelInner(TBevelCut::None);
    EXPECT_EQ(child->BoundsRect(), (fw::Rect{2, 2, 98, 58}));
    panel.DrawData().SetBevelWidth(5);
    EXPECT_EQ(child->BoundsRect(), (fw::Rect{5, 5, 95, 55}));
}

TEST_F(BrushPanelTest, GapKeepsClearOfRoundedCornersAndInsideThePanel)
{
    TILBrushPanel panel;
    panel.SetBounds(0, 0, 200, 100);
    panel.SetHasGap(true);
    panel.SetRounded(true);
    panel.SetGapOffset(0);
    panel.SetGapLength(50);

    TILBevelGap gap = panel.GapLimits(0, 0);
    EXPECT_TRUE(gap.Present);
    EXPECT_EQ(gap.Side, TGapSide::Top);
    EXPECT_EQ(gap.To, 10);
    EXPECT_EQ(gap.From, 59);

    // The limits move with the place the panel is drawn at.
    gap = panel.GapLimits(30, 7);
    EXPECT_EQ(gap.To, 40);
    EXPECT_EQ(gap.From, 89);

    panel.SetGapLength(1000);
    EXPECT_EQ(panel.GapLimits(0, 0).From, 200 - 10 - 1);
    panel.SetRounded(false);
    EXPECT_EQ(panel.GapLimits(0, 0).To, 0);
    EXPECT_EQ(panel.GapLimits(0, 0).From, 199);

    // Sides run along the height with the vertical rounding.
    panel.SetGapSide(TGapSide::Left);
    panel.SetRounded(true);
    panel.SetVertRounding(6);
    gap = panel.GapLimits(30, 7);
    EXPECT_EQ(gap.To, 6 + 7);
    EXPECT_EQ(gap.From, 100 - 6 - 1 + 7);
}

TEST_F(BrushPanelTest, GapShapeSurvivesWhileThePanelHasNone)
{
    TILBrushPanel source;
    source.SetHasGap(true);
    source.SetGapLength(33);
    source.SetGapOffset(4);
    source.SetGapSide(TGapSide::Bottom);

    TILBrushPanel copy;
    copy.Assign(&source);
    EXPECT_TRUE(copy.HasGap());
    EXPECT_EQ(copy.GapLength(), 33);
    EXPECT_EQ(copy.GapOffset(), 4);
    EXPECT_EQ(copy.GapSide(), TGapSide::Bottom);
}

// --- Painting --------------------------------------------------------------------------------

TEST_F(BrushPanelTest, SquareGapLeavesTheTopRingOpenWhereverThePanelIsDrawn)
{
    TILBrushPanel panel;
    panel.SetBounds(0, 0, 60, 20);
    Colour(panel, Green);
    panel.SetHasGap(true);
    panel.SetGapOffset(10);
    panel.SetGapLength(20);

    fw::Bitmap atOrigin(60, 20);
    fw::Canvas canvasAtOrigin(atOrigin);
    panel.DrawTo(canvasAtOrigin, 0, 0);
    EXPECT_EQ(atOrigin.Pixel(5, 0), Light);
    EXPECT_EQ(atOrigin.Pixel(15, 0), Green);
    EXPECT_EQ(atOrigin.Pixel(40, 0), Light);

    fw::Bitmap shifted(80, 30);
    fw::Canvas canvasShifted(shifted);
    panel.DrawTo(canvasShifted, 13, 5);
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 20; ++y) {
            ASSERT_EQ(shifted.Pixel(x + 13, y + 5), atOrigin.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(BrushPanelTest, RoundedCornersShowAPlainPanelsColour)
{
    fw::Panel host;
    host.SetBounds(0, 0, 120, 80);
    host.SetColor(Red);
    TILBrushPanel* panel = AddColouredPanel(host, fw::Rect{10, 10, 70, 50}, Green);
    panel->SetRounded(true);

    const fw::Bitmap picture = fw::RenderToBitmap(host);
    EXPECT_EQ(picture.Pixel(10, 10), Red);
    EXPECT_EQ(picture.Pixel(69, 49), Red);
    EXPECT_EQ(picture.Pixel(40, 30), Green);

    // A new colour of the host shows in the corners at the next paint.
    host.SetColor(Blue);
    panel->Invalidate();
    EXPECT_EQ(fw::RenderToBitmap(host).Pixel(10, 10), Blue);
}

TEST_F(BrushPanelTest, RoundedCornersShowAPanelParentsFill)
{
    TILBrushPanel host;
    host.SetBounds(0, 0, 120, 80);
    Colour(host, Blue);
    TILBrushPanel* panel = AddColouredPanel(host, fw::Rect{10, 10, 70, 50}, Green);
    panel->SetRounded(true);

    fw::RenderToBitmap(host);
    const fw::Bitmap& store = panel->BackingStore();
    EXPECT_EQ(store.Pixel(0, 0), Blue);
    EXPECT_EQ(store.Pixel(30, 20), Green);

    // Square corners are the rings' own.
    panel->SetRounded(false);
    fw::RenderToBitmap(host);
    EXPECT_EQ(panel->BackingStore().Pixel(0, 0), Light);
}

TEST_F(BrushPanelTest, ParentBrushPaintsWithTheParentsFillOrColour)
{
    fw::CustomControl host;
    host.SetBounds(0, 0, 200, 100);
    host.SetColor(Red);
    TILBrushPanel* outer = AddColouredPanel(host, fw::Rect{0, 0, 100, 100}, Blue);
    TILBrushPanel* inner = AddColouredPanel(*outer, fw::Rect{10, 10, 60, 60}, Green);

    fw::RenderToBitmap(host);
    EXPECT_EQ(inner->BackingStore().Pixel(25, 25), Green);

    inner->SetParentBrush(true);
    fw::RenderToBitmap(host);
    EXPECT_EQ(inner->BackingStore().Pixel(25, 25), Blue);

    // Following a panel that follows a plain control ends at the plain control's colour.
    outer->SetParentBrush(true);
    fw::RenderToBitmap(host);
    EXPECT_EQ(outer->BackingStore().Pixel(50, 50), Red);
    EXPECT_EQ(inner->BackingStore().Pixel(25, 25), Red);
}

TEST_F(BrushPanelTest, DisabledCaptionIsEmbossed)
{
    TILBrushPanel panel;
    panel.SetBounds(0, 0, 60, 30);
    Colour(panel, Black);
    panel.DrawData().SetBevelOuter(TBevelCut::None);
    panel.CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel.CaptionPos().SetAlignVert(TVCanvasTextPosition::Top);
    fw::Font font = panel.Font();
    font.Color = Red;
    panel.SetFont(font);
    panel.SetCaption("M");

    const auto inkBox = [](const fw::Bitmap& picture, fw::Color colour) {
        fw::Rect box{1000, 1000, -1, -1};
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                if (picture.Pixel(x, y) == colour) {
                    box = fw::Rect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                   std::max(box.Bottom, y + 1)};
                }
            }
        }
        return box;
    };

    const fw::Bitmap enabled = fw::RenderToBitmap(panel);
    const fw::Rect glyph = inkBox(enabled, Red);
    ASSERT_EQ(glyph.Width(), fw::FakePaintBackend::GlyphWidth);
    // Left and top aligned inside the caption margins.
    EXPECT_EQ(glyph.Left, 2);
    EXPECT_EQ(glyph.Top, 2 + fw::FakePaintBackend::GlyphTop);
    EXPECT_EQ(inkBox(enabled, fw::ColorToRGB(fw::clBtnHighlight)).Right, -1);

    panel.SetEnabled(false);
    const fw::Bitmap disabled = fw::RenderToBitmap(panel);
    EXPECT_EQ(inkBox(disabled, Red).Right, -1);
    EXPECT_EQ(inkBox(disabled, fw::ColorToRGB(fw::clBtnShadow)), glyph);
    // The highlight copy shows only along the right and bottom, one pixel out.
    const fw::Rect highlight = inkBox(disabled, fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_EQ(highlight, (fw::Rect{glyph.Left + 1, glyph.Top + 1, glyph.Right + 1, glyph.Bottom + 1}));
    EXPECT_EQ(disabled.Pixel(glyph.Right, glyph.Bottom), fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_EQ(disabled.Pixel(glyph.Left, glyph.Top), fw::ColorToRGB(fw::clBtnShadow));
}

TEST_F(BrushPanelTest, CaptionKeepsInsideTheRingsButIgnoresTheBorder)
{
    TILBrushPanel panel;
    panel.SetBounds(0, 0, 80, 40);
    panel.DrawData().SetBevelInner(TBevelCut::Lowered);
    panel.DrawData().SetBevelWidth(3);
    panel.SetBorderWidth(9);
    panel.CaptionPos().SetHorzMargin(4);
    panel.CaptionPos().SetVertMargin(1);
    EXPECT_EQ(panel.CaptionRect(0, 0), (fw::Rect{10, 7, 80 - 6 - 4 - 1, 40 - 6 - 1 - 1}));
    EXPECT_EQ(panel.CaptionRect(5, 2), (fw::Rect{15, 9, 85 - 6 - 4 - 1, 42 - 6 - 1 - 1}));
}

TEST_F(BrushPanelTest, OnPaintFollowsEachPaint)
{
    TILBrushPanel panel;
    int painted = 0;
    int seenPaints = -1;
    panel.SetOnPaint([&](fw::Object* sender) {
        EXPECT_EQ(sender, &panel);
        ++painted;
        seenPaints = panel.PaintCount();
    });
    panel.Repaint();
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(seenPaints, panel.PaintCount());
    panel.SetRounded(true);
    panel.Update();
    EXPECT_EQ(painted, 2);
}

// --- Brush change notices --------------------------------------------------------------------

class BrushChainTest : public BrushPanelTest {
protected:
    void SetUp() override
    {
        BrushPanelTest::SetUp();
        root = std::make_unique<TILBrushPanel>();
        root->SetBounds(0, 0, 300, 300);
        follower = Child(root.get(), true);
        followersFollower = Child(follower, true);
        ownBrush = Child(root.get(), false);
        behindOwnBrush = Child(ownBrush, true);
        fw::PaintPendingControls();
    }

    static TILBrushPanel* Child(TILBrushPanel* parent, bool parentBrush)
    {
        auto* panel = new TILBrushPanel(parent);
        panel->SetParent(parent);
        panel->SetParentBrush(parentBrush);
        return panel;
    }

    struct Counts {
        int root, follower, followersFollower, ownBrush, behindOwnBrush;
    };
    Counts PaintsSince(const Counts& before)
    {
        fw::PaintPendingControls();
        return Counts{root->PaintCount() - before.root, follower->PaintCount() - before.follower,
                      followersFollower->PaintCount() - before.followersFollower,
                      ownBrush->PaintCount() - before.ownBrush, behindOwnBrush->PaintCount() - before.behindOwnBrush};
    }
    Counts Now() const
    {
        return Counts{root->PaintCount(), follower->PaintCount(), followersFollower->PaintCount(),
                      ownBrush->PaintCount(), behindOwnBrush->PaintCount()};
    }

    std::unique_ptr<TILBrushPanel> root;
    TILBrushPanel* follower = nullptr;
    TILBrushPanel* followersFollower = nullptr;
    TILBrushPanel* ownBrush = nullptr;
    TILBrushPanel* behindOwnBrush = nullptr;
};

TEST_F(BrushChainTest, ParentBrushNewsRunsDownToTheFirstPanelWithItsOwnBrush)
{
    // The root follows nothing, so the news from above stops at once.
    Counts before = Now();
    root->Perform(WM_ILPANEL_PARENTBRUSHCHANGED);
    Counts painted = PaintsSince(before);
    EXPECT_EQ(painted.root, 0);
    EXPECT_EQ(painted.follower, 0);

    // The root's own brush changing reaches the followers, not the panel with its own
    // brush; the follower of that panel never hears.
    root->SetParentBrush(true);
    fw::PaintPendingControls();
    before = Now();
    root->Perform(WM_ILPANEL_OWNBRUSHCHANGED);
    painted = PaintsSince(before);
    EXPECT_EQ(painted.root, 0);
    EXPECT_EQ(painted.follower, 1);
    EXPECT_EQ(painted.followersFollower, 1);
    EXPECT_EQ(painted.ownBrush, 0);
    EXPECT_EQ(painted.behindOwnBrush, 0);
}

TEST_F(BrushChainTest, ANewFillColourRepaintsEveryFollowerDownTheChain)
{
    const Counts before = Now();
    root->DrawData().FillBrush().SetColour(Red);
    const Counts painted = PaintsSince(before);
    EXPECT_EQ(painted.root, 1);
    EXPECT_EQ(painted.follower, 1);
    EXPECT_EQ(painted.followersFollower, 1);

    fw::RenderToBitmap(*root);
    EXPECT_EQ(followersFollower->BackingStore().Pixel(50, 15), Red);
    EXPECT_NE(ownBrush->BackingStore().Pixel(50, 15), Red);
}

TEST_F(BrushChainTest, AFollowersOwnFillChangeOnlyTellsItsChildren)
{
    const Counts before = Now();
    follower->DrawData().FillBrush().SetColour(Green);
    const Counts painted = PaintsSince(before);
    EXPECT_EQ(painted.root, 0);
    EXPECT_EQ(painted.follower, 0);
    EXPECT_EQ(painted.followersFollower, 1);
}

// --- Assign ----------------------------------------------------------------------------------

TEST_F(BrushPanelTest, RecordCarriesPanelSettingsBothWays)
{
    TILPanelComponentInfo info;
    int changes = 0;
    info.SetOnChange([&](fw::Object*) { ++changes; });
    info.SetAlignment(TAlignment::RightJustify);
    info.SetBevelInner(TBevelCut::Raised);
    info.SetBevelOuter(TBevelCut::Lowered);
    info.SetBevelWidth(4);
    info.SetBorderWidth(6);
    info.SetColour(Green);
    info.SetCursor(fw::crHandPoint);
    fw::Font font;
    font.Name = "Courier";
    font.Height = -20;
    info.SetFont(font);
    info.SetHint("a hint");
    EXPECT_EQ(changes, 9);

    TILBrushPanel panel;
    panel.Assign(&info);
    EXPECT_EQ(panel.CaptionPos().AlignHorz(), THCanvasTextPosition::Right);
    EXPECT_EQ(panel.DrawData().BevelInner(), TBevelCut::Raised);
    EXPECT_EQ(panel.DrawData().BevelOuter(), TBevelCut::Lowered);
    EXPECT_EQ(panel.DrawData().BevelWidth(), 4);
    EXPECT_EQ(panel.BorderWidth(), 6);
    EXPECT_EQ(panel.DrawData().FillBrush().Colour(), Green);
    EXPECT_EQ(panel.Cursor(), fw::crHandPoint);
    EXPECT_EQ(panel.Font().Name, "Courier");
    EXPECT_EQ(panel.Font().Height, -20);
    EXPECT_EQ(panel.Hint(), "a hint");

    panel.CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel.DrawData().SetBevelWidth(2);
    panel.DrawData().FillBrush().SetColour(Blue);
    TILPanelComponentInfo back;
    back.SetBorderStyle(TBorderStyle::Single);
    back.Assign(&panel);
    EXPECT_EQ(back.Alignment(), TAlignment::LeftJustify);
    EXPECT_EQ(back.BevelInner(), TBevelCut::Raised);
    EXPECT_EQ(back.BevelOuter(), TBevelCut::Lowered);
    EXPECT_EQ(back.BevelWidth(), 2);
    EXPECT_EQ(back.BorderWidth(), 6);
    EXPECT_EQ(back.Colour(), Blue);
    EXPECT_EQ(back.Cursor(), fw::crHandPoint);
    EXPECT_EQ(back.Font().Name, "Courier");
    EXPECT_EQ(back.Hint(), "a hint");
    // A panel has no border style of its own: the record keeps its own.
    EXPECT_EQ(back.BorderStyle(), TBorderStyle::Single);

    panel.CaptionPos().SetAlignHorz(THCanvasTextPosition::Centre);
    back.Assign(&panel);
    EXPECT_EQ(back.Alignment(), TAlignment::Center);
}

TEST_F(BrushPanelTest, RecordCopiesAnotherRecordAndAnnouncesItOnce)
{
    TILPanelComponentInfo source;
    source.SetAlignment(TAlignment::LeftJustify);
    source.SetBorderStyle(TBorderStyle::Single);
    source.SetBevelWidth(3);
    source.SetHint("h");
    fw::Font font;
    font.Style.Bold = true;
    source.SetFont(font);

    TILPanelComponentInfo copy;
    int changes = 0;
    copy.SetOnChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, &copy);
        ++changes;
    });
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Alignment(), TAlignment::LeftJustify);
    EXPECT_EQ(copy.BorderStyle(), TBorderStyle::Single);
    EXPECT_EQ(copy.BevelWidth(), 3);
    EXPECT_EQ(copy.Hint(), "h");
    EXPECT_TRUE(copy.Font().Style.Bold);

    TILTextPosition stranger;
    EXPECT_THROW(copy.Assign(&stranger), fw::EConvertError);
}

TEST_F(BrushPanelTest, PanelCopiesAnotherPanel)
{
    TILBrushPanel source;
    Colour(source, Green);
    source.DrawData().SetBevelInner(TBevelCut::Space);
    source.SetRounded(true);
    source.SetHorzRounding(4);
    source.SetVertRounding(5);
    source.SetBorderWidth(2);
    source.SetColor(Blue);

    TILBrushPanel copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.DrawData().FillBrush().Colour(), Green);
    EXPECT_EQ(copy.DrawData().BevelInner(), TBevelCut::Space);
    EXPECT_EQ(copy.DrawData().BevelLight(), Light);
    EXPECT_TRUE(copy.Rounded());
    EXPECT_EQ(copy.HorzRounding(), 4);
    EXPECT_EQ(copy.VertRounding(), 5);
    EXPECT_EQ(copy.BorderWidth(), 2);
    EXPECT_EQ(copy.Color(), Blue);

    TILTextPosition stranger;
    EXPECT_THROW(copy.Assign(&stranger), fw::EConvertError);
}

TEST_F(BrushPanelTest, NewBevelGivesTheControlItsFillColour)
{
    TILBrushPanel panel;
    TILBrushBevel bevel;
    bevel.FillBrush().SetColour(Red);
    panel.SetDrawData(bevel);
    EXPECT_EQ(panel.Color(), Red);
    panel.DrawData().SetBevelWidth(3);
    panel.DrawData().FillBrush().SetColour(Green);
    panel.DrawData().SetBevelOuter(TBevelCut::Lowered);
    EXPECT_EQ(panel.Color(), Green);
}

TEST_F(BrushPanelTest, ChangesWaitWhileLoading)
{
    TILBrushPanel panel;
    panel.SetControlState(panel.ControlState() | fw::ControlStateFlag::Loading);
    panel.DrawData().FillBrush().SetColour(Red);
    panel.DrawData().SetBevelOuter(TBevelCut::Lowered);
    EXPECT_NE(panel.Color(), Red);
    panel.Loaded();
    EXPECT_EQ(panel.Color(), Red);
}

TEST_F(BrushPanelTest, PanelMayFreeItselfFromItsOwnClick)
{
    auto host = std::make_unique<fw::CustomControl>();
    host->SetBounds(0, 0, 200, 100);
    auto* panel = new TILBrushPanel(host.get());
    panel->SetParent(host.get());
    panel->SetBounds(10, 10, 50, 50);
    int clicks = 0;
    panel->SetOnClick([&](fw::Object*) {
        ++clicks;
        delete panel;
    });
    fw::TestDriver driver(*host);
    driver.Click(20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host->ControlCount(), 0);
    driver.Click(20, 20);
    EXPECT_EQ(clicks, 1);
}

} // namespace
