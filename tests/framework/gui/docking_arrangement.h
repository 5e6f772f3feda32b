#pragma once

#include "framework/gui/form.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_splitter.h"

// The main window's docking arrangement, as the tests of docking and of the shell's looks
// build it on a form (which owns the parts): a 3-pixel dock site along the right edge without
// a bevel, a hidden splitter left of it, and a control bar along the top that sizes itself to
// its bands. What a drop on the dock does is each test's own.
struct DockingArrangement {
    fw::Panel* dock;
    fw::Splitter* splitter;
    fw::ControlBar* tools;
};

inline DockingArrangement AddDockingArrangement(fw::Form& form)
{
    auto* dock = new fw::Panel(&form);
    dock->SetParent(&form);
    dock->SetBevelOuter(fw::PanelBevel::None);
    dock->SetWidth(3);
    dock->SetAlign(fw::Align::Right);
    dock->SetDockSite(true);
    auto* splitter = new fw::Splitter(&form);
    splitter->SetParent(&form);
    splitter->SetWidth(3);
    splitter->SetAlign(fw::Align::Right);
    splitter->SetMinSize(20);
    splitter->Hide();
    auto* tools = new fw::ControlBar(&form);
    tools->SetParent(&form);
    tools->SetAlign(fw::Align::Top);
    tools->SetAutoSize(true);
    return DockingArrangement{dock, splitter, tools};
}
