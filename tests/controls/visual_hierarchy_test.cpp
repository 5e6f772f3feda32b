#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/visual_hierarchy.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"

namespace {

// A store that keeps its texts in memory, as an initialisation file would.
class MemoryStore : public TVisualHierarchyStore {
public:
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) override
    {
        const auto found = texts.find({section, key});
        return found != texts.end() ? found->second : defaultValue;
    }
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        texts[{section, key}] = value;
    }
    std::map<std::pair<std::string, std::string>, std::string> texts;
};

class VisualHierarchyTest : public ::testing::Test {
protected:
    TVisualHierarchyNode* Node(const std::string& caption, THierarchyNode* parent)
    {
        auto* node = new TVisualHierarchyNode(caption);
        parent->AddChild(node);
        return node;
    }

    // A with B and C below it; B with D, E and G below it; C alone.
    void BuildTree()
    {
        a = Node("A", &root);
        b = Node("B", a);
        c = Node("C", a);
        d = Node("D", b);
        e = Node("E", b);
        g = Node("G", b);
    }

    static fw::Point At(const TVisualHierarchyNode* node) { return fw::Point{node->Left(), node->Top()}; }

    TVisualHierarchyRoot root;
    TVisualHierarchyNode* a = nullptr;
    TVisualHierarchyNode* b = nullptr;
    TVisualHierarchyNode* c = nullptr;
    TVisualHierarchyNode* d = nullptr;
    TVisualHierarchyNode* e = nullptr;
    TVisualHierarchyNode* g = nullptr;
};

} // namespace

TEST_F(VisualHierarchyTest, ANewDiagramHasItsSpacingBordersAndDefaultBoxes)
{
    EXPECT_EQ(root.HorzSpace(), 20);
    EXPECT_EQ(root.VertSpace(), 20);
    EXPECT_EQ(root.LeftBorder(), 20);
    EXPECT_EQ(root.BottomBorder(), 20);
    EXPECT_EQ(root.DefaultNodeWidth(), 100);
    EXPECT_EQ(root.DefaultNodeHeight(), 50);
    EXPECT_EQ(root.Scale(), 1.0);
    EXPECT_EQ(root.DrawLinks(), TVisualHierarchyDrawLinks::hdlLinksFirst);
    EXPECT_EQ(root.NodeCentre(), TVisualHierarchyNodeCentre::tvhCentreOnParents);
    EXPECT_EQ(root.Width(), 0);
    EXPECT_EQ(root.Height(), 0);
}

TEST_F(VisualHierarchyTest, CentredOnParentsTheRowsStandOverTheirChildren)
{
    BuildTree();
    root.Layout();
    // The rows: A; B and C; D, E and G, the widest (3 x 100 + 2 x 20 = 340).
    EXPECT_EQ(At(d), (fw::Point{20, 160}));
    EXPECT_EQ(At(e), (fw::Point{140, 160}));
    EXPECT_EQ(At(g), (fw::Point{260, 160}));
    // B would stand over the middle of its children (at 140) but keeps 20 pixels from C.
    EXPECT_EQ(At(b), (fw::Point{80, 90}));
    EXPECT_EQ(At(c), (fw::Point{200, 90}));
    // A over the middle of B and C.
    EXPECT_EQ(At(a), (fw::Point{140, 20}));
    EXPECT_EQ(root.Width(), 360 + 20);
    EXPECT_EQ(root.Height(), 210 + 20);
}

TEST_F(VisualHierarchyTest, CentredOnChildrenEachSubtreeTakesItsOwnRoom)
{
    BuildTree();
    root.SetNodeCentre(TVisualHierarchyNodeCentre::tvhCentreOnChildren);
    root.Layout();
    EXPECT_EQ(At(d), (fw::Point{20, 160}));
    EXPECT_EQ(At(e), (fw::Point{140, 160}));
    EXPECT_EQ(At(g), (fw::Point{260, 160}));
    EXPECT_EQ(At(b), (fw::Point{140, 90})) << "over the span of D to G";
    EXPECT_EQ(At(c), (fw::Point{380, 90})) << "a leaf takes the next free place";
    EXPECT_EQ(At(a), (fw::Point{260, 20})) << "over the span of B to C";
    EXPECT_EQ(root.Width(), 480 + 20);
}

TEST_F(VisualHierarchyTest, InvisibleNodesAreNeitherPlacedNorDrawnNorLinked)
{
    BuildTree();
    b->SetVisible(false);
    EXPECT_FALSE(b->IsVisible());
    EXPECT_FALSE(d->IsVisible()) << "its only parent is hidden";
    EXPECT_TRUE(d->OwnVisible());
    // A node below a shown parent too stays shown.
    c->AddChild(g);
    EXPECT_TRUE(g->IsVisible());
    root.Layout();
    EXPECT_FALSE(b->Placed());
    EXPECT_FALSE(d->Placed());
    EXPECT_TRUE(g->Placed());
    EXPECT_EQ(g->Level(), 3);
}

TEST_F(VisualHierarchyTest, ChildrenBringTheirLinksAndTakeThemAlong)
{
    std::vector<std::string> announced;
    root.SetOnNewLink([&](TVisualHierarchyLink& link) {
        announced.push_back(link.Parent().Caption() + ">" + link.Child().Caption());
    });
    BuildTree();
    EXPECT_EQ(announced, (std::vector<std::string>{"A>B", "A>C", "B>D", "B>E", "B>G"}));
    ASSERT_EQ(b->Links().size(), 3u);
    EXPECT_EQ(&b->Links()[1]->Child(), e);
    EXPECT_EQ(b->LinkTo(e)->GetKey(), "B > E");
    b->RemoveChild(e);
    EXPECT_EQ(b->LinkTo(e), nullptr);
    EXPECT_EQ(b->Links().size(), 2u);
    delete e;
    delete g;
    EXPECT_EQ(b->Links().size(), 1u) << "a freed child takes its link";
    root.Layout();
    const fw::Point start = b->LinkTo(d)->StartPoint();
    const fw::Point end = b->LinkTo(d)->EndPoint();
    EXPECT_EQ(start, (fw::Point{b->Left() + 50, b->Top() + 50}));
    EXPECT_EQ(end, (fw::Point{d->Left() + 50, d->Top()}));
}

TEST_F(VisualHierarchyTest, ScaledValuesAreRoundedToTheNearestEven)
{
    BuildTree();
    root.SetScale(1.5);
    EXPECT_EQ(root.ScaledHorzSpace(), 30);
    EXPECT_EQ(a->Width(), 150);
    EXPECT_EQ(a->Height(), 75);
    root.Layout();
    EXPECT_EQ(At(d), (fw::Point{30, 30 + 75 + 30 + 75 + 30}));
    // Setting a scaled place keeps the place at scale 1 too.
    d->SetScaledLeft(45);
    EXPECT_EQ(d->GivenLeft(), 30);

    root.SetScale(0.125);
    EXPECT_EQ(root.ScaledHorzSpace(), 2) << "2.5 rounds to the even 2";
    EXPECT_EQ(a->Width(), 12) << "12.5 rounds to 12";
    EXPECT_EQ(a->Height(), 6);
    EXPECT_EQ(d->Left(), 4) << "the place scales from its place at scale 1";
    root.SetScale(-2);
    EXPECT_EQ(root.Scale(), 1.0) << "no positive number counts as 1";
    EXPECT_EQ(a->Scale(), 1.0);

    TVisualHierarchyDrawSettings settings;
    settings.SetBevelWidth(2);
    EXPECT_EQ(settings.ScaledBevelWidth(0.25), 1) << "at least the minimum";
    EXPECT_EQ(settings.ScaledBevelWidth(1.25), 2) << "2.5 to 2";
    EXPECT_EQ(settings.ScaledBevelWidth(4), 8) << "no maximum while it is 0";
    settings.SetMaxBevelWidth(3);
    EXPECT_EQ(settings.ScaledBevelWidth(4), 3);
    EXPECT_EQ(settings.ScaledFontSize(0.01), 1);
    EXPECT_EQ(settings.ScaledFontSize(1.5), 12);
}

TEST_F(VisualHierarchyTest, LabelsAreHiddenBelowFourPoints)
{
    fw::FakePaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    BuildTree();
    TVisualHierarchyLink& link = *a->LinkTo(b);
    link.SetText("owns");
    root.Layout();
    // Three quarters of the vertical space below A, on the line, centred on the text.
    fw::Font font;
    font.SetSize(8);
    const fw::Size size = backend.TextExtent(font, "owns");
    const int y = a->Bottom() + 15;
    const fw::Point start = link.StartPoint();
    const fw::Point end = link.EndPoint();
    const int x = start.X + (end.X - start.X) * (y - start.Y) / (end.Y - start.Y);
    EXPECT_NEAR(link.LabelLeft(), x - size.Width / 2, 1);
    EXPECT_LE(link.LabelTop() + size.Height, b->Top()) << "kept above the child";

    fw::Bitmap picture(root.Width(), root.Height());
    fw::Canvas canvas(picture, &backend);
    root.SetScale(0.5);
    root.Layout();
    root.Draw(canvas);
    EXPECT_TRUE(link.LabelDrawn()) << "8 points at half size: 4";
    root.SetScale(0.4);
    root.Layout();
    root.Draw(canvas);
    EXPECT_FALSE(link.LabelDrawn()) << "3 points";
    EXPECT_FALSE(a->LinkTo(c)->LabelDrawn()) << "no text, no label";
    fw::SetDefaultPaintBackend(nullptr);
}

TEST_F(VisualHierarchyTest, PositionsAreSavedAndRestoredAsTwoNumbers)
{
    BuildTree();
    root.Layout();
    a->LinkTo(b)->SetLabelPosition(33, 77);
    MemoryStore store;
    a->SavePositions(store, "Tables", true);
    EXPECT_EQ(store.texts.at({"Tables", "A"}), "140 20");
    EXPECT_EQ(store.texts.at({"Tables", "G"}), "260 160");
    EXPECT_EQ(store.texts.at({"Tables", "A > B"}), "33 77");
    EXPECT_EQ(store.texts.size(), 6u + 5u) << "six nodes and five links";

    d->SetPosition(1, 2);
    a->LinkTo(b)->SetLabelPosition(0, 0);
    store.texts[{"Tables", "E"}] = "";
    e->SetPosition(5, 6);
    store.texts[{"Tables", "C"}] = "12 x";
    a->RestorePositions(store, "Tables", true);
    EXPECT_EQ(d->GivenLeft(), 20);
    EXPECT_EQ(d->GivenTop(), 160);
    EXPECT_EQ(a->LinkTo(b)->LabelLeft(), 33);
    EXPECT_EQ(a->LinkTo(b)->LabelTop(), 77);
    EXPECT_EQ(e->GivenLeft(), 5) << "an empty text leaves the node where it is";
    EXPECT_EQ(c->GivenLeft(), 12);
    EXPECT_EQ(c->GivenTop(), 90) << "a part that is no number keeps its value";

    // Without recursion only the node and its own links.
    d->SetPosition(1, 2);
    b->RestorePositions(store, "Tables", false);
    EXPECT_EQ(d->GivenLeft(), 1);
    int x = 7;
    int y = 8;
    EXPECT_FALSE(ReadPositionText("15", x, y));
    EXPECT_TRUE(ReadPositionText("-4 9", x, y));
    EXPECT_EQ(x, -4);
    EXPECT_EQ(y, 9);
}

TEST_F(VisualHierarchyTest, TheDiagramDrawsForALook)
{
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    TVisualHierarchyView view;
    TVisualHierarchyRoot& diagram = view.Root();
    diagram.SetDefaultNodeWidth(90);
    diagram.SetDefaultNodeHeight(36);
    auto* patterns = new TVisualHierarchyNode("Patterns");
    diagram.AddChild(patterns);
    auto* cards = new TVisualHierarchyNode("Cards");
    auto* picks = new TVisualHierarchyNode("Picks");
    auto* holes = new TVisualHierarchyNode("Holes");
    patterns->AddChild(cards);
    patterns->AddChild(picks);
    cards->AddChild(holes);
    picks->AddChild(new TVisualHierarchyNode("Actions"));
    patterns->LinkTo(cards)->SetText("1:n");
    holes->SetSelected(true);
    view.LayoutDiagram();
    EXPECT_EQ(view.Width(), diagram.Width());
    const fw::Bitmap picture = fw::RenderToBitmap(view);
    // The middle of a box is its fill; the selected one its own.
    EXPECT_EQ(picture.Pixel(patterns->Left() + 5, patterns->Top() + 5), fw::ColorToRGB(fw::clWindow));
    EXPECT_EQ(picture.Pixel(holes->Left() + 5, holes->Top() + 5), fw::ColorToRGB(fw::clHighlight));
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(
        QString::fromStdString(std::string(TAVELIN_CONTROLS_TEST_OUTPUT) + "/visual_hierarchy.png")));
    fw::SetDefaultPaintBackend(nullptr);
}

// A wide box over a narrow child stands left of its child's centre by half its width: at the
// start of its row that lies left of the border. The diagram moves right as a whole instead,
// and the box and its child are drawn.
TEST_F(VisualHierarchyTest, ABoxWiderThanItsChildAtARowsStartIsShiftedRightAndDrawn)
{
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    for (const TVisualHierarchyNodeCentre mode :
         {TVisualHierarchyNodeCentre::tvhCentreOnParents, TVisualHierarchyNodeCentre::tvhCentreOnChildren}) {
        SCOPED_TRACE(static_cast<int>(mode));
        TVisualHierarchyView view;
        TVisualHierarchyRoot& diagram = view.Root();
        diagram.SetNodeCentre(mode);
        auto* wide = new TVisualHierarchyNode("Wide");
        wide->SetSize(200, 40);
        diagram.AddChild(wide);
        auto* slim = new TVisualHierarchyNode("Slim");
        slim->SetSize(10, 40);
        diagram.AddChild(slim);
        auto* under = Node("Under", wide);
        under->SetSize(10, 40);
        auto* broad = Node("Broad", slim);
        broad->SetSize(190, 40);
        view.LayoutDiagram();

        const std::vector<TVisualHierarchyNode*> all{wide, slim, under, broad};
        int leftmost = diagram.Width();
        int rightmost = 0;
        for (const TVisualHierarchyNode* node : all) {
            ASSERT_TRUE(node->Placed()) << node->Caption();
            leftmost = std::min(leftmost, node->Left());
            rightmost = std::max(rightmost, node->Right());
        }
        EXPECT_EQ(leftmost, diagram.LeftBorder()) << "nothing left of the border, and no room wasted";
        EXPECT_EQ(wide->Left(), diagram.LeftBorder());
        EXPECT_EQ(wide->Left() + wide->Width() / 2, under->Left() + under->Width() / 2) << "centred over its child";
        EXPECT_GT(slim->Left(), wide->Right()) << "side by side";
        EXPECT_GE(broad->Left(), under->Right() + diagram.HorzSpace());
        if (mode == TVisualHierarchyNodeCentre::tvhCentreOnParents) {
            EXPECT_GE(slim->Left(), wide->Right() + diagram.HorzSpace()) << "a row keeps its spacing";
        }
        EXPECT_EQ(diagram.Width(), rightmost + diagram.RightBorder());
        EXPECT_EQ(wide->LinkTo(under)->StartPoint(), (fw::Point{wide->Left() + 100, wide->Bottom()}));

        const fw::Bitmap picture = fw::RenderToBitmap(view);
        // Each box shows its fill somewhere between its bevel and its caption; the view's own
        // background is another colour.
        for (const TVisualHierarchyNode* node : all) {
            int filled = 0;
            for (int y = node->Top(); y < node->Bottom(); ++y) {
                for (int x = node->Left(); x < node->Right(); ++x) {
                    filled += picture.Pixel(x, y) == fw::ColorToRGB(fw::clWindow) ? 1 : 0;
                }
            }
            EXPECT_GT(filled, 0) << node->Caption() << " is drawn";
        }
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < diagram.LeftBorder(); ++x) {
                ASSERT_EQ(picture.Pixel(x, y), fw::ColorToRGB(view.Color())) << "nothing drawn left of the border";
            }
        }
        if (mode == TVisualHierarchyNodeCentre::tvhCentreOnParents) {
            EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(
                std::string(TAVELIN_CONTROLS_TEST_OUTPUT) + "/visual_hierarchy_wide_first.png")));
        }
    }
    fw::SetDefaultPaintBackend(nullptr);
}

// A place given by the owner left of the diagram's edge is a place all the same.
TEST_F(VisualHierarchyTest, ANodeGivenANegativePlaceIsPlacedAndResetIsNot)
{
    BuildTree();
    EXPECT_FALSE(a->Placed()) << "a new node";
    a->SetPosition(-30, 5);
    EXPECT_TRUE(a->Placed());
    EXPECT_EQ(a->Left(), -30);
    a->SetScaledLeft(-1);
    a->SetScaledTop(-1);
    EXPECT_TRUE(a->Placed()) << "-1, -1 given is a place too";
    a->ResetPosition();
    EXPECT_FALSE(a->Placed());
    a->SetPosition(-30, 5);
    root.SetScale(2);
    EXPECT_TRUE(a->Placed());
    EXPECT_EQ(a->Left(), -60) << "the place scales";
}
