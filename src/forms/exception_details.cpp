#include "forms/exception_details.h"

#include <initializer_list>
#include <string_view>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "forms/forms_default_style.h"
#include "forms/xml_view_frame.h"
#include "controls/tabbed_pages.h"
#include "foundation/generic_exception.h"
#include "foundation/xml_exception.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using Option = TILTreeDisplayOption;

constexpr int FormWidth = 740;
constexpr int FormHeight = 420;
constexpr int ButtonPanelHeight = 36;
constexpr int ButtonTop = CentredButtonTop(ButtonPanelHeight);
constexpr int ButtonSpacing = 5;

TSystemDetailsProvider& CurrentSystemDetailsProvider()
{
    static TSystemDetailsProvider provider;
    return provider;
}

TILBrushPageControl* NewPageControl(fw::Component& owner, fw::WinControl* parent)
{
    auto* pages = new TILBrushPageControl(&owner);
    pages->SetName("pcMain");
    pages->SetParent(parent);
    pages->SetAlign(fw::Align::Client);
    pages->SetTabWidth(75);
    return pages;
}

TILBrushPage* NewPage(fw::Component& owner, TILBrushPageControl* pages, const char* name, const char* pageName,
                      bool hidden)
{
    auto* page = new TILBrushPage(&owner);
    page->SetName(name);
    page->SetPageName(pageName);
    page->SetParent(pages);
    page->SetBorderWidth(5);
    page->SetHidePage(hidden);
    return page;
}

// The plain panel each page holds its list on.
fw::Panel* NewListPanel(fw::Component& owner, TILBrushPage* page, const char* name)
{
    auto* panel = new fw::Panel(&owner);
    panel->SetName(name);
    panel->SetParent(page);
    panel->SetAlign(fw::Align::Client);
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    return panel;
}

// The options of a list that only shows: no selection, no dragging, resizable columns, rows
// that open while something is dragged over them. Unlike the flat lists it draws no grid and
// keeps its tree lines: its rows nest (a record's lines under it, its SQL under a heading).
TILTreeDisplayOptions ShowOnlyOptions(bool buttons)
{
    TILTreeDisplayOptions options{Option::iltResizeCol, Option::iltNoSelect, Option::iltAutoExpand, Option::iltNoDrag};
    options.Set(Option::iltShowButtons, buttons);
    return options;
}

TILTreeColumnData* AddColumn(TILTree* list, const char* caption, int width)
{
    TILTreeColumnData* column = list->Columns().Add();
    column->SetCaption(caption);
    column->SetWidth(width);
    return column;
}

TILTree* WithRecordColumns(TILTree* list)
{
    AddColumn(list, "Message", 315);
    AddColumn(list, "Code", 75)->SetJustifyOverride(iltJustifyCentre);
    AddColumn(list, "Source Object", 150);
    AddColumn(list, "Source Method", 150);
    return list;
}

TILTree* WithSystemColumns(TILTree* list)
{
    AddColumn(list, "System Property", 200)->SetAutoSort(iltSortAlphaAscendI);
    AddColumn(list, "Value", 490);
    return list;
}

TILTree* WithParameterColumns(TILTree* list)
{
    AddColumn(list, "Index", 50)->SetAutoSort(iltSortIntAscend);
    AddColumn(list, "Parameter", 640);
    return list;
}

TfrmTViewXMLFrame* NewXMLFrame(fw::Component& owner, fw::Panel* panel)
{
    auto* frame = new TfrmTViewXMLFrame(&owner);
    frame->SetName("frameXML");
    // The frame is complete once made; its own parts are loaded here, as the window's
    // loading reaches only the frame itself.
    frame->FinishLoading();
    frame->SetParent(panel);
    frame->SetAlign(fw::Align::Client);
    frame->lstXML->GetColumn(0)->SetWidth(680);
    return frame;
}

fw::SaveDialog* NewSaveDialog(fw::Component& owner)
{
    auto* dialog = new fw::SaveDialog(&owner);
    dialog->SetName("dlgSave");
    dialog->SetDefaultExt("txt");
    dialog->SetFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    dialog->SetOptions(fw::FileDialogOptions{fw::FileDialogOption::HideReadOnly, fw::FileDialogOption::PathMustExist,
                                             fw::FileDialogOption::EnableSizing});
    return dialog;
}

// The text before the first equals sign; empty for a line without one.
std::string_view NameOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
}

// The value of the first line with that name (names compare without regard to case), as a
// list of names and values answers it; empty when no line has the name.
std::string ValueOf(const fw::StringList& lines, std::string_view name)
{
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && fw::SameText(std::string_view(line).substr(0, equals), name)) {
            return line.substr(equals + 1);
        }
    }
    return {};
}

// The rows of a list as the tree-grid gives them as text: the shown rows from the first,
// without headings and hidden columns, each ended by CR LF.
std::string RowsText(const TILTree& list)
{
    std::string text;
    for (const std::string& line : list.ClipboardLines(true, false, false)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A new last row under the parent with the texts in its first cells.
TILTreeNode* AddRow(TILTreeNode* parent, std::initializer_list<std::string_view> cells)
{
    auto* row = new TILTreeNode(parent);
    int column = 0;
    for (std::string_view cell : cells) {
        row->SetCellText(column++, std::string(cell));
    }
    return row;
}

} // namespace

const TSystemDetailsProvider& SystemDetailsProvider()
{
    return CurrentSystemDetailsProvider();
}

void SetSystemDetailsProvider(TSystemDetailsProvider provider)
{
    CurrentSystemDetailsProvider() = std::move(provider);
}

TfrmTExceptionDetails::TfrmTExceptionDetails(fw::Component* owner)
    : fw::Form(owner),
      pnlDetails(NewAlignedBrushPanel(*this, this, "pnlDetails", fw::Align::Client)),
      pcMain(NewPageControl(*this, pnlDetails)),
      pgException(NewPage(*this, pcMain, "pgException", "Error Details", false)),
      pnlException(NewListPanel(*this, pgException, "pnlException")),
      lstTree(WithRecordColumns(NewFormList(*this, pnlException, "lstTree", ShowOnlyOptions(true)))),
      pgSysDetails(NewPage(*this, pcMain, "pgSysDetails", "System", true)),
      pnlSysDetails(NewListPanel(*this, pgSysDetails, "pnlSysDetails")),
      lstSysDetails(WithSystemColumns(NewFormList(*this, pnlSysDetails, "lstSysDetails", ShowOnlyOptions(false)))),
      pgXML(NewPage(*this, pcMain, "pgXML", "XML", true)),
      pnlXML(NewListPanel(*this, pgXML, "pnlXML")),
      frameXML(NewXMLFrame(*this, pnlXML)),
      pgParameters(NewPage(*this, pcMain, "pgParameters", "Parameters", false)),
      pnlParameters(NewListPanel(*this, pgParameters, "pnlParameters")),
      lstParameters(WithParameterColumns(NewFormList(*this, pnlParameters, "lstParameters", ShowOnlyOptions(false)))),
      pnlButtons(NewAlignedBrushPanel(*this, this, "pnlButtons", fw::Align::Bottom)),
      btnOK(NewFormButton(*this, pnlButtons, "btnOK", "OK", 0, ButtonTop)),
      btnSave(NewFormButton(*this, pnlButtons, "btnSave", "Save to File", ButtonSpacing, ButtonTop, 100)),
      btnCopy(
          NewFormButton(*this, pnlButtons, "btnCopy", "Copy to Clipboard", 2 * ButtonSpacing + 100, ButtonTop, 110)),
      dlgSave(NewSaveDialog(*this))
{
    SetCaption("Exception Details");
    SetBounds(0, 0, FormWidth, FormHeight);
    SetConstraints(fw::SizeConstraints{.MinWidth = 400});
    SetPosition(fw::FormPosition::ScreenCenter);

    pnlDetails->SetBorderWidth(5);
    pcMain->SetActivePage(pgException);

    pnlButtons->SetHeight(ButtonPanelHeight);
    // At the right edge of the panel as it is now; the anchor keeps it there as the panel
    // takes the window's width.
    btnOK->SetLeft(pnlButtons->ClientWidth() - ButtonSpacing - btnOK->Width());
    btnOK->SetAnchors(fw::Anchors{fw::AnchorKind::Top, fw::AnchorKind::Right});
    btnOK->SetModalResult(fw::mrOk);
    btnOK->SetDefault(true);
    btnSave->SetOnClick([this](fw::Object* sender) { btnSaveClick(sender); });
    btnCopy->SetOnClick([this](fw::Object* sender) { btnCopyClick(sender); });

    const auto boldOverride = [this](TILTree* sender, TILTreeColumnData* column, TILTreeNode* node, fw::Font& font) {
        lstTreeOverrideFont(sender, column, node, font);
    };
    lstTree->SetOnOverrideFont(boldOverride);
    lstParameters->SetOnOverrideFont(boldOverride);
}

TfrmTExceptionDetails::~TfrmTExceptionDetails() = default;

void TfrmTExceptionDetails::DoCreate()
{
    FormCreate();
    fw::Form::DoCreate();
}

void TfrmTExceptionDetails::FormCreate()
{
    SetCaption(fw::App().Title() + " - Exception Details");
    if (const TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        ApplyToControls(*style, {pnlDetails, pnlButtons, pgException, pgSysDetails, pgXML, pgParameters});
    }
}

fw::ModalResult TfrmTExceptionDetails::Execute(const TGenericException& error)
{
    error_ = &error;
    FillDetails();
    pcMain->SetActivePage(pgException);
    return ShowModal();
}

void TfrmTExceptionDetails::FillDetails()
{
    FillRecords();
    FillSystemDetails();
    FillXML();
    FillParameters();
}

void TfrmTExceptionDetails::FillRecords()
{
    TILTreeUpdateBracket bracket(lstTree);
    lstTree->Clear();
    if (error_ == nullptr) {
        return;
    }
    for (int i = 0; i < error_->InfoCount(); ++i) {
        AddInfoNode(new TILTreeNode(lstTree->Root()), i, *error_->GetInfo(i));
    }
}

void TfrmTExceptionDetails::AddInfoNode(TILTreeNode* node, int index, const TGenericExceptionInfo& info)
{
    fw::StringList lines;
    lines.SetText(info.Message);
    node->SetCellText(0, lines.Empty() ? std::string() : lines.Strings(0));
    node->SetCellText(1, fw::IntToStr(info.Code));
    node->SetCellText(2, info.SenderName);
    node->SetCellText(3, info.MethodName);
    // The row leads back to its record.
    node->SetTag(index);
    for (int i = 1; i < lines.Count(); ++i) {
        AddRow(node, {lines.Strings(i)});
    }

    const std::string sql = info.SQLText();
    if (!sql.empty()) {
        TILTreeNode* heading = AddRow(node, {"SQL"});
        heading->SetDrawFlags(heading->DrawFlags() | iltDrawOverrideFont);
        fw::StringList statement;
        statement.SetText(sql);
        for (const std::string& line : statement) {
            AddRow(heading, {line});
        }
    }
    node->SetExpanded(node->GetCount() >= 2);
}

void TfrmTExceptionDetails::FillSystemDetails()
{
    const TSystemDetailsProvider& provider = SystemDetailsProvider();
    if (!provider) {
        return;
    }
    fw::StringList lines;
    provider(lines);
    if (lines.Empty()) {
        HidePage(pgSysDetails);
        return;
    }
    pgSysDetails->SetHidePage(false);
    {
        TILTreeUpdateBracket bracket(lstSysDetails);
        lstSysDetails->Clear();
        for (const std::string& line : lines) {
            const std::string_view name = NameOf(line);
            AddRow(lstSysDetails->Root(), {name, ValueOf(lines, name)});
        }
    }
    lstSysDetails->GetColumn(0)->SortNodes(false);
}

void TfrmTExceptionDetails::FillXML()
{
    HidePage(pgXML);
    if (error_ == nullptr) {
        return;
    }
    // The document and the element at fault are the error's own copies: the element
    // points into that very document, so its row is found in what is shown.
    const TILXMLTree* document = nullptr;
    const TILXMLNode* element = nullptr;
    if (const auto* xmlError = dynamic_cast<const TXMLException*>(error_)) {
        document = &xmlError->Document();
        element = xmlError->Element();
    } else {
        for (int i = 0; i < error_->InfoCount(); ++i) {
            if (const auto* info = dynamic_cast<const TXMLExceptionInfo*>(error_->GetInfo(i))) {
                document = &info->Document();
                element = info->Element();
                break;
            }
        }
    }
    if (document == nullptr) {
        return;
    }
    {
        TILTreeUpdateBracket bracket(frameXML->lstXML);
        frameXML->SetXML(document);
        if (TILTreeNode* row = frameXML->FindElementRow(element)) {
            for (TILTreeNode* above = row->Parent(); above != nullptr && !above->IsRoot(); above = above->Parent()) {
                above->SetExpanded(true);
            }
        }
    }
    pgXML->SetHidePage(false);
}

void TfrmTExceptionDetails::FillParameters()
{
    {
        TILTreeUpdateBracket bracket(lstParameters);
        lstParameters->Clear();
        const fw::Application& app = fw::App();
        for (int i = 0; i <= app.ParamCount(); ++i) {
            AddRow(lstParameters->Root(), {fw::IntToStr(i), app.ParamStr(i)});
        }
    }
    lstParameters->GetColumn(0)->SortNodes(false);
}

void TfrmTExceptionDetails::HidePage(TILBrushPage* page)
{
    if (pcMain->ActivePage() == page && page != pgException) {
        pcMain->SetActivePage(pgException);
    }
    page->SetHidePage(true);
}

std::string TfrmTExceptionDetails::DetailsText() const
{
    std::string text = RowsText(*lstTree);
    if (!pgSysDetails->HidePage()) {
        text += "\r\nSYSTEM DETAILS\r\n";
        text += RowsText(*lstSysDetails);
    }
    if (!pgParameters->HidePage()) {
        text += "\r\nPARAMETERS\r\n";
        text += RowsText(*lstParameters);
    }
    return text;
}

void TfrmTExceptionDetails::lstTreeOverrideFont(TILTree* /*sender*/, TILTreeColumnData* /*column*/,
                                                 TILTreeNode* /*node*/, fw::Font& font)
{
    font.Style.Bold = true;
}

void TfrmTExceptionDetails::btnSaveClick(fw::Object* /*sender*/)
{
    if (dlgSave->Execute()) {
        // Stored as the program stores its other text files.
        fw::WriteFileAtomically(dlgSave->FileName(), fw::Utf8ToWindows1252Referenced(DetailsText()));
    }
}

void TfrmTExceptionDetails::btnCopyClick(fw::Object* /*sender*/)
{
    fw::GetClipboard().SetAsText(DetailsText());
}
