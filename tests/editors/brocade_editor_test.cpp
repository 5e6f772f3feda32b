// The brocade editor in the program: its commands and tool states, long floats coloured by
// the length of their run, the ground weave imported from each kind that can be one (and
// refused from any other), removed again, the card setup, the size, and closing.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "brocade_editor_test_support.h"
#include "controls/brush_page.h"
#include "foundation/generic_exception.h"
#include "editors/brocade_image_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_dialog.h"
#include "editors/card_setup_row.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/palette_functions_frame.h"
#include "shell/size_dialog.h"
#include "shell/tool_actions.h"

namespace {

using brocade_editor_test::BrocadeEditorTest;
using brocade_editor_test::ClickCell;
using brocade_editor_test::Design;
using brocade_editor_test::GridRows;
using brocade_editor_test::ShownColour;
using threaded_editor_test::ActionsText;

constexpr TTWColour WeftA = 0x000000;
constexpr TTWColour WeftB = 0xFF0000;

std::vector<std::string> PickActions(const TTWPattern& pattern)
{
    std::vector<std::string> texts;
    for (const auto& pick : pattern.Picks()) {
        texts.push_back(ActionsText(*pick));
    }
    return texts;
}

std::vector<int> HoleIndexes(const TfrmCardCompactBase& frame)
{
    std::vector<int> indexes;
    for (int hole = 0; hole < frame.HoleCount(); ++hole) {
        indexes.push_back(frame.GetHoleColourIndex(hole));
    }
    return indexes;
}

// --- Commands and tools ---------------------------------------------------------------------------

TEST_F(BrocadeEditorTest, ANewDesignOpensFromTheCreateMenuWithItsToolsForEachPage)
{
    TfrmBrocade& editor = NewBrocade();
    EXPECT_EQ(editor.Caption(), "Brocade Pattern");
    EXPECT_EQ(editor.WindowState(), fw::WindowState::Maximized);
    EXPECT_EQ(editor.framePattern->GridWidth(), TfrmBrocade::NewDesignWidth);
    EXPECT_EQ(editor.framePattern->GridHeight(), TfrmBrocade::NewDesignPicks);
    EXPECT_EQ(editor.framePattern->frameCards->CardCount(), TfrmBrocade::NewDesignWidth);
    EXPECT_FALSE(editor.Pattern().HasGroundWeave());
    // The panels show the five wefts of a new brocade.
    EXPECT_EQ(editor.pnlWeftA->Color(), WeftA);
    EXPECT_EQ(editor.pnlWeftE->Color(), 0x00FFFFu);
    EXPECT_EQ(editor.pgImage->PageName(), "Real Image");

    TTWToolActionList list;
    editor.GetToolActions(list);
    for (const int id : {TWAction::PatternDetails, TWAction::Save, TWAction::Notes, TWAction::Print,
                         TWAction::ThreadingDiagram, TWAction::ShowLongFloats, TWAction::CardSetup,
                         TWAction::ImportGroundWeave, TWAction::PatternSize, TWAction::Invert}) {
        ASSERT_NE(list.Find(id), nullptr) << id;
        EXPECT_TRUE(list.Find(id)->Enabled) << id;
    }
    ASSERT_NE(list.Find(TWAction::ClearGroundWeave), nullptr);
    EXPECT_FALSE(list.Find(TWAction::ClearGroundWeave)->Enabled);
    EXPECT_EQ(list.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
    EXPECT_EQ(list.Find(TWAction::ShowTwining), nullptr);

    editor.ShowImagePage();
    TTWToolActionList image;
    editor.GetToolActions(image);
    EXPECT_EQ(image.Find(TWAction::PatternSize), nullptr);
    EXPECT_EQ(image.Find(TWAction::Invert), nullptr);
    EXPECT_NE(image.Find(TWAction::ShowReverse), nullptr);
    EXPECT_NE(image.Find(TWAction::ImportGroundWeave), nullptr);
    // Ids nobody knows are handled too.
    EXPECT_TRUE(editor.PerformAction(9999, false, nullptr));
}

TEST_F(BrocadeEditorTest, StoringTheGridMakesAPickPerRowWithTheClearCellsAsItsTieDowns)
{
    TfrmBrocade& editor = NewBrocade();
    editor.LoadPattern(*Design({"..AAB", "....."}));
    editor.SelectWeftPanel(editor.pnlWeftC);
    ClickCell(editor, 0, 0);
    editor.StoreGrid();
    const TTWBrocadePickList& picks = editor.Pattern().BrocadePicks();
    ASSERT_EQ(picks.Count(), 2);
    EXPECT_EQ(picks.Items(0)->Wefts(), "30112");
    EXPECT_EQ(picks.Items(0)->TieDowns().CommaText(), "1");
    // A pick whose cells are all clear ties the weft down at every card.
    EXPECT_EQ(picks.Items(1)->Wefts(), "00000");
    EXPECT_EQ(picks.Items(1)->TieDowns().CommaText(), "0,1,2,3,4");
    // The five wefts, named by their panels.
    ASSERT_EQ(editor.Pattern().Wefts().Count(), 5);
    EXPECT_EQ(editor.Pattern().Wefts().GetItem(3)->Name, "Weft D");
    // Without a ground weave every card turns forwards once a pick.
    ASSERT_EQ(editor.Pattern().Picks().Count(), 2);
    EXPECT_EQ(ActionsText(*editor.Pattern().Picks().Items(1)), "1F 2F 3F 4F 5F");
}

TEST_F(BrocadeEditorTest, RenamingSizingAndClosing)
{
    TfrmBrocade& editor = NewBrocade();
    editor.SetPatternName("Lozenge");
    EXPECT_EQ(editor.Caption(), "Brocade Pattern: Lozenge");
    EXPECT_EQ(editor.GetPatternName(), "Lozenge");
    editor.SetNotes("Gold on navy.");
    EXPECT_EQ(editor.GetNotes(), "Gold on navy.");

    ClickCell(editor, 1, 1);
    modalScript = [](fw::Form& form) {
        auto& size = dynamic_cast<TfrmSize&>(form);
        EXPECT_EQ(size.edWidth->Text(), "16");
        EXPECT_EQ(size.edLength->Text(), "24");
        size.edWidth->SetText("30");
        size.edLength->SetText("40");
        size.btnAcceptClick();
    };
    EXPECT_TRUE(editor.PerformAction(TWAction::PatternSize, false, nullptr));
    EXPECT_EQ(editor.framePattern->GridWidth(), 30);
    EXPECT_EQ(editor.framePattern->GridHeight(), 40);
    EXPECT_EQ(editor.framePattern->frameCards->CardCount(), 30);
    EXPECT_EQ(editor.Runs().Width(), 30);
    EXPECT_EQ(editor.Runs().Height(), 40);
    // The rows come at the bottom: the design moved up with its wefts.
    EXPECT_EQ(editor.framePattern->GetWeft(1, 1 + 16), 1);
    EXPECT_TRUE(editor.framePattern->IsCellSet(1, 1 + 16));

    // A size no brocade can hold is refused before the grid is touched: more cards than a
    // pattern may have by the dialog, more cells than a brocade holds by the editor.
    modalScript = [](fw::Form& form) {
        auto& size = dynamic_cast<TfrmSize&>(form);
        size.edWidth->SetText("90000");
        size.edLength->SetText("90000");
        size.btnAcceptClick();
    };
    EXPECT_THROW(editor.PerformAction(TWAction::PatternSize, false, nullptr), fw::Exception);
    EXPECT_EQ(editor.framePattern->GridWidth(), 30);
    modalScript = [](fw::Form& form) {
        auto& size = dynamic_cast<TfrmSize&>(form);
        size.edWidth->SetText("900");
        size.edLength->SetText("90000");
        size.btnAcceptClick();
    };
    EXPECT_THROW(editor.PerformAction(TWAction::PatternSize, false, nullptr), TGenericException);
    EXPECT_EQ(editor.framePattern->GridWidth(), 30);

    const fw::WeakRef<fw::Form> alive(&editor);
    answers.push_back(fw::mrNo);
    editor.Close();
    fw::ProcessPostedMessages();
    ASSERT_TRUE(alive);
    EXPECT_EQ(boxes.back().Text, "Close form and lose changes?");
    answers.push_back(fw::mrYes);
    editor.Close();
    fw::ProcessPostedMessages();
    EXPECT_FALSE(alive);
}

// --- Long floats ----------------------------------------------------------------------------------

class BrocadeLongFloatTest : public BrocadeEditorTest {
protected:
    void SetUp() override
    {
        BrocadeEditorTest::SetUp();
        TTWBrocadeSettings& settings = UserSettings().Brocade;
        settings.ShowLongFloat4 = true;
        settings.ShowLongFloat6 = true;
        settings.ShowLongFloat8 = true;
        settings.ShowLongFloat10 = true;
    }
};

TEST_F(BrocadeLongFloatTest, WhileMarkedARunShowsTheColourOfItsLengthAndARunOfFourIsNotMarked)
{
    TfrmBrocade& editor = NewBrocade();
    editor.LoadPattern(*Design({"AAAA........", "AAAAA.......", "AAAAAA......", "AAAAAAAA....", "AAAAAAAAAA..",
                                "BBBBBBB.BBBB"}));
    const TTWBrocadeSettings& settings = UserSettings().Brocade;
    EXPECT_EQ(editor.Runs().Value(0, 4), 10);
    EXPECT_EQ(editor.Runs().Value(11, 5), 4);
    // Not marked: every run in its weft's colour.
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(ShownColour(editor, 0, row), WeftA) << row;
    }

    RecordToolReports();
    EXPECT_TRUE(editor.PerformAction(TWAction::ShowLongFloats, true, nullptr));
    ASSERT_TRUE(editor.MarkLongFloats());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().Id, TWAction::ShowLongFloats);
    EXPECT_TRUE(reports.back().Down);
    TTWToolActionList list;
    editor.GetToolActions(list);
    EXPECT_TRUE(list.Find(TWAction::ShowLongFloats)->Down);

    EXPECT_EQ(ShownColour(editor, 3, 0), WeftA);
    EXPECT_EQ(ShownColour(editor, 4, 1), settings.ColLongFloat4);
    EXPECT_EQ(ShownColour(editor, 0, 2), settings.ColLongFloat6);
    EXPECT_EQ(ShownColour(editor, 7, 3), settings.ColLongFloat8);
    EXPECT_EQ(ShownColour(editor, 9, 4), settings.ColLongFloat10);
    EXPECT_EQ(ShownColour(editor, 0, 5), settings.ColLongFloat6);
    EXPECT_EQ(ShownColour(editor, 9, 5), WeftB);
    // Tie-downs stay the warp's.
    EXPECT_EQ(ShownColour(editor, 11, 0), editor.framePattern->DisplayColour(11, 0));
    EXPECT_NE(ShownColour(editor, 11, 0), settings.ColLongFloat4);

    // A click that makes the run of four one longer marks all five of its cells.
    ClickCell(editor, 4, 0);
    fw::ProcessPostedMessages();
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(ShownColour(editor, x, 0), settings.ColLongFloat4) << x;
    }

    // A length whose mark is switched off shows its weft again.
    UserSettings().Brocade.ShowLongFloat6 = false;
    editor.framePattern->Refresh();
    EXPECT_EQ(ShownColour(editor, 0, 2), WeftA);
    EXPECT_EQ(ShownColour(editor, 0, 5), WeftB);

    editor.PerformAction(TWAction::ShowLongFloats, false, nullptr);
    EXPECT_EQ(ShownColour(editor, 9, 4), WeftA);
}

TEST_F(BrocadeLongFloatTest, OnTheImagePageTheCommandMarksTheBandsFloats)
{
    TfrmBrocade& editor = NewBrocade();
    editor.ShowImagePage();
    editor.PerformAction(TWAction::ShowLongFloats, true, nullptr);
    EXPECT_TRUE(editor.frameWeaving->GetMarkLongFloats());
    EXPECT_FALSE(editor.MarkLongFloats());
}

// --- The ground weave ------------------------------------------------------------------------------

// A double-face ground of 6 cards and 3 rows in the given palette colours.
std::unique_ptr<TTWDFPattern> DFGround(int holes = 4)
{
    auto ground = std::make_unique<TTWDFPattern>();
    ground->SetName("DF Ground");
    ground->SetSize(6, 3);
    ground->SetColourCount(holes == 6 ? 6 : 2);
    for (int x = 0; x < 6; ++x) {
        std::vector<int> colours;
        for (int hole = 0; hole < holes; ++hole) {
            colours.push_back(hole < holes / 2 ? 9 : 11);
        }
        sample_patterns::AddCard(ground->Cards(), x % 2 == 0 ? ThreadingZ : ThreadingS, colours);
        ground->SetCell(x, x % 3, true);
    }
    ground->Palette().SetColour(9, 0x204060);
    ground->Palette().SetName("Ground colours");
    return ground;
}

class BrocadeGroundTest : public BrocadeEditorTest {
protected:
    // The pattern saved as a file and imported through the command.
    void Import(TfrmBrocade& editor, const TTWPatternBase& ground, const std::string& name)
    {
        const std::filesystem::path file = Folder() / name;
        const_cast<TTWPatternBase&>(ground).SaveToFile(file.string());
        ChooseFile(file);
        EXPECT_TRUE(editor.PerformAction(TWAction::ImportGroundWeave, false, nullptr));
    }

    // What the model makes of the ground: its picks on its cards.
    static std::unique_ptr<TTWPattern> Converted(TTWPatternBase& ground)
    {
        auto threaded = std::make_unique<TTWPattern>();
        ground.ConvertToThreaded(*threaded);
        return threaded;
    }
};

TEST_F(BrocadeGroundTest, EveryKindThatCanBeAGroundIsTakenWithItsCardsPaletteAndPicks)
{
    std::vector<std::pair<std::string, std::unique_ptr<TTWPatternBase>>> grounds;
    std::unique_ptr<TTWPatternBase> threaded =
        LoadAndCreatePattern(sample_patterns::SamplePath(sample_patterns::SmallFile).string());
    grounds.emplace_back("threaded.tvl", std::move(threaded));
    grounds.emplace_back("doubleface.tvl", DFGround());
    // Three picks a row: more picks woven than the design counts.
    grounds.emplace_back("six.tvl", DFGround(6));
    auto twill = std::make_unique<TTW31TwillPattern>();
    twill->Assign(DFGround().get());
    twill->Palette().Assign(&DFGround()->Palette());
    grounds.emplace_back("twill.tvl", std::move(twill));
    auto twist = std::make_unique<TTWWarpTwinedPattern>();
    twist->Assign(DFGround().get());
    grounds.emplace_back("twist.tvl", std::move(twist));

    for (auto& [name, ground] : grounds) {
        SCOPED_TRACE(name);
        TfrmBrocade& editor = NewBrocade();
        RecordToolReports();
        Import(editor, *ground, name);
        // Read back as the editor read it: the model's own view of the file.
        const std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern((Folder() / name).string());
        ASSERT_TRUE(editor.Pattern().HasGroundWeave());
        EXPECT_EQ(editor.Pattern().GroundWeave()->GetPatternType(), read->GetPatternType());
        EXPECT_EQ(editor.framePattern->GridWidth(), read->GetCardCount());
        // One grid row over every pick the ground weaves.
        const std::unique_ptr<TTWPattern> converted = Converted(*read);
        EXPECT_EQ(editor.framePattern->GridHeight(), converted->Picks().Count());
        const TTWCardList& cards = *read->GetCards();
        ASSERT_EQ(editor.framePattern->frameCards->CardCount(), cards.Count());
        for (int i = 0; i < cards.Count(); ++i) {
            const TfrmCardCompactBase& frame = *editor.framePattern->frameCards->GetCardFrame(i);
            EXPECT_EQ(frame.Threading(), cards.GetCard(i)->Threading()) << i;
            for (int hole = 0; hole < frame.HoleCount(); ++hole) {
                EXPECT_EQ(frame.GetHoleColourIndex(hole), cards.GetCard(i)->HoleColour(hole)) << i;
            }
        }
        EXPECT_EQ(editor.Pattern().Palette().Name(), read->GetPalette()->Name());
        EXPECT_EQ(editor.Pattern().Palette().GetColour(9), read->GetPalette()->GetColour(9));
        // The ground's picks are the brocade's threaded-in picks, woven into the band.
        EXPECT_EQ(PickActions(editor.Pattern()), PickActions(*converted));
        EXPECT_EQ(editor.FrontWeaving().PickCount(), converted->Picks().Count());
        TTWToolActionList list;
        editor.GetToolActions(list);
        EXPECT_TRUE(list.Find(TWAction::ClearGroundWeave)->Enabled);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back().Id, TWAction::ClearGroundWeave);
        EXPECT_TRUE(reports.back().Enabled);
        EXPECT_EQ(dialogTitles.back(), "Load Pattern");
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(BrocadeGroundTest, ATwistPatternedGroundShowsItsDesignByTheSlantOfItsThreads)
{
    TfrmBrocade& editor = NewBrocade();
    auto twist = std::make_unique<TTWWarpTwinedPattern>();
    twist->Assign(DFGround().get());
    Import(editor, *twist, "twist.tvl");
    editor.ShowImagePage();
    int black = 0;
    for (const TTWWeavingCell& cell : editor.FrontWeaving().AllCells()) {
        EXPECT_EQ(cell.Colour, cell.Slant == 1 ? 0x000000u : 0xFFFFFFu);
        black += cell.Slant == 1 ? 1 : 0;
    }
    EXPECT_GT(black, 0);
}

TEST_F(BrocadeGroundTest, AnyOtherKindIsRefusedAndNothingChanges)
{
    TfrmBrocade& editor = NewBrocade();
    const std::unique_ptr<TTWDFPattern> ground = DFGround(6);
    Import(editor, *ground, "six.tvl");
    ASSERT_TRUE(editor.Pattern().HasGroundWeave());
    const std::vector<int> holes = HoleIndexes(*editor.framePattern->frameCards->GetCardFrame(0));
    ASSERT_EQ(holes.size(), 6u);
    editor.framePattern->SetCell(2, 2, true);
    const std::vector<std::string> rows = GridRows(editor);

    TTWFont font;
    font.SetName("Letters");
    const std::filesystem::path fontFile = Folder() / "letters.tvf";
    font.SaveToFile(fontFile.string());
    const std::unique_ptr<TTWBrocadePattern> brocade = Design({"AA..", "..AA"});
    const std::filesystem::path brocadeFile = Folder() / "other_brocade.tvl";
    brocade->SaveToFile(brocadeFile.string());

    for (const std::filesystem::path& file : {fontFile, brocadeFile}) {
        SCOPED_TRACE(file.filename().string());
        boxes.clear();
        ChooseFile(file);
        editor.PerformAction(TWAction::ImportGroundWeave, false, nullptr);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, "This pattern cannot be used as a ground weave.\r\nThe ground weave must be a "
                                 "threaded-in, doubleface, twill, or twist-patterned design.");
        EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Stop);
        EXPECT_EQ(GridRows(editor), rows);
        EXPECT_EQ(editor.framePattern->frameCards->CardCount(), 6);
        EXPECT_EQ(HoleIndexes(*editor.framePattern->frameCards->GetCardFrame(0)), holes);
        EXPECT_EQ(editor.Pattern().Palette().GetColour(9), 0x204060u);
        ASSERT_TRUE(editor.Pattern().HasGroundWeave());
        EXPECT_EQ(editor.Pattern().GroundWeave()->Name(), "DF Ground");
    }

    // A cancelled dialog imports nothing either.
    boxes.clear();
    ChooseFile({});
    editor.PerformAction(TWAction::ImportGroundWeave, false, nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor.Pattern().GroundWeave()->Name(), "DF Ground");
}

TEST_F(BrocadeGroundTest, RemovingTheGroundAsksThenGivesEveryHoleOfEveryCardThePlainWarp)
{
    TfrmBrocade& editor = NewBrocade();
    const std::unique_ptr<TTWDFPattern> ground = DFGround(6);
    Import(editor, *ground, "six.tvl");
    editor.ShowImagePage();
    ASSERT_EQ(editor.FrontWeaving().PickCount(), 9);

    answers.push_back(fw::mrNo);
    EXPECT_TRUE(editor.PerformAction(TWAction::ClearGroundWeave, false, nullptr));
    EXPECT_EQ(boxes.back().Text, "Remove the ground weave from the pattern?");
    EXPECT_TRUE(editor.Pattern().HasGroundWeave());

    RecordToolReports();
    answers.push_back(fw::mrYes);
    editor.PerformAction(TWAction::ClearGroundWeave, false, nullptr);
    EXPECT_FALSE(editor.Pattern().HasGroundWeave());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().Id, TWAction::ClearGroundWeave);
    EXPECT_FALSE(reports.back().Enabled);
    TfrmCardSetupCompact& row = *editor.framePattern->frameCards;
    for (int i = 0; i < row.CardCount(); ++i) {
        EXPECT_EQ(HoleIndexes(*row.GetCardFrame(i)), std::vector<int>(6, 15)) << i;
        EXPECT_EQ(row.GetCardFrame(i)->Threading(), i % 2 == 0 ? ThreadingS : ThreadingZ) << i;
    }
    // The ground's picks went with it: one forward turn of every card a pick, woven again.
    const std::vector<std::string> picks = PickActions(editor.Pattern());
    ASSERT_EQ(picks.size(), 9u);
    for (const std::string& pick : picks) {
        EXPECT_EQ(pick, "1F 2F 3F 4F 5F 6F");
    }
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 9);
    for (const TTWWeavingCell& cell : editor.FrontWeaving().AllCells()) {
        EXPECT_EQ(cell.TurnDir, TurnForwards);
    }
    // Nothing more to remove: no question.
    boxes.clear();
    editor.PerformAction(TWAction::ClearGroundWeave, false, nullptr);
    EXPECT_TRUE(boxes.empty());
}

// --- Cards ---------------------------------------------------------------------------------------

TEST_F(BrocadeEditorTest, TheCardSetupStartsFromTheCardRowAsEditedAndReloadsItWhenAccepted)
{
    TfrmBrocade& editor = NewBrocade();
    TfrmCardSetupCompact& row = *editor.framePattern->frameCards;
    // An edit in the card row, not stored yet.
    row.GetCardFrame(2)->SetHoleColourIndex(1, 7);
    modalScript = [](fw::Form& form) {
        auto& setup = dynamic_cast<TfrmCardSetup2&>(form);
        EXPECT_FALSE(setup.edCards->Enabled());
        EXPECT_EQ(setup.frameCards->CardCount(), TfrmBrocade::NewDesignWidth);
        EXPECT_EQ(setup.frameCards->GetCardFrame(2)->GetHoleColourIndex(1), 7);
        setup.frameCards->GetCardFrame(3)->SetHoleColourIndex(0, 5);
        setup.SetModalResult(fw::mrOk);
    };
    EXPECT_TRUE(editor.PerformAction(TWAction::CardSetup, false, nullptr));
    EXPECT_EQ(row.GetCardFrame(2)->GetHoleColourIndex(1), 7);
    EXPECT_EQ(row.GetCardFrame(3)->GetHoleColourIndex(0), 5);
    EXPECT_EQ(editor.Pattern().Cards().GetCard(3)->HoleColour(0), 5);

    // Cancelled: the row stays as it is.
    modalScript = [](fw::Form& form) {
        auto& setup = dynamic_cast<TfrmCardSetup2&>(form);
        setup.frameCards->GetCardFrame(0)->SetHoleColourIndex(0, 2);
        setup.SetModalResult(fw::mrCancel);
    };
    editor.PerformAction(TWAction::CardSetup, false, nullptr);
    EXPECT_EQ(row.GetCardFrame(0)->GetHoleColourIndex(0), TfrmBrocadePatternFrame::DefaultColourIndex);
}

TEST_F(BrocadeEditorTest, AHoleColourChangedInTheCardRowRecoloursTheBandAndTheGrid)
{
    TfrmBrocade& editor = NewBrocade();
    editor.ShowImagePage();
    TTWPalette& palette = *editor.framePattern->frameCards->Palette();
    palette.SetColour(6, 0x0A0B0C);
    // Card 1's hole A is what its clear cells of row 0 show, and what the band shows where
    // that hole is on top.
    editor.framePattern->frameCards->GetCardFrame(0)->SetHoleColourIndex(0, 6);
    int recoloured = 0;
    for (int pick = 0; pick < editor.FrontWeaving().PickCount(); ++pick) {
        const TTWWeavingCell& cell = *editor.FrontWeaving().Cell(0, pick);
        if (cell.Hole == 0) {
            EXPECT_EQ(cell.Colour, 0x0A0B0Cu);
            ++recoloured;
        }
    }
    EXPECT_GT(recoloured, 0);
    editor.ShowPatternPage();
    EXPECT_EQ(ShownColour(editor, 0, 0), 0x0A0B0Cu);
}

} // namespace
