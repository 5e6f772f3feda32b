#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_attribute_split.h"

namespace {

struct Split {
    std::size_t count = 0;
    std::vector<TILXMLRawAttribute> attributes;
};

Split SplitOf(std::string_view text, std::size_t capacity, bool byCharacter)
{
    Split split;
    split.attributes.resize(capacity);
    split.count = byCharacter ? SplitXMLAttributesByCharacter(text, split.attributes.data(), capacity)
                              : SplitXMLAttributes(text, split.attributes.data(), capacity);
    split.attributes.resize(std::min(split.count, capacity));
    return split;
}

// Both splits must agree on the count and on every attribute kept, views included: the
// reader's elements point where the views point.
void ExpectSameSplit(std::string_view text, std::size_t capacity)
{
    const Split fast = SplitOf(text, capacity, false);
    const Split plain = SplitOf(text, capacity, true);
    ASSERT_EQ(fast.count, plain.count) << text;
    for (std::size_t i = 0; i < fast.attributes.size(); ++i) {
        EXPECT_EQ(fast.attributes[i].name.data(), plain.attributes[i].name.data()) << text;
        EXPECT_EQ(fast.attributes[i].name, plain.attributes[i].name) << text;
        EXPECT_EQ(fast.attributes[i].value.data(), plain.attributes[i].value.data()) << text;
        EXPECT_EQ(fast.attributes[i].value, plain.attributes[i].value) << text;
        EXPECT_EQ(fast.attributes[i].mayHoldReference, plain.attributes[i].mayHoldReference) << text;
    }
}

} // namespace

TEST(XMLAttributeSplit, WrittenTagsSplitIntoTheirPairs)
{
    const std::string text = "Type=\"Turn\" Target=\"Card\" TargetID=\"17\" Dir=\"F\" Dist=\"1\"";
    const Split split = SplitOf(text, 8, false);
    ASSERT_EQ(split.count, 5u);
    EXPECT_EQ(split.attributes[2].name, "TargetID");
    EXPECT_EQ(split.attributes[2].value, "17");
    EXPECT_FALSE(split.attributes[2].mayHoldReference);
    // Views into the text itself, never copies.
    EXPECT_EQ(split.attributes[0].value.data(), text.data() + 6);

    const Split coded = SplitOf("Name=\"a &#38; b\" Empty=\"\" Quote='x'", 8, false);
    ASSERT_EQ(coded.count, 3u);
    EXPECT_EQ(coded.attributes[0].value, "a &#38; b");
    EXPECT_TRUE(coded.attributes[0].mayHoldReference);
    EXPECT_EQ(coded.attributes[1].value, "");
    EXPECT_EQ(coded.attributes[2].value, "'x'");
}

// Texts near the written form, where the quick path must either find the same attributes as
// the general split or leave the text to it: blanks at the start of values, doubled blanks,
// tabs, single quotes, quotes inside values, missing blanks, names with blanks, and more
// attributes than the list holds.
TEST(XMLAttributeSplit, EveryTextSplitsAsTheGeneralSplitDoes)
{
    const std::vector<std::string> samples = {
        "a=\"1\"", "a=\"\"", "a=\"\" b=\"\"", "a=\" x\" b=\"y\"", "a=\"x\"  b=\"y\"", "a=\"x\"\tb=\"y\"",
        "a='x' b=\"y\"", "a=\"x'\" b='y'", "a=\"x\"b=\"y\"", "a=\"x\"y\" b=\"z\"", "a b=\"x\"", "=\"x\" b=\"y\"",
        "a==\"x\"", "a=x\" b=\"y\"", "a=\"x", "a=\"x\" ", "a=\"&\" b=\"c&d\"", "a=\"x\" b", "a=\"x\" b=",
        "a=\"1\" b=\"2\" c=\"3\" d=\"4\" e=\"5\" f=\"6\" g=\"7\" h=\"8\" i=\"9\" j=\"10\""};
    for (const std::string& sample : samples) {
        for (const std::size_t capacity : {1u, 3u, 8u, 16u}) {
            ExpectSameSplit(sample, capacity);
        }
    }
    // Random texts of the characters that matter, short ones and ones past the masks' width.
    const std::vector<std::string_view> pieces = {"a", "bc", "=", "\"", "'", " ", "&", "\t", "x=\"y\" ", "n=\"v\""};
    std::uint32_t seed = 7;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(seed % 40);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1664525u + 1013904223u;
            text += pieces[(seed >> 16) % pieces.size()];
        }
        ExpectSameSplit(text, 4);
        if (HasFailure()) {
            break;
        }
    }
}
