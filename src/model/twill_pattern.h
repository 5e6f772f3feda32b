#pragma once

#include <string_view>

#include "framework/core/bitmap.h"
#include "model/df_pattern.h"
#include "model/user_settings.h"

// Files older than this stored the long-float rows with the top row first.
inline constexpr double FirstBottomUpTwillVersion = 1.16;

// The 3/1 broken twill pattern: a double-face grid in which a set cell shows the foreground
// colour, a second grid of the same size marking long floats (reversals), and the direction
// of the background twill. It is woven card by card: two picks per design row, the turning
// direction changing at colour changes and at long floats.
class TTW31TwillPattern : public TTWDFPattern {
public:
    // The background twill is the user's default twill.
    TTW31TwillPattern();

    std::string_view className() const override { return "TTW31TwillPattern"; }
    fw::Object* NewInstance() const override { return new TTW31TwillPattern; }
    // The double-face copy; from a twill also its long floats and background twill.
    void Assign(const fw::Persistent* source) override;

    int GetPatternType() const override { return PatternTypeBrokenTwill; }

    TTWTwillDirection BackgroundTwill() const { return backgroundTwill_; }
    void SetBackgroundTwill(TTWTwillDirection twill) { backgroundTwill_ = twill; }

    // As GetCell and SetCell, on the long-float grid.
    bool GetLongFloat(int x, int y) const;
    void SetLongFloat(int x, int y, bool marked);
    // The long-float grid as a picture, addressed as the design grid.
    const fw::Bitmap& LongFloats() const { return longFloats_; }

    // The cards become copies of these; packs and picks are replaced by the twill's turning
    // sequence, generated column by column with the user's way of changing colour (a turn,
    // or a twist before it). Too large a design raises as the double-face one does.
    void ConvertToThreaded(TTWPattern& target) override;

    // The double-face element, typed "BrokenTwill", then "BackgroundTwill" ("S" or "Z") and
    // "LongFloats" with one row per design row, top row first.
    TILXMLNode* BuildXML(TILXMLNode* parent) const override;
    // The double-face fields, the background twill ("Z" exactly for Z, S otherwise) and the
    // long floats from "Reversals", else from "LongFloats"; files before version 1.16 hold
    // those rows mirrored.
    void ExtractXML(const TILXMLNode* element, double& version) override;

protected:
    void ResizeGrids(int width, int length) override;

private:
    fw::Bitmap longFloats_{0, 0, true};
    TTWTwillDirection backgroundTwill_;
};

// Puts the 3/1 broken twill pattern into the kind table; the model's initialisation calls it.
void RegisterBrokenTwillPattern();
