#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "framework/gui/dock.h"
#include "framework/gui/image_list.h"
#include "framework/gui/mdi.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "framework/gui/test_driver.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/main_window_messages.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

// An editor that keeps its Windows-menu item as the real editors do: added as it is made,
// taken away as it goes.
class ListedEditor : public FakeEditor {
public:
    ListedEditor(fw::Component* owner, std::string caption) : FakeEditor(owner, std::move(caption))
    {
        frmTWMain->AddWindowMenuItem(this);
    }
    ~ListedEditor() override
    {
        if (frmTWMain != nullptr) {
            frmTWMain->RemoveWindowMenuItem(this);
        }
    }
};

// The pattern browser as the main window sees it.
class FakeBrowser : public fw::Form, public ITWBrowserWindow {
public:
    explicit FakeBrowser(fw::Component* owner) : fw::Form(owner)
    {
        SetFormStyle(fw::FormStyle::MDIChild);
        SetBounds(40, 30, 300, 200);
        FinishLoading();
    }
    std::string BrowseFolder() const override { return folder; }
    void SetBrowseFolder(const std::string& text) override { folder = text; }
    std::string folder;
};

// A window that docks, as the notes window does.
class DockingWindow : public fw::Form {
public:
    DockingWindow()
    {
        SetDragKind(fw::DragKind::Dock);
        SetBounds(800, 100, 276, 480);
        FinishLoading();
    }
};

class MainWindowTest : public ShellTest {};

} // namespace

TEST_F(MainWindowTest, TheWindowIsAnMdiParentWithItsBarsAndPanels)
{
    TfrmTWMain& main = Main();
    EXPECT_EQ(main.Caption(), "Tavelin (1.17)");
    EXPECT_EQ(main.Width(), 720);
    EXPECT_EQ(main.Height(), 557);
    EXPECT_EQ(main.FormStyle(), fw::FormStyle::MDIForm);
    EXPECT_EQ(main.Menu(), main.mnuMain);
    EXPECT_EQ(frmTWMain, &main);

    EXPECT_EQ(main.ctrlTools->RowSize(), main.btnLoad->Height() + 4);
    EXPECT_EQ(main.ctrlTools->RowCount(), 3);
    EXPECT_EQ(main.ctrlTools->RowOf(main.pnlBtnsFile), 0);
    EXPECT_EQ(main.ctrlTools->RowOf(main.pnlBtnsDisplay), 0);
    EXPECT_EQ(main.ctrlTools->RowOf(main.pnlBtnsDisplayFlags), 1);
    EXPECT_EQ(main.ctrlTools->RowOf(main.pnlBtnsBlockPattern), 2);
    EXPECT_EQ(main.ctrlTools->Height(), 3 * main.ctrlTools->RowSize());
    for (fw::SpeedButton* button : main.ToolButtons()) {
        EXPECT_EQ(button->Width(), 23) << button->Name();
        ASSERT_LT(button->ImageIndex(), main.imgToolIcons->Count());
        EXPECT_GE(button->ImageIndex(), 0);
    }
    // The toggles are independent: each its own group, all may be up.
    EXPECT_EQ(main.ToolButton(TWAction::ShowGrid)->GroupIndex(), TWAction::ShowGrid);
    EXPECT_TRUE(main.ToolButton(TWAction::ShowGrid)->AllowAllUp());
    EXPECT_EQ(main.ToolButton(TWAction::ZoomIn)->GroupIndex(), 0);

    EXPECT_FALSE(main.pnlPatternInfo->Visible());
    EXPECT_FALSE(main.pnlBitmapClips->Visible());
    EXPECT_FALSE(main.spltRight->Visible());
    EXPECT_EQ(main.pnlDockRight->Width(), 3);
    EXPECT_TRUE(main.pnlDockRight->DockSite());
    EXPECT_EQ(main.edPatternName->Width(), 161);
    EXPECT_EQ(main.pnlPatternFileName->Width(), 480);
    EXPECT_EQ(main.lblPatternName->Caption(), "Name");
    EXPECT_EQ(main.lblPatternFile->Caption(), "File");
}

TEST_F(MainWindowTest, TheMenusCarryTheirCaptionsAndTags)
{
    TfrmTWMain& main = Main();
    std::vector<std::string> tops;
    for (int i = 0; i < main.mnuMain->Items()->Count(); ++i) {
        tops.push_back(main.mnuMain->Items()->Items(i)->Caption());
    }
    EXPECT_EQ(tops, (std::vector<std::string>{"&File", "&Create", "&Edit", "&View", "&Design", "&Windows", "&About"}));
    EXPECT_EQ(Item("mnuTileHorizontal").Caption(), "Tile  &Horizontal");
    EXPECT_EQ(Item("mnuCopyImagetoCliipboard").Caption(), "Copy Image to Cliipboard");
    EXPECT_EQ(Item("mnuCopyImagetoCliipboard").Tag(), TWAction::CopyImage);
    EXPECT_EQ(Item("mnyCutSelection").Tag(), TWAction::CutSelection);
    EXPECT_EQ(Item("mnuEditCardList").Tag(), TWAction::CardSetup);
    EXPECT_EQ(Item("mnuShowClipboard").Tag(), TWAction::ClipPanel);
    EXPECT_FALSE(Item("mnuDF6Hole").Visible());
    EXPECT_FALSE(Item("mnuDivBrowser").Visible());
    EXPECT_FALSE(Item("mnuShowBrowser").Visible());
    fw::MenuItem& threaded = Item("mnuCreateThreaded");
    ASSERT_EQ(threaded.Count(), 6);
    EXPECT_EQ(threaded.Items(0)->Caption(), "&3 Holes");
    EXPECT_EQ(threaded.Items(5)->Caption(), "&8 Holes");
    EXPECT_EQ(threaded.Items(1)->Name(), "mnuTheaded4Hole");
    // Every command of the menus has its tool button too.
    std::vector<std::string> withoutButton;
    main.mnuMain->Walk(
        [&](fw::MenuItem& item) {
            if (item.Tag() > 0 && main.ToolButton(static_cast<std::int32_t>(item.Tag())) == nullptr) {
                withoutButton.push_back(item.Name());
            }
        },
        [&](const fw::MenuItem& item) { return &item == main.mnuCreate || &item == main.mnuWindows; });
    EXPECT_EQ(withoutButton, std::vector<std::string>{});
}

TEST_F(MainWindowTest, TheWindowsMenuStaysInStepWithTheEditors)
{
    TfrmTWMain& main = ShownMain();
    auto* first = new ListedEditor(&main, "Diamonds");
    auto* second = new ListedEditor(&main, "Chevrons");
    first->Show();
    second->Show();
    fw::MenuItem* firstItem = main.WindowMenuItem(first);
    ASSERT_NE(firstItem, nullptr);
    EXPECT_EQ(firstItem->Caption(), "Diamonds");
    EXPECT_EQ(main.WindowMenuItem(second)->Caption(), "Chevrons");
    const int count = main.mnuWindows->Count();
    EXPECT_EQ(main.AddWindowMenuItem(first), firstItem) << "one item per window";
    EXPECT_EQ(main.mnuWindows->Count(), count);

    first->SetCaption("Diamonds 2");
    main.UpdateWindowMenuCaption(first);
    EXPECT_EQ(firstItem->Caption(), "Diamonds 2");
    // The items come after the fixed part of the menu.
    EXPECT_EQ(main.mnuWindows->IndexOf(firstItem), count - 2);
    EXPECT_TRUE(main.mnuWindows->Items(count - 3)->IsLine());

    delete second;
    EXPECT_EQ(main.mnuWindows->Count(), count - 1);
    for (int i = 0; i < main.mnuWindows->Count(); ++i) {
        EXPECT_NE(main.mnuWindows->Items(i)->Caption(), "Chevrons") << "the item went with its window";
    }
    main.RemoveWindowMenuItem(first);
    EXPECT_EQ(main.mnuWindows->Count(), count - 2);
    main.RemoveWindowMenuItem(first);
    EXPECT_EQ(main.mnuWindows->Count(), count - 2) << "nothing to remove twice";
    EXPECT_EQ(main.WindowMenuItem(first), nullptr);
    delete first;
    EXPECT_EQ(main.mnuWindows->Count(), count - 2);
}

TEST_F(MainWindowTest, AWindowsMenuItemBringsItsWindowBackInTheActiveChildsState)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& minimised = OpenEditor("Small");
    fw::MenuItem* item = main.AddWindowMenuItem(&minimised);
    minimised.SetWindowState(fw::WindowState::Minimized);
    FakeEditor& other = OpenEditor("Big");
    other.SetWindowState(fw::WindowState::Maximized);
    ASSERT_EQ(main.ActiveMDIChild(), &other);

    item->Click();
    EXPECT_EQ(main.ActiveMDIChild(), &minimised);
    EXPECT_EQ(minimised.WindowState(), fw::WindowState::Maximized) << "as the active child was";

    // Minimised again with no other child showing normal: it comes back normal.
    delete &other;
    minimised.SetWindowState(fw::WindowState::Minimized);
    auto* normal = new FakeEditor(&main, "Normal");
    normal->Show();
    item->Click();
    EXPECT_EQ(minimised.WindowState(), fw::WindowState::Normal);
    EXPECT_EQ(main.ActiveMDIChild(), &minimised);
}

TEST_F(MainWindowTest, AnItemWhoseWindowWentWithoutTakingItAwayDoesNothing)
{
    TfrmTWMain& main = ShownMain();
    auto* editor = new FakeEditor(&main, "Gone");
    editor->Show();
    fw::MenuItem* item = main.AddWindowMenuItem(editor);
    FakeEditor& remaining = OpenEditor("Here");
    delete editor;
    item->Click();
    EXPECT_EQ(main.ActiveMDIChild(), &remaining);
}

TEST_F(MainWindowTest, TilingPutsTheEditorsSideBySideOrStacked)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& first = OpenEditor("One");
    FakeEditor& second = OpenEditor("Two");

    Item("mnuTileVertical").Click();
    EXPECT_EQ(main.TileMode(), fw::TileMode::Vertical);
    EXPECT_EQ(first.Top(), second.Top());
    EXPECT_NE(first.Left(), second.Left());
    EXPECT_LE(std::abs(first.Width() - second.Width()), 1) << "equal columns";
    EXPECT_EQ(first.Width() + second.Width(), main.ClientArea()->Width());

    Item("mnuTileHorizontal").Click();
    EXPECT_EQ(main.TileMode(), fw::TileMode::Horizontal);
    EXPECT_EQ(first.Left(), second.Left());
    EXPECT_NE(first.Top(), second.Top());
    EXPECT_EQ(first.Width(), main.ClientArea()->Width());

    Item("mnuCascade").Click();
    EXPECT_EQ(first.Width(), second.Width());
    EXPECT_EQ(std::abs(first.Left() - second.Left()), fw::MdiClient::CascadeStep);
    EXPECT_EQ(std::abs(first.Top() - second.Top()), fw::MdiClient::CascadeStep);
}

TEST_F(MainWindowTest, TheInformationPanelShowsForTheSevenPatternKindsOnly)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& editor = OpenEditor("Diamonds");
    editor.patternName = "Diamonds";
    editor.fileName = "/bands/diamonds.tvl";
    main.AddWindowMenuItem(&editor);

    for (const int kind : {0, PatternTypeTwistPatterned + 1, PatternTypeNone}) {
        main.pnlPatternInfo->Show();
        main.Perform(WM_TW_EDITORNAMECHANGED, kind);
        EXPECT_FALSE(main.pnlPatternInfo->Visible()) << kind;
    }
    for (const int kind : {PatternTypeFont, PatternTypeTwistPatterned}) {
        main.Perform(WM_TW_EDITORNAMECHANGED, kind);
        EXPECT_TRUE(main.pnlPatternInfo->Visible()) << kind;
    }
    EXPECT_EQ(main.edPatternName->Text(), "Diamonds");
    EXPECT_EQ(main.pnlPatternFileName->Caption(), "/bands/diamonds.tvl");
    EXPECT_TRUE(main.edPatternName->Enabled());
    EXPECT_TRUE(main.lblPatternName->Enabled());

    // The Windows menu follows a new caption with the next name message.
    editor.SetCaption("Diamonds (wide)");
    main.Perform(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
    EXPECT_EQ(main.WindowMenuItem(&editor)->Caption(), "Diamonds (wide)");
}

TEST_F(MainWindowTest, TheLetteredBandsNameIsNotEditedInTheMainWindow)
{
    TfrmTWMain& main = ShownMain();
    auto& band = OpenEditor<FakeLetteredBand>("Letters");
    band.patternName = "Hello";
    main.Perform(WM_TW_EDITORACTIVATED, PatternTypeLetteredBand);
    EXPECT_TRUE(main.pnlPatternInfo->Visible());
    EXPECT_EQ(main.edPatternName->Text(), "Hello");
    EXPECT_FALSE(main.edPatternName->Enabled());
    EXPECT_FALSE(main.lblPatternName->Enabled());
}

TEST_F(MainWindowTest, WithAChildThatIsNoEditorTheInformationIsClearedAndDisabled)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& editor = OpenEditor("Diamonds");
    editor.patternName = "Diamonds";
    main.Perform(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
    ASSERT_EQ(main.edPatternName->Text(), "Diamonds");

    auto* browser = new FakeBrowser(&main);
    browser->Show();
    main.Perform(WM_TW_EDITORNAMECHANGED, PatternTypeDoubleFace);
    EXPECT_TRUE(main.pnlPatternInfo->Visible());
    EXPECT_EQ(main.edPatternName->Text(), "");
    EXPECT_EQ(main.pnlPatternFileName->Caption(), "");
    EXPECT_FALSE(main.edPatternName->Enabled());
    EXPECT_FALSE(main.lblPatternName->Enabled());
}

TEST_F(MainWindowTest, ActivatingAThreadedOrTwillEditorHidesTheClipPanel)
{
    TfrmTWMain& main = ShownMain();
    OpenEditor();
    for (const int kind : {PatternTypeThreaded, PatternTypeBrokenTwill}) {
        main.SetClipPanelVisible(true);
        main.Perform(WM_TW_EDITORACTIVATED, kind);
        EXPECT_FALSE(main.pnlBitmapClips->Visible()) << kind;
        EXPECT_FALSE(main.ToolButton(TWAction::ClipPanel)->Down()) << kind;
        EXPECT_TRUE(main.pnlPatternInfo->Visible()) << "and the name message runs too";
    }
    main.SetClipPanelVisible(true);
    main.Perform(WM_TW_EDITORACTIVATED, PatternTypeDoubleFace);
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
    main.Perform(WM_TW_EDITORACTIVATED, 0);
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
    EXPECT_FALSE(main.pnlPatternInfo->Visible());
}

TEST_F(MainWindowTest, AnEditorGoingClearsTheNameAndFile)
{
    TfrmTWMain& main = ShownMain();
    auto* editor = new FakeEditor(&main, "Diamonds");
    editor->patternName = "Diamonds";
    editor->fileName = "/bands/d.tvl";
    editor->Show();
    main.Perform(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
    ASSERT_TRUE(main.edPatternName->Enabled());

    delete editor;
    EXPECT_EQ(main.edPatternName->Text(), "");
    EXPECT_EQ(main.pnlPatternFileName->Caption(), "");
    EXPECT_FALSE(main.edPatternName->Enabled());
    EXPECT_FALSE(main.lblPatternName->Enabled());
    EXPECT_EQ(main.Perform(WM_TW_EDITORDESTROYED, 0), 1);
}

TEST_F(MainWindowTest, EveryKeyReleasedInTheNameBoxRenamesThePattern)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& editor = OpenEditor();
    main.Perform(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
    int key = 'Z';
    main.edPatternName->SetText("Z");
    main.edPatternName->KeyUp(key, {});
    main.edPatternName->SetText("Zi");
    main.edPatternName->KeyUp(key, {});
    EXPECT_EQ(editor.namesSet, (std::vector<std::string>{"Z", "Zi"}));
}

TEST_F(MainWindowTest, TheClipPanelAndItsToolMoveTogether)
{
    TfrmTWMain& main = Main();
    main.SetClipPanelVisible(true);
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
    EXPECT_TRUE(main.ToolButton(TWAction::ClipPanel)->Enabled());
    EXPECT_TRUE(main.ToolButton(TWAction::ClipPanel)->Down());
    EXPECT_TRUE(Item("mnuShowClipboard").Checked());

    // No change, nothing done: the tool keeps what was set since.
    main.SetToolState(TWAction::ClipPanel, false, true);
    main.SetClipPanelVisible(true);
    EXPECT_FALSE(main.ToolButton(TWAction::ClipPanel)->Enabled());

    main.ToggleClipPanel();
    EXPECT_FALSE(main.pnlBitmapClips->Visible());
    EXPECT_TRUE(main.ToolButton(TWAction::ClipPanel)->Enabled());
    EXPECT_FALSE(main.ToolButton(TWAction::ClipPanel)->Down());
    EXPECT_FALSE(Item("mnuShowClipboard").Checked());
    main.ToggleClipPanel();
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
}

TEST_F(MainWindowTest, TheRightDockTakesOnlyTheNotesWindow)
{
    TfrmTWMain& main = ShownMain();
    DockingWindow notes;
    DockingWindow stranger;
    main.SetNotesWindow(&notes);

    fw::DragDockObject notesDrag(notes);
    fw::DragDockObject strangerDrag(stranger);
    bool accept = true;
    main.pnlDockRight->DockOver(&strangerDrag, 1, 1, fw::DragState::Move, accept);
    EXPECT_FALSE(accept);
    accept = false;
    main.pnlDockRight->DockOver(&notesDrag, 1, 1, fw::DragState::Move, accept);
    EXPECT_TRUE(accept);
    // The tool bar takes anything else, never the notes.
    accept = true;
    main.ctrlTools->DockOver(&notesDrag, 1, 1, fw::DragState::Move, accept);
    EXPECT_FALSE(accept);
    accept = true;
    main.ctrlTools->DockOver(&strangerDrag, 1, 1, fw::DragState::Move, accept);
    EXPECT_TRUE(accept);

    ASSERT_TRUE(notes.ManualDock(main.pnlDockRight));
    EXPECT_EQ(main.pnlDockRight->Width(), 150);
    EXPECT_TRUE(main.spltRight->Visible());
    EXPECT_EQ(notes.HostDockSite(), main.pnlDockRight);
    EXPECT_EQ(main.spltRight->ResizedControl(), main.pnlDockRight);

    ASSERT_TRUE(notes.ManualFloat(fw::Rect{800, 100, 1076, 580}));
    EXPECT_EQ(main.pnlDockRight->Width(), 3);
    EXPECT_FALSE(main.spltRight->Visible());
}

TEST_F(MainWindowTest, CommandsOfWindowsThatDoNotExistYetSaySo)
{
    TfrmTWMain& main = ShownMain();
    Item("mnuCreateBrocade").Click();
    Item("mnuSettings").Click();
    Item("mnuThreaded5Hole").Click();
    Item("mnuRevisions").Click();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                              "The brocade editor is not available yet.",
                              "The settings dialog is not available yet.",
                              "The threaded-in pattern editor is not available yet.",
                              "The revision notes is not available yet.",
                          }));
    EXPECT_EQ(boxes.front().Caption, "Information");

    // Once a module registers its window, the command opens it.
    std::vector<int> opened;
    RegisterWindowOpener(TTWWindowKind::ThreadedEditor, [&](TfrmTWMain& owner, int holes) {
        EXPECT_EQ(&owner, &main);
        opened.push_back(holes);
    });
    RegisterWindowOpener(TTWWindowKind::JoinEndToEnd,
                         [&](TfrmTWMain&, int parameter) { opened.push_back(-parameter - 1); });
    Item("mnuThreaded5Hole").Click();
    Item("mnuThreaded8Hole").Click();
    Item("mnuJoinEndtoEnd").Click();
    EXPECT_EQ(opened, (std::vector<int>{5, 8, -1}));
    EXPECT_EQ(boxes.size(), 4u);

    // Taken away again, the command says so once more.
    RegisterWindowOpener(TTWWindowKind::ThreadedEditor, {});
    EXPECT_FALSE(WindowOpenerRegistered(TTWWindowKind::ThreadedEditor));
    Item("mnuThreaded3Hole").Click();
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_EQ(BoxTexts().back(), NotAvailableText(TTWWindowKind::ThreadedEditor));
}

TEST_F(MainWindowTest, TheBrowserIsMadeOnceAndAgainAfterItWent)
{
    TfrmTWMain& main = ShownMain();
    Item("mnuBrowse").Click();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"The pattern browser is not available yet."}));

    UserSettings().Directories.LastBrowse = "/home/ann/bands/";
    int made = 0;
    ShellFactories().CreateBrowser = [&](TfrmTWMain& owner) -> fw::Form* {
        ++made;
        return new FakeBrowser(&owner);
    };
    Item("mnuBrowse").Click();
    auto* browser = dynamic_cast<FakeBrowser*>(main.BrowserWindow());
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->Left(), 0);
    EXPECT_EQ(browser->Top(), 0);
    EXPECT_EQ(browser->folder, "/home/ann/bands/");
    EXPECT_TRUE(browser->Visible());

    browser->Hide();
    browser->folder = "/elsewhere/";
    Item("mnuShowBrowser").Click();
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(browser->Visible());
    EXPECT_EQ(browser->folder, "/elsewhere/") << "an open browser keeps its folder";

    delete browser;
    EXPECT_EQ(main.BrowserWindow(), nullptr);
    Item("mnuBrowse").Click();
    EXPECT_EQ(made, 2);
    EXPECT_NE(main.BrowserWindow(), nullptr);
}

TEST_F(MainWindowTest, TheLoadCommandRunsTheDataModulesDialogAndLoadsTheChoice)
{
    TfrmTWMain& main = ShownMain();
    Item("mnuLoad").Click();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Opening pattern and font files is not available yet."}));

    auto* data = new FakeDataModule(&main);
    main.SetDataModule(data);
    std::vector<std::string> loaded;
    ShellFactories().LoadFile = [&](TfrmTWMain&, const std::string& name) { loaded.push_back(name); };
    Item("mnuLoad").Click();
    EXPECT_EQ(data->openAnyRuns, 1);
    EXPECT_TRUE(loaded.empty()) << "cancelled";

    data->chosen = "/bands/zigzag.tvl";
    fw::TestDriver driver(main);
    driver.ClickOn(*main.btnLoad);
    EXPECT_EQ(data->openAnyRuns, 2);
    EXPECT_EQ(loaded, (std::vector<std::string>{"/bands/zigzag.tvl"}));

    delete data;
    EXPECT_EQ(main.DataModule(), nullptr) << "a data module that goes is forgotten";
}

TEST_F(MainWindowTest, ExitAsksBeforeClosing)
{
    TfrmTWMain& main = ShownMain();
    answers = {fw::mrNo};
    Item("mnuFile_Exit").Click();
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"Close the application?"}));
    EXPECT_EQ(boxes.front().Caption, "Confirm");
    EXPECT_TRUE(boxes.front().Buttons.Contains(fw::MsgDlgBtn::Yes));
    EXPECT_TRUE(boxes.front().Buttons.Contains(fw::MsgDlgBtn::No));
    EXPECT_TRUE(main.Visible());
}
