#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_arena.h"
#include "framework/core/file_io.h"
#include "framework/core/object.h"
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
void ValidateXMLTag(std::string_view name, bool isAttribute, bool force = false);

// One attribute of an element. Names may repeat: adding does not check. Both views point
// into the memory of the element's document and stay valid as long as it.
struct TILXMLAttribute {
    std::string_view Name;
    std::string_view Value;
};

// An element of a stored file: a tag, ordered attributes and either a value or children.
// Its parent is another element, or none for a top-level element of a document and for an
// element of its own.
//
// An element made with new (or on the stack) stands on its own and holds an arena for what
// it and its children take; every element below it, and every element of a document, lives
// in the arena of its document and goes with it. Such elements are made only through their
// parent (AddChild and the like) and are never freed one by one.
class TILXMLNode : public fw::Persistent {
public:
    TILXMLNode();
    ~TILXMLNode() override;
    TILXMLNode(const TILXMLNode&) = delete;
    TILXMLNode& operator=(const TILXMLNode&) = delete;

    std::string_view className() const override { return "TILXMLNode"; }
    fw::Object* NewInstance() const override { return new TILXMLNode; }
    // From a node: a deep copy (tag, attributes, value, CDATA flag and every descendant).
    // From a tree: this node's children become copies of the tree's top-level elements.
    void Assign(const fw::Persistent* source) override;

    std::string_view Tag() const { return tag_; }
    void SetTag(std::string_view tag);
    std::string_view Value() const { return value_; }
    void SetValue(std::string_view value);
    bool CData() const { return cdata_; }
    void SetCData(bool cdata) { cdata_ = cdata; }
    bool HasValue() const { return !value_.empty(); }

    // A new last child whose tag and attributes come from the tag text, as in a start tag
    // ("Pick Index=\"3\"").
    TILXMLNode* AddChild(std::string_view tagText, bool cdata = false);
    TILXMLNode* AddChildValue(std::string_view tagText, std::string_view value, bool cdata = false);
    // A child holding a free text (a name, a comment, a folder) as CDATA, in the form
    // EncodeCDataText gives it; Text() reads it back.
    TILXMLNode* AddChildText(std::string_view tagText, std::string_view text);
    std::string Text() const;
    // names and values alternate; an odd count raises.
    TILXMLNode* AddChildWithAttributes(std::string_view tagText, bool cdata, const std::vector<std::string>& pairs);

    const TILXMLAttribute& AddAttribute(std::string_view name, std::string_view value);
    void AddAttributes(const std::vector<std::string>& pairs);
    // The first attribute's value with that name, empty when absent.
    std::string GetAttribute(std::string_view name) const { return std::string(AttributeValue(name)); }
    // The same as a view into the document, for readers that only look at it.
    std::string_view AttributeValue(std::string_view name) const;
    // Sets the first attribute with that name; when absent adds one if asked to. False only
    // when absent and not added.
    bool SetAttribute(std::string_view name, std::string_view value, bool create = true);
    int AttributeCount() const { return attributeCount_; }
    std::span<const TILXMLAttribute> Attributes() const
    {
        return {attributes_, static_cast<std::size_t>(attributeCount_)};
    }
    // Raises a list error outside the range.
    const TILXMLAttribute& Attribute(int index) const;
    // The attributes as written: a space, the name, "=" and the value in double quotes each.
    std::string AttributesText() const;
    void AppendAttributesText(std::string& out) const;
    // Drops the attributes.
    void ClearAttributes() { attributeCount_ = 0; }

    int ChildCount() const { return childCount_; }
    // The children in order.
    std::span<TILXMLNode* const> Children() const { return {children_, static_cast<std::size_t>(childCount_)}; }
    // The parent element; none for a top-level element and for an element of its own.
    TILXMLNode* Parent() const { return parent_; }

    // Children made one at a time: makeChild(parent, index) adds child number index
    // (0 to count - 1) to parent. In a document that makes children when it is written (see
    // TILXMLTree::ChildMaking), they are made only while the document is written, a few
    // hundred at a time, each batch gone before the next is made, so that a list of tens of
    // thousands of elements never stands in memory whole; they are then not among Children()
    // and copies leave them out. Anywhere else they are made here and now. The elements and
    // data makeChild uses must live until the document is written. No child may be added
    // after them: it would be written before them.
    using ChildMaker = std::function<void(TILXMLNode& parent, int index)>;
    void AddChildrenWhenWritten(int count, ChildMaker makeChild);
    // Whether children wait to be made when the document is written.
    bool HasChildrenToMake() const { return childrenToMake_ >= 0; }
    // Makes the waiting children, in order, handing each to visit before the batch it
    // belongs to is freed.
    void VisitChildrenToMake(const std::function<void(const TILXMLNode& child)>& visit) const;
    // The first direct child with the tag, none when absent.
    TILXMLNode* FindChild(std::string_view name) const;
    // Raises a list error outside the range.
    TILXMLNode* GetChild(int index) const;

    // The document this element belongs to, none for an element of its own and those below it.
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
    friend class TILXMLElementMaker;
    // The reader fills a node's tag and attributes in place.
    friend void ParseTagText(TILXMLNode& node, std::string_view text);
    friend void ParseStoredTagText(TILXMLNode& node, std::string_view text);

    // An element in the arena of a document or of an element of its own.
    TILXMLNode(TILXMLArena& arena, TILXMLNode* parent) : arena_(&arena), parent_(parent) {}
    // A new element in this element's arena, not yet linked.
    TILXMLNode* MakeChild();
    void LinkChild(TILXMLNode* child);
    // Replaces the children with the given ones, which were made for this element.
    void SetChildren(TILXMLNode* const* children, std::size_t count);
    TILXMLAttribute& AppendAttribute()
    {
        if (attributeCount_ == attributeCapacity_) {
            GrowAttributes();
        }
        return *new (&attributes_[attributeCount_++]) TILXMLAttribute;
    }
    void GrowAttributes();
    void ReserveAttributes(std::size_t count);

    TILXMLNode* FindTagBelow(std::string_view name, bool checkSelf, bool recursive) const;
    TILXMLNode* FindPathBelow(std::string_view path, bool checkSelf) const;
    bool PathEndsWith(std::string_view end) const;
    // Copies the source's tag, value, attributes and descendants into this element, which
    // has no children yet.
    void CopyFrom(const TILXMLNode& source);

    TILXMLArena* arena_;
    TILXMLNode* parent_ = nullptr;
    TILXMLNode** children_ = nullptr;
    TILXMLAttribute* attributes_ = nullptr;
    std::string_view tag_;
    std::string_view value_;
    int childCount_ = 0;
    int childCapacity_ = 0;
    int attributeCount_ = 0;
    int attributeCapacity_ = 0;
    bool cdata_ = false;
    // Whether the arena is this element's own.
    bool ownsArena_ = false;
    // Where the children waiting to be made are listed in the document, or -1.
    int childrenToMake_ = -1;
};

// The in-memory document of a stored file: its top-level elements, and the arena all its
// elements live in.
class TILXMLTree : public fw::Persistent {
public:
    // When the children given to AddChildrenWhenWritten are made: at once, or only while
    // the document is written (for a document made to be saved and then dropped).
    enum class ChildMaking { Now, WhenWritten };

    explicit TILXMLTree(ChildMaking childMaking = ChildMaking::Now);
    ~TILXMLTree() override;
    TILXMLTree(const TILXMLTree&) = delete;
    TILXMLTree& operator=(const TILXMLTree&) = delete;

    std::string_view className() const override { return "TILXMLTree"; }
    fw::Object* NewInstance() const override { return new TILXMLTree; }
    // From a node: one top-level element copied from it. From a tree: copies of all its
    // top-level elements.
    void Assign(const fw::Persistent* source) override;

    // Frees every element.
    void Clear();

    TILXMLNode* AddRootNode(std::string_view tagText);
    // Raises a list error outside the range.
    TILXMLNode* GetTopNode(int index) const;
    int TopNodeCount() const { return static_cast<int>(topNodes_.size()); }
    const std::vector<TILXMLNode*>& TopNodes() const { return topNodes_; }

    // Searches every top-level element (itself, its children, then deeper); a miss with must
    // raises "Tag <path> not found.".
    TILXMLNode* FindTag(std::string_view pathOrName, bool must) const;
    std::string GetTagValue(std::string_view pathOrName, bool must) const;

    // The file as text: every element on its own line, two spaces a level when indented,
    // every line ended by CR LF. With a file name the text is also written there, stored as
    // Windows-1252; an existing file is replaced only with overwrite set.
    std::string BuildXML(const std::filesystem::path& fileName, bool overwrite, bool indent = true) const;
    std::string BuildXML(bool indent = true) const { return BuildXML({}, false, indent); }
    // Writes the same bytes as BuildXML(fileName, true, indent), piece by piece: the file's
    // text never stands in memory whole, and children waiting to be made are made batch by
    // batch as they are written. The file is replaced only once it is whole; errors raise
    // as BuildXML's.
    void SaveToFile(const std::filesystem::path& fileName, bool indent = true) const;

    // Replaces the document with the file's elements. Only a regular file within the limit is
    // read (fw::ReadFileBytes); its bytes are taken as ParseFileBytes takes them.
    void LoadFromFile(const std::filesystem::path& fileName, const fw::FileSizeLimit& limit = {});
    // Replaces the document with the elements of a stored file's bytes: Windows-1252, or
    // UTF-8 or UTF-16 as StoredFileTextToUtf8 tells them (xml_file_text.h), whose errors it
    // raises as they are.
    void ParseFileBytes(std::string bytes);
    // Replaces the document with the elements parsed from the lines. An error names the
    // line and position: "Error in XML structure.\r\nLine <n>\r\nPosition <column>".
    void ParseLines(const fw::StringList& lines);
    // The same over text in memory (UTF-8), split at any line break.
    void ParseText(std::string_view text);

private:
    friend class TILXMLElementMaker;
    friend class TILXMLNode;

    struct ChildrenToMake {
        int Count;
        TILXMLNode::ChildMaker Make;
    };

    // A new top-level element in the arena, not yet linked.
    TILXMLNode* MakeTopNode();
    TILXMLNode* CopyTopNode(const TILXMLNode& source);

    std::unique_ptr<TILXMLArena> arena_;
    std::vector<TILXMLNode*> topNodes_;
    ChildMaking childMaking_;
    std::vector<ChildrenToMake> childrenToMake_;
};

// Sets a node's tag and attributes from the text between the angle brackets of a start tag.
void ParseTagText(TILXMLNode& node, std::string_view text);
// The same for a text that lives as long as the node's document, which the node's tag and
// attributes may then point into.
void ParseStoredTagText(TILXMLNode& node, std::string_view text);

// The deepest nesting of elements the reader accepts; deeper files are refused with an error
// instead of exhausting the stack.
inline constexpr int MaxXMLDepth = 512;
