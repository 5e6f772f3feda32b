#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"

using fw::App;

namespace {

// Puts the application's settings that a test changes back as they were.
class ApplicationState : public testing::Test {
protected:
    void SetUp() override
    {
        fw::ClearPostedMessages();
        hook_ = App().OnException();
        title_ = App().Title();
    }
    void TearDown() override
    {
        App().SetOnException(hook_);
        App().SetTitle(title_);
        App().SetCommandLine({});
        App().SetExeName({});
        App().SetEventPump({});
        App().SetBeepHandler({});
        fw::Screen::Instance().SetCursorHandler({});
        fw::ClearPostedMessages();
    }

private:
    fw::Application::ExceptionEvent hook_;
    std::string title_;
};

// A receiver that records its posted messages; message 13 fails.
class Receiver : public fw::MessageTarget {
public:
    std::vector<int> received;

    void Dispatch(fw::Message& message) override
    {
        received.push_back(message.Msg);
        if (message.Msg == 13) {
            throw fw::EConvertError("Unlucky message");
        }
    }
};

// Counts its paints.
class PaintedControl : public fw::Control {
public:
    int paints = 0;

protected:
    void Paint() override { ++paints; }
};

} // namespace

using ApplicationTest = ApplicationState;

TEST_F(ApplicationTest, CommandLineByIndex)
{
    App().SetExeName("/opt/tavelin/bin/tavelin");
    App().SetCommandLine({"tavelin", "first.tvl", "second file.tvl"});
    EXPECT_EQ(App().ParamCount(), 2);
    EXPECT_EQ(App().ParamStr(0), "/opt/tavelin/bin/tavelin");
    EXPECT_EQ(App().ParamStr(1), "first.tvl");
    EXPECT_EQ(App().ParamStr(2), "second file.tvl");
    EXPECT_EQ(App().ParamStr(3), "");
    EXPECT_EQ(App().ParamStr(-1), "");
    EXPECT_EQ(App().ExeFolder(), "/opt/tavelin/bin/");

    // Without a set name the program is the running executable.
    App().SetExeName({});
    App().SetCommandLine({});
    EXPECT_EQ(App().ParamCount(), 0);
    EXPECT_NE(App().ExeName().find("framework_gui_tests"), std::string::npos);
    EXPECT_EQ(App().ExeFolder().back(), '/');
}

TEST_F(ApplicationTest, ErrorsEscapingAHandlerReachTheHook)
{
    std::vector<std::string> shown;
    App().SetOnException([&](const std::exception& error) { shown.push_back(fw::ErrorMessage(error)); });

    EXPECT_TRUE(fw::GuardedCall([] {}));
    EXPECT_FALSE(fw::GuardedCall([] { throw fw::EConvertError("'x' is not a valid integer value"); }));
    EXPECT_FALSE(fw::GuardedCall([] { throw std::runtime_error("standard"); }));
    EXPECT_FALSE(fw::GuardedCall([] { throw 42; }));
    EXPECT_EQ(shown, (std::vector<std::string>{"'x' is not a valid integer value", "standard", "Unknown error"}));
}

TEST_F(ApplicationTest, WithoutAHookOrWhenItFailsTheStandardErrorBoxShows)
{
    App().SetTitle("Tavelin");
    std::vector<fw::MessageBoxRequest> asked;
    const fw::ScopedHandler script(&fw::SetMessageBoxHandler, [&](const fw::MessageBoxRequest& request) {
        asked.push_back(request);
        return fw::mrOk;
    });

    App().SetOnException({});
    fw::GuardedCall([] { throw fw::EFileError("Cannot open file a.tvl"); });
    fw::GuardedCall([] { throw fw::EFileError("Done."); });
    // A hook that fails itself still lets the user see the first error, never its own.
    App().SetOnException([](const std::exception&) { throw std::runtime_error("hook broke"); });
    fw::GuardedCall([] { throw fw::EListError("List index out of bounds (5)"); });

    ASSERT_EQ(asked.size(), 3u);
    // The platform's box adds a full stop after any character above '.' (letters, digits),
    // not after punctuation such as ')' or '.' itself.
    EXPECT_EQ(asked[0].Text, "Cannot open file a.tvl.");
    EXPECT_EQ(asked[0].Caption, "Tavelin");
    EXPECT_EQ(asked[0].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(asked[0].Buttons, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    EXPECT_EQ(asked[1].Text, "Done.");
    EXPECT_EQ(asked[2].Text, "List index out of bounds (5)");

    // Even a failing message box does not let the error out.
    const fw::ScopedHandler broken(&fw::SetMessageBoxHandler, [](const fw::MessageBoxRequest&) -> fw::ModalResult {
        throw std::runtime_error("no display");
    });
    App().SetOnException({});
    EXPECT_FALSE(fw::GuardedCall([] { throw std::runtime_error("first"); }));
}

TEST_F(ApplicationTest, ProcessMessagesDeliversPostedMessagesThenPaints)
{
    std::vector<std::string> shown;
    App().SetOnException([&](const std::exception& error) { shown.push_back(error.what()); });
    int pumped = 0;
    App().SetEventPump([&] { ++pumped; });

    Receiver receiver;
    PaintedControl control;
    control.SetBounds(0, 0, 10, 10);
    control.Invalidate();
    fw::PostMessage(&receiver, 12);
    fw::PostMessage(&receiver, 13);
    fw::PostMessage(&receiver, 14);
    {
        Receiver gone;
        fw::PostMessage(&gone, 99);
    }
    App().ProcessMessages();

    EXPECT_EQ(pumped, 1);
    // The failing message is shown and the rest of the queue still delivered.
    EXPECT_EQ(receiver.received, (std::vector<int>{12, 13, 14}));
    EXPECT_EQ(shown, (std::vector<std::string>{"Unlucky message"}));
    EXPECT_EQ(fw::PostedMessageCount(), 0u);
    EXPECT_EQ(control.paints, 1);
    App().ProcessMessages();
    EXPECT_EQ(control.paints, 1);
}

TEST_F(ApplicationTest, ScreenCursorIsRestoredOnEveryWayOut)
{
    std::vector<fw::Cursor> shown;
    fw::Screen::Instance().SetCursorHandler([&](fw::Cursor cursor) { shown.push_back(cursor); });
    ASSERT_EQ(fw::Screen::Instance().Cursor(), fw::crDefault);
    try {
        const fw::ScopedCursor busy;
        EXPECT_EQ(fw::Screen::Instance().Cursor(), fw::crHourGlass);
        {
            const fw::ScopedCursor inner(fw::crHourGlass); // no change, nothing to tell
        }
        EXPECT_EQ(fw::Screen::Instance().Cursor(), fw::crHourGlass);
        throw std::runtime_error("long work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(fw::Screen::Instance().Cursor(), fw::crDefault);
    EXPECT_EQ(shown, (std::vector<fw::Cursor>{fw::crHourGlass, fw::crDefault}));
}
