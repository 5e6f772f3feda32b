#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "model/action.h"
#include "model/pack.h"
#include "model/pick.h"
#include "model/range_text.h"
#include "support/raised_message.h"

namespace {

// "Turn Card 3 F2" and the like, one text per action, for compact comparisons.
std::string Describe(const TTWAction& action)
{
    std::string text = std::string(ActionTypeText(action.Type())) + " " + std::string(ActionTargetText(action.Target()))
                       + " " + action.TargetID() + " ";
    if (action.IsTurn()) {
        text += std::string(TurnDirText(action.Dir())) + std::string(DistText(action.Dist()));
    } else {
        text += std::string(TwistDirText(action.Dir()));
    }
    return text;
}

std::vector<std::string> Describe(const TTWActionList& actions)
{
    std::vector<std::string> texts;
    for (int i = 0; i < actions.Count(); ++i) {
        texts.push_back(Describe(*actions.Items(i)));
    }
    return texts;
}

std::unique_ptr<TTWAction> ReadAction(std::string_view attributes)
{
    TILXMLTree tree;
    tree.ParseText("<Action " + std::string(attributes) + "/>");
    auto action = std::make_unique<TTWAction>();
    action->ReadFromXML(tree.GetTopNode(0));
    return action;
}

void AddPack(TTWPackList& packs, std::string name, const std::vector<int>& members)
{
    auto* pack = new TTWPack;
    pack->Name = std::move(name);
    pack->SetSize(static_cast<int>(members.size()));
    for (std::size_t i = 0; i < members.size(); ++i) {
        pack->SetMember(static_cast<int>(i), members[i]);
    }
    packs.Add(pack);
}

} // namespace

TEST(RangeText, RunsOfCardsInBothDirections)
{
    const std::vector<int> members{7, 1, 2, 3, 5, 8, 2};
    EXPECT_EQ(CardRangeText(members, 8, 1, true), "1 - 3; 5; 7 - 8");
    EXPECT_EQ(CardRangeText(members, 8, 1, false), "1 - 2; 4; 6 - 8");
    EXPECT_EQ(CardRangeText(members, 10, 1, false), "3 - 4; 6; 8 - 10");
    EXPECT_EQ(CardRangeText(members, 8, 5, true), "5 - 7; 9; 11 - 12");
    EXPECT_EQ(CardRangeText(members, 6, 1, true), "1 - 3; 5");  // 7 and 8 are outside
    EXPECT_EQ(CardRangeText({0, -1, 4}, 4, 1, true), "4");
    EXPECT_EQ(CardRangeText({4}, 4, 1, false), "1");
    EXPECT_EQ(CardRangeText({}, 4, 1, true), "");
    EXPECT_EQ(CardRangeText({1, 2}, -3, 1, true), "");
    // A huge count costs nothing: only the members are looked at.
    EXPECT_EQ(CardRangeText({1, 2}, 2'000'000'000, 1, false), "1999999999 - 2000000000");
}

TEST(Action, ConstructorsAndSettersKeepTurnAndTwistApart)
{
    const TTWAction plain;
    EXPECT_EQ(Describe(plain), "Turn Card  I1");

    EXPECT_EQ(Describe(*TTWAction::CreateCardTurn(3, TurnBackwards, DistanceTwoHoles)), "Turn Card 3 B2");
    EXPECT_EQ(Describe(*TTWAction::CreateCardTwist(12, TwistBD)), "Twist Card 12 BD");
    EXPECT_EQ(Describe(*TTWAction::CreatePackTurn("Edge", TurnForwards, DistanceOneHole)), "Turn Pack Edge F1");
    EXPECT_EQ(Describe(*TTWAction::CreatePackTwist("Edge", TwistH)), "Twist Pack Edge H");

    auto twist = TTWAction::CreateCardTwist(1, TwistAC);
    twist->SetTurnDir(TurnBackwards);  // not a turn: ignored
    twist->SetDist(DistanceTwoHoles);
    EXPECT_EQ(twist->Dir(), TwistAC);
    EXPECT_EQ(twist->Dist(), DistanceOneHole);
    auto turn = TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole);
    turn->SetTwistDir(TwistBD);  // not a twist: ignored
    EXPECT_EQ(turn->Dir(), TurnForwards);

    TTWAction copy;
    copy.Assign(twist.get());
    EXPECT_EQ(Describe(copy), "Twist Card 1 AC");
    TTWPick notAnAction;
    EXPECT_THROW(copy.Assign(&notAnAction), fw::EConvertError);
}

TEST(Action, ReadingToleratesCaseAndSpacesAndRefusesUnknownTexts)
{
    EXPECT_EQ(Describe(*ReadAction("Type=\"twist\" Target=\"pack  \" TargetID=\"P\" Dir=\"V\"")), "Twist Pack P V");
    EXPECT_EQ(ActionTargetFromText("\t pack "), TargetPack);
    EXPECT_EQ(ActionTypeFromText(" Twist\r\n"), ActionTwist);
    EXPECT_EQ(ActionTypeFromText("Twisted"), ActionTurn);
    EXPECT_EQ(Describe(*ReadAction("Type=\"TWIST\" Target=\"Card\" TargetID=\"2\" Dir=\"bd\"")), "Twist Card 2 BD");
    EXPECT_EQ(ReadAction("Type=\"Twist\" Dir=\"\"")->Dir(), TwistNone);
    EXPECT_EQ(ReadAction("Type=\"Twist\"")->Dir(), TwistNone);
    EXPECT_EQ(Describe(*ReadAction("Type=\" Turn \" TargetID=\"4\" Dir=\"b\" Dist=\"2\"")), "Turn Card 4 B2");
    // What is left out is the first code.
    EXPECT_EQ(Describe(*ReadAction("")), "Turn Card  I1");

    // Any other text would read as one of the codes, and the next save would write that.
    const auto refusal = [](std::string_view attributes) { return RaisedMessage([&] { ReadAction(attributes); }); };
    EXPECT_EQ(refusal("Type=\"Twist\" Dir=\"XY\""),
              "Invalid letter (XY) in <Action Dir>.\r\nThe letters allowed are nothing, V, H, AC or BD.");
    EXPECT_EQ(refusal("Type=\"Roll\""), "Invalid letter (Roll) in <Action Type>.\r\nThe letters allowed are Turn or Twist.");
    EXPECT_EQ(refusal("Target=\"Tablet\""),
              "Invalid letter (Tablet) in <Action Target>.\r\nThe letters allowed are Card or Pack.");
    EXPECT_EQ(refusal("Dir=\"Q\""), "Invalid letter (Q) in <Action Dir>.\r\nThe letters allowed are I, F or B.");
    for (const char* distance : {"3", "0", "2147483647", "-2147483648", ""}) {
        EXPECT_EQ(refusal("Dir=\"F\" Dist=\"" + std::string(distance) + "\""),
                  "Invalid letter (" + std::string(distance) + ") in <Action Dist>.\r\nThe letters allowed are 1 or 2.");
    }
}

TEST(Action, TargetIDReadsAsACardNumberByTheGeneralConversion)
{
    const auto number = [](std::string text) {
        TTWAction action;
        action.SetTargetID(std::move(text));
        return action.CardNumber();
    };
    // Plain digits, as the program writes them, and the longest such text.
    EXPECT_EQ(number("7"), 7);
    EXPECT_EQ(number("007"), 7);
    EXPECT_EQ(number("999999999"), 999999999);
    // Anything else is converted like any integer text: signs, leading blanks, hex.
    EXPECT_EQ(number("-3"), -3);
    EXPECT_EQ(number("+3"), 3);
    EXPECT_EQ(number(" 7"), 7);
    EXPECT_EQ(number("$1A"), 26);
    EXPECT_EQ(number("2147483647"), 2147483647);
    // No number at all is card 0, which no card is.
    EXPECT_EQ(number("x"), 0);
    EXPECT_EQ(number("3x"), 0);
    EXPECT_EQ(number("7 "), 0);
    EXPECT_EQ(number(""), 0);
    EXPECT_EQ(number("2147483648"), 0);
    // A file's text goes the same way.
    EXPECT_EQ(ReadAction("TargetID=\"-3\"")->CardNumber(), -3);

    // The actions of a pick are found by the number, whatever the text looked like.
    TTWActionList actions;
    auto signed3 = std::make_unique<TTWAction>();
    signed3->SetTargetID("+3");
    actions.Add(signed3.release());
    auto pack = TTWAction::CreatePackTurn("x", TurnForwards, DistanceOneHole);
    actions.Add(pack.release());
    EXPECT_EQ(actions.FindCardTurn(3), actions.Items(0));
    EXPECT_EQ(actions.FindCardTurn(0), nullptr);  // a pack is never card 0
}

TEST(ActionList, FindsAndRenamesActions)
{
    TTWActionList actions;
    actions.Add(TTWAction::CreateCardTwist(4, TwistV).release());
    actions.Add(TTWAction::CreateCardTurn(4, TurnForwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreatePackTurn("Edge", TurnBackwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreatePackTwist("edge", TwistH).release());
    actions.Add(TTWAction::CreatePackTurn("EDGE", TurnForwards, DistanceOneHole).release());

    EXPECT_EQ(actions.FindCardTurn(4), actions.Items(1));
    EXPECT_EQ(actions.FindCardTwist(4), actions.Items(0));
    EXPECT_EQ(actions.FindCardTurn(5), nullptr);
    EXPECT_EQ(actions.FindPackTurn("eDGE"), actions.Items(2));
    EXPECT_EQ(actions.FindPackTwist("EDGE"), actions.Items(3));
    EXPECT_EQ(actions.FindPackTwist("Other"), nullptr);

    EXPECT_TRUE(actions.HasPackAction());
    EXPECT_TRUE(actions.HasCardAction());
    EXPECT_TRUE(actions.HasTwist());
    actions.RenamePack("Edge", "Border");
    EXPECT_EQ(actions.Items(2)->TargetID(), "Border");
    EXPECT_EQ(actions.Items(4)->TargetID(), "Border");
    EXPECT_EQ(actions.FindPackTurn("edge"), nullptr);

    actions.Delete(3);
    actions.Delete(0);
    EXPECT_FALSE(actions.HasTwist());
    actions.Delete(0);
    EXPECT_FALSE(actions.HasCardAction());
}

TEST(ActionList, RangeTextsSortCardsByWhatHappensToThem)
{
    TTWPackList packs;
    AddPack(packs, "Middle", {4, 5, 6});
    TTWActionList actions;
    actions.Add(TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreateCardTurn(2, TurnIdle, DistanceOneHole).release());
    actions.Add(TTWAction::CreateCardTurn(3, TurnBackwards, DistanceTwoHoles).release());
    actions.Add(TTWAction::CreatePackTurn("middle", TurnForwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreatePackTwist("Middle", TwistV).release());
    actions.Add(TTWAction::CreatePackTurn("Missing", TurnBackwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreateCardTwist(8, TwistH).release());
    actions.Add(TTWAction::CreateCardTurn(99, TurnForwards, DistanceOneHole).release());

    const TTWRangeTexts up = actions.RangeTexts(8, true, 1, &packs);
    EXPECT_EQ(up.Forwards, "1; 4 - 6");
    EXPECT_EQ(up.OtherTurns, "2 - 3");
    EXPECT_EQ(up.Twists, "4 - 6; 8");

    const TTWRangeTexts down = actions.RangeTexts(8, false, 1, &packs);
    EXPECT_EQ(down.Forwards, "3 - 5; 8");
    EXPECT_EQ(down.OtherTurns, "6 - 7");
    EXPECT_EQ(down.Twists, "1; 3 - 5");

    EXPECT_EQ(actions.RangeTexts(8, true, 1, nullptr).Forwards, "1");
}

TEST(ActionList, ExpandingPackActionsLeavesOnlyCardActions)
{
    TTWPackList packs;
    AddPack(packs, "Pair", {2, 5});
    TTWActionList actions;
    actions.Add(TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreatePackTurn("pair", TurnBackwards, DistanceTwoHoles).release());
    actions.Add(TTWAction::CreatePackTwist("Pair", TwistAC).release());
    actions.Add(TTWAction::CreatePackTurn("Gone", TurnForwards, DistanceOneHole).release());
    actions.Add(TTWAction::CreateCardTwist(7, TwistV).release());

    actions.ExpandPackActions(&packs);
    EXPECT_EQ(Describe(actions), (std::vector<std::string>{"Twist Card 5 AC", "Twist Card 2 AC", "Turn Card 1 F1",
                                                            "Twist Card 7 V", "Turn Card 2 B2", "Turn Card 5 B2"}));
    EXPECT_FALSE(actions.HasPackAction());

    // Without packs every pack action just goes.
    TTWActionList alone;
    alone.Add(TTWAction::CreatePackTwist("Pair", TwistV).release());
    alone.ExpandPackActions(nullptr);
    EXPECT_EQ(alone.Count(), 0);
}

TEST(ActionList, RoundTripsThroughXMLAndRefusesACountThatDisagrees)
{
    TTWActionList actions;
    actions.Add(TTWAction::CreateCardTurn(3, TurnBackwards, DistanceTwoHoles).release());
    actions.Add(TTWAction::CreatePackTwist("A \"quoted\" pack", TwistBD).release());
    actions.Add(TTWAction::CreateCardTwist(2, TwistNone).release());
    TILXMLTree tree;
    actions.WriteToXML(tree.AddRootNode("Pick"));
    TILXMLTree parsed;
    parsed.ParseText(tree.BuildXML(true));
    TTWActionList read;
    read.ReadFromXML(parsed.FindTag("Actions", true));
    EXPECT_EQ(Describe(read), Describe(actions));

    const auto readText = [&](const std::string& text) {
        TILXMLTree document;
        document.ParseText(text);
        read.ReadFromXML(document.GetTopNode(0));
    };
    const std::string action = "<Action Type=\"Turn\" Target=\"Card\" TargetID=\"1\" Dir=\"F\" Dist=\"1\"/>";
    // A count that is not the number of actions would change, or drop actions, with the next
    // save: it is refused, as a negative one is.
    const auto refusal = [&](const std::string& text) { return RaisedMessage([&] { readText(text); }); };
    EXPECT_EQ(refusal("<Actions Count=\"999999999\">" + action + action + "</Actions>"),
              "Invalid count (999999999) in <Actions Count>.\r\nThe list holds 2 entries.");
    EXPECT_EQ(refusal("<Actions Count=\"1\">" + action + action + "</Actions>"),
              "Invalid count (1) in <Actions Count>.\r\nThe list holds 2 entries.");
    EXPECT_EQ(refusal("<Actions>" + action + "</Actions>"), "Invalid count (0) in <Actions Count>.\r\nThe list holds 1 entries.");
    EXPECT_THROW(readText("<Actions Count=\"-3\">" + action + "</Actions>"), TGenericException);
    readText("<Actions Count=\"2\">" + action + action + "</Actions>");
    EXPECT_EQ(read.Count(), 2);
}

TEST(PickList, PicksKnowTheirPlaceAsTheListChanges)
{
    TTWPickList picks;
    EXPECT_EQ(picks.GetOrGrowPick(-1), nullptr);
    TTWPick* fourth = picks.GetOrGrowPick(3);
    EXPECT_EQ(picks.Count(), 4);
    EXPECT_EQ(fourth->Index(), 3);
    EXPECT_EQ(picks.GetOrGrowPick(1), picks.Items(1));
    EXPECT_EQ(picks.Count(), 4);
    EXPECT_EQ(picks.GetPick(4), nullptr);
    EXPECT_THROW(picks.Items(4), fw::EListError);

    TTWPick* first = picks.Items(0);
    first->Actions().Add(TTWAction::CreateCardTurn(1, TurnForwards, DistanceOneHole).release());
    first->SetIndex(2);
    EXPECT_EQ(picks.Items(2), first);
    EXPECT_EQ(first->Index(), 2);
    EXPECT_EQ(picks.Items(0)->Index(), 0);

    picks.Delete(0);
    EXPECT_EQ(first->Index(), 1);
    EXPECT_EQ(fourth->Index(), 2);
    TTWPick* inserted = picks.Insert(0);
    EXPECT_EQ(inserted->Index(), 0);
    EXPECT_EQ(first->Index(), 2);
    EXPECT_EQ(inserted->Collection(), &picks);

    TTWPick loose;
    EXPECT_EQ(loose.Index(), -1);
    loose.SetIndex(3);  // outside a list: nothing to move
    EXPECT_EQ(loose.Index(), -1);

    EXPECT_THROW(picks.GetOrGrowPick(TTWPickList::MaxPicks), TGenericException);
    EXPECT_EQ(picks.Count(), 4);
}

TEST(PickList, HoldsExactlyTheLargestBandAndNoMore)
{
    // Empty picks cost one small allocation each, so the largest band fits a test.
    TTWPickList picks;
    TTWPick* last = picks.GetOrGrowPick(TTWPickList::MaxPicks - 1);
    ASSERT_NE(last, nullptr);
    ASSERT_EQ(picks.Count(), TTWPickList::MaxPicks);
    EXPECT_EQ(last->Index(), TTWPickList::MaxPicks - 1);
    EXPECT_EQ(picks.GetOrGrowPick(TTWPickList::MaxPicks - 1), last);

    // A full band refuses one more pick, at the end or anywhere else, and stays as it was.
    const auto tooMany = [](auto grow) {
        try {
            grow();
        } catch (const TGenericException& error) {
            return error.Message();
        }
        return std::string("no error raised");
    };
    const std::string full = "Too many picks (1000001).\r\nA band holds at most 1000000 picks.";
    EXPECT_EQ(tooMany([&] { picks.Add(); }), full);
    EXPECT_EQ(tooMany([&] { picks.Insert(0); }), full);
    EXPECT_EQ(tooMany([&] { picks.GetOrGrowPick(TTWPickList::MaxPicks); }), full);
    EXPECT_EQ(picks.Count(), TTWPickList::MaxPicks);
    EXPECT_EQ(picks.Items(0)->Index(), 0);

    // One pick gone, there is room for one again.
    picks.Delete(0);
    EXPECT_EQ(last->Index(), TTWPickList::MaxPicks - 2);
    EXPECT_EQ(picks.Add()->Index(), TTWPickList::MaxPicks - 1);
    EXPECT_EQ(tooMany([&] { picks.Add(); }), full);
}

TEST(PickList, CopiesDeeplyAndActsOnEveryPick)
{
    TTWPackList packs;
    AddPack(packs, "P", {1, 2});
    TTWPickList picks;
    picks.Add()->Actions().Add(TTWAction::CreatePackTurn("P", TurnForwards, DistanceOneHole).release());
    picks.Add()->Actions().Add(TTWAction::CreateCardTwist(3, TwistV).release());
    EXPECT_TRUE(picks.HasPackAction());
    EXPECT_TRUE(picks.HasTwist());

    TTWPickList copy;
    copy.Add();
    copy.Assign(&picks);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_NE(copy.Items(0)->Actions().Items(0), picks.Items(0)->Actions().Items(0));
    EXPECT_EQ(copy.Items(1)->Index(), 1);

    copy.RenamePack("p", "Q");
    EXPECT_EQ(copy.Items(0)->Actions().Items(0)->TargetID(), "Q");
    EXPECT_EQ(picks.Items(0)->Actions().Items(0)->TargetID(), "P");

    picks.ExpandPackActions(&packs);
    EXPECT_FALSE(picks.HasPackAction());
    EXPECT_TRUE(picks.HasCardAction());
    EXPECT_EQ(Describe(picks.Items(0)->Actions()), (std::vector<std::string>{"Turn Card 1 F1", "Turn Card 2 F1"}));
}

TEST(PickListXML, WritesPicksByteForByteAndReadsThemInDocumentOrder)
{
    TTWPickList picks;
    picks.Add()->Actions().Add(TTWAction::CreateCardTurn(2, TurnBackwards, DistanceOneHole).release());
    picks.Add()->Actions().Add(TTWAction::CreatePackTwist("E", TwistAC).release());
    TILXMLTree tree;
    picks.WriteToXML(tree.AddRootNode("Pattern"));
    const std::string text = tree.BuildXML(true);
    EXPECT_EQ(text, "<Pattern>\r\n"
                    "  <Picks Count=\"2\">\r\n"
                    "    <Pick Index=\"0\">\r\n"
                    "      <Actions Count=\"1\">\r\n"
                    "        <Action Type=\"Turn\" Target=\"Card\" TargetID=\"2\" Dir=\"B\" Dist=\"1\"/>\r\n"
                    "      </Actions>\r\n"
                    "    </Pick>\r\n"
                    "    <Pick Index=\"1\">\r\n"
                    "      <Actions Count=\"1\">\r\n"
                    "        <Action Type=\"Twist\" Target=\"Pack\" TargetID=\"E\" Dir=\"AC\"/>\r\n"
                    "      </Actions>\r\n"
                    "    </Pick>\r\n"
                    "  </Picks>\r\n"
                    "</Pattern>\r\n");

    TILXMLTree parsed;
    parsed.ParseText(text);
    TTWPickList read;
    read.ReadFromXML(parsed.FindTag("Picks", true));
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(Describe(read.Items(1)->Actions()), (std::vector<std::string>{"Twist Pack E AC"}));

    // The Index attribute is not read; a pick without actions reads as an empty pick;
    // a count that is not the number of picks is refused.
    const auto readText = [&](const std::string& document) {
        TILXMLTree source;
        source.ParseText(document);
        read.ReadFromXML(source.GetTopNode(0));
    };
    EXPECT_EQ(RaisedMessage([&] { readText("<Picks Count=\"999999999\"><Pick/><Pick/></Picks>"); }),
              "Invalid count (999999999) in <Picks Count>.\r\nThe list holds 2 entries.");
    readText("<Picks Count=\"2\"><Pick Index=\"7\"/><Other Index=\"0\"><Actions Count=\"1\">"
             "<Action Type=\"Twist\" TargetID=\"1\" Dir=\"H\"/></Actions></Other></Picks>");
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Items(0)->Actions().Count(), 0);
    EXPECT_EQ(read.Items(0)->Index(), 0);
    EXPECT_EQ(Describe(read.Items(1)->Actions()), (std::vector<std::string>{"Twist Card 1 H"}));
    EXPECT_THROW(readText("<Picks Count=\"-3\"><Pick/></Picks>"), TGenericException);
    read.ReadFromXML(nullptr);
    EXPECT_EQ(read.Count(), 0);
}
