#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/thread.h"
#include "support/raised_message.h"

namespace {

// The current order as threading-order letters: "DABC" after one forwards turn of a fresh
// 4-hole card.
std::string CurrentOrder(const TTWCardBase& card)
{
    std::string order;
    for (fw::Object* hole : card.CurHoles()) {
        order += static_cast<char>('A' + card.Holes().IndexOf(hole));
    }
    return order;
}

std::unique_ptr<TTWCardBase> ColouredCard(int holes)
{
    auto card = CreateCard(holes);
    for (int i = 0; i < holes; ++i) {
        card->SetHoleColour(i, 10 + i);
    }
    return card;
}

std::string ListXML(const TTWCardList& list, bool withState = false)
{
    TILXMLTree tree;
    list.WriteToXML(tree.AddRootNode("Root"), "Cards", withState);
    return tree.BuildXML(true);
}

void ReadList(TTWCardList& list, std::string_view text)
{
    TILXMLTree tree;
    tree.ParseText(text);
    list.ReadFromXML(tree.FindTag("Cards", true));
}

struct CardClassCase {
    int holes;
    const char* className;
    // The hole on top for forwards two, forwards one, backwards two, backwards one hole.
    const char* letters;
    // The current order after one twist of a fresh card in the directions V, H, AC and BD.
    std::array<const char*, 4> twisted;
};

const std::vector<CardClassCase> CardClasses = {
    {3, "TTWCard3", "BCCB", {"ACB", "ABC", "ABC", "ABC"}},
    {4, "TTWCard4", "CDBA", {"DCBA", "BADC", "ADCB", "CBAD"}},
    {5, "TTWCard5", "DECB", {"AEDCB", "ABCDE", "BAEDC", "EDCBA"}},
    {6, "TTWCard6", "EFBA", {"FEDCBA", "CBAFED", "BAFEDC", "DCBAFE"}},
    {7, "TTWCard7", "FGCB", {"AGFEDCB", "ABCDEFG", "CBAGFED", "FEDCBAG"}},
    {8, "TTWCard8", "GHBA", {"HGFEDCBA", "DCBAHGFE", "BAHGFEDC", "FEDCBAHG"}},
};

} // namespace

TEST(CardClasses, OneClassPerHoleCountFromThreeToEight)
{
    for (const CardClassCase& expected : CardClasses) {
        SCOPED_TRACE(expected.holes);
        auto card = CreateCard(expected.holes);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->className(), expected.className);
        EXPECT_EQ(card->GetHoleCount(), expected.holes);
        EXPECT_EQ(card->Holes().Count(), expected.holes);
        std::unique_ptr<fw::Object> made(card->NewInstance());
        EXPECT_EQ(made->className(), expected.className);
    }
    for (int holes : {-1, 0, 2, 9, 100}) {
        EXPECT_EQ(CardClassOf(holes), nullptr);
        EXPECT_EQ(CreateCard(holes), nullptr);
    }
}

TEST(CardClasses, HoleLetterOnTopForEachTurn)
{
    for (const CardClassCase& expected : CardClasses) {
        SCOPED_TRACE(expected.holes);
        auto card = CreateCard(expected.holes);
        const std::string got{card->GetHoleLetter(TurnForwards, DistanceTwoHoles),
                              card->GetHoleLetter(TurnForwards, DistanceOneHole),
                              card->GetHoleLetter(TurnBackwards, DistanceTwoHoles),
                              card->GetHoleLetter(TurnBackwards, DistanceOneHole)};
        EXPECT_EQ(got, expected.letters);
        EXPECT_EQ(card->GetHoleLetter(TurnIdle, DistanceOneHole), 'A');
        EXPECT_EQ(card->GetHoleLetter(3, DistanceTwoHoles), 'A');
        EXPECT_EQ(card->GetHoleLetter(TurnForwards, 2), 'A');
    }
}

TEST(CardClasses, TwistExchangesThePositionsOfTheClass)
{
    for (const CardClassCase& expected : CardClasses) {
        for (int direction = TwistV; direction <= TwistBD; ++direction) {
            SCOPED_TRACE(std::to_string(expected.holes) + " holes, twist " + std::to_string(direction));
            auto card = CreateCard(expected.holes);
            card->Reset();
            card->Twist(direction);
            EXPECT_EQ(CurrentOrder(*card), expected.twisted[static_cast<std::size_t>(direction - 1)]);
            EXPECT_EQ(card->CurThread(), ThreadingZ);  // flipped from the S threading
            EXPECT_EQ(card->CurPos(), 1);
            EXPECT_TRUE(card->Twisted());
        }
    }
}

TEST(Card, NewCardStateAndReset)
{
    auto card = ColouredCard(4);
    EXPECT_EQ(card->Threading(), ThreadingS);
    EXPECT_EQ(card->CurThread(), ThreadingZ);
    EXPECT_EQ(card->LastTurn(), TurnForwards);
    EXPECT_EQ(card->CurPos(), 0);
    EXPECT_FALSE(card->Twisted());
    EXPECT_EQ(CurrentOrder(*card), "ABCD");

    card->SetThreading(ThreadingZ);
    card->Turn(TurnBackwards, DistanceTwoHoles);
    card->Twist(TwistV);
    card->Reset();
    EXPECT_EQ(card->CurThread(), ThreadingZ);
    EXPECT_EQ(CurrentOrder(*card), "ABCD");
    EXPECT_EQ(card->CurPos(), 0);
    EXPECT_EQ(card->LastTurn(), TurnForwards);
    EXPECT_FALSE(card->Twisted());

    card->SetThreading(ThreadingS);
    card->Reset();
    EXPECT_EQ(card->CurThread(), ThreadingS);
}

TEST(Card, TurningRotatesTheCurrentOrderAndWrapsThePosition)
{
    auto card = ColouredCard(4);
    card->Reset();
    card->Turn(TurnForwards, DistanceOneHole);
    EXPECT_EQ(CurrentOrder(*card), "DABC");
    EXPECT_EQ(card->CurPos(), 3);
    card->Turn(TurnForwards, DistanceTwoHoles);
    EXPECT_EQ(CurrentOrder(*card), "BCDA");
    EXPECT_EQ(card->CurPos(), 1);
    EXPECT_EQ(card->LastTurn(), TurnForwards);

    card->Turn(TurnBackwards, DistanceOneHole);
    EXPECT_EQ(CurrentOrder(*card), "CDAB");
    EXPECT_EQ(card->CurPos(), 2);
    EXPECT_EQ(card->LastTurn(), TurnBackwards);
    card->Turn(TurnBackwards, DistanceTwoHoles);
    EXPECT_EQ(CurrentOrder(*card), "ABCD");
    EXPECT_EQ(card->CurPos(), 0);

    // Backwards past the end wraps by the modulo, forwards below 0 by one addition.
    auto three = CreateCard(3);
    three->Turn(TurnBackwards, DistanceTwoHoles);
    three->Turn(TurnBackwards, DistanceTwoHoles);
    EXPECT_EQ(three->CurPos(), 1);
    EXPECT_EQ(CurrentOrder(*three), "BCA");
    three->Turn(TurnForwards, DistanceTwoHoles);
    EXPECT_EQ(three->CurPos(), 2);
    EXPECT_EQ(CurrentOrder(*three), "CAB");
}

TEST(Card, IdleAndUnknownTurnsMoveNothingButEndTheTwist)
{
    auto card = ColouredCard(6);
    card->Turn(TurnBackwards, DistanceOneHole);
    card->Twist(TwistH);
    ASSERT_TRUE(card->Twisted());
    const std::string order = CurrentOrder(*card);
    const int position = card->CurPos();

    card->Turn(TurnIdle, DistanceTwoHoles);
    EXPECT_EQ(CurrentOrder(*card), order);
    EXPECT_EQ(card->CurPos(), position);
    EXPECT_EQ(card->LastTurn(), TurnBackwards);
    EXPECT_FALSE(card->Twisted());

    card->Turn(TurnForwards, 5);
    EXPECT_EQ(CurrentOrder(*card), order);
    EXPECT_EQ(card->CurPos(), position);
    EXPECT_EQ(card->LastTurn(), TurnForwards);
}

TEST(Card, TwistFlipsTheSlantEachTimeAndTogglesTheFlag)
{
    auto card = ColouredCard(4);
    card->Reset();
    card->Twist(TwistV);
    card->Twist(TwistV);
    EXPECT_EQ(CurrentOrder(*card), "ABCD");
    EXPECT_EQ(card->CurThread(), ThreadingS);
    EXPECT_EQ(card->CurPos(), 2);
    EXPECT_FALSE(card->Twisted());

    // An H twist of a 5-hole card changes only the slant, the position and the flag.
    auto five = CreateCard(5);
    five->Reset();
    five->Twist(TwistH);
    EXPECT_EQ(CurrentOrder(*five), "ABCDE");
    EXPECT_EQ(five->CurThread(), ThreadingZ);
    EXPECT_EQ(five->CurPos(), 1);
    EXPECT_TRUE(five->Twisted());

    // The position wraps like a turn's; an unknown direction still does the base part.
    auto three = CreateCard(3);
    three->Turn(TurnBackwards, DistanceTwoHoles);
    three->Twist(0);
    EXPECT_EQ(three->CurPos(), 0);
    EXPECT_EQ(CurrentOrder(*three), "CAB");
}

TEST(Card, HolesColoursAndLettersOnTop)
{
    auto card = ColouredCard(4);
    EXPECT_EQ(card->Hole(3)->Colour, 13);
    EXPECT_EQ(card->HoleByLetter('B')->Colour, 11);
    EXPECT_EQ(RaisedMessage([&] { card->Hole(4); }), "Hole index (4) is out of bounds.");
    EXPECT_EQ(RaisedMessage([&] { card->HoleByLetter('@'); }), "Hole index (-1) is out of bounds.");
    EXPECT_EQ(card->HoleColour(4), 0);
    EXPECT_EQ(card->HoleColour(-1), 0);

    EXPECT_EQ(card->OppositeLetter('A'), 'C');
    EXPECT_EQ(card->OppositeLetter('D'), 'B');
    EXPECT_EQ(CreateCard(5)->OppositeLetter('D'), 'A');

    card->Reset();
    card->Turn(TurnForwards, DistanceOneHole);  // order D A B C, position 3
    EXPECT_EQ(card->CurHoleColour('A'), 13);
    EXPECT_EQ(card->CurHoleColour('Z'), 0);
    // Forwards two holes: letter C of the current order, counted on from position 3.
    EXPECT_EQ(card->TopLetter(TurnForwards, DistanceTwoHoles), 'B');
    EXPECT_EQ(card->TopColour(TurnForwards, DistanceTwoHoles), 11);
    EXPECT_EQ(card->TopLetter(TurnIdle, DistanceOneHole), 'D');
    EXPECT_EQ(card->TopColour(TurnIdle, DistanceOneHole), 13);
}

TEST(Card, ReplacingAndSwappingColoursOnCardsAndLists)
{
    TTWCardList list;
    list.Add(CreateCard(3).release());
    list.Add(CreateCard(4).release());
    list.Items(0)->SetHoleColour(0, 1);
    list.Items(0)->SetHoleColour(1, 2);
    list.Items(1)->SetHoleColour(3, 2);

    list.SwapColours(1, 2);
    EXPECT_EQ(list.Items(0)->HoleColour(0), 2);
    EXPECT_EQ(list.Items(0)->HoleColour(1), 1);
    EXPECT_EQ(list.Items(1)->HoleColour(3), 1);
    EXPECT_EQ(list.Items(1)->HoleColour(0), 0);

    list.ReplaceColour(0, 7);
    EXPECT_EQ(list.Items(0)->HoleColour(2), 7);
    EXPECT_EQ(list.Items(1)->HoleColour(0), 7);
    EXPECT_EQ(list.Items(1)->HoleColour(3), 1);
}

TEST(Card, AssignCopiesTheWholeStateOfACardWithAsManyHoles)
{
    auto source = ColouredCard(6);
    source->SetThreading(ThreadingZ);
    source->Reset();
    source->Turn(TurnBackwards, DistanceOneHole);
    source->Twist(TwistAC);

    auto copy = CreateCard(6);
    copy->Assign(source.get());
    EXPECT_EQ(copy->HoleColour(5), 15);
    EXPECT_EQ(copy->Threading(), ThreadingZ);
    EXPECT_EQ(CurrentOrder(*copy), CurrentOrder(*source));
    EXPECT_EQ(copy->CurPos(), source->CurPos());
    EXPECT_EQ(copy->CurThread(), source->CurThread());
    EXPECT_EQ(copy->LastTurn(), TurnBackwards);
    EXPECT_TRUE(copy->Twisted());
    // The copy's order refers to its own holes.
    for (fw::Object* hole : copy->CurHoles()) {
        EXPECT_GE(copy->Holes().IndexOf(hole), 0);
    }

    auto other = CreateCard(4);
    EXPECT_EQ(RaisedMessage([&] { other->Assign(source.get()); }),
              "Unable to copy card data - number of holes is different.");
    TTWHole hole;
    EXPECT_EQ(RaisedMessage<fw::EConvertError>([&] { other->Assign(&hole); }), "Cannot assign a TTWHole to a TTWCard4");
}

TEST(CardList, CountsHolesMakesCardsOfTheirClassAndKeepsItsPalette)
{
    TTWCardList list;
    EXPECT_EQ(list.HoleCount(), 4);
    EXPECT_EQ(list.MaxHoleCount(), -1);
    list.Add(ColouredCard(3).release());
    list.Add(ColouredCard(7).release());
    list.Add(ColouredCard(5).release());
    EXPECT_EQ(list.HoleCount(), 3);
    EXPECT_EQ(list.MaxHoleCount(), 7);
    EXPECT_EQ(list.GetCard(3), nullptr);
    EXPECT_EQ(list.GetCard(-1), nullptr);

    list.Items(1)->Turn(TurnForwards, DistanceOneHole);
    list.ResetAll();
    EXPECT_EQ(list.Items(1)->CurPos(), 0);

    TTWPalette palette;
    TTWCardList copy;
    copy.SetPalette(&palette);
    list.Items(2)->Twist(TwistV);
    copy.Assign(list);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Items(1)->className(), "TTWCard7");
    EXPECT_EQ(copy.Items(1)->HoleColour(6), 16);
    EXPECT_TRUE(copy.Items(2)->Twisted());
    EXPECT_NE(copy.Items(0), list.Items(0));
    EXPECT_EQ(copy.Palette(), &palette);
    EXPECT_EQ(list.Palette(), nullptr);
}

TEST(CardListXML, WritesCardsByteForByte)
{
    TTWCardList list;
    auto card = ColouredCard(3);
    card->SetThreading(ThreadingZ);
    list.Add(card.release());
    EXPECT_EQ(ListXML(list), "<Root>\r\n"
                             "  <Cards Count=\"1\">\r\n"
                             "    <Card Holes=\"3\" Number=\"1\">\r\n"
                             "      <Holes Count=\"3\">\r\n"
                             "        <Colour>10</Colour>\r\n"
                             "        <Colour>11</Colour>\r\n"
                             "        <Colour>12</Colour>\r\n"
                             "      </Holes>\r\n"
                             "      <Threading>Z</Threading>\r\n"
                             "    </Card>\r\n"
                             "  </Cards>\r\n"
                             "</Root>\r\n");

    TILXMLTree tree;
    list.Items(0)->Turn(TurnForwards, DistanceOneHole);
    list.Items(0)->WriteToXML(tree.AddRootNode("Root"), 0, true);
    const TILXMLNode* written = tree.FindTag("Card", true);
    EXPECT_EQ(written->GetAttribute("Number"), "");
    EXPECT_EQ(written->GetTagValue("CurThread", false, false, true), "Z");
    EXPECT_EQ(written->GetTagValue("CurPos", false, false, true), "2");
    const TILXMLNode* current = written->FindChild("CurHoles");
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetChild(0)->Value(), "12");
}

TEST(CardListXML, RoundTripsMixedCardsAndStartsThemFromTheThreading)
{
    TTWCardList list;
    for (int holes = MinCardHoles; holes <= MaxCardHoles; ++holes) {
        auto card = ColouredCard(holes);
        card->SetThreading(holes % 2 == 0 ? ThreadingZ : ThreadingS);
        card->Turn(TurnBackwards, DistanceOneHole);
        list.Add(card.release());
    }
    TTWCardList read;
    ReadList(read, ListXML(list, true));
    ASSERT_EQ(read.Count(), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.Items(i)->className(), list.Items(i)->className());
        EXPECT_EQ(read.Items(i)->Threading(), list.Items(i)->Threading());
        EXPECT_EQ(read.Items(i)->HoleColour(i + 2), list.Items(i)->HoleColour(i + 2));
        EXPECT_EQ(read.Items(i)->CurPos(), 0);  // the stored state is not read
        EXPECT_EQ(read.Items(i)->CurThread(), read.Items(i)->Threading());
    }
    EXPECT_EQ(ListXML(read), ListXML(list));

    // No element leaves the list empty; absent threading reads as S; lower-case z is Z; any
    // other threading is refused.
    read.ReadFromXML(nullptr);
    EXPECT_EQ(read.Count(), 0);
    ReadList(read, "<Cards Count=\"2\"><Card Holes=\"4\"><Holes Count=\"4\"/></Card>"
                   "<X Holes=\"3\"><Holes Count=\"3\"/><Threading>z</Threading></X></Cards>");
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Items(0)->Threading(), ThreadingS);
    EXPECT_EQ(read.Items(1)->Threading(), ThreadingZ);
    EXPECT_EQ(RaisedMessage([&] {
                  ReadList(read, "<Cards Count=\"1\"><Card Holes=\"3\"><Holes Count=\"3\"/><Threading>zed</Threading>"
                                 "</Card></Cards>");
              }),
              "Invalid letter (zed) in <Threading>.\r\nThe letters allowed are S or Z.");
}

TEST(CardListXML, RefusesHoleCountsWithoutAClassOrThatDoNotMatch)
{
    TTWCardList list;
    for (const char* holes : {"2", "9", "0"}) {
        const std::string text = std::string("<Cards Count=\"1\"><Card Holes=\"") + holes + "\"/></Cards>";
        const std::string message = RaisedMessage<TXMLException>([&] { ReadList(list, text); });
        const std::string expected =
            std::string("No class for ") + holes + "-hole cards has been defined.\r\nA card has 3 to 8 holes.";
        EXPECT_EQ(message, expected);
    }
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, "<Cards Count=\"1\"><Card Holes=\"four\"/></Cards>"); }),
              "Invalid number (four) in <Card Holes>.\r\nA whole number is expected.");
    EXPECT_EQ(RaisedMessage<TXMLException>([&] {
                  ReadList(list, "<Cards Count=\"1\"><Card Holes=\"4\"><Holes Count=\"5\"/></Card></Cards>");
              }),
              "XML data mismatch.\r\nIncorrect number of holes for card.");
    const std::string withoutHoles = "<Cards Count=\"1\"><Card Holes=\"4\"><Threading>S</Threading></Card></Cards>";
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, withoutHoles); }), "Tag <Holes> not found.");
}

TEST(CardListXML, ACountThatIsNotTheNumberOfCardsIsRefused)
{
    TTWCardList list;
    const std::string card = "<Card Holes=\"3\"><Holes Count=\"3\"><Colour>5</Colour></Holes></Card>";
    ReadList(list, "<Cards Count=\"2\">" + card + card + "</Cards>");
    ASSERT_EQ(list.Count(), 2);
    // Holes not listed keep colour 0.
    EXPECT_EQ(list.Items(0)->HoleColour(0), 5);
    EXPECT_EQ(list.Items(0)->HoleColour(2), 0);

    // A negative count, or one wider than any pattern, is refused.
    EXPECT_THROW(ReadList(list, "<Cards Count=\"-3\">" + card + "</Cards>"), TGenericException);
    EXPECT_THROW(ReadList(list, "<Cards Count=\"999999999\">" + card + "</Cards>"), TGenericException);
    // Fewer cards or more than counted, or a count that is no number, would be changed by the
    // next save.
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, "<Cards Count=\"40\">" + card + card + "</Cards>"); }),
              "Invalid count (40) in <Cards Count>.\r\nThe list holds 2 entries.");
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, "<Cards>" + card + "</Cards>"); }),
              "Invalid count (0) in <Cards Count>.\r\nThe list holds 1 entries.");
    const std::string twelve = "<Cards Count=\"2\">" + card + card + card + card + card + card + card + card + card
                               + card + card + card + "</Cards>";
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, twelve); }),
              "Invalid count (2) in <Cards Count>.\r\nThe list holds 12 entries.");
    EXPECT_EQ(RaisedMessage([&] { ReadList(list, "<Cards Count=\"abc\">" + card + "</Cards>"); }),
              "Invalid count or size (abc) in <Cards Count>.\r\nA count or size is a whole number.");
    // Colours beyond the card's holes, or that are no number, likewise.
    EXPECT_EQ(RaisedMessage([&] {
                  ReadList(list, "<Cards Count=\"1\"><Card Holes=\"3\"><Holes Count=\"3\"><Colour>1</Colour>"
                                 "<Colour>2</Colour><Colour>3</Colour><Colour>4</Colour></Holes></Card></Cards>");
              }),
              "Invalid count (3) in <Holes Count>.\r\nThe list holds 4 entries.");
    EXPECT_EQ(RaisedMessage([&] {
                  ReadList(list, "<Cards Count=\"1\"><Card Holes=\"3\"><Holes Count=\"3\"><Colour>red</Colour>"
                                 "</Holes></Card></Cards>");
              }),
              "Invalid number (red) in <Colour>.\r\nA whole number is expected.");
}

TEST(Threads, AColourThatIsNoColourValueIsRefusedAndOneLeftOutIsBlack)
{
    // A weft's colour with a stray control character in it would have been saved as black.
    const auto read = [](const std::string& thread) {
        TILXMLTree tree;
        tree.ParseText("<Wefts Count=\"1\">" + thread + "</Wefts>");
        TTWThreadList threads;
        threads.ReadFromXML(tree.GetTopNode(0));
        return threads.Items(0)->Colour;
    };
    EXPECT_EQ(RaisedMessage([&] { read("<Thread><Colour>167\x16" "11680</Colour></Thread>"); }),
              "Invalid colour (167\x16" "11680) in <Colour>.\r\nA colour is a whole number.");
    EXPECT_EQ(read("<Thread><Colour>16711680</Colour></Thread>"), 0xFF0000u);
    EXPECT_EQ(read("<Thread><Name>Plain</Name></Thread>"), 0u);
}

TEST(Threads, CopyAndRoundTripThroughXML)
{
    TTWThreadList threads;
    auto* red = new TTWThread;
    red->Colour = 0x0000FF;
    red->Name = "Red ]]> wool";
    red->Description = "two lines\r\nof text";
    threads.Add(red);
    auto* system = new TTWThread;
    system->Colour = 0x8000000F;
    threads.Add(system);

    TILXMLTree tree;
    threads.WriteToXML(tree.AddRootNode("Root"), "Threads");
    const std::string text = tree.BuildXML(true);
    EXPECT_NE(text.find("<Colour>-2147483633</Colour>"), std::string::npos);

    TILXMLTree parsed;
    parsed.ParseText(text);
    TTWThreadList read;
    read.ReadFromXML(parsed.FindTag("Threads", true));
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Items(0)->Name, red->Name);
    EXPECT_EQ(read.Items(0)->Description, red->Description);
    EXPECT_EQ(read.Items(0)->Colour, 0x0000FFu);
    EXPECT_EQ(read.Items(1)->Colour, 0x8000000Fu);
    EXPECT_EQ(read.Items(1)->Name, "");

    TTWThread copy;
    copy.Assign(read.Items(0));
    EXPECT_EQ(copy.Name, red->Name);
    EXPECT_EQ(copy.Colour, red->Colour);
}
