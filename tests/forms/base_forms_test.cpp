#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/brush_panel.h"
#include "forms/basic_form.h"
#include "forms/basic_list_form.h"
#include "forms/button_basic_form.h"
#include "forms/forms_default_style.h"
#include "framework/gui/application.h"
#include "framework/gui/message.h"
#include "framework/gui/std_button.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_properties.h"
#include "forms_test_support.h"

namespace {

constexpr fw::Color Pink = 0xC0A0FF;
constexpr fw::Color Teal = 0x808000;

class BaseFormsTest : public FormsTest {
protected:
    void SetUp() override
    {
        fw::ClearPostedMessages();
        fw::Screen::Instance().SetSize(1200, 900);
    }
    void TearDown() override { fw::Form::SetModalRunner({}); }

    static TILFormsDefaultStyle& Style() { return *FormsDefaultStyle(); }
};

// A descendant with a panel of its own, as the dialogs of the program are made.
class FormWithOwnPanel : public TfrmTBasic {
public:
    explicit FormWithOwnPanel(fw::Component* owner = nullptr) : TfrmTBasic(owner), pnlOwn(new TILBrushPanel(this))
    {
        pnlOwn->SetParent(pnlTTop);
    }
    TILBrushPanel* const pnlOwn;
    int styled = 0;
    void ApplyDefaultStyle() override
    {
        TfrmTBasic::ApplyDefaultStyle();
        ++styled;
        ApplyDefaultFormStyle({pnlOwn});
    }
};

TEST_F(BaseFormsTest, BasicFormHasATopPanelOverABottomPanel)
{
    auto form = Created<TfrmTBasic>();
    EXPECT_EQ(form->Caption(), "Basic Template");
    EXPECT_EQ(form->Width(), 452);
    EXPECT_EQ(form->Height(), 309);
    EXPECT_EQ(form->pnlTTop->Parent(), form.get());
    EXPECT_EQ(form->pnlTBottom->Parent(), form.get());
    EXPECT_EQ(form->pnlTBottom->BoundsRect(), (fw::Rect{0, 309 - 31, 452, 309}));
    EXPECT_EQ(form->pnlTTop->BoundsRect(), (fw::Rect{0, 0, 452, 309 - 31}));
    EXPECT_EQ(form->FindComponent("pnlTTop"), form->pnlTTop);
    EXPECT_EQ(form->FindComponent("pnlTBottom"), form->pnlTBottom);

    form->SetBounds(0, 0, 600, 400);
    EXPECT_EQ(form->pnlTBottom->BoundsRect(), (fw::Rect{0, 369, 600, 400}));
}

TEST_F(BaseFormsTest, TheStyleIsAppliedToBothPanelsOnCreation)
{
    Style().Panels().SetBevelLight(Pink);
    Style().Panels().FillBrush().SetColour(Teal);
    auto form = std::make_unique<TfrmTBasic>();
    EXPECT_NE(form->pnlTTop->DrawData().BevelLight(), Pink); // not before creation ends
    form->FinishLoading();
    EXPECT_EQ(form->pnlTTop->DrawData().BevelLight(), Pink);
    EXPECT_EQ(form->pnlTBottom->DrawData().BevelLight(), Pink);
    EXPECT_EQ(form->pnlTTop->DrawData().FillBrush().Colour(), Teal);
    EXPECT_EQ(form->pnlTBottom->DrawData().FillBrush().Colour(), Teal);
}

TEST_F(BaseFormsTest, ChangingTheStyleLaterLeavesOpenWindowsAlone)
{
    auto form = Created<TfrmTBasic>();
    const fw::Color designed = form->pnlTTop->DrawData().BevelDark();
    Style().Panels().SetBevelDark(Pink);
    EXPECT_EQ(form->pnlTTop->DrawData().BevelDark(), designed);

    auto later = Created<TfrmTBasic>();
    EXPECT_EQ(later->pnlTTop->DrawData().BevelDark(), Pink);
}

TEST_F(BaseFormsTest, DescendantsStyleTheirOwnControlsOnce)
{
    Style().Panels().SetBevelDark(Pink);
    auto form = Created<FormWithOwnPanel>();
    EXPECT_EQ(form->styled, 1);
    EXPECT_EQ(form->pnlOwn->DrawData().BevelDark(), Pink);
    EXPECT_EQ(form->pnlTTop->DrawData().BevelDark(), Pink);
}

TEST_F(BaseFormsTest, OnCreateStillRunsAfterTheStyle)
{
    Style().Panels().SetBevelDark(Pink);
    auto form = std::make_unique<TfrmTBasic>();
    fw::Color seen = 0;
    form->SetOnCreate([&](fw::Object*) { seen = form->pnlTBottom->DrawData().BevelDark(); });
    form->FinishLoading();
    EXPECT_EQ(seen, Pink);
}

TEST_F(BaseFormsTest, WithoutAGlobalStyleWindowsStayAsDesigned)
{
    ShutdownFormsDefaultStyle();
    auto form = Created<FormWithOwnPanel>();
    EXPECT_EQ(form->styled, 1);
    EXPECT_EQ(form->pnlOwn->DrawData().BevelDark(), fw::clBtnShadow);
    InitFormsDefaultStyle();
}

TEST_F(BaseFormsTest, BasicListIsOneListInALoweredPanel)
{
    auto form = Created<TfrmTBasicList>();
    EXPECT_EQ(form->pnlTTree->Parent(), form->pnlTTop);
    EXPECT_EQ(form->treeList->Parent(), form->pnlTTree);
    EXPECT_EQ(form->pnlTTree->DrawData().BevelOuter(), TBevelCut::Lowered);
    EXPECT_EQ(form->pnlTTree->DrawData().BevelInner(), TBevelCut::None);
    EXPECT_EQ(form->pnlTTree->DrawData().BevelWidth(), 1);
    EXPECT_EQ(form->treeList->DefaultColoursID(), 0);
    // The list fills the panel inside its ring, which fills the top panel inside its own.
    const fw::Rect inner = form->pnlTTop->GetInnerClientRect();
    EXPECT_EQ(form->pnlTTree->BoundsRect(), inner);
    EXPECT_EQ(form->treeList->BoundsRect(), form->pnlTTree->GetInnerClientRect());
    EXPECT_GT(form->treeList->Width(), 400);
}

TEST_F(BaseFormsTest, BasicListTakesTheGlobalTreeColours)
{
    Style().Trees().SetColourLine(Pink);
    Style().Trees().SetColourButton(Teal);
    auto form = Created<TfrmTBasicList>();
    EXPECT_EQ(form->treeList->ColourLine(), Pink);
    EXPECT_EQ(form->treeList->ColourButton(), Teal);
}

// A list window whose list names a stored colour set before it is created.
class FormWithStoredColours : public TfrmTBasicList {
public:
    explicit FormWithStoredColours(fw::Component* owner = nullptr) : TfrmTBasicList(owner)
    {
        treeList->SetDefaultColoursID(2);
        treeList->SetColourLine(Teal);
    }
};

TEST_F(BaseFormsTest, BasicListKeepsAStoredColourSet)
{
    Style().Trees().SetColourLine(Pink);
    auto form = Created<FormWithStoredColours>();
    EXPECT_EQ(form->treeList->DefaultColoursID(), 2);
    EXPECT_EQ(form->treeList->ColourLine(), Teal);
}

TEST_F(BaseFormsTest, ButtonDialogHasItsThreeButtons)
{
    auto form = Created<TfrmTBtnBasic>();
    for (fw::Button* button : {form->btnClose, form->btnCancel, form->btnAccept}) {
        EXPECT_EQ(button->Parent(), form->pnlTBottom);
    }
    EXPECT_EQ(form->btnClose->Caption(), "&Close");
    EXPECT_EQ(form->btnClose->Hint(), "Close");
    EXPECT_TRUE(form->btnClose->Cancel());
    EXPECT_EQ(form->btnClose->ModalResult(), fw::mrOk);
    EXPECT_EQ(form->btnCancel->Caption(), "&Cancel");
    EXPECT_TRUE(form->btnCancel->Cancel());
    EXPECT_EQ(form->btnCancel->ModalResult(), fw::mrCancel);
    EXPECT_EQ(form->btnAccept->Caption(), "&Accept");
    EXPECT_TRUE(form->btnAccept->Default());
    EXPECT_EQ(form->btnAccept->ModalResult(), fw::mrOk);
    EXPECT_EQ(form->FindComponent("btnAccept"), form->btnAccept);
}

TEST_F(BaseFormsTest, ButtonDialogOpensInAcceptMode)
{
    auto form = std::make_unique<TfrmTBtnBasic>();
    EXPECT_TRUE(form->btnClose->Visible()); // as designed, until created
    form->FinishLoading();
    EXPECT_TRUE(form->AcceptMode());
    EXPECT_TRUE(form->btnAccept->Visible());
    EXPECT_TRUE(form->btnCancel->Visible());
    EXPECT_FALSE(form->btnClose->Visible());

    form->SetAcceptMode(false);
    EXPECT_FALSE(form->AcceptMode());
    EXPECT_FALSE(form->btnAccept->Visible());
    EXPECT_FALSE(form->btnCancel->Visible());
    EXPECT_TRUE(form->btnClose->Visible());
}

TEST_F(BaseFormsTest, ButtonsLineUpFromTheRightEdge)
{
    auto form = Created<TfrmTBtnBasic>();
    const int edge = form->pnlTBottom->ClientWidth();
    const fw::Rect cancel = form->btnCancel->BoundsRect();
    const fw::Rect accept = form->btnAccept->BoundsRect();
    EXPECT_EQ(cancel.Right, edge - 5);
    EXPECT_EQ(accept.Right, cancel.Left - 5);
    EXPECT_EQ(accept.Top, cancel.Top);
    // Centred in the bottom panel's height.
    EXPECT_EQ(cancel.Top, (31 - cancel.Height()) / 2);

    form->SetAcceptMode(false);
    EXPECT_EQ(form->btnClose->BoundsRect().Right, edge - 5);

    form->SetBounds(0, 0, 700, 350);
    EXPECT_EQ(form->btnClose->BoundsRect().Right, 700 - 5);
    form->SetAcceptMode(true);
    EXPECT_EQ(form->btnCancel->BoundsRect().Right, 700 - 5);
    EXPECT_EQ(form->btnAccept->BoundsRect().Right, form->btnCancel->Left() - 5);
}

TEST_F(BaseFormsTest, EnterAcceptsAndEscCancelsInAcceptMode)
{
    auto form = Created<TfrmTBtnBasic>();
    fw::Form::SetModalRunner([](fw::Form& shown) { EXPECT_TRUE(shown.ClickDefaultButton()); });
    EXPECT_EQ(form->ShowModal(), fw::mrOk);
    fw::Form::SetModalRunner([](fw::Form& shown) { EXPECT_TRUE(shown.ClickCancelButton()); });
    EXPECT_EQ(form->ShowModal(), fw::mrCancel);
}

TEST_F(BaseFormsTest, EscClosesWithOkInCloseMode)
{
    auto form = Created<TfrmTBtnBasic>();
    form->SetAcceptMode(false);
    fw::Form::SetModalRunner([](fw::Form& shown) { EXPECT_TRUE(shown.ClickCancelButton()); });
    EXPECT_EQ(form->ShowModal(), fw::mrOk);

    form->SetAcceptMode(true);
    EXPECT_EQ(form->ShowModal(), fw::mrCancel);
}

} // namespace
