#include <algorithm>
#include <string>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/files.h"

namespace {

// A CDATA section cannot hold its own terminator: a value holding "]]>" is written as
// adjacent sections split between "]]" and ">", which the reader joins again.
void AppendCData(std::string& out, std::string_view value)
{
    out += "<![CDATA[";
    std::size_t pos = 0;
    for (std::size_t end = value.find("]]>"); end != std::string_view::npos; end = value.find("]]>", pos)) {
        out.append(value.substr(pos, end + 2 - pos));
        out += "]]><![CDATA[";
        pos = end + 2;
    }
    out.append(value.substr(pos));
    out += "]]>";
}

// Elements are written iteratively: a file may nest deeper than the stack would like.
void WriteNode(std::string& out, const TILXMLNode& top, int level, bool indent)
{
    struct Step {
        const TILXMLNode* node;
        int level;
        bool closing;
    };
    std::vector<Step> pending{{&top, level, false}};
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const TILXMLNode& node = *step.node;
        if (indent && step.level > 0) {
            out.append(static_cast<std::size_t>(step.level) * 2, ' ');
        }
        if (step.closing) {
            out += "</";
            out += node.Tag();
            out += ">\r\n";
            continue;
        }
        out += '<';
        out += node.Tag();
        node.AppendAttributesText(out);
        if (node.HasValue()) {
            out += '>';
            if (node.CData()) {
                AppendCData(out, node.Value());
            } else {
                out += node.Value();
            }
            out += "</";
            out += node.Tag();
            out += ">\r\n";
        } else if (node.ChildCount() == 0) {
            out += "/>\r\n";
        } else {
            out += ">\r\n";
            pending.push_back({&node, step.level, true});
            for (int i = node.ChildCount() - 1; i >= 0; --i) {
                pending.push_back({node.GetChild(i), step.level < 0 ? step.level : step.level + 1, false});
            }
        }
    }
}

} // namespace

std::string TILXMLTree::BuildXML(const std::filesystem::path& fileName, bool overwrite, bool indent) const
{
    if (!fileName.empty() && !overwrite && fw::FileExists(fileName.string())) {
        throw TGenericException::CreateFromSender(
            "Unable to save XML file as file already exists.\r\nFilename: " + fileName.string(), nullptr, this,
            "BuildXML");
    }
    std::string text;
    for (int i = 0; i < TopNodeCount(); ++i) {
        WriteNode(text, *GetTopNode(i), 0, indent);
    }
    if (!fileName.empty()) {
        // ASCII alone, as written texts nearly always are, is the same in Windows-1252.
        if (fw::AsciiPrefixLength(text) == text.size()) {
            fw::WriteFileAtomically(fileName, text);
        } else {
            fw::WriteFileAtomically(fileName, fw::Utf8ToWindows1252Referenced(text));
        }
    }
    return text;
}
