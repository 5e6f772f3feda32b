#pragma once

#include "framework/core/bitmap.h"

// The eight state images every check control starts with, shared by all of them: the
// check box's and the radio button's blank and checked looks, each enabled and disabled.
// The slots are fixed objects for the whole run, so a control's reference to one stays
// valid whatever is put into the slot later: replacing an image changes the pixels of the
// slot, and every control that shows it shows the new image.
enum class TILCheckImage : int {
    CheckBoxBlank = 0,
    CheckBoxChecked = 1,
    CheckBoxBlankDisabled = 2,
    CheckBoxCheckedDisabled = 3,
    RadioBlank = 4,
    RadioChecked = 5,
    RadioBlankDisabled = 6,
    RadioCheckedDisabled = 7,
};
inline constexpr int CheckImageCount = 8;

// The slot of the image (its contents are empty before the library loads them).
const fw::Bitmap* DefaultCheckImage(TILCheckImage image);

// Puts the four check-box images (or the four radio images) in at once, in the order blank,
// checked, blank disabled, checked disabled. An empty argument (none, or an empty picture)
// puts that image's own default back; any other picture is copied.
void SetDefaultCheckBoxImages(const fw::Bitmap* blank, const fw::Bitmap* checked, const fw::Bitmap* blankDisabled,
                              const fw::Bitmap* checkedDisabled);
void SetDefaultRadioButtonImages(const fw::Bitmap* blank, const fw::Bitmap* checked, const fw::Bitmap* blankDisabled,
                                 const fw::Bitmap* checkedDisabled);
// All eight back to their defaults: the program's named images, transparent on magenta.
void ResetDefaultCheckImages();

// The control library's start-up loads the defaults and its end empties the slots (controls
// still holding a reference then draw nothing rather than freed memory).
void LoadDefaultCheckImages();
void FreeDefaultCheckImages();
