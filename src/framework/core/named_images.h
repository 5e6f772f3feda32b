#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/exceptions.h"

namespace fw {

// A named image that the program does not hold.
FW_DECLARE_EXCEPTION(EResNotFound, Exception);

// The small pictures the controls load by name: scroll-bar and combo-box arrows, check and
// radio images, the corner logos, the tree's expand buttons and sort icons, and the stop
// sign of the error window. They are drawn here as pixel data, so the program carries them
// without any file next to it.
//
// Images meant to be drawn over a button face have the magenta key 0xFF00FF around their
// shape; they come marked transparent with that key. The corner logos are opaque.
//
// Some names that controls ask for on purpose do not exist: a scroll-bar arrow has no
// "_DOWN" or "_REPEAT" image, so its button falls back to the active one.
inline constexpr std::uint32_t NamedImageKey = 0xFF00FF;

// The 32 x 32 stop sign of the error window.
inline constexpr std::string_view StopSignImageName = "EXCEPTION_STOP_SIGN";

// The image of that name (compared without regard to ASCII case), none when there is no
// such image. The image lives as long as the program.
const Bitmap* FindNamedImage(std::string_view name);

// A copy of the named image; raises EResNotFound "Resource <name> not found" when there is
// no such image.
Bitmap LoadNamedImage(std::string_view name);

// Every name, in a fixed order (for tools and the contact sheet of the tests).
std::vector<std::string_view> NamedImageNames();

} // namespace fw
