// The colours the shared default style gives trees, the numbered colour schemes, and the
// module's shared pictures.

#include <map>
#include <string>

#include "controls/il_brush.h"
#include "controls/scroll_bar.h"
#include "controls/scroll_bar_properties.h"
#include "foundation/generic_exception.h"
#include "framework/core/named_images.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_properties.h"

// --- One kind of cell ------------------------------------------------------------------------------

TILFormsDefaultTreeDrawColours::TILFormsDefaultTreeDrawColours() : fillBrush_(std::make_unique<TILBrush>())
{
    fillBrush_->SetOnBrushChange([this](fw::Object*) { BrushChanged(); });
}

TILFormsDefaultTreeDrawColours::~TILFormsDefaultTreeDrawColours() = default;

void TILFormsDefaultTreeDrawColours::BrushChanged()
{
    if (!settingBrush_) {
        fillBrushSet_ = true;
    }
}

void TILFormsDefaultTreeDrawColours::SetFillBrush(const TILBrush* brush)
{
    settingBrush_ = true;
    if (brush != nullptr) {
        fillBrush_->Assign(brush);
    } else {
        fillBrush_->Clear();
    }
    settingBrush_ = false;
    fillBrushSet_ = brush != nullptr;
}

void TILFormsDefaultTreeDrawColours::SetFontColour(fw::Color colour)
{
    fontColour_ = colour;
}

void TILFormsDefaultTreeDrawColours::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILFormsDefaultTreeDrawColours*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    SetFillBrush(other->fillBrushSet_ ? other->fillBrush_.get() : nullptr);
    fontColour_ = other->FontColourSet() ? other->fontColour_ : fw::clNone;
    fontName_ = other->FontNameSet() ? other->fontName_ : std::string();
    fontSize_ = other->FontSizeSet() ? other->fontSize_ : 0;
    fontStyle_ = other->FontStyleSet() ? other->fontStyle_ : fw::FontStyles{};
}

void TILFormsDefaultTreeDrawColours::ApplyTo(TILTreeColumnDrawData& drawData) const
{
    if (FontColourSet() || FontNameSet() || FontSizeSet() || FontStyleSet()) {
        fw::Font font = drawData.Font();
        if (FontColourSet()) {
            font.Color = fontColour_;
        }
        if (FontNameSet()) {
            font.Name = fontName_;
        }
        if (FontSizeSet()) {
            font.SetSize(fontSize_);
        }
        if (FontStyleSet()) {
            font.Style = fontStyle_;
        }
        drawData.SetFont(font);
    }
    if (fillBrushSet_) {
        drawData.Background().Assign(fillBrush_.get());
    }
}

// --- The set for whole trees ------------------------------------------------------------------------

TILFormsDefaultTreeColours::TILFormsDefaultTreeColours()
    : drawNormal_(std::make_unique<TILFormsDefaultTreeDrawColours>()),
      drawSelect_(std::make_unique<TILFormsDefaultTreeDrawColours>()),
      drawEdit_(std::make_unique<TILFormsDefaultTreeDrawColours>()),
      drawHeading_(std::make_unique<TILFormsDefaultTreeDrawColours>()),
      scrollbars_(std::make_unique<TILScrollBarProperties>())
{
    // Green lines on a light green list with dark green selection; bold headings.
    drawNormal_->FillBrush()->SetColour(0xC6F0AC);
    drawSelect_->FillBrush()->SetColour(0x008000);
    drawSelect_->SetFontColour(0xFFFFFF);
    fw::FontStyles bold;
    bold.Bold = true;
    drawHeading_->SetFontStyle(bold);
}

TILFormsDefaultTreeColours::~TILFormsDefaultTreeColours() = default;

void TILFormsDefaultTreeColours::SetGridPen(const fw::Pen& pen)
{
    gridPen_ = pen;
    gridPenSet_ = true;
}

void TILFormsDefaultTreeColours::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILFormsDefaultTreeColours*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    colourLine_ = other->colourLine_;
    colourButton_ = other->colourButton_;
    gridPen_ = other->gridPen_;
    gridPenSet_ = other->gridPenSet_;
    drawNormal_->Assign(other->drawNormal_.get());
    drawSelect_->Assign(other->drawSelect_.get());
    drawEdit_->Assign(other->drawEdit_.get());
    drawHeading_->Assign(other->drawHeading_.get());
    scrollbars_->Assign(other->scrollbars_.get());
    defaultNodeHeight_ = other->defaultNodeHeight_;
}

void TILFormsDefaultTreeColours::AssignTo(fw::Persistent* destination) const
{
    auto* tree = dynamic_cast<TILTree*>(destination);
    if (tree == nullptr) {
        fw::Persistent::AssignTo(destination);
        return;
    }
    if (ColourButtonSet()) {
        tree->SetColourButton(colourButton_);
    }
    if (ColourLineSet()) {
        tree->SetColourLine(colourLine_);
    }
    if (gridPenSet_) {
        tree->SetGridPen(gridPen_);
    }
    drawNormal_->ApplyTo(tree->DefaultDrawNormal());
    drawSelect_->ApplyTo(tree->DefaultDrawSelect());
    drawEdit_->ApplyTo(tree->DrawEdit());
    drawHeading_->ApplyTo(tree->Headings().DrawStyle());
    tree->HorzScrollBar()->Assign(scrollbars_.get());
    tree->VertScrollBar()->Assign(scrollbars_.get());
    if (defaultNodeHeight_ > 0) {
        tree->SetDefaultNodeHeight(static_cast<std::uint16_t>(defaultNodeHeight_));
    }
    tree->UpdateScrollBars();
    tree->Invalidate();
}

// --- Colour schemes ------------------------------------------------------------------------------------

TILTreeDefaultColourScheme::TILTreeDefaultColourScheme(int id)
    : id_(id), colours_(std::make_unique<TILFormsDefaultTreeColours>())
{
}

TILTreeDefaultColourScheme::~TILTreeDefaultColourScheme() = default;

void TILTreeDefaultColourScheme::ApplyTo(TILTree& tree) const
{
    tree.Assign(colours_.get());
}

int TILTreeDefaultColourList::Add(fw::Object* scheme)
{
    auto* typed = dynamic_cast<TILTreeDefaultColourScheme*>(scheme);
    if (typed != nullptr && FindByID(typed->ID()) != nullptr) {
        throw TGenericException::CreateFromSender(
            "Unable to add default colour scheme:\r\nDuplicate ID (" + std::to_string(typed->ID()) + ").", nullptr,
            this, "Add");
    }
    return TEnhancedList::Add(scheme);
}

TILTreeDefaultColourScheme* TILTreeDefaultColourList::FindByID(int id) const
{
    for (int i = 0; i < Count(); ++i) {
        auto* scheme = dynamic_cast<TILTreeDefaultColourScheme*>(TEnhancedList::GetItem(i));
        if (scheme != nullptr && scheme->ID() == id) {
            return scheme;
        }
    }
    return nullptr;
}

TILTreeDefaultColourScheme* TILTreeDefaultColourList::GetItem(int index) const
{
    return dynamic_cast<TILTreeDefaultColourScheme*>(TEnhancedList::GetItem(index));
}

// --- The module's shared state ------------------------------------------------------------------------

namespace {

constexpr std::string_view SharedImageNames[] = {"ILTREE_ILLOGO",          "ILTREE_BTNICON_PLUS",
                                                 "ILTREE_BTNICON_MINUS",   "ILTREE_BTNICON_WAIT",
                                                 "ILTREE_SORTICON_ASCEND", "ILTREE_SORTICON_DESCEND"};

struct ModuleState {
    TILTreeDefaultColourList ColourList;
    int DefaultColoursID = -1;
    // The shared pictures by name; a missing entry is a picture the program does not have.
    std::map<std::string, fw::Bitmap, std::less<>> Images;
};

// A counter and a plain pointer: constant-initialised, so nothing runs before main.
int startCount = 0;
ModuleState* state = nullptr;

void CreateState()
{
    state = new ModuleState;
    for (std::string_view name : SharedImageNames) {
        if (const fw::Bitmap* image = fw::FindNamedImage(name)) {
            state->Images.emplace(std::string(name), *image);
        }
    }
}

void FreeState()
{
    ModuleState* going = state;
    state = nullptr;
    delete going;
}

} // namespace

void InitTreeGridLibrary()
{
    if (startCount++ == 0) {
        CreateState();
    }
}

void ShutdownTreeGridLibrary()
{
    if (startCount == 0) {
        return;
    }
    if (--startCount == 0) {
        FreeState();
    }
}

bool TreeGridLibraryRunning()
{
    return startCount > 0;
}

TILTreeDefaultColourList* TreeDefaultColourList()
{
    return state != nullptr ? &state->ColourList : nullptr;
}

int TreeDefaultColoursID()
{
    return state != nullptr ? state->DefaultColoursID : -1;
}

void SetTreeDefaultColoursID(int id)
{
    if (state != nullptr) {
        state->DefaultColoursID = id;
    }
}

const fw::Bitmap* TreeSharedImage(std::string_view name)
{
    if (state == nullptr) {
        return fw::FindNamedImage(name);
    }
    const auto found = state->Images.find(name);
    return found != state->Images.end() ? &found->second : nullptr;
}

void SetTreeSharedImage(std::string_view name, const fw::Bitmap* picture)
{
    if (state == nullptr) {
        return;
    }
    if (picture == nullptr) {
        state->Images.erase(std::string(name));
    } else {
        state->Images.insert_or_assign(std::string(name), *picture);
    }
}
