#include "editors/font_properties_dialog.h"

#include <cstdint>
#include <memory>

#include "controls/brush_panel.h"
#include "forms/combo_box.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/font.h"
#include "model/pattern_limits.h"
#include "shell/size_dialog_controls.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int RowTop = 12;
constexpr int RowStep = 30;
constexpr const char* ThreadingItems[] = {"All S-Threaded", "All Z-Threaded", "Alternate S/Z Threaded"};

int Row(int index)
{
    return RowTop + index * RowStep;
}

fw::Edit* NewWideEdit(TfrmTBasic& form, const char* name, int top)
{
    fw::Edit* edit = NewNumberEdit(form, name, top);
    edit->SetWidth(170);
    return edit;
}

} // namespace

std::string TfrmTWFontProperties::HeightTooLargeText()
{
    return "Height must not be greater than " + fw::IntToStr(TTWFontChar::MaxHeight) + ".";
}

std::string TfrmTWFontProperties::WidthTooLargeText()
{
    return "Default width must not be greater than " + fw::IntToStr(TTWFontChar::MaxWidth) + ".";
}

TfrmTWFontProperties::TfrmTWFontProperties(fw::Component* owner)
    : TfrmTBasic(owner),
      lblName(NewFieldLabel(*this, "lblName", "Name", Row(0))),
      edName(NewWideEdit(*this, "edName", Row(0))),
      lblHeight(NewFieldLabel(*this, "lblHeight", "Letter Height", Row(1))),
      edHeight(NewNumberEdit(*this, "edHeight", Row(1))),
      lblKerning(NewFieldLabel(*this, "lblKerning", "Kerning", Row(2))),
      edKerning(NewNumberEdit(*this, "edKerning", Row(2))),
      lblKerningNote(NewFieldLabel(*this, "lblKerningNote", "(Spacing between letters)", Row(2))),
      lblWidth(NewFieldLabel(*this, "lblWidth", "Default Width", Row(3))),
      edWidth(NewNumberEdit(*this, "edWidth", Row(3))),
      lblThreading(NewFieldLabel(*this, "lblThreading", "Card Threading", Row(4))),
      cbThreading(new TILComboBox(this)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmTWFontProperties");
    SetCaption("Font Properties");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, 340, 230);
    // The note stands beside the kerning's edit.
    lblKerningNote->SetBounds(NumberFieldEditLeft + NumberFieldEditWidth + 6, Row(2) + 3, 150, 15);
    cbThreading->SetName("cbThreading");
    cbThreading->SetParent(pnlTTop);
    cbThreading->SetBounds(NumberFieldEditLeft, Row(4), 170, 21);
    // Each entry tagged with its threading code.
    int code = 0;
    for (const char* item : ThreadingItems) {
        cbThreading->Items().Add(item, code++);
    }
    btnCancel->SetCancel(true);
    btnAccept->SetOnClick([this](fw::Object*) { btnAcceptClick(); });
}

TfrmTWFontProperties::~TfrmTWFontProperties() = default;

bool TfrmTWFontProperties::Execute(fw::Component* owner, TTWFont& font)
{
    const std::unique_ptr<TfrmTWFontProperties> dialog = NewCentredDialog<TfrmTWFontProperties>(owner);
    dialog->ShowFont(font);
    PlaceButtonsFromRight(*dialog->pnlTBottom, {dialog->btnCancel, dialog->btnAccept});
    return dialog->ShowModal() == fw::mrOk;
}

void TfrmTWFontProperties::ShowFont(TTWFont& font)
{
    font_ = &font;
    edName->SetText(font.Name());
    edHeight->SetText(fw::IntToStr(font.Height()));
    edWidth->SetText(fw::IntToStr(font.DefCharWidth()));
    edKerning->SetText(fw::IntToStr(font.Kerning()));
    cbThreading->SetItemIndex(font.Threading() < cbThreading->Items().Count() ? font.Threading() : -1);
}

int TfrmTWFontProperties::NumberOf(const fw::Edit& edit)
{
    return fw::StrToIntDef(fw::Trim(edit.Text()), -1);
}

bool TfrmTWFontProperties::Refuse(std::string_view text, fw::Edit& edit)
{
    fw::MessageDlg(std::string(text), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    edit.SetFocus();
    return false;
}

void TfrmTWFontProperties::btnAcceptClick()
{
    if (font_ == nullptr) {
        return;
    }
    const int height = NumberOf(*edHeight);
    if (height <= 0) {
        Refuse(HeightText, *edHeight);
        return;
    }
    const int width = NumberOf(*edWidth);
    if (width <= 0) {
        Refuse(WidthText, *edWidth);
        return;
    }
    const int kerning = NumberOf(*edKerning);
    if (kerning < 0) {
        Refuse(KerningText, *edKerning);
        return;
    }
    // What the font cannot hold is refused here, before any of it changes.
    if (height > TTWFontChar::MaxHeight) {
        Refuse(HeightTooLargeText(), *edHeight);
        return;
    }
    if (width > TTWFontChar::MaxWidth) {
        Refuse(WidthTooLargeText(), *edWidth);
        return;
    }
    // Each letter, and each new one, is saved as a design of the height by its width, and
    // a font file holds no larger design.
    std::int64_t pixels = 0;
    for (int i = 0; i < font_->GetCharCount(); ++i) {
        const int letterWidth = font_->GetChar(i)->Width();
        if (!DesignCellsFit(height, letterWidth)) {
            Refuse(PatternCellsText(height, letterWidth, MaxDesignCells), *edHeight);
            return;
        }
        pixels += static_cast<std::int64_t>(letterWidth) * height;
    }
    if (!DesignCellsFit(height, width)) {
        Refuse(PatternCellsText(height, width, MaxDesignCells), *edWidth);
        return;
    }
    if (pixels > TTWFont::MaxGlyphPixels) {
        Refuse(FontTooLargeText, *edHeight);
        return;
    }

    font_->SetName(fw::Trim(edName->Text()));
    font_->SetKerning(kerning);
    font_->SetHeight(height);
    font_->SetDefCharWidth(width);
    const int threading = cbThreading->ItemIndex();
    font_->SetThreading(static_cast<std::uint8_t>(threading < 0 ? 0 : threading));
    SetModalResult(fw::mrOk);
}
