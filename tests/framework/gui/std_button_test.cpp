#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

// An OK / Cancel dialog built in code the way the program's dialogs are: the buttons get
// their flags before they are placed on the form.
class OkCancelForm : public Form {
public:
    OkCancelForm()
    {
        SetBounds(0, 0, 300, 120);
        ok = new Button(this);
        ok->SetCaption("&OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetParent(this);
        ok->SetBounds(40, 80, 75, 25);
        cancel = new Button(this);
        cancel->SetCaption("&Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetParent(this);
        cancel->SetBounds(130, 80, 75, 25);
        plain = new Button(this);
        plain->SetCaption("Apply");
        plain->SetParent(this);
        plain->SetBounds(220, 80, 75, 25);
        FinishLoading();
    }
    Button* ok;
    Button* cancel;
    Button* plain;
};

class ButtonTest : public testing::Test {
protected:
    void SetUp() override { ClearPostedMessages(); }
    void TearDown() override { ClearPostedMessages(); }
};

} // namespace

TEST_F(ButtonTest, DefaultAndCancelRegisterWithTheFormAndFollowTheButton)
{
    OkCancelForm dialog;
    EXPECT_EQ(dialog.DefaultButton(), dialog.ok);
    EXPECT_EQ(dialog.CancelButton(), dialog.cancel);
    EXPECT_EQ(ParentFormOf(*dialog.ok), &dialog);

    // Cleared flags leave the form; another button taking the flag replaces the first.
    dialog.ok->SetDefault(false);
    EXPECT_EQ(dialog.DefaultButton(), nullptr);
    dialog.plain->SetDefault(true);
    EXPECT_EQ(dialog.DefaultButton(), dialog.plain);

    // A button nested in a panel still finds its form; moving it to another form moves
    // the registration with it.
    auto* panel = new Panel(&dialog);
    panel->SetParent(&dialog);
    dialog.cancel->SetParent(panel);
    EXPECT_EQ(dialog.CancelButton(), dialog.cancel);
    Form other;
    dialog.cancel->SetParent(&other);
    EXPECT_EQ(dialog.CancelButton(), nullptr);
    EXPECT_EQ(other.CancelButton(), dialog.cancel);
    dialog.cancel->SetParent(nullptr);
    EXPECT_EQ(other.CancelButton(), nullptr);
    EXPECT_EQ(ParentFormOf(*dialog.cancel), nullptr);
}

TEST_F(ButtonTest, AClickGivesTheFormItsResultBeforeOnClickWhichMayTakeItBack)
{
    OkCancelForm dialog;
    std::vector<ModalResult> seenInOnClick;
    bool valid = false;
    dialog.ok->SetOnClick([&](Object*) {
        seenInOnClick.push_back(dialog.GetModalResult());
        if (!valid) {
            dialog.SetModalResult(mrNone); // refuse: the dialog stays open
        }
    });
    int rounds = 0;
    const ScopedHandler script(&Form::SetModalRunner, [&](Form& form) {
        TestDriver driver(form);
        driver.ClickOn(*dialog.ok);
        ++rounds;
        EXPECT_FALSE(form.ModalLoopDone()) << "OnClick took the result back";
        valid = true;
        driver.ClickOn(*dialog.ok);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(rounds, 1);
    EXPECT_EQ(seenInOnClick, (std::vector<ModalResult>{mrOk, mrOk}));

    // A button without a result leaves the form's result alone.
    dialog.SetModalResult(mrAbort);
    int plainClicks = 0;
    dialog.plain->SetOnClick([&](Object*) { ++plainClicks; });
    dialog.plain->Click();
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(dialog.GetModalResult(), mrAbort);
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonAndEscTheCancelButton)
{
    OkCancelForm dialog;
    int okClicks = 0;
    int plainClicks = 0;
    dialog.ok->SetOnClick([&](Object*) { ++okClicks; });
    dialog.plain->SetOnClick([&](Object*) { ++plainClicks; });
    const ScopedHandler enter(&Form::SetModalRunner, [&](Form& form) {
        TestDriver driver(form);
        dialog.plain->SetFocus();
        driver.PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(plainClicks, 0);

    const ScopedHandler escape(&Form::SetModalRunner, [&](Form& form) {
        TestDriver driver(form);
        dialog.ok->SetFocus();
        driver.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(okClicks, 1);

    // With no default button the focused button takes Enter itself; a disabled default
    // button does not take it either.
    dialog.ok->SetEnabled(false);
    const ScopedHandler focused(&Form::SetModalRunner, [&](Form& form) {
        TestDriver driver(form);
        dialog.plain->SetFocus();
        driver.PressKey(VK_RETURN);
        EXPECT_EQ(plainClicks, 1);
        driver.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(ButtonTest, SpaceShowsThePressAndClicksOnRelease)
{
    OkCancelForm dialog;
    dialog.Show();
    TestDriver driver(dialog);
    int clicks = 0;
    dialog.plain->SetOnClick([&](Object*) { ++clicks; });
    dialog.plain->SetFocus();

    driver.KeyDown(VK_SPACE);
    EXPECT_TRUE(dialog.plain->Pressed());
    EXPECT_EQ(clicks, 0);
    driver.KeyUp(VK_SPACE);
    EXPECT_FALSE(dialog.plain->Pressed());
    EXPECT_EQ(clicks, 1);

    // Focus leaving while Space is down cancels the press.
    driver.KeyDown(VK_SPACE);
    dialog.cancel->SetFocus();
    EXPECT_FALSE(dialog.plain->Pressed());
    driver.KeyUp(VK_SPACE);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ThePressedLookFollowsTheMouseAndOnlyAReleaseInsideClicks)
{
    OkCancelForm dialog;
    dialog.Show();
    TestDriver driver(dialog);
    int clicks = 0;
    dialog.plain->SetOnClick([&](Object*) { ++clicks; });
    const Point inside = driver.CentreOf(*dialog.plain);
    const Point outside{inside.X, inside.Y - 40};

    driver.Press(inside);
    EXPECT_TRUE(dialog.plain->Pressed());
    EXPECT_EQ(FocusedControl(), dialog.plain) << "a press focuses the button";
    driver.MoveTo(outside);
    EXPECT_FALSE(dialog.plain->Pressed());
    driver.MoveTo(inside);
    EXPECT_TRUE(dialog.plain->Pressed());
    driver.MoveTo(outside);
    driver.Release(outside);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(dialog.plain->Pressed());

    driver.Advance(1000);
    driver.Click(inside);
    driver.Click(inside);
    EXPECT_EQ(clicks, 2) << "two quick clicks are two clicks";
}

TEST_F(ButtonTest, AButtonMayFreeItsFormFromItsOwnClick)
{
    auto* dialog = new OkCancelForm;
    dialog->Show();
    WeakRef<Form> alive(dialog);
    {
        TestDriver driver(*dialog);
        dialog->plain->SetOnClick([&](Object*) { delete dialog; });
        driver.ClickOn(*dialog->plain);
        EXPECT_FALSE(alive);
    }
    // Space frees it from KeyUp just the same.
    dialog = new OkCancelForm;
    dialog->Show();
    alive = dialog;
    TestDriver driver(*dialog);
    dialog->plain->SetOnClick([&](Object*) { delete dialog; });
    dialog->plain->SetFocus();
    driver.PressKey(VK_SPACE);
    EXPECT_FALSE(alive);
}

TEST_F(ButtonTest, PaintsTheFaceTheDefaultFrameThePressAndTheFocusFrame)
{
    OkCancelForm dialog;
    dialog.Show();
    TestDriver driver(dialog);
    dialog.cancel->SetFocus();

    Bitmap plain = RenderToBitmap(*dialog.plain);
    EXPECT_EQ(plain.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(plain.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(plain.Pixel(3, 3), ColorToRGB(clBtnFace)) << "no focus frame";

    // The default button wears a two-pixel highlight frame.
    Bitmap ok = RenderToBitmap(*dialog.ok);
    EXPECT_EQ(ok.Pixel(0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(ok.Pixel(1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(ok.Pixel(2, 2), ColorToRGB(clBtnFace));

    // Focused: a dotted frame three pixels in, every other pixel inverted.
    Bitmap cancel = RenderToBitmap(*dialog.cancel);
    const Color face = ColorToRGB(clBtnFace);
    EXPECT_EQ(cancel.Pixel(0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(cancel.Pixel(3, 3), face ^ 0xFFFFFF);
    EXPECT_EQ(cancel.Pixel(4, 3), face);
    EXPECT_EQ(cancel.Pixel(5, 3), face ^ 0xFFFFFF);

    // Pressed, the face darkens and the caption moves one pixel right and down.
    driver.Press(driver.CentreOf(*dialog.plain));
    Bitmap pressed = RenderToBitmap(*dialog.plain);
    EXPECT_NE(pressed.Pixel(1, 1), face);
    int firstInkBefore = -1;
    int firstInkAfter = -1;
    for (int x = 0; x < plain.Width() && (firstInkBefore < 0 || firstInkAfter < 0); ++x) {
        const int y = plain.Height() / 2;
        if (firstInkBefore < 0 && plain.Pixel(x, y) == ColorToRGB(clBtnText)) {
            firstInkBefore = x;
        }
        if (firstInkAfter < 0 && pressed.Pixel(x, y + 1) == ColorToRGB(clBtnText)) {
            firstInkAfter = x;
        }
    }
    ASSERT_GE(firstInkBefore, 0);
    EXPECT_EQ(firstInkAfter, firstInkBefore + 1);
    driver.Release(driver.CentreOf(*dialog.plain));
}
