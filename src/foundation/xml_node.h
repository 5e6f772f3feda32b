#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/hierarchy_node.h"
#include "framework/core/string_list.h"

class TILXMLTree;

// Whether element and attribute names are checked when they are set. On from start-up; the
// main window switches it off when it is created, so that at run time names are checked
// only where a caller forces it.
bool XMLNameCheck();
void SetXMLNameCheck(bool on);

// Raises a TGenericException "Invalid Node Tag <name>:" (or "Invalid Attribute Name <name>:")
// with the reason chained behind it when the name is no valid XML name. Does nothing while
// the check is off, unless forced.
void ValidateXMLTag(const std::string& name, bool isAttribute, bool force = false);

// One attribute of an element. Names may repeat: adding does not check.
struct TILXMLAttribute {
    std::string Name;
    std::string Value;
};

// Memory for the attribute lists of elements; see xml_node.cpp.
void* AllocateXMLAttributes(std::size_t bytes);
void ReleaseXMLAttributes(void* block, std::size_t bytes) noexcept;

// The allocator of an element's attribute list: most elements carry a few attributes, and
// their lists come from pools of their own, as the elements do.
template <class T>
struct TILXMLAttributeAllocator {
    using value_type = T;

    TILXMLAttributeAllocator() = default;
    template <class U>
    TILXMLAttributeAllocator(const TILXMLAttributeAllocator<U>& /*other*/) noexcept
    {
    }

    T* allocate(std::size_t count) { return static_cast<T*>(AllocateXMLAttributes(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept { ReleaseXMLAttributes(block, count * sizeof(T)); }

    friend bool operator==(const TILXMLAttributeAllocator&, const TILXMLAttributeAllocator&) { return true; }
};

// An element of a stored file: a tag, ordered attributes and either a value or children.
// Its one parent is another element, or the tree for a top-level element.
class TILXMLNode : public THierarchyNode {
public:
    TILXMLNode() = default;
    ~TILXMLNode() override;

    // Elements are made and freed by the hundred thousand when a file is read: they take
    // their memory from a pool of their own (see xml_block_pool.h).
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    std::string_view className() const override { return "TILXMLNode"; }
    fw::Object* NewInstance() const override { return new TILXMLNode; }
    // From a node: a deep copy (tag, attributes, value, CDATA flag and every descendant).
    // From a tree: this node's children become copies of the tree's top-level elements.
    void Assign(const fw::Persistent* source) override;

    using THierarchyNode::AddChild;

    const std::string& Tag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    bool CData() const { return cdata_; }
    void SetCData(bool cdata) { cdata_ = cdata; }
    bool HasValue() const { return !value_.empty(); }

    // A new last child whose tag and attributes come from the tag text, as in a start tag
    // ("Pick Index=\"3\"").
    TILXMLNode* AddChild(std::string_view tagText, bool cdata = false);
    TILXMLNode* AddChildValue(std::string_view tagText, std::string value, bool cdata = false);
    // A child holding a free text (a name, a comment, a folder) as CDATA, in the form
    // EncodeCDataText gives it; Text() reads it back.
    TILXMLNode* AddChildText(std::string_view tagText, std::string_view text);
    std::string Text() const;
    // names and values alternate; an odd count raises.
    TILXMLNode* AddChildWithAttributes(std::string_view tagText, bool cdata, const std::vector<std::string>& pairs);

    TILXMLAttribute& AddAttribute(std::string name, std::string value);
    void AddAttributes(const std::vector<std::string>& pairs);
    // The first attribute's value with that name, empty when absent.
    std::string GetAttribute(std::string_view name) const;
    // Sets the first attribute with that name; when absent adds one if asked to. False only
    // when absent and not added.
    bool SetAttribute(const std::string& name, std::string value, bool create = true);
    int AttributeCount() const { return static_cast<int>(attributes_.size()); }
    // Raises a list error outside the range.
    TILXMLAttribute& Attribute(int index);
    const TILXMLAttribute& Attribute(int index) const;
    // The attributes as written: a space, the name, "=" and the value in double quotes each.
    std::string AttributesText() const;
    void AppendAttributesText(std::string& out) const;
    // Replaces the attributes; for the reader, which has already split the tag text.
    void ClearAttributes() { attributes_.clear(); }

    // The first direct child with the tag, none when absent.
    TILXMLNode* FindChild(std::string_view name) const;
    // Raises a list error outside the range.
    TILXMLNode* GetChild(int index) const;

    // The document this element belongs to, none while it is detached.
    TILXMLTree* Tree() const;
    // The tags from the top-level element down to this one, joined by "/".
    std::string GetPath() const;

    // The first element below (or, with checkSelf, at) this one whose path ends with the
    // given path; with must, a miss raises "Path <path> not found.".
    TILXMLNode* FindPath(std::string_view path, bool checkSelf, bool must) const;
    // The element with the tag: this one (with checkSelf), a direct child, or with recursive
    // the first match depth first. A name with "/" is a path. With must, a miss raises
    // "Tag <name> not found." once, after the whole search.
    TILXMLNode* FindTag(std::string_view name, bool checkSelf, bool recursive, bool must) const;
    std::string GetTagValue(std::string_view name, bool checkSelf, bool recursive, bool must) const;

    // A child with the tag holding one CDATA child per line, named prefix + line number,
    // each line encoded with EncodeXMLText.
    TILXMLNode* WriteTextLines(std::string_view tag, std::string_view text, std::string_view prefix = "L");
    // The lines written by WriteTextLines, joined with CR LF: from the child with the tag
    // (searched recursively, empty when absent), or from this node's own children when the
    // tag is empty.
    std::string ReadTextLines(std::string_view tag, std::string_view prefix = "L") const;

private:
    friend class TILXMLTree;
    // The reader fills a node's tag and attributes in place.
    friend void ParseTagText(TILXMLNode& node, std::string_view text);

    // Frees the elements below the node's children, deepest first; see xml_node.cpp.
    static void FreeElementsBelow(const THierarchyNode& top);

    TILXMLNode* FindTagBelow(std::string_view name, bool checkSelf, bool recursive) const;
    TILXMLNode* FindPathBelow(std::string_view path, bool checkSelf) const;
    void CopyFrom(const TILXMLNode& source);

    std::string tag_;
    std::string value_;
    std::vector<TILXMLAttribute, TILXMLAttributeAllocator<TILXMLAttribute>> attributes_;
    bool cdata_ = false;
};

// The in-memory document of a stored file; its children are the top-level elements.
class TILXMLTree : public THierarchyRoot {
public:
    TILXMLTree() = default;
    ~TILXMLTree() override;

    std::string_view className() const override { return "TILXMLTree"; }
    fw::Object* NewInstance() const override { return new TILXMLTree; }
    // From a node: one top-level element copied from it. From a tree: copies of all its
    // top-level elements.
    void Assign(const fw::Persistent* source) override;

    // Frees every element.
    void Clear();

    TILXMLNode* AddRootNode(std::string_view tagText);
    TILXMLNode* GetTopNode(int index) const;
    int TopNodeCount() const { return ChildCount(); }

    // Searches every top-level element (itself, its children, then deeper); a miss with must
    // raises "Tag <path> not found.".
    TILXMLNode* FindTag(std::string_view pathOrName, bool must) const;
    std::string GetTagValue(std::string_view pathOrName, bool must) const;

    // The file as text: every element on its own line, two spaces a level when indented,
    // every line ended by CR LF. With a file name the text is also written there, stored as
    // Windows-1252; an existing file is replaced only with overwrite set.
    std::string BuildXML(const std::filesystem::path& fileName, bool overwrite, bool indent = true) const;
    std::string BuildXML(bool indent = true) const { return BuildXML({}, false, indent); }

    // Replaces the document with the file's elements (the file is Windows-1252).
    void LoadFromFile(const std::filesystem::path& fileName);
    // Replaces the document with the elements parsed from the lines. An error names the
    // line and position: "Error in XML structure.\r\nLine <n>\r\nPosition <column>".
    void ParseLines(const fw::StringList& lines);
    // The same over text in memory (UTF-8), split at any line break.
    void ParseText(std::string_view text);
};

// Sets a node's tag and attributes from the text between the angle brackets of a start tag.
void ParseTagText(TILXMLNode& node, std::string_view text);

// The deepest nesting of elements the reader accepts; deeper files are refused with an error
// instead of exhausting the stack.
inline constexpr int MaxXMLDepth = 512;
