// The real main window on Qt's offscreen platform: shown with its widgets and menu bar,
// commanded through them as a user would, pictured, and closed.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/std_control_bar.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/main_window_messages.h"
#include "shell/program_icon.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

QAction* FindAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

class OffscreenMainWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        previous_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&qtBackend_);
    }
    void TearDown() override
    {
        fw::SyncQtPeers();
        QApplication::processEvents();
        fw::SetDefaultPaintBackend(previous_);
        ShellTest::TearDown();
    }

private:
    fw::QtPaintBackend qtBackend_;
    fw::PaintBackend* previous_ = nullptr;
};

} // namespace

TEST_F(OffscreenMainWindowTest, TheRealMainWindowStartsTakesCommandsAndCloses)
{
    UserSettings().System.CheckTVLReg = false;
    std::unique_ptr<TfrmTWMain> owned(&CreateProgramWindows(nullptr));
    TfrmTWMain& main = *owned;
    main.SetBounds(20, 20, 900, 600);
    main.Show();
    fw::TestDriver driver(main);
    auto* editor = new FakeEditor(&main, "Chevrons");
    editor->SetBounds(10, 10, 420, 260);
    editor->Show();
    main.AddWindowMenuItem(editor);
    editor->reported.SetAction(TWAction::Save, true, false);
    editor->reported.SetAction(TWAction::ShowGrid, true, true);
    editor->reported.SetAction(TWAction::ZoomIn, true, false);
    editor->patternName = "Chevrons";
    editor->fileName = "/bands/chevrons.tvl";
    main.Perform(WM_TW_TOOLSTATESCHANGED);
    main.Perform(WM_TW_EDITORACTIVATED, PatternTypeThreaded);
    fw::AttachQtPeers(main);
    fw::SyncQtPeers();

    // A window of its own with the menu bar above the client area.
    auto* peer = dynamic_cast<fw::QtPeer*>(main.Peer());
    ASSERT_NE(peer, nullptr);
    ASSERT_NE(peer->WindowWidget(), nullptr);
    EXPECT_TRUE(peer->WindowWidget()->isWindow());
    EXPECT_EQ(peer->WindowWidget()->windowTitle(), "Tavelin (1.17)");
    // The program's own icon on the window, at each of its sizes.
    EXPECT_EQ(main.Icon(), ProgramIconImages());
    const QIcon icon = peer->WindowWidget()->windowIcon();
    EXPECT_EQ(icon.availableSizes().size(), static_cast<qsizetype>(std::size(ProgramIconSizes)));
    // Qt keeps a window icon with its alpha multiplied in, which rounds the colours of soft
    // pixels: opaque ones must be exact, the alpha everywhere.
    const fw::ArgbImage shown = fw::QImageToArgbImage(icon.pixmap(QSize(48, 48)).toImage());
    const fw::ArgbImage drawn = DrawProgramIcon(48);
    ASSERT_EQ(shown.Width(), 48);
    int mismatches = 0;
    for (std::size_t i = 0; i < drawn.Pixels().size(); ++i) {
        const std::uint32_t expected = drawn.Pixels()[i];
        const std::uint32_t actual = shown.Pixels()[i];
        mismatches += (expected >> 24) != (actual >> 24) || ((expected >> 24) == 0xFF && expected != actual);
    }
    EXPECT_EQ(mismatches, 0);
    auto* bar = dynamic_cast<QMenuBar*>(peer->MenuBar());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 7);
    EXPECT_EQ(bar->actions().front()->text(), "&File");

    // A real click on the zoom button reaches the editor.
    QWidget* zoom = fw::QtWidgetOf(*main.ToolButton(TWAction::ZoomIn));
    ASSERT_NE(zoom, nullptr);
    QTest::mouseClick(zoom, Qt::LeftButton, {}, QPoint(11, 11));
    ASSERT_EQ(editor->performed.size(), 1u);
    EXPECT_EQ(editor->performed.back().Id, TWAction::ZoomIn);

    // Choosing Save from the File menu of the menu bar.
    QMenu* file = bar->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    QAction* save = FindAction(file->actions(), "Save");
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(save->isEnabled());
    QAction* print = FindAction(file->actions(), "Print");
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->isEnabled()) << "the editor did not report printing";
    save->trigger();
    ASSERT_EQ(editor->performed.size(), 2u);
    EXPECT_EQ(editor->performed.back().Id, TWAction::Save);
    EXPECT_TRUE(editor->performed.back().Down);

    // A checked display switch shows its check mark in the View menu.
    QMenu* view = bar->actions().at(3)->menu();
    ASSERT_NE(view, nullptr);
    emit view->aboutToShow();
    QAction* display = FindAction(view->actions(), "Display");
    ASSERT_NE(display, nullptr);
    ASSERT_NE(display->menu(), nullptr);
    emit display->menu()->aboutToShow();
    QAction* grid = FindAction(display->menu()->actions(), "Show Grid");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isChecked());

    // The picture, for a look.
    fw::SyncQtPeers();
    const fw::Bitmap picture = fw::RenderToBitmap(main);
    ASSERT_EQ(picture.Width(), main.Width());
    const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/main_window.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path)));
    // The tool bar is drawn: its first row holds dark glyph pixels.
    int dark = 0;
    for (int y = 0; y < main.ctrlTools->RowSize(); ++y) {
        for (int x = 0; x < 200; ++x) {
            const fw::Color p = picture.Pixel(x, y);
            dark += ((p & 0xFF) < 0x40 && ((p >> 8) & 0xFF) < 0x40 && ((p >> 16) & 0xFF) < 0x40) ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 50);

    // Closing through the menu: the question, then both files, then the window goes.
    answers = {fw::mrYes};
    QMenu* fileAgain = bar->actions().front()->menu();
    emit fileAgain->aboutToShow();
    QAction* exitAction = FindAction(fileAgain->actions(), "E&xit");
    ASSERT_NE(exitAction, nullptr);
    exitAction->trigger();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Close the application?"}));
    EXPECT_FALSE(main.Visible());
    // Both go to the user's configuration, not into the program's folder.
    const std::filesystem::path config = SettingsFolder(Folder());
    EXPECT_NE(config, Folder());
    EXPECT_TRUE(std::filesystem::exists(config / SettingsFileName));
    EXPECT_TRUE(std::filesystem::exists(config / PalettesFileName));
    EXPECT_FALSE(std::filesystem::exists(Folder() / SettingsFileName));
    fw::SyncQtPeers();
    EXPECT_EQ(fw::QtWidgetOf(main), nullptr) << "its window is gone";
}
