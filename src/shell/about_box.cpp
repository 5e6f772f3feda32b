#include "shell/about_box.h"

#include <memory>

#include "controls/brush_panel.h"
#include "controls/msg_scroll.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "model/pattern_base.h"
#include "shell/about_pictures.h"
#include "shell/main_window.h"
#include "shell/revisions_window.h"
#include "shell/size_dialog_placing.h"
#include "shell/window_factory.h"

namespace {

constexpr int Margin = 8;
constexpr int ScrollWidth = 287;
constexpr int ScrollHeight = 151;
constexpr int UrlPanelHeight = 30;
constexpr fw::Color CreditGrey = 0x808080;

// The maker's web address.
constexpr const char* MakerAddress = "https://tavelin.example.org";

fw::Panel* NewScrollPanel(TfrmTBasic& form)
{
    auto* panel = new fw::Panel(&form);
    panel->SetName("Panel1");
    panel->SetParent(form.pnlTTop);
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    panel->SetBounds(Margin, Margin, ScrollWidth + 2, ScrollHeight + 2);
    return panel;
}

TILMsgScroll* NewCredits(TfrmTBasic& form, fw::Panel& parent)
{
    auto* credits = new TILMsgScroll(&form);
    credits->SetName("msgScroll");
    credits->SetParent(&parent);
    credits->SetBounds(1, 1, ScrollWidth, ScrollHeight);
    credits->SetScrollSpeed(60);
    credits->SetScrollJump(1);
    credits->SetBackground(AboutBackground());
    return credits;
}

TILBrushPanel* NewUrlPanel(TfrmTBasic& form)
{
    auto* panel = new TILBrushPanel(&form);
    panel->SetName("ILBrushPanel1");
    panel->SetParent(form.pnlTTop);
    panel->SetBounds(Margin, Margin + ScrollHeight + 2 + 6, ScrollWidth + 2, UrlPanelHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::Lowered);
    return panel;
}

fw::Edit* NewUrlEdit(TfrmTBasic& form, TILBrushPanel& parent)
{
    auto* edit = new fw::Edit(&form);
    edit->SetName("edURL");
    edit->SetParent(&parent);
    edit->SetBounds(4, 4, ScrollWidth - 6, 21);
    edit->SetReadOnly(true);
    edit->SetText(MakerAddress);
    return edit;
}

} // namespace

TfrmTWAbout::TfrmTWAbout(fw::Component* owner)
    : TfrmTBasic(owner),
      Panel1(NewScrollPanel(*this)),
      msgScroll(NewCredits(*this, *Panel1)),
      ILBrushPanel1(NewUrlPanel(*this)),
      edURL(NewUrlEdit(*this, *ILBrushPanel1)),
      btnClose(NewBottomButton(*this, "btnClose", "&Close", fw::mrOk))
{
    SetName("frmTWAbout");
    SetCaption("About this Tavelin");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    // The picture, the address and the button row, with margins.
    SetBounds(0, 0, ScrollWidth + 2 + 2 * Margin, Margin + ScrollHeight + 2 + 6 + UrlPanelHeight + Margin + 31);
    btnClose->SetDefault(true);
    btnClose->SetCancel(true);
    AddCredits();
}

TfrmTWAbout::~TfrmTWAbout() = default;

void TfrmTWAbout::AddCredits()
{
    enum class Look { Plain, Bold, Grey };
    auto text = [this](const char* line, int space, Look look = Look::Plain) {
        TILMsgScrollItem* item = msgScroll->Items().Add();
        item->SetText(line);
        item->SetBottomSpace(space);
        fw::Font font = item->Font();
        font.Style.Bold = look == Look::Bold;
        if (look == Look::Grey) {
            font.Color = CreditGrey;
        }
        item->SetFont(font);
    };
    auto picture = [this](const fw::Bitmap& image, fw::Color transparent, int space) {
        TILMsgScrollItem* item = msgScroll->Items().Add();
        item->SetScrollType(TILMsgScrollType::tmsScrollImage);
        item->SetImage(image);
        item->SetTransparentColour(transparent);
        item->SetBottomSpace(space);
    };
    text("(Version)", 5, Look::Bold);
    picture(AboutBandPicture(), AboutFuchsia, 5);
    text("Tavelin is freeware: use it, share it, weave with it.", 20);
    text("Designed and written", 0);
    text("by the Tavelin developers", 0);
    text("for card weavers everywhere", 10);
    picture(AboutCardPicture(), AboutSilver, 10);
    text("Comments and suggestions", 0);
    text("are always welcome by e-mail:", 0);
    text("tavelin@example.org", 0);
    text("", 30);
    text("Many thanks to the weavers", 0);
    text("who tried every version", 0);
    text("and told us what went wrong", 0);
    text("", 30);
    text("Written in C++ with Qt 6", 0, Look::Grey);
    text("on Debian GNU/Linux", 0, Look::Grey);
}

void TfrmTWAbout::FormCreate()
{
    TfrmTBasic::FormCreate();
    if (TILMsgScrollItem* version = msgScroll->Items().GetItem(0)) {
        version->SetText(std::string("Version ") + TWDataVersion);
    }
}

void TfrmTWAbout::Execute(fw::Component* owner)
{
    const std::unique_ptr<TfrmTWAbout> window = NewCentredDialog<TfrmTWAbout>(owner);
    window->Execute();
}

void TfrmTWAbout::Execute()
{
    FinishLoading();
    PlaceButtonsFromRight(*pnlTBottom, {btnClose});
    msgScroll->StartScroll(ScrollStart);
    ShowModal();
    msgScroll->StopScroll();
}

void OpenAboutBox(TfrmTWMain& main, int)
{
    TfrmTWAbout::Execute(&main);
}

void RegisterAboutWindows()
{
    RegisterWindowOpener(TTWWindowKind::About, &OpenAboutBox);
    RegisterWindowOpener(TTWWindowKind::Revisions, &OpenRevisionNotes);
}
