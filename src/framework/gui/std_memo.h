#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/string_list.h"
#include "framework/gui/custom_edit.h"
#include "framework/gui/plain_scroll_bar.h"

namespace fw {

class Memo;

// Which scroll bars a memo shows.
enum class ScrollStyle { None, Horizontal, Vertical, Both };

// The memo's lines as a list: a view on the memo, not a copy, so that changing a line
// changes the memo's text at once (with OnChange). A break at the very end of the text
// starts no further line, as for a string list; every change through the view writes the
// lines back joined by CR LF without a break after the last.
class MemoLines {
public:
    explicit MemoLines(Memo& memo) : memo_(&memo) {}

    int Count() const;
    // Raises "List index out of bounds (<index>)" outside 0..Count()-1.
    std::string Strings(int index) const;
    void SetStrings(int index, std::string value);
    int Add(std::string value);
    // Any index from 0 to Count.
    void Insert(int index, std::string value);
    void Delete(int index);
    void Clear();
    // The memo's whole text (lines separated by CR LF) and its setter.
    std::string Text() const;
    void SetText(std::string_view text);
    void Assign(const StringList& lines);
    // Copies the lines into the list.
    void AssignTo(StringList& lines) const;

private:
    void WriteBack(const StringList& lines);

    Memo* memo_;
};

// A multi-line text edit, painted by our own code on its canvas.
//
// Text is UTF-8 and reads with its lines separated by CR LF; SetText takes LF, CR LF or
// CR breaks alike. Positions and lengths (SelStart, SelLength, MaxLength) count the
// characters (code points) of Text, a line break counting as its two characters CR and LF
// as on the platform; a position never falls between the two: it is moved before the CR.
//
// WordWrap (on by default) breaks lines that do not fit the text area at the last blank
// that fits (a word longer than the area at the last character that fits); the blanks at
// a break stay at the end of the upper row. Without it, long lines scroll horizontally.
// The view keeps the caret in sight; the wheel scrolls it by three rows a notch without
// moving the caret. ScrollBars adds plain scroll bars at the right and bottom edges inside
// the frame; a horizontal bar has nothing to scroll while the memo wraps.
//
// Keys: Left/Right (Ctrl: a word), Up/Down (a row, keeping the column's pixel position),
// Home/End (the row), Ctrl+Home/End (the text), PgUp/PgDn (the visible rows), Shift
// extending the selection with each; Delete (Shift: cut), Backspace (through KeyPress, so
// OnKeyPress may veto it), Ctrl+A/C/X/V and Ctrl+Insert/Shift+Insert through the
// clipboard. WantReturns (on by default) makes Enter insert a line break, and Esc still
// reaches the form (its cancel button); off, Enter goes to the form (its default button).
// WantTabs (off by default) makes Tab insert a tab character instead of moving the focus;
// Ctrl+Tab still reaches the form. Tabs stand at every eighth space.
//
// Every change of Text fires OnChange once; Modified is set by the user's changes only.
// ReadOnly keeps the user from changing the text (selecting and copying still work);
// MaxLength (0 = no limit) cuts typed and pasted text, not text set in code.
//
// The mouse: a press places the caret and focuses the memo, Shift+press extends the
// selection, dragging selects (scrolling when the pointer leaves the text area), a double
// click selects a word; presses on the scroll bars scroll.
class Memo : public CustomEdit {
public:
    explicit Memo(Component* owner = nullptr);
    ~Memo() override;

    std::string_view className() const override { return "TMemo"; }

    // --- Text --------------------------------------------------------------------------
    // Replaces the whole text (breaks become CR LF): the caret goes to the start, nothing
    // is selected, the view scrolls back, and OnChange fires when the text differs.
    void SetText(const std::string& text) override;
    // The number of characters, a line break counting two.
    int TextLength() const override { return static_cast<int>(chars_.size()); }

    MemoLines Lines() { return MemoLines(*this); }
    // The lines as a string list would split the text.
    int LineCount() const;
    std::string LineText(int index) const;

    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool want) { wantTabs_ = want; }

    // --- Looks ---------------------------------------------------------------------------
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    ScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(ScrollStyle bars);

    // --- Selection and caret -------------------------------------------------------------
    // Puts the caret there (limited to the text) with nothing selected.
    void SetSelStart(int start);
    std::string SelText() const override;
    // Replaces the selection (ReadOnly and MaxLength do not apply: the code asks for it)
    // and leaves the caret after it; OnChange when the text changed.
    void SetSelText(const std::string& text);

    // --- Layout and view ---------------------------------------------------------------------
    // The area the text is drawn in (client coordinates): inside the frame, the margins and
    // the scroll bars.
    Rect TextArea() const;
    // The rows the text is laid out in (at least one, for an empty text).
    int RowCount() const;
    // The rows that fit the text area completely (at least one).
    int VisibleRowCount() const;
    // The first row shown, and how far the view has scrolled to the right (pixels).
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int ScrollOffset() const { return scrollX_; }
    // The row a position stands in (at a wrap, the lower row).
    int RowOfPosition(int position) const;
    // The first character position of a row.
    int RowStart(int row) const;
    // Where the caret stands before the character at position, in client coordinates: the
    // top of its row and its x.
    Point PointOfPosition(int position) const;
    // The character position nearest to a point of the client area.
    int PositionAt(Point point) const;
    // The memo's scroll bars (empty rectangles when not shown).
    const PlainScrollBar& VerticalBar() const;
    const PlainScrollBar& HorizontalBar() const;

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void DblClick() override;
    bool DoMouseWheel(ShiftState shift, int wheelDelta, Point mousePos) override;

    void Dispatch(Message& message) override;

protected:
    void Paint() override;

    bool ReplaceRange(int from, int to, std::string_view text, bool byUser) override;
    // Moves a position off the middle of a CR LF: forwards past it, or back before it.
    int NormalisedPosition(int position, bool forwards) const override;
    // Every line break as CR LF.
    std::string UserText(std::string_view text) const override;
    void ScrollCaretIntoView() override;
    void CaretPlaced() override;
    void FrameChanged() override { layoutValid_ = false; }
    void MovementKeyDown(int& key, ShiftState shift) override;
    // Enter and Tab when the memo wants them.
    void ControlCharacterPressed(char32_t key) override;
    int ExtraWantedKeys() const override;

private:
    // One row of the layout: the characters [Start, End) shown on it, and where the next
    // row starts (End after a wrap, past the CR LF after a line's end, the text's end for
    // the last row).
    struct Row {
        int Start = 0;
        int End = 0;
        int Next = 0;
        bool Wrapped = false;
    };

    // The layout is a cache of the text, the font, the paint backend and the text area's
    // width; it is rebuilt on first use after any of them changed.
    void EnsureLayout() const;
    void LayoutLine(int start, int end, int wrapWidth) const;
    void UpdateScrollBars() const;
    const Row& RowAt(int row) const;
    int CaretRow() const;

    void MoveCaret(int position, bool keepAnchor, bool atRowEnd = false, bool keepGoalX = false);
    void MoveCaretByRows(int rows, bool keepAnchor);
    void ScrollRows(int rows);
    void SetBarPosition(PlainScrollBar& bar, int position);
    void ScrollBarPressed(PlainScrollBar& bar, Point point);
    int PositionAtPoint(Point point, bool& atRowEnd) const;
    // Sends a key the memo keeps only for its text (Esc, Ctrl+Tab) on to the form.
    void ForwardDialogKey(int key, ShiftState shift);

    // Widths in the memo's font (0 without a paint backend); tabs stop at every eighth
    // space, counted from the row's start.
    int MeasureText(std::string_view text) const;
    int XOffset(int rowStart, int position) const;
    int LineHeight() const;
    Rect InsideFrame() const;
    int PositionInRow(const Row& row, int x, bool& atRowEnd) const;
    void DrawRange(fw::Canvas& canvas, const Row& row, int from, int to, int left, int top) const;

    std::vector<char32_t> chars_;

    mutable std::vector<Row> rows_;
    mutable int widestRow_ = 0;
    mutable bool layoutValid_ = false;
    mutable const PaintBackend* layoutBackend_ = nullptr;
    mutable fw::Font layoutFont_;
    mutable int layoutWidth_ = -1;

    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
    ScrollStyle scrollBars_ = ScrollStyle::None;

    // At a wrap the caret may stand at the end of the upper row (End, Up/Down there) rather
    // than at the start of the lower one, which is the same position.
    bool caretAtRowEnd_ = false;
    // The x Up, Down and the page keys keep while they move from row to row; -1 when none.
    int goalX_ = -1;
    // The view: kept inside the layout's range whenever the layout is rebuilt.
    mutable int topRow_ = 0;
    mutable int scrollX_ = 0;
    mutable PlainScrollBar vBar_{ScrollBarKind::Vertical};
    mutable PlainScrollBar hBar_{ScrollBarKind::Horizontal};
    PlainScrollBar* draggingBar_ = nullptr;
    // The last press went to a scroll bar: its double click selects no word.
    bool pressOnBar_ = false;
};

} // namespace fw
