#pragma once

#include <vector>

#include "framework/core/argb_image.h"

// The program's icon: a weaving card, its four holes threaded in two colours, tilted a
// little as a card turns. It is drawn here at any size rather than kept as a picture file,
// so that every size the desktop asks for is drawn for that size, and what the main window
// shows and what the file-type registration installs are the same picture.

// The name the icon is installed under in the desktop's icon theme, and the desktop entry's
// Icon= line.
inline constexpr const char* ProgramIconName = "tavelin";

// The sizes installed and given to the main window, as the desktop's icon themes sort them.
inline constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon drawn size by size pixels, with soft (anti-aliased) edges on a transparent
// background. Sizes below 1 give an empty picture.
fw::ArgbImage DrawProgramIcon(int size);

// The icon at every size of ProgramIconSizes, smallest first.
const std::vector<fw::ArgbImage>& ProgramIconImages();
