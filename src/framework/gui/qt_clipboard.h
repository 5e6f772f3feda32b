#pragma once

#include <memory>

#include "framework/gui/clipboard.h"

namespace fw {

// The system clipboard through QClipboard (needs a QGuiApplication for its whole life).
std::unique_ptr<Clipboard> CreateQtClipboard();

} // namespace fw
