// The settings dialog's window: its ten pages and their controls.

#include "shell/settings_dialog.h"

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "controls/tabbed_pages.h"
#include "forms/combo_box.h"
#include "forms/forms_default_style.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_spin_edit.h"
#include "model/user_settings.h"
#include "shell/settings_dialog_kit.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_sort.h"

namespace {

constexpr int DialogWidth = 600;
constexpr int DialogHeight = 440;
constexpr int SwatchWidth = 60;
constexpr int SwatchHeight = 20;
// The widths the grid-highlight lines can have.
constexpr int GridHighlightWidths = 5;

TILBrushPageControl* NewPageControl(TfrmTBasic& form)
{
    auto* pages = new TILBrushPageControl(&form);
    pages->SetName("pcMain");
    pages->SetParent(form.pnlTTop);
    pages->SetAlign(fw::Align::Client);
    return pages;
}

// The row of a group: y of row `row` (0 the first).
constexpr int Row(int row)
{
    return SettingsGroupFirstRow + row * SettingsRowHeight;
}

// The height of a group of that many rows.
constexpr int GroupHeight(int rows)
{
    return Row(rows) + 6;
}

} // namespace

TfrmTWSettings::TfrmTWSettings(fw::Component* owner)
    : TfrmTBtnBasic(owner),
      pcMain(NewPageControl(*this)),
      pgGeneral(NewSettingsPage(*this, *pcMain, "pgGeneral", "General")),
      pgRealImage(NewSettingsPage(*this, *pcMain, "pgRealImage", "Real Image Display")),
      pgBrokenTwill(NewSettingsPage(*this, *pcMain, "pgBrokenTwill", "3/1 Broken Twill")),
      pgProfiles(NewSettingsPage(*this, *pcMain, "pgProfiles", "Display Profiles")),
      pgSystem(NewSettingsPage(*this, *pcMain, "pgSystem", "System")),
      pgDefaultNotes(NewSettingsPage(*this, *pcMain, "pgDefaultNotes", "Default Notes")),
      pgLayout(NewSettingsPage(*this, *pcMain, "pgLayout", "Layout")),
      pgDoubleFace(NewSettingsPage(*this, *pcMain, "pgDoubleFace", "Doubleface Designer")),
      pgBrocade(NewSettingsPage(*this, *pcMain, "pgBrocade", "Brocade Designer")),
      pgTwistPatterned(NewSettingsPage(*this, *pcMain, "pgTwistPatterned", "Twist-Patterned"))
{
    SetName("frmTWSettings");
    SetCaption("Settings");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, DialogWidth, DialogHeight);
    BuildGeneralPage();
    BuildRealImagePage();
    BuildBrokenTwillPage();
    BuildProfilesPage();
    BuildSystemPage();
    BuildDefaultNotesPage();
    BuildLayoutPage();
    BuildDoubleFacePage();
    BuildBrocadePage();
    BuildTwistPatternedPage();
    pcMain->SetActivePage(pgGeneral);
}

TfrmTWSettings::~TfrmTWSettings() = default;

void TfrmTWSettings::ApplyDefaultStyle()
{
    TfrmTBtnBasic::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstProfiles});
}

fw::Panel* TfrmTWSettings::NewColourSwatch(fw::WinControl* parent, const char* name, int left, int top)
{
    auto* swatch = new fw::Panel(this);
    swatch->SetName(name);
    swatch->SetParent(parent);
    swatch->SetBounds(left, top, SwatchWidth, SwatchHeight);
    swatch->SetBevelOuter(fw::PanelBevel::Lowered);
    swatch->SetParentColor(false);
    swatch->SetOnClick([this, swatch](fw::Object*) { SelectColourHandler(*swatch); });
    return swatch;
}

// --- The pages ---------------------------------------------------------------------------------------

void TfrmTWSettings::BuildGeneralPage()
{
    TILBrushPanel* back = NewSettingsGroup(*this, pgGeneral, "Pattern Background Colour", {10, 10, 180, GroupHeight(1)});
    pnlBackColour = NewColourSwatch(back, "pnlBackColour", 12, Row(0));

    TILBrushPanel* floats = NewSettingsGroup(*this, pgGeneral, "Long Float Colours", {10, 74, 180, GroupHeight(3)});
    NewRowLabel(*this, floats, "3 Picks", 12, Row(0));
    pnlFloat3Col = NewColourSwatch(floats, "pnlFloat3Col", 108, Row(0));
    NewRowLabel(*this, floats, "4 Picks", 12, Row(1));
    pnlFloat4Col = NewColourSwatch(floats, "pnlFloat4Col", 108, Row(1));
    NewRowLabel(*this, floats, "5 or more Picks", 12, Row(2));
    pnlFloat5Col = NewColourSwatch(floats, "pnlFloat5Col", 108, Row(2));

    TILBrushPanel* grid = NewSettingsGroup(*this, pgGeneral, "Grid Colour", {10, 186, 180, GroupHeight(1)});
    pnlDefGridColour = NewColourSwatch(grid, "pnlDefGridColour", 12, Row(0));

    TILBrushPanel* highlights = NewSettingsGroup(*this, pgGeneral, "Grid Highlights", {200, 10, 180, GroupHeight(4)});
    NewRowLabel(*this, highlights, "X", 12, Row(0));
    edGridHighlightX = NewSettingsEdit(*this, highlights, "edGridHighlightX", 70, Row(0), 60);
    NewRowLabel(*this, highlights, "Y", 12, Row(1));
    edGridHighlightY = NewSettingsEdit(*this, highlights, "edGridHighlightY", 70, Row(1), 60);
    NewRowLabel(*this, highlights, "Colour", 12, Row(2));
    pnlGridHighlightCol = NewColourSwatch(highlights, "pnlGridHighlightCol", 70, Row(2));
    NewRowLabel(*this, highlights, "Width", 12, Row(3));
    cbGridHighlightWidth = NewSettingsCombo(*this, highlights, "cbGridHighlightWidth", 70, Row(3), 96);
    // Each width tagged with itself.
    for (int width = 1; width <= GridHighlightWidths; ++width) {
        cbGridHighlightWidth->Items().Add(std::to_string(width) + (width == 1 ? " pixel" : " pixels"), width);
    }

    TILBrushPanel* twining = NewSettingsGroup(*this, pgGeneral, "Twining Marker Colours", {390, 10, 190, GroupHeight(3)});
    NewRowLabel(*this, twining, "S-twined (\\)", 12, Row(0));
    pnlSTwineCol = NewColourSwatch(twining, "pnlSTwineCol", 110, Row(0));
    NewRowLabel(*this, twining, "Z-twined (/)", 12, Row(1));
    pnlZTwineCol = NewColourSwatch(twining, "pnlZTwineCol", 110, Row(1));
    chkTwineColUseDefault =
        NewSettingsCheck(*this, twining, "chkTwineColUseDefault", "Use default colour", 12, Row(2) + 2, 160);

    TILBrushPanel* area = NewSettingsGroup(*this, pgGeneral, "When selecting and moving an area, the area will be:",
                                           {200, 146, 380, GroupHeight(2)});
    rbAreaSelectCut = NewSettingsRadio(*this, area, "rbAreaSelectCut", "Cut from the pattern", 12, Row(0) + 2, 200);
    rbAreaSelectCopy = NewSettingsRadio(*this, area, "rbAreaSelectCopy", "Copied", 12, Row(1) + 2, 200);
}

void TfrmTWSettings::BuildRealImagePage()
{
    TILBrushPanel* ratios = NewSettingsGroup(*this, pgRealImage, "Display Size Ratios", {10, 10, 220, GroupHeight(3)});
    NewRowLabel(*this, ratios, "Width", 12, Row(0));
    edImgWidth = NewSettingsEdit(*this, ratios, "edImgWidth", 110, Row(0), 90);
    NewRowLabel(*this, ratios, "Centre Height", 12, Row(1));
    edImgCentreHeight = NewSettingsEdit(*this, ratios, "edImgCentreHeight", 110, Row(1), 90);
    NewRowLabel(*this, ratios, "End Height", 12, Row(2));
    edImgEndHeight = NewSettingsEdit(*this, ratios, "edImgEndHeight", 110, Row(2), 90);

    TILBrushPanel* orientation = NewSettingsGroup(*this, pgRealImage, "Default Orientation", {10, 122, 220, GroupHeight(1)});
    cbImgOrientation = NewOrientationCombo(*this, orientation, "cbImgOrientation", 12, Row(0), 140);

    TILBrushPanel* turning =
        NewSettingsGroup(*this, pgRealImage, "Show Turning Direction as", {240, 10, 240, GroupHeight(3)});
    rbImgShowTurnAsFB = NewSettingsRadio(*this, turning, "rbImgShowTurnAsFB", "Letters F and B", 12, Row(0) + 2, 200);
    rbImgShowTurnAsLine = NewSettingsRadio(*this, turning, "rbImgShowTurnAsLine", "Diagonal Lines", 12, Row(1) + 2, 200);
    rbImgShowTurnAsBlock =
        NewSettingsRadio(*this, turning, "rbImgShowTurnAsBlock", "White and Black blocks", 12, Row(2) + 2, 200);

    TILBrushPanel* tags = NewSettingsGroup(*this, pgRealImage, "Tag Colour", {240, 122, 240, GroupHeight(1)});
    pnlTagColour = NewColourSwatch(tags, "pnlTagColour", 12, Row(0));
}

void TfrmTWSettings::BuildBrokenTwillPage()
{
    TILBrushPanel* interchange =
        NewSettingsGroup(*this, pgBrokenTwill, "Colour Interchange", {10, 10, 300, GroupHeight(2)});
    rb31ChangeTurnSequence =
        NewSettingsRadio(*this, interchange, "rb31ChangeTurnSequence", "Change Turning Sequence", 12, Row(0) + 2, 220);
    rb31UseCardTwist = NewSettingsRadio(*this, interchange, "rb31UseCardTwist", "Use Card Twists", 12, Row(1) + 2, 220);

    TILBrushPanel* generation =
        NewSettingsGroup(*this, pgBrokenTwill, "Pattern Generation", {10, 98, 300, GroupHeight(3)});
    rb31OnePack = NewSettingsRadio(*this, generation, "rb31OnePack", "Use One-Pack Method", 12, Row(0) + 2, 220);
    rb31TwoPack = NewSettingsRadio(*this, generation, "rb31TwoPack", "Use Two-Pack Method", 12, Row(1) + 2, 220);
    NewRowLabel(*this, generation, "At present only the one-pack method is supported.", 12, Row(2));
    rb31OnePack->SetChecked(true);
    rb31TwoPack->SetEnabled(false);

    TILBrushPanel* ratios = NewSettingsGroup(*this, pgBrokenTwill, "Display Size Ratios", {320, 10, 200, GroupHeight(2)});
    NewRowLabel(*this, ratios, "Width", 12, Row(0));
    ed31RatioWidth = NewSettingsEdit(*this, ratios, "ed31RatioWidth", 90, Row(0), 90);
    NewRowLabel(*this, ratios, "Height", 12, Row(1));
    ed31RatioHeight = NewSettingsEdit(*this, ratios, "ed31RatioHeight", 90, Row(1), 90);

    TILBrushPanel* orientation =
        NewSettingsGroup(*this, pgBrokenTwill, "Default Orientation", {320, 98, 200, GroupHeight(1)});
    cb31Orientation = NewOrientationCombo(*this, orientation, "cb31Orientation", 12, Row(0), 140);

    TILBrushPanel* twill =
        NewSettingsGroup(*this, pgBrokenTwill, "Default Twill Direction", {320, 162, 200, GroupHeight(2)});
    rb31DefaultSTwill = NewSettingsRadio(*this, twill, "rb31DefaultSTwill", "S-Twill", 12, Row(0) + 2, 150);
    rb31DefaultZTwill = NewSettingsRadio(*this, twill, "rb31DefaultZTwill", "Z-Twill", 12, Row(1) + 2, 150);
}

void TfrmTWSettings::BuildProfilesPage()
{
    lstProfiles = NewFormList(*this, pgProfiles, "lstProfiles", FormBounds{10, 10, 330, 300});
    TILTreeColumnData* name = lstProfiles->Columns().Add();
    name->SetCaption("Profile Name");
    name->SetWidth(325);
    name->SetAutoSort(iltSortAlphaAscendI);
    TILTreeInlineEditSettings editing;
    // The edit stays open without a loop of its own; Enter takes the new name.
    editing.SetOptions(TILTreeInlineEditOptions{TILTreeInlineEditOption::iltEditAllowTab});
    lstProfiles->SetInlineEdit(&editing);
    btnDeleteDisplayProfile = NewFormButton(*this, pgProfiles, "btnDeleteDisplayProfile", "Delete", 350, 10);
    btnDeleteDisplayProfile->SetOnClick([this](fw::Object*) { btnDeleteDisplayProfileClick(); });
    bntRenameProfile = NewFormButton(*this, pgProfiles, "bntRenameProfile", "Rename", 350, 40);
    bntRenameProfile->SetOnClick([this](fw::Object*) { bntRenameProfileClick(); });
}

void TfrmTWSettings::BuildSystemPage()
{
    TILBrushPanel* registration = NewSettingsGroup(*this, pgSystem, "TVL File Registration", {10, 10, 570, GroupHeight(1)});
    chkCheckAutoRegTVL = NewSettingsCheck(*this, registration, "chkCheckAutoRegTVL",
                                          "When starting TVL, check whether TVL files have been registered with this desktop",
                                          12, Row(0) + 2, 540);

    TILBrushPanel* printer = NewSettingsGroup(*this, pgSystem, "Printer Settings", {10, 74, 570, GroupHeight(3)});
    NewRowLabel(*this, printer, "Default Printer", 12, Row(0));
    cbDefaultPrinter = NewSettingsCombo(*this, printer, "cbDefaultPrinter", 140, Row(0), 300);
    cbDefaultPrinter->DropDownList().SetMinimiseHeight(true);
    NewRowLabel(*this, printer, "Default Paper Size", 12, Row(1));
    cbDefaultPaperSize = NewSettingsCombo(*this, printer, "cbDefaultPaperSize", 140, Row(1), 200);
    cbDefaultPaperSize->DropDownList().SetMaximiseHeight(false);
    cbDefaultPaperSize->DropDownList().SetHeight(200);
    NewRowLabel(*this, printer, "Font Size", 12, Row(2));
    edPrintFontSize = new fw::SpinEdit(this);
    edPrintFontSize->SetName("edPrintFontSize");
    edPrintFontSize->SetParent(printer);
    edPrintFontSize->SetBounds(140, Row(2), 60, 21);
    edPrintFontSize->SetMinValue(TTWPrinterSettings::MinFontSize);
    edPrintFontSize->SetMaxValue(TTWPrinterSettings::MaxFontSize);
}

void TfrmTWSettings::BuildDefaultNotesPage()
{
    NewFormLabel(*this, pgDefaultNotes, "lblNotes", "These notes will be automatically included in all new patterns.",
                 10, 10);
    edNotes = new fw::Memo(this);
    edNotes->SetName("edNotes");
    edNotes->SetParent(pgDefaultNotes);
    edNotes->SetBounds(10, 30, 560, 280);
    edNotes->SetScrollBars(fw::ScrollStyle::Vertical);
}

void TfrmTWSettings::BuildLayoutPage()
{
    TILBrushPanel* notes = NewSettingsGroup(*this, pgLayout, "Automatically show Notes", {10, 10, 250, GroupHeight(3)});
    rbShowNotesFloating = NewSettingsRadio(*this, notes, "rbShowNotesFloating", "As floating window", 12, Row(0) + 2, 220);
    rbShowNotesDocked = NewSettingsRadio(*this, notes, "rbShowNotesDocked", "As docked window", 12, Row(1) + 2, 220);
    rbShowNotesHide = NewSettingsRadio(*this, notes, "rbShowNotesHide", "Hide notes", 12, Row(2) + 2, 220);

    TILBrushPanel* designers = NewSettingsGroup(*this, pgLayout, "Block Pattern Designers", {270, 10, 310, GroupHeight(3)});
    rbSnapshotPanelDynamic = NewSettingsRadio(*this, designers, "rbSnapshotPanelDynamic",
                                              "Snapshot panel  changes orientation with the designer", 12, Row(0) + 2, 290);
    rbSnapshotPanelVertical = NewSettingsRadio(*this, designers, "rbSnapshotPanelVertical",
                                               "Snapshot panel  is always vertical", 12, Row(1) + 2, 290);
    rbSnapshotPanelHorizontal = NewSettingsRadio(*this, designers, "rbSnapshotPanelHorizontal",
                                                 "Snapshot panel  is always horizontal", 12, Row(2) + 2, 290);

    TILBrushPanel* vertical =
        NewSettingsGroup(*this, pgLayout, "Vertical Snapshot Panel Position", {270, 122, 310, GroupHeight(2)});
    rbSnapshotPanelLeft = NewSettingsRadio(*this, vertical, "rbSnapshotPanelLeft", "Left", 12, Row(0) + 2, 150);
    rbSnapshotPanelRight = NewSettingsRadio(*this, vertical, "rbSnapshotPanelRight", "Right", 12, Row(1) + 2, 150);

    TILBrushPanel* horizontal =
        NewSettingsGroup(*this, pgLayout, "Horizontal Snapshot Panel Position", {270, 210, 310, GroupHeight(2)});
    rbSnapShotPanelTop = NewSettingsRadio(*this, horizontal, "rbSnapShotPanelTop", "Top", 12, Row(0) + 2, 150);
    rbSnapshotPanelBottom = NewSettingsRadio(*this, horizontal, "rbSnapshotPanelBottom", "Bottom", 12, Row(1) + 2, 150);
}

void TfrmTWSettings::BuildDoubleFacePage()
{
    TILBrushPanel* ratios = NewSettingsGroup(*this, pgDoubleFace, "Display Size Ratios", {10, 10, 220, GroupHeight(2)});
    NewRowLabel(*this, ratios, "Width", 12, Row(0));
    edDFRatioWidth = NewSettingsEdit(*this, ratios, "edDFRatioWidth", 110, Row(0), 90);
    NewRowLabel(*this, ratios, "Height", 12, Row(1));
    edDFRatioHeight = NewSettingsEdit(*this, ratios, "edDFRatioHeight", 110, Row(1), 90);

    TILBrushPanel* orientation = NewSettingsGroup(*this, pgDoubleFace, "Default Orientation", {10, 98, 220, GroupHeight(1)});
    cbDFOrientation = NewOrientationCombo(*this, orientation, "cbDFOrientation", 12, Row(0), 140);

    TILBrushPanel* threading = NewSettingsGroup(*this, pgDoubleFace, "Default Threading", {240, 10, 250, GroupHeight(3)});
    rbDFDefaultThreadS = NewSettingsRadio(*this, threading, "rbDFDefaultThreadS", "All S-Threaded", 12, Row(0) + 2, 220);
    rbDFDefaultThreadZ = NewSettingsRadio(*this, threading, "rbDFDefaultThreadZ", "All Z-Threaded", 12, Row(1) + 2, 220);
    rbDFDefaultThreadSZ =
        NewSettingsRadio(*this, threading, "rbDFDefaultThreadSZ", "Alternately S/Z-Threaded", 12, Row(2) + 2, 220);
}

void TfrmTWSettings::BuildBrocadePage()
{
    TILBrushPanel* ratios = NewSettingsGroup(*this, pgBrocade, "Display Size Ratios", {10, 10, 220, GroupHeight(2)});
    NewRowLabel(*this, ratios, "Width", 12, Row(0));
    edBrocadeRatioWidth = NewSettingsEdit(*this, ratios, "edBrocadeRatioWidth", 110, Row(0), 90);
    NewRowLabel(*this, ratios, "Height", 12, Row(1));
    edBrocadeRatioHeight = NewSettingsEdit(*this, ratios, "edBrocadeRatioHeight", 110, Row(1), 90);

    TILBrushPanel* orientation = NewSettingsGroup(*this, pgBrocade, "Default Orientation", {10, 98, 220, GroupHeight(1)});
    cbBrocadeOrientation = NewOrientationCombo(*this, orientation, "cbBrocadeOrientation", 12, Row(0), 140);

    TILBrushPanel* threading = NewSettingsGroup(*this, pgBrocade, "Default Threading", {10, 162, 220, GroupHeight(3)});
    rbBrocadeDefaultThreadS =
        NewSettingsRadio(*this, threading, "rbBrocadeDefaultThreadS", "All S-Threaded", 12, Row(0) + 2, 200);
    rbBrocadeDefaultThreadZ =
        NewSettingsRadio(*this, threading, "rbBrocadeDefaultThreadZ", "All Z-Threaded", 12, Row(1) + 2, 200);
    rbBrocadeDefaultThreadSZ =
        NewSettingsRadio(*this, threading, "rbBrocadeDefaultThreadSZ", "Alternately S/Z-Threaded", 12, Row(2) + 2, 200);

    TILBrushPanel* floats = NewSettingsGroup(*this, pgBrocade, "Long Float Markers", {240, 10, 300, GroupHeight(5)});
    NewRowLabel(*this, floats, "Mark brocade floats crossing:", 12, Row(0));
    chkBrocadeMarkLF4 = NewSettingsCheck(*this, floats, "chkBrocadeMarkLF4", "4 or 5 warp threads", 12, Row(1) + 2, 190);
    pnlBrocadeLF4 = NewColourSwatch(floats, "pnlBrocadeLF4", 210, Row(1));
    chkBrocadeMarkLF6 = NewSettingsCheck(*this, floats, "chkBrocadeMarkLF6", "6 or 7 warp threads", 12, Row(2) + 2, 190);
    pnlBrocadeLF6 = NewColourSwatch(floats, "pnlBrocadeLF6", 210, Row(2));
    chkBrocadeMarkLF8 = NewSettingsCheck(*this, floats, "chkBrocadeMarkLF8", "8 or 9 warp threads", 12, Row(3) + 2, 190);
    pnlBrocadeLF8 = NewColourSwatch(floats, "pnlBrocadeLF8", 210, Row(3));
    chkBrocadeMarkLF10 =
        NewSettingsCheck(*this, floats, "chkBrocadeMarkLF10", "10 or more warp threads", 12, Row(4) + 2, 190);
    pnlBrocadeLF10 = NewColourSwatch(floats, "pnlBrocadeLF10", 210, Row(4));
}

void TfrmTWSettings::BuildTwistPatternedPage()
{
    TILBrushPanel* orientation =
        NewSettingsGroup(*this, pgTwistPatterned, "Default Orientation", {10, 10, 220, GroupHeight(1)});
    cbTPOrientation = NewOrientationCombo(*this, orientation, "cbTPOrientation", 12, Row(0), 140);

    TILBrushPanel* ratios =
        NewSettingsGroup(*this, pgTwistPatterned, "Display Size Ratios", {10, 74, 220, GroupHeight(2)});
    NewRowLabel(*this, ratios, "Width", 12, Row(0));
    edTPRatioWidth = NewSettingsEdit(*this, ratios, "edTPRatioWidth", 110, Row(0), 90);
    NewRowLabel(*this, ratios, "Height", 12, Row(1));
    edTPRatioHeight = NewSettingsEdit(*this, ratios, "edTPRatioHeight", 110, Row(1), 90);

    TILBrushPanel* generation =
        NewSettingsGroup(*this, pgTwistPatterned, "Pattern Generation", {240, 10, 300, GroupHeight(2)});
    rbTPUseTwist = NewSettingsRadio(*this, generation, "rbTPUseTwist", "Use twists", 12, Row(0) + 2, 270);
    rbTPUseDirectionChange = NewSettingsRadio(*this, generation, "rbTPUseDirectionChange",
                                              "Use change of turning direction", 12, Row(1) + 2, 270);
}
