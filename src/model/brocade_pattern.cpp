#include "model/brocade_pattern.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/list.h"
#include "framework/core/strings.h"
#include "model/df_pattern.h"
#include "model/file_values.h"
#include "model/pattern_limits.h"

namespace {

// The wefts a new brocade offers: black, blue, red, green and yellow.
constexpr std::array<TTWColour, 5> DefaultWeftColours{0x000000, 0xFF0000, 0x0000FF, 0x008000, 0x00FFFF};

// The character of each weft digit in the picture of the picks: "." a tie-down, "A" weft 1.
constexpr std::string_view VisualWeftLetters = ".ABCDEFGHI";

constexpr const char* GroundWeaveKindsText =
    "The ground weave must be a threaded-in, doubleface, twill, or twist-patterned design.";

// The colour index that cards added to reach the brocade's width carry.
constexpr int PaddingCardColour = 15;

int WeftOfCharacter(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::unique_ptr<TTWPatternBase> MakeBrocadePattern()
{
    return std::make_unique<TTWBrocadePattern>();
}

// Notes written by hand, or by an old version, may be lines instead of one escaped text.
std::string ReadNotes(const TILXMLNode& notes)
{
    return notes.ChildCount() == 0 ? DecodeXMLText(notes.Value()) : notes.ReadTextLines("", "L");
}

// The first element with the tag at or below the element, not looking into the ground
// weave: the ground weave's own picks are not the brocade's.
const TILXMLNode* FindOutsideGroundWeave(const TILXMLNode* element, std::string_view tag)
{
    if (element->Tag() == tag) {
        return element;
    }
    if (const TILXMLNode* child = element->FindChild(tag)) {
        return child;
    }
    for (int i = 0; i < element->ChildCount(); ++i) {
        const TILXMLNode* child = element->GetChild(i);
        if (child->Tag() == "GroundWeave") {
            continue;
        }
        if (const TILXMLNode* found = FindOutsideGroundWeave(child, tag)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

// --- the brocade pick ---

void TTWBrocadePick::Assign(const fw::Persistent* source)
{
    if (auto* pick = dynamic_cast<const TTWBrocadePick*>(source)) {
        if (pick != this) {
            tieDowns_.Assign(pick->tieDowns_);
            wefts_ = pick->wefts_;
        }
        return;
    }
    fw::Persistent::Assign(source);
}

const TTWBrocadePattern* TTWBrocadePick::Pattern() const
{
    return collection_ != nullptr ? collection_->Pattern() : nullptr;
}

int TTWBrocadePick::Width() const
{
    const TTWBrocadePattern* pattern = Pattern();
    return pattern != nullptr ? pattern->Width() : static_cast<int>(wefts_.size());
}

int TTWBrocadePick::GetWeft(int card) const
{
    if (card < 0) {
        return 0;
    }
    const auto position = static_cast<std::size_t>(card);
    return position < wefts_.size() ? WeftOfCharacter(wefts_[position]) : 1;
}

void TTWBrocadePick::SetWeft(int card, int digit)
{
    if (card < 0 || digit < 0 || digit > 9) {
        return;
    }
    if (card >= TTWBrocadePattern::MaxWidth) {
        throw TGenericException::CreateFromSender("Card " + fw::IntToStr(card + 1)
                                                      + " lies beyond the largest brocade of "
                                                      + fw::IntToStr(TTWBrocadePattern::MaxWidth) + " cards.",
                                                  nullptr, this, "SetWeft");
    }
    const auto position = static_cast<std::size_t>(card);
    if (wefts_.size() <= position) {
        wefts_.resize(position + 1, '0');
    }
    wefts_[position] = static_cast<char>('0' + digit);
}

bool TTWBrocadePick::IsTieDown(int card) const
{
    return tieDowns_.IndexOf(fw::IntToStr(card)) >= 0;
}

void TTWBrocadePick::SetTieDown(int card, bool on)
{
    if (card < 0) {
        return;
    }
    const int index = tieDowns_.IndexOf(fw::IntToStr(card));
    if (on) {
        // A tie-down never carries a weft, whatever the digit said before. The digit goes
        // first: a card beyond the largest brocade is refused before it is listed.
        SetWeft(card, 0);
        if (index < 0) {
            tieDowns_.Add(fw::IntToStr(card));
        }
    } else if (index >= 0) {
        SetWeft(card, 1);
        tieDowns_.Delete(index);
    }
}

TTWColour TTWBrocadePick::GetWeftColour(int card) const
{
    const TTWBrocadePattern* pattern = Pattern();
    const int weft = GetWeft(card);
    if (pattern == nullptr || weft == 0) {
        return NoColour;
    }
    const TTWThread* thread = pattern->Wefts().GetItem(weft - 1);
    return thread != nullptr ? thread->Colour : NoColour;
}

int TTWBrocadePick::FindNextWeftStart(int card) const
{
    const int width = Width();
    int current = GetWeft(card);
    for (int next = std::max(card + 1, 0); next < width; ++next) {
        const int weft = GetWeft(next);
        if (weft == 0) {
            current = 0;
        } else if (weft != current) {
            return next;
        }
    }
    return width;
}

int TTWBrocadePick::GetWeftRunEnd(int card) const
{
    const int width = Width();
    const int weft = GetWeft(card);
    int last = card;
    while (last + 1 < width && GetWeft(last + 1) == weft) {
        ++last;
    }
    return std::min(last, width - 1);
}

std::string TTWBrocadePick::GetCardRangesText(int base, int weft) const
{
    const int width = Width();
    std::string text;
    int card = 0;
    while (card < width) {
        if (GetWeft(card) == weft) {
            ++card;
            continue;
        }
        const int first = card;
        while (card + 1 < width && GetWeft(card + 1) != weft) {
            ++card;
        }
        if (!text.empty()) {
            text += "; ";
        }
        text += fw::IntToStr(static_cast<std::int64_t>(first) + base);
        if (card > first) {
            text += " - " + fw::IntToStr(static_cast<std::int64_t>(card) + base);
        }
        ++card;
    }
    return text;
}

void TTWBrocadePick::SetIndex(int index)
{
    if (collection_ != nullptr) {
        collection_->Move(index_, index);
    }
}

TILXMLNode* TTWBrocadePick::WriteToXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Pick");
    element->AddAttribute("Index", fw::IntToStr(static_cast<std::int64_t>(index_) + 1));
    element->AddChildValue("TieDowns", tieDowns_.CommaText());
    element->AddChildValue("Wefts", wefts_);
    return element;
}

void TTWBrocadePick::ReadFromXML(const TILXMLNode* element)
{
    const TILXMLNode* tieDowns = element->FindChild("TieDowns");
    tieDowns_.SetCommaText(tieDowns != nullptr ? tieDowns->Value() : std::string());
    const TILXMLNode* wefts = element->FindChild("Wefts");
    wefts_ = wefts != nullptr ? wefts->Value() : std::string();
    if (!wefts_.empty()) {
        return;
    }
    // Files from before the weft digits: every card up to the last tie-down carries the
    // first weft, except the tie-downs. Entries that are no card number are left out.
    std::vector<int> cards;
    for (const std::string& text : tieDowns_) {
        int card = 0;
        if (fw::TryStrToInt(text, card) && card >= 0) {
            cards.push_back(card);
        }
    }
    if (cards.empty()) {
        return;
    }
    const int largest = *std::max_element(cards.begin(), cards.end());
    if (largest >= TTWBrocadePattern::MaxWidth) {
        throw TGenericException::CreateFromSender("Tie-down card " + fw::IntToStr(largest)
                                                      + " lies beyond the largest brocade of "
                                                      + fw::IntToStr(TTWBrocadePattern::MaxWidth) + " cards.",
                                                  nullptr, this, "ReadFromXML");
    }
    wefts_.assign(static_cast<std::size_t>(largest), '1');
    for (int card : cards) {
        SetWeft(card, 0);
    }
}

// --- the brocade pick list ---

void TTWBrocadePickList::Assign(const fw::Persistent* source)
{
    if (auto* list = dynamic_cast<const TTWBrocadePickList*>(source)) {
        AssignItems(*list);
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWBrocadePickList::CheckRoom() const
{
    if (Count() >= MaxPicks) {
        const std::int64_t picks = static_cast<std::int64_t>(Count()) + 1;
        throw TGenericException::CreateFromSender("Too many brocade picks (" + fw::IntToStr(picks)
                                                      + ").\r\nA brocade holds at most "
                                                      + fw::IntToStr(MaxPicks) + " picks.",
                                                  nullptr, this, "Add");
    }
}

// --- the brocade pattern ---

TTWBrocadePattern::TTWBrocadePattern()
{
    for (TTWColour colour : DefaultWeftColours) {
        auto weft = std::make_unique<TTWThread>();
        weft->Colour = colour;
        wefts_.Add(weft.release());
    }
}

TTWBrocadePattern::~TTWBrocadePattern() = default;

void TTWBrocadePattern::Assign(const fw::Persistent* source)
{
    if (source == this) {
        return;
    }
    TTWPattern::Assign(source);
    if (const auto* brocade = dynamic_cast<const TTWBrocadePattern*>(source)) {
        brocadePicks_.Assign(&brocade->brocadePicks_);
        width_ = brocade->width_;
        wefts_.Assign(brocade->wefts_);
        SetGroundWeave(brocade->groundWeave_.get());
    }
}

void TTWBrocadePattern::SetWidth(int width)
{
    if (width < 0) {
        throw TGenericException::CreateFromSender("Invalid brocade width " + fw::IntToStr(width)
                                                      + ".\r\nA brocade is 0 to " + fw::IntToStr(MaxWidth)
                                                      + " cards wide.",
                                                  nullptr, this, "SetWidth");
    }
    CheckPatternWidth(width, this, "SetWidth");
    width_ = width;
}

bool TTWBrocadePattern::IsGroundWeaveKind(int kind)
{
    return kind == PatternTypeThreaded || kind == PatternTypeDoubleFace || kind == PatternTypeBrokenTwill
           || kind == PatternTypeTwistPatterned;
}

void TTWBrocadePattern::SetGroundWeave(const TTWPatternBase* pattern)
{
    if (pattern != nullptr && !IsGroundWeaveKind(pattern->GetPatternType())) {
        throw TGenericException::CreateFromSender(std::string("Cannot set ground weave pattern.\r\n")
                                                      + GroundWeaveKindsText,
                                                  nullptr, this, "SetGroundWeave");
    }
    // The copy is made before the held one goes: the pattern given may be that very one.
    std::unique_ptr<TTWPatternBase> copy;
    if (pattern != nullptr) {
        copy = CreatePatternOfType(pattern->GetPatternType());
        if (copy != nullptr) {
            copy->Assign(pattern);
        } else {
            // A kind whose class is not in the kind table is still copied with its own class.
            copy = fw::CloneOf(*pattern);
        }
        // The grid kinds' copies leave their palette (and whether they write it) behind; the
        // ground weave keeps both, so that a file's ground comes back as it was read.
        if (TTWPalette* palette = copy->GetPalette()) {
            if (const TTWPalette* source = pattern->GetPalette()) {
                palette->Assign(source);
            }
        }
        const auto* grid = dynamic_cast<const TTWDFPattern*>(pattern);
        if (auto* gridCopy = dynamic_cast<TTWDFPattern*>(copy.get()); grid != nullptr && gridCopy != nullptr) {
            gridCopy->SetSaveCardsAndPalette(grid->SaveCardsAndPalette());
        }
    }
    groundWeave_ = std::move(copy);
}

void TTWBrocadePattern::SetSize(int width, int picks)
{
    if (width < 1 || picks < 1) {
        return;
    }
    if (width > MaxWidth || picks > TTWBrocadePickList::MaxPicks
        || static_cast<std::int64_t>(width) * picks > MaxCells) {
        throw TGenericException::CreateFromSender("Brocade size " + fw::IntToStr(width) + " x " + fw::IntToStr(picks)
                                                      + " is too large.\r\nA brocade holds at most "
                                                      + fw::IntToStr(MaxCells) + " cells of up to "
                                                      + fw::IntToStr(MaxWidth) + " cards and "
                                                      + fw::IntToStr(TTWBrocadePickList::MaxPicks) + " picks.",
                                                  nullptr, this, "SetSize");
    }
    brocadePicks_.Clear();
    // Every card a tie-down: the numbers listed in card order and a digit 0 for each.
    fw::StringList allCards;
    for (int card = 0; card < width; ++card) {
        allCards.Add(fw::IntToStr(card));
    }
    const std::string noWefts(static_cast<std::size_t>(width), '0');
    for (int i = 0; i < picks; ++i) {
        TTWBrocadePick* pick = brocadePicks_.Add();
        pick->TieDowns().Assign(allCards);
        pick->SetWefts(noWefts);
    }
}

bool TTWBrocadePattern::UsesWeft(int weft) const
{
    for (const auto& pick : brocadePicks_) {
        for (int card = 0; card < width_; ++card) {
            if (pick->GetWeft(card) == weft) {
                return true;
            }
        }
    }
    return false;
}

int TTWBrocadePattern::WeftsUsed() const
{
    std::array<bool, 10> used{};
    for (const auto& pick : brocadePicks_) {
        for (int card = 0; card < width_; ++card) {
            used[static_cast<std::size_t>(pick->GetWeft(card))] = true;
        }
    }
    return static_cast<int>(std::count(used.begin() + 1, used.end(), true));
}

void TTWBrocadePattern::BuildThreadedPicks()
{
    if (groundWeave_ != nullptr) {
        if (TTWCardList* groundCards = groundWeave_->GetCards()) {
            groundCards->Assign(Cards());
        }
        groundWeave_->ConvertToThreaded(*this);
        return;
    }
    CheckConversionSize(Cards().Count(), brocadePicks_.Count(), this);
    Picks().Clear();
    Packs().Clear();
    for (int i = 0; i < brocadePicks_.Count(); ++i) {
        TTWPick* pick = Picks().Add();
        for (int card = 1; card <= Cards().Count(); ++card) {
            pick->Actions().Add(TTWAction::CreateCardTurn(card, TurnForwards, DistanceOneHole).release());
        }
    }
}

TILXMLNode* TTWBrocadePattern::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Pattern");
    element->AddAttribute("Type", "Brocade");
    element->AddChildText("Name", Name());
    element->AddChildValue("Notes", EncodeXMLText(Notes()));
    element->AddChildValue("Width", fw::IntToStr(width_));

    TILXMLNode* picks = element->AddChild("BrocadePicks");
    picks->AddAttribute("Count", fw::IntToStr(brocadePicks_.Count()));
    for (const auto& pick : brocadePicks_) {
        pick->WriteToXML(picks);
    }
    wefts_.WriteToXML(element, "Wefts");
    Cards().WriteToXML(element, "Cards");
    Palette().WriteToXML(element, "Palette");

    // For people reading the file: the picks as they are woven, the last on top.
    TILXMLNode* visual = element->AddChild("VisualPattern");
    for (int i = brocadePicks_.Count() - 1; i >= 0; --i) {
        const TTWBrocadePick& pick = *brocadePicks_.Items(i);
        std::string row(static_cast<std::size_t>(width_), '.');
        for (int card = 0; card < width_; ++card) {
            row[static_cast<std::size_t>(card)] = VisualWeftLetters[static_cast<std::size_t>(pick.GetWeft(card))];
        }
        visual->AddChildValue("P" + fw::IntToStr(i + 1), std::move(row));
    }

    element->AddAttribute("GroundWeave", groundWeave_ != nullptr ? "Yes" : "No");
    if (groundWeave_ != nullptr) {
        groundWeave_->BuildXML(element->AddChild("GroundWeave"));
    }
    return element;
}

void TTWBrocadePattern::CheckPicksWithinWidth(std::string_view picksTag) const
{
    // The editor shows and stores the width's cards of every pick: a weft digit or a tie-down
    // beyond them would open unseen and go with the next save.
    const auto raise = [&](int index, const std::string& part, const std::string& value, const std::string& held) {
        throw TGenericException::CreateFromSender("Invalid " + part + " of pick " + fw::IntToStr(index + 1) + " in "
                                                      + std::string(picksTag) + " (" + value + ").\r\n"
                                                      + (width_ > 0 ? held : std::string("The brocade has no cards"))
                                                      + ": a card beyond them would be lost.",
                                                  nullptr, this, "ExtractXML");
    };
    for (int i = 0; i < brocadePicks_.Count(); ++i) {
        const TTWBrocadePick& pick = *brocadePicks_.Items(i);
        if (pick.Wefts().size() > static_cast<std::size_t>(width_)) {
            raise(i, "Wefts", fw::IntToStr(static_cast<std::int64_t>(pick.Wefts().size())) + " cards",
                  "The brocade is " + fw::IntToStr(width_) + " cards wide");
        }
        for (const std::string& text : pick.TieDowns()) {
            int card = 0;
            // Entries that name no card mean nothing to the design, in the file or out of it.
            if (fw::TryStrToInt(text, card) && card >= width_) {
                raise(i, "TieDowns", "card " + fw::IntToStr(card),
                      "The brocade's cards are 0 to " + fw::IntToStr(width_ - 1));
            }
        }
    }
}

void TTWBrocadePattern::ExtractXML(const TILXMLNode* element, double& version)
{
    version = ReadTWDataVersion(element);
    const TILXMLNode* name = element->FindChild("Name");
    SetName(name != nullptr ? name->Text() : std::string());
    if (const TILXMLNode* notes = element->FindChild("Notes")) {
        SetNotes(ReadNotes(*notes));
    }
    SetWidth(ReadChildCount(*element, "Width", 0, this, "ExtractXML"));

    brocadePicks_.Clear();
    const TILXMLNode* picks = FindOutsideGroundWeave(element, "BrocadePicks");
    if (picks == nullptr) {
        picks = FindOutsideGroundWeave(element, "Picks");
    }
    if (picks != nullptr) {
        // Every child is a pick, whatever the count says; a count given must agree all the same,
        // or the save would change it. Older files kept their picks under "Picks", whose count
        // the save does not write.
        if (picks->Tag() == "BrocadePicks") {
            CheckListCount(*picks, this, "ExtractXML");
        }
        // Each pick may unfold its tie-downs into a row of weft digits: the rows together
        // must stay within what one brocade may hold.
        std::int64_t cells = 0;
        for (int i = 0; i < picks->ChildCount(); ++i) {
            TTWBrocadePick* pick = brocadePicks_.Add();
            pick->ReadFromXML(picks->GetChild(i));
            cells += static_cast<std::int64_t>(pick->Wefts().size());
            if (cells > MaxCells) {
                throw TGenericException::CreateFromSender("Too many brocade cells.\r\nA brocade holds at most "
                                                              + fw::IntToStr(MaxCells) + " cells.",
                                                          nullptr, this, "ExtractXML");
            }
        }
    }

    // Every use of the design runs over width x picks cells.
    if (static_cast<std::int64_t>(width_) * brocadePicks_.Count() > MaxCells) {
        throw TGenericException::CreateFromSender("Brocade size " + fw::IntToStr(width_) + " x "
                                                      + fw::IntToStr(brocadePicks_.Count())
                                                      + " is too large.\r\nA brocade holds at most "
                                                      + fw::IntToStr(MaxCells) + " cells.",
                                                  nullptr, this, "ExtractXML");
    }
    if (picks != nullptr) {
        CheckPicksWithinWidth(picks->Tag());
    }

    if (const TILXMLNode* wefts = element->FindChild("Wefts")) {
        CheckListCount(*wefts, this, "ExtractXML");
        wefts_.ReadFromXML(wefts);
    }
    const TILXMLNode* cards = element->FindChild("Cards");
    Cards().ReadFromXML(cards);
    // The editor keeps a card for each card of the design: cards beyond it would be lost.
    if (Cards().Count() > width_) {
        RaiseInvalidValue("count", fw::IntToStr(Cards().Count()), ValuePlace(*cards, "Count"),
                          "The brocade is " + fw::IntToStr(width_) + " cards wide: the cards beyond it would be lost.",
                          this, "ExtractXML");
    }
    if (const TILXMLNode* palette = element->FindChild("Palette")) {
        Palette().ReadFromXML(palette);
    }
    while (Cards().Count() < width_) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < card->GetHoleCount(); ++hole) {
            card->SetHoleColour(hole, PaddingCardColour);
        }
        card->Reset();
        Cards().Add(card.release());
    }

    const bool hasGroundWeave = ReadFlagAttribute(*element, "GroundWeave", false, this, "ExtractXML");
    const TILXMLNode* groundElement = element->FindChild("GroundWeave");
    if (!hasGroundWeave && groundElement != nullptr && groundElement->FindChild("Pattern") != nullptr) {
        RaiseInvalidValue("value", element->AttributeValue("GroundWeave"), ValuePlace(*element, "GroundWeave"),
                          "The brocade's file holds its ground weave.", this, "ExtractXML");
    }
    if (hasGroundWeave) {
        ReadGroundWeave(element);
    } else {
        groundWeave_.reset();
    }
}

void TTWBrocadePattern::ReadGroundWeave(const TILXMLNode* element)
{
    const TILXMLNode* ground = element->FindPath("GroundWeave/Pattern", false, false);
    if (ground == nullptr) {
        throw TGenericException::CreateFromSender(
            "Cannot read ground weave pattern.\r\nThe pattern has a ground weave, but its data is missing.",
            nullptr, this, "ExtractXML");
    }
    const std::string typeName = ground->GetAttribute("Type");
    const int kind = PatternTypeFromName(typeName);
    if (!IsGroundWeaveKind(kind)) {
        throw TGenericException::CreateFromSender("Cannot read ground weave pattern.\r\nThe type <" + typeName
                                                      + "> cannot be a ground weave.\r\n" + GroundWeaveKindsText,
                                                  nullptr, this, "ExtractXML");
    }
    std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(kind);
    if (pattern == nullptr) {
        throw TGenericException::CreateFromSender("Unable to create pattern.\r\nThe type <" + typeName
                                                      + "> is unknown.",
                                                  nullptr, this, "ExtractXML");
    }
    double groundVersion = 0;
    pattern->ExtractXML(ground, groundVersion);
    // Replaced only once it has been read whole: a failure keeps the ground weave held.
    groundWeave_ = std::move(pattern);
}

void RegisterBrocadePattern()
{
    RegisterPatternClass(PatternTypeBrocade, &MakeBrocadePattern);
}
