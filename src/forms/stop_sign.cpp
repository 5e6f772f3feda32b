#include "forms/stop_sign.h"

#include <cmath>

#include "framework/core/canvas.h"
#include "framework/core/named_images.h"

namespace {

constexpr fw::Color SignRed = 0x2020D0;
constexpr fw::Color SignEdge = 0x000070;

// Whether the point, measured from the picture's centre, lies in the regular octagon with
// the inner radius: within the four straight sides and the four cut corners.
bool InOctagon(double dx, double dy, double radius)
{
    constexpr double Sqrt2 = 1.4142135623730951;
    return std::abs(dx) <= radius && std::abs(dy) <= radius && std::abs(dx) + std::abs(dy) <= radius * Sqrt2;
}

// The colour of a pixel: rings from the outside in (a dark edge, red, a white rim), the red
// face, and the white cross on it; the key colour outside.
fw::Color SignPixel(int x, int y)
{
    const double centre = (StopSignSize - 1) / 2.0;
    const double dx = x - centre;
    const double dy = y - centre;
    if (!InOctagon(dx, dy, centre)) {
        return fw::NamedImageKey;
    }
    if (!InOctagon(dx, dy, centre - 1)) {
        return SignEdge;
    }
    if (!InOctagon(dx, dy, centre - 2)) {
        return SignRed;
    }
    if (!InOctagon(dx, dy, centre - 4)) {
        return fw::clWhite;
    }
    const bool onCross = std::abs(dx) <= 6 && std::abs(dy) <= 6 && std::abs(std::abs(dx) - std::abs(dy)) <= 1.6;
    return onCross ? fw::clWhite : SignRed;
}

} // namespace

fw::Bitmap StopSignPicture()
{
    fw::Bitmap picture(StopSignSize, StopSignSize);
    for (int y = 0; y < StopSignSize; ++y) {
        for (int x = 0; x < StopSignSize; ++x) {
            picture.SetPixel(x, y, SignPixel(x, y));
        }
    }
    picture.SetTransparentColor(fw::NamedImageKey);
    picture.SetTransparent(true);
    return picture;
}

TStaticPicture::TStaticPicture(fw::Component* owner) : fw::GraphicControl(owner)
{
    SetBounds(0, 0, StopSignSize, StopSignSize);
}

void TStaticPicture::SetPicture(const fw::Bitmap& picture)
{
    picture_ = picture;
    Invalidate();
}

void TStaticPicture::Paint()
{
    if (!picture_.Empty()) {
        Canvas().Draw(0, 0, picture_);
    }
}
