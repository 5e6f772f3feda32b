#include "editors/bitmap_clip.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/block_frame_messages.h"
#include "forms/form_kit.h"
#include "framework/core/canvas.h"
#include "framework/core/named_images.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/bitmap_ops.h"
#include "model/block_design.h"
#include "shell/tool_actions.h"

namespace {

constexpr int ButtonSize = 16;
constexpr int ButtonStep = 18;
constexpr int ButtonColumnWidth = 18;
constexpr int StatHeight = 14;

// The glyphs of the buttons, 11 x 11: '#' ink, 'r' red, anything else the transparent key.
constexpr std::size_t GlyphSize = 11;
using GlyphRows = std::array<std::string_view, GlyphSize>;

// One row of pixels a line, as they show.
// clang-format off
// An arrow down into a tray: the clip goes into the design.
constexpr GlyphRows PasteRows = {
    "....###....",
    "....###....",
    "....###....",
    "....###....",
    ".#########.",
    "..#######..",
    "...#####...",
    "#...###...#",
    "#....#....#",
    "#.........#",
    "###########",
};
// A hooked arrow turning anticlockwise; the clockwise one is its mirror image.
constexpr GlyphRows RotateLeftRows = {
    "...........",
    "..#........",
    ".##........",
    "#########..",
    ".##......#.",
    "..#.......#",
    "..........#",
    "..........#",
    ".........#.",
    "......###..",
    "...........",
};
constexpr GlyphRows DeleteRows = {
    "rr.......rr",
    ".rr.....rr.",
    "..rr...rr..",
    "...rr.rr...",
    "....rrr....",
    "....rrr....",
    "...rr.rr...",
    "..rr...rr..",
    ".rr.....rr.",
    "rr.......rr",
    "...........",
};
// clang-format on

fw::Bitmap Glyph(const GlyphRows& rows, bool mirrored = false)
{
    constexpr int size = static_cast<int>(GlyphSize);
    fw::Bitmap glyph(size, size);
    glyph.FillRect(glyph.Bounds(), fw::NamedImageKey);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const char cell = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(mirrored ? size - 1 - x : x)];
            if (cell == '#') {
                glyph.SetPixel(x, y, fw::clBlack);
            } else if (cell == 'r') {
                glyph.SetPixel(x, y, fw::clRed);
            }
        }
    }
    glyph.SetTransparentColor(fw::NamedImageKey);
    glyph.SetTransparent(true);
    return glyph;
}

fw::Panel* NewPlainPanel(fw::Component& owner, fw::WinControl* parent, const char* name, fw::Align align)
{
    auto* panel = new fw::Panel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetAlign(align);
    panel->SetBevelOuter(fw::PanelBevel::None);
    panel->SetCaption(std::string());
    return panel;
}

fw::SpeedButton* NewClipButton(TfrmTWBitmapClip& clip, fw::Panel* column, const char* name, const char* hint,
                               const fw::Bitmap& glyph, int index)
{
    const int left = (ButtonColumnWidth - ButtonSize) / 2;
    return NewGlyphButton(clip, column, name, hint, glyph,
                          FormBounds{left, 1 + index * ButtonStep, ButtonSize, ButtonSize});
}

} // namespace

// --- The clip ----------------------------------------------------------------------------------

TfrmTWBitmapClip::TfrmTWBitmapClip(fw::Component* owner)
    : fw::Frame(owner),
      pnlButtons(NewPlainPanel(*this, this, "pnlButtons", fw::Align::Right)),
      btnPaste(NewClipButton(*this, pnlButtons, "btnPaste", "Paste into the pattern", Glyph(PasteRows), 0)),
      btnRotateLeft(NewClipButton(*this, pnlButtons, "btnRotateLeft", "Rotate left", Glyph(RotateLeftRows), 1)),
      btnRotateRight(
          NewClipButton(*this, pnlButtons, "btnRotateRight", "Rotate right", Glyph(RotateLeftRows, true), 2)),
      btnDelete(NewClipButton(*this, pnlButtons, "btnDelete", "Delete this clip", Glyph(DeleteRows), 3)),
      pnlPicture(NewPlainPanel(*this, this, "pnlPicture", fw::Align::Client)),
      pnlStat(NewPlainPanel(*this, pnlPicture, "pnlStat", fw::Align::Bottom)),
      pnlImage(NewPlainPanel(*this, pnlPicture, "pnlImage", fw::Align::Client)),
      imgBitmap(new TTWPictureImage(this)),
      design_(std::make_unique<TTWBlockDesignItem>())
{
    SetBounds(0, 0, ClipSize, ClipSize);
    pnlButtons->SetWidth(ButtonColumnWidth);
    pnlStat->SetHeight(StatHeight);
    pnlImage->SetBevelOuter(fw::PanelBevel::Lowered);
    imgBitmap->SetName("imgBitmap");
    imgBitmap->SetParent(pnlImage);
    imgBitmap->SetBounds(0, 0, 0, 0);
    pnlImage->SetOnResize([this](fw::Object*) { PlaceImage(); });

    btnPaste->SetOnClick([this](fw::Object*) { btnPasteClick(); });
    btnRotateLeft->SetOnClick([this](fw::Object*) { btnRotateLeftClick(); });
    btnRotateRight->SetOnClick([this](fw::Object*) { btnRotateRightClick(); });
    btnDelete->SetOnClick([this](fw::Object*) { btnDeleteClick(); });
}

TfrmTWBitmapClip::~TfrmTWBitmapClip() = default;

void TfrmTWBitmapClip::SetClip(const TTWBlockDesignItem* design, int width, const fw::Bitmap* bitmap, int height)
{
    if (design != nullptr && design != design_.get()) {
        design_->Assign(design);
    }
    if (bitmap == nullptr) {
        display_ = design_->Bitmap();
    } else if (bitmap != &display_) {
        display_ = *bitmap;
    }
    imgBitmap->SetPicture(display_);
    PlaceImage();
    pnlStat->SetCaption(fw::IntToStr(width) + "x" + fw::IntToStr(height));
}

void TfrmTWBitmapClip::PlaceImage()
{
    const int roomWidth = pnlImage->ClientWidth() - 2;
    const int roomHeight = pnlImage->ClientHeight() - 2;
    int width = display_.Width();
    int height = display_.Height();
    if (display_.Empty() || roomWidth <= 0 || roomHeight <= 0) {
        width = 0;
        height = 0;
    } else if (width > roomWidth || height > roomHeight) {
        // Scaled down in proportion, so that the cells keep their shape.
        const double scale = std::min(static_cast<double>(roomWidth) / width, static_cast<double>(roomHeight) / height);
        width = std::clamp(static_cast<int>(width * scale), 1, roomWidth);
        height = std::clamp(static_cast<int>(height * scale), 1, roomHeight);
    } else {
        // A few cells would be a few pixels: grown by the largest whole factor that fits.
        const int factor = std::min(roomWidth / width, roomHeight / height);
        width *= factor;
        height *= factor;
    }
    imgBitmap->SetBounds((pnlImage->ClientWidth() - width) / 2, (pnlImage->ClientHeight() - height) / 2, width, height);
}

void TfrmTWBitmapClip::btnPasteClick()
{
    ITWActions* actions = actionsProvider_ ? actionsProvider_() : nullptr;
    if (actions != nullptr) {
        actions->PasteClip(design_.get());
    }
}

void TfrmTWBitmapClip::btnRotateLeftClick()
{
    design_->RotateLeft();
    RotateBitmapLeft(display_, nullptr);
    SetClip(design_.get(), design_->Width(), &display_, design_->Height());
}

void TfrmTWBitmapClip::btnRotateRightClick()
{
    design_->RotateRight();
    RotateBitmapRight(display_, nullptr);
    SetClip(design_.get(), design_->Width(), &display_, design_->Height());
}

void TfrmTWBitmapClip::btnDeleteClick()
{
    if (fw::MessageDlg("Delete this pattern clip?", fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    if (auto* list = dynamic_cast<fw::WinControl*>(Owner())) {
        fw::PostMessage(list, WM_TW_DELETECLIP, reinterpret_cast<std::intptr_t>(this));
    }
}
