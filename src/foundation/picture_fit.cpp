#include "foundation/picture_fit.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/canvas.h"

namespace {

// value * numerator / denominator rounded to the nearest integer, halves to even, worked
// out exactly in integers so that a true half is never blurred by floating point. All
// three are at least 0; a denominator of 0 gives 0.
int ScaleRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0) {
        return 0;
    }
    const std::int64_t product = value * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t twiceRemainder = 2 * (product % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<int>(quotient);
}

} // namespace

fw::Size FitPictureSize(int pictureWidth, int pictureHeight, int maxWidth, int maxHeight)
{
    const std::int64_t width = std::max(pictureWidth, 0);
    const std::int64_t height = std::max(pictureHeight, 0);
    const std::int64_t widest = std::max(maxWidth, 0);
    const std::int64_t highest = std::max(maxHeight, 0);
    if (width <= widest && height <= highest) {
        return fw::Size{static_cast<int>(width), static_cast<int>(height)};
    }
    // width / widest >= height / highest, without dividing.
    if (width * highest >= height * widest) {
        return fw::Size{static_cast<int>(widest), ScaleRounded(height, widest, width)};
    }
    return fw::Size{ScaleRounded(width, highest, height), static_cast<int>(highest)};
}

fw::Rect FitBitmap(const fw::Bitmap& source, fw::Bitmap& destination, int maxWidth, int maxHeight, bool resize)
{
    if (&source == &destination) {
        // Resizing the destination would change the source under the copy.
        const fw::Bitmap copy(source);
        return FitBitmap(copy, destination, maxWidth, maxHeight, resize);
    }
    const fw::Size size = FitPictureSize(source.Width(), source.Height(), maxWidth, maxHeight);
    if (resize) {
        destination.SetSize(size.Width, size.Height);
    }
    const fw::Rect drawn{0, 0, size.Width, size.Height};
    fw::Canvas canvas(destination);
    if (size.Width == source.Width() && size.Height == source.Height()) {
        canvas.Draw(0, 0, source);
    } else {
        canvas.StretchDraw(drawn, source);
    }
    return drawn;
}
