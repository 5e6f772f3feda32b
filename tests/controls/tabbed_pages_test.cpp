#include <gtest/gtest.h>


#include <memory>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/control_library.h"
#include "controls/tab_geometry.h"
#include "controls/tabbed_pages.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/image_list.h"
#include "framework/gui/form.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/test_driver.h"

namespace {

constexpr fw::Color Back = 0x000000;
constexpr fw::Color TabFill = 0x00FF00;
constexpr fw::Color Light = 0x0000FF;
constexpr fw::Color Dark = 0xFF0000;
constexpr fw::Color PageFill = 0x00FFFF;
constexpr fw::Color PageLight = 0xFF00FF;
constexpr fw::Color PageDark = 0x808080;
constexpr fw::Color InnerLight = 0x008000;
constexpr fw::Color InnerDark = 0x000080;
constexpr fw::Color Ink = 0x404040;

// Every character 10 pixels wide, every line 13 high: captions of 3, 4 and 5 letters are
// 30, 40 and 50 pixels wide.
class TenPixelBackend : public fw::FakePaintBackend {
public:
    fw::Size TextExtent(const fw::Font&, std::string_view text) override
    {
        return fw::Size{fw::CodePointCount(text) * 10, LineHeight};
    }
};

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        previousBackend = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend);
        owner = std::make_unique<fw::Component>();
        host = new fw::CustomControl(owner.get());
        host->SetBounds(0, 0, 400, 300);
        host->SetColor(Back);
        control = new TILBrushPageControl(owner.get());
        control->SetName("Pages");
        control->SetParent(host);
        control->SetBounds(0, 0, 300, 200);
    }

    void TearDown() override
    {
        owner.reset();
        fw::SetDefaultPaintBackend(previousBackend);
        ShutdownControlLibrary();
    }

    TILBrushPage* AddPage(const std::string& name)
    {
        auto* page = new TILBrushPage(owner.get());
        page->SetPageName(name);
        page->SetParent(control);
        return page;
    }

    // Square tabs of fixed length in plain colours, so that edges can be told apart.
    void UsePlainTabs()
    {
        control->SetAutoSizeTabs(false);
        control->SetRoundedTabs(false);
        control->SetOwnerTabColour(false);
        control->TabData().FillBrush().SetColour(TabFill);
        control->TabData().SetBevelLight(Light);
        control->TabData().SetBevelDark(Dark);
    }

    static void StylePage(TILBrushPage& page)
    {
        page.DrawData().FillBrush().SetColour(PageFill);
        page.DrawData().SetBevelLight(PageLight);
        page.DrawData().SetBevelDark(PageDark);
    }

    // Rows of the picture as letters: . back, f tab fill, L light, D dark, p page fill,
    // l page light, d page dark, i/j inner light/dark, ? anything else.
    static std::vector<std::string> Rows(const fw::Bitmap& picture, const fw::Rect& area)
    {
        std::vector<std::string> rows;
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::string row;
            for (int x = area.Left; x < area.Right; ++x) {
                switch (picture.Pixel(x, y)) {
                case Back: row += '.'; break;
                case TabFill: row += 'f'; break;
                case Light: row += 'L'; break;
                case Dark: row += 'D'; break;
                case PageFill: row += 'p'; break;
                case PageLight: row += 'l'; break;
                case PageDark: row += 'd'; break;
                case InnerLight: row += 'i'; break;
                case InnerDark: row += 'j'; break;
                default: row += '?'; break;
                }
            }
            rows.push_back(row);
        }
        return rows;
    }

    static std::string Column(const std::vector<std::string>& rows, int x)
    {
        std::string column;
        for (const std::string& row : rows) {
            column += row[static_cast<std::size_t>(x)];
        }
        return column;
    }

    TenPixelBackend backend;
    fw::PaintBackend* previousBackend = nullptr;
    std::unique_ptr<fw::Component> owner;
    fw::CustomControl* host = nullptr;
    TILBrushPageControl* control = nullptr;
};

// --- Geometry -------------------------------------------------------------------------------------

TEST(TabGeometryTest, StripLiesOnItsSideAndVanishesWhenHidden)
{
    const TILTabMetrics m{200, 100, 75, 20};
    EXPECT_EQ(TabStripRect(TILPageTabPosition::LeftBottom, m, true), (TILTabRect{0, 0, 74, 99}));
    EXPECT_EQ(TabStripRect(TILPageTabPosition::TopRight, m, true), (TILTabRect{0, 0, 199, 19}));
    EXPECT_EQ(TabStripRect(TILPageTabPosition::RightTop, m, true), (TILTabRect{125, 0, 199, 99}));
    EXPECT_EQ(TabStripRect(TILPageTabPosition::BottomLeft, m, true), (TILTabRect{0, 80, 199, 99}));
    EXPECT_FALSE(TabStripRect(TILPageTabPosition::TopLeft, m, false).Shown());
}

TEST(TabGeometryTest, EveryPositionLaysOutFromItsOwnEnd)
{
    const TILTabMetrics m{200, 100, 75, 20};
    struct Case {
        TILPageTabPosition Position;
        TILTabRect First;
        TILTabRect Second;
    };
    // Tabs 30 long with FirstTabSpace 4 and TabGap 2.
    const Case cases[] = {
        {TILPageTabPosition::LeftTop, {0, 4, 74, 33}, {0, 36, 74, 65}},
        {TILPageTabPosition::LeftBottom, {0, 66, 74, 95}, {0, 34, 74, 63}},
        {TILPageTabPosition::TopLeft, {4, 0, 33, 19}, {36, 0, 65, 19}},
        {TILPageTabPosition::TopRight, {166, 0, 195, 19}, {134, 0, 163, 19}},
        {TILPageTabPosition::RightTop, {125, 4, 199, 33}, {125, 36, 199, 65}},
        {TILPageTabPosition::RightBottom, {125, 66, 199, 95}, {125, 34, 199, 63}},
        {TILPageTabPosition::BottomLeft, {4, 80, 33, 99}, {36, 80, 65, 99}},
        {TILPageTabPosition::BottomRight, {166, 80, 195, 99}, {134, 80, 163, 99}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Position));
        const int p = FirstTabStart(c.Position, m, 4);
        EXPECT_EQ(TabRectAt(c.Position, m, p, 30), c.First);
        EXPECT_EQ(TabRectAt(c.Position, m, NextTabStart(c.Position, p, 30, 2), 30), c.Second);
    }
}

TEST(TabGeometryTest, ArrowsSitAtTheEndTheTabsRunTowards)
{
    const TILTabMetrics m{200, 100, 75, 20};
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::LeftTop, m), (fw::Rect{0, 69, 16, 100}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::LeftBottom, m), (fw::Rect{0, 0, 16, 31}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::TopLeft, m), (fw::Rect{169, 0, 200, 16}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::TopRight, m), (fw::Rect{0, 0, 31, 16}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::RightTop, m), (fw::Rect{184, 69, 200, 100}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::RightBottom, m), (fw::Rect{184, 0, 200, 31}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::BottomLeft, m), (fw::Rect{169, 84, 200, 100}));
    EXPECT_EQ(TabArrowsBounds(TILPageTabPosition::BottomRight, m), (fw::Rect{0, 84, 31, 100}));
}

TEST(TabGeometryTest, TabEndsInsideIsJudgedAtTheFarEnd)
{
    const TILTabMetrics m{200, 100, 75, 20};
    EXPECT_TRUE(TabEndsInside(TILPageTabPosition::TopLeft, m, TILTabRect{150, 0, 200, 19}));
    EXPECT_FALSE(TabEndsInside(TILPageTabPosition::TopLeft, m, TILTabRect{150, 0, 201, 19}));
    EXPECT_TRUE(TabEndsInside(TILPageTabPosition::TopRight, m, TILTabRect{0, 0, 30, 19}));
    EXPECT_FALSE(TabEndsInside(TILPageTabPosition::TopRight, m, TILTabRect{-1, 0, 30, 19}));
    EXPECT_FALSE(TabEndsInside(TILPageTabPosition::LeftTop, m, TILTabRect{0, 80, 74, 101}));
    EXPECT_FALSE(TabEndsInside(TILPageTabPosition::RightBottom, m, TILTabRect{125, -3, 199, 20}));
}

// --- Layout ----------------------------------------------------------------------------------------

TEST_F(PageControlTest, AutoSizedTopTabsFollowTheirCaptions)
{
    control->SetTabGap(2);
    TILBrushPage* a = AddPage("abc");
    TILBrushPage* b = AddPage("abcd");
    TILBrushPage* c = AddPage("abcde");
    EXPECT_EQ(a->TabRect(), (TILTabRect{0, 0, 39, 19}));
    EXPECT_EQ(b->TabRect(), (TILTabRect{42, 0, 91, 19}));
    EXPECT_EQ(c->TabRect(), (TILTabRect{94, 0, 153, 19}));

    control->SetTabPosition(TILPageTabPosition::TopRight);
    control->SetFirstTabSpace(3);
    EXPECT_EQ(a->TabRect(), (TILTabRect{300 - 1 - 3 - 39, 0, 300 - 1 - 3, 19}));
    EXPECT_EQ(b->TabRect().Right, a->TabRect().Left - 3);
}

TEST_F(PageControlTest, SideTabsTakeTheLineHeightAndCaptionChangesReLayThem)
{
    control->SetTabPosition(TILPageTabPosition::LeftTop);
    control->TabCaptionPos().SetVertMargin(4);
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    EXPECT_EQ(a->TabRect(), (TILTabRect{0, 0, 74, 20}));
    EXPECT_EQ(b->TabRect(), (TILTabRect{0, 21, 74, 41}));

    a->SetPageName("x");
    control->SetTabPosition(TILPageTabPosition::TopLeft);
    control->TabCaptionPos().SetHorzMargin(1);
    a->SetPageName("wide caption");
    EXPECT_EQ(a->TabRect(), (TILTabRect{0, 0, 121, 19}));
    EXPECT_EQ(b->TabRect().Left, 122);

    control->SetAutoSizeTabs(false);
    EXPECT_EQ(a->TabRect(), (TILTabRect{0, 0, 74, 19}));
}

TEST_F(PageControlTest, HiddenPagesHaveNoTabAndAreSkipped)
{
    control->SetAutoSizeTabs(false);
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    TILBrushPage* c = AddPage("c");
    b->SetHidePage(true);
    EXPECT_FALSE(b->TabRect().Shown());
    EXPECT_EQ(c->TabRect().Left, 75);
    EXPECT_EQ(control->Pages().ShownCount(), 2);
    EXPECT_EQ(control->Pages().NextShownPage(a), c);
    EXPECT_EQ(control->Pages().PreviousShownPage(a), c);
    EXPECT_EQ(control->Pages().NextShownPage(b), c);
    EXPECT_EQ(control->Pages().NextPage(a), b);
    EXPECT_EQ(control->Pages().PreviousPage(a), c);

    // The active page cannot be hidden.
    control->SetActivePage(c);
    c->SetHidePage(true);
    EXPECT_FALSE(c->HidePage());
    EXPECT_TRUE(c->TabRect().Shown());
}

TEST_F(PageControlTest, PagesFillTheControlLessTheStripOnEverySide)
{
    TILBrushPage* page = AddPage("a");
    control->SetActivePage(page);
    EXPECT_EQ(page->BoundsRect(), (fw::Rect{0, 20, 300, 200}));
    control->SetTabPosition(TILPageTabPosition::LeftBottom);
    EXPECT_EQ(page->BoundsRect(), (fw::Rect{75, 0, 300, 200}));
    control->SetTabPosition(TILPageTabPosition::RightTop);
    EXPECT_EQ(page->BoundsRect(), (fw::Rect{0, 0, 225, 200}));
    control->SetTabPosition(TILPageTabPosition::BottomRight);
    EXPECT_EQ(page->BoundsRect(), (fw::Rect{0, 0, 300, 180}));
    EXPECT_EQ(page->GapSide(), TGapSide::Bottom);
    control->SetShowTabs(false);
    EXPECT_EQ(page->BoundsRect(), (fw::Rect{0, 0, 300, 200}));
    EXPECT_FALSE(page->HasGap());
}

TEST_F(PageControlTest, TabsThatDoNotFitShowTheArrowsWhichScrollThem)
{
    control->SetAutoSizeTabs(false); // 75 wide: three of five fit in 300 (less the arrows)
    std::vector<TILBrushPage*> pages;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        pages.push_back(AddPage(name));
    }
    TILTabScrollArrows& arrows = control->ScrollArrows();
    EXPECT_EQ(control->LastFullyShownTab(), 3);
    EXPECT_TRUE(arrows.Visible());
    EXPECT_EQ(arrows.BoundsRect(), (fw::Rect{269, 0, 300, 16}));

    fw::TestDriver driver(*host);
    const fw::Point next = driver.PointOf(arrows, fw::Point{24, 8});
    for (int step = 1; step <= 6; ++step) {
        driver.Click(next);
    }
    // Up to the last shown page, no further; earlier tabs have no rectangle.
    EXPECT_EQ(control->FirstShownTab(), 4);
    EXPECT_FALSE(pages[0]->TabRect().Shown());
    EXPECT_EQ(pages[4]->TabRect().Left, 0);
    EXPECT_EQ(control->LastFullyShownTab(), 4);
    EXPECT_TRUE(arrows.Visible()) << "arrows stay while the first shown tab is above 0";

    driver.Click(driver.PointOf(arrows, fw::Point{4, 8}));
    EXPECT_EQ(control->FirstShownTab(), 3);
    for (int step = 0; step < 5; ++step) {
        control->ScrollTabsBack();
    }
    EXPECT_EQ(control->FirstShownTab(), 0);

    // Room for every tab: the arrows go.
    control->SetBounds(0, 0, 380, 200);
    EXPECT_FALSE(arrows.Visible());
}

TEST_F(PageControlTest, ArrowsFollowTheStripAndPointTheWayTheTabsRun)
{
    control->SetTabPosition(TILPageTabPosition::RightBottom);
    TILTabScrollArrows& arrows = control->ScrollArrows();
    EXPECT_EQ(arrows.BoundsRect(), (fw::Rect{284, 0, 300, 31}));
    EXPECT_TRUE(arrows.Vertical());
    // Tabs run upwards: the upper button brings later tabs in.
    EXPECT_EQ(arrows.ButtonAt(fw::Point{8, 4}), TILTabScrollArrows::Button::Next);
    EXPECT_EQ(arrows.ButtonAt(fw::Point{8, 25}), TILTabScrollArrows::Button::Previous);
    control->SetTabPosition(TILPageTabPosition::BottomLeft);
    EXPECT_FALSE(arrows.Vertical());
    EXPECT_EQ(arrows.ButtonAt(fw::Point{25, 8}), TILTabScrollArrows::Button::Next);
}

TEST_F(PageControlTest, PageIndexMovesAndRenumbers)
{
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    TILBrushPage* c = AddPage("c");
    EXPECT_EQ(c->PageIndex(), 2);
    c->SetPageIndex(0);
    EXPECT_EQ(control->Page(0), c);
    EXPECT_EQ(a->PageIndex(), 1);
    EXPECT_EQ(b->PageIndex(), 2);
    EXPECT_EQ(c->TabRect().Left, 0);
    b->SetPageIndex(3);
    EXPECT_EQ(control->Page(2), b);
    EXPECT_EQ(b->PageIndex(), 2);
}

TEST_F(PageControlTest, NewPagesAreHiddenClientAlignedAndNamedInTurn)
{
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    EXPECT_EQ(a->Name(), "ILBrushPage1");
    EXPECT_EQ(b->Name(), "ILBrushPage2");
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(a->Align(), fw::Align::Client);
    EXPECT_EQ(a->PageControl(), control);
    EXPECT_EQ(TILBrushPage().PageName(), "New Page");
}

// --- Active page ----------------------------------------------------------------------------------

TEST_F(PageControlTest, ActivePageShowsOnePageAndTellsOnce)
{
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    int changes = 0;
    control->SetOnPageChanged([&](fw::Object* sender) {
        EXPECT_EQ(sender, control);
        ++changes;
    });
    control->SetActivePage(a);
    control->SetActivePage(b);
    EXPECT_FALSE(a->Visible());
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(changes, 2);
    b->SetVisible(false);
    control->SetActivePage(b);
    EXPECT_TRUE(b->Visible()) << "the current page is made visible again";
    EXPECT_EQ(changes, 2);
}

TEST_F(PageControlTest, AnotherControlsPageIsRefused)
{
    TILBrushPage* own = AddPage("own");
    control->SetActivePage(own);
    TILBrushPageControl other(owner.get());
    other.SetParent(host);
    auto* foreign = new TILBrushPage(owner.get());
    foreign->SetPageName("Far");
    foreign->SetParent(&other);
    try {
        control->SetActivePage(foreign);
        FAIL() << "no error";
    } catch (const fw::EInvalidOperation& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot set page Far as the active page:\r\nThe page control Pages does not own the page.");
    }
    EXPECT_EQ(control->ActivePage(), own);
    EXPECT_TRUE(own->Visible());
    EXPECT_FALSE(foreign->Visible());
    other.SetParent(nullptr);
}

TEST_F(PageControlTest, LoadingMakesTheFirstShownPageActiveQuietly)
{
    auto form = std::make_unique<fw::Form>();
    auto* pages = new TILBrushPageControl(form.get());
    pages->SetParent(form.get());
    auto* hidden = new TILBrushPage(form.get());
    hidden->SetParent(pages);
    hidden->SetHidePage(true);
    auto* first = new TILBrushPage(form.get());
    first->SetParent(pages);
    int changes = 0;
    pages->SetOnPageChanged([&](fw::Object*) { ++changes; });
    form->FinishLoading();
    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(hidden->PageIndex(), 0);
    EXPECT_EQ(first->PageIndex(), 1);
}

// --- Mouse -----------------------------------------------------------------------------------------

TEST_F(PageControlTest, ClickingATabActivatesItsPageUnlessRefused)
{
    control->SetAutoSizeTabs(false);
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    TILBrushPage* c = AddPage("c");
    control->SetActivePage(a);
    std::vector<TILBrushPage*> asked;
    bool allow = false;
    control->SetOnChangingPage([&](TILBrushPageControl*, TILBrushPage* page) {
        asked.push_back(page);
        return allow;
    });
    int changes = 0;
    control->SetOnPageChanged([&](fw::Object*) { ++changes; });
    fw::TestDriver driver(*host);

    driver.Click(100, 10);
    EXPECT_EQ(asked, std::vector<TILBrushPage*>{b});
    EXPECT_EQ(control->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(changes, 0);

    driver.Click(10, 10); // the active tab: nothing asked, nothing changes
    EXPECT_EQ(asked.size(), 1U);
    EXPECT_EQ(changes, 0);

    allow = true;
    driver.Click(160, 10);
    EXPECT_EQ(control->ActivePage(), c);
    EXPECT_EQ(changes, 1);

    c->SetEnabled(false);
    control->SetActivePage(a);
    driver.Click(160, 10);
    EXPECT_EQ(control->ActivePage(), a) << "a disabled page's tab is no hit";
    EXPECT_EQ(asked.size(), 2U);
}

TEST_F(PageControlTest, OnlyDrawnTabsCanBeHit)
{
    control->SetAutoSizeTabs(false);
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        AddPage(name);
    }
    ASSERT_EQ(control->LastFullyShownTab(), 3);
    control->SetBounds(0, 0, 260, 200); // tab d (225..299) no longer fits: not drawn
    EXPECT_EQ(control->TabAt(fw::Point{230, 10}), nullptr);
    EXPECT_EQ(control->TabAt(fw::Point{160, 10}), control->Page(2));
    EXPECT_EQ(control->TabAt(fw::Point{160, 20}), nullptr);
}

TEST_F(PageControlTest, TheActiveTabIsHitFirstWhereTabsOverlap)
{
    control->SetAutoSizeTabs(false);
    control->SetTabGap(-10);
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    control->SetActivePage(a);
    EXPECT_EQ(control->TabAt(fw::Point{70, 5}), a);
    control->SetActivePage(b);
    EXPECT_EQ(control->TabAt(fw::Point{70, 5}), b);
}

// --- Keyboard ---------------------------------------------------------------------------------------

TEST_F(PageControlTest, CtrlTabCyclesThroughShownPagesWhileTheFocusIsInside)
{
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    TILBrushPage* c = AddPage("c");
    TILBrushPage* d = AddPage("d");
    c->SetHidePage(true);
    auto* fieldA = new fw::CustomControl(owner.get());
    fieldA->SetParent(a);
    fieldA->SetTabStop(true);
    auto* fieldB = new fw::CustomControl(owner.get());
    fieldB->SetParent(b);
    fieldB->SetTabStop(true);
    auto* fieldD = new fw::CustomControl(owner.get());
    fieldD->SetParent(d);
    fieldD->SetTabStop(true);
    auto* outside = new fw::CustomControl(owner.get());
    outside->SetParent(host);
    outside->SetBounds(310, 0, 20, 20);
    outside->SetTabStop(true);
    b->SetFocusControl(fieldB);

    fw::TestDriver driver(*host);
    control->SetActivePage(a);
    fieldA->SetFocus();
    const fw::ShiftState ctrl{fw::ShiftFlag::Ctrl};
    const fw::ShiftState ctrlShift{fw::ShiftFlag::Ctrl, fw::ShiftFlag::Shift};

    driver.PressKey(fw::VK_TAB, ctrl);
    EXPECT_EQ(control->ActivePage(), b);
    EXPECT_TRUE(fieldB->Focused()) << "the page's FocusControl takes the focus";

    driver.PressKey(fw::VK_TAB, ctrl);
    EXPECT_EQ(control->ActivePage(), d) << "the hidden page is skipped";
    EXPECT_TRUE(fieldD->Focused());
    driver.PressKey(fw::VK_TAB, ctrl);
    EXPECT_EQ(control->ActivePage(), a) << "round to the first";
    EXPECT_TRUE(fieldA->Focused()) << "without a FocusControl the focus goes on in tab order";

    // A page with nothing to focus hands the focus on past itself.
    fieldD->SetEnabled(false);
    driver.PressKey(fw::VK_TAB, ctrlShift);
    EXPECT_EQ(control->ActivePage(), d);
    EXPECT_TRUE(outside->Focused());
    driver.PressKey(fw::VK_TAB, ctrl);
    EXPECT_EQ(control->ActivePage(), d) << "focus outside: the key is not the control's";
}

TEST_F(PageControlTest, FocusingTheControlReachesTheActivePagesFocusControl)
{
    auto form = std::make_unique<fw::Form>();
    form->SetBounds(0, 0, 400, 300);
    auto* pages = new TILBrushPageControl(form.get());
    pages->SetParent(form.get());
    auto* page = new TILBrushPage(form.get());
    page->SetParent(pages);
    auto* field = new fw::CustomControl(form.get());
    field->SetParent(page);
    page->SetFocusControl(field);
    form->FinishLoading();
    form->Show();
    fw::TestDriver driver(*form);
    pages->SetFocus();
    EXPECT_TRUE(field->Focused());
}

// --- Painting ---------------------------------------------------------------------------------------

TEST_F(PageControlTest, ASquareTabHasThreeEdgesAndItsPageOpensUnderIt)
{
    UsePlainTabs();
    control->SetBounds(0, 0, 60, 40);
    control->SetTabHeight(8);
    control->SetTabWidth(10);
    TILBrushPage* page = AddPage("");
    StylePage(*page);
    control->SetActivePage(page);
    EXPECT_EQ(page->GapOffset(), 0);
    EXPECT_EQ(page->GapLength(), 10);

    const auto rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 14, 11});
    const std::vector<std::string> expected{
        "LLLLLLLLD.....", // the top edge; the right edge owns its corner
        "LfffffffD.....", // the fill stops short of the last column, where the background shows
        "LfffffffD.....",
        "LfffffffD.....",
        "LfffffffD.....",
        "LfffffffD.....",
        "LfffffffD.....",
        "..............", // and a row short of the page, as do the side edges
        "pppppppppllll", // the page's top ring is open under the tab
        "lppppppppppppp",
        "lppppppppppppp",
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t y = 0; y < rows.size(); ++y) {
        EXPECT_EQ(rows[y].substr(0, expected[y].size()), expected[y]) << "row " << y;
    }
}

TEST_F(PageControlTest, OnlyTheActivePagesEdgeOpens)
{
    UsePlainTabs();
    control->SetBounds(0, 0, 60, 40);
    control->SetTabHeight(8);
    control->SetTabWidth(10);
    TILBrushPage* a = AddPage("");
    TILBrushPage* b = AddPage("");
    StylePage(*a);
    StylePage(*b);
    control->SetActivePage(b);
    EXPECT_EQ(b->GapOffset(), 10);
    const auto rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 25, 9});
    EXPECT_EQ(rows[8].substr(1, 21), "lllllllllppppppppplll");
    EXPECT_EQ(rows[0].substr(0, 20), "LLLLLLLLD.LLLLLLLLD.");
}

TEST_F(PageControlTest, TheActiveTabIsDrawnOverItsNeighbours)
{
    UsePlainTabs();
    control->SetTabGap(-5);
    control->SetTabHeight(8);
    TILBrushPage* a = AddPage("");
    TILBrushPage* b = AddPage("");
    control->SetActivePage(a);
    auto rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 80, 8});
    EXPECT_EQ(rows[3].substr(68, 8), "fffffDff") << "a's right edge lies over b";
    control->SetActivePage(b);
    rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 80, 8});
    EXPECT_EQ(rows[3].substr(68, 8), "ffLfffff") << "b's left edge lies over a";
}

TEST_F(PageControlTest, SidesAwayFromThePageAreEdgedOnEveryStrip)
{
    UsePlainTabs();
    control->SetBounds(0, 0, 60, 40);
    control->SetTabHeight(8);
    control->SetTabWidth(10);
    AddPage("");
    struct Case {
        TILPageTabPosition Position;
        fw::Rect Area; // the tab's pixels
        std::vector<std::string> Rows;
    };
    const Case cases[] = {
        {TILPageTabPosition::LeftTop,
         fw::Rect{0, 0, 10, 8},
         {"LLLLLLLLL.", "Lffffffff.", "Lffffffff.", "Lffffffff.", "Lffffffff.", "Lffffffff.", "LDDDDDDDD.",
          ".........."}},
        {TILPageTabPosition::RightTop,
         fw::Rect{50, 0, 60, 8},
         {"LLLLLLLLD.", "ffffffffD.", "ffffffffD.", "ffffffffD.", "ffffffffD.", "ffffffffD.", "DDDDDDDDD.",
          ".........."}},
        {TILPageTabPosition::BottomLeft,
         fw::Rect{0, 32, 10, 40},
         {"LfffffffD.", "LfffffffD.", "LfffffffD.", "LfffffffD.", "LfffffffD.", "LfffffffD.", "LDDDDDDDD.",
          ".........."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Position));
        control->SetTabPosition(c.Position);
        EXPECT_EQ(Rows(fw::RenderToBitmap(*control), c.Area), c.Rows);
    }
}

TEST_F(PageControlTest, RoundedTabsRoundOnlyTheOuterCorners)
{
    UsePlainTabs();
    control->SetRoundedTabs(true);
    control->SetTabHeight(12);
    control->SetTabWidth(20);
    AddPage("");
    const auto rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 21, 12});
    // The corners away from the page are cut; the sides run between the roundings.
    EXPECT_EQ(rows[0].substr(0, 3), "...");
    EXPECT_EQ(rows[0].substr(16, 4), "....");
    EXPECT_EQ(rows[0].substr(5, 9), std::string(9, 'L'));
    EXPECT_EQ(Column(rows, 0).substr(0, 3), "...");
    EXPECT_EQ(Column(rows, 0).substr(5, 6), std::string(6, 'L'));
    EXPECT_EQ(Column(rows, 18).substr(5, 6), std::string(6, 'D'));
    // Arcs close the corners: the top-right one light towards the top, dark towards the
    // right side.
    EXPECT_EQ(rows[1].substr(1, 2), "LL");
    EXPECT_EQ(rows[1].substr(16, 2), "LL");
    EXPECT_EQ(rows[2][17], 'D');
    // The page end stays square.
    EXPECT_EQ(rows[10].substr(0, 2), "Lf");
    EXPECT_EQ(rows[10].substr(17, 2), "fD");
}

TEST_F(PageControlTest, BothCutsDrawTheInnerRingsThenTheOuterOne)
{
    UsePlainTabs();
    control->TabData().SetBevelInner(TBevelCut::Lowered);
    control->TabData().SetBevelOuter(TBevelCut::Raised);
    control->SetTabHeight(8);
    control->SetTabWidth(10);
    AddPage("");
    // A lowered cut has its colours the other way round; ring 1 keeps the inner colours.
    const auto rows = Rows(fw::RenderToBitmap(*control), fw::Rect{0, 0, 10, 8});
    EXPECT_EQ(rows[0], "LLLLLLLLD.");
    EXPECT_EQ(rows[1], "LDDDDDDLD.");
    EXPECT_EQ(rows[4], "LDfffffLD.");
}

TEST_F(PageControlTest, TabsTakeTheirPagesFillOrTheTabDataFill)
{
    control->SetAutoSizeTabs(false);
    control->SetRoundedTabs(false);
    control->TabData().FillBrush().SetColour(TabFill);
    TILBrushPage* page = AddPage("");
    StylePage(*page);
    control->SetActivePage(page);
    fw::Bitmap picture = fw::RenderToBitmap(*control);
    EXPECT_EQ(picture.Pixel(30, 10), PageFill);

    page->DrawData().FillBrush().SetColour(InnerLight);
    EXPECT_FALSE(control->InvalidRegion().IsEmpty()) << "the strip repaints with its page's colour";
    EXPECT_EQ(fw::RenderToBitmap(*control).Pixel(30, 10), InnerLight);

    control->SetOwnerTabColour(false);
    EXPECT_EQ(fw::RenderToBitmap(*control).Pixel(30, 10), TabFill);
}

TEST_F(PageControlTest, TheStripAndFollowingPagesShowTheParentsFill)
{
    auto* panel = new TILBrushPanel(owner.get());
    panel->SetParent(host);
    panel->SetBounds(0, 0, 350, 250);
    panel->DrawData().FillBrush().SetColour(InnerDark);
    control->SetParent(panel);
    control->SetBounds(20, 20, 300, 200);
    TILBrushPage* page = AddPage("a");
    page->SetParentBrush(true);
    page->DrawData().SetBevelOuter(TBevelCut::None);
    control->SetActivePage(page);
    const fw::Bitmap picture = fw::RenderToBitmap(*control);
    EXPECT_EQ(picture.Pixel(250, 5), InnerDark) << "strip background";
    EXPECT_EQ(picture.Pixel(150, 100), InnerDark) << "the page follows the control's parent";
}

TEST_F(PageControlTest, InvalidatingRepaintsOnlyTheStrip)
{
    fw::RenderToBitmap(*control);
    control->Invalidate();
    EXPECT_EQ(control->InvalidRegion().Bounds(), (fw::Rect{0, 0, 300, 20}));
    fw::RenderToBitmap(*control);
    control->SetShowTabs(false);
    fw::RenderToBitmap(*control);
    control->Invalidate();
    EXPECT_TRUE(control->InvalidRegion().IsEmpty());
}

TEST_F(PageControlTest, CaptionsAndIconsShareTheTab)
{
    control->SetRoundedTabs(false);
    control->TabCaptionFont();
    fw::Font font = control->TabCaptionFont();
    font.Color = Ink;
    control->SetTabCaptionFont(font);
    fw::ImageList icons(8, 8);
    fw::Bitmap icon(8, 8);
    icon.FillRect(icon.Bounds(), Dark);
    icons.Add(icon);
    control->Icons().SetImageList(&icons);
    control->Icons().SetHorzMargin(1);
    TILBrushPage* page = AddPage("ab");
    page->SetIconIndex(0);
    // 2 letters (20) + margins 2 x 5, and the icon 8 + 2 x 1.
    EXPECT_EQ(page->TabRect(), (TILTabRect{0, 0, 39, 19}));

    const fw::Bitmap picture = fw::RenderToBitmap(*control);
    // The icon sits left, centred vertically: (1, 6) to (8, 13).
    EXPECT_EQ(picture.Pixel(1, 6), Dark);
    EXPECT_EQ(picture.Pixel(8, 13), Dark);
    EXPECT_NE(picture.Pixel(9, 10), Dark);
    // The caption starts after the icon and its margins: at 10 + 5.
    int firstInk = -1;
    for (int x = 0; x < 40 && firstInk < 0; ++x) {
        for (int y = 0; y < 20; ++y) {
            if (picture.Pixel(x, y) == Ink) {
                firstInk = x;
                break;
            }
        }
    }
    EXPECT_EQ(firstInk, 15);

    page->SetIconIndex(5); // no such icon: the tab loses the room for it
    EXPECT_EQ(page->TabRect().Right, 29);
}

// --- Freeing --------------------------------------------------------------------------------------

TEST_F(PageControlTest, AFreedPageLeavesTheControl)
{
    TILBrushPage* a = AddPage("a");
    TILBrushPage* b = AddPage("b");
    control->SetActivePage(a);
    delete a;
    EXPECT_EQ(control->PageCount(), 1);
    EXPECT_EQ(control->ActivePage(), nullptr);
    EXPECT_EQ(b->TabRect().Left, 0);
    b->SetParent(host);
    EXPECT_EQ(control->PageCount(), 0);
    EXPECT_EQ(b->PageControl(), nullptr);
    EXPECT_FALSE(b->HasGap());
}

TEST_F(PageControlTest, FreeingTheControlFreesItsPages)
{
    AddPage("a");
    AddPage("b");
    const int before = owner->ComponentCount();
    delete control;
    control = nullptr;
    EXPECT_EQ(owner->ComponentCount(), before - 3);
}

TEST_F(PageControlTest, TheControlMayBeFreedFromItsOwnEvents)
{
    control->SetAutoSizeTabs(false);
    AddPage("a");
    AddPage("b");
    AddPage("c");
    fw::TestDriver driver(*host);
    control->SetOnPageChanged([&](fw::Object*) {
        delete control;
        control = nullptr;
    });
    driver.Click(100, 10);
    EXPECT_EQ(control, nullptr);

    control = new TILBrushPageControl(owner.get());
    control->SetParent(host);
    control->SetAutoSizeTabs(false);
    AddPage("a");
    AddPage("b");
    control->SetOnChangingPage([&](TILBrushPageControl*, TILBrushPage*) {
        delete control;
        control = nullptr;
        return true;
    });
    driver.Click(100, 10);
    EXPECT_EQ(control, nullptr);
}

TEST_F(PageControlTest, FreedFocusControlsAndIconListsAreForgotten)
{
    TILBrushPage* page = AddPage("ab");
    auto* field = new fw::CustomControl(owner.get());
    field->SetParent(page);
    page->SetFocusControl(field);
    delete field;
    EXPECT_EQ(page->FocusControl(), nullptr);

    auto icons = std::make_unique<fw::ImageList>(8, 8);
    icons->Add(fw::Bitmap(8, 8));
    control->Icons().SetImageList(icons.get());
    page->SetIconIndex(0);
    EXPECT_EQ(page->TabRect().Right, 20 + 10 + 8 + 4 - 1);
    icons.reset();
    EXPECT_EQ(control->Icons().ImageList(), nullptr);
    EXPECT_EQ(page->TabRect().Right, 29);
    fw::RenderToBitmap(*control);
}

} // namespace

namespace {

// Every strip position with real text, written out for a look; each control's active tab
// shows its outer edge in the raised bevel's colours.
TEST_F(PageControlTest, SamplerShowsEveryStripPosition)
{
    fw::QtPaintBackend qt;
    fw::SetDefaultPaintBackend(&qt);
    host->SetColor(fw::clBtnFace);
    const int cellWidth = 250;
    const int cellHeight = 150;
    fw::Bitmap sheet(cellWidth * 4, cellHeight * 2);
    sheet.FillRect(sheet.Bounds(), 0x707070);
    const fw::Color light = fw::ColorToRGB(fw::clBtnHighlight);
    const fw::Color dark = fw::ColorToRGB(fw::clBtnShadow);
    for (int index = 0; index < 8; ++index) {
        const auto position = static_cast<TILPageTabPosition>(index);
        SCOPED_TRACE(index);
        auto* pages = new TILBrushPageControl(owner.get());
        pages->SetParent(host);
        pages->SetBounds(0, 0, cellWidth - 10, cellHeight - 10);
        pages->SetTabPosition(position);
        std::vector<std::string> names{"General", "Colours", "Threads"};
        if (index % 3 == 0) {
            names.insert(names.end(), {"Printing", "Advanced", "More"});
        }
        std::vector<TILBrushPage*> made;
        for (const std::string& name : names) {
            auto* page = new TILBrushPage(owner.get());
            page->SetPageName(name);
            page->SetCaption(name + " page");
            page->SetParent(pages);
            made.push_back(page);
        }
        pages->SetActivePage(made[1]);
        const fw::Bitmap picture = fw::RenderToBitmap(*pages);
        sheet.CopyRect((index % 4) * cellWidth + 5, (index / 4) * cellHeight + 5, picture, picture.Bounds());

        const TILTabRect tab = made[1]->TabRect();
        const int midX = (tab.Left + tab.Right) / 2;
        const int midY = (tab.Top + tab.Bottom) / 2;
        switch (SideOf(position)) {
        case TILTabSide::Left: EXPECT_EQ(picture.Pixel(tab.Left, midY), light); break;
        case TILTabSide::Top: EXPECT_EQ(picture.Pixel(midX, tab.Top), light); break;
        case TILTabSide::Right: EXPECT_EQ(picture.Pixel(tab.Right - 1, midY), dark); break;
        case TILTabSide::Bottom: EXPECT_EQ(picture.Pixel(midX, tab.Bottom - 1), dark); break;
        }
        delete pages;
    }
    fw::SetDefaultPaintBackend(&backend);
    const QString path = QString::fromUtf8(TAVELIN_CONTROLS_TEST_OUTPUT) + "/tab_sampler.png";
    EXPECT_TRUE(fw::BitmapToQImage(sheet).save(path));
}

} // namespace
