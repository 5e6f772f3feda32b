#include "framework/gui/std_edit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/encoding.h"
#include "framework/core/paint_backend.h"

namespace fw {

namespace {

// Space between the frame and the text: a little air on the sides, and on top and
// bottom with a frame; a frameless edit sits tight in the cell it covers.
constexpr int FramedPadX = 2;
constexpr int FramedPadY = 3;
constexpr int BarePadX = 1;

// A pasted text keeps only its first line: a single-line edit has no place for the rest.
std::string_view FirstLine(std::string_view text)
{
    const std::size_t end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

} // namespace

Edit::Edit(Component* owner) : CustomEdit(owner)
{
    SetBounds(0, 0, 121, 21);
    AdjustHeight();
}

// --- Text ----------------------------------------------------------------------------------

void Edit::SetText(const std::string& text)
{
    if (text == Text()) {
        return;
    }
    anchor_ = 0;
    caret_ = 0;
    scrollX_ = 0;
    CustomEdit::SetText(text);
    Change();
}

int Edit::TextLength() const
{
    return CodePointCount(Text());
}

std::size_t Edit::ByteOffset(int position) const
{
    return ByteOffsetIn(Text(), position);
}

bool Edit::ReplaceRange(int from, int to, std::string_view text, bool byUser)
{
    const std::string& old = Text();
    const std::size_t fromByte = ByteOffset(from);
    const std::size_t toByte = ByteOffset(to);
    std::string replaced = old.substr(0, fromByte);
    replaced.append(text);
    replaced.append(old, toByte, std::string::npos);
    caret_ = from + CodePointCount(text);
    anchor_ = caret_;
    const bool changed = replaced != old;
    if (changed) {
        CustomEdit::SetText(replaced);
    }
    return TextReplaced(changed, byUser);
}

int Edit::NormalisedPosition(int position, bool) const
{
    return std::clamp(position, 0, TextLength());
}

std::string Edit::UserText(std::string_view text) const
{
    return std::string(FirstLine(text));
}

// --- Looks ---------------------------------------------------------------------------------

void Edit::SetAutoSize(bool autoSize)
{
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        AdjustHeight();
    }
}

Rect Edit::TextArea() const
{
    const bool framed = BorderStyle() == EditBorderStyle::Single;
    const int inset = FrameWidth() + (framed ? FramedPadX : BarePadX);
    return Rect{inset, FrameWidth(), std::max(inset, Width() - inset - TextRightInset()),
                std::max(FrameWidth(), Height() - FrameWidth())};
}

void Edit::AdjustHeight()
{
    PaintBackend* backend = EffectivePaintBackend();
    if (!autoSize_ || backend == nullptr) {
        return;
    }
    const int textHeight = backend->TextExtent(Font(), "X").Height;
    const int padY = BorderStyle() == EditBorderStyle::Single ? FramedPadY : 0;
    SetHeight(textHeight + 2 * (FrameWidth() + padY));
}

// --- Selection and caret -----------------------------------------------------------------------

void Edit::SetSelStart(int start)
{
    MoveCaret(start, false);
}

std::string Edit::SelText() const
{
    const std::size_t from = ByteOffset(SelStart());
    const std::size_t to = ByteOffset(SelStart() + SelLength());
    return Text().substr(from, to - from);
}

void Edit::SetSelText(const std::string& text)
{
    ReplaceRange(SelStart(), SelStart() + SelLength(), text, false);
}

void Edit::MoveCaret(int position, bool keepAnchor)
{
    const int caret = NormalisedPosition(position, true);
    Select(keepAnchor ? anchor_ : caret, caret);
}

// --- Geometry ------------------------------------------------------------------------------------

int Edit::WidthOf(std::string_view text) const
{
    PaintBackend* backend = EffectivePaintBackend();
    return backend == nullptr ? 0 : backend->TextExtent(Font(), text).Width;
}

int Edit::XOfPosition(int position)
{
    return TextArea().Left - scrollX_ + WidthOf(std::string_view(Text()).substr(0, ByteOffset(position)));
}

int Edit::PositionAt(int x)
{
    const std::string& text = Text();
    const int target = x - TextArea().Left + scrollX_;
    int best = 0;
    int bestDistance = std::abs(target);
    int position = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        DecodeUtf8(text, pos);
        ++position;
        const int distance = std::abs(WidthOf(std::string_view(text).substr(0, pos)) - target);
        if (distance < bestDistance) {
            best = position;
            bestDistance = distance;
        }
    }
    return best;
}

void Edit::ScrollCaretIntoView()
{
    if (EffectivePaintBackend() == nullptr) {
        scrollX_ = 0;
        return;
    }
    const std::string& text = Text();
    // The caret is one pixel wide and stands at the left of the character after it, so the
    // last visible caret column is the area's width less one.
    const int visible = std::max(1, TextArea().Width());
    const int caretX = WidthOf(std::string_view(text).substr(0, ByteOffset(caret_)));
    if (caretX < scrollX_) {
        scrollX_ = caretX;
    } else if (caretX > scrollX_ + visible - 1) {
        scrollX_ = caretX - visible + 1;
    }
    // Never more than the text needs: a shortened text comes back into view.
    const int total = WidthOf(text);
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, total - visible + 1));
}

// --- Keys ------------------------------------------------------------------------------------------

void Edit::MovementKeyDown(int& key, ShiftState shift)
{
    const bool extend = shift.Contains(ShiftFlag::Shift);
    const bool ctrl = shift.Contains(ShiftFlag::Ctrl);
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        if (SelLength() > 0 && !extend && !ctrl) {
            MoveCaret(SelStart(), false);
        } else {
            MoveCaret(ctrl ? WordStartBefore(DecodeCharacters(Text()), caret_) : caret_ - 1, extend);
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (SelLength() > 0 && !extend && !ctrl) {
            MoveCaret(SelStart() + SelLength(), false);
        } else {
            MoveCaret(ctrl ? WordEndAfter(DecodeCharacters(Text()), caret_) : caret_ + 1, extend);
        }
        break;
    case VK_HOME: MoveCaret(0, extend); break;
    case VK_END: MoveCaret(TextLength(), extend); break;
    default: break;
    }
}

// --- Mouse -------------------------------------------------------------------------------------------

void Edit::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<Edit> self(this);
    if (button == MouseButton::Left && CanFocus() && !Focused()) {
        pressFocused_ = true;
        SetFocus();
        if (!self) {
            return;
        }
        pressFocused_ = false;
    }
    // The second press of a double click keeps the word DblClick selected.
    if (button == MouseButton::Left && !shift.Contains(ShiftFlag::Double)) {
        MoveCaret(PositionAt(x), shift.Contains(ShiftFlag::Shift));
        selecting_ = true;
    }
    CustomEdit::MouseDown(button, shift, x, y);
}

void Edit::MouseMove(ShiftState shift, int x, int y)
{
    if (selecting_ && MouseCapture()) {
        MoveCaret(PositionAt(x), true);
    }
    CustomEdit::MouseMove(shift, x, y);
}

void Edit::DblClick()
{
    SelectRunAroundCaret(DecodeCharacters(Text()));
    selecting_ = false;
    CustomEdit::DblClick();
}

void Edit::DoEnter()
{
    if (autoSelect_ && !pressFocused_) {
        SelectAll();
    }
    CustomEdit::DoEnter();
}

// --- Messages and painting -------------------------------------------------------------------------

void Edit::Paint()
{
    fw::Canvas& canvas = Canvas();
    const bool focused = Focused();
    PaintEditBackground(canvas, ClientRect(), Color(), BorderStyle(), Enabled(), focused);
    if (EffectivePaintBackend() == nullptr) {
        return;
    }

    const Rect area = TextArea();
    const std::optional<Region> savedClip = canvas.ClipRegion();
    canvas.IntersectClipRect(area);
    canvas.Font() = Font();
    if (!Enabled()) {
        canvas.Font().Color = clGrayText;
    }
    const int textHeight = canvas.TextHeight("X");
    const int textTop = (Height() - textHeight) / 2;
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.TextOut(area.Left - scrollX_, textTop, Text());

    if (SelLength() > 0 && (focused || !HideSelection())) {
        const int left = XOfPosition(SelStart());
        const int right = XOfPosition(SelStart() + SelLength());
        PrepareSelectionPaint(canvas, Rect{left, textTop, right, textTop + textHeight});
        canvas.TextOut(left, textTop, SelText());
    }
    canvas.SetClipRegion(savedClip);

    if (focused && Enabled()) {
        // The caret may stand on the area's last column, so it is drawn unclipped by the
        // text area but kept inside the frame.
        PaintCaret(canvas, std::min(XOfPosition(caret_), area.Right), textTop, textHeight);
    }
}

} // namespace fw
