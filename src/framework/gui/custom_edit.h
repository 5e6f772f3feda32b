#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/text_editing.h"

namespace fw {

// What the single-line edit and the memo have in common, as the platform's TCustomEdit: the
// selection as an anchor (where it began) and a caret (where it ends), both character
// positions; ReadOnly, MaxLength, Modified, HideSelection and the frame; OnChange; the
// clipboard commands; the editing keys both answer alike (Delete, Backspace, Ctrl+A/C/X/V,
// Ctrl+Insert, Shift+Insert, printable characters); and the caret's and the selection's
// painting. The text's storage, its layout and the caret's movement are each control's own.
//
// Every change of the text fires OnChange once, after Modified has been set for the user's
// changes, and as the last thing done: the handler may free the control.
class CustomEdit : public CustomControl {
public:
    // Opaque, a tab stop, in the window colour, with the I-beam cursor.
    explicit CustomEdit(Component* owner = nullptr);

    std::string_view className() const override { return "TCustomEdit"; }

    // --- Text --------------------------------------------------------------------------------
    void Clear() { SetText(std::string()); }
    // The number of characters.
    virtual int TextLength() const = 0;

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength); // negative counts as 0
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Set by every change the user makes, never by text set in code; the owner clears it.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // --- Looks -------------------------------------------------------------------------------
    // None draws only the background and the text (editors placed over grid cells).
    EditBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(EditBorderStyle style);
    // Off: the selection is drawn only while the control has the focus. On by default.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);

    // --- Selection and caret -----------------------------------------------------------------
    int SelStart() const;
    int SelLength() const;
    // Selects length characters from SelStart (limited to the text; negative selects
    // backwards from SelStart).
    void SetSelLength(int length);
    virtual std::string SelText() const = 0;
    void SelectAll();
    void ClearSelection(); // deletes the selected text
    // The caret's character position.
    int CaretPosition() const { return caret_; }

    void CopyToClipboard() const;
    void CutToClipboard();
    void PasteFromClipboard();

    // --- Events ------------------------------------------------------------------------------
    const NotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }

    void KeyDown(int& key, ShiftState shift) override;
    void KeyPress(char32_t& key) override;
    // A left release ends the selecting.
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void Dispatch(Message& message) override;

protected:
    // Fires OnChange.
    virtual void Change();

    // --- What each control does its own way --------------------------------------------------
    // Replaces [from, to) with the text (already in the control's form), places the caret
    // after it with nothing selected and ends with TextReplaced; answers whether anything
    // changed.
    virtual bool ReplaceRange(int from, int to, std::string_view text, bool byUser) = 0;
    // A position limited to the text and moved off any place the caret may not stand (the memo's
    // middle of a line break): forwards past it, or back before it.
    virtual int NormalisedPosition(int position, bool forwards) const = 0;
    // Typed or pasted text in the control's form (the edit keeps the first line only).
    virtual std::string UserText(std::string_view text) const = 0;
    virtual void ScrollCaretIntoView() = 0;
    // The caret was placed anew (moved, selected, or after a change of the text).
    virtual void CaretPlaced() {}
    // The frame or the font changed: the text area changed with them.
    virtual void FrameChanged() {}
    // The keys beyond the shared editing keys (arrows, Home, End...), after OnKeyDown has let
    // them through.
    virtual void MovementKeyDown(int& key, ShiftState shift) = 0;
    // A character beyond the shared editing characters that types nothing by itself (Enter,
    // Tab, Esc...), after OnKeyPress has let it through.
    virtual void ControlCharacterPressed(char32_t key) { static_cast<void>(key); }
    // WM_GETDLGCODE bits the control wants beyond arrows and characters.
    virtual int ExtraWantedKeys() const { return 0; }

    // --- Shared by both ----------------------------------------------------------------------
    // The end of every ReplaceRange: keeps the caret in view and repaints; when the text
    // changed, marks Modified for the user's changes and fires OnChange, last, since the
    // handler may free the control. Answers changed.
    bool TextReplaced(bool changed, bool byUser);
    // Sets the selection (positions already valid), keeps the caret in view and repaints.
    void Select(int anchor, int caret);
    // A user's edit: replaces the selection with the text; ReadOnly and MaxLength apply.
    void TypeText(std::string_view text);
    // Backspace and Delete: the selection, else the character before or after the caret.
    void DeleteBackward();
    void DeleteForward();
    // Selects the word, blanks or character around the caret (a double click).
    void SelectRunAroundCaret(const std::vector<char32_t>& characters);
    // The width of the frame: one pixel with a Single border.
    int FrameWidth() const;
    // Paints the highlight over the selected part of a row and leaves the canvas set for its
    // text: no brush under it, the highlight text colour.
    static void PrepareSelectionPaint(fw::Canvas& canvas, const Rect& highlight);
    // The one-pixel caret, in the font colour.
    void PaintCaret(fw::Canvas& canvas, int x, int top, int height) const;

    int anchor_ = 0;
    int caret_ = 0;
    // A left press is selecting text while the mouse is held.
    bool selecting_ = false;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool modified_ = false;
    bool hideSelection_ = true;
    EditBorderStyle borderStyle_ = EditBorderStyle::Single;
    NotifyEvent onChange_;
};

} // namespace fw
