// The settings dialog's work: the settings into the controls, the controls back into the
// settings on Accept, the colour swatches, the profile list, and the main window's command.

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "controls/brush_page.h"
#include "controls/check_box.h"
#include "controls/radio_button.h"
#include "controls/tabbed_pages.h"
#include "forms/combo_box.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_spin_edit.h"
#include "framework/report/report_paper.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/palette_colour_dialog.h"
#include "shell/settings_dialog.h"
#include "shell/size_dialog_placing.h"
#include "shell/window_factory.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_sort.h"

namespace {

// A group of radio buttons, each standing for a value of one setting.
template <class Value>
using RadioChoices = std::initializer_list<std::pair<TILRadioButton*, Value>>;

// Checks the button of the value; a value no button stands for leaves the group as it is.
template <class Value>
void CheckChoice(RadioChoices<Value> choices, Value value)
{
    for (const auto& [radio, choice] : choices) {
        if (choice == value) {
            radio->SetChecked(true);
            return;
        }
    }
}

// The value of the checked button; the current value when none is checked.
template <class Value>
Value CheckedChoice(RadioChoices<Value> choices, Value current)
{
    for (const auto& [radio, choice] : choices) {
        if (radio->Checked()) {
            return choice;
        }
    }
    return current;
}

std::string DecimalText(double value)
{
    return fw::FloatToStr(value);
}

// A text that is not a number counts as 0.
double NumberOf(const fw::Edit& edit)
{
    double value = 0;
    return fw::TryStrToFloat(edit.Text(), value) ? value : 0;
}

double AtLeastOne(double value)
{
    return value < 1.0 ? 1.0 : value;
}

void ShowRatio(fw::Edit& width, fw::Edit& height, const TTWCellRatio& ratio)
{
    width.SetText(DecimalText(ratio.Width));
    height.SetText(DecimalText(ratio.Height));
}

// Both parts of a cell ratio are at least 1.
TTWCellRatio ReadRatio(const fw::Edit& width, const fw::Edit& height)
{
    return TTWCellRatio{AtLeastOne(NumberOf(width)), AtLeastOne(NumberOf(height))};
}

int OrientationIndex(TTWOrientation orientation)
{
    return static_cast<int>(orientation);
}

// The chosen orientation; nothing chosen keeps the current one.
TTWOrientation ChosenOrientation(const TILComboBox& combo, TTWOrientation current)
{
    switch (combo.ItemIndex()) {
    case 0: return TTWOrientation::Vertical;
    case 1: return TTWOrientation::Horizontal;
    default: return current;
    }
}

void ShowColour(fw::Panel& swatch, TTWColour colour)
{
    swatch.SetColor(colour);
}

TTWColour SwatchColour(const fw::Panel& swatch)
{
    return swatch.Color();
}

// A grid spacing as typed: a number of 0 or more, 0 for anything else.
int SpacingOf(const fw::Edit& edit)
{
    return std::max(fw::StrToIntDef(edit.Text(), 0), 0);
}

} // namespace

// --- Filling ------------------------------------------------------------------------------------------

void TfrmTWSettings::FillFromSettings(const TTWUserSettings& settings)
{
    const TTWGeneralSettings& general = settings.General;
    ShowColour(*pnlBackColour, general.BackColour);
    ShowColour(*pnlFloat3Col, general.LongFloat3Colour);
    ShowColour(*pnlFloat4Col, general.LongFloat4Colour);
    ShowColour(*pnlFloat5Col, general.LongFloat5Colour);
    edGridHighlightX->SetText(std::to_string(general.GridHighlight.X));
    edGridHighlightY->SetText(std::to_string(general.GridHighlight.Y));
    ShowColour(*pnlGridHighlightCol, general.GridHighlight.Colour);
    cbGridHighlightWidth->SelectByTag(general.GridHighlight.Width, -1);
    ShowColour(*pnlSTwineCol, general.STwineColour);
    ShowColour(*pnlZTwineCol, general.ZTwineColour);
    chkTwineColUseDefault->SetChecked(general.TwineUseDefault);
    ShowColour(*pnlDefGridColour, settings.WeavingImage.GridColour);
    CheckChoice<bool>({{rbAreaSelectCut, true}, {rbAreaSelectCopy, false}}, general.CutSelection);

    const TTWImageRatio& image = settings.ImageSizeRatios.Image;
    edImgWidth->SetText(DecimalText(image.Width));
    edImgCentreHeight->SetText(DecimalText(image.Centre));
    edImgEndHeight->SetText(DecimalText(image.End));
    cbImgOrientation->SetItemIndex(OrientationIndex(settings.DefaultRotations.Image));
    CheckChoice<int>({{rbImgShowTurnAsFB, 0}, {rbImgShowTurnAsLine, 1}, {rbImgShowTurnAsBlock, 2}},
                     settings.WeavingImage.ShowTurnDir);
    ShowColour(*pnlTagColour, settings.WeavingImage.TagColour);

    CheckChoice<TTWColourInterchange>(
        {{rb31ChangeTurnSequence, TTWColourInterchange::Turn}, {rb31UseCardTwist, TTWColourInterchange::Twist}},
        settings.BrokenTwill.ColourInterchange);
    ShowRatio(*ed31RatioWidth, *ed31RatioHeight, settings.ImageSizeRatios.Twill31);
    cb31Orientation->SetItemIndex(OrientationIndex(settings.DefaultRotations.Twill31));
    CheckChoice<TTWTwillDirection>(
        {{rb31DefaultSTwill, TTWTwillDirection::S}, {rb31DefaultZTwill, TTWTwillDirection::Z}},
        settings.BrokenTwill.DefaultTwill);

    FillProfiles(settings);
    chkCheckAutoRegTVL->SetChecked(settings.System.CheckTVLReg);
    FillPrinters(settings);
    edPrintFontSize->SetValue(settings.Printer.FontSize);
    edNotes->SetText(settings.DefaultNotes);

    CheckChoice<TTWNotesMode>({{rbShowNotesFloating, TTWNotesMode::Floating},
                               {rbShowNotesDocked, TTWNotesMode::Docked},
                               {rbShowNotesHide, TTWNotesMode::Hidden}},
                              general.ShowNotes);
    const TTWSnapshotPanel& snapshot = settings.Layout.SnapshotPanel;
    CheckChoice<int>({{rbSnapshotPanelDynamic, 0}, {rbSnapshotPanelVertical, 1}, {rbSnapshotPanelHorizontal, 2}},
                     snapshot.Pos);
    CheckChoice<int>({{rbSnapshotPanelLeft, 1}, {rbSnapshotPanelRight, 3}}, snapshot.Vert);
    CheckChoice<int>({{rbSnapShotPanelTop, 2}, {rbSnapshotPanelBottom, 4}}, snapshot.Horz);

    ShowRatio(*edDFRatioWidth, *edDFRatioHeight, settings.ImageSizeRatios.DoubleFace);
    cbDFOrientation->SetItemIndex(OrientationIndex(settings.DefaultRotations.DoubleFace));
    CheckChoice<int>({{rbDFDefaultThreadS, 0}, {rbDFDefaultThreadZ, 1}, {rbDFDefaultThreadSZ, 2}},
                     settings.DoubleFace.DefaultThread);

    const TTWBrocadeSettings& brocade = settings.Brocade;
    ShowRatio(*edBrocadeRatioWidth, *edBrocadeRatioHeight, settings.ImageSizeRatios.Brocade);
    cbBrocadeOrientation->SetItemIndex(OrientationIndex(settings.DefaultRotations.Brocade));
    chkBrocadeMarkLF4->SetChecked(brocade.ShowLongFloat4);
    chkBrocadeMarkLF6->SetChecked(brocade.ShowLongFloat6);
    chkBrocadeMarkLF8->SetChecked(brocade.ShowLongFloat8);
    chkBrocadeMarkLF10->SetChecked(brocade.ShowLongFloat10);
    ShowColour(*pnlBrocadeLF4, brocade.ColLongFloat4);
    ShowColour(*pnlBrocadeLF6, brocade.ColLongFloat6);
    ShowColour(*pnlBrocadeLF8, brocade.ColLongFloat8);
    ShowColour(*pnlBrocadeLF10, brocade.ColLongFloat10);
    CheckChoice<int>({{rbBrocadeDefaultThreadS, 0}, {rbBrocadeDefaultThreadZ, 1}, {rbBrocadeDefaultThreadSZ, 2}},
                     brocade.DefaultThread);

    const TTWTwistPatternedSettings& twist = settings.TwistPatterned;
    cbTPOrientation->SetItemIndex(OrientationIndex(twist.DefaultRotation));
    ShowRatio(*edTPRatioWidth, *edTPRatioHeight, twist.Ratio);
    CheckChoice<bool>({{rbTPUseTwist, true}, {rbTPUseDirectionChange, false}}, twist.UseTwist);
}

void TfrmTWSettings::FillProfiles(const TTWUserSettings& settings)
{
    TILTreeUpdateBracket bracket(lstProfiles);
    lstProfiles->Clear();
    const TTWDesignProfileList& profiles = settings.EditorProfiles();
    for (int i = 0; i < profiles.Count(); ++i) {
        TTWDesignProfileBase* profile = profiles.GetProfile(i);
        auto* node = new TILTreeNode(lstProfiles->Root());
        node->SetText(profile->Name);
        node->SetObject(profile);
    }
    if (TILTreeColumnData* name = lstProfiles->GetColumn(0)) {
        SortNodeChildren(*lstProfiles->Root(), name->SortOrder(false), false, false);
    }
}

void TfrmTWSettings::FillPrinters(const TTWUserSettings& settings)
{
    const fw::PrinterList printers = fw::AvailablePrinters();
    cbDefaultPrinter->Items().Clear();
    for (std::size_t i = 0; i < printers.Names.size(); ++i) {
        cbDefaultPrinter->Items().Add(printers.Names[i], static_cast<int>(i));
    }
    cbDefaultPrinter->Items().Add("<Default>", -1);
    cbDefaultPrinter->SelectByTag(settings.Printer.Index, -1);

    cbDefaultPaperSize->Items().Clear();
    for (int size = 0; size < fw::PaperSizeCount; ++size) {
        cbDefaultPaperSize->Items().Add(fw::PaperSizeName(size), size);
    }
    cbDefaultPaperSize->SelectByTag(settings.Printer.PaperSize, -1);
}

// --- Storing ------------------------------------------------------------------------------------------

void TfrmTWSettings::StoreToSettings(TTWUserSettings& settings) const
{
    TTWGeneralSettings& general = settings.General;
    general.BackColour = SwatchColour(*pnlBackColour);
    general.LongFloat3Colour = SwatchColour(*pnlFloat3Col);
    general.LongFloat4Colour = SwatchColour(*pnlFloat4Col);
    general.LongFloat5Colour = SwatchColour(*pnlFloat5Col);
    general.GridHighlight.X = SpacingOf(*edGridHighlightX);
    general.GridHighlight.Y = SpacingOf(*edGridHighlightY);
    general.GridHighlight.Colour = SwatchColour(*pnlGridHighlightCol);
    general.GridHighlight.Width = cbGridHighlightWidth->SelectedTag();
    general.STwineColour = SwatchColour(*pnlSTwineCol);
    general.ZTwineColour = SwatchColour(*pnlZTwineCol);
    general.TwineUseDefault = chkTwineColUseDefault->Checked();
    settings.WeavingImage.GridColour = SwatchColour(*pnlDefGridColour);
    general.CutSelection = CheckedChoice<bool>({{rbAreaSelectCut, true}, {rbAreaSelectCopy, false}}, general.CutSelection);

    // A cell at least one unit wide, its parts not negative, and its centre and ends together
    // at least one unit high.
    TTWImageRatio& image = settings.ImageSizeRatios.Image;
    image.Width = AtLeastOne(NumberOf(*edImgWidth));
    image.Centre = std::max(NumberOf(*edImgCentreHeight), 0.0);
    image.End = std::max(NumberOf(*edImgEndHeight), 0.0);
    if (image.Centre + image.End < 1.0) {
        image.End = 1.0;
    }
    settings.DefaultRotations.Image = ChosenOrientation(*cbImgOrientation, settings.DefaultRotations.Image);
    settings.WeavingImage.ShowTurnDir = CheckedChoice<int>(
        {{rbImgShowTurnAsFB, 0}, {rbImgShowTurnAsLine, 1}, {rbImgShowTurnAsBlock, 2}}, settings.WeavingImage.ShowTurnDir);
    settings.WeavingImage.TagColour = SwatchColour(*pnlTagColour);

    settings.BrokenTwill.ColourInterchange = CheckedChoice<TTWColourInterchange>(
        {{rb31ChangeTurnSequence, TTWColourInterchange::Turn}, {rb31UseCardTwist, TTWColourInterchange::Twist}},
        settings.BrokenTwill.ColourInterchange);
    settings.ImageSizeRatios.Twill31 = ReadRatio(*ed31RatioWidth, *ed31RatioHeight);
    settings.DefaultRotations.Twill31 = ChosenOrientation(*cb31Orientation, settings.DefaultRotations.Twill31);
    settings.BrokenTwill.DefaultTwill = CheckedChoice<TTWTwillDirection>(
        {{rb31DefaultSTwill, TTWTwillDirection::S}, {rb31DefaultZTwill, TTWTwillDirection::Z}},
        settings.BrokenTwill.DefaultTwill);

    // A profile whose row is still there takes the row's name; one whose row was deleted goes.
    TTWDesignProfileList& profiles = settings.EditorProfiles();
    for (int i = profiles.Count() - 1; i >= 0; --i) {
        TTWDesignProfileBase* profile = profiles.GetProfile(i);
        if (const TILTreeNode* row = lstProfiles->Root()->FindByObject(profile); row != nullptr && row != lstProfiles->Root()) {
            profile->Name = row->GetText();
        } else {
            profiles.Delete(i);
        }
    }

    settings.System.CheckTVLReg = chkCheckAutoRegTVL->Checked();
    settings.Printer.Index = cbDefaultPrinter->SelectedTag();
    const int paper = cbDefaultPaperSize->SelectedTag();
    settings.Printer.PaperSize = static_cast<std::uint8_t>(paper >= 0 ? paper : 0);
    settings.Printer.FontSize = edPrintFontSize->Value();
    settings.DefaultNotes = fw::Trim(edNotes->Text());

    general.ShowNotes = CheckedChoice<TTWNotesMode>({{rbShowNotesFloating, TTWNotesMode::Floating},
                                                     {rbShowNotesDocked, TTWNotesMode::Docked},
                                                     {rbShowNotesHide, TTWNotesMode::Hidden}},
                                                    general.ShowNotes);
    TTWSnapshotPanel& snapshot = settings.Layout.SnapshotPanel;
    snapshot.Pos = CheckedChoice<int>(
        {{rbSnapshotPanelDynamic, 0}, {rbSnapshotPanelVertical, 1}, {rbSnapshotPanelHorizontal, 2}}, snapshot.Pos);
    snapshot.Vert = CheckedChoice<int>({{rbSnapshotPanelLeft, 1}, {rbSnapshotPanelRight, 3}}, snapshot.Vert);
    snapshot.Horz = CheckedChoice<int>({{rbSnapShotPanelTop, 2}, {rbSnapshotPanelBottom, 4}}, snapshot.Horz);

    settings.ImageSizeRatios.DoubleFace = ReadRatio(*edDFRatioWidth, *edDFRatioHeight);
    settings.DefaultRotations.DoubleFace = ChosenOrientation(*cbDFOrientation, settings.DefaultRotations.DoubleFace);
    settings.DoubleFace.DefaultThread = static_cast<std::uint8_t>(
        CheckedChoice<int>({{rbDFDefaultThreadS, 0}, {rbDFDefaultThreadZ, 1}, {rbDFDefaultThreadSZ, 2}},
                           settings.DoubleFace.DefaultThread));

    TTWBrocadeSettings& brocade = settings.Brocade;
    settings.ImageSizeRatios.Brocade = ReadRatio(*edBrocadeRatioWidth, *edBrocadeRatioHeight);
    settings.DefaultRotations.Brocade = ChosenOrientation(*cbBrocadeOrientation, settings.DefaultRotations.Brocade);
    brocade.ShowLongFloat4 = chkBrocadeMarkLF4->Checked();
    brocade.ShowLongFloat6 = chkBrocadeMarkLF6->Checked();
    brocade.ShowLongFloat8 = chkBrocadeMarkLF8->Checked();
    brocade.ShowLongFloat10 = chkBrocadeMarkLF10->Checked();
    brocade.ColLongFloat4 = SwatchColour(*pnlBrocadeLF4);
    brocade.ColLongFloat6 = SwatchColour(*pnlBrocadeLF6);
    brocade.ColLongFloat8 = SwatchColour(*pnlBrocadeLF8);
    brocade.ColLongFloat10 = SwatchColour(*pnlBrocadeLF10);
    brocade.DefaultThread = static_cast<std::uint8_t>(CheckedChoice<int>(
        {{rbBrocadeDefaultThreadS, 0}, {rbBrocadeDefaultThreadZ, 1}, {rbBrocadeDefaultThreadSZ, 2}},
        brocade.DefaultThread));

    TTWTwistPatternedSettings& twist = settings.TwistPatterned;
    twist.DefaultRotation = ChosenOrientation(*cbTPOrientation, twist.DefaultRotation);
    twist.Ratio = ReadRatio(*edTPRatioWidth, *edTPRatioHeight);
    twist.UseTwist = CheckedChoice<bool>({{rbTPUseTwist, true}, {rbTPUseDirectionChange, false}}, twist.UseTwist);
}

// --- Running ---------------------------------------------------------------------------------------------

bool TfrmTWSettings::Execute(fw::Component* owner, TTWUserSettings& settings)
{
    const std::unique_ptr<TfrmTWSettings> dialog = NewCentredDialog<TfrmTWSettings>(owner);
    return dialog->Execute(settings);
}

bool TfrmTWSettings::Execute(TTWUserSettings& settings)
{
    FinishLoading();
    FillFromSettings(settings);
    pcMain->SetActivePage(pgGeneral);
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    StoreToSettings(settings);
    return true;
}

void TfrmTWSettings::SelectColourHandler(fw::Panel& swatch)
{
    TTWColour colour = swatch.Color();
    if (ExecuteColourDialog(colour)) {
        swatch.SetColor(colour);
    }
}

void TfrmTWSettings::btnDeleteDisplayProfileClick()
{
    TILTreeNode* row = lstProfiles->GetSelected();
    if (row == nullptr) {
        return;
    }
    if (fw::MessageDlg("Delete this profile?", fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    TILTreeUpdateBracket bracket(lstProfiles);
    delete row;
}

void TfrmTWSettings::bntRenameProfileClick()
{
    TILTreeNode* row = lstProfiles->GetSelected();
    if (row == nullptr) {
        return;
    }
    const fw::Rect cell = lstProfiles->CellExtents(row, lstProfiles->GetColumn(0));
    lstProfiles->EditCell(row, 0, cell.Left + 1, cell.Top + 1);
}

// --- The main window's command ----------------------------------------------------------------------

void OpenSettingsDialog(TfrmTWMain& main, int)
{
    if (TfrmTWSettings::Execute(&main, UserSettings())) {
        // Deleted or renamed profiles must not linger in the menus that offer them.
        main.ProfilesChanged();
    }
}

void RegisterSettingsDialog()
{
    RegisterWindowOpener(TTWWindowKind::Settings, &OpenSettingsDialog);
}
