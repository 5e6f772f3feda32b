#pragma once

// What the threaded-in editor tests share: the program's libraries on a scratch folder, the
// main window with its data module and notes window as the program makes them, the editors
// registered, and the user played by scripts: message boxes answered from a queue, popup
// menus choosing an item by caption, modal windows run by a script.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/card_frame.h"
#include "editors/card_frame_list.h"
#include "editors/editors_registration.h"
#include "editors/threaded_editor.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_services.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/message.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "shell/data_module.h"
#include "shell/file_loader.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/notes_window.h"
#include "shell/program_start.h"
#include "shell/window_factory.h"
#include "support/pick_texts.h"
#include "support/scratch_folder.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "sample_patterns.h"

namespace threaded_editor_test {

// One tool state reported to the main window.
struct ToolReport {
    int Id;
    bool Enabled;
    bool Down;
};

class EditorProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UniqueScratchFolder("threaded_editor");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(paintBackend != nullptr ? paintBackend : &backend_);
        fw::GetScreen().SetSize(1280, 900);
        fw::ClearPostedMessages();
        ResetWindowFactoriesForTests();
        ResetPatternEditorsForTests();
        fw::App().SetCommandLine(commandLine);
        libraries_ = std::make_unique<TTWProgramLibraries>(folder_);
        UserSettings().DefaultNotes = "";
        // No registration check at start: it would ask about the system's file types.
        UserSettings().System.CheckTVLReg = false;
        RegisterShellModules();
        RegisterEditors();
        previousBoxes_ = fw::SetMessageBoxHandler([this](const fw::MessageBoxRequest& request) {
            boxes.push_back(request);
            if (answers.empty()) {
                return fw::mrOk;
            }
            const fw::ModalResult answer = answers.front();
            answers.pop_front();
            return answer;
        });
        previousPopup_ = fw::PopupMenu::SetPopupHandler([this](fw::PopupMenu& menu, fw::Point) {
            popups.push_back(&menu);
            if (!popupChoice) {
                return;
            }
            const std::string choice = *popupChoice;
            popupChoice.reset();
            if (fw::MenuItem* item = menu.Items()->Find(choice)) {
                item->Click();
            } else {
                ADD_FAILURE() << "no popup item " << choice;
            }
        });
        previousRunner_ = fw::Form::SetModalRunner([this](fw::Form& form) {
            modalForms.push_back(std::string(form.className()));
            if (modalScript) {
                modalScript(form);
            } else {
                form.SetModalResult(fw::mrCancel);
            }
        });
        main_ = &CreateProgramWindows(nullptr);
        main_->Show();
    }

    void TearDown() override
    {
        delete main_;
        main_ = nullptr;
        fw::ClearPostedMessages();
        delete frmTWNotes;
        delete dModMain;
        fw::Form::SetModalRunner(std::move(previousRunner_));
        fw::PopupMenu::SetPopupHandler(std::move(previousPopup_));
        fw::SetMessageBoxHandler(std::move(previousBoxes_));
        model_hooks::SetNotifyHandler({});
        WeavingImageServices() = TWeavingImageServices{};
        ResetWindowFactoriesForTests();
        ResetPatternEditorsForTests();
        libraries_.reset();
        fw::SetDefaultPaintBackend(previousBackend_);
        fw::App().SetCommandLine(std::vector<std::string>{"tavelin"});
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    TfrmTWMain& Main() { return *main_; }
    const std::filesystem::path& Folder() const { return folder_; }

    // The editor the main window shows now.
    TfrmTWThreadedPattern* ActiveEditor() const
    {
        return dynamic_cast<TfrmTWThreadedPattern*>(main_->ActiveMDIChild());
    }

    // A new editor from the Create menu's item for the hole count.
    TfrmTWThreadedPattern& NewEditor(int holes = 4)
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::ThreadedEditor, holes));
        TfrmTWThreadedPattern* editor = ActiveEditor();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A file opened as the Load command opens it.
    TfrmTWThreadedPattern& OpenFile(const std::filesystem::path& file)
    {
        Main().LoadFile(file.string());
        TfrmTWThreadedPattern* editor = ActiveEditor();
        EXPECT_NE(editor, nullptr) << file;
        return *editor;
    }

    TfrmTWThreadedPattern& OpenSample(const char* name) { return OpenFile(sample_patterns::SamplePath(name)); }

    // An editor showing a pattern the test made (the editor owns it).
    TfrmTWThreadedPattern& OpenPattern(std::unique_ptr<TTWPattern> pattern)
    {
        TfrmTWThreadedPattern& editor = NewEditor(pattern->Cards().HoleCount());
        const int holes = pattern->Cards().HoleCount();
        editor.TakePattern(std::move(pattern));
        editor.Display(holes, nullptr, std::string());
        return editor;
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

    // Records what the views report to the main window from now on, and passes it on as
    // the main window's own handler does.
    void RecordToolReports()
    {
        model_hooks::SetNotifyHandler([this](int id, bool enabled, bool enabled2, bool down) {
            reports.push_back(ToolReport{id, enabled && enabled2, down});
            const std::intptr_t packed = (enabled ? 1 : 0) | ((enabled2 ? 1 : 0) << 8) | ((down ? 1 : 0) << 16);
            main_->Perform(WM_TW_TOOLSTATE, id, packed);
        });
    }

    // Set before SetUp: the program's arguments, and the text backend (none: the fake one,
    // six pixels a character).
    std::vector<std::string> commandLine{"tavelin"};
    fw::PaintBackend* paintBackend = nullptr;

    std::vector<fw::MessageBoxRequest> boxes;
    std::deque<fw::ModalResult> answers;
    std::vector<fw::PopupMenu*> popups;
    // The caption of the item the next popup menu clicks (ampersands ignored); none: the
    // menu is closed without a choice.
    std::optional<std::string> popupChoice;
    std::vector<std::string> modalForms;
    // Plays the user in the next modal windows; none cancels them.
    std::function<void(fw::Form&)> modalScript;
    std::vector<ToolReport> reports;

private:
    std::filesystem::path folder_;
    fw::FakePaintBackend backend_;
    fw::PaintBackend* previousBackend_ = nullptr;
    std::unique_ptr<TTWProgramLibraries> libraries_;
    fw::MessageBoxHandler previousBoxes_;
    fw::PopupHandler previousPopup_;
    fw::ModalRunner previousRunner_;
    TfrmTWMain* main_ = nullptr;
};

// A design grid as rows, top row first: '#' a set cell.
inline std::vector<std::string> GridRows(const TfrmBlockPattern& grid)
{
    std::vector<std::string> rows;
    for (int y = grid.GridHeight() - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < grid.GridWidth(); ++x) {
            row += grid.IsCellSet(x, y) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// The cells of a row of a pick list by column.
inline std::vector<std::string> RowTexts(const TILTree& tree, int row)
{
    std::vector<std::string> texts;
    const TILTreeNode* node = tree.Root()->GetItem(row);
    if (node == nullptr) {
        return texts;
    }
    for (int column = 0; column < tree.GetColumnCount(); ++column) {
        texts.push_back(node->GetCellText(column));
    }
    return texts;
}

inline int RowCount(const TILTree& tree)
{
    return tree.Root()->GetCount();
}

// A pattern of `cards` cards of `holes` holes (colours by hole) without picks.
inline std::unique_ptr<TTWPattern> CardsOnly(int cards, int holes = 4, int leftSelvedge = 0)
{
    auto pattern = std::make_unique<TTWPattern>();
    pattern->SetName("Cards");
    for (int card = 0; card < cards; ++card) {
        std::vector<int> colours;
        for (int hole = 0; hole < holes; ++hole) {
            colours.push_back(hole);
        }
        sample_patterns::AddCard(pattern->Cards(), ThreadingS, colours);
    }
    for (int card = 0; card < leftSelvedge; ++card) {
        sample_patterns::AddCard(pattern->SelvedgeLeft(), ThreadingS, std::vector<int>(static_cast<std::size_t>(holes), 0));
    }
    return pattern;
}

using ::ActionsText;

} // namespace threaded_editor_test
