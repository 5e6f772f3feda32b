#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "forms/basic_form.h"
#include "shell/pattern_joining.h"

class TfrmTWMain;
class TILBrushPanel;
class TILCheckBox;
class TILTree;
class TILTreeNode;
class TTWBrocadePattern;
class TTWDFPattern;
class TTWPattern;
class TTWPatternBase;
class TTW31TwillPattern;
class TTWWarpTwinedPattern;

namespace fw {
class Button;
class SpeedButton;
} // namespace fw

// The join dialogs' common part: the list of patterns to join (read from their files, each
// row owning its pattern), the checks that keep out what cannot be joined, where the result
// goes (saved to a file, opened in an editor, or both) and the Join command. The two
// dialogs say how each kind is joined.
//
// What the user is told, in information boxes:
//   "Fonts cannot be joined!"
//   "A Lettered Band cannot be joined to other bands.\r\nTo join this pattern to another,
//    save the Lettered Band as a Double-Face pattern."
//   "Patterns of different types cannot be joined."
//   "Only patterns with the same background twill can be joined."
//   "Patterns must use cards with the same number of holes. "
//   "Please select two or more patterns to be joined."
//   "Please select the file in which to save the combined pattern."
//   "Unable to create combined pattern object.\r\nWho knows why?  Try asking Orlend..."
// and asked (Yes uses the pattern): "This brocade design has an underlying ground weave\r\n
// which will be lost when the patterns are joined.\r\nDo you wish to use this pattern anyway?"
// A file that holds no pattern, or one of an unknown type, raises as the model's reading
// raises ("Unable to create pattern.\r\nThe type <T> is unknown.") and adds no row.
class TfrmTWJoinPatternsBase : public TfrmTBasic {
public:
    explicit TfrmTWJoinPatternsBase(TfrmTWMain& main);
    ~TfrmTWJoinPatternsBase() override;

    std::string_view className() const override { return "TfrmTWJoinPatternsBase"; }

    // --- Components -----------------------------------------------------------------------
    fw::SpeedButton* const btnMoveUp;
    fw::SpeedButton* const btnMoveDown;
    fw::Button* const btnAddPattern;
    fw::Button* const btnRemovePattern;
    // "NAME", "TYPE", "CARDS", "PICKS", "FILE".
    TILTree* const lstPatterns;
    TILCheckBox* const chkSave;
    fw::SpeedButton* const btnSelectOutFile;
    TILBrushPanel* const pnlOutFile;
    TILCheckBox* const chkOpen;
    fw::Button* const btnJoin;
    fw::Button* const btnClose;

    // --- The patterns -----------------------------------------------------------------------
    // Checks the pattern and, when it is accepted, appends its row (which then owns it);
    // a refused pattern is freed. Answers whether it was added.
    bool AddPattern(std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName);
    // Reads the file and adds its pattern.
    bool AddPatternFile(const std::string& fileName);
    int PatternCount() const;
    // The pattern of the row; none outside the rows.
    TTWPatternBase* RowPattern(int row) const;
    TTWJoinPatterns Patterns() const;

    // --- Joining ------------------------------------------------------------------------------
    // Whether the pattern may join the list ("first" is the pattern of the first row).
    virtual bool CheckPattern(const TTWPatternBase& pattern);
    virtual int GetJoinedCardCount() const = 0;
    virtual int GetJoinedPickCount() const = 0;
    virtual void JoinThreaded(TTWPattern& result) = 0;
    virtual void JoinDoubleFace(TTWDFPattern& result) = 0;
    virtual void JoinTwill(TTW31TwillPattern& result) = 0;
    virtual void JoinBrocade(TTWBrocadePattern& result) = 0;
    virtual void JoinTwist(TTWWarpTwinedPattern& result) = 0;
    // A new pattern of the first row's kind, joined from every row, with the first's name
    // and notes; none, after telling the user, when no such pattern can be made.
    std::unique_ptr<TTWPatternBase> JoinPatterns();

    // --- Commands -------------------------------------------------------------------------------
    void btnAddPatternClick();
    void btnRemovePatternClick();
    void btnMoveUpClick();
    void btnMoveDownClick();
    void chkSaveChange();
    void btnSelectOutFileClick();
    // Joins, saves the result when asked, opens it when asked (always without saving), and
    // closes the dialog; the result is freed on every way out.
    void btnJoinClick();

    // The file the result is saved to; "" for none.
    std::string OutFileName() const;
    void SetOutFileName(const std::string& fileName);

protected:
    void FormCreate() override;
    TfrmTWMain* Main() const { return main_; }

private:
    void BuildColumns();
    TILTreeNode* SelectedRow() const;
    void MoveSelected(int step);

    TfrmTWMain* main_;
};

class TfrmTWJoinSideBySide : public TfrmTWJoinPatternsBase {
public:
    explicit TfrmTWJoinSideBySide(TfrmTWMain& main);
    std::string_view className() const override { return "TfrmTWJoinSideBySide"; }

    int GetJoinedCardCount() const override;
    int GetJoinedPickCount() const override;
    void JoinThreaded(TTWPattern& result) override;
    void JoinDoubleFace(TTWDFPattern& result) override;
    void JoinTwill(TTW31TwillPattern& result) override;
    void JoinBrocade(TTWBrocadePattern& result) override;
    void JoinTwist(TTWWarpTwinedPattern& result) override;
};

// End to end also refuses, before the common checks, threaded-in patterns ("Threaded-in
// patterns cannot be joined to each other.") and double-face patterns of another colour
// count than the first ("2-colour and 3-colour doubleface patterns cannot be mixed.").
class TfrmTWJoinEndToEnd : public TfrmTWJoinPatternsBase {
public:
    explicit TfrmTWJoinEndToEnd(TfrmTWMain& main);
    std::string_view className() const override { return "TfrmTWJoinEndToEnd"; }

    bool CheckPattern(const TTWPatternBase& pattern) override;
    int GetJoinedCardCount() const override;
    int GetJoinedPickCount() const override;
    void JoinThreaded(TTWPattern& result) override;
    void JoinDoubleFace(TTWDFPattern& result) override;
    void JoinTwill(TTW31TwillPattern& result) override;
    void JoinBrocade(TTWBrocadePattern& result) override;
    void JoinTwist(TTWWarpTwinedPattern& result) override;
};

// Registers Edit > Join Patterns > Side-by-Side and End-to-End: each makes its dialog owned
// by the main window, centred over it, shows it modally and frees it.
void RegisterJoinDialogs();
