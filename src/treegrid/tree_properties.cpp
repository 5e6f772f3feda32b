// The detachable look of a tree: copied from a tree, given to other trees.

#include "treegrid/tree_properties.h"

#include "controls/scroll_bar.h"
#include "controls/scroll_bar_properties.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"

// The parts are kept apart from the owner's own columns and headings: a change inside the
// bundle must not reach the tree it was copied from.
TILTreeProperties::TILTreeProperties(fw::Component* owner)
    : owner_(owner),
      headings_(std::make_unique<TILTreeColumnHeadingData>(nullptr)),
      headingRows_(std::make_unique<TILTreeHeadingRowCollection>(headings_.get())),
      defaultDrawNormal_(std::make_unique<TILTreeColumnDrawData>()),
      defaultDrawSelect_(std::make_unique<TILTreeColumnDrawData>()),
      drawEdit_(std::make_unique<TILTreeColumnDrawData>()),
      columns_(std::make_unique<TILTreeColumnList>(nullptr)),
      scrollbars_(std::make_unique<TILScrollBarProperties>())
{
}

TILTreeProperties::~TILTreeProperties() = default;

void TILTreeProperties::Assign(const fw::Persistent* source)
{
    if (const auto* tree = dynamic_cast<const TILTree*>(source)) {
        scrollStyle_ = tree->ScrollStyle();
        icons_ = tree->Icons();
        iconMargin_ = tree->IconMargin();
        autoScroll_ = tree->AutoScroll();
        colourLine_ = tree->ColourLine();
        colourButton_ = tree->ColourButton();
        indent_ = tree->Indent();
        headings_->Assign(&tree->Headings());
        headingRows_->Assign(&tree->HeadingRows());
        defaultDrawNormal_->Assign(&tree->DefaultDrawNormal());
        defaultDrawSelect_->Assign(&tree->DefaultDrawSelect());
        drawEdit_->Assign(&tree->DrawEdit());
        columns_->Assign(&tree->Columns());
        options_ = tree->Options();
        fixedColumns_ = tree->FixedColumns();
        treeColumn_ = tree->TreeColumn();
        defaultNodeHeight_ = tree->DefaultNodeHeight();
        gridPen_ = tree->GridPen();
        defaultColoursID_ = tree->DefaultColoursID();
        showHint_ = tree->ShowHint();
        return;
    }
    if (const auto* other = dynamic_cast<const TILTreeProperties*>(source)) {
        scrollStyle_ = other->scrollStyle_;
        icons_ = other->icons_;
        iconMargin_ = other->iconMargin_;
        autoScroll_ = other->autoScroll_;
        colourLine_ = other->colourLine_;
        colourButton_ = other->colourButton_;
        indent_ = other->indent_;
        headings_->Assign(other->headings_.get());
        headingRows_->Assign(other->headingRows_.get());
        defaultDrawNormal_->Assign(other->defaultDrawNormal_.get());
        defaultDrawSelect_->Assign(other->defaultDrawSelect_.get());
        drawEdit_->Assign(other->drawEdit_.get());
        columns_->Assign(other->columns_.get());
        options_ = other->options_;
        fixedColumns_ = other->fixedColumns_;
        treeColumn_ = other->treeColumn_;
        defaultNodeHeight_ = other->defaultNodeHeight_;
        gridPen_ = other->gridPen_;
        defaultColoursID_ = other->defaultColoursID_;
        showHint_ = other->showHint_;
        scrollbars_->Assign(other->scrollbars_.get());
        return;
    }
    fw::Persistent::Assign(source);
}

void TILTreeProperties::AssignTo(fw::Persistent* destination) const
{
    auto* tree = dynamic_cast<TILTree*>(destination);
    if (tree == nullptr) {
        fw::Persistent::AssignTo(destination);
        return;
    }
    tree->SetColumns(columns_.get());
    tree->SetScrollStyle(scrollStyle_);
    tree->SetAutoScroll(autoScroll_);
    tree->SetFixedColumns(fixedColumns_);
    tree->SetTreeColumn(treeColumn_);
    tree->SetIndent(indent_);
    tree->SetIcons(icons_);
    tree->SetIconMargin(iconMargin_);
    tree->SetHeadings(headings_.get());
    tree->SetHeadingRows(headingRows_.get());
    tree->SetDefaultDrawNormal(defaultDrawNormal_.get());
    tree->SetDefaultDrawSelect(defaultDrawSelect_.get());
    tree->SetDrawEdit(drawEdit_.get());
    tree->SetDefaultNodeHeight(defaultNodeHeight_);
    tree->SetColourLine(colourLine_);
    tree->SetColourButton(colourButton_);
    tree->SetOptions(options_);
    tree->SetGridPen(gridPen_);
    tree->SetDefaultColoursID(defaultColoursID_);
    tree->SetShowHint(showHint_);
    tree->HorzScrollBar()->Assign(scrollbars_.get());
    tree->VertScrollBar()->Assign(scrollbars_.get());
    tree->UpdateScrollBars();
}
