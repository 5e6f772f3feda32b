#pragma once

#include <string_view>

#include "framework/gui/control.h"

namespace fw {

// The two bevels of a panel: none, a sunken ring or a raised ring.
enum class PanelBevel { None, Lowered, Raised };

// The plain panel, painted by our own code: its Color fills the whole area, then the outer
// bevel and inside it the inner bevel are drawn, each BevelWidth pixels wide (raised: the
// highlight colour on the top and left, the shadow colour on the bottom and right, which also
// own the top-right and bottom-left corner pixels; lowered: the other way round). The
// caption is centred in what the bevels leave. Aligned children share that same inner area.
// A panel is a container (its children are drawn over it) and starts raised, 185 x 41, in
// the button face colour.
class Panel : public CustomControl {
public:
    explicit Panel(Component* owner = nullptr);

    std::string_view className() const override { return "TPanel"; }

    PanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(PanelBevel bevel);
    PanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(PanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width); // at least 1

    // The area inside the bevels.
    void AdjustClientRect(Rect& rect) override;

protected:
    void Paint() override;

private:
    void BevelsChanged();

    PanelBevel bevelInner_ = PanelBevel::None;
    PanelBevel bevelOuter_ = PanelBevel::Raised;
    int bevelWidth_ = 1;
};

// Draws a bevel ring width pixels wide just inside rect and answers the rectangle inside it.
// Each ring's top and left run in topLeft up to one pixel short of the far end; its bottom and
// right run full length in bottomRight.
Rect DrawBevelFrame(Canvas& canvas, const Rect& rect, Color topLeft, Color bottomRight, int width);

} // namespace fw
