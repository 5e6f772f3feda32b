#include <algorithm>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/files.h"

namespace {

// The text being written, in one buffer that grows by doubling: each piece is copied to its
// place without the checks and calls of appending to a string piece by piece. The buffer is
// cut to the text written when the writing ends. A sink with a drain hands its text on
// whenever a piece is full, between elements, and starts its buffer again.
class TextSink {
public:
    using Drain = std::function<void(std::string_view text)>;

    explicit TextSink(std::string& out, Drain drain = {}) : out_(out), used_(out.size()), drain_(std::move(drain)) {}
    ~TextSink() { out_.resize(used_); }
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;

    // Room for count characters at the end, to be written at once.
    char* Room(std::size_t count)
    {
        if (out_.size() - used_ < count) {
            out_.resize(std::max({out_.size() * 2, used_ + count, std::size_t{64 * 1024}}));
        }
        char* at = out_.data() + used_;
        used_ += count;
        return at;
    }
    void Append(std::string_view text) { CopyXMLBytes(Room(text.size()), text.data(), text.size()); }
    void Append(char c) { *Room(1) = c; }
    void AppendSpaces(std::size_t count) { std::memset(Room(count), ' ', count); }

    // Called between elements only: a piece never ends inside a character or a reference.
    void DrainIfFull()
    {
        if (drain_ && used_ >= PieceSize) {
            DrainAll();
        }
    }
    void DrainAll()
    {
        if (drain_ && used_ > 0) {
            drain_(std::string_view(out_.data(), used_));
            used_ = 0;
        }
    }

private:
    static constexpr std::size_t PieceSize = 256 * 1024;

    std::string& out_;
    std::size_t used_;
    Drain drain_;
};

// Most values need no reference and are copied as they are.
bool IsPlainAttributeValue(std::string_view value)
{
    if (value.starts_with(' ')) {
        return false;
    }
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"') {
            return false;
        }
    }
    return true;
}

void AppendAttributes(TextSink& out, const TILXMLNode& node)
{
    for (const TILXMLAttribute& attribute : node.Attributes()) {
        const bool plain = IsPlainAttributeValue(attribute.Value);
        // A blank, the name, "=" and the opening quote; a plain value and its closing quote too.
        const std::size_t size = attribute.Name.size() + 3 + (plain ? attribute.Value.size() + 1 : 0);
        char* at = out.Room(size);
        *at++ = ' ';
        CopyXMLBytes(at, attribute.Name.data(), attribute.Name.size());
        at += attribute.Name.size();
        *at++ = '=';
        *at++ = '"';
        if (plain) {
            CopyXMLBytes(at, attribute.Value.data(), attribute.Value.size());
            at += attribute.Value.size();
        } else {
            // The closing quote's place moves behind the encoded value.
            out.Append(EncodeXMLAttribute(attribute.Value));
            out.Append('"');
            continue;
        }
        *at = '"';
    }
}

// A CDATA section cannot hold its own terminator: a value holding "]]>" is written as
// adjacent sections split between "]]" and ">", which the reader joins again.
void AppendCData(TextSink& out, std::string_view value)
{
    out.Append("<![CDATA[");
    std::size_t pos = 0;
    for (std::size_t end = value.find("]]>"); end != std::string_view::npos; end = value.find("]]>", pos)) {
        out.Append(value.substr(pos, end + 2 - pos));
        out.Append("]]><![CDATA[");
        pos = end + 2;
    }
    out.Append(value.substr(pos));
    out.Append("]]>");
}

void AppendEndTag(TextSink& out, std::string_view tag)
{
    char* at = out.Room(tag.size() + 5);
    *at++ = '<';
    *at++ = '/';
    CopyXMLBytes(at, tag.data(), tag.size());
    at += tag.size();
    std::memcpy(at, ">\r\n", 3);
}

// Elements are written iteratively: a file may nest deeper than the stack would like.
void WriteNode(TextSink& out, const TILXMLNode& top, int level, bool indent)
{
    enum class Part { Start, ChildrenToMake, End };
    struct Step {
        const TILXMLNode* node;
        int level;
        Part part;
    };
    std::vector<Step> pending{{&top, level, Part::Start}};
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const TILXMLNode& node = *step.node;
        out.DrainIfFull();
        if (step.part == Part::ChildrenToMake) {
            // Each batch is written before the next is made; those children are made
            // without any of their own waiting, so the recursion goes one level deep.
            node.VisitChildrenToMake([&](const TILXMLNode& child) { WriteNode(out, child, step.level, indent); });
            continue;
        }
        if (indent && step.level > 0) {
            out.AppendSpaces(static_cast<std::size_t>(step.level) * 2);
        }
        if (step.part == Part::End) {
            AppendEndTag(out, node.Tag());
            continue;
        }
        out.Append('<');
        out.Append(node.Tag());
        AppendAttributes(out, node);
        if (node.HasValue()) {
            out.Append('>');
            if (node.CData()) {
                AppendCData(out, node.Value());
            } else {
                out.Append(node.Value());
            }
            AppendEndTag(out, node.Tag());
        } else if (node.ChildCount() == 0 && !node.HasChildrenToMake()) {
            out.Append("/>\r\n");
        } else {
            out.Append(">\r\n");
            const int childLevel = step.level < 0 ? step.level : step.level + 1;
            pending.push_back({&node, step.level, Part::End});
            if (node.HasChildrenToMake()) {
                pending.push_back({&node, childLevel, Part::ChildrenToMake});
            }
            const std::span<TILXMLNode* const> children = node.Children();
            for (auto child = children.rbegin(); child != children.rend(); ++child) {
                pending.push_back({*child, childLevel, Part::Start});
            }
        }
    }
}

} // namespace

void TILXMLNode::AppendAttributesText(std::string& out) const
{
    TextSink sink(out);
    AppendAttributes(sink, *this);
}

namespace {

// Stored files are Windows-1252; ASCII alone, as written texts nearly always are, is the same
// there.
std::string_view StoredText(std::string_view text, std::string& converted)
{
    if (fw::AsciiPrefixLength(text) == text.size()) {
        return text;
    }
    converted = fw::Utf8ToWindows1252Referenced(text);
    return converted;
}

} // namespace

void TILXMLTree::SaveToFile(const std::filesystem::path& fileName, bool indent) const
{
    fw::AtomicFileWriter file(fileName);
    std::string piece;
    std::string converted;
    {
        TextSink sink(piece, [&](std::string_view text) { file.Write(StoredText(text, converted)); });
        for (const TILXMLNode* top : topNodes_) {
            WriteNode(sink, *top, 0, indent);
        }
        sink.DrainAll();
    }
    file.Commit();
}

std::string TILXMLTree::BuildXML(const std::filesystem::path& fileName, bool overwrite, bool indent) const
{
    if (!fileName.empty() && !overwrite && fw::FileExists(fileName.string())) {
        throw TGenericException::CreateFromSender(
            "Unable to save XML file as file already exists.\r\nFilename: " + fileName.string(), nullptr, this,
            "BuildXML");
    }
    std::string text;
    {
        TextSink sink(text);
        for (const TILXMLNode* top : topNodes_) {
            WriteNode(sink, *top, 0, indent);
        }
    }
    if (!fileName.empty()) {
        std::string converted;
        fw::WriteFileAtomically(fileName, StoredText(text, converted));
    }
    return text;
}
