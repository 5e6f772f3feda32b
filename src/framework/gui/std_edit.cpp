#include "framework/gui/std_edit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/encoding.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/clipboard.h"

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

Edit::Edit(Component* owner) : CustomControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::Opaque));
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
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
    CustomControl::SetText(text);
    Change();
}

int Edit::TextLength() const
{
    return CodePointCount(Text());
}

void Edit::SetMaxLength(int maxLength)
{
    maxLength_ = std::max(0, maxLength);
}

void Edit::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
}

std::size_t Edit::ByteOffset(int position) const
{
    return ByteOffsetIn(Text(), position);
}

bool Edit::ReplaceRange(int from, int to, std::string_view text)
{
    const std::string& old = Text();
    const std::size_t fromByte = ByteOffset(from);
    const std::size_t toByte = ByteOffset(to);
    std::string replaced = old.substr(0, fromByte);
    replaced.append(text);
    replaced.append(old, toByte, std::string::npos);
    caret_ = from + CodePointCount(text);
    anchor_ = caret_;
    if (replaced == old) {
        ScrollCaretIntoView();
        Invalidate();
        return false;
    }
    CustomControl::SetText(replaced);
    ScrollCaretIntoView();
    Change();
    return true;
}

void Edit::TypeText(std::string_view text)
{
    if (readOnly_) {
        return;
    }
    std::string_view accepted = text;
    if (maxLength_ > 0) {
        const int room = maxLength_ - (TextLength() - SelLength());
        const std::size_t keep = ByteOffsetIn(text, std::max(0, room));
        accepted = text.substr(0, keep);
    }
    if (accepted.empty() && SelLength() == 0) {
        return;
    }
    if (ReplaceRange(SelStart(), SelStart() + SelLength(), accepted)) {
        modified_ = true;
    }
}

void Edit::Change()
{
    if (onChange_) {
        onChange_(this);
    }
}

// --- Looks ---------------------------------------------------------------------------------

void Edit::SetBorderStyle(EditBorderStyle style)
{
    if (style != borderStyle_) {
        borderStyle_ = style;
        AdjustHeight();
        ScrollCaretIntoView();
        Invalidate();
    }
}

void Edit::SetAutoSize(bool autoSize)
{
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        AdjustHeight();
    }
}

void Edit::SetHideSelection(bool hide)
{
    if (hide != hideSelection_) {
        hideSelection_ = hide;
        Invalidate();
    }
}

int Edit::FrameWidth() const
{
    return borderStyle_ == EditBorderStyle::Single ? 1 : 0;
}

Rect Edit::TextArea() const
{
    const bool framed = borderStyle_ == EditBorderStyle::Single;
    const int inset = FrameWidth() + (framed ? FramedPadX : BarePadX);
    return Rect{inset, FrameWidth(), std::max(inset, Width() - inset), std::max(FrameWidth(), Height() - FrameWidth())};
}

void Edit::AdjustHeight()
{
    PaintBackend* backend = EffectivePaintBackend();
    if (!autoSize_ || backend == nullptr) {
        return;
    }
    const int textHeight = backend->TextExtent(Font(), "X").Height;
    const int padY = borderStyle_ == EditBorderStyle::Single ? FramedPadY : 0;
    SetHeight(textHeight + 2 * (FrameWidth() + padY));
}

// --- Selection and caret -----------------------------------------------------------------------

int Edit::SelStart() const
{
    return std::min(anchor_, caret_);
}

int Edit::SelLength() const
{
    return std::abs(caret_ - anchor_);
}

void Edit::SetSelStart(int start)
{
    MoveCaret(start, false);
}

void Edit::SetSelLength(int length)
{
    const int start = SelStart();
    anchor_ = start;
    caret_ = std::clamp(start + length, 0, TextLength());
    ScrollCaretIntoView();
    Invalidate();
}

std::string Edit::SelText() const
{
    const std::size_t from = ByteOffset(SelStart());
    const std::size_t to = ByteOffset(SelStart() + SelLength());
    return Text().substr(from, to - from);
}

void Edit::SetSelText(const std::string& text)
{
    ReplaceRange(SelStart(), SelStart() + SelLength(), text);
}

void Edit::SelectAll()
{
    anchor_ = 0;
    caret_ = TextLength();
    ScrollCaretIntoView();
    Invalidate();
}

void Edit::ClearSelection()
{
    if (SelLength() > 0) {
        ReplaceRange(SelStart(), SelStart() + SelLength(), {});
    }
}

void Edit::MoveCaret(int position, bool keepAnchor)
{
    caret_ = std::clamp(position, 0, TextLength());
    if (!keepAnchor) {
        anchor_ = caret_;
    }
    ScrollCaretIntoView();
    Invalidate();
}

void Edit::CopyToClipboard() const
{
    if (SelLength() > 0) {
        GetClipboard().SetAsText(SelText());
    }
}

void Edit::CutToClipboard()
{
    if (readOnly_ || SelLength() == 0) {
        return;
    }
    CopyToClipboard();
    ClearSelection();
    modified_ = true;
}

void Edit::PasteFromClipboard()
{
    const Clipboard& clipboard = GetClipboard();
    if (clipboard.HasText()) {
        TypeText(FirstLine(clipboard.AsText()));
    }
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

void Edit::KeyDown(int& key, ShiftState shift)
{
    WeakRef<Edit> self(this);
    CustomControl::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
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
    case VK_DELETE:
        if (readOnly_) {
            break;
        }
        if (extend) {
            CutToClipboard();
        } else if (SelLength() > 0) {
            ClearSelection();
            modified_ = true;
        } else if (caret_ < TextLength() && ReplaceRange(caret_, caret_ + 1, {})) {
            modified_ = true;
        }
        break;
    case VK_INSERT:
        if (ctrl) {
            CopyToClipboard();
        } else if (extend) {
            PasteFromClipboard();
        }
        break;
    default: break;
    }
}

void Edit::KeyPress(char32_t& key)
{
    WeakRef<Edit> self(this);
    CustomControl::KeyPress(key);
    if (!self || key == 0) {
        return;
    }
    switch (key) {
    case BackspaceChar:
        if (readOnly_) {
            break;
        }
        if (SelLength() > 0) {
            ClearSelection();
            modified_ = true;
        } else if (caret_ > 0 && ReplaceRange(caret_ - 1, caret_, {})) {
            modified_ = true;
        }
        break;
    case CtrlA: SelectAll(); break;
    case CtrlC: CopyToClipboard(); break;
    case CtrlV: PasteFromClipboard(); break;
    case CtrlX: CutToClipboard(); break;
    default:
        // Control characters (Enter, Esc, Tab and the other Ctrl letters) type nothing.
        if (IsPrintableCharacter(key)) {
            std::string typed;
            AppendUtf8(typed, key);
            TypeText(typed);
        }
        break;
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
    CustomControl::MouseDown(button, shift, x, y);
}

void Edit::MouseMove(ShiftState shift, int x, int y)
{
    if (selecting_ && MouseCapture()) {
        MoveCaret(PositionAt(x), true);
    }
    CustomControl::MouseMove(shift, x, y);
}

void Edit::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        selecting_ = false;
    }
    CustomControl::MouseUp(button, shift, x, y);
}

void Edit::DblClick()
{
    if (!Text().empty()) {
        const CharacterRun run = RunAround(DecodeCharacters(Text()), caret_);
        anchor_ = run.Start;
        caret_ = run.End;
        ScrollCaretIntoView();
        Invalidate();
    }
    selecting_ = false;
    CustomControl::DblClick();
}

void Edit::DoEnter()
{
    if (autoSelect_ && !pressFocused_) {
        SelectAll();
    }
    CustomControl::DoEnter();
}

// --- Messages and painting -------------------------------------------------------------------------

void Edit::Dispatch(Message& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | extraDialogCodes_;
        return;
    case WM_SETFOCUS:
        Invalidate();
        break;
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
        selecting_ = false;
        Invalidate();
        break;
    case CM_FONTCHANGED:
        CustomControl::Dispatch(message);
        AdjustHeight();
        ScrollCaretIntoView();
        return;
    case WM_SIZE:
        CustomControl::Dispatch(message);
        ScrollCaretIntoView();
        Invalidate();
        return;
    default: break;
    }
    CustomControl::Dispatch(message);
}

void Edit::Paint()
{
    fw::Canvas& canvas = Canvas();
    const bool focused = Focused();
    PaintEditBackground(canvas, ClientRect(), Color(), borderStyle_, Enabled(), focused);
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

    if (SelLength() > 0 && (focused || !hideSelection_)) {
        const int left = XOfPosition(SelStart());
        const int right = XOfPosition(SelStart() + SelLength());
        canvas.Brush() = Brush{clHighlight};
        canvas.FillRect(Rect{left, textTop, right, textTop + textHeight});
        canvas.Brush().Style = BrushStyle::Clear;
        canvas.Font().Color = clHighlightText;
        canvas.TextOut(left, textTop, SelText());
    }
    canvas.SetClipRegion(savedClip);

    if (focused && Enabled()) {
        // The caret may stand on the area's last column, so it is drawn unclipped by the
        // text area but kept inside the frame.
        const int x = std::min(XOfPosition(caret_), area.Right);
        canvas.Pen() = Pen{Font().Color};
        canvas.MoveTo(x, textTop);
        canvas.LineTo(x, textTop + textHeight);
    }
}

} // namespace fw
