#include <gtest/gtest.h>

#include "controls/brush_panel.h"
#include "forms/basic_form.h"
#include "forms/form_kit.h"
#include "framework/core/bitmap.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_speed_button.h"
#include "treegrid/tree_grid.h"
#include "forms_test_support.h"

namespace {

using Option = TILTreeDisplayOption;

class FormKitTest : public FormsTest {
protected:
    void SetUp() override
    {
        form = Created<TfrmTBasic>();
        panel = form->pnlTTop;
    }

    std::unique_ptr<TfrmTBasic> form;
    TILBrushPanel* panel = nullptr;
};

fw::Bitmap Glyph()
{
    fw::Bitmap glyph(16, 16);
    return glyph;
}

TEST_F(FormKitTest, FlatListOptionsAreTheGridLinesResizingAndNoTopLevelLineAlone)
{
    const TILTreeDisplayOptions expected{Option::iltHorzGrid, Option::iltVertGrid, Option::iltResizeCol,
                                         Option::iltNoTopLevelLine};
    EXPECT_EQ(FlatListOptions(), expected);
    // Nothing that would make the rows a tree or change how they are picked.
    for (Option absent : {Option::iltShowButtons, Option::iltNoSelect, Option::iltMultiSelect, Option::iltNoDrag,
                          Option::iltNoDoubleClick, Option::iltAutoExpand}) {
        EXPECT_FALSE(FlatListOptions().Contains(absent));
    }
}

TEST_F(FormKitTest, ListFillsItsParentWithTheFlatOptionsUnlessGivenOthers)
{
    TILTree* flat = NewFormList(*form, panel, "lstFlat");
    EXPECT_EQ(flat->Owner(), form.get());
    EXPECT_EQ(flat->Parent(), panel);
    EXPECT_EQ(flat->Name(), "lstFlat");
    EXPECT_EQ(flat->Align(), fw::Align::Client);
    EXPECT_EQ(flat->Options(), FlatListOptions());

    const TILTreeDisplayOptions own{Option::iltResizeCol, Option::iltNoSelect};
    TILTree* other = NewFormList(*form, panel, "lstOther", own);
    EXPECT_EQ(other->Options(), own);
    EXPECT_EQ(other->Align(), fw::Align::Client);
}

TEST_F(FormKitTest, PlacedListKeepsItsBoundsAndIsNotAligned)
{
    TILTree* list = NewFormList(*form, panel, "lstPlaced", FormBounds{10, 40, 310, 330},
                                FlatListOptions() | Option::iltNoDrag);
    EXPECT_EQ(list->Parent(), panel);
    EXPECT_EQ(list->Align(), fw::Align::None);
    EXPECT_EQ(list->BoundsRect(), (fw::Rect{10, 40, 320, 370}));
    EXPECT_TRUE(list->Options().Contains(Option::iltNoDrag));
    EXPECT_TRUE(list->Options().Contains(Option::iltNoTopLevelLine));
}

TEST_F(FormKitTest, FormButtonIsStandardHeightAtItsPlaceWithoutAHint)
{
    fw::Button* button = NewFormButton(*form, panel, "btnGo", "Go", 560, 4);
    EXPECT_EQ(button->Owner(), form.get());
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(button->Name(), "btnGo");
    EXPECT_EQ(button->Caption(), "Go");
    EXPECT_EQ(button->BoundsRect(), (fw::Rect{560, 4, 560 + FormButtonWidth, 4 + FormButtonHeight}));
    EXPECT_TRUE(button->ParentShowHint());

    fw::Button* wide = WithHint(NewFormButton(*form, panel, "btnWide", "Wide", 8, 30, 110), "Does much");
    EXPECT_EQ(wide->Width(), 110);
    EXPECT_EQ(wide->Height(), FormButtonHeight);
    EXPECT_EQ(wide->Hint(), "Does much");
    EXPECT_TRUE(wide->ShowHint());
}

TEST_F(FormKitTest, RowButtonIsCentredInItsRowAnchoredTopRightWithItsResult)
{
    fw::Button* button = NewRowButton(*form, panel, "btnOK", "OK", 36, fw::mrOk);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(button->Top(), 5);
    EXPECT_EQ(button->Width(), FormButtonWidth);
    EXPECT_EQ(button->Height(), FormButtonHeight);
    EXPECT_EQ(button->Anchors(), (fw::Anchors{fw::AnchorKind::Top, fw::AnchorKind::Right}));
    EXPECT_EQ(button->ModalResult(), fw::mrOk);
    EXPECT_EQ(NewRowButton(*form, panel, "btnOther", "Other", 36)->ModalResult(), fw::mrNone);
}

TEST_F(FormKitTest, ToolButtonIsFlatUnparentedAndShowsOnlyARealHint)
{
    fw::SpeedButton* button = NewToolButton(*form, "btnTool", "Does a thing", Glyph());
    EXPECT_EQ(button->Owner(), form.get());
    EXPECT_EQ(button->Parent(), nullptr);
    EXPECT_TRUE(button->Flat());
    EXPECT_FALSE(button->Glyph().Empty());
    EXPECT_EQ(button->Hint(), "Does a thing");
    EXPECT_TRUE(button->ShowHint());

    fw::SpeedButton* silent = NewToolButton(*form, "btnSilent", "", Glyph());
    EXPECT_FALSE(silent->ShowHint());
    EXPECT_FALSE(silent->ParentShowHint());
}

TEST_F(FormKitTest, GlyphButtonIsRaisedAtItsPlaceOnItsPanel)
{
    fw::SpeedButton* button = NewGlyphButton(*form, panel, "btnGlyph", "Swap", Glyph(), FormBounds{4, 6, 23, 22});
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_FALSE(button->Flat());
    EXPECT_FALSE(button->Glyph().Empty());
    EXPECT_EQ(button->BoundsRect(), (fw::Rect{4, 6, 27, 28}));
    EXPECT_TRUE(button->ShowHint());
}

TEST_F(FormKitTest, FormLabelIsTransparentAndFollowsItsCaption)
{
    fw::Label* label = NewFormLabel(*form, panel, "lblFirst", "First Card #", 8, 9);
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_EQ(label->Caption(), "First Card #");
    EXPECT_TRUE(label->Transparent());
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(label->Alignment(), fw::Alignment::LeftJustify);
    EXPECT_EQ(label->Left(), 8);
    EXPECT_EQ(label->Top(), 9);

    fw::Label* sized = NewFormLabel(*form, panel, "lblSized", "Title", FormBounds{10, 11, 80, 15});
    EXPECT_TRUE(sized->Transparent());
    EXPECT_EQ(sized->BoundsRect(), (fw::Rect{10, 11, 90, 26}));
}

TEST_F(FormKitTest, CentredLabelKeepsItsBoundsWhateverItsCaption)
{
    fw::Label* label = NewCentredLabel(*form, panel, "lblThread", "S", FormBounds{0, 12, 15, 12});
    EXPECT_TRUE(label->Transparent());
    EXPECT_FALSE(label->AutoSize());
    EXPECT_EQ(label->Alignment(), fw::Alignment::Center);
    EXPECT_EQ(label->BoundsRect(), (fw::Rect{0, 12, 15, 24}));
    label->SetCaption("A much longer caption than the label");
    EXPECT_EQ(label->BoundsRect(), (fw::Rect{0, 12, 15, 24}));
}

} // namespace
