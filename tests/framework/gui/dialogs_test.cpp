#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/qt_clipboard.h"

using fw::MsgDlgBtn;
using fw::MsgDlgButtons;

TEST(Dialogs, MessageBoxesAskWhatTheyShouldAndAnswerTheButtonPressed)
{
    std::vector<fw::MessageBoxRequest> asked;
    fw::ModalResult answer = fw::mrYes;
    const fw::ScopedHandler script(&fw::SetMessageBoxHandler, [&](const fw::MessageBoxRequest& request) {
        asked.push_back(request);
        return answer;
    });

    EXPECT_EQ(fw::MessageDlg("Save changes to Band1?", fw::MsgDlgType::Confirmation, {MsgDlgBtn::Yes, MsgDlgBtn::No}),
              fw::mrYes);
    answer = fw::mrCancel;
    EXPECT_EQ(fw::MessageBox("Overwrite?", "Save", fw::MessageBoxButtons::YesNoCancel, fw::MessageBoxIcon::Warning),
              fw::mrCancel);
    answer = fw::mrOk;
    EXPECT_EQ(fw::MessageDlg("Disk full", fw::MsgDlgType::Error, {MsgDlgBtn::OK}), fw::mrOk);

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].Text, "Save changes to Band1?");
    EXPECT_EQ(asked[0].Caption, "Confirm");
    EXPECT_EQ(asked[0].Icon, fw::MessageBoxIcon::Question);
    EXPECT_EQ(asked[0].Buttons, (MsgDlgButtons{MsgDlgBtn::Yes, MsgDlgBtn::No}));
    EXPECT_EQ(asked[0].DefaultButton, MsgDlgBtn::Yes);
    EXPECT_EQ(asked[0].CancelButton, MsgDlgBtn::No);

    EXPECT_EQ(asked[1].Caption, "Save");
    EXPECT_EQ(asked[1].Icon, fw::MessageBoxIcon::Warning);
    EXPECT_EQ(asked[1].Buttons, (MsgDlgButtons{MsgDlgBtn::Yes, MsgDlgBtn::No, MsgDlgBtn::Cancel}));
    EXPECT_EQ(asked[1].DefaultButton, MsgDlgBtn::Yes);
    EXPECT_EQ(asked[1].CancelButton, MsgDlgBtn::Cancel);

    EXPECT_EQ(asked[2].Caption, "Error");
    EXPECT_EQ(asked[2].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(asked[2].DefaultButton, MsgDlgBtn::OK);
    EXPECT_EQ(asked[2].CancelButton, MsgDlgBtn::OK);
}

TEST(Dialogs, UnscriptedBoxesAnswerAsIfClosedAndCaptionsDefaultToTheTitle)
{
    // No handler: the box's Esc answer.
    const fw::ScopedHandler none(&fw::SetMessageBoxHandler, fw::MessageBoxHandler{});
    EXPECT_EQ(fw::MessageBox("Go on?", "Q", fw::MessageBoxButtons::YesNo), fw::mrNo);
    EXPECT_EQ(fw::MessageBox("Go on?", "Q", fw::MessageBoxButtons::OKCancel), fw::mrCancel);
    EXPECT_EQ(fw::MessageBox("Done", "Q"), fw::mrOk);

    const std::string title = fw::App().Title();
    fw::App().SetTitle("Tavelin");
    std::vector<std::string> captions;
    {
        const fw::ScopedHandler script(&fw::SetMessageBoxHandler, [&](const fw::MessageBoxRequest& request) {
            captions.push_back(request.Caption);
            return fw::mrOk;
        });
        fw::MessageBox("x", "");
        fw::ShowMessage("y");
        fw::MessageDlg("z", fw::MsgDlgType::Custom, {});
    }
    fw::App().SetTitle(title);
    EXPECT_EQ(captions, (std::vector<std::string>{"Tavelin", "Tavelin", "Tavelin"}));
}

TEST(Dialogs, InputQueryChangesTheValueOnlyOnOk)
{
    std::vector<fw::InputQueryRequest> asked;
    bool ok = true;
    const fw::ScopedHandler script(&fw::SetInputQueryHandler,
                                   [&](const fw::InputQueryRequest& request, std::string& value) {
                                       asked.push_back(request);
                                       value = "Chevrons";
                                       return ok;
                                   });
    std::string name = "Band1";
    EXPECT_TRUE(fw::InputQuery("Rename", "New name:", name));
    EXPECT_EQ(name, "Chevrons");
    ok = false;
    name = "Band1";
    EXPECT_FALSE(fw::InputQuery("Rename", "New name:", name));
    EXPECT_EQ(name, "Band1");
    EXPECT_EQ(fw::InputBox("Rename", "New name:", "Band2"), "Band2");

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].Caption, "Rename");
    EXPECT_EQ(asked[0].Prompt, "New name:");
    EXPECT_EQ(asked[0].Value, "Band1");
    EXPECT_EQ(asked[2].Value, "Band2");
}

TEST(FileDialogs, FiltersAndDefaultExtensions)
{
    EXPECT_TRUE(fw::ParseFileFilter("").empty());
    const std::vector<fw::FileFilter> parsed =
        fw::ParseFileFilter("Patterns (*.tvl)|*.tvl|Pictures| *.bmp ; *.jpg|All files (*.*)|*.*|Dangling");
    const std::vector<fw::FileFilter> expected{
        {"Patterns (*.tvl)", {"*.tvl"}}, {"Pictures", {"*.bmp", "*.jpg"}}, {"All files (*.*)", {"*.*"}}};
    EXPECT_EQ(parsed, expected);

    fw::SaveDialog dialog;
    dialog.SetFilter("Patterns (*.tvl)|*.tvl|Pictures|*.bmp;*.jpg|All files|*.*");
    dialog.SetDefaultExt(".tvf");
    EXPECT_EQ(dialog.DefaultExt(), "tvf");
    dialog.SetFilterIndex(1);
    EXPECT_EQ(dialog.WithDefaultExtension("/home/ann/Band"), "/home/ann/Band.tvl");
    EXPECT_EQ(dialog.WithDefaultExtension("/home/ann/Band.txt"), "/home/ann/Band.txt");
    EXPECT_EQ(dialog.WithDefaultExtension("/home/ann.d/Band"), "/home/ann.d/Band.tvl");
    dialog.SetFilterIndex(0); // counts as the first
    EXPECT_EQ(dialog.WithDefaultExtension("Band"), "Band.tvl");
    // Several patterns, or a wildcard one, leave the choice to DefaultExt.
    dialog.SetFilterIndex(2);
    EXPECT_EQ(dialog.WithDefaultExtension("Band"), "Band.tvf");
    dialog.SetFilterIndex(3);
    EXPECT_EQ(dialog.WithDefaultExtension("Band"), "Band.tvf");
    dialog.SetDefaultExt("");
    EXPECT_EQ(dialog.WithDefaultExtension("Band"), "Band");

    dialog.SetFileName("*.tvl");
    EXPECT_TRUE(dialog.FileNameIsMask());
    dialog.SetFileName("Band.tvl");
    EXPECT_FALSE(dialog.FileNameIsMask());
}

TEST(FileDialogs, AScriptedDialogSeesTheRequestAndHandsBackTheChoice)
{
    fw::SaveDialog dialog;
    dialog.SetTitle("Save Pattern As");
    dialog.SetFilter("Patterns|*.tvl|Fonts|*.tvf");
    dialog.SetFilterIndex(1);
    dialog.SetInitialDir("/home/ann/");
    dialog.SetFileName("Band1.tvl");
    dialog.SetOptions({fw::FileDialogOption::OverwritePrompt, fw::FileDialogOption::HideReadOnly});

    // Without a handler nothing is chosen and nothing changes.
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "Band1.tvl");

    int runs = 0;
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, [&](fw::FileDialog& asked) {
        ++runs;
        EXPECT_EQ(asked.Kind(), fw::FileDialogKind::Save);
        EXPECT_EQ(asked.Title(), "Save Pattern As");
        EXPECT_EQ(asked.InitialDir(), "/home/ann/");
        EXPECT_EQ(asked.FileName(), "Band1.tvl");
        EXPECT_TRUE(asked.Options().Contains(fw::FileDialogOption::OverwritePrompt));
        asked.SetFilterIndex(2);
        asked.SetFileName(asked.WithDefaultExtension("/home/ann/Letters"));
        return true;
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_EQ(dialog.FileName(), "/home/ann/Letters.tvf");
    EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"/home/ann/Letters.tvf"}));

    // Picture dialogs come with the picture filter and say what they are.
    fw::OpenPictureDialog picture;
    EXPECT_EQ(picture.Filter(), fw::PictureFileFilter);
    const fw::ScopedHandler pictures(&fw::FileDialog::SetHandler, [](fw::FileDialog& asked) {
        EXPECT_EQ(asked.Kind(), fw::FileDialogKind::OpenPicture);
        asked.SetFiles({"/p/a.bmp", "/p/b.bmp"});
        return true;
    });
    ASSERT_TRUE(picture.Execute());
    EXPECT_EQ(picture.FileName(), "/p/a.bmp");
}

TEST(Dialogs, ColourFontFolderAndPrinterDialogsGoThroughTheirHandlers)
{
    fw::ColorDialog colour;
    colour.SetColor(fw::clBtnFace);
    EXPECT_FALSE(colour.Execute()); // unscripted: cancelled
    {
        const fw::ScopedHandler script(&fw::ColorDialog::SetHandler, [](fw::ColorDialog& asked) {
            EXPECT_EQ(asked.Color(), fw::clBtnFace);
            asked.SetColor(0x123456);
            return true;
        });
        ASSERT_TRUE(colour.Execute());
    }
    EXPECT_EQ(colour.Color(), 0x123456u);

    fw::FontDialog font;
    fw::Font bold;
    bold.Style.Bold = true;
    font.SetFont(bold);
    {
        const fw::ScopedHandler script(&fw::FontDialog::SetHandler, [](fw::FontDialog& asked) {
            EXPECT_TRUE(asked.Font().Style.Bold);
            fw::Font chosen = asked.Font();
            chosen.Name = "Times New Roman";
            chosen.SetSize(12);
            asked.SetFont(chosen);
            return true;
        });
        ASSERT_TRUE(font.Execute());
    }
    EXPECT_EQ(font.Font().Name, "Times New Roman");
    EXPECT_EQ(font.Font().Size(), 12);

    std::string folder = "/home/ann";
    bool accept = false;
    const fw::ScopedHandler script(&fw::FolderDialog::SetHandler, [&](fw::FolderDialog& asked) {
        EXPECT_EQ(asked.Title(), "Pattern folder");
        EXPECT_EQ(asked.Root(), "/home");
        EXPECT_EQ(asked.Folder(), "/home/ann");
        asked.SetFolder("/home/ann/Bands");
        return accept;
    });
    EXPECT_FALSE(fw::SelectDirectory("Pattern folder", "/home", folder));
    EXPECT_EQ(folder, "/home/ann");
    accept = true;
    EXPECT_TRUE(fw::SelectDirectory("Pattern folder", "/home", folder));
    EXPECT_EQ(folder, "/home/ann/Bands");

    fw::PrinterSetupDialog printer;
    EXPECT_FALSE(printer.Execute());
}

TEST(Dialogs, AScopedHandlerPutsThePreviousOneBack)
{
    const fw::ScopedHandler outer(&fw::SetMessageBoxHandler, [](const fw::MessageBoxRequest&) { return fw::mrYes; });
    {
        const fw::ScopedHandler inner(&fw::SetMessageBoxHandler,
                                      [](const fw::MessageBoxRequest&) { return fw::mrNo; });
        EXPECT_EQ(fw::MessageBox("?", "?", fw::MessageBoxButtons::YesNo), fw::mrNo);
    }
    EXPECT_EQ(fw::MessageBox("?", "?", fw::MessageBoxButtons::YesNo), fw::mrYes);
}

namespace {

fw::Bitmap Checkered(int width, int height)
{
    fw::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, (x + y) % 2 == 0 ? 0x2040C0 : 0xF0E0D0);
        }
    }
    return bitmap;
}

// Text and a picture through one clipboard; each Set replaces what was there.
void CheckRoundTrip(fw::Clipboard& clipboard)
{
    clipboard.SetAsText("Row 1\tA\r\nRow 2\tB – ä");
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_FALSE(clipboard.HasBitmap());
    EXPECT_EQ(clipboard.AsText(), "Row 1\tA\r\nRow 2\tB – ä");

    const fw::Bitmap picture = Checkered(7, 5);
    clipboard.SetBitmap(picture);
    EXPECT_TRUE(clipboard.HasBitmap());
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_TRUE(clipboard.GetBitmap().SamePixels(picture));

    clipboard.Clear();
    EXPECT_FALSE(clipboard.HasBitmap());
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.AsText(), "");
    EXPECT_TRUE(clipboard.GetBitmap().Empty());
}

} // namespace

TEST(Clipboard, InMemoryRoundTrip)
{
    fw::MemoryClipboard clipboard;
    CheckRoundTrip(clipboard);

    // The one in use can be replaced and put back.
    auto mine = std::make_unique<fw::MemoryClipboard>();
    fw::MemoryClipboard* installed = mine.get();
    std::unique_ptr<fw::Clipboard> previous = fw::SetClipboard(std::move(mine));
    fw::GetClipboard().SetAsText("copied");
    EXPECT_EQ(installed->AsText(), "copied");
    fw::SetClipboard(std::move(previous));
    EXPECT_NE(&fw::GetClipboard(), installed);
}

TEST(Clipboard, QtRoundTrip)
{
    const std::unique_ptr<fw::Clipboard> clipboard = fw::CreateQtClipboard();
    CheckRoundTrip(*clipboard);
}
