#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "controls/image_list.h"
#include "controls/image_list_editor.h"
#include "controls/scroll_box.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_button.h"
#include "support/scratch_folder.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/test_driver.h"

namespace {

using Script = std::function<void(TfrmILImageListEditor& editor, fw::TestDriver& driver)>;

fw::Bitmap Filled(int width, int height, fw::Color colour)
{
    fw::Bitmap picture(width, height);
    picture.FillRect(picture.Bounds(), colour);
    return picture;
}

class ImageListEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend_);
        folder_ = UniqueScratchFolder("image_list_editor");
        std::filesystem::create_directories(folder_);
        previousRunner_ = fw::Form::SetModalRunner([this](fw::Form& form) {
            if (auto* editor = dynamic_cast<TfrmILImageListEditor*>(&form)) {
                fw::TestDriver driver(*editor);
                script_(*editor, driver);
                editor->btnAccept->Click();
            } else if (auto* naming = dynamic_cast<TfrmILImageListEditName*>(&form)) {
                namesAsked.push_back(naming->Caption() + ": " + naming->edName->Text());
                if (newName) {
                    naming->edName->SetText(*newName);
                    naming->btnAccept->Click();
                } else {
                    naming->btnCancel->Click();
                }
            }
        });
        previousFiles_ = fw::FileDialog::SetHandler([this](fw::FileDialog& dialog) {
            dialogs.push_back(&dialog);
            if (chosenFile.empty()) {
                return false;
            }
            dialog.SetFileName(chosenFile.string());
            return true;
        });
    }
    void TearDown() override
    {
        fw::FileDialog::SetHandler(std::move(previousFiles_));
        fw::Form::SetModalRunner(std::move(previousRunner_));
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Opens the editor on the list through TILImageList::Edit and plays the script in it.
    void Edit(const Script& script)
    {
        script_ = script;
        EXPECT_TRUE(list.Edit());
    }

    void AddBitmaps(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto bitmap = std::make_unique<TILImageLibraryBitmap>("Image " + std::to_string(i));
            bitmap->Assign(Filled(20 + i, 10, static_cast<fw::Color>(0x10 * i)));
            list.Add(std::move(bitmap));
        }
    }

    std::filesystem::path WriteBmp(const std::string& name, const fw::Bitmap& picture)
    {
        const std::filesystem::path path = folder_ / name;
        fw::SaveBmpToFile(picture, path.string());
        return path;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i) {
            names.push_back(list.Items(i)->Name());
        }
        return names;
    }

    static fw::Point Place(const TILImageListThumbnail* thumbnail)
    {
        return fw::Point{thumbnail->Left(), thumbnail->Top()};
    }

    TILImageList list;
    std::vector<std::string> namesAsked;
    std::optional<std::string> newName;
    std::filesystem::path chosenFile;
    std::vector<fw::FileDialog*> dialogs;

private:
    fw::FakePaintBackend backend_;
    std::filesystem::path folder_;
    Script script_;
    fw::ModalRunner previousRunner_;
    fw::FileDialog::Handler previousFiles_;
};

} // namespace

TEST_F(ImageListEditorTest, TwelveThumbnailsLieSevenToARowIn441Pixels)
{
    AddBitmaps(12);
    Edit([&](TfrmILImageListEditor& editor, fw::TestDriver&) {
        EXPECT_EQ(editor.Caption(), "Image List Editor");
        EXPECT_EQ(editor.btnAdd->Caption(), "Add");
        EXPECT_EQ(editor.btnAccept->Caption(), "Close");
        EXPECT_EQ(editor.scrThumbnails->BackgroundPanel().ClientWidth(), 441);
        const std::vector<TILImageListThumbnail*>& thumbnails = editor.Thumbnails();
        ASSERT_EQ(thumbnails.size(), 12u);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(Place(thumbnails[static_cast<std::size_t>(i)]), (fw::Point{10 + 60 * i, 10})) << i;
        }
        for (int i = 7; i < 12; ++i) {
            EXPECT_EQ(Place(thumbnails[static_cast<std::size_t>(i)]), (fw::Point{10 + 60 * (i - 7), 70})) << i;
        }
        for (std::size_t i = 0; i < thumbnails.size(); ++i) {
            EXPECT_EQ(thumbnails[i]->Tag(), static_cast<std::intptr_t>(i));
            EXPECT_EQ(thumbnails[i]->Width(), 50);
            EXPECT_EQ(thumbnails[i]->Hint(), "Image " + std::to_string(i));
            EXPECT_TRUE(thumbnails[i]->ShowHint());
            EXPECT_EQ(thumbnails[i]->PopupMenu(), editor.mnuImages);
        }
        // The picture is stretched over the whole thumbnail.
        EXPECT_EQ(thumbnails[3]->Picture().Pixel(49, 49), 0x30u);
    });
}

TEST_F(ImageListEditorTest, F2RenamesTheThumbnailClickedLastAndAnEmptyNameIsAccepted)
{
    AddBitmaps(3);
    Edit([&](TfrmILImageListEditor& editor, fw::TestDriver& driver) {
        EXPECT_EQ(editor.mnuEditName->Caption(), "Edit Name");
        EXPECT_EQ(editor.mnuChangeImage->Caption(), "Change Image");
        EXPECT_EQ(editor.mnuDelete->Caption(), "Delete Image");
        driver.PressKey(fw::VK_F2);
        EXPECT_TRUE(namesAsked.empty()) << "no thumbnail chosen yet";

        driver.ClickOn(*editor.Thumbnails()[1]);
        EXPECT_EQ(editor.CurrentThumbnail(), editor.Thumbnails()[1]);
        newName = "Border";
        driver.PressKey(fw::VK_F2);
        EXPECT_EQ(editor.Thumbnails()[1]->Hint(), "Border");

        newName.reset();
        driver.PressKey(fw::VK_F2);
        EXPECT_EQ(editor.Thumbnails()[1]->Hint(), "Border") << "cancelled";

        newName = "";
        driver.ClickOn(*editor.Thumbnails()[2]);
        driver.PressKey(fw::VK_F2);
    });
    EXPECT_EQ(namesAsked, (std::vector<std::string>{"Change Name: Image 1", "Change Name: Border",
                                                    "Change Name: Image 2"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Image 0", "Border", ""}));
}

TEST_F(ImageListEditorTest, AddLoadsABitmapFileAsANewImage)
{
    AddBitmaps(1);
    Edit([&](TfrmILImageListEditor& editor, fw::TestDriver& driver) {
        driver.ClickOn(*editor.btnAdd);
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0]->Filter(), "Bitmaps (*.bmp)|*.bmp");
        EXPECT_EQ(dialogs[0]->DefaultExt(), "bmp");
        EXPECT_TRUE(dialogs[0]->Options().Contains(fw::FileDialogOption::FileMustExist));
        EXPECT_EQ(list.Count(), 1) << "cancelled";

        chosenFile = WriteBmp("stripes.bmp", Filled(8, 4, 0x0000FF));
        driver.ClickOn(*editor.btnAdd);
        ASSERT_EQ(editor.Thumbnails().size(), 2u);
        EXPECT_EQ(Place(editor.Thumbnails()[1]), (fw::Point{70, 10}));
        EXPECT_EQ(editor.Thumbnails()[1]->Hint(), "New Image");
        EXPECT_EQ(editor.Thumbnails()[1]->Picture().Pixel(25, 25), 0x0000FFu);
    });
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1)->Name(), "New Image");
    EXPECT_EQ(list.Items(1)->Width(), 8);
    EXPECT_EQ(list.Items(1)->Pixel(3, 2), 0x0000FFu);
}

TEST_F(ImageListEditorTest, DeletingLeavesAGapAndTheTagsFollowTheList)
{
    AddBitmaps(3);
    std::vector<std::string> clicked;
    const fw::PopupMenu::ScopedHandler popups([&](fw::PopupMenu& menu, fw::Point) {
        fw::MenuItem* choice = menu.Items()->Find(clicked.back());
        ASSERT_NE(choice, nullptr);
        choice->Click();
    });
    Edit([&](TfrmILImageListEditor& editor, fw::TestDriver& driver) {
        TILImageListThumbnail* first = editor.Thumbnails()[0];
        clicked.push_back("Delete Image");
        driver.Click(driver.CentreOf(*first), fw::MouseButton::Right);
        ASSERT_EQ(editor.Thumbnails().size(), 2u);
        EXPECT_EQ(list.Count(), 2);
        // The others stay where they were, with the tags of their bitmaps' new places.
        EXPECT_EQ(Place(editor.Thumbnails()[0]), (fw::Point{70, 10}));
        EXPECT_EQ(Place(editor.Thumbnails()[1]), (fw::Point{130, 10}));
        EXPECT_EQ(editor.Thumbnails()[0]->Tag(), 0);
        EXPECT_EQ(editor.Thumbnails()[1]->Tag(), 1);

        // A command on a later thumbnail reaches its own bitmap.
        newName = "Last";
        clicked.push_back("Edit Name");
        driver.Click(driver.CentreOf(*editor.Thumbnails()[1]), fw::MouseButton::Right);
        EXPECT_EQ(Names(), (std::vector<std::string>{"Image 1", "Last"}));

        chosenFile = WriteBmp("new.bmp", Filled(5, 5, 0x00FF00));
        clicked.push_back("Change Image");
        driver.Click(driver.CentreOf(*editor.Thumbnails()[0]), fw::MouseButton::Right);
        EXPECT_EQ(list.Items(0)->Pixel(2, 2), 0x00FF00u);
        EXPECT_EQ(list.Items(0)->Name(), "Image 1") << "the name stays";
        EXPECT_EQ(editor.Thumbnails()[0]->Picture().Pixel(40, 40), 0x00FF00u);

        // The gap at the start stays; a new thumbnail goes after the last one.
        driver.ClickOn(*editor.btnAdd);
        ASSERT_EQ(editor.Thumbnails().size(), 3u);
        EXPECT_EQ(Place(editor.Thumbnails()[2]), (fw::Point{190, 10}));
        EXPECT_EQ(editor.Thumbnails()[2]->Tag(), 2);
    });
    EXPECT_EQ(Names(), (std::vector<std::string>{"Image 1", "Last", "New Image"}));
}
