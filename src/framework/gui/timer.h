#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "framework/core/object.h"

namespace fw {

class Timer;

// A millisecond clock that also keeps the running timers and fires them when they are due.
// Everything happens on the one main thread: a timer fires only when whoever drives the
// clock asks for it (the Qt event loop through QtTimerDriver, or a test through
// VirtualClock::Advance), never in the middle of other code.
//
// Firing is safe against anything a tick does: a timer may stop, restart or free itself,
// free its owner or other timers, or start new ones. Each step picks the earliest due
// timer anew, so a freed timer is never touched and none of the others is skipped.
class Clock {
public:
    Clock() = default;
    virtual ~Clock();
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    // Milliseconds since some fixed moment; never goes back.
    virtual std::int64_t Now() const = 0;

    // Fires, one after the other in the order of their due times (ties in the order they
    // were started), every timer that is due now. A timer that runs on fires again one
    // interval after the moment it fired, so one call fires each timer at most once.
    void FireDueTimers();
    // When the next timer is due; none while no timer runs.
    std::optional<std::int64_t> NextDue() const;
    int RunningTimerCount() const { return static_cast<int>(entries_.size()); }

protected:
    // Told whenever the earliest due time may have changed, so that a driver can re-arm its
    // wake-up; VirtualClock needs none.
    virtual void ScheduleChanged() {}
    // Fires the earliest timer due at or before the moment; false when there is none.
    bool FireNextDueBy(std::int64_t moment);

private:
    friend class Timer;
    struct Entry {
        Timer* timer;
        std::int64_t due;
        std::uint64_t order;
    };

    void Schedule(Timer& timer, std::int64_t due);
    void Unschedule(Timer& timer);
    std::vector<Entry>::iterator Earliest();

    std::vector<Entry> entries_;
    std::uint64_t nextOrder_ = 0;
};

// The real time of a monotonic clock. Its owner (the Qt timer driver in the program) learns
// through the wake-up handler when to call FireDueTimers next.
class SystemClock : public Clock {
public:
    SystemClock();

    std::int64_t Now() const override;

    // Called with the next due time, or none, whenever it may have changed.
    using WakeUpHandler = std::function<void(std::optional<std::int64_t> due)>;
    void SetWakeUpHandler(WakeUpHandler handler);

protected:
    void ScheduleChanged() override;

private:
    std::int64_t start_;
    WakeUpHandler wakeUp_;
};

// A clock that stands still until told to move: timers fire deterministically in tests.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(std::int64_t start = 0) : now_(start) {}

    std::int64_t Now() const override { return now_; }

    // Moves time forward by ms (nothing for 0 or less), stopping at each due time on the way
    // to fire the timers due then, so ticks see the time they were due at and a timer with a
    // 200-ms interval fires five times in Advance(1000).
    void Advance(std::int64_t ms);

private:
    std::int64_t now_;
};

// A component that calls OnTimer every Interval milliseconds while Enabled. It runs only
// with a positive interval, Enabled and an OnTimer handler; changing any of them restarts
// the count from now. It runs on the application's clock of the moment it starts.
class Timer : public Component {
public:
    using TimerEvent = std::function<void(Object* sender)>;

    explicit Timer(Component* owner = nullptr);
    ~Timer() override;

    std::string_view className() const override { return "TTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // In milliseconds; 1000 by default. 0 stops the timer.
    int Interval() const { return interval_; }
    void SetInterval(int interval);
    const TimerEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TimerEvent handler);

    // Whether a tick is pending on a clock right now.
    bool Running() const { return clock_ != nullptr; }

protected:
    // Runs OnTimer; derived timers may add to it.
    virtual void DoTimer();

private:
    friend class Clock;

    void Update();
    void Stop();

    bool enabled_ = true;
    int interval_ = 1000;
    TimerEvent onTimer_;
    Clock* clock_ = nullptr;
    // Watched by the clock during a tick: expired once the timer is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Set when the timer was (re)scheduled during its own tick.
    bool rescheduledInTick_ = false;
};

} // namespace fw
