// The threading diagram: the dialog's lists of cards and colours, and the printed diagram.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/radio_button.h"
#include "framework/core/canvas.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/turning_codes.h"
#include "shell/report_threading.h"
#include "shell/report_threading_dialog.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"
#include "report_test_support.h"

namespace {

using report_forms_test::ReportFormTest;

class ReportThreadingTest : public ReportFormTest {
protected:
    // A card of the hole count with these palette indices, S threaded unless told.
    void AddCard(const std::vector<int>& colours, std::uint8_t threading = ThreadingS)
    {
        std::unique_ptr<TTWCardBase> card = CreateCard(static_cast<int>(colours.size()));
        for (std::size_t hole = 0; hole < colours.size(); ++hole) {
            card->SetHoleColour(static_cast<int>(hole), colours[hole]);
        }
        card->SetThreading(threading);
        cards.Add(card.release());
    }

    // Runs the dialog; the script plays the user, then the dialog is cancelled.
    void RunDialog(const std::string& title, const std::function<void(TfrmTWPrintCards&)>& script)
    {
        fw::Form::SetModalRunner([&script](fw::Form& form) {
            script(dynamic_cast<TfrmTWPrintCards&>(form));
            form.SetModalResult(fw::mrCancel);
        });
        dialog.Execute(&cards, &palette, title);
    }

    static std::vector<std::string> Captions(const TILTree& tree)
    {
        std::vector<std::string> captions;
        for (int i = 0; i < tree.GetColumnCount(); ++i) {
            captions.push_back(tree.GetColumn(i)->Caption());
        }
        return captions;
    }

    static std::vector<std::string> Column(const TILTree& tree, int column)
    {
        std::vector<std::string> texts;
        for (const TILTreeNode* node : tree.Root()->Children()) {
            texts.push_back(node->GetCellText(column));
        }
        return texts;
    }

    // The holes printed on the band of each row, by the shapes' letters.
    std::vector<std::string> HoleLettersPerRow(const std::string& prefix) const
    {
        std::vector<std::string> rows;
        for (const auto& page : pages) {
            std::string letters;
            for (const fw::PlacedItem& item : page.Items) {
                if (item.Name.rfind("shp" + prefix + "Hole", 0) == 0) {
                    if (item.Name.back() == 'A' && !letters.empty()) {
                        rows.push_back(letters);
                        letters.clear();
                    }
                    letters += item.Name.back();
                }
            }
            if (!letters.empty()) {
                rows.push_back(letters);
            }
        }
        return rows;
    }

    TTWCardList cards;
    TTWPalette palette;
    TfrmTWPrintCards dialog;
};

TEST_F(ReportThreadingTest, TheCardListHasAColumnPerHoleAndARowPerCard)
{
    AddCard({0, 1, 2, 3});
    AddCard({4, 5, 6, 7}, ThreadingZ);
    AddCard({0, 1, 2, 3});
    RunDialog("Spring band", [](TfrmTWPrintCards&) {});

    EXPECT_EQ(dialog.Caption(), "Threading Diagram");
    EXPECT_EQ(dialog.edTitle->Text(), "Spring band");
    EXPECT_EQ(Captions(*dialog.lstCards), (std::vector<std::string>{"Card", "Thread", "A", "B", "C", "D"}));
    EXPECT_EQ(dialog.lstCards->GetColumn(0)->ID(), "CARD");
    EXPECT_EQ(dialog.lstCards->GetColumn(1)->ID(), "THREAD");
    EXPECT_EQ(dialog.lstCards->GetColumn(2)->Width(), 25);
    EXPECT_EQ(dialog.lstCards->GetColumn(2)->HeaderJustify(), iltJustifyCentre);
    EXPECT_EQ(Column(*dialog.lstCards, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(*dialog.lstCards, 1), (std::vector<std::string>{"S", "Z", "S"}));
    EXPECT_EQ(dialog.lstCards->Root()->GetItem(1)->Object(), cards.GetCard(1));
}

TEST_F(ReportThreadingTest, CardsOfDifferentSizesGetColumnsUpToTheLargest)
{
    AddCard({0, 1, 2});
    AddCard({0, 1, 2, 3, 4, 5});
    RunDialog("", [](TfrmTWPrintCards&) {});

    EXPECT_EQ(Captions(*dialog.lstCards), (std::vector<std::string>{"Card", "Thread", "A", "B", "C", "D", "E", "F"}));

    // Filling again starts from the two fixed columns.
    cards.Clear();
    AddCard({0, 1, 2, 3});
    dialog.FillCards();
    EXPECT_EQ(Captions(*dialog.lstCards), (std::vector<std::string>{"Card", "Thread", "A", "B", "C", "D"}));
}

TEST_F(ReportThreadingTest, TheColourListHoldsTheColoursInUseInPaletteOrder)
{
    AddCard({9, 2, 2, 9});
    AddCard({5, 2, 9, 5});
    RunDialog("", [](TfrmTWPrintCards&) {});

    EXPECT_EQ(Captions(*dialog.lstColours), (std::vector<std::string>{"Colour", "Colour Name", "Character"}));
    EXPECT_EQ(dialog.lstColours->GetColumn(0)->Width(), 50);
    EXPECT_EQ(dialog.lstColours->GetColumn(1)->Width(), 100);
    EXPECT_EQ(dialog.lstColours->GetColumn(2)->Width(), 65);
    EXPECT_EQ(Column(*dialog.lstColours, 1), (std::vector<std::string>{"Colour 1", "Colour 2", "Colour 3"}));
    EXPECT_EQ(Column(*dialog.lstColours, 2), (std::vector<std::string>{"F", "F", "F"}));
    std::vector<int> tags;
    for (const TILTreeNode* node : dialog.lstColours->Root()->Children()) {
        tags.push_back(node->Tag());
    }
    EXPECT_EQ(tags, (std::vector<int>{2, 5, 9}));
    EXPECT_TRUE(dialog.ColourInUse(5));
    EXPECT_FALSE(dialog.ColourInUse(3));
    EXPECT_EQ(dialog.ColourName(9), "Colour 3");
    EXPECT_EQ(dialog.ColourName(3), "");
}

TEST_F(ReportThreadingTest, OnlyNamesAndCharactersAreEditedAndACharacterKeepsTwoCharacters)
{
    AddCard({1, 2, 3, 4});
    RunDialog("", [](TfrmTWPrintCards&) {});
    TILTree& list = *dialog.lstColours;
    TILTreeNode* row = list.Root()->GetItem(0);

    EXPECT_FALSE(list.CanEditCell(row, 0));
    EXPECT_TRUE(list.CanEditCell(row, 1));
    EXPECT_TRUE(list.CanEditCell(row, 2));
    EXPECT_TRUE(list.InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAllowTab));
    EXPECT_TRUE(list.InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditOnClick));
    EXPECT_TRUE(list.InlineEdit()->HasOption(TILTreeInlineEditOption::iltEditAutoScroll));

    list.EditCell(row, 2, -1, -1);
    ASSERT_NE(list.InlineEditor(), nullptr);
    list.InlineEditor()->SetText("Xyz");
    ASSERT_TRUE(list.AcceptInlineEdit(false));
    EXPECT_EQ(row->GetCellText(2), "Xy");

    list.EditCell(row, 1, -1, -1);
    list.InlineEditor()->SetText("  Madder red  ");
    ASSERT_TRUE(list.AcceptInlineEdit(false));
    EXPECT_EQ(row->GetCellText(1), "  Madder red  ");
    EXPECT_EQ(dialog.ColourName(1), "Madder red");
    EXPECT_EQ(dialog.ColourCharacters(1), "Xy");
}

TEST_F(ReportThreadingTest, PrintPreviewsTheDiagramAndKeepsTheDialogOpen)
{
    AddCard({0, 1, 2, 3});
    AddCard({4, 5, 6, 7}, ThreadingZ);
    TfrmTWPrintCardsQR* first = nullptr;
    TfrmTWPrintCardsQR* second = nullptr;
    RunDialog("Spring band", [&](TfrmTWPrintCards& shown) {
        EXPECT_EQ(shown.btnAccept->Caption(), "&Print");
        shown.btnAccept->Click();
        first = shown.Report();
        EXPECT_EQ(shown.GetModalResult(), fw::mrNone);
        shown.btnAccept->Click();
        second = shown.Report();
    });

    EXPECT_EQ(previews, 2);
    ASSERT_NE(first, nullptr);
    // Made once, owned by the dialog.
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->Owner(), &dialog);
    EXPECT_EQ(AllTexts("lblHeading"), (std::vector<std::string>{"Threading Diagram"}));
    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Spring band"}));
    EXPECT_EQ(AllTexts("lblCardNumber"), (std::vector<std::string>{"Card 1", "Card 2"}));
    EXPECT_EQ(AllTexts("lblCardThread"), (std::vector<std::string>{"S", "Z"}));
    EXPECT_EQ(CountBands("qrbDetailEnd"), 2);
    EXPECT_EQ(CountBands("qrbColourNames"), 0);
    EXPECT_EQ(CountBands("qrbColourCharacters"), 0);
}

TEST_F(ReportThreadingTest, FourHoleCardsShowHolesAToDOnlyInTheirColours)
{
    AddCard({0, 1, 2, 3});
    AddCard({12, 12, 4, 4});
    RunDialog("", [](TfrmTWPrintCards& shown) { shown.btnAccept->Click(); });

    EXPECT_EQ(HoleLettersPerRow("Card"), (std::vector<std::string>{"ABCD", "ABCD"}));
    const auto holesC = AllItems("shpCardHoleC");
    ASSERT_EQ(holesC.size(), 2u);
    EXPECT_EQ(holesC[0]->Shape, fw::ReportShapeType::Circle);
    EXPECT_EQ(holesC[0]->BrushColor, palette.GetColour(2));
    EXPECT_EQ(holesC[1]->BrushColor, palette.GetColour(4));
    EXPECT_EQ(AllItems("shpCardHoleA")[1]->BrushColor, palette.GetColour(12));
}

TEST_F(ReportThreadingTest, EachCardShowsAsManyHolesAsItHas)
{
    AddCard({0, 1, 2});
    AddCard({0, 1, 2, 3, 4, 5, 6, 7});
    AddCard({0, 1, 2, 3, 4, 5});
    RunDialog("", [](TfrmTWPrintCards& shown) { shown.btnAccept->Click(); });

    EXPECT_EQ(HoleLettersPerRow("Card"), (std::vector<std::string>{"ABC", "ABCDEFGH", "ABCDEF"}));
}

TEST_F(ReportThreadingTest, NamesPrintBesideTheHolesTrimmedAndEmptyWhenNotListed)
{
    AddCard({1, 2, 1, 2});
    AddCard({1, 1, 1, 1});
    RunDialog("", [this](TfrmTWPrintCards& shown) {
        shown.lstColours->Root()->GetItem(0)->SetCellText(1, "  Madder  ");
        shown.rbUseNames->SetChecked(true);
        // Colour 6 was never listed: the diagram leaves its name empty.
        cards.GetCard(1)->SetHoleColour(3, 6);
        shown.btnAccept->Click();
    });

    EXPECT_EQ(CountBands("qrbColourNames"), 2);
    EXPECT_EQ(CountBands("qrbCard"), 0);
    EXPECT_EQ(AllTexts("lblNamesHoleA"), (std::vector<std::string>{"Madder", "Madder"}));
    EXPECT_EQ(AllTexts("lblNamesHoleB"), (std::vector<std::string>{"Colour 2", "Madder"}));
    EXPECT_EQ(AllTexts("lblNamesHoleD"), (std::vector<std::string>{"Colour 2", ""}));
    EXPECT_EQ(AllTexts("lblNamesNumber"), (std::vector<std::string>{"Card 1", "Card 2"}));
    EXPECT_TRUE(AllItems("lblNamesHoleE").empty());
}

TEST_F(ReportThreadingTest, CharactersPrintTheirFirstTwoCharacters)
{
    AddCard({3, 4, 3, 4});
    RunDialog("", [](TfrmTWPrintCards& shown) {
        shown.lstColours->Root()->GetItem(1)->SetCellText(2, "Blue");
        shown.rbUseCharacters->SetChecked(true);
        shown.btnAccept->Click();
    });

    EXPECT_EQ(CountBands("qrbColourCharacters"), 1);
    EXPECT_EQ(AllTexts("lblCharsHoleA"), (std::vector<std::string>{"F"}));
    EXPECT_EQ(AllTexts("lblCharsHoleB"), (std::vector<std::string>{"Bl"}));
}

TEST_F(ReportThreadingTest, TheListsPaintHoleCellsInThePaletteColours)
{
    AddCard({0, 12, 2, 3});
    RunDialog("", [](TfrmTWPrintCards&) {});
    fw::Bitmap surface(40, 40);
    fw::Canvas canvas(surface);
    TILTreeNode* cardRow = dialog.lstCards->Root()->GetItem(0);
    TILTreeColumnData* holeB = dialog.lstCards->GetColumn(3);
    ASSERT_TRUE(holeB->OnDraw());
    EXPECT_FALSE(holeB->DefaultDraw());

    holeB->OnDraw()(holeB, cardRow, fw::Rect{0, 0, 19, 19}, canvas);
    EXPECT_EQ(surface.Pixel(10, 10), palette.GetColour(12));

    TILTreeNode* colourRow = dialog.lstColours->Root()->GetItem(3);
    TILTreeColumnData* colour = dialog.lstColours->GetColumn(0);
    colour->OnDraw()(colour, colourRow, fw::Rect{20, 20, 39, 39}, canvas);
    EXPECT_EQ(colourRow->Tag(), 12);
    EXPECT_EQ(surface.Pixel(30, 30), palette.GetColour(12));
}

// The dialog as the real Qt text backend draws it, written out for a look.
TEST_F(ReportThreadingTest, TheDialogRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    for (int i = 0; i < 12; ++i) {
        AddCard({i % 4 + 1, (i + 1) % 4 + 1, 9, 12}, i % 3 == 0 ? ThreadingZ : ThreadingS);
    }
    fw::Bitmap picture;
    fw::Point holeCell;
    fw::Point colourCell;
    RunDialog("Spring band", [&](TfrmTWPrintCards& shown) {
        shown.rbUseNames->SetChecked(true);
        picture = fw::RenderToBitmap(shown);
        const fw::Point origin = shown.ClientToScreen(fw::Point{});
        const fw::Rect cell =
            shown.lstCards->CellExtents(shown.lstCards->Root()->GetItem(0), shown.lstCards->GetColumn(4));
        const fw::Point hole =
            shown.lstCards->ClientToScreen(fw::Point{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
        holeCell = fw::Point{hole.X - origin.X, hole.Y - origin.Y};
        const fw::Rect swatch =
            shown.lstColours->CellExtents(shown.lstColours->Root()->GetItem(4), shown.lstColours->GetColumn(0));
        const fw::Point colours = shown.lstColours->ClientToScreen(
            fw::Point{(swatch.Left + swatch.Right) / 2, (swatch.Top + swatch.Bottom) / 2});
        colourCell = fw::Point{colours.X - origin.X, colours.Y - origin.Y};
    });

    const std::string file = (report_forms_test::OutputFolder() / "threading_dialog.png").string();
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(file)));
    EXPECT_EQ(picture.Width(), dialog.Width());
    // Hole C of card 1 carries colour 9; the colours in use are 1 to 4, 9 and 12, so the
    // fifth row of the colour list shows colour 9 as well.
    EXPECT_EQ(picture.Pixel(holeCell.X, holeCell.Y), palette.GetColour(9));
    EXPECT_EQ(picture.Pixel(colourCell.X, colourCell.Y), palette.GetColour(9));
}

TEST(PaintHoleCellTest, ARectangleOnePixelInFromTheLeftAndTopClippedToTheCell)
{
    fw::Bitmap surface(12, 12);
    fw::Canvas canvas(surface);
    canvas.Pen() = fw::Pen{0x00FF00, 3, fw::PenStyle::Dot, fw::PenMode::Xor};
    canvas.Brush() = fw::Brush{0xFF00FF, fw::BrushStyle::Clear, nullptr};

    PaintHoleCell(canvas, fw::Rect{1, 1, 8, 8}, 0x0000FF);

    // Outline on columns and rows 2 and 8, the colour inside, nothing on the cell's own
    // first row and column or beyond its last.
    EXPECT_EQ(surface.Pixel(1, 5), fw::Bitmap::White);
    EXPECT_EQ(surface.Pixel(5, 1), fw::Bitmap::White);
    EXPECT_EQ(surface.Pixel(2, 5), fw::clBlack);
    EXPECT_EQ(surface.Pixel(8, 5), fw::clBlack);
    EXPECT_EQ(surface.Pixel(5, 8), fw::clBlack);
    EXPECT_EQ(surface.Pixel(5, 5), 0x0000FFu);
    EXPECT_EQ(surface.Pixel(9, 5), fw::Bitmap::White);
    // The canvas is left as it was.
    EXPECT_EQ(canvas.Pen(), (fw::Pen{0x00FF00, 3, fw::PenStyle::Dot, fw::PenMode::Xor}));
    EXPECT_EQ(canvas.Brush().Style, fw::BrushStyle::Clear);
    EXPECT_FALSE(canvas.ClipRegion().has_value());

    // A clip the canvas had stays in force, and is given back afterwards.
    fw::Bitmap clipped(12, 12);
    fw::Canvas clippedCanvas(clipped);
    clippedCanvas.SetClipRegion(fw::Region(fw::Rect{0, 0, 5, 12}));
    PaintHoleCell(clippedCanvas, fw::Rect{1, 1, 8, 8}, 0x0000FF);
    EXPECT_EQ(clipped.Pixel(4, 5), 0x0000FFu);
    EXPECT_EQ(clipped.Pixel(5, 5), fw::Bitmap::White);
    EXPECT_EQ(clipped.Pixel(8, 5), fw::Bitmap::White);
    EXPECT_EQ(clippedCanvas.ClipRegion(), std::optional<fw::Region>(fw::Region(fw::Rect{0, 0, 5, 12})));
}

TEST(FirstCharactersTest, CountsCharactersNotBytes)
{
    EXPECT_EQ(FirstCharacters("Blue", 2), "Bl");
    EXPECT_EQ(FirstCharacters("B", 2), "B");
    EXPECT_EQ(FirstCharacters("", 2), "");
    EXPECT_EQ(FirstCharacters("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4\xC3\xB6");
}

} // namespace
