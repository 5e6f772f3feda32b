#pragma once

#include <string>
#include <string_view>

#include "forms/basic_form.h"

class ITWFileTypeRegistry;
class TfrmTWMain;
class TILRadioButton;

namespace fw {
class Button;
class Label;
} // namespace fw

// "File Types": offered at start when the program's file types are not registered. The
// user registers them, leaves it for now (asked again at the next start), or never wants
// to be asked again. Registering and "never" switch the setting CheckTVLReg off and save the
// settings at once.
class TfrmTWWinReg : public TfrmTBasic {
public:
    explicit TfrmTWWinReg(fw::Component* owner = nullptr);
    ~TfrmTWWinReg() override;

    std::string_view className() const override { return "TfrmTWWinReg"; }

    fw::Label* const Label1;
    fw::Label* const Label3;
    // "Yes, please register the TVL files." (checked at start)
    TILRadioButton* const rbDoReg;
    // "No, don't do so now."
    TILRadioButton* const rbIgnore;
    // "Don't do it and don't pester me again."
    TILRadioButton* const rbNeverCheck;
    fw::Button* const btnOK;

    // Keeps the registry (not owned) and shows the dialog modally; the choice is carried
    // out as it closes.
    void Execute(ITWFileTypeRegistry& registry);

    // The keys and values the registration writes for the program, in order.
    static void WriteRegistration(ITWFileTypeRegistry& registry, const std::string& programPath);

protected:
    void DoClose(fw::CloseAction& action) override;

private:
    ITWFileTypeRegistry* registry_ = nullptr;
};

// The check at start (message 9002): when the registry holds both file types nothing
// happens; otherwise the dialog, owned by the main window and centred over it, is run with
// the registry and freed; the registry goes last.
void CheckFileTypeRegistration(TfrmTWMain& main);

// Registers the check as the window of TTWWindowKind::FileTypeRegistration.
void RegisterFileTypeRegistration();
