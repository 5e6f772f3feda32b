// The weaving-image frame inside an editor of the real main window: its tool states reach
// the main window's buttons and menus, and the main window's display-profile items reach the
// frame.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "editors/weaving_image_frame.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/message.h"
#include "framework/gui/std_speed_button.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/pattern_base_form.h"
#include "shell/program_start.h"
#include "shell/window_factory.h"
#include "support/scratch_folder.h"
#include "weaving_image_test_support.h"

namespace {

// The smallest editor that embeds the frame as the pattern editors do: every command it
// does not know goes to the frame, and its tool states are the frame's.
class HostEditor : public TfrmTWPatternBaseForm {
public:
    explicit HostEditor(TfrmTWMain* owner) : TfrmTWPatternBaseForm(owner), frame(new TfrmWeavingImage(this))
    {
        SetEditorHost(&owner->EditorHost());
        SetCaption("Host");
        SetBounds(10, 10, 400, 300);
        frame->SetParent(this);
        frame->SetAlign(fw::Align::Client);
        FinishLoading();
    }

    std::string_view className() const override { return "THostEditor"; }

    std::string GetNotes() override { return {}; }
    void SetNotes(const std::string&) override {}
    std::string GetFileName() override { return {}; }
    std::string GetPatternName() override { return {}; }
    void SetPatternName(const std::string&) override {}
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override
    {
        return frame->PerformAction(actionId, down, data);
    }
    void GetToolActions(TTWToolActionList& list) override { frame->GetToolActions(list); }
    void PasteClip(fw::Object*) override {}

    TfrmWeavingImage* const frame;
};

class WeavingImageMainWindowTest : public ::testing::Test {
protected:
    WeavingImageMainWindowTest()
    {
        folder_ = UniqueScratchFolder("weaving_image");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend_);
        fw::ClearPostedMessages();
        ResetWindowFactoriesForTests();
        libraries_ = std::make_unique<TTWProgramLibraries>(folder_);
        main_.reset(new TfrmTWMain);
        main_->FinishLoading();
        main_->Show();
        editor_ = new HostEditor(main_.get());
        editor_->Show();
        weaving_ = weaving_image_test::MakeWeaving(4, 6, [](TTWWeavingCell& cell) { cell.Colour = 0x2040A0; });
        editor_->frame->SetWeaving(weaving_.get());
        fw::ProcessPostedMessages();
    }

    ~WeavingImageMainWindowTest() override
    {
        main_.reset();
        fw::ClearPostedMessages();
        ResetWindowFactoriesForTests();
        libraries_.reset();
        fw::SetDefaultPaintBackend(previousBackend_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The tool refresh an editor asks for when it is activated or changed.
    void RefreshTools() { main_->Perform(WM_TW_TOOLSTATESCHANGED, 0, 0); }

    fw::MenuItem* ProfileItem(fw::MenuItem& menu, const std::string& caption)
    {
        for (int i = 0; i < menu.Count(); ++i) {
            if (menu.Items(i)->Caption() == caption) {
                return menu.Items(i);
            }
        }
        return nullptr;
    }

    fw::FakePaintBackend backend_;
    fw::PaintBackend* previousBackend_ = nullptr;
    std::filesystem::path folder_;
    std::unique_ptr<TTWProgramLibraries> libraries_;
    std::unique_ptr<TfrmTWMain> main_;
    HostEditor* editor_ = nullptr;
    std::unique_ptr<TTWWeaving> weaving_;
};

TEST_F(WeavingImageMainWindowTest, ToolStatesReachTheMainWindowsButtons)
{
    ASSERT_EQ(main_->GetActiveActions(), static_cast<ITWActions*>(editor_));
    RefreshTools();
    fw::SpeedButton* grid = main_->ToolButton(TWAction::ShowGrid);
    fw::SpeedButton* twining = main_->ToolButton(TWAction::ShowTwining);
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(twining, nullptr);
    EXPECT_TRUE(grid->Enabled());
    EXPECT_TRUE(grid->Down());
    // The real image offers no twining lines.
    EXPECT_FALSE(twining->Enabled());
    // A single change is pushed at once.
    editor_->frame->SetShowGrid(false);
    EXPECT_FALSE(grid->Down());
    editor_->frame->SetRealImage(false);
    EXPECT_TRUE(twining->Enabled());
    EXPECT_TRUE(main_->ToolButton(TWAction::BlockPattern)->Down());
}

TEST_F(WeavingImageMainWindowTest, TheMainWindowsProfileItemsApplyToTheFrame)
{
    RefreshTools();
    fw::MenuItem& items = *main_->pmDisplayProfiles->Items();
    fw::MenuItem* standard = ProfileItem(items, "Standard Weaving Chart");
    ASSERT_NE(standard, nullptr);
    main_->PerformToolAction(standard);
    EXPECT_EQ(editor_->frame->GetZoom(), 6);
    EXPECT_EQ(editor_->frame->GetImageType(), TTWImageType::Block);
    EXPECT_EQ(editor_->frame->GetTagType(), TTWTagType::Turn);
}

TEST_F(WeavingImageMainWindowTest, ACapturedProfileJoinsTheMainWindowsMenus)
{
    editor_->frame->SetZoom(4);
    const fw::ScopedHandler<fw::InputQueryHandler> script(&fw::SetInputQueryHandler,
                                                          [](const fw::InputQueryRequest&, std::string& value) {
                                                              value = "Close up";
                                                              return true;
                                                          });
    main_->PerformToolAction(main_->ToolButton(TWAction::CaptureProfile));
    ASSERT_NE(main_->mnuSelectProfile, nullptr);
    fw::MenuItem* item = ProfileItem(*main_->mnuSelectProfile, "Close up");
    ASSERT_NE(item, nullptr);
    EXPECT_NE(ProfileItem(*main_->pmDisplayProfiles->Items(), "Close up"), nullptr);
    // Chosen from the main window's menu, it sets the frame back to zoom 4.
    editor_->frame->SetZoom(1);
    main_->PerformToolAction(item);
    EXPECT_EQ(editor_->frame->GetZoom(), 4);
}

} // namespace
