#include "model/twill_pattern.h"

#include <array>
#include <memory>

#include "foundation/xml_node.h"
#include "model/file_values.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"

namespace {

std::uint8_t Flipped(std::uint8_t direction)
{
    return direction == TurnForwards ? TurnBackwards : TurnForwards;
}

// The four columns of a twill repeat start at different points of the same two-forwards,
// two-backwards cycle. An odd column starts half a row early (its first row has only one
// pick), so its last pick is the cycle's next step, taken from here by pick number mod 4.
constexpr std::array<std::string_view, 4> ClosingSequences{"FFBB", "FBBF", "BBFF", "BFFB"};

// Appends the actions of one card column to the target's picks, making picks as needed.
class ColumnWriter {
public:
    ColumnWriter(TTWPickList& picks, int cardNumber) : picks_(picks), cardNumber_(cardNumber) {}

    void Turn(int pick, std::uint8_t direction) const
    {
        if (TTWPick* target = picks_.GetOrGrowPick(pick)) {
            target->Actions().Add(TTWAction::CreateCardTurn(cardNumber_, direction, DistanceOneHole).release());
        }
    }

    void Twist(int pick) const
    {
        if (TTWPick* target = picks_.GetOrGrowPick(pick)) {
            target->Actions().Add(TTWAction::CreateCardTwist(cardNumber_, TwistV).release());
        }
    }

private:
    TTWPickList& picks_;
    int cardNumber_;
};

std::unique_ptr<TTWPatternBase> MakeBrokenTwillPattern()
{
    return std::make_unique<TTW31TwillPattern>();
}

} // namespace

TTW31TwillPattern::TTW31TwillPattern() : backgroundTwill_(UserSettings().BrokenTwill.DefaultTwill) {}

void TTW31TwillPattern::Assign(const fw::Persistent* source)
{
    TTWDFPattern::Assign(source);
    if (const auto* twill = dynamic_cast<const TTW31TwillPattern*>(source)) {
        if (twill == this) {
            return;
        }
        longFloats_.Assign(twill->longFloats_);
        backgroundTwill_ = twill->backgroundTwill_;
    }
}

void TTW31TwillPattern::ResizeGrids(int width, int length)
{
    TTWDFPattern::ResizeGrids(width, length);
    longFloats_.SetSize(width, length);
}

bool TTW31TwillPattern::GetLongFloat(int x, int y) const
{
    return GridCell(longFloats_, x, y);
}

void TTW31TwillPattern::SetLongFloat(int x, int y, bool marked)
{
    SetGridCell(longFloats_, x, y, marked);
}

void TTW31TwillPattern::ConvertToThreaded(TTWPattern& target)
{
    TTWPattern::CheckConversionSize(Width(), 2 * static_cast<std::int64_t>(Length()), this);
    target.Cards().Assign(Cards());
    target.Packs().Clear();
    target.Picks().Clear();
    const bool twistAtColourChange = UserSettings().BrokenTwill.ColourInterchange == TTWColourInterchange::Twist;
    const int length = Length();
    if (length == 0) {
        // No rows, no picks: the half rows that start and end the odd columns belong to rows
        // that are not there.
        return;
    }
    for (int c = 0; c < Width(); ++c) {
        const ColumnWriter column(target.Picks(), c + 1);
        int phase = c % 4;
        // A Z twill runs the other way: its second and fourth columns change places.
        if (backgroundTwill_ == TTWTwillDirection::Z && (phase == 1 || phase == 3)) {
            phase = 4 - phase;
        }
        std::uint8_t dir = phase == 0 || phase == 3 ? TurnBackwards : TurnForwards;
        const bool odd = phase == 1 || phase == 3;
        if (odd) {
            column.Turn(0, dir);
        }
        for (int r = odd ? 1 : 0; r < length; ++r) {
            const int p = 2 * r - (odd ? 1 : 0);
            const bool runStart = IsRunStart(c, r);
            if (!GetLongFloat(c, r)) {
                // Within a run the card keeps the twill's rhythm; at a colour change it either
                // turns on (the other colour comes up) or is twisted first.
                if (!runStart) {
                    dir = Flipped(dir);
                } else if (twistAtColourChange) {
                    column.Twist(p);
                    dir = Flipped(dir);
                }
                column.Turn(p, dir);
                column.Turn(p + 1, dir);
            } else {
                if (runStart) {
                    dir = Flipped(dir);
                }
                column.Turn(p, Flipped(dir));
                column.Turn(p + 1, dir);
            }
        }
        if (c % 2 != 0) {
            const int last = 2 * length - 1;
            const char step = ClosingSequences[static_cast<size_t>(phase)][static_cast<size_t>(last % 4)];
            column.Turn(last, step == 'F' ? TurnForwards : TurnBackwards);
        }
    }
}

TILXMLNode* TTW31TwillPattern::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = TTWDFPattern::BuildXML(parent);
    element->SetAttribute("Type", "BrokenTwill");
    element->AddChildValue("BackgroundTwill", backgroundTwill_ == TTWTwillDirection::Z ? "Z" : "S");
    WriteGridRows(element->AddChild("LongFloats"), longFloats_);
    return element;
}

void TTW31TwillPattern::ExtractXML(const TILXMLNode* element, double& version)
{
    TTWDFPattern::ExtractXML(element, version);
    const TILXMLNode* twill = element->FindChild("BackgroundTwill");
    // Only a capital "Z" is the Z twill: any other text than the two letters written, a small
    // "z" too, would open as S and be saved so.
    if (twill != nullptr && twill->Value() != "S" && twill->Value() != "Z") {
        RaiseInvalidValue("letter", twill->Value(), "BackgroundTwill", "The letters allowed are S or Z.", this,
                          "ExtractXML");
    }
    backgroundTwill_ = twill != nullptr && twill->Value() == "Z" ? TTWTwillDirection::Z : TTWTwillDirection::S;
    const TILXMLNode* rows = element->FindChild("Reversals");
    if (rows == nullptr) {
        rows = element->FindChild("LongFloats");
    }
    ReadGridRows(rows, longFloats_, version < FirstBottomUpTwillVersion);
}

void RegisterBrokenTwillPattern()
{
    RegisterPatternClass(PatternTypeBrokenTwill, &MakeBrokenTwillPattern);
}
