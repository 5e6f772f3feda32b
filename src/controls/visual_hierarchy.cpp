#include "controls/visual_hierarchy.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "foundation/text_drawing.h"
#include "framework/core/paint_backend.h"
#include "framework/core/strings.h"

namespace {

// The platform's rounding: to the nearest integer, halves to the even one.
int RoundToInt(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

double UsableScale(double scale)
{
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

} // namespace

// --- TVisualHierarchyDrawSettings ----------------------------------------------------------------

TVisualHierarchyDrawSettings::TVisualHierarchyDrawSettings()
{
    // A framed box: a raised ring outside, a lowered one inside it.
    normal_.FillBrush().SetColour(fw::clWindow);
    normal_.SetBevelOuter(TBevelCut::Raised);
    normal_.SetBevelInner(TBevelCut::Lowered);
    selected_.FillBrush().SetColour(fw::clHighlight);
    selected_.SetBevelOuter(TBevelCut::Lowered);
    selected_.SetBevelInner(TBevelCut::Raised);
    font_.SetSize(8);
}

int TVisualHierarchyDrawSettings::ScaledBevelWidth(double scale) const
{
    int width = RoundToInt(bevelWidth_ * UsableScale(scale));
    width = std::max(width, minBevelWidth_);
    if (maxBevelWidth_ >= 1) {
        width = std::min(width, maxBevelWidth_);
    }
    return width;
}

int TVisualHierarchyDrawSettings::ScaledFontSize(double scale) const
{
    return std::max(RoundToInt(font_.Size() * UsableScale(scale)), 1);
}

int TVisualHierarchyDrawSettings::ScaledLinkWidth(double scale) const
{
    return std::max(RoundToInt(linkWidth_ * UsableScale(scale)), 1);
}

void TVisualHierarchyDrawSettings::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TVisualHierarchyDrawSettings*>(source)) {
        normal_.Assign(&other->normal_);
        selected_.Assign(&other->selected_);
        bevelWidth_ = other->bevelWidth_;
        minBevelWidth_ = other->minBevelWidth_;
        maxBevelWidth_ = other->maxBevelWidth_;
        font_ = other->font_;
        linkColour_ = other->linkColour_;
        linkWidth_ = other->linkWidth_;
        return;
    }
    fw::Persistent::Assign(source);
}

// --- Position texts ------------------------------------------------------------------------------------

std::string PositionText(int x, int y)
{
    return std::to_string(x) + " " + std::to_string(y);
}

bool ReadPositionText(std::string_view text, int& x, int& y)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        return false;
    }
    x = fw::StrToIntDef(text.substr(0, blank), x);
    y = fw::StrToIntDef(text.substr(blank + 1), y);
    return true;
}

// --- TVisualHierarchyLink ------------------------------------------------------------------------------

TVisualHierarchyLink::TVisualHierarchyLink(TVisualHierarchyNode& parent, TVisualHierarchyNode& child)
    : parent_(parent), child_(child)
{
}

void TVisualHierarchyLink::SetLabelPosition(int left, int top)
{
    labelLeft_ = left;
    labelTop_ = top;
}

std::string TVisualHierarchyLink::GetKey() const
{
    return parent_.GetKey() + " > " + child_.GetKey();
}

void TVisualHierarchyLink::SaveLabelPosition(TVisualHierarchyStore& store, const std::string& section) const
{
    store.WriteString(section, GetKey(), PositionText(labelLeft_, labelTop_));
}

void TVisualHierarchyLink::RestoreLabelPosition(TVisualHierarchyStore& store, const std::string& section)
{
    const std::string text = store.ReadString(section, GetKey(), "");
    if (!text.empty()) {
        ReadPositionText(text, labelLeft_, labelTop_);
    }
}

fw::Point TVisualHierarchyLink::StartPoint() const
{
    return fw::Point{parent_.Left() + parent_.Width() / 2, parent_.Bottom()};
}

fw::Point TVisualHierarchyLink::EndPoint() const
{
    return fw::Point{child_.Left() + child_.Width() / 2, child_.Top()};
}

fw::Size TVisualHierarchyLink::LabelSize(const fw::Canvas* canvas) const
{
    fw::PaintBackend* backend = canvas != nullptr ? canvas->Backend() : fw::DefaultPaintBackend();
    if (text_.empty() || backend == nullptr) {
        return fw::Size{};
    }
    fw::Font font = parent_.DrawSettings().Font();
    font.SetSize(parent_.DrawSettings().ScaledFontSize(parent_.Scale()));
    return backend->TextExtent(font, text_);
}

void TVisualHierarchyLink::Recompute()
{
    const TVisualHierarchyRoot* root = parent_.VisualRoot();
    const int vertSpace = root != nullptr ? root->ScaledVertSpace() : 0;
    const fw::Point start = StartPoint();
    const fw::Point end = EndPoint();
    const int y = start.Y + RoundToInt(0.75 * vertSpace);
    int x = start.X;
    if (end.Y != start.Y) {
        x = start.X + RoundToInt(static_cast<double>(end.X - start.X) * (y - start.Y) / (end.Y - start.Y));
    }
    const fw::Size size = LabelSize(nullptr);
    labelLeft_ = x - size.Width / 2;
    labelTop_ = y - size.Height / 2;
    if (labelTop_ + size.Height > child_.Top()) {
        labelTop_ = child_.Top() - size.Height;
    }
}

void TVisualHierarchyLink::Draw(fw::Canvas& canvas) const
{
    labelDrawn_ = false;
    const TVisualHierarchyDrawSettings& settings = parent_.DrawSettings();
    const double scale = parent_.Scale();
    canvas.Pen() = fw::Pen{settings.LinkColour(), settings.ScaledLinkWidth(scale), fw::PenStyle::Solid,
                           fw::PenMode::Copy};
    const fw::Point start = StartPoint();
    const fw::Point end = EndPoint();
    canvas.MoveTo(start.X, start.Y);
    canvas.LineTo(end.X, end.Y);
    const int fontSize = settings.ScaledFontSize(scale);
    if (text_.empty() || fontSize < 4 || canvas.Backend() == nullptr) {
        return;
    }
    canvas.Font() = settings.Font();
    canvas.Font().SetSize(fontSize);
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.TextOut(labelLeft_, labelTop_, text_);
    labelDrawn_ = true;
}

// --- TVisualHierarchyNode ------------------------------------------------------------------------------

TVisualHierarchyNode::~TVisualHierarchyNode()
{
    links_.clear();
}

void TVisualHierarchyNode::Assign(const fw::Persistent* source)
{
    THierarchyNode::Assign(source);
    if (const auto* other = dynamic_cast<const TVisualHierarchyNode*>(source)) {
        caption_ = other->caption_;
        text_ = other->text_;
        visible_ = other->visible_;
        setLeft_ = other->setLeft_;
        setTop_ = other->setTop_;
        setWidth_ = other->setWidth_;
        setHeight_ = other->setHeight_;
        if (other->drawSettings_) {
            MakeOwnDrawSettings().Assign(other->drawSettings_.get());
        } else {
            drawSettings_.reset();
        }
    }
}

bool TVisualHierarchyNode::IsVisible() const
{
    if (!visible_) {
        return false;
    }
    for (int i = 0; i < ParentCount(); ++i) {
        const THierarchyNode* parent = Parent(i);
        if (dynamic_cast<const THierarchyRoot*>(parent) != nullptr) {
            return true;
        }
        if (const auto* visual = dynamic_cast<const TVisualHierarchyNode*>(parent); visual && visual->IsVisible()) {
            return true;
        }
    }
    return false;
}

TVisualHierarchyDrawSettings& TVisualHierarchyNode::MakeOwnDrawSettings()
{
    if (!drawSettings_) {
        drawSettings_ = std::make_unique<TVisualHierarchyDrawSettings>();
    }
    return *drawSettings_;
}

const TVisualHierarchyDrawSettings& TVisualHierarchyNode::DrawSettings() const
{
    if (drawSettings_) {
        return *drawSettings_;
    }
    static const TVisualHierarchyDrawSettings plain;
    const TVisualHierarchyRoot* root = VisualRoot();
    return root != nullptr ? root->DrawSettingsFor(*this) : plain;
}

void TVisualHierarchyNode::SetPosition(int left, int top)
{
    setLeft_ = left;
    setTop_ = top;
    left_ = RoundToInt(left * scale_);
    top_ = RoundToInt(top * scale_);
    hasLeft_ = true;
    hasTop_ = true;
}

void TVisualHierarchyNode::SetSize(int width, int height)
{
    setWidth_ = std::max(width, 0);
    setHeight_ = std::max(height, 0);
    ApplyScaledGeometry();
}

void TVisualHierarchyNode::SetScaledLeft(int left)
{
    left_ = left;
    hasLeft_ = true;
    setLeft_ = RoundToInt(left / scale_);
}

void TVisualHierarchyNode::SetScaledTop(int top)
{
    top_ = top;
    hasTop_ = true;
    setTop_ = RoundToInt(top / scale_);
}

void TVisualHierarchyNode::SetScaledSize(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    setWidth_ = RoundToInt(width_ / scale_);
    setHeight_ = RoundToInt(height_ / scale_);
}

void TVisualHierarchyNode::ResetPosition()
{
    left_ = -1;
    top_ = -1;
    hasLeft_ = false;
    hasTop_ = false;
}

void TVisualHierarchyNode::ApplyScaledGeometry()
{
    const TVisualHierarchyRoot* root = VisualRoot();
    const int width = setWidth_ > 0 ? setWidth_ : (root != nullptr ? root->DefaultNodeWidth() : 0);
    const int height = setHeight_ > 0 ? setHeight_ : (root != nullptr ? root->DefaultNodeHeight() : 0);
    width_ = RoundToInt(width * scale_);
    height_ = RoundToInt(height * scale_);
    if (hasLeft_) {
        left_ = RoundToInt(setLeft_ * scale_);
    }
    if (hasTop_) {
        top_ = RoundToInt(setTop_ * scale_);
    }
}

void TVisualHierarchyNode::SetScale(double scale)
{
    scale_ = UsableScale(scale);
    ApplyScaledGeometry();
    for (int i = 0; i < ChildCount(); ++i) {
        TVisualHierarchyNode* child = VisualChild(i);
        if (child != nullptr && child->Parent(0) == this) {
            child->SetScale(scale_);
        }
    }
}

TVisualHierarchyLink* TVisualHierarchyNode::LinkTo(const TVisualHierarchyNode* child) const
{
    for (const auto& link : links_) {
        if (&link->Child() == child) {
            return link.get();
        }
    }
    return nullptr;
}

TVisualHierarchyNode* TVisualHierarchyNode::VisualChild(int index) const
{
    return dynamic_cast<TVisualHierarchyNode*>(Child(index));
}

TVisualHierarchyNode* TVisualHierarchyNode::VisualParent(int index) const
{
    return dynamic_cast<TVisualHierarchyNode*>(Parent(index));
}

TVisualHierarchyRoot* TVisualHierarchyNode::VisualRoot() const
{
    return dynamic_cast<TVisualHierarchyRoot*>(Root());
}

void TVisualHierarchyNode::AddChild(THierarchyNode* node)
{
    THierarchyNode::AddChild(node);
    auto* child = dynamic_cast<TVisualHierarchyNode*>(node);
    if (child == nullptr || Children().IndexOf(child) < 0 || LinkTo(child) != nullptr) {
        return;
    }
    links_.push_back(std::make_unique<TVisualHierarchyLink>(*this, *child));
    if (TVisualHierarchyRoot* root = VisualRoot()) {
        root->LinkMade(*links_.back());
    }
}

void TVisualHierarchyNode::RemoveChild(THierarchyNode* node)
{
    THierarchyNode::RemoveChild(node);
    if (node != nullptr && Children().IndexOf(node) < 0) {
        std::erase_if(links_, [node](const auto& link) { return &link->Child() == node; });
    }
}

void TVisualHierarchyNode::DrawNode(fw::Canvas& canvas) const
{
    if (onDraw_) {
        onDraw_(const_cast<TVisualHierarchyNode&>(*this), canvas);
        return;
    }
    DrawBox(canvas);
    DrawCaption(canvas);
}

void TVisualHierarchyNode::DrawSubtree(fw::Canvas& canvas) const
{
    if (!IsVisible() || !Placed()) {
        return;
    }
    DrawNode(canvas);
    for (int i = 0; i < ChildCount(); ++i) {
        const TVisualHierarchyNode* child = VisualChild(i);
        // A node below several parents is drawn once, through its first.
        if (child != nullptr && child->Parent(0) == this) {
            child->DrawSubtree(canvas);
        }
    }
}

void TVisualHierarchyNode::DrawBox(fw::Canvas& canvas) const
{
    const TVisualHierarchyDrawSettings& settings = DrawSettings();
    TILBrushBevel bevel;
    bevel.Assign(selected_ ? &settings.Selected() : &settings.Normal());
    bevel.DrawSquare(canvas, fw::Rect{left_, top_, left_ + width_ - 1, top_ + height_ - 1}, false, 0, TILBevelGap{},
                     settings.ScaledBevelWidth(scale_));
}

void TVisualHierarchyNode::DrawCaption(fw::Canvas& canvas) const
{
    if (canvas.Backend() == nullptr) {
        return;
    }
    const TVisualHierarchyDrawSettings& settings = DrawSettings();
    const int inset = settings.ScaledBevelWidth(scale_);
    canvas.Font() = settings.Font();
    canvas.Font().SetSize(settings.ScaledFontSize(scale_));
    canvas.Brush().Style = fw::BrushStyle::Clear;
    DrawWrappedTextAt(canvas, left_ + inset, top_ + inset, left_ + width_ - inset, top_ + height_ - inset, 0, 0, true,
                      TextAlignment::Centre, TextAlignment::Centre, Text());
}

void TVisualHierarchyNode::SetPositionText(std::string_view text)
{
    int left = setLeft_;
    int top = setTop_;
    if (ReadPositionText(text, left, top)) {
        SetPosition(left, top);
    }
}

std::string TVisualHierarchyNode::GetPositionText() const
{
    return PositionText(setLeft_, setTop_);
}

std::string TVisualHierarchyNode::GetKey() const
{
    return caption_;
}

void TVisualHierarchyNode::RestorePositions(TVisualHierarchyStore& store, const std::string& section, bool recursive)
{
    const std::string text = store.ReadString(section, GetKey(), "");
    if (!text.empty()) {
        SetPositionText(text);
    }
    for (const auto& link : links_) {
        link->RestoreLabelPosition(store, section);
    }
    if (recursive) {
        for (int i = 0; i < ChildCount(); ++i) {
            if (TVisualHierarchyNode* child = VisualChild(i)) {
                child->RestorePositions(store, section, true);
            }
        }
    }
}

void TVisualHierarchyNode::SavePositions(TVisualHierarchyStore& store, const std::string& section,
                                         bool recursive) const
{
    store.WriteString(section, GetKey(), GetPositionText());
    for (const auto& link : links_) {
        link->SaveLabelPosition(store, section);
    }
    if (recursive) {
        for (int i = 0; i < ChildCount(); ++i) {
            if (const TVisualHierarchyNode* child = VisualChild(i)) {
                child->SavePositions(store, section, true);
            }
        }
    }
}

// --- TVisualHierarchyRoot ------------------------------------------------------------------------------

TVisualHierarchyRoot::TVisualHierarchyRoot() = default;

TVisualHierarchyRoot::~TVisualHierarchyRoot()
{
    // The nodes go while the root is still whole: their links may ask for it.
    onChange_ = nullptr;
    Clear();
}

int TVisualHierarchyRoot::Scaled(int value) const
{
    return RoundToInt(value * scale_);
}

void TVisualHierarchyRoot::SetHorzSpace(int value)
{
    horzSpace_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetVertSpace(int value)
{
    vertSpace_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetLeftBorder(int value)
{
    leftBorder_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetTopBorder(int value)
{
    topBorder_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetRightBorder(int value)
{
    rightBorder_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetBottomBorder(int value)
{
    bottomBorder_ = value;
    Changed();
}

void TVisualHierarchyRoot::SetDefaultNodeWidth(int value)
{
    defaultNodeWidth_ = value;
    for (TVisualHierarchyNode* node : VisualNodes()) {
        node->ApplyScaledGeometry();
    }
    Changed();
}

void TVisualHierarchyRoot::SetDefaultNodeHeight(int value)
{
    defaultNodeHeight_ = value;
    for (TVisualHierarchyNode* node : VisualNodes()) {
        node->ApplyScaledGeometry();
    }
    Changed();
}

void TVisualHierarchyRoot::SetScale(double scale)
{
    scale_ = UsableScale(scale);
    for (int i = 0; i < ChildCount(); ++i) {
        auto* node = dynamic_cast<TVisualHierarchyNode*>(Child(i));
        if (node != nullptr && node->Parent(0) == this) {
            node->SetScale(scale_);
        }
    }
    Changed();
}

const TVisualHierarchyDrawSettings& TVisualHierarchyRoot::DrawSettingsFor(const TVisualHierarchyNode& node) const
{
    if (onGetDrawSettings_) {
        if (const TVisualHierarchyDrawSettings* settings = onGetDrawSettings_(node)) {
            return *settings;
        }
    }
    return defaultSettings_;
}

void TVisualHierarchyRoot::LinkMade(TVisualHierarchyLink& link)
{
    if (onNewLink_) {
        onNewLink_(link);
    }
}

std::vector<TVisualHierarchyNode*> TVisualHierarchyRoot::VisualNodes() const
{
    std::vector<TVisualHierarchyNode*> nodes;
    for (THierarchyNode* node : Descendants()) {
        if (auto* visual = dynamic_cast<TVisualHierarchyNode*>(node)) {
            nodes.push_back(visual);
        }
    }
    return nodes;
}

void TVisualHierarchyRoot::Changed()
{
    UpdateExtent();
    for (TVisualHierarchyNode* node : VisualNodes()) {
        for (const auto& link : node->Links()) {
            link->Recompute();
        }
    }
    if (onChange_) {
        onChange_(*this);
    }
}

void TVisualHierarchyRoot::UpdateExtent()
{
    bool any = false;
    int right = 0;
    int bottom = 0;
    for (const TVisualHierarchyNode* node : VisualNodes()) {
        if (node->IsVisible() && node->Placed()) {
            right = any ? std::max(right, node->Right()) : node->Right();
            bottom = any ? std::max(bottom, node->Bottom()) : node->Bottom();
            any = true;
        }
    }
    width_ = any ? std::max(right + ScaledRightBorder(), 0) : 0;
    height_ = any ? std::max(bottom + ScaledBottomBorder(), 0) : 0;
}

void TVisualHierarchyRoot::TakeSizes(const std::vector<TVisualHierarchyNode*>& nodes)
{
    for (TVisualHierarchyNode* node : nodes) {
        node->ResetPosition();
        node->ApplyScaledGeometry();
    }
}

void TVisualHierarchyRoot::Layout()
{
    Relayout();
    const std::vector<TVisualHierarchyNode*> nodes = VisualNodes();
    TakeSizes(nodes);
    // The shown nodes of each level, in depth-first order.
    std::vector<std::vector<TVisualHierarchyNode*>> rows(static_cast<std::size_t>(std::max(MaxLevel(), 0)));
    for (TVisualHierarchyNode* node : nodes) {
        if (node->IsVisible() && node->Level() >= 1 && node->Level() <= MaxLevel()) {
            rows[static_cast<std::size_t>(node->Level() - 1)].push_back(node);
        }
    }
    std::erase_if(rows, [](const auto& row) { return row.empty(); });
    if (!rows.empty()) {
        PlaceRowTops(rows);
        if (nodeCentre_ == TVisualHierarchyNodeCentre::tvhCentreOnParents) {
            LayoutOnParents(rows);
        } else {
            LayoutOnChildren(rows);
        }
        ShiftRightOfLeftBorder(nodes);
    }
    Changed();
}

void TVisualHierarchyRoot::PlaceRowTops(const std::vector<std::vector<TVisualHierarchyNode*>>& rows)
{
    // Level 1 at the top margin, each deeper row below the tallest box of the one above.
    int top = ScaledTopBorder();
    for (const auto& row : rows) {
        int tallest = 0;
        for (TVisualHierarchyNode* node : row) {
            node->SetScaledTop(top);
            tallest = std::max(tallest, node->Height());
        }
        top += tallest + ScaledVertSpace();
    }
}

void TVisualHierarchyRoot::LayoutOnParents(const std::vector<std::vector<TVisualHierarchyNode*>>& rows)
{
    const int space = ScaledHorzSpace();
    auto rowWidth = [space](const std::vector<TVisualHierarchyNode*>& row) {
        int width = 0;
        for (const TVisualHierarchyNode* node : row) {
            width += node->Width();
        }
        return width + space * static_cast<int>(row.size() - 1);
    };
    int widest = 0;
    for (const auto& row : rows) {
        widest = std::max(widest, rowWidth(row));
    }
    // From the deepest row up, each row centred; the rows above it then stand over their
    // children.
    for (std::size_t r = rows.size(); r-- > 0;) {
        int x = ScaledLeftBorder() + RoundToInt((widest - rowWidth(rows[r])) / 2.0);
        for (TVisualHierarchyNode* node : rows[r]) {
            node->SetScaledLeft(x);
            x += node->Width() + space;
        }
        if (r + 1 < rows.size()) {
            CentreRowOverChildren(rows[r]);
        }
    }
    for (std::size_t r = rows.size() - 1; r-- > 0;) {
        CentreRowOverChildren(rows[r]);
    }
}

void TVisualHierarchyRoot::CentreRowOverChildren(const std::vector<TVisualHierarchyNode*>& row)
{
    const int space = ScaledHorzSpace();
    for (std::size_t i = 0; i < row.size(); ++i) {
        TVisualHierarchyNode& node = *row[i];
        double centres = 0;
        int count = 0;
        for (int c = 0; c < node.ChildCount(); ++c) {
            const TVisualHierarchyNode* child = node.VisualChild(c);
            if (child != nullptr && child->IsVisible() && child->Placed()) {
                centres += child->Left() + child->Width() / 2.0;
                ++count;
            }
        }
        if (count == 0) {
            continue;
        }
        int left = RoundToInt(centres / count - node.Width() / 2.0);
        if (i + 1 < row.size()) {
            left = std::min(left, row[i + 1]->Left() - space - node.Width());
        }
        if (i > 0) {
            left = std::max(left, row[i - 1]->Right() + space);
        }
        node.SetScaledLeft(left);
    }
}

void TVisualHierarchyRoot::ShiftRightOfLeftBorder(const std::vector<TVisualHierarchyNode*>& nodes)
{
    // A box wider than the children it is centred over reaches left of them; at the start of
    // its row that can be left of the border. The whole diagram moves right instead, so that
    // every box keeps its place beside the others.
    bool any = false;
    int leftmost = 0;
    for (const TVisualHierarchyNode* node : nodes) {
        if (node->IsVisible() && node->Placed()) {
            leftmost = any ? std::min(leftmost, node->Left()) : node->Left();
            any = true;
        }
    }
    const int shift = ScaledLeftBorder() - leftmost;
    if (!any || shift <= 0) {
        return;
    }
    for (TVisualHierarchyNode* node : nodes) {
        if (node->IsVisible() && node->Placed()) {
            node->SetScaledLeft(node->Left() + shift);
        }
    }
}

void TVisualHierarchyRoot::LayoutOnChildren(const std::vector<std::vector<TVisualHierarchyNode*>>&)
{
    const int space = ScaledHorzSpace();
    int freeX = ScaledLeftBorder();
    std::set<const TVisualHierarchyNode*> placed;
    auto place = [&](auto& self, TVisualHierarchyNode& node) -> void {
        if (!placed.insert(&node).second) {
            return;
        }
        std::vector<TVisualHierarchyNode*> children;
        for (int c = 0; c < node.ChildCount(); ++c) {
            TVisualHierarchyNode* child = node.VisualChild(c);
            if (child != nullptr && child->IsVisible()) {
                self(self, *child);
                children.push_back(child);
            }
        }
        if (children.empty()) {
            node.SetScaledLeft(freeX);
            freeX += node.Width() + space;
            return;
        }
        const double middle = (children.front()->Left() + children.back()->Right()) / 2.0;
        node.SetScaledLeft(RoundToInt(middle - node.Width() / 2.0));
    };
    for (int i = 0; i < ChildCount(); ++i) {
        auto* top = dynamic_cast<TVisualHierarchyNode*>(Child(i));
        if (top != nullptr && top->IsVisible()) {
            place(place, *top);
        }
    }
}

void TVisualHierarchyRoot::DrawLinkLines(fw::Canvas& canvas) const
{
    for (const TVisualHierarchyNode* node : VisualNodes()) {
        if (!node->IsVisible() || !node->Placed()) {
            continue;
        }
        for (const auto& link : node->Links()) {
            if (link->Child().IsVisible() && link->Child().Placed()) {
                link->Draw(canvas);
            }
        }
    }
}

void TVisualHierarchyRoot::Draw(fw::Canvas& canvas) const
{
    if (drawLinks_ == TVisualHierarchyDrawLinks::hdlLinksFirst) {
        DrawLinkLines(canvas);
    }
    for (int i = 0; i < ChildCount(); ++i) {
        if (const auto* node = dynamic_cast<const TVisualHierarchyNode*>(Child(i))) {
            node->DrawSubtree(canvas);
        }
    }
    if (drawLinks_ == TVisualHierarchyDrawLinks::hdlLinksLast) {
        DrawLinkLines(canvas);
    }
}

// --- TVisualHierarchyView ------------------------------------------------------------------------------

TVisualHierarchyView::TVisualHierarchyView(fw::Component* owner)
    : fw::CustomControl(owner), root_(std::make_unique<TVisualHierarchyRoot>())
{
    SetColor(fw::clBtnFace);
}

TVisualHierarchyView::~TVisualHierarchyView() = default;

void TVisualHierarchyView::LayoutDiagram()
{
    root_->Layout();
    SetBounds(Left(), Top(), root_->Width(), root_->Height());
    Invalidate();
}

void TVisualHierarchyView::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{Color()};
    canvas.FillRect(ClientRect());
    root_->Draw(canvas);
}
