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
#include "model/loom.h"
#include "model/weaving.h"

namespace {

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
    Weave(weaving, palette, reverse, repeats, 0);
}

void TTWPattern::UpdateWeaving(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int firstPick)
{
    Weave(weaving, palette, reverse, 0, std::max(firstPick, 1) - 1);
}

int TTWPattern::Rebuild(const std::function<void(TTWPattern&)>& build)
{
    TTWPickList before;
    before.SwapItems(picks_);
    try {
        build(*this);
    } catch (...) {
        // A build that fails leaves the picks the pattern had.
        picks_.SwapItems(before);
        throw;
    }
    // With nothing changed the last pick is woven again, which costs one row.
    return std::min(FirstDifferentPick(before, picks_), std::max(picks_.Count(), 1));
}

void TTWPattern::Weave(TTWWeaving& weaving, const TTWPalette* palette, bool reverse, int repeats, int firstChangedRow)
{
    TTWCardList& left = SelvedgeLeft();
    TTWCardList& right = SelvedgeRight();
    const int cardCount = cards_.Count();
    const int pickCount = picks_.Count();
    const std::int64_t passes = repeats >= 0 ? static_cast<std::int64_t>(repeats) + 1 : 0;
    const std::int64_t rows = passes * pickCount;

    cards_.ResetAll();
    left.ResetAll();
    right.ResetAll();

    TTWLoom loom(weaving, palette != nullptr ? *palette : palette_, reverse, left, cards_, right);
    const int firstRow =
        loom.Start(firstChangedRow, static_cast<int>(std::min<std::int64_t>(rows, std::numeric_limits<int>::max())));
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
    // Row r of the band is pick r of the list in every pass; the loom goes on from firstRow.
    for (std::int64_t row = firstRow; row < rows; ++row) {
        const TTWPick& pick = *picks_.Items(static_cast<int>(row % pickCount));
        loom.BeginPick();
        for (const fw::Object* item : pick.Actions()) {
            const auto& action = *static_cast<const TTWAction*>(item);
            if (!action.IsPackAction()) {
                loom.Apply(action, action.CardNumber() - 1);
            } else if (const TTWPack* pack = packs_.FindByName(action.TargetID())) {
                loom.Apply(action, cardsOfPack(*pack));
            }
        }
        loom.EndPick();
    }
    // The floats were marked as the rows were woven.
    loom.Finish();
}

void TTWPattern::BuildReverseWeaving(TTWWeaving& weaving, const TTWPalette* palette, int repeats)
{
    BuildWeaving(weaving, palette, true, repeats);
}

void RegisterThreadedPattern()
{
    RegisterPatternClass(PatternTypeThreaded, &MakeThreadedPattern);
}
