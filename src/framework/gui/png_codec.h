#pragma once

#include <string>
#include <string_view>

#include "framework/core/argb_image.h"

namespace fw {

// PNG, the format the desktop's icon themes read, through Qt's own codec (no plug-in).
// Encoding an empty picture gives no bytes; decoding bytes that are no PNG gives an empty
// picture.
std::string EncodePng(const ArgbImage& image);
ArgbImage DecodePng(std::string_view bytes);

} // namespace fw
