#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "model/block_design.h"
#include "model/block_design_undo.h"

namespace {

// An item class of its own, to see that the list keeps copies of the pushed item's class.
class TaggedItem : public TTWBlockDesignItem {
public:
    using TTWBlockDesignItem::TTWBlockDesignItem;
    std::string_view className() const override { return "TTaggedItem"; }
    fw::Object* NewInstance() const override { return new TaggedItem; }
};

// A design told apart from the others by its width.
std::unique_ptr<TTWBlockDesignItem> Design(int width)
{
    auto item = std::make_unique<TTWBlockDesignItem>();
    item->SetSize(width, 1);
    return item;
}

std::vector<int> Widths(const TTWBlockDesignUndoList& list)
{
    std::vector<int> widths;
    for (int i = 0; i < list.Count(); ++i) {
        widths.push_back(list.GetItem(i)->Width());
    }
    return widths;
}

// Records the widths of the entries handed to OnUndo and OnRedo.
struct Recorder {
    explicit Recorder(TTWBlockDesignUndoList& list)
    {
        list.SetOnUndo([this](const TTWBlockDesignItem& item) { undone.push_back(item.Width()); });
        list.SetOnRedo([this](const TTWBlockDesignItem& item) { redone.push_back(item.Width()); });
    }
    std::vector<int> undone;
    std::vector<int> redone;
};

// Widths 1..count, pushed in that order.
void PushWidths(TTWBlockDesignUndoList& list, int count)
{
    for (int width = 1; width <= count; ++width) {
        list.Push(*Design(width));
    }
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> widths;
    for (int width = first; width <= last; ++width) {
        widths.push_back(width);
    }
    return widths;
}

} // namespace

TEST(BlockDesignUndoList, PushKeepsCopiesOfTheItemsOwnClass)
{
    TTWBlockDesignAssociatedData dataClass;
    TaggedItem item(nullptr, &dataClass);
    item.SetSize(2, 2);
    item.Bitmap().SetPixel(1, 1, fw::Bitmap::Black);

    TTWBlockDesignUndoList list;
    const TTWBlockDesignItem& stored = list.Push(item);
    EXPECT_EQ(&stored, list.GetItem(0));
    EXPECT_NE(&stored, &item);
    EXPECT_NE(dynamic_cast<const TaggedItem*>(&stored), nullptr);
    EXPECT_EQ(stored.DataClass(), &dataClass);
    EXPECT_TRUE(stored.Bitmap().SamePixels(item.Bitmap()));

    item.Bitmap().SetPixel(0, 0, fw::Bitmap::Black);
    EXPECT_EQ(stored.Bitmap().Pixel(0, 0), fw::Bitmap::White);
    EXPECT_EQ(list.GetItem(1), nullptr);
    EXPECT_EQ(list.GetItem(-1), nullptr);
}

TEST(BlockDesignUndoList, PushDropsTheOldestBeyondThirty)
{
    TTWBlockDesignUndoList list;
    for (int width = 1; width <= 31; ++width) {
        list.Push(*Design(width));
    }
    EXPECT_EQ(list.Count(), TTWBlockDesignUndoList::MaxSteps);
    EXPECT_EQ(list.GetItem(0)->Width(), 2);
    EXPECT_EQ(list.GetItem(29)->Width(), 31);
    EXPECT_EQ(list.Index(), -1);

    // The first Undo's copy of the current design may make one more; the next Push trims.
    list.Undo(Design(99).get());
    EXPECT_EQ(list.Count(), 31);
    list.Redo();
    list.Redo();
    EXPECT_EQ(list.Index(), -1);
    list.Push(*Design(40));
    EXPECT_EQ(list.Count(), 30);
    EXPECT_EQ(list.GetItem(29)->Width(), 40);
    EXPECT_EQ(list.GetItem(28)->Width(), 99);
}

TEST(BlockDesignUndoList, PushWhileUndoingCutsAtTheShownEntry)
{
    TTWBlockDesignUndoList list;
    Recorder recorder(list);
    list.Push(*Design(1));
    list.Push(*Design(2));
    list.Push(*Design(3));

    list.Undo(Design(4).get());
    EXPECT_EQ(list.Index(), 2);
    EXPECT_EQ(Widths(list), (std::vector<int>{1, 2, 3, 4}));
    list.Undo(nullptr);
    EXPECT_EQ(list.Index(), 1);
    EXPECT_EQ(recorder.undone, (std::vector<int>{3, 2}));

    list.Push(*Design(5));
    EXPECT_EQ(Widths(list), (std::vector<int>{1, 5}));
    EXPECT_EQ(list.Index(), -1);

    // Shown at 0, a Push leaves only itself.
    list.Undo(Design(6).get());
    list.Undo(nullptr);
    EXPECT_EQ(list.Index(), 0);
    list.Push(*Design(7));
    EXPECT_EQ(Widths(list), (std::vector<int>{7}));
}

TEST(BlockDesignUndoList, PushWhileUndoingAFullListDropsTheShownAndUndoneStates)
{
    // Undo with the current design brings a full list to 31; the Push cuts the entry shown
    // and the kept current design before it counts for the limit, so nothing old is lost.
    TTWBlockDesignUndoList list;
    PushWidths(list, TTWBlockDesignUndoList::MaxSteps);
    list.Undo(Design(99).get());
    EXPECT_EQ(list.Index(), 29);
    list.Push(*Design(50));
    std::vector<int> expected = Range(1, 29);
    expected.push_back(50);
    EXPECT_EQ(Widths(list), expected);
    EXPECT_EQ(list.Index(), -1);

    // The next Undos pass back through the kept entries only: never the dropped 30 or 99.
    Recorder recorder(list);
    list.Undo(Design(77).get());
    for (int step = 0; step < 40; ++step) {
        list.Undo(nullptr);
    }
    std::vector<int> undone = Range(1, 29);
    undone.push_back(50);
    std::reverse(undone.begin(), undone.end());
    EXPECT_EQ(recorder.undone, undone);

    // Shown two steps back on a full list (no current kept): the Push drops 29 and 30 and
    // keeps the oldest.
    list.Clear();
    PushWidths(list, TTWBlockDesignUndoList::MaxSteps);
    list.Undo(nullptr);
    list.Undo(nullptr);
    EXPECT_EQ(list.Index(), 28);
    list.Push(*Design(50));
    expected = Range(1, 28);
    expected.push_back(50);
    EXPECT_EQ(Widths(list), expected);

    // Shown at the last entry of a full list without a kept current design: only that entry
    // goes, and the list is back at its limit with the new push.
    list.Clear();
    PushWidths(list, TTWBlockDesignUndoList::MaxSteps);
    list.Undo(nullptr);
    EXPECT_EQ(list.Index(), 29);
    list.Push(*Design(50));
    expected = Range(1, 29);
    expected.push_back(50);
    EXPECT_EQ(Widths(list), expected);
}

TEST(BlockDesignUndoList, UndoAndRedoStopAtTheEnds)
{
    TTWBlockDesignUndoList list;
    Recorder recorder(list);

    list.Undo(Design(9).get());
    list.Redo();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Index(), -1);

    list.Push(*Design(1));
    list.Redo();
    EXPECT_EQ(list.Index(), -1);
    list.Undo(Design(2).get());
    EXPECT_EQ(list.Index(), 0);
    list.Undo(Design(3).get());
    EXPECT_EQ(list.Index(), 0);
    EXPECT_EQ(Widths(list), (std::vector<int>{1, 2}));
    EXPECT_EQ(recorder.undone, (std::vector<int>{1}));

    list.Redo();
    EXPECT_EQ(list.Index(), 1);
    list.Redo();
    EXPECT_EQ(list.Index(), -1);
    list.Redo();
    EXPECT_EQ(recorder.redone, (std::vector<int>{2}));

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Index(), -1);
}

TEST(BlockDesignUndoList, UndoThenRedoReturnsToTheEditedDesign)
{
    TTWBlockDesignAssociatedData dataClass;
    TTWBlockDesignItem design(nullptr, &dataClass);
    design.SetSize(3, 2);
    const fw::Bitmap before = design.Bitmap();

    TTWBlockDesignUndoList list;
    // The restore writes into the design itself, as the editor does.
    list.SetOnUndo([&design](const TTWBlockDesignItem& item) { design.Assign(&item); });
    list.SetOnRedo([&design](const TTWBlockDesignItem& item) { design.Assign(&item); });

    list.Push(design);
    design.Bitmap().SetPixel(2, 0, fw::Bitmap::Black);
    const fw::Bitmap edited = design.Bitmap();

    list.Undo(&design);
    EXPECT_TRUE(design.Bitmap().SamePixels(before));
    list.Redo();
    EXPECT_TRUE(design.Bitmap().SamePixels(edited));
    EXPECT_EQ(design.Width(), 3);
    EXPECT_TRUE(design.HasData());
}
