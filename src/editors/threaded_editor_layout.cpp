// The threaded-in editor's parts: the tool column, the colours, the card frames with the
// pack selector, the band and the three pick lists, and their popup menus.

#include <algorithm>
#include <string>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "controls/tabbed_pages.h"
#include "editors/card_frame_list.h"
#include "editors/threaded_editor.h"
#include "editors/threaded_editor_glyphs.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/gui/image_list.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/turning_codes.h"
#include "shell/palette_frame.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_headings.h"

namespace {

constexpr int ButtonSize = 23;
constexpr int ButtonGap = 2;
constexpr int ButtonColumnsWidth = 3 * ButtonSize + 4 * ButtonGap + 4;
constexpr int PickPanelHeight = 68;
constexpr int ColourPanelHeight = 190;
constexpr int ActionPagesWidth = 400;
constexpr int PackSelectorHeight = 70;
constexpr int BevelHeight = 2;
constexpr fw::Color GridLineColour = 0xC0C0C0;

} // namespace

void TfrmTWThreadedPattern::BuildToolColumn()
{
    // Wide enough for three buttons a row and for the palette below them.
    const int columnWidth = std::max(ButtonColumnsWidth, framePalette->Width() + 10);
    ILBrushPanel1->SetParent(pnlTTop);
    ILBrushPanel1->SetAlign(fw::Align::Left);
    ILBrushPanel1->SetWidth(columnWidth);

    struct Placed {
        fw::SpeedButton* Button;
        int Row;
        int Column;
    };
    const Placed buttons[] = {
        {btnHideActionPanel, 0, 0}, {btnDoPick, 0, 1},        {btnDoPickReverse, 0, 2},
        {btnToggleColours, 1, 0},   {btnToggleDir, 1, 1},      {btnToggleTwist, 1, 2},
        {btnToggleIdle, 2, 0},      {btnShowActionGrid, 2, 1}, {btnShowPacks, 2, 2},
        {btnBreakPacks, 3, 0},      {btnSetupPacks, 3, 1},
    };
    for (const Placed& placed : buttons) {
        placed.Button->SetParent(ILBrushPanel1);
        placed.Button->SetBounds(ButtonGap + 2 + placed.Column * (ButtonSize + ButtonGap),
                                 ButtonGap + 2 + placed.Row * (ButtonSize + ButtonGap), ButtonSize, ButtonSize);
    }
    btnHideActionPanel->SetGroupIndex(101);
    btnHideActionPanel->SetAllowAllUp(true);
    btnHideActionPanel->SetDown(true);
    for (fw::SpeedButton* mode : {btnToggleColours, btnToggleDir, btnToggleTwist, btnToggleIdle}) {
        mode->SetGroupIndex(99);
    }
    btnToggleColours->SetDown(true);
    btnShowActionGrid->SetGroupIndex(1);
    btnShowPacks->SetGroupIndex(1);
    btnShowPacks->SetAllowAllUp(true);

    const int pickTop = 4 * (ButtonSize + ButtonGap) + 8;
    pnlPick->SetParent(ILBrushPanel1);
    pnlPick->SetBounds(2, pickTop, columnWidth - 4, PickPanelHeight);
    const char* const captions[] = {"Picks", "Card", "Pick", "Hole"};
    fw::Label* const values[] = {lblPicks, lblMouseCard, lblMousePick, lblMouseHole};
    for (int row = 0; row < 4; ++row) {
        auto* caption = new fw::Label(this);
        caption->SetName(std::string("lblCaption") + captions[row]);
        caption->SetParent(pnlPick);
        caption->SetTransparent(true);
        caption->SetCaption(captions[row]);
        caption->SetBounds(6, 4 + row * 15, 36, 14);
        values[row]->SetParent(pnlPick);
        values[row]->SetTransparent(true);
        values[row]->SetAutoSize(false);
        values[row]->SetCaption(std::string());
        values[row]->SetBounds(44, 4 + row * 15, columnWidth - 52, 14);
    }

    ILBrushPanel3->SetParent(ILBrushPanel1);
    ILBrushPanel3->SetBounds(2, pickTop + PickPanelHeight + 6, columnWidth - 4, ColourPanelHeight);
}

void TfrmTWThreadedPattern::BuildColourPanel()
{
    for (fw::Panel* colour : {pnlColour1, pnlColour2}) {
        colour->SetParent(ILBrushPanel3);
        colour->SetCaption(std::string());
        colour->SetBevelOuter(fw::PanelBevel::Lowered);
        colour->SetShowHint(true);
        colour->SetTag(-1);
        colour->SetColor(fw::clBtnFace);
    }
    pnlColour1->SetHint("Primary colour");
    pnlColour2->SetHint("Secondary colour");
    pnlColour1->SetBounds(6, 6, 24, 24);
    pnlColour2->SetBounds(18, 18, 24, 24);
    btnSwapColourSel->SetParent(ILBrushPanel3);
    btnSwapColourSel->SetBounds(50, 12, ButtonSize, ButtonSize);

    fw::SpeedButton* const commands[] = {btnSwapColours, btnReplaceColours, btnReplaceCol2, btnSelectPalette,
                                         btnEditPalette};
    for (int i = 0; i < 5; ++i) {
        commands[i]->SetParent(ILBrushPanel3);
        commands[i]->SetBounds(4 + (i % 3) * (ButtonSize + ButtonGap), 50 + (i / 3) * (ButtonSize + ButtonGap),
                               ButtonSize, ButtonSize);
    }
    framePalette->SetParent(ILBrushPanel3);
    framePalette->SetLeft(2);
    framePalette->SetTop(50 + 2 * (ButtonSize + ButtonGap) + 4);
}

void TfrmTWThreadedPattern::BuildCardArea()
{
    auto* main = new fw::Panel(this);
    main->SetName("pnlMain");
    main->SetCaption(std::string());
    main->SetBevelOuter(fw::PanelBevel::None);
    main->SetParent(pnlTTop);
    main->SetAlign(fw::Align::Client);

    pnlCards->SetParent(main);
    pnlCards->SetAlign(fw::Align::Top);
    pnlCards->SetHeight(frmCards->Height() + 4);
    pnlPacks->SetParent(pnlCards);
    pnlPacks->SetAlign(fw::Align::Top);
    pnlPacks->SetHeight(PackSelectorHeight);
    pnlPacks->SetVisible(false);
    lstPacks->SetParent(pnlPacks);
    lstPacks->SetAlign(fw::Align::Client);
    frmCards->SetParent(pnlCards);
    frmCards->SetAlign(fw::Align::Client);

    bvlActions->SetParent(main);
    bvlActions->SetCaption(std::string());
    bvlActions->SetAlign(fw::Align::Top);
    bvlActions->SetHeight(BevelHeight);
    bvlActions->SetBevelOuter(fw::PanelBevel::Lowered);

    pcActions->SetParent(main);
    pcActions->SetAlign(fw::Align::Right);
    pcActions->SetWidth(ActionPagesWidth);
    spltV1->SetParent(main);
    spltV1->SetAlign(fw::Align::Right);
    frmImage->SetParent(main);
    frmImage->SetAlign(fw::Align::Client);

    // The pack selector: two rows against one column per pack, its headings the packs.
    // Flat rows like the pick lists, but a click picks a cell rather than selecting a row,
    // and the columns keep the widths they are given.
    lstPacks->SetOptions(
        (FlatListOptions() | TILTreeDisplayOption::iltNoSelect).Exclude(TILTreeDisplayOption::iltResizeCol));
    lstPacks->SetIcons(imgPackIcons);
    lstPacks->SetFixedColumns(1);
    while (lstPacks->HeadingRows().Count() < 2) {
        lstPacks->HeadingRows().Add();
    }
    TILTreeColumnData* action = lstPacks->Columns().Add();
    action->SetCaption("Action");
    action->SetWidth(75);
    action->SetCanResize(false);
}

void TfrmTWThreadedPattern::BuildActionPages()
{
    pcActions->SetShowTabs(false);
    const struct {
        TILBrushPage* Page;
        const char* Name;
        const char* Caption;
        TILTree* Tree;
    } pages[] = {{pgIndividual, "pgIndividual", "Individual", lstActions},
                 {pgPacks, "pgPacks", "Packs", lstPackActions},
                 {pgActionGrid, "pgActionGrid", "Grid", lstGrid}};
    for (const auto& page : pages) {
        page.Page->SetName(page.Name);
        page.Page->SetPageName(page.Caption);
        page.Page->SetParent(pcActions);
        page.Tree->SetParent(page.Page);
        page.Tree->SetAlign(fw::Align::Client);
        page.Tree->SetOptions(FlatListOptions());
        page.Tree->SetIcons(imgTreeIcons);
        page.Tree->SetFixedColumns(1);
    }

    const auto addColumn = [](TILTree& tree, const char* caption, const char* id, int width) {
        TILTreeColumnData* column = tree.Columns().Add();
        column->SetCaption(caption);
        column->SetID(id);
        column->SetWidth(width);
        return column;
    };
    TILTreeColumnData* pick = addColumn(*lstActions, "Pick", "PICK", 35);
    pick->SetJustifyOverride(iltJustifyCentre);
    pick->SetHeaderJustify(iltJustifyCentre);
    addColumn(*lstActions, "Forwards", "FORWARDS", 125);
    addColumn(*lstActions, "Backwards", "BACKWARDS", 125);
    addColumn(*lstActions, "Twist", "TWIST", 75);
    TILTreeDisplayOptions multi = FlatListOptions();
    multi.Include(TILTreeDisplayOption::iltMultiSelect);
    lstActions->SetOptions(multi);
    lstActions->SetPopupMenu(pmPickList);

    addColumn(*lstPackActions, "Pick", "PICK", 35)->SetJustifyOverride(iltJustifyCentre);
    lstPackActions->SetOptions(multi);
    lstPackActions->SetPopupMenu(pmPickList);

    addColumn(*lstGrid, "Pick", "PICK", 35)->SetJustifyOverride(iltJustifyCentre);
    TILTreeDisplayOptions grid = FlatListOptions();
    grid.Include(TILTreeDisplayOption::iltNoSelect);
    lstGrid->SetOptions(grid);

    // The grid page shows only while the grid button is down; the individual list first.
    pgPacks->SetHidePage(true);
    pgActionGrid->SetHidePage(true);
    pcActions->SetActivePage(pgIndividual);
}

void TfrmTWThreadedPattern::BuildPopupMenus()
{
    pmPickList->SetName("pmPickList");
    mnuRepeatPick->SetName("mnuRepeatPick");
    mnuRepeatPick->SetCaption("&Repeat");
    mnuRepeatPick->SetOnClick([this](fw::Object*) { mnuRepeatPickClick(); });
    mnuDeletePick->SetName("mnuDeletePick");
    mnuDeletePick->SetCaption("&Delete");
    mnuDeletePick->SetOnClick([this](fw::Object*) { mnuDeletePickClick(); });
    pmPickList->Items()->Add(mnuRepeatPick);
    pmPickList->Items()->Add(mnuDeletePick);

    pmGridActions->SetName("pmGridActions");
    pmGridActions->SetAutoPopup(false);
    const struct {
        const char* Name;
        const char* Caption;
        fw::NotifyEvent Click;
    } items[] = {
        {"mnuGridForward", "&Forward Turn", [this](fw::Object*) { GridSetTurn(TurnForwards); }},
        {"mnuGridBackward", "&Backward Turn", [this](fw::Object*) { GridSetTurn(TurnBackwards); }},
        {"mnuGridIdle", "&Idle", [this](fw::Object*) { GridSetTurn(TurnIdle); }},
        {"mnuGridLine", "-", {}},
        {"mnuGridTwist", "&Twist", [this](fw::Object*) { GridToggleTwist(); }},
    };
    for (const auto& item : items) {
        auto* menuItem = new fw::MenuItem(this);
        menuItem->SetName(item.Name);
        menuItem->SetCaption(item.Caption);
        menuItem->SetOnClick(item.Click);
        pmGridActions->Items()->Add(menuItem);
    }
}

void TfrmTWThreadedPattern::BindEvents()
{
    btnHideActionPanel->SetOnClick([this](fw::Object*) { btnHideActionPanelClick(); });
    for (fw::SpeedButton* mode : {btnToggleColours, btnToggleDir, btnToggleTwist, btnToggleIdle}) {
        mode->SetOnClick([this, mode](fw::Object*) { ModeButtonClick(mode); });
    }
    btnShowActionGrid->SetOnClick([this](fw::Object*) { ShowActionGrid(btnShowActionGrid->Down()); });
    btnShowPacks->SetOnClick([this](fw::Object*) { ShowPacks(btnShowPacks->Down()); });
    btnDoPick->SetOnClick([this](fw::Object*) { DoPick(false); });
    btnDoPickReverse->SetOnClick([this](fw::Object*) { DoPick(true); });
    btnBreakPacks->SetOnClick([this](fw::Object*) { btnBreakPacksClick(); });
    btnSetupPacks->SetOnClick([this](fw::Object*) { btnSetupPacksClick(); });

    pnlColour1->SetOnClick([this](fw::Object*) { ColourPanelClick(pnlColour1); });
    pnlColour2->SetOnClick([this](fw::Object*) { ColourPanelClick(pnlColour2); });
    btnSwapColourSel->SetOnClick([this](fw::Object*) { btnSwapColourSelClick(); });
    btnSwapColours->SetOnClick([this](fw::Object*) { btnSwapColoursClick(); });
    btnReplaceColours->SetOnClick([this](fw::Object*) { btnReplaceColoursClick(); });
    btnReplaceCol2->SetOnClick([this](fw::Object*) { btnReplaceCol2Click(); });
    btnSelectPalette->SetOnClick([this](fw::Object*) { btnSelectPaletteClick(); });
    btnEditPalette->SetOnClick([this](fw::Object*) { btnEditPaletteClick(); });
    framePalette->SetOnSelectColour(
        [this](TfrmTWPalette4x4*, TTWColour, int index) { SetColourPanel(pnlColour1, index); });
    framePalette->SetOnSelectAltColour(
        [this](TfrmTWPalette4x4*, TTWColour, int index) { SetColourPanel(pnlColour2, index); });

    lstPacks->SetOnNodeClick([this](TILTree* tree, TILTreeNode* node) {
        const TILTreeColumnData* column = tree->ColumnAt(tree->LastMousePoint().X);
        if (column != nullptr) {
            lstPacksCellClick(node, column->Index());
        }
    });
    lstPacks->SetOnGetHeaderFont([](TILTree*, TILTreeColumnHeaderCell* cell, fw::Font& font) {
        const TILTreeColumnData* column = cell != nullptr ? cell->Column() : nullptr;
        font.Style.Bold = column != nullptr && column->Index() == 0;
    });
    lstPacks->SetOnGetHeaderBack([](TILTree*, TILTreeColumnHeaderCell* cell, TILBrush& brush) {
        const TILTreeColumnData* column = cell != nullptr ? cell->Column() : nullptr;
        if (column != nullptr && column->Index() > 0) {
            brush.SetSimple(0xC0C0C0, fw::BrushStyle::Solid);
        }
    });
    lstGrid->SetBeforeNodePopup([this](TILTree*, TILTreeNode* node, int columnIndex) -> fw::Component* {
        return lstGridBeforePopup(node, columnIndex);
    });

    // The reverse side is woven when it comes into view, if picks changed since it was last.
    frmImage->SetOnReverseShowing([this] { RebuildStaleReverse(); });
    frmImage->SetOnImageMouseDown([this](fw::Object* sender, fw::MouseButton button, fw::ShiftState, int x, int y) {
        if (sender == static_cast<fw::Object*>(frmImage->imgWeaving)) {
            ImageMouseDown(button, x, y);
        }
    });
    frmImage->SetOnImageMouseMove([this](fw::Object* sender, fw::ShiftState, int x, int y) {
        if (sender == static_cast<fw::Object*>(frmImage->imgWeaving)) {
            ImageMouseMove(x, y);
        }
    });
}

void TfrmTWThreadedPattern::ApplyDefaultStyle()
{
    TfrmTWPatternBaseForm::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstPacks, lstActions, lstPackActions, lstGrid});
    fw::Pen pen = lstGrid->GridPen();
    pen.Color = GridLineColour;
    lstGrid->SetGridPen(pen);
}
