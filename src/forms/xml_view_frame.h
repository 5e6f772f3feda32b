#pragma once

#include "framework/gui/form.h"

class TILTree;
class TILTreeNode;
class TILXMLNode;
class TILXMLTree;

// How an XML tree is turned into an outline of tree-grid rows; the options are bits.
// No row "</tag>" after an element with children.
inline constexpr int XMLOutlineNoClosingLines = 1;
// Text values decoded from their character references instead of shown as stored.
inline constexpr int XMLOutlineDecodeValues = 2;
// Rows not linked to their elements (the row's object stays none).
inline constexpr int XMLOutlineNoLinks = 4;
// An element without value and children shown as "<tag/>".
inline constexpr int XMLOutlineCloseEmpty = 8;

// Adds the element as a row under the parent, with its child elements as rows below it,
// and answers that row; none for no element. An element with children reads
// "<tag  name=\"value\">" (attributes as stored), one without as the element with its value
// and closing tag on one line: "<tag>value</tag>".
TILTreeNode* XMLNodeToTreeNode(TILTreeNode* parent, const TILXMLNode* node, int options);
// Every top-level element of the document in order; answers the row of the first, none
// when there is no document or it is empty.
TILTreeNode* XMLTreeToTreeNodes(TILTreeNode* parent, const TILXMLTree* tree, int options);

// A reusable frame that shows an XML tree as an indented outline: one row an element, each
// row linked to its element, so that a caller can find the row of an element and open the
// way to it.
class TfrmTViewXMLFrame : public fw::Frame {
public:
    explicit TfrmTViewXMLFrame(fw::Component* owner = nullptr);
    ~TfrmTViewXMLFrame() override;

    std::string_view className() const override { return "TfrmTViewXMLFrame"; }

    // One column "XML Structure" (ID "TAG"), lines and buttons, no selection, rows that open
    // while something is dragged over them, no dragging of its own. Fills the frame.
    TILTree* const lstXML;

    // The tree shown; not owned, so it must outlive what the frame shows of it.
    const TILXMLTree* XML() const { return xml_; }
    // Shows the tree (none: an empty list) without closing rows, every row linked to its
    // element.
    void SetXML(const TILXMLTree* tree);

    // The row of the element, searched depth first; none when the element is not shown.
    TILTreeNode* FindElementRow(const TILXMLNode* element) const;

private:
    const TILXMLTree* xml_ = nullptr;
};
