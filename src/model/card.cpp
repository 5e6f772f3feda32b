#include "model/card.h"

#include <algorithm>
#include <array>

#include "foundation/generic_exception.h"
#include "foundation/xml_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/file_values.h"

namespace {

using PositionPair = std::pair<std::uint8_t, std::uint8_t>;

constexpr PositionPair Swap(char a, char b)
{
    return {static_cast<std::uint8_t>(a - 'A'), static_cast<std::uint8_t>(b - 'A')};
}

// The hole on top for forwards two, forwards one, backwards two and backwards one hole.
char LetterFromTable(std::string_view table, int direction, int distance)
{
    const bool twoHoles = distance == DistanceTwoHoles;
    if (distance != DistanceOneHole && !twoHoles) {
        return 'A';
    }
    if (direction == TurnForwards) {
        return twoHoles ? table[0] : table[1];
    }
    if (direction == TurnBackwards) {
        return twoHoles ? table[2] : table[3];
    }
    return 'A';
}

// The exchanges of a twist direction (1 "V" to 4 "BD") from a card class's four columns.
template <std::size_t V, std::size_t H, std::size_t AC, std::size_t BD>
struct TwistTable {
    std::array<PositionPair, V> v;
    std::array<PositionPair, H> h;
    std::array<PositionPair, AC> ac;
    std::array<PositionPair, BD> bd;

    std::span<const PositionPair> For(int direction) const
    {
        switch (direction) {
        case TwistV:
            return v;
        case TwistH:
            return h;
        case TwistAC:
            return ac;
        case TwistBD:
            return bd;
        default:
            return {};
        }
    }
};

constexpr TwistTable<1, 0, 0, 0> Twists3{{Swap('B', 'C')}, {}, {}, {}};
constexpr TwistTable<2, 2, 1, 1> Twists4{
    {Swap('A', 'D'), Swap('B', 'C')}, {Swap('A', 'B'), Swap('D', 'C')}, {Swap('B', 'D')}, {Swap('A', 'C')}};
constexpr TwistTable<2, 0, 2, 2> Twists5{
    {Swap('B', 'E'), Swap('C', 'D')}, {}, {Swap('A', 'B'), Swap('E', 'C')}, {Swap('A', 'E'), Swap('B', 'D')}};
constexpr TwistTable<3, 2, 3, 3> Twists6{{Swap('A', 'F'), Swap('B', 'E'), Swap('C', 'D')},
                                         {Swap('A', 'C'), Swap('F', 'D')},
                                         {Swap('A', 'B'), Swap('F', 'C'), Swap('E', 'D')},
                                         {Swap('B', 'C'), Swap('A', 'D'), Swap('F', 'E')}};
constexpr TwistTable<3, 0, 3, 3> Twists7{{Swap('B', 'G'), Swap('C', 'F'), Swap('D', 'E')},
                                         {},
                                         {Swap('A', 'C'), Swap('D', 'G'), Swap('E', 'F')},
                                         {Swap('A', 'F'), Swap('B', 'E'), Swap('C', 'D')}};
constexpr TwistTable<4, 4, 4, 4> Twists8{{Swap('A', 'H'), Swap('B', 'G'), Swap('C', 'F'), Swap('D', 'E')},
                                         {Swap('A', 'D'), Swap('B', 'C'), Swap('H', 'E'), Swap('G', 'F')},
                                         {Swap('A', 'B'), Swap('H', 'C'), Swap('G', 'D'), Swap('F', 'E')},
                                         {Swap('C', 'D'), Swap('B', 'E'), Swap('A', 'F'), Swap('H', 'G')}};

// Per class, from 3 holes up: the hole on top for forwards two, forwards one, backwards
// two and backwards one hole.
constexpr std::array<std::string_view, MaxCardHoles - MinCardHoles + 1> HoleLetterTables = {
    "BCCB", "CDBA", "DECB", "EFBA", "FGCB", "GHBA",
};

constexpr std::array<std::string_view, MaxCardHoles - MinCardHoles + 1> CardClassNames = {
    "TTWCard3", "TTWCard4", "TTWCard5", "TTWCard6", "TTWCard7", "TTWCard8",
};

std::span<const PositionPair> TwistExchangesOf(int holes, int direction)
{
    switch (holes) {
    case 3:
        return Twists3.For(direction);
    case 4:
        return Twists4.For(direction);
    case 5:
        return Twists5.For(direction);
    case 6:
        return Twists6.For(direction);
    case 7:
        return Twists7.For(direction);
    case 8:
        return Twists8.For(direction);
    default:
        return {};
    }
}

} // namespace

template <int HoleCountOfClass>
std::string_view TTWCardOf<HoleCountOfClass>::className() const
{
    return CardClassNames[HoleCountOfClass - MinCardHoles];
}

template <int HoleCountOfClass>
char TTWCardOf<HoleCountOfClass>::GetHoleLetter(int direction, int distance) const
{
    return LetterFromTable(HoleLetterTables[HoleCountOfClass - MinCardHoles], direction, distance);
}

template <int HoleCountOfClass>
std::span<const PositionPair> TTWCardOf<HoleCountOfClass>::TwistExchanges(int direction) const
{
    return TwistExchangesOf(HoleCountOfClass, direction);
}

template class TTWCardOf<3>;
template class TTWCardOf<4>;
template class TTWCardOf<5>;
template class TTWCardOf<6>;
template class TTWCardOf<7>;
template class TTWCardOf<8>;

namespace {

template <class Card>
TTWCardBase* MakeCard()
{
    return new Card;
}

constexpr std::array<TTWCardFactory, MaxCardHoles - MinCardHoles + 1> CardClasses = {
    &MakeCard<TTWCard3>, &MakeCard<TTWCard4>, &MakeCard<TTWCard5>,
    &MakeCard<TTWCard6>, &MakeCard<TTWCard7>, &MakeCard<TTWCard8>,
};

} // namespace

TTWCardFactory CardClassOf(int holeCount)
{
    if (holeCount < MinCardHoles || holeCount > MaxCardHoles) {
        return nullptr;
    }
    return CardClasses[static_cast<std::size_t>(holeCount - MinCardHoles)];
}

std::unique_ptr<TTWCardBase> CreateCard(int holeCount)
{
    TTWCardFactory factory = CardClassOf(holeCount);
    return std::unique_ptr<TTWCardBase>(factory != nullptr ? factory() : nullptr);
}

void TTWHole::Assign(const fw::Persistent* source)
{
    if (auto* hole = dynamic_cast<const TTWHole*>(source)) {
        Colour = hole->Colour;
        return;
    }
    fw::Persistent::Assign(source);
}

TTWCardBase::TTWCardBase(int holeCount)
{
    for (int i = 0; i < holeCount; ++i) {
        auto* hole = new TTWHole;
        holes_.Add(hole);
        curHoles_.Add(hole);
    }
}

void TTWCardBase::Assign(const fw::Persistent* source)
{
    auto* card = dynamic_cast<const TTWCardBase*>(source);
    if (card == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (card == this) {
        return;
    }
    if (card->GetHoleCount() != GetHoleCount() || card->holes_.Count() != holes_.Count()) {
        throw TGenericException::CreateFromSender("Unable to copy card data - number of holes is different.",
                                                  nullptr, this, "Assign");
    }
    for (int i = 0; i < holes_.Count(); ++i) {
        holes_.Items(i)->Colour = card->holes_.Items(i)->Colour;
    }
    threading_ = card->threading_;
    // Each position of the current order refers to this card's own hole with the index the
    // source's hole has in the source.
    curHoles_.Clear();
    for (int i = 0; i < card->curHoles_.Count(); ++i) {
        curHoles_.Add(holes_.Items(card->holes_.IndexOf(card->curHoles_.Items(i))));
    }
    curPos_ = card->curPos_;
    curThread_ = card->curThread_;
    lastTurn_ = card->lastTurn_;
    twisted_ = card->twisted_;
}

void TTWCardBase::Reset()
{
    curThread_ = threading_;
    curHoles_.Clear();
    for (fw::Object* hole : holes_) {
        curHoles_.Add(hole);
    }
    curPos_ = 0;
    lastTurn_ = TurnForwards;
    twisted_ = false;
}

void TTWCardBase::NormalisePosition()
{
    // The holes the card was made with: its class's count, without asking the class.
    const int count = holes_.Count();
    if (curPos_ >= count) {
        // A turn or a twist moves the position by at most two: one subtraction nearly always
        // does.
        curPos_ = curPos_ < 2 * count ? curPos_ - count : curPos_ % count;
    } else if (curPos_ < 0) {
        curPos_ += count;
    }
}

void TTWCardBase::Turn(int direction, int distance)
{
    const bool known = (direction == TurnForwards || direction == TurnBackwards)
                       && (distance == DistanceOneHole || distance == DistanceTwoHoles);
    if (known && curHoles_.Count() > 0) {
        const int steps = distance == DistanceTwoHoles ? 2 : 1;
        for (int step = 0; step < steps; ++step) {
            if (direction == TurnForwards) {
                curHoles_.Move(curHoles_.Count() - 1, 0);
            } else {
                curHoles_.Move(0, curHoles_.Count() - 1);
            }
        }
        curPos_ += direction == TurnForwards ? -steps : steps;
        NormalisePosition();
    }
    if (direction != TurnIdle) {
        lastTurn_ = static_cast<std::uint8_t>(direction);
    }
    twisted_ = false;
}

void TTWCardBase::Twist(int direction)
{
    curThread_ = FlippedThreading(curThread_);
    ++curPos_;
    NormalisePosition();
    twisted_ = !twisted_;
    for (const PositionPair& pair : TwistExchanges(direction)) {
        curHoles_.Exchange(pair.first, pair.second);
    }
}

TTWCardBase::TurningState TTWCardBase::GetTurningState() const
{
    TurningState state;
    for (int position = 0; position < curHoles_.Count() && position < MaxCardHoles; ++position) {
        state.order[static_cast<std::size_t>(position)] =
            static_cast<std::uint8_t>(holes_.IndexOf(curHoles_.Items(position)));
    }
    state.curPos = curPos_;
    state.curThread = curThread_;
    state.lastTurn = lastTurn_;
    state.twisted = twisted_;
    return state;
}

void TTWCardBase::SetTurningState(const TurningState& state)
{
    const int count = holes_.Count();
    // Checked before anything changes: an order that left a hole out would lose its thread.
    std::array<bool, MaxCardHoles> seen{};
    for (int position = 0; position < count; ++position) {
        const std::uint8_t hole = state.order[static_cast<std::size_t>(position)];
        if (hole >= count || seen[hole]) {
            throw TGenericException::CreateFromSender("Invalid order of holes for a card of " + fw::IntToStr(count)
                                                          + " holes.",
                                                      nullptr, this, "SetTurningState");
        }
        seen[hole] = true;
    }
    curHoles_.Clear();
    for (int position = 0; position < count; ++position) {
        curHoles_.Add(holes_.Items(state.order[static_cast<std::size_t>(position)]));
    }
    curPos_ = state.curPos;
    NormalisePosition();
    curThread_ = state.curThread;
    lastTurn_ = state.lastTurn;
    twisted_ = state.twisted;
}

TTWHole* TTWCardBase::Hole(int index) const
{
    TTWHole* hole = holes_.GetItem(index);
    if (hole == nullptr) {
        throw TGenericException::CreateFromSender("Hole index (" + fw::IntToStr(index) + ") is out of bounds.",
                                                  nullptr, this, "_getByIndex");
    }
    return hole;
}

int TTWCardBase::HoleColour(int index) const
{
    // Read straight from the list: weaving asks this for nearly every cell of the band.
    if (index < 0 || index >= holes_.Count()) {
        return 0;
    }
    return static_cast<const TTWHole*>(holes_.begin()[index])->Colour;
}

void TTWCardBase::SetHoleColour(int index, int colour)
{
    Hole(index)->Colour = colour;
}

char TTWCardBase::OppositeLetter(char letter) const
{
    const int count = holes_.Count();
    const int across = count / 2 + (letter - 'A');
    // A letter of the card wraps at most once; anything else takes the full formula.
    int position = 0;
    if (across >= 0 && across < count) {
        position = across;
    } else if (across >= count && across < 2 * count) {
        position = across - count;
    } else {
        position = (across % count + count) % count;
    }
    return static_cast<char>('A' + position);
}

int TTWCardBase::CurHoleColour(char letter) const
{
    const int index = letter - 'A';
    if (index < 0 || index >= curHoles_.Count()) {
        return 0;
    }
    return static_cast<const TTWHole*>(curHoles_.begin()[index])->Colour;
}

char TTWCardBase::TopLetter(int direction, int distance) const
{
    const int count = holes_.Count();
    // Both parts lie below the hole count, so the sum needs a division only when it wraps.
    const int sum = GetHoleLetter(direction, distance) - 'A' + curPos_;
    const int position = sum >= 0 && sum < count ? sum : sum % count;
    return static_cast<char>('A' + position);
}

int TTWCardBase::TopColour(int direction, int distance) const
{
    return CurHoleColour(GetHoleLetter(direction, distance));
}

void TTWCardBase::ReplaceColour(int oldColour, int newColour)
{
    for (fw::Object* item : holes_) {
        auto* hole = static_cast<TTWHole*>(item);
        if (hole->Colour == oldColour) {
            hole->Colour = newColour;
        }
    }
}

void TTWCardBase::SwapColours(int colour1, int colour2)
{
    for (fw::Object* item : holes_) {
        auto* hole = static_cast<TTWHole*>(item);
        if (hole->Colour == colour1) {
            hole->Colour = colour2;
        } else if (hole->Colour == colour2) {
            hole->Colour = colour1;
        }
    }
}

void TTWCardBase::WriteHoles(TILXMLNode* parent, std::string_view tag, const TTWHoleList& holes) const
{
    TILXMLNode* element = parent->AddChild(tag);
    element->AddAttribute("Count", fw::IntToStr(holes.Count()));
    for (const fw::Object* item : holes) {
        const auto* hole = static_cast<const TTWHole*>(item);
        element->AddChildValue("Colour", fw::IntToStr(hole->Colour));
    }
}

TILXMLNode* TTWCardBase::WriteToXML(TILXMLNode* parent, int number, bool withState) const
{
    TILXMLNode* element = parent->AddChild("Card");
    element->AddAttribute("Holes", fw::IntToStr(GetHoleCount()));
    if (number > 0) {
        element->AddAttribute("Number", fw::IntToStr(number));
    }
    WriteHoles(element, "Holes", holes_);
    element->AddChildValue("Threading", std::string(ThreadingText(threading_)));
    if (withState) {
        element->AddChildValue("CurThread", std::string(ThreadingText(curThread_)));
        element->AddChildValue("CurPos", fw::IntToStr(curPos_));
        WriteHoles(element, "CurHoles", curHoles_);
    }
    return element;
}

void TTWCardBase::ReadFromXML(const TILXMLNode* element)
{
    const TILXMLNode* holes = element->FindTag("Holes", false, false, true);
    if (fw::StrToIntDef(holes->AttributeValue("Count"), 0) != GetHoleCount()) {
        throw TXMLException::CreateXML("XML data mismatch.\r\nIncorrect number of holes for card.", nullptr, this,
                                       "ExtractXML", element, element->Tree());
    }
    // A colour beyond the card's holes would be dropped by the next save; the holes a damaged
    // file leaves out keep their colour.
    if (holes->ChildCount() > GetHoleCount()) {
        ReadListCount(*holes, this, "ExtractXML");
    }
    const int given = std::min(GetHoleCount(), holes->ChildCount());
    for (int i = 0; i < given; ++i) {
        const TILXMLNode* colour = holes->GetChild(i);
        holes_.Items(i)->Colour =
            ReadNumberText(colour->Value(), ValuePlace(*colour), LowestNumber, HighestNumber, this, "ExtractXML");
    }
    const TILXMLNode* threading = element->FindChild("Threading");
    threading_ = threading == nullptr
                     ? ThreadingS
                     : static_cast<std::uint8_t>(ReadLetterText(threading->Value(), {"S", "Z"}, "Threading", this,
                                                                "ExtractXML"));
    Reset();
}
