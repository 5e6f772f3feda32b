#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/generic_exception.h"
#include "foundation/xml_attribute_split.h"
#include "foundation/xml_file_text.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/strings.h"

// The reader's way into the elements it makes: each is made in the document's arena, and its
// children are linked once they are all read, in a list of their exact size.
class TILXMLElementMaker {
public:
    static TILXMLNode* NewTop(TILXMLTree& tree) { return tree.MakeTopNode(); }
    static void AddTop(TILXMLTree& tree, TILXMLNode* node) { tree.topNodes_.push_back(node); }
    static TILXMLNode* NewChild(TILXMLNode& parent) { return parent.MakeChild(); }
    static void SetChildren(TILXMLNode& node, TILXMLNode* const* children, std::size_t count)
    {
        node.SetChildren(children, count);
    }
    // The value lies in the document's memory already.
    static void SetStoredValue(TILXMLNode& node, std::string_view value) { node.value_ = value; }
    static TILXMLArena& Arena(TILXMLTree& tree) { return *tree.arena_; }
    static TILXMLArena& Arena(TILXMLNode& node) { return *node.arena_; }
};

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

// The place of the first CR or LF at or after from; the text's size when there is none.
// Lines of a stored file are short: both characters are looked for in one pass, sixteen
// bytes at a time, rather than each with a call of its own.
std::size_t NextLineBreak(std::string_view text, std::size_t from)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; at + 16 <= size; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const int found = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (found != 0) {
            return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
        }
    }
#endif
    for (; at < size; ++at) {
        if (data[at] == '\r' || data[at] == '\n') {
            return at;
        }
    }
    return size;
}

// Splits text at CR LF, CR or LF; a final break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    // Room for lines of 16 characters on average, so that the list of a stored file is not
    // copied as it grows; the room not used is never touched, and shorter lines still grow it.
    lines.reserve(text.size() / 16 + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lineBreak = NextLineBreak(text, start);
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
    // The lines live in the arena, so that elements may point into them.
    XMLParser(const std::vector<std::string_view>& lines, TILXMLArena& arena) : lines_(lines), arena_(arena) {}

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
        // A tag read across lines lies in a buffer that the next tag overwrites.
        const auto fill = [this, &node](std::string_view text) {
            if (tagInBuffer_) {
                ParseTagText(node, text);
            } else {
                ParseStoredTagText(node, text);
            }
        };
        if (tagText.back() == '/') {
            fill(tagText.substr(0, tagText.size() - 1));
            return true;
        }
        fill(tagText);
        SkipWhiteAndComments();
        bool childrenRead = false;
        if (!AtEnd()) {
            if (Peek() != '<') {
                TILXMLElementMaker::SetStoredValue(node, ReadValue());
            } else if (LookingAt("<![CDATA[")) {
                TILXMLElementMaker::SetStoredValue(node, ReadCData());
                node.SetCData(true);
            } else {
                // Any end tag ends the children; a wrong one is then reported as such. The
                // children of every open element wait on one stack until their parent ends.
                const std::size_t first = children_.size();
                const bool childMayNest = depth + 1 <= MaxXMLDepth;
                while (!AtEnd() && Peek() == '<' && !AtEndTag(childMayNest)) {
                    TILXMLNode* child = TILXMLElementMaker::NewChild(node);
                    if (!ParseElement(*child, depth + 1, true)) {
                        break;
                    }
                    children_.push_back(child);
                    SkipWhiteAndComments();
                }
                TILXMLElementMaker::SetChildren(node, children_.data() + first, children_.size() - first);
                children_.resize(first);
                childrenRead = true;
            }
        }
        // Skipping again finds nothing after the children, which end with a skip.
        const std::string_view endText = ReadTag(true, childrenRead);
        if (endText.empty()) {
            Fail("No end tag found - need </" + std::string(node.Tag()) + ">.");
        }
        const std::string_view found = endText.substr(1);
        if (found != node.Tag()) {
            Fail("Incorrect tag - found </" + std::string(found) + ">, need </" + std::string(node.Tag()) + ">.");
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
        while (line_ < lines_.size()) {
            // The indentation found on the way is kept for SkipWhite, which would search it
            // again at once.
            const std::string_view line = lines_[line_];
            std::size_t indent = 0;
            while (indent < line.size() && IsSpaceOrTab(line[indent])) {
                ++indent;
            }
            if (indent < line.size() && !IsBlankLine(line.substr(indent))) {
                indentLine_ = line_;
                indent_ = indent;
                return;
            }
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
            if (column == 0 && indentLine_ == line_) {
                column = indent_;
            }
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
                tagInBuffer_ = false;
                return EndOfTag(TrimView(line.substr(column_, close - column_)), close, endTag);
            }
        }
        tagInBuffer_ = true;
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
    // its "<". With childMayNest, an element read here would not be refused for its depth.
    bool AtEndTag(bool childMayNest)
    {
        const std::string_view text = CurrentLine();
        // A tag that starts with neither a blank nor "/" is a start tag; reading it as the
        // element will fails where reading it here would, and nothing else is decided by it,
        // so it is not searched twice. An element too deep is refused before its tag is read:
        // there the tag is read here, as before.
        if (childMayNest && column_ + 1 < text.size()) {
            const char first = text[column_ + 1];
            if (first != '/' && !fw::IsBlank(first)) {
                return false;
            }
        }
        // Nearly every tag closes on its own line: its text is looked at where it lies. Any
        // other tag is read as the element will read it, so that it fails the same way.
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

    // The text up to the next "<", line breaks dropped; it lies in the arena.
    std::string_view ReadValue()
    {
        // Nearly every value ends on its own line and is taken where it lies.
        {
            const std::string_view line = CurrentLine();
            const std::size_t open = line.find('<', column_);
            if (open != std::string_view::npos) {
                const std::string_view value = line.substr(column_, open - column_);
                column_ = open;
                return value;
            }
        }
        std::string& value = textBuffer_;
        value.clear();
        while (!AtEnd()) {
            const std::string_view line = CurrentLine();
            const std::size_t open = line.find('<', column_);
            if (open != std::string_view::npos) {
                value.append(line.substr(column_, open - column_));
                column_ = open;
                return arena_.Copy(value);
            }
            if (column_ < line.size()) {
                value.append(line.substr(column_));
            }
            NextLine();
        }
        return arena_.Copy(value);
    }

    // The text of one or more adjacent CDATA sections, a CR LF for every line break. Lines
    // inside a section are taken as they are, blank ones included. The text lies in the arena.
    std::string_view ReadCData()
    {
        static constexpr std::string_view Open = "<![CDATA[";
        column_ += Open.size();
        // Nearly every section ends on its own line and stands alone: it is taken where it lies.
        {
            const std::string_view line = CurrentLine();
            const std::size_t close = column_ <= line.size() ? line.find("]]>", column_) : std::string_view::npos;
            if (close != std::string_view::npos && !line.substr(close + 3).starts_with(Open)) {
                const std::string_view value = line.substr(column_, close - column_);
                column_ = close + 3;
                if (column_ >= line.size()) {
                    NextLine();
                }
                return value;
            }
        }
        std::string& value = textBuffer_;
        value.clear();
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
            return arena_.Copy(value);
        }
    }

    const std::vector<std::string_view>& lines_;
    TILXMLArena& arena_;
    std::vector<TILXMLNode*> children_;
    std::string tagBuffer_;
    bool tagInBuffer_ = false;
    // The line NextLine last landed on, and where its indentation ends.
    std::size_t indentLine_ = static_cast<std::size_t>(-1);
    std::size_t indent_ = 0;
    std::string textBuffer_;
    std::size_t line_ = 0;
    std::size_t column_ = 0;
};

// The lines lie in the tree's arena, which the tree has just been cleared for.
void ParseInto(TILXMLTree& tree, const std::vector<std::string_view>& lines)
{
    XMLParser parser(lines, TILXMLElementMaker::Arena(tree));
    try {
        while (!parser.AtEnd()) {
            // An element that comes to nothing, or fails, is left out of the document; its
            // memory goes with the document's.
            TILXMLNode* node = TILXMLElementMaker::NewTop(tree);
            if (!parser.ParseElement(*node, 1)) {
                break;
            }
            TILXMLElementMaker::AddTop(tree, node);
        }
    } catch (const std::exception& error) {
        const XMLParser::Place place = parser.ErrorPlace();
        throw TGenericException::CreateFromSender("Error in XML structure.\r\nLine " + std::to_string(place.Line)
                                                      + "\r\nPosition " + std::to_string(place.Column),
                                                  &error, &tree, "Parse");
    }
}

} // namespace

// Every element read passes through here, so the tag and the attributes are views into the
// text where they need no decoding; the attributes are gathered first, so that the element
// sizes its list once.
void ParseStoredTagText(TILXMLNode& node, std::string_view text)
{
    text = TrimView(text);
    // Tag names are short: a plain loop finds their end sooner than a call would.
    std::size_t space = 0;
    while (space < text.size() && text[space] != ' ') {
        ++space;
    }
    if (space == text.size()) {
        space = std::string_view::npos;
    }
    // A tag cut at the first blank may still end in a tab or another control character.
    const std::string_view tag = TrimView(text.substr(0, space));
    // The names are only looked at for a check that is on.
    const bool checkNames = XMLNameCheck();
    if (checkNames) {
        ValidateXMLTag(tag, false);
    }
    node.tag_ = tag;
    node.attributeCount_ = 0;
    if (space == std::string_view::npos) {
        return;
    }
    // Few elements have more attributes than fit here; the rest are split again into a list
    // of their own.
    constexpr std::size_t Held = 8;
    // Raw room, filled by the split: made empty first, it would cost as much as the split.
    alignas(TILXMLRawAttribute) std::byte heldRoom[Held * sizeof(TILXMLRawAttribute)];
    auto* const held = reinterpret_cast<TILXMLRawAttribute*>(heldRoom);
    const std::string_view rest = TrimView(text.substr(space));
    const std::size_t count = SplitXMLAttributes(rest, held, Held);
    std::vector<TILXMLRawAttribute> more;
    if (count > Held) {
        more.resize(count);
        SplitXMLAttributes(rest, more.data(), count);
    }
    const TILXMLRawAttribute* raw = count > Held ? more.data() : held;
    node.ReserveAttributes(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (checkNames) {
            ValidateXMLTag(raw[i].name, true);
        }
        TILXMLAttribute& attribute = node.AppendAttribute();
        attribute.Name = raw[i].name;
        attribute.Value = raw[i].mayHoldReference ? node.arena_->Copy(DecodeXMLAttribute(raw[i].value)) : raw[i].value;
    }
}

void ParseTagText(TILXMLNode& node, std::string_view text)
{
    ParseStoredTagText(node, node.arena_->Copy(TrimView(text)));
}

void TILXMLTree::ParseLines(const fw::StringList& lines)
{
    Clear();
    std::vector<std::string_view> views;
    views.reserve(static_cast<std::size_t>(lines.Count()));
    for (const std::string& line : lines) {
        views.push_back(arena_->Copy(line));
    }
    ParseInto(*this, views);
}

void TILXMLTree::ParseText(std::string_view text)
{
    Clear();
    ParseInto(*this, SplitLines(arena_->Copy(text)));
}

void TILXMLTree::LoadFromFile(const std::filesystem::path& fileName, const fw::FileSizeLimit& limit)
{
    ParseFileBytes(fw::ReadFileBytes(fileName, limit));
}

void TILXMLTree::ParseFileBytes(std::string bytes)
{
    std::string text = StoredFileTextToUtf8(std::move(bytes), this);
    Clear();
    ParseInto(*this, SplitLines(arena_->Adopt(std::move(text))));
}
