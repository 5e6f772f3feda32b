#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/check_images.h"
#include "controls/control_library.h"
#include "controls/radio_button.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/form.h"
#include "framework/gui/test_driver.h"

namespace {

constexpr int CharWidth = fw::FakePaintBackend::CharWidth;
constexpr int LineHeight = fw::FakePaintBackend::LineHeight;
constexpr fw::Color Black = 0x000000;
constexpr fw::Color PanelFill = 0x336699;

using Log = std::vector<std::string>;

// A shown form holding one brush panel (with a distinct fill) that the controls sit on.
class CheckControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        fw::SetDefaultPaintBackend(&backend_);
        fw::ClearPostedMessages();
        form_ = std::make_unique<fw::Form>();
        form_->SetBounds(0, 0, 400, 300);
        panel_ = new TILBrushPanel(form_.get());
        panel_->SetParent(form_.get());
        panel_->SetBounds(0, 0, 400, 300);
        panel_->DrawData().FillBrush().SetColour(PanelFill);
        form_->Show();
    }
    void TearDown() override
    {
        driver_.reset();
        form_.reset();
        fw::ClearPostedMessages();
        fw::SetDefaultPaintBackend(nullptr);
        ShutdownControlLibrary();
    }

    template <class T>
    T* Add(fw::WinControl* parent, const std::string& caption, int top = 10)
    {
        auto* control = new T(form_.get());
        control->SetCaption(caption);
        control->SetParent(parent);
        control->SetTop(top);
        control->SetLeft(10);
        return control;
    }
    fw::TestDriver& Driver()
    {
        if (!driver_) {
            driver_ = std::make_unique<fw::TestDriver>(*form_);
        }
        return *driver_;
    }
    // The control's own pixels.
    static fw::Bitmap Picture(fw::Control& control) { return fw::RenderToBitmap(control); }

    fw::FakePaintBackend backend_;
    std::unique_ptr<fw::Form> form_;
    TILBrushPanel* panel_ = nullptr;
    std::unique_ptr<fw::TestDriver> driver_;
};

} // namespace

// --- Defaults and state rules ------------------------------------------------------------------

TEST_F(CheckControlTest, NewControlsHaveTheDocumentedDefaultsAndTheSharedImages)
{
    TILCheckBox box;
    EXPECT_EQ(box.Width(), 120);
    EXPECT_EQ(box.Height(), 15);
    EXPECT_TRUE(box.TabStop());
    EXPECT_EQ(box.State(), 0);
    EXPECT_EQ(box.ImageAlign(), fw::Align::Left);
    EXPECT_EQ(box.ImageSpace(), 20);
    EXPECT_EQ(box.LabelPos().AlignHorz(), THCanvasTextPosition::Left);
    EXPECT_EQ(box.LabelPos().VertMargin(), 0);
    EXPECT_TRUE(box.LabelPos().Wrap());
    EXPECT_EQ(box.ImagePos().AlignHorz(), THCanvasTextPosition::Right);
    EXPECT_EQ(box.ImagePos().HorzMargin(), 2);
    EXPECT_EQ(box.ImagePos().VertMargin(), 0);
    EXPECT_EQ(box.FillBrush().Colour(), fw::clBtnFace);
    EXPECT_TRUE(box.ParentBrush());
    EXPECT_FALSE(box.AutoHeight());
    EXPECT_TRUE(box.AutoWidth());
    EXPECT_FALSE(box.FocusFrameAll());

    EXPECT_EQ(box.GetStateImage(0, true), DefaultCheckImage(TILCheckImage::CheckBoxBlank));
    EXPECT_EQ(box.GetStateImage(1, true), DefaultCheckImage(TILCheckImage::CheckBoxChecked));
    EXPECT_EQ(box.GetStateImage(1, false), DefaultCheckImage(TILCheckImage::CheckBoxCheckedDisabled));
    EXPECT_EQ(box.GetStateImage(2, true), nullptr);
    EXPECT_EQ(box.GetStateImage(-1, true), nullptr);
    TILRadioButton radio;
    EXPECT_EQ(radio.GetStateImage(0, false), DefaultCheckImage(TILCheckImage::RadioBlankDisabled));
    EXPECT_EQ(radio.GetStateImage(1, true), DefaultCheckImage(TILCheckImage::RadioChecked));

    // The library loaded the program's images, transparent on magenta.
    const fw::Bitmap* checked = DefaultCheckImage(TILCheckImage::CheckBoxChecked);
    EXPECT_FALSE(checked->Empty());
    EXPECT_TRUE(checked->Transparent());
    EXPECT_EQ(checked->TransparentColor(), 0xFF00FFu);

    // State images beyond the maximum state are refused.
    fw::Bitmap own(4, 4);
    box.SetStateImage(2, true, &own);
    EXPECT_EQ(box.GetStateImage(2, true), nullptr);
    box.SetStateImage(1, true, &own);
    EXPECT_EQ(box.GetStateImage(1, true), &own);
}

TEST_F(CheckControlTest, SetStateFiresOnlyForAcceptedChanges)
{
    auto* box = Add<TILCheckBox>(panel_, "Box");
    int changes = 0;
    box->SetOnChange([&](fw::Object*) { ++changes; });

    box->SetState(0);
    EXPECT_FALSE(box->LastStateAccepted()) << "the same state is no change";
    box->SetState(2);
    box->SetState(-1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(box->State(), 0);

    box->SetChecked(true);
    EXPECT_TRUE(box->LastStateAccepted());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(changes, 1);

    // The veto keeps the state and fires nothing.
    bool allow = false;
    int asked = 0;
    box->SetOnCanChange([&](TILCheckBox* sender) {
        EXPECT_EQ(sender, box);
        ++asked;
        return allow;
    });
    box->SetChecked(false);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->LastStateAccepted());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(asked, 1);
    box->SetChecked(true);
    EXPECT_EQ(asked, 1) << "the base rules refuse before the event is asked";
    allow = true;
    box->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(changes, 2);

    // While a form is being built the state is taken without OnChange.
    box->SetControlState(box->ControlState() | fw::ControlStateFlag::Loading);
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(changes, 2);
}

// --- Radio groups ------------------------------------------------------------------------------

TEST_F(CheckControlTest, RadioButtonsOnOneParentExcludeEachOtherOnly)
{
    auto* left = new TILBrushPanel(form_.get());
    left->SetParent(panel_);
    auto* right = new TILBrushPanel(form_.get());
    right->SetParent(panel_);
    Log log;
    auto watch = [&](TILRadioButton* radio, const std::string& name) {
        radio->SetOnChange([&log, name](fw::Object*) { log.push_back(name + ".change"); });
        radio->SetAfterChange([&log, name](fw::Object*) { log.push_back(name + ".after"); });
    };
    auto* a = Add<TILRadioButton>(left, "a", 0);
    auto* b = Add<TILRadioButton>(left, "b", 15);
    auto* c = Add<TILRadioButton>(left, "c", 30);
    auto* other = Add<TILRadioButton>(right, "other", 0);
    auto* box = Add<TILCheckBox>(left, "box", 45);
    watch(a, "a");
    watch(b, "b");
    watch(c, "c");
    watch(other, "other");
    other->SetChecked(true);
    box->SetChecked(true);
    a->SetChecked(true);
    EXPECT_EQ(log, (Log{"other.change", "other.after", "a.change", "a.after"}));

    log.clear();
    c->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(other->Checked()) << "another parent, another group";
    EXPECT_TRUE(box->Checked()) << "check boxes are no part of a group";
    EXPECT_EQ(log, (Log{"c.change", "a.after", "c.after"})) << "the unchecked one gets no OnChange";

    // A checked radio button cannot be unchecked directly.
    log.clear();
    c->SetChecked(false);
    EXPECT_TRUE(c->Checked());
    EXPECT_FALSE(c->LastStateAccepted());
    EXPECT_TRUE(log.empty());
}

TEST_F(CheckControlTest, ClickingACheckedRadioKeepsItCheckedButFocusesAndClicks)
{
    auto* a = Add<TILRadioButton>(panel_, "first", 10);
    auto* b = Add<TILRadioButton>(panel_, "second", 40);
    Log log;
    b->SetOnChange([&](fw::Object*) { log.push_back("change"); });
    b->SetOnClick([&](fw::Object*) { log.push_back("click"); });
    a->SetChecked(true);
    Driver().ClickOn(*b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(log, (Log{"change", "click"}));

    a->SetFocus();
    log.clear();
    Driver().Advance(1000);
    Driver().ClickOn(*b);
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(fw::FocusedControl(), b);
    EXPECT_EQ(log, (Log{"click"}));
}

// --- Input ------------------------------------------------------------------------------------------

TEST_F(CheckControlTest, ClicksAndKeysCycleTheStateAndFocusTheControl)
{
    auto* box = Add<TILCheckBox>(panel_, "Check me");
    auto* other = Add<TILCheckBox>(panel_, "Other", 40);
    Log log;
    box->SetOnChange([&](fw::Object*) { log.push_back("change"); });
    box->SetOnClick([&](fw::Object*) { log.push_back(fw::FocusedControl() == box ? "click(focused)" : "click"); });
    other->SetFocus();

    Driver().ClickOn(*box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(log, (Log{"change", "click(focused)"}));
    Driver().Advance(1000);
    Driver().ClickOn(*box);
    EXPECT_FALSE(box->Checked()) << "after the last state comes 0";

    Driver().PressKey(fw::VK_SPACE);
    EXPECT_TRUE(box->Checked());
    Driver().PressKey(fw::VK_RETURN);
    EXPECT_FALSE(box->Checked()) << "Enter clicks when the form has no default button";
    Driver().PressKey('X');
    EXPECT_FALSE(box->Checked());

    // OnKeyPress sees the key first and may swallow it.
    box->SetOnKeyPress([](fw::Object*, char32_t& key) {
        if (key == U' ') {
            key = 0;
        }
    });
    Driver().PressKey(fw::VK_SPACE);
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckControlTest, AControlMayFreeItselfFromItsOwnEvents)
{
    auto* box = Add<TILCheckBox>(panel_, "Gone on click");
    fw::WeakRef<fw::Control> alive(box);
    box->SetOnClick([&](fw::Object*) { delete box; });
    Driver().ClickOn(*box);
    EXPECT_FALSE(alive);

    auto* radio = Add<TILRadioButton>(panel_, "Gone on change");
    alive = radio;
    radio->SetOnChange([&](fw::Object*) { delete radio; });
    radio->SetFocus();
    Driver().PressKey(fw::VK_SPACE);
    EXPECT_FALSE(alive);
}

// --- Size --------------------------------------------------------------------------------------------

TEST_F(CheckControlTest, AutoWidthFitsTheCaptionBesideOrAboveTheImage)
{
    auto* box = Add<TILCheckBox>(panel_, "abc");
    EXPECT_EQ(box->Width(), 3 * CharWidth + 4 + 20 + 2);
    EXPECT_EQ(box->Height(), 15) << "the height stays without AutoHeight";

    box->SetAutoHeight(true);
    EXPECT_EQ(box->Height(), LineHeight);
    box->SetImageAlign(fw::Align::Right);
    EXPECT_EQ(box->Width(), 3 * CharWidth + 4 + 20 + 2);
    box->SetImageAlign(fw::Align::Top);
    EXPECT_EQ(box->Width(), 3 * CharWidth + 4 + 2);
    EXPECT_EQ(box->Height(), LineHeight + 20);
    box->SetImageAlign(fw::Align::Bottom);
    EXPECT_EQ(box->Height(), LineHeight + 20);
    box->LabelPos().SetVertMargin(3);
    EXPECT_EQ(box->Height(), LineHeight + 6 + 20);

    box->SetCaption("abcdef");
    EXPECT_EQ(box->Width(), 6 * CharWidth + 4 + 2) << "a new caption sizes again";

    // Values that make no layout are ignored.
    box->SetImageAlign(fw::Align::Client);
    box->SetImageAlign(fw::Align::None);
    box->SetImageSpace(0);
    EXPECT_EQ(box->ImageAlign(), fw::Align::Bottom);
    EXPECT_EQ(box->ImageSpace(), 20);
    box->SetImageSpace(30);
    EXPECT_EQ(box->Height(), LineHeight + 6 + 30);
}

TEST_F(CheckControlTest, AutoHeightWrapsIntoTheWidthTheImageLeaves)
{
    auto* box = Add<TILCheckBox>(panel_, "");
    box->SetAutoWidth(false);
    box->SetAutoHeight(true);
    box->SetWidth(60);
    box->SetCaption("aaaa bbbb cccc dddd");
    // Beside the image: 60 - 20 - 4 = 36 pixels, six characters: a word a line.
    EXPECT_EQ(box->Height(), 4 * LineHeight);
    box->SetImageAlign(fw::Align::Right);
    EXPECT_EQ(box->Height(), 4 * LineHeight);

    // Above or below: the caption has the whole width less the margins (56 pixels, nine
    // characters: two words a line), not just the image strip's height.
    box->SetImageAlign(fw::Align::Top);
    EXPECT_EQ(box->Height(), 2 * LineHeight + 20);
    box->SetImageAlign(fw::Align::Bottom);
    EXPECT_EQ(box->Height(), 2 * LineHeight + 20);
    EXPECT_EQ(box->Width(), 60);
}

TEST_F(CheckControlTest, ACaptionSetBeforeTheParentSizesWhenTheParentComes)
{
    auto* box = new TILCheckBox(form_.get());
    box->SetCaption("abcd");
    EXPECT_EQ(box->Width(), 120) << "no parent yet: nothing to measure with";
    box->SetParent(panel_);
    EXPECT_EQ(box->Width(), 4 * CharWidth + 4 + 20 + 2);
}

// --- Painting ----------------------------------------------------------------------------------------

TEST_F(CheckControlTest, PaintsTheParentsBrushTheStateImageAndTheCaption)
{
    auto* box = Add<TILCheckBox>(panel_, "ab");
    const fw::Color ink = fw::ColorToRGB(fw::clWindowText);
    const fw::Color window = fw::ColorToRGB(fw::clWindow);
    fw::Bitmap picture = Picture(*box);
    // The image strip is 20 wide: the 13 x 13 image sits at its right less 2, centred.
    EXPECT_EQ(picture.Pixel(4, 7), PanelFill);
    EXPECT_EQ(picture.Pixel(5, 1), DefaultCheckImage(TILCheckImage::CheckBoxBlank)->Pixel(0, 0));
    EXPECT_EQ(picture.Pixel(11, 7), window) << "the blank well";
    // The caption: left in the label rectangle (from 22), centred vertically (top 1).
    EXPECT_EQ(picture.Pixel(22, 3), ink);
    EXPECT_EQ(picture.Pixel(21, 3), PanelFill);

    box->SetChecked(true);
    picture = Picture(*box);
    EXPECT_NE(picture.Pixel(11, 7), window) << "the check mark";

    // Its own brush when not following the parent; the parent's new fill when following.
    box->SetParentBrush(false);
    box->FillBrush().SetColour(0x00AA00);
    EXPECT_EQ(Picture(*box).Pixel(1, 7), 0x00AA00u);
    box->SetParentBrush(true);
    panel_->DrawData().FillBrush().SetColour(0x0000AA);
    EXPECT_EQ(Picture(*box).Pixel(1, 7), 0x0000AAu);
}

TEST_F(CheckControlTest, DisabledShowsTheDisabledImageAndAnEmbossedCaption)
{
    auto* box = Add<TILCheckBox>(panel_, "ab");
    box->SetChecked(true);
    box->SetEnabled(false);
    const fw::Bitmap picture = Picture(*box);
    const fw::Bitmap* disabled = DefaultCheckImage(TILCheckImage::CheckBoxCheckedDisabled);
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            if (disabled->Pixel(x, y) != disabled->TransparentColor()) {
                ASSERT_EQ(picture.Pixel(5 + x, 1 + y), disabled->Pixel(x, y)) << x << "," << y;
            }
        }
    }
    // The glyph's 5 x 9 box from (22, 3) in the shadow colour, its highlight copy showing
    // below and right of it.
    EXPECT_EQ(picture.Pixel(22, 3), fw::ColorToRGB(fw::clBtnShadow));
    EXPECT_EQ(picture.Pixel(27, 12), fw::ColorToRGB(fw::clBtnHighlight));
    EXPECT_EQ(picture.Pixel(22, 12), PanelFill);
}

TEST_F(CheckControlTest, TheFocusFrameSurroundsTheCaptionOrTheWholeControl)
{
    auto* box = Add<TILCheckBox>(panel_, "ab"); // 38 x 15; the caption covers (22, 1)-(34, 14)
    box->SetFocus();
    fw::Bitmap picture = Picture(*box);
    EXPECT_EQ(box->LastTextRect(), (fw::Rect{22, 1, 34, 14}));
    // A dotted rectangle on columns 21 and 35, rows 0 and 14, starting with a dot at (21, 0).
    EXPECT_EQ(picture.Pixel(21, 0), Black);
    EXPECT_NE(picture.Pixel(22, 0), Black);
    EXPECT_EQ(picture.Pixel(23, 0), Black);
    int left = 0;
    int right = 0;
    for (int y = 0; y < 15; ++y) {
        left += picture.Pixel(21, y) == Black ? 1 : 0;
        right += picture.Pixel(35, y) == Black ? 1 : 0;
        EXPECT_NE(picture.Pixel(20, y), Black) << y;
        EXPECT_NE(picture.Pixel(36, y), Black) << y;
    }
    EXPECT_GE(left, 7);
    EXPECT_GE(right, 7);
    int bottom = 0;
    for (int x = 21; x <= 35; ++x) {
        bottom += picture.Pixel(x, 14) == Black ? 1 : 0;
    }
    EXPECT_GE(bottom, 7);

    box->SetFocusFrameAll(true);
    picture = Picture(*box);
    EXPECT_EQ(picture.Pixel(0, 0), Black);
    EXPECT_EQ(picture.Pixel(0, 2), Black);
    EXPECT_EQ(picture.Pixel(22, 0), Black) << "the dots run on along the top edge";
    int edge = 0;
    for (int y = 0; y < 15; ++y) {
        edge += picture.Pixel(37, y) == Black ? 1 : 0;
    }
    EXPECT_GE(edge, 7) << "and down the right edge";
    EXPECT_NE(picture.Pixel(21, 2), Black) << "no frame round the caption any more";

    // Leaving the focus takes the frame away.
    auto* other = Add<TILCheckBox>(panel_, "x", 40);
    other->SetFocus();
    picture = Picture(*box);
    EXPECT_EQ(picture.Pixel(0, 0), PanelFill);
}

// --- Shared images ------------------------------------------------------------------------------------

TEST_F(CheckControlTest, ReplacedDefaultImagesShowInExistingControlsAndComeBack)
{
    auto* box = Add<TILCheckBox>(panel_, "");
    const fw::Bitmap* slot = box->GetStateImage(0, true);
    const fw::Bitmap original = *slot;
    fw::Bitmap red(13, 13);
    fw::Canvas canvas(red);
    canvas.Brush() = fw::Brush{0x0000FF};
    canvas.FillRect(fw::Rect{0, 0, 13, 13});

    SetDefaultCheckBoxImages(&red, nullptr, nullptr, nullptr);
    EXPECT_EQ(box->GetStateImage(0, true), slot) << "the slot stays; its picture changes";
    EXPECT_EQ(Picture(*box).Pixel(11, 7), 0x0000FFu);
    fw::Canvas(red).SetPixel(0, 0, 0x00FF00);
    EXPECT_EQ(slot->Pixel(0, 0), 0x0000FFu) << "the picture was copied";

    const fw::Bitmap empty;
    SetDefaultCheckBoxImages(&empty, nullptr, nullptr, nullptr);
    EXPECT_EQ(slot->Pixel(6, 6), original.Pixel(6, 6));

    SetDefaultRadioButtonImages(&red, &red, &red, &red);
    EXPECT_EQ(DefaultCheckImage(TILCheckImage::RadioCheckedDisabled)->Pixel(6, 6), 0x0000FFu);
    ResetDefaultCheckImages();
    EXPECT_NE(DefaultCheckImage(TILCheckImage::RadioCheckedDisabled)->Pixel(6, 6), 0x0000FFu);
}
