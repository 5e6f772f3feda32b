#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>

#include "controls/control_library.h"
#include "controls/image_library.h"
#include "controls/image_reference.h"
#include "framework/core/exceptions.h"
#include "framework/core/named_images.h"
#include "framework/core/stream.h"

namespace {

class ImageLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { InitControlLibrary(); }
    void TearDown() override { ShutdownControlLibrary(); }
};

// A picture component as an image control on a form would be.
class PictureComponent : public fw::Component, public TILPictureHolder {
public:
    fw::Bitmap* PictureBitmap() override { return &picture; }
    fw::Bitmap picture{3, 2};
};

std::unique_ptr<TILImageLibraryBitmap> NamedBitmap(const std::string& name, int width, std::uint32_t colour)
{
    auto bitmap = std::make_unique<TILImageLibraryBitmap>(name);
    bitmap->SetSize(width, 1);
    bitmap->FillRect(bitmap->Bounds(), colour);
    return bitmap;
}

TEST_F(ImageLibraryTest, ReferencesWithTheSameNameShareOneLoadedBitmap)
{
    const std::string name = "ILSCRBAR_IMG_L_ACTIVE";
    TILImageReference first;
    TILImageReference second;
    int changes = 0;
    second.SetOnChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, &second);
        ++changes;
    });
    first.SetImageName(name);
    second.SetImageName(name);

    ASSERT_NE(first.GetImage(), nullptr);
    EXPECT_EQ(first.GetImage(), second.GetImage());
    EXPECT_EQ(ImageLibrary()->Count(), 1);
    // Clear fires once, the resolve once more.
    EXPECT_EQ(changes, 2);

    const fw::Bitmap* original = fw::FindNamedImage(name);
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(first.GetImage()->SamePixels(*original));
    EXPECT_TRUE(first.GetImage()->Transparent());
    EXPECT_EQ(ImageLibrary()->Items(0)->Name(), name);
}

TEST_F(ImageLibraryTest, AMissingNameResolvesToNothingAndIsTriedAgainLater)
{
    TILImageReference reference;
    EXPECT_NO_THROW(reference.SetImageName("ILSCRBAR_IMG_L_DOWN"));
    EXPECT_EQ(reference.GetImage(), nullptr);
    EXPECT_EQ(ImageLibrary()->Count(), 0);

    // Nothing was remembered about the failure: a supplier that appears later is asked.
    int asked = 0;
    ImageLibrary()->SetOnLoadImage([&](fw::Object* sender, const std::string& name) -> std::optional<fw::Bitmap> {
        EXPECT_EQ(sender, ImageLibrary());
        ++asked;
        if (name != "ILSCRBAR_IMG_L_DOWN") {
            return std::nullopt;
        }
        return fw::Bitmap(4, 4);
    });
    ASSERT_NE(reference.GetImage(), nullptr);
    EXPECT_EQ(reference.GetImage()->Width(), 4);
    EXPECT_EQ(asked, 1);

    // A supplier that has nothing lets the named images answer; one that fails is ignored.
    TILImageReference named;
    named.SetImageName("ILSCRBAR_IMG_R_ACTIVE");
    EXPECT_NE(named.GetImage(), nullptr);
    EXPECT_EQ(asked, 2);
    ImageLibrary()->SetOnLoadImage(
        [](fw::Object*, const std::string&) -> std::optional<fw::Bitmap> { throw std::runtime_error("broken"); });
    TILImageReference failing;
    EXPECT_NO_THROW(failing.SetImageName("ILSCRBAR_IMG_U_ACTIVE"));
    EXPECT_EQ(failing.GetImage(), nullptr);
    EXPECT_EQ(ImageLibrary()->Count(), 2);
}

TEST_F(ImageLibraryTest, RegisteredSourcesAnswerFirstAndLeaveWhenFreed)
{
    TILImageLibrary* library = ImageLibrary();
    library->Add(NamedBitmap("shared", 1, 0x000001));
    auto source = std::make_unique<TILImageSource>();
    source->Images().Add(NamedBitmap("shared", 2, 0x000002));

    library->RegisterSource(source.get());
    library->RegisterSource(source.get());
    EXPECT_EQ(library->SourceCount(), 1);
    EXPECT_EQ(source->Library(), library);
    EXPECT_EQ(library->Lookup("shared")->Width(), 2);

    // A reference into the source forgets its bitmap when the source goes.
    TILImageReference reference;
    int changes = 0;
    reference.SetImageName("shared");
    reference.SetOnChange([&](fw::Object*) { ++changes; });
    ASSERT_NE(reference.GetImage(), nullptr);
    EXPECT_EQ(reference.GetImage()->Width(), 2);
    source.reset();
    EXPECT_EQ(library->SourceCount(), 0);
    EXPECT_EQ(reference.CachedImage(), nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(reference.GetImage()->Width(), 1);

    // A library that goes first detaches its sources.
    auto own = std::make_unique<TILImageLibrary>();
    TILImageSource kept;
    kept.SetLibrary(own.get());
    EXPECT_EQ(own->SourceCount(), 1);
    own.reset();
    EXPECT_EQ(kept.Library(), nullptr);

    // Moving a source between libraries leaves the first one.
    TILImageLibrary a;
    TILImageLibrary b;
    TILImageSource moving;
    moving.SetLibrary(&a);
    b.RegisterSource(&moving);
    EXPECT_EQ(a.SourceCount(), 0);
    EXPECT_EQ(b.SourceCount(), 1);
    b.UnregisterSource(&moving);
    EXPECT_EQ(moving.Library(), nullptr);
}

TEST_F(ImageLibraryTest, ReferencesForgetBitmapsWhoseHolderGoes)
{
    TILImageReference named;
    named.SetImageName("ILSCRBAR_IMG_L_ACTIVE");
    ASSERT_NE(named.CachedImage(), nullptr);
    int changes = 0;
    named.SetOnChange([&](fw::Object*) { ++changes; });
    ResetControlLibraryForTests();
    EXPECT_EQ(named.CachedImage(), nullptr);
    EXPECT_EQ(changes, 1);
    // The name stays and resolves in the new library.
    EXPECT_NE(named.GetImage(), nullptr);
    EXPECT_EQ(ImageLibrary()->Count(), 1);

    auto picture = std::make_unique<PictureComponent>();
    TILImageReference shown;
    shown.SetImage(picture.get());
    EXPECT_EQ(shown.GetImage(), &picture->picture);
    EXPECT_EQ(shown.Image(), picture.get());
    picture.reset();
    EXPECT_EQ(shown.Image(), nullptr);
    EXPECT_EQ(shown.CachedImage(), nullptr);
    EXPECT_EQ(shown.GetImage(), nullptr);

    // A component that holds no picture is kept but shows nothing.
    fw::Component plain;
    shown.SetImage(&plain);
    EXPECT_EQ(shown.Image(), &plain);
    EXPECT_EQ(shown.GetImage(), nullptr);
}

TEST_F(ImageLibraryTest, AssignAndClearOfReferences)
{
    PictureComponent picture;
    TILImageReference source;
    source.SetImageName("ILSCRBAR_IMG_L_ACTIVE");
    TILImageReference copy;
    int changes = 0;
    copy.SetOnChange([&](fw::Object*) { ++changes; });
    copy.Assign(&source);
    EXPECT_EQ(copy.ImageName(), "ILSCRBAR_IMG_L_ACTIVE");
    EXPECT_EQ(copy.CachedImage(), source.CachedImage());
    EXPECT_GE(changes, 1);

    // The picture component wins over the name.
    source.SetImage(&picture);
    copy.Assign(&source);
    EXPECT_EQ(copy.GetImage(), &picture.picture);

    changes = 0;
    copy.Clear();
    EXPECT_EQ(copy.Image(), nullptr);
    EXPECT_EQ(copy.ImageName(), "");
    EXPECT_EQ(copy.CachedImage(), nullptr);
    EXPECT_EQ(changes, 1);

    EXPECT_THROW(copy.Assign(nullptr), fw::EConvertError);
}

TEST(ImageListTest, ListOperationsStayInsideTheRange)
{
    TILImageList list;
    list.Add(NamedBitmap("Arrow", 1, 0x0000FF));
    list.Add(NamedBitmap("arrow", 2, 0x00FF00));
    list.Add(NamedBitmap("Arrow", 3, 0xFF0000));
    EXPECT_EQ(list.Add(nullptr), -1);

    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Items(3), nullptr);
    EXPECT_EQ(list.IndexOf("arrow"), 1);
    EXPECT_EQ(list.Find("Arrow")->Width(), 1);
    EXPECT_EQ(list.IndexOf("ARROW"), -1);
    EXPECT_EQ(list.Find("ARROW"), nullptr);

    list.Delete(3);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(0);
    EXPECT_EQ(list.Find("Arrow")->Width(), 3);

    TILImageList copy;
    copy.Add(NamedBitmap("old", 1, 0));
    copy.Assign(&list);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0)->Name(), "arrow");
    EXPECT_EQ(copy.Items(1)->Name(), "Arrow");
    EXPECT_NE(copy.Items(1), list.Items(1));
    EXPECT_TRUE(copy.Items(1)->SamePixels(*list.Items(1)));

    // Anything else is ignored, the list itself included.
    TILImageReference stranger;
    copy.Assign(&stranger);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Count(), 2);
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);
}

TEST(ImageListTest, EditAsksTheInstalledEditor)
{
    TILImageList list;
    EXPECT_FALSE(list.Edit());
    TILImageList* edited = nullptr;
    SetImageListEditor([&](TILImageList& target) {
        edited = &target;
        return true;
    });
    EXPECT_TRUE(list.Edit());
    EXPECT_EQ(edited, &list);
    SetImageListEditor(nullptr);
    EXPECT_FALSE(list.Edit());
}

TEST(ImageListTest, NamedBitmapsKeepTheirNameThroughAStream)
{
    TILImageLibraryBitmap named("ILTREE_ILLOGO");
    named.SetSize(5, 3);
    named.SetPixel(4, 2, 0x123456);
    TILImageLibraryBitmap unnamed;
    TILImageLibraryBitmap emptyNamed("none");

    fw::MemoryStream stream;
    named.SaveToStream(stream);
    const auto unnamedAt = static_cast<std::size_t>(stream.Position());
    unnamed.SaveToStream(stream);
    emptyNamed.SaveToStream(stream);
    // An empty name is a zero length and nothing more: the picture follows at once.
    const std::vector<std::uint8_t>& bytes = stream.Data();
    EXPECT_EQ(bytes[unnamedAt] | bytes[unnamedAt + 1] | bytes[unnamedAt + 2] | bytes[unnamedAt + 3], 0);
    EXPECT_EQ(bytes[unnamedAt + 4], 'B');
    EXPECT_EQ(bytes[unnamedAt + 5], 'M');

    stream.SetPosition(0);
    TILImageLibraryBitmap a("x");
    TILImageLibraryBitmap b("y");
    TILImageLibraryBitmap c("z");
    a.LoadFromStream(stream);
    b.LoadFromStream(stream);
    c.LoadFromStream(stream);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_EQ(a.Name(), "ILTREE_ILLOGO");
    EXPECT_TRUE(a.SamePixels(named));
    EXPECT_EQ(b.Name(), "");
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(c.Name(), "none");

    // A record cut short raises and leaves the bitmap as it was.
    fw::MemoryStream cut;
    named.SaveToStream(cut);
    cut.SetSize(cut.Size() - 1);
    cut.SetPosition(0);
    TILImageLibraryBitmap target("kept");
    EXPECT_THROW(target.LoadFromStream(cut), fw::EStreamError);
    EXPECT_EQ(target.Name(), "kept");

    // Assign: a named source brings its name, a plain bitmap only its picture.
    TILImageLibraryBitmap copy("mine");
    copy.Assign(static_cast<const fw::Bitmap&>(named));
    EXPECT_EQ(copy.Name(), "mine");
    EXPECT_TRUE(copy.SamePixels(named));
    copy.Assign(named);
    EXPECT_EQ(copy.Name(), "ILTREE_ILLOGO");
}

TEST(ControlLibraryTest, StartAndEndCallsNest)
{
    EXPECT_EQ(ImageLibrary(), nullptr);
    InitControlLibrary();
    TILImageLibrary* first = ImageLibrary();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(DefaultBrushItems(), nullptr);
    InitControlLibrary();
    EXPECT_EQ(ImageLibrary(), first);
    ShutdownControlLibrary();
    EXPECT_EQ(ImageLibrary(), first);
    EXPECT_TRUE(ControlLibraryRunning());
    ShutdownControlLibrary();
    EXPECT_EQ(ImageLibrary(), nullptr);
    EXPECT_EQ(DefaultBrushItems(), nullptr);
    EXPECT_FALSE(ControlLibraryRunning());
    // An extra end does no harm, and a reference without a library resolves to nothing.
    ShutdownControlLibrary();
    TILImageReference reference;
    reference.SetImageName("ILSCRBAR_IMG_L_ACTIVE");
    EXPECT_EQ(reference.GetImage(), nullptr);
}

} // namespace
