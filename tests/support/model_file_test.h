#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/model_state.h"
#include "model/user_settings.h"
#include "support/scratch_folder.h"

// A test of pattern files: the model as a new program has it, no default notes (so saved
// files can be compared byte for byte), and a folder of the test's own for its files.
class ModelFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        UserSettings().DefaultNotes = "";
        folder_ = UniqueScratchFolder("tavelin_model_files");
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};
