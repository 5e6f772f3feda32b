#pragma once

#include <functional>

// The model's few signals to the user interface. Each does nothing until the interface
// installs a handler, so the model runs and is tested without a window.
namespace model_hooks {

// Reports the state of one tool action to the main window: enabled, a second enable flag
// and pressed.
using NotifyHandler = std::function<void(int actionId, bool enabled, bool enabled2, bool pressed)>;
void SetNotifyHandler(NotifyHandler handler);
void Notify(int actionId, bool enabled, bool enabled2, bool pressed);

// Shows the busy cursor for as long as long work runs; the handler is called with true when
// the work starts and false when it ends.
using BusyHandler = std::function<void(bool busy)>;
void SetBusyHandler(BusyHandler handler);

// Marks a stretch of long work; nests.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace model_hooks
