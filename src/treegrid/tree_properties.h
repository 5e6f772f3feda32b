#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/enhanced_list.h"
#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/object.h"
#include "treegrid/tree_grid.h"

class TILBrush;
class TILScrollBarProperties;
class TILTreeColumnList;
class TILTreeColumnDrawData;
class TILTreeColumnHeadingData;
class TILTreeHeadingRowCollection;

// --- The look of a tree, detached --------------------------------------------------------------

// A tree's appearance as one object that can be copied from one tree and given to others:
// columns, headings, draw data, options, colours and the scroll-bar looks.
class TILTreeProperties : public fw::Persistent {
public:
    // The owner (a tree or another control) owns the column list and the heading rows.
    explicit TILTreeProperties(fw::Component* owner = nullptr);
    ~TILTreeProperties() override;

    std::string_view className() const override { return "TILTreeProperties"; }

    fw::Component* Owner() const { return owner_; }

    TScrollStyle ScrollStyle() const { return scrollStyle_; }
    void SetScrollStyle(TScrollStyle value) { scrollStyle_ = value; }
    fw::ImageList* Icons() const { return icons_; }
    void SetIcons(fw::ImageList* value) { icons_ = value; }
    int IconMargin() const { return iconMargin_; }
    void SetIconMargin(int value) { iconMargin_ = value; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }
    fw::Color ColourLine() const { return colourLine_; }
    void SetColourLine(fw::Color value) { colourLine_ = value; }
    fw::Color ColourButton() const { return colourButton_; }
    void SetColourButton(fw::Color value) { colourButton_ = value; }
    int Indent() const { return indent_; }
    void SetIndent(int value) { indent_ = value; }
    TILTreeColumnHeadingData& Headings() const { return *headings_; }
    TILTreeHeadingRowCollection& HeadingRows() const { return *headingRows_; }
    TILTreeColumnDrawData& DefaultDrawNormal() const { return *defaultDrawNormal_; }
    TILTreeColumnDrawData& DefaultDrawSelect() const { return *defaultDrawSelect_; }
    TILTreeColumnDrawData& DrawEdit() const { return *drawEdit_; }
    TILTreeColumnList& Columns() const { return *columns_; }
    TILTreeDisplayOptions Options() const { return options_; }
    void SetOptions(TILTreeDisplayOptions value) { options_ = value; }
    int FixedColumns() const { return fixedColumns_; }
    void SetFixedColumns(int value) { fixedColumns_ = value; }
    int TreeColumn() const { return treeColumn_; }
    void SetTreeColumn(int value) { treeColumn_ = value; }
    std::uint16_t DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(std::uint16_t value) { defaultNodeHeight_ = value; }
    const fw::Pen& GridPen() const { return gridPen_; }
    void SetGridPen(const fw::Pen& value) { gridPen_ = value; }
    int DefaultColoursID() const { return defaultColoursID_; }
    void SetDefaultColoursID(int value) { defaultColoursID_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TILScrollBarProperties& Scrollbars() const { return *scrollbars_; }

    // From a tree: everything but the scroll-bar looks. From another bundle: everything.
    void Assign(const fw::Persistent* source) override;

protected:
    // To a tree, in a fixed order; the scroll-bar looks go to the horizontal bar, then the
    // vertical one.
    void AssignTo(fw::Persistent* destination) const override;

private:
    fw::Component* owner_;
    TScrollStyle scrollStyle_ = TScrollStyle::ssBoth;
    fw::ImageList* icons_ = nullptr;
    int iconMargin_ = 4;
    bool autoScroll_ = true;
    fw::Color colourLine_ = 0x808080;
    fw::Color colourButton_ = 0xFFFFFF;
    int indent_ = 16;
    std::unique_ptr<TILTreeColumnHeadingData> headings_;
    std::unique_ptr<TILTreeHeadingRowCollection> headingRows_;
    std::unique_ptr<TILTreeColumnDrawData> defaultDrawNormal_;
    std::unique_ptr<TILTreeColumnDrawData> defaultDrawSelect_;
    std::unique_ptr<TILTreeColumnDrawData> drawEdit_;
    std::unique_ptr<TILTreeColumnList> columns_;
    // Column resizing, no dragging, expand on drop: not the options of a new tree.
    TILTreeDisplayOptions options_ = TILTreeDisplayOptions::FromBits(0x1420);
    int fixedColumns_ = 0;
    int treeColumn_ = 0;
    std::uint16_t defaultNodeHeight_ = 16;
    fw::Pen gridPen_{0x808080, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    int defaultColoursID_ = 0;
    bool showHint_ = false;
    std::unique_ptr<TILScrollBarProperties> scrollbars_;
};

// --- The shared default style's colours for trees ------------------------------------------

// The colours of one kind of cell that the shared default style applies; each part counts
// only when it was set.
class TILFormsDefaultTreeDrawColours : public fw::Persistent {
public:
    TILFormsDefaultTreeDrawColours();
    ~TILFormsDefaultTreeDrawColours() override;

    std::string_view className() const override { return "TILFormsDefaultTreeDrawColours"; }
    fw::Object* NewInstance() const override { return new TILFormsDefaultTreeDrawColours; }

    // Set when a brush is assigned or the brush changes; none clears it.
    TILBrush* FillBrush() const { return fillBrush_.get(); }
    void SetFillBrush(const TILBrush* brush);
    bool FillBrushSet() const { return fillBrushSet_; }

    // Set when not clNone.
    fw::Color FontColour() const { return fontColour_; }
    void SetFontColour(fw::Color colour);
    bool FontColourSet() const { return fontColour_ != fw::clNone; }
    // Set when not empty.
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& name) { fontName_ = name; }
    bool FontNameSet() const { return !fontName_.empty(); }
    // In points; set when above 0.
    int FontSize() const { return fontSize_; }
    void SetFontSize(int size) { fontSize_ = size; }
    bool FontSizeSet() const { return fontSize_ > 0; }
    // Set when not empty.
    const fw::FontStyles& FontStyle() const { return fontStyle_; }
    void SetFontStyle(const fw::FontStyles& style) { fontStyle_ = style; }
    bool FontStyleSet() const { return fontStyle_ != fw::FontStyles{}; }

    // Copies each part that is set in the source and clears the others.
    void Assign(const fw::Persistent* source) override;
    // The parts that are set, onto a cell's draw data (font colour, name, size, style, then
    // the background brush).
    void ApplyTo(TILTreeColumnDrawData& drawData) const;

private:
    void BrushChanged();

    std::unique_ptr<TILBrush> fillBrush_;
    bool fillBrushSet_ = false;
    bool settingBrush_ = false;
    fw::Color fontColour_ = fw::clNone;
    std::string fontName_;
    int fontSize_ = 0;
    fw::FontStyles fontStyle_;
};

// The partial colour set that the shared default form style applies to every tree of a
// form: only the parts marked as set are applied.
class TILFormsDefaultTreeColours : public fw::Persistent {
public:
    TILFormsDefaultTreeColours();
    ~TILFormsDefaultTreeColours() override;

    std::string_view className() const override { return "TILFormsDefaultTreeColours"; }
    fw::Object* NewInstance() const override { return new TILFormsDefaultTreeColours; }

    // Set when not clNone.
    fw::Color ColourButton() const { return colourButton_; }
    void SetColourButton(fw::Color colour) { colourButton_ = colour; }
    bool ColourButtonSet() const { return colourButton_ != fw::clNone; }
    fw::Color ColourLine() const { return colourLine_; }
    void SetColourLine(fw::Color colour) { colourLine_ = colour; }
    bool ColourLineSet() const { return colourLine_ != fw::clNone; }
    // Set when the pen changes after creation.
    const fw::Pen& GridPen() const { return gridPen_; }
    void SetGridPen(const fw::Pen& pen);
    bool GridPenSet() const { return gridPenSet_; }

    TILFormsDefaultTreeDrawColours& DrawNormal() const { return *drawNormal_; }
    TILFormsDefaultTreeDrawColours& DrawSelect() const { return *drawSelect_; }
    TILFormsDefaultTreeDrawColours& DrawEdit() const { return *drawEdit_; }
    TILFormsDefaultTreeDrawColours& DrawHeading() const { return *drawHeading_; }
    TILScrollBarProperties& Scrollbars() const { return *scrollbars_; }

    // Applied when above 0.
    int DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(int height) { defaultNodeHeight_ = height; }

    // Line and button colours, grid pen, the four draw sets and the scroll-bar looks.
    void Assign(const fw::Persistent* source) override;

protected:
    // To a tree: the parts that are set.
    void AssignTo(fw::Persistent* destination) const override;

private:
    fw::Color colourButton_ = 0xFFFFFF;
    fw::Color colourLine_ = 0x008000;
    fw::Pen gridPen_{0x008000, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    bool gridPenSet_ = false;
    std::unique_ptr<TILFormsDefaultTreeDrawColours> drawNormal_;
    std::unique_ptr<TILFormsDefaultTreeDrawColours> drawSelect_;
    std::unique_ptr<TILFormsDefaultTreeDrawColours> drawEdit_;
    std::unique_ptr<TILFormsDefaultTreeDrawColours> drawHeading_;
    std::unique_ptr<TILScrollBarProperties> scrollbars_;
    int defaultNodeHeight_ = 0;
};

// --- Numbered colour schemes -----------------------------------------------------------------

// A colour scheme a tree can name through DefaultColoursID: an ID and the colours it
// applies to the tree.
class TILTreeDefaultColourScheme : public fw::Persistent {
public:
    explicit TILTreeDefaultColourScheme(int id = 0);
    ~TILTreeDefaultColourScheme() override;

    std::string_view className() const override { return "TILTreeDefaultColourScheme"; }

    int ID() const { return id_; }
    TILFormsDefaultTreeColours& Colours() const { return *colours_; }

    // Gives the tree the scheme's colours.
    virtual void ApplyTo(TILTree& tree) const;

private:
    int id_;
    std::unique_ptr<TILFormsDefaultTreeColours> colours_;
};

// The numbered colour schemes; IDs are unique.
class TILTreeDefaultColourList : public TEnhancedList {
public:
    TILTreeDefaultColourList() = default;

    std::string_view className() const override { return "TILTreeDefaultColourList"; }

    // Refuses a scheme whose ID is already listed with a TGenericException.
    int Add(fw::Object* scheme) override;
    TILTreeDefaultColourScheme* FindByID(int id) const;
    TILTreeDefaultColourScheme* GetItem(int index) const;
};

// --- The module's shared state ------------------------------------------------------------------

// Calls nest: the first start creates the shared images, the colour-scheme list and the
// default scheme ID (-1); the balancing shut-down frees them.
void InitTreeGridLibrary();
void ShutdownTreeGridLibrary();
bool TreeGridLibraryRunning();

// The global colour-scheme list (none while the module is not running) and default ID.
TILTreeDefaultColourList* TreeDefaultColourList();
int TreeDefaultColoursID();
void SetTreeDefaultColoursID(int id);

// The shared pictures by name ("ILTREE_ILLOGO", "ILTREE_BTNICON_PLUS", "ILTREE_BTNICON_MINUS",
// "ILTREE_BTNICON_WAIT", "ILTREE_SORTICON_ASCEND", "ILTREE_SORTICON_DESCEND"); none when
// absent. While the module is not running the program's named images answer.
const fw::Bitmap* TreeSharedImage(std::string_view name);
// Replaces (or, with none, removes) a shared picture while the module runs; for tests of
// the fall-backs.
void SetTreeSharedImage(std::string_view name, const fw::Bitmap* picture);
