#pragma once

#include <initializer_list>
#include <memory>
#include <span>

#include "forms/default_panel_colours.h"
#include "framework/core/object.h"

class TILFormsDefaultTreeColours;

// The one look every dialog and window shares: what is imposed on panels, bevels, scroll
// boxes and brushes (Panels) and on tree-grid lists (Trees). Windows apply it to their
// panels and lists as they are created; changing it later restyles nothing already open.
class TILFormsDefaultStyle : public fw::Persistent {
public:
    // Panels impose nothing; Trees hold a new tree colour set's defaults.
    TILFormsDefaultStyle();
    ~TILFormsDefaultStyle() override;

    std::string_view className() const override { return "TILFormsDefaultStyle"; }
    fw::Object* NewInstance() const override { return new TILFormsDefaultStyle; }

    TILFormsDefaultPanelColours& Panels() { return *panels_; }
    const TILFormsDefaultPanelColours& Panels() const { return *panels_; }
    // Copies into the owned object; the owned object is never replaced.
    void SetPanels(const TILFormsDefaultPanelColours& panels);
    TILFormsDefaultTreeColours& Trees() { return *trees_; }
    const TILFormsDefaultTreeColours& Trees() const { return *trees_; }
    void SetTrees(const TILFormsDefaultTreeColours& trees);

    // Only from another style (anything else is ignored): Panels and Trees each copied.
    void Assign(const fw::Persistent* source) override;

    // Imposes the style on one object, by its class, the first match deciding: a tree-grid
    // list takes Trees; a brush panel, a bevel or a plain framework panel takes Panels; a
    // scroll box's background, a brush, or a brush fill's brush takes the fill brush when it
    // is set; anything else (none included) is left alone.
    void AssignTo(fw::Persistent* destination) const override;

private:
    void ImposeFillBrush(TILBrush& brush) const;

    std::unique_ptr<TILFormsDefaultPanelColours> panels_;
    std::unique_ptr<TILFormsDefaultTreeColours> trees_;
};

// The style's AssignTo on each control of the list, first to last. Entries that are none
// are skipped.
void ApplyToControls(const TILFormsDefaultStyle& style, std::span<fw::Persistent* const> controls);
void ApplyToControls(const TILFormsDefaultStyle& style, std::initializer_list<fw::Persistent*> controls);

// The global default style. It exists between InitFormsDefaultStyle and the
// ShutdownFormsDefaultStyle that balances it (calls nest, as the control library's do);
// FormsDefaultStyle answers none outside that time, and windows created then stay as
// designed.
void InitFormsDefaultStyle();
void ShutdownFormsDefaultStyle();
TILFormsDefaultStyle* FormsDefaultStyle();
// Replaces a running global style with a fresh one, so that a test starts from the
// start-up values.
void ResetFormsDefaultStyleForTests();
