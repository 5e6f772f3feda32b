// The block-design frame: its parts and layout, the cells and the grid's size, the display
// settings, and drawing the overview and the main image.

#include "editors/block_frame.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "editors/block_frame_messages.h"
#include "editors/picture_image.h"
#include "editors/view_frame_support.h"
#include "editors/weaving_image_frame_view.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/core/paint_backend.h"
#include "framework/core/system_colours.h"
#include "framework/gui/application.h"
#include "framework/gui/menu.h"
#include "framework/gui/message.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/user_settings.h"

namespace {

constexpr int PositionPanelHeight = 19;
constexpr int SnapshotPanelSize = 75;
constexpr int StatsWidth = 75;
constexpr int StatsHeight = 52;
constexpr int SplitterSize = 3;

} // namespace

TfrmBlockPattern::TfrmBlockPattern(fw::Component* owner)
    : fw::Frame(owner),
      pnlButtons(NewViewPanel(this, "pnlButtons")),
      btnImportBmp(NewButton("btnImportBmp", "Import bitmap", TWAction::ImportBitmap, false)),
      btnShiftLeft(NewButton("btnShiftLeft", "Shift left", TWAction::ShiftLeft, false)),
      btnShiftRight(NewButton("btnShiftRight", "Shift right", TWAction::ShiftRight, false)),
      btnShiftUp(NewButton("btnShiftUp", "Shift up", TWAction::ShiftUp, false)),
      btnShiftDown(NewButton("btnShiftDown", "Shift down", TWAction::ShiftDown, false)),
      btnInvert(NewButton("btnInvert", "Invert", TWAction::Invert, false)),
      btnClear(NewButton("btnClear", "Clear", TWAction::ClearDesign, false)),
      btnMirrorHorizontal(NewButton("btnMirrorHorizontal", "Mirror horizontally", TWAction::MirrorHorizontal, false)),
      btnMirrorVertical(NewButton("btnMirrorVertical", "Mirror vertically", TWAction::MirrorVertical, false)),
      btnUndo(NewButton("btnUndo", "Undo", TWAction::Undo, false)),
      btnRedo(NewButton("btnRedo", "Redo", TWAction::Redo, false)),
      btnModeArea(NewButton("btnModeArea", "Select area", TWAction::SelectArea, true)),
      btnShowTwist(NewButton("btnShowTwist", "Show twining", TWAction::ShowTwining, true)),
      btnShowBasicPattern(
          NewButton("btnShowBasicPattern", "Show underlying pattern", TWAction::ShowUnderlyingBlockPattern, true)),
      btnRotate(NewButton("btnRotate", "Change rotation", TWAction::Rotate, false)),
      btnSaveImage(NewButton("btnSaveImage", "Save image", TWAction::SaveImage, false)),
      btnPrintImage(NewButton("btnPrintImage", "Print image", TWAction::PrintImage, false)),
      btnClipboard(NewButton("btnClipboard", "Copy image to clipboard", TWAction::CopyImage, false)),
      btnSelectProfile(NewButton("btnSelectProfile", "Select display profile", TWAction::SelectProfile, false)),
      pmProfiles(new fw::PopupMenu(this)),
      pnlGridColour(NewViewPanel(this, "pnlGridColour")),
      imgOrientVertical(NewViewPanel(this, "imgOrientVertical")),
      imgOrientHorizontal(NewViewPanel(this, "imgOrientHorizontal")),
      pnlSnapshot(NewViewPanel(this, "pnlSnapshot")),
      imgSmall(new TTWPictureImage(this)),
      pnlStats(NewViewPanel(this, "pnlStats")),
      Splitter1(new fw::Splitter(this)),
      scrMain(new TWeavingImageScroller(this)),
      imgMain(&scrMain->View()),
      pnlPosition(NewViewPanel(this, "pnlPosition"))
{
    SetName("frmBlockPattern");
    SetBounds(0, 0, 640, 480);
    pmProfiles->SetName("pmProfiles");
    imgSmall->SetName("imgSmall");
    Splitter1->SetName("Splitter1");
    scrMain->SetName("scrMain");
    imgMain->SetName("imgMain");

    const TTWUserSettings& settings = UserSettings();
    gridColour_ = settings.WeavingImage.GridColour;
    MakeDesigns(TTWBlockDesignItem());
    undoList_.SetOnUndo([this](const TTWBlockDesignItem& item) { RestoreDesign(item); });
    undoList_.SetOnRedo([this](const TTWBlockDesignItem& item) { RestoreDesign(item); });

    BuildButtons();
    BuildViews();
    scrMain->SetImageColour(settings.General.BackColour);
    pnlGridColour->SetColor(gridColour_);
    // Redo stays hidden: the first Undo keeps the design it replaced, and the main window
    // offers no redo command.
    btnRedo->SetVisible(false);
    imgOrientVertical->SetVisible(true);
    imgOrientHorizontal->SetVisible(false);
    FinishLoading();
    ApplySnapshotLayout();
    UpdateGeometry();
    FillProfileMenu();
}

TfrmBlockPattern::~TfrmBlockPattern()
{
    // The views go with their parents after this body: nothing may reach back here.
    imgMain->SetOnPaintImage(nullptr);
    imgMain->SetOnMouseDown(nullptr);
    imgMain->SetOnMouseMove(nullptr);
    imgMain->SetOnMouseUp(nullptr);
}

// --- Construction ------------------------------------------------------------------------------

fw::SpeedButton* TfrmBlockPattern::NewButton(const char* name, const char* hint, std::int32_t actionId, bool toggle)
{
    return NewViewButton(*this, name, hint, actionId, toggle);
}

void TfrmBlockPattern::BuildButtons()
{
    pnlButtons->SetParent(this);
    pnlButtons->SetAlign(fw::Align::Left);
    pnlButtons->SetWidth(ViewButtonSize + 4);
    // The main window's tool bar carries these commands; the column stays for hosts that
    // show it.
    pnlButtons->SetVisible(false);
    int top = LayViewButtons(*pnlButtons,
                             {btnImportBmp, btnShiftLeft, btnShiftRight, btnShiftUp, btnShiftDown, btnInvert, btnClear,
                              btnMirrorHorizontal, btnMirrorVertical, btnUndo, btnRedo, btnModeArea, btnShowTwist,
                              btnShowBasicPattern, btnRotate, btnSaveImage, btnPrintImage, btnClipboard,
                              btnSelectProfile},
                             [this](fw::Object* sender) { ButtonClicked(sender); });
    btnShowBasicPattern->SetDown(showBasicPattern_);
    // The basic pattern is a choice only while cells are drawn one by one.
    btnShowBasicPattern->SetVisible(!simpleDraw_);
    pnlGridColour->SetParent(pnlButtons);
    pnlGridColour->SetBevelOuter(fw::PanelBevel::Lowered);
    pnlGridColour->SetBounds(2, top + 2, ViewButtonSize, ViewButtonSize);
    top += ViewButtonSize + 4;
    imgOrientVertical->SetParent(pnlButtons);
    imgOrientVertical->SetCaption("|");
    imgOrientVertical->SetBounds(2, top, ViewButtonSize, ViewButtonSize);
    imgOrientHorizontal->SetParent(pnlButtons);
    imgOrientHorizontal->SetCaption("-");
    imgOrientHorizontal->SetBounds(2, top, ViewButtonSize, ViewButtonSize);
}

void TfrmBlockPattern::BuildViews()
{
    pnlSnapshot->SetParent(this);
    imgSmall->SetParent(pnlSnapshot);
    imgSmall->SetBounds(2, 2, 0, 0);
    pnlStats->SetParent(pnlSnapshot);
    pnlStats->SetBevelOuter(fw::PanelBevel::Lowered);
    Splitter1->SetParent(this);

    scrMain->SetParent(this);
    scrMain->SetAlign(fw::Align::Client);
    pnlPosition->SetParent(this);
    pnlPosition->SetAlign(fw::Align::Bottom);
    pnlPosition->SetHeight(PositionPanelHeight);
    pnlPosition->SetBevelOuter(fw::PanelBevel::Lowered);

    imgMain->SetOnPaintImage(
        [this](fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) { PaintMain(canvas, offset, area); });
    imgMain->SetOnMouseDown([this](fw::Object*, fw::MouseButton button, fw::ShiftState shift, int x, int y) {
        const fw::Point at = imgMain->ImagePoint(x, y);
        ImageMouseDown(button, shift, at.X, at.Y);
    });
    imgMain->SetOnMouseMove([this](fw::Object*, fw::ShiftState shift, int x, int y) {
        const fw::Point at = imgMain->ImagePoint(x, y);
        ImageMouseMove(shift, at.X, at.Y);
    });
    imgMain->SetOnMouseUp([this](fw::Object*, fw::MouseButton button, fw::ShiftState shift, int x, int y) {
        const fw::Point at = imgMain->ImagePoint(x, y);
        ImageMouseUp(button, shift, at.X, at.Y);
    });
}

void TfrmBlockPattern::PlaceSnapshotPanel(int position)
{
    // 1 left, 2 top, 3 right, 4 bottom; the statistics sit below a side panel and beside a
    // top or bottom one.
    const bool side = position == 1 || position == 3;
    const fw::Align align = position == 1   ? fw::Align::Left
                            : position == 2 ? fw::Align::Top
                            : position == 3 ? fw::Align::Right
                                            : fw::Align::Bottom;
    pnlSnapshot->SetAlign(align);
    Splitter1->SetAlign(align);
    if (side) {
        pnlSnapshot->SetWidth(SnapshotPanelSize);
        Splitter1->SetWidth(SplitterSize);
        pnlStats->SetAlign(fw::Align::Bottom);
        pnlStats->SetHeight(StatsHeight);
    } else {
        pnlSnapshot->SetHeight(SnapshotPanelSize);
        Splitter1->SetHeight(SplitterSize);
        pnlStats->SetAlign(fw::Align::Left);
        pnlStats->SetWidth(StatsWidth);
    }
    // The overview keeps clear of the statistics: below them is its corner in a side panel,
    // beside them in a top or bottom one.
    imgSmall->SetLeft(side ? 2 : StatsWidth + 2);
    imgSmall->SetTop(2);
    // The splitter sits between the panel and the image, on the image's side.
    const fw::Rect panel = pnlSnapshot->BoundsRect();
    switch (position) {
    case 1:
        Splitter1->SetLeft(panel.Right);
        break;
    case 2:
        Splitter1->SetTop(panel.Bottom);
        break;
    case 3:
        Splitter1->SetLeft(panel.Left - SplitterSize);
        break;
    default:
        Splitter1->SetTop(panel.Top - SplitterSize);
        break;
    }
}

void TfrmBlockPattern::ApplySnapshotLayout()
{
    const TTWSnapshotPanel& layout = UserSettings().Layout.SnapshotPanel;
    PlaceSnapshotPanel(layout.Pos < 2 ? layout.Vert : layout.Horz);
}

// --- The designs -------------------------------------------------------------------------------

void TfrmBlockPattern::MakeDesigns(const TTWBlockDesignItem& prototype)
{
    const TTWBlockDataClass dataClass = GetAssociatedDataClass();
    const auto make = [&] {
        std::unique_ptr<TTWBlockDesignItem> item = prototype.NewLike();
        item->SetDataClass(dataClass);
        item->SetSize(gridWidth_, gridHeight_);
        item->Bitmap().FillRect(item->Bitmap().Bounds(), backgroundColour_);
        return item;
    };
    currentDesign_ = make();
    areaSource_ = make();
    areaUndo_ = make();
}

void TfrmBlockPattern::SetDesignItemClass(const TTWBlockDesignItem& prototype)
{
    MakeDesigns(prototype);
    undoList_.Clear();
    Refresh();
}

void TfrmBlockPattern::ResizeDesigns(int width, int height)
{
    for (TTWBlockDesignItem* item : {currentDesign_.get(), areaSource_.get(), areaUndo_.get()}) {
        const int oldWidth = item->Width();
        const int oldHeight = item->Height();
        item->SetSize(width, height);
        fw::Bitmap& bitmap = item->Bitmap();
        // The bitmap keeps its top-left pixels: new columns come at the right, new rows at
        // the bottom, and they start as cells that are not set.
        if (width > oldWidth) {
            bitmap.FillRect(fw::Rect{oldWidth, 0, width, height}, backgroundColour_);
        }
        if (height > oldHeight) {
            bitmap.FillRect(fw::Rect{0, oldHeight, width, height}, backgroundColour_);
        }
    }
}

void TfrmBlockPattern::SetGridHeight(int rows)
{
    if (rows < 0 || rows == gridHeight_) {
        return;
    }
    designGrid_.SetSize(gridWidth_, rows * picksPerRow_);
    // The bitmap keeps its top rows, so the design's lowest rows are the ones that come and
    // go: the cells move up with it.
    ResizeDesigns(gridWidth_, rows);
    gridHeight_ = rows;
    UpdateGeometry();
    if (area_.Exists()) {
        SetArea(area_);
    }
    Refresh();
}

void TfrmBlockPattern::SetGridWidth(int columns)
{
    if (columns < 0 || columns == gridWidth_) {
        return;
    }
    designGrid_.SetSize(columns, gridHeight_ * picksPerRow_);
    ResizeDesigns(columns, gridHeight_);
    columnOffColours_.resize(static_cast<std::size_t>(columns), backgroundColour_);
    columnOnColours_.resize(static_cast<std::size_t>(columns), foregroundColour_);
    gridWidth_ = columns;
    UpdateGeometry();
    if (area_.Exists()) {
        SetArea(area_);
    }
    Refresh();
}

void TfrmBlockPattern::SetGridSize(int columns, int rows)
{
    if (static_cast<std::int64_t>(columns) * gridHeight_ <= static_cast<std::int64_t>(gridWidth_) * rows) {
        SetGridWidth(columns);
        SetGridHeight(rows);
    } else {
        SetGridHeight(rows);
        SetGridWidth(columns);
    }
}

void TfrmBlockPattern::ClearGrid()
{
    BeginUpdate();
    SetGridSize(0, 0);
    area_ = TBlockArea{};
    areaAnchor_ = TBlockArea{};
    selectionShown_ = false;
    EndUpdate();
    // Steps of the old design would restore cells the grid no longer has.
    undoList_.Clear();
}

void TfrmBlockPattern::SetPattern(const fw::Bitmap& bitmap)
{
    if (!bitmap.Monochrome()) {
        throw TGenericException("Cannot set pattern.\r\nThe specified bitmap is not a monochrome image.", nullptr,
                                std::string(className()), "SetPattern");
    }
    BeginUpdate();
    SetGridSize(bitmap.Width(), bitmap.Height());
    for (TTWBlockDesignItem* item : {currentDesign_.get(), areaSource_.get(), areaUndo_.get()}) {
        item->Bitmap().CopyRect(0, 0, bitmap, bitmap.Bounds());
    }
    HideSelection();
    if (area_.Exists()) {
        SetArea(area_);
    }
    EndUpdate();
    // Steps of another design (another letter of a font) must never come back into this one.
    undoList_.Clear();
}

bool TfrmBlockPattern::IsCellSet(int x, int y) const
{
    if (!IsCellInGrid(x, y)) {
        return false;
    }
    const fw::Bitmap& bitmap = currentDesign_->Bitmap();
    return bitmap.Pixel(x, gridHeight_ - 1 - y) != bitmap.Stored(backgroundColour_);
}

fw::Color TfrmBlockPattern::GetCellColour(int x, int y) const
{
    if (!IsCellInGrid(x, y)) {
        return backgroundColour_;
    }
    return currentDesign_->Bitmap().Pixel(x, gridHeight_ - 1 - y);
}

void TfrmBlockPattern::SetCell(int x, int y, bool value)
{
    if (!IsCellInGrid(x, y) || IsCellSet(x, y) == value) {
        return;
    }
    if (OnCellChanging && !OnCellChanging(x, y, value)) {
        return;
    }
    currentDesign_->Bitmap().SetPixel(x, gridHeight_ - 1 - y, value ? foregroundColour_ : backgroundColour_);
    if (OnCellChanged) {
        OnCellChanged(x, y, value);
    }
}

void TfrmBlockPattern::ToggleCell(int x, int y)
{
    SetCell(x, y, !IsCellSet(x, y));
}

void TfrmBlockPattern::ToggleCellAt(fw::Point cell)
{
    if (!IsCellInGrid(cell.X, cell.Y)) {
        return;
    }
    SetCell(cell.X, cell.Y, !IsCellSet(cell.X, cell.Y));
    RebuildSnapshotCell(cell.X, cell.Y);
    DrawCell(cell.X, cell.Y);
}

bool TfrmBlockPattern::IsChangeAt(int x, int y) const
{
    if (x < 0 || x >= gridWidth_ || y >= gridHeight_) {
        return false;
    }
    if (y > 0) {
        return IsCellSet(x, y) != IsCellSet(x, y - 1);
    }
    return y == 0 && IsCellSet(x, 0);
}

void TfrmBlockPattern::PushUndo()
{
    undoList_.Push(*currentDesign_);
}

void TfrmBlockPattern::RestoreDesign(const TTWBlockDesignItem& item)
{
    BeginUpdate();
    // A step may hold a design of another size (one taken before an import): the grid, the
    // backdrops and the host's cards take its size before its cells come back.
    if (item.Width() != gridWidth_ || item.Height() != gridHeight_) {
        if (OnImportSize) {
            OnImportSize(item.Width(), item.Height());
        }
        HideSelection();
        area_ = TBlockArea{};
        areaAnchor_ = TBlockArea{};
        SetGridSize(item.Width(), item.Height());
        areaSource_->Assign(&item);
        areaUndo_->Assign(&item);
    }
    currentDesign_->Assign(&item);
    EndUpdate();
}

// --- Colours -----------------------------------------------------------------------------------

fw::Color TfrmBlockPattern::ColumnOffColour(int column) const
{
    return column >= 0 && column < gridWidth_ ? columnOffColours_[static_cast<std::size_t>(column)]
                                              : NoColumnColour;
}

fw::Color TfrmBlockPattern::ColumnOnColour(int column) const
{
    return column >= 0 && column < gridWidth_ ? columnOnColours_[static_cast<std::size_t>(column)]
                                              : NoColumnColour;
}

void TfrmBlockPattern::SetColumnOffColour(int column, fw::Color colour)
{
    if (column >= 0 && column < gridWidth_) {
        columnOffColours_[static_cast<std::size_t>(column)] = colour;
        Refresh();
    }
}

void TfrmBlockPattern::SetColumnOnColour(int column, fw::Color colour)
{
    if (column >= 0 && column < gridWidth_) {
        columnOnColours_[static_cast<std::size_t>(column)] = colour;
        Refresh();
    }
}

// --- Drawing -----------------------------------------------------------------------------------

void TfrmBlockPattern::BeginUpdate()
{
    ++updateCount_;
}

void TfrmBlockPattern::EndUpdate()
{
    if (updateCount_ == 0) {
        return;
    }
    if (--updateCount_ == 0) {
        Refresh();
    }
}

void TfrmBlockPattern::Refresh(bool force)
{
    if (updateCount_ > 0 && !force) {
        return;
    }
    RebuildSnapshot(force);
    RedrawGrid(force);
}

void TfrmBlockPattern::UpdateGeometry()
{
    TBlockFrameLayout layout;
    layout.GridWidth = gridWidth_;
    layout.GridHeight = gridHeight_;
    layout.CellWidth = TBlockFrameGeometry::CellSize(zoom_, baseWidth_);
    layout.CellHeight = TBlockFrameGeometry::CellSize(zoom_, baseHeight_);
    layout.Horizontal = orientation_ == TTWOrientation::Horizontal;
    layout.Staggered = staggered_;
    layout.ShowPickTags = showPickTags_;
    layout.PicksPerRow = picksPerRow_;
    geometry_ = TBlockFrameGeometry(layout);
}

TBlockFrameStyle TfrmBlockPattern::Style() const
{
    TBlockFrameStyle style;
    style.TakeSettings(UserSettings());
    style.GridColour = gridColour_;
    style.ShowGrid = showGrid_;
    style.ShowGridHighlights = showGridHighlights_;
    style.ShowTwist = showTwist_;
    style.BackColour = scrMain->View().Color();
    style.SelectionColour = selectionColour_;
    style.CellByCell = !simpleDraw_ && !showBasicPattern_;
    return style;
}

void TfrmBlockPattern::RebuildSnapshot(bool force)
{
    if (updateCount_ > 0 && !force) {
        return;
    }
    // Read straight from the design's rows: this runs for every click and every redraw.
    const fw::Bitmap& design = currentDesign_->Bitmap();
    const std::uint32_t clear = design.Stored(backgroundColour_);
    std::vector<std::uint32_t> on(columnOnColours_.size());
    std::vector<std::uint32_t> off(columnOffColours_.size());
    for (std::size_t x = 0; x < on.size(); ++x) {
        on[x] = fw::ColorToRGB(columnOnColours_[x]);
        off[x] = fw::ColorToRGB(columnOffColours_[x]);
    }
    TBlockFramePainter::BuildSnapshot(snapshot_, geometry_, [&](int y, std::uint32_t* colours) {
        const std::uint32_t* cells = design.ScanLine(gridHeight_ - 1 - y);
        for (int x = 0; x < gridWidth_; ++x) {
            const std::size_t column = static_cast<std::size_t>(x);
            // Chosen by a mask, not a branch: a design's cells are as good as random to the
            // branch predictor, and an undo or import rebuilds all of them.
            const std::uint32_t set = 0U - static_cast<std::uint32_t>(cells[x] != clear);
            colours[x] = (on[column] & set) | (off[column] & ~set);
        }
    });
    ShowSnapshot();
}

void TfrmBlockPattern::RebuildSnapshotCell(int x, int y)
{
    if (updateCount_ > 0 || !IsCellInGrid(x, y)) {
        return;
    }
    const fw::Color colour = IsCellSet(x, y) ? ColumnOnColour(x) : ColumnOffColour(x);
    TBlockFramePainter::SetSnapshotCell(snapshot_, geometry_, x, y, colour);
    ShowSnapshot();
}

void TfrmBlockPattern::ShowSnapshot()
{
    const bool horizontal = orientation_ == TTWOrientation::Horizontal;
    const fw::Size drawn = horizontal ? fw::Size{gridHeight_ * SnapshotCellHeight, gridWidth_ * SnapshotCellWidth}
                                      : fw::Size{gridWidth_ * SnapshotCellWidth, gridHeight_ * SnapshotCellHeight};
    imgSmall->SetBounds(imgSmall->Left(), imgSmall->Top(), drawn.Width, drawn.Height);
    imgSmall->SetPicture(snapshot_);
}

TBlockCellInfo TfrmBlockPattern::GetCellInfo(int x, int y) const
{
    TBlockCellInfo info;
    info.Column = x;
    info.Row = y;
    info.Corners = geometry_.CellCorners(x, y);
    if (!simpleDraw_ && !showBasicPattern_ && OnGetCellInfo) {
        OnGetCellInfo(info);
        return info;
    }
    const fw::Color colour = IsCellSet(x, y) ? ColumnOnColour(x) : ColumnOffColour(x);
    info.FirstColour = colour;
    info.SecondColour = colour;
    if (OnAdjustCellInfo) {
        OnAdjustCellInfo(info);
    }
    return info;
}

void TfrmBlockPattern::RedrawGrid(bool force)
{
    if (updateCount_ > 0 && !force) {
        return;
    }
    // The view paints what it shows from the design and the overview when it is asked to; the
    // selection is part of what it shows while there is one in area mode.
    selectionShown_ = editMode_ == 1 && area_.Exists();
    const fw::Size size = geometry_.ImageSize();
    scrMain->SetImageSize(size.Width <= 0 || size.Height <= 0 ? fw::Size{} : size);
    imgMain->Invalidate();
}

fw::Bitmap TfrmBlockPattern::MainImage() const
{
    const fw::Size size = geometry_.ImageSize();
    if (size.Width <= 0 || size.Height <= 0) {
        return fw::Bitmap();
    }
    fw::Bitmap picture(size.Width, size.Height);
    fw::Canvas canvas(picture, fw::DefaultPaintBackend());
    PaintPicture(canvas, fw::Point{}, picture.Bounds());
    return picture;
}

void TfrmBlockPattern::DrawCell(int x, int y)
{
    if (updateCount_ > 0 || !IsCellInGrid(x, y)) {
        return;
    }
    // The cell's lines may be a highlight a few pixels wide, reaching into its neighbours.
    const fw::Rect cell = geometry_.CellRect(x, y);
    const int reach = std::max(geometry_.CellWidth(), geometry_.CellHeight()) + 2;
    ImageChanged(fw::Rect{cell.Left - reach, cell.Top - reach, cell.Right + reach, cell.Bottom + reach});
}

void TfrmBlockPattern::PostCellRepaint(int column, int row)
{
    fw::PostMessage(this, WM_TW_REPAINTCELL, column, row);
}

void TfrmBlockPattern::Dispatch(fw::Message& message)
{
    if (message.Msg == WM_TW_REPAINTCELL) {
        DrawCell(static_cast<int>(message.WParam), static_cast<int>(message.LParam));
        message.Result = 1;
        return;
    }
    fw::Frame::Dispatch(message);
}

void TfrmBlockPattern::ImageChanged(const fw::Rect& pixels)
{
    const fw::Point scroll = scrMain->ScrollOffset();
    imgMain->InvalidateRect(
        fw::Rect{pixels.Left - scroll.X, pixels.Top - scroll.Y, pixels.Right - scroll.X, pixels.Bottom - scroll.Y});
}

void TfrmBlockPattern::PaintMain(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area)
{
    const fw::Size size = geometry_.ImageSize();
    const fw::Rect shown{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, size.Width),
                         std::min(area.Bottom, size.Height)};
    const auto toCanvas = [offset](const fw::Rect& r) {
        return fw::Rect{r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y};
    };
    // The view's colour around the image; the image paints every pixel of its own.
    canvas.Brush() = fw::Brush{imgMain->Color(), fw::BrushStyle::Solid, nullptr};
    if (shown.IsEmpty()) {
        canvas.FillRect(toCanvas(area));
        return;
    }
    canvas.FillRect(toCanvas(fw::Rect{area.Left, area.Top, area.Right, shown.Top}));
    canvas.FillRect(toCanvas(fw::Rect{area.Left, shown.Bottom, area.Right, area.Bottom}));
    canvas.FillRect(toCanvas(fw::Rect{area.Left, shown.Top, shown.Left, shown.Bottom}));
    canvas.FillRect(toCanvas(fw::Rect{shown.Right, shown.Top, area.Right, shown.Bottom}));
    PaintPicture(canvas, offset, shown);
}

void TfrmBlockPattern::PaintPicture(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const
{
    const TBlockFrameStyle style = Style();
    const TBlockFramePainter painter(
        geometry_, style, [this](int x, int y) { return GetCellInfo(x, y); }, OnDrawCell);
    painter.DrawArea(canvas, offset, area, snapshot_);
    if (geometry_.MarginInUse()) {
        // The tags' text as the program's paint backend sets it, whatever the canvas came with.
        fw::PaintBackend* const backend = canvas.Backend();
        canvas.SetBackend(fw::DefaultPaintBackend());
        painter.DrawTags(canvas, offset, area);
        canvas.SetBackend(backend);
    }
    if (selectionShown_ && area_.Exists()) {
        const std::optional<fw::Region> clip = canvas.ClipRegion();
        canvas.IntersectClipRect(
            fw::Rect{area.Left + offset.X, area.Top + offset.Y, area.Right + offset.X, area.Bottom + offset.Y});
        const fw::Rect pixels = geometry_.SelectionRect(area_.X1, area_.Y1, area_.X2, area_.Y2);
        painter.ToggleSelection(canvas, fw::Rect{pixels.Left + offset.X, pixels.Top + offset.Y,
                                                 pixels.Right + offset.X, pixels.Bottom + offset.Y});
        canvas.SetClipRegion(clip);
    }
}

// --- The selection -----------------------------------------------------------------------------

void TfrmBlockPattern::DrawSelection()
{
    if (!area_.Exists()) {
        return;
    }
    const fw::Rect pixels = geometry_.SelectionRect(area_.X1, area_.Y1, area_.X2, area_.Y2);
    ImageChanged(fw::Rect{pixels.Left - 1, pixels.Top - 1, pixels.Right + 1, pixels.Bottom + 1});
}

void TfrmBlockPattern::ShowSelection()
{
    if (!selectionShown_ && area_.Exists()) {
        DrawSelection();
        selectionShown_ = true;
    }
}

void TfrmBlockPattern::HideSelection()
{
    if (selectionShown_) {
        DrawSelection();
        selectionShown_ = false;
    }
}

TBlockArea TfrmBlockPattern::ClampedArea(const TBlockArea& area) const
{
    if (!area.Exists() || gridWidth_ == 0 || gridHeight_ == 0) {
        return TBlockArea{};
    }
    const auto clampX = [this](int x) { return std::clamp(x, 0, gridWidth_ - 1); };
    const auto clampY = [this](int y) { return std::clamp(y, 0, gridHeight_ - 1); };
    return TBlockArea{clampX(area.X1), clampY(area.Y1), clampX(area.X2), clampY(area.Y2)};
}

void TfrmBlockPattern::SetArea(const TBlockArea& area)
{
    HideSelection();
    area_ = ClampedArea(area);
    if (editMode_ == 1) {
        ShowSelection();
    }
}

bool TfrmBlockPattern::CommandRegion(TBlockArea& region) const
{
    if (editMode_ == 1) {
        if (!area_.Exists()) {
            return false;
        }
        region = TBlockArea{area_.MinX(), area_.MinY(), area_.MaxX(), area_.MaxY()};
        return true;
    }
    if (gridWidth_ == 0 || gridHeight_ == 0) {
        return false;
    }
    region = TBlockArea{0, 0, gridWidth_ - 1, gridHeight_ - 1};
    return true;
}

void TfrmBlockPattern::SetEditMode(int mode)
{
    if (mode == editMode_) {
        return;
    }
    editMode_ = mode;
    btnModeArea->SetDown(mode == 1);
    if (mode == 0) {
        HideSelection();
    } else {
        areaSource_->Assign(currentDesign_.get());
        areaUndo_->Assign(currentDesign_.get());
        ShowSelection();
    }
    Report(TWAction::SelectArea, !staggered_, true, mode == 1);
    for (const std::int32_t id : {TWAction::CopySelection, TWAction::CutSelection, TWAction::UndoArea}) {
        Report(id, !staggered_, mode == 1, false);
    }
}

// --- Display settings --------------------------------------------------------------------------

void TfrmBlockPattern::Report(std::int32_t actionId, bool enabled, bool enabled2, bool down) const
{
    model_hooks::Notify(actionId, enabled, enabled2, down);
}

void TfrmBlockPattern::ReportDrawModes() const
{
    Report(TWAction::ShowUnderlyingBlockPattern, true, !simpleDraw_ && !staggered_, showBasicPattern_);
}

void TfrmBlockPattern::SetZoom(std::int32_t zoom)
{
    if (zoom < MinZoom || zoom > MaxZoom || zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    UpdateGeometry();
    Refresh();
}

void TfrmBlockPattern::SetBaseWidth(double ratio)
{
    if (!(ratio >= 1.0) || ratio == baseWidth_) {
        return;
    }
    baseWidth_ = ratio;
    UpdateGeometry();
    Refresh();
}

void TfrmBlockPattern::SetBaseHeight(double ratio)
{
    if (!(ratio >= 1.0) || ratio == baseHeight_) {
        return;
    }
    baseHeight_ = ratio;
    UpdateGeometry();
    Refresh();
}

void TfrmBlockPattern::SetOrientation(TTWOrientation orientation)
{
    if (orientation == orientation_) {
        return;
    }
    orientation_ = orientation;
    const bool horizontal = orientation == TTWOrientation::Horizontal;
    imgOrientVertical->SetVisible(!horizontal);
    imgOrientHorizontal->SetVisible(horizontal);
    const TTWSnapshotPanel& layout = UserSettings().Layout.SnapshotPanel;
    if (layout.Pos == 0) {
        PlaceSnapshotPanel(horizontal ? layout.Horz : layout.Vert);
    }
    HideSelection();
    UpdateGeometry();
    Refresh();
}

void TfrmBlockPattern::SetShowGrid(bool show)
{
    if (show == showGrid_) {
        return;
    }
    showGrid_ = show;
    Refresh();
    Report(TWAction::ShowGrid, true, true, show);
}

void TfrmBlockPattern::SetShowGridHighlights(bool show)
{
    if (show == showGridHighlights_) {
        return;
    }
    showGridHighlights_ = show;
    Refresh();
    Report(TWAction::ShowGridHighlights, true, true, show);
}

void TfrmBlockPattern::SetGridColour(TTWColour colour)
{
    if (colour == gridColour_) {
        return;
    }
    gridColour_ = colour;
    pnlGridColour->SetColor(colour);
    if (showGrid_) {
        Refresh();
    }
}

void TfrmBlockPattern::SetShowTwist(bool show)
{
    if (show == showTwist_) {
        return;
    }
    showTwist_ = show;
    btnShowTwist->SetDown(show);
    Refresh();
    Report(TWAction::ShowTwining, !staggered_, true, show);
}

bool TfrmBlockPattern::IsTwistButtonVisible() const
{
    return btnShowTwist->Visible();
}

void TfrmBlockPattern::SetShowPickTags(bool show)
{
    if (show == showPickTags_) {
        return;
    }
    showPickTags_ = show;
    UpdateGeometry();
    Refresh();
    Report(TWAction::ShowGridTags, true, true, show);
}

void TfrmBlockPattern::SetShowBasicPattern(bool show)
{
    if (show == showBasicPattern_) {
        return;
    }
    showBasicPattern_ = show;
    btnShowBasicPattern->SetDown(show);
    Refresh();
    Report(TWAction::ShowUnderlyingBlockPattern, true, !staggered_, show);
}

void TfrmBlockPattern::SetSimpleDraw(bool simple)
{
    if (simple == simpleDraw_ || (simple && staggered_)) {
        return;
    }
    simpleDraw_ = simple;
    btnShowBasicPattern->SetVisible(!simple);
    Refresh();
    ReportDrawModes();
}

void TfrmBlockPattern::SetStaggered(bool staggered)
{
    if (staggered == staggered_) {
        return;
    }
    BeginUpdate();
    if (staggered) {
        SetSimpleDraw(false);
        SetShowBasicPattern(false);
        // The twining tool goes with the area tools: nothing can switch marks off again on
        // a staggered grid, so a display profile must not switch them on either.
        SetShowTwist(false);
    }
    staggered_ = staggered;
    btnShowBasicPattern->SetVisible(!simpleDraw_);
    btnModeArea->SetVisible(!staggered_);
    btnShowTwist->SetVisible(!staggered_);
    UpdateGeometry();
    EndUpdate();
    ReportDrawModes();
    Report(TWAction::SelectArea, true, !staggered_, editMode_ == 1);
}

void TfrmBlockPattern::SetPicksPerRow(int picks)
{
    if (picks < 1 || picks == picksPerRow_) {
        return;
    }
    picksPerRow_ = picks;
    designGrid_.SetSize(gridWidth_, gridHeight_ * picksPerRow_);
    UpdateGeometry();
    Refresh();
}
