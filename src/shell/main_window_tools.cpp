// The tool bar of the main window: five bands of speed buttons, one per group of commands.

#include <cstdint>
#include <span>
#include <string>

#include "framework/gui/dock.h"
#include "framework/gui/image_list.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"

namespace {

struct ToolButtonDefinition {
    const char* Name;
    std::int32_t ActionId;
    const char* Hint;
    // An independent toggle: pressed and released by each click.
    bool Toggle;
};

constexpr int ButtonWidth = 23;
constexpr int ButtonHeight = 22;

using namespace TWAction;

constexpr ToolButtonDefinition FileButtons[] = {
    {"btnSave", Save, "Save", false},
    {"btnPrint", Print, "Print pattern", false},
};

constexpr ToolButtonDefinition GeneralButtons[] = {
    {"btnPatternDetails", PatternDetails, "Pattern Details", false},
    {"btnPatternSize", PatternSize, "Set pattern size", false},
    {"btnCards", CardSetup, "Card Setup", false},
    {"btnThreading", ThreadingDiagram, "Threading diagram", false},
    {"btnCardList", CardList, "Show card list", true},
    {"btnSelvedgeGenerator", Selvedges, "Selvedge generator", false},
    {"btnNotes", Notes, "Show or hide notes", false},
};

constexpr ToolButtonDefinition DisplayButtons[] = {
    {"btnZoomIn", ZoomIn, "Zoom in", false},
    {"btnZoomOut", ZoomOut, "Zoom out", false},
    {"btnSizeRatios", DisplayRatios, "Change display ratios", false},
    {"btnRotate", Rotate, "Rotate display", false},
    {"btnSetGridColour", GridColour, "Set grid colour", false},
    {"btnSaveImage", SaveImage, "Save image", false},
    {"btnPrintImage", PrintImage, "Print image", false},
    {"btnImgToClipboard", CopyImage, "Copy image to clipboard", false},
    {"btnCaptureProfile", CaptureProfile, "Capture display profile", false},
    {"btnSelectProfile", SelectProfile, "Select display profile", false},
};

constexpr ToolButtonDefinition DisplayFlagButtons[] = {
    {"btnShowGrid", ShowGrid, "Show grid", true},
    {"btnShowGridHighlight", ShowGridHighlights, "Show grid highlights", true},
    {"btnShowColours", ShowColours, "Show colours", true},
    {"btnShowTwining", ShowTwining, "Show twining direction", true},
    {"btnShowDirChanges", ShowDirectionChanges, "Show direction changes", true},
    {"btnMarkTwists", ShowCardTwists, "Show card twists", true},
    {"btnMarkLongFloats", ShowLongFloats, "Show long floats", true},
    {"btnShowIdleCards", ShowIdlingCards, "Show idling cards", true},
    {"btnShowTagHole", ShowUppermostHole, "Show uppermost hole", true},
    {"btnShowTurnDir", ShowTurningDirection, "Show turning direction", true},
    {"btnShowThreading", ShowCardThreading, "Show card threading", true},
    {"btnShowGridTags", ShowGridTags, "Show tags for picks and cards", true},
    {"btnShowReverse", ShowReverse, "Show reverse of band", true},
    {"btnBlockvsReal", BlockPattern, "Change between block vs real image", true},
    {"btnBasicBlockPattern", ShowUnderlyingBlockPattern, "Show only underlying block pattern", true},
};

constexpr ToolButtonDefinition BlockPatternButtons[] = {
    {"btnImportBitmap", ImportBitmap, "Import monochrome bitmap", false},
    {"btnShiftLeft", ShiftLeft, "Shift left", false},
    {"btnShiftRight", ShiftRight, "Shift right", false},
    {"btnShiftUp", ShiftUp, "Shift up", false},
    {"btnShiftDown", ShiftDown, "Shift down", false},
    {"btnInvert", Invert, "Invert image", false},
    {"btnMirrorHorz", MirrorHorizontal, "Mirror around horizontal axis", false},
    {"btnMirrorVert", MirrorVertical, "Mirror around vertical axis", false},
    {"btnClear", ClearDesign, "Clear design", false},
    {"btnUndo", Undo, "Undo", false},
    {"btnRedo", Redo, "Redo", false},
    {"btnSelectArea", SelectArea, "Select area", true},
    {"btnCopySelection", CopySelection, "Copy area to local clipboard", false},
    {"btnCutArea", CutSelection, "Cut area", false},
    {"btnUndoArea", UndoArea, "Undo area", false},
    {"btnBitmapClips", ClipPanel, "Show local clipboard", true},
    {"btnTwillRealign", RealignPattern, "Realign pattern", false},
    {"btnImportGroundPattern", ImportGroundWeave, "Import ground pattern", false},
    {"btnClearGroundWeave", ClearGroundWeave, "Remove ground weave", false},
};

// A band: the panel holds its buttons side by side; the bar puts the band in the row that
// holds the panel's vertical centre, at the panel's left edge less the grabber.
void PlaceBand(fw::Panel& panel, int buttons, int row, int bandLeft, int rowSize)
{
    const int width = buttons * ButtonWidth;
    panel.SetBounds(bandLeft + fw::ControlBar::GrabberWidth, row * rowSize + (rowSize - ButtonHeight) / 2, width,
                    ButtonHeight);
}

int BandWidth(int buttons)
{
    return fw::ControlBar::GrabberWidth + buttons * ButtonWidth + fw::ControlBar::BandEndWidth;
}

} // namespace

void TfrmTWMain::BuildToolBar()
{
    ctrlTools->SetName("ctrlTools");
    ctrlTools->SetParent(this);
    ctrlTools->SetAlign(fw::Align::Top);
    ctrlTools->SetAutoSize(true);
    // The notes window docks only on the right.
    ctrlTools->SetOnDockOver([this](fw::Object*, fw::DragDockObject* source, int, int, fw::DragState, bool& accept) {
        if (source != nullptr && NotesWindow() != nullptr && source->GetControl() == NotesWindow()) {
            accept = false;
        }
    });

    imgToolIcons->SetName("imgToolIcons");
    imgToolIcons->SetSize(ToolIconSize, ToolIconSize);

    const auto setUpButton = [this](fw::SpeedButton* button, fw::Panel& panel, int place, const char* name,
                                    std::int32_t actionId, const char* hint) {
        button->SetName(name);
        button->SetParent(&panel);
        button->SetBounds(place * ButtonWidth, 0, ButtonWidth, ButtonHeight);
        button->SetFlat(true);
        button->SetImages(imgToolIcons);
        button->SetImageIndex(imgToolIcons->AddMasked(ToolIcon(actionId), ToolIconMask));
        button->SetHint(hint);
        button->SetShowHint(true);
        return button;
    };
    const auto makeBand = [this, &setUpButton](fw::Panel& panel, const char* name,
                                              std::span<const ToolButtonDefinition> buttons, int firstPlace) {
        panel.SetName(name);
        panel.SetParent(ctrlTools);
        panel.SetBevelOuter(fw::PanelBevel::None);
        panel.SetCaption(std::string());
        int place = firstPlace;
        for (const ToolButtonDefinition& definition : buttons) {
            fw::SpeedButton* button = setUpButton(new fw::SpeedButton(this), panel, place++, definition.Name,
                                                  definition.ActionId, definition.Hint);
            button->SetTag(definition.ActionId);
            if (definition.Toggle) {
                button->SetGroupIndex(definition.ActionId);
                button->SetAllowAllUp(true);
            }
            button->SetOnClick([this](fw::Object* sender) { PerformToolAction(sender); });
            toolButtons_.push_back(button);
        }
        return place;
    };

    // The Load button opens a file whatever editor is active: it has its own handler.
    setUpButton(btnLoad, *pnlBtnsFile, 0, "btnLoad", 0, "Open file");
    btnLoad->SetOnClick([this](fw::Object*) { mnuLoadClick(); });

    const int fileCount = makeBand(*pnlBtnsFile, "pnlBtnsFile", FileButtons, 1);
    const int generalCount = makeBand(*pnlBtnsGeneral, "pnlBtnsGeneral", GeneralButtons, 0);
    const int displayCount = makeBand(*pnlBtnsDisplay, "pnlBtnsDisplay", DisplayButtons, 0);
    const int flagCount = makeBand(*pnlBtnsDisplayFlags, "pnlBtnsDisplayFlags", DisplayFlagButtons, 0);
    const int blockCount = makeBand(*pnlBtnsBlockPattern, "pnlBtnsBlockPattern", BlockPatternButtons, 0);

    // Three rows: the file, pattern and view commands; the display switches; the block
    // designers' tools.
    const int rowSize = ctrlTools->RowSize();
    PlaceBand(*pnlBtnsFile, fileCount, 0, 0, rowSize);
    PlaceBand(*pnlBtnsGeneral, generalCount, 0, BandWidth(fileCount), rowSize);
    PlaceBand(*pnlBtnsDisplay, displayCount, 0, BandWidth(fileCount) + BandWidth(generalCount), rowSize);
    PlaceBand(*pnlBtnsDisplayFlags, flagCount, 1, 0, rowSize);
    PlaceBand(*pnlBtnsBlockPattern, blockCount, 2, 0, rowSize);
}
