// The main menu of the main window: every command the program has, by menu.

#include <cstdint>
#include <string>

#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"

namespace {

// Adds items below one parent item; every item is owned by the main window (so that it can
// be found by name) and lives in the menu tree.
class MenuBuilder {
public:
    MenuBuilder(TfrmTWMain& main, fw::MenuItem* parent) : main_(main), parent_(parent) {}

    // An item with its own handler.
    fw::MenuItem* Item(const std::string& name, const std::string& caption, fw::NotifyEvent onClick = {})
    {
        auto* item = new fw::MenuItem(&main_);
        if (!name.empty()) {
            item->SetName(name);
        }
        item->SetCaption(caption);
        item->SetOnClick(std::move(onClick));
        parent_->Add(item);
        return item;
    }
    // An item that routes its action id to the active editor.
    fw::MenuItem* Command(const std::string& name, const std::string& caption, std::int32_t actionId)
    {
        TfrmTWMain& main = main_;
        fw::MenuItem* item = Item(name, caption, [&main](fw::Object* sender) { main.PerformToolAction(sender); });
        item->SetTag(actionId);
        return item;
    }
    // An item that opens a window through the window factory.
    fw::MenuItem* Opener(const std::string& name, const std::string& caption, TTWWindowKind kind)
    {
        // The builder is gone by the time the item is clicked: only the window is captured.
        TfrmTWMain& main = main_;
        return Item(name, caption, [&main, kind](fw::Object*) { OpenWindowOfKind(main, kind); });
    }
    fw::MenuItem* Separator(const std::string& name = {}) { return Item(name, "-"); }

private:
    TfrmTWMain& main_;
    fw::MenuItem* parent_;
};

} // namespace

void TfrmTWMain::BuildMainMenu()
{
    using namespace TWAction;
    MenuBuilder top(*this, mnuMain->Items());

    mnuFile = top.Item("mnuFile", "&File");
    {
        MenuBuilder file(*this, mnuFile);
        mnuLoad = file.Item("mnuLoad", "&Load", [this](fw::Object*) { mnuLoadClick(); });
        file.Command("mnuSave", "Save", Save);
        file.Command("mnuPrint", "Print", Print);
        mnuBrowse = file.Item("mnuBrowse", "&Browse", [this](fw::Object*) { mnuBrowseClick(); });
        mnuSettings = file.Opener("mnuSettings", "&Settings", TTWWindowKind::Settings);
        mnuFile_Exit = file.Item("mnuFile_Exit", "E&xit", [this](fw::Object*) { mnuFile_ExitClick(); });
    }

    mnuCreate = top.Item("mnuCreate", "&Create");
    {
        MenuBuilder create(*this, mnuCreate);
        mnuCreateThreaded = create.Item("mnuCreateThreaded", "&Threaded-in Pattern");
        MenuBuilder threaded(*this, mnuCreateThreaded);
        // The names as they have always been, the second one's typo included.
        const char* const names[] = {"mnuThreaded3Hole", "mnuTheaded4Hole", "mnuThreaded5Hole",
                                     "mnuThreaded6Hole", "mnuThreaded7Hole", "mnuThreaded8Hole"};
        for (int holes = 3; holes <= 8; ++holes) {
            fw::MenuItem* item = threaded.Item(names[holes - 3], "&" + std::to_string(holes) + " Holes",
                                               [this](fw::Object* sender) { mnuThreadedClick(sender); });
            item->SetTag(holes);
        }

        fw::MenuItem* doubleFaced = create.Item("DoubleFaced1", "&Double-Faced Pattern");
        MenuBuilder df(*this, doubleFaced);
        df.Opener("mnuCreateSimpleDoubleface", "&Simple (2 Colour)", TTWWindowKind::SimpleDoubleFaceEditor);
        df.Opener("mnuDFMultiColour", "&Multiple Colours", TTWWindowKind::MultiColourDoubleFaceEditor);
        mnuDF6Hole = df.Opener("mnuDF6Hole", "6-Hole Doubleface", TTWWindowKind::SixHoleDoubleFaceEditor);
        mnuDF6Hole->SetVisible(false);
        df.Separator();
        df.Opener("mnuCreate31Twill", "3/1 Broken &Twill", TTWWindowKind::BrokenTwillEditor);
        df.Separator();
        df.Opener("mnuCreateDFFont", "&Font", TTWWindowKind::FontGenerator);
        df.Opener("mnuCreateLetteredBand", "&Lettered Band", TTWWindowKind::LetteredBandEditor);

        create.Opener("mnuCreateBrocade", "&Brocade Pattern", TTWWindowKind::BrocadeEditor);
        create.Opener("mnuCreateWarpTwined", "&Twist-Patterned", TTWWindowKind::TwistPatternedEditor);
    }

    mnuEdit = top.Item("mnuEdit", "&Edit");
    {
        MenuBuilder edit(*this, mnuEdit);
        edit.Opener("mnuEdit_Palettes", "&Palettes", TTWWindowKind::PaletteList);
        MenuBuilder join(*this, edit.Item("mnuJoinPatterns", "&Join Patterns"));
        join.Opener("mnuJoinSidebySide", "&Side-by-Side", TTWWindowKind::JoinSideBySide);
        join.Opener("mnuJoinEndtoEnd", "&End-to-End", TTWWindowKind::JoinEndToEnd);
        MenuBuilder convert(*this, edit.Item("Convert1", "&Convert"));
        convert.Opener("mnuCvtDFtoBrocade", "&Double-Face/Twill to Brocade", TTWWindowKind::ConvertToBrocade);
        edit.Command("mnuEditPatternDetails", "Pattern Details", PatternDetails);
        edit.Command("mnuEditPatternSize", "Pattern Size", PatternSize);
        edit.Command("mnuEditCardList", "Card List", CardSetup);
        edit.Command("mnuSelvedges", "Selvedges", Selvedges);
        edit.Command("mnuClear", "Clear Design", ClearDesign);
        edit.Command("mnuUndo", "Undo", Undo);
        MenuBuilder area(*this, edit.Item("mnuAreaSelection", "Area Selection"));
        area.Command("mnuSelectionMode", "Selection Mode", SelectArea);
        area.Separator();
        area.Command("mnuCopySelection", "Copy Selection", CopySelection);
        area.Command("mnyCutSelection", "Cut Selection", CutSelection);
        area.Command("mnuUndoArea", "Undo Area", UndoArea);
    }

    mnuView = top.Item("mnuView", "&View");
    {
        MenuBuilder view(*this, mnuView);
        view.Command("mnuViewThreadingDiagram", "Threading Diagram", ThreadingDiagram);
        view.Command("mnuShowNotes", "Show/Hide Notes", Notes);
        MenuBuilder display(*this, view.Item("mnuDisplay", "Display"));
        display.Command("mnuShowGrid", "Show Grid", ShowGrid);
        display.Command("mnuShowGridHighlights", "Show Grid Highlights", ShowGridHighlights);
        display.Separator();
        display.Command("mnuShowColours", "Show Colours", ShowColours);
        display.Command("mnuShowTwiningDirection", "Show Twining Direction", ShowTwining);
        display.Command("mnuShowDirectionChanges", "Show Direction Changes", ShowDirectionChanges);
        display.Command("mnuShowCardTwists", "Show Card Twists", ShowCardTwists);
        display.Command("mnuShowLongFloats", "Show Long Floats", ShowLongFloats);
        display.Command("mnuShowIdlingCards", "Show Idling Cards", ShowIdlingCards);
        display.Command("ShowUppermostHole1", "Show Uppermost Hole", ShowUppermostHole);
        display.Command("ShowTurningDirection1", "Show Turning Direction", ShowTurningDirection);
        display.Command("ShowCardThreading1", "Show Card Threading", ShowCardThreading);
        display.Command("ShowGridTags1", "Show Tags for Picks and Cards", ShowGridTags);
        display.Separator();
        display.Command("mnuShowBlockPattern", "Show Block Pattern", BlockPattern);
        display.Command("mnuShowUnderlyingBlockPattern", "Show Underlying Block Pattern", ShowUnderlyingBlockPattern);
        view.Command("mnuRotate", "Rotate", Rotate);
        view.Command("mnuChangeDisplayRatios", "Change Display Ratios", DisplayRatios);
        view.Command("mnuChangeGridColour", "Change Grid Colour", GridColour);
        view.Command("mnuShowReverse", "Show Reverse Side", ShowReverse);
        view.Command("mnuShowCardList", "Show Card List", CardList);
        view.Command("mnuShowClipboard", "Show Clipboard", ClipPanel);
        view.Command("mnuCaptureProfile", "Capture Display Profile", CaptureProfile);
        mnuSelectProfile = view.Command("mnuSelectProfile", "Select Display Profile", SelectProfile);
    }

    mnuDesign = top.Item("mnuDesign", "&Design");
    {
        MenuBuilder design(*this, mnuDesign);
        MenuBuilder image(*this, design.Item("mnuDesignImage", "Image"));
        image.Command("mnuSaveImage", "Save Image", SaveImage);
        image.Command("mnuPrintImage", "Print Image", PrintImage);
        image.Command("mnuCopyImagetoCliipboard", "Copy Image to Cliipboard", CopyImage);
        image.Command("mnuImportMonchromeBitmap", "Import Monchrome Bitmap", ImportBitmap);
        MenuBuilder functions(*this, design.Item("mnuFunctions", "Functions"));
        functions.Command("mnuShiftLeft", "Shift Left", ShiftLeft);
        functions.Command("mnuShiftRight", "Shift Right", ShiftRight);
        functions.Command("mnuShiftUp", "Shift Up", ShiftUp);
        functions.Command("mnuShiftDown", "Shift Down", ShiftDown);
        functions.Command("mnuInvert", "Invert", Invert);
        functions.Command("mnuMirroraroundVerticalAxis", "Mirror around Vertical Axis", MirrorVertical);
        functions.Command("mnuMirroraroundHorizontalAxis", "Mirror around Horizontal Axis", MirrorHorizontal);
        functions.Command("mnuRealignPattern", "Realign Pattern", RealignPattern);
        design.Command("mnuImportGroundWeave", "Import Ground Weave", ImportGroundWeave);
        design.Command("mnuClearGroundWeave", "Remove Ground Weave", ClearGroundWeave);
        design.Command("ZoomIn1", "Zoom In", ZoomIn);
        design.Command("ZoomOut1", "Zoom Out", ZoomOut);
    }

    mnuWindows = top.Item("mnuWindows", "&Windows");
    {
        MenuBuilder windows(*this, mnuWindows);
        const fw::NotifyEvent tile = [this](fw::Object* sender) { mnuTileClick(sender); };
        mnuTileVertical = windows.Item("mnuTileVertical", "Tile &Vertical", tile);
        mnuTileHorizontal = windows.Item("mnuTileHorizontal", "Tile  &Horizontal", tile);
        mnuCascade = windows.Item("mnuCascade", "&Cascade", [this](fw::Object*) { mnuCascadeClick(); });
        mnuDivBrowser = windows.Separator("mnuDivBrowser");
        mnuDivBrowser->SetVisible(false);
        mnuShowBrowser = windows.Item("mnuShowBrowser", "&Browser", [this](fw::Object*) { mnuBrowseClick(); });
        mnuShowBrowser->SetVisible(false);
        // The editor windows' items follow this line.
        windows.Separator();
    }

    mnuAbout = top.Item("mnuAbout", "&About");
    {
        MenuBuilder about(*this, mnuAbout);
        about.Opener("mnuAboutTVL", "&TVL", TTWWindowKind::About);
        about.Opener("mnuRevisions", "&Revisions", TTWWindowKind::Revisions);
    }
}
