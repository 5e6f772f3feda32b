#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/action.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"

// Each pick as "<card><F|B>" per turn (and "<card>V" per twist), separated by blanks.
inline std::vector<std::string> PickTexts(const TTWPattern& pattern)
{
    std::vector<std::string> texts;
    for (const auto& pick : pattern.Picks()) {
        std::string text;
        for (int i = 0; i < pick->Actions().Count(); ++i) {
            const TTWAction& action = *pick->Actions().Items(i);
            EXPECT_TRUE(action.IsCardAction());
            if (action.IsTurn()) {
                EXPECT_EQ(DistanceOneHole, action.Dist());
            }
            text += (text.empty() ? "" : " ") + action.TargetID()
                    + (action.IsTwist() ? std::string(TwistDirText(action.TwistDir()))
                                        : std::string(TurnDirText(action.TurnDir())));
        }
        texts.push_back(text);
    }
    return texts;
}

// Each action of a pick as "<target><letter>": F/B/I for a turn (with "2" for two holes),
// T for a twist; pack targets by name.
inline std::string ActionsText(const TTWPick& pick)
{
    std::string text;
    for (int i = 0; i < pick.Actions().Count(); ++i) {
        const TTWAction& action = *pick.Actions().Items(i);
        text += (text.empty() ? "" : " ") + action.TargetID();
        if (action.IsTwist()) {
            text += "T";
        } else {
            text += std::string(TurnDirText(action.TurnDir())) + (action.Dist() == DistanceTwoHoles ? "2" : "");
        }
    }
    return text;
}
