// The notes window: binding editors and keeping their notes, the guarded binding, showing it
// docked, floating or not at all as the settings say, and its memo.

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "controls/scroll_bar.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/test_driver.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/notes_window.h"
#include "shell_fixture.h"

namespace {

using shell_test::FakeEditor;

class NotesWindowTest : public shell_test::ShellTest {
protected:
    void TearDown() override
    {
        notes_.reset();
        shell_test::ShellTest::TearDown();
    }

    TfrmTWNotes& Notes()
    {
        if (!notes_) {
            notes_ = std::make_unique<TfrmTWNotes>(nullptr, &Main());
            notes_->FinishLoading();
        }
        return *notes_;
    }

    FakeEditor& Editor(const std::string& notes)
    {
        FakeEditor& editor = OpenEditor(notes);
        editor.notes = notes;
        return editor;
    }

    void SetMode(TTWNotesMode mode) { UserSettings().General.ShowNotes = mode; }

private:
    std::unique_ptr<TfrmTWNotes> notes_;
};

// --- Binding ---------------------------------------------------------------------------------------

TEST_F(NotesWindowTest, AnUnboundWindowShowsAnEmptyDisabledMemo)
{
    TfrmTWNotes& notes = Notes();
    EXPECT_EQ(notes.Caption(), "Notes");
    EXPECT_EQ(notes.BorderStyle(), fw::FormBorderStyle::SizeToolWin);
    EXPECT_EQ(notes.Width(), 276);
    EXPECT_EQ(notes.Height(), 480);
    EXPECT_EQ(notes.DragKind(), fw::DragKind::Dock);
    EXPECT_EQ(frmTWNotes, &notes);
    EXPECT_EQ(notes.edNotes->Align(), fw::Align::Client);
    EXPECT_EQ(notes.edNotes->Text(), "");
    EXPECT_FALSE(notes.edNotes->Enabled());
    EXPECT_EQ(notes.edNotes->Color(), fw::clBtnFace);
}

TEST_F(NotesWindowTest, SwitchingEditorsStoresTheEditsInTheFirstPatternFirst)
{
    FakeEditor& first = Editor("warp");
    FakeEditor& second = Editor("weft");
    TfrmTWNotes& notes = Notes();
    notes.SetPattern(&first);
    EXPECT_EQ(notes.edNotes->Text(), "warp");
    EXPECT_TRUE(notes.edNotes->Enabled());
    EXPECT_EQ(notes.edNotes->Color(), fw::clWindow);

    notes.edNotes->SetSelStart(notes.edNotes->TextLength());
    notes.edNotes->SetSelText(" of silk\r\nsecond line");
    notes.SetPattern(&second);
    EXPECT_EQ(first.notes, "warp of silk\r\nsecond line");
    EXPECT_EQ(notes.edNotes->Text(), "weft");
    EXPECT_EQ(notes.Pattern(), &second);

    // Closing the last editor: its notes are kept, the memo goes blank.
    notes.edNotes->SetText("weft, wool");
    notes.SetPattern(nullptr);
    EXPECT_EQ(second.notes, "weft, wool");
    EXPECT_EQ(notes.edNotes->Text(), "");
    EXPECT_FALSE(notes.edNotes->Enabled());
    EXPECT_EQ(notes.edNotes->Color(), fw::clBtnFace);
}

TEST_F(NotesWindowTest, AnEditorFreedWhileBoundIsForgottenNotWrittenTo)
{
    FakeEditor* first = &Editor("warp");
    FakeEditor& second = Editor("weft");
    TfrmTWNotes& notes = Notes();
    notes.SetPattern(first);
    notes.edNotes->SetText("typed after");
    delete first;
    EXPECT_EQ(notes.Pattern(), nullptr);
    // Binding the next editor must not store anything into the freed one (the sanitizer
    // would see it).
    notes.SetPattern(&second);
    EXPECT_EQ(notes.edNotes->Text(), "weft");
    EXPECT_EQ(second.notes, "weft");
}

// --- Showing ---------------------------------------------------------------------------------------

TEST_F(NotesWindowTest, HiddenByTheSettingsItStaysHiddenButTheCommandToggles)
{
    SetMode(TTWNotesMode::Hidden);
    TfrmTWNotes& notes = Notes();
    notes.ShowAsConfigured();
    EXPECT_FALSE(notes.Visible());
    UserSettings().General.ShowNotes = static_cast<TTWNotesMode>(7);
    notes.ShowAsConfigured();
    EXPECT_FALSE(notes.Visible());
    notes.ToggleVisible();
    EXPECT_TRUE(notes.Visible());
    notes.ToggleVisible();
    EXPECT_FALSE(notes.Visible());
}

TEST_F(NotesWindowTest, DockedItRemembersThePanelWidthWhileHidden)
{
    TfrmTWMain& main = ShownMain();
    SetMode(TTWNotesMode::Docked);
    TfrmTWNotes& notes = Notes();
    notes.ShowAsConfigured();
    EXPECT_TRUE(notes.Visible());
    EXPECT_EQ(notes.HostDockSite(), main.pnlDockRight);
    EXPECT_TRUE(main.spltRight->Visible());
    EXPECT_EQ(main.pnlDockRight->Width(), TfrmTWNotes::DefaultDockedWidth);

    main.pnlDockRight->SetWidth(210);
    notes.ToggleVisible();
    EXPECT_EQ(notes.DockedWidth(), 210);
    EXPECT_EQ(main.pnlDockRight->Width(), TfrmTWNotes::EmptyDockWidth);
    EXPECT_FALSE(main.spltRight->Visible());

    notes.ShowAsConfigured();
    EXPECT_TRUE(notes.Visible());
    EXPECT_EQ(notes.HostDockSite(), main.pnlDockRight) << "still docked";
    EXPECT_EQ(main.pnlDockRight->Width(), 210);
    EXPECT_TRUE(main.spltRight->Visible());
}

TEST_F(NotesWindowTest, FloatingItGoesBackToWhereItFirstStood)
{
    TfrmTWMain& main = ShownMain();
    SetMode(TTWNotesMode::Docked);
    TfrmTWNotes& notes = Notes();
    const fw::Rect floating = notes.FloatingRect();
    EXPECT_EQ(floating.Width(), 276);
    notes.ShowAsConfigured();
    ASSERT_EQ(notes.HostDockSite(), main.pnlDockRight);

    SetMode(TTWNotesMode::Floating);
    notes.ShowAsConfigured();
    EXPECT_EQ(notes.HostDockSite(), main.pnlDockRight) << "a window already showing stays as it is";

    notes.ToggleVisible();
    notes.ShowAsConfigured();
    EXPECT_TRUE(notes.Visible());
    EXPECT_TRUE(notes.Floating());
    EXPECT_EQ(notes.BoundsRect(), floating);
}

TEST_F(NotesWindowTest, TheShellMakesTheWindowThroughTheRegisteredFactory)
{
    RegisterNotesWindow();
    TfrmTWMain& main = CreateProgramWindows(nullptr);
    std::unique_ptr<TfrmTWMain> owned(&main);
    ASSERT_NE(frmTWNotes, nullptr);
    EXPECT_EQ(main.NotesWindow(), frmTWNotes);
    EXPECT_EQ(frmTWNotes->Owner(), &fw::App());
    delete frmTWNotes;
    EXPECT_EQ(frmTWNotes, nullptr);
    EXPECT_EQ(main.NotesWindow(), nullptr);
}

// --- The memo ----------------------------------------------------------------------------------------

class NotesMemoTest : public NotesWindowTest {
protected:
    fw::Memo& Memo()
    {
        TfrmTWNotes& notes = Notes();
        if (!bound_) {
            editor_ = &Editor("");
            notes.SetPattern(editor_);
            notes.Show();
            bound_ = true;
        }
        return *notes.edNotes;
    }

    FakeEditor* editor_ = nullptr;

private:
    bool bound_ = false;
};

TEST_F(NotesMemoTest, TypingEnterAndBackspaceEditTheLines)
{
    fw::Memo& memo = Memo();
    fw::TestDriver driver(Notes());
    driver.ClickOn(memo);
    driver.Type("Card 1");
    driver.PressKey(fw::VK_RETURN);
    driver.Type("blue");
    driver.PressKey(fw::VK_BACK);
    EXPECT_EQ(memo.Text(), "Card 1\r\nblu");
    driver.PressKey(fw::VK_UP);
    driver.PressKey(fw::VK_END);
    driver.Type("2");
    EXPECT_EQ(memo.Text(), "Card 12\r\nblu");
    driver.PressKey(fw::VK_HOME, fw::ShiftState{fw::ShiftFlag::Ctrl});
    driver.PressKey(fw::VK_DELETE);
    EXPECT_EQ(memo.Text(), "ard 12\r\nblu");
    Notes().SetPattern(nullptr);
    EXPECT_EQ(editor_->notes, "ard 12\r\nblu");
}

TEST_F(NotesMemoTest, TheWindowRendersForALook)
{
    fw::QtPaintBackend qt;
    fw::PaintBackend* const fake = fw::DefaultPaintBackend();
    fw::SetDefaultPaintBackend(&qt);
    fw::Memo& memo = Memo();
    memo.SetText("Sixteen cards, four holes each.\r\n\r\nThe border cards are threaded in dark blue and turn "
                 "forwards all the way; the centre cards reverse after every eighth pick, which makes the "
                 "diamonds.");
    const fw::Bitmap enabled = fw::RenderToBitmap(Notes());
    EXPECT_GT(memo.RowCount(), 3) << "the long paragraph wraps";
    Notes().SetPattern(nullptr);
    const fw::Bitmap disabled = fw::RenderToBitmap(Notes());
    const std::string folder = TAVELIN_SHELL_TEST_OUTPUT;
    EXPECT_TRUE(fw::BitmapToQImage(enabled).save(QString::fromStdString(folder + "/notes_window.png")));
    // Below the text the memo shows its own colour: the window colour, or the button face.
    const fw::Point blank = memo.ClientToParent(fw::Point{20, memo.Height() - 10});
    EXPECT_EQ(enabled.Pixel(blank.X, blank.Y), fw::ColorToRGB(fw::clWindow));
    EXPECT_EQ(disabled.Pixel(blank.X, blank.Y), fw::ColorToRGB(fw::clBtnFace));
    fw::SetDefaultPaintBackend(fake);
}

} // namespace
