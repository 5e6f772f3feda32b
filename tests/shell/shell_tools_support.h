#pragma once

// What the tests of the join and conversion tools share: the main window with the real data
// module and file loader, an editor for every kind that keeps the pattern it was opened
// with, the file dialogs answered from a queue, and the modal windows played by a script.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "model/pattern_base.h"
#include "shell/data_module.h"
#include "shell/file_loader.h"
#include "shell/file_loader_editors.h"
#include "shell_fixture.h"

namespace shell_test {

// An editor that keeps the pattern it was opened with.
class KeepingEditor : public FakeEditor {
public:
    using FakeEditor::FakeEditor;
    std::unique_ptr<TTWPatternBase> pattern;
};

class ShellToolsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ResetPatternEditorsForTests();
        RegisterFileLoading();
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            RegisterPatternEditor(
                kind, TTWPatternEditorClass{
                          [](TfrmTWMain& main) -> fw::Form* { return new KeepingEditor(&main); },
                          [this](fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName) {
                              auto& editor = dynamic_cast<KeepingEditor&>(form);
                              editor.pattern = std::move(pattern);
                              editor.fileName = fileName;
                              opened.push_back(&editor);
                              editor.Show();
                          }});
        }
        TfrmTWMain& main = ShownMain();
        data_.reset(ShellFactories().CreateDataModule(main));
        main.SetDataModule(data_.get());
        previousDialogs_ = fw::FileDialog::SetHandler([this](fw::FileDialog& dialog) {
            dialogTitles.push_back(dialog.Title());
            if (fileChoices.empty()) {
                return false;
            }
            dialog.SetFileName(fileChoices.front());
            fileChoices.pop_front();
            return true;
        });
        previousRunner_ = fw::Form::SetModalRunner([this](fw::Form& form) {
            modalForms.push_back(std::string(form.className()));
            if (modalScript) {
                const auto script = modalScript;
                script(form);
            }
        });
    }
    void TearDown() override
    {
        fw::Form::SetModalRunner(std::move(previousRunner_));
        fw::FileDialog::SetHandler(std::move(previousDialogs_));
        opened.clear();
        FreeMain();
        data_.reset();
        ResetPatternEditorsForTests();
        ShellTest::TearDown();
    }

    // Saves the pattern into the test's folder and answers the path.
    std::string Save(TTWPatternBase& pattern, const std::string& name)
    {
        const std::string path = (Folder() / name).string();
        pattern.SaveToFile(path);
        return path;
    }

    // The editors opened with a pattern, in order.
    std::vector<KeepingEditor*> opened;
    // The files the next file dialogs choose, in order; none left: cancelled.
    std::deque<std::string> fileChoices;
    std::vector<std::string> dialogTitles;
    // Plays the user in the next modal windows; none ends them as cancelled.
    std::function<void(fw::Form&)> modalScript;
    std::vector<std::string> modalForms;

private:
    std::unique_ptr<TTWDataModuleBase> data_;
    fw::FileDialog::Handler previousDialogs_;
    fw::ModalRunner previousRunner_;
};

} // namespace shell_test
