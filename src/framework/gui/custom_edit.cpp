#include "framework/gui/custom_edit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/encoding.h"
#include "framework/gui/clipboard.h"

namespace fw {

CustomEdit::CustomEdit(Component* owner) : CustomControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::Opaque));
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

// --- Text ----------------------------------------------------------------------------------------

void CustomEdit::SetMaxLength(int maxLength)
{
    maxLength_ = std::max(0, maxLength);
}

void CustomEdit::Change()
{
    if (onChange_) {
        onChange_(this);
    }
}

bool CustomEdit::TextReplaced(bool changed, bool byUser)
{
    ScrollCaretIntoView();
    Invalidate();
    if (!changed) {
        return false;
    }
    if (byUser) {
        modified_ = true;
    }
    Change();
    return true;
}

void CustomEdit::TypeText(std::string_view text)
{
    if (readOnly_) {
        return;
    }
    std::string accepted = UserText(text);
    if (maxLength_ > 0) {
        const int room = std::max(0, maxLength_ - (TextLength() - SelLength()));
        const std::size_t keep = ByteOffsetIn(accepted, room);
        if (keep < accepted.size()) {
            accepted.resize(keep);
            // Never half a line break.
            if (!accepted.empty() && accepted.back() == '\r') {
                accepted.pop_back();
            }
        }
    }
    if (accepted.empty() && SelLength() == 0) {
        return;
    }
    ReplaceRange(SelStart(), SelStart() + SelLength(), accepted, true);
}

void CustomEdit::DeleteBackward()
{
    if (SelLength() > 0) {
        ReplaceRange(SelStart(), SelStart() + SelLength(), {}, true);
    } else if (caret_ > 0) {
        ReplaceRange(NormalisedPosition(caret_ - 1, false), caret_, {}, true);
    }
}

void CustomEdit::DeleteForward()
{
    if (SelLength() > 0) {
        ReplaceRange(SelStart(), SelStart() + SelLength(), {}, true);
    } else if (caret_ < TextLength()) {
        ReplaceRange(caret_, NormalisedPosition(caret_ + 1, true), {}, true);
    }
}

// --- Looks ---------------------------------------------------------------------------------------

void CustomEdit::SetBorderStyle(EditBorderStyle style)
{
    if (style != borderStyle_) {
        borderStyle_ = style;
        FrameChanged();
        ScrollCaretIntoView();
        Invalidate();
    }
}

void CustomEdit::SetHideSelection(bool hide)
{
    if (hide != hideSelection_) {
        hideSelection_ = hide;
        Invalidate();
    }
}

int CustomEdit::FrameWidth() const
{
    return borderStyle_ == EditBorderStyle::Single ? 1 : 0;
}

// --- Selection and caret -------------------------------------------------------------------------

int CustomEdit::SelStart() const
{
    return std::min(anchor_, caret_);
}

int CustomEdit::SelLength() const
{
    return std::abs(caret_ - anchor_);
}

void CustomEdit::Select(int anchor, int caret)
{
    anchor_ = anchor;
    caret_ = caret;
    CaretPlaced();
    ScrollCaretIntoView();
    Invalidate();
}

void CustomEdit::SetSelLength(int length)
{
    const int start = SelStart();
    Select(start, NormalisedPosition(start + length, length > 0));
}

void CustomEdit::SelectAll()
{
    Select(0, TextLength());
}

void CustomEdit::ClearSelection()
{
    if (SelLength() > 0) {
        ReplaceRange(SelStart(), SelStart() + SelLength(), {}, false);
    }
}

void CustomEdit::SelectRunAroundCaret(const std::vector<char32_t>& characters)
{
    const CharacterRun run = RunAround(characters, caret_);
    if (run.End > run.Start) {
        Select(run.Start, run.End);
    }
}

void CustomEdit::CopyToClipboard() const
{
    if (SelLength() > 0) {
        GetClipboard().SetAsText(SelText());
    }
}

void CustomEdit::CutToClipboard()
{
    if (readOnly_ || SelLength() == 0) {
        return;
    }
    CopyToClipboard();
    ReplaceRange(SelStart(), SelStart() + SelLength(), {}, true);
}

void CustomEdit::PasteFromClipboard()
{
    const Clipboard& clipboard = GetClipboard();
    if (clipboard.HasText()) {
        TypeText(clipboard.AsText());
    }
}

// --- Keys ----------------------------------------------------------------------------------------

void CustomEdit::KeyDown(int& key, ShiftState shift)
{
    WeakRef<CustomEdit> self(this);
    CustomControl::KeyDown(key, shift);
    if (!self || key == 0) {
        return;
    }
    const bool extend = shift.Contains(ShiftFlag::Shift);
    const bool ctrl = shift.Contains(ShiftFlag::Ctrl);
    switch (key) {
    case VK_DELETE:
        if (readOnly_) {
            break;
        }
        if (extend) {
            CutToClipboard();
        } else {
            DeleteForward();
        }
        break;
    case VK_INSERT:
        if (ctrl) {
            CopyToClipboard();
        } else if (extend) {
            PasteFromClipboard();
        }
        break;
    default: MovementKeyDown(key, shift); break;
    }
}

void CustomEdit::KeyPress(char32_t& key)
{
    WeakRef<CustomEdit> self(this);
    CustomControl::KeyPress(key);
    if (!self || key == 0) {
        return;
    }
    switch (key) {
    case BackspaceChar:
        if (!readOnly_) {
            DeleteBackward();
        }
        break;
    case CtrlA: SelectAll(); break;
    case CtrlC: CopyToClipboard(); break;
    case CtrlV: PasteFromClipboard(); break;
    case CtrlX: CutToClipboard(); break;
    default:
        if (IsPrintableCharacter(key)) {
            std::string typed;
            AppendUtf8(typed, key);
            TypeText(typed);
        } else {
            ControlCharacterPressed(key);
        }
        break;
    }
}

void CustomEdit::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        selecting_ = false;
    }
    CustomControl::MouseUp(button, shift, x, y);
}

// --- Messages and painting -----------------------------------------------------------------------

void CustomEdit::Dispatch(Message& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | ExtraWantedKeys();
        return;
    case WM_SETFOCUS: Invalidate(); break;
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
        selecting_ = false;
        Invalidate();
        break;
    case CM_FONTCHANGED:
    case WM_SIZE:
        CustomControl::Dispatch(message);
        if (message.Msg == CM_FONTCHANGED) {
            FrameChanged();
        }
        ScrollCaretIntoView();
        Invalidate();
        return;
    default: break;
    }
    CustomControl::Dispatch(message);
}

void CustomEdit::PrepareSelectionPaint(fw::Canvas& canvas, const Rect& highlight)
{
    canvas.Brush() = Brush{clHighlight};
    canvas.FillRect(highlight);
    canvas.Brush().Style = BrushStyle::Clear;
    canvas.Font().Color = clHighlightText;
}

void CustomEdit::PaintCaret(fw::Canvas& canvas, int x, int top, int height) const
{
    canvas.Pen() = Pen{Font().Color};
    canvas.MoveTo(x, top);
    canvas.LineTo(x, top + height);
}

} // namespace fw
