// The join, conversion and file-type dialogs as the real Qt text backend draws them, written
// out for a look; every control lies inside its parent, and the bottom buttons stand in line
// from the right edge.

#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "controls/brush_panel.h"
#include "controls/radio_button.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/threaded_pattern.h"
#include "shell/convert_dialog.h"
#include "shell/file_type_dialog.h"
#include "shell/file_type_registration.h"
#include "shell/join_dialogs.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

// The controls (of every depth) that stick out of their parent's client area.
void CollectOutside(const fw::WinControl& parent, std::vector<std::string>& outside)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const fw::Control& control = *parent.Controls(i);
        if (!control.Visible()) {
            continue;
        }
        if (control.Left() < 0 || control.Top() < 0 || control.Left() + control.Width() > parent.ClientWidth()
            || control.Top() + control.Height() > parent.ClientHeight()) {
            outside.push_back(control.Name().empty() ? std::string(control.className()) : control.Name());
        }
        if (const auto* child = dynamic_cast<const fw::WinControl*>(&control)) {
            CollectOutside(*child, outside);
        }
    }
}

class ToolDialogsRenderTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        fw::SetDefaultPaintBackend(&qtBackend_);
    }

    // Shows the dialog modally, renders and checks it, and closes it.
    void Look(fw::Form& dialog, const std::string& file, fw::Button& rightmost)
    {
        bool shown = false;
        const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
            shown = true;
            const fw::Bitmap picture = fw::RenderToBitmap(form);
            const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/" + file;
            EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path))) << path;
            std::vector<std::string> outside;
            CollectOutside(form, outside);
            EXPECT_TRUE(outside.empty()) << file << ": " << outside.front();
            const fw::WinControl& bottom = *rightmost.Parent();
            EXPECT_EQ(rightmost.Left() + rightmost.Width(), bottom.ClientWidth() - 5) << file;
            form.SetModalResult(fw::mrCancel);
        });
        dialog.ShowModal();
        EXPECT_TRUE(shown);
    }

private:
    fw::QtPaintBackend qtBackend_;
};

TEST_F(ToolDialogsRenderTest, TheJoinDialogWithTwoPatterns)
{
    TfrmTWJoinSideBySide dialog(Main());
    dialog.FinishLoading();
    for (int cards = 2; cards <= 3; ++cards) {
        auto pattern = std::make_unique<TTWPattern>();
        pattern->SetName("Band of " + std::to_string(cards));
        for (int i = 0; i < cards; ++i) {
            pattern->Cards().Add(CreateCard(4).release());
        }
        dialog.AddPattern(std::move(pattern), "/home/weaver/Bands/band" + std::to_string(cards) + ".tvl");
    }
    Look(dialog, "join_dialog.png", *dialog.btnClose);
}

TEST_F(ToolDialogsRenderTest, TheConversionDialog)
{
    TfrmTWCvtDFToBrocade dialog(Main());
    dialog.FinishLoading();
    TTWDFPattern design;
    design.SetSize(4, 4);
    design.Cards().Add(CreateCard(4).release());
    const std::string path = (Folder() / "design.tvl").string();
    design.SaveToFile(path);
    ASSERT_TRUE(dialog.SelectSource(path));
    Look(dialog, "convert_dialog.png", *dialog.btnClose);
}

TEST_F(ToolDialogsRenderTest, TheFileTypesDialog)
{
    TfrmTWWinReg dialog(&Main());
    dialog.FinishLoading();
    TTWMemoryFileTypeRegistry registry;
    bool shown = false;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        shown = true;
        const fw::Bitmap picture = fw::RenderToBitmap(form);
        const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/file_types_dialog.png";
        EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path))) << path;
        std::vector<std::string> outside;
        CollectOutside(form, outside);
        EXPECT_TRUE(outside.empty()) << outside.front();
        dialog.rbIgnore->SetChecked(true);
        form.SetModalResult(fw::mrOk);
    });
    dialog.Execute(registry);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.btnOK->Left() + dialog.btnOK->Width(), dialog.pnlTBottom->ClientWidth() - 5);
}

} // namespace
