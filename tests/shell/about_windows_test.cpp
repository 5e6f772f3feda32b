#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/msg_scroll.h"
#include "controls/tabbed_pages.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/timer.h"
#include "shell/about_box.h"
#include "shell/about_pictures.h"
#include "shell/revision_notes.h"
#include "shell/revisions_window.h"
#include "shell_fixture.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_node.h"

using namespace shell_test;

namespace {

class AboutWindowsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        RegisterAboutWindows();
    }

    static void ExpectCloseButtonAtTheRight(const TfrmTBasic& window, const fw::Button& close)
    {
        EXPECT_EQ(close.Caption(), "&Close");
        EXPECT_EQ(close.ModalResult(), fw::mrOk);
        EXPECT_EQ(close.Left() + close.Width(), window.pnlTBottom->ClientWidth() - 5);
    }

    static std::vector<std::string> TopRows(const TILTree& list)
    {
        std::vector<std::string> rows;
        for (const TILTreeNode* row : list.Root()->Children()) {
            rows.push_back(row->GetText());
        }
        return rows;
    }
};

std::vector<int> NoteCounts(const TILTree& list)
{
    std::vector<int> counts;
    for (const TILTreeNode* row : list.Root()->Children()) {
        counts.push_back(row->GetCount());
    }
    return counts;
}

} // namespace

TEST_F(AboutWindowsTest, TheAboutBoxScrollsItsCreditsWhileItIsOpen)
{
    TfrmTWMain& main = ShownMain();
    // The credits' timer runs on the clock of the moment they start.
    fw::VirtualClock clock;
    const fw::ScopedClock onTheClock(clock);
    bool ran = false;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ran = true;
        auto& about = dynamic_cast<TfrmTWAbout&>(form);
        EXPECT_EQ(about.Caption(), "About this Tavelin");
        EXPECT_EQ(about.Owner(), &main);
        ExpectCloseButtonAtTheRight(about, *about.btnClose);
        TILMsgScroll& credits = *about.msgScroll;
        EXPECT_EQ(credits.Parent(), static_cast<fw::WinControl*>(about.Panel1));
        EXPECT_EQ(credits.Width(), 287);
        EXPECT_EQ(credits.Height(), 151);
        EXPECT_EQ(credits.ScrollSpeed(), 60);
        EXPECT_EQ(credits.ScrollJump(), 1);
        EXPECT_TRUE(about.edURL->ReadOnly());
        EXPECT_FALSE(about.edURL->Text().empty());
        EXPECT_EQ(about.edURL->Parent(), static_cast<fw::WinControl*>(about.ILBrushPanel1));

        ASSERT_EQ(credits.Items().Count(), 17);
        const TILMsgScrollItem& version = *credits.Items().GetItem(0);
        EXPECT_EQ(version.Text(), "Version 1.17");
        EXPECT_TRUE(version.Font().Style.Bold);
        std::vector<int> spaces;
        std::vector<int> pictures;
        for (int i = 0; i < credits.Items().Count(); ++i) {
            const TILMsgScrollItem& item = *credits.Items().GetItem(i);
            spaces.push_back(item.BottomSpace());
            if (item.ScrollType() == TILMsgScrollType::tmsScrollImage) {
                pictures.push_back(i);
            }
            EXPECT_EQ(item.HorzAlign(), TILMsgScrollAlign::Centre);
            EXPECT_EQ(item.HorzMargin(), 0);
        }
        EXPECT_EQ(spaces, (std::vector<int>{5, 5, 20, 0, 0, 10, 10, 0, 0, 0, 30, 0, 0, 0, 30, 0, 0}));
        EXPECT_EQ(pictures, (std::vector<int>{1, 6}));
        EXPECT_EQ(credits.Items().GetItem(1)->TransparentColour(), AboutFuchsia);
        EXPECT_EQ(credits.Items().GetItem(6)->TransparentColour(), AboutSilver);
        EXPECT_TRUE(credits.Items().GetItem(10)->Text().empty());
        EXPECT_TRUE(credits.Items().GetItem(14)->Text().empty());
        EXPECT_EQ(credits.Items().GetItem(15)->Font().Color, 0x808080u);
        EXPECT_EQ(credits.Items().GetItem(16)->Font().Color, 0x808080u);

        // The credits start at 150 and move up one pixel every 60 ms.
        EXPECT_TRUE(credits.Scrolling());
        EXPECT_EQ(version.Y(), 150);
        clock.Advance(60);
        EXPECT_EQ(version.Y(), 149);
        clock.Advance(600);
        EXPECT_EQ(version.Y(), 139);
        about.btnClose->Click();
        EXPECT_TRUE(credits.Scrolling()) << "until the window is closed";
    });
    Item("mnuAboutTVL").Click();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(BoxTexts().empty()) << "registered: no \"not available\" box";
}

TEST_F(AboutWindowsTest, TheScrollStopsWhenTheAboutBoxCloses)
{
    TfrmTWAbout about(&Main());
    const TILMsgScroll* credits = about.msgScroll;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner,
                                   [](fw::Form& form) { form.SetModalResult(fw::mrOk); });
    about.Execute();
    EXPECT_FALSE(credits->Scrolling());
    EXPECT_EQ(credits->Items().GetItem(0)->Y(), 150);
}

TEST_F(AboutWindowsTest, TheAboutBoxRendersWhileItScrolls)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    std::vector<fw::Bitmap> moments;
    fw::VirtualClock clock;
    const fw::ScopedClock onTheClock(clock);
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& about = dynamic_cast<TfrmTWAbout&>(form);
        for (int ticks : {60, 100, 170}) {
            clock.Advance(ticks * 60);
            moments.push_back(fw::RenderToBitmap(about));
        }
        about.btnClose->Click();
    });
    TfrmTWAbout::Execute(&Main());
    fw::SetDefaultPaintBackend(nullptr);
    ASSERT_EQ(moments.size(), 3u);
    const std::string folder = TAVELIN_SHELL_TEST_OUTPUT;
    for (std::size_t i = 0; i < moments.size(); ++i) {
        EXPECT_TRUE(fw::BitmapToQImage(moments[i]).save(
            QString::fromStdString(folder + "/about_box_" + std::to_string(i + 1) + ".png")));
    }
    EXPECT_FALSE(moments[0].SamePixels(moments[1])) << "the credits moved";
}

TEST_F(AboutWindowsTest, TheRevisionNotesListEveryVersionWithItsNotes)
{
    TfrmTWMain& main = ShownMain();
    bool ran = false;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ran = true;
        auto& notes = dynamic_cast<TfrmTWRevisions&>(form);
        EXPECT_EQ(notes.Caption(), "TVL Revision Notes");
        EXPECT_EQ(notes.Owner(), &main);
        ExpectCloseButtonAtTheRight(notes, *notes.btnClose);
        EXPECT_EQ(notes.pcMain->ActivePage(), notes.pgRevisions);
        EXPECT_EQ(notes.pgRevisions->PageName(), "Revisions");
        EXPECT_EQ(notes.pgBugs->PageName(), "Known Bugs");

        std::vector<std::string> expected;
        for (int minor = 1; minor <= 17; ++minor) {
            expected.push_back(std::string("Version 1.") + (minor < 10 ? "0" : "") + std::to_string(minor));
        }
        expected[15] += " (1 March 2004)";
        expected[16] += " (22 April 2004)";
        EXPECT_EQ(TopRows(*notes.lstNotes), expected);
        EXPECT_EQ(NoteCounts(*notes.lstNotes),
                  (std::vector<int>{5, 7, 5, 3, 5, 11, 7, 10, 12, 14, 15, 7, 2, 13, 9, 11, 11}));
        TILTree& list = *notes.lstNotes;
        auto bold = [](TILTree& tree, TILTreeNode* row) {
            return tree.CellFont(tree.GetColumn(0), row, tree.DefaultDrawNormal()).Style.Bold;
        };
        for (TILTreeNode* row : list.Root()->Children()) {
            EXPECT_TRUE(bold(list, row)) << row->GetText();
            for (TILTreeNode* note : row->Children()) {
                EXPECT_FALSE(note->GetText().empty());
                EXPECT_FALSE(bold(list, note));
            }
        }

        EXPECT_EQ(TopRows(*notes.lstBugs),
                  (std::vector<std::string>{"Broken Twill - Real Image", "Toolbar - Resizing", "Large Patterns"}));
        EXPECT_EQ(NoteCounts(*notes.lstBugs), (std::vector<int>{1, 1, 1}));
        EXPECT_TRUE(bold(*notes.lstBugs, notes.lstBugs->Root()->GetItem(2)));
        // A selected heading keeps the selection's text colour.
        list.SelectOnly(list.Root()->GetItem(0));
        const fw::Font selected =
            list.CellFont(list.GetColumn(0), list.Root()->GetItem(0), list.DefaultDrawSelect());
        EXPECT_TRUE(selected.Style.Bold);
        EXPECT_EQ(selected.Color, list.DefaultDrawSelect().Font().Color);
        notes.btnClose->Click();
    });
    Item("mnuRevisions").Click();
    EXPECT_TRUE(ran);
}

TEST_F(AboutWindowsTest, RowsFitTheirWrappedTextAndOnlyNotesMayBeResized)
{
    TfrmTWRevisions notes(&Main());
    notes.FinishLoading();
    TILTree& list = *notes.lstNotes;
    constexpr int Line = fw::FakePaintBackend::LineHeight;
    // Version 1.02: its first note holds a line break, its fourth is a single short line.
    const TILTreeNode* version = list.Root()->GetItem(1);
    const TILTreeNode* twoLines = version->GetItem(0);
    const TILTreeNode* oneLine = version->GetItem(2);
    EXPECT_EQ(twoLines->Height(), oneLine->Height() + Line);
    EXPECT_EQ(version->Height(), oneLine->Height()) << "a heading of one line";
    EXPECT_GE(oneLine->Height(), Line + 2 * TfrmTWRevisions::RowMargin);

    // A narrower column wraps more, and the rows follow.
    const int before = twoLines->Height();
    list.GetColumn(0)->SetWidth(120);
    notes.lstNotesAfterColumnResize();
    EXPECT_GT(twoLines->Height(), before);
    for (const TILTreeNode* row : notes.lstBugs->Root()->Children()) {
        EXPECT_GE(row->GetItem(0)->Height(), 2 * Line) << "the explanations wrap";
    }

    EXPECT_FALSE(notes.lstNotesCanResizeNode(list.Root()->GetItem(0)));
    EXPECT_TRUE(notes.lstNotesCanResizeNode(list.Root()->GetItem(0)->GetItem(0)));
    int height = 3;
    EXPECT_TRUE(notes.lstNotesNodeResize(list.Root()->GetItem(0)->GetItem(0), height));
    EXPECT_EQ(height, list.DefaultNodeHeight());
    height = 80;
    notes.lstNotesNodeResize(list.Root()->GetItem(0)->GetItem(0), height);
    EXPECT_EQ(height, 80);
}

TEST_F(AboutWindowsTest, TheRevisionNotesRenderForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    fw::Bitmap revisions;
    fw::Bitmap bugs;
    {
        TfrmTWRevisions notes(&Main());
        notes.FinishLoading();
        notes.lstNotes->Root()->GetItem(16)->SetExpanded(true);
        notes.lstNotes->Root()->GetItem(15)->SetExpanded(true);
        revisions = fw::RenderToBitmap(notes);
        notes.pcMain->SetActivePage(notes.pgBugs);
        notes.lstBugs->ExpandAll();
        bugs = fw::RenderToBitmap(notes);
    }
    fw::SetDefaultPaintBackend(nullptr);
    const std::string folder = TAVELIN_SHELL_TEST_OUTPUT;
    EXPECT_TRUE(fw::BitmapToQImage(revisions).save(QString::fromStdString(folder + "/revision_notes.png")));
    EXPECT_TRUE(fw::BitmapToQImage(bugs).save(QString::fromStdString(folder + "/revision_notes_bugs.png")));
    EXPECT_FALSE(revisions.SamePixels(bugs));
}

// The Known Bugs page is hidden while the window is made; once the user turns to it, its
// text fills the page as the Revisions page's does, and each explanation wraps into a few
// long lines.
TEST_F(AboutWindowsTest, TheKnownBugsPageFillsItsWidthWhenItIsShown)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    ShownMain();
    bool ran = false;
    fw::Bitmap shown;
    const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ran = true;
        auto& notes = dynamic_cast<TfrmTWRevisions&>(form);
        fw::TestDriver driver(notes);
        const TILTabRect tab = notes.pgBugs->TabRect();
        driver.Click(driver.PointOf(*notes.pcMain, fw::Point{(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2}));
        ASSERT_EQ(notes.pcMain->ActivePage(), notes.pgBugs) << "the tab was clicked";
        TILTree& bugs = *notes.lstBugs;
        const int column = bugs.GetColumn(0)->Width();
        EXPECT_EQ(column, notes.lstNotes->GetColumn(0)->Width()) << "as wide as the Revisions page's text";
        EXPECT_GE(column, bugs.ClientWidth() - bugs.VertScrollBar()->Width() - 1)
            << "the text fills the list beside its scroll bar";
        EXPECT_LE(column, bugs.ClientWidth());
        bugs.ExpandAll();
        // The topics are short: the lowest of them is a row of one line.
        int oneLine = bugs.Root()->GetItem(0)->Height();
        for (const TILTreeNode* topic : bugs.Root()->Children()) {
            oneLine = std::min(oneLine, topic->Height());
        }
        for (const TILTreeNode* topic : bugs.Root()->Children()) {
            const TILTreeNode* explanation = topic->GetItem(0);
            EXPECT_GE(explanation->Height(), oneLine) << topic->GetText();
            EXPECT_LE(explanation->Height(), 2 * oneLine) << topic->GetText() << ": a sentence in one or two lines";
        }
        shown = fw::RenderToBitmap(notes);
        notes.btnClose->Click();
    });
    Item("mnuRevisions").Click();
    fw::SetDefaultPaintBackend(nullptr);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(fw::BitmapToQImage(shown).save(
        QString::fromStdString(std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/revision_notes_bugs_shown.png")));
}
