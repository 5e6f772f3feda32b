#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "model/card_list.h"
#include "model/pack.h"
#include "support/raised_message.h"

namespace {

void AddCards(TTWCardList& cards, int count)
{
    for (int i = 0; i < count; ++i) {
        cards.Add(CreateCard(4).release());
    }
}

std::unique_ptr<TTWPack> PackOf(std::string name, const std::vector<int>& members, TTWCardList* cards = nullptr)
{
    auto pack = std::make_unique<TTWPack>();
    pack->Name = std::move(name);
    pack->SetSize(static_cast<int>(members.size()));
    for (std::size_t i = 0; i < members.size(); ++i) {
        pack->SetMember(static_cast<int>(i), members[i]);
    }
    pack->SetCardList(cards);
    return pack;
}

std::unique_ptr<TTWPack> ReadPack(std::string_view text)
{
    TILXMLTree tree;
    tree.ParseText(text);
    auto pack = std::make_unique<TTWPack>();
    pack->ReadFromXML(tree.GetTopNode(0));
    return pack;
}

} // namespace

TEST(Pack, MembersFollowTheSize)
{
    TTWPack pack;
    EXPECT_EQ(pack.Size(), 0);
    EXPECT_EQ(pack.Member(0), -1);
    pack.SetSize(3);
    pack.SetMember(0, 4);
    pack.SetMember(3, 9);  // outside: ignored
    pack.SetMember(-1, 9);
    EXPECT_EQ(pack.Members(), (std::vector<int>{4, 0, 0}));
    EXPECT_EQ(pack.Member(2), 0);
    EXPECT_EQ(pack.Member(3), -1);

    pack.SetSize(1);
    EXPECT_EQ(pack.Members(), (std::vector<int>{4}));
    pack.SetSize(0);
    EXPECT_EQ(pack.Size(), 0);
    pack.SetSize(-3);
    EXPECT_EQ(pack.Size(), 0);
    EXPECT_THROW(pack.SetSize(TTWPack::MaxSize + 1), TGenericException);
}

TEST(Pack, AssignCopiesEverythingIncludingTheCardList)
{
    TTWCardList cards;
    auto source = PackOf("Border", {1, 3}, &cards);
    source->Comment = "edge";
    TTWPack copy;
    copy.Assign(source.get());
    EXPECT_EQ(copy.Name, "Border");
    EXPECT_EQ(copy.Comment, "edge");
    EXPECT_EQ(copy.Members(), source->Members());
    EXPECT_EQ(copy.CardList(), &cards);
}

TEST(Pack, TurnsAndTwistsItsMemberCardsOnly)
{
    TTWCardList cards;
    AddCards(cards, 4);
    auto pack = PackOf("P", {3, 1, 3, 0, 99}, &cards);

    pack->Turn(TurnForwards, DistanceOneHole);
    EXPECT_EQ(cards.Items(0)->CurPos(), 3);
    EXPECT_EQ(cards.Items(1)->CurPos(), 0);
    EXPECT_EQ(cards.Items(2)->CurPos(), 2);  // listed twice: turned twice
    EXPECT_EQ(cards.Items(3)->CurPos(), 0);

    pack->Twist(TwistV);
    EXPECT_TRUE(cards.Items(0)->Twisted());
    EXPECT_FALSE(cards.Items(1)->Twisted());
    EXPECT_FALSE(cards.Items(2)->Twisted());  // twisted twice
    EXPECT_EQ(cards.Items(2)->CurThread(), ThreadingZ);

    // Through the turning interface, and without cards: nothing happens.
    ITWTurnable& turnable = *pack;
    turnable.Turn(TurnBackwards, DistanceTwoHoles);
    EXPECT_EQ(cards.Items(0)->CurPos(), 2);
    pack->SetCardList(nullptr);
    pack->Turn(TurnBackwards, DistanceTwoHoles);
    pack->Twist(TwistV);
    EXPECT_EQ(cards.Items(0)->CurPos(), 2);
    EXPECT_FALSE(cards.Items(0)->Twisted());
}

TEST(Pack, RangeTextOverTheCardsOfItsList)
{
    TTWCardList cards;
    AddCards(cards, 8);
    auto pack = PackOf("P", {8, 7, 5, 1, 2, 3, 12, 0}, &cards);
    EXPECT_EQ(pack->RangeText(1, true), "1 - 3; 5; 7 - 8");
    EXPECT_EQ(pack->RangeText(1, false), "1 - 2; 4; 6 - 8");
    EXPECT_EQ(pack->RangeText(0, true), "0 - 2; 4; 6 - 7");
    pack->SetCardList(nullptr);
    EXPECT_EQ(pack->RangeText(1, true), "");
}

TEST(PackXML, WritesThePackByteForByteAndReadsItBack)
{
    auto pack = PackOf("Left & right", {3, 4, 7});
    pack->Comment = "a <comment>";
    TILXMLTree tree;
    pack->WriteToXML(tree.AddRootNode("Packs"));
    const std::string text = tree.BuildXML(true);
    EXPECT_EQ(text, "<Packs>\r\n"
                    "  <Pack Name=\"Left &#38; right\">\r\n"
                    "    <Comment><![CDATA[a <comment>]]></Comment>\r\n"
                    "    <Size>3</Size>\r\n"
                    "    <Cards>3,4,7</Cards>\r\n"
                    "  </Pack>\r\n"
                    "</Packs>\r\n");
    TILXMLTree parsed;
    parsed.ParseText(text);
    TTWPack read;
    read.ReadFromXML(parsed.FindTag("Pack", true));
    EXPECT_EQ(read.Name, "Left & right");
    EXPECT_EQ(read.Comment, "a <comment>");
    EXPECT_EQ(read.Members(), (std::vector<int>{3, 4, 7}));
}

TEST(PackXML, TheSizeMustCountTheMembersAndEveryMemberIsKept)
{
    const auto refusal = [](const std::string& text) { return RaisedMessage([&] { ReadPack(text); }); };
    // A member left out or one beyond the size, or one that is no number, would be changed by
    // the next save.
    EXPECT_EQ(refusal("<Pack><Size>2</Size><Cards>3, 4,7</Cards></Pack>"),
              "Invalid count (2) in <Size>.\r\nThe pack lists 3 cards.");
    EXPECT_EQ(refusal("<Pack><Size>4</Size><Cards>3,7</Cards></Pack>"),
              "Invalid count (4) in <Size>.\r\nThe pack lists 2 cards.");
    EXPECT_EQ(refusal("<Pack><Size>2</Size><Cards>3,x</Cards></Pack>"),
              "Invalid number (x) in <Cards>.\r\nA whole number is expected.");
    // The pack keeps whatever card number it is given, to the ends of the integers.
    EXPECT_EQ(ReadPack("<Pack><Size>4</Size><Cards>2147483647,999,-4,-2147483648</Cards></Pack>")->Members(),
              (std::vector<int>{2147483647, 999, -4, -2147483648}));
    EXPECT_THROW(ReadPack("<Pack><Size>-3</Size><Cards>3</Cards></Pack>"), TGenericException);
    const auto bare = ReadPack("<Pack Name=\"N\"/>");
    EXPECT_EQ(bare->Name, "N");
    EXPECT_EQ(bare->Comment, "");
    EXPECT_EQ(bare->Size(), 0);
    EXPECT_THROW(ReadPack("<Pack><Size>999999999</Size><Cards>3</Cards></Pack>"), TGenericException);
}

TEST(PackList, FindsSortsAndRoundTripsWithTheCardList)
{
    TTWCardList cards;
    TTWPackList packs;
    packs.Add(PackOf("beta", {2}).release());
    packs.Add(PackOf("Alpha", {1, 2}).release());
    packs.Add(PackOf("GAMMA", {}).release());
    EXPECT_EQ(packs.FindByName("ALPHA"), packs.Items(1));
    EXPECT_EQ(packs.FindByName("delta"), nullptr);

    TILXMLTree tree;
    packs.WriteToXML(tree.AddRootNode("Pattern"));
    EXPECT_EQ(tree.FindTag("Packs", true)->GetAttribute("Count"), "3");

    TTWPackList read;
    read.ReadFromXML(tree.FindTag("Packs", true), &cards);
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.Items(1)->Members(), (std::vector<int>{1, 2}));
    EXPECT_EQ(read.Items(2)->CardList(), &cards);

    packs.Sort();
    EXPECT_EQ(packs.Items(0)->Name, "Alpha");
    EXPECT_EQ(packs.Items(1)->Name, "beta");
    EXPECT_EQ(packs.Items(2)->Name, "GAMMA");

    TTWCardList others;
    read.SetCardList(&others);
    EXPECT_EQ(read.Items(0)->CardList(), &others);
}

TEST(PackList, ACountThatIsNotTheNumberOfPacksIsRefused)
{
    TTWPackList packs;
    const auto read = [&](const std::string& text) {
        TILXMLTree tree;
        tree.ParseText(text);
        packs.ReadFromXML(tree.GetTopNode(0), nullptr);
    };
    read("<Packs Count=\"2\"><Pack Name=\"A\"/><X Name=\"B\"/></Packs>");
    ASSERT_EQ(packs.Count(), 2);
    EXPECT_EQ(packs.Items(1)->Name, "B");
    EXPECT_THROW(read("<Packs Count=\"-3\"><Pack Name=\"A\"/></Packs>"), TGenericException);
    for (const char* count : {"1", "999999999"}) {
        EXPECT_EQ(RaisedMessage([&] {
                      read("<Packs Count=\"" + std::string(count) + "\"><Pack Name=\"A\"/><Pack Name=\"B\"/></Packs>");
                  }),
                  "Invalid count (" + std::string(count) + ") in <Packs Count>.\r\nThe list holds 2 entries.");
    }
    packs.ReadFromXML(nullptr, nullptr);
    EXPECT_EQ(packs.Count(), 0);
}
