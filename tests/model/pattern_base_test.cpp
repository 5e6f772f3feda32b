#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <array>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"

namespace {

// A kind whose class is not written yet: enough to see the table and the loaders at work.
class FakePattern : public TTWPatternBase {
public:
    explicit FakePattern(int kind) : kind_(kind) {}

    std::string_view className() const override { return "FakePattern"; }
    int GetPatternType() const override { return kind_; }
    int GetCardCount() const override { return 0; }
    int GetPickCount() const override { return 0; }
    void ConvertToThreaded(TTWPattern&) override {}
    void ExtractXML(const TILXMLNode* element, double& version) override
    {
        TTWPatternBase::ExtractXML(element, version);
        ElementTag = element->Tag();
    }

    std::string ElementTag;

private:
    int kind_;
};

std::unique_ptr<TTWPatternBase> MakeFakeFont()
{
    return std::make_unique<FakePattern>(PatternTypeFont);
}

std::unique_ptr<TTWPatternBase> MakeFakeDoubleFace()
{
    return std::make_unique<FakePattern>(PatternTypeDoubleFace);
}

// Each test decides which kinds have a class; the table is put back afterwards.
class PatternBaseTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            saved_[static_cast<size_t>(kind)] = PatternClassOf(kind);
        }
        ClearPatternClasses();
        RegisterThreadedPattern();
        folder_ = UniqueScratchFolder("tavelin_pattern_base_test");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder_);
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            RegisterPatternClass(kind, saved_[static_cast<size_t>(kind)]);
        }
    }

    std::string WriteFile(const char* name, const std::string& text) const
    {
        const std::filesystem::path file = folder_ / name;
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }

    // Runs the action and hands back the error it raises, or fails.
    template <class Action>
    static TGenericException ErrorOf(Action action)
    {
        try {
            action();
        } catch (const TGenericException& error) {
            return error;
        }
        ADD_FAILURE() << "no error raised";
        return TGenericException("", nullptr, "", "");
    }

    std::array<TTWPatternFactory, 8> saved_{};
    std::filesystem::path folder_;
};

std::string PatternFile(std::string_view type, std::string_view content = "")
{
    return "<TWData><Source>Tavelin</Source><Version>1.17</Version><Release/>"
           "<Pattern Type=\"" +
           std::string(type) + "\"><Name><![CDATA[Read]]></Name>" + std::string(content) + "</Pattern></TWData>";
}

// Restores the numeric locale however the test ends.
class NumericLocale {
public:
    NumericLocale()
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = current != nullptr ? current : "C";
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;

    bool Set(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

private:
    std::string saved_;
};

} // namespace

TEST_F(PatternBaseTest, KindTableMapsNamesBothWays)
{
    const std::array<std::tuple<int, std::string_view, std::string_view>, 7> kinds{{
        {1, "Font", "Font"},
        {2, "Threaded", "Threaded-in"},
        {3, "DoubleFace", "Doubleface"},
        {4, "BrokenTwill", "3/1 Broken Twill"},
        {5, "LetteredBand", "Lettered Band"},
        {6, "Brocade", "Brocade"},
        {7, "TwistPatterned", "TwistPatterned"},
    }};
    for (const auto& [code, shortName, fileName] : kinds) {
        EXPECT_EQ(shortName, PatternTypeName(code));
        EXPECT_EQ(fileName, PatternTypeFileName(code));
        EXPECT_EQ(code, PatternTypeFromName(shortName));
        EXPECT_EQ(code, PatternTypeFromName(fileName));
    }
    EXPECT_EQ(PatternTypeTwistPatterned, PatternTypeFromName("warptwined"));
    EXPECT_EQ(PatternTypeDoubleFace, PatternTypeFromName("DOUBLEFACE"));
    EXPECT_EQ(PatternTypeNone, PatternTypeFromName("Unknown"));
    EXPECT_EQ(PatternTypeNone, PatternTypeFromName("Threaded "));
    EXPECT_EQ("Unknown", PatternTypeName(0));
}

TEST_F(PatternBaseTest, FactoryMakesOnlyTheRegisteredKinds)
{
    std::unique_ptr<TTWPatternBase> threaded = CreatePatternOfType(PatternTypeThreaded);
    ASSERT_NE(nullptr, threaded);
    EXPECT_EQ("TTWPattern", threaded->className());
    EXPECT_EQ(nullptr, CreatePatternOfType(PatternTypeDoubleFace));
    EXPECT_EQ(nullptr, CreatePatternOfType(0));
    EXPECT_EQ(nullptr, CreatePatternOfType(-1));

    RegisterPatternClass(PatternTypeDoubleFace, &MakeFakeDoubleFace);
    EXPECT_TRUE(IsPatternClassRegistered(PatternTypeDoubleFace));
    EXPECT_EQ(PatternTypeDoubleFace, CreatePatternOfType(PatternTypeDoubleFace)->GetPatternType());
    RegisterPatternClass(PatternTypeDoubleFace, nullptr);
    EXPECT_FALSE(IsPatternClassRegistered(PatternTypeDoubleFace));

    EXPECT_THROW(RegisterPatternClass(0, &MakeFakeDoubleFace), TGenericException);
    EXPECT_THROW(RegisterPatternClass(8, &MakeFakeDoubleFace), TGenericException);
    ClearPatternClasses();
    EXPECT_EQ(nullptr, CreatePatternOfType(PatternTypeThreaded));
}

TEST_F(PatternBaseTest, LoadFromFileAcceptsOnlyItsOwnKind)
{
    TTWPattern pattern;
    pattern.LoadFromFile(WriteFile("threaded.tvl", PatternFile("THREADED-IN")));
    EXPECT_EQ("Read", pattern.Name());

    const std::string doubleFace = WriteFile("df.tvl", PatternFile("Doubleface"));
    TGenericException wrongKind = ErrorOf([&] { pattern.LoadFromFile(doubleFace); });
    EXPECT_EQ("This file does not contain a Threaded pattern.\r\nFile: " + doubleFace, wrongKind.Message());
    ASSERT_EQ(1, wrongKind.InfoCount());
    EXPECT_EQ("TTWPattern", wrongKind.GetInfo(0)->SenderName);
    EXPECT_EQ("LoadFromFile", wrongKind.GetInfo(0)->MethodName);

    const std::string font = WriteFile("font.tvf", "<TWData><Font Type=\"Font\"/></TWData>");
    TGenericException noData = ErrorOf([&] { pattern.LoadFromFile(font); });
    EXPECT_EQ("No pattern data found.\r\nFile: " + font, noData.Message());
    EXPECT_EQ("LoadFromFile", noData.GetInfo(0)->MethodName);
    EXPECT_EQ("Read", pattern.Name());
}

TEST_F(PatternBaseTest, LoadAndCreatePatternMakesTheKindTheFileNames)
{
    std::unique_ptr<TTWPatternBase> threaded = LoadAndCreatePattern(WriteFile(
        "threaded.tvl", PatternFile("Threaded", "<Cards Count=\"1\"><Card Holes=\"6\"><Holes Count=\"6\"/></Card>"
                                                "</Cards>")));
    ASSERT_NE(nullptr, threaded);
    EXPECT_EQ(PatternTypeThreaded, threaded->GetPatternType());
    EXPECT_EQ(1, threaded->GetCardCount());
    EXPECT_EQ(6, threaded->GetCards()->HoleCount());

    const std::string doubleFace = WriteFile("df.tvl", PatternFile("doubleface"));
    TGenericException noClass = ErrorOf([&] { LoadAndCreatePattern(doubleFace); });
    EXPECT_EQ("Unable to create pattern.\r\nThe type <doubleface> is unknown.\r\nFilename: " + doubleFace,
              noClass.Message());
    RegisterPatternClass(PatternTypeDoubleFace, &MakeFakeDoubleFace);
    std::unique_ptr<TTWPatternBase> made = LoadAndCreatePattern(doubleFace);
    EXPECT_EQ(PatternTypeDoubleFace, made->GetPatternType());
    EXPECT_EQ("Read", made->Name());

    // The file is named, as the browser, the join and conversion tools may read several.
    const std::string odd = WriteFile("odd.tvl", PatternFile("Unknown"));
    TGenericException unknown = ErrorOf([&] { LoadAndCreatePattern(odd); });
    EXPECT_EQ("Unable to create pattern.\r\nThe type <Unknown> is unknown.\r\nFilename: " + odd, unknown.Message());
    ASSERT_EQ(1, unknown.InfoCount());
    EXPECT_EQ("", unknown.GetInfo(0)->SenderName);
    EXPECT_EQ("LoadAndCreatePattern", unknown.GetInfo(0)->MethodName);

    const std::string emptyFile = WriteFile("empty.tvl", "<TWData><Source>Tavelin</Source></TWData>");
    TGenericException empty = ErrorOf([&] { LoadAndCreatePattern(emptyFile); });
    EXPECT_EQ("No pattern or font data found in this file.\r\nFilename: " + emptyFile, empty.Message());
    EXPECT_EQ("LoadAndCreatePattern", empty.GetInfo(0)->MethodName);
}

TEST_F(PatternBaseTest, FontDataComesBeforePatternData)
{
    const std::string both =
        WriteFile("both.tvl", "<TWData><Pattern Type=\"Threaded\"/><Font Type=\"Font\"><Name>F</Name></Font></TWData>");
    TGenericException noFontClass = ErrorOf([&] { LoadAndCreatePattern(both); });
    EXPECT_EQ("Unable to create pattern.\r\nThe type <Font> is unknown.\r\nFilename: " + both, noFontClass.Message());

    TILXMLTree tree;
    tree.LoadFromFile(both);
    EXPECT_EQ("Unable to create pattern.\r\nThe type <Font> is unknown.",
              ErrorOf([&] { CreatePatternFromXML(tree); }).Message());

    RegisterPatternClass(PatternTypeFont, &MakeFakeFont);
    std::unique_ptr<TTWPatternBase> font = LoadAndCreatePattern(both);
    ASSERT_EQ(PatternTypeFont, font->GetPatternType());
    EXPECT_EQ("Font", static_cast<FakePattern&>(*font).ElementTag);
    EXPECT_EQ("F", font->Name());
    EXPECT_EQ(PatternTypeFont, CreatePatternFromXML(tree)->GetPatternType());
}

TEST_F(PatternBaseTest, CreatePatternFromXMLRequiresPatternData)
{
    TILXMLTree tree;
    tree.ParseText(PatternFile("Threaded-in"));
    std::unique_ptr<TTWPatternBase> pattern = CreatePatternFromXML(tree);
    ASSERT_NE(nullptr, pattern);
    EXPECT_EQ("Read", pattern->Name());

    // A kind without a class is refused by name, never answered as a missing pattern.
    tree.ParseText(PatternFile("Lettered Band"));
    const TGenericException unknown = ErrorOf([&] { CreatePatternFromXML(tree); });
    EXPECT_EQ("Unable to create pattern.\r\nThe type <Lettered Band> is unknown.", unknown.Message());
    EXPECT_EQ("CreatePatternFromXML", unknown.GetInfo(0)->MethodName);

    tree.ParseText("<TWData><Source>Tavelin</Source></TWData>");
    EXPECT_EQ("Tag <TWData/Pattern> not found.", ErrorOf([&] { CreatePatternFromXML(tree); }).Message());
}

TEST_F(PatternBaseTest, ReadingFailuresFreeTheNewPatternAndPassTheErrorOn)
{
    const std::string file = WriteFile(
        "bad.tvl", PatternFile("Threaded", "<Cards Count=\"2\"><Card Holes=\"4\"><Holes Count=\"4\"/></Card>"
                                           "<Card Holes=\"9\"><Holes Count=\"9\"/></Card></Cards>"));
    TGenericException error = ErrorOf([&] { LoadAndCreatePattern(file); });
    // The error names the file it was read from.
    EXPECT_EQ("No class for 9-hole cards has been defined.\r\nA card has 3 to 8 holes.\r\nFilename: " + file, error.Message());

    TILXMLTree tree;
    tree.LoadFromFile(file);
    EXPECT_THROW(CreatePatternFromXML(tree), TGenericException);
}

TEST_F(PatternBaseTest, VersionReadsWithAPointWhateverTheLocale)
{
    NumericLocale locale;
    if (!locale.Set("de_DE.UTF-8") && !locale.Set("de_DE.utf8")) {
        GTEST_SKIP() << "no German locale installed";
    }
    const auto versionOf = [](const std::string& text) {
        TILXMLTree tree;
        tree.ParseText(text);
        TTWPattern pattern;
        double version = -1;
        pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
        return version;
    };
    const auto withVersion = [](std::string_view version) {
        return "<TWData><Version>" + std::string(version) + "</Version><Pattern Type=\"Threaded\"/></TWData>";
    };
    EXPECT_DOUBLE_EQ(1.17, versionOf(withVersion("1.17")));
    EXPECT_DOUBLE_EQ(1.15, versionOf(withVersion("1,15")));
    EXPECT_DOUBLE_EQ(2, versionOf(withVersion("2")));
    EXPECT_EQ(0, versionOf(withVersion("1.1,7")));
    EXPECT_EQ(0, versionOf(withVersion("new")));
    EXPECT_EQ(0, versionOf("<TWData><Pattern Type=\"Threaded\"/></TWData>"));
    // A detached element has no document to take a version from.
    TILXMLNode detached;
    EXPECT_EQ(0, ReadTWDataVersion(&detached));
}

TEST_F(PatternBaseTest, NotesAreLinesOrAPlainTextAndMissingPartsKeepTheirDefaults)
{
    UserSettings().DefaultNotes = "Default";
    TTWPattern pattern;
    pattern.SetName("Old");
    pattern.SelvedgeLeft().Add(CreateCard(4).release());
    TILXMLTree tree;
    double version = 0;
    tree.ParseText("<TWData><Pattern Type=\"Threaded\"/></TWData>");
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    EXPECT_EQ("", pattern.Name());
    EXPECT_EQ("Default", pattern.Notes());
    EXPECT_EQ(0, pattern.SelvedgeLeft().Count());

    tree.ParseText("<TWData><Pattern Type=\"Threaded\"><Notes>a&#13;&#10;b &#60;c&#62;</Notes></Pattern></TWData>");
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    EXPECT_EQ("a\r\nb <c>", pattern.Notes());

    tree.ParseText("<TWData><Pattern Type=\"Threaded\"><Notes><L2>two</L2><L1>one</L1></Notes>"
                   "<Selvedges><Right><Cards Count=\"1\"><Card Holes=\"3\"><Holes Count=\"3\"/></Card></Cards>"
                   "</Right></Selvedges></Pattern></TWData>");
    pattern.ExtractXML(tree.FindTag("TWData/Pattern", true), version);
    EXPECT_EQ("one\r\ntwo", pattern.Notes());
    EXPECT_EQ(0, pattern.SelvedgeLeft().Count());
    ASSERT_EQ(1, pattern.SelvedgeRight().Count());
    EXPECT_EQ(3, pattern.SelvedgeRight().GetCard(0)->GetHoleCount());
}
