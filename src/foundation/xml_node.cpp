#include "foundation/xml_node.h"

#include <algorithm>
#include <utility>

#include "foundation/generic_exception.h"
#include "foundation/xml_block_pool.h"
#include "foundation/xml_text.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"

namespace {

// Sanitizer builds give every element memory of its own, so that a freed element is caught
// when it is used again.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool PoolElements = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool PoolElements = false;
#else
constexpr bool PoolElements = true;
#endif
#else
constexpr bool PoolElements = true;
#endif

// Made on first use and never freed: an element may be freed by the destructor of a static
// object after every pool would have been destroyed.
TILXMLBlockPool& ElementPool()
{
    static TILXMLBlockPool* const pool = new TILXMLBlockPool(sizeof(TILXMLNode));
    return *pool;
}

// Attribute lists of one to this many attributes come from the pools.
constexpr std::size_t PooledAttributes = 4;

// As the element pool, made on first use and never freed.
TILXMLBlockPool& AttributePool(std::size_t attributes)
{
    static TILXMLBlockPool* const pools[PooledAttributes] = {
        new TILXMLBlockPool(1 * sizeof(TILXMLAttribute)), new TILXMLBlockPool(2 * sizeof(TILXMLAttribute)),
        new TILXMLBlockPool(3 * sizeof(TILXMLAttribute)), new TILXMLBlockPool(4 * sizeof(TILXMLAttribute))};
    return *pools[attributes - 1];
}

// The number of attributes a pooled list of that size holds; 0 for any other size.
std::size_t PooledAttributeCount(std::size_t bytes)
{
    if (!PoolElements || bytes == 0 || bytes % sizeof(TILXMLAttribute) != 0) {
        return 0;
    }
    const std::size_t attributes = bytes / sizeof(TILXMLAttribute);
    return attributes <= PooledAttributes ? attributes : 0;
}

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

void* TILXMLNode::operator new(std::size_t size)
{
    // A class made from this one has a size of its own and takes the general heap.
    if (PoolElements && size == sizeof(TILXMLNode)) {
        return ElementPool().Allocate();
    }
    return ::operator new(size);
}

void TILXMLNode::operator delete(void* block, std::size_t size) noexcept
{
    if (PoolElements && size == sizeof(TILXMLNode)) {
        ElementPool().Release(block);
    } else {
        ::operator delete(block);
    }
}

void* AllocateXMLAttributes(std::size_t bytes)
{
    const std::size_t attributes = PooledAttributeCount(bytes);
    return attributes > 0 ? AttributePool(attributes).Allocate() : ::operator new(bytes);
}

void ReleaseXMLAttributes(void* block, std::size_t bytes) noexcept
{
    const std::size_t attributes = PooledAttributeCount(bytes);
    if (attributes > 0) {
        AttributePool(attributes).Release(block);
    } else {
        ::operator delete(block);
    }
}

TILXMLNode::~TILXMLNode()
{
    // Elements freed by their document have already let go of their children.
    if (ChildCount() > 0) {
        FreeElementsBelow(*this);
        FreeOwnedSubtree();
    }
}

// Freeing a whole document at once walks all its elements several times over, and a large
// document does not fit in the cache: every element would be fetched from memory at each
// walk. Going through the document in order instead, each element frees its own children
// once they have done the same, while they are still in the cache; what is left for the
// caller is the top row. An element held by another parent as well is left for the caller's
// own freeing, which knows what to do with it, and so is everything below it.
void TILXMLNode::FreeElementsBelow(const THierarchyNode& top)
{
    const auto ownedElementWithChildren = [](fw::Object* item) -> TILXMLNode* {
        auto* node = static_cast<THierarchyNode*>(item);
        if (node->ParentCount() != 1 || node->ChildCount() == 0) {
            return nullptr;
        }
        return dynamic_cast<TILXMLNode*>(node);
    };
    // Each element with the index of its next child to visit.
    std::vector<std::pair<TILXMLNode*, int>> path;
    for (fw::Object* item : top.Children()) {
        TILXMLNode* start = ownedElementWithChildren(item);
        if (start == nullptr) {
            continue;
        }
        path.emplace_back(start, 0);
        while (!path.empty()) {
            auto& [node, next] = path.back();
            if (next < node->ChildCount()) {
                TILXMLNode* child = ownedElementWithChildren(node->Children().Items(next++));
                if (child != nullptr) {
                    path.emplace_back(child, 0);
                }
                continue;
            }
            node->FreeOwnedSubtree();
            path.pop_back();
        }
    }
}

TILXMLTree::~TILXMLTree()
{
    TILXMLNode::FreeElementsBelow(*this);
    FreeOwnedSubtree();
}

void TILXMLTree::Clear()
{
    TILXMLNode::FreeElementsBelow(*this);
    FreeOwnedSubtree();
    Relayout();
}

void TILXMLNode::Assign(const fw::Persistent* source)
{
    if (auto* node = dynamic_cast<const TILXMLNode*>(source)) {
        if (node != this) {
            FreeOwnedSubtree();
            CopyFrom(*node);
        }
        return;
    }
    if (auto* tree = dynamic_cast<const TILXMLTree*>(source)) {
        FreeOwnedSubtree();
        for (int i = 0; i < tree->TopNodeCount(); ++i) {
            auto* copy = new TILXMLNode;
            AddChild(static_cast<THierarchyNode*>(copy));
            copy->CopyFrom(*tree->GetTopNode(i));
        }
        return;
    }
    THierarchyNode::Assign(source);
}

// Copies the source's own state and appends copies of its children; the children are
// attached before they are filled, so that linking never walks a finished subtree.
void TILXMLNode::CopyFrom(const TILXMLNode& source)
{
    std::vector<std::pair<TILXMLNode*, const TILXMLNode*>> pending{{this, &source}};
    while (!pending.empty()) {
        auto [target, from] = pending.back();
        pending.pop_back();
        target->THierarchyNode::Assign(from);
        target->cdata_ = from->cdata_;
        ParseTagText(*target, from->tag_);
        target->value_ = from->value_;
        target->attributes_ = from->attributes_;
        for (int i = 0; i < from->ChildCount(); ++i) {
            auto* child = new TILXMLNode;
            target->AddChild(static_cast<THierarchyNode*>(child));
            pending.emplace_back(child, from->GetChild(i));
        }
    }
}

TILXMLNode* TILXMLNode::AddChild(std::string_view tagText, bool cdata)
{
    auto child = std::make_unique<TILXMLNode>();
    ParseTagText(*child, tagText);
    child->cdata_ = cdata;
    AddChild(static_cast<THierarchyNode*>(child.get()));
    return child.release();
}

TILXMLNode* TILXMLNode::AddChildValue(std::string_view tagText, std::string value, bool cdata)
{
    TILXMLNode* child = AddChild(tagText, cdata);
    child->value_ = std::move(value);
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

TILXMLAttribute& TILXMLNode::AddAttribute(std::string name, std::string value)
{
    ValidateXMLTag(name, true);
    attributes_.push_back({std::move(name), std::move(value)});
    return attributes_.back();
}

void TILXMLNode::AddAttributes(const std::vector<std::string>& pairs)
{
    if (pairs.size() % 2 != 0) {
        throw TGenericException::CreateFromSender(
            "The number of attribute names does not match the number of attribute values!", nullptr, this,
            "AddAttributes");
    }
    // Sized once: the reader hands every tag's attributes over here.
    attributes_.reserve(attributes_.size() + pairs.size() / 2);
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        ValidateXMLTag(pairs[i], true);
        attributes_.push_back({pairs[i], pairs[i + 1]});
    }
}

std::string TILXMLNode::GetAttribute(std::string_view name) const
{
    for (const TILXMLAttribute& attribute : attributes_) {
        if (attribute.Name == name) {
            return attribute.Value;
        }
    }
    return {};
}

bool TILXMLNode::SetAttribute(const std::string& name, std::string value, bool create)
{
    ValidateXMLTag(name, true);
    for (TILXMLAttribute& attribute : attributes_) {
        if (attribute.Name == name) {
            attribute.Value = std::move(value);
            return true;
        }
    }
    if (!create) {
        return false;
    }
    attributes_.push_back({name, std::move(value)});
    return true;
}

TILXMLAttribute& TILXMLNode::Attribute(int index)
{
    if (index < 0 || index >= AttributeCount()) {
        fw::RaiseListIndexError(index);
    }
    return attributes_[static_cast<std::size_t>(index)];
}

const TILXMLAttribute& TILXMLNode::Attribute(int index) const
{
    return const_cast<TILXMLNode*>(this)->Attribute(index);
}

std::string TILXMLNode::AttributesText() const
{
    std::string text;
    AppendAttributesText(text);
    return text;
}

void TILXMLNode::AppendAttributesText(std::string& out) const
{
    for (const TILXMLAttribute& attribute : attributes_) {
        out += ' ';
        out += attribute.Name;
        out += "=\"";
        // Most values need no reference and are copied as they are.
        const bool plain = !attribute.Value.starts_with(' ')
                           && std::all_of(attribute.Value.begin(), attribute.Value.end(), [](char c) {
                                  const auto byte = static_cast<unsigned char>(c);
                                  return byte >= 32 && byte < 0x80 && c != '&' && c != '<' && c != '>' && c != '"';
                              });
        if (plain) {
            out += attribute.Value;
        } else {
            out += EncodeXMLAttribute(attribute.Value);
        }
        out += '"';
    }
}

TILXMLNode* TILXMLNode::FindChild(std::string_view name) const
{
    for (fw::Object* child : Children()) {
        auto* node = static_cast<TILXMLNode*>(child);
        if (node->tag_ == name) {
            return node;
        }
    }
    return nullptr;
}

TILXMLNode* TILXMLNode::GetChild(int index) const
{
    return static_cast<TILXMLNode*>(Children().Items(index));
}

TILXMLTree* TILXMLNode::Tree() const
{
    return dynamic_cast<TILXMLTree*>(Root());
}

std::string TILXMLNode::GetPath() const
{
    std::vector<const TILXMLNode*> chain;
    for (const THierarchyNode* node = this; node != nullptr; node = node->Parent(0)) {
        auto* element = dynamic_cast<const TILXMLNode*>(node);
        if (element == nullptr) {
            break;
        }
        chain.push_back(element);
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

TILXMLNode* TILXMLNode::FindPathBelow(std::string_view path, bool checkSelf) const
{
    if (checkSelf && EndsWith(GetPath(), path)) {
        return const_cast<TILXMLNode*>(this);
    }
    for (fw::Object* child : Children()) {
        if (TILXMLNode* found = static_cast<TILXMLNode*>(child)->FindPathBelow(path, true)) {
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
        for (fw::Object* child : Children()) {
            if (TILXMLNode* found = static_cast<TILXMLNode*>(child)->FindTagBelow(name, true, true)) {
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
    return found != nullptr ? found->value_ : std::string();
}

void TILXMLTree::Assign(const fw::Persistent* source)
{
    if (auto* node = dynamic_cast<const TILXMLNode*>(source)) {
        // The source may live in this very tree: copy it before clearing.
        TILXMLNode copy;
        copy.Assign(node);
        Clear();
        auto* top = new TILXMLNode;
        AddChild(static_cast<THierarchyNode*>(top));
        top->Assign(&copy);
        return;
    }
    if (auto* tree = dynamic_cast<const TILXMLTree*>(source)) {
        if (tree == this) {
            return;
        }
        Clear();
        for (int i = 0; i < tree->TopNodeCount(); ++i) {
            auto* top = new TILXMLNode;
            AddChild(static_cast<THierarchyNode*>(top));
            top->Assign(tree->GetTopNode(i));
        }
        return;
    }
    THierarchyRoot::Assign(source);
}

TILXMLNode* TILXMLTree::AddRootNode(std::string_view tagText)
{
    auto node = std::make_unique<TILXMLNode>();
    ParseTagText(*node, tagText);
    AddChild(node.get());
    return node.release();
}

TILXMLNode* TILXMLTree::GetTopNode(int index) const
{
    return static_cast<TILXMLNode*>(Children().Items(index));
}

TILXMLNode* TILXMLTree::FindTag(std::string_view pathOrName, bool must) const
{
    for (fw::Object* top : Children()) {
        if (TILXMLNode* found = static_cast<TILXMLNode*>(top)->FindTag(pathOrName, true, true, false)) {
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
    return found != nullptr ? found->Value() : std::string();
}
