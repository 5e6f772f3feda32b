#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editors/block_frame_geometry.h"
#include "editors/block_frame_painter.h"
#include "framework/gui/form.h"
#include "model/block_design.h"
#include "model/block_design_undo.h"
#include "model/design_grid.h"
#include "model/profile_targets.h"
#include "shell/tool_actions.h"

class TWeavingImageScroller;
class TWeavingImageView;
class TTWPictureImage;
class ITWEditorHost;

namespace fw {
class Panel;
class PopupMenu;
class SpeedButton;
class Splitter;
} // namespace fw

// A rectangle of cells by two opposite corners (x1, y1) and (x2, y2), inclusive, in any
// order; no area while X1 is negative.
struct TBlockArea {
    int X1 = -1;
    int Y1 = -1;
    int X2 = -1;
    int Y2 = -1;
    bool Exists() const { return X1 >= 0; }
    int MinX() const { return X1 < X2 ? X1 : X2; }
    int MaxX() const { return X1 < X2 ? X2 : X1; }
    int MinY() const { return Y1 < Y2 ? Y1 : Y2; }
    int MaxY() const { return Y1 < Y2 ? Y2 : Y1; }
    friend bool operator==(const TBlockArea&, const TBlockArea&) = default;
};

// The frame's events, each optional. The rectangle events pass the cells acted on (bounds
// ordered: X1 <= X2, Y1 <= Y2) and the step.
using TBlockSizeEvent = std::function<void(int width, int height)>;
using TBlockCellEvent = std::function<void(int x, int y, bool value)>;
using TBlockCellVetoEvent = std::function<bool(int x, int y, bool value)>;
using TBlockBitmapEvent = std::function<void(fw::Bitmap& bitmap)>;
using TBlockCellInfoEvent = std::function<void(TBlockCellInfo& info)>;
using TBlockAreaEvent = std::function<void(const TBlockArea& area, int dx, int dy)>;

// The reusable two-state grid every grid-based editor draws its design in: the double-face,
// twill and twist-patterned editors, the font characters, the lettered band and the brocade
// grid. It shows the cells (set or not) big in the main image and small in an overview,
// with grid lines, highlights, twining marks and pick and card tags, lets the user draw with
// the mouse or select an area, and carries the design commands: import of a monochrome
// picture, shifts, invert, clear, mirrors, undo, and copying, cutting and pasting areas
// through the main window's bitmap clips. The main window drives it through ITWActions;
// display profiles capture and set it (ITWBlockProfileTarget).
//
// It knows nothing of weaving: the editor embedding it reads the cells, listens to its
// events and may take over how cells are coloured and drawn.
//
// Cell (x, y): x the column from 0 at the left, y the row from 0 at the bottom.
class TfrmBlockPattern : public fw::Frame, public ITWActions, public ITWBlockProfileTarget {
public:
    static constexpr int MinZoom = 1;
    static constexpr int MaxZoom = 10;
    // The overview's pixels per cell.
    static constexpr int SnapshotCellWidth = 1;
    static constexpr int SnapshotCellHeight = 3;
    // Read outside the columns.
    static constexpr fw::Color NoColumnColour = 0x1FFFFFFF;

    explicit TfrmBlockPattern(fw::Component* owner = nullptr);
    ~TfrmBlockPattern() override;

    std::string_view className() const override { return "TfrmBlockPattern"; }

    // --- Components ---------------------------------------------------------------------
    // The tool column (hidden: the main window's tool bar carries the commands).
    fw::Panel* const pnlButtons;
    fw::SpeedButton* const btnImportBmp;
    fw::SpeedButton* const btnShiftLeft;
    fw::SpeedButton* const btnShiftRight;
    fw::SpeedButton* const btnShiftUp;
    fw::SpeedButton* const btnShiftDown;
    fw::SpeedButton* const btnInvert;
    fw::SpeedButton* const btnClear;
    fw::SpeedButton* const btnMirrorHorizontal;
    fw::SpeedButton* const btnMirrorVertical;
    fw::SpeedButton* const btnUndo;
    fw::SpeedButton* const btnRedo;
    fw::SpeedButton* const btnModeArea;
    fw::SpeedButton* const btnShowTwist;
    fw::SpeedButton* const btnShowBasicPattern;
    fw::SpeedButton* const btnRotate;
    fw::SpeedButton* const btnSaveImage;
    fw::SpeedButton* const btnPrintImage;
    fw::SpeedButton* const btnClipboard;
    fw::SpeedButton* const btnSelectProfile;
    fw::PopupMenu* const pmProfiles;
    fw::Panel* const pnlGridColour;
    fw::Panel* const imgOrientVertical;
    fw::Panel* const imgOrientHorizontal;
    // The overview beside the grid, with the splitter and the statistics panel.
    fw::Panel* const pnlSnapshot;
    TTWPictureImage* const imgSmall;
    fw::Panel* const pnlStats;
    fw::Splitter* const Splitter1;
    // The main image in its scroll box, and the cell under the pointer.
    TWeavingImageScroller* const scrMain;
    TWeavingImageView* const imgMain;
    fw::Panel* const pnlPosition;

    // --- The design ---------------------------------------------------------------------
    int GridWidth() const { return gridWidth_; }
    int GridHeight() const { return gridHeight_; }
    // Negative or unchanged sizes do nothing. New columns come at the right, new rows at the
    // bottom (rows 0 upward); the three designs, the colour arrays and the design grid follow.
    virtual void SetGridWidth(int columns);
    virtual void SetGridHeight(int rows);
    // Both sizes, the side that makes the grid smaller first: a narrow, long design made wide
    // and short (or the other way) never passes through the new width at the old length,
    // which could hold a hundred times the cells of either.
    void SetGridSize(int columns, int rows);
    // Both sizes to 0, and no undo steps.
    void ClearGrid();

    bool IsCellInGrid(int x, int y) const { return x >= 0 && y >= 0 && x < gridWidth_ && y < gridHeight_; }
    bool IsCellSet(int x, int y) const;
    // The pixel's colour inside the grid, the background outside.
    virtual fw::Color GetCellColour(int x, int y) const;
    // Outside the grid or unchanged: nothing. A veto from OnCellChanging: nothing. Else the
    // cell takes the foreground or background colour and OnCellChanged is told. Draws nothing.
    virtual void SetCell(int x, int y, bool value);
    virtual void ToggleCell(int x, int y);
    // Inside the grid: toggles the cell, rebuilds the overview and redraws that cell.
    virtual void ToggleCellAt(fw::Point cell);
    // Whether the cell differs from the one below it (row 0: whether it is set).
    virtual bool IsChangeAt(int x, int y) const;

    TTWBlockDesignItem& CurrentDesign() { return *currentDesign_; }
    const TTWBlockDesignItem& CurrentDesign() const { return *currentDesign_; }
    TTWBlockDesignItem& AreaSource() { return *areaSource_; }
    TTWBlockDesignItem& AreaUndo() { return *areaUndo_; }
    const fw::Bitmap& GetBitmap() const { return currentDesign_->Bitmap(); }
    // Takes a monochrome picture as the whole design (its size too); any other raises
    // "Cannot set pattern...". The undo steps of the previous design are dropped.
    void SetPattern(const fw::Bitmap& bitmap);
    // The class of the three designs, given by one item of it; the designs are made anew.
    void SetDesignItemClass(const TTWBlockDesignItem& prototype);
    // The class of the cells' data; none here.
    virtual TTWBlockDataClass GetAssociatedDataClass() const { return nullptr; }

    TTWBlockDesignUndoList& UndoList() { return undoList_; }
    TTWDesign& DesignGrid() { return designGrid_; }
    // Pushes the design as it is now as an undo step.
    void PushUndo();
    // The design restored from an undo step, taking its size when it differs.
    void RestoreDesign(const TTWBlockDesignItem& item);

    // --- Colours ------------------------------------------------------------------------
    fw::Color BackgroundColour() const { return backgroundColour_; }
    fw::Color ForegroundColour() const { return foregroundColour_; }
    void SetBackgroundColour(fw::Color colour) { backgroundColour_ = colour; }
    void SetForegroundColour(fw::Color colour) { foregroundColour_ = colour; }
    fw::Color ColumnOffColour(int column) const;
    fw::Color ColumnOnColour(int column) const;
    void SetColumnOffColour(int column, fw::Color colour);
    void SetColumnOnColour(int column, fw::Color colour);
    fw::Color SelectionColour() const { return selectionColour_; }

    // --- Drawing ------------------------------------------------------------------------
    void BeginUpdate() override;
    void EndUpdate() override;
    int UpdateCount() const { return updateCount_; }
    // The overview and the main image drawn again; held back by an update bracket unless
    // forced.
    void Refresh(bool force = false);
    virtual void RebuildSnapshot(bool force = false);
    // The overview after one cell changed: only its pixel.
    virtual void RebuildSnapshotCell(int x, int y);
    void RedrawGrid(bool force = false);
    // One cell shown again in the main image, once the view paints.
    void DrawCell(int x, int y);
    // Asks for a cell to be drawn again once the present event is over (message 11034).
    void PostCellRepaint(int column, int row);
    // The record a cell is drawn with.
    TBlockCellInfo GetCellInfo(int x, int y) const;
    const TBlockFrameGeometry& Geometry() const { return geometry_; }
    // The whole main image as the view shows it (with selection and tags), painted afresh for
    // saving, printing and copying it: the frame itself keeps no picture of the design at its
    // cells' size, only the overview.
    fw::Bitmap MainImage() const;
    const fw::Bitmap& SnapshotBitmap() const { return snapshot_; }

    // --- Display settings ---------------------------------------------------------------
    std::int32_t GetZoom() const override { return zoom_; }
    void SetZoom(std::int32_t zoom) override;
    double GetBaseWidth() const override { return baseWidth_; }
    double GetBaseHeight() const override { return baseHeight_; }
    // Ratios below 1 are refused.
    void SetBaseWidth(double ratio) override;
    void SetBaseHeight(double ratio) override;
    int CellWidth() const { return geometry_.CellWidth(); }
    int CellHeight() const { return geometry_.CellHeight(); }
    TTWOrientation GetOrientation() const override { return orientation_; }
    void SetOrientation(TTWOrientation orientation) override;
    bool GetShowGrid() const override { return showGrid_; }
    void SetShowGrid(bool show) override;
    bool ShowGridHighlights() const { return showGridHighlights_; }
    void SetShowGridHighlights(bool show);
    TTWColour GetGridColour() const override { return gridColour_; }
    void SetGridColour(TTWColour colour) override;
    bool GetShowTwist() const override { return showTwist_; }
    void SetShowTwist(bool show) override;
    bool IsTwistButtonVisible() const override;
    bool GetShowPickTags() const override { return showPickTags_; }
    void SetShowPickTags(bool show) override;
    bool GetShowBasicPattern() const override { return showBasicPattern_; }
    void SetShowBasicPattern(bool show) override;
    bool GetSimpleDraw() const override { return simpleDraw_; }
    // Refused while staggered.
    void SetSimpleDraw(bool simple) override;
    bool Staggered() const { return staggered_; }
    void SetStaggered(bool staggered);
    int PicksPerRow() const { return picksPerRow_; }
    void SetPicksPerRow(int picks);
    bool ImportFollowsOrientation() const { return importFollowsOrientation_; }
    void SetImportFollowsOrientation(bool follows) { importFollowsOrientation_ = follows; }

    // --- Area selection -----------------------------------------------------------------
    // 0 drawing, 1 area selection.
    int EditMode() const { return editMode_; }
    void SetEditMode(int mode);
    const TBlockArea& Area() const { return area_; }
    const TBlockArea& AreaAnchor() const { return areaAnchor_; }
    // Clamped to the grid cell by cell; the selection is drawn again.
    void SetArea(const TBlockArea& area);
    bool SelectionShown() const { return selectionShown_; }
    fw::Point LastCell() const { return lastCell_; }

    // --- Commands (block_frame_commands.cpp) ---------------------------------------------
    void ImportBitmap();
    // Takes a loaded picture as an import does (the undo step, the size, the events);
    // answers false after telling the user why it was refused. A picture that, turned with
    // the screen and adjusted by OnImportBitmap, has more columns than MaxPatternCards is
    // refused with the pattern width error, one of more cells than MaxDesignCells with the
    // pattern size error; a refused picture changes nothing.
    bool ImportPicture(fw::Bitmap bitmap);
    // dx, dy in screen directions: -1 left / up, +1 right / down.
    void ShiftOnScreen(int dx, int dy);
    void Invert();
    void Clear();
    // rows: reverse the order of the rows on screen (607), else of the columns (608).
    void MirrorOnScreen(bool aroundHorizontalAxis);
    void Undo();
    void Redo();
    void CopyArea();
    void CutArea();
    void UndoArea();

    // --- ITWActions (block_frame_actions.cpp) --------------------------------------------
    // Every id counts as handled, also those the frame does not know.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    // Pastes a clip's design at the area (or the top-left cell on screen without one).
    void PasteClip(fw::Object* source) override;

    // Fills pmProfiles with the saved block profiles.
    void FillProfileMenu();

    // --- Events ----------------------------------------------------------------------------
    TBlockSizeEvent OnImportSize;
    TBlockCellEvent OnCellChanged;
    TBlockBitmapEvent OnImportBitmap;
    TBlockCellInfoEvent OnGetCellInfo;
    TBlockCellInfoEvent OnAdjustCellInfo;
    TBlockDrawCellHook OnDrawCell;
    TBlockCellVetoEvent OnCellChanging;
    TBlockAreaEvent OnAreaCleared;
    TBlockAreaEvent OnShift;
    TBlockAreaEvent OnMirrorColumns;
    TBlockAreaEvent OnMirrorRows;
    std::function<void(fw::Object* sender)> OnImported;
    // In drawing mode, asked first about a press on the main image (press true, the button
    // pressed) and about the pointer entering another cell (press false; the held buttons
    // are in shift), with the cell under the pointer, which may lie outside the grid. True
    // takes the event: the frame then neither draws nor pushes an undo step. Lets an editor
    // edit a layer of its own with the mouse.
    std::function<bool(fw::MouseButton button, fw::ShiftState shift, fw::Point cell, bool press)> OnCellMouse;

    // --- The mouse over the main image (image coordinates) ----------------------------------
    void ImageMouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y);
    void ImageMouseMove(fw::ShiftState shift, int x, int y);
    void ImageMouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y);

    void Dispatch(fw::Message& message) override;

protected:
    // Called for a pasted cell whose clip holds no data object.
    virtual void FillPastedCellData(TTWBlockDesignAssociatedData* destination, int x,
                                    TTWBlockDesignAssociatedData* source, int y);
    virtual void AfterImport(fw::Bitmap& bitmap);

    // For a frame that colours its cells itself (RebuildSnapshot and RebuildSnapshotCell
    // overridden): the overview's bitmap of one pixel per cell, from which the main image is
    // stretched too, and showing it once it is rebuilt.
    fw::Bitmap& SnapshotStorage() { return snapshot_; }
    void ShowSnapshot();

private:
    // Construction and layout (block_frame.cpp).
    fw::SpeedButton* NewButton(const char* name, const char* hint, std::int32_t actionId, bool toggle);
    void BuildButtons();
    void BuildViews();
    // One of the four places of the overview: 1 left, 2 top, 3 right, 4 bottom.
    void PlaceSnapshotPanel(int position);
    void ApplySnapshotLayout();
    void UpdateGeometry();
    TBlockFrameStyle Style() const;
    void MakeDesigns(const TTWBlockDesignItem& prototype);
    void ResizeDesigns(int width, int height);
    void Report(std::int32_t actionId, bool enabled, bool enabled2, bool down) const;
    void ReportDrawModes() const;
    void PaintMain(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area);
    // The image's pixels inside the area (cut to the image), image point p at p + offset: the
    // cells, the tags and the selection when it is shown.
    void PaintPicture(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const;
    // The main image's pixels changed in the rectangle: the view shows them.
    void ImageChanged(const fw::Rect& pixels);
    void ShowSelection();
    void HideSelection();
    void DrawSelection();
    fw::Point CellUnder(int x, int y) const;
    TBlockArea ClampedArea(const TBlockArea& area) const;
    // The cells a command acts on: the area in area mode (none without one), else the grid.
    bool CommandRegion(TBlockArea& region) const;

    // Commands (block_frame_commands.cpp).
    void CopyAreaIntoClip();
    void ClearRegion(const TBlockArea& region);
    bool ConfirmClearAll() const;

    // Actions (block_frame_actions.cpp).
    ITWEditorHost* Host() const;
    void ButtonClicked(fw::Object* sender);
    void PickGridColour();
    void EditBlockSize();
    void CaptureProfile();
    void DropDownProfileMenu();
    void ApplyProfile(fw::Object* data);
    void RefillMainWindowProfileMenus();
    void SaveImage();
    void PrintImage();

    int gridWidth_ = 0;
    int gridHeight_ = 0;
    bool showGrid_ = true;
    bool showGridHighlights_ = true;
    int zoom_ = 5;
    TTWOrientation orientation_ = TTWOrientation::Vertical;
    double baseWidth_ = 2.0;
    double baseHeight_ = 2.0;
    fw::Color backgroundColour_ = 0xFFFFFF;
    fw::Color foregroundColour_ = 0x000000;
    std::vector<fw::Color> columnOffColours_;
    std::vector<fw::Color> columnOnColours_;
    TTWColour gridColour_ = 0;
    fw::Color selectionColour_ = 0x0000FF;
    std::unique_ptr<TTWBlockDesignItem> currentDesign_;
    std::unique_ptr<TTWBlockDesignItem> areaSource_;
    std::unique_ptr<TTWBlockDesignItem> areaUndo_;
    fw::Bitmap snapshot_;
    fw::Point lastCell_{-1, -1};
    TTWBlockDesignUndoList undoList_;
    bool importFollowsOrientation_ = false;
    bool showTwist_ = false;
    bool showBasicPattern_ = true;
    bool simpleDraw_ = true;
    bool staggered_ = false;
    bool showPickTags_ = false;
    int updateCount_ = 0;
    TBlockArea area_;
    TBlockArea areaAnchor_;
    bool selectionShown_ = false;
    int editMode_ = 0;
    int picksPerRow_ = 1;
    TTWDesign designGrid_;
    TBlockFrameGeometry geometry_;
};

// Holds a block-design frame's drawing back for a scope; the outermost end draws it once.
class TBlockPatternUpdate {
public:
    explicit TBlockPatternUpdate(TfrmBlockPattern& frame) : frame_(frame) { frame_.BeginUpdate(); }
    ~TBlockPatternUpdate() { frame_.EndUpdate(); }
    TBlockPatternUpdate(const TBlockPatternUpdate&) = delete;
    TBlockPatternUpdate& operator=(const TBlockPatternUpdate&) = delete;

private:
    TfrmBlockPattern& frame_;
};
