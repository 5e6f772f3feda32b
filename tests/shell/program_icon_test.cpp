// The program's icon, drawn at the sizes the desktop asks for.

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "shell/program_icon.h"

namespace {

std::uint32_t Alpha(std::uint32_t argb)
{
    return argb >> 24;
}

// Whether an opaque pixel of mostly that channel (16 red, 0 blue) shows anywhere.
bool ShowsOpaque(const fw::ArgbImage& icon, int shift)
{
    for (const std::uint32_t pixel : icon.Pixels()) {
        const std::uint32_t channel = (pixel >> shift) & 0xFF;
        const std::uint32_t others = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) - channel;
        if (Alpha(pixel) == 0xFF && channel > 150 && others < channel) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(ProgramIcon, EverySizeIsACardOnAClearGroundWithSoftEdgesAndBothThreadColours)
{
    for (const int size : ProgramIconSizes) {
        SCOPED_TRACE("size " + std::to_string(size));
        const fw::ArgbImage icon = DrawProgramIcon(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        // The desktop's background shows round the tilted card and beside the band.
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{size - 1, 0}, std::pair{0, size - 1}, std::pair{size - 1, size - 1}}) {
            EXPECT_EQ(Alpha(icon.Pixel(x, y)), 0u) << x << ", " << y;
        }
        int opaque = 0;
        int soft = 0;
        for (const std::uint32_t pixel : icon.Pixels()) {
            opaque += Alpha(pixel) == 0xFF;
            soft += Alpha(pixel) > 0 && Alpha(pixel) < 0xFF;
        }
        EXPECT_GT(opaque, size * size / 5);
        EXPECT_GT(soft, size / 2) << "the edges are smoothed";
        EXPECT_TRUE(ShowsOpaque(icon, 16)) << "red thread";
        EXPECT_TRUE(ShowsOpaque(icon, 0)) << "blue thread";
    }
    EXPECT_TRUE(DrawProgramIcon(0).Empty());
}

TEST(ProgramIcon, TheImagesAreTheSizesInOrder)
{
    const std::vector<fw::ArgbImage>& images = ProgramIconImages();
    ASSERT_EQ(images.size(), std::size(ProgramIconSizes));
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i], DrawProgramIcon(ProgramIconSizes[i]));
    }
}
