#include "forms/exception_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "forms/exception_details.h"
#include "forms/form_kit.h"
#include "forms/forms_default_style.h"
#include "forms/stop_sign.h"
#include "foundation/generic_exception.h"
#include "foundation/text_drawing.h"
#include "framework/core/canvas.h"
#include "framework/gui/application.h"
#include "framework/gui/std_button.h"

namespace {

constexpr int FormWidth = 464;
constexpr int FormHeight = 112;
constexpr int ButtonPanelHeight = 36;
constexpr int ButtonSpacing = 5;

// A panel that only arranges: no rings, painted with its parent's brush.
TILBrushPanel* NewInnerPanel(fw::Component& owner, fw::WinControl* parent, const char* name, fw::Align align)
{
    TILBrushPanel* panel = NewAlignedBrushPanel(owner, parent, name, align);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetParentBrush(true);
    return panel;
}

TStaticPicture* NewStopSign(fw::Component& owner, TILBrushPanel* parent)
{
    auto* image = new TStaticPicture(&owner);
    image->SetName("imgException");
    image->SetParent(parent);
    image->SetBounds((45 - StopSignSize) / 2, (37 - StopSignSize) / 2, StopSignSize, StopSignSize);
    image->SetPicture(StopSignPicture());
    return image;
}

} // namespace

TfrmTException::TfrmTException(fw::Component* owner)
    : fw::Form(owner),
      pnlMessage(NewAlignedBrushPanel(*this, this, "pnlMessage", fw::Align::Client)),
      pnlImg(NewInnerPanel(*this, pnlMessage, "pnlImg", fw::Align::Left)),
      imgException(NewStopSign(*this, pnlImg)),
      pnlMsg(NewInnerPanel(*this, pnlMessage, "pnlMsg", fw::Align::Client)),
      pnlButtons(NewAlignedBrushPanel(*this, this, "pnlButtons", fw::Align::Bottom)),
      btnOK(NewRowButton(*this, pnlButtons, "btnOK", "OK", ButtonPanelHeight)),
      btnDetails(NewRowButton(*this, pnlButtons, "btnDetails", "Details", ButtonPanelHeight))
{
    SetBounds(0, 0, FormWidth, FormHeight);
    SetPosition(fw::FormPosition::ScreenCenter);
    SetBorderStyle(fw::FormBorderStyle::Dialog);

    pnlMessage->SetBorderWidth(5);
    pnlImg->SetBounds(0, 0, 45, 37);
    pnlMsg->CaptionPos().SetWrap(true);
    pnlMsg->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    pnlMsg->CaptionPos().SetAlignVert(TVCanvasTextPosition::Top);
    pnlButtons->SetHeight(ButtonPanelHeight);

    btnOK->SetModalResult(fw::mrOk);
    btnOK->SetDefault(true);
    btnDetails->SetOnClick([this](fw::Object* sender) { btnDetailsClick(sender); });
    LineUpButtons();
}

TfrmTException::~TfrmTException() = default;

void TfrmTException::DoCreate()
{
    FormCreate();
    fw::Form::DoCreate();
}

void TfrmTException::FormCreate()
{
    SetCaption(fw::App().Title());
    if (const TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        ApplyToControls(*style, {pnlMessage, pnlButtons});
    }
}

void TfrmTException::DoShow()
{
    fw::App().MessageBeep(fw::BeepKind::Stop);
    fw::Form::DoShow();
}

fw::ModalResult TfrmTException::Display(const TGenericException& error, bool showDetails)
{
    error_ = &error;
    btnDetails->SetVisible(showDetails);
    LineUpButtons();
    const std::string& message = error.Message();
    const int needed = MessageHeight(message);
    if (pnlMsg->ClientHeight() < needed) {
        SetHeight(Height() + needed - pnlMsg->ClientHeight());
    }
    pnlMsg->SetCaption(message);
    return ShowModal();
}

int TfrmTException::MessageHeight(const std::string& message) const
{
    fw::PaintBackend* backend = pnlMsg->EffectivePaintBackend();
    if (backend == nullptr) {
        return 0;
    }
    fw::Bitmap scratch(1, 1);
    fw::Canvas canvas(scratch, backend);
    canvas.Font() = pnlMsg->Font();
    // Measured in the box the caption is drawn in, so that every line measured is a line
    // shown: the text's height and the rows the panel keeps around its caption (the
    // vertical margins above and below it among them).
    const fw::Rect box = pnlMsg->CaptionRect(0, 0);
    const fw::Rect text = WrappedTextSize(canvas, box.Width(), message, pnlMsg->CaptionPos().Wrap());
    return text.Height() + pnlMsg->ClientHeight() - box.Height();
}

void TfrmTException::LineUpButtons()
{
    int right = pnlButtons->ClientWidth() - ButtonSpacing;
    for (fw::Button* button : {btnDetails, btnOK}) {
        if (!button->Visible()) {
            continue;
        }
        button->SetLeft(right - button->Width());
        right = button->Left() - ButtonSpacing;
    }
}

void TfrmTException::btnDetailsClick(fw::Object* /*sender*/)
{
    if (error_ == nullptr) {
        return;
    }
    const std::unique_ptr<TfrmTExceptionDetails> details = std::make_unique<TfrmTExceptionDetails>(this);
    details->FinishLoading();
    details->Execute(*error_);
}

void ShowException(const TGenericException& error, bool showDetails, fw::Component* owner)
{
    // The error's own first choice: the standard display.
    if (error.PrefersStandardDisplay()) {
        error.Show();
        return;
    }
    const std::unique_ptr<TfrmTException> dialog = std::make_unique<TfrmTException>(owner);
    dialog->FinishLoading();
    dialog->Display(error, showDetails);
}

void RouteException(const std::exception& error, fw::Component* owner)
{
    if (const auto* own = dynamic_cast<const TGenericException*>(&error)) {
        ShowException(*own, true, owner);
        return;
    }
    fw::App().ShowException(error);
}
