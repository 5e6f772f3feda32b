#include "forms/forms_default_style.h"

#include "controls/brush_bevel.h"
#include "controls/brush_fill.h"
#include "controls/brush_panel.h"
#include "controls/scroll_box.h"
#include "framework/gui/std_panel.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_properties.h"

TILFormsDefaultStyle::TILFormsDefaultStyle()
    : panels_(std::make_unique<TILFormsDefaultPanelColours>()), trees_(std::make_unique<TILFormsDefaultTreeColours>())
{
}

TILFormsDefaultStyle::~TILFormsDefaultStyle() = default;

void TILFormsDefaultStyle::SetPanels(const TILFormsDefaultPanelColours& panels)
{
    panels_->Assign(&panels);
}

void TILFormsDefaultStyle::SetTrees(const TILFormsDefaultTreeColours& trees)
{
    trees_->Assign(&trees);
}

void TILFormsDefaultStyle::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILFormsDefaultStyle*>(source);
    if (other == nullptr || other == this) {
        return;
    }
    panels_->Assign(other->panels_.get());
    trees_->Assign(other->trees_.get());
}

void TILFormsDefaultStyle::AssignTo(fw::Persistent* destination) const
{
    if (auto* tree = dynamic_cast<TILTree*>(destination)) {
        tree->Assign(trees_.get());
    } else if (dynamic_cast<TILBrushPanel*>(destination) != nullptr || dynamic_cast<TILBrushBevel*>(destination) != nullptr
               || dynamic_cast<fw::Panel*>(destination) != nullptr) {
        panels_->AssignTo(destination);
    } else if (auto* scrollBox = dynamic_cast<TILScrollBox*>(destination)) {
        ImposeFillBrush(scrollBox->Background());
    } else if (auto* brush = dynamic_cast<TILBrush*>(destination)) {
        ImposeFillBrush(*brush);
    } else if (auto* fill = dynamic_cast<TILBrushFill*>(destination)) {
        ImposeFillBrush(fill->Brush());
    }
}

void TILFormsDefaultStyle::ImposeFillBrush(TILBrush& brush) const
{
    if (panels_->FillBrushSet()) {
        brush.Assign(&panels_->FillBrush());
    }
}

void ApplyToControls(const TILFormsDefaultStyle& style, std::span<fw::Persistent* const> controls)
{
    for (fw::Persistent* control : controls) {
        if (control != nullptr) {
            style.AssignTo(control);
        }
    }
}

void ApplyToControls(const TILFormsDefaultStyle& style, std::initializer_list<fw::Persistent*> controls)
{
    ApplyToControls(style, std::span<fw::Persistent* const>(controls.begin(), controls.size()));
}

namespace {

// A plain pointer and a counter: constant-initialised, so nothing runs before main.
int startCount = 0;
TILFormsDefaultStyle* defaultStyle = nullptr;

} // namespace

void InitFormsDefaultStyle()
{
    if (startCount++ == 0) {
        defaultStyle = new TILFormsDefaultStyle;
    }
}

void ShutdownFormsDefaultStyle()
{
    if (startCount == 0) {
        return;
    }
    if (--startCount == 0) {
        TILFormsDefaultStyle* style = defaultStyle;
        defaultStyle = nullptr;
        delete style;
    }
}

TILFormsDefaultStyle* FormsDefaultStyle()
{
    return defaultStyle;
}

void ResetFormsDefaultStyleForTests()
{
    if (startCount == 0) {
        return;
    }
    delete defaultStyle;
    defaultStyle = new TILFormsDefaultStyle;
}
