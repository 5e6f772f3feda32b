#pragma once

#include <QTimer>

#include <cstdint>
#include <optional>

#include "framework/gui/timer.h"

namespace fw {

// Drives a system clock from Qt's event loop: one single-shot QTimer, re-armed for the
// clock's next due time whenever that changes, fires the due timers when it runs out.
// Needs a QCoreApplication and lives on its thread; detaches from the clock when it goes.
class QtTimerDriver {
public:
    explicit QtTimerDriver(SystemClock& clock);
    ~QtTimerDriver();
    QtTimerDriver(const QtTimerDriver&) = delete;
    QtTimerDriver& operator=(const QtTimerDriver&) = delete;

private:
    void Arm(std::optional<std::int64_t> due);

    SystemClock& clock_;
    QTimer timer_;
};

} // namespace fw
