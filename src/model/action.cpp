#include "model/action.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/file_values.h"
#include "model/pack.h"
#include "model/pattern_limits.h"
#include "model/range_text.h"

namespace {

constexpr std::array<std::string_view, 3> TurnDirTexts = {"I", "F", "B"};
constexpr std::array<std::string_view, 2> DistTexts = {"1", "2"};
constexpr std::array<std::string_view, 5> TwistDirTexts = {"", "V", "H", "AC", "BD"};

template <std::size_t N>
std::string_view TextOf(const std::array<std::string_view, N>& texts, std::uint8_t code)
{
    return code < N ? texts[code] : texts[0];
}

template <std::size_t N>
std::uint8_t CodeOf(const std::array<std::string_view, N>& texts, std::string_view text, std::uint8_t unknown)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (fw::SameText(texts[i], text)) {
            return static_cast<std::uint8_t>(i);
        }
    }
    return unknown;
}

// The text without the blanks at its ends, as fw::Trim gives it, without a copy: every action
// read passes through here.
std::string_view TrimmedView(std::string_view text)
{
    while (!text.empty() && fw::IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && fw::IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A card number as the program writes it, plain digits well inside the integer range, is
// read at once; any other text takes the general conversion, 0 when it is none.
int ReadCardNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9) {
        return fw::StrToIntDef(text, 0);
    }
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return fw::StrToIntDef(text, 0);
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

std::unique_ptr<TTWAction> MakeAction(std::uint8_t target, std::string targetId, std::uint8_t type,
                                      std::uint8_t direction, std::uint8_t distance)
{
    auto action = std::make_unique<TTWAction>();
    action->SetTarget(target);
    action->SetTargetID(std::move(targetId));
    action->SetType(type);
    if (type == ActionTurn) {
        action->SetTurnDir(direction);
        action->SetDist(distance);
    } else {
        action->SetTwistDir(direction);
    }
    return action;
}

} // namespace

std::string_view ActionTypeText(std::uint8_t type)
{
    return type == ActionTwist ? "Twist" : "Turn";
}

std::string_view ActionTargetText(std::uint8_t target)
{
    return target == TargetPack ? "Pack" : "Card";
}

std::string_view TurnDirText(std::uint8_t direction)
{
    return TextOf(TurnDirTexts, direction);
}

std::string_view DistText(std::uint8_t distance)
{
    return TextOf(DistTexts, distance);
}

std::string_view TwistDirText(std::uint8_t direction)
{
    return TextOf(TwistDirTexts, direction);
}

std::uint8_t ActionTypeFromText(std::string_view text)
{
    return fw::SameText(TrimmedView(text), "Twist") ? ActionTwist : ActionTurn;
}

std::uint8_t ActionTargetFromText(std::string_view text)
{
    return fw::SameText(TrimmedView(text), "Pack") ? TargetPack : TargetCard;
}

std::uint8_t TurnDirFromText(std::string_view text)
{
    return CodeOf(TurnDirTexts, text, TurnIdle);
}

std::uint8_t DistFromText(std::string_view text)
{
    return CodeOf(DistTexts, text, DistanceOneHole);
}

std::uint8_t TwistDirFromText(std::string_view text)
{
    return CodeOf(TwistDirTexts, text, TwistV);
}

std::unique_ptr<TTWAction> TTWAction::CreateCardTurn(int cardNumber, std::uint8_t direction, std::uint8_t distance)
{
    return MakeAction(TargetCard, fw::IntToStr(cardNumber), ActionTurn, direction, distance);
}

std::unique_ptr<TTWAction> TTWAction::CreateCardTwist(int cardNumber, std::uint8_t twistDirection)
{
    return MakeAction(TargetCard, fw::IntToStr(cardNumber), ActionTwist, twistDirection, DistanceOneHole);
}

std::unique_ptr<TTWAction> TTWAction::CreatePackTurn(std::string_view packName, std::uint8_t direction,
                                                     std::uint8_t distance)
{
    return MakeAction(TargetPack, std::string(packName), ActionTurn, direction, distance);
}

std::unique_ptr<TTWAction> TTWAction::CreatePackTwist(std::string_view packName, std::uint8_t twistDirection)
{
    return MakeAction(TargetPack, std::string(packName), ActionTwist, twistDirection, DistanceOneHole);
}

void TTWAction::Assign(const fw::Persistent* source)
{
    if (auto* action = dynamic_cast<const TTWAction*>(source)) {
        target_ = action->target_;
        targetId_ = action->targetId_;
        cardNumber_ = action->cardNumber_;
        type_ = action->type_;
        dir_ = action->dir_;
        dist_ = action->dist_;
        return;
    }
    fw::Persistent::Assign(source);
}

void TTWAction::SetTargetID(std::string targetId)
{
    targetId_ = std::move(targetId);
    cardNumber_ = ReadCardNumber(targetId_);
}

void TTWAction::SetTurnDir(std::uint8_t direction)
{
    if (type_ == ActionTurn) {
        dir_ = direction;
    }
}

void TTWAction::SetTwistDir(std::uint8_t direction)
{
    if (type_ == ActionTwist) {
        dir_ = direction;
    }
}

void TTWAction::SetDist(std::uint8_t distance)
{
    if (type_ == ActionTurn) {
        dist_ = distance;
    }
}

TILXMLNode* TTWAction::WriteToXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Action");
    element->AddAttribute("Type", ActionTypeText(type_));
    element->AddAttribute("Target", ActionTargetText(target_));
    element->AddAttribute("TargetID", targetId_);
    if (IsTurn()) {
        element->AddAttribute("Dir", TurnDirText(dir_));
        element->AddAttribute("Dist", DistText(dist_));
    } else {
        element->AddAttribute("Dir", TwistDirText(dir_));
    }
    return element;
}

void TTWAction::ReadFromXML(const TILXMLNode* element)
{
    // Each code is one of the texts written for it: any other text would read as one of them
    // and be saved as that.
    // An attribute left out is the first code, as its empty text reads.
    const auto code = [&](std::string_view attribute, std::span<const std::string_view> texts) {
        if (!HasAttribute(*element, attribute)) {
            return std::uint8_t{0};
        }
        return static_cast<std::uint8_t>(ReadLetterText(TrimmedView(element->AttributeValue(attribute)), texts,
                                                        ValuePlace(*element, attribute), this, "ReadFromXML"));
    };
    static constexpr std::array<std::string_view, 2> TypeTexts = {"Turn", "Twist"};
    static constexpr std::array<std::string_view, 2> TargetTexts = {"Card", "Pack"};
    type_ = code("Type", TypeTexts);
    target_ = code("Target", TargetTexts);
    SetTargetID(std::string(element->AttributeValue("TargetID")));
    if (IsTurn()) {
        dir_ = code("Dir", TurnDirTexts);
        dist_ = code("Dist", DistTexts);
    } else {
        dir_ = code("Dir", TwistDirTexts);
        dist_ = DistanceOneHole;
    }
}

TTWAction* TTWActionList::Find(std::uint8_t target, std::uint8_t type,
                               const std::function<bool(const TTWAction&)>& match) const
{
    for (fw::Object* item : *this) {
        auto* action = static_cast<TTWAction*>(item);
        if (action->Target() == target && action->Type() == type && match(*action)) {
            return action;
        }
    }
    return nullptr;
}

TTWAction* TTWActionList::FindCardTurn(int cardNumber) const
{
    return Find(TargetCard, ActionTurn, [&](const TTWAction& action) { return action.CardNumber() == cardNumber; });
}

TTWAction* TTWActionList::FindCardTwist(int cardNumber) const
{
    return Find(TargetCard, ActionTwist, [&](const TTWAction& action) { return action.CardNumber() == cardNumber; });
}

TTWAction* TTWActionList::FindPackTurn(std::string_view packName) const
{
    return Find(TargetPack, ActionTurn,
                [&](const TTWAction& action) { return fw::SameText(action.TargetID(), packName); });
}

TTWAction* TTWActionList::FindPackTwist(std::string_view packName) const
{
    return Find(TargetPack, ActionTwist,
                [&](const TTWAction& action) { return fw::SameText(action.TargetID(), packName); });
}

bool TTWActionList::HasPackAction() const
{
    return std::any_of(begin(), end(), [](fw::Object* item) { return static_cast<TTWAction*>(item)->IsPackAction(); });
}

bool TTWActionList::HasCardAction() const
{
    return std::any_of(begin(), end(), [](fw::Object* item) { return static_cast<TTWAction*>(item)->IsCardAction(); });
}

bool TTWActionList::HasTwist() const
{
    return std::any_of(begin(), end(), [](fw::Object* item) { return static_cast<TTWAction*>(item)->IsTwist(); });
}

void TTWActionList::ExpandPackActions(const TTWPackList* packs)
{
    std::vector<TTWAction*> packActions;
    for (fw::Object* item : *this) {
        auto* action = static_cast<TTWAction*>(item);
        if (action->IsPackAction()) {
            packActions.push_back(action);
        }
    }
    for (TTWAction* packAction : packActions) {
        const TTWPack* pack = packs != nullptr ? packs->FindByName(packAction->TargetID()) : nullptr;
        if (pack != nullptr) {
            for (int member : pack->Members()) {
                auto copy = std::make_unique<TTWAction>();
                copy->Assign(packAction);
                copy->SetTarget(TargetCard);
                copy->SetTargetID(fw::IntToStr(member));
                if (copy->IsTwist()) {
                    Insert(0, copy.get());
                } else {
                    Add(copy.get());
                }
                copy.release();
            }
        }
        Remove(packAction);
    }
}

void TTWActionList::RenamePack(std::string_view oldName, std::string_view newName)
{
    for (fw::Object* item : *this) {
        auto* action = static_cast<TTWAction*>(item);
        if (action->IsPackAction() && fw::SameText(action->TargetID(), oldName)) {
            action->SetTargetID(std::string(newName));
        }
    }
}

TTWRangeTexts TTWActionList::RangeTexts(int cardCount, bool ascending, int offset, const TTWPackList* packs) const
{
    std::vector<int> forwards;
    std::vector<int> otherTurns;
    std::vector<int> twists;
    for (fw::Object* item : *this) {
        const auto* action = static_cast<const TTWAction*>(item);
        std::vector<int>& set = action->IsTwist() ? twists : action->TurnDir() == TurnForwards ? forwards : otherTurns;
        if (action->IsCardAction()) {
            set.push_back(action->CardNumber());
        } else if (const TTWPack* pack = packs != nullptr ? packs->FindByName(action->TargetID()) : nullptr) {
            set.insert(set.end(), pack->Members().begin(), pack->Members().end());
        }
    }
    return {CardRangeText(forwards, cardCount, offset, ascending),
            CardRangeText(otherTurns, cardCount, offset, ascending),
            CardRangeText(twists, cardCount, offset, ascending)};
}

TILXMLNode* TTWActionList::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag.empty() ? std::string_view("Actions") : tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    for (int i = 0; i < Count(); ++i) {
        Items(i)->WriteToXML(element);
    }
    return element;
}

void TTWActionList::ReadFromXML(const TILXMLNode* element)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    const int listed = ReadListCount(*element, this, "ReadFromXML");
    for (int i = 0; i < listed; ++i) {
        auto action = std::make_unique<TTWAction>();
        action->ReadFromXML(element->GetChild(i));
        Add(action.release());
    }
}
