#include "forms/xml_view_frame.h"

#include <string>

#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

using Option = TILTreeDisplayOption;

TILTree* NewOutlineList(TfrmTViewXMLFrame& frame)
{
    auto* list = new TILTree(&frame);
    list->SetName("lstXML");
    list->SetParent(&frame);
    list->SetAlign(fw::Align::Client);
    list->SetOptions(TILTreeDisplayOptions{Option::iltShowLines, Option::iltShowButtons, Option::iltNoSelect,
                                           Option::iltAutoExpand, Option::iltNoDrag});
    TILTreeColumnData* column = list->Columns().Add();
    column->SetCaption("XML Structure");
    column->SetWidth(400);
    column->SetID("TAG");
    return list;
}

} // namespace

TILTreeNode* XMLNodeToTreeNode(TILTreeNode* parent, const TILXMLNode* node, int options)
{
    if (node == nullptr) {
        return nullptr;
    }
    auto* row = new TILTreeNode(parent);
    std::string text = "<" + std::string(node->Tag());
    if (node->AttributeCount() > 0) {
        // The attributes text starts every attribute with its own blank, so two blanks
        // stand before the first one.
        text += ' ';
        node->AppendAttributesText(text);
    }
    const bool empty = !node->HasValue() && node->ChildCount() == 0;
    if (empty && (options & XMLOutlineCloseEmpty) != 0) {
        text += '/';
    }
    text += '>';
    row->SetText(text);
    if ((options & XMLOutlineNoLinks) == 0) {
        // The link only identifies the element; the outline never changes the document.
        row->SetObject(const_cast<TILXMLNode*>(node));
    }

    if (node->ChildCount() > 0) {
        for (int i = 0; i < node->ChildCount(); ++i) {
            XMLNodeToTreeNode(row, node->GetChild(i), options);
        }
        if ((options & XMLOutlineNoClosingLines) == 0) {
            auto* closing = new TILTreeNode(parent);
            closing->SetText("</" + std::string(node->Tag()) + ">");
        }
        return row;
    }

    const std::string value =
        (options & XMLOutlineDecodeValues) != 0 ? DecodeXMLText(node->Value()) : std::string(node->Value());
    if (value.empty() && (options & XMLOutlineCloseEmpty) != 0) {
        return row;
    }
    row->SetText(text + value + "</" + std::string(node->Tag()) + ">");
    return row;
}

TILTreeNode* XMLTreeToTreeNodes(TILTreeNode* parent, const TILXMLTree* tree, int options)
{
    if (tree == nullptr) {
        return nullptr;
    }
    TILTreeNode* first = nullptr;
    for (int i = 0; i < tree->TopNodeCount(); ++i) {
        TILTreeNode* row = XMLNodeToTreeNode(parent, tree->GetTopNode(i), options);
        if (first == nullptr) {
            first = row;
        }
    }
    return first;
}

TfrmTViewXMLFrame::TfrmTViewXMLFrame(fw::Component* owner) : fw::Frame(owner), lstXML(NewOutlineList(*this))
{
    SetBounds(0, 0, 420, 240);
}

TfrmTViewXMLFrame::~TfrmTViewXMLFrame() = default;

void TfrmTViewXMLFrame::SetXML(const TILXMLTree* tree)
{
    xml_ = tree;
    TILTreeUpdateBracket bracket(lstXML);
    lstXML->Clear();
    XMLTreeToTreeNodes(lstXML->Root(), tree, XMLOutlineNoClosingLines);
}

TILTreeNode* TfrmTViewXMLFrame::FindElementRow(const TILXMLNode* element) const
{
    if (element == nullptr) {
        // The root and every unlinked row carry no object: none is no element's row.
        return nullptr;
    }
    TILTreeNode* row = lstXML->Root()->FindByObject(element);
    return row != lstXML->Root() ? row : nullptr;
}
