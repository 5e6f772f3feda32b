#include "editors/brocade_print_dialog.h"

#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "editors/picture_image.h"
#include "editors/turning_actions_display.h"
#include "foundation/picture_fit.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "model/brocade_pattern.h"
#include "model/pattern_base.h"
#include "shell/report_action_source.h"
#include "shell/report_brocade.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int FormWidth = 370;
constexpr int FormHeight = 240;
constexpr int ImageLeft = 250;
constexpr int ImageTop = 12;
constexpr int CheckTop = 84;
constexpr int CheckStep = 20;
constexpr int ShowIndent = 30;

TILCheckBox* NewCheck(TfrmTBasic& form, const char* name, const char* caption, int left, int top, bool checked)
{
    auto* check = new TILCheckBox(&form);
    check->SetName(name);
    check->SetParent(form.pnlTTop);
    check->SetCaption(caption);
    check->SetBounds(left, top, 200, 17);
    check->SetChecked(checked);
    return check;
}

fw::Panel* NewImagePanel(TfrmTBasic& form)
{
    auto* panel = new fw::Panel(&form);
    panel->SetName("pnlImage");
    panel->SetParent(form.pnlTTop);
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    panel->SetCaption("No Image");
    // The picture's room inside a one-pixel bevel.
    panel->SetBounds(ImageLeft, ImageTop, TfrmGenerateBrocade::PictureWidth + 2,
                     TfrmGenerateBrocade::PictureHeight + 2);
    return panel;
}

TTWPictureImage* NewPicture(TfrmTBasic& form, fw::Panel* parent)
{
    auto* image = new TTWPictureImage(&form);
    image->SetName("imgPattern");
    image->SetParent(parent);
    image->SetVisible(false);
    return image;
}

} // namespace

TfrmGenerateBrocade::TfrmGenerateBrocade(fw::Component* owner)
    : TfrmGenerate(owner),
      pnlImage(NewImagePanel(*this)),
      imgPattern(NewPicture(*this, pnlImage)),
      chkIncludeGround(NewCheck(*this, "chkIncludeGround", "Include Ground Weave", 12, CheckTop, false)),
      chkGroundShowFwd(
          NewCheck(*this, "chkGroundShowFwd", "Show Forward Turns", ShowIndent, CheckTop + CheckStep, true)),
      chkGroundShowBack(
          NewCheck(*this, "chkGroundShowBack", "Show Backward Turns", ShowIndent, CheckTop + 2 * CheckStep, true)),
      chkGroundShowTwist(NewCheck(*this, "chkGroundShowTwist", "Show Twists", ShowIndent, CheckTop + 3 * CheckStep,
                                  true)),
      btnPrint(NewBottomButton(*this, "btnPrint", "&Print", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Close", fw::mrCancel))
{
    SetName("frmGenerateBrocade");
    SetCaption("Brocade Pattern");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, FormWidth, FormHeight);
    chkIncludeGround->SetOnChange([this](fw::Object*) { chkIncludeGroundChange(); });
    btnPrint->SetOnClick([this](fw::Object*) { btnPrintClick(); });
    btnCancel->SetCancel(true);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnPrint});
    chkIncludeGroundChange();
}

TfrmGenerateBrocade::~TfrmGenerateBrocade()
{
    chkIncludeGround->SetOnChange(nullptr);
}

void TfrmGenerateBrocade::Execute(fw::Component* owner, TTWBrocadePattern& pattern, const fw::Bitmap* picture)
{
    const std::unique_ptr<TfrmGenerateBrocade> dialog = NewCentredDialog<TfrmGenerateBrocade>(owner);
    dialog->Setup(pattern, picture);
    dialog->ShowModal();
}

void TfrmGenerateBrocade::Setup(TTWBrocadePattern& pattern, const fw::Bitmap* picture)
{
    pattern_ = &pattern;
    picture_.reset();
    if (picture != nullptr && !picture->Empty()) {
        picture_ = *picture;
        pnlImage->SetCaption(std::string());
        imgPattern->SetPicture(*picture_);
        const fw::Size fitted = FitPictureSize(picture_->Width(), picture_->Height(), PictureWidth, PictureHeight);
        // Inside the panel's one-pixel bevel.
        imgPattern->SetBounds(1 + (PictureWidth - fitted.Width) / 2, 1 + (PictureHeight - fitted.Height) / 2,
                              fitted.Width, fitted.Height);
        imgPattern->SetVisible(true);
    } else {
        imgPattern->SetVisible(false);
        pnlImage->SetCaption("No Image");
    }
    chkIncludeGround->SetChecked(pattern.HasGroundWeave());
    chkIncludeGroundChange();
}

void TfrmGenerateBrocade::chkIncludeGroundChange()
{
    const bool ground = chkIncludeGround->Checked();
    if (ground) {
        edFirstPick->SetText("1");
        edFirstCard->SetText("1");
    }
    edFirstPick->SetEnabled(!ground);
    edFirstCard->SetEnabled(!ground);
    for (TILCheckBox* show : {chkGroundShowFwd, chkGroundShowBack, chkGroundShowTwist}) {
        show->SetEnabled(ground);
    }
}

int TfrmGenerateBrocade::GroundColumnChoice() const
{
    int columns = 0;
    if (chkGroundShowFwd->Checked()) {
        columns |= PrintColumnForwards;
    }
    if (chkGroundShowBack->Checked()) {
        columns |= PrintColumnBackwards;
    }
    if (chkGroundShowTwist->Checked()) {
        columns |= PrintColumnTwist;
    }
    return columns;
}

void TfrmGenerateBrocade::btnPrintClick()
{
    if (pattern_ == nullptr || !ValidateNumbers()) {
        return;
    }
    // One report per print; the one before has done its work.
    delete report_;
    report_ = new TfrmPrintBrocadePattern(this);
    const fw::Bitmap* picture = picture_ ? &*picture_ : nullptr;
    if (pattern_->HasGroundWeave() && chkIncludeGround->Checked()) {
        TTWPatternBase& ground = *pattern_->GroundWeave();
        if (groundDisplay_ == nullptr) {
            groundDisplay_ = new TfrmActionDisplay(this);
            groundDisplay_->FinishLoading();
        }
        // The ground lists its turns from the brocade's own threaded-in part.
        ground.ConvertToThreaded(*pattern_);
        // A double-face row weaves two alike picks: the list shows the first of each pair.
        const bool everyOtherPick = ground.GetPatternType() == PatternTypeDoubleFace;
        groundDisplay_->LoadActions(*pattern_, everyOtherPick, picture);
        groundDisplay_->chkPrintImage->SetChecked(true);
        report_->SetGroundDisplay(groundDisplay_, GroundColumnChoice());
    }
    report_->PrintPattern(pattern_, picture, true, GetFirstCard(), GetFirstPick());
}
