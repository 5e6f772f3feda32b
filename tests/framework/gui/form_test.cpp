#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"

using fw::Form;

namespace {

// A push button as far as forms care: a click sets the form's ModalResult.
class ResultButton : public fw::Control {
public:
    ResultButton(Form& form, fw::ModalResult result) : fw::Control(&form), form_(form), result_(result)
    {
        SetParent(&form);
    }
    int clicks = 0;
    void Click() override
    {
        ++clicks;
        fw::Control::Click();
        form_.SetModalResult(result_);
    }

private:
    Form& form_;
    fw::ModalResult result_;
};

// A name dialog: an edit the user types into, OK and Cancel.
class NameForm : public Form {
public:
    NameForm() : edit(new fw::Control(this)), ok(new ResultButton(*this, fw::mrOk)), cancel(new ResultButton(*this, fw::mrCancel))
    {
        SetCaption("Name");
        SetBounds(0, 0, 300, 120);
        edit->SetParent(this);
        SetDefaultButton(ok);
        SetCancelButton(cancel);
        FinishLoading();
    }
    fw::Control* edit;
    ResultButton* ok;
    ResultButton* cancel;
};

// Records Loaded() calls into a shared log.
class LoggingControl : public fw::Control {
public:
    LoggingControl(fw::Component* owner, std::string name, std::vector<std::string>& log)
        : fw::Control(owner), name_(std::move(name)), log_(log)
    {
    }
    void Loaded() override
    {
        fw::Control::Loaded();
        log_.push_back(name_);
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class FormTest : public testing::Test {
protected:
    void SetUp() override
    {
        fw::ClearPostedMessages();
        fw::Screen::Instance().SetSize(1000, 800);
    }
    void TearDown() override
    {
        Form::SetModalRunner({});
        fw::ClearPostedMessages();
    }
};

} // namespace

TEST_F(FormTest, AScriptedModalDialogReturnsWhatTheUserChose)
{
    Form main;
    main.FinishLoading();
    main.Show();
    ASSERT_EQ(fw::Screen::Instance().ActiveForm(), &main);

    NameForm dialog;
    dialog.SetPosition(fw::FormPosition::ScreenCenter);
    std::vector<std::string> events;
    dialog.SetOnShow([&](fw::Object*) { events.push_back("show"); });
    dialog.SetOnHide([&](fw::Object*) { events.push_back("hide"); });
    dialog.SetOnClose([&](fw::Object*, fw::CloseAction& action) {
        events.push_back("close");
        EXPECT_EQ(action, fw::CloseAction::Hide);
    });
    int runs = 0;
    const fw::ScopedHandler script(&Form::SetModalRunner, [&](Form& form) {
        ++runs;
        // While the loop runs the form shows, centred, as the active modal form.
        EXPECT_EQ(&form, &dialog);
        EXPECT_TRUE(form.Visible());
        EXPECT_TRUE(form.Modal());
        EXPECT_EQ(fw::Screen::Instance().ActiveForm(), &dialog);
        EXPECT_EQ(form.BoundsRect(), (fw::Rect{350, 340, 650, 460}));
        dialog.edit->SetText("Diamonds");
        dialog.ok->Click();
    });

    EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(dialog.edit->Text(), "Diamonds");
    EXPECT_EQ(events, (std::vector<std::string>{"show", "close", "hide"}));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(fw::Screen::Instance().ActiveForm(), &main);

    // A loop that ends without a result counts as Cancel; the form can be shown again.
    const fw::ScopedHandler nothing(&Form::SetModalRunner, [](Form&) {});
    EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
}

TEST_F(FormTest, TheCloseQueryCanHoldTheModalLoop)
{
    NameForm dialog;
    bool allow = false;
    int queries = 0;
    dialog.SetOnCloseQuery([&](fw::Object*, bool& canClose) {
        ++queries;
        canClose = allow;
    });
    const fw::ScopedHandler script(&Form::SetModalRunner, [&](Form& form) {
        form.SetModalResult(fw::mrOk);
        EXPECT_FALSE(form.ModalLoopDone()); // refused: the result is taken back
        EXPECT_EQ(form.GetModalResult(), fw::mrNone);
        allow = true;
        form.Close(); // a modal form's close is a Cancel
        EXPECT_TRUE(form.ModalLoopDone());
        EXPECT_TRUE(form.ModalLoopDone()); // asked once only
    });
    EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
    EXPECT_EQ(queries, 2);
}

TEST_F(FormTest, EnterAndEscClickTheDefaultAndCancelButtons)
{
    NameForm dialog;
    const fw::ScopedHandler script(&Form::SetModalRunner, [&](Form& form) {
        // With a modifier the keys are not dialog keys for the buttons.
        EXPECT_EQ(form.Perform(fw::CM_DIALOGKEY, fw::VK_RETURN, fw::ShiftState{fw::ShiftFlag::Ctrl}.Bits()), 0);
        dialog.ok->SetEnabled(false);
        EXPECT_EQ(form.Perform(fw::CM_DIALOGKEY, fw::VK_RETURN), 0);
        EXPECT_EQ(form.GetModalResult(), fw::mrNone);
        dialog.ok->SetEnabled(true);
        EXPECT_EQ(form.Perform(fw::CM_DIALOGKEY, fw::VK_RETURN), 1);
    });
    EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
    EXPECT_EQ(dialog.ok->clicks, 1);

    const fw::ScopedHandler escape(&Form::SetModalRunner, [&](Form& form) {
        EXPECT_EQ(form.Perform(fw::CM_DIALOGKEY, fw::VK_ESCAPE), 1);
    });
    EXPECT_EQ(dialog.ShowModal(), fw::mrCancel);
    EXPECT_EQ(dialog.cancel->clicks, 1);

    // Without buttons the keys stay unused.
    Form bare;
    EXPECT_EQ(bare.Perform(fw::CM_DIALOGKEY, fw::VK_RETURN), 0);
    EXPECT_EQ(bare.Perform(fw::CM_DIALOGKEY, fw::VK_ESCAPE), 0);
}

TEST_F(FormTest, ShowModalRefusesAndCleansUp)
{
    NameForm dialog;
    // No loop installed: a dialog nobody scripted is an error, not a silent answer.
    EXPECT_THROW(dialog.ShowModal(), fw::EInvalidOperation);
    EXPECT_FALSE(dialog.Visible());

    const fw::ScopedHandler script(&Form::SetModalRunner, [](Form& form) {
        EXPECT_THROW(form.ShowModal(), fw::EInvalidOperation); // visible already
        throw std::runtime_error("script failed");
    });
    EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());

    // An error in OnShow leaves the form hidden and not modal either.
    dialog.SetOnShow([](fw::Object*) { throw std::runtime_error("show failed"); });
    EXPECT_THROW(dialog.ShowModal(), std::runtime_error);
    EXPECT_FALSE(dialog.Modal());
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(FormTest, AFormFreedInsideItsModalLoopEndsIt)
{
    auto* dialog = new NameForm;
    bool destroyed = false;
    dialog->SetOnDestroy([&](fw::Object*) { destroyed = true; });
    const fw::ScopedHandler script(&Form::SetModalRunner, [](Form& form) { delete &form; });
    EXPECT_EQ(dialog->ShowModal(), fw::mrCancel);
    EXPECT_TRUE(destroyed);
}

TEST_F(FormTest, ClosingAModelessForm)
{
    Form owner;
    owner.SetBounds(100, 100, 400, 300);
    auto* form = new Form(&owner);
    form->SetBounds(0, 0, 200, 100);
    form->SetPosition(fw::FormPosition::OwnerFormCenter);
    form->FinishLoading();
    form->Show();
    EXPECT_EQ(form->BoundsRect(), (fw::Rect{200, 200, 400, 300}));
    EXPECT_EQ(fw::Screen::Instance().ActiveForm(), form);

    bool canClose = false;
    fw::CloseAction closeAction = fw::CloseAction::Hide;
    form->SetOnCloseQuery([&](fw::Object*, bool& allowed) { allowed = canClose; });
    form->SetOnClose([&](fw::Object*, fw::CloseAction& action) { action = closeAction; });

    form->Close();
    EXPECT_TRUE(form->Visible()); // the query said no
    canClose = true;
    form->Perform(fw::WM_CLOSE); // the window's close box
    EXPECT_FALSE(form->Visible());
    EXPECT_NE(fw::Screen::Instance().ActiveForm(), form);

    // Free: the form goes after the current handler, when the posted release arrives.
    form->Show();
    closeAction = fw::CloseAction::Free;
    fw::WeakRef<Form> watch(form);
    form->Close();
    EXPECT_TRUE(watch);
    fw::App().ProcessMessages();
    EXPECT_FALSE(watch);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(FormTest, FinishLoadingRunsLoadedInCreationOrderThenOnCreate)
{
    std::vector<std::string> log;
    Form form;
    new LoggingControl(&form, "first", log);
    new LoggingControl(&form, "second", log);
    form.SetOnCreate([&](fw::Object*) { log.push_back("create"); });
    EXPECT_TRUE(form.Loading());
    form.FinishLoading();
    form.FinishLoading();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "create"}));
    EXPECT_FALSE(form.Loading());

    fw::Frame frame;
    new LoggingControl(&frame, "in frame", log);
    frame.FinishLoading();
    EXPECT_EQ(log.back(), "in frame");
    EXPECT_FALSE(frame.Loading());
}

TEST_F(FormTest, FormsJoinTheScreenWhileTheyExist)
{
    const int before = fw::Screen::Instance().FormCount();
    {
        Form first;
        Form second;
        EXPECT_EQ(fw::Screen::Instance().FormCount(), before + 2);
        EXPECT_EQ(fw::Screen::Instance().Forms(before + 1), &second);
        first.Show();
        second.Show();
        EXPECT_EQ(fw::Screen::Instance().ActiveForm(), &second);
        second.Hide();
        EXPECT_EQ(fw::Screen::Instance().ActiveForm(), &first);
        second.Show();
    }
    EXPECT_EQ(fw::Screen::Instance().FormCount(), before);
    EXPECT_EQ(fw::Screen::Instance().ActiveForm(), nullptr);
}
