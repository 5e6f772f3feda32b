#pragma once

// The palette windows under test: the shell's fixture (libraries, message boxes, main
// window), a window to put frames on, the colour dialog played from a script, and palettes
// that are easy to tell apart.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell_fixture.h"

namespace palette_test {

// A palette whose colour i is base + i (so every index tells itself apart).
inline std::unique_ptr<TTWPalette> NumberedPalette(const std::string& name, TTWColour base)
{
    auto palette = std::make_unique<TTWPalette>();
    palette->SetName(name);
    for (int i = 0; i < palette->Size(); ++i) {
        palette->SetColour(i, base + static_cast<TTWColour>(i));
    }
    return palette;
}

class PaletteTest : public shell_test::ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        previousColourDialog_ = fw::ColorDialog::SetHandler([this](fw::ColorDialog& dialog) {
            colourDialogs.push_back(&dialog);
            coloursAsked.push_back(dialog.Color());
            if (colourAnswers.empty() || !colourAnswers.front().has_value()) {
                if (!colourAnswers.empty()) {
                    colourAnswers.pop_front();
                }
                return false;
            }
            dialog.SetColor(*colourAnswers.front());
            colourAnswers.pop_front();
            return true;
        });
    }

    void TearDown() override
    {
        host_.reset();
        fw::ColorDialog::SetHandler(std::move(previousColourDialog_));
        fw::Form::SetModalRunner({});
        ShellTest::TearDown();
    }

    // A shown window of 600 x 400 at the screen's top-left corner to put frames on.
    fw::Form& Host()
    {
        if (!host_) {
            host_ = std::make_unique<fw::Form>();
            host_->SetBounds(0, 0, 600, 400);
            host_->FinishLoading();
            host_->Show();
        }
        return *host_;
    }

    // The global list: "(Default)" first, then the palettes given.
    static TTWPaletteList& Palettes() { return PaletteList(); }

    // Each colour dialog answers the next entry: a colour confirms it, none cancels; with
    // nothing left it cancels.
    std::deque<std::optional<TTWColour>> colourAnswers;
    std::vector<TTWColour> coloursAsked;
    std::vector<const fw::ColorDialog*> colourDialogs;

private:
    fw::ColorDialog::Handler previousColourDialog_;
    std::unique_ptr<fw::Form> host_;
};

} // namespace palette_test
