#include "shell/report_picture_dialog.h"

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "framework/core/strings.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_memo.h"

namespace {

constexpr int CaptionLeft = 10;
constexpr int EditLeft = 90;
constexpr int EditWidth = 340;
constexpr int TitleTop = 12;
constexpr int DescriptionTop = 42;
// Room for four lines of the dialog's font; longer descriptions scroll.
constexpr int DescriptionHeight = 64;
constexpr int CheckBoxTop = DescriptionTop + DescriptionHeight + 10;
constexpr int CheckBoxHeight = 17;
// Below the check box: a margin, the button panel and the window's frame.
constexpr int DialogHeight = CheckBoxTop + CheckBoxHeight + 57;

fw::Label* NewCaption(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    auto* label = new fw::Label(&form);
    label->SetName(name);
    label->SetParent(form.pnlTTop);
    label->SetCaption(caption);
    label->SetTransparent(true);
    label->SetBounds(CaptionLeft, top + 3, EditLeft - CaptionLeft - 5, 15);
    return label;
}

fw::Edit* NewEdit(TfrmTBasic& form, const char* name, int top)
{
    auto* edit = new fw::Edit(&form);
    edit->SetName(name);
    edit->SetParent(form.pnlTTop);
    edit->SetBounds(EditLeft, top, EditWidth, 21);
    return edit;
}

fw::Memo* NewMemo(TfrmTBasic& form, const char* name)
{
    auto* memo = new fw::Memo(&form);
    memo->SetName(name);
    memo->SetParent(form.pnlTTop);
    memo->SetBounds(EditLeft, DescriptionTop, EditWidth, DescriptionHeight);
    memo->SetScrollBars(fw::ScrollStyle::Vertical);
    return memo;
}

TILCheckBox* NewCheckBox(TfrmTBasic& form)
{
    auto* check = new TILCheckBox(&form);
    check->SetName("chkSizeToFit");
    check->SetParent(form.pnlTTop);
    check->SetCaption("Size image to fit one page");
    check->SetBounds(EditLeft, CheckBoxTop, 220, CheckBoxHeight);
    check->SetChecked(true);
    return check;
}

} // namespace

TfrmTWPrintImageInfo::TfrmTWPrintImageInfo(fw::Component* owner)
    : TfrmTBtnBasic(owner),
      lblImageTitle(NewCaption(*this, "lblImageTitle", "Image Title", TitleTop)),
      edTitle(NewEdit(*this, "edTitle", TitleTop)),
      lblDescription(NewCaption(*this, "lblDescription", "Description", DescriptionTop)),
      edDescription(NewMemo(*this, "edDescription")),
      chkSizeToFit(NewCheckBox(*this))
{
    SetName("frmTWPrintImageInfo");
    SetCaption("Image Details");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, 452, DialogHeight);
}

TfrmTWPrintImageInfo::~TfrmTWPrintImageInfo() = default;

bool TfrmTWPrintImageInfo::Execute(const std::string& title, const std::string& description)
{
    FinishLoading();
    edTitle->SetText(title);
    edDescription->SetText(description);
    return ShowModal() == fw::mrOk;
}

std::string TfrmTWPrintImageInfo::ImageTitle() const
{
    return fw::Trim(edTitle->Text());
}

std::string TfrmTWPrintImageInfo::Description() const
{
    return fw::Trim(edDescription->Text());
}

bool TfrmTWPrintImageInfo::SizeToFit() const
{
    return chkSizeToFit->Checked();
}
