#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "controls/button_properties.h"
#include "controls/il_brush.h"
#include "controls/position.h"
#include "framework/core/bitmap.h"
#include "framework/gui/control.h"
#include "framework/gui/timer.h"

// What an image button shows: its state decides which of its five pictures is drawn and
// how its frame looks.
enum class TILButtonState : std::uint8_t {
    Inactive = 0, // at rest
    Active = 1,   // the mouse is over it
    Down = 2,     // pressed
    Disabled = 3,
    Repeat = 4, // held past the first repeat delay
};

// Which state's picture a button shows for a state when some pictures are empty:
// active falls back to inactive, inactive to the active choice, down to the active
// choice, disabled to the inactive choice and repeat to the down choice. present(s)
// answers whether the picture of state s is there. None when no candidate is.
std::optional<TILButtonState> ButtonPictureFor(TILButtonState state,
                                               const std::function<bool(TILButtonState)>& present);

// A light-weight (windowless) button that shows one of five pictures by its state, an
// optional wrapped caption and an optional frame. It reacts only where its picture is not
// transparent, can stay down like a toggle (KeepDown) and can repeat while held
// (AllowRepeat): held down, it clicks once after RepeatInitial and then fires
// OnRepeatDown every RepeatInterval, and the release adds no click of its own.
//
// A picture left empty falls back: active to inactive, inactive to active, down and
// disabled to their neighbours and repeat to down, so a button with only one picture
// shows it in every state.
class TILButton : public fw::GraphicControl {
public:
    // 21 x 21, framed, filled with the button face; a windowed owner becomes the parent.
    explicit TILButton(fw::Component* owner = nullptr);
    ~TILButton() override;

    std::string_view className() const override { return "TILButton"; }

    // --- State ------------------------------------------------------------------------
    TILButtonState State() const { return state_; }
    // A disabled button stays Disabled whatever is asked. Leaving Down and Repeat stops the
    // repeat.
    void SetState(TILButtonState state);
    void SetEnabled(bool enabled) override;

    // --- Looks --------------------------------------------------------------------------
    bool Framed() const { return framed_; }
    void SetFramed(bool framed);
    // Framed only while the mouse is over it or it is down.
    bool AutoFrame() const { return autoFrame_; }
    void SetAutoFrame(bool autoFrame);

    TILBrush& Brush() { return brush_; }
    const TILBrush& Brush() const { return brush_; }
    // Copies the brush (TILBrush::Assign).
    void SetBrush(const TILBrush& brush);

    // The caption is the control's Caption, drawn in its Font.
    bool WrapCaption() const { return wrapCaption_; }
    void SetWrapCaption(bool wrap);
    THCanvasTextPosition AlignHorz() const { return alignHorz_; }
    void SetAlignHorz(THCanvasTextPosition align);
    TVCanvasTextPosition AlignVert() const { return alignVert_; }
    void SetAlignVert(TVCanvasTextPosition align);
    int HorzMargin() const { return horzMargin_; }
    void SetHorzMargin(int margin);
    int VertMargin() const { return vertMargin_; }
    void SetVertMargin(int margin);

    // How far the picture moves while the button is down or repeating.
    int ImgShiftDownX() const { return imgShiftDownX_; }
    void SetImgShiftDownX(int shift);
    int ImgShiftDownY() const { return imgShiftDownY_; }
    void SetImgShiftDownY(int shift);

    // The five pictures, owned; an empty bitmap means "none". The setters copy.
    const fw::Bitmap& ImageInactive() const { return imageInactive_; }
    void SetImageInactive(const fw::Bitmap& image);
    const fw::Bitmap& ImageActive() const { return imageActive_; }
    void SetImageActive(const fw::Bitmap& image);
    const fw::Bitmap& ImageDown() const { return imageDown_; }
    void SetImageDown(const fw::Bitmap& image);
    const fw::Bitmap& ImageDisabled() const { return imageDisabled_; }
    void SetImageDisabled(const fw::Bitmap& image);
    const fw::Bitmap& ImageRepeat() const { return imageRepeat_; }
    void SetImageRepeat(const fw::Bitmap& image);

    // The colour left out of the pictures, fw::clNone for none. Where a picture shows it
    // the button does not react, unless ReactTransparent.
    fw::Color Transparent() const { return transparent_; }
    void SetTransparent(fw::Color colour);
    bool ReactTransparent() const { return reactTransparent_; }
    void SetReactTransparent(bool react);
    // A click leaves the button down; the next click brings it up.
    bool KeepDown() const { return keepDown_; }
    void SetKeepDown(bool keepDown);

    // --- Repeat -------------------------------------------------------------------------
    std::uint16_t RepeatInitial() const { return repeatInitial_; }
    void SetRepeatInitial(std::uint16_t ms) { repeatInitial_ = ms; }
    std::uint16_t RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(std::uint16_t ms) { repeatInterval_ = ms; }
    bool AllowRepeat() const { return allowRepeat_; }
    void SetAllowRepeat(bool allow) { allowRepeat_ = allow; }
    // Fired by every repeat after the first (which clicks).
    const fw::NotifyEvent& OnRepeatDown() const { return onRepeatDown_; }
    void SetOnRepeatDown(fw::NotifyEvent handler) { onRepeatDown_ = std::move(handler); }
    // Whether the repeat timer exists and is counting.
    bool Repeating() const;

    // --- Pictures and hits --------------------------------------------------------------
    // The picture for a state after the fall-backs; none when every candidate is empty.
    const fw::Bitmap* ImageForState(TILButtonState state) const;
    // The picture the last paint drew, none before the first paint or when it drew none,
    // and where its top-left corner went.
    const fw::Bitmap* ShownImage() const { return shownImage_; }
    fw::Point ShownImageOrigin() const { return shownOrigin_; }
    // Whether the point (client coordinates) is one the button reacts to: with a shown
    // picture, a transparent colour and no ReactTransparent, only the picture's pixels
    // that are not the transparent colour; otherwise the whole client area.
    bool HitTest(int x, int y) const;

    // --- Input --------------------------------------------------------------------------
    void Dispatch(fw::Message& message) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    // Fires OnClick unless the repeat delivered it already or the mouse is not over a hit.
    void Click() override;
    void CMMouseLeave(fw::Message& message) override;

protected:
    void Paint() override;

private:
    void PressLeft(fw::Message& message);
    void ReleaseLeft(fw::Message& message);
    void StartRepeat();
    void StopRepeat();
    void FreeRepeatTimer();
    void RepeatTick();
    void FireClick();
    void FireRepeatDown();
    fw::Bitmap* PictureFor(TILButtonState state);
    void SetPicture(fw::Bitmap& picture, const fw::Bitmap& image);
    void PaintCaption(fw::Canvas& canvas);

    TILButtonState state_ = TILButtonState::Inactive;
    bool framed_ = true;
    bool autoFrame_ = false;
    TILBrush brush_;
    bool wrapCaption_ = true;
    THCanvasTextPosition alignHorz_ = THCanvasTextPosition::Centre;
    TVCanvasTextPosition alignVert_ = TVCanvasTextPosition::Centre;
    int horzMargin_ = 2;
    int vertMargin_ = 2;
    int imgShiftDownX_ = 1;
    int imgShiftDownY_ = 1;
    fw::Bitmap imageInactive_;
    fw::Bitmap imageActive_;
    fw::Bitmap imageDown_;
    fw::Bitmap imageDisabled_;
    fw::Bitmap imageRepeat_;
    fw::Color transparent_ = fw::clNone;
    bool reactTransparent_ = false;
    bool keepDown_ = false;
    std::unique_ptr<fw::Timer> repeatTimer_;
    // Counts every start and end of the repeat timer, so a tick can tell whether the timer
    // it runs for is still the one in use after it called out.
    std::uint64_t repeatGeneration_ = 0;
    std::uint16_t repeatInitial_ = 500;
    std::uint16_t repeatInterval_ = 200;
    bool allowRepeat_ = false;
    bool firstTick_ = false;
    const fw::Bitmap* shownImage_ = nullptr;
    fw::Point shownOrigin_;
    TILButtonState stateBeforePress_ = TILButtonState::Inactive;
    fw::Point lastMouse_{-1, -1};
    fw::NotifyEvent onRepeatDown_;
};
