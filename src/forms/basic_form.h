#pragma once

#include <initializer_list>
#include <span>

#include "framework/gui/form.h"

class TILBrushPanel;

// The window most dialogs derive from: a client panel on top of a bottom panel, both
// brush panels, styled with the global default style once, as the window is created.
//
// Like every form it is built in code: the constructors (this one and a descendant's) make
// the controls, then whoever made the window calls FinishLoading(), which runs FormCreate
// and so applies the style with the values the global style holds at that moment.
class TfrmTBasic : public fw::Form {
public:
    // "Basic Template", 452 x 309.
    explicit TfrmTBasic(fw::Component* owner = nullptr);
    ~TfrmTBasic() override;

    std::string_view className() const override { return "TfrmTBasic"; }

    // Fills the client area above the bottom panel.
    TILBrushPanel* const pnlTTop;
    // Along the bottom, 31 pixels high.
    TILBrushPanel* const pnlTBottom;

    // The global style on the top panel, then on the bottom one. Descendants with panels or
    // lists of their own call this first, then ApplyDefaultFormStyle with them.
    virtual void ApplyDefaultStyle();

    // The global style on each control of the list, first to last; nothing while there is
    // no global style.
    void ApplyDefaultFormStyle(std::span<fw::Persistent* const> controls);
    void ApplyDefaultFormStyle(std::initializer_list<fw::Persistent*> controls);

protected:
    // Runs as the window is created, before OnCreate: applies the default style.
    virtual void FormCreate();
    void DoCreate() override;
};
