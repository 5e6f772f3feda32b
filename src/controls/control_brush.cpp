#include "controls/control_brush.h"

#include "controls/il_brush.h"

void ApplyControlBrush(const TILBrushControl* control, fw::Brush& dest)
{
    while (control != nullptr) {
        TILBrush* fill = control->PanelFillBrush();
        if (fill == nullptr) {
            if (const fw::Brush* own = control->ControlBrush()) {
                dest = *own;
            }
            return;
        }
        if (!control->PanelParentBrush()) {
            fill->ApplyToBrush(dest);
            return;
        }
        control = control->ParentControl();
    }
}
