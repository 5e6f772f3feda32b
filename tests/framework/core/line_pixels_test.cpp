#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/core/line_pixels.h"

namespace {

using Pixel = std::pair<int, int>;

struct Walked {
    long long index;
    int x;
    int y;
    bool operator==(const Walked&) const = default;
};

std::vector<Walked> Walk(fw::Point from, fw::Point to, const fw::Rect& reach)
{
    std::vector<Walked> walked;
    fw::WalkLinePixels(from, to, reach, [&](long long i, int x, int y) { walked.push_back(Walked{i, x, y}); });
    return walked;
}

const fw::Rect Everywhere{-1000, -1000, 1000, 1000};

TEST(LinePixelsTest, AShortLineStepsAlongItsLongerAxisAndLeavesItsEndOut)
{
    EXPECT_EQ(Walk({1, 2}, {5, 2}, Everywhere),
              (std::vector<Walked>{{0, 1, 2}, {1, 2, 2}, {2, 3, 2}, {3, 4, 2}}));
    EXPECT_EQ(Walk({0, 0}, {2, 6}, Everywhere),
              (std::vector<Walked>{{0, 0, 0}, {1, 0, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 2, 5}}));
    EXPECT_TRUE(Walk({3, 3}, {3, 3}, Everywhere).empty()) << "a line of no length has no pixels";
}

TEST(LinePixelsTest, ALineAndItsReverseCoverTheSamePixelsBetweenTheirEnds)
{
    const std::vector<std::pair<fw::Point, fw::Point>> lines = {
        {{0, 0}, {10, 5}}, {{0, 0}, {5, 10}}, {{2, 9}, {12, 4}}, {{7, 1}, {1, 4}}, {{0, 0}, {8, 8}}};
    for (const auto& [a, b] : lines) {
        std::set<Pixel> forwards{{b.X, b.Y}};
        for (const Walked& w : Walk(a, b, Everywhere)) {
            forwards.insert({w.x, w.y});
        }
        std::set<Pixel> backwards{{a.X, a.Y}};
        for (const Walked& w : Walk(b, a, Everywhere)) {
            backwards.insert({w.x, w.y});
        }
        EXPECT_EQ(forwards, backwards) << a.X << "," << a.Y << " - " << b.X << "," << b.Y;
    }
}

TEST(LinePixelsTest, TheReachWalksOnlyTheStretchInsideWithTheSameSteps)
{
    const fw::Point from{-500, 3};
    const fw::Point to{700, 40};
    const fw::Rect reach{0, 0, 20, 100};
    std::vector<Walked> inside;
    for (const Walked& w : Walk(from, to, Everywhere)) {
        if (w.x >= reach.Left && w.x < reach.Right) {
            inside.push_back(w);
        }
    }
    ASSERT_EQ(inside.size(), 20u);
    EXPECT_EQ(Walk(from, to, reach), inside);
    EXPECT_TRUE(Walk(from, to, fw::Rect{800, 0, 900, 100}).empty()) << "a reach past the line's end";
}

TEST(LinePixelsTest, TheWalkMeetsThePixelsTheCanvasDraws)
{
    const std::vector<std::pair<fw::Point, fw::Point>> lines = {
        {{1, 1}, {30, 9}}, {{28, 2}, {3, 17}}, {{15, 19}, {15, 0}}, {{-10, 5}, {40, 12}}};
    for (const auto& [from, to] : lines) {
        fw::Bitmap surface(32, 20);
        surface.FillRect(surface.Bounds(), 0xFFFFFF);
        fw::Canvas canvas(surface);
        canvas.Pen() = fw::Pen{0x000000};
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        std::set<Pixel> drawn;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (surface.Pixel(x, y) == 0x000000) {
                    drawn.insert({x, y});
                }
            }
        }
        std::set<Pixel> walked;
        for (const Walked& w : Walk(from, to, surface.Bounds())) {
            if (w.x >= 0 && w.x < surface.Width() && w.y >= 0 && w.y < surface.Height()) {
                walked.insert({w.x, w.y});
            }
        }
        EXPECT_FALSE(walked.empty());
        EXPECT_EQ(drawn, walked) << from.X << "," << from.Y << " - " << to.X << "," << to.Y;
    }
}

} // namespace
