#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/tool_actions.h"
#include "shell/tool_icons.h"

namespace {

// Load (0) and every action id the tool bar has a button for.
const std::vector<std::int32_t> ButtonIds = {
    0,   1,   2,   3,   4,   5,   6,   100, 208, 300, 301, 302, 303, 304, 305, 306, 350, 351,
    352, 353, 354, 355, 356, 357, 358, 359, 360, 361, 362, 363, 400, 401, 402, 500, 501, 600,
    601, 602, 603, 604, 605, 606, 607, 608, 609, 610, 611, 612, 613, 614, 615, 616, 617, 618};

int DrawnPixels(const fw::Bitmap& picture)
{
    int drawn = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            drawn += picture.Pixel(x, y) != ToolIconMask ? 1 : 0;
        }
    }
    return drawn;
}

} // namespace

TEST(ToolIcons, EveryButtonHasAPictureOfItsOwn)
{
    const fw::Bitmap plain = ToolIcon(-1);
    std::vector<fw::Bitmap> pictures;
    for (const std::int32_t id : ButtonIds) {
        fw::Bitmap picture = ToolIcon(id);
        ASSERT_EQ(picture.Width(), ToolIconSize) << id;
        ASSERT_EQ(picture.Height(), ToolIconSize) << id;
        EXPECT_GT(DrawnPixels(picture), 12) << id << " draws something";
        EXPECT_FALSE(picture.SamePixels(plain)) << id << " is not the stand-in";
        for (std::size_t other = 0; other < pictures.size(); ++other) {
            EXPECT_FALSE(picture.SamePixels(pictures[other])) << id << " looks like " << ButtonIds[other];
        }
        pictures.push_back(std::move(picture));
    }
}

TEST(ToolIcons, MirroredCommandsHaveMirroredPictures)
{
    const fw::Bitmap left = ToolIcon(TWAction::ShiftLeft);
    const fw::Bitmap right = ToolIcon(TWAction::ShiftRight);
    const fw::Bitmap up = ToolIcon(TWAction::ShiftUp);
    for (int y = 0; y < ToolIconSize; ++y) {
        for (int x = 0; x < ToolIconSize; ++x) {
            EXPECT_EQ(right.Pixel(ToolIconSize - 1 - x, y), left.Pixel(x, y));
            EXPECT_EQ(up.Pixel(y, x), left.Pixel(x, y));
        }
    }
    // The arrow's point is at the left of Shift Left and at the top of Shift Up.
    EXPECT_NE(left.Pixel(3, 7), ToolIconMask);
    EXPECT_EQ(left.Pixel(14, 3), ToolIconMask);
    EXPECT_NE(up.Pixel(7, 3), ToolIconMask);
}
