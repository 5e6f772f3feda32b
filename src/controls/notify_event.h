#pragma once

#include <functional>

#include "framework/core/object.h"

// The change event of the control library's small property objects: the sender is the
// object that changed. An empty function means "not assigned".
using TILNotifyEvent = std::function<void(fw::Object* sender)>;
