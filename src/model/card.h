#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "foundation/enhanced_list.h"
#include "model/turning_codes.h"

class TILXMLNode;

inline constexpr int MinCardHoles = 3;
inline constexpr int MaxCardHoles = 8;

// One hole of a card: the palette index of the thread it carries.
class TTWHole : public fw::Persistent {
public:
    int Colour = 0;

    std::string_view className() const override { return "TTWHole"; }
    fw::Object* NewInstance() const override { return new TTWHole; }
    void Assign(const fw::Persistent* source) override;
};

// Holes named by letters: "A" is index 0, "B" index 1 and so on.
class TTWHoleList : public TEnhancedListOf<TTWHole> {
public:
    using TEnhancedListOf<TTWHole>::TEnhancedListOf;

    std::string_view className() const override { return "TTWHoleList"; }
    fw::Object* NewInstance() const override
    {
        return new TTWHoleList(ReferenceOnly() ? ListOwnership::ReferenceOnly : ListOwnership::Owning);
    }
};

// Whatever a turning action can address: a card, or a pack turning its cards together.
class ITWTurnable {
public:
    virtual ~ITWTurnable() = default;
    virtual void Turn(int direction, int distance) = 0;
    virtual void Twist(int direction) = 0;
};

// A card (tablet) with one thread per hole, and the state it reaches while it is turned and
// twisted through the picks of a band. Each hole count has its own class, which knows which
// hole comes on top for each turn and which positions a twist exchanges.
class TTWCardBase : public fw::Persistent, public ITWTurnable {
public:
    ~TTWCardBase() override = default;

    std::string_view className() const override { return "TTWCardBase"; }
    // From a card of the same hole count: the hole colours, the threading and the whole
    // turning state. Another hole count raises.
    void Assign(const fw::Persistent* source) override;

    virtual int GetHoleCount() const = 0;
    // The letter, in the current order, of the hole that comes on top when the card is
    // turned so; "A" for an idle turn or an unknown direction or distance.
    virtual char GetHoleLetter(int direction, int distance) const = 0;

    // Back to the threaded state: slant from the threading, holes in threading order,
    // position 0, last turn forwards, not twisted.
    virtual void Reset();
    // Forwards moves the last hole of the current order to the front, backwards the first
    // to the back; once per hole of distance. Unknown directions and distances move nothing.
    void Turn(int direction, int distance) override;
    // Flips the slant, advances the position by one, inverts the twisted flag and exchanges
    // the positions the card class gives for the direction.
    void Twist(int direction) override;

    // The holes in threading order.
    const TTWHoleList& Holes() const { return holes_; }
    // The holes in their current order; position 0 is the hole now in the first place.
    const TTWHoleList& CurHoles() const { return curHoles_; }

    std::uint8_t Threading() const { return threading_; }
    void SetThreading(std::uint8_t threading) { threading_ = threading; }
    // How far the card has been turned, 0 to hole count - 1.
    int CurPos() const { return curPos_; }
    std::uint8_t CurThread() const { return curThread_; }
    std::uint8_t LastTurn() const { return lastTurn_; }
    bool Twisted() const { return twisted_; }

    // Raises "Hole index (<index>) is out of bounds." outside the range.
    TTWHole* Hole(int index) const;
    TTWHole* HoleByLetter(char letter) const { return Hole(letter - 'A'); }
    // 0 outside the range.
    int HoleColour(int index) const;
    void SetHoleColour(int index, int colour);
    // The hole across the card from the letter.
    char OppositeLetter(char letter) const;
    // The colour of the hole now at the letter's position; 0 outside the range.
    int CurHoleColour(char letter) const;
    // The letter, counted from the threading order, of the hole on top after such a turn.
    char TopLetter(int direction, int distance) const;
    // The colour of the hole on top after such a turn.
    int TopColour(int direction, int distance) const;

    // The turning state as plain values: the weaving turns flat copies of its cards, which is
    // far cheaper than moving hole objects about, and hands the state back when it is done.
    struct TurningState {
        // The 0-based threading index of the hole at each position of the current order.
        std::array<std::uint8_t, MaxCardHoles> order{};
        int curPos = 0;
        std::uint8_t curThread = ThreadingZ;
        std::uint8_t lastTurn = TurnForwards;
        bool twisted = false;
    };
    TurningState GetTurningState() const;
    // The order must hold each hole of the card once; anything else raises and changes nothing.
    void SetTurningState(const TurningState& state);
    // The pairs of positions (0 = "A") that a twist in that direction exchanges; none for a
    // direction the card does not know.
    std::span<const std::pair<std::uint8_t, std::uint8_t>> TwistPairs(int direction) const
    {
        return TwistExchanges(direction);
    }

    void ReplaceColour(int oldColour, int newColour);
    void SwapColours(int colour1, int colour2);

    // Writes an element "Card", with "Number" when number is above 0; the turning state
    // only when asked for. Returns the element.
    TILXMLNode* WriteToXML(TILXMLNode* parent, int number = 0, bool withState = false) const;
    // Reads the hole colours and the threading, then resets; the stored state is not read.
    void ReadFromXML(const TILXMLNode* element);

protected:
    // Makes the holes, all of colour 0, in threading order.
    explicit TTWCardBase(int holeCount);

    // The pairs of positions (0 = "A") that a twist in that direction exchanges.
    using PositionPair = std::pair<std::uint8_t, std::uint8_t>;
    virtual std::span<const PositionPair> TwistExchanges(int direction) const = 0;

private:
    void NormalisePosition();
    void WriteHoles(TILXMLNode* parent, std::string_view tag, const TTWHoleList& holes) const;

    TTWHoleList holes_{ListOwnership::Owning};
    TTWHoleList curHoles_{ListOwnership::ReferenceOnly};
    std::uint8_t threading_ = ThreadingS;
    int curPos_ = 0;
    std::uint8_t curThread_ = ThreadingZ;
    std::uint8_t lastTurn_ = TurnForwards;
    bool twisted_ = false;
};

// The card class of one hole count, from 3 to 8: TTWCard3 .. TTWCard8 below.
template <int HoleCountOfClass>
class TTWCardOf final : public TTWCardBase {
    static_assert(HoleCountOfClass >= MinCardHoles && HoleCountOfClass <= MaxCardHoles, "cards have 3 to 8 holes");

public:
    TTWCardOf() : TTWCardBase(HoleCountOfClass) {}

    std::string_view className() const override;
    fw::Object* NewInstance() const override { return new TTWCardOf; }
    int GetHoleCount() const override { return HoleCountOfClass; }
    char GetHoleLetter(int direction, int distance) const override;

protected:
    std::span<const PositionPair> TwistExchanges(int direction) const override;
};

using TTWCard3 = TTWCardOf<3>;
using TTWCard4 = TTWCardOf<4>;
using TTWCard5 = TTWCardOf<5>;
using TTWCard6 = TTWCardOf<6>;
using TTWCard7 = TTWCardOf<7>;
using TTWCard8 = TTWCardOf<8>;

// Made once, in the card source.
extern template class TTWCardOf<3>;
extern template class TTWCardOf<4>;
extern template class TTWCardOf<5>;
extern template class TTWCardOf<6>;
extern template class TTWCardOf<7>;
extern template class TTWCardOf<8>;

// The card class of a hole count: its factory for 3 to 8 holes, none otherwise.
using TTWCardFactory = TTWCardBase* (*)();
TTWCardFactory CardClassOf(int holeCount);
// A new card of the hole count's class; none for a count without a class.
std::unique_ptr<TTWCardBase> CreateCard(int holeCount);
