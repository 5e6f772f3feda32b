#include "foundation/xml_node.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "foundation/generic_exception.h"
#include "foundation/xml_text.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace {

// Lists in the arena grow by doubling; the list left behind stays there until the document
// goes.
template <class T>
void Grow(TILXMLArena& arena, T*& items, int count, int& capacity, int needed, int first)
{
    if (needed <= capacity) {
        return;
    }
    const int grown = std::max({needed, capacity * 2, first});
    T* moved = arena.AllocateArray<T>(static_cast<std::size_t>(grown));
    if (count > 0) {
        std::memcpy(static_cast<void*>(moved), items, static_cast<std::size_t>(count) * sizeof(T));
    }
    items = moved;
    capacity = grown;
}

constexpr const char* ChildAfterChildrenToMake =
    "A child added after the children made when written would be written before them.";

} // namespace

TILXMLNode::TILXMLNode() : arena_(new TILXMLArena), ownsArena_(true) {}

TILXMLNode::~TILXMLNode()
{
    // Elements in an arena are never destroyed one by one: only an element of its own is,
    // and everything it holds goes with its arena.
    if (ownsArena_) {
        delete arena_;
    }
}

TILXMLNode* TILXMLNode::MakeChild()
{
    return new (arena_->Allocate(sizeof(TILXMLNode), alignof(TILXMLNode))) TILXMLNode(*arena_, this);
}

void TILXMLNode::LinkChild(TILXMLNode* child)
{
    if (childrenToMake_ >= 0) {
        throw std::logic_error(ChildAfterChildrenToMake);
    }
    if (childCount_ == childCapacity_) {
        Grow(*arena_, children_, childCount_, childCapacity_, childCount_ + 1, 4);
    }
    children_[childCount_++] = child;
}

void TILXMLNode::SetChildren(TILXMLNode* const* children, std::size_t count)
{
    children_ = arena_->AllocateArray<TILXMLNode*>(count);
    if (count > 0) {
        std::memcpy(static_cast<void*>(children_), children, count * sizeof(TILXMLNode*));
    }
    childCount_ = static_cast<int>(count);
    childCapacity_ = childCount_;
}

void TILXMLNode::GrowAttributes()
{
    // The elements the program writes carry up to six attributes: one list holds them all.
    Grow(*arena_, attributes_, attributeCount_, attributeCapacity_, attributeCount_ + 1, 6);
}

void TILXMLNode::ReserveAttributes(std::size_t count)
{
    // A list made for the attributes of a start tag has exactly their room: most elements
    // never get another attribute.
    const int needed = attributeCount_ + static_cast<int>(count);
    if (needed <= attributeCapacity_) {
        return;
    }
    TILXMLAttribute* moved = arena_->AllocateArray<TILXMLAttribute>(static_cast<std::size_t>(needed));
    if (attributeCount_ > 0) {
        const std::size_t bytes = static_cast<std::size_t>(attributeCount_) * sizeof(TILXMLAttribute);
        std::memcpy(static_cast<void*>(moved), attributes_, bytes);
    }
    attributes_ = moved;
    attributeCapacity_ = needed;
}

void TILXMLNode::SetTag(std::string_view tag)
{
    tag_ = arena_->Copy(tag);
}

void TILXMLNode::SetValue(std::string_view value)
{
    value_ = arena_->Copy(value);
}

void TILXMLNode::Assign(const fw::Persistent* source)
{
    if (auto* node = dynamic_cast<const TILXMLNode*>(source)) {
        if (node == this) {
            return;
        }
        // The source may lie below this element: its copy is made before the children go.
        TILXMLNode copy;
        copy.CopyFrom(*node);
        childCount_ = 0;
        CopyFrom(copy);
        return;
    }
    if (auto* tree = dynamic_cast<const TILXMLTree*>(source)) {
        childCount_ = 0;
        for (const TILXMLNode* top : tree->TopNodes()) {
            TILXMLNode* child = MakeChild();
            child->CopyFrom(*top);
            LinkChild(child);
        }
        return;
    }
    fw::Persistent::Assign(source);
}

// Copies the source's own state and appends copies of its children, iteratively: a document
// may nest deeper than the stack would like. Texts of the same arena are shared, never
// copied: nothing in an arena is written over.
void TILXMLNode::CopyFrom(const TILXMLNode& source)
{
    std::vector<std::pair<TILXMLNode*, const TILXMLNode*>> pending{{this, &source}};
    while (!pending.empty()) {
        TILXMLNode* const target = pending.back().first;
        const TILXMLNode* const from = pending.back().second;
        pending.pop_back();
        const bool shared = target->arena_ == from->arena_;
        const auto take = [&](std::string_view text) { return shared ? text : target->arena_->Copy(text); };
        target->cdata_ = from->cdata_;
        // A tag is set again as a start tag would set it: checked while the check is on, and
        // cut at a blank that SetTag let in.
        const bool plainTag = !XMLNameCheck() && std::none_of(from->tag_.begin(), from->tag_.end(), [](char c) {
            return static_cast<unsigned char>(c) <= ' ';
        });
        if (plainTag) {
            target->tag_ = take(from->tag_);
        } else {
            ParseTagText(*target, from->tag_);
        }
        target->value_ = take(from->value_);
        target->attributeCount_ = 0;
        target->ReserveAttributes(static_cast<std::size_t>(from->attributeCount_));
        for (int i = 0; i < from->attributeCount_; ++i) {
            TILXMLAttribute& attribute = target->AppendAttribute();
            attribute.Name = take(from->attributes_[i].Name);
            attribute.Value = take(from->attributes_[i].Value);
        }
        if (from->childCount_ > 0) {
            target->children_ = target->arena_->AllocateArray<TILXMLNode*>(static_cast<std::size_t>(from->childCount_));
            target->childCount_ = from->childCount_;
            target->childCapacity_ = from->childCount_;
            for (int i = 0; i < from->childCount_; ++i) {
                TILXMLNode* child = target->MakeChild();
                target->children_[i] = child;
                pending.emplace_back(child, from->children_[i]);
            }
        }
    }
}

TILXMLNode* TILXMLNode::AddChild(std::string_view tagText, bool cdata)
{
    TILXMLNode* child = MakeChild();
    ParseTagText(*child, tagText);
    child->cdata_ = cdata;
    LinkChild(child);
    return child;
}

TILXMLNode* TILXMLNode::AddChildValue(std::string_view tagText, std::string_view value, bool cdata)
{
    TILXMLNode* child = AddChild(tagText, cdata);
    child->value_ = arena_->Copy(value);
    return child;
}

TILXMLNode* TILXMLNode::AddChildText(std::string_view tagText, std::string_view text)
{
    return AddChildValue(tagText, EncodeCDataText(text), true);
}

std::string TILXMLNode::Text() const
{
    return DecodeCDataText(value_);
}

TILXMLNode* TILXMLNode::AddChildWithAttributes(std::string_view tagText, bool cdata,
                                               const std::vector<std::string>& pairs)
{
    TILXMLNode* child = AddChild(tagText, cdata);
    child->AddAttributes(pairs);
    return child;
}

const TILXMLAttribute& TILXMLNode::AddAttribute(std::string_view name, std::string_view value)
{
    if (XMLNameCheck()) {
        ValidateXMLTag(name, true);
    }
    TILXMLAttribute& attribute = AppendAttribute();
    attribute.Name = arena_->Copy(name);
    attribute.Value = arena_->Copy(value);
    return attribute;
}

void TILXMLNode::AddAttributes(const std::vector<std::string>& pairs)
{
    if (pairs.size() % 2 != 0) {
        throw TGenericException::CreateFromSender(
            "The number of attribute names does not match the number of attribute values!", nullptr, this,
            "AddAttributes");
    }
    ReserveAttributes(pairs.size() / 2);
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        AddAttribute(pairs[i], pairs[i + 1]);
    }
}

std::string_view TILXMLNode::AttributeValue(std::string_view name) const
{
    for (int i = 0; i < attributeCount_; ++i) {
        if (attributes_[i].Name == name) {
            return attributes_[i].Value;
        }
    }
    return {};
}

bool TILXMLNode::SetAttribute(std::string_view name, std::string_view value, bool create)
{
    if (XMLNameCheck()) {
        ValidateXMLTag(name, true);
    }
    for (int i = 0; i < attributeCount_; ++i) {
        if (attributes_[i].Name == name) {
            attributes_[i].Value = arena_->Copy(value);
            return true;
        }
    }
    if (!create) {
        return false;
    }
    TILXMLAttribute& attribute = AppendAttribute();
    attribute.Name = arena_->Copy(name);
    attribute.Value = arena_->Copy(value);
    return true;
}

const TILXMLAttribute& TILXMLNode::Attribute(int index) const
{
    if (index < 0 || index >= attributeCount_) {
        fw::RaiseListIndexError(index);
    }
    return attributes_[index];
}

std::string TILXMLNode::AttributesText() const
{
    std::string text;
    AppendAttributesText(text);
    return text;
}

TILXMLNode* TILXMLNode::FindChild(std::string_view name) const
{
    for (int i = 0; i < childCount_; ++i) {
        if (children_[i]->tag_ == name) {
            return children_[i];
        }
    }
    return nullptr;
}

TILXMLNode* TILXMLNode::GetChild(int index) const
{
    if (index < 0 || index >= childCount_) {
        fw::RaiseListIndexError(index);
    }
    return children_[index];
}

TILXMLTree* TILXMLNode::Tree() const
{
    return arena_->Tree();
}

void TILXMLNode::AddChildrenWhenWritten(int count, ChildMaker makeChild)
{
    if (count <= 0) {
        return;
    }
    if (childrenToMake_ >= 0) {
        throw std::logic_error(ChildAfterChildrenToMake);
    }
    TILXMLTree* tree = Tree();
    if (tree == nullptr || tree->childMaking_ == TILXMLTree::ChildMaking::Now) {
        for (int i = 0; i < count; ++i) {
            makeChild(*this, i);
        }
        return;
    }
    childrenToMake_ = static_cast<int>(tree->childrenToMake_.size());
    tree->childrenToMake_.push_back({count, std::move(makeChild)});
}

void TILXMLNode::VisitChildrenToMake(const std::function<void(const TILXMLNode& child)>& visit) const
{
    if (childrenToMake_ < 0) {
        return;
    }
    const TILXMLTree::ChildrenToMake& waiting = Tree()->childrenToMake_[static_cast<std::size_t>(childrenToMake_)];
    // Enough children a batch to make the batches' own cost small, few enough to keep a
    // batch's memory to a few hundred kilobytes.
    constexpr int BatchSize = 256;
    for (int first = 0; first < waiting.Count; first += BatchSize) {
        TILXMLNode batch;
        const int end = std::min(waiting.Count, first + BatchSize);
        for (int i = first; i < end; ++i) {
            waiting.Make(batch, i);
        }
        for (const TILXMLNode* child : batch.Children()) {
            visit(*child);
        }
    }
}

std::string TILXMLNode::GetPath() const
{
    std::vector<const TILXMLNode*> chain;
    for (const TILXMLNode* node = this; node != nullptr; node = node->parent_) {
        chain.push_back(node);
    }
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) {
            path += '/';
        }
        path += (*it)->tag_;
    }
    return path;
}

// Whether GetPath() ends with the text, compared from the end up the chain of parents
// without building the path: a search walks every element of a document, and most fail
// at their last character.
bool TILXMLNode::PathEndsWith(std::string_view end) const
{
    const TILXMLNode* node = this;
    std::string_view tag = node->tag_;
    while (!end.empty()) {
        if (tag.empty()) {
            node = node->parent_;
            if (node == nullptr) {
                return false;
            }
            if (end.back() != '/') {
                return false;
            }
            end.remove_suffix(1);
            tag = node->tag_;
            continue;
        }
        if (tag.back() != end.back()) {
            return false;
        }
        tag.remove_suffix(1);
        end.remove_suffix(1);
    }
    return true;
}

TILXMLNode* TILXMLNode::FindPathBelow(std::string_view path, bool checkSelf) const
{
    if (checkSelf && PathEndsWith(path)) {
        return const_cast<TILXMLNode*>(this);
    }
    for (TILXMLNode* child : Children()) {
        if (TILXMLNode* found = child->FindPathBelow(path, true)) {
            return found;
        }
    }
    return nullptr;
}

TILXMLNode* TILXMLNode::FindPath(std::string_view path, bool checkSelf, bool must) const
{
    TILXMLNode* found = FindPathBelow(path, checkSelf);
    if (found == nullptr && must) {
        throw TGenericException::CreateFromSender("Path <" + std::string(path) + "> not found.", nullptr, this,
                                                  "FindPath");
    }
    return found;
}

TILXMLNode* TILXMLNode::FindTagBelow(std::string_view name, bool checkSelf, bool recursive) const
{
    if (checkSelf && tag_ == name) {
        return const_cast<TILXMLNode*>(this);
    }
    if (TILXMLNode* child = FindChild(name)) {
        return child;
    }
    if (recursive) {
        for (TILXMLNode* child : Children()) {
            if (TILXMLNode* found = child->FindTagBelow(name, true, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

TILXMLNode* TILXMLNode::FindTag(std::string_view name, bool checkSelf, bool recursive, bool must) const
{
    if (name.find('/') != std::string_view::npos) {
        return FindPath(name, checkSelf, must);
    }
    TILXMLNode* found = FindTagBelow(name, checkSelf, recursive);
    if (found == nullptr && must) {
        throw TGenericException::CreateFromSender("Tag <" + std::string(name) + "> not found.", nullptr, this,
                                                  "FindTag");
    }
    return found;
}

std::string TILXMLNode::GetTagValue(std::string_view name, bool checkSelf, bool recursive, bool must) const
{
    const TILXMLNode* found = FindTag(name, checkSelf, recursive, must);
    return found != nullptr ? std::string(found->value_) : std::string();
}

// --- the document ---

TILXMLTree::TILXMLTree(ChildMaking childMaking)
    : arena_(std::make_unique<TILXMLArena>(this)), childMaking_(childMaking)
{
}

TILXMLTree::~TILXMLTree() = default;

void TILXMLTree::Clear()
{
    topNodes_.clear();
    childrenToMake_.clear();
    arena_->Release();
}

TILXMLNode* TILXMLTree::MakeTopNode()
{
    return new (arena_->Allocate(sizeof(TILXMLNode), alignof(TILXMLNode))) TILXMLNode(*arena_, nullptr);
}

TILXMLNode* TILXMLTree::CopyTopNode(const TILXMLNode& source)
{
    TILXMLNode* top = MakeTopNode();
    top->CopyFrom(source);
    topNodes_.push_back(top);
    return top;
}

void TILXMLTree::Assign(const fw::Persistent* source)
{
    if (auto* node = dynamic_cast<const TILXMLNode*>(source)) {
        // The source may live in this very tree: copy it before clearing.
        TILXMLNode copy;
        copy.CopyFrom(*node);
        Clear();
        CopyTopNode(copy);
        return;
    }
    if (auto* tree = dynamic_cast<const TILXMLTree*>(source)) {
        if (tree == this) {
            return;
        }
        Clear();
        for (const TILXMLNode* top : tree->topNodes_) {
            CopyTopNode(*top);
        }
        return;
    }
    fw::Persistent::Assign(source);
}

TILXMLNode* TILXMLTree::AddRootNode(std::string_view tagText)
{
    TILXMLNode* node = MakeTopNode();
    ParseTagText(*node, tagText);
    topNodes_.push_back(node);
    return node;
}

TILXMLNode* TILXMLTree::GetTopNode(int index) const
{
    if (index < 0 || index >= TopNodeCount()) {
        fw::RaiseListIndexError(index);
    }
    return topNodes_[static_cast<std::size_t>(index)];
}

TILXMLNode* TILXMLTree::FindTag(std::string_view pathOrName, bool must) const
{
    for (TILXMLNode* top : topNodes_) {
        if (TILXMLNode* found = top->FindTag(pathOrName, true, true, false)) {
            return found;
        }
    }
    if (must) {
        throw TGenericException::CreateFromSender("Tag <" + std::string(pathOrName) + "> not found.", nullptr, this,
                                                  "FindTag");
    }
    return nullptr;
}

std::string TILXMLTree::GetTagValue(std::string_view pathOrName, bool must) const
{
    const TILXMLNode* found = FindTag(pathOrName, must);
    return found != nullptr ? std::string(found->Value()) : std::string();
}
