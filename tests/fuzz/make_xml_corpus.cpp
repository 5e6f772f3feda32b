// Writes the seed files of the XML reader's fuzz target that come from our own writer, so
// that the fuzzer starts from files shaped like the ones the program stores.
//
//   make_xml_corpus <folder>           the small gen-*.xml files kept with the sources
//   make_xml_corpus --large <folder>   the large-*.xml files made afresh for each run
//
// The output depends on nothing but this program and the writer, so the kept files can be
// checked against a fresh run.

#include <cstddef>
#include <filesystem>
#include <string>

#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/file_io.h"
#include "corpus_maker.h"

namespace {

namespace fs = std::filesystem;

template <class Build>
void Save(const fs::path& folder, const char* name, Build build, bool indent = true)
{
    TILXMLTree tree;
    build(tree);
    tree.BuildXML(folder / name, true, indent);
}

// A pattern-like document: attributes, values, text lines and empty elements.
void Pattern(TILXMLTree& tree)
{
    TILXMLNode* pattern = tree.AddRootNode("Pattern Version=\"1.17\" Kind=\"DoubleFace\"");
    pattern->AddChildValue("Name", EncodeXMLText("Ribbon \"Rosé\" <1> & [2]"));
    pattern->WriteTextLines("Notes", "First line\r\nSecond line, 20 € and ½\r\n\r\nLast ]]> line");
    TILXMLNode* cards = pattern->AddChild("Cards Count=\"3\"");
    for (int i = 0; i < 3; ++i) {
        TILXMLNode* card = cards->AddChildWithAttributes("Card", false, {"Index", std::to_string(i), "Holes", "4"});
        card->AddChildValue("Threading", i % 2 == 0 ? "S" : "Z");
        card->AddChildValue("Colours", "1,2,3,4");
    }
    pattern->AddChild("Empty");
    pattern->AddChildValue("Twist", "0.25");
}

// Attribute values with every character the writer has to escape.
void Attributes(TILXMLTree& tree)
{
    TILXMLNode* root = tree.AddRootNode("Attributes");
    root->AddChildWithAttributes("Quoted", false, {"a", "say \"hi\"", "b", "it's", "c", "<&>", "d", ""});
    root->AddChildWithAttributes("Controls", false, {"tab", "a\tb", "lines", "one\r\ntwo", "nul", std::string(1, '\0')});
    root->AddChildWithAttributes("Unicode", false, {"latin", "Zoë €", "beyond", "Łódź ✓ 𝄞"});
    root->AddChildWithAttributes("Repeated", false, {"x", "1", "x", "2", "ns:y", "3", "_z.w-v", "4"});
    root->AddChildValue("Escaped value=\"&#60;&#62;\"", EncodeXMLText("a < b > c & [d]"));
}

// Values that need more than one CDATA section, span lines or hold blank lines.
void CData(TILXMLTree& tree)
{
    TILXMLNode* root = tree.AddRootNode("Texts");
    root->AddChildValue("Terminator", "a]]>b]]>]]>", true);
    root->AddChildValue("Brackets", "]]]>>[[", true);
    root->AddChildValue("Lines", "one\r\n\r\n  three\r\n", true);
    root->AddChildValue("Markup", "<a href=\"x\">&amp;</a>", true);
    root->WriteTextLines("Encoded", "x]]>y\r\n<&>\r\n");
}

void TwoRoots(TILXMLTree& tree)
{
    tree.AddRootNode("First a=\"1\"")->AddChildValue("Value", "x");
    tree.AddRootNode("Second")->AddChild("Child");
}

void Nested(TILXMLTree& tree, int depth)
{
    TILXMLNode* node = tree.AddRootNode("Level n=\"1\"");
    for (int i = 2; i <= depth; ++i) {
        node = node->AddChild("Level n=\"" + std::to_string(i) + "\"");
    }
    node->AddChildValue("Bottom", "deep");
}

void Siblings(TILXMLTree& tree, int count)
{
    TILXMLNode* root = tree.AddRootNode("Picks");
    for (int i = 0; i < count; ++i) {
        root->AddChildWithAttributes("Pick", false, {"Index", std::to_string(i)})->SetValue(std::to_string(i * 7 % 13));
    }
}

void WriteSmall(const fs::path& folder)
{
    Save(folder, "gen-pattern.xml", Pattern);
    Save(folder, "gen-pattern-flat.xml", Pattern, false);
    Save(folder, "gen-attributes.xml", Attributes);
    Save(folder, "gen-cdata.xml", CData);
    Save(folder, "gen-two-roots.xml", TwoRoots);
    Save(folder, "gen-nested.xml", [](TILXMLTree& tree) { Nested(tree, 30); });
    Save(folder, "gen-siblings.xml", [](TILXMLTree& tree) { Siblings(tree, 40); }, false);
    Save(folder, "gen-empty.xml", [](TILXMLTree&) {});
}

// Too large to keep with the sources.
void WriteLarge(const fs::path& folder)
{
    // Far beyond the deepest nesting the reader accepts: once on one line and closed, once a
    // start tag a line, indented, and never closed.
    std::string open;
    std::string close;
    for (int i = 0; i < 10000; ++i) {
        open += "<e>";
        close += "</e>";
    }
    fw::WriteFileAtomically(folder / "large-deep-10000.xml", open + close);
    std::string indented;
    for (int i = 0; i < 10000; ++i) {
        indented.append(static_cast<std::size_t>(i % 16) * 2, ' ');
        indented += "<e>\r\n";
    }
    fw::WriteFileAtomically(folder / "large-deep-10000-lines.xml", indented);
    Save(folder, "large-deepest-accepted.xml", [](TILXMLTree& tree) { Nested(tree, MaxXMLDepth - 1); });
    Save(folder, "large-siblings.xml", [](TILXMLTree& tree) { Siblings(tree, 5000); });
}

} // namespace

int main(int argc, char** argv)
{
    return RunCorpusMaker(argc, argv, "make_xml_corpus", [](const fs::path& folder, bool large) {
        SetXMLNameCheck(true);
        large ? WriteLarge(folder) : WriteSmall(folder);
    });
}
