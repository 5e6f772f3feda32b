#pragma once

#include <string>
#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/form.h"

// The program's window until the real main window exists: the name of the program, what it
// is for and the files it was asked to open, on bevelled panels painted by the canvas.

// The painted face of the start window.
class StartPanel : public fw::CustomControl {
public:
    explicit StartPanel(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TStartPanel"; }

    void SetFiles(std::vector<std::string> files);

protected:
    void Paint() override;

private:
    // A raised or sunken panel in the button face colour.
    void PaintPanel(const fw::Rect& rect, bool raised);

    std::vector<std::string> files_;
};

class StartWindow : public fw::Form {
public:
    // files: the command line's file names.
    StartWindow(fw::Component* owner, std::vector<std::string> files);

    std::string_view className() const override { return "TStartWindow"; }
};
