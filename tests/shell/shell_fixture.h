#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/message.h"
#include "model/model_hooks.h"
#include "model/user_settings.h"
#include "shell/data_module_base.h"
#include "shell/main_window.h"
#include "shell/pattern_base_form.h"
#include "shell/program_start.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"
#include "support/scratch_folder.h"

namespace shell_test {

// One command an editor was asked to carry out.
struct PerformedAction {
    std::int32_t Id;
    bool Down;
    fw::Object* Data;
};

// A pattern editor that does nothing but remember: the actions it was given, the name and
// notes it holds, and the tool states it reports (set them in `reported`).
class FakeEditor : public TfrmTWPatternBaseForm {
public:
    explicit FakeEditor(fw::Component* owner, std::string caption = "Band")
        : TfrmTWPatternBaseForm(owner)
    {
        // Made as the window factories make editors: with the host of the main window.
        if (auto* main = dynamic_cast<TfrmTWMain*>(owner)) {
            SetEditorHost(&main->EditorHost());
        }
        SetCaption(caption);
        SetBounds(10, 10, 300, 200);
        FinishLoading();
    }

    std::string_view className() const override { return "TfrmFakeEditor"; }

    std::string GetNotes() override { return notes; }
    void SetNotes(const std::string& text) override { notes = text; }
    std::string GetFileName() override { return fileName; }
    std::string GetPatternName() override { return patternName; }
    void SetPatternName(const std::string& name) override
    {
        patternName = name;
        namesSet.push_back(name);
    }

    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override
    {
        performed.push_back(PerformedAction{actionId, down, data});
        return true;
    }
    void GetToolActions(TTWToolActionList& list) override
    {
        ++toolQueries;
        for (int i = 0; i < reported.Count(); ++i) {
            const TTWToolAction* action = reported.Items(i);
            list.SetAction(action->ID, action->Enabled, action->Down);
        }
    }
    void PasteClip(fw::Object* source) override { pasted.push_back(source); }

    std::string notes;
    std::string fileName;
    std::string patternName;
    std::vector<std::string> namesSet;
    std::vector<PerformedAction> performed;
    std::vector<fw::Object*> pasted;
    TTWToolActionList reported;
    int toolQueries = 0;
};

// The lettered-band editor as the main window tells it apart: by its class name.
class FakeLetteredBand : public FakeEditor {
public:
    using FakeEditor::FakeEditor;
    std::string_view className() const override { return "TfrmTWLetteredBand"; }
};

// A data module with a scripted Load dialog.
class FakeDataModule : public TTWDataModuleBase {
public:
    explicit FakeDataModule(fw::Component* owner = nullptr)
        : TTWDataModuleBase(owner), load(new fw::OpenDialog(this)), save(new fw::SaveDialog(this))
    {
    }
    fw::OpenDialog& LoadDialog() override { return *load; }
    fw::SaveDialog& SaveDialog() override { return *save; }
    bool ExecuteOpenAnyDialog(std::string& fileName) override
    {
        ++openAnyRuns;
        if (!chosen) {
            return false;
        }
        fileName = *chosen;
        load->SetFileName(*chosen);
        return true;
    }

    fw::OpenDialog* const load;
    fw::SaveDialog* const save;
    std::optional<std::string> chosen;
    int openAnyRuns = 0;
};

// Every test of the shell: the libraries running on a scratch program folder, a fake text
// backend, the factories empty, message boxes recorded and answered from a script.
class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UniqueScratchFolder("shell");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        // The settings and palettes written at close go to the test program's own
        // configuration folder (set before the application starts: fontconfig reads it
        // too, and changing it under a running application makes fontconfig leak). Each test
        // starts without what an earlier one left there.
        RemoveSettingsFolder();
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend_);
        fw::GetScreen().SetSize(1280, 900);
        fw::ClearPostedMessages();
        ResetWindowFactoriesForTests();
        fw::App().SetCommandLine(std::vector<std::string>{"tavelin"});
        libraries_ = std::make_unique<TTWProgramLibraries>(folder_);
        previousBoxes_ = fw::SetMessageBoxHandler([this](const fw::MessageBoxRequest& request) {
            boxes.push_back(request);
            if (answers.empty()) {
                return fw::mrOk;
            }
            const fw::ModalResult answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }

    void TearDown() override
    {
        main_.reset();
        fw::ClearPostedMessages();
        fw::SetMessageBoxHandler(std::move(previousBoxes_));
        fw::App().SetOnException({});
        fw::App().SetCommandLine(std::vector<std::string>{"tavelin"});
        ResetWindowFactoriesForTests();
        libraries_.reset();
        SetXMLNameCheck(true);
        fw::SetDefaultPaintBackend(previousBackend_);
        RemoveSettingsFolder();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The main window, built and loaded; the fixture frees it.
    TfrmTWMain& Main()
    {
        if (!main_) {
            main_.reset(new TfrmTWMain);
            main_->FinishLoading();
        }
        return *main_;
    }
    void FreeMain() { main_.reset(); }
    // Shows the main window (without its command-line and registration messages running).
    TfrmTWMain& ShownMain()
    {
        TfrmTWMain& main = Main();
        main.Show();
        return main;
    }
    // A shown editor, the active child.
    template <class Editor = FakeEditor>
    Editor& OpenEditor(const std::string& caption = "Band")
    {
        auto* editor = new Editor(&Main(), caption);
        editor->Show();
        return *editor;
    }
    // The item named so among the main window's components.
    fw::MenuItem& Item(std::string_view name)
    {
        auto* item = dynamic_cast<fw::MenuItem*>(Main().FindComponent(name));
        EXPECT_NE(item, nullptr) << name;
        return *item;
    }
    // The texts of the message boxes shown so far.
    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const fw::MessageBoxRequest& box : boxes) {
            texts.push_back(box.Text);
        }
        return texts;
    }

    const std::filesystem::path& Folder() const { return folder_; }

    std::vector<fw::MessageBoxRequest> boxes;
    std::deque<fw::ModalResult> answers;

private:
    // Only ever the test configuration below the temporary folder, never a user's own.
    void RemoveSettingsFolder() const
    {
        const std::string settings = SettingsFolder(folder_).string();
        ASSERT_EQ(settings.rfind(testing::TempDir(), 0), 0u) << settings;
        std::error_code ignored;
        std::filesystem::remove_all(settings, ignored);
    }

    std::filesystem::path folder_;
    fw::FakePaintBackend backend_;
    fw::PaintBackend* previousBackend_ = nullptr;
    std::unique_ptr<TTWProgramLibraries> libraries_;
    fw::MessageBoxHandler previousBoxes_;
    std::unique_ptr<TfrmTWMain> main_;
};

} // namespace shell_test
