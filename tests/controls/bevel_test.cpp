#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/brush_bevel.h"
#include "controls/control_library.h"
#include "controls/position.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/paint_backend.h"

namespace {

constexpr fw::Color Back = 0x000000;
constexpr fw::Color Fill = 0x00FF00;
constexpr fw::Color Light = 0x0000FF;
constexpr fw::Color Dark = 0xFF0000;

class RecordingControl : public TILBrushControl {
public:
    TILBrushControl* ParentControl() const override { return parent; }
    bool Windowed() const override { return windowed; }
    void InvalidateControl() override { ++invalidated; }
    void RealignControl() override { ++realigned; }
    const fw::Brush* ControlBrush() const override { return &brush; }

    TILBrushControl* parent = nullptr;
    bool windowed = true;
    fw::Brush brush;
    int invalidated = 0;
    int realigned = 0;
};

class BevelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        bevel.FillBrush().SetColour(Fill);
        bevel.SetBevelLight(Light);
        bevel.SetBevelDark(Dark);
    }
    void TearDown() override { ShutdownControlLibrary(); }

    // The surface as rows of letters: . back, f fill, L light, D dark, ? anything else.
    std::vector<std::string> Picture() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < surface.Height(); ++y) {
            std::string row;
            for (int x = 0; x < surface.Width(); ++x) {
                switch (surface.Pixel(x, y)) {
                case Back: row += '.'; break;
                case Fill: row += 'f'; break;
                case Light: row += 'L'; break;
                case Dark: row += 'D'; break;
                default: row += '?'; break;
                }
            }
            rows.push_back(row);
        }
        return rows;
    }

    void Reset(int width, int height)
    {
        surface = fw::Bitmap(width, height);
        surface.FillRect(surface.Bounds(), Back);
    }

    TILBrushBevel bevel;
    fw::Bitmap surface{1, 1};
};

TEST(PositionTest, OriginsFollowAlignmentAndMargins)
{
    TILImagePosition position;
    const fw::Rect range{0, 0, 99, 99};
    EXPECT_EQ(position.CalcOrigin(10, 10, range), (fw::Point{45, 45}));

    position.SetAlignHorz(THCanvasTextPosition::Right);
    position.SetAlignVert(TVCanvasTextPosition::Bottom);
    EXPECT_EQ(position.CalcOrigin(10, 20, range), (fw::Point{88, 78}));
    position.SetAlignHorz(THCanvasTextPosition::Left);
    position.SetAlignVert(TVCanvasTextPosition::Top);
    position.SetHorzMargin(5);
    position.SetVertMargin(-1);
    EXPECT_EQ(position.CalcOrigin(10, 20, fw::Rect{10, 20, 30, 40}), (fw::Point{15, 19}));

    // Wider than the rectangle: it starts before it, the odd pixel towards its start.
    position.SetAlignHorz(THCanvasTextPosition::Centre);
    position.SetAlignVert(TVCanvasTextPosition::Centre);
    EXPECT_EQ(position.CalcOrigin(15, 12, fw::Rect{0, 10, 9, 19}), (fw::Point{-2, 9}));
    EXPECT_EQ(position.CalcOrigin(3, 3, fw::Rect{0, 0, 9, 9}), (fw::Point{3, 3}));

    const fw::Bitmap graphic(4, 2);
    EXPECT_EQ(position.CalcGraphicOrigin(graphic, fw::Rect{0, 0, 9, 9}), (fw::Point{3, 4}));
}

TEST(PositionTest, ExcludingAnItemCutsTheSideItIsAlignedTo)
{
    TILImagePosition position;
    position.SetHorzMargin(2);
    position.SetVertMargin(1);

    // An icon at the left of a cell: the text starts after it and its margin.
    position.SetAlignHorz(THCanvasTextPosition::Left);
    position.SetAlignVert(TVCanvasTextPosition::Centre);
    fw::Rect rect{0, 0, 99, 19};
    position.ExcludeFromRect(fw::Point{2, 5}, 16, rect, 10);
    EXPECT_EQ(rect, (fw::Rect{20, 0, 99, 19}));

    position.SetAlignHorz(THCanvasTextPosition::Right);
    rect = fw::Rect{0, 0, 99, 19};
    position.ExcludeFromRect(fw::Point{80, 5}, 16, rect, 10);
    EXPECT_EQ(rect, (fw::Rect{0, 0, 77, 19}));
    // Not overlapping: nothing moves.
    rect = fw::Rect{0, 0, 50, 19};
    position.ExcludeFromRect(fw::Point{80, 5}, 16, rect, 10);
    EXPECT_EQ(rect, (fw::Rect{0, 0, 50, 19}));

    // Centred counts as left except at the bottom; top and bottom cut vertically.
    position.SetAlignHorz(THCanvasTextPosition::Centre);
    position.SetAlignVert(TVCanvasTextPosition::Top);
    rect = fw::Rect{0, 0, 99, 99};
    position.ExcludeFromRect(fw::Point{40, 1}, 20, rect, 10);
    EXPECT_EQ(rect, (fw::Rect{62, 12, 99, 99}));
    position.SetAlignVert(TVCanvasTextPosition::Bottom);
    rect = fw::Rect{0, 0, 99, 99};
    position.ExcludeGraphic(fw::Point{40, 80}, fw::Bitmap(20, 10), rect);
    EXPECT_EQ(rect, (fw::Rect{0, 0, 99, 78}));
}

TEST(PositionTest, EverySetterFiresAndAssignCopiesWhatBothKnow)
{
    TILTextPosition text;
    EXPECT_TRUE(text.Wrap());
    EXPECT_EQ(text.AlignHorz(), THCanvasTextPosition::Centre);
    EXPECT_EQ(text.HorzMargin(), 2);
    int changes = 0;
    text.SetOnChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, &text);
        ++changes;
    });
    text.SetHorzMargin(2);
    text.SetWrap(true);
    EXPECT_EQ(changes, 2);

    TILImagePosition image;
    image.SetAlignHorz(THCanvasTextPosition::Right);
    image.SetVertMargin(7);
    text.SetWrap(false);
    changes = 0;
    text.Assign(&image);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(text.AlignHorz(), THCanvasTextPosition::Right);
    EXPECT_EQ(text.VertMargin(), 7);
    EXPECT_FALSE(text.Wrap());

    TILTextPosition other;
    text.Assign(&other);
    EXPECT_TRUE(text.Wrap());
    EXPECT_EQ(text.AlignHorz(), THCanvasTextPosition::Centre);

    TILControlIcons icons;
    auto* list = reinterpret_cast<fw::ImageList*>(&other); // only the pointer is kept
    icons.SetImageList(list);
    TILControlIcons iconsCopy;
    iconsCopy.Assign(&icons);
    EXPECT_EQ(iconsCopy.ImageList(), list);
}

TEST(PositionTest, TextIsDrawnInsideTheMargins)
{
    fw::FakePaintBackend backend;
    fw::Bitmap surface(40, 30);
    fw::Canvas canvas(surface, &backend);
    canvas.Font().Color = 0x000000;
    canvas.Brush().Style = fw::BrushStyle::Clear;
    TILTextPosition text;
    text.SetAlignHorz(THCanvasTextPosition::Left);
    text.SetAlignVert(TVCanvasTextPosition::Top);
    text.SetHorzMargin(3);
    text.SetVertMargin(4);
    const fw::Rect used = text.DrawText(canvas, fw::Rect{0, 0, 40, 30}, "AB");
    EXPECT_EQ(used.Left, 3);
    EXPECT_EQ(used.Top, 4);
    // The first glyph box starts two rows below the cell's top.
    EXPECT_EQ(surface.Pixel(3, 6), 0x000000u);
    EXPECT_EQ(surface.Pixel(2, 6), fw::clWhite);
    EXPECT_EQ(surface.Pixel(3, 5), fw::clWhite);
}

TEST_F(BevelTest, SettersFireAndANegativeWidthIsIgnored)
{
    RecordingControl owner;
    TILBrushBevel owned(&owner);
    EXPECT_EQ(owned.FillBrush().Colour(), fw::clBtnFace);
    EXPECT_EQ(owned.BevelOuter(), TBevelCut::Raised);
    EXPECT_EQ(owned.BevelInner(), TBevelCut::None);
    EXPECT_EQ(owned.BevelLight(), fw::clBtnHighlight);
    EXPECT_EQ(owned.BevelDark(), fw::clBtnShadow);
    EXPECT_EQ(owned.BevelWidth(), 1);
    EXPECT_EQ(owned.Edges(), beAllEdges);

    int changes = 0;
    owned.SetOnChange([&](fw::Object*) { ++changes; });
    owned.SetBevelWidth(-1);
    EXPECT_EQ(owned.BevelWidth(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(owner.invalidated, 0);
    EXPECT_EQ(owner.realigned, 0);

    owned.SetBevelWidth(1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(owner.invalidated, 1);
    EXPECT_EQ(owner.realigned, 1);
    owned.FillBrush().SetColour(0x123456);
    EXPECT_EQ(changes, 2);
    owner.windowed = false;
    owned.SetBevelWidth(4);
    EXPECT_EQ(owner.realigned, 1);

    TILBrushBevel copy;
    copy.Assign(&owned);
    EXPECT_EQ(copy.BevelWidth(), 4);
    EXPECT_EQ(copy.FillBrush().Colour(), 0x123456u);
    EXPECT_EQ(copy.Owner(), nullptr);

    fw::Color topLeft = 0;
    fw::Color bottomRight = 0;
    bevel.GetBevelColours(TBevelCut::Raised, topLeft, bottomRight);
    EXPECT_EQ(topLeft, Light);
    EXPECT_EQ(bottomRight, Dark);
    for (TBevelCut cut : {TBevelCut::Lowered, TBevelCut::Space, TBevelCut::None}) {
        bevel.GetBevelColours(cut, topLeft, bottomRight);
        EXPECT_EQ(topLeft, Dark);
        EXPECT_EQ(bottomRight, Light);
    }
}

TEST_F(BevelTest, SquareRingsGiveTheCornersToTopAndRight)
{
    Reset(8, 6);
    fw::Canvas canvas(surface);
    bevel.SetBevelInner(TBevelCut::Lowered);
    bevel.DrawSquare(canvas, fw::Rect{0, 0, 6, 5}, false, 0, TILBevelGap{}, 1);
    const std::vector<std::string> expected{
        "LLLLLLD.",
        "LDDDDLD.",
        "LDfffLD.",
        "LDfffLD.",
        "LLLLLLD.",
        "DDDDDDD.",
    };
    EXPECT_EQ(Picture(), expected);

    // Two pixels wide with a border of one between the rings.
    Reset(14, 12);
    fw::Canvas wide(surface);
    bevel.DrawSquare(wide, fw::Rect{1, 1, 12, 10}, false, 1, TILBevelGap{}, 2);
    const std::vector<std::string> expectedWide{
        "..............",
        ".LLLLLLLLLLLD.",
        ".LLLLLLLLLLDD.",
        ".LLffffffffDD.",
        ".LLfDDDDDLfDD.",
        ".LLfDDDDLLfDD.",
        ".LLfDLLLLLfDD.",
        ".LLfLLLLLLfDD.",
        ".LLffffffffDD.",
        ".LDDDDDDDDDDD.",
        ".DDDDDDDDDDDD.",
        "..............",
    };
    EXPECT_EQ(Picture(), expectedWide);
}

TEST_F(BevelTest, WidthZeroStillFillsAndMissingEdgesShowTheFill)
{
    Reset(6, 5);
    fw::Canvas canvas(surface);
    bevel.SetBevelInner(TBevelCut::Raised);
    bevel.DrawSquare(canvas, fw::Rect{0, 0, 4, 3}, false, 0, TILBevelGap{}, 0);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"fffff.", "fffff.", "fffff.", "fffff.", "......"}));

    Reset(12, 12);
    fw::Canvas rounded(surface);
    bevel.DrawRounded(rounded, fw::Rect{0, 0, 10, 10}, false, 0, TILBevelGap{}, 0, 3, 3);
    for (const std::string& row : Picture()) {
        EXPECT_EQ(row.find_first_of("LD"), std::string::npos) << row;
    }
    EXPECT_EQ(surface.Pixel(5, 5), Fill);
    EXPECT_EQ(surface.Pixel(10, 5), Fill);
    EXPECT_EQ(surface.Pixel(10, 10), Back); // the rounded corner

    Reset(6, 5);
    fw::Canvas noTop(surface);
    bevel.SetBevelInner(TBevelCut::None);
    bevel.SetEdges(beLeft | beRight | beBottom);
    bevel.DrawSquare(noTop, fw::Rect{0, 0, 5, 4}, false, 0, TILBevelGap{}, 2);
    EXPECT_EQ(Picture(), (std::vector<std::string>{
                             "fffffD",
                             "LfffDD",
                             "LLffDD",
                             "LDDDDD",
                             "DDDDDD",
                         }));
}

TEST_F(BevelTest, SquareGapsOpenEachSide)
{
    // The limits count from the rectangle's left or top; rows or columns [To, From) stay open.
    const struct {
        TGapSide side;
        std::vector<std::string> expected;
    } cases[] = {
        {TGapSide::Top, {"LLfffLLD", "LffffffD", "LffffffD", "LffffffD", "LffffffD", "DDDDDDDD"}},
        {TGapSide::Bottom, {"LLLLLLLD", "LffffffD", "LffffffD", "LffffffD", "LffffffD", "DDfffDDD"}},
        {TGapSide::Left, {"LLLLLLLD", "LffffffD", "fffffffD", "fffffffD", "fffffffD", "DDDDDDDD"}},
    };
    for (const auto& c : cases) {
        Reset(8, 6);
        fw::Canvas canvas(surface);
        bevel.DrawSquare(canvas, fw::Rect{0, 0, 7, 5}, false, 0, TILBevelGap{true, c.side, 5, 2}, 1);
        EXPECT_EQ(Picture(), c.expected) << static_cast<int>(c.side);
    }

    // The right side, with other limits: rows 2 and 3 open.
    Reset(8, 6);
    fw::Canvas canvas(surface);
    bevel.DrawSquare(canvas, fw::Rect{0, 0, 7, 5}, false, 0, TILBevelGap{true, TGapSide::Right, 4, 2}, 1);
    EXPECT_EQ(Picture(), (std::vector<std::string>{
                             "LLLLLLLD",
                             "LffffffD",
                             "Lfffffff",
                             "Lfffffff",
                             "LffffffD",
                             "DDDDDDDD",
                         }));
}

TEST_F(BevelTest, RoundedRingsSplitAlongTheRisingDiagonal)
{
    Reset(20, 16);
    surface.FillRect(surface.Bounds(), 0x808080);
    fw::Canvas canvas(surface);
    bevel.DrawRounded(canvas, fw::Rect{0, 0, 18, 14}, false, 0, TILBevelGap{}, 1, 4, 4);
    // The widened ring covers columns 0..18 and rows 0..14; outside it the corners and the
    // last column and row keep what was there.
    EXPECT_EQ(surface.Pixel(0, 0), 0x808080u);
    EXPECT_EQ(surface.Pixel(18, 14), 0x808080u);
    EXPECT_EQ(surface.Pixel(19, 7), 0x808080u);
    EXPECT_EQ(surface.Pixel(9, 15), 0x808080u);
    // Top and left are light, bottom and right dark, the inside filled.
    EXPECT_EQ(surface.Pixel(9, 0), Light);
    EXPECT_EQ(surface.Pixel(0, 7), Light);
    EXPECT_EQ(surface.Pixel(9, 14), Dark);
    EXPECT_EQ(surface.Pixel(18, 7), Dark);
    EXPECT_EQ(surface.Pixel(9, 1), Fill);
    // The whole bottom row is dark, near the left end too, and the whole top row light.
    EXPECT_EQ(surface.Pixel(3, 14), Dark);
    EXPECT_EQ(surface.Pixel(16, 0), Light);
    EXPECT_EQ(surface.Pixel(16, 12), Fill);
    // Near the top-right corner the diagonal hands the ring from light to dark.
    EXPECT_EQ(surface.Pixel(14, 0), Light);
    EXPECT_EQ(surface.Pixel(18, 4), Dark);

    // A lowered inner ring two pixels in has the colours the other way round.
    Reset(20, 16);
    fw::Canvas both(surface);
    bevel.SetBevelInner(TBevelCut::Lowered);
    bevel.DrawRounded(both, fw::Rect{0, 0, 18, 14}, false, 1, TILBevelGap{}, 1, 4, 4);
    EXPECT_EQ(surface.Pixel(9, 1), Fill);
    EXPECT_EQ(surface.Pixel(9, 2), Dark);
    EXPECT_EQ(surface.Pixel(2, 7), Dark);
    EXPECT_EQ(surface.Pixel(9, 12), Light);
    EXPECT_EQ(surface.Pixel(16, 7), Light);
    EXPECT_EQ(surface.Pixel(9, 7), Fill);
}

TEST_F(BevelTest, RoundedGapsKeepTheFillAndClippingSurvives)
{
    Reset(20, 16);
    fw::Canvas canvas(surface);
    bevel.SetBevelWidth(2);
    // Absolute limits: columns 6..9 of the top side stay open.
    bevel.DrawRounded(canvas, fw::Rect{0, 0, 18, 14}, false, 0, TILBevelGap{true, TGapSide::Top, 10, 6}, 2, 4, 4);
    EXPECT_EQ(surface.Pixel(5, 0), Light);
    EXPECT_EQ(surface.Pixel(6, 0), Fill);
    EXPECT_EQ(surface.Pixel(9, 1), Fill);
    EXPECT_EQ(surface.Pixel(10, 1), Light);
    EXPECT_EQ(surface.Pixel(8, 14), Dark);

    Reset(20, 16);
    fw::Canvas right(surface);
    bevel.DrawRounded(right, fw::Rect{0, 0, 18, 14}, false, 0, TILBevelGap{true, TGapSide::Right, 9, 5}, 2, 4, 4);
    EXPECT_EQ(surface.Pixel(18, 4), Dark);
    EXPECT_EQ(surface.Pixel(18, 5), Fill);
    EXPECT_EQ(surface.Pixel(17, 8), Fill);
    EXPECT_EQ(surface.Pixel(18, 9), Dark);

    // A canvas clipped by its caller stays clipped inside and after the rings.
    Reset(20, 16);
    fw::Canvas clipped(surface);
    clipped.IntersectClipRect(fw::Rect{0, 0, 10, 16});
    const auto clip = clipped.ClipRegion();
    bevel.DrawRounded(clipped, fw::Rect{0, 0, 18, 14}, false, 0, TILBevelGap{}, 1, 4, 4);
    EXPECT_EQ(clipped.ClipRegion(), clip);
    EXPECT_EQ(surface.Pixel(9, 14), Dark);
    EXPECT_EQ(surface.Pixel(10, 14), Back);
    EXPECT_EQ(surface.Pixel(18, 7), Back);
}

TEST_F(BevelTest, AWindowedOwnerCanPaintWithItsParentsBrush)
{
    RecordingControl parent;
    parent.brush = fw::Brush{0x0F0F0F, fw::BrushStyle::Solid, nullptr};
    RecordingControl owner;
    owner.parent = &parent;
    TILBrushBevel owned(&owner);
    owned.SetBevelOuter(TBevelCut::None);
    owned.FillBrush().SetColour(Fill);

    Reset(6, 6);
    fw::Canvas canvas(surface);
    canvas.Pen().Style = fw::PenStyle::Solid;
    owned.DrawRounded(canvas, fw::Rect{0, 0, 4, 4}, true, 0, TILBevelGap{}, 1, 0, 0);
    EXPECT_EQ(surface.Pixel(0, 0), 0x0F0F0Fu);
    EXPECT_EQ(surface.Pixel(4, 4), 0x0F0F0Fu);
    EXPECT_EQ(surface.Pixel(5, 5), Back);

    // A windowless owner has no parent brush to take: its own fill paints.
    owner.windowed = false;
    owned.DrawSquare(canvas, fw::Rect{0, 0, 4, 4}, true, 0, TILBevelGap{}, 1);
    EXPECT_EQ(surface.Pixel(2, 2), Fill);
}

// Several bevels on one sheet, written next to the test program for a look.
TEST_F(BevelTest, SamplerSheet)
{
    struct Sample {
        TBevelCut outer;
        TBevelCut inner;
        int width;
        int border;
        int rounding; // 0: square
        TILBevelGap gap;
        fw::Color fill = fw::clBtnFace;
        fw::BrushStyle style = fw::BrushStyle::Solid;
    };
    const Sample samples[] = {
        {TBevelCut::Raised, TBevelCut::None, 1, 0, 0, {}},
        {TBevelCut::Lowered, TBevelCut::None, 1, 0, 0, {}},
        {TBevelCut::Raised, TBevelCut::Lowered, 2, 3, 0, {}},
        {TBevelCut::Lowered, TBevelCut::Raised, 3, 0, 0, {}},
        {TBevelCut::Raised, TBevelCut::None, 2, 0, 0, {true, TGapSide::Top, 40, 10}},
        {TBevelCut::Raised, TBevelCut::None, 1, 0, 10, {}},
        {TBevelCut::Lowered, TBevelCut::None, 2, 0, 10, {}},
        {TBevelCut::Raised, TBevelCut::Lowered, 2, 3, 10, {}},
        {TBevelCut::Space, TBevelCut::Raised, 1, 2, 10, {}},
        {TBevelCut::Raised, TBevelCut::None, 2, 0, 10, {true, TGapSide::Bottom, 45, 20}},
        {TBevelCut::Raised, TBevelCut::None, 4, 0, 0, {}},
        {TBevelCut::Lowered, TBevelCut::None, 4, 0, 16, {}},
        {TBevelCut::Raised, TBevelCut::Raised, 1, 1, 0, {}, 0xE0C090, fw::BrushStyle::Solid},
        {TBevelCut::Raised, TBevelCut::None, 2, 0, 6, {true, TGapSide::Left, 40, 15}, 0x4080C0, fw::BrushStyle::Cross},
        {TBevelCut::Raised, TBevelCut::None, 2, 0, 0, {true, TGapSide::Right, 40, 15}, 0xFFFFFF, fw::BrushStyle::Solid},
    };
    const int cell = 72;
    const fw::Color sheet = 0x707070;
    surface = fw::Bitmap(cell * 5, cell * 3);
    surface.FillRect(surface.Bounds(), sheet);
    fw::Canvas canvas(surface);
    TILBrushBevel look;
    int index = 0;
    for (const Sample& s : samples) {
        const int x = (index % 5) * cell + 6;
        const int y = (index / 5) * cell + 6;
        ++index;
        look.SetBevelOuter(s.outer);
        look.SetBevelInner(s.inner);
        look.FillBrush().SetColour(s.fill);
        look.FillBrush().SetStyle(s.style);
        const fw::Rect rect{x, y, x + cell - 13, y + cell - 13};
        if (s.rounding > 0) {
            // Rounded bevels take the opening in absolute coordinates.
            TILBevelGap gap = s.gap;
            const int origin = gap.Side == TGapSide::Left || gap.Side == TGapSide::Right ? y : x;
            gap.From += origin;
            gap.To += origin;
            look.DrawRounded(canvas, rect, false, s.border, gap, s.width, s.rounding, s.rounding);
        } else {
            look.DrawSquare(canvas, rect, false, s.border, s.gap, s.width);
        }
    }
    const std::string path = std::string(TAVELIN_CONTROLS_TEST_OUTPUT) + "/bevel_sampler.bmp";
    fw::SaveBmpToFile(surface, path);
    const fw::Bitmap back = fw::LoadBmpFromFile(path);
    EXPECT_TRUE(back.SamePixels(surface));
    // A rounded sample leaves the sheet in its corner; a raised one is light on top.
    EXPECT_EQ(surface.Pixel(6, cell + 6), sheet);
    EXPECT_EQ(surface.Pixel(6 + 10, 6), fw::ColorToRGB(fw::clBtnHighlight));
}

} // namespace
