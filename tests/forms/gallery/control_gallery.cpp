#include "control_gallery.h"

#include <string>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/image_button.h"
#include "controls/radio_button.h"
#include "controls/scroll_bar.h"
#include "controls/scroll_box.h"
#include "controls/scroll_control.h"
#include "controls/tabbed_pages.h"
#include "framework/core/canvas.h"
#include "framework/core/named_images.h"
#include "framework/gui/std_label.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

// Three columns of samples across the top panel.
constexpr int LeftColumn = 12;
constexpr int MiddleColumn = 272;
constexpr int RightColumn = 500;

// A 16 x 16 "play" triangle on the magenta key, for the image buttons.
fw::Bitmap PlayGlyph(fw::Color ink)
{
    fw::Bitmap glyph(16, 16);
    glyph.FillRect(glyph.Bounds(), fw::NamedImageKey);
    for (int column = 0; column < 7; ++column) {
        const int reach = 6 - column;
        for (int y = 8 - reach; y <= 8 + reach; ++y) {
            glyph.SetPixel(5 + column, y - 1, ink);
        }
    }
    return glyph;
}

template <class Check>
Check* NewCheck(ControlGallery& form, fw::WinControl* parent, const char* name, const char* caption, int x, int y)
{
    auto* check = new Check(&form);
    check->SetName(name);
    check->SetParent(parent);
    check->SetBounds(x, y, 150, 17);
    check->SetCaption(caption);
    return check;
}

} // namespace

ControlGallery::ControlGallery()
{
    SetCaption("Control gallery");
    SetBounds(0, 0, 780, 560);
    BuildPanels();
    BuildPages();
    BuildChecks();
    BuildImageButtons();
    BuildScrollers();
    BuildTree();
}

ControlGallery::~ControlGallery() = default;

void ControlGallery::FormCreate()
{
    TfrmTBtnBasic::FormCreate();
    chkFocused->SetFocus();
}

fw::Label* ControlGallery::Heading(const char* text, int x, int y)
{
    auto* label = new fw::Label(this);
    label->SetParent(pnlTTop);
    label->SetTransparent(true);
    fw::Font font = label->Font();
    font.Style.Bold = true;
    label->SetFont(font);
    label->SetCaption(text);
    label->SetLeft(x);
    label->SetTop(y);
    return label;
}

TILBrushPanel* ControlGallery::SamplePanel(const char* name, const char* caption, int x, int y)
{
    auto* panel = new TILBrushPanel(this);
    panel->SetName(name);
    panel->SetParent(pnlTTop);
    panel->SetBounds(x, y, 112, 44);
    panel->SetCaption(caption);
    return panel;
}

void ControlGallery::BuildPanels()
{
    Heading("Brush panels", LeftColumn, 8);
    pnlPlain = SamplePanel("pnlPlain", "Plain", LeftColumn, 28);

    pnlRounded = SamplePanel("pnlRounded", "Rounded", LeftColumn + 124, 28);
    pnlRounded->SetRounded(true);
    pnlRounded->DrawData().FillBrush().SetColour(0xF5E8D8);

    pnlCaption = SamplePanel("pnlCaption", "Caption at the top left", LeftColumn, 80);
    pnlCaption->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    pnlCaption->CaptionPos().SetAlignVert(TVCanvasTextPosition::Top);
    pnlCaption->DrawData().SetBevelInner(TBevelCut::Lowered);
    pnlCaption->SetBorderWidth(2);

    pnlDisabled = SamplePanel("pnlDisabled", "Disabled", LeftColumn + 124, 80);
    pnlDisabled->SetEnabled(false);

    pnlGap = SamplePanel("pnlGap", "With gap", LeftColumn, 132);
    pnlGap->SetGapSide(TGapSide::Top);
    pnlGap->SetGapOffset(20);
    pnlGap->SetGapLength(50);
    pnlGap->SetHasGap(true);

    pnlLowered = SamplePanel("pnlLowered", "Lowered", LeftColumn + 124, 132);
    pnlLowered->DrawData().SetBevelOuter(TBevelCut::Lowered);
    pnlLowered->DrawData().FillBrush().SetColour(fw::clWindow);
}

void ControlGallery::BuildPages()
{
    Heading("Tabbed pages", LeftColumn, 188);
    pages = new TILBrushPageControl(this);
    pages->SetName("pages");
    pages->SetParent(pnlTTop);
    pages->SetBounds(LeftColumn, 208, 236, 130);

    const char* names[] = {"General", "Colours", "Layout"};
    TILBrushPage** slots[] = {&pageGeneral, &pageColours, &pageLayout};
    for (int i = 0; i < 3; ++i) {
        auto* page = new TILBrushPage(this);
        page->SetPageName(names[i]);
        page->SetParent(pages);
        page->SetBorderWidth(5);
        *slots[i] = page;
    }
    auto* onPage = NewCheck<TILCheckBox>(*this, pageGeneral, "chkOnPage", "A check box on a page", 12, 14);
    onPage->SetChecked(true);
    auto* note = new fw::Label(this);
    note->SetParent(pageGeneral);
    note->SetTransparent(true);
    note->SetCaption("Pages are brush panels.");
    note->SetLeft(12);
    note->SetTop(44);
}

void ControlGallery::BuildChecks()
{
    Heading("Check boxes", MiddleColumn, 8);
    chkUnchecked = NewCheck<TILCheckBox>(*this, pnlTTop, "chkUnchecked", "Unchecked", MiddleColumn, 28);
    chkChecked = NewCheck<TILCheckBox>(*this, pnlTTop, "chkChecked", "Checked", MiddleColumn, 48);
    chkChecked->SetChecked(true);
    chkGrayed = NewCheck<TILCheckBox>(*this, pnlTTop, "chkGrayed", "Grayed (disabled, checked)", MiddleColumn, 68);
    chkGrayed->SetChecked(true);
    chkGrayed->SetEnabled(false);
    chkDisabled = NewCheck<TILCheckBox>(*this, pnlTTop, "chkDisabled", "Disabled", MiddleColumn, 88);
    chkDisabled->SetEnabled(false);
    chkFocused = NewCheck<TILCheckBox>(*this, pnlTTop, "chkFocused", "Focused", MiddleColumn, 108);

    Heading("Radio buttons", MiddleColumn, 136);
    // Radio buttons group by parent: the enabled ones on one panel, the disabled checked one
    // on another, so both can be checked.
    auto* group = new TILBrushPanel(this);
    group->SetParent(pnlTTop);
    group->SetBounds(MiddleColumn - 4, 154, 200, 62);
    group->DrawData().SetBevelOuter(TBevelCut::None);
    group->SetParentBrush(true);
    rdoChecked = NewCheck<TILRadioButton>(*this, group, "rdoChecked", "Checked", 4, 2);
    rdoChecked->SetChecked(true);
    rdoUnchecked = NewCheck<TILRadioButton>(*this, group, "rdoUnchecked", "Unchecked", 4, 22);
    rdoDisabled = NewCheck<TILRadioButton>(*this, group, "rdoDisabled", "Disabled", 4, 42);
    rdoDisabled->SetEnabled(false);

    auto* second = new TILBrushPanel(this);
    second->SetParent(pnlTTop);
    second->SetBounds(MiddleColumn - 4, 216, 200, 20);
    second->DrawData().SetBevelOuter(TBevelCut::None);
    second->SetParentBrush(true);
    rdoDisabledChecked = NewCheck<TILRadioButton>(*this, second, "rdoDisabledChecked", "Disabled, checked", 4, 0);
    rdoDisabledChecked->SetChecked(true);
    rdoDisabledChecked->SetEnabled(false);
}

void ControlGallery::BuildImageButtons()
{
    Heading("Image buttons", MiddleColumn, 250);
    const fw::Bitmap ink = PlayGlyph(0x8B4513);
    const fw::Bitmap grey = PlayGlyph(0xA0A0A0);
    const char* names[] = {"btnNormal", "btnDown", "btnDisabled"};
    const char* captions[] = {"Normal", "Down", "Disabled"};
    TILButton** slots[] = {&btnNormal, &btnDown, &btnDisabled};
    for (int i = 0; i < 3; ++i) {
        auto* button = new TILButton(this);
        button->SetName(names[i]);
        button->SetParent(pnlTTop);
        button->SetBounds(MiddleColumn + i * 64, 270, 28, 28);
        button->SetImageInactive(ink);
        button->SetImageDisabled(grey);
        button->SetTransparent(fw::NamedImageKey);
        *slots[i] = button;

        auto* label = new fw::Label(this);
        label->SetParent(pnlTTop);
        label->SetTransparent(true);
        label->SetCaption(captions[i]);
        label->SetLeft(MiddleColumn + i * 64);
        label->SetTop(302);
    }
    btnDown->SetState(TILButtonState::Down);
    btnDisabled->SetEnabled(false);
}

void ControlGallery::BuildScrollers()
{
    Heading("Scroll bars", LeftColumn, 350);
    barHorizontal = new TILScrollBar(this);
    barHorizontal->SetName("barHorizontal");
    barHorizontal->SetParent(pnlTTop);
    barHorizontal->SetBounds(LeftColumn, 370, 236, 16);
    barHorizontal->Slider().SetRange(20);
    barHorizontal->SetPosition(30);

    barVertical = new TILScrollBar(this);
    barVertical->SetName("barVertical");
    barVertical->SetParent(pnlTTop);
    barVertical->SetKind(TScrollBarKind::Vertical);
    barVertical->SetBounds(MiddleColumn + 210, 28, 16, 188);
    barVertical->Slider().SetRange(30);
    barVertical->SetPosition(10);

    Heading("Scroll control", LeftColumn, 398);
    scrollControl = new TILScrollControl(this);
    scrollControl->SetName("scrollControl");
    scrollControl->SetParent(pnlTTop);
    scrollControl->SetBounds(LeftColumn, 418, 236, 24);
    scrollControl->SetAutoPosition(true);
    scrollControl->SetAutoSpacing(2);
    const fw::Color swatches[] = {0x3030C0, 0x30A0E0, 0x40C040, 0xC08030, 0xA040A0, 0x2080C0, 0x808080};
    for (int i = 0; i < 7; ++i) {
        auto* swatch = new TILBrushPanel(this);
        swatch->SetBounds(0, 0, 36, 21);
        swatch->DrawData().FillBrush().SetColour(swatches[i]);
        swatch->SetCaption(std::to_string(i + 1));
        swatch->SetParent(scrollControl);
    }

    Heading("Scroll box", RightColumn, 250);
    scrollBox = new TILScrollBox(this);
    scrollBox->SetName("scrollBox");
    scrollBox->SetParent(pnlTTop);
    scrollBox->SetBounds(RightColumn, 270, 260, 172);
    scrollBox->Background().SetColour(fw::clWindow);
    for (int i = 0; i < 6; ++i) {
        auto* tile = new TILBrushPanel(this);
        tile->SetParent(&scrollBox->BackgroundPanel());
        tile->SetBounds(10 + (i % 3) * 110, 10 + (i / 3) * 110, 100, 100);
        tile->SetRounded(true);
        tile->SetCaption("Tile " + std::to_string(i + 1));
    }
}

void ControlGallery::BuildTree()
{
    Heading("Tree-grid list", RightColumn, 8);
    // In a lowered frame, as the list windows hold their lists.
    auto* frame = new TILBrushPanel(this);
    frame->SetParent(pnlTTop);
    frame->SetBounds(RightColumn, 28, 260, 208);
    frame->DrawData().SetBevelOuter(TBevelCut::Lowered);
    tree = new TILTree(this);
    tree->SetName("tree");
    tree->SetParent(frame);
    tree->SetAlign(fw::Align::Client);
    const char* captions[] = {"Name", "Holes", "Colour"};
    const int widths[] = {120, 50, 70};
    for (int i = 0; i < 3; ++i) {
        TILTreeColumnData* column = tree->Columns().Add();
        column->SetCaption(captions[i]);
        column->SetWidth(widths[i]);
    }
    auto add = [](TILTreeNode* parent, const char* name, const char* holes, const char* colour) {
        auto* node = new TILTreeNode(parent);
        node->SetCellText(0, name);
        node->SetCellText(1, holes);
        node->SetCellText(2, colour);
        return node;
    };
    TILTreeNode* pack = add(tree->Root(), "Pack A", "4", "Red");
    add(pack, "Card 1", "4", "Red");
    add(pack, "Card 2", "4", "White");
    TILTreeNode* selected = add(pack, "Card 3", "4", "Blue");
    pack->SetExpanded(true);
    TILTreeNode* second = add(tree->Root(), "Pack B", "6", "Green");
    add(second, "Card 4", "6", "Green");
    add(tree->Root(), "Border", "4", "Black");
    tree->SelectOnly({selected});
}
