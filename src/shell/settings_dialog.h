#pragma once

#include <string_view>

#include "forms/button_basic_form.h"

class TILBrushPage;
class TILBrushPageControl;
class TILBrushPanel;
class TILCheckBox;
class TILComboBox;
class TILRadioButton;
class TILTree;
class TTWUserSettings;
class TfrmTWMain;

namespace fw {
class Button;
class Edit;
class Label;
class Memo;
class Panel;
class SpinEdit;
} // namespace fw

// "Settings": every user setting on ten pages. The dialog copies the settings into its
// controls, and only Accept copies them back, clamping the ratios and the grid-highlight
// spacing; Cancel leaves the settings as they were. Colours are edited through the colour
// dialog from their swatches (a click); the saved display profiles can be renamed in place
// or deleted from the list, which also takes effect only on Accept.
class TfrmTWSettings : public TfrmTBtnBasic {
public:
    explicit TfrmTWSettings(fw::Component* owner = nullptr);
    ~TfrmTWSettings() override;

    std::string_view className() const override { return "TfrmTWSettings"; }

    TILBrushPageControl* const pcMain;
    // In this order.
    TILBrushPage* const pgGeneral;
    TILBrushPage* const pgRealImage;
    TILBrushPage* const pgBrokenTwill;
    TILBrushPage* const pgProfiles;
    TILBrushPage* const pgSystem;
    TILBrushPage* const pgDefaultNotes;
    TILBrushPage* const pgLayout;
    TILBrushPage* const pgDoubleFace;
    TILBrushPage* const pgBrocade;
    TILBrushPage* const pgTwistPatterned;

    // --- General --------------------------------------------------------------------------------
    fw::Panel* pnlBackColour = nullptr;
    fw::Panel* pnlFloat3Col = nullptr;
    fw::Panel* pnlFloat4Col = nullptr;
    fw::Panel* pnlFloat5Col = nullptr;
    fw::Edit* edGridHighlightX = nullptr;
    fw::Edit* edGridHighlightY = nullptr;
    fw::Panel* pnlGridHighlightCol = nullptr;
    // The line widths, tagged with their width in pixels.
    TILComboBox* cbGridHighlightWidth = nullptr;
    fw::Panel* pnlSTwineCol = nullptr;
    fw::Panel* pnlZTwineCol = nullptr;
    TILCheckBox* chkTwineColUseDefault = nullptr;
    fw::Panel* pnlDefGridColour = nullptr;
    TILRadioButton* rbAreaSelectCut = nullptr;
    TILRadioButton* rbAreaSelectCopy = nullptr;

    // --- Real Image Display --------------------------------------------------------------------
    fw::Edit* edImgWidth = nullptr;
    fw::Edit* edImgCentreHeight = nullptr;
    fw::Edit* edImgEndHeight = nullptr;
    TILComboBox* cbImgOrientation = nullptr;
    TILRadioButton* rbImgShowTurnAsFB = nullptr;
    TILRadioButton* rbImgShowTurnAsLine = nullptr;
    TILRadioButton* rbImgShowTurnAsBlock = nullptr;
    fw::Panel* pnlTagColour = nullptr;

    // --- 3/1 Broken Twill -----------------------------------------------------------------------
    TILRadioButton* rb31ChangeTurnSequence = nullptr;
    TILRadioButton* rb31UseCardTwist = nullptr;
    // Only the one-pack method exists; the choice is not kept.
    TILRadioButton* rb31OnePack = nullptr;
    TILRadioButton* rb31TwoPack = nullptr;
    fw::Edit* ed31RatioWidth = nullptr;
    fw::Edit* ed31RatioHeight = nullptr;
    TILComboBox* cb31Orientation = nullptr;
    TILRadioButton* rb31DefaultSTwill = nullptr;
    TILRadioButton* rb31DefaultZTwill = nullptr;

    // --- Display Profiles ------------------------------------------------------------------------
    // "Profile Name": one row per saved profile, holding it.
    TILTree* lstProfiles = nullptr;
    fw::Button* btnDeleteDisplayProfile = nullptr;
    fw::Button* bntRenameProfile = nullptr;

    // --- System ------------------------------------------------------------------------------------
    TILCheckBox* chkCheckAutoRegTVL = nullptr;
    // The platform's printers tagged with their place in its list, then "<Default>" (-1).
    TILComboBox* cbDefaultPrinter = nullptr;
    // The 28 paper sizes tagged 0 to 27.
    TILComboBox* cbDefaultPaperSize = nullptr;
    fw::SpinEdit* edPrintFontSize = nullptr;

    // --- Default Notes ---------------------------------------------------------------------------
    fw::Memo* edNotes = nullptr;

    // --- Layout ------------------------------------------------------------------------------------
    TILRadioButton* rbShowNotesFloating = nullptr;
    TILRadioButton* rbShowNotesDocked = nullptr;
    TILRadioButton* rbShowNotesHide = nullptr;
    TILRadioButton* rbSnapshotPanelDynamic = nullptr;
    TILRadioButton* rbSnapshotPanelVertical = nullptr;
    TILRadioButton* rbSnapshotPanelHorizontal = nullptr;
    TILRadioButton* rbSnapshotPanelLeft = nullptr;
    TILRadioButton* rbSnapshotPanelRight = nullptr;
    TILRadioButton* rbSnapShotPanelTop = nullptr;
    TILRadioButton* rbSnapshotPanelBottom = nullptr;

    // --- Doubleface Designer --------------------------------------------------------------------
    fw::Edit* edDFRatioWidth = nullptr;
    fw::Edit* edDFRatioHeight = nullptr;
    TILComboBox* cbDFOrientation = nullptr;
    TILRadioButton* rbDFDefaultThreadS = nullptr;
    TILRadioButton* rbDFDefaultThreadZ = nullptr;
    TILRadioButton* rbDFDefaultThreadSZ = nullptr;

    // --- Brocade Designer ------------------------------------------------------------------------
    fw::Edit* edBrocadeRatioWidth = nullptr;
    fw::Edit* edBrocadeRatioHeight = nullptr;
    TILComboBox* cbBrocadeOrientation = nullptr;
    TILCheckBox* chkBrocadeMarkLF4 = nullptr;
    TILCheckBox* chkBrocadeMarkLF6 = nullptr;
    TILCheckBox* chkBrocadeMarkLF8 = nullptr;
    TILCheckBox* chkBrocadeMarkLF10 = nullptr;
    fw::Panel* pnlBrocadeLF4 = nullptr;
    fw::Panel* pnlBrocadeLF6 = nullptr;
    fw::Panel* pnlBrocadeLF8 = nullptr;
    fw::Panel* pnlBrocadeLF10 = nullptr;
    TILRadioButton* rbBrocadeDefaultThreadS = nullptr;
    TILRadioButton* rbBrocadeDefaultThreadZ = nullptr;
    TILRadioButton* rbBrocadeDefaultThreadSZ = nullptr;

    // --- Twist-Patterned ----------------------------------------------------------------------------
    TILComboBox* cbTPOrientation = nullptr;
    fw::Edit* edTPRatioWidth = nullptr;
    fw::Edit* edTPRatioHeight = nullptr;
    TILRadioButton* rbTPUseTwist = nullptr;
    TILRadioButton* rbTPUseDirectionChange = nullptr;

    // Made by the owner, centred over it, run and freed again; see the other Execute.
    static bool Execute(fw::Component* owner, TTWUserSettings& settings);

    // Fills the controls from the settings, shows "General" first and runs the dialog; on
    // Accept stores every control back into the settings. Answers whether it was accepted.
    bool Execute(TTWUserSettings& settings);

    // The two halves of Execute.
    void FillFromSettings(const TTWUserSettings& settings);
    void StoreToSettings(TTWUserSettings& settings) const;

    // A colour swatch was clicked: the colour dialog opens with its colour, and a confirmed
    // choice becomes the swatch's colour (nothing is stored before Accept).
    void SelectColourHandler(fw::Panel& swatch);
    // With a selected row: "Delete this profile?"; Yes takes the row out of the list.
    void btnDeleteDisplayProfileClick();
    // With a selected row: its name is edited in place.
    void bntRenameProfileClick();

    void ApplyDefaultStyle() override;

private:
    void BuildGeneralPage();
    void BuildRealImagePage();
    void BuildBrokenTwillPage();
    void BuildProfilesPage();
    void BuildSystemPage();
    void BuildDefaultNotesPage();
    void BuildLayoutPage();
    void BuildDoubleFacePage();
    void BuildBrocadePage();
    void BuildTwistPatternedPage();
    // A lowered swatch that opens the colour dialog when clicked.
    fw::Panel* NewColourSwatch(fw::WinControl* parent, const char* name, int left, int top);
    void FillProfiles(const TTWUserSettings& settings);
    void FillPrinters(const TTWUserSettings& settings);
};

// The settings command of the main window: the dialog on the program's settings.
void OpenSettingsDialog(TfrmTWMain& main, int parameter);
// Registers it for TTWWindowKind::Settings.
void RegisterSettingsDialog();
