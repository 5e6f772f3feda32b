#pragma once

// What the weaving-image tests share: a fixture with the model, the control library and the
// fixed-metric text backend in place, the reports the frame sends to the main window, and
// small bands made cell by cell or woven from a real pattern.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_services.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/message.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"

namespace weaving_image_test {

// One tool state the frame reported to the main window.
struct Report {
    int Id;
    bool Enabled;
    bool Down;
    friend bool operator==(const Report&, const Report&) = default;
};

class FrameTest : public ::testing::Test {
protected:
    FrameTest()
    {
        ResetModelForTests();
        InitControlLibrary();
        fw::ClearPostedMessages();
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend);
        model_hooks::SetNotifyHandler([this](int id, bool enabled, bool enabled2, bool down) {
            reports.push_back(Report{id, enabled && enabled2, down});
        });
        WeavingImageServices() = TWeavingImageServices{};
    }

    ~FrameTest() override
    {
        WeavingImageServices() = TWeavingImageServices{};
        model_hooks::SetNotifyHandler({});
        fw::ClearPostedMessages();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(previousBackend_);
        ShutdownControlLibrary();
        ResetModelForTests();
    }

    TTWUserSettings& Settings() { return UserSettings(); }

    fw::FakePaintBackend backend;
    std::vector<Report> reports;

private:
    fw::PaintBackend* previousBackend_ = nullptr;
};

// A band of the given size; every cell made by `make` (0-based column and pick), then the
// floats marked.
inline std::unique_ptr<TTWWeaving> MakeWeaving(int columns, int picks,
                                               const std::function<void(TTWWeavingCell&)>& make)
{
    auto weaving = std::make_unique<TTWWeaving>();
    weaving->SetWidth(columns);
    for (int pick = 0; pick < picks; ++pick) {
        TTWWeavingPick row = weaving->AddPick();
        for (TTWWeavingCell& cell : row) {
            cell.TurnDir = TurnForwards;
            make(cell);
        }
    }
    weaving->MarkFloats();
    return weaving;
}

// A small real band: four-hole cards threaded in alternating S and Z pairs with two colours
// in a pattern of diagonals, turned forwards for `forwards` picks, then backwards, so the
// slant of the threads turns round; a left and a right selvedge card.
inline std::unique_ptr<TTWPattern> MakePattern(int cards, int picks, int forwards)
{
    auto pattern = std::make_unique<TTWPattern>();
    const int colours[4] = {1, 4, 9, 12};
    for (int k = 0; k < cards; ++k) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, colours[(hole + k) % 4]);
        }
        card->SetThreading((k / 2) % 2 == 0 ? ThreadingS : ThreadingZ);
        pattern->Cards().Add(card.release());
    }
    for (TTWCardList* selvedge : {&pattern->SelvedgeLeft(), &pattern->SelvedgeRight()}) {
        std::unique_ptr<TTWCardBase> card = CreateCard(4);
        for (int hole = 0; hole < 4; ++hole) {
            card->SetHoleColour(hole, 0);
        }
        selvedge->Add(card.release());
    }
    for (int p = 0; p < picks; ++p) {
        TTWPick* pick = pattern->Picks().Add();
        const std::uint8_t direction = p < forwards ? TurnForwards : TurnBackwards;
        for (int k = 1; k <= cards; ++k) {
            pick->Actions().Add(TTWAction::CreateCardTurn(k, direction, DistanceOneHole).release());
        }
    }
    return pattern;
}

} // namespace weaving_image_test
