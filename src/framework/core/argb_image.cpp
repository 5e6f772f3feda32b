#include "framework/core/argb_image.h"

#include <algorithm>

namespace fw {

ArgbImage::ArgbImage(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u)
{
}

} // namespace fw
