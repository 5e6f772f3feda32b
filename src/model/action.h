#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "model/turning_codes.h"

class TILXMLNode;
class TTWPackList;

// What an action addresses and what it does.
inline constexpr std::uint8_t TargetCard = 0;
inline constexpr std::uint8_t TargetPack = 1;
inline constexpr std::uint8_t ActionTurn = 0;
inline constexpr std::uint8_t ActionTwist = 1;

// One turning action of a pick: a turn or a twist of one card or of one pack. A turn and a
// twist keep their direction in the same field; each direction setter only writes it when
// the action is of its type, and the distance is written only for a turn.
class TTWAction : public fw::Persistent {
public:
    // A card turn with no card, idle, one hole.
    TTWAction() = default;

    static std::unique_ptr<TTWAction> CreateCardTurn(int cardNumber, std::uint8_t direction, std::uint8_t distance);
    static std::unique_ptr<TTWAction> CreateCardTwist(int cardNumber, std::uint8_t twistDirection);
    static std::unique_ptr<TTWAction> CreatePackTurn(std::string_view packName, std::uint8_t direction,
                                                     std::uint8_t distance);
    static std::unique_ptr<TTWAction> CreatePackTwist(std::string_view packName, std::uint8_t twistDirection);

    std::string_view className() const override { return "TTWAction"; }
    fw::Object* NewInstance() const override { return new TTWAction; }
    // From an action: all five fields.
    void Assign(const fw::Persistent* source) override;

    std::uint8_t Target() const { return target_; }
    void SetTarget(std::uint8_t target) { target_ = target; }
    // The card's 1-based number in decimal, or the pack's name.
    const std::string& TargetID() const { return targetId_; }
    void SetTargetID(std::string targetId);
    std::uint8_t Type() const { return type_; }
    void SetType(std::uint8_t type) { type_ = type; }

    bool IsCardAction() const { return target_ != TargetPack; }
    bool IsPackAction() const { return target_ == TargetPack; }
    bool IsTurn() const { return type_ != ActionTwist; }
    bool IsTwist() const { return type_ == ActionTwist; }
    // The card number of a card action: TargetID read as an integer, 0 when it is none.
    int CardNumber() const { return cardNumber_; }

    // The shared direction field: a turn direction or a twist direction.
    std::uint8_t Dir() const { return dir_; }
    std::uint8_t TurnDir() const { return dir_; }
    std::uint8_t TwistDir() const { return dir_; }
    // Only for a turn.
    void SetTurnDir(std::uint8_t direction);
    // Only for a twist.
    void SetTwistDir(std::uint8_t direction);
    std::uint8_t Dist() const { return dist_; }
    // Only for a turn.
    void SetDist(std::uint8_t distance);

    // Whether the two actions are the same: all five fields.
    bool SameAs(const TTWAction& other) const
    {
        return target_ == other.target_ && type_ == other.type_ && dir_ == other.dir_ && dist_ == other.dist_
               && targetId_ == other.targetId_;
    }

    // An element "Action" with "Type", "Target", "TargetID", "Dir" and, for a turn, "Dist".
    TILXMLNode* WriteToXML(TILXMLNode* parent) const;
    // Reads the same attributes, taking any text it does not know as the default.
    void ReadFromXML(const TILXMLNode* element);

private:
    // What weaving reads of every action in every pick comes first, so that it shares one
    // cache line; the actions of a long band lie far beyond the cache.
    std::uint8_t target_ = TargetCard;
    std::uint8_t type_ = ActionTurn;
    std::uint8_t dir_ = TurnIdle;
    std::uint8_t dist_ = DistanceOneHole;
    // TargetID read as a card number, kept beside it.
    int cardNumber_ = 0;
    std::string targetId_;
};

// The texts of the action codes as stored and shown; reading compares them without regard
// to case and takes any other text as the table's default.
std::string_view ActionTypeText(std::uint8_t type);           // "Turn", "Twist"
std::string_view ActionTargetText(std::uint8_t target);       // "Card", "Pack"
std::string_view TurnDirText(std::uint8_t direction);         // "I", "F", "B"
std::string_view DistText(std::uint8_t distance);             // "1", "2"
std::string_view TwistDirText(std::uint8_t direction);        // "", "V", "H", "AC", "BD"
std::uint8_t ActionTypeFromText(std::string_view text);       // "Twist" (trimmed) 1, else 0
std::uint8_t ActionTargetFromText(std::string_view text);     // "Pack" (trimmed) 1, else 0
std::uint8_t TurnDirFromText(std::string_view text);          // unknown 0
std::uint8_t DistFromText(std::string_view text);             // unknown 0
std::uint8_t TwistDirFromText(std::string_view text);         // unknown 1

// The cards an action list addresses, as range texts.
struct TTWRangeTexts {
    // Cards turned forwards.
    std::string Forwards;
    // Cards turned backwards or left idle.
    std::string OtherTurns;
    // Cards twisted.
    std::string Twists;
};

// The actions of one pick, in the order they are applied.
class TTWActionList : public TEnhancedListOf<TTWAction> {
public:
    TTWActionList() : TEnhancedListOf<TTWAction>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWActionList"; }
    fw::Object* NewInstance() const override { return new TTWActionList; }

    // The first card turn (twist) whose TargetID reads as the number, none when absent.
    TTWAction* FindCardTurn(int cardNumber) const;
    TTWAction* FindCardTwist(int cardNumber) const;
    // The first pack turn (twist) of that name without regard to case, none when absent.
    TTWAction* FindPackTurn(std::string_view packName) const;
    TTWAction* FindPackTwist(std::string_view packName) const;

    bool HasPackAction() const;
    bool HasCardAction() const;
    bool HasTwist() const;

    // Replaces every pack action by card actions on the pack's members: turns appended at
    // the end, twists put at the front. A pack action whose pack is unknown goes too.
    void ExpandPackActions(const TTWPackList* packs);
    // Every pack action naming the old name (without regard to case) names the new one.
    void RenamePack(std::string_view oldName, std::string_view newName);

    // The cards turned forwards, otherwise turned, and twisted; a pack action counts for
    // every member of its pack (none when there is no such pack).
    TTWRangeTexts RangeTexts(int cardCount, bool ascending, int offset, const TTWPackList* packs) const;

    // An element named by the tag with "Count" and one "Action" per action.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag = "Actions") const;
    // Clears the list and reads the first "Count" children (never more than there are).
    void ReadFromXML(const TILXMLNode* element);

private:
    TTWAction* Find(std::uint8_t target, std::uint8_t type, const std::function<bool(const TTWAction&)>& match) const;
};
