#include "model/twist_pattern.h"

#include <memory>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/string_list.h"
#include "framework/core/strings.h"
#include "model/file_values.h"
#include "model/threaded_pattern.h"

namespace {

void AddCard(TTWCardList& cards, std::uint8_t threading)
{
    auto card = std::make_unique<TTWCard4>();
    card->SetThreading(threading);
    card->Reset();
    cards.Add(card.release());
}

std::unique_ptr<TTWPatternBase> MakeTwistPatternedPattern()
{
    return std::make_unique<TTWWarpTwinedPattern>();
}

} // namespace

std::string TTWWarpTwinedPattern::CardThreadingText() const
{
    std::string text;
    for (int i = 0; i < Cards().Count(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += ThreadingText(Cards().GetCard(i)->Threading());
    }
    return text;
}

void TTWWarpTwinedPattern::FitCardsToWidth()
{
    TTWCardList& cards = Cards();
    while (cards.Count() > Width()) {
        cards.Delete(cards.Count() - 1);
    }
    while (cards.Count() < Width()) {
        AddCard(cards, ThreadingS);
    }
}

void TTWWarpTwinedPattern::ConvertToThreaded(TTWPattern& target)
{
    TTWPattern::CheckConversionSize(Width(), Length(), this);
    target.Cards().Assign(Cards());
    target.Packs().Clear();
    target.Picks().Clear();
    for (int y = 0; y < Length(); ++y) {
        TTWPick* pick = target.Picks().Add();
        for (int x = 0; x < Width(); ++x) {
            const TTWCardBase* card = Cards().GetCard(x);
            // A Z card turning forwards shows what an S card shows turning backwards.
            const bool zCard = card != nullptr && card->Threading() == ThreadingZ;
            const std::uint8_t direction = card != nullptr && GetCell(x, y) != zCard ? TurnBackwards : TurnForwards;
            pick->Actions().Add(TTWAction::CreateCardTurn(x + 1, direction, DistanceOneHole).release());
        }
    }
}

TILXMLNode* TTWWarpTwinedPattern::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = TTWDFPattern::BuildXML(parent);
    element->SetAttribute("Type", "TwistPatterned");
    element->AddChildValue("Threading", CardThreadingText());
    return element;
}

void TTWWarpTwinedPattern::ExtractXML(const TILXMLNode* element, double& version)
{
    TTWDFPattern::ExtractXML(element, version);
    // The threading is the design; cards stored with hole colours are not this kind's.
    TTWCardList& cards = Cards();
    cards.Clear();
    if (const TILXMLNode* threading = element->FindChild("Threading")) {
        fw::StringList entries;
        entries.SetCommaText(threading->Value());
        if (entries.Count() > MaxWidth) {
            throw TGenericException::CreateFromSender("Invalid threading (" + fw::IntToStr(entries.Count())
                                                          + " cards).\r\nA pattern has at most "
                                                          + fw::IntToStr(MaxWidth) + " cards.",
                                                      nullptr, this, "ExtractXML");
        }
        // Each entry is S or Z: any other would open as Z and be saved so.
        for (const std::string& entry : entries) {
            const int letter = ReadLetterText(entry, {"S", "Z"}, "Threading", this, "ExtractXML");
            AddCard(cards, letter == 0 ? ThreadingS : ThreadingZ);
        }
        if (cards.Count() > Width()) {
            RaiseInvalidValue("threading", fw::IntToStr(cards.Count()) + " cards", "Threading",
                              "The design is " + fw::IntToStr(Width())
                                  + " cards wide: the cards beyond it would be lost.",
                              this, "ExtractXML");
        }
    }
    FitCardsToWidth();
}

void RegisterTwistPatternedPattern()
{
    RegisterPatternClass(PatternTypeTwistPatterned, &MakeTwistPatternedPattern);
}
