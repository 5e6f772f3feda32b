#pragma once

#include <string_view>
#include <vector>

#include "framework/core/canvas.h"

namespace fw {

// The caption bars our own code draws for windows that live inside another window: an MDI
// child's frame and a docked form's grabber. Top-level windows get their frames from the
// window system; these do not, so they draw a caption bar with buttons inside their own
// client area and keep their aligned children off it.

// The thickness of an MDI child's raised frame and the height of its caption bar.
inline constexpr int MdiFrameWidth = 3;
inline constexpr int MdiCaptionHeight = 18;
// The size of an MDI child's caption buttons.
inline constexpr Size MdiCaptionButtonSize{16, 14};
// A minimised MDI child: a caption bar this wide with its frame, at the bottom of the client
// area.
inline constexpr int MinimizedMdiWidth = 160;
inline constexpr int MinimizedMdiHeight = MdiCaptionHeight + 2 * MdiFrameWidth;
// A docked form's grabber: a thin caption bar with a close button.
inline constexpr int DockGrabberHeight = 15;
inline constexpr Size DockCaptionButtonSize{12, 11};

enum class CaptionButton { None, Minimize, Maximize, Restore, Close };

struct CaptionButtonPlace {
    CaptionButton Kind = CaptionButton::None;
    Rect Bounds;
};

// Where the parts of one caption bar lie.
struct CaptionBarLayout {
    Rect Bar;
    // The room for the caption text: the bar left of the buttons.
    Rect TextArea;
    // Left to right, as given.
    std::vector<CaptionButtonPlace> Buttons;
};

// The buttons sit at the right end of the bar, left to right in the order given, 2 pixels
// apart and 2 pixels from the bar's right end, centred vertically.
CaptionBarLayout LayoutCaptionBar(const Rect& bar, const std::vector<CaptionButton>& buttons, Size buttonSize);
// The button at the point; None between and beside them.
CaptionButton CaptionButtonAt(const CaptionBarLayout& layout, Point point);

// The bar: a left-to-right gradient in the active (or inactive) caption colours, the caption
// in the font (bold when `bold`) in the caption text colour, cut at the buttons and
// centred vertically, then the buttons; `pressed` shows pushed in. Text needs the canvas's
// backend: without one the caption is left out.
void PaintCaptionBar(Canvas& canvas, const CaptionBarLayout& layout, std::string_view caption, const Font& font,
                     bool active, bool bold, CaptionButton pressed);
// One caption button: a raised (pushed: sunken) face with its glyph in the button text
// colour.
void PaintCaptionButton(Canvas& canvas, const Rect& bounds, CaptionButton kind, bool pressed);

} // namespace fw
