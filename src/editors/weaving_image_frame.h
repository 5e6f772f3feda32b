#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editors/weaving_image_frame_geometry.h"
#include "editors/weaving_image_frame_margins.h"
#include "editors/weaving_image_frame_painter.h"
#include "framework/gui/form.h"
#include "model/profile_targets.h"
#include "shell/tool_actions.h"

class TTWCardList;
class TTWWeaving;
class TTWWeavingCell;
class TWeavingImageScroller;
class TWeavingImageView;

namespace fw {
class Panel;
class PopupMenu;
class SpeedButton;
class Splitter;
} // namespace fw

// Which card list a host hands the frame for the threading rows.
enum class TWeavingCardListKind { Main = 0, LeftSelvedge = 1, RightSelvedge = 2 };
// Answers the host's card list of the kind (none when it has none), its palette set.
using TWeavingCardListProvider = std::function<TTWCardList*(TWeavingCardListKind kind)>;
// A mouse event over one side's image, in image coordinates.
using TWeavingImageMouseEvent =
    std::function<void(fw::Object* sender, fw::MouseButton button, fw::ShiftState shift, int x, int y)>;
using TWeavingImageMouseMoveEvent = std::function<void(fw::Object* sender, fw::ShiftState shift, int x, int y)>;

// The reusable view of a computed band: drawn as the simulated real image, in which every
// cell is a slanted shape that bends where the card changes its turning direction, or as a
// block chart of rectangles, with grid, grid highlights, tags, marks, pick and card numbers
// and the cards' threading, and optionally the reverse side beside the front. Editors embed
// it and pass it the view commands (ITWActions); display profiles apply themselves to it and
// capture it (ITWWeavingImageProfileTarget).
//
// The weavings are not owned: the host keeps them alive while the frame shows them, and
// calls Redraw after it rebuilt them.
class TfrmWeavingImage : public fw::Frame, public ITWActions, public ITWWeavingImageProfileTarget {
public:
    static constexpr int MinZoom = 1;
    static constexpr int MaxZoom = 10;

    explicit TfrmWeavingImage(fw::Component* owner = nullptr);
    ~TfrmWeavingImage() override;

    std::string_view className() const override { return "TfrmWeavingImage"; }

    // --- Components ---------------------------------------------------------------------
    // The hidden tool column with the frame's own buttons.
    fw::Panel* const pnlLeft;
    fw::Panel* const pnlButtons;
    fw::SpeedButton* const btnEnlarge;
    fw::SpeedButton* const btnReduce;
    fw::SpeedButton* const btnSaveImage;
    fw::SpeedButton* const btnSetBlockRatios;
    fw::SpeedButton* const btnGrid;
    fw::SpeedButton* const btnShowTags;
    fw::SpeedButton* const btnNoColours;
    fw::SpeedButton* const btnMarkDirChanges;
    fw::SpeedButton* const btnMarkTwists;
    fw::SpeedButton* const btnRotate;
    fw::SpeedButton* const btnToggleImageType;
    fw::SpeedButton* const btnPrintImage;
    fw::SpeedButton* const btnShowThreading;
    fw::SpeedButton* const btnShowReverse;
    fw::SpeedButton* const btnTagsShowDir;
    fw::SpeedButton* const btnMarkLongFloats;
    fw::SpeedButton* const btnMarkIdle;
    fw::SpeedButton* const btnCaptureProfile;
    fw::SpeedButton* const btnSelectProfile;
    fw::SpeedButton* const btnClipboard;
    fw::PopupMenu* const pmProfiles;
    fw::Panel* const pnlGridColour;
    // Which way the band runs; one pair shows at a time.
    fw::Panel* const imgOrientVertical;
    fw::Panel* const imgOrientHorizontal;
    fw::Panel* const imgVertical;
    fw::Panel* const imgHorizontal;
    // The image area: the front (scrImage with imgWeaving and the position panel pnlPos),
    // the splitter, and the reverse side.
    fw::Panel* const pnlImages;
    fw::Panel* const pnlImage;
    TWeavingImageScroller* const scrImage;
    TWeavingImageView* const imgWeaving;
    fw::Panel* const pnlPos;
    fw::Splitter* const spltImages;
    fw::Panel* const pnlImageReverse;
    TWeavingImageScroller* const scrReverse;
    TWeavingImageView* const imgReverse;
    fw::Panel* const pnlPosReverse;

    // --- What is shown ------------------------------------------------------------------
    const TTWWeaving* Weaving() const { return weaving_; }
    // Shows the front side (none: nothing) and redraws.
    void SetWeaving(const TTWWeaving* weaving);
    const TTWWeaving* ReverseWeaving() const { return reverseWeaving_; }
    // The reverse side the frame may show; btnShowReverse is offered exactly while there is
    // one, and without one the reverse is switched off.
    void SetReverseAvailable(const TTWWeaving* reverseWeaving);
    void SetCardListProvider(TWeavingCardListProvider provider) { cardListProvider_ = std::move(provider); }

    // Draws both sides again (the front, and the reverse when it is shown); nothing while an
    // update bracket is open. With no weaving, or one without columns or picks, the images
    // are empty.
    void Redraw();
    // The same after picks were appended to a band of oldPicks picks, woven again from the
    // 1-based first changed pick: when the front is shown alone, upright and at its start,
    // what it showed moves down with the band and only the picks that may look different
    // are painted again (the pixels are those Redraw gives).
    void RedrawGrown(int oldPicks, int firstChangedPick);
    // Brackets that hold the redraws back; the outermost EndUpdate redraws once.
    void BeginUpdate() override;
    void EndUpdate() override;
    int UpdateCount() const { return updateCount_; }
    // Back to the image's first pixel, on both sides.
    void ScrollToStart();

    // Every cell of the weaving (the front and the frame's own image when none are given)
    // onto a canvas: the whole image, or the part of it near `area`, shifted by offset. The
    // brocade image frame draws its wefts over them.
    virtual void DrawTo(fw::Color gridColour, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                        const TTWWeaving* weaving);
    // The whole picture of one side, as saving, printing and copying take it: the cells and,
    // for the front, the margins.
    fw::Bitmap RenderPicture(bool reverse);

    // --- Options (each setter: nothing when unchanged; else store, set the button, redraw
    // and report the action's state to the main window unless silent) --------------------
    void SetShowGrid(bool show) override;
    void SetMarkDirChanges(bool mark) override;
    void SetShowColours(bool show) override;
    void SetMarkTwists(bool mark) override;
    // Also shows or hides the reverse panel and its splitter; redraws only when switched on.
    void SetShowReverse(bool show) override;
    void SetMarkLongFloats(bool mark) override;
    void SetMarkIdle(bool mark) override;
    void SetShowPickTags(bool show) override;
    void SetShowCardThreading(bool show) override;
    // Redraws only while the grid is shown.
    void SetGridHighlights(bool show);
    // Reported enabled only in the block chart. Switching it on while the turning direction
    // is shown as lines (tag type 2, display setting 1) takes the tags away.
    void SetShowTwining(bool show) override;
    // 1 the uppermost hole, 2 the turning direction; 2 with the line display switches the
    // twining lines off.
    void SetTagType(TTWTagType tagType) override;
    void SetImageType(TTWImageType imageType) override;
    void SetRealImage(bool real) { SetImageType(real ? TTWImageType::Real : TTWImageType::Block); }
    void SetOrientation(TTWOrientation orientation) override;
    void SetHorizontal(bool horizontal)
    {
        SetOrientation(horizontal ? TTWOrientation::Horizontal : TTWOrientation::Vertical);
    }
    // Values below 1 are ignored; the buttons keep it within 1..10.
    void SetZoom(std::int32_t zoom) override;
    void SetGridColour(TTWColour colour) override;
    // The three cell ratios, stored without a redraw; the sizes follow before the next draw.
    void StoreCellRatios(double width, double height, double slant) override;
    // The ratios, then the sizes recomputed and the image redrawn.
    void SetCellRatios(double width, double height, double slant);

    bool GetShowGrid() const override { return showGrid_; }
    bool GetGridHighlights() const { return gridHighlights_; }
    bool GetShowColours() const override { return showColours_; }
    bool GetMarkDirChanges() const override { return markDirChanges_; }
    bool GetMarkTwists() const override { return markTwists_; }
    bool GetShowTwining() const override { return showTwining_; }
    bool GetShowReverse() const override { return showReverse_; }
    bool GetMarkLongFloats() const override { return markLongFloats_; }
    bool GetMarkIdle() const override { return markIdle_; }
    bool GetShowPickTags() const override { return showPickTags_; }
    bool GetShowCardThreading() const override { return showCardThreading_; }
    TTWTagType GetTagType() const override { return tagType_; }
    TTWImageType GetImageType() const override { return realImage_ ? TTWImageType::Real : TTWImageType::Block; }
    bool RealImage() const { return realImage_; }
    TTWOrientation GetOrientation() const override
    {
        return horizontal_ ? TTWOrientation::Horizontal : TTWOrientation::Vertical;
    }
    bool Horizontal() const { return horizontal_; }
    std::int32_t GetZoom() const override { return zoom_; }
    TTWColour GetGridColour() const override;
    double GetWidthRatio() const override { return widthRatio_; }
    double GetHeightRatio() const override { return heightRatio_; }
    double GetSlantRatio() const override { return slantRatio_; }

    // The drawn sizes: cell width W, centre height H and slant depth D.
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    int SlantDepth() const { return slantDepth_; }
    // Where a tag letter stands relative to its cell's origin, and whether tags are drawn.
    fw::Point TagOffset() const { return tagOffset_; }
    bool LabelsReadable() const { return labelsReadable_; }
    const fw::Font& LabelFont() const { return labelFont_; }
    // The geometry the images are drawn with now (for the front side).
    TWeavingImageGeometry Geometry(bool reverse = false) const;

    // Tool states go to the main window unless the frame is silent (a hidden editor making
    // thumbnails).
    bool Silent() const { return silent_; }
    void SetSilent(bool silent) { silent_ = silent; }

    // --- The mouse ----------------------------------------------------------------------
    // The cell last found under the mouse on each side; none. (Kept by its place, so a band
    // rebuilt meanwhile answers its new cell there, never a freed one.)
    const TTWWeavingCell* CellUnderMouse() const;
    const TTWWeavingCell* ReverseCellUnderMouse() const;
    // The hover handling for a point of one side's image (image coordinates): finds the
    // cell, and when it changed stores it and shows "column / pick" (on the reverse the
    // column counted from the other side) in the side's position panel.
    void HoverAt(bool reverse, int x, int y);
    // The host's own handlers, run after the frame's (image coordinates).
    void SetOnImageMouseMove(TWeavingImageMouseMoveEvent handler) { onImageMouseMove_ = std::move(handler); }
    void SetOnImageMouseDown(TWeavingImageMouseEvent handler) { onImageMouseDown_ = std::move(handler); }
    // Called just before the reverse side comes into view, whichever way it is asked for
    // (its button, a command, a display profile): its owner may bring the reverse weaving
    // up to date there instead of after every change.
    void SetOnReverseShowing(std::function<void()> handler) { onReverseShowing_ = std::move(handler); }

    // --- Commands (weaving_image_frame_actions.cpp) -------------------------------------
    // Every id counts as handled, also those the frame does not know.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    void PasteClip(fw::Object*) override {}
    bool ExecuteCommand(std::int32_t actionId, bool down, fw::Object* data)
    {
        return PerformAction(actionId, down, data);
    }

    // --- Display profiles ---------------------------------------------------------------
    // The standard weaving chart, in one update: ratios 2, 0, 2, zoom 6, a black grid
    // without highlights, no colours, turning-direction tags, twists marked, pick tags and
    // threading rows, as a block chart.
    void ApplyStandardWeavingChart();
    // Refills pmProfiles: the saved weaving-image profiles, a line and "Standard Weaving
    // Chart".
    void FillProfileMenu();

protected:
    void Resize() override;

private:
    // Construction (weaving_image_frame.cpp).
    void BuildButtons();
    void BuildImageArea();
    // A flat tool button for the action, tagged with its id; a toggle is its own group.
    fw::SpeedButton* NewButton(const char* name, const char* hint, std::int32_t actionId, bool toggle);

    // Sizes and layout.
    void RecalcSizes();
    // The front and the reverse beside each other (vertical) or one above the other, the
    // front given the share of the room when one is given.
    void LayoutReversePanel(std::optional<double> frontShare = std::nullopt);
    // The part of the room across the sides that the front takes now.
    double FrontShare() const;
    void UpdateImageSizes();
    TWeavingImageStyle Style() const;
    TWeavingImageCardLists CardLists() const;
    // One side's cells and (front) margins near the area; a view's paint also lays the
    // background around them.
    void PaintSide(bool reverse, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area);
    void PaintView(bool reverse, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area);
    void Report(std::int32_t actionId, bool enabled, bool down) const;
    void SetButtonDown(fw::SpeedButton* button, bool down);
    void ImageMouseMove(bool reverse, fw::ShiftState shift, int x, int y);

    // Commands (weaving_image_frame_actions.cpp).
    void PickGridColour();
    void EditSizeRatios();
    void CaptureProfile();
    void DropDownProfileMenu();
    void ApplyProfile(fw::Object* data);
    void RefillMainWindowProfileMenus();
    void ButtonClicked(fw::Object* sender);
    // The dialogs the commands run.
    bool PickColour(fw::Color& colour);
    bool SavePicture(const fw::Bitmap& picture);
    bool RunSizeRatios(double& width, double& centre, double& end);

    const TTWWeaving* weaving_ = nullptr;
    const TTWWeaving* reverseWeaving_ = nullptr;
    double widthRatio_ = 3.0;
    double heightRatio_ = 0.0;
    double slantRatio_ = 5.0;
    int zoom_ = 1;
    int cellWidth_ = 3;
    int cellHeight_ = 0;
    int slantDepth_ = 5;
    fw::Point tagOffset_;
    fw::Font labelFont_;
    bool labelsReadable_ = false;
    bool showGrid_ = true;
    bool gridHighlights_ = false;
    bool showColours_ = true;
    bool markDirChanges_ = false;
    bool markTwists_ = false;
    bool showTwining_ = true;
    bool showReverse_ = false;
    bool markLongFloats_ = false;
    bool markIdle_ = false;
    bool showPickTags_ = false;
    bool showCardThreading_ = false;
    bool horizontal_ = false;
    bool realImage_ = true;
    TTWTagType tagType_ = TTWTagType::None;
    int updateCount_ = 0;
    // The ratios were stored without their sizes: recompute before the next draw.
    bool sizesStale_ = false;
    std::optional<TWeavingCellPosition> hoverFront_;
    std::optional<TWeavingCellPosition> hoverReverse_;
    TWeavingCardListProvider cardListProvider_;
    bool silent_ = false;
    TWeavingImageMouseMoveEvent onImageMouseMove_;
    TWeavingImageMouseEvent onImageMouseDown_;
    std::function<void()> onReverseShowing_;
};
