#pragma once

#include <cstdint>

#include "framework/core/bitmap.h"
#include "framework/core/system_colours.h"

// The pictures of the main window's tool buttons, drawn by our own code: 16 x 16 pixels on
// the mask colour, which the image list leaves out.
inline constexpr int ToolIconSize = 16;
inline constexpr fw::Color ToolIconMask = 0xFF00FF;

// The picture of the button with this action id; 0 is the Load button, which has no action
// id. An id without a picture of its own gets a plain raised square.
fw::Bitmap ToolIcon(std::int32_t actionId);
