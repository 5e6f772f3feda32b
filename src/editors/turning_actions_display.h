#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/basic_form.h"
#include "framework/core/bitmap.h"
#include "shell/report_action_source.h"

class TILBrushPanel;
class TILCheckBox;
class TILRadioButton;
class TILTree;
class TILTreeColumnData;
class TTWPattern;
class TfrmTWPrintActionsQR;

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Actions": the turning sequence of a pattern, one row per pick with the cards turned
// forwards, turned backwards and twisted, and one column per card with what that card does
// in the pick. The weaver chooses how the cards are numbered, copies the list to the
// clipboard, prints it with the band's picture, or looks at the card positions.
class TfrmActionDisplay : public TfrmTBasic, public ITWPrintActionSource {
public:
    // The designed columns; the card columns follow them.
    static constexpr int PickColumn = 0;
    static constexpr int ForwardsColumn = 1;
    static constexpr int BackwardsColumn = 2;
    static constexpr int TwistColumn = 3;
    static constexpr int FirstCardColumn = 4;
    static constexpr int CardColumnWidth = 30;

    explicit TfrmActionDisplay(fw::Component* owner = nullptr);
    ~TfrmActionDisplay() override;

    std::string_view className() const override { return "TfrmActionDisplay"; }

    // The numbering, copying and printing options, above the list.
    TILBrushPanel* const pnlOptions;
    TILTree* const lstActions;
    fw::Label* const lblFirstCard;
    fw::Edit* const edFirstCard;
    TILRadioButton* const rbLeftToRight;
    TILRadioButton* const rbRightToLeft;
    fw::Button* const btnUpdate;
    TILCheckBox* const chkShowIndividualCards;
    fw::Button* const btnCopy;
    fw::Button* const btnPosDetails;
    fw::Label* const lblPrintOptions;
    TILCheckBox* const chkPrintImage;
    TILCheckBox* const chkPrintShowFwd;
    TILCheckBox* const chkPrintShowBack;
    TILCheckBox* const chkPrintShowTwist;
    fw::Button* const btnPrint;
    fw::Button* const btnClose;

    // Keeps the pattern (not owned; it must outlive the window), the flag and a copy of the
    // picture, starts the numbering at card 1 and fills the list; "Print Image" shows only
    // with a picture.
    void LoadActions(const TTWPattern& pattern, bool everyOtherPick, const fw::Bitmap* picture);
    // LoadActions, then the window is shown modally.
    void ShowActions(const TTWPattern& pattern, bool everyOtherPick, const fw::Bitmap* picture);
    // A window owned by owner shows the actions and is freed when it closes.
    static void Execute(fw::Component* owner, const TTWPattern& pattern, bool everyOtherPick,
                        const fw::Bitmap* picture);

    // Fills the list from the pattern with the numbering chosen (at ShowActions and Update).
    void FillList();
    int FirstCardNumber() const { return firstCardNumber_; }
    const TTWPattern* Pattern() const { return pattern_; }
    bool EveryOtherPick() const { return everyOtherPick_; }
    // The report made by the first print; freed with the window.
    TfrmTWPrintActionsQR* Report() const { return report_; }

    void btnUpdateClick();
    // The card columns show while "Show individual cards" is checked.
    void chkShowIndividualCardsChange();
    // The visible rows and columns, tab-separated, each row ended by CR LF.
    void btnCopyClick();
    void btnPosDetailsClick();
    void btnPrintClick();

    // --- ITWPrintActionSource ---------------------------------------------------------------
    int PrintRowCount() const override;
    std::string PrintCell(int row, std::string_view columnId) const override;
    bool PrintPicksHaveTwist() const override;
    const fw::Bitmap* PrintPicture() const override;
    bool PrintImageChecked() const override;

    void ApplyDefaultStyle() override;

private:
    TILTreeColumnData* AddColumn(const char* caption, const char* id, int width);
    void PlaceBottomButtons();

    const TTWPattern* pattern_ = nullptr;
    bool everyOtherPick_ = false;
    std::optional<fw::Bitmap> picture_;
    int firstCardNumber_ = 1;
    TfrmTWPrintActionsQR* report_ = nullptr;
};
