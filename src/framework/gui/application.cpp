#include "framework/gui/application.h"

#include <chrono>
#include <thread>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/core/exceptions.h"
#include "framework/core/files.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/timer.h"

namespace fw {

Application& Application::Instance()
{
    static Application application;
    return application;
}

Application::Application() : systemClock_(std::make_unique<SystemClock>())
{
    // The screen is made first so that it outlives the application's forms at exit.
    Screen::Instance();
}

Application::~Application()
{
    // The forms go while the clock and the handlers they may use still exist.
    DestroyComponents();
}

void Application::SetCommandLine(std::vector<std::string> arguments)
{
    arguments_ = std::move(arguments);
}

void Application::SetCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.emplace_back(argv[i] != nullptr ? argv[i] : "");
    }
    SetCommandLine(std::move(arguments));
}

int Application::ParamCount() const
{
    return arguments_.empty() ? 0 : static_cast<int>(arguments_.size()) - 1;
}

std::string Application::ParamStr(int index) const
{
    if (index == 0) {
        return ExeName();
    }
    if (index < 0 || index > ParamCount()) {
        return {};
    }
    return arguments_[static_cast<size_t>(index)];
}

std::string Application::ExeName() const
{
    if (!exeName_.empty()) {
        return exeName_;
    }
    std::error_code error;
    const std::filesystem::path running = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return running.string();
    }
    if (!arguments_.empty()) {
        const std::filesystem::path started = std::filesystem::absolute(arguments_.front(), error);
        return error ? arguments_.front() : started.lexically_normal().string();
    }
    return ProgramFolder();
}

std::string Application::ExeFolder() const
{
    return ExtractFilePath(ExeName());
}

void Application::HandleException(const std::exception& error)
{
    if (onException_) {
        try {
            // A copy: the handler may replace itself.
            const ExceptionEvent handler = onException_;
            handler(error);
            return;
        } catch (...) {
            // The hook failed; the standard box still tells the user about the first error.
        }
    }
    try {
        ShowException(error);
    } catch (...) {
        // Nothing is left to show it with; an exception must not leave the hook.
    }
}

void Application::ShowException(const std::exception& error)
{
    std::string message = ErrorMessage(error);
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        message += '.';
    }
    MessageBox(message, title_, MessageBoxButtons::OK, MessageBoxIcon::Stop);
}

void Application::ProcessMessages()
{
    if (eventPump_) {
        GuardedCall(eventPump_);
    }
    // A handler that fails leaves the rest of the queue waiting; go on with it after the
    // hook has shown the error.
    while (!GuardedCall([] { ProcessPostedMessages(); })) {
    }
    // A paint that fails stays pending; it is tried again next time, not in a loop here.
    GuardedCall([] { PaintPendingControls(); });
}

void Application::HandleMessage()
{
    if (waitingEventPump_) {
        GuardedCall(waitingEventPump_);
    } else if (&GetClock() == static_cast<Clock*>(systemClock_.get())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ProcessMessages();
}

void Application::MessageBeep(BeepKind kind)
{
    if (beepHandler_) {
        beepHandler_(kind);
    }
}

Clock& Application::GetClock() const
{
    return clock_ != nullptr ? *clock_ : *systemClock_;
}

Clock* Application::SetClock(Clock* clock)
{
    return std::exchange(clock_, clock);
}

void Application::SetMainForm(Form* form)
{
    if (mainForm_ != nullptr) {
        mainForm_->RemoveFreeNotification(this);
    }
    mainForm_ = form;
    if (form != nullptr) {
        form->FreeNotification(this);
    }
}

void Application::Notification(Component* component, Operation operation)
{
    Component::Notification(component, operation);
    if (operation == Operation::Remove && component == mainForm_) {
        mainForm_ = nullptr;
    }
}

void Application::Terminate()
{
    if (terminated_) {
        return;
    }
    terminated_ = true;
    Screen& screen = Screen::Instance();
    for (int i = 0; i < screen.FormCount(); ++i) {
        Form* form = screen.Forms(i);
        if (form->Modal()) {
            form->SetModalResult(mrCancel);
        }
    }
    if (terminateHandler_) {
        terminateHandler_();
    }
}

Screen& Screen::Instance()
{
    static Screen screen;
    return screen;
}

void Screen::SetSize(int width, int height)
{
    width_ = width;
    height_ = height;
}

void Screen::SetCursor(fw::Cursor cursor)
{
    if (cursor == cursor_) {
        return;
    }
    cursor_ = cursor;
    if (cursorHandler_) {
        cursorHandler_(cursor);
    }
}

Form* Screen::Forms(int index) const
{
    if (index < 0 || index >= FormCount()) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return forms_[static_cast<size_t>(index)];
}

void Screen::SetActiveForm(Form* form)
{
    activeForm_ = form;
}

void Screen::AddForm(Form* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) {
        forms_.push_back(form);
    }
}

void Screen::RemoveForm(Form* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    FormHidden(form);
}

void Screen::FormHidden(Form* form)
{
    if (activeForm_ != form) {
        return;
    }
    activeForm_ = nullptr;
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if (*it != form && (*it)->Visible()) {
            activeForm_ = *it;
            break;
        }
    }
}

ScopedCursor::ScopedCursor(fw::Cursor cursor) : previous_(Screen::Instance().Cursor())
{
    Screen::Instance().SetCursor(cursor);
}

ScopedCursor::~ScopedCursor()
{
    Screen::Instance().SetCursor(previous_);
}

bool GuardedCall(const std::function<void()>& call)
{
    try {
        call();
        return true;
    } catch (...) {
        HandleCurrentException();
        return false;
    }
}

void HandleCurrentException()
{
    try {
        throw;
    } catch (const std::exception& error) {
        Application::Instance().HandleException(error);
    } catch (...) {
        Application::Instance().HandleException(Exception("Unknown error"));
    }
}

ScopedClock::ScopedClock(Clock& clock) : previous_(Application::Instance().SetClock(&clock)) {}

ScopedClock::~ScopedClock()
{
    Application::Instance().SetClock(previous_);
}

} // namespace fw
