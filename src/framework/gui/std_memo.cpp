#include "framework/gui/std_memo.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/encoding.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/clipboard.h"

namespace fw {

namespace {

constexpr int WheelRowsPerNotch = 3;
constexpr int WheelDeltaPerNotch = 120;

const std::string CrLf = "\r\n";

// Every line break (CR LF, a lone LF or a lone CR) as CR LF.
std::string WithCrLfBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += CrLf;
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            result += CrLf;
        } else {
            result += c;
        }
    }
    return result;
}

// The lines joined by CR LF, without a break after the last.
std::string JoinLines(const StringList& lines)
{
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) {
            text += CrLf;
        }
        text += lines.Strings(i);
    }
    return text;
}

} // namespace

// --- MemoLines --------------------------------------------------------------------------------

int MemoLines::Count() const
{
    return memo_->LineCount();
}

std::string MemoLines::Strings(int index) const
{
    return memo_->LineText(index);
}

void MemoLines::SetStrings(int index, std::string value)
{
    StringList lines;
    AssignTo(lines);
    lines.SetStrings(index, std::move(value));
    WriteBack(lines);
}

int MemoLines::Add(std::string value)
{
    StringList lines;
    AssignTo(lines);
    const int index = lines.Add(std::move(value));
    WriteBack(lines);
    return index;
}

void MemoLines::Insert(int index, std::string value)
{
    StringList lines;
    AssignTo(lines);
    lines.Insert(index, std::move(value));
    WriteBack(lines);
}

void MemoLines::Delete(int index)
{
    StringList lines;
    AssignTo(lines);
    lines.Delete(index);
    WriteBack(lines);
}

void MemoLines::Clear()
{
    memo_->Clear();
}

std::string MemoLines::Text() const
{
    return memo_->Text();
}

void MemoLines::SetText(std::string_view text)
{
    memo_->SetText(std::string(text));
}

void MemoLines::Assign(const StringList& lines)
{
    WriteBack(lines);
}

void MemoLines::AssignTo(StringList& lines) const
{
    lines.SetText(memo_->Text());
}

void MemoLines::WriteBack(const StringList& lines)
{
    memo_->SetText(JoinLines(lines));
}

// --- Memo: text ----------------------------------------------------------------------------------

Memo::Memo(Component* owner) : CustomEdit(owner)
{
    SetBounds(0, 0, 185, 89);
}

Memo::~Memo() = default;

void Memo::SetText(const std::string& text)
{
    const std::string normalised = WithCrLfBreaks(text);
    if (normalised == Text()) {
        return;
    }
    anchor_ = 0;
    caret_ = 0;
    caretAtRowEnd_ = false;
    goalX_ = -1;
    topRow_ = 0;
    scrollX_ = 0;
    chars_ = DecodeCharacters(normalised);
    layoutValid_ = false;
    CustomEdit::SetText(normalised);
    Invalidate();
    Change();
}

int Memo::LineCount() const
{
    StringList lines;
    lines.SetText(Text());
    return lines.Count();
}

std::string Memo::LineText(int index) const
{
    StringList lines;
    lines.SetText(Text());
    return lines.Strings(index);
}

bool Memo::ReplaceRange(int from, int to, std::string_view text, bool byUser)
{
    const std::vector<char32_t> inserted = DecodeCharacters(text);
    std::vector<char32_t> replaced(chars_.begin(), chars_.begin() + from);
    replaced.insert(replaced.end(), inserted.begin(), inserted.end());
    replaced.insert(replaced.end(), chars_.begin() + to, chars_.end());
    caret_ = from + static_cast<int>(inserted.size());
    anchor_ = caret_;
    CaretPlaced();
    const bool changed = replaced != chars_;
    if (changed) {
        chars_ = std::move(replaced);
        layoutValid_ = false;
        CustomEdit::SetText(EncodeCharacters(chars_, 0, TextLength()));
    }
    return TextReplaced(changed, byUser);
}

std::string Memo::UserText(std::string_view text) const
{
    return WithCrLfBreaks(text);
}

// --- Looks -------------------------------------------------------------------------------------

void Memo::SetWordWrap(bool wrap)
{
    if (wrap != wordWrap_) {
        wordWrap_ = wrap;
        scrollX_ = 0;
        layoutValid_ = false;
        ScrollCaretIntoView();
        Invalidate();
    }
}

void Memo::SetScrollBars(ScrollStyle bars)
{
    if (bars != scrollBars_) {
        scrollBars_ = bars;
        layoutValid_ = false;
        ScrollCaretIntoView();
        Invalidate();
    }
}

// --- Selection and caret -------------------------------------------------------------------------

int Memo::NormalisedPosition(int position, bool forwards) const
{
    const int limited = std::clamp(position, 0, TextLength());
    if (limited > 0 && limited < TextLength() && chars_[static_cast<std::size_t>(limited) - 1] == U'\r'
        && chars_[static_cast<std::size_t>(limited)] == U'\n') {
        return forwards ? limited + 1 : limited - 1;
    }
    return limited;
}

void Memo::SetSelStart(int start)
{
    MoveCaret(NormalisedPosition(start, false), false);
}

std::string Memo::SelText() const
{
    return EncodeCharacters(chars_, SelStart(), SelStart() + SelLength());
}

void Memo::SetSelText(const std::string& text)
{
    ReplaceRange(SelStart(), SelStart() + SelLength(), WithCrLfBreaks(text), false);
}

void Memo::CaretPlaced()
{
    caretAtRowEnd_ = false;
    goalX_ = -1;
}

void Memo::MoveCaret(int position, bool keepAnchor, bool atRowEnd, bool keepGoalX)
{
    const bool forwards = position > caret_;
    caret_ = NormalisedPosition(position, forwards);
    if (!keepAnchor) {
        anchor_ = caret_;
    }
    caretAtRowEnd_ = atRowEnd;
    if (!keepGoalX) {
        goalX_ = -1;
    }
    ScrollCaretIntoView();
    Invalidate();
}

// --- Keys ----------------------------------------------------------------------------------------------

void Memo::MoveCaretByRows(int rows, bool keepAnchor)
{
    EnsureLayout();
    const int current = CaretRow();
    if (goalX_ < 0) {
        goalX_ = XOffset(rows_[static_cast<std::size_t>(current)].Start, caret_);
    }
    const int target = std::clamp(current + rows, 0, static_cast<int>(rows_.size()) - 1);
    bool atRowEnd = false;
    const int position = PositionInRow(rows_[static_cast<std::size_t>(target)], goalX_, atRowEnd);
    MoveCaret(position, keepAnchor, atRowEnd, true);
}

void Memo::ForwardDialogKey(int key, ShiftState shift)
{
    WinControl* root = this;
    while (root->Parent() != nullptr) {
        root = root->Parent();
    }
    root->Perform(CM_DIALOGKEY, key, static_cast<std::intptr_t>(shift.Bits()));
}

void Memo::MovementKeyDown(int& key, ShiftState shift)
{
    const bool extend = shift.Contains(ShiftFlag::Shift);
    const bool ctrl = shift.Contains(ShiftFlag::Ctrl);
    switch (key) {
    case VK_LEFT:
        if (SelLength() > 0 && !extend && !ctrl) {
            MoveCaret(SelStart(), false);
        } else {
            MoveCaret(ctrl ? WordStartBefore(chars_, caret_) : caret_ - 1, extend);
        }
        break;
    case VK_RIGHT:
        if (SelLength() > 0 && !extend && !ctrl) {
            MoveCaret(SelStart() + SelLength(), false);
        } else {
            MoveCaret(ctrl ? WordEndAfter(chars_, caret_) : caret_ + 1, extend);
        }
        break;
    case VK_UP: MoveCaretByRows(-1, extend); break;
    case VK_DOWN: MoveCaretByRows(1, extend); break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int page = key == VK_PRIOR ? -VisibleRowCount() : VisibleRowCount();
        // The view moves by the page too, so that the caret keeps its place on screen.
        ScrollRows(page);
        MoveCaretByRows(page, extend);
        break;
    }
    case VK_HOME:
        if (ctrl) {
            MoveCaret(0, extend);
        } else {
            MoveCaret(RowAt(CaretRow()).Start, extend);
        }
        break;
    case VK_END:
        if (ctrl) {
            MoveCaret(TextLength(), extend);
        } else {
            const Row& row = RowAt(CaretRow());
            MoveCaret(row.End, extend, row.Wrapped);
        }
        break;
    case VK_ESCAPE:
        // The memo hears Esc only because it keeps Enter; the form's cancel button still
        // answers it.
        if (wantReturns_) {
            ForwardDialogKey(key, shift);
        }
        break;
    case VK_TAB:
        if (wantTabs_ && ctrl) {
            ForwardDialogKey(key, shift);
        }
        break;
    default: break;
    }
}

void Memo::ControlCharacterPressed(char32_t key)
{
    if (key == ReturnChar && wantReturns_) {
        TypeText(CrLf);
    } else if (key == TabChar && wantTabs_) {
        TypeText("\t");
    }
}

// --- Mouse -----------------------------------------------------------------------------------------------

bool Memo::DoMouseWheel(ShiftState shift, int wheelDelta, Point mousePos)
{
    WeakRef<Memo> self(this);
    if (CustomEdit::DoMouseWheel(shift, wheelDelta, mousePos) || !self) {
        return true;
    }
    // Away from the user (a positive delta) shows the rows above.
    ScrollRows(-wheelDelta * WheelRowsPerNotch / WheelDeltaPerNotch);
    return true;
}

void Memo::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<Memo> self(this);
    const Point point{x, y};
    EnsureLayout();
    pressOnBar_ = vBar_.Contains(point) || hBar_.Contains(point);
    if (button == MouseButton::Left && pressOnBar_) {
        // The scroll bars scroll; they neither move the caret nor take the focus.
        ScrollBarPressed(vBar_.Contains(point) ? vBar_ : hBar_, point);
        CustomEdit::MouseDown(button, shift, x, y);
        return;
    }
    if (button == MouseButton::Left && CanFocus() && !Focused()) {
        SetFocus();
        if (!self) {
            return;
        }
    }
    // The second press of a double click keeps the word DblClick selected.
    if (button == MouseButton::Left && !shift.Contains(ShiftFlag::Double)) {
        bool atRowEnd = false;
        const int position = PositionAtPoint(point, atRowEnd);
        MoveCaret(position, shift.Contains(ShiftFlag::Shift), atRowEnd);
        selecting_ = true;
    }
    CustomEdit::MouseDown(button, shift, x, y);
}

void Memo::MouseMove(ShiftState shift, int x, int y)
{
    if (draggingBar_ != nullptr && MouseCapture()) {
        SetBarPosition(*draggingBar_, draggingBar_->ThumbDragPosition(Point{x, y}));
    } else if (selecting_ && MouseCapture()) {
        bool atRowEnd = false;
        const int position = PositionAtPoint(Point{x, y}, atRowEnd);
        MoveCaret(position, true, atRowEnd);
    }
    CustomEdit::MouseMove(shift, x, y);
}

void Memo::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        draggingBar_ = nullptr;
    }
    CustomEdit::MouseUp(button, shift, x, y);
}

void Memo::DblClick()
{
    if (!pressOnBar_) {
        SelectRunAroundCaret(chars_);
    }
    selecting_ = false;
    CustomEdit::DblClick();
}

// --- Messages and painting -------------------------------------------------------------------------

void Memo::Dispatch(Message& message)
{
    if (message.Msg == WM_KILLFOCUS || message.Msg == WM_CAPTURECHANGED) {
        draggingBar_ = nullptr;
    }
    CustomEdit::Dispatch(message);
}

int Memo::ExtraWantedKeys() const
{
    return (wantReturns_ ? DLGC_WANTALLKEYS : 0) | (wantTabs_ ? DLGC_WANTTAB : 0);
}

void Memo::DrawRange(fw::Canvas& canvas, const Row& row, int from, int to, int left, int top) const
{
    int segmentStart = from;
    for (int i = from; i <= to; ++i) {
        if (i == to || chars_[static_cast<std::size_t>(i)] == U'\t') {
            if (i > segmentStart) {
                canvas.TextOut(left + XOffset(row.Start, segmentStart), top,
                               EncodeCharacters(chars_, segmentStart, i));
            }
            segmentStart = i + 1;
        }
    }
}

void Memo::Paint()
{
    fw::Canvas& canvas = Canvas();
    const bool focused = Focused();
    PaintEditBackground(canvas, ClientRect(), Color(), BorderStyle(), Enabled(), focused);
    EnsureLayout();
    vBar_.Paint(canvas, Enabled());
    hBar_.Paint(canvas, Enabled());
    if (vBar_.Shown() && hBar_.Shown()) {
        // The square where the two bars meet.
        canvas.Brush() = Brush{clBtnFace};
        canvas.FillRect(Rect{vBar_.Bounds().Left, hBar_.Bounds().Top, vBar_.Bounds().Right, hBar_.Bounds().Bottom});
    }
    if (EffectivePaintBackend() == nullptr) {
        return;
    }

    const Rect area = TextArea();
    const int lineHeight = LineHeight();
    const int left = area.Left - scrollX_;
    const bool showSelection = SelLength() > 0 && (focused || !HideSelection());
    const int selFrom = SelStart();
    const int selTo = SelStart() + SelLength();
    const std::optional<Region> savedClip = canvas.ClipRegion();
    canvas.IntersectClipRect(area);
    const fw::Color textColour = Enabled() ? Font().Color : clGrayText;
    for (int index = topRow_; index < static_cast<int>(rows_.size()); ++index) {
        const int top = area.Top + (index - topRow_) * lineHeight;
        if (top >= area.Bottom) {
            break;
        }
        const Row& row = rows_[static_cast<std::size_t>(index)];
        canvas.Font() = Font();
        canvas.Font().Color = textColour;
        canvas.Brush().Style = BrushStyle::Clear;
        DrawRange(canvas, row, row.Start, row.End, left, top);
        const int from = std::max(selFrom, row.Start);
        const int to = std::min(selTo, row.End);
        if (showSelection && from < to) {
            const int selLeft = left + XOffset(row.Start, from);
            PrepareSelectionPaint(canvas, Rect{selLeft, top, left + XOffset(row.Start, to), top + lineHeight});
            DrawRange(canvas, row, from, to, left, top);
        }
    }
    canvas.SetClipRegion(savedClip);

    const int caretRow = CaretRow();
    if (focused && Enabled() && caretRow >= topRow_ && caretRow < topRow_ + VisibleRowCount()) {
        // The caret may stand on the area's last column, so it is drawn unclipped by the
        // text area but kept inside it.
        const Row& row = rows_[static_cast<std::size_t>(caretRow)];
        const int x = std::min(left + XOffset(row.Start, caret_), area.Right);
        PaintCaret(canvas, x, area.Top + (caretRow - topRow_) * lineHeight, lineHeight);
    }
}

} // namespace fw
