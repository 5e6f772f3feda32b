#pragma once

#include <string>
#include <string_view>

#include "framework/gui/custom_edit.h"

namespace fw {

// A single-line text edit, painted by our own code on its canvas.
//
// Text is UTF-8; every position and length here (SelStart, SelLength, MaxLength) counts
// characters (code points), not bytes. The caret sits at SelStart + SelLength when the
// selection was made forwards and at SelStart when it was made backwards; a selection
// always keeps an anchor (where it began) and the caret (where it ends).
//
// Keys: Left/Right (Ctrl: a word), Home/End, each with Shift extending the selection;
// Delete (Shift: cut), Backspace (through KeyPress, so OnKeyPress may veto it), Ctrl+A
// selects all, Ctrl+C / Ctrl+Insert copy, Ctrl+X cut, Ctrl+V / Shift+Insert paste through
// the clipboard (clipboard.h); printable characters typed replace the selection. OnKeyDown
// and OnKeyPress see every key first and may consume it by setting it to 0. The edit does
// nothing with Enter and Esc: they reach the form as dialog keys (default and cancel
// buttons) unless SetExtraDialogCodes keeps them, and then they arrive in OnKeyDown for the
// owner to act on.
//
// Every change of Text - typed, pasted or set in code - fires OnChange once. ReadOnly keeps
// the user from changing the text (selection and copying still work); MaxLength (0 = no
// limit) cuts typed and pasted text, not text set in code. Long text scrolls horizontally
// so that the caret stays in view.
//
// The mouse: a press places the caret and focuses the edit, Shift+press extends the
// selection, dragging selects, a double click selects a word. Focus arriving through
// CM_ENTER selects everything when AutoSelect is on (unless the mouse brought it).
class Edit : public CustomEdit {
public:
    explicit Edit(Component* owner = nullptr);

    std::string_view className() const override { return "TEdit"; }

    // --- Text --------------------------------------------------------------------------
    // Replaces the whole text: the caret goes to the start, nothing is selected, the view
    // scrolls back and OnChange fires when the text differs.
    void SetText(const std::string& text) override;
    int TextLength() const override;

    // --- Looks -------------------------------------------------------------------------
    // On: the height follows the font (the text height plus the frame and margins) and
    // changes with it. On by default.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

    // --- Selection and caret ---------------------------------------------------------------
    // Puts the caret at that position (limited to the text) with nothing selected.
    void SetSelStart(int start);
    std::string SelText() const override;
    // Replaces the selection with the text (ReadOnly and MaxLength do not apply: the code
    // asks for it) and leaves the caret after it; OnChange when the text changed.
    void SetSelText(const std::string& text);

    // The first visible pixel of the text: how far the view has scrolled to the right.
    int ScrollOffset() const { return scrollX_; }
    // The area the text is drawn in (client coordinates): inside the frame and margins.
    Rect TextArea() const;
    // The character position nearest to an x of the client area (the view's scroll applies).
    int PositionAt(int x);
    // The x of the client area where the caret stands before the character at position.
    int XOfPosition(int position);

    // --- Keys the edit keeps ---------------------------------------------------------------
    // WM_GETDLGCODE bits (DLGC_WANTALLKEYS for Enter and Esc, DLGC_WANTTAB for Tab) added to
    // the edit's own arrows and characters: such keys then reach KeyDown / OnKeyDown instead
    // of the form. None by default.
    int ExtraDialogCodes() const { return extraDialogCodes_; }
    void SetExtraDialogCodes(int codes) { extraDialogCodes_ = codes; }

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void DblClick() override;
    void DoEnter() override;

protected:
    void Paint() override;

    bool ReplaceRange(int from, int to, std::string_view text, bool byUser) override;
    int NormalisedPosition(int position, bool forwards) const override;
    // A single-line edit has no place for more than the first line.
    std::string UserText(std::string_view text) const override;
    void ScrollCaretIntoView() override;
    void FrameChanged() override { AdjustHeight(); }
    void MovementKeyDown(int& key, ShiftState shift) override;
    int ExtraWantedKeys() const override { return extraDialogCodes_; }
    // Pixels at the right edge that the text keeps clear of (a spin edit's buttons).
    virtual int TextRightInset() const { return 0; }

private:
    // Moves the caret; keepAnchor extends the selection from the anchor.
    void MoveCaret(int position, bool keepAnchor);
    // The text's width in the edit's font; 0 without a paint backend.
    int WidthOf(std::string_view text) const;
    void AdjustHeight();
    std::size_t ByteOffset(int position) const;

    bool autoSize_ = true;
    bool autoSelect_ = true;
    int extraDialogCodes_ = 0;

    int scrollX_ = 0;
    // The focus came with a mouse press: AutoSelect leaves the text unselected.
    bool pressFocused_ = false;
};

} // namespace fw
