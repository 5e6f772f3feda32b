#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/test_driver.h"
#include "palette_test_support.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_list_window.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

using namespace palette_test;

namespace {

class PaletteListTest : public PaletteTest {
protected:
    void SetUp() override
    {
        PaletteTest::SetUp();
        // "(Default)" is there from the start.
        Palettes().Add(NumberedPalette("Zebra", 0x100000).release());
        Palettes().Add(NumberedPalette("Autumn", 0x200000).release());
        Palettes().Add(NumberedPalette("Moss", 0x300000).release());
    }

    static std::vector<std::string> RowTexts(const TfrmTWPaletteList& window)
    {
        std::vector<std::string> texts;
        for (const TILTreeNode* row : window.treeList->Root()->Children()) {
            texts.push_back(row->GetText());
        }
        return texts;
    }

    static TILTreeNode* Row(const TfrmTWPaletteList& window, const std::string& name)
    {
        return window.treeList->Root()->FindByText(0, name, true, false);
    }

    // The centre of a row's cell, in the window's client coordinates.
    static fw::Point CellCentre(fw::TestDriver& driver, TfrmTWPaletteList& window, TILTreeNode* row, int column)
    {
        const fw::Rect cell = window.treeList->CellExtents(row, window.treeList->GetColumn(column));
        return driver.PointOf(*window.treeList, fw::Point{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    }
};

} // namespace

TEST_F(PaletteListTest, TheListShowsEveryPaletteSortedByName)
{
    TfrmTWMain& main = Main();
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        EXPECT_EQ(window.Caption(), "Palette List");
        EXPECT_EQ(window.Owner(), &main);
        EXPECT_EQ(window.Palettes(), &Palettes());
        EXPECT_EQ(RowTexts(window), (std::vector<std::string>{"(Default)", "Autumn", "Moss", "Zebra"}));
        EXPECT_EQ(PaletteList().Palettes(1)->Name(), "Zebra") << "the list itself keeps its order";
        EXPECT_EQ(TfrmTWPaletteList::RowPalette(Row(window, "Moss")), Palettes().Palettes(3));

        TILTree& tree = *window.treeList;
        ASSERT_EQ(tree.GetColumnCount(), 17);
        EXPECT_EQ(tree.GetColumn(0)->Caption(), "Palette Name");
        EXPECT_EQ(tree.GetColumn(0)->Width(), 150);
        EXPECT_EQ(tree.GetColumn(0)->AutoSort(), iltSortAlphaAscend);
        for (int c = 1; c <= 16; ++c) {
            EXPECT_EQ(tree.GetColumn(c)->Width(), 20);
            EXPECT_EQ(tree.GetColumn(c)->Caption(), "");
        }
        // Opened from the main window, nothing is to be chosen.
        EXPECT_FALSE(window.SelectMode());
        EXPECT_FALSE(window.btnSelect->Visible());
        EXPECT_EQ(window.btnEdit->Left() + window.btnEdit->Width(), window.pnlTBottom->ClientWidth() - 5);
        EXPECT_EQ(window.btnAdd->Left() + window.btnAdd->Width(), window.btnEdit->Left() - 5);
        window.Close();
    });
    RegisterPaletteWindows();
    EXPECT_TRUE(OpenWindowOfKind(main, TTWWindowKind::PaletteList));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(main.FindComponent("frmTWPaletteList"), nullptr);
}

TEST_F(PaletteListTest, EachColourCellIsABlackEdgedSquareOfThePaletteColour)
{
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        TILTreeNode* moss = Row(window, "Moss");
        const fw::Bitmap picture = fw::RenderToBitmap(*window.treeList);
        for (int c = 1; c <= 16; ++c) {
            const fw::Rect cell = window.treeList->CellExtents(moss, window.treeList->GetColumn(c));
            EXPECT_EQ(picture.Pixel(cell.Left + 1, cell.Top + 1), 0x000000u) << c;
            EXPECT_EQ(picture.Pixel(cell.Right, cell.Bottom), 0x000000u) << c;
            EXPECT_EQ(picture.Pixel((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2),
                      0x300000u + static_cast<TTWColour>(c - 1))
                << c;
            // The cell's first column is left to the background.
            EXPECT_NE(picture.Pixel(cell.Left, (cell.Top + cell.Bottom) / 2), 0x000000u) << c;
        }
        window.Close();
    });
    TfrmTWPaletteList::ShowPalettes(Palettes(), &Main());
}

TEST_F(PaletteListTest, AnAddedPaletteStartsAsACopyOfTheDefaultAndIsFreedOnCancel)
{
    Palettes().Palettes(0)->SetColour(3, 0x0A0B0C);
    std::vector<std::string> namesOffered;
    std::vector<TTWColour> coloursOffered;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        if (auto* editing = dynamic_cast<TfrmTWEditPalette*>(&form)) {
            namesOffered.push_back(editing->edName->Text());
            coloursOffered.push_back(editing->framePalette->GetColourPanel(3)->Color());
            EXPECT_TRUE(editing->edName->Visible());
            if (namesOffered.size() == 1) {
                EXPECT_TRUE(editing->ClickCancelButton());
            } else {
                editing->edName->SetText("Heather");
                editing->btnAccept->Click();
            }
            return;
        }
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        window.btnAdd->Click();
        EXPECT_EQ(Palettes().Count(), 4);
        EXPECT_EQ(window.treeList->Root()->GetCount(), 4);
        window.btnAdd->Click();
        ASSERT_EQ(Palettes().Count(), 5);
        TTWPalette* added = Palettes().Palettes(4);
        EXPECT_EQ(added->Name(), "Heather");
        EXPECT_EQ(added->GetColour(3), 0x0A0B0Cu);
        EXPECT_EQ(added->GetColour(15), 0xFFFFFFu);
        TILTreeNode* row = Row(window, "Heather");
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(TfrmTWPaletteList::RowPalette(row), added);
        window.Close();
    });
    TfrmTWPaletteList::ShowPalettes(Palettes(), &Main());
    EXPECT_EQ(namesOffered, (std::vector<std::string>{"(Default)", "(Default)"}));
    EXPECT_EQ(coloursOffered, (std::vector<TTWColour>{0x0A0B0Cu, 0x0A0B0Cu}));
}

TEST_F(PaletteListTest, EditingTheSelectedPaletteRenamesItsRow)
{
    int edits = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        if (auto* editing = dynamic_cast<TfrmTWEditPalette*>(&form)) {
            ++edits;
            EXPECT_EQ(editing->edName->Text(), "Autumn");
            editing->edName->SetText("Harvest");
            editing->btnAccept->Click();
            return;
        }
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        window.btnEdit->Click();
        EXPECT_EQ(edits, 0) << "nothing selected, nothing to edit";
        TILTreeNode* autumn = Row(window, "Autumn");
        window.treeList->SelectOnly(autumn);
        window.btnEdit->Click();
        EXPECT_EQ(edits, 1);
        EXPECT_EQ(autumn->GetText(), "Harvest");
        window.Close();
    });
    TfrmTWPaletteList::ShowPalettes(Palettes(), &Main());
    EXPECT_EQ(Palettes().Palettes(2)->Name(), "Harvest");
}

TEST_F(PaletteListTest, ADoubleClickOnAColourEditsThatColour)
{
    colourAnswers = {0x00FFFFu};
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        fw::TestDriver driver(window);
        driver.DoubleClick(CellCentre(driver, window, Row(window, "Zebra"), 6));
        window.Close();
    });
    TfrmTWPaletteList::ShowPalettes(Palettes(), &Main());
    EXPECT_EQ(coloursAsked, (std::vector<TTWColour>{0x100005u}));
    EXPECT_EQ(Palettes().FindByName("Zebra")->GetColour(5), 0x00FFFFu);
    EXPECT_EQ(Palettes().FindByName("Zebra")->GetColour(4), 0x100004u);
}

TEST_F(PaletteListTest, ADoubleClickOnTheNameEditsOrChoosesAsTheListWasOpened)
{
    int edits = 0;
    const fw::ScopedHandler looking(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        if (auto* editing = dynamic_cast<TfrmTWEditPalette*>(&form)) {
            ++edits;
            EXPECT_EQ(editing->edName->Text(), "Moss");
            EXPECT_TRUE(editing->ClickCancelButton());
            return;
        }
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        fw::TestDriver driver(window);
        driver.DoubleClick(CellCentre(driver, window, Row(window, "Moss"), 0));
        EXPECT_EQ(window.GetModalResult(), fw::mrNone);
        window.Close();
    });
    TfrmTWPaletteList::ShowPalettes(Palettes(), &Main());
    EXPECT_EQ(edits, 1);

    const fw::ScopedHandler choosing(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        EXPECT_TRUE(window.SelectMode());
        fw::TestDriver driver(window);
        driver.DoubleClick(CellCentre(driver, window, Row(window, "Moss"), 0));
        EXPECT_EQ(window.GetModalResult(), fw::mrOk);
    });
    EXPECT_EQ(TfrmTWPaletteList::Execute(Palettes(), &Main()), Palettes().FindByName("Moss"));
    EXPECT_EQ(edits, 1);
}

TEST_F(PaletteListTest, ChoosingAPaletteNeedsASelectedRow)
{
    TfrmTWPaletteList* seen = nullptr;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        seen = &window;
        EXPECT_TRUE(window.btnSelect->Visible());
        EXPECT_EQ(window.btnSelect->Left() + window.btnSelect->Width(), window.pnlTBottom->ClientWidth() - 5);
        EXPECT_EQ(window.btnEdit->Left() + window.btnEdit->Width(), window.btnSelect->Left() - 5);
        window.btnSelect->Click();
        EXPECT_EQ(window.GetModalResult(), fw::mrNone);
        window.treeList->SelectOnly(Row(window, "Zebra"));
        window.btnSelect->Click();
    });
    EXPECT_EQ(TfrmTWPaletteList::Execute(Palettes(), &Main()), Palettes().FindByName("Zebra"));
    EXPECT_NE(seen, nullptr);

    const fw::ScopedHandler cancel(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        window.treeList->SelectOnly(Row(window, "Zebra"));
        window.Close();
    });
    EXPECT_EQ(TfrmTWPaletteList::Execute(Palettes(), &Main()), nullptr);
}

// The list as the real Qt text backend draws it, written out for a look.
TEST_F(PaletteListTest, TheListRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    // Two palettes in the standard colours, backwards and turned by four, for something to see.
    const TTWPalette& standard = *Palettes().DefaultPalette();
    for (int i = 0; i < 16; ++i) {
        Palettes().FindByName("Autumn")->SetColour(i, standard.GetColour(15 - i));
        Palettes().FindByName("Zebra")->SetColour(i, standard.GetColour((i + 4) % 16));
    }
    fw::Bitmap picture;
    fw::Rect firstColour;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& window = dynamic_cast<TfrmTWPaletteList&>(form);
        window.treeList->SelectOnly(Row(window, "Autumn"));
        picture = fw::RenderToBitmap(window);
        const fw::Rect cell = window.treeList->CellExtents(Row(window, "Moss"), window.treeList->GetColumn(1));
        const fw::Point at = window.treeList->ClientToScreen(fw::Point{cell.Left, cell.Top});
        const fw::Point origin = window.ClientToScreen(fw::Point{});
        firstColour = fw::Rect{at.X - origin.X, at.Y - origin.Y, at.X - origin.X + cell.Width(),
                               at.Y - origin.Y + cell.Height()};
        window.Close();
    });
    TfrmTWPaletteList::Execute(Palettes(), &Main());

    const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/palette_list.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path)));
    EXPECT_EQ(picture.Pixel(firstColour.Left + 5, firstColour.Top + 5), 0x300000u);
}
