#include "shell/about_pictures.h"

#include <cstdint>
#include <algorithm>

namespace {

constexpr int BackgroundWidth = 287;
constexpr int BackgroundHeight = 151;

// Colours as 0x00BBGGRR.
constexpr std::uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8)
           | (static_cast<std::uint32_t>(blue) << 16);
}

int Blend(int from, int to, int step, int steps)
{
    return from + (to - from) * step / steps;
}

} // namespace

fw::Bitmap AboutBackground()
{
    fw::Bitmap picture(BackgroundWidth, BackgroundHeight);
    for (int y = 0; y < BackgroundHeight; ++y) {
        // From a warm cream at the top to a pale blue at the bottom.
        const int red = Blend(252, 226, y, BackgroundHeight);
        const int green = Blend(246, 236, y, BackgroundHeight);
        const int blue = Blend(232, 248, y, BackgroundHeight);
        for (int x = 0; x < BackgroundWidth; ++x) {
            // A faint twill: every fourth diagonal a shade darker.
            const int shade = (x + y) % 4 == 0 ? 10 : 0;
            picture.SetPixel(x, y, Rgb(red - shade, green - shade, blue - shade));
        }
    }
    return picture;
}

fw::Bitmap AboutBandPicture()
{
    constexpr int Width = 120;
    constexpr int Height = 36;
    constexpr int BandTop = 6;
    constexpr int BandBottom = 30;
    fw::Bitmap picture(Width, Height);
    picture.FillRect(picture.Bounds(), AboutFuchsia);
    const std::uint32_t edge = Rgb(90, 30, 20);
    const std::uint32_t red = Rgb(176, 32, 32);
    const std::uint32_t cream = Rgb(244, 232, 200);
    for (int x = 4; x < Width - 4; ++x) {
        picture.SetPixel(x, BandTop, edge);
        picture.SetPixel(x, BandBottom - 1, edge);
        for (int y = BandTop + 1; y < BandBottom - 1; ++y) {
            // Chevrons pointing to the middle line of the band, as warp twined one way above
            // it and the other way below.
            const int row = y - BandTop - 1;
            const int towards = row < (BandBottom - BandTop - 2) / 2 ? x + row : x - row;
            const bool dark = ((towards / 4) % 2) == 0;
            picture.SetPixel(x, y, dark ? red : cream);
        }
    }
    return picture;
}

fw::Bitmap AboutCardPicture()
{
    constexpr int Size = 40;
    constexpr int Corner = 5;
    constexpr int HoleRadius = 4;
    constexpr int HoleInset = 10;
    fw::Bitmap picture(Size, Size);
    picture.FillRect(picture.Bounds(), AboutSilver);
    const std::uint32_t card = Rgb(208, 176, 128);
    const std::uint32_t outline = Rgb(60, 40, 20);
    for (int y = 2; y < Size - 2; ++y) {
        for (int x = 2; x < Size - 2; ++x) {
            // Cut corners, outlined.
            const int fromLeft = x - 2;
            const int fromTop = y - 2;
            const int fromRight = Size - 3 - x;
            const int fromBottom = Size - 3 - y;
            const int across = std::min(fromLeft, fromRight);
            const int down = std::min(fromTop, fromBottom);
            if (across + down < Corner) {
                continue;
            }
            const bool border = across == 0 || down == 0 || across + down == Corner;
            picture.SetPixel(x, y, border ? outline : card);
        }
    }
    // The four holes let the background through.
    for (const int cy : {HoleInset, Size - 1 - HoleInset}) {
        for (const int cx : {HoleInset, Size - 1 - HoleInset}) {
            for (int y = cy - HoleRadius; y <= cy + HoleRadius; ++y) {
                for (int x = cx - HoleRadius; x <= cx + HoleRadius; ++x) {
                    const int distance = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    if (distance <= HoleRadius * HoleRadius) {
                        picture.SetPixel(x, y, distance > (HoleRadius - 1) * (HoleRadius - 1) ? outline : AboutSilver);
                    }
                }
            }
        }
    }
    return picture;
}
