#include <gtest/gtest.h>

#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/window_helpers.h"

namespace {

class CentreControlOverTest : public testing::Test {
protected:
    void SetUp() override { fw::Screen::Instance().SetSize(1024, 768); }

    static fw::Rect Centred(const fw::Control* reference, int width, int height)
    {
        fw::Control control;
        control.SetBounds(-50, -50, width, height);
        CentreControlOver(reference, control);
        return control.BoundsRect();
    }
};

} // namespace

TEST_F(CentreControlOverTest, OverTheScreen)
{
    EXPECT_EQ(Centred(nullptr, 200, 100), (fw::Rect{412, 334, 612, 434}));
    // Odd leftovers round down.
    EXPECT_EQ(Centred(nullptr, 201, 101), (fw::Rect{411, 333, 612, 434}));
    // A window larger than the screen goes to 1, 1.
    EXPECT_EQ(Centred(nullptr, 2000, 1000), (fw::Rect{1, 1, 2001, 1001}));
    EXPECT_EQ(Centred(nullptr, 1024, 768), (fw::Rect{1, 1, 1025, 769}));
}

TEST_F(CentreControlOverTest, OverAReferenceAndPulledBackOntoTheScreen)
{
    fw::Control reference;
    reference.SetBounds(100, 100, 400, 300);
    EXPECT_EQ(Centred(&reference, 200, 100), (fw::Rect{200, 200, 400, 300}));
    // Larger than the reference: it sticks out on every side by the same amount.
    EXPECT_EQ(Centred(&reference, 600, 400), (fw::Rect{1, 50, 601, 450}));

    // Near the bottom right corner: the bottom and right edges are pulled back to the
    // screen's.
    reference.SetBounds(900, 700, 200, 100);
    EXPECT_EQ(Centred(&reference, 300, 200), (fw::Rect{724, 568, 1024, 768}));
    // Exactly at the edge is not past it.
    reference.SetBounds(824, 668, 200, 100);
    EXPECT_EQ(Centred(&reference, 200, 100), (fw::Rect{824, 668, 1024, 768}));

    // Near the top left corner: top and left stay at least 1.
    reference.SetBounds(0, 0, 100, 60);
    EXPECT_EQ(Centred(&reference, 300, 200), (fw::Rect{1, 1, 301, 201}));
}

TEST(EnhancedMenuItem, CarriesEveryArgumentAndBelongsToItsOwner)
{
    fw::Component owner;
    int clicks = 0;
    fw::Object* clickedBy = nullptr;
    TEnhancedMenuItem* item = NewEnhancedMenuItem(
        &owner, "&Profile 3", fw::scCtrl | 'P', 3, 502, 17,
        [&](fw::Object* sender) {
            ++clicks;
            clickedBy = sender;
        },
        true, true);
    EXPECT_EQ(item->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(item->className(), "TEnhancedMenuItem");
    EXPECT_EQ(item->Caption(), "&Profile 3");
    EXPECT_EQ(item->ShortCut(), 0x4000 + 'P');
    EXPECT_EQ(item->Data, 3);
    EXPECT_EQ(item->Tag(), 502);
    EXPECT_EQ(item->HelpContext(), 17);
    EXPECT_TRUE(item->Enabled());
    EXPECT_TRUE(item->Checked());
    item->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickedBy, item);

    // A disabled item does not click.
    TEnhancedMenuItem* off = NewEnhancedMenuItem(nullptr, "Off", fw::scNone, 0, 0, 0, [&](fw::Object*) { ++clicks; },
                                                 false, false);
    EXPECT_EQ(off->Owner(), nullptr);
    EXPECT_FALSE(off->Checked());
    off->Click();
    EXPECT_EQ(clicks, 1);
    delete off;
}

TEST(FolderDisplayName, TheLastComponentOrTheRoot)
{
    EXPECT_EQ(FolderDisplayName("/home/ann/Bands"), "Bands");
    EXPECT_EQ(FolderDisplayName("/home/ann/Bands/"), "Bands");
    EXPECT_EQ(FolderDisplayName("/home/ann/Bands//"), "Bands");
    EXPECT_EQ(FolderDisplayName("/home"), "home");
    EXPECT_EQ(FolderDisplayName("Bands"), "Bands");
    EXPECT_EQ(FolderDisplayName("/"), "/");
    EXPECT_EQ(FolderDisplayName("//"), "/");
    EXPECT_EQ(FolderDisplayName(""), "");
}
