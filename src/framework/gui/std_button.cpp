#include "framework/gui/std_button.h"

#include "framework/gui/form.h"
#include "framework/gui/std_caption.h"

namespace fw {

namespace {

// The face of a pressed button: a shade darker than the button face.
constexpr Color PressedFace = 0xDADADA;
// How far inside the frame the focus frame runs.
constexpr int FocusInset = 3;

bool Inside(const Rect& rect, int x, int y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

} // namespace

Form* ParentFormOf(const Control& control)
{
    for (const Control* at = &control; at != nullptr; at = at->Parent()) {
        if (const auto* form = dynamic_cast<const Form*>(at)) {
            return const_cast<Form*>(form);
        }
    }
    return nullptr;
}

Button::Button(Component* owner) : CustomControl(owner)
{
    // Two quick clicks on a button are two clicks, not a double click.
    SetControlStyle(ControlStyle().Exclude(ControlStyleFlag::DoubleClicks).Include(ControlStyleFlag::Opaque));
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

void Button::SetDefault(bool isDefault)
{
    if (isDefault != default_) {
        default_ = isDefault;
        RegisterWithForm();
        Invalidate();
    }
}

void Button::SetCancel(bool isCancel)
{
    if (isCancel != cancel_) {
        cancel_ = isCancel;
        RegisterWithForm();
    }
}

void Button::RegisterWithForm()
{
    Form* form = ParentFormOf(*this);
    if (form == nullptr) {
        return;
    }
    if (default_) {
        form->SetDefaultButton(this);
    } else if (form->DefaultButton() == this) {
        form->SetDefaultButton(nullptr);
    }
    if (cancel_) {
        form->SetCancelButton(this);
    } else if (form->CancelButton() == this) {
        form->SetCancelButton(nullptr);
    }
}

void Button::UnregisterFrom(Form* form)
{
    if (form == nullptr) {
        return;
    }
    if (form->DefaultButton() == this) {
        form->SetDefaultButton(nullptr);
    }
    if (form->CancelButton() == this) {
        form->SetCancelButton(nullptr);
    }
}

void Button::SetParent(WinControl* parent)
{
    Form* before = ParentFormOf(*this);
    CustomControl::SetParent(parent);
    if (ParentFormOf(*this) != before) {
        UnregisterFrom(before);
    }
    RegisterWithForm();
}

void Button::Loaded()
{
    CustomControl::Loaded();
    RegisterWithForm();
}

void Button::Click()
{
    WeakRef<Button> self(this);
    mouseHeld_ = false;
    spaceHeld_ = false;
    SetPressed(false);
    if (modalResult_ != mrNone) {
        if (Form* form = ParentFormOf(*this)) {
            form->SetModalResult(modalResult_);
        }
    }
    if (self) {
        CustomControl::Click();
    }
}

void Button::SetPressed(bool pressed)
{
    if (pressed != pressed_) {
        pressed_ = pressed;
        Invalidate();
    }
}

// --- Mouse and keys ---------------------------------------------------------------------------------

void Button::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<Button> self(this);
    if (button == MouseButton::Left) {
        if (CanFocus() && !Focused()) {
            SetFocus();
            if (!self) {
                return;
            }
        }
        mouseHeld_ = true;
        SetPressed(true);
    }
    CustomControl::MouseDown(button, shift, x, y);
}

void Button::MouseMove(ShiftState shift, int x, int y)
{
    if (mouseHeld_) {
        SetPressed(Inside(ClientRect(), x, y));
    }
    CustomControl::MouseMove(shift, x, y);
}

void Button::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        mouseHeld_ = false;
        if (!spaceHeld_) {
            SetPressed(false);
        }
    }
    CustomControl::MouseUp(button, shift, x, y);
}

void Button::KeyDown(int& key, ShiftState shift)
{
    WeakRef<Button> self(this);
    CustomControl::KeyDown(key, shift);
    if (!self) {
        return;
    }
    const bool plain = (shift & ShiftState{ShiftFlag::Shift, ShiftFlag::Alt, ShiftFlag::Ctrl}).Empty();
    if (key == VK_SPACE && plain) {
        spaceHeld_ = true;
        SetPressed(true);
    } else if (key == VK_RETURN && plain) {
        // Enter reaches a button only when the form had no default button to click.
        key = 0;
        Click();
    } else if (spaceHeld_ && key != VK_SPACE) {
        // Another key while Space is down cancels the press, as desktop buttons do.
        spaceHeld_ = false;
        SetPressed(false);
    }
}

void Button::KeyUp(int& key, ShiftState shift)
{
    WeakRef<Button> self(this);
    CustomControl::KeyUp(key, shift);
    if (!self) {
        return;
    }
    if (key == VK_SPACE && spaceHeld_) {
        spaceHeld_ = false;
        Click();
    }
}

void Button::Dispatch(Message& message)
{
    switch (message.Msg) {
    case WM_KILLFOCUS:
        spaceHeld_ = false;
        if (!mouseHeld_) {
            SetPressed(false);
        }
        Invalidate();
        break;
    case WM_SETFOCUS: Invalidate(); break;
    case WM_CAPTURECHANGED:
        if (mouseHeld_) {
            mouseHeld_ = false;
            SetPressed(spaceHeld_);
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            mouseHeld_ = false;
            spaceHeld_ = false;
            SetPressed(false);
        }
        break;
    default: break;
    }
    CustomControl::Dispatch(message);
}

// --- Painting -------------------------------------------------------------------------------------

void Button::Paint()
{
    fw::Canvas& canvas = Canvas();
    const Rect client = ClientRect();
    const bool focused = Focused();
    // The default button, and the focused one, wear a frame in the highlight colour: Enter
    // goes to the one so marked.
    const bool marked = Enabled() && (default_ || focused);
    canvas.Pen() = Pen{marked ? clHighlight : clBtnShadow};
    canvas.Brush() = Brush{pressed_ ? PressedFace : Color()};
    canvas.Rectangle(client);
    if (marked && default_ && client.Width() > 2 && client.Height() > 2) {
        canvas.Brush().Style = BrushStyle::Clear;
        canvas.Rectangle(Rect{client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1});
    }
    if (EffectivePaintBackend() != nullptr && !Caption().empty()) {
        const MnemonicCaption caption = ParseMnemonic(Caption());
        canvas.Font() = Font();
        if (!Enabled()) {
            canvas.Font().Color = clGrayText;
        }
        canvas.Brush().Style = BrushStyle::Clear;
        const Size extent = canvas.TextExtent(caption.Text);
        // Pressed, the caption moves one pixel right and down, as if pushed in.
        const int shift = pressed_ ? 1 : 0;
        DrawMnemonicCaption(canvas, (client.Width() - extent.Width) / 2 + shift,
                            (client.Height() - extent.Height) / 2 + shift, caption);
    }
    if (focused && client.Width() > 2 * FocusInset && client.Height() > 2 * FocusInset) {
        canvas.DrawFocusRect(Rect{client.Left + FocusInset, client.Top + FocusInset, client.Right - FocusInset,
                                  client.Bottom - FocusInset});
    }
}

} // namespace fw
