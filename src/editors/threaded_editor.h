#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/message.h"
#include "model/pattern_change.h"
#include "model/pick_edits.h"
#include "model/weaving.h"
#include "shell/pattern_base_form.h"

class TILBrushPageControl;
class TILBrushPage;
class TILBrushPanel;
class TILTree;
class TILTreeColumnData;
class TILTreeNode;
class TTWCardList;
class TTWPack;
class TTWPattern;
class TTWPick;
class TfrmThreadCardFrameList;
class TfrmTWPalette4x4;
class TfrmWeavingImage;

namespace fw {
class ImageList;
class Label;
class MenuItem;
class Panel;
class PopupMenu;
class SpeedButton;
class Splitter;
} // namespace fw

// The editor window of a threaded-in pattern: the weaver sets up the cards, groups them into
// packs, makes picks one at a time from the card frames or the pack selector, corrects picks
// in the pick lists or the action grid, paints hole colours by clicking the woven image,
// and watches the band grow (front and reverse) in the embedded weaving image.
//
// An MDI child of the main window, maximised. Display shows it for a pattern; a pattern given
// there stays the caller's, otherwise the window makes its own (or keeps the one it has) and
// frees it when it goes. The two woven bands live with the window.
class TfrmTWThreadedPattern : public TfrmTWPatternBaseForm {
public:
    static constexpr int MinHoles = 3;
    static constexpr int MaxHoles = 8;

    // "Threaded Pattern", maximised; its parts built, not shown. FinishLoading then styles
    // the lists and puts the window into the main window's Windows menu.
    explicit TfrmTWThreadedPattern(fw::Component* owner);
    // Leaves the Windows menu, unbinds the notes when still bound, lets its pattern go (frees
    // it when owned) and frees both bands.
    ~TfrmTWThreadedPattern() override;

    std::string_view className() const override { return "TfrmTWThreadedPattern"; }

    // --- Components -------------------------------------------------------------------------
    // The left tool column.
    TILBrushPanel* const ILBrushPanel1;
    // "Show/hide action panel" (down: the card frames and the packs show).
    fw::SpeedButton* const btnHideActionPanel;
    // What a click on the woven image does; one of the four is always down.
    fw::SpeedButton* const btnToggleColours;
    fw::SpeedButton* const btnToggleDir;
    fw::SpeedButton* const btnToggleTwist;
    fw::SpeedButton* const btnToggleIdle;
    // The action grid and the pack selector; at most one is down.
    fw::SpeedButton* const btnShowActionGrid;
    fw::SpeedButton* const btnShowPacks;
    fw::SpeedButton* const btnDoPick;
    fw::SpeedButton* const btnDoPickReverse;
    fw::SpeedButton* const btnBreakPacks;
    fw::SpeedButton* const btnSetupPacks;
    // The pick count and the cell under the mouse.
    TILBrushPanel* const pnlPick;
    fw::Label* const lblPicks;
    fw::Label* const lblMouseCard;
    fw::Label* const lblMousePick;
    fw::Label* const lblMouseHole;
    // The colours: the primary and the secondary one (Tag: the palette index, -1 for none),
    // the commands on them and the palette.
    TILBrushPanel* const ILBrushPanel3;
    fw::Panel* const pnlColour1;
    fw::Panel* const pnlColour2;
    fw::SpeedButton* const btnSwapColourSel;
    fw::SpeedButton* const btnSwapColours;
    fw::SpeedButton* const btnReplaceColours;
    fw::SpeedButton* const btnReplaceCol2;
    fw::SpeedButton* const btnSelectPalette;
    fw::SpeedButton* const btnEditPalette;
    TfrmTWPalette4x4* const framePalette;
    // The upper right: the pack selector above the card frames, and a bevel below them.
    TILBrushPanel* const pnlCards;
    TILBrushPanel* const pnlPacks;
    TILTree* const lstPacks;
    TfrmThreadCardFrameList* const frmCards;
    fw::Panel* const bvlActions;
    // The band, and the pick lists beside it.
    TfrmWeavingImage* const frmImage;
    fw::Splitter* const spltV1;
    TILBrushPageControl* const pcActions;
    TILBrushPage* const pgIndividual;
    TILTree* const lstActions;
    TILBrushPage* const pgPacks;
    TILTree* const lstPackActions;
    TILBrushPage* const pgActionGrid;
    TILTree* const lstGrid;
    // "&Repeat" and "&Delete" on the pick lists; the turn and twist commands of the grid.
    fw::PopupMenu* const pmPickList;
    fw::MenuItem* const mnuRepeatPick;
    fw::MenuItem* const mnuDeletePick;
    fw::PopupMenu* const pmGridActions;
    // Icons 0 forwards, 1 backwards, 2 idle, 3 to 5 the same twisted (the pick lists and
    // the grid); the pack selector's twist mark is icon 2 of its own list.
    fw::ImageList* const imgTreeIcons;
    fw::ImageList* const imgPackIcons;

    // --- Showing a pattern ------------------------------------------------------------------
    // Shows the window for the pattern with cards of holeCount holes. A pattern given stays
    // the caller's; without one the window keeps the pattern it has, or makes an empty one
    // of its own. Then the caption, the pack selector and columns, the card frames, the
    // bands, the lists, the notes and the colours follow it, and the window shows. A hole
    // count outside 3..8 raises "Unable to display pattern form..." and changes nothing.
    void Display(int holeCount, TTWPattern* pattern, const std::string& fileName);
    // Another pattern (not owned): the one owned so far is freed. Tells the main window
    // unless it is going.
    void SetPattern(TTWPattern* pattern);
    // The window's own pattern from now on (the loader's, read from the file).
    void TakePattern(std::unique_ptr<TTWPattern> pattern);
    TTWPattern* Pattern() const { return pattern_; }
    bool OwnsPattern() const { return ownsPattern_; }
    int HoleCount() const { return holeCount_; }

    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    // The reverse side, woven first when the pattern changed since.
    const TTWWeaving& ReverseWeaving();

    // --- ITWFormActions ---------------------------------------------------------------------
    std::string GetNotes() override;
    void SetNotes(const std::string& notes) override;
    std::string GetFileName() override { return fileName_; }
    std::string GetPatternName() override;
    void SetPatternName(const std::string& name) override;

    // --- ITWActions -------------------------------------------------------------------------
    // The editor's own commands; every other id goes to the weaving image. Always handled.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    void PasteClip(fw::Object*) override {}

    // --- The band ---------------------------------------------------------------------------
    // Both bands woven again from the pattern from the 1-based pick on (the picks before it,
    // the cards, their colours and the packs unchanged since the bands were woven; 1 weaves
    // them whole), the image redrawn from its start, the card frames re-read, the pick count
    // shown and the hover labels emptied.
    void RefreshWeavings(int firstPick = 1);
    // The one way a change of the pattern reaches the window: rebuilds and refreshes what
    // shows the parts that changed (the pack selector, the card frames, the colour panels,
    // both bands, the pick lists and, when shown, the grid), and only those.
    void PatternChanged(const TTWPatternChange& change);
    // A new pick from the pack selector (packs shown) or the card frames, woven and listed
    // at the top of the pick lists and the grid; reverse exchanges forwards and backwards.
    void DoPick(bool reverse);

    // --- Panels -----------------------------------------------------------------------------
    bool PacksShown() const;
    void ShowPacks(bool show);
    bool CardListShown() const { return cardListShown_; }
    // Shows or hides the card frames (action 305) and reports its state.
    void SetCardListShown(bool show);
    bool ActionGridShown() const;
    void ShowActionGrid(bool show);
    // The action panel (card frames and pack selector) and the buttons that go with it.
    void btnHideActionPanelClick();

    // --- The lists --------------------------------------------------------------------------
    // lstActions and lstPackActions again from the picks, newest first.
    void RefillLists();
    // lstGrid again: per pick a row of icons, for cards or (with pack actions) for packs.
    void BuildActionGrid();
    // The pick lists' popup, on the selected rows of the list shown.
    void mnuRepeatPickClick();
    void mnuDeletePickClick();
    // The grid's popup: offered on a cell of column 1 or later, which it remembers.
    fw::PopupMenu* lstGridBeforePopup(TILTreeNode* node, int columnIndex);
    // The four commands of the grid popup on the remembered cell: a turn direction, or the
    // twist toggled.
    void GridSetTurn(std::uint8_t direction);
    void GridToggleTwist();
    // Changes the pick and card (or pack) of the grid cell the popup was opened on, shows the
    // icon `edit` answers, and rebuilds the band and the lists.
    void EditGridPopupCell(const std::function<int(TTWPick& pick, const TTWActionTarget& target, int icon)>& edit);
    int GridPopupColumn() const { return gridPopupColumn_; }
    int GridPopupPick() const { return gridPopupPick_; }

    // --- Packs ------------------------------------------------------------------------------
    void BuildPackSelector();
    // The pack columns of a list: every column but the first replaced by one per pack.
    void BuildPackColumns(TILTree& tree);
    // A click on a pack's heading in the selector leaves it out of picks (or takes it back).
    void lstPacksHeaderClick(TILTreeColumnData* column);
    // A click on a selector cell: the Twist row toggles the twist mark, the Movement row
    // moves on forwards -> backwards -> forwards; the pack's card frames follow.
    void lstPacksCellClick(TILTreeNode* node, int columnIndex);
    // The selector as the weaver has set it.
    std::vector<TTWPackChoice> PackChoices() const;
    void btnBreakPacksClick();
    void btnSetupPacksClick();

    // --- The woven image --------------------------------------------------------------------
    // A click on the front image at an image point: the mode of the toggle buttons decides
    // what it changes in the card of the cell clicked.
    void ImageMouseDown(fw::MouseButton button, int x, int y);
    // The hover labels follow the cell under the mouse.
    void ImageMouseMove(int x, int y);
    // A click into a toggle mode (sender one of the four mode buttons); refused once packs
    // have been used.
    void ModeButtonClick(fw::SpeedButton* sender);

    // --- Colours ----------------------------------------------------------------------------
    // A colour panel's click: the colour-selection dialog picks its index.
    void ColourPanelClick(fw::Panel* panel);
    void SetColourPanel(fw::Panel* panel, int index);
    void btnSwapColourSelClick();
    void btnSwapColoursClick();
    void btnReplaceColoursClick();
    void btnReplaceCol2Click();
    void btnSelectPaletteClick();
    void btnEditPaletteClick();

    void ApplyDefaultStyle() override;

protected:
    void FormCreate() override;
    // "Close form and lose changes?": only Yes lets the window close, and it is then freed.
    bool CloseQuery() override { return TfrmTWPatternBaseForm::CloseQuery() && ConfirmLosingChanges(); }
    void DoClose(fw::CloseAction& action) override
    {
        TfrmTWPatternBaseForm::DoClose(action);
        FreeOnClose(action);
    }
    void DoActivate() override;

private:
    // Building (threaded_editor_layout.cpp).
    void BuildToolColumn();
    void BuildColourPanel();
    void BuildCardArea();
    void BuildActionPages();
    void BuildPopupMenus();
    void BindEvents();

    // The list rows (threaded_editor_lists.cpp).
    void AddActionRow(TTWPick& pick);
    void AddPackActionRow(TTWPick& pick);
    void AddGridRow(TTWPick& pick);
    void FillActionRow(TILTreeNode& row, const TTWPick& pick);
    void FillPackActionRow(TILTreeNode& row, const TTWPick& pick);
    void FillGridRow(TILTreeNode& row, const TTWPick& pick);
    TILTree& ShownPickList() const;
    bool GridInPackMode() const;
    void RebuildGridWhenShown();
    // Weaves the reverse side when a change left it behind.
    void RebuildStaleReverse();

    // Commands (threaded_editor_actions.cpp).
    void RenamePattern();
    void EditCards();
    void SavePattern();
    void PrintThreadingDiagram();
    void ToggleNotes();
    void PrintActions();
    void ClearPicks();
    void UndoPick();

    // The image (threaded_editor_image.cpp).
    // The main card under the image column (1-based), 0 for a selvedge column.
    int CardOfColumn(int columnNumber) const;
    void ResetHoverLabels();
    void ShowHover(const TTWWeavingCell* cell);
    void UpdateGridCell(int pickNumber, int cardNumber);

    // The pack selector's parts (threaded_editor_packs.cpp).
    void SetPackFramesDirection(const TTWPack& pack, int direction);
    void FlipPackFramesThreading(const TTWPack& pack);
    void SetMovementCell(TILTreeNode& row, int columnIndex, int value);
    void SyncCardFrameOptions();

    // Colours (threaded_editor_image.cpp).
    void RefreshColourPanels();

    // The main window and the notes, when they are there.

    int holeCount_ = 4;
    TTWPattern* pattern_ = nullptr;
    bool ownsPattern_ = false;
    std::string fileName_;
    bool cardListShown_ = true;
    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
    // The first pick (1-based) that changed since the reverse side was woven, as it was not
    // shown then; 0 while it is up to date.
    int reverseStaleFrom_ = 0;
    // The cell last reported by the image (column and pick, 1-based); none.
    std::optional<std::pair<int, int>> cellUnderMouse_;
    int gridPopupColumn_ = -1;
    int gridPopupPick_ = 0;
    int savedCardListHeight_ = 0;
};
