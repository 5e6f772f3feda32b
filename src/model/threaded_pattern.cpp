#include "model/threaded_pattern.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/files.h"
#include "framework/core/strings.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/weaving.h"

namespace {

// Weaves one band: places the turns of each pick into the cells of its row and shows what
// the idle cards leave on top.
class Loom {
public:
    Loom(TTWWeaving& weaving, const TTWPalette& palette, bool reverse)
        : weaving_(weaving), palette_(palette), reverse_(reverse)
    {
    }

    // Turns or twists the card that weaves the column. A card or a cell that does not exist
    // does nothing.
    void Place(TTWCardBase* card, const TTWWeavingPick& row, int column, std::uint8_t type, std::uint8_t direction,
               std::uint8_t distance) const
    {
        // Seen from behind, the first card is on the right.
        TTWWeavingCell* cell = row.GetCell(reverse_ ? weaving_.Width() - 1 - column : column);
        if (card == nullptr || cell == nullptr) {
            return;
        }
        if (type == ActionTwist) {
            // A twist shows nothing by itself; the next turn of the card shows that it happened.
            card->Twist(direction);
            return;
        }
        char top = card->TopLetter(direction, distance);
        int colourIndex = 0;
        if (reverse_) {
            top = card->OppositeLetter(top);
            colourIndex = card->HoleColour(top - 'A');
        } else {
            colourIndex = card->TopColour(direction, distance);
        }
        cell->Colour = palette_.GetColour(colourIndex);
        cell->Slant = direction == TurnBackwards ? FlippedThreading(card->CurThread()) : card->CurThread();
        cell->Hole = static_cast<std::uint8_t>(top - 'A');
        cell->Reversal = direction != TurnIdle && direction != card->LastTurn();
        cell->Twisted = card->Twisted();
        card->Turn(direction, distance);
        cell->TurnDir = direction;
    }

    // A cell that no turn reached shows the thread that stays on top of its card. On the
    // reverse side that is the opposite hole, seen from behind, so its slant is flipped.
    void FillIdleCells(const TTWWeavingPick& row, const TTWCardList& cards, int leftSelvedges) const
    {
        const int width = weaving_.Width();
        for (TTWWeavingCell& cell : row) {
            if (cell.TurnDir != TurnIdle) {
                continue;
            }
            const int cardColumn = reverse_ ? width - 1 - cell.Column() : cell.Column();
            const TTWCardBase* card = cards.GetCard(cardColumn - leftSelvedges);
            if (card == nullptr) {
                continue;
            }
            const char top = card->TopLetter(TurnIdle, DistanceOneHole);
            if (reverse_) {
                const char opposite = card->OppositeLetter(top);
                cell.Colour = palette_.GetColour(card->HoleColour(opposite - 'A'));
                cell.Slant = FlippedThreading(card->CurThread());
                cell.Hole = static_cast<std::uint8_t>(opposite - 'A');
            } else {
                cell.Colour = palette_.GetColour(card->CurHoleColour('A'));
                cell.Slant = card->CurThread();
                cell.Hole = static_cast<std::uint8_t>(top - 'A');
            }
        }
    }

private:
    TTWWeaving& weaving_;
    const TTWPalette& palette_;
    bool reverse_;
};

std::unique_ptr<TTWPatternBase> MakeThreadedPattern()
{
    return std::make_unique<TTWPattern>();
}

} // namespace

void TTWPattern::CheckConversionSize(int cards, std::int64_t picks, const fw::Object* sender)
{
    if (static_cast<std::int64_t>(std::max(cards, 0)) * std::max<std::int64_t>(picks, 0) > MaxConvertedTurns) {
        throw TGenericException::CreateFromSender("The design is too large to weave: " + fw::IntToStr(cards)
                                                      + " cards in " + fw::IntToStr(picks)
                                                      + " picks.\r\nA woven design holds at most "
                                                      + fw::IntToStr(MaxConvertedTurns) + " card turns.",
                                                  nullptr, sender, "ConvertToThreaded");
    }
}

TTWPattern::TTWPattern()
{
    palette_.CopyFrom(PaletteList().DefaultPalette());
    cards_.SetPalette(&palette_);
}

TTWPattern::~TTWPattern() = default;

void TTWPattern::Assign(const fw::Persistent* source)
{
    TTWPatternBase::Assign(source);
    if (const auto* pattern = dynamic_cast<const TTWPattern*>(source)) {
        if (pattern == this) {
            return;
        }
        cards_.Assign(pattern->cards_);
        packs_.Assign(pattern->packs_);
        packs_.SetCardList(&cards_);
        picks_.Assign(&pattern->picks_);
        palette_.CopyFrom(&pattern->palette_);
    }
}

void TTWPattern::Clear()
{
    picks_.Clear();
    packs_.Clear();
    cards_.Clear();
}

void TTWPattern::ConvertToThreaded(TTWPattern& target)
{
    if (&target == this) {
        return;
    }
    target.cards_.Assign(cards_);
    target.packs_.Assign(packs_);
    target.packs_.SetCardList(&target.cards_);
    target.picks_.Assign(&picks_);
}

TILXMLNode* TTWPattern::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = TTWPatternBase::BuildXML(parent);
    cards_.WriteToXML(element, "Cards");
    packs_.WriteToXML(element, "Packs");
    picks_.WriteToXML(element, "Picks");
    palette_.WriteToXML(element, "Palette");
    return element;
}

void TTWPattern::ExtractXML(const TILXMLNode* element, double& version)
{
    TTWPatternBase::ExtractXML(element, version);
    cards_.ReadFromXML(element->FindChild("Cards"));
    packs_.ReadFromXML(element->FindChild("Packs"), &cards_);
    picks_.ReadFromXML(element->FindChild("Picks"));
    if (const TILXMLNode* palette = element->FindChild("Palette")) {
        palette_.ReadFromXML(palette);
    }
}

void TTWPattern::SaveToFile(const std::string& fileName)
{
    if (fw::SameFileExt(fileName, ".TXT")) {
        SaveTurningSequence(fileName);
    } else {
        TTWPatternBase::SaveToFile(fileName);
    }
}

void TTWPattern::SaveTurningSequence(const std::string& fileName)
{
    model_hooks::BusyScope busy;
    TTWWeaving weaving;
    BuildWeaving(weaving, &palette_, false, 0);
    weaving.SaveTurningSequence(fileName, &cards_, &palette_);
}

void TTWPattern::BuildWeaving(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int repeats)
{
    TTWCardList& left = SelvedgeLeft();
    TTWCardList& right = SelvedgeRight();
    const int leftCount = left.Count();
    const int cardCount = cards_.Count();
    weaving.Clear();
    weaving.SetReverse(reverse);
    weaving.SetWidth(leftCount + cardCount + right.Count());

    // Ask for the whole band at once: a runaway repeat count is refused before anything is
    // woven, and the rows never move while they are filled.
    const std::int64_t passes = repeats >= 0 ? static_cast<std::int64_t>(repeats) + 1 : 0;
    const std::int64_t rows = passes * picks_.Count();
    weaving.ReservePicks(static_cast<int>(std::min<std::int64_t>(rows, std::numeric_limits<int>::max())));

    cards_.ResetAll();
    left.ResetAll();
    right.ResetAll();

    const Loom loom(weaving, palette != nullptr ? *palette : palette_, reverse);
    // Selvedge cards turn forwards by one hole at every pick.
    const auto turnSelvedges = [&loom](TTWCardList& selvedge, const TTWWeavingPick& row, int firstColumn) {
        for (int k = 0; k < selvedge.Count(); ++k) {
            loom.Place(selvedge.Items(k), row, firstColumn + k, ActionTurn, TurnForwards, DistanceOneHole);
        }
    };
    const auto placeOnCard = [&](const TTWAction& action, int cardIndex, const TTWWeavingPick& row) {
        loom.Place(cards_.GetCard(cardIndex), row, leftCount + cardIndex, action.Type(), action.Dir(), action.Dist());
    };
    // The cards each pack turns, found once: a member that names no card turns nothing, and
    // a large pack of such members would otherwise be walked through at every one of its
    // turns.
    std::unordered_map<const TTWPack*, std::vector<int>> packCards;
    const auto cardsOfPack = [&packCards, cardCount](const TTWPack& pack) -> const std::vector<int>& {
        const auto [entry, added] = packCards.try_emplace(&pack);
        if (added) {
            for (int member : pack.Members()) {
                if (member >= 1 && member <= cardCount) {
                    entry->second.push_back(member - 1);
                }
            }
        }
        return entry->second;
    };

    for (std::int64_t pass = 0; pass < passes; ++pass) {
        for (const auto& pick : picks_) {
            const TTWWeavingPick row = weaving.AddPick();
            turnSelvedges(left, row, 0);
            for (const fw::Object* item : pick->Actions()) {
                const auto& action = *static_cast<const TTWAction*>(item);
                if (action.IsPackAction()) {
                    if (const TTWPack* pack = packs_.FindByName(action.TargetID())) {
                        for (int cardIndex : cardsOfPack(*pack)) {
                            placeOnCard(action, cardIndex, row);
                        }
                    }
                } else {
                    placeOnCard(action, action.CardNumber() - 1, row);
                }
            }
            turnSelvedges(right, row, leftCount + cardCount);
            loom.FillIdleCells(row, cards_, leftCount);
        }
    }
    weaving.MarkFloats();
}

void TTWPattern::BuildReverseWeaving(TTWWeaving& weaving, const TTWPalette* palette, int repeats)
{
    BuildWeaving(weaving, palette, true, repeats);
}

void RegisterThreadedPattern()
{
    RegisterPatternClass(PatternTypeThreaded, &MakeThreadedPattern);
}
