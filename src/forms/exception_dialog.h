#pragma once

#include <exception>

#include "framework/gui/form.h"

namespace fw {
class Button;
}

class TGenericException;
class TILBrushPanel;
class TStaticPicture;

// The program's own error dialog: a stop sign, the message (the window grows to hold it),
// OK and, when asked for, Details, which opens the exception details window above it.
//
// Build it, FinishLoading() it (caption and default style), then Display an error, which it
// only refers to.
class TfrmTException : public fw::Form {
public:
    // 464 x 112, centred on the screen.
    explicit TfrmTException(fw::Component* owner = nullptr);
    ~TfrmTException() override;

    std::string_view className() const override { return "TfrmTException"; }

    // Fills the window above the buttons, inside a 5-pixel border.
    TILBrushPanel* const pnlMessage;
    // 45 x 37 on the left, holding the 32 x 32 stop sign.
    TILBrushPanel* const pnlImg;
    TStaticPicture* const imgException;
    // The rest: its caption is the message, wrapped to its width.
    TILBrushPanel* const pnlMsg;
    // Along the bottom, 36 pixels high.
    TILBrushPanel* const pnlButtons;
    fw::Button* const btnOK;
    // "Details"; shows only when the error is displayed with its details offered.
    fw::Button* const btnDetails;

    // Keeps the error, shows Details exactly when showDetails is set, makes the window tall
    // enough for the message (it never shrinks), shows the message and runs the window
    // modally; answers how it was closed.
    virtual fw::ModalResult Display(const TGenericException& error, bool showDetails);
    // The error shown, none before Display.
    const TGenericException* Error() const { return error_; }

    // Opens the details window for the error, owned by this dialog, and frees it after.
    void btnDetailsClick(fw::Object* sender);

protected:
    // The caption from the application's title, and the default style.
    virtual void FormCreate();
    void DoCreate() override;
    // The error sound as the window appears.
    void DoShow() override;

private:
    // The height the message needs in pnlMsg as it is drawn there; 0 when nothing can
    // measure text (no paint backend).
    int MessageHeight(const std::string& message) const;
    void LineUpButtons();

    const TGenericException* error_ = nullptr;
};

// Shows a TGenericException to the user: in the standard error display when the error
// prefers it (none of the program's errors does), else in the program's error dialog, with
// Details when showDetails is set. The dialog is owned by owner while it shows and freed
// afterwards, whatever happens.
void ShowException(const TGenericException& error, bool showDetails, fw::Component* owner);

// The application's exception hook for a window: a TGenericException goes to the error
// dialog with its details (owned by owner), any other error to the standard error box.
// The main window installs it:
//     App().SetOnException([this](const std::exception& e) { RouteException(e, this); });
void RouteException(const std::exception& error, fw::Component* owner);
