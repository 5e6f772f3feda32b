#include "controls/check_images.h"

#include <array>
#include <string_view>

#include "framework/core/named_images.h"

namespace {

constexpr std::array<std::string_view, CheckImageCount> ImageNames{
    "ILCCIMG_DEF_CHKBOX_BLANK", "ILCCIMG_DEF_CHKBOX_CHECKED", "ILCCIMG_DEF_CHKBOX_BLANK_DISABLED",
    "ILCCIMG_DEF_CHKBOX_CHECKED_DISABLED", "ILCCIMG_DEF_RBTN_BLANK", "ILCCIMG_DEF_RBTN_CHECKED",
    "ILCCIMG_DEF_RBTN_BLANK_DISABLED", "ILCCIMG_DEF_RBTN_CHECKED_DISABLED",
};

// Constructed on first use and kept to the end of the run: controls hold plain pointers
// into it.
std::array<fw::Bitmap, CheckImageCount>& Slots()
{
    static std::array<fw::Bitmap, CheckImageCount> slots;
    return slots;
}

fw::Bitmap DefaultOf(int index)
{
    fw::Bitmap image = fw::LoadNamedImage(ImageNames[static_cast<std::size_t>(index)]);
    image.SetTransparentColor(fw::NamedImageKey);
    image.SetTransparent(true);
    return image;
}

void SetSlot(int index, const fw::Bitmap* picture)
{
    fw::Bitmap& slot = Slots()[static_cast<std::size_t>(index)];
    slot = picture == nullptr || picture->Empty() ? DefaultOf(index) : *picture;
}

void SetFour(int first, const fw::Bitmap* blank, const fw::Bitmap* checked, const fw::Bitmap* blankDisabled,
             const fw::Bitmap* checkedDisabled)
{
    SetSlot(first, blank);
    SetSlot(first + 1, checked);
    SetSlot(first + 2, blankDisabled);
    SetSlot(first + 3, checkedDisabled);
}

} // namespace

const fw::Bitmap* DefaultCheckImage(TILCheckImage image)
{
    return &Slots()[static_cast<std::size_t>(image)];
}

void SetDefaultCheckBoxImages(const fw::Bitmap* blank, const fw::Bitmap* checked, const fw::Bitmap* blankDisabled,
                              const fw::Bitmap* checkedDisabled)
{
    SetFour(static_cast<int>(TILCheckImage::CheckBoxBlank), blank, checked, blankDisabled, checkedDisabled);
}

void SetDefaultRadioButtonImages(const fw::Bitmap* blank, const fw::Bitmap* checked, const fw::Bitmap* blankDisabled,
                                 const fw::Bitmap* checkedDisabled)
{
    SetFour(static_cast<int>(TILCheckImage::RadioBlank), blank, checked, blankDisabled, checkedDisabled);
}

void ResetDefaultCheckImages()
{
    for (int i = 0; i < CheckImageCount; ++i) {
        SetSlot(i, nullptr);
    }
}

void LoadDefaultCheckImages()
{
    ResetDefaultCheckImages();
}

void FreeDefaultCheckImages()
{
    for (fw::Bitmap& slot : Slots()) {
        slot = fw::Bitmap();
    }
}
