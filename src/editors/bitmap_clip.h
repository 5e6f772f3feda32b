#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"
#include "editors/picture_image.h"
#include "framework/gui/form.h"

class ITWActions;
class TTWBlockDesignItem;

namespace fw {
class Panel;
class SpeedButton;
} // namespace fw

// Whom a clip's Paste button pastes into: the command interface of the main window's active
// editor, none without one.
using TTWClipActionsProvider = std::function<ITWActions*()>;

// One stored piece of a block design, a "bitmap clip": the design item (cells and their
// data) and the picture it shows, with buttons to paste it into the active editor, to turn
// it a quarter either way and to delete it. The clip list that owns it lays it out and frees
// it.
class TfrmTWBitmapClip : public fw::Frame {
public:
    static constexpr int ClipSize = 75;

    // 75 x 75, an empty design item without data class and an empty picture.
    explicit TfrmTWBitmapClip(fw::Component* owner = nullptr);
    ~TfrmTWBitmapClip() override;

    std::string_view className() const override { return "TfrmTWBitmapClip"; }

    // The column of buttons on the right.
    fw::Panel* const pnlButtons;
    fw::SpeedButton* const btnPaste;
    fw::SpeedButton* const btnRotateLeft;
    fw::SpeedButton* const btnRotateRight;
    fw::SpeedButton* const btnDelete;
    // Beside the buttons: the picture with its size under it.
    fw::Panel* const pnlPicture;
    // "<width>x<height>" under the picture.
    fw::Panel* const pnlStat;
    // The sunken area the picture is centred in.
    fw::Panel* const pnlImage;
    TTWPictureImage* const imgBitmap;

    // The clip's own design item; whoever fills the clip may write into it directly.
    TTWBlockDesignItem& Design() { return *design_; }
    const TTWBlockDesignItem& Design() const { return *design_; }
    // The picture the clip keeps (imgBitmap shows a copy of it).
    const fw::Bitmap& DisplayBitmap() const { return display_; }

    // A given design other than the clip's own is copied into it (cells, data class, data).
    // The bitmap, or the design item's bitmap without one, becomes the picture: it is shown
    // as large as fits into pnlImage less a pixel on every side, in proportion, and centred
    // there; a small picture grows by a whole factor so that its cells stay sharp squares.
    // pnlStat shows "<width>x<height>".
    void SetClip(const TTWBlockDesignItem* design, int width, const fw::Bitmap* bitmap, int height);

    // Where Paste finds the active editor; none: Paste does nothing.
    void SetActionsProvider(TTWClipActionsProvider provider) { actionsProvider_ = std::move(provider); }

    // The buttons' clicks.
    // The active editor pastes the design item; nothing without one. What the editor raises
    // goes on to the caller (the event loop shows it).
    void btnPasteClick();
    // The design item and the picture turn a quarter anticlockwise (clockwise) and the
    // clip shows them with the new size.
    void btnRotateLeftClick();
    void btnRotateRightClick();
    // "Delete this pattern clip?" (Yes, No). Yes asks the owning list, through a posted
    // message, to free the clip once the click is over: the clip must not free itself
    // while its own button's handler still runs.
    void btnDeleteClick();

private:
    // Sizes and centres imgBitmap inside pnlImage for the picture.
    void PlaceImage();

    std::unique_ptr<TTWBlockDesignItem> design_;
    fw::Bitmap display_;
    TTWClipActionsProvider actionsProvider_;
};
