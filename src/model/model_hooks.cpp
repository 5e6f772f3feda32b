#include "model/model_hooks.h"

namespace model_hooks {

namespace {

NotifyHandler& CurrentNotify()
{
    static NotifyHandler handler;
    return handler;
}

BusyHandler& CurrentBusy()
{
    static BusyHandler handler;
    return handler;
}

int busyDepth = 0;

} // namespace

void SetNotifyHandler(NotifyHandler handler)
{
    CurrentNotify() = std::move(handler);
}

void Notify(int actionId, bool enabled, bool enabled2, bool pressed)
{
    if (const NotifyHandler& handler = CurrentNotify()) {
        handler(actionId, enabled, enabled2, pressed);
    }
}

void SetBusyHandler(BusyHandler handler)
{
    CurrentBusy() = std::move(handler);
}

BusyScope::BusyScope()
{
    if (busyDepth++ == 0) {
        if (const BusyHandler& handler = CurrentBusy()) {
            handler(true);
        }
    }
}

BusyScope::~BusyScope()
{
    if (--busyDepth == 0) {
        if (const BusyHandler& handler = CurrentBusy()) {
            handler(false);
        }
    }
}

} // namespace model_hooks
