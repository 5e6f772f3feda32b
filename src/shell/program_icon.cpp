#include "shell/program_icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

struct Colour {
    double red;
    double green;
    double blue;
};

constexpr Colour CardEdge{0.36, 0.22, 0.12};
constexpr Colour CardFace{0.96, 0.87, 0.66};
constexpr Colour ThreadRed{0.80, 0.19, 0.15};
constexpr Colour ThreadBlue{0.13, 0.37, 0.66};
constexpr Colour BandShade{0.24, 0.16, 0.11};

// The icon is laid out in units of its side with (0, 0) at its centre, y downwards: the card
// above, tilted clockwise as it turns; below it the band its four threads weave, each
// thread running from its hole down to the band's upper edge.
constexpr double Tilt = 12.0 * std::numbers::pi / 180.0;
constexpr double CardX = 0.0;
constexpr double CardY = -0.19;
constexpr double CardHalf = 0.25;
constexpr double CardCorner = 0.07;
constexpr double HoleOffset = 0.135;
constexpr double HoleRadius = 0.06;
constexpr double BandLeft = -0.18;
constexpr double BandRight = 0.18;
constexpr double BandTop = 0.23;
constexpr int BandColumns = 4;
constexpr double StitchPitch = 0.085;

// Holes A to D clockwise from the top left, threaded red, blue, red, blue: the card shows
// the two colours crossing as it turns.
constexpr std::array<Colour, 4> HoleColours{ThreadRed, ThreadBlue, ThreadRed, ThreadBlue};
constexpr std::array<std::array<double, 2>, 4> HoleSides{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}};

// Inside a square of that half side whose corners are rounded by that radius.
bool InRoundedSquare(double x, double y, double half, double corner)
{
    const double qx = std::max(std::abs(x) - (half - corner), 0.0);
    const double qy = std::max(std::abs(y) - (half - corner), 0.0);
    return std::abs(x) <= half && std::abs(y) <= half && qx * qx + qy * qy <= corner * corner;
}

bool InCircle(double x, double y, double cx, double cy, double radius)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// Within half a width of the segment from (ax, ay) to (bx, by).
bool OnSegment(double x, double y, double ax, double ay, double bx, double by, double width)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    const double ex = x - (ax + t * dx);
    const double ey = y - (ay + t * dy);
    return ex * ex + ey * ey <= width * width / 4;
}

// A hole's centre on the icon.
std::array<double, 2> HoleCentre(std::size_t hole)
{
    const double hx = HoleSides[hole][0] * HoleOffset;
    const double hy = HoleSides[hole][1] * HoleOffset;
    return {CardX + hx * std::cos(Tilt) - hy * std::sin(Tilt), CardY + hx * std::sin(Tilt) + hy * std::cos(Tilt)};
}

double ColumnCentre(int column)
{
    const double width = (BandRight - BandLeft) / BandColumns;
    return BandLeft + (column + 0.5) * width;
}

const Colour* CardColourAt(double x, double y, double line)
{
    // The card turned back upright.
    const double dx = x - CardX;
    const double dy = y - CardY;
    const double cx = dx * std::cos(Tilt) + dy * std::sin(Tilt);
    const double cy = -dx * std::sin(Tilt) + dy * std::cos(Tilt);
    if (!InRoundedSquare(cx, cy, CardHalf, CardCorner)) {
        return nullptr;
    }
    const double edge = std::max(0.03, line);
    for (std::size_t hole = 0; hole < HoleColours.size(); ++hole) {
        const double hx = HoleSides[hole][0] * HoleOffset;
        const double hy = HoleSides[hole][1] * HoleOffset;
        if (InCircle(cx, cy, hx, hy, HoleRadius)) {
            return &HoleColours[hole];
        }
        if (InCircle(cx, cy, hx, hy, HoleRadius + edge * 0.7)) {
            return &CardEdge;
        }
    }
    if (!InRoundedSquare(cx, cy, CardHalf - edge, std::max(CardCorner - edge, 0.0))) {
        return &CardEdge;
    }
    return &CardFace;
}

// The threads from the holes to the band: hole A's and D's to the left half, in their
// columns' order, so that they do not cross.
const Colour* ThreadColourAt(double x, double y, double line)
{
    static constexpr std::array<int, 4> columnOfHole{0, 3, 2, 1};
    const double width = std::max(0.035, line);
    for (std::size_t hole = 0; hole < HoleColours.size(); ++hole) {
        const auto [hx, hy] = HoleCentre(hole);
        if (OnSegment(x, y, hx, hy, ColumnCentre(columnOfHole[hole]), BandTop, width)) {
            return &HoleColours[hole];
        }
    }
    return nullptr;
}

// The woven band: in each column a row of slanted stitches, the columns slanting in turn
// one way and the other as cards threaded S and Z do, the colours stepping diagonally and
// mirrored about the middle into chevrons.
const Colour* BandColourAt(double x, double y)
{
    if (x < BandLeft || x >= BandRight || y < BandTop) {
        return nullptr;
    }
    const double columnWidth = (BandRight - BandLeft) / BandColumns;
    const int column = std::min(static_cast<int>((x - BandLeft) / columnWidth), BandColumns - 1);
    const int row = static_cast<int>((y - BandTop) / StitchPitch);
    const double u = x - ColumnCentre(column);
    const double v = y - (BandTop + (row + 0.5) * StitchPitch);
    const double slant = (column < BandColumns / 2 ? 1.0 : -1.0) * std::numbers::pi / 4;
    const double along = u * std::cos(slant) + v * std::sin(slant);
    const double across = -u * std::sin(slant) + v * std::cos(slant);
    const double length = 0.62 * StitchPitch * std::numbers::sqrt2;
    const double thickness = 0.26 * StitchPitch * std::numbers::sqrt2;
    if ((along * along) / (length * length) + (across * across) / (thickness * thickness) > 1) {
        return &BandShade;
    }
    const int fromMiddle = column < BandColumns / 2 ? BandColumns / 2 - 1 - column : column - BandColumns / 2;
    return ((row + fromMiddle) / 2) % 2 == 0 ? &ThreadRed : &ThreadBlue;
}

// The colour of the topmost part at a point, none where the icon is clear. Lines are never
// thinner than `line` (one pixel of the icon), so small sizes keep their edges.
const Colour* ColourAt(double x, double y, double line)
{
    if (const Colour* card = CardColourAt(x, y, line)) {
        return card;
    }
    if (const Colour* thread = ThreadColourAt(x, y, line)) {
        return thread;
    }
    return BandColourAt(x, y);
}

std::uint32_t Channel(double value)
{
    return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

} // namespace

fw::ArgbImage DrawProgramIcon(int size)
{
    if (size < 1) {
        return {};
    }
    fw::ArgbImage image(size, size);
    // Each pixel is the mean of a grid of samples inside it: soft edges at every size.
    constexpr int Samples = 6;
    const double line = 1.0 / size;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double red = 0;
            double green = 0;
            double blue = 0;
            int covered = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const double x = (px + (sx + 0.5) / Samples) / size - 0.5;
                    const double y = (py + (sy + 0.5) / Samples) / size - 0.5;
                    if (const Colour* colour = ColourAt(x, y, line)) {
                        red += colour->red;
                        green += colour->green;
                        blue += colour->blue;
                        ++covered;
                    }
                }
            }
            if (covered == 0) {
                continue;
            }
            const std::uint32_t alpha = Channel(static_cast<double>(covered) / (Samples * Samples));
            image.SetPixel(px, py,
                           alpha << 24 | Channel(red / covered) << 16 | Channel(green / covered) << 8
                               | Channel(blue / covered));
        }
    }
    return image;
}

const std::vector<fw::ArgbImage>& ProgramIconImages()
{
    // Drawn once: every main window and every registration wants the same pictures.
    static const std::vector<fw::ArgbImage> images = [] {
        std::vector<fw::ArgbImage> drawn;
        for (const int size : ProgramIconSizes) {
            drawn.push_back(DrawProgramIcon(size));
        }
        return drawn;
    }();
    return images;
}
