#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/qt_timer_driver.h"
#include "framework/gui/timer.h"

using fw::Timer;
using fw::VirtualClock;

namespace {

// What fired when: (time, name).
using Log = std::vector<std::pair<std::int64_t, std::string>>;

Timer* MakeTimer(fw::Component* owner, int interval, const std::string& name, Log& log, VirtualClock& clock)
{
    auto* timer = new Timer(owner);
    timer->SetInterval(interval);
    timer->SetOnTimer([&log, &clock, name](fw::Object*) { log.emplace_back(clock.Now(), name); });
    return timer;
}

} // namespace

TEST(Timer, FiresInTimeOrderAtTheirDueTimes)
{
    VirtualClock clock;
    const fw::ScopedClock use(clock);
    Log log;
    fw::Component owner;
    MakeTimer(&owner, 300, "A", log, clock);
    MakeTimer(&owner, 200, "B", log, clock);
    MakeTimer(&owner, 500, "C", log, clock);

    // One long step stops at every due time on the way; at 600 both A and B are due, and A
    // waits longer (since 300, B since 400), so A goes first.
    clock.Advance(650);
    const Log expected{{200, "B"}, {300, "A"}, {400, "B"}, {500, "C"}, {600, "A"}, {600, "B"}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clock.Now(), 650);

    // Small steps give the same ticks as one long one.
    log.clear();
    for (int i = 0; i < 34; ++i) {
        clock.Advance(10);
    }
    const Log next{{800, "B"}, {900, "A"}};
    EXPECT_EQ(log, next);
}

TEST(Timer, RunsOnlyWithAnIntervalAHandlerAndEnabled)
{
    VirtualClock clock;
    const fw::ScopedClock use(clock);
    int ticks = 0;
    Timer timer;
    EXPECT_FALSE(timer.Running()); // no handler yet
    timer.SetInterval(100);
    timer.SetOnTimer([&](fw::Object* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    EXPECT_TRUE(timer.Running());

    clock.Advance(250);
    EXPECT_EQ(ticks, 2);
    timer.SetEnabled(false);
    clock.Advance(1000);
    EXPECT_EQ(ticks, 2);

    // Enabling again counts the interval from now, not from the old ticks.
    timer.SetEnabled(true);
    clock.Advance(99);
    EXPECT_EQ(ticks, 2);
    clock.Advance(1);
    EXPECT_EQ(ticks, 3);

    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
    clock.Advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST(Timer, RestartsOrStopsItselfInsideItsTick)
{
    VirtualClock clock;
    const fw::ScopedClock use(clock);
    std::vector<std::int64_t> times;
    Timer timer;
    timer.SetInterval(100);
    timer.SetOnTimer([&](fw::Object*) {
        times.push_back(clock.Now());
        if (times.size() == 1) {
            timer.SetInterval(250); // the next ticks come 250 apart, counted from this one
        } else if (times.size() == 2) {
            timer.SetEnabled(false); // off and on again: a fresh start from now
            timer.SetEnabled(true);
        } else if (times.size() == 4) {
            timer.SetEnabled(false);
        }
    });
    clock.Advance(5000);
    const std::vector<std::int64_t> expected{100, 350, 600, 850};
    EXPECT_EQ(times, expected);
    EXPECT_FALSE(timer.Running());
}

TEST(Timer, FreeingItselfOrItsOwnerInsideTheTickSkipsNoOther)
{
    VirtualClock clock;
    const fw::ScopedClock use(clock);
    Log log;

    // A timer that frees itself; a second one due at the same time still fires.
    auto* lone = new Timer;
    lone->SetInterval(100);
    lone->SetOnTimer([&](fw::Object* sender) {
        log.emplace_back(clock.Now(), "lone");
        delete sender;
    });
    Timer neighbour;
    neighbour.SetInterval(100);
    neighbour.SetOnTimer([&](fw::Object*) { log.emplace_back(clock.Now(), "neighbour"); });

    // A timer whose tick frees its owner, and with it a sibling that was due at the same
    // moment: the sibling must not fire, the independent one must.
    auto* owner = new fw::Component;
    auto* first = new Timer(owner);
    first->SetInterval(200);
    first->SetOnTimer([&, owner](fw::Object*) {
        log.emplace_back(clock.Now(), "first");
        delete owner;
    });
    MakeTimer(owner, 200, "sibling", log, clock);
    Timer independent;
    independent.SetInterval(200);
    independent.SetOnTimer([&](fw::Object*) { log.emplace_back(clock.Now(), "independent"); });

    clock.Advance(300);
    const Log expected{{100, "lone"}, {100, "neighbour"}, {200, "first"}, {200, "independent"}, {200, "neighbour"},
                       {300, "neighbour"}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clock.RunningTimerCount(), 2);
}

TEST(Timer, AnErrorInATickGoesToTheHookAndTheTimerRunsOn)
{
    VirtualClock clock;
    const fw::ScopedClock use(clock);
    std::vector<std::string> shown;
    const fw::Application::ExceptionEvent previous = fw::App().OnException();
    fw::App().SetOnException([&](const std::exception& error) { shown.push_back(error.what()); });

    int ticks = 0;
    Timer failing;
    failing.SetInterval(100);
    failing.SetOnTimer([&](fw::Object*) {
        ++ticks;
        throw std::runtime_error("tick " + std::to_string(ticks));
    });
    int others = 0;
    Timer other;
    other.SetInterval(100);
    other.SetOnTimer([&](fw::Object*) { ++others; });

    clock.Advance(200);
    fw::App().SetOnException(previous);
    EXPECT_EQ(shown, (std::vector<std::string>{"tick 1", "tick 2"}));
    EXPECT_EQ(others, 2);
}

TEST(Timer, AClockThatGoesFirstLeavesItsTimersStopped)
{
    Timer timer;
    int ticks = 0;
    {
        VirtualClock clock;
        const fw::ScopedClock use(clock);
        timer.SetInterval(100);
        timer.SetOnTimer([&](fw::Object*) { ++ticks; });
        clock.Advance(100);
        EXPECT_TRUE(timer.Running());
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Running());

    // Changed again, it starts on the clock in use now.
    VirtualClock later(5000);
    const fw::ScopedClock use(later);
    timer.SetInterval(50);
    later.Advance(50);
    EXPECT_EQ(ticks, 2);
}

TEST(QtTimerDriver, QtsEventLoopFiresTheSystemClocksTimers)
{
    fw::SystemClock clock;
    const fw::QtTimerDriver driver(clock);
    const fw::ScopedClock use(clock);
    std::vector<std::int64_t> times;
    Timer timer;
    timer.SetInterval(20);
    // Taken before the timer starts counting (as it gets its handler): read after, on a
    // loaded machine, the start could fall a millisecond or more past the timer's own, and a
    // tick on time would look early.
    const std::int64_t start = clock.Now();
    timer.SetOnTimer([&](fw::Object*) {
        times.push_back(clock.Now());
        if (times.size() == 3) {
            timer.SetEnabled(false);
        }
    });
    QElapsedTimer waited;
    waited.start();
    while (times.size() < 3 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_EQ(times.size(), 3u);
    // Never early; a tick the loop delivered late may be followed by a closer one, so the
    // gaps are checked from the start.
    EXPECT_GE(times[0] - start, 20);
    EXPECT_GE(times[2] - start, 60);
    EXPECT_FALSE(timer.Running());
}
