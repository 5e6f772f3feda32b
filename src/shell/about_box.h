#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TILBrushPanel;
class TILMsgScroll;
class TfrmTWMain;

namespace fw {
class Button;
class Edit;
class Panel;
} // namespace fw

// "About this Tavelin": the credits scrolling up over a picture, one pixel every 60 ms, the
// web address below them, and a Close button.
class TfrmTWAbout : public TfrmTBasic {
public:
    // The number of lines and pictures of the credits.
    static constexpr int CreditCount = 17;
    // Where the credits start: below the bottom of the picture.
    static constexpr int ScrollStart = 150;

    explicit TfrmTWAbout(fw::Component* owner = nullptr);
    ~TfrmTWAbout() override;

    std::string_view className() const override { return "TfrmTWAbout"; }

    fw::Panel* const Panel1;
    // 287 x 151, sized to its picture; scroll speed 60, one pixel a tick.
    TILMsgScroll* const msgScroll;
    TILBrushPanel* const ILBrushPanel1;
    // The maker's web address, read-only.
    fw::Edit* const edURL;
    // "&Close": ends the window with OK (Enter and Esc too).
    fw::Button* const btnClose;

    // Made by the owner, centred over it, run and freed again; see the other Execute.
    static void Execute(fw::Component* owner);
    // Starts the credits at ScrollStart, shows the window modally and stops them again.
    void Execute();

protected:
    // The style, then the version into the first credit line.
    void FormCreate() override;

private:
    void AddCredits();
};

// The About > TVL command of the main window.
void OpenAboutBox(TfrmTWMain& main, int parameter);
// Registers the about box (TTWWindowKind::About) and the revision notes
// (TTWWindowKind::Revisions).
void RegisterAboutWindows();
