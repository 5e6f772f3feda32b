// The tree's property setters, the detachable look of a tree, the shared default style's
// tree colours and the numbered colour schemes.

#include <gtest/gtest.h>

#include "controls/il_brush.h"
#include "controls/scroll_bar.h"
#include "controls/scroll_bar_properties.h"
#include "foundation/generic_exception.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"

namespace {

using PropertiesTest = TreeGridTest;

TEST_F(PropertiesTest, ANewTreeHasItsDefaults)
{
    TILTree fresh;
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 150);
    EXPECT_TRUE(fresh.TabStop());
    EXPECT_EQ(fresh.Options().Bits(), 0x1223U);
    EXPECT_EQ(fresh.Indent(), 16);
    EXPECT_EQ(fresh.HorzScrollIncrement(), 8);
    EXPECT_EQ(fresh.VertScrollIncrement(), 16);
    EXPECT_EQ(fresh.HeadingRows().Count(), 1);
    EXPECT_EQ(fresh.LastSortedColumn(), -1);
    EXPECT_EQ(fresh.Perform(fw::WM_GETDLGCODE), 129);
}

TEST_F(PropertiesTest, SettersKeepTheirLimits)
{
    AddColumns({50, 50});
    tree->SetIndent(3);
    EXPECT_EQ(tree->Indent(), 5);
    tree->SetFixedColumns(3);
    EXPECT_EQ(tree->FixedColumns(), 0);
    tree->SetFixedColumns(-1);
    EXPECT_EQ(tree->FixedColumns(), 0);
    tree->SetFixedColumns(2);
    EXPECT_EQ(tree->FixedColumns(), 2);
    EXPECT_EQ(tree->FixedWidth(), 100);
}

TEST_F(PropertiesTest, ColourChangesRepaintOnlyWhatShowsThem)
{
    AddColumns({50});
    AddRows(2);
    Render();
    Option(TILTreeDisplayOption::iltShowButtons, false);
    Render();
    tree->SetColourButton(0x123456);
    EXPECT_TRUE(tree->InvalidRegion().IsEmpty()) << "no buttons shown";
    tree->SetColourLine(0x654321);
    EXPECT_FALSE(tree->InvalidRegion().IsEmpty());
}

TEST_F(PropertiesTest, MovingColumnsBetweenSidesMovesTheirCellControls)
{
    AddColumns({50, 50});
    const auto rows = AddRows(2);
    fw::CustomControl* control = new fw::CustomControl(window.get());
    control->SetBounds(0, 0, 10, 10);
    rows[0]->GetCellInfo(1)->GetCellControl().Control = control;
    tree->UpdateCellControls(rows[0], false);
    EXPECT_EQ(control->Parent(), tree->ScrollWindow());
    EXPECT_TRUE(control->Visible());
    EXPECT_EQ(control->Left(), 50 + 0) << "in the scroll window's coordinates";

    tree->SetFixedColumns(2);
    EXPECT_EQ(control->Parent(), tree);
    EXPECT_EQ(control->BoundsRect(), (fw::Rect{50, HeadingHeight, 100, HeadingHeight + RowHeight}));

    tree->GetColumn(1)->SetIsHidden(true);
    EXPECT_FALSE(control->Visible());
    tree->GetColumn(1)->SetIsHidden(false);
    EXPECT_TRUE(control->Visible());

    rows[0]->SetHidden(true);
    tree->UpdateAllCellControls();
    EXPECT_FALSE(control->Visible()) << "a hidden row's control goes too";
}

TEST_F(PropertiesTest, ABundleCarriesColumnsOptionsAndColoursButNotTheBars)
{
    AddColumns({70, 40});
    tree->GetColumn(0)->SetID("name");
    tree->SetColourLine(0x00FF00);
    tree->SetIndent(20);
    tree->SetTreeColumn(1);
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->DefaultDrawNormal().Background().SetColour(0xABCDEF);
    TILScrollBarProperties bars;
    bars.SetButtonSize(9);
    tree->SetHorzScrollProp(&bars);
    ASSERT_EQ(tree->HorzScrollBar()->ButtonSize(), 9);

    TILTreeProperties bundle(tree);
    bundle.Assign(tree);
    EXPECT_EQ(bundle.Columns().Count(), 2);
    EXPECT_FALSE(bundle.Scrollbars().ButtonSizeSet()) << "not taken from a tree";

    auto* second = new TILTree(window.get());
    second->SetParent(window.get());
    second->Assign(&bundle);
    EXPECT_EQ(second->GetColumnCount(), 2);
    EXPECT_EQ(second->GetColumn(0)->Width(), 70);
    EXPECT_EQ(second->Columns().IndexOfName("NAME"), 0);
    EXPECT_EQ(second->ColourLine(), 0x00FF00U);
    EXPECT_EQ(second->Indent(), 20);
    EXPECT_EQ(second->TreeColumn(), 1);
    EXPECT_TRUE(second->HasOption(TILTreeDisplayOption::iltMultiSelect));
    EXPECT_EQ(second->DefaultDrawNormal().Background().Colour(), 0xABCDEFU);
    EXPECT_EQ(second->HorzScrollBar()->ButtonSize(), 16) << "the first tree's bars stay with it";

    // From another bundle the bars come along.
    TILTreeProperties copy;
    bundle.Scrollbars().SetButtonSize(11);
    copy.Assign(&bundle);
    EXPECT_EQ(copy.Scrollbars().ButtonSize(), 11);
    EXPECT_EQ(copy.Indent(), 20);
    second->Assign(&copy);
    EXPECT_EQ(second->VertScrollBar()->ButtonSize(), 11);
}

TEST_F(PropertiesTest, ANewBundleHasItsOwnDefaultOptions)
{
    TILTreeProperties bundle;
    EXPECT_EQ(bundle.Options().Bits(), 0x1420U);
    EXPECT_EQ(bundle.GridPen().Color, 0x808080U);
    EXPECT_FALSE(bundle.ShowHint());
}

TEST_F(PropertiesTest, AssigningSomethingElseRaisesTheStandardError)
{
    TILTreeDefaultColourScheme scheme(1);
    try {
        tree->Assign(&scheme);
        FAIL() << "no error";
    } catch (const fw::Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot assign a TILTreeDefaultColourScheme to a TILTree.");
    }
}

// --- The shared default style ------------------------------------------------------------------

TEST_F(PropertiesTest, AFreshStyleLeavesGridPenAndRowHeightAlone)
{
    AddColumns({50});
    const fw::Pen pen = tree->GridPen();
    TILFormsDefaultTreeColours colours;
    EXPECT_EQ(colours.GridPen().Color, 0x008000U) << "green, but not set";
    tree->Assign(&colours);
    EXPECT_EQ(tree->GridPen(), pen);
    EXPECT_EQ(tree->DefaultNodeHeight(), 16);
    EXPECT_EQ(tree->ColourLine(), 0x008000U);
    EXPECT_EQ(tree->ColourButton(), 0xFFFFFFU);
    EXPECT_EQ(tree->DefaultDrawNormal().Background().Colour(), 0xC6F0ACU);
    EXPECT_EQ(tree->DefaultDrawSelect().Background().Colour(), 0x008000U);
    EXPECT_EQ(tree->DefaultDrawSelect().Font().Color, 0xFFFFFFU);
    EXPECT_TRUE(tree->Headings().DrawStyle().Font().Style.Bold);

    colours.SetGridPen(fw::Pen{0x0000FF, 2, fw::PenStyle::Solid, fw::PenMode::Copy});
    colours.SetDefaultNodeHeight(20);
    tree->Assign(&colours);
    EXPECT_EQ(tree->GridPen().Color, 0x0000FFU);
    EXPECT_EQ(tree->DefaultNodeHeight(), 20);
}

TEST_F(PropertiesTest, AnUnsetLineColourLeavesTheTreesOwn)
{
    tree->SetColourLine(0x112233);
    TILFormsDefaultTreeColours colours;
    colours.SetColourLine(fw::clNone);
    tree->Assign(&colours);
    EXPECT_EQ(tree->ColourLine(), 0x112233U);
}

TEST_F(PropertiesTest, DrawColoursApplyAndCopyOnlyTheirSetParts)
{
    TILFormsDefaultTreeDrawColours colours;
    EXPECT_FALSE(colours.FillBrushSet());
    colours.SetFontName("Times New Roman");
    colours.SetFontSize(12);
    TILTreeColumnDrawData data;
    data.Background().SetColour(0x010203);
    const fw::Color fontColour = data.Font().Color;
    colours.ApplyTo(data);
    EXPECT_EQ(data.Font().Name, "Times New Roman");
    EXPECT_EQ(data.Font().Size(), 12);
    EXPECT_EQ(data.Font().Color, fontColour);
    EXPECT_EQ(data.Background().Colour(), 0x010203U) << "no brush set";

    colours.FillBrush()->SetColour(0x0A0B0C);
    EXPECT_TRUE(colours.FillBrushSet()) << "a change of the brush sets it";

    TILFormsDefaultTreeDrawColours copy;
    copy.SetFontColour(0x445566);
    copy.Assign(&colours);
    EXPECT_FALSE(copy.FontColourSet()) << "cleared: not set in the source";
    EXPECT_EQ(copy.FontName(), "Times New Roman");
    EXPECT_TRUE(copy.FillBrushSet());
    EXPECT_EQ(copy.FillBrush()->Colour(), 0x0A0B0CU);

    TILFormsDefaultTreeDrawColours empty;
    copy.Assign(&empty);
    EXPECT_FALSE(copy.FillBrushSet());
    EXPECT_FALSE(copy.FontNameSet());
    EXPECT_FALSE(copy.FontSizeSet());
}

// --- Colour schemes --------------------------------------------------------------------------------

TEST_F(PropertiesTest, TwoSchemesWithOneIDAreRefused)
{
    TILTreeDefaultColourList& list = *TreeDefaultColourList();
    list.Add(new TILTreeDefaultColourScheme(7));
    auto* duplicate = new TILTreeDefaultColourScheme(7);
    try {
        list.Add(duplicate);
        FAIL() << "no error";
    } catch (const TGenericException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to add default colour scheme:\r\nDuplicate ID (7).");
        ASSERT_GE(error.InfoCount(), 1);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "Add");
    }
    delete duplicate;
    EXPECT_EQ(list.Count(), 1);
    EXPECT_NE(list.FindByID(7), nullptr);
    EXPECT_EQ(list.FindByID(8), nullptr);
    EXPECT_EQ(list.GetItem(1), nullptr);
}

TEST_F(PropertiesTest, ATreeNamingASchemeTakesItsColours)
{
    auto* scheme = new TILTreeDefaultColourScheme(3);
    scheme->Colours().SetColourButton(0x0000FF);
    TreeDefaultColourList()->Add(scheme);

    tree->SetDefaultColoursID(3);
    EXPECT_TRUE(tree->HasOption(TILTreeDisplayOption::iltUseDefaultColours));
    EXPECT_EQ(tree->ColourScheme(), scheme);
    EXPECT_EQ(tree->ColourButton(), 0x0000FFU);

    tree->SetDefaultColoursID(0);
    EXPECT_FALSE(tree->HasOption(TILTreeDisplayOption::iltUseDefaultColours));
    EXPECT_EQ(tree->ColourScheme(), nullptr);

    // A tree that finishes loading takes the global default scheme when it names none.
    SetTreeDefaultColoursID(3);
    auto* loaded = new TILTree(window.get());
    loaded->SetParent(window.get());
    loaded->Loaded();
    EXPECT_EQ(loaded->DefaultColoursID(), 3);
    EXPECT_EQ(loaded->ColourButton(), 0x0000FFU);
}

TEST_F(PropertiesTest, TheSharedImagesComeWithTheModule)
{
    for (const char* name : {"ILTREE_ILLOGO", "ILTREE_BTNICON_PLUS", "ILTREE_BTNICON_MINUS", "ILTREE_BTNICON_WAIT",
                             "ILTREE_SORTICON_ASCEND", "ILTREE_SORTICON_DESCEND"}) {
        EXPECT_NE(TreeSharedImage(name), nullptr) << name;
    }
    EXPECT_EQ(TreeSharedImage("ILTREE_NOTHING"), nullptr);
    SetTreeSharedImage("ILTREE_BTNICON_WAIT", nullptr);
    EXPECT_EQ(TreeSharedImage("ILTREE_BTNICON_WAIT"), nullptr);
    EXPECT_EQ(tree->ButtonImage(TILTreeButtonWait), nullptr);
    EXPECT_NE(tree->ButtonImage(TILTreeButtonPlus), nullptr);
}

} // namespace
