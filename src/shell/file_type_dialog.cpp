#include "shell/file_type_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "controls/radio_button.h"
#include "forms/form_kit.h"
#include "framework/gui/application.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/file_type_registration.h"
#include "shell/main_window.h"
#include "shell/size_dialog_placing.h"
#include "shell/window_factory.h"

namespace {

constexpr int DialogWidth = 440;
constexpr int TextLeft = 12;
constexpr int TextWidth = DialogWidth - 2 * TextLeft - 16;

fw::Label* NewText(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    fw::Label* label = NewFormLabel(form, form.pnlTTop, name, caption, FormBounds{TextLeft, top, TextWidth, 30});
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    return label;
}

TILRadioButton* NewRadio(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    auto* radio = new TILRadioButton(&form);
    radio->SetName(name);
    radio->SetParent(form.pnlTTop);
    radio->SetCaption(caption);
    radio->SetBounds(TextLeft + 12, top, TextWidth - 12, 17);
    return radio;
}

} // namespace

TfrmTWWinReg::TfrmTWWinReg(fw::Component* owner)
    : TfrmTBasic(owner),
      Label1(NewText(*this, "Label1",
                     "TVL has determined that TVL files are not registered as file types of this desktop.", 12)),
      Label3(NewText(*this, "Label3",
                     "Registering the files will allow you to start TVL by double-clicking on a TVL file in the "
                     "file manager.",
                     46)),
      rbDoReg(NewRadio(*this, "rbDoReg", "Yes, please register the TVL files.", 86)),
      rbIgnore(NewRadio(*this, "rbIgnore", "No, don't do so now.", 108)),
      rbNeverCheck(NewRadio(*this, "rbNeverCheck", "Don't do it and don't pester me again.", 130)),
      btnOK(NewBottomButton(*this, "btnOK", "OK", fw::mrOk))
{
    SetName("frmTWWinReg");
    SetCaption("File Types");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, DialogWidth, 230);
    rbDoReg->SetChecked(true);
    btnOK->SetDefault(true);
}

TfrmTWWinReg::~TfrmTWWinReg() = default;

void TfrmTWWinReg::Execute(ITWFileTypeRegistry& registry)
{
    registry_ = &registry;
    PlaceButtonsFromRight(*pnlTBottom, {btnOK});
    ShowModal();
}

void TfrmTWWinReg::WriteRegistration(ITWFileTypeRegistry& registry, const std::string& programPath)
{
    const std::string command = "\"" + programPath + "\" \"%1\"";
    registry.WriteKey(".tvl", "TVLPattern");
    registry.WriteKey(".tvf", "TVLFont");
    registry.WriteKey("TVLPattern", "TVL Pattern");
    registry.WriteKey("TVLPattern\\DefaultIcon", programPath);
    registry.WriteKey("TVLPattern\\Shell\\open", "&Open");
    registry.WriteKey("TVLPattern\\Shell\\open\\command", command);
    registry.WriteKey("TVLFont", "TVL Font");
    registry.WriteKey("TVLFont\\DefaultIcon", programPath);
    registry.WriteKey("TVLFont\\Shell\\open", "&Open");
    registry.WriteKey("TVLFont\\Shell\\open\\command", command);
    registry.Commit();
}

void TfrmTWWinReg::DoClose(fw::CloseAction& action)
{
    TfrmTBasic::DoClose(action);
    if (rbIgnore->Checked() || registry_ == nullptr) {
        return;
    }
    // A registration that fails raises before the setting changes: the next start asks
    // again.
    if (rbDoReg->Checked()) {
        WriteRegistration(*registry_, fw::App().ExeName());
    }
    UserSettings().System.CheckTVLReg = false;
    UserSettings().SaveToFile();
}

void CheckFileTypeRegistration(TfrmTWMain& main)
{
    const std::unique_ptr<ITWFileTypeRegistry> registry = CreateFileTypeRegistry();
    if (registry->KeyExists(".tvl") && registry->KeyExists(".tvf")) {
        return;
    }
    const std::unique_ptr<TfrmTWWinReg> dialog(new TfrmTWWinReg(&main));
    dialog->FinishLoading();
    CentreDialogOver(&main, *dialog);
    dialog->Execute(*registry);
}

void RegisterFileTypeRegistration()
{
    RegisterWindowOpener(TTWWindowKind::FileTypeRegistration, [](TfrmTWMain& main, int) {
        CheckFileTypeRegistration(main);
    });
}
