#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/brush_bevel.h"
#include "foundation/hierarchy_node.h"
#include "framework/core/canvas.h"
#include "framework/gui/control.h"

class TVisualHierarchyNode;
class TVisualHierarchyRoot;

// --- How boxes and links look ---------------------------------------------------------------

// The look of a node's box and of the links from it: the bevelled fill of a box at rest and
// while selected, the caption's font and the links' colour and width. Every measure is given
// at scale 1 and scaled when it is drawn.
class TVisualHierarchyDrawSettings : public fw::Persistent {
public:
    TVisualHierarchyDrawSettings();

    std::string_view className() const override { return "TVisualHierarchyDrawSettings"; }
    fw::Object* NewInstance() const override { return new TVisualHierarchyDrawSettings; }

    // A window-coloured fill in a raised and a lowered ring at rest; the highlight colour in
    // the rings the other way round while selected.
    TILBrushBevel& Normal() { return normal_; }
    const TILBrushBevel& Normal() const { return normal_; }
    TILBrushBevel& Selected() { return selected_; }
    const TILBrushBevel& Selected() const { return selected_; }
    // Each ring's width at scale 1 (1), and the limits of its scaled width: at least
    // MinBevelWidth (1) and, when MaxBevelWidth is 1 or more, at most that (0: no limit).
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width) { bevelWidth_ = width; }
    int MinBevelWidth() const { return minBevelWidth_; }
    void SetMinBevelWidth(int width) { minBevelWidth_ = width; }
    int MaxBevelWidth() const { return maxBevelWidth_; }
    void SetMaxBevelWidth(int width) { maxBevelWidth_ = width; }
    // The caption's font at scale 1.
    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font) { font_ = font; }
    fw::Color LinkColour() const { return linkColour_; }
    void SetLinkColour(fw::Color colour) { linkColour_ = colour; }
    int LinkWidth() const { return linkWidth_; }
    void SetLinkWidth(int width) { linkWidth_ = width; }

    // The measures at a scale: the bevel width rounded, then kept within its limits; the font
    // size and the link width rounded, at least 1.
    int ScaledBevelWidth(double scale) const;
    int ScaledFontSize(double scale) const;
    int ScaledLinkWidth(double scale) const;

    void Assign(const fw::Persistent* source) override;

private:
    TILBrushBevel normal_;
    TILBrushBevel selected_;
    int bevelWidth_ = 1;
    int minBevelWidth_ = 1;
    int maxBevelWidth_ = 0;
    fw::Font font_;
    fw::Color linkColour_ = fw::clBlack;
    int linkWidth_ = 1;
};

// --- Where the positions are kept ------------------------------------------------------------

// A store of texts by section and key that node and label positions are saved into (an
// initialisation file, say); the caller provides it.
class TVisualHierarchyStore {
public:
    TVisualHierarchyStore() = default;
    virtual ~TVisualHierarchyStore() = default;
    TVisualHierarchyStore(const TVisualHierarchyStore&) = delete;
    TVisualHierarchyStore& operator=(const TVisualHierarchyStore&) = delete;

    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// "x y" in decimal; and back: split at the first blank, both parts as integers (a part that
// is not one keeps its value). Answers whether the text held both parts.
std::string PositionText(int x, int y);
bool ReadPositionText(std::string_view text, int& x, int& y);

// --- Links --------------------------------------------------------------------------------------

// The line from a parent's box to one child's box, with an optional label part of the way
// down. A node owns one link per child.
class TVisualHierarchyLink {
public:
    TVisualHierarchyLink(TVisualHierarchyNode& parent, TVisualHierarchyNode& child);
    virtual ~TVisualHierarchyLink() = default;
    TVisualHierarchyLink(const TVisualHierarchyLink&) = delete;
    TVisualHierarchyLink& operator=(const TVisualHierarchyLink&) = delete;

    TVisualHierarchyNode& Parent() const { return parent_; }
    TVisualHierarchyNode& Child() const { return child_; }
    // The label; none drawn when empty.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // Where the label's top-left corner is (the last layout or a restored position).
    int LabelLeft() const { return labelLeft_; }
    int LabelTop() const { return labelTop_; }
    void SetLabelPosition(int left, int top);

    // The key the label's position is kept under: the parent's key, " > " and the child's.
    virtual std::string GetKey() const;
    virtual void SaveLabelPosition(TVisualHierarchyStore& store, const std::string& section) const;
    // An empty text leaves the label where it is.
    virtual void RestoreLabelPosition(TVisualHierarchyStore& store, const std::string& section);

    // Places the label three quarters of the vertical space below the parent's bottom, on the
    // line at that height, centred on its size, and never below the child's top. The font's
    // scaled size gives the label's size.
    void Recompute();
    // The line and the label, as the draw settings (of the parent) say; the label only at 4
    // points or more.
    void Draw(fw::Canvas& canvas) const;

    // The two ends of the line: the middle of the parent's bottom edge and of the child's top.
    fw::Point StartPoint() const;
    fw::Point EndPoint() const;
    // Whether the last Draw drew the label.
    bool LabelDrawn() const { return labelDrawn_; }

private:
    fw::Size LabelSize(const fw::Canvas* canvas) const;

    TVisualHierarchyNode& parent_;
    TVisualHierarchyNode& child_;
    std::string text_;
    int labelLeft_ = -1;
    int labelTop_ = -1;
    mutable bool labelDrawn_ = false;
};

// --- Nodes --------------------------------------------------------------------------------------

// A box with a caption in the diagram. Its geometry is kept as set (at scale 1) and as
// scaled; a node without a size of its own takes the diagram's default size.
class TVisualHierarchyNode : public THierarchyNode {
public:
    TVisualHierarchyNode() = default;
    explicit TVisualHierarchyNode(std::string caption) : caption_(std::move(caption)) {}
    ~TVisualHierarchyNode() override;

    std::string_view className() const override { return "TVisualHierarchyNode"; }
    fw::Object* NewInstance() const override { return new TVisualHierarchyNode; }
    // From another node: caption, text, own size, visibility and own draw settings too.
    void Assign(const fw::Persistent* source) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    // What the box shows; the caption while it is empty.
    const std::string& Text() const { return text_.empty() ? caption_ : text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    bool OwnVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // Shown: its own flag, and a top node or one with a visible parent.
    bool IsVisible() const;
    bool Selected() const { return selected_; }
    void SetSelected(bool selected) { selected_ = selected; }

    // The node's own draw settings, none until made; without them the diagram's are used.
    TVisualHierarchyDrawSettings* OwnDrawSettings() const { return drawSettings_.get(); }
    TVisualHierarchyDrawSettings& MakeOwnDrawSettings();
    const TVisualHierarchyDrawSettings& DrawSettings() const;

    // The geometry as set (at scale 1); a width or height of 0 takes the default.
    int GivenLeft() const { return setLeft_; }
    int GivenTop() const { return setTop_; }
    int GivenWidth() const { return setWidth_; }
    int GivenHeight() const { return setHeight_; }
    // Set values, and the scaled ones follow.
    void SetPosition(int left, int top);
    void SetSize(int width, int height);
    // The scaled geometry; -1, -1 while unplaced. A place may lie left of or above the
    // diagram's edge (given by the owner, or on the way through a layout): whether the node
    // has one is kept apart from where it is.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Right() const { return left_ + width_; }
    int Bottom() const { return top_ + height_; }
    bool Placed() const { return hasLeft_ && hasTop_; }
    // Scaled values; the set ones become value / scale, rounded.
    void SetScaledLeft(int left);
    void SetScaledTop(int top);
    void SetScaledSize(int width, int height);
    // Scales this node and, through each child's first parent, the nodes below it. A scale
    // that is not a positive number counts as 1.
    void SetScale(double scale);
    double Scale() const { return scale_; }
    // Unplaced: -1, -1.
    void ResetPosition();

    // One link per child, in child order.
    const std::vector<std::unique_ptr<TVisualHierarchyLink>>& Links() const { return links_; }
    TVisualHierarchyLink* LinkTo(const TVisualHierarchyNode* child) const;
    // A visual child among the node's children; none.
    TVisualHierarchyNode* VisualChild(int index) const;
    TVisualHierarchyNode* VisualParent(int index) const;

    // Drawn by the owner instead of box and caption, when assigned.
    using DrawEvent = std::function<void(TVisualHierarchyNode& node, fw::Canvas& canvas)>;
    const DrawEvent& OnDraw() const { return onDraw_; }
    void SetOnDraw(DrawEvent handler) { onDraw_ = std::move(handler); }

    // The box and its caption (or the draw event).
    void DrawNode(fw::Canvas& canvas) const;
    // This node, then each child reached through its first parent.
    void DrawSubtree(fw::Canvas& canvas) const;
    void DrawBox(fw::Canvas& canvas) const;
    void DrawCaption(fw::Canvas& canvas) const;

    // --- Positions kept in a store ----------------------------------------------------------
    // "left top" of the set position.
    virtual void SetPositionText(std::string_view text);
    virtual std::string GetPositionText() const;
    // The caption.
    virtual std::string GetKey() const;
    // Reads the position under (section, key); an empty text leaves it. Then each link's label,
    // then (recursive) each child the same way.
    virtual void RestorePositions(TVisualHierarchyStore& store, const std::string& section, bool recursive);
    // Writes the position, then each link's label position, then (recursive) each child's.
    virtual void SavePositions(TVisualHierarchyStore& store, const std::string& section, bool recursive) const;

    // Link upkeep: adding a child makes its link (the diagram hears of it), removing one frees
    // it.
    void AddChild(THierarchyNode* node) override;
    void RemoveChild(THierarchyNode* node) override;

    // The diagram the node belongs to, none.
    TVisualHierarchyRoot* VisualRoot() const;

private:
    friend class TVisualHierarchyRoot;

    void ApplyScaledGeometry();

    std::string caption_;
    std::string text_;
    bool visible_ = true;
    bool selected_ = false;
    std::unique_ptr<TVisualHierarchyDrawSettings> drawSettings_;
    std::vector<std::unique_ptr<TVisualHierarchyLink>> links_;
    int setLeft_ = 0;
    int setTop_ = 0;
    int setWidth_ = 0;
    int setHeight_ = 0;
    int left_ = -1;
    int top_ = -1;
    bool hasLeft_ = false;
    bool hasTop_ = false;
    int width_ = 0;
    int height_ = 0;
    double scale_ = 1.0;
    DrawEvent onDraw_;
};

// --- The diagram ----------------------------------------------------------------------------------

enum class TVisualHierarchyDrawLinks : std::uint8_t { hdlLinksFirst, hdlLinksLast, hdlNoLinks };
enum class TVisualHierarchyNodeCentre : std::uint8_t { tvhCentreOnParents, tvhCentreOnChildren };

// The root of a diagram: its spacing, borders, scale and default box size, and the layout of
// its nodes level by level. Every spacing and border is kept as set and scaled (set x Scale,
// rounded); any change brings the extent up to date and tells the owner (OnChange).
class TVisualHierarchyRoot : public THierarchyRoot {
public:
    TVisualHierarchyRoot();
    ~TVisualHierarchyRoot() override;

    std::string_view className() const override { return "TVisualHierarchyRoot"; }
    fw::Object* NewInstance() const override { return new TVisualHierarchyRoot; }

    int HorzSpace() const { return horzSpace_; }
    void SetHorzSpace(int value);
    int VertSpace() const { return vertSpace_; }
    void SetVertSpace(int value);
    int LeftBorder() const { return leftBorder_; }
    void SetLeftBorder(int value);
    int TopBorder() const { return topBorder_; }
    void SetTopBorder(int value);
    int RightBorder() const { return rightBorder_; }
    void SetRightBorder(int value);
    int BottomBorder() const { return bottomBorder_; }
    void SetBottomBorder(int value);
    int DefaultNodeWidth() const { return defaultNodeWidth_; }
    void SetDefaultNodeWidth(int value);
    int DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(int value);
    // The same values scaled.
    int ScaledHorzSpace() const { return Scaled(horzSpace_); }
    int ScaledVertSpace() const { return Scaled(vertSpace_); }
    int ScaledLeftBorder() const { return Scaled(leftBorder_); }
    int ScaledTopBorder() const { return Scaled(topBorder_); }
    int ScaledRightBorder() const { return Scaled(rightBorder_); }
    int ScaledBottomBorder() const { return Scaled(bottomBorder_); }

    TVisualHierarchyDrawLinks DrawLinks() const { return drawLinks_; }
    void SetDrawLinks(TVisualHierarchyDrawLinks value) { drawLinks_ = value; }
    TVisualHierarchyNodeCentre NodeCentre() const { return nodeCentre_; }
    void SetNodeCentre(TVisualHierarchyNodeCentre value) { nodeCentre_ = value; }

    // 1.0 on creation; setting it rescales every value and every node. A scale that is not a
    // positive number counts as 1.
    double Scale() const { return scale_; }
    void SetScale(double scale);
    // A value at the diagram's scale: value x Scale, rounded to the nearest integer.
    int Scaled(int value) const;

    // The extent of the laid-out diagram.
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The draw settings of nodes that have none of their own: what OnGetDrawSettings gives,
    // else the diagram's default settings.
    TVisualHierarchyDrawSettings& DefaultDrawSettings() { return defaultSettings_; }
    const TVisualHierarchyDrawSettings& DrawSettingsFor(const TVisualHierarchyNode& node) const;
    using GetDrawSettingsEvent = std::function<const TVisualHierarchyDrawSettings*(const TVisualHierarchyNode& node)>;
    void SetOnGetDrawSettings(GetDrawSettingsEvent handler) { onGetDrawSettings_ = std::move(handler); }
    using NewLinkEvent = std::function<void(TVisualHierarchyLink& link)>;
    void SetOnNewLink(NewLinkEvent handler) { onNewLink_ = std::move(handler); }
    void SetOnChange(std::function<void(TVisualHierarchyRoot& root)> handler) { onChange_ = std::move(handler); }
    void LinkMade(TVisualHierarchyLink& link);

    // Every node below the root, each once, visible or not.
    std::vector<TVisualHierarchyNode*> VisualNodes() const;
    // Lays the nodes out by NodeCentre, recomputes the links and the extent.
    void Layout();
    // Links first or last (or not at all) by DrawLinks, and every top node's subtree.
    void Draw(fw::Canvas& canvas) const;

private:
    void Changed();
    void UpdateExtent();
    void TakeSizes(const std::vector<TVisualHierarchyNode*>& nodes);
    void LayoutOnParents(const std::vector<std::vector<TVisualHierarchyNode*>>& rows);
    void LayoutOnChildren(const std::vector<std::vector<TVisualHierarchyNode*>>& rows);
    void PlaceRowTops(const std::vector<std::vector<TVisualHierarchyNode*>>& rows);
    void CentreRowOverChildren(const std::vector<TVisualHierarchyNode*>& row);
    void ShiftRightOfLeftBorder(const std::vector<TVisualHierarchyNode*>& nodes);
    void DrawLinkLines(fw::Canvas& canvas) const;

    int horzSpace_ = 20;
    int vertSpace_ = 20;
    int leftBorder_ = 20;
    int topBorder_ = 20;
    int rightBorder_ = 20;
    int bottomBorder_ = 20;
    int defaultNodeWidth_ = 100;
    int defaultNodeHeight_ = 50;
    TVisualHierarchyDrawLinks drawLinks_ = TVisualHierarchyDrawLinks::hdlLinksFirst;
    TVisualHierarchyNodeCentre nodeCentre_ = TVisualHierarchyNodeCentre::tvhCentreOnParents;
    double scale_ = 1.0;
    int width_ = 0;
    int height_ = 0;
    TVisualHierarchyDrawSettings defaultSettings_;
    GetDrawSettingsEvent onGetDrawSettings_;
    NewLinkEvent onNewLink_;
    std::function<void(TVisualHierarchyRoot& root)> onChange_;
};

// A control that shows a diagram: it owns the root, paints it and takes its extent as its
// size after each layout.
class TVisualHierarchyView : public fw::CustomControl {
public:
    explicit TVisualHierarchyView(fw::Component* owner = nullptr);
    ~TVisualHierarchyView() override;

    std::string_view className() const override { return "TVisualHierarchyView"; }

    TVisualHierarchyRoot& Root() { return *root_; }
    // Lays the diagram out, sizes the control to it and repaints.
    void LayoutDiagram();

protected:
    void Paint() override;

private:
    std::unique_ptr<TVisualHierarchyRoot> root_;
};
