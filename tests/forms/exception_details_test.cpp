#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "forms/exception_details.h"
#include "forms/xml_view_frame.h"
#include "controls/tabbed_pages.h"
#include "exception_test_support.h"
#include "foundation/xml_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "framework/core/string_list.h"
#include "framework/gui/std_button.h"
#include "support/scratch_folder.h"
#include "treegrid/tree_columns.h"

namespace {

constexpr fw::Color Pink = 0xC0A0FF;

// An error passed up one layer: a three-line outer record over the record it wraps.
TGenericException TwoLayerError()
{
    const TGenericException inner("Card 3 has no holes", nullptr, "TTWCard[Card3]", "Validate", 5);
    return TGenericException("Could not save\r\nthe band\nfile", &inner, "TfrmTWMain[Main]", "SaveFile", 7);
}

class ExceptionDetailsTest : public ExceptionWindowsTest {
protected:
    void SetUp() override
    {
        ExceptionWindowsTest::SetUp();
        fw::App().SetExeName("/opt/tavelin/tavelin");
        fw::App().SetCommandLine({"tavelin", "band.tvl"});
    }

    // The window filled from the error, its modal run ended at once.
    static std::unique_ptr<TfrmTExceptionDetails> FilledWith(const TGenericException& error)
    {
        auto details = Created<TfrmTExceptionDetails>();
        const fw::ScopedHandler leave(&fw::Form::SetModalRunner, [](fw::Form& form) { form.SetModalResult(fw::mrOk); });
        details->Execute(error);
        return details;
    }

    static bool IsBold(TILTree* list, TILTreeNode* row)
    {
        TILTreeColumnData* column = list->GetColumn(0);
        return list->CellFont(column, row, *list->CellDrawData(column, row)).Style.Bold;
    }

    // Lives as long as the windows that show it.
    const TGenericException twoLayer = TwoLayerError();
};

TEST_F(ExceptionDetailsTest, TheWindowStartsOnTheErrorPageWithItsStyleAndButtons)
{
    FormsDefaultStyle()->Panels().SetBevelLight(Pink);
    auto details = Created<TfrmTExceptionDetails>();
    EXPECT_EQ(details->Caption(), "Tavelin - Exception Details");
    details->SetWidth(300);
    EXPECT_EQ(details->Width(), 400);
    EXPECT_EQ(details->btnOK->BoundsRect().Right, details->pnlButtons->ClientWidth() - 5);

    EXPECT_EQ(details->pcMain->ActivePage(), details->pgException);
    EXPECT_TRUE(details->pgSysDetails->HidePage());
    EXPECT_TRUE(details->pgXML->HidePage());
    EXPECT_FALSE(details->pgParameters->HidePage());
    // The style reaches the panels and pages, not the lists.
    for (TILBrushPanel* panel : std::initializer_list<TILBrushPanel*>{details->pnlDetails, details->pnlButtons,
                                                                      details->pgException, details->pgSysDetails,
                                                                      details->pgXML, details->pgParameters}) {
        EXPECT_EQ(panel->DrawData().BevelLight(), Pink) << panel->Name();
    }
    EXPECT_EQ(details->lstTree->ColourLine(), TILTree().ColourLine());
}

TEST_F(ExceptionDetailsTest, ExecuteShowsTheErrorDetailsPageModally)
{
    auto details = Created<TfrmTExceptionDetails>();
    details->pcMain->SetActivePage(details->pgParameters);
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(details->Error(), &twoLayer);
        EXPECT_EQ(details->pcMain->ActivePage(), details->pgException);
        details->btnOK->Click();
    });
    EXPECT_EQ(details->Execute(twoLayer), fw::mrOk);
    EXPECT_EQ(runs, 1);
}

TEST_F(ExceptionDetailsTest, RecordsAreRowsNewestFirstWithTheirFurtherLinesBelow)
{
    auto details = FilledWith(twoLayer);
    const TILTreeNode* root = details->lstTree->Root();
    ASSERT_EQ(root->GetCount(), 2);
    // Three lines: the first in the row, two rows below, opened.
    EXPECT_EQ(Cells(root->GetItem(0)), "Could not save|7|TfrmTWMain[Main]|SaveFile");
    EXPECT_EQ(ChildTexts(root->GetItem(0)), (std::vector<std::string>{"the band", "file"}));
    EXPECT_TRUE(root->GetItem(0)->Expanded());
    // One line: a closed row without rows below.
    EXPECT_EQ(Cells(root->GetItem(1)), "Card 3 has no holes|5|TTWCard[Card3]|Validate");
    EXPECT_FALSE(root->GetItem(1)->HasChildren());
    EXPECT_FALSE(root->GetItem(1)->Expanded());

    // Two lines (a lone CR breaks too): one row below, which does not open the row.
    const TGenericException twoLines("First\rSecond", nullptr, "", "", -3);
    details = FilledWith(twoLines);
    const TILTreeNode* row = details->lstTree->Root()->GetItem(0);
    EXPECT_EQ(Cells(row), "First|-3||");
    EXPECT_EQ(ChildTexts(row), std::vector<std::string>{"Second"});
    EXPECT_FALSE(row->Expanded());

    const TGenericException silent("", nullptr, "TSender", "Run");
    details = FilledWith(silent);
    EXPECT_EQ(Cells(details->lstTree->Root()->GetItem(0)), "|0|TSender|Run");
}

TEST_F(ExceptionDetailsTest, ADatabaseRecordListsItsStatementUnderABoldSQLRow)
{
    const StubDatabaseError database("Insert failed", "INSERT INTO Cards\r\nVALUES (1)");
    const TGenericException outer("Saving the pack failed\r\nin the archive", &database, "TTWPack", "Save");
    auto details = FilledWith(outer);
    TILTreeNode* row = details->lstTree->Root()->GetItem(1);
    EXPECT_EQ(Cells(row), "Insert failed|42|TStubTable[Cards]|Save");
    ASSERT_EQ(ChildTexts(row), std::vector<std::string>{"SQL"});
    EXPECT_FALSE(row->Expanded());
    TILTreeNode* sql = row->GetItem(0);
    EXPECT_EQ(ChildTexts(sql), (std::vector<std::string>{"INSERT INTO Cards", "VALUES (1)"}));
    EXPECT_TRUE(IsBold(details->lstTree, sql));
    EXPECT_FALSE(IsBold(details->lstTree, row));
    EXPECT_FALSE(IsBold(details->lstTree, sql->GetItem(0)));
    EXPECT_EQ(ChildTexts(details->lstTree->Root()->GetItem(0)), std::vector<std::string>{"in the archive"});

    // Message lines come first; with the SQL row they open the row.
    const StubDatabaseError twoLines("Insert failed\r\nkey exists", "SELECT 1");
    details = FilledWith(twoLines);
    EXPECT_EQ(ChildTexts(details->lstTree->Root()->GetItem(0)), (std::vector<std::string>{"key exists", "SQL"}));
    EXPECT_TRUE(details->lstTree->Root()->GetItem(0)->Expanded());

    const StubDatabaseError noStatement("Connection lost", "");
    details = FilledWith(noStatement);
    EXPECT_FALSE(details->lstTree->Root()->GetItem(0)->HasChildren());
}

TEST_F(ExceptionDetailsTest, TheTextHasTheShownRowsThenTheParameters)
{
    auto details = FilledWith(twoLayer);
    EXPECT_EQ(details->DetailsText(), "Could not save\t7\tTfrmTWMain[Main]\tSaveFile\r\n"
                                      "  the band\t\t\t\r\n"
                                      "  file\t\t\t\r\n"
                                      "Card 3 has no holes\t5\tTTWCard[Card3]\tValidate\r\n"
                                      "\r\nPARAMETERS\r\n"
                                      "0\t/opt/tavelin/tavelin\r\n"
                                      "1\tband.tvl\r\n");

    // Rows under a closed row stay out; without records the text starts with the section.
    const StubDatabaseError database("Insert failed", "INSERT");
    details = FilledWith(database);
    EXPECT_EQ(details->DetailsText().find("SQL"), std::string::npos);
    details->lstTree->Root()->GetItem(0)->SetExpanded(true);
    EXPECT_NE(details->DetailsText().find("\r\n  SQL\t\t\t\r\n"), std::string::npos);
    auto empty = Created<TfrmTExceptionDetails>();
    empty->FillDetails();
    EXPECT_EQ(empty->DetailsText().rfind("\r\nPARAMETERS\r\n0\t/opt/tavelin/tavelin\r\n", 0), 0u);
}

TEST_F(ExceptionDetailsTest, ParametersAreListedOnceInNumberOrder)
{
    std::vector<std::string> arguments{"tavelin"};
    for (int i = 1; i <= 11; ++i) {
        arguments.push_back("file" + std::to_string(i) + ".tvl");
    }
    fw::App().SetCommandLine(arguments);
    auto details = FilledWith(twoLayer);
    details->FillDetails();
    const TILTreeNode* root = details->lstParameters->Root();
    ASSERT_EQ(root->GetCount(), 12);
    EXPECT_EQ(Cells(root->GetItem(0)), "0|/opt/tavelin/tavelin");
    EXPECT_EQ(Cells(root->GetItem(2)), "2|file2.tvl");
    EXPECT_EQ(Cells(root->GetItem(11)), "11|file11.tvl");
}

TEST_F(ExceptionDetailsTest, SystemDetailsShowSortedByNameOnlyWhenThereAreAny)
{
    auto details = FilledWith(twoLayer);
    EXPECT_TRUE(details->pgSysDetails->HidePage());
    EXPECT_EQ(details->DetailsText().find("SYSTEM DETAILS"), std::string::npos);

    SetSystemDetailsProvider([](fw::StringList& lines) {
        lines.Add("Zeta=1");
        lines.Add("alpha=2");
        lines.Add("Beta=x=y");
        lines.Add("ALPHA=3");
    });
    details->FillDetails();
    EXPECT_FALSE(details->pgSysDetails->HidePage());
    const TILTreeNode* root = details->lstSysDetails->Root();
    ASSERT_EQ(root->GetCount(), 4);
    // A name given twice reads the value of its first line.
    EXPECT_EQ(root->GetItem(0)->GetCellText(1) + root->GetItem(1)->GetCellText(1), "22");
    EXPECT_EQ(Cells(root->GetItem(2)), "Beta|x=y");
    EXPECT_EQ(Cells(root->GetItem(3)), "Zeta|1");
    EXPECT_NE(details->DetailsText().find("Validate\r\n\r\nSYSTEM DETAILS\r\n"), std::string::npos);
    EXPECT_NE(details->DetailsText().find("Zeta\t1\r\n\r\nPARAMETERS\r\n"), std::string::npos);

    SetSystemDetailsProvider([](fw::StringList&) {});
    details->FillDetails();
    EXPECT_TRUE(details->pgSysDetails->HidePage());
}

// A document being read: a pack whose second card holds the element at fault.
std::unique_ptr<TILXMLTree> PackDocument()
{
    auto document = std::make_unique<TILXMLTree>();
    TILXMLNode* pack = document->AddRootNode("Pack");
    pack->AddChild("Card Id=\"1\"")->AddChildValue("Holes", "4");
    TILXMLNode* second = pack->AddChild("Card Id=\"2\"");
    second->AddChildValue("Holes", "x");
    second->AddChildValue("Colour", "Red");
    return document;
}

TILXMLNode* FaultIn(const TILXMLTree& document)
{
    return document.GetTopNode(0)->GetChild(1)->GetChild(0);
}

TEST_F(ExceptionDetailsTest, TheElementAtFaultIsOpenedInTheErrorsOwnDocument)
{
    std::unique_ptr<TILXMLTree> reading = PackDocument();
    const TXMLException error("Holes must be a number", nullptr, nullptr, "ReadCard", FaultIn(*reading), reading.get());
    // The reader's document is gone by the time the error is shown.
    reading.reset();
    auto details = FilledWith(error);
    EXPECT_FALSE(details->pgXML->HidePage());
    TILTreeNode* row = details->frameXML->FindElementRow(error.Element());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetText(), "<Holes>x</Holes>");
    EXPECT_TRUE(row->IsShown());
    // Only the way to it is opened, and the document is no part of the text.
    EXPECT_FALSE(details->frameXML->lstXML->Root()->GetItem(0)->GetItem(0)->Expanded());
    EXPECT_EQ(details->DetailsText().find("<Holes>"), std::string::npos);

    // Passed up inside another error, the first XML record's document is shown.
    const TGenericException outer("Could not open the file", &error, "TfrmTWMain", "Open");
    details = FilledWith(outer);
    const auto* record = dynamic_cast<const TXMLExceptionInfo*>(outer.GetInfo(1));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(details->frameXML->XML(), &record->Document());
    ASSERT_NE(details->frameXML->FindElementRow(record->Element()), nullptr);
    EXPECT_TRUE(details->frameXML->FindElementRow(record->Element())->IsShown());
}

TEST_F(ExceptionDetailsTest, AnElementOutsideTheDocumentOpensNothingAndNoDocumentHidesThePage)
{
    const std::unique_ptr<TILXMLTree> reading = PackDocument();
    const std::unique_ptr<TILXMLTree> elsewhere = PackDocument();
    const TXMLException stray("Wrong element", nullptr, nullptr, "ReadCard", FaultIn(*elsewhere), reading.get());
    auto details = FilledWith(stray);
    EXPECT_FALSE(details->pgXML->HidePage());
    const TILTreeNode* pack = details->frameXML->lstXML->Root()->GetItem(0);
    EXPECT_FALSE(pack->Expanded());
    EXPECT_FALSE(pack->GetItem(1)->Expanded());

    // The XML page shown and active: a plain error still hides it.
    details->pcMain->SetActivePage(details->pgXML);
    const fw::ScopedHandler leave(&fw::Form::SetModalRunner, [](fw::Form& form) { form.SetModalResult(fw::mrOk); });
    details->Execute(twoLayer);
    EXPECT_TRUE(details->pgXML->HidePage());
}

TEST_F(ExceptionDetailsTest, SaveWritesTheTextToTheChosenFileAndCopyToTheClipboard)
{
    const std::filesystem::path folder = UniqueScratchFolder("exception_details");
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "details.txt";
    auto details = FilledWith(twoLayer);
    bool accept = false;
    const fw::ScopedHandler choose(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
        EXPECT_EQ(&dialog, details->dlgSave);
        EXPECT_EQ(dialog.DefaultExt(), "txt");
        EXPECT_EQ(dialog.Filter(), "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
        dialog.SetFileName(file.string());
        return accept;
    });
    details->btnSave->Click();
    EXPECT_FALSE(std::filesystem::exists(file));
    accept = true;
    details->btnSave->Click();
    EXPECT_EQ(fw::ReadFileBytes(file), details->DetailsText());
    std::filesystem::remove_all(folder);

    details->btnCopy->Click();
    EXPECT_EQ(fw::GetClipboard().AsText(), details->DetailsText());
}

} // namespace
