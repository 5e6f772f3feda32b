#include "framework/gui/timer.h"

#include <algorithm>
#include <chrono>

#include "framework/gui/application.h"

namespace fw {

Clock::~Clock()
{
    // Timers still waiting here stop; they start again on whatever clock runs when they are
    // next changed.
    for (Entry& entry : entries_) {
        entry.timer->clock_ = nullptr;
    }
}

std::vector<Clock::Entry>::iterator Clock::Earliest()
{
    return std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
}

std::optional<std::int64_t> Clock::NextDue() const
{
    auto earliest = const_cast<Clock*>(this)->Earliest();
    if (earliest == entries_.end()) {
        return std::nullopt;
    }
    return earliest->due;
}

void Clock::Schedule(Timer& timer, std::int64_t due)
{
    // A timer waits at most once: scheduling again only moves its due time.
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.timer == &timer; });
    if (found != entries_.end()) {
        entries_.erase(found);
    }
    entries_.push_back(Entry{&timer, due, nextOrder_++});
    timer.clock_ = this;
    ScheduleChanged();
}

void Clock::Unschedule(Timer& timer)
{
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.timer == &timer; });
    if (found != entries_.end()) {
        entries_.erase(found);
        ScheduleChanged();
    }
}

bool Clock::FireNextDueBy(std::int64_t moment)
{
    auto earliest = Earliest();
    if (earliest == entries_.end() || earliest->due > moment) {
        return false;
    }
    Timer* timer = earliest->timer;
    entries_.erase(earliest);
    // The timer stays bound to this clock during its tick (it is still running unless it
    // stops itself), but waits in no entry, so nothing can fire it twice.
    timer->rescheduledInTick_ = false;
    const std::weak_ptr<bool> alive = timer->alive_;
    GuardedCall([timer] { timer->DoTimer(); });
    if (alive.expired()) {
        return true;
    }
    if (timer->clock_ == this && !timer->rescheduledInTick_) {
        Schedule(*timer, Now() + timer->interval_);
    }
    return true;
}

void Clock::FireDueTimers()
{
    const std::int64_t moment = Now();
    while (FireNextDueBy(moment)) {
    }
}

SystemClock::SystemClock()
    : start_(std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::steady_clock::now().time_since_epoch())
                 .count())
{
}

std::int64_t SystemClock::Now() const
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count() - start_;
}

void SystemClock::SetWakeUpHandler(WakeUpHandler handler)
{
    wakeUp_ = std::move(handler);
    ScheduleChanged();
}

void SystemClock::ScheduleChanged()
{
    if (wakeUp_) {
        wakeUp_(NextDue());
    }
}

void VirtualClock::Advance(std::int64_t ms)
{
    if (ms <= 0) {
        return;
    }
    const std::int64_t target = now_ + ms;
    for (;;) {
        const std::optional<std::int64_t> due = NextDue();
        if (!due || *due > target) {
            break;
        }
        now_ = std::max(now_, *due);
        FireNextDueBy(now_);
    }
    now_ = target;
}

Timer::Timer(Component* owner) : Component(owner) {}

Timer::~Timer()
{
    Stop();
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void Timer::SetInterval(int interval)
{
    if (interval != interval_) {
        interval_ = interval;
        Update();
    }
}

void Timer::SetOnTimer(TimerEvent handler)
{
    onTimer_ = std::move(handler);
    Update();
}

void Timer::DoTimer()
{
    if (onTimer_) {
        // A copy: the handler may replace itself (or free the timer) while it runs.
        const TimerEvent handler = onTimer_;
        handler(this);
    }
}

void Timer::Stop()
{
    if (clock_ != nullptr) {
        Clock* clock = clock_;
        clock_ = nullptr;
        clock->Unschedule(*this);
    }
}

void Timer::Update()
{
    Stop();
    if (enabled_ && interval_ > 0 && onTimer_ && !Destroying()) {
        Clock& clock = Application::Instance().GetClock();
        clock.Schedule(*this, clock.Now() + interval_);
        rescheduledInTick_ = true;
    }
}

} // namespace fw
