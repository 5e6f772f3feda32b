#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/system_colours.h"
#include "framework/gui/control.h"

namespace fw {

class Clock;
class SystemClock;
class Form;

// The sounds of MessageBeep, named after the message-box icons they go with.
enum class BeepKind { Default, Stop, Question, Warning, Information };

// The program as a whole: its title, where it was started from and with what, the timing
// settings of the controls, the clock its timers run on, and the one place every error that
// escapes an event handler, a posted message, a timer or a modal dialog ends up.
//
// There is one, reached through Instance(). It owns the components made with it as owner
// (the main window and its helpers); the program frees them with FreeComponents before
// leaving main, while the window system is still there.
class Application : public Component {
public:
    static Application& Instance();

    Application();
    ~Application() override;

    std::string_view className() const override { return "TApplication"; }

    // The caption of the standard error box, the message boxes and the main window.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // The command line as started, the program first. Without one, the program is the
    // running executable and there are no parameters.
    void SetCommandLine(std::vector<std::string> arguments);
    void SetCommandLine(int argc, const char* const* argv);
    // How many parameters follow the program.
    int ParamCount() const;
    // Parameter `index` (1..ParamCount); 0 is the program's path; "" outside that range.
    std::string ParamStr(int index) const;
    // The absolute path of the program; a test may set another.
    std::string ExeName() const;
    void SetExeName(std::string path) { exeName_ = std::move(path); }
    // The program's folder with a trailing '/'.
    std::string ExeFolder() const;

    // How long the pointer rests on a control before its hint shows, in ms.
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    // How long a hint stays up, in ms.
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    Color HintColor() const { return hintColor_; }
    void SetHintColor(Color colour) { hintColor_ = colour; }
    // The longest time between the two presses of a double click, in ms.
    int DoubleClickTime() const { return doubleClickTime_; }
    void SetDoubleClickTime(int ms) { doubleClickTime_ = ms; }

    // Where errors go. Every entry from the window system runs inside GuardedCall, which
    // hands what escapes to HandleException: OnException when set (the program installs its
    // exception dialog there), else ShowException. An error inside the handler itself falls
    // back to ShowException, and one inside that is dropped: nothing may leave the hook.
    using ExceptionEvent = std::function<void(const std::exception& error)>;
    const ExceptionEvent& OnException() const { return onException_; }
    void SetOnException(ExceptionEvent handler) { onException_ = std::move(handler); }
    void HandleException(const std::exception& error);
    // The standard error box: the message (with a full stop added when it ends in anything
    // above '.', as the platform's box does), the title as caption, a stop icon and OK,
    // through the message-box seam.
    void ShowException(const std::exception& error);

    // Lets everything that waits run now: the window system's events (through the event
    // pump the Qt side installs; nothing headless), then the posted messages, then the
    // pending paints.
    void ProcessMessages();
    using EventPump = std::function<void()>;
    void SetEventPump(EventPump pump) { eventPump_ = std::move(pump); }
    // One round of a nested loop (a modal edit): waits for the window system's next event
    // and handles it (through the waiting pump the Qt side installs; the wait also lets the
    // windows of new controls appear), then the posted messages and pending paints.
    // Headless there is nothing to wait for: it is ProcessMessages, with a pause of a
    // millisecond on the system clock so that a loop on it does not spin.
    void HandleMessage();
    void SetWaitingEventPump(EventPump pump) { waitingEventPump_ = std::move(pump); }

    // The system sound; silent until the Qt side (or a test) installs a handler.
    void MessageBeep(BeepKind kind = BeepKind::Default);
    using BeepHandler = std::function<void(BeepKind kind)>;
    void SetBeepHandler(BeepHandler handler) { beepHandler_ = std::move(handler); }

    // The clock the timers run on: the system clock unless another is set (a test's virtual
    // clock); setting none returns to the system clock. Running timers keep the clock they
    // started on.
    Clock& GetClock() const;
    // Answers the clock set before (none for the system clock).
    Clock* SetClock(Clock* clock);
    SystemClock& GetSystemClock() const { return *systemClock_; }

    // The program's main window: closing it ends the program. None until the program sets
    // it; cleared when the form goes.
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form);

    // Frees every component the application owns, the newest first.
    void FreeComponents() { DestroyComponents(); }

    // Ends the program: every modal form's loop ends with Cancel and the terminate handler
    // (the Qt side quits its event loop) runs once. Closing the main form calls it.
    void Terminate();
    bool Terminated() const { return terminated_; }
    using TerminateHandler = std::function<void()>;
    void SetTerminateHandler(TerminateHandler handler) { terminateHandler_ = std::move(handler); }

protected:
    void Notification(Component* component, Operation operation) override;

private:
    std::string title_;
    std::vector<std::string> arguments_;
    std::string exeName_;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    Color hintColor_ = clInfoBk;
    int doubleClickTime_ = 500;
    ExceptionEvent onException_;
    EventPump eventPump_;
    EventPump waitingEventPump_;
    BeepHandler beepHandler_;
    std::unique_ptr<SystemClock> systemClock_;
    Clock* clock_ = nullptr;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    TerminateHandler terminateHandler_;
};

// The application, shorter.
inline Application& App()
{
    return Application::Instance();
}

// The screen the program runs on: its size (fixed in tests, the primary screen's in the
// program), the cursor that overrides every control's (the hourglass), and the forms with
// the active one.
class Screen {
public:
    static Screen& Instance();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Tests fix a size; the Qt side sets the primary screen's and follows its changes.
    void SetSize(int width, int height);

    // crDefault lets every control show its own cursor; anything else shows everywhere.
    fw::Cursor Cursor() const { return cursor_; }
    void SetCursor(fw::Cursor cursor);
    using CursorHandler = std::function<void(fw::Cursor cursor)>;
    void SetCursorHandler(CursorHandler handler) { cursorHandler_ = std::move(handler); }

    // Every form that exists, in the order they were made.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    Form* Forms(int index) const;
    // The form shown or activated last; none when no form is shown.
    Form* ActiveForm() const { return activeForm_; }
    void SetActiveForm(Form* form);
    // The focused control.
    WinControl* ActiveControl() const { return FocusedControl(); }

    // Forms join and leave through their constructor and destructor.
    void AddForm(Form* form);
    void RemoveForm(Form* form);
    // A form was hidden: when it was the active one, the newest form still shown takes
    // over, as the window system activates the next window in line.
    void FormHidden(Form* form);

private:
    int width_ = 1024;
    int height_ = 768;
    fw::Cursor cursor_ = crDefault;
    CursorHandler cursorHandler_;
    std::vector<Form*> forms_;
    Form* activeForm_ = nullptr;
};

inline Screen& GetScreen()
{
    return Screen::Instance();
}

// Shows a cursor on the whole screen for the life of the scope (the hourglass during long
// work) and puts the previous one back on every path out.
class ScopedCursor {
public:
    explicit ScopedCursor(fw::Cursor cursor = crHourGlass);
    ~ScopedCursor();
    ScopedCursor(const ScopedCursor&) = delete;
    ScopedCursor& operator=(const ScopedCursor&) = delete;

private:
    fw::Cursor previous_;
};

// Runs the call and hands anything it throws to the application's exception hook; true when
// nothing escaped. Every entry from Qt goes through here, because an exception must never
// unwind through Qt's event loop.
bool GuardedCall(const std::function<void()>& call);

// Inside a catch block: hands the error in flight, whatever its type, to the exception hook.
// Errors that are no std::exception reach it as a fw::Exception "Unknown error".
void HandleCurrentException();

// Sets a clock for the life of the scope and puts the previous one back: a test's virtual
// clock.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous_;
};

} // namespace fw
