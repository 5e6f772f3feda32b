#include "shell/convert_dialog.h"

#include <memory>

#include "controls/bevel_rings.h"
#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/position.h"
#include "controls/radio_button.h"
#include "forms/form_kit.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "shell/brocade_conversion.h"
#include "shell/data_module.h"
#include "shell/file_loader.h"
#include "shell/main_window.h"
#include "shell/size_dialog_placing.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"
#include "shell/window_factory.h"

namespace {

constexpr int DialogWidth = 470;
constexpr int FileWidth = DialogWidth - 70;

void Inform(const std::string& text)
{
    fw::MessageDlg(text, fw::MsgDlgType::Information, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
}

TILBrushPanel* NewPanel(fw::Component& owner, fw::WinControl* parent, const char* name, const FormBounds& bounds)
{
    auto* panel = new TILBrushPanel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    panel->SetCaption(std::string());
    return panel;
}

// A lowered panel that shows a file name from its left edge.
TILBrushPanel* NewFilePanel(fw::Component& owner, fw::WinControl* parent, const char* name, const FormBounds& bounds)
{
    TILBrushPanel* panel = NewPanel(owner, parent, name, bounds);
    panel->DrawData().SetBevelOuter(TBevelCut::Lowered);
    panel->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel->CaptionPos().SetHorzMargin(4);
    return panel;
}

template <class Check>
Check* NewCheck(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                const FormBounds& bounds, bool checked)
{
    auto* check = new Check(&owner);
    check->SetName(name);
    check->SetParent(parent);
    check->SetCaption(caption);
    check->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    check->SetChecked(checked);
    return check;
}

TdModMain* DataModuleOf(TfrmTWMain* main)
{
    return main != nullptr ? dynamic_cast<TdModMain*>(main->DataModule()) : nullptr;
}

} // namespace

TfrmTWCvtDFToBrocade::TfrmTWCvtDFToBrocade(TfrmTWMain& main)
    : TfrmTBasic(&main),
      Label1(NewFormLabel(*this, pnlTTop, "Label1", "Source Pattern", 12, 12)),
      btnSelSource(NewGlyphButton(*this, pnlTTop, "btnSelSource", "Select the source pattern", ToolIcon(0),
                                  FormBounds{12, 30, 23, 22})),
      pnlSource(NewFilePanel(*this, pnlTTop, "pnlSource", FormBounds{40, 30, FileWidth, 22})),
      chkCompress(NewCheck<TILCheckBox>(*this, pnlTTop, "chkCompress", "Compress 2:1", FormBounds{40, 60, 200, 17},
                                        true)),
      rbCvtToPattern(NewCheck<TILRadioButton>(*this, pnlTTop, "rbCvtToPattern", "Convert and open in pattern designer",
                                              FormBounds{12, 90, 320, 17}, true)),
      rbCvtToFile(NewCheck<TILRadioButton>(*this, pnlTTop, "rbCvtToFile", "Convert and save to file",
                                           FormBounds{12, 112, 320, 17}, false)),
      pnlTargetInfo(NewPanel(*this, pnlTTop, "pnlTargetInfo", FormBounds{12, 136, DialogWidth - 40, 80})),
      lblTarget(NewFormLabel(*this, pnlTargetInfo, "lblTarget", "Target File", 8, 6)),
      btnSelTarget(NewGlyphButton(*this, pnlTargetInfo, "btnSelTarget", "Select the target file",
                                  ToolIcon(TWAction::Save), FormBounds{8, 24, 23, 22})),
      pnlTarget(NewFilePanel(*this, pnlTargetInfo, "pnlTarget", FormBounds{36, 24, DialogWidth - 86, 22})),
      chkAutoOpen(NewCheck<TILCheckBox>(*this, pnlTargetInfo, "chkAutoOpen", "Open converted pattern",
                                        FormBounds{36, 54, 200, 17}, true)),
      btnConvert(NewBottomButton(*this, "btnConvert", "Convert", fw::mrNone)),
      btnClose(NewBottomButton(*this, "btnClose", "Close", fw::mrCancel)),
      main_(&main)
{
    SetName("frmTWCvtDFToBrocade");
    SetCaption("Convert Double-Face/Twill to Brocade");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, DialogWidth, 300);
    pnlTargetInfo->DrawData().SetBevelOuter(TBevelCut::Lowered);
    btnClose->SetCancel(true);
    PlaceButtonsFromRight(*pnlTBottom, {btnClose, btnConvert});

    btnSelSource->SetOnClick([this](fw::Object*) { btnSelSourceClick(); });
    btnSelTarget->SetOnClick([this](fw::Object*) { btnSelTargetClick(); });
    rbCvtToPattern->SetAfterChange([this](fw::Object*) { OnChangeTargetType(); });
    rbCvtToFile->SetAfterChange([this](fw::Object*) { OnChangeTargetType(); });
    btnConvert->SetOnClick([this](fw::Object*) { btnConvertClick(); });
    OnChangeTargetType();
}

TfrmTWCvtDFToBrocade::~TfrmTWCvtDFToBrocade() = default;

std::string TfrmTWCvtDFToBrocade::SourceFileName() const
{
    return pnlSource->Caption();
}

std::string TfrmTWCvtDFToBrocade::TargetFileName() const
{
    return pnlTarget->Caption();
}

void TfrmTWCvtDFToBrocade::SetTargetFileName(const std::string& fileName)
{
    pnlTarget->SetCaption(fileName);
}

bool TfrmTWCvtDFToBrocade::SelectSource(const std::string& fileName)
{
    // Read only to be looked at: Convert reads the file again.
    const std::unique_ptr<TTWPatternBase> source = LoadAndCreatePattern(fileName);
    if (const std::string refusal = BrocadeConversionRefusal(*source); !refusal.empty()) {
        Inform(refusal);
        return false;
    }
    chkCompress->SetVisible(source->GetPatternType() == PatternTypeDoubleFace);
    pnlSource->SetCaption(fileName);
    return true;
}

void TfrmTWCvtDFToBrocade::btnSelSourceClick()
{
    TdModMain* data = DataModuleOf(main_);
    std::string fileName = SourceFileName();
    if (data == nullptr || !data->ExecuteOpenPatternDialog(fileName)) {
        return;
    }
    // Let the dialog vanish before the file is read.
    fw::App().ProcessMessages();
    SelectSource(fileName);
}

void TfrmTWCvtDFToBrocade::btnSelTargetClick()
{
    TdModMain* data = DataModuleOf(main_);
    std::string fileName = TargetFileName();
    if (data == nullptr || !data->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    SetTargetFileName(fileName);
}

void TfrmTWCvtDFToBrocade::OnChangeTargetType()
{
    const bool toFile = rbCvtToFile->Checked();
    for (fw::Control* control : {static_cast<fw::Control*>(pnlTargetInfo), static_cast<fw::Control*>(lblTarget),
                                 static_cast<fw::Control*>(pnlTarget), static_cast<fw::Control*>(btnSelTarget),
                                 static_cast<fw::Control*>(chkAutoOpen)}) {
        control->SetEnabled(toFile);
    }
}

void TfrmTWCvtDFToBrocade::btnConvertClick()
{
    const std::string sourceName = SourceFileName();
    if (sourceName.empty()) {
        Inform("Please select the source pattern.");
        return;
    }
    const bool toFile = rbCvtToFile->Checked();
    const std::string targetName = TargetFileName();
    if (toFile && targetName.empty()) {
        Inform("Please select the target file.");
        return;
    }
    // The file may have changed since it was chosen: it is read and checked again. Both
    // objects are freed however the conversion, the saving or the opening ends.
    const std::unique_ptr<TTWPatternBase> source = LoadAndCreatePattern(sourceName);
    if (const std::string refusal = BrocadeConversionRefusal(*source); !refusal.empty()) {
        Inform(refusal);
        return;
    }
    auto brocade = std::make_unique<TTWBrocadePattern>();
    {
        const fw::ScopedCursor busy;
        const auto convert = [&] {
            ConvertToBrocade(static_cast<const TTWDFPattern&>(*source), chkCompress->Checked(), *brocade);
        };
        // A brocade too large to open again is refused before anything is written.
        if (toFile) {
            WriteNamingFile(targetName, convert);
        } else {
            convert();
        }
    }
    bool done = false;
    if (toFile) {
        WriteNamingFile(targetName, [&] { brocade->SaveToFile(targetName); });
        if (chkAutoOpen->Checked()) {
            if (main_ != nullptr) {
                main_->LoadFile(targetName);
            }
            done = true;
        } else {
            Inform("Pattern has been converted.");
            pnlSource->SetCaption(std::string());
            pnlTarget->SetCaption(std::string());
        }
    } else {
        if (main_ != nullptr) {
            OpenPatternObject(*main_, *brocade, std::string());
        }
        done = true;
    }
    if (done) {
        SetModalResult(fw::mrOk);
    }
}

void RegisterConversionDialog()
{
    RegisterWindowOpener(TTWWindowKind::ConvertToBrocade, [](TfrmTWMain& main, int) {
        std::unique_ptr<TfrmTWCvtDFToBrocade> dialog(new TfrmTWCvtDFToBrocade(main));
        dialog->FinishLoading();
        CentreDialogOver(&main, *dialog);
        dialog->ShowModal();
    });
}
