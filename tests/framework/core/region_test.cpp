#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/core/region.h"

using fw::Point;
using fw::PolyFillMode;
using fw::Rect;
using fw::Region;

namespace {

// The region inside `frame` as text, one line per row: '#' in, '.' out.
std::string Picture(const Region& region, const Rect& frame)
{
    std::string text;
    for (int y = frame.Top; y < frame.Bottom; ++y) {
        for (int x = frame.Left; x < frame.Right; ++x) {
            text += region.Contains(x, y) ? '#' : '.';
        }
        text += '\n';
    }
    return text;
}

// A random union of rectangles, and the same set as a pixel grid over [0, 32) x [0, 32).
struct Sample {
    Region Pixels;
    std::vector<bool> Grid = std::vector<bool>(32 * 32, false);
};

Sample RandomSample(std::mt19937& random)
{
    Sample sample;
    std::uniform_int_distribution<int> coordinate(0, 32);
    const int count = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
        Rect r{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        sample.Pixels |= Region(r);
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                sample.Grid[static_cast<std::size_t>(y * 32 + x)] = true;
            }
        }
    }
    return sample;
}

} // namespace

TEST(Region, RectanglesAndTheirQueries)
{
    const Region r(Rect{2, 3, 6, 5});
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_EQ(r.Bounds(), (Rect{2, 3, 6, 5}));
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(5, 4));
    EXPECT_FALSE(r.Contains(6, 4)) << "right edge excluded";
    EXPECT_FALSE(r.Contains(5, 5)) << "bottom edge excluded";
    EXPECT_FALSE(r.Contains(1, 3));
    EXPECT_EQ(r.Area(), 8);
    EXPECT_TRUE(r.ContainsRect(Rect{3, 3, 6, 5}));
    EXPECT_FALSE(r.ContainsRect(Rect{3, 3, 7, 5}));
    EXPECT_TRUE(r.Intersects(Rect{5, 4, 9, 9}));
    EXPECT_FALSE(r.Intersects(Rect{6, 0, 9, 9}));

    // Empty and upside-down rectangles hold nothing.
    EXPECT_TRUE(Region(Rect{4, 4, 4, 9}).IsEmpty());
    EXPECT_TRUE(Region(Rect{5, 5, 2, 2}).IsEmpty());
    EXPECT_EQ(Region().Bounds(), Rect{});

    Region moved = r.Offsetted(-2, 10);
    EXPECT_EQ(moved.Bounds(), (Rect{0, 13, 4, 15}));
    moved.Offset(2, -10);
    EXPECT_EQ(moved, r);
}

TEST(Region, AlgebraMatchesPixelSetsAndHasOneForm)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const Sample a = RandomSample(random);
        const Sample b = RandomSample(random);
        const Region both = a.Pixels & b.Pixels;
        const Region either = a.Pixels | b.Pixels;
        const Region onlyA = a.Pixels - b.Pixels;
        const Region oneOf = a.Pixels ^ b.Pixels;
        for (int y = -1; y <= 32; ++y) {
            for (int x = -1; x <= 32; ++x) {
                const bool inA = x >= 0 && y >= 0 && x < 32 && y < 32 && a.Grid[static_cast<std::size_t>(y * 32 + x)];
                const bool inB = x >= 0 && y >= 0 && x < 32 && y < 32 && b.Grid[static_cast<std::size_t>(y * 32 + x)];
                ASSERT_EQ(a.Pixels.Contains(x, y), inA) << x << "," << y;
                ASSERT_EQ(both.Contains(x, y), inA && inB) << x << "," << y;
                ASSERT_EQ(either.Contains(x, y), inA || inB) << x << "," << y;
                ASSERT_EQ(onlyA.Contains(x, y), inA && !inB) << x << "," << y;
                ASSERT_EQ(oneOf.Contains(x, y), inA != inB) << x << "," << y;
            }
        }
        // The same set reached two ways compares equal: the form is canonical.
        EXPECT_EQ(oneOf, (a.Pixels - b.Pixels) | (b.Pixels - a.Pixels));
        EXPECT_EQ(a.Pixels.Intersected(Rect{5, 7, 20, 31}), a.Pixels & Region(Rect{5, 7, 20, 31}));
        long long area = 0;
        for (const Rect& piece : either.Rects()) {
            area += static_cast<long long>(piece.Width()) * piece.Height();
            EXPECT_TRUE(either.ContainsRect(piece));
        }
        EXPECT_EQ(area, either.Area());
    }
}

TEST(Region, NeighbouringRectanglesMergeIntoOne)
{
    const Region joined = Region(Rect{0, 0, 4, 2}) | Region(Rect{4, 0, 8, 2}) | Region(Rect{0, 2, 8, 5});
    EXPECT_EQ(joined, Region(Rect{0, 0, 8, 5}));
    EXPECT_EQ(joined.Bands().size(), 1u);
    EXPECT_EQ(joined.Spans().size(), 1u);
    EXPECT_TRUE((joined - Region(Rect{-5, -5, 20, 20})).IsEmpty());
}

TEST(Region, RoundRectIsThePlatformsShapeOnePixelShort)
{
    // (0, 0, 10, 8) with 4 x 4 corners covers [0, 9) x [0, 7) only.
    const Region round = Region::RoundRect(Rect{0, 0, 10, 8}, 4, 4);
    EXPECT_EQ(round.Bounds(), (Rect{0, 0, 9, 7}));
    EXPECT_EQ(Picture(round, Rect{0, 0, 10, 8}),
              ".#######..\n"
              "#########.\n"
              "#########.\n"
              "#########.\n"
              "#########.\n"
              "#########.\n"
              ".#######..\n"
              "..........\n");
    // Larger corners cut deeper, the same on all four.
    EXPECT_EQ(Picture(Region::RoundRect(Rect{0, 0, 12, 9}, 8, 6), Rect{0, 0, 12, 9}),
              "..#######...\n"
              ".#########..\n"
              "###########.\n"
              "###########.\n"
              "###########.\n"
              "###########.\n"
              ".#########..\n"
              "..#######...\n"
              "............\n");

    // Corners below 2 pixels are square; corner sizes are taken as absolute values and
    // limited to the rectangle.
    EXPECT_EQ(Region::RoundRect(Rect{0, 0, 5, 5}, 1, 9), Region(Rect{0, 0, 4, 4}));
    EXPECT_EQ(Region::RoundRect(Rect{0, 0, 10, 8}, -4, -4), round);
    EXPECT_EQ(Region::RoundRect(Rect{10, 8, 0, 0}, 4, 4), round) << "corners given upside down";
    EXPECT_EQ(Region::RoundRect(Rect{0, 0, 10, 8}, 100, 100), Region::Ellipse(Rect{0, 0, 10, 8}));
    EXPECT_TRUE(Region::RoundRect(Rect{3, 3, 4, 4}, 2, 2).IsEmpty());
}

TEST(Region, EllipseIsSymmetricAndConvex)
{
    for (const Rect box : {Rect{0, 0, 9, 9}, Rect{0, 0, 12, 7}, Rect{5, 2, 26, 13}, Rect{0, 0, 4, 30}}) {
        const Region e = Region::Ellipse(box);
        const Rect b = e.Bounds();
        EXPECT_EQ(b, (Rect{box.Left, box.Top, box.Right - 1, box.Bottom - 1})) << Picture(e, box);
        int previousWidth = 0;
        for (int y = b.Top; y < b.Bottom; ++y) {
            int first = b.Right;
            int last = b.Left - 1;
            for (int x = b.Left; x < b.Right; ++x) {
                if (e.Contains(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
                // Mirror images left-right and top-bottom.
                ASSERT_EQ(e.Contains(x, y), e.Contains(b.Left + b.Right - 1 - x, y)) << Picture(e, box);
                ASSERT_EQ(e.Contains(x, y), e.Contains(x, b.Top + b.Bottom - 1 - y)) << Picture(e, box);
            }
            ASSERT_LE(first, last) << "every row holds pixels";
            const int width = last - first + 1;
            EXPECT_EQ(static_cast<long long>(width), e.Intersected(Rect{b.Left, y, b.Right, y + 1}).Area())
                << "one span per row";
            if (y <= (b.Top + b.Bottom - 1) / 2) {
                EXPECT_GE(width, previousWidth) << "widening down to the middle";
            }
            previousWidth = width;
        }
    }
}

TEST(Region, PolygonFillsByPixelCentres)
{
    // An axis-aligned polygon is exactly its rectangle.
    const Point square[] = {{2, 1}, {7, 1}, {7, 4}, {2, 4}};
    EXPECT_EQ(Region::Polygon(square), Region(Rect{2, 1, 7, 4}));

    // Two triangles sharing a diagonal split the square without overlap or gap.
    const Point upper[] = {{0, 0}, {8, 0}, {8, 8}};
    const Point lower[] = {{0, 0}, {8, 8}, {0, 8}};
    const Region a = Region::Polygon(upper);
    const Region b = Region::Polygon(lower);
    EXPECT_TRUE((a & b).IsEmpty());
    EXPECT_EQ(a | b, Region(Rect{0, 0, 8, 8}));
    EXPECT_EQ(Picture(a, Rect{0, 0, 8, 3}),
              "########\n"
              ".#######\n"
              "..######\n");

    // Fewer than three vertices, or a flat polygon, hold nothing.
    const Point flat[] = {{0, 0}, {5, 0}, {9, 0}};
    EXPECT_TRUE(Region::Polygon(flat).IsEmpty());
    EXPECT_TRUE(Region::Polygon(std::span<const Point>(square, 2)).IsEmpty());
}

TEST(Region, SelfCrossingPolygonAlternateLeavesTheCoreOut)
{
    // A frame drawn as one outline: the outer square clockwise, then the inner square in the
    // same direction. Alternate fill leaves the inner square empty, winding fills it.
    const Point frame[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {3, 3}, {7, 3}, {7, 7}, {3, 7}, {3, 3}};
    const Region alternate = Region::Polygon(frame, PolyFillMode::Alternate);
    const Region winding = Region::Polygon(frame, PolyFillMode::Winding);
    EXPECT_EQ(alternate, Region(Rect{0, 0, 10, 10}) - Region(Rect{3, 3, 7, 7}));
    EXPECT_EQ(winding, Region(Rect{0, 0, 10, 10}));

    // A pentagram: its centre is crossed twice (alternate: out) but wound once around.
    const Point star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    EXPECT_FALSE(Region::Polygon(star, PolyFillMode::Alternate).Contains(10, 10));
    EXPECT_TRUE(Region::Polygon(star, PolyFillMode::Winding).Contains(10, 10));
    EXPECT_TRUE(Region::Polygon(star, PolyFillMode::Alternate).Contains(10, 3)) << "a point of the star";
}

TEST(Region, FromRowsMergesEqualRowsAndTouchingSpans)
{
    using Span = Region::Span;
    const Region r = Region::FromRows(5, {{Span{0, 2}, Span{2, 4}}, {Span{0, 4}}, {}, {Span{6, 8}, Span{1, 3}}});
    EXPECT_EQ(r, Region(Rect{0, 5, 4, 7}) | Region(Rect{1, 8, 3, 9}) | Region(Rect{6, 8, 8, 9}));
    EXPECT_EQ(r.Bands().size(), 2u);
}
