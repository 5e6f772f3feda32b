// The weaving-image frame: its parts, its options, its sizes and layout, and the painting
// and hovering of its two images.

#include "editors/weaving_image_frame.h"

#include <algorithm>
#include <string>

#include "forms/form_kit.h"
#include "editors/view_frame_support.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/menu.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/card_list.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace {

constexpr int PositionPanelHeight = 19;
// The splitter counts as pushed to the far edge within this many pixels.
constexpr int FarEdgeSlack = 3;


bool HasCells(const TTWWeaving* weaving)
{
    return weaving != nullptr && weaving->Width() > 0 && weaving->PickCount() > 0;
}

} // namespace

TfrmWeavingImage::TfrmWeavingImage(fw::Component* owner)
    : fw::Frame(owner),
      pnlLeft(NewViewPanel(this, "pnlLeft")),
      pnlButtons(NewViewPanel(this, "pnlButtons")),
      btnEnlarge(NewButton("btnEnlarge", "Enlarge", TWAction::ZoomIn, false)),
      btnReduce(NewButton("btnReduce", "Reduce", TWAction::ZoomOut, false)),
      btnSaveImage(NewButton("btnSaveImage", "Save image", TWAction::SaveImage, false)),
      btnSetBlockRatios(NewButton("btnSetBlockRatios", "Set size ratios", TWAction::DisplayRatios, false)),
      btnGrid(NewButton("btnGrid", "Show/Hide Grid", TWAction::ShowGrid, true)),
      btnShowTags(NewButton("btnShowTags", "Show uppermost hole", TWAction::ShowUppermostHole, true)),
      btnNoColours(NewButton("btnNoColours", "Show/hide colours", TWAction::ShowColours, true)),
      btnMarkDirChanges(NewButton("btnMarkDirChanges", "Mark direction changes", TWAction::ShowDirectionChanges, true)),
      btnMarkTwists(NewButton("btnMarkTwists", "Mark twisting points", TWAction::ShowCardTwists, true)),
      btnRotate(NewButton("btnRotate", "Change rotation", TWAction::Rotate, false)),
      btnToggleImageType(
          NewButton("btnToggleImageType", "Change between block vs real image", TWAction::BlockPattern, true)),
      btnPrintImage(NewButton("btnPrintImage", "Print image", TWAction::PrintImage, false)),
      btnShowThreading(NewButton("btnShowThreading", "Show or hide twining direction", TWAction::ShowTwining, true)),
      btnShowReverse(NewButton("btnShowReverse", "Show reverse of band", TWAction::ShowReverse, true)),
      btnTagsShowDir(NewButton("btnTagsShowDir", "Show turning direction", TWAction::ShowTurningDirection, true)),
      btnMarkLongFloats(NewButton("btnMarkLongFloats", "Show long floats", TWAction::ShowLongFloats, true)),
      btnMarkIdle(NewButton("btnMarkIdle", "Show idling cards", TWAction::ShowIdlingCards, true)),
      btnCaptureProfile(NewButton("btnCaptureProfile", "Capture display profile", TWAction::CaptureProfile, false)),
      btnSelectProfile(NewButton("btnSelectProfile", "Select display profile", TWAction::SelectProfile, false)),
      btnClipboard(NewButton("btnClipboard", "Copy image to clipboard", TWAction::CopyImage, false)),
      pmProfiles(new fw::PopupMenu(this)),
      pnlGridColour(NewViewPanel(this, "pnlGridColour")),
      imgOrientVertical(NewViewPanel(this, "imgOrientVertical")),
      imgOrientHorizontal(NewViewPanel(this, "imgOrientHorizontal")),
      imgVertical(NewViewPanel(this, "imgVertical")),
      imgHorizontal(NewViewPanel(this, "imgHorizontal")),
      pnlImages(NewViewPanel(this, "pnlImages")),
      pnlImage(NewViewPanel(this, "pnlImage")),
      scrImage(new TWeavingImageScroller(this)),
      imgWeaving(&scrImage->View()),
      pnlPos(NewViewPanel(this, "pnlPos")),
      spltImages(new fw::Splitter(this)),
      pnlImageReverse(NewViewPanel(this, "pnlImageReverse")),
      scrReverse(new TWeavingImageScroller(this)),
      imgReverse(&scrReverse->View()),
      pnlPosReverse(NewViewPanel(this, "pnlPosReverse"))
{
    SetName("frmWeavingImage");
    SetBounds(0, 0, 640, 480);
    pmProfiles->SetName("pmProfiles");
    scrImage->SetName("scrImage");
    imgWeaving->SetName("imgWeaving");
    spltImages->SetName("spltImages");
    scrReverse->SetName("scrReverse");
    imgReverse->SetName("imgReverse");

    const TTWUserSettings& settings = UserSettings();
    widthRatio_ = settings.ImageSizeRatios.Image.Width;
    heightRatio_ = settings.ImageSizeRatios.Image.Centre;
    slantRatio_ = settings.ImageSizeRatios.Image.End;
    labelFont_.Name = "Arial";
    labelFont_.Color = settings.WeavingImage.TagColour;
    horizontal_ = settings.DefaultRotations.Image == TTWOrientation::Horizontal;

    BuildButtons();
    BuildImageArea();
    scrImage->SetImageColour(settings.General.BackColour);
    scrReverse->SetImageColour(settings.General.BackColour);
    pnlGridColour->SetColor(settings.WeavingImage.GridColour);

    imgOrientVertical->SetVisible(!horizontal_);
    imgVertical->SetVisible(!horizontal_);
    imgOrientHorizontal->SetVisible(horizontal_);
    imgHorizontal->SetVisible(horizontal_);
    // The frame is complete once made: its parts lay themselves out from now on.
    FinishLoading();
    LayoutReversePanel();
    RecalcSizes();
    FillProfileMenu();
}

TfrmWeavingImage::~TfrmWeavingImage()
{
    // The views go with their scroll boxes after this body: nothing may reach back here.
    imgWeaving->SetOnPaintImage(nullptr);
    imgReverse->SetOnPaintImage(nullptr);
    imgWeaving->SetOnMouseMove(nullptr);
    imgReverse->SetOnMouseMove(nullptr);
    imgWeaving->SetOnMouseDown(nullptr);
    imgReverse->SetOnMouseDown(nullptr);
}

// --- Construction ------------------------------------------------------------------------------

fw::SpeedButton* TfrmWeavingImage::NewButton(const char* name, const char* hint, std::int32_t actionId, bool toggle)
{
    return NewViewButton(*this, name, hint, actionId, toggle);
}

void TfrmWeavingImage::BuildButtons()
{
    pnlLeft->SetParent(this);
    pnlLeft->SetAlign(fw::Align::Left);
    pnlLeft->SetWidth(ViewButtonSize + 4);
    // The main window's tool bar carries these commands; the column stays for hosts that
    // show it.
    pnlLeft->SetVisible(false);
    pnlButtons->SetParent(pnlLeft);
    pnlButtons->SetAlign(fw::Align::Client);

    int top = LayViewButtons(*pnlButtons,
                             {btnEnlarge, btnReduce, btnSaveImage, btnSetBlockRatios, btnGrid, btnShowTags,
                              btnNoColours, btnMarkDirChanges, btnMarkTwists, btnRotate, btnToggleImageType,
                              btnPrintImage, btnShowThreading, btnShowReverse, btnTagsShowDir, btnMarkLongFloats,
                              btnMarkIdle, btnCaptureProfile, btnSelectProfile, btnClipboard},
                             [this](fw::Object* sender) { ButtonClicked(sender); });
    btnGrid->SetDown(showGrid_);
    btnNoColours->SetDown(showColours_);
    btnShowThreading->SetDown(showTwining_);
    // Twining lines belong to the block chart; the frame starts with the real image.
    btnShowThreading->SetEnabled(!realImage_);
    btnShowReverse->SetVisible(false);

    pnlGridColour->SetParent(pnlButtons);
    pnlGridColour->SetBevelOuter(fw::PanelBevel::Lowered);
    pnlGridColour->SetBounds(2, top + 2, ViewButtonSize, ViewButtonSize);
    top += ViewButtonSize + 4;
    const auto placeOrientation = [this, &top](fw::Panel* first, fw::Panel* second, const char* caption) {
        first->SetParent(pnlButtons);
        first->SetCaption(caption);
        first->SetBounds(2, top, ViewButtonSize, ViewButtonSize);
        second->SetParent(pnlButtons);
        second->SetCaption(caption);
        second->SetBounds(2, top + ViewButtonSize, ViewButtonSize, ViewButtonSize);
    };
    placeOrientation(imgOrientVertical, imgVertical, "|");
    placeOrientation(imgOrientHorizontal, imgHorizontal, "-");
}

void TfrmWeavingImage::BuildImageArea()
{
    pnlImages->SetParent(this);
    pnlImages->SetAlign(fw::Align::Client);

    pnlImage->SetParent(pnlImages);
    pnlImage->SetAlign(fw::Align::Client);
    scrImage->SetParent(pnlImage);
    scrImage->SetAlign(fw::Align::Client);
    pnlPos->SetParent(pnlImage);
    pnlPos->SetAlign(fw::Align::Bottom);
    pnlPos->SetHeight(PositionPanelHeight);
    pnlPos->SetBevelOuter(fw::PanelBevel::Lowered);

    spltImages->SetParent(pnlImages);
    spltImages->SetAlign(fw::Align::Left);
    spltImages->SetVisible(false);

    pnlImageReverse->SetParent(pnlImages);
    pnlImageReverse->SetAlign(fw::Align::Client);
    pnlImageReverse->SetVisible(false);
    scrReverse->SetParent(pnlImageReverse);
    scrReverse->SetAlign(fw::Align::Client);
    pnlPosReverse->SetParent(pnlImageReverse);
    pnlPosReverse->SetAlign(fw::Align::Bottom);
    pnlPosReverse->SetHeight(PositionPanelHeight);
    pnlPosReverse->SetBevelOuter(fw::PanelBevel::Lowered);

    imgWeaving->SetOnPaintImage(
        [this](fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) { PaintView(false, canvas, offset, area); });
    imgReverse->SetOnPaintImage(
        [this](fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) { PaintView(true, canvas, offset, area); });
    imgWeaving->SetOnMouseMove([this](fw::Object*, fw::ShiftState shift, int x, int y) {
        ImageMouseMove(false, shift, x, y);
    });
    imgReverse->SetOnMouseMove([this](fw::Object*, fw::ShiftState shift, int x, int y) {
        ImageMouseMove(true, shift, x, y);
    });
    const auto mouseDown = [this](fw::Object* sender, fw::MouseButton button, fw::ShiftState shift, int x, int y) {
        auto* view = static_cast<TWeavingImageView*>(sender);
        const fw::Point at = view->ImagePoint(x, y);
        if (onImageMouseDown_) {
            onImageMouseDown_(sender, button, shift, at.X, at.Y);
        }
    };
    imgWeaving->SetOnMouseDown(mouseDown);
    imgReverse->SetOnMouseDown(mouseDown);
}

// --- The weavings and drawing -------------------------------------------------------------------

void TfrmWeavingImage::SetWeaving(const TTWWeaving* weaving)
{
    weaving_ = weaving;
    Redraw();
}

void TfrmWeavingImage::SetReverseAvailable(const TTWWeaving* reverseWeaving)
{
    reverseWeaving_ = reverseWeaving;
    btnShowReverse->SetVisible(reverseWeaving != nullptr);
    if (reverseWeaving == nullptr) {
        SetShowReverse(false);
    } else if (showReverse_) {
        Redraw();
    }
}

void TfrmWeavingImage::BeginUpdate()
{
    ++updateCount_;
}

void TfrmWeavingImage::EndUpdate()
{
    if (updateCount_ == 0) {
        return;
    }
    if (--updateCount_ == 0) {
        Redraw();
    }
}

void TfrmWeavingImage::Redraw()
{
    if (updateCount_ > 0) {
        return;
    }
    const fw::ScopedCursor busy;
    if (sizesStale_) {
        RecalcSizes();
        return;
    }
    UpdateImageSizes();
    imgWeaving->Update();
    if (showReverse_) {
        imgReverse->Update();
    }
}

void TfrmWeavingImage::RedrawGrown(int oldPicks, int firstChangedPick)
{
    if (updateCount_ > 0) {
        return;
    }
    const fw::Size oldSize = scrImage->ImageSize();
    if (sizesStale_ || showReverse_ || horizontal_ || !HasCells(weaving_) || oldPicks <= 0
        || weaving_->PickCount() <= oldPicks || firstChangedPick <= 1 || firstChangedPick > oldPicks + 1
        || scrImage->ScrollOffset() != fw::Point{}) {
        Redraw();
        return;
    }
    const TWeavingImageGeometry front = Geometry(false);
    const fw::Size size = TWeavingImageMargins(front, showPickTags_, showCardThreading_, CardLists()).ImageSize();
    const int grown = size.Height - oldSize.Height;
    // Upright, pick 1 at the bottom: every old pick moves down by the new picks' steps, and
    // the margins with them; anything else is painted whole.
    if (size.Width != oldSize.Width || grown != (weaving_->PickCount() - oldPicks) * front.PickStep()) {
        Redraw();
        return;
    }
    // The picks that may look different: the first changed one, the one before it (its far
    // edge follows the next pick's slant) and the one before that (a run of two may become a
    // float), and every float the new rows carry on from its start.
    int firstStale = std::max(firstChangedPick - 2, 1);
    const int lastKept = firstChangedPick - 1;
    for (int column = 0; column < weaving_->Width(); ++column) {
        const TTWWeavingCell* cell = weaving_->Cell(column, lastKept - 1);
        if (cell != nullptr && cell->InFloat) {
            firstStale = std::min(firstStale, std::max(cell->FloatStartPick() + 1, 1));
        }
    }
    if (!scrImage->SetImageSizeKeepingView(size) || !scrImage->View().ImageGrewAtTop(grown)) {
        imgWeaving->Update();
        return;
    }
    // From the top of the image down to one step below the stale picks' lower edges: a
    // cell's drawing reaches at most a slant beyond its own pick.
    const int bottom = front.CellOrigin(1, firstStale).Y + front.PickStep() + front.SlantDepth() + 1
                       - scrImage->ScrollOffset().Y;
    TWeavingImageView& view = scrImage->View();
    if (bottom > 0) {
        view.InvalidateRect(fw::Rect{0, 0, view.ClientWidth(), std::min(bottom, view.ClientHeight())});
    }
    imgWeaving->Update();
}

void TfrmWeavingImage::UpdateImageSizes()
{
    if (!HasCells(weaving_)) {
        scrImage->SetImageSize(fw::Size{});
        scrReverse->SetImageSize(fw::Size{});
        return;
    }
    const TWeavingImageGeometry front = Geometry(false);
    scrImage->SetImageSize(TWeavingImageMargins(front, showPickTags_, showCardThreading_, CardLists()).ImageSize());
    if (showReverse_ && HasCells(reverseWeaving_)) {
        scrReverse->SetImageSize(Geometry(true).CellAreaSize());
    } else {
        scrReverse->SetImageSize(fw::Size{});
    }
}

void TfrmWeavingImage::ScrollToStart()
{
    scrImage->ScrollTo(fw::Point{});
    scrReverse->ScrollTo(fw::Point{});
}

TWeavingImageGeometry TfrmWeavingImage::Geometry(bool reverse) const
{
    const TTWWeaving* weaving = reverse ? reverseWeaving_ : weaving_;
    return TWeavingImageGeometry(cellWidth_, cellHeight_, slantDepth_, horizontal_, realImage_,
                                 weaving != nullptr ? weaving->Width() : 0,
                                 weaving != nullptr ? weaving->PickCount() : 0);
}

TWeavingImageStyle TfrmWeavingImage::Style() const
{
    TWeavingImageStyle style;
    style.TakeSettings(UserSettings());
    style.GridColour = showGrid_ ? GetGridColour() : fw::clNone;
    style.ShowColours = showColours_;
    style.GridHighlights = showGrid_ && gridHighlights_;
    style.ShowTwining = showTwining_;
    style.MarkDirChanges = markDirChanges_;
    style.MarkTwists = markTwists_;
    style.MarkLongFloats = markLongFloats_;
    style.MarkIdle = markIdle_;
    style.TagType = tagType_;
    style.LabelsReadable = labelsReadable_;
    style.LabelFont = labelFont_;
    style.TagOffset = tagOffset_;
    return style;
}

TWeavingImageCardLists TfrmWeavingImage::CardLists() const
{
    TWeavingImageCardLists lists;
    if (cardListProvider_) {
        lists.Main = cardListProvider_(TWeavingCardListKind::Main);
        lists.Left = cardListProvider_(TWeavingCardListKind::LeftSelvedge);
        lists.Right = cardListProvider_(TWeavingCardListKind::RightSelvedge);
    }
    return lists;
}

void TfrmWeavingImage::DrawTo(fw::Color gridColour, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area,
                              const TTWWeaving* weaving)
{
    if (weaving == nullptr) {
        weaving = weaving_;
    }
    if (!HasCells(weaving)) {
        return;
    }
    const TWeavingImageGeometry geometry(cellWidth_, cellHeight_, slantDepth_, horizontal_, realImage_,
                                         weaving->Width(), weaving->PickCount());
    TWeavingImageStyle style = Style();
    style.GridColour = gridColour;
    TWeavingImagePainter painter(canvas, offset, geometry, style);
    painter.DrawCells(*weaving, area);
}

void TfrmWeavingImage::PaintSide(bool reverse, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area)
{
    const TTWWeaving* weaving = reverse ? reverseWeaving_ : weaving_;
    if (!HasCells(weaving_) || !HasCells(weaving)) {
        return;
    }
    DrawTo(showGrid_ ? GetGridColour() : fw::clNone, canvas, offset, area, weaving);
    if (!reverse) {
        const TWeavingImageGeometry geometry = Geometry(false);
        TWeavingImageMargins(geometry, showPickTags_, showCardThreading_, CardLists())
            .Draw(canvas, offset, *weaving, UserSettings().General.BackColour, area);
    }
}

void TfrmWeavingImage::PaintView(bool reverse, fw::Canvas& canvas, fw::Point offset, const fw::Rect& area)
{
    const TTWWeaving* weaving = reverse ? reverseWeaving_ : weaving_;
    const bool shown = HasCells(weaving_) && HasCells(weaving) && (!reverse || showReverse_);
    // The cells cover the band's inside without a gap: only what lies around it needs the
    // background first. (A view is mostly band, and a long band's view is painted often.)
    fw::Rect covered{};
    if (shown) {
        const TWeavingImageGeometry geometry = Geometry(reverse);
        const fw::Size cells = geometry.CellAreaSize();
        const int inset = geometry.FirstPickInset();
        covered = geometry.Horizontal() ? fw::Rect{inset, 0, cells.Width - inset, cells.Height - 1}
                                        : fw::Rect{0, inset, cells.Width - 1, cells.Height - inset};
    }
    const fw::Rect inside{std::max(area.Left, covered.Left), std::max(area.Top, covered.Top),
                          std::min(area.Right, covered.Right), std::min(area.Bottom, covered.Bottom)};
    const auto toCanvas = [offset](const fw::Rect& r) {
        return fw::Rect{r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y};
    };
    const TWeavingImageView* view = reverse ? imgReverse : imgWeaving;
    canvas.Brush() = fw::Brush{view->Color(), fw::BrushStyle::Solid, nullptr};
    if (inside.IsEmpty()) {
        canvas.FillRect(toCanvas(area));
    } else {
        canvas.FillRect(toCanvas(fw::Rect{area.Left, area.Top, area.Right, inside.Top}));
        canvas.FillRect(toCanvas(fw::Rect{area.Left, inside.Bottom, area.Right, area.Bottom}));
        canvas.FillRect(toCanvas(fw::Rect{area.Left, inside.Top, inside.Left, inside.Bottom}));
        canvas.FillRect(toCanvas(fw::Rect{inside.Right, inside.Top, area.Right, inside.Bottom}));
    }
    if (shown) {
        PaintSide(reverse, canvas, offset, area);
    }
}

fw::Bitmap TfrmWeavingImage::RenderPicture(bool reverse)
{
    const TTWWeaving* weaving = reverse ? reverseWeaving_ : weaving_;
    if (!HasCells(weaving_) || !HasCells(weaving)) {
        return fw::Bitmap();
    }
    const TWeavingImageGeometry geometry = Geometry(reverse);
    const fw::Size size = reverse ? geometry.CellAreaSize()
                                  : TWeavingImageMargins(geometry, showPickTags_, showCardThreading_, CardLists())
                                        .ImageSize();
    fw::Bitmap picture(size.Width, size.Height);
    fw::Canvas canvas(picture, EffectivePaintBackend());
    canvas.Brush() = fw::Brush{UserSettings().General.BackColour, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(picture.Bounds());
    PaintSide(reverse, canvas, fw::Point{}, picture.Bounds());
    return picture;
}

// --- Sizes and layout ------------------------------------------------------------------------------

void TfrmWeavingImage::RecalcSizes()
{
    sizesStale_ = false;
    cellWidth_ =
        std::clamp(TWeavingImageGeometry::ScaledSize(zoom_, widthRatio_), 1, TWeavingImageGeometry::MaxCellSize);
    cellHeight_ =
        std::clamp(TWeavingImageGeometry::ScaledSize(zoom_, heightRatio_), 0, TWeavingImageGeometry::MaxCellSize);
    slantDepth_ =
        std::clamp(TWeavingImageGeometry::ScaledSize(zoom_, slantRatio_), 1, TWeavingImageGeometry::MaxCellSize);
    const int w = cellWidth_;
    const int h = cellHeight_;
    const int d = slantDepth_;
    labelFont_.Height = horizontal_ ? w : (2 * d) / 3 + h;
    labelsReadable_ = std::abs(labelFont_.Size()) > 5;
    fw::Size letter{0, 0};
    if (fw::PaintBackend* backend = EffectivePaintBackend()) {
        letter = backend->TextExtent(labelFont_, "X");
    }
    const int th = letter.Height;
    const int tw = letter.Width;
    // The letter centred in the cell: across it, and along the part of the pick that the
    // cell's shape covers (its slanted ends included in the real image).
    const int depth = realImage_ ? h + 2 * d : h + d;
    if (horizontal_) {
        tagOffset_ = fw::Point{-depth + (depth - tw) / 2, (w - th) / 2};
    } else {
        tagOffset_ = fw::Point{(w - tw) / 2, -depth + (depth - th) / 2};
    }
    Redraw();
}

double TfrmWeavingImage::FrontShare() const
{
    const int room = horizontal_ ? pnlImages->ClientHeight() : pnlImages->ClientWidth();
    const int front = horizontal_ ? pnlImage->Height() : pnlImage->Width();
    return room > 0 ? static_cast<double>(front) / room : 0.5;
}

void TfrmWeavingImage::LayoutReversePanel(std::optional<double> frontShare)
{
    if (!showReverse_) {
        pnlImage->SetAlign(fw::Align::Client);
        return;
    }
    const fw::Align side = horizontal_ ? fw::Align::Top : fw::Align::Left;
    pnlImage->SetAlign(side);
    spltImages->SetAlign(side);
    pnlImages->Realign();
    if (frontShare) {
        if (horizontal_) {
            pnlImage->SetHeight(static_cast<int>(*frontShare * pnlImages->ClientHeight()));
        } else {
            pnlImage->SetWidth(static_cast<int>(*frontShare * pnlImages->ClientWidth()));
        }
    }
    // A front panel that leaves the reverse no room (it filled the area until now, or the
    // area shrank) is given half of it.
    if (horizontal_) {
        if (spltImages->Top() + spltImages->Height() >= pnlImages->ClientHeight() - FarEdgeSlack) {
            pnlImage->SetHeight(pnlImages->ClientHeight() / 2);
        }
    } else if (spltImages->Left() + spltImages->Width() >= pnlImages->ClientWidth() - FarEdgeSlack) {
        pnlImage->SetWidth(pnlImages->ClientWidth() / 2);
    }
}

void TfrmWeavingImage::Resize()
{
    fw::Frame::Resize();
    if (showReverse_) {
        LayoutReversePanel();
    }
}

// --- Options -----------------------------------------------------------------------------------

void TfrmWeavingImage::Report(std::int32_t actionId, bool enabled, bool down) const
{
    if (!silent_) {
        model_hooks::Notify(actionId, enabled, enabled, down);
    }
}

void TfrmWeavingImage::SetButtonDown(fw::SpeedButton* button, bool down)
{
    button->SetDown(down);
}

void TfrmWeavingImage::SetShowGrid(bool show)
{
    if (show == showGrid_) {
        return;
    }
    showGrid_ = show;
    SetButtonDown(btnGrid, show);
    Redraw();
    Report(TWAction::ShowGrid, true, show);
}

void TfrmWeavingImage::SetGridHighlights(bool show)
{
    if (show == gridHighlights_) {
        return;
    }
    gridHighlights_ = show;
    if (showGrid_) {
        Redraw();
    }
    Report(TWAction::ShowGridHighlights, true, show);
}

void TfrmWeavingImage::SetMarkDirChanges(bool mark)
{
    if (mark == markDirChanges_) {
        return;
    }
    markDirChanges_ = mark;
    SetButtonDown(btnMarkDirChanges, mark);
    Redraw();
    Report(TWAction::ShowDirectionChanges, true, mark);
}

void TfrmWeavingImage::SetShowColours(bool show)
{
    if (show == showColours_) {
        return;
    }
    showColours_ = show;
    SetButtonDown(btnNoColours, show);
    Redraw();
    Report(TWAction::ShowColours, true, show);
}

void TfrmWeavingImage::SetMarkTwists(bool mark)
{
    if (mark == markTwists_) {
        return;
    }
    markTwists_ = mark;
    SetButtonDown(btnMarkTwists, mark);
    Redraw();
    Report(TWAction::ShowCardTwists, true, mark);
}

void TfrmWeavingImage::SetShowReverse(bool show)
{
    if (show == showReverse_) {
        return;
    }
    if (show && onReverseShowing_) {
        onReverseShowing_();
    }
    showReverse_ = show;
    SetButtonDown(btnShowReverse, show);
    pnlImageReverse->SetVisible(show);
    spltImages->SetVisible(show);
    LayoutReversePanel();
    if (show) {
        Redraw();
    }
    Report(TWAction::ShowReverse, true, show);
}

void TfrmWeavingImage::SetMarkLongFloats(bool mark)
{
    if (mark == markLongFloats_) {
        return;
    }
    markLongFloats_ = mark;
    SetButtonDown(btnMarkLongFloats, mark);
    Redraw();
    Report(TWAction::ShowLongFloats, true, mark);
}

void TfrmWeavingImage::SetMarkIdle(bool mark)
{
    if (mark == markIdle_) {
        return;
    }
    markIdle_ = mark;
    SetButtonDown(btnMarkIdle, mark);
    Redraw();
    Report(TWAction::ShowIdlingCards, true, mark);
}

void TfrmWeavingImage::SetShowPickTags(bool show)
{
    if (show == showPickTags_) {
        return;
    }
    showPickTags_ = show;
    Redraw();
    Report(TWAction::ShowGridTags, true, show);
}

void TfrmWeavingImage::SetShowCardThreading(bool show)
{
    if (show == showCardThreading_) {
        return;
    }
    showCardThreading_ = show;
    Redraw();
    Report(TWAction::ShowCardThreading, true, show);
}

void TfrmWeavingImage::SetShowTwining(bool show)
{
    if (show == showTwining_) {
        return;
    }
    showTwining_ = show;
    SetButtonDown(btnShowThreading, show);
    // The twining lines and the direction lines would share the diagonal.
    if (show && tagType_ == TTWTagType::Turn && UserSettings().WeavingImage.ShowTurnDir == 1) {
        SetTagType(TTWTagType::None);
    }
    Redraw();
    Report(TWAction::ShowTwining, !realImage_, show);
}

void TfrmWeavingImage::SetTagType(TTWTagType tagType)
{
    if (tagType == tagType_) {
        return;
    }
    tagType_ = tagType;
    SetButtonDown(btnShowTags, tagType == TTWTagType::Hole);
    SetButtonDown(btnTagsShowDir, tagType == TTWTagType::Turn);
    if (tagType == TTWTagType::Turn && UserSettings().WeavingImage.ShowTurnDir == 1) {
        SetShowTwining(false);
    }
    Redraw();
    Report(TWAction::ShowUppermostHole, true, tagType == TTWTagType::Hole);
    Report(TWAction::ShowTurningDirection, true, tagType == TTWTagType::Turn);
}

void TfrmWeavingImage::SetImageType(TTWImageType imageType)
{
    const bool real = imageType != TTWImageType::Block;
    if (real == realImage_) {
        return;
    }
    realImage_ = real;
    btnShowThreading->SetEnabled(!real);
    SetButtonDown(btnToggleImageType, !real);
    // The tag letters sit in the middle of the cell's shape, which is deeper in the real
    // image: their offsets change with the kind.
    RecalcSizes();
    Report(TWAction::BlockPattern, true, !real);
    Report(TWAction::ShowTwining, !real, showTwining_);
}

void TfrmWeavingImage::SetOrientation(TTWOrientation orientation)
{
    const bool horizontal = orientation == TTWOrientation::Horizontal;
    if (horizontal == horizontal_) {
        return;
    }
    // Beside each other or one above the other, the front keeps its share of the room.
    const double frontShare = FrontShare();
    horizontal_ = horizontal;
    imgOrientVertical->SetVisible(!horizontal);
    imgVertical->SetVisible(!horizontal);
    imgOrientHorizontal->SetVisible(horizontal);
    imgHorizontal->SetVisible(horizontal);
    LayoutReversePanel(frontShare);
    RecalcSizes();
}

void TfrmWeavingImage::SetZoom(std::int32_t zoom)
{
    if (zoom < MinZoom || zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    RecalcSizes();
}

TTWColour TfrmWeavingImage::GetGridColour() const
{
    return pnlGridColour->Color();
}

void TfrmWeavingImage::SetGridColour(TTWColour colour)
{
    if (colour == GetGridColour()) {
        return;
    }
    pnlGridColour->SetColor(colour);
    Redraw();
}

void TfrmWeavingImage::StoreCellRatios(double width, double height, double slant)
{
    widthRatio_ = width;
    heightRatio_ = height;
    slantRatio_ = slant;
    sizesStale_ = true;
}

void TfrmWeavingImage::SetCellRatios(double width, double height, double slant)
{
    StoreCellRatios(width, height, slant);
    RecalcSizes();
}

// --- The mouse ----------------------------------------------------------------------------------

const TTWWeavingCell* TfrmWeavingImage::CellUnderMouse() const
{
    return hoverFront_ && weaving_ != nullptr ? weaving_->Cell(hoverFront_->Column - 1, hoverFront_->Pick - 1)
                                              : nullptr;
}

const TTWWeavingCell* TfrmWeavingImage::ReverseCellUnderMouse() const
{
    return hoverReverse_ && reverseWeaving_ != nullptr
               ? reverseWeaving_->Cell(hoverReverse_->Column - 1, hoverReverse_->Pick - 1)
               : nullptr;
}

void TfrmWeavingImage::HoverAt(bool reverse, int x, int y)
{
    const TTWWeaving* weaving = reverse ? reverseWeaving_ : weaving_;
    std::optional<TWeavingCellPosition> found;
    if (HasCells(weaving)) {
        found = Geometry(reverse).CellAt(*weaving, x, y);
    }
    std::optional<TWeavingCellPosition>& stored = reverse ? hoverReverse_ : hoverFront_;
    if (found == stored) {
        return;
    }
    stored = found;
    fw::Panel* panel = reverse ? pnlPosReverse : pnlPos;
    if (!found) {
        panel->SetCaption(std::string());
        return;
    }
    // The reverse side is the band seen from behind: its columns count from the other edge.
    const int column = reverse ? weaving->Width() - found->Column + 1 : found->Column;
    panel->SetCaption(std::to_string(column) + " / " + std::to_string(found->Pick));
}

void TfrmWeavingImage::ImageMouseMove(bool reverse, fw::ShiftState shift, int x, int y)
{
    TWeavingImageView* view = reverse ? imgReverse : imgWeaving;
    const fw::Point at = view->ImagePoint(x, y);
    HoverAt(reverse, at.X, at.Y);
    if (onImageMouseMove_) {
        onImageMouseMove_(view, shift, at.X, at.Y);
    }
}
