#include "shell/palette_frame.h"

#include <string>

#include "controls/brush_panel.h"
#include "framework/gui/std_label.h"
#include "shell/palette_colour_dialog.h"

namespace {

// Two rows of eight numbered swatches.
constexpr int FrameMargin = 6;
constexpr int NumberHeight = 13;

std::string PanelName(int index)
{
    return "ColPanel" + std::to_string(index + 1);
}

std::string LabelName(int index)
{
    return "Label" + std::to_string(index + 1);
}

} // namespace

// --- TTWColourPanel -----------------------------------------------------------------------------

TTWColourPanel::TTWColourPanel(fw::Component* owner) : fw::Panel(owner)
{
    SetBevelOuter(fw::PanelBevel::Lowered);
}

void TTWColourPanel::SetSingleBorder(bool single)
{
    if (single != singleBorder_) {
        singleBorder_ = single;
        Invalidate();
    }
}

void TTWColourPanel::Paint()
{
    if (!singleBorder_) {
        fw::Panel::Paint();
        return;
    }
    // The border lies outside the bevel, as a window border lies outside the client area.
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{fw::clBlack};
    canvas.FillRect(ClientRect());
    const fw::Rect inside{1, 1, Width() - 1, Height() - 1};
    canvas.Brush() = fw::Brush{Color()};
    canvas.FillRect(inside);
    fw::DrawBevelFrame(canvas, inside, fw::clBtnShadow, fw::clBtnHighlight, BevelWidth());
}

// --- TfrmPalette --------------------------------------------------------------------------------

TfrmPalette::TfrmPalette(fw::Component* owner) : TfrmPalette(owner, Layout{8, 24, 22, 28, 42, true}) {}

TfrmPalette::TfrmPalette(fw::Component* owner, const Layout& layout)
    : fw::Frame(owner), ILBrushPanel1(new TILBrushPanel(this))
{
    ILBrushPanel1->SetName("ILBrushPanel1");
    ILBrushPanel1->SetParent(this);
    ILBrushPanel1->SetAlign(fw::Align::Client);
    BuildSwatches(layout);
    FinishLoading();
}

TfrmPalette::~TfrmPalette() = default;

void TfrmPalette::BuildSwatches(const Layout& layout)
{
    const int numbers = layout.ShowNumbers ? NumberHeight + 1 : 0;
    for (int index = 0; index < ColourCount; ++index) {
        const int column = index % layout.Columns;
        const int row = index / layout.Columns;
        const int left = FrameMargin + column * layout.StepX;
        const int top = FrameMargin + row * layout.StepY;

        auto* label = new fw::Label(this);
        label->SetName(LabelName(index));
        label->SetParent(ILBrushPanel1);
        label->SetCaption(std::to_string(index + 1));
        label->SetTransparent(true);
        label->SetAutoSize(false);
        label->SetAlignment(fw::Alignment::Center);
        label->SetBounds(left, top, layout.PanelWidth, NumberHeight);
        label->SetVisible(layout.ShowNumbers);

        auto* panel = new TTWColourPanel(this);
        panel->SetName(PanelName(index));
        panel->SetParent(ILBrushPanel1);
        panel->SetTag(index);
        panel->SetBounds(left, top + numbers, layout.PanelWidth, layout.PanelHeight);
        panel->SetOnClick([this](fw::Object* sender) { SelectColourClick(sender); });
        panel->SetOnDblClick([this](fw::Object* sender) { ChangeColourClick(sender); });
    }
    const int columns = layout.Columns;
    const int rows = (ColourCount + columns - 1) / columns;
    const int width = 2 * FrameMargin + (columns - 1) * layout.StepX + layout.PanelWidth;
    const int height = 2 * FrameMargin + (rows - 1) * layout.StepY + numbers + layout.PanelHeight;
    SetBounds(0, 0, width, height);
}

TTWColourPanel* TfrmPalette::GetColourPanel(int index) const
{
    if (index < 0 || index >= ColourCount) {
        return nullptr;
    }
    return dynamic_cast<TTWColourPanel*>(FindComponent(PanelName(index)));
}

fw::Label* TfrmPalette::GetNumberLabel(int index) const
{
    if (index < 0 || index >= ColourCount) {
        return nullptr;
    }
    return dynamic_cast<fw::Label*>(FindComponent(LabelName(index)));
}

void TfrmPalette::SetPanelColour(int index, TTWColour colour)
{
    TTWColourPanel* panel = GetColourPanel(index);
    if (panel == nullptr) {
        return;
    }
    panel->SetColor(colour);
    if (palette_ != nullptr) {
        palette_->SetColour(index, colour);
    }
}

void TfrmPalette::SetPalette(TTWPalette* palette)
{
    palette_ = palette;
    if (palette == nullptr) {
        return;
    }
    for (int index = 0; index < ColourCount; ++index) {
        GetColourPanel(index)->SetColor(palette->GetColour(index));
    }
}

void TfrmPalette::CopyToPalette(TTWPalette* palette) const
{
    if (palette == nullptr) {
        return;
    }
    for (int index = 0; index < ColourCount; ++index) {
        palette->SetColour(index, GetColourPanel(index)->Color());
    }
}

void TfrmPalette::SelectColourClick(fw::Object* sender)
{
    if (const auto* panel = dynamic_cast<const fw::Control*>(sender)) {
        SelectIndex(static_cast<int>(panel->Tag()));
    }
}

void TfrmPalette::SelectIndex(int index)
{
    if (!selectable_) {
        return;
    }
    TTWColourPanel* panel = GetColourPanel(index);
    if (panel == nullptr) {
        return;
    }
    if (selectedPanel_ != nullptr) {
        selectedPanel_->SetSingleBorder(false);
    }
    selectedPanel_ = panel;
    panel->SetSingleBorder(true);
}

int TfrmPalette::SelectedIndex() const
{
    return selectedPanel_ != nullptr ? static_cast<int>(selectedPanel_->Tag()) : 0;
}

void TfrmPalette::ChangeColourClick(fw::Object* sender)
{
    const auto* panel = dynamic_cast<const fw::Control*>(sender);
    if (!editable_ || panel == nullptr) {
        return;
    }
    TTWColour colour = panel->Color();
    if (ExecuteColourDialog(colour)) {
        SetPanelColour(static_cast<int>(panel->Tag()), colour);
    }
}

// --- TfrmTWPalette4x4 ---------------------------------------------------------------------------

TfrmTWPalette4x4::TfrmTWPalette4x4(fw::Component* owner) : TfrmPalette(owner, Layout{4, 18, 18, 20, 20, false})
{
    for (int index = 0; index < ColourCount; ++index) {
        TTWColourPanel* panel = GetColourPanel(index);
        panel->SetOnClick([this](fw::Object* sender) { SwatchClick(sender); });
        panel->SetOnDblClick({});
        panel->SetOnMouseUp([this](fw::Object* sender, fw::MouseButton button, fw::ShiftState, int x, int y) {
            SwatchMouseUp(sender, button, x, y);
        });
    }
}

void TfrmTWPalette4x4::SwatchClick(fw::Object* sender)
{
    const auto* panel = dynamic_cast<const fw::Control*>(sender);
    if (panel != nullptr && onSelectColour_) {
        onSelectColour_(this, panel->Color(), static_cast<int>(panel->Tag()));
    }
}

void TfrmTWPalette4x4::SwatchMouseUp(fw::Object* sender, fw::MouseButton button, int x, int y)
{
    const auto* panel = dynamic_cast<const fw::Control*>(sender);
    if (button != fw::MouseButton::Right || panel == nullptr) {
        return;
    }
    // Released over the swatch it was pressed on, not dragged off it.
    if (x < 0 || y < 0 || x >= panel->Width() || y >= panel->Height()) {
        return;
    }
    if (onSelectAltColour_) {
        onSelectAltColour_(this, panel->Color(), static_cast<int>(panel->Tag()));
    }
}
