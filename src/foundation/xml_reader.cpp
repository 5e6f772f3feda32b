#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_attribute_split.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/strings.h"

namespace {

bool IsSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}

bool IsBlankLine(std::string_view line)
{
    for (char c : line) {
        if (!fw::IsBlank(c)) {
            return false;
        }
    }
    return true;
}

std::string_view TrimView(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && fw::IsBlank(text[first])) {
        ++first;
    }
    std::size_t last = text.size();
    while (last > first && fw::IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

// Splits text at CR LF, CR or LF; a final break adds no empty line. The next CR and the
// next LF are each searched for on their own (a fast memchr) and only again once passed.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    const auto next = [text](char c, std::size_t from) { return std::min(text.find(c, from), text.size()); };
    std::size_t nextCR = next('\r', 0);
    std::size_t nextLF = next('\n', 0);
    std::size_t start = 0;
    while (start < text.size()) {
        if (nextCR < start) {
            nextCR = next('\r', start);
        }
        if (nextLF < start) {
            nextLF = next('\n', start);
        }
        std::size_t lineBreak = std::min(nextCR, nextLF);
        if (lineBreak == text.size()) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, lineBreak - start));
        if (text[lineBreak] == '\r' && lineBreak + 1 < text.size() && text[lineBreak + 1] == '\n') {
            ++lineBreak;
        }
        start = lineBreak + 1;
    }
    return lines;
}

// Reads elements from lines of text. The cursor is a line index and a column; stepping past
// the end of a line moves to the start of the next one and over every line after it that
// holds only white space. Errors are plain, carrying only their message: the caller adds
// the line and position.
class XMLParser {
public:
    explicit XMLParser(const std::vector<std::string_view>& lines) : lines_(lines) {}

    bool AtEnd() const { return line_ >= lines_.size(); }

    // Where an error is reported, counted from 1: the cursor, or for a text that ran out
    // (a file cut short) just past the end of its last line that holds anything.
    struct Place {
        std::size_t Line;
        std::size_t Column;
    };
    Place ErrorPlace() const
    {
        if (!AtEnd()) {
            return {line_ + 1, column_ + 1};
        }
        std::size_t last = lines_.size();
        while (last > 1 && IsBlankLine(lines_[last - 1])) {
            --last;
        }
        if (last == 0) {
            return {1, 1};
        }
        return {last, lines_[last - 1].size() + 1};
    }

    // Parses one element into the node; false when only white space, comments or
    // declarations were left. With skipped, white space and comments before it have been
    // skipped already.
    bool ParseElement(TILXMLNode& node, int depth, bool skipped = false)
    {
        if (depth > MaxXMLDepth) {
            Fail("Elements are nested deeper than " + std::to_string(MaxXMLDepth) + " levels.");
        }
        const std::string_view tagText = ReadTag(false, skipped);
        if (tagText.empty()) {
            return false;
        }
        if (tagText.back() == '/') {
            ParseTagText(node, tagText.substr(0, tagText.size() - 1));
            return true;
        }
        ParseTagText(node, tagText);
        SkipWhiteAndComments();
        bool childrenRead = false;
        if (!AtEnd()) {
            if (Peek() != '<') {
                node.SetValue(ReadValue());
            } else if (LookingAt("<![CDATA[")) {
                node.SetValue(ReadCData());
                node.SetCData(true);
            } else {
                // Any end tag ends the children; a wrong one is then reported as such.
                while (!AtEnd() && Peek() == '<' && !AtEndTag()) {
                    auto* child = new TILXMLNode;
                    node.AddChild(static_cast<THierarchyNode*>(child));
                    if (!ParseElement(*child, depth + 1, true)) {
                        delete child;
                        break;
                    }
                    SkipWhiteAndComments();
                }
                childrenRead = true;
            }
        }
        // Skipping again finds nothing after the children, which end with a skip.
        const std::string_view endText = ReadTag(true, childrenRead);
        if (endText.empty()) {
            Fail("No end tag found - need </" + node.Tag() + ">.");
        }
        const std::string_view found = endText.substr(1);
        if (found != node.Tag()) {
            Fail("Incorrect tag - found </" + std::string(found) + ">, need </" + node.Tag() + ">.");
        }
        return true;
    }

private:
    [[noreturn]] static void Fail(const std::string& message) { throw fw::Exception(message); }

    std::string_view CurrentLine() const { return lines_[line_]; }

    // The character under the cursor; a line break where the cursor stands past a line's end.
    char Peek() const
    {
        const std::string_view line = CurrentLine();
        return column_ < line.size() ? line[column_] : '\n';
    }

    bool LookingAt(std::string_view text) const
    {
        return !AtEnd() && CurrentLine().substr(column_).starts_with(text);
    }

    void NextLine()
    {
        ++line_;
        column_ = 0;
        while (line_ < lines_.size() && IsBlankLine(lines_[line_])) {
            ++line_;
        }
    }

    void Advance(std::size_t count)
    {
        column_ += count;
        if (column_ >= CurrentLine().size()) {
            NextLine();
        }
    }

    // Indentation is skipped a line at a time; reaching a line's end moves to the next line.
    void SkipWhite()
    {
        while (!AtEnd()) {
            const std::string_view line = CurrentLine();
            std::size_t column = column_;
            while (column < line.size() && IsSpaceOrTab(line[column])) {
                ++column;
            }
            if (column < line.size()) {
                column_ = column;
                return;
            }
            NextLine();
        }
    }

    // Moves past the terminator, searching across lines; to the end when there is none.
    void SkipPast(std::string_view terminator)
    {
        while (!AtEnd()) {
            const std::size_t found = CurrentLine().find(terminator, column_);
            if (found != std::string_view::npos) {
                Advance(found + terminator.size() - column_);
                return;
            }
            NextLine();
        }
    }

    void SkipWhiteAndComments()
    {
        SkipWhite();
        while (!AtEnd()) {
            // All that is skipped here starts with "<!" or "<?": an element is let through at once.
            const std::string_view line = CurrentLine();
            if (line.size() < column_ + 2 || line[column_] != '<'
                || (line[column_ + 1] != '!' && line[column_ + 1] != '?')) {
                return;
            }
            if (LookingAt("<!--")) {
                SkipPast("-->");
            } else if (LookingAt("<?")) {
                SkipPast("?>");
            } else if (LookingAt("<!DOCTYPE") || LookingAt("<!ELEMENT") || LookingAt("<!ATTLIST")) {
                SkipPast(">");
            } else {
                return;
            }
            SkipWhite();
        }
    }

    // The trimmed text between "<" and the next ">", joined across lines; empty when the
    // lines run out first. The cursor ends after the ">". The text stays valid until the next
    // call: it lies in the line itself, or for a tag spread over lines in a buffer. With
    // skipped, white space and comments before it have been skipped already.
    std::string_view ReadTag(bool endTag, bool skipped = false)
    {
        if (!skipped) {
            SkipWhiteAndComments();
        }
        if (AtEnd()) {
            return {};
        }
        if (Peek() != '<') {
            Fail("Expecting a '<' tag identifier.");
        }
        Advance(1);
        if (endTag && (AtEnd() || Peek() != '/')) {
            Fail("Expecting an end tag - no '/' found.");
        }
        // Nearly every tag closes on its own line and is handed out without a copy.
        if (!AtEnd()) {
            const std::string_view line = CurrentLine();
            const std::size_t close = line.find('>', column_);
            if (close != std::string_view::npos) {
                return EndOfTag(TrimView(line.substr(column_, close - column_)), close, endTag);
            }
        }
        std::string& text = tagBuffer_;
        text.clear();
        while (!AtEnd()) {
            const std::string_view line = CurrentLine();
            const std::size_t close = line.find('>', column_);
            if (close != std::string_view::npos) {
                text.append(line.substr(column_, close - column_));
                return EndOfTag(TrimView(text), close, endTag);
            }
            if (column_ < line.size()) {
                text.append(line.substr(column_));
            }
            NextLine();
        }
        Fail("No '>' found to close the tag <" + std::string(TrimView(text)) + ".");
    }

    // Moves past the ">" at the column of the current line and hands the tag text back; an
    // end tag that also closes itself is refused with the cursor on its ">".
    std::string_view EndOfTag(std::string_view trimmed, std::size_t close, bool endTag)
    {
        if (endTag && trimmed.size() > 1 && trimmed.back() == '/') {
            column_ = close;
            Fail("Invalid end tag <" + std::string(trimmed) + ">.");
        }
        Advance(close + 1 - column_);
        return trimmed;
    }

    // Whether the tag ahead is an end tag, leaving the cursor where it is. The cursor is on
    // its "<".
    bool AtEndTag()
    {
        // Nearly every tag closes on its own line: its text is looked at where it lies. Any
        // other tag is read as the element will read it, so that it fails the same way.
        const std::string_view text = CurrentLine();
        if (column_ + 1 < text.size()) {
            const std::size_t close = text.find('>', column_ + 1);
            if (close != std::string_view::npos) {
                return TrimView(text.substr(column_ + 1, close - column_ - 1)).starts_with('/');
            }
        }
        const std::size_t line = line_;
        const std::size_t column = column_;
        const bool endTag = ReadTag(false).starts_with('/');
        line_ = line;
        column_ = column;
        return endTag;
    }

    // The text up to the next "<", line breaks dropped.
    std::string ReadValue()
    {
        std::string value;
        while (!AtEnd()) {
            const std::string_view line = CurrentLine();
            const std::size_t open = line.find('<', column_);
            if (open != std::string_view::npos) {
                value.append(line.substr(column_, open - column_));
                column_ = open;
                return value;
            }
            if (column_ < line.size()) {
                value.append(line.substr(column_));
            }
            NextLine();
        }
        return value;
    }

    // The text of one or more adjacent CDATA sections, a CR LF for every line break. Lines
    // inside a section are taken as they are, blank ones included.
    std::string ReadCData()
    {
        static constexpr std::string_view Open = "<![CDATA[";
        std::string value;
        column_ += Open.size();
        while (true) {
            if (AtEnd()) {
                Fail("No end of CDATA section found - need ]]>.");
            }
            const std::string_view line = CurrentLine();
            const std::size_t close = column_ <= line.size() ? line.find("]]>", column_) : std::string_view::npos;
            if (close == std::string_view::npos) {
                if (column_ < line.size()) {
                    value.append(line.substr(column_));
                }
                value += "\r\n";
                ++line_;
                column_ = 0;
                continue;
            }
            value.append(line.substr(column_, close - column_));
            column_ = close + 3;
            if (line.substr(column_).starts_with(Open)) {
                column_ += Open.size();
                continue;
            }
            if (column_ >= line.size()) {
                NextLine();
            }
            return value;
        }
    }

    const std::vector<std::string_view>& lines_;
    std::string tagBuffer_;
    std::size_t line_ = 0;
    std::size_t column_ = 0;
};

void ParseInto(TILXMLTree& tree, const std::vector<std::string_view>& lines)
{
    tree.Clear();
    XMLParser parser(lines);
    try {
        while (!parser.AtEnd()) {
            // Linked before it is filled, like every element below it: linking a finished
            // element would walk its whole subtree to raise the levels. One that comes to
            // nothing, or fails, is freed and so leaves the tree again.
            auto node = std::make_unique<TILXMLNode>();
            tree.AddChild(static_cast<THierarchyNode*>(node.get()));
            if (!parser.ParseElement(*node, 1)) {
                break;
            }
            node.release();
        }
    } catch (const std::exception& error) {
        const XMLParser::Place place = parser.ErrorPlace();
        throw TGenericException::CreateFromSender("Error in XML structure.\r\nLine " + std::to_string(place.Line)
                                                      + "\r\nPosition " + std::to_string(place.Column),
                                                  &error, &tree, "Parse");
    }
}

} // namespace

// Every element read passes through here, so the attributes go straight into the node's own
// strings: gathered first, so that the node sizes its list once, and decoded only when they
// may hold a reference at all.
void ParseTagText(TILXMLNode& node, std::string_view text)
{
    text = TrimView(text);
    const std::size_t space = text.find(' ');
    // A tag cut at the first blank may still end in a tab or another control character.
    const std::string_view tag = TrimView(text.substr(0, space));
    // The name is only copied for a check that is on.
    const bool checkNames = XMLNameCheck();
    if (checkNames) {
        ValidateXMLTag(std::string(tag), false);
    }
    node.tag_.assign(tag);
    node.attributes_.clear();
    if (space == std::string_view::npos) {
        return;
    }
    // Few elements have more attributes than fit here; the rest are split again into a list
    // of their own.
    constexpr std::size_t Held = 8;
    TILXMLRawAttribute held[Held];
    const std::string_view rest = TrimView(text.substr(space));
    const std::size_t count = SplitXMLAttributes(rest, held, Held);
    std::vector<TILXMLRawAttribute> more;
    if (count > Held) {
        more.resize(count);
        SplitXMLAttributes(rest, more.data(), count);
    }
    const TILXMLRawAttribute* raw = count > Held ? more.data() : held;
    node.attributes_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (checkNames) {
            ValidateXMLTag(std::string(raw[i].name), true);
        }
        TILXMLAttribute& attribute = node.attributes_.emplace_back();
        attribute.Name.assign(raw[i].name);
        if (raw[i].mayHoldReference) {
            attribute.Value = DecodeXMLAttribute(raw[i].value);
        } else {
            attribute.Value.assign(raw[i].value);
        }
    }
}

void TILXMLTree::ParseLines(const fw::StringList& lines)
{
    std::vector<std::string_view> views(lines.begin(), lines.end());
    ParseInto(*this, views);
}

void TILXMLTree::ParseText(std::string_view text)
{
    ParseInto(*this, SplitLines(text));
}

void TILXMLTree::LoadFromFile(const std::filesystem::path& fileName)
{
    const std::string text = fw::Windows1252ToUtf8(fw::ReadFileBytes(fileName));
    ParseText(text);
}
