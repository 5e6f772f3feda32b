#pragma once

// What the tests of the card frames, the pack list, the card setup and the turning-action
// display share: the model, the control and tree-grid libraries and the fixed-metric text
// backend in place, message boxes answered from a script and recorded, a shown form to hold
// frames, and small patterns.

#include <gtest/gtest.h>

#include <QString>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "forms/forms_default_style.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_conversions.h"
#include "model/action.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/model_state.h"
#include "model/pack.h"
#include "model/palette.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "treegrid/tree_properties.h"

namespace card_views_test {

class CardViewsTest : public ::testing::Test {
protected:
    CardViewsTest()
    {
        ResetModelForTests();
        InitControlLibrary();
        InitTreeGridLibrary();
        InitFormsDefaultStyle();
        fw::ClearPostedMessages();
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend);
        fw::GetClipboard().Clear();
        previousBoxes_ = fw::SetMessageBoxHandler([this](const fw::MessageBoxRequest& request) {
            boxes.push_back(request);
            if (answers.empty()) {
                return fw::mrOk;
            }
            const fw::ModalResult answer = answers.front();
            answers.pop_front();
            return answer;
        });
        host = std::make_unique<fw::Form>();
        host->SetBounds(0, 0, 700, 400);
        host->Show();
    }

    ~CardViewsTest() override
    {
        host.reset();
        fw::SetMessageBoxHandler(std::move(previousBoxes_));
        fw::Form::SetModalRunner({});
        fw::ClearPostedMessages();
        fw::PaintPendingControls();
        fw::SetDefaultPaintBackend(previousBackend_);
        ShutdownFormsDefaultStyle();
        ShutdownTreeGridLibrary();
        ShutdownControlLibrary();
        ResetModelForTests();
    }

    fw::FakePaintBackend backend;
    // A shown window that frames under test sit on.
    std::unique_ptr<fw::Form> host;
    std::vector<fw::MessageBoxRequest> boxes;
    std::deque<fw::ModalResult> answers;

private:
    fw::PaintBackend* previousBackend_ = nullptr;
    fw::MessageBoxHandler previousBoxes_;
};

// A card of the hole count whose hole k carries palette index first + k, threaded so.
inline std::unique_ptr<TTWCardBase> NumberedCard(int holes, int first, std::uint8_t threading = ThreadingS)
{
    std::unique_ptr<TTWCardBase> card = CreateCard(holes);
    for (int hole = 0; hole < holes; ++hole) {
        card->SetHoleColour(hole, first + hole);
    }
    card->SetThreading(threading);
    card->Reset();
    return card;
}

// A pattern of `cards` four-hole cards (card k's holes carry k, k+1, k+2, k+3) and no picks.
inline std::unique_ptr<TTWPattern> CardsPattern(int cards)
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Diamonds");
    for (int k = 0; k < cards; ++k) {
        pattern->Cards().Add(NumberedCard(4, k).release());
    }
    return pattern;
}

inline TTWPack* AddPack(TTWPattern& pattern, const std::string& name, const std::vector<int>& members)
{
    auto* pack = new TTWPack;
    pack->Name = name;
    pack->SetCardList(&pattern.Cards());
    pack->SetSize(static_cast<int>(members.size()));
    for (std::size_t i = 0; i < members.size(); ++i) {
        pack->SetMember(static_cast<int>(i), members[i]);
    }
    pattern.Packs().Add(pack);
    return pack;
}

inline void AddCardTurn(TTWPick& pick, int card, std::uint8_t direction, std::uint8_t distance = DistanceOneHole)
{
    pick.Actions().Add(TTWAction::CreateCardTurn(card, direction, distance).release());
}

inline void AddCardTwist(TTWPick& pick, int card)
{
    pick.Actions().Add(TTWAction::CreateCardTwist(card, TwistV).release());
}

inline void AddPackTurn(TTWPick& pick, const std::string& pack, std::uint8_t direction)
{
    pick.Actions().Add(TTWAction::CreatePackTurn(pack, direction, DistanceOneHole).release());
}

// The pack names the actions of the picks address, in pick and action order.
inline std::vector<std::string> PackTargets(const TTWPickList& picks)
{
    std::vector<std::string> targets;
    for (int p = 0; p < picks.Count(); ++p) {
        const TTWActionList& actions = picks.GetPick(p)->Actions();
        for (int a = 0; a < actions.Count(); ++a) {
            if (actions.Items(a)->IsPackAction()) {
                targets.push_back(actions.Items(a)->TargetID());
            }
        }
    }
    return targets;
}

// Writes the picture for a look into the test program's output folder.
inline void SavePicture(const fw::Bitmap& picture, const std::string& name)
{
    const std::string path = std::string(TAVELIN_EDITORS_TEST_OUTPUT) + "/" + name;
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path))) << path;
}

} // namespace card_views_test
