#pragma once

// What an edit changed in a pattern, so that whoever shows the pattern rebuilds what shows
// those parts and nothing else, through one path instead of a sequence of refreshes per edit.

// The parts of a pattern an edit can change; they combine.
enum class TTWPatternPart : unsigned {
    None = 0,
    // The card set itself (how many, how threaded): whatever lists the cards again.
    Cards = 1u << 0,
    // Hole colours or where the cards stand: only what shows the woven band.
    CardColours = 1u << 1,
    // The turning sequence; TTWPatternChange::Picks says how.
    Picks = 1u << 2,
    // The pack definitions: whatever lists or chooses packs.
    Packs = 1u << 3,
    Palette = 1u << 4,
};

constexpr TTWPatternPart operator|(TTWPatternPart a, TTWPatternPart b)
{
    return static_cast<TTWPatternPart>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// How the turning sequence changed; the rows that list the picks follow it differently.
enum class TTWPickChange {
    // Nothing about the picks.
    None,
    // New picks at the end, from FirstPick on; the picks before are untouched.
    Appended,
    // Picks FirstPick..LastPick were corrected in place; none came or went.
    Edited,
    // Picks went, and whatever listed them dropped those entries before (an entry must never
    // outlive its pick), so nothing is left to list again.
    Removed,
    // Anything else: every pick may differ, and so may their number.
    Rewritten,
};

struct TTWPatternChange {
    TTWPatternPart Parts = TTWPatternPart::None;
    TTWPickChange Picks = TTWPickChange::None;
    // The first pick (1-based) that may differ; the band before it is woven as it was. 1 when
    // it is not known.
    int FirstPick = 1;
    // For Edited: the last pick corrected.
    int LastPick = 0;
    // For Edited: the one card whose turns were corrected, for views that show each card's
    // turn per pick; 0 when no single card changed or such views are up to date already.
    int Card = 0;

    bool Has(TTWPatternPart part) const
    {
        return (static_cast<unsigned>(Parts) & static_cast<unsigned>(part)) != 0;
    }

    static TTWPatternChange Of(TTWPatternPart parts) { return Make(parts, TTWPickChange::None, 1); }
    static TTWPatternChange PicksAppended(int firstPick)
    {
        return Make(TTWPatternPart::Picks, TTWPickChange::Appended, firstPick);
    }
    static TTWPatternChange PicksEdited(int firstPick, int lastPick, int card)
    {
        TTWPatternChange change = Make(TTWPatternPart::Picks, TTWPickChange::Edited, firstPick);
        change.LastPick = lastPick;
        change.Card = card;
        return change;
    }
    static TTWPatternChange PicksRemoved(int firstPick)
    {
        return Make(TTWPatternPart::Picks, TTWPickChange::Removed, firstPick);
    }
    static TTWPatternChange PicksRewritten(TTWPatternPart also = TTWPatternPart::None, int firstPick = 1)
    {
        return Make(TTWPatternPart::Picks | also, TTWPickChange::Rewritten, firstPick);
    }

private:
    static TTWPatternChange Make(TTWPatternPart parts, TTWPickChange picks, int firstPick)
    {
        TTWPatternChange change;
        change.Parts = parts;
        change.Picks = picks;
        change.FirstPick = firstPick;
        return change;
    }
};
