#pragma once

#include "framework/gui/control.h"

// The pair of arrow buttons that scrolls a page control's tab strip when its tabs do not
// fit: side by side for a top or bottom strip, one above the other for a left or right
// strip. A press on a button fires its event at once. The button that points the way the
// tabs are laid out brings later tabs in (next), the other earlier ones (previous); an
// arrow that cannot move any further is greyed but still fires.
class TILTabScrollArrows : public fw::CustomControl {
public:
    enum class Button { None, Previous, Next };

    explicit TILTabScrollArrows(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILTabScrollArrows"; }

    // Vertical: the buttons one above the other, pointing up and down.
    bool Vertical() const { return vertical_; }
    void SetVertical(bool vertical);
    // Whether the next button is the right (lower) one, for tabs laid out from the left
    // (top), or the left (upper) one, for tabs laid out from the other end.
    bool NextForward() const { return nextForward_; }
    void SetNextForward(bool forward);
    void SetCanScroll(bool previous, bool next);
    bool CanPrevious() const { return canPrevious_; }
    bool CanNext() const { return canNext_; }

    // The button under a point of the client area.
    Button ButtonAt(fw::Point point) const;
    // The client rectangles of the two buttons: the left (upper) one first.
    fw::Rect FirstButtonRect() const;
    fw::Rect SecondButtonRect() const;

    const fw::NotifyEvent& OnPrevious() const { return onPrevious_; }
    void SetOnPrevious(fw::NotifyEvent handler) { onPrevious_ = std::move(handler); }
    const fw::NotifyEvent& OnNext() const { return onNext_; }
    void SetOnNext(fw::NotifyEvent handler) { onNext_ = std::move(handler); }

    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    void PaintButton(const fw::Rect& rect, bool pointsForward, bool pressed, bool active);

    bool vertical_ = false;
    bool nextForward_ = true;
    bool canPrevious_ = true;
    bool canNext_ = true;
    Button pressed_ = Button::None;
    fw::NotifyEvent onPrevious_;
    fw::NotifyEvent onNext_;
};
