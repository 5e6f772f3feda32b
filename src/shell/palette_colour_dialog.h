#pragma once

#include "model/palette.h"

namespace fw {
class ColorDialog;
}

// The colour dialog through which palette colours are edited: the data module's "dlgColours"
// when the main window has a data module that holds one, so that the dialog remembers its
// state across uses as one program-wide dialog; none otherwise.
fw::ColorDialog* DataModuleColourDialog();

// Runs that dialog (or, without one, a dialog of its own for this once) on the colour;
// true when the user confirmed, and the colour then holds the choice.
bool ExecuteColourDialog(TTWColour& colour);
