#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "forms/exception_dialog.h"
#include "forms/stop_sign.h"
#include "controls/tabbed_pages.h"
#include "exception_test_support.h"
#include "foundation/text_layout.h"
#include "foundation/xml_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/named_images.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"

namespace {

constexpr fw::Color Pink = 0xC0A0FF;
constexpr int LineHeight = fw::FakePaintBackend::LineHeight;

class ExceptionDialogTest : public ExceptionWindowsTest {
protected:
    // The box pnlMsg draws its caption in.
    static fw::Rect CaptionBox(const TfrmTException& dialog) { return dialog.pnlMsg->CaptionRect(0, 0); }

    // Display with the modal run ended by OK at once.
    static void DisplayAndClose(TfrmTException& dialog, const TGenericException& error, bool showDetails = true)
    {
        const fw::ScopedHandler close(&fw::Form::SetModalRunner, [](fw::Form& form) { form.SetModalResult(fw::mrOk); });
        dialog.Display(error, showDetails);
    }

    const TGenericException error{"The file could not be read.", nullptr, "TTWPack", "LoadFromFile", 12};
};

TEST_F(ExceptionDialogTest, DisplayShowsTheMessageModallyCentredWithTheErrorSound)
{
    FormsDefaultStyle()->Panels().SetBevelLight(Pink);
    auto dialog = Created<TfrmTException>();
    EXPECT_EQ(dialog->Caption(), "Tavelin");
    // The style reaches the two outer panels only.
    EXPECT_EQ(dialog->pnlMessage->DrawData().BevelLight(), Pink);
    EXPECT_EQ(dialog->pnlButtons->DrawData().BevelLight(), Pink);
    EXPECT_NE(dialog->pnlMsg->DrawData().BevelLight(), Pink);

    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        EXPECT_EQ(&form, dialog.get());
        EXPECT_TRUE(form.Modal());
        EXPECT_EQ(form.BoundsRect(), (fw::Rect{368, 394, 832, 506}));
        EXPECT_EQ(dialog->Error(), &error);
        EXPECT_EQ(dialog->pnlMsg->Caption(), "The file could not be read.");
        EXPECT_EQ(beeps, std::vector<fw::BeepKind>{fw::BeepKind::Stop});
        dialog->btnOK->Click();
    });
    EXPECT_EQ(dialog->Display(error, true), fw::mrOk);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(dialog->btnDetails->Visible());
    EXPECT_EQ(dialog->btnDetails->BoundsRect().Right, 464 - 5);
    EXPECT_EQ(dialog->btnOK->BoundsRect().Right, dialog->btnDetails->Left() - 5);

    // Without details OK takes the right edge.
    DisplayAndClose(*dialog, error, false);
    EXPECT_FALSE(dialog->btnDetails->Visible());
    EXPECT_EQ(dialog->btnOK->BoundsRect().Right, 464 - 5);
}

TEST_F(ExceptionDialogTest, TheDialogGrowsJustEnoughForTheMessageAndNeverShrinks)
{
    auto dialog = Created<TfrmTException>();
    DisplayAndClose(*dialog, error);
    EXPECT_EQ(dialog->Height(), 112);

    // Ten lines.
    const int designedBox = CaptionBox(*dialog).Height();
    std::string lines = "Line 1";
    for (int i = 2; i <= 10; ++i) {
        lines += "\r\nLine " + std::to_string(i);
    }
    const TGenericException tall(lines, nullptr, "", "");
    dialog = Created<TfrmTException>();
    DisplayAndClose(*dialog, tall);
    EXPECT_EQ(dialog->Height(), 112 + 10 * LineHeight - designedBox);
    EXPECT_EQ(CaptionBox(*dialog).Height(), 10 * LineHeight);

    // One paragraph, wrapped as the caption is drawn: in its box, in the fake font.
    std::string paragraph;
    for (int i = 0; i < 60; ++i) {
        paragraph += "wrapping ";
    }
    const TGenericException wide(paragraph, nullptr, "", "");
    dialog = Created<TfrmTException>();
    DisplayAndClose(*dialog, wide);
    const auto fakeWidth = [](std::string_view text) {
        return fw::FakePaintBackend::CharWidth * fw::CodePointCount(text);
    };
    const std::vector<std::string> wrapped = TextLines(CaptionBox(*dialog).Width(), paragraph, true, fakeWidth);
    ASSERT_GT(wrapped.size(), 4u);
    EXPECT_EQ(CaptionBox(*dialog).Height(), static_cast<int>(wrapped.size()) * LineHeight);

    dialog = Created<TfrmTException>();
    dialog->SetHeight(240);
    DisplayAndClose(*dialog, error);
    EXPECT_EQ(dialog->Height(), 240);
}

TEST_F(ExceptionDialogTest, DetailsOpenAboveTheDialogAndGoWhenClosed)
{
    auto dialog = Created<TfrmTException>();
    const int ownComponents = dialog->ComponentCount();
    std::vector<std::string> shown;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        shown.emplace_back(form.className());
        if (auto* details = dynamic_cast<TfrmTExceptionDetails*>(&form)) {
            EXPECT_EQ(details->Owner(), dialog.get());
            EXPECT_EQ(details->Error(), &error);
            EXPECT_TRUE(dialog->Visible());
        } else {
            dialog->btnDetails->Click();
            EXPECT_EQ(dialog->ComponentCount(), ownComponents);
        }
        form.SetModalResult(fw::mrOk);
    });
    dialog->Display(error, true);
    EXPECT_EQ(shown, (std::vector<std::string>{"TfrmTException", "TfrmTExceptionDetails"}));
}

TEST_F(ExceptionDialogTest, ShowExceptionFreesItsDialogAfterShowingAndAfterAFailure)
{
    fw::Component owner;
    const int forms = fw::Screen::Instance().FormCount();
    bool fail = false;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTException&>(form);
        EXPECT_EQ(dialog.Owner(), &owner);
        EXPECT_FALSE(dialog.btnDetails->Visible());
        if (fail) {
            throw std::runtime_error("window system gone");
        }
        form.SetModalResult(fw::mrOk);
    });
    ShowException(error, false, &owner);
    EXPECT_EQ(owner.ComponentCount(), 0);
    fail = true;
    EXPECT_THROW(ShowException(error, false, &owner), std::runtime_error);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(fw::Screen::Instance().FormCount(), forms);
}

TEST_F(ExceptionDialogTest, OurErrorsGoToTheDialogWithDetailsAndOthersToTheStandardBox)
{
    std::vector<std::string> dialogs;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTException&>(form);
        EXPECT_TRUE(dialog.btnDetails->Visible());
        dialogs.push_back(dialog.pnlMsg->Caption());
        form.SetModalResult(fw::mrOk);
    });
    std::vector<fw::MessageBoxRequest> boxes;
    const fw::ScopedHandler answer(&fw::SetMessageBoxHandler, [&](const fw::MessageBoxRequest& request) {
        boxes.push_back(request);
        return fw::mrOk;
    });

    fw::Component owner;
    RouteException(error, &owner);
    TILXMLTree document;
    const TXMLException xml("Unknown element", nullptr, nullptr, "ReadPack", document.AddRootNode("Pack"), &document);
    RouteException(xml, &owner);
    RouteException(std::runtime_error("Disk full"), &owner);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"The file could not be read.", "Unknown element"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Disk full.");
    EXPECT_EQ(boxes[0].Caption, "Tavelin");
    EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Stop);
}

TEST(StopSignTest, ARedOctagonWithAWhiteCrossOnTransparentCorners)
{
    const fw::Bitmap sign = StopSignPicture();
    ASSERT_EQ(sign.Width(), 32);
    ASSERT_EQ(sign.Height(), 32);
    EXPECT_TRUE(sign.Transparent());
    EXPECT_EQ(sign.TransparentColor(), fw::NamedImageKey);
    EXPECT_EQ(sign.Pixel(0, 0), fw::NamedImageKey);
    EXPECT_EQ(sign.Pixel(31, 31), fw::NamedImageKey);
    EXPECT_EQ(sign.Pixel(16, 16), 0xFFFFFFu); // the cross
    EXPECT_EQ(sign.Pixel(16, 2), 0xFFFFFFu);  // the rim
    const fw::Color face = sign.Pixel(16, 6);
    EXPECT_GT(face & 0xFF, 0xA0u);
    EXPECT_LT((face >> 8) & 0xFF, 0x60u);
}

// The windows as the real Qt text backend draws them, written out for a look.
TEST_F(ExceptionDialogTest, TheDialogAndItsDetailsRenderForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    fw::App().SetExeName("/usr/local/bin/tavelin");
    fw::App().SetCommandLine({"tavelin", "/home/weaver/bands/diamonds.tvl"});

    TILXMLTree document;
    TILXMLNode* pack = document.AddRootNode("Pack Name=\"Diamonds\"");
    pack->AddChild("Card Id=\"1\"")->AddChildValue("Holes", "4");
    TILXMLNode* card = pack->AddChild("Card Id=\"2\"");
    TILXMLNode* holes = card->AddChildValue("Holes", "four");
    card->AddChildValue("Colour", "Red");
    const TXMLException reading("Holes must be a whole number.", nullptr, nullptr, "ReadCard", holes, &document, 3);
    const StubDatabaseError database("The pack could not be saved in the archive.",
                                     "INSERT INTO Packs (Name, Cards)\r\nVALUES ('Diamonds', 2)", &reading);
    const TGenericException saving("Saving the band \"Diamonds\" failed. The band stays open, but its pack was not "
                                   "archived; check the archive settings and try again.",
                                   &database, "TfrmTWMain[Main]", "SaveBand", 0);

    fw::Bitmap dialogPicture;
    fw::Bitmap detailsPicture;
    fw::Bitmap xmlPicture;
    fw::Point sign;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        if (auto* details = dynamic_cast<TfrmTExceptionDetails*>(&form)) {
            details->lstTree->Root()->GetItem(1)->SetExpanded(true);
            details->lstTree->Root()->GetItem(1)->GetItem(0)->SetExpanded(true);
            detailsPicture = fw::RenderToBitmap(*details);
            details->pcMain->SetActivePage(details->pgXML);
            xmlPicture = fw::RenderToBitmap(*details);
        } else {
            auto& dialog = dynamic_cast<TfrmTException&>(form);
            dialogPicture = fw::RenderToBitmap(dialog);
            const fw::Point image = dialog.imgException->ClientToScreen(fw::Point{});
            const fw::Point origin = dialog.ClientToScreen(fw::Point{});
            sign = fw::Point{image.X - origin.X, image.Y - origin.Y};
            dialog.btnDetails->Click();
        }
        form.SetModalResult(fw::mrOk);
    });
    ShowException(saving, true, nullptr);

    const std::string folder = TAVELIN_CONTROLS_TEST_OUTPUT;
    EXPECT_TRUE(fw::BitmapToQImage(dialogPicture).save(QString::fromStdString(folder + "/exception_dialog.png")));
    EXPECT_TRUE(fw::BitmapToQImage(detailsPicture).save(QString::fromStdString(folder + "/exception_details.png")));
    EXPECT_TRUE(fw::BitmapToQImage(xmlPicture).save(QString::fromStdString(folder + "/exception_details_xml.png")));
    // The long message made the dialog taller; the stop sign shows where it sits.
    EXPECT_GT(dialogPicture.Height(), 112);
    EXPECT_EQ(dialogPicture.Pixel(sign.X + 16, sign.Y + 6), StopSignPicture().Pixel(16, 6));
    EXPECT_EQ(dialogPicture.Pixel(sign.X + 16, sign.Y + 16), 0xFFFFFFu);
}

} // namespace
