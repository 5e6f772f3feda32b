#pragma once

#include <functional>

#include "framework/core/bitmap.h"
#include "framework/core/system_colours.h"

namespace fw {
class Control;
} // namespace fw

// Scripted replacements for the dialogs the weaving-image frame runs: the colour dialog,
// picture saving, the size-ratio dialog and printing; tests install them. Each left empty
// goes to the host of the editor the frame is part of, and without a host (or a dialog
// there) to a stand-in (below), so the frame always works.
struct TWeavingImageServices {
    // Lets the user pick a colour starting at `colour`; true with the new colour in it.
    // Stand-in: the platform's colour dialog.
    std::function<bool(fw::Color& colour)> PickColour;
    // Saves a picture where the user chooses; true when it was saved. Stand-in: the
    // platform's picture-save dialog, as a Windows bitmap file.
    std::function<bool(const fw::Bitmap& picture)> SaveImage;
    // Edits the three cell ratios (width, centre height, end height); true when the user
    // accepted, with the new values in them. Stand-in: tells the user the dialog is not
    // available yet and answers false.
    std::function<bool(double& width, double& centre, double& end)> EditSizeRatios;
    // Prints a picture after asking for its title and description, centred over the
    // control. Stand-in: the image report of the shell.
    std::function<void(const fw::Bitmap& picture, const fw::Control& centreOver)> PrintImage;
};

// The services in use.
TWeavingImageServices& WeavingImageServices();

// The services with every stand-in, whatever is registered: what each empty member does.
bool PickColourWithPlatformDialog(fw::Color& colour);
bool SaveImageAsBitmapFile(const fw::Bitmap& picture);
bool SizeRatiosNotAvailable(double& width, double& centre, double& end);
void PrintImageWithReport(const fw::Bitmap& picture, const fw::Control& centreOver);
