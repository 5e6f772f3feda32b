// The block-design frame's editing: the mouse over the main image, and the commands on the
// design (import, shifts, invert, clear, mirrors, undo, and the clips).

#include <algorithm>
#include <memory>
#include <string>

#include "editors/bitmap_clip.h"
#include "editors/block_frame.h"
#include "editors/clip_list.h"
#include "foundation/generic_exception.h"
#include "framework/core/bmp_codec.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_panel.h"
#include "model/bitmap_ops.h"
#include "model/model_state.h"
#include "model/pattern_limits.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"

namespace {

constexpr const char* NotMonochromeText = "This is not a monochrome image.";
constexpr const char* InvalidSizeText = "Invalid image size.";
constexpr const char* ClearAllText = "Clear the entire pattern?";
constexpr const char* InvalidClipText =
    "Unable to paste clip selection.\r\nThe source data is invalid.\r\n\r\nSource Data Type = ";

void ShowError(const char* text)
{
    fw::MessageDlg(text, fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
}

} // namespace

// --- The mouse ---------------------------------------------------------------------------------

fw::Point TfrmBlockPattern::CellUnder(int x, int y) const
{
    return geometry_.CellAt(x, y);
}

void TfrmBlockPattern::ImageMouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::Point cell = CellUnder(x, y);
    // The cell pressed counts as entered: moving within it must not draw over the toggle.
    lastCell_ = cell;
    if (editMode_ == 0) {
        if (OnCellMouse && OnCellMouse(button, shift, cell, true)) {
            return;
        }
        if ((button == fw::MouseButton::Left || button == fw::MouseButton::Right) && IsCellInGrid(cell.X, cell.Y)) {
            PushUndo();
            ToggleCellAt(cell);
        }
        return;
    }
    if (button == fw::MouseButton::Left && gridWidth_ > 0 && gridHeight_ > 0) {
        // A press beside the cells (on the tags) starts the area at the nearest cell.
        const int column = std::clamp(cell.X, 0, gridWidth_ - 1);
        const int row = std::clamp(cell.Y, 0, gridHeight_ - 1);
        areaSource_->Assign(currentDesign_.get());
        areaUndo_->Assign(currentDesign_.get());
        SetArea(TBlockArea{column, row, column, row});
        areaAnchor_ = area_;
    }
}

void TfrmBlockPattern::ImageMouseMove(fw::ShiftState shift, int x, int y)
{
    const fw::Point cell = CellUnder(x, y);
    if (cell == lastCell_) {
        return;
    }
    lastCell_ = cell;
    const bool inside = IsCellInGrid(cell.X, cell.Y);
    pnlPosition->SetCaption(inside ? std::to_string(cell.X + 1) + " / " + std::to_string(cell.Y + 1) : std::string());
    const bool left = shift.Contains(fw::ShiftFlag::Left);
    const bool right = shift.Contains(fw::ShiftFlag::Right);
    if (editMode_ == 0) {
        if (OnCellMouse && OnCellMouse(fw::MouseButton::Left, shift, cell, false)) {
            return;
        }
        // A drag draws (or, with Shift, toggles) the cells it enters; the right button rubs
        // set cells out. The press before it pushed the one undo step for the whole stroke.
        if (left && shift.Contains(fw::ShiftFlag::Shift)) {
            ToggleCellAt(cell);
        } else if (left) {
            if (inside && !IsCellSet(cell.X, cell.Y)) {
                SetCell(cell.X, cell.Y, true);
                RebuildSnapshotCell(cell.X, cell.Y);
                DrawCell(cell.X, cell.Y);
            }
        } else if (right && IsCellSet(cell.X, cell.Y)) {
            SetCell(cell.X, cell.Y, false);
            RebuildSnapshotCell(cell.X, cell.Y);
            DrawCell(cell.X, cell.Y);
        }
        return;
    }
    if (left && area_.Exists()) {
        SetArea(TBlockArea{area_.X1, area_.Y1, cell.X, cell.Y});
        areaAnchor_ = area_;
    }
}

void TfrmBlockPattern::ImageMouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    (void)shift;
    (void)x;
    (void)y;
    if (editMode_ != 1 || button != fw::MouseButton::Left || !area_.Exists() || !UserSettings().General.CutSelection) {
        return;
    }
    // The selection is lifted off the design: shifting it later leaves empty cells behind
    // instead of uncovering what lay there before.
    std::unique_ptr<TTWBlockDesignItem> kept = currentDesign_->NewLike();
    kept->Assign(currentDesign_.get());
    BeginUpdate();
    ClearRegion(TBlockArea{area_.MinX(), area_.MinY(), area_.MaxX(), area_.MaxY()});
    areaSource_->Assign(currentDesign_.get());
    currentDesign_->Assign(kept.get());
    EndUpdate();
}

// --- Import ------------------------------------------------------------------------------------

void TfrmBlockPattern::ImportBitmap()
{
    ITWEditorHost* host = Host();
    std::string fileName;
    const std::optional<bool> chosen = host != nullptr ? host->OpenPicture(fileName) : std::nullopt;
    bool accepted = false;
    if (chosen) {
        accepted = *chosen;
    } else {
        fw::OpenPictureDialog dialog;
        dialog.SetTitle("Load Image");
        dialog.SetFilter("Bitmaps (*.bmp)|*.bmp");
        dialog.SetDefaultExt("bmp");
        accepted = dialog.Execute();
        fileName = dialog.FileName();
    }
    if (!accepted) {
        return;
    }
    ImportPicture(fw::LoadBmpFromFile(fileName));
}

bool TfrmBlockPattern::ImportPicture(fw::Bitmap bitmap)
{
    if (!bitmap.Monochrome()) {
        ShowError(NotMonochromeText);
        return false;
    }
    if (bitmap.Width() < 1 || bitmap.Height() <= 0) {
        ShowError(InvalidSizeText);
        return false;
    }
    {
        const fw::ScopedCursor busy;
        if (importFollowsOrientation_ && orientation_ == TTWOrientation::Horizontal) {
            // The picture is read as it shows on screen: a quarter turn makes its rows the
            // design's columns.
            RotateBitmapRight(bitmap, nullptr);
        }
        if (OnImportBitmap) {
            OnImportBitmap(bitmap);
        }
    }
    // The columns are the cards. Only the width that reaches the design counts: the editor
    // may have cut the picture to its own (a letter is as high as its font). A picture of
    // more columns than a pattern may have cards would make the editors a frame for each and
    // hold the program for minutes.
    if (bitmap.Width() > MaxPatternCards) {
        ShowError(PatternWidthText(bitmap.Width()).c_str());
        return false;
    }
    // Nor may it hold more cells than a design read from a file: it would not open again.
    if (!DesignCellsFit(bitmap.Width(), bitmap.Height())) {
        ShowError(PatternCellsText(bitmap.Width(), bitmap.Height(), MaxDesignCells).c_str());
        return false;
    }
    BeginUpdate();
    PushUndo();
    HideSelection();
    area_ = TBlockArea{};
    {
        const fw::ScopedCursor busy;
        if (OnImportSize) {
            OnImportSize(bitmap.Width(), bitmap.Height());
        }
        SetGridSize(bitmap.Width(), bitmap.Height());
        currentDesign_->Bitmap().CopyRect(0, 0, bitmap, bitmap.Bounds());
        AfterImport(bitmap);
        areaSource_->Assign(currentDesign_.get());
        areaUndo_->Assign(currentDesign_.get());
        if (OnImported) {
            OnImported(this);
        }
    }
    EndUpdate();
    return true;
}

void TfrmBlockPattern::AfterImport(fw::Bitmap&) {}

// --- Commands on the design --------------------------------------------------------------------

void TfrmBlockPattern::ShiftOnScreen(int screenDx, int screenDy)
{
    TBlockArea region;
    if (!CommandRegion(region)) {
        return;
    }
    // Screen directions to cell steps: the horizontal orientation is the design turned a
    // quarter turn anticlockwise.
    const bool horizontal = orientation_ == TTWOrientation::Horizontal;
    const int dx = horizontal ? -screenDy : screenDx;
    const int dy = horizontal ? -screenDx : -screenDy;
    PushUndo();
    BeginUpdate();
    HideSelection();
    // A selected area uncovers its backdrop; the whole design leaves empty cells behind, as
    // a backdrop taken earlier would bring back cells edited since.
    const TTWBlockDesignItem* backdrop = editMode_ == 1 ? areaSource_.get() : nullptr;
    currentDesign_->Shift(region.X1, region.Y1, backdrop, backgroundColour_, dy, dx, region.Y2, region.X2);
    if (OnShift) {
        OnShift(region, dx, dy);
    }
    if (editMode_ == 1) {
        area_ = ClampedArea(TBlockArea{area_.X1 + dx, area_.Y1 + dy, area_.X2 + dx, area_.Y2 + dy});
    }
    EndUpdate();
}

void TfrmBlockPattern::Invert()
{
    TBlockArea region;
    if (!CommandRegion(region)) {
        return;
    }
    PushUndo();
    BeginUpdate();
    for (int x = region.X1; x <= region.X2; ++x) {
        for (int y = region.Y1; y <= region.Y2; ++y) {
            ToggleCell(x, y);
        }
    }
    EndUpdate();
}

bool TfrmBlockPattern::ConfirmClearAll() const
{
    return fw::MessageDlg(ClearAllText, fw::MsgDlgType::Confirmation,
                          fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No}) == fw::mrYes;
}

void TfrmBlockPattern::ClearRegion(const TBlockArea& region)
{
    PushUndo();
    BeginUpdate();
    for (int x = region.X1; x <= region.X2; ++x) {
        for (int y = region.Y1; y <= region.Y2; ++y) {
            SetCell(x, y, false);
        }
    }
    if (OnAreaCleared) {
        OnAreaCleared(region, 0, 0);
    }
    EndUpdate();
}

void TfrmBlockPattern::Clear()
{
    TBlockArea region;
    if (!CommandRegion(region)) {
        return;
    }
    if (editMode_ == 0 && !ConfirmClearAll()) {
        return;
    }
    ClearRegion(region);
}

void TfrmBlockPattern::MirrorOnScreen(bool aroundHorizontalAxis)
{
    TBlockArea region;
    if (!CommandRegion(region)) {
        return;
    }
    // Turned a quarter, the screen's rows are the design's columns.
    const bool rows = aroundHorizontalAxis == (orientation_ == TTWOrientation::Vertical);
    BeginUpdate();
    HideSelection();
    if (rows) {
        currentDesign_->MirrorRows(region.X1, region.Y1, region.Y2, region.X2);
        if (OnMirrorRows) {
            OnMirrorRows(region, 0, 0);
        }
    } else {
        currentDesign_->MirrorColumns(region.X1, region.Y1, region.Y2, region.X2);
        if (OnMirrorColumns) {
            OnMirrorColumns(region, 0, 0);
        }
    }
    EndUpdate();
}

void TfrmBlockPattern::Undo()
{
    // The first step back also keeps the design as it is, for Redo to return to.
    undoList_.Undo(undoList_.Index() >= 0 ? nullptr : currentDesign_.get());
}

void TfrmBlockPattern::Redo()
{
    undoList_.Redo();
}

void TfrmBlockPattern::UndoArea()
{
    BeginUpdate();
    HideSelection();
    currentDesign_->Assign(areaUndo_.get());
    area_ = ClampedArea(areaAnchor_);
    EndUpdate();
}

// --- Clips -------------------------------------------------------------------------------------

void TfrmBlockPattern::CopyAreaIntoClip()
{
    ITWEditorHost* host = Host();
    auto* clips = host != nullptr ? dynamic_cast<TfrmTWClipList*>(host->ClipList()) : nullptr;
    if (clips == nullptr || !area_.Exists()) {
        return;
    }
    const int x1 = area_.MinX();
    const int y1 = area_.MinY();
    const int x2 = area_.MaxX();
    const int y2 = area_.MaxY();
    const int width = x2 - x1 + 1;
    const int height = y2 - y1 + 1;
    TfrmTWBitmapClip* clip = clips->AddClip();
    TTWBlockDesignItem::CopyRegion(clip->Design(), *currentDesign_, fw::Point{x1, y1}, fw::Point{x2, y2},
                                   fw::Point{0, 0},
                                   TTWBlockDesignItem::CopyResizesDestination | TTWBlockDesignItem::CopyTakesDataClass);
    // The clip shows the cells in their colours, one pixel each, a row as tall as its picks.
    fw::Bitmap picture(width, height);
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            picture.SetPixel(x - x1, height - 1 - (y - y1), GetCellColour(x, y));
        }
    }
    if (picksPerRow_ != 1) {
        fw::Bitmap stretched(width, height * picksPerRow_);
        fw::Canvas canvas(stretched);
        canvas.StretchDraw(stretched.Bounds(), picture);
        picture = stretched;
    }
    clip->SetClip(nullptr, width, &picture, height);
    host->ShowClipPanel();
}

void TfrmBlockPattern::CopyArea()
{
    CopyAreaIntoClip();
}

void TfrmBlockPattern::CutArea()
{
    if (!area_.Exists()) {
        return;
    }
    CopyAreaIntoClip();
    Clear();
}

void TfrmBlockPattern::PasteClip(fw::Object* source)
{
    auto* clip = dynamic_cast<TTWBlockDesignItem*>(source);
    if (clip == nullptr) {
        const std::string type = source != nullptr ? std::string(source->className()) : std::string("none");
        throw TGenericException(std::string(InvalidClipText) + type, nullptr, std::string(className()), "PasteClip");
    }
    if (gridWidth_ == 0 || gridHeight_ == 0 || clip->Width() == 0 || clip->Height() == 0) {
        return;
    }
    if (editMode_ == 1) {
        areaSource_->Assign(currentDesign_.get());
        areaUndo_->Assign(currentDesign_.get());
    } else {
        SetEditMode(1);
    }
    // Without a selection the clip goes to the cell at the top left of the screen.
    TBlockArea at = area_;
    if (!at.Exists()) {
        const int column = orientation_ == TTWOrientation::Horizontal ? gridWidth_ - 1 : 0;
        at = TBlockArea{column, gridHeight_ - 1, column, gridHeight_ - 1};
    }
    const int width = clip->Width();
    const int height = clip->Height();
    const int left = orientation_ == TTWOrientation::Horizontal ? at.MaxX() - width + 1 : at.MinX();
    const int top = at.MaxY();
    BeginUpdate();
    SetArea(TBlockArea{left, top - height + 1, left + width - 1, top});
    TTWBlockDesignItem::CopyRegion(
        *currentDesign_, *clip, fw::Point{0, 0}, fw::Point{width - 1, height - 1}, fw::Point{left, top}, 0,
        [this](TTWBlockDesignAssociatedData* destination, int x, TTWBlockDesignAssociatedData* from, int y) {
            FillPastedCellData(destination, x, from, y);
        });
    EndUpdate();
}

void TfrmBlockPattern::FillPastedCellData(TTWBlockDesignAssociatedData*, int, TTWBlockDesignAssociatedData*, int) {}
