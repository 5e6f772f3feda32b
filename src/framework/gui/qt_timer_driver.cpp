#include "framework/gui/qt_timer_driver.h"

#include <algorithm>
#include <limits>

#include "framework/gui/application.h"

namespace fw {

QtTimerDriver::QtTimerDriver(SystemClock& clock) : clock_(clock)
{
    timer_.setSingleShot(true);
    // Qt's default, coarse timers may fire up to 5 % of their interval early; a precise one
    // keeps to the millisecond, never firing before its time, which is what the clock's due
    // times count in.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // Each tick is guarded on its own inside the clock; this guards the rest, because
        // nothing may unwind through Qt's loop.
        GuardedCall([this] { clock_.FireDueTimers(); });
    });
    clock_.SetWakeUpHandler([this](std::optional<std::int64_t> due) { Arm(due); });
}

QtTimerDriver::~QtTimerDriver()
{
    clock_.SetWakeUpHandler({});
}

void QtTimerDriver::Arm(std::optional<std::int64_t> due)
{
    if (!due) {
        timer_.stop();
        return;
    }
    const std::int64_t wait = std::clamp<std::int64_t>(*due - clock_.Now(), 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

} // namespace fw
